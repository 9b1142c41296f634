#include "plataforma/base/numbers.h"

#include "plataforma/base/c_format.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/regional.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace {

// A finite value as decimal digits: value = ±0.d1d2d3... × 10^exponente. No leading or
// trailing zeros in digitos; zero has no digits.
struct Decimal {
    bool negativo = false;
    std::string digitos;
    int exponente = 0;

    bool EsCero() const { return digitos.empty(); }
};

// The exact decimal expansion of a finite double. glibc prints every digit exactly when
// asked for enough decimals: the last bit of a double is 2^(exp-53), which has 53-exp
// decimals (at most 1074, for subnormals).
Decimal ExpansionExacta(double valor) {
    Decimal d;
    d.negativo = std::signbit(valor);
    if (valor == 0) return d;
    int exp2 = 0;
    std::frexp(valor, &exp2);
    int decimales = std::clamp(53 - exp2, 0, 1074);
    std::string texto = FormatoC("%.*f", decimales, std::fabs(valor));
    size_t punto = texto.find('.');
    std::string entera = texto.substr(0, punto);
    d.digitos = entera + (punto == std::string::npos ? std::string() : texto.substr(punto + 1));
    d.exponente = static_cast<int>(entera.size());
    size_t primero = d.digitos.find_first_not_of('0');
    d.digitos.erase(0, primero);
    d.exponente -= static_cast<int>(primero);
    d.digitos.erase(d.digitos.find_last_not_of('0') + 1);
    return d;
}

// Keeps the first `cifras` significant digits; the rest rounds half away from zero.
void Redondear(Decimal& d, int cifras) {
    if (cifras >= static_cast<int>(d.digitos.size())) return;
    if (cifras < 0) {
        d.digitos.clear();
        return;
    }
    bool sube = d.digitos[static_cast<size_t>(cifras)] >= '5';
    d.digitos.resize(static_cast<size_t>(cifras));
    if (sube) {
        int i = cifras - 1;
        while (i >= 0 && d.digitos[static_cast<size_t>(i)] == '9')
            d.digitos[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digitos[static_cast<size_t>(i)];
        } else {
            d.digitos.insert(d.digitos.begin(), '1');
            ++d.exponente;
        }
    }
    d.digitos.erase(d.digitos.find_last_not_of('0') + 1);
}

// The exact expansion rounded half away from zero to `cifras` significant digits, from
// to_chars' correctly rounded expansion with one digit more: unless that digit is a 5 the value
// is not a tie, and rounding the digits is rounding the value. Only a possible tie writes out
// every digit.
Decimal Redondeado(double valor, int cifras) {
    Decimal d;
    d.negativo = std::signbit(valor);
    if (valor == 0) return d;
    const double absoluto = std::fabs(valor);
    char texto[40];
    auto [fin, error] =
        std::to_chars(texto, texto + sizeof texto, absoluto, std::chars_format::scientific, cifras);
    const char* e =
        static_cast<const char*>(std::memchr(texto, 'e', static_cast<size_t>(fin - texto)));
    if (error != std::errc() || e == nullptr || e[-1] == '5') {
        d = ExpansionExacta(valor);
        Redondear(d, cifras);
        return d;
    }
    // Not a tie: rounding the digits written (half up, the last is not a 5) is rounding the
    // value.
    for (const char* p = texto; p < e; ++p)
        if (*p != '.') d.digitos += *p;
    int exponente10 = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), fin, exponente10);
    d.exponente = exponente10 + 1;
    d.digitos.erase(d.digitos.find_last_not_of('0') + 1);
    Redondear(d, cifras);
    return d;
}

// The pattern's rounding by integers: 18 significant digits half away from zero, then the
// pattern's decimals half up, as Redondeado and Redondear give them, for values from 10^-3 to
// 10^15 whose decimals lie within those 18 digits. The value is m / 2^k exactly; times 10^s
// (s = 17 - its decimal exponent, at most 21) it has 18 digits before the point, and the 128-bit
// product keeps every bit. Gives the rounded value times 10^decimales; false outside that range.
bool RedondeoEntero(double valor, int decimales, uint64_t& resultado) {
#if defined(__SIZEOF_INT128__)
    using U128 = unsigned __int128;
    const double absoluto = std::fabs(valor);
    if (!(absoluto >= 1e-3 && absoluto < 1e15) || decimales < 0 || decimales > 18) return false;
    int exp2 = 0;
    const double fraccion = std::frexp(absoluto, &exp2);
    const auto m = static_cast<uint64_t>(std::ldexp(fraccion, 53));
    const int k = 53 - exp2; // from 3 to 62 in this range
    static const auto kPotencias = [] {
        std::array<U128, 22> p{};
        p[0] = 1;
        for (size_t i = 1; i < p.size(); ++i)
            p[i] = p[i - 1] * 10;
        return p;
    }();
    auto potencia = [](int n) { return kPotencias[static_cast<size_t>(n)]; };
    const U128 menor = potencia(17), mayor = potencia(18);
    // floor(log10(2^(exp2 - 1))): the decimal exponent or one less (78913 / 2^18 is just
    // below log10(2)).
    int e10 = ((exp2 - 1) * 78913) >> 18;
    for (int intento = 0; intento < 3; ++intento) {
        const int s = 17 - e10;
        if (s < 0 || s > 21 || decimales > s) return false;
        const U128 producto = static_cast<U128>(m) * potencia(s);
        const U128 entero = producto >> k;
        if (entero < menor) {
            --e10;
            continue;
        }
        if (entero >= mayor) {
            ++e10;
            continue;
        }
        const U128 resto = producto - (entero << k);
        const auto cifras18 = static_cast<uint64_t>(entero + (resto >= (U128{1} << (k - 1))));
        const auto divisor = static_cast<uint64_t>(potencia(s - decimales));
        resultado = cifras18 / divisor + ((cifras18 % divisor) * 2 >= divisor ? 1 : 0);
        return true;
    }
#else
    (void)valor;
    (void)decimales;
    (void)resultado;
#endif
    return false;
}

// The digit of the 10^(exponente - 1 - i) place: i counts from the first significant place.
char Cifra(const Decimal& d, int i) {
    if (i < 0 || i >= static_cast<int>(d.digitos.size())) return '0';
    return d.digitos[static_cast<size_t>(i)];
}

const char* NoFinito(double valor) {
    if (std::isnan(valor)) return "NAN";
    return valor < 0 ? "-INF" : "INF";
}

// What a FormatFloat pattern asks for: literal text around the digit placeholders, the
// digits that always show ('0') and the decimals that may show ('#').
struct Patron {
    std::string prefijo, sufijo;
    int enterosMinimos = 0;
    int decimalesMinimos = 0;
    int decimalesMaximos = 0;
};

Patron LeerPatron(const std::string& formato) {
    Patron p;
    const char* marcas = "0#.";
    size_t inicio = formato.find_first_of(marcas);
    if (inicio == std::string::npos) {
        p.prefijo = formato;
        return p;
    }
    size_t fin = formato.find_last_of(marcas) + 1;
    p.prefijo = formato.substr(0, inicio);
    p.sufijo = formato.substr(fin);
    bool enDecimales = false;
    for (size_t i = inicio; i < fin; ++i) {
        char c = formato[i];
        if (c == '.') {
            enDecimales = true;
        } else if (c == '0' || c == '#') {
            if (!enDecimales) {
                if (c == '0') ++p.enterosMinimos;
            } else {
                ++p.decimalesMaximos;
                if (c == '0') p.decimalesMinimos = p.decimalesMaximos;
            }
        }
    }
    return p;
}

// clase: "numérico" or "entero".
[[noreturn]] void NoEsValor(const AnsiString& texto, const char* clase) {
    throw EConvertError("'" + texto + "' no es un valor " + clase + " válido");
}

bool EsCifra(char c) {
    return c >= '0' && c <= '9';
}

// Skips a run of digits from i; true when there was at least one.
bool SaltarCifras(const std::string& s, size_t& i) {
    size_t inicio = i;
    while (i < s.size() && EsCifra(s[i]))
        ++i;
    return i > inicio;
}

locale_t LocaleC() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

} // namespace

AnsiString FormatFloat(const AnsiString& formato, double valor) {
    if (formato.IsEmpty()) return FloatToStr(valor);
    if (!std::isfinite(valor)) return NoFinito(valor);
    Patron p = LeerPatron(formato.str());

    // The class library first takes the value to 18 significant digits, then to the
    // pattern's decimals: 2.675 (2.67499999999999982...) stays 2.67, 0.125 gives 0.13.
    std::string entera;
    std::string decimales;
    bool cero = false;
    uint64_t escalado = 0;
    if (RedondeoEntero(valor, p.decimalesMaximos, escalado)) {
        uint64_t unidad = 1;
        for (int i = 0; i < p.decimalesMaximos; ++i)
            unidad *= 10;
        if (escalado >= unidad) entera = std::to_string(escalado / unidad);
        decimales.assign(static_cast<size_t>(p.decimalesMaximos), '0');
        for (uint64_t resto = escalado % unidad, i = decimales.size(); i > 0; resto /= 10)
            decimales[--i] = static_cast<char>('0' + resto % 10);
        cero = escalado == 0;
    } else {
        Decimal d = Redondeado(valor, 18);
        Redondear(d, d.exponente + p.decimalesMaximos);
        for (int i = 0; i < d.exponente; ++i)
            entera += Cifra(d, i);
        for (int i = 0; i < p.decimalesMaximos; ++i)
            decimales += Cifra(d, d.exponente + i);
        cero = d.EsCero();
    }
    if (static_cast<int>(entera.size()) < p.enterosMinimos)
        entera.insert(0, static_cast<size_t>(p.enterosMinimos) - entera.size(), '0');

    while (static_cast<int>(decimales.size()) > p.decimalesMinimos && decimales.back() == '0')
        decimales.pop_back();

    std::string numero = entera;
    if (!decimales.empty()) numero += GetDecimalSeparator() + decimales;
    if (numero.empty()) numero = "0";
    // A negative value that rounds to zero shows no sign.
    if (std::signbit(valor) && !cero) numero.insert(0, 1, '-');
    return AnsiString(p.prefijo + numero + p.sufijo);
}

AnsiString FloatToStr(double valor) {
    if (!std::isfinite(valor)) return NoFinito(valor);
    Decimal d = Redondeado(valor, 15);
    if (d.EsCero()) return AnsiString("0");

    const char separador = GetDecimalSeparator();
    std::string s = d.negativo ? "-" : "";
    int exponente10 = d.exponente - 1; // value = d.ddd × 10^exponente10
    if (exponente10 >= 15 || exponente10 < -4) {
        s += d.digitos[0];
        if (d.digitos.size() > 1) s += separador + d.digitos.substr(1);
        s += "E" + std::to_string(exponente10);
    } else if (d.exponente <= 0) {
        s += "0";
        s += separador;
        s.append(static_cast<size_t>(-d.exponente), '0');
        s += d.digitos;
    } else {
        for (int i = 0; i < d.exponente; ++i)
            s += Cifra(d, i);
        if (static_cast<int>(d.digitos.size()) > d.exponente)
            s += separador + d.digitos.substr(static_cast<size_t>(d.exponente));
    }
    return AnsiString(std::move(s));
}

AnsiString FloatToStrF(double valor, TFloatFormat formato, int precision, int digitos) {
    if (!std::isfinite(valor)) return NoFinito(valor);
    precision = std::clamp(precision, 1, 18);
    digitos = std::clamp(digitos, 0, 18);
    Decimal d = ExpansionExacta(valor);
    Redondear(d, precision);
    if (formato == ffGeneral || d.exponente > precision) return FloatToStr(valor);
    Redondear(d, d.exponente + digitos);
    std::string s;
    for (int i = 0; i < d.exponente; ++i)
        s += Cifra(d, i);
    if (s.empty()) s = "0";
    if (digitos > 0) {
        s += GetDecimalSeparator();
        for (int i = 0; i < digitos; ++i)
            s += Cifra(d, d.exponente + i);
    }
    // A negative value that rounds to zero shows no sign, as in FormatFloat.
    if (d.negativo && !d.EsCero()) s.insert(0, 1, '-');
    return AnsiString(std::move(s));
}

bool TryStrToFloat(const AnsiString& texto, double& valor) {
    const std::string s = texto.Trim().str();
    const char separador = GetDecimalSeparator();

    // [sign] digits [separator digits] [E [sign] digits], with a digit before or after
    // the separator. Everything else (inf, nan, hex, the other separator) is refused
    // before the C library sees it.
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool hayCifras = SaltarCifras(s, i);
    std::string normalizado = s.substr(0, i);
    if (i < s.size() && s[i] == separador) {
        ++i;
        size_t inicioDecimales = i;
        hayCifras = SaltarCifras(s, i) || hayCifras;
        normalizado += '.' + s.substr(inicioDecimales, i - inicioDecimales);
    }
    if (!hayCifras) return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        size_t inicioExponente = i++;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (!SaltarCifras(s, i)) return false;
        normalizado += s.substr(inicioExponente, i - inicioExponente);
    }
    if (i != s.size()) return false;

    char* fin = nullptr;
    double leido = strtod_l(normalizado.c_str(), &fin, LocaleC());
    if (fin != normalizado.c_str() + normalizado.size() || std::isinf(leido)) return false;
    valor = leido;
    return true;
}

double StrToFloat(const AnsiString& texto) {
    double valor = 0;
    if (!TryStrToFloat(texto, valor)) NoEsValor(texto, "numérico");
    return valor;
}

bool TryStrToInt(const AnsiString& texto, int& valor) {
    const std::string s = texto.Trim().str();
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t inicioCifras = i;
    if (!SaltarCifras(s, i) || i != s.size()) return false;
    // from_chars takes a leading '-' but not a '+'.
    const char* desde = s.data() + (s[0] == '-' ? 0 : inicioCifras);
    int leido = 0;
    auto [fin, error] = std::from_chars(desde, s.data() + s.size(), leido);
    if (error != std::errc() || fin != s.data() + s.size()) return false;
    valor = leido;
    return true;
}

int StrToInt(const AnsiString& texto) {
    int valor = 0;
    if (!TryStrToInt(texto, valor)) NoEsValor(texto, "entero");
    return valor;
}

int StrToIntDef(const AnsiString& texto, int defecto) {
    int valor = 0;
    return TryStrToInt(texto, valor) ? valor : defecto;
}

AnsiString IntToStr(long long valor) {
    return AnsiString(std::to_string(valor));
}

AnsiString IntToHex(long long valor, int digitos) {
    // Negative values show their 64-bit two's complement.
    return AnsiString(
        FormatoC("%0*llX", std::max(digitos, 0), static_cast<unsigned long long>(valor)));
}
