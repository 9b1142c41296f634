#include "plataforma/base/c_format.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstddef>
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

// Powers of ten, as doubles (exact up to 1e22) and as integers.
constexpr double kPotencias[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr uint64_t kPotenciasEnteras[] = {1ull,
                                          10ull,
                                          100ull,
                                          1000ull,
                                          10000ull,
                                          100000ull,
                                          1000000ull,
                                          10000000ull,
                                          100000000ull,
                                          1000000000ull,
                                          10000000000ull,
                                          100000000000ull,
                                          1000000000000ull,
                                          10000000000000ull,
                                          100000000000000ull,
                                          1000000000000000ull,
                                          10000000000000000ull,
                                          100000000000000000ull,
                                          1000000000000000000ull,
                                          10000000000000000000ull};
// A float times 10^k, k up to this, is exact in a double: 24 bits times 5^12 < 2^28.
constexpr int kEscalaExacta = 12;

bool EsFloat(double x) {
    return x <= FLT_MAX && static_cast<double>(static_cast<float>(x)) == x;
}

// Rounds y (exact, 0 <= y < 2^63) to an integer as the C library does; false at a tie,
// which is left to it.
bool RedondearExacto(double y, uint64_t& q) {
    // Through signed integers, which convert in one instruction.
    const int64_t entero = static_cast<int64_t>(y);
    const double resto = y - static_cast<double>(entero); // exact: y and q share the scale
    q = static_cast<uint64_t>(entero);
    if (resto == 0.5) return false;
    if (resto > 0.5) ++q;
    return true;
}

// The digits of a float x (finite, > 0) rounded to `cifras` significant digits (up to 15):
// q with exactly that many digits and the decimal exponent of the first. Exact arithmetic:
// x times a power of ten that a double holds exactly, or an integer x divided by one. False
// where that is not possible (very large or small x, a fractional x above 10^cifras) and at a
// tie.
bool CifrasDeFloat(double x, int cifras, uint64_t& q, int& exponente) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const int binario = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
    int e = (binario * 1233) >> 12; // floor(binario * log10(2)): the exponent or one less
    const uint64_t piso = kPotenciasEnteras[cifras - 1];
    const uint64_t techo = kPotenciasEnteras[cifras];
    for (int intento = 0; intento < 3; ++intento) {
        const int k = cifras - 1 - e;
        if (k >= 0) {
            if (k > kEscalaExacta) return false;
            const double y = x * kPotencias[k];
            if (y >= kPotencias[cifras]) {
                ++e;
                continue;
            }
            if (y < kPotencias[cifras - 1]) {
                --e;
                continue;
            }
            if (!RedondearExacto(y, q)) return false;
        } else {
            if (-k > 19 || x >= 0x1p63) return false;
            const uint64_t n = static_cast<uint64_t>(x);
            if (static_cast<double>(n) != x) return false;
            const uint64_t divisor = kPotenciasEnteras[-k];
            q = n / divisor;
            if (q >= techo) {
                ++e;
                continue;
            }
            if (q < piso) {
                --e;
                continue;
            }
            const uint64_t resto = n % divisor;
            if (2 * resto == divisor) return false;
            if (2 * resto > divisor) ++q;
        }
        if (q == techo) {
            q = piso;
            ++e;
        }
        exponente = e;
        return true;
    }
    return false;
}

// The last `cifras` digits of q at o, with leading zeros; two at a time.
void EnteroFijo(char* o, uint64_t q, int cifras) {
    static constexpr char kPares[] = "00010203040506070809101112131415161718192021222324"
                                     "25262728293031323334353637383940414243444546474849"
                                     "50515253545556575859606162636465666768697071727374"
                                     "75767778798081828384858687888990919293949596979899";
    int i = cifras;
    for (; i >= 2; i -= 2, q /= 100)
        std::memcpy(o + i - 2, kPares + 2 * (q % 100), 2);
    if (i == 1) o[0] = static_cast<char>('0' + q % 10);
}

// The blanks that fill the width before a text of that length, at o; returns past them.
char* Relleno(char* o, size_t largo, int ancho) {
    if (static_cast<size_t>(ancho) <= largo) return o;
    const size_t relleno = static_cast<size_t>(ancho) - largo;
    std::memset(o, ' ', relleno);
    return o + relleno;
}

// The digits of |valor| rounded to `cifras` significant digits, into digitos, and the
// exponent of the first; false at a possible tie. A float goes by exact arithmetic; any other
// value by the expansion with one digit more than kept: when that digit is not a 5 the value
// is not a tie, and rounding those digits gives the C library's.
bool CifrasSignificativas(double valor, int cifras, char* digitos, int& exponente) {
    const double x = std::fabs(valor);
    if (x == 0) {
        std::memset(digitos, '0', static_cast<size_t>(cifras));
        exponente = 0;
        return true;
    }
    uint64_t q;
    if (cifras <= 15 && EsFloat(x) && CifrasDeFloat(x, cifras, q, exponente)) {
        EnteroFijo(digitos, q, cifras);
        return true;
    }
    char texto[64];
    auto [fin, error] =
        std::to_chars(texto, texto + sizeof texto, x, std::chars_format::scientific, cifras);
    if (error != std::errc()) return false;
    int n = 0;
    const char* p = texto;
    for (; *p != 'e'; ++p)
        if (*p != '.') digitos[n++] = *p;
    if (digitos[cifras] == '5') return false;
    exponente = 0;
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
    return true;
}

// The text [inicio, fin) moved right within its room to fill the width with blanks.
char* AlAncho(char* inicio, char* fin, int ancho) {
    const ptrdiff_t largo = fin - inicio;
    if (largo >= ancho) return fin;
    const size_t relleno = static_cast<size_t>(ancho - largo);
    std::memmove(inicio + relleno, inicio, static_cast<size_t>(largo));
    std::memset(inicio, ' ', relleno);
    return inicio + ancho;
}

// "%<ancho>.<precision>g" (precision up to 40), at o; nullptr, with nothing written, at a
// possible tie.
char* General(char* o, double valor, int precision, int ancho) {
    const int cifras = precision == 0 ? 1 : precision;
    char digitos[48];
    int exponente;
    if (!CifrasSignificativas(valor, cifras, digitos, exponente)) return nullptr;
    int ultima = cifras; // past the last digit that is not a trailing zero
    while (ultima > 1 && digitos[ultima - 1] == '0')
        --ultima;

    const bool negativo = std::signbit(valor);
    const bool cientifica = exponente < -4 || exponente >= cifras;
    const int absoluto = exponente < 0 ? -exponente : exponente;
    // The length first, so that the blanks go in front without moving the text.
    size_t largo = negativo ? 1 : 0;
    if (cientifica)
        largo += static_cast<size_t>((ultima > 1 ? ultima + 1 : 1) + (absoluto >= 100 ? 5 : 4));
    else if (exponente >= 0)
        largo += static_cast<size_t>(ultima > exponente + 1 ? ultima + 1 : exponente + 1);
    else
        largo += static_cast<size_t>(1 - exponente + ultima);
    o = Relleno(o, largo, ancho);

    if (negativo) *o++ = '-';
    if (cientifica) {
        *o++ = digitos[0];
        if (ultima > 1) {
            *o++ = '.';
            std::memcpy(o, digitos + 1, static_cast<size_t>(ultima - 1));
            o += ultima - 1;
        }
        *o++ = 'e';
        *o++ = exponente < 0 ? '-' : '+';
        if (absoluto < 10) *o++ = '0';
        o = std::to_chars(o, o + 4, absoluto).ptr;
    } else if (exponente >= 0) {
        std::memcpy(o, digitos, static_cast<size_t>(exponente + 1));
        o += exponente + 1;
        if (ultima > exponente + 1) {
            *o++ = '.';
            std::memcpy(o, digitos + exponente + 1, static_cast<size_t>(ultima - exponente - 1));
            o += ultima - exponente - 1;
        }
    } else {
        *o++ = '0';
        *o++ = '.';
        for (int i = 0; i < -exponente - 1; ++i)
            *o++ = '0';
        std::memcpy(o, digitos, static_cast<size_t>(ultima));
        o += ultima;
    }
    return o;
}

// "%<ancho>.<precision>f", at o (room for LargoRealF); nullptr, with nothing written, at a
// possible tie. A float with up to 12 decimals goes by exact arithmetic, any other value by
// to_chars.
char* Fijo(char* o, double valor, int precision, int ancho) {
    const double x = std::fabs(valor);
    uint64_t q;
    if (precision <= kEscalaExacta && EsFloat(x) && x * kPotencias[precision] < 0x1p63 &&
        RedondearExacto(x * kPotencias[precision], q)) {
        const uint64_t escala = kPotenciasEnteras[precision];
        const uint64_t entera = q / escala;
        int cifrasEnteras = 1;
        while (cifrasEnteras < 19 && entera >= kPotenciasEnteras[cifrasEnteras])
            ++cifrasEnteras;
        const bool negativo = std::signbit(valor);
        o = Relleno(
            o, static_cast<size_t>(negativo + cifrasEnteras + (precision > 0 ? precision + 1 : 0)),
            ancho);
        if (negativo) *o++ = '-';
        EnteroFijo(o, entera, cifrasEnteras);
        o += cifrasEnteras;
        if (precision > 0) {
            *o++ = '.';
            EnteroFijo(o, q % escala, precision);
            o += precision;
        }
        return o;
    }
    if (x != 0 && PuedeSerEmpate(valor, std::chars_format::fixed, precision)) return nullptr;
    char* fin =
        std::to_chars(o, o + LargoRealF(0, precision), valor, std::chars_format::fixed, precision)
            .ptr;
    return AlAncho(o, fin, ancho);
}

// The C library's own conversion of one real at o, under the "C" locale.
char* RealDeLaBiblioteca(char* o, size_t sitio, char letra, double valor, int ancho,
                         int precision) {
    const char formato[] = {'%', '*', '.', '*', letra, '\0'};
    ConLocaleC c;
    const int n = std::snprintf(o, sitio, formato, ancho, precision, valor);
    return o + (n > 0 ? std::min(static_cast<size_t>(n), sitio - 1) : 0);
}

// "%f", "%e" and "%g" with only "-" and a width, with the C library's digits; false for what
// is left to it (other flags, values that are not finite, a possible tie, "%a").
bool RealRapido(std::string& destino, double valor, const Conversion& c) {
    if (c.otrasBanderas || !std::isfinite(valor)) return false;
    const int precision = c.hayPrecision ? c.precision : 6;
    if (precision > 300) return false;
    char texto[640];
    char* fin = nullptr;
    if (c.letra == 'f') {
        fin = Fijo(texto, valor, precision, 0);
    } else if (c.letra == 'g' && precision <= 40) {
        fin = General(texto, valor, precision, 0);
    } else if (c.letra == 'e' || c.letra == 'g') {
        const bool e = c.letra == 'e';
        // "%g" keeps max(precision, 1) significant digits: scientific with one fewer.
        const int cifrasEmpate = e ? precision : (precision == 0 ? 1 : precision) - 1;
        if (valor != 0 && PuedeSerEmpate(valor, std::chars_format::scientific, cifrasEmpate))
            return false;
        auto [final, error] = std::to_chars(
            texto, texto + sizeof texto, valor,
            e ? std::chars_format::scientific : std::chars_format::general, precision);
        if (error == std::errc()) fin = final;
    }
    if (fin == nullptr) return false;
    Rellenar(destino, texto, static_cast<size_t>(fin - texto), c);
    return true;
}

// EscribirRealG and EscribirRealF: the way without the C library where it gives its text.
char* RealDirecto(char* destino, char letra, double valor, int ancho, int precision) {
    const bool g = letra == 'g';
    char* fin = nullptr;
    if (std::isfinite(valor) && precision <= (g ? 40 : 300))
        fin =
            g ? General(destino, valor, precision, ancho) : Fijo(destino, valor, precision, ancho);
    if (fin != nullptr) return fin;
    const size_t sitio = g ? LargoRealG(ancho, precision) : LargoRealF(ancho, precision);
    return RealDeLaBiblioteca(destino, sitio + 1, letra, valor, ancho, precision);
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

char* EscribirRealG(char* destino, double valor, int ancho, int precision) {
    return RealDirecto(destino, 'g', valor, ancho, precision);
}

char* EscribirRealF(char* destino, double valor, int ancho, int precision) {
    return RealDirecto(destino, 'f', valor, ancho, precision);
}
