#include "plataforma/base/c_format.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <locale.h>
#include <new>

namespace {

locale_t LocaleC() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

// Switches this thread to the "C" locale for the lifetime of the object.
class ConLocaleC {
public:
    ConLocaleC() : anterior_(uselocale(LocaleC())) {}
    ~ConLocaleC() { uselocale(anterior_); }
    ConLocaleC(const ConLocaleC&) = delete;
    ConLocaleC& operator=(const ConLocaleC&) = delete;

private:
    locale_t anterior_;
};

// The C library's own formatting, under the "C" locale.
void FormatoDeLaBiblioteca(std::string& destino, const char* formato, va_list args) {
    ConLocaleC c;
    char pila[256];
    va_list copia;
    va_copy(copia, args);
    int n = std::vsnprintf(pila, sizeof pila, formato, copia);
    va_end(copia);
    if (n < 0) return;
    if (static_cast<size_t>(n) < sizeof pila) {
        destino.append(pila, static_cast<size_t>(n));
        return;
    }
    // Into a text of its own: an argument may point into the destination, which grows here.
    std::string largo(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(largo.data(), largo.size(), formato, args);
    largo.resize(static_cast<size_t>(n));
    destino += largo;
}

void FormatoDeLaBiblioteca(std::string& destino, const char* formato, ...) {
    va_list args;
    va_start(args, formato);
    FormatoDeLaBiblioteca(destino, formato, args);
    va_end(args);
}

// One conversion of a format: "%[flags][width][.precision][length]conversion".
struct Conversion {
    const char* inicio = nullptr; // the "%"
    const char* fin = nullptr;    // past the conversion letter
    bool izquierda = false;       // "-"
    bool otrasBanderas = false;   // "+", " ", "#" or "0"
    bool anchoArgumento = false;  // "*"
    int ancho = 0;
    bool hayPrecision = false;
    bool precisionArgumento = false; // ".*"
    int precision = 0;
    char longitud = 0; // 'H' hh, 'h', 'l', 'q' ll, 'L', 'j', 'z', 't', or 0
    char letra = 0;
};

bool LeerNumero(const char*& p, int& valor) {
    if (*p < '0' || *p > '9') return false;
    int v = 0;
    while (*p >= '0' && *p <= '9') {
        if (v < 100000) v = v * 10 + (*p - '0');
        ++p;
    }
    valor = v;
    return true;
}

// Reads the conversion at p (a "%"); false for what is left to the C library as a whole
// ("%n", positional arguments, an unknown or missing letter).
bool LeerConversion(const char* p, Conversion& c) {
    c = Conversion{};
    c.inicio = p++;
    for (;; ++p) {
        if (*p == '-')
            c.izquierda = true;
        else if (*p == '+' || *p == ' ' || *p == '#' || *p == '0')
            c.otrasBanderas = true;
        else
            break;
    }
    if (*p == '*') {
        c.anchoArgumento = true;
        ++p;
    } else if (LeerNumero(p, c.ancho) && *p == '$') {
        return false;
    }
    if (*p == '.') {
        ++p;
        c.hayPrecision = true;
        if (*p == '*')
            c.precisionArgumento = true, ++p;
        else
            LeerNumero(p, c.precision);
    }
    switch (*p) {
    case 'h':
        c.longitud = p[1] == 'h' ? (++p, 'H') : 'h';
        ++p;
        break;
    case 'l':
        c.longitud = p[1] == 'l' ? (++p, 'q') : 'l';
        ++p;
        break;
    case 'L':
    case 'j':
    case 'z':
    case 't':
    case 'q':
        c.longitud = *p == 'q' ? 'q' : *p;
        ++p;
        break;
    default:
        break;
    }
    c.letra = *p;
    switch (c.letra) {
    case 'd':
    case 'i':
    case 'u':
    case 'o':
    case 'x':
    case 'X':
    case 'c':
    case 's':
    case 'p':
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
    case '%':
        break;
    default:
        return false;
    }
    // A wide character or string is left to the C library.
    if ((c.letra == 'c' || c.letra == 's') && c.longitud != 0) return false;
    c.fin = p + 1;
    return true;
}

// The text, padded with blanks to the width on the side the "-" says.
void Rellenar(std::string& destino, const char* texto, size_t largo, const Conversion& c) {
    const size_t ancho = c.ancho > 0 ? static_cast<size_t>(c.ancho) : 0;
    const size_t relleno = ancho > largo ? ancho - largo : 0;
    if (!c.izquierda) destino.append(relleno, ' ');
    destino.append(texto, largo);
    if (c.izquierda) destino.append(relleno, ' ');
}

// The rounding of to_chars and of the C library differ only when the value lies exactly
// half-way between the two candidates; then the digit after the last kept one is a 5 in
// the expansion with one digit more, and the C library decides.
bool PuedeSerEmpate(double valor, std::chars_format forma, int cifras) {
    char texto[400];
    auto [fin, error] = std::to_chars(texto, texto + sizeof texto, valor, forma, cifras + 1);
    if (error != std::errc()) return true;
    const char* p = fin; // past the last digit
    if (forma == std::chars_format::scientific)
        p = static_cast<const char*>(std::memchr(texto, 'e', static_cast<size_t>(fin - texto)));
    if (p == nullptr) return true;
    return p > texto && p[-1] == '5';
}

// "%g" from the expansion with one digit more than kept: when that digit is not a 5 the value
// is not a tie, and rounding those digits gives the C library's. False at a possible tie.
bool GeneralRapido(std::string& destino, double valor, int precision, const Conversion& c) {
    const int cifras = precision == 0 ? 1 : precision;
    char texto[64];
    auto [fin, error] = std::to_chars(texto, texto + sizeof texto, std::fabs(valor),
                                      std::chars_format::scientific, cifras);
    if (error != std::errc()) return false;
    char digitos[48];
    int n = 0;
    const char* p = texto;
    for (; *p != 'e'; ++p)
        if (*p != '.') digitos[n++] = *p;
    if (digitos[cifras] == '5') return false;
    int exponente = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), fin, exponente);
    if (digitos[cifras] > '5') {
        int i = cifras - 1;
        while (i >= 0 && digitos[i] == '9')
            digitos[i--] = '0';
        if (i >= 0) {
            ++digitos[i];
        } else {
            digitos[0] = '1';
            ++exponente;
        }
    }
    int ultima = cifras; // past the last digit that is not a trailing zero
    while (ultima > 1 && digitos[ultima - 1] == '0')
        --ultima;

    char salida[96];
    char* o = salida;
    if (std::signbit(valor)) *o++ = '-';
    if (exponente < -4 || exponente >= cifras) {
        *o++ = digitos[0];
        if (ultima > 1) {
            *o++ = '.';
            for (int i = 1; i < ultima; ++i)
                *o++ = digitos[i];
        }
        *o++ = 'e';
        *o++ = exponente < 0 ? '-' : '+';
        const int absoluto = exponente < 0 ? -exponente : exponente;
        if (absoluto < 10) *o++ = '0';
        o = std::to_chars(o, salida + sizeof salida, absoluto).ptr;
    } else if (exponente >= 0) {
        for (int i = 0; i <= exponente; ++i)
            *o++ = digitos[i];
        if (ultima > exponente + 1) {
            *o++ = '.';
            for (int i = exponente + 1; i < ultima; ++i)
                *o++ = digitos[i];
        }
    } else {
        *o++ = '0';
        *o++ = '.';
        for (int i = 0; i < -exponente - 1; ++i)
            *o++ = '0';
        for (int i = 0; i < ultima; ++i)
            *o++ = digitos[i];
    }
    Rellenar(destino, salida, static_cast<size_t>(o - salida), c);
    return true;
}

// "%f", "%e" and "%g" with only "-" and a width, by to_chars; false for what is left to
// the C library (other flags, values that are not finite, a possible tie, "%a").
bool RealRapido(std::string& destino, double valor, const Conversion& c) {
    if (c.otrasBanderas || !std::isfinite(valor)) return false;
    const int precision = c.hayPrecision ? c.precision : 6;
    if (precision > 300) return false;
    std::chars_format forma;
    int cifrasEmpate; // the precision with which a tie would show
    switch (c.letra) {
    case 'f':
        forma = std::chars_format::fixed;
        cifrasEmpate = precision;
        break;
    case 'e':
        forma = std::chars_format::scientific;
        cifrasEmpate = precision;
        break;
    case 'g': {
        if (precision <= 40) return GeneralRapido(destino, valor, precision, c);
        forma = std::chars_format::general;
        // "%g" keeps max(precision, 1) significant digits: scientific with one fewer.
        cifrasEmpate = (precision == 0 ? 1 : precision) - 1;
        break;
    }
    default:
        return false;
    }
    if (valor != 0 &&
        PuedeSerEmpate(valor,
                       forma == std::chars_format::fixed ? std::chars_format::fixed
                                                         : std::chars_format::scientific,
                       cifrasEmpate))
        return false;
    char texto[400];
    auto [fin, error] = std::to_chars(texto, texto + sizeof texto, valor, forma, precision);
    if (error != std::errc()) return false;
    Rellenar(destino, texto, static_cast<size_t>(fin - texto), c);
    return true;
}

template <class Entero> void EnteroRapido(std::string& destino, Entero valor, const Conversion& c) {
    char texto[32];
    auto [fin, error] = std::to_chars(texto, texto + sizeof texto, valor);
    (void)error;
    Rellenar(destino, texto, static_cast<size_t>(fin - texto), c);
}

// The conversion's text (its flags, width and precision with "*" already read), through
// the C library.
template <class T>
void UnaConversion(std::string& destino, const Conversion& c, int ancho, int precision, T valor) {
    std::string formato(c.inicio, c.fin);
    if (c.anchoArgumento || c.precisionArgumento) {
        // The widths read from the arguments go back into the text as numbers.
        std::string con = "%";
        for (const char* p = c.inicio + 1; p < c.fin; ++p) {
            if (*p != '*') {
                con += *p;
                continue;
            }
            const bool esPrecision = p > c.inicio && p[-1] == '.';
            int n = esPrecision ? precision : ancho;
            if (!esPrecision && n < 0) {
                con += '-';
                n = -n;
            }
            if (esPrecision && n < 0) {
                con.pop_back(); // the "." goes: a negative precision is none
                continue;
            }
            con += std::to_string(n);
        }
        formato = con;
    }
    FormatoDeLaBiblioteca(destino, formato.c_str(), valor);
}

// False, with the arguments partly read, at a conversion left to the C library as a whole.
bool Formatear(std::string& destino, const char* formato, va_list args) {
    const char* p = formato;
    for (;;) {
        const char* por = std::strchr(p, '%');
        if (por == nullptr) {
            destino.append(p);
            return true;
        }
        destino.append(p, static_cast<size_t>(por - p));
        Conversion c;
        if (!LeerConversion(por, c)) return false;
        p = c.fin;
        if (c.letra == '%') {
            destino += '%';
            continue;
        }
        int ancho = c.ancho, precision = c.precision;
        if (c.anchoArgumento) {
            ancho = va_arg(args, int);
            c.izquierda = c.izquierda || ancho < 0;
            c.ancho = ancho < 0 ? -ancho : ancho;
        }
        if (c.precisionArgumento) {
            precision = va_arg(args, int);
            c.hayPrecision = precision >= 0;
            c.precision = precision < 0 ? 0 : precision;
        }
        const bool sencilla = !c.otrasBanderas;
        switch (c.letra) {
        case 'd':
        case 'i':
            if (c.longitud == 'l' || c.longitud == 'q' || c.longitud == 'j' || c.longitud == 'z' ||
                c.longitud == 't') {
                long long v = c.longitud == 'l' ? va_arg(args, long) : va_arg(args, long long);
                if (sencilla && !c.hayPrecision)
                    EnteroRapido(destino, v, c);
                else
                    UnaConversion(destino, c, ancho, precision, v);
            } else {
                int v = va_arg(args, int);
                if (c.longitud == 'h') v = static_cast<short>(v);
                if (c.longitud == 'H') v = static_cast<signed char>(v);
                if (sencilla && !c.hayPrecision)
                    EnteroRapido(destino, v, c);
                else
                    UnaConversion(destino, c, ancho, precision, v);
            }
            break;
        case 'u':
        case 'o':
        case 'x':
        case 'X':
            if (c.longitud == 'l' || c.longitud == 'q' || c.longitud == 'j' || c.longitud == 'z' ||
                c.longitud == 't') {
                unsigned long long v = c.longitud == 'l' ? va_arg(args, unsigned long)
                                                         : va_arg(args, unsigned long long);
                UnaConversion(destino, c, ancho, precision, v);
            } else {
                unsigned v = va_arg(args, unsigned);
                if (c.letra == 'u' && sencilla && !c.hayPrecision && c.longitud == 0)
                    EnteroRapido(destino, v, c);
                else
                    UnaConversion(destino, c, ancho, precision, v);
            }
            break;
        case 'c':
            UnaConversion(destino, c, ancho, precision, va_arg(args, int));
            break;
        case 'p':
            UnaConversion(destino, c, ancho, precision, va_arg(args, void*));
            break;
        case 's': {
            const char* s = va_arg(args, const char*);
            if (s == nullptr || !sencilla) {
                UnaConversion(destino, c, ancho, precision, s);
                break;
            }
            const size_t largo =
                c.hayPrecision ? strnlen(s, static_cast<size_t>(c.precision)) : std::strlen(s);
            Rellenar(destino, s, largo, c);
            break;
        }
        default: // the reals
            if (c.longitud == 'L') {
                UnaConversion(destino, c, ancho, precision, va_arg(args, long double));
            } else {
                double v = va_arg(args, double);
                if (!RealRapido(destino, v, c)) UnaConversion(destino, c, ancho, precision, v);
            }
            break;
        }
    }
}

} // namespace

void AnadirFormatoCv(std::string& destino, const char* formato, va_list args) {
    // The usual conversions are written here, with the C library's digits, into a text of
    // their own appended at the end (an argument may point into the destination, which
    // moves as it grows). Anything unusual in the format leaves all of it to the C library.
    thread_local std::string texto;
    texto.clear();
    va_list copia;
    va_copy(copia, args);
    const bool hecho = Formatear(texto, formato, copia);
    va_end(copia);
    if (hecho)
        destino += texto;
    else
        FormatoDeLaBiblioteca(destino, formato, args);
}

void AnadirFormatoCvAparte(std::string& destino, const char* formato, va_list args) {
    const size_t antes = destino.size();
    va_list copia;
    va_copy(copia, args);
    const bool hecho = Formatear(destino, formato, copia);
    va_end(copia);
    if (hecho) return;
    destino.resize(antes);
    FormatoDeLaBiblioteca(destino, formato, args);
}

std::string FormatoCv(const char* formato, va_list args) {
    std::string s;
    AnadirFormatoCv(s, formato, args);
    return s;
}

std::string FormatoC(const char* formato, ...) {
    va_list args;
    va_start(args, formato);
    std::string s = FormatoCv(formato, args);
    va_end(args);
    return s;
}
