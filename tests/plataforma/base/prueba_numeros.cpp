// The class library's number functions: FormatFloat, FloatToStr, StrToFloat, StrToInt.

#include "plataforma/base/exceptions.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"
#include "tests/comun/separador_regional.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <utility>

namespace {

// Sets the regional separator for the scope and puts the previous one back.

// The expected text written with '.', as it reads under the given separator.
std::string ConComa(std::string texto, char separador) {
    for (char& c : texto)
        if (c == '.') c = separador;
    return texto;
}

const char kSeparadores[] = {'.', ','};

struct CasoFormato {
    const char* patron;
    double valor;
    const char* esperado;
};

const CasoFormato kCasosFormato[] = {
    // Exact ties round away from zero.
    {"0.0", 12.25, "12.3"},
    {"0.0", -12.25, "-12.3"},
    {"0.00", 0.125, "0.13"},
    {"0", 2.5, "3"},
    {"0", -0.5, "-1"},
    {"0", 4503599627370495.5, "4503599627370496"},
    // Below the tie in binary: 2.67499999999999982...
    {"0.00", 2.675, "2.67"},
    {"0.000", 1.0005, "1.000"},
    // 1000.00499999999999545... is 1000.00500000000000 at 18 digits, then a tie.
    {"0.00", 1000.005, "1000.01"},
    {"0.000", 0.1245, "0.125"},
    // No negative zero.
    {"0.0", -0.04, "0.0"},
    {"0", -0.4, "0"},
    {"0.00", -0.0, "0.00"},
    {"0.000", 0.0, "0.000"},
    // The patterns the programs use.
    {"0.000", 3.14159, "3.142"},
    {"0.00", 1234.5678, "1234.57"},
    {"0.0", 0.95, "0.9"}, // 0.9499999999999999555...
    {"0.0", 9.96, "10.0"},
    {"0", 999.5, "1000"},
    {"0.0000", 0.00005, "0.0001"},
    {"0.0000", 1.0 / 3.0, "0.3333"},
    {"0.000", 0.6f, "0.600"},
    {"0", 1e20, "100000000000000000000"},
    {"0.00", 1e-10, "0.00"},
    // Values the programs show, most of them 32-bit floats.
    {"0.000", 0.05f, "0.050"},
    {"0.000", 0.02f, "0.020"},
    {"0.000", 0.1f, "0.100"},
    {"0.000", -1.0f, "-1.000"},
    {"0.000", 0.00001f, "0.000"},
    {"0.00", 5.6f, "5.60"},
    {"0.00", 0.9f, "0.90"},
    {"0.00", 0.1f, "0.10"},
    {"0.00", 0.2f, "0.20"},
    {"0.00", 0.136, "0.14"},
    {"0.00", 0.107, "0.11"},
    {"0.00", 1.0f / 0.17f, "5.88"},
    {"0.00", 1.0f / (0.2f / 0.5f + 0.17f), "1.75"},
    {"0.00", 1.0f / (0.18f + 0.17f), "2.86"},
    // An opening with 20 % frame, Ug 2.8, Uf 5.7, g 0.75 and frame absorptivity 0.6.
    {"0.00", 0.8f * 2.8f + 0.2f * 5.7f, "3.38"},
    {"0.00", 0.8f * 0.75f + 0.2f * 0.04f * 5.7f * 0.6f, "0.63"},
    {"0.0", 1000.0f, "1000.0"},
    {"0.0", 50.0f, "50.0"},
    {"0.0", 75.0f, "75.0"},
    {"0.0", 25.0f, "25.0"},
    {"0", 0, "0"},
    {"0", -2, "-2"},
    // Optional decimals and integer digits.
    {"0.##", 1.5, "1.5"},
    {"0.##", 2.0, "2"},
    {"0.0#", 1.999, "2.0"},
    {"#.00", 0.5, ".50"},
    {"000", 7, "007"},
    // Literal text around the number (without points, so that the swap leaves it).
    {"0.0 m", 2.25, "2.3 m"},
    {"U=0.00", 0.456, "U=0.46"},
    // Not finite.
    {"0.00", std::nan(""), "NAN"},
    {"0.00", std::numeric_limits<double>::infinity(), "INF"},
    {"0.00", -std::numeric_limits<double>::infinity(), "-INF"},
};

TEST(FormatFloat, RedondeaYUsaElSeparadorRegional) {
    for (char separador : kSeparadores) {
        SeparadorRegional con(separador);
        for (const CasoFormato& c : kCasosFormato) {
            EXPECT_EQ(FormatFloat(c.patron, c.valor).str(), ConComa(c.esperado, separador))
                << "patron " << c.patron << ", valor " << c.valor << ", separador " << separador;
        }
    }
}

TEST(FormatFloat, PatronVacioEsElFormatoGeneral) {
    EXPECT_EQ(FormatFloat("", 0.5).str(), "0.5");
}

// The rounding written out in full: every decimal of the value, 18 significant digits and
// then the decimals of the pattern, each half away from zero.
std::string RedondeoDeReferencia(double valor, int decimales) {
    char texto[1200];
    std::snprintf(texto, sizeof texto, "%.1074f", std::fabs(valor));
    std::string cifras(texto);
    size_t entera = cifras.find('.'); // cifras de la parte entera
    cifras.erase(entera, 1);
    // Deja las primeras "cuantas" cifras; un acarreo por delante añade una a la parte entera.
    auto redondear = [&](size_t cuantas) {
        if (cuantas >= cifras.size()) return;
        bool sube = cifras[cuantas] >= '5';
        std::fill(cifras.begin() + static_cast<long>(cuantas), cifras.end(), '0');
        size_t i = cuantas;
        while (sube && i > 0 && cifras[i - 1] == '9')
            cifras[--i] = '0';
        if (!sube) return;
        if (i > 0) {
            ++cifras[i - 1];
        } else {
            cifras.insert(cifras.begin(), '1');
            ++entera;
        }
    };
    const size_t primera = cifras.find_first_not_of('0');
    if (primera != std::string::npos) {
        redondear(primera + 18);
        redondear(entera + static_cast<size_t>(decimales));
    }
    std::string resultado = cifras.substr(0, entera);
    resultado.erase(0, std::min(resultado.find_first_not_of('0'), resultado.size() - 1));
    if (decimales > 0) resultado += "." + cifras.substr(entera, static_cast<size_t>(decimales));
    if (std::signbit(valor) && resultado.find_first_of("123456789") != std::string::npos)
        resultado.insert(0, "-");
    return resultado;
}

// Random values, as doubles and as the floats the programs keep, at every scale.
TEST(FormatFloat, IgualQueElRedondeoEscritoEntero) {
    std::mt19937_64 azar(37);
    std::uniform_int_distribution<int> entero(-20000000, 20000000);
    std::uniform_int_distribution<int> escala(0, 12);
    for (int i = 0; i < 20000; ++i) {
        double valor = entero(azar) / std::pow(10.0, escala(azar));
        if (i % 2) valor = static_cast<float>(valor);
        if (i % 5 == 0) valor = (entero(azar) + 0.5) / std::pow(2.0, escala(azar));
        // A decimal tie and its neighbours, where the 18 digits decide the rounding.
        if (i % 7 == 0) {
            valor = (entero(azar) + 0.5) / std::pow(10.0, escala(azar) % 8);
            if (i % 3 != 0) valor = std::nextafter(valor, i % 3 == 1 ? 1e300 : -1e300);
        }
        for (auto [patron, decimales] : {std::pair{"0", 0},
                                         {"0.00", 2},
                                         {"0.000", 3},
                                         {"0.0000", 4},
                                         {"0.0000000", 7},
                                         {"0.000000000000", 12}})
            ASSERT_EQ(FormatFloat(patron, valor).str(), RedondeoDeReferencia(valor, decimales))
                << std::hexfloat << valor << " " << patron;
    }
}

struct CasoGeneral {
    double valor;
    const char* esperado;
};

const CasoGeneral kCasosGenerales[] = {
    {static_cast<double>(0.6f), "0.600000023841858"},
    {0.4, "0.4"},
    {0.6, "0.6"},
    {0.5, "0.5"},
    {100, "100"},
    {0, "0"},
    {-0.0, "0"},
    {1e-5, "1E-5"},
    {0.0001, "0.0001"},
    {0.00012345, "0.00012345"},
    {0.000012345, "1.2345E-5"},
    {1e20, "1E20"},
    {1e15, "1E15"},
    {123456789012345, "123456789012345"},
    {-2.5e-7, "-2.5E-7"},
    {1.5e300, "1.5E300"},
    {-1.25, "-1.25"},
    {1.0 / 3.0, "0.333333333333333"},
    {2.0 / 3.0, "0.666666666666667"},
    {0.1 + 0.2, "0.3"},
    // Rounding to 15 digits carries into a new exponent.
    {999999999999999.9, "1E15"},
    // An exact tie at the 16th digit rounds away from zero.
    {1234567890123445, "1.23456789012345E15"},
    {-1234567890123445, "-1.23456789012345E15"},
    {std::nan(""), "NAN"},
    {std::numeric_limits<double>::infinity(), "INF"},
    {-std::numeric_limits<double>::infinity(), "-INF"},
};

TEST(FloatToStr, QuinceCifrasSignificativas) {
    for (char separador : kSeparadores) {
        SeparadorRegional con(separador);
        for (const CasoGeneral& c : kCasosGenerales)
            EXPECT_EQ(FloatToStr(c.valor).str(), ConComa(c.esperado, separador))
                << "valor " << c.esperado << ", separador " << separador;
    }
}

// The programs keep 32-bit floats: what FloatToStr shows must read back as the same float.
TEST(FloatToStr, SeLeeDeNuevoComoElMismoFloat) {
    std::mt19937 azar(12345);
    std::uniform_real_distribution<float> mantisa(-10.0f, 10.0f);
    std::uniform_int_distribution<int> exponente(-30, 30);
    for (char separador : kSeparadores) {
        SeparadorRegional con(separador);
        for (int i = 0; i < 2000; ++i) {
            float f = std::ldexp(mantisa(azar), exponente(azar));
            double leido = StrToFloat(FloatToStr(f));
            EXPECT_EQ(static_cast<float>(leido), f) << FloatToStr(f).str();
        }
    }
}

struct CasoLectura {
    const char* texto;
    bool valido;
    double valor;
};

// Written for the '.' separator; the ',' run swaps both separators in the text.
const CasoLectura kCasosLectura[] = {
    {"2.5", true, 2.5},   {" 2.5 ", true, 2.5},   {"\t-1.5e3\r\n", true, -1500},
    {"+3", true, 3},      {".5", true, 0.5},      {"5.", true, 5},
    {"1E-2", true, 0.01}, {"1e+2", true, 100},    {"007", true, 7},
    {"-0", true, -0.0},   {"1e-400", true, 0}, // underflow reads as zero
    {"1,5", false, 0},    {"1.2.3", false, 0},    {"abc", false, 0},
    {"", false, 0},       {"   ", false, 0},      {"inf", false, 0},
    {"-INF", false, 0},   {"Infinity", false, 0}, {"nan", false, 0},
    {"1e999", false, 0},  {"-1e999", false, 0},   {"0x10", false, 0},
    {"1e", false, 0},     {"1e+", false, 0},      {"e5", false, 0},
    {"-", false, 0},      {".", false, 0},        {"--1", false, 0},
    {"+-1", false, 0},    {"1 2", false, 0},      {"- 1", false, 0},
    {"1.5x", false, 0},   {"1d5", false, 0},
};

std::string CambiarSeparadores(const std::string& texto) {
    std::string s = texto;
    for (char& c : s)
        if (c == '.')
            c = ',';
        else if (c == ',')
            c = '.';
    return s;
}

TEST(StrToFloat, TextosBuenosYMalos) {
    for (char separador : kSeparadores) {
        SeparadorRegional con(separador);
        for (const CasoLectura& c : kCasosLectura) {
            std::string texto = separador == '.' ? c.texto : CambiarSeparadores(c.texto);
            SCOPED_TRACE("'" + texto + "' con separador " + separador);
            double valor = 77;
            EXPECT_EQ(TryStrToFloat(texto, valor), c.valido);
            if (c.valido) {
                EXPECT_EQ(valor, c.valor);
                EXPECT_EQ(std::signbit(valor), std::signbit(c.valor));
                EXPECT_EQ(StrToFloat(texto), c.valor);
            } else {
                EXPECT_EQ(valor, 77) << "un texto malo no cambia el valor";
                EXPECT_THROW(StrToFloat(texto), EConvertError);
            }
        }
    }
}

TEST(StrToFloat, LosDenormalesSeLeen) {
    SeparadorRegional con('.');
    EXPECT_EQ(StrToFloat("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(StrToFloat("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

struct CasoEntero {
    const char* texto;
    bool valido;
    int valor;
};

const CasoEntero kCasosEnteros[] = {
    {"42", true, 42},
    {" -7 ", true, -7},
    {"+5", true, 5},
    {"007", true, 7},
    {"2147483647", true, 2147483647},
    {"-2147483648", true, -2147483647 - 1},
    {"2147483648", false, 0},
    {"-2147483649", false, 0},
    {"99999999999999999999", false, 0},
    {"1.5", false, 0},
    {"1e3", false, 0},
    {"0x10", false, 0},
    {"", false, 0},
    {"abc", false, 0},
    {"-", false, 0},
    {"+-5", false, 0},
    {"- 5", false, 0},
    {"5 5", false, 0},
};

TEST(StrToInt, TextosBuenosYMalos) {
    for (const CasoEntero& c : kCasosEnteros) {
        SCOPED_TRACE(std::string("'") + c.texto + "'");
        int valor = 77;
        EXPECT_EQ(TryStrToInt(c.texto, valor), c.valido);
        if (c.valido) {
            EXPECT_EQ(valor, c.valor);
            EXPECT_EQ(StrToInt(c.texto), c.valor);
            EXPECT_EQ(StrToIntDef(c.texto, -1), c.valor);
        } else {
            EXPECT_EQ(valor, 77);
            EXPECT_THROW(StrToInt(c.texto), EConvertError);
            EXPECT_EQ(StrToIntDef(c.texto, -1), -1);
        }
    }
}

TEST(EConvertError, ElMensajeNombraElTextoOriginal) {
    SeparadorRegional con('.');
    struct Caso {
        void (*convertir)(const AnsiString&);
        const char* texto;
        const char* mensaje;
    } casos[] = {
        {[](const AnsiString& t) { StrToFloat(t); }, " 1,5",
         "' 1,5' no es un valor numérico válido"},
        {[](const AnsiString& t) { StrToInt(t); }, "12a", "'12a' no es un valor entero válido"},
    };
    for (const Caso& c : casos) {
        try {
            c.convertir(c.texto);
            ADD_FAILURE() << "no lanzó EConvertError con '" << c.texto << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message.str(), c.mensaje);
        }
    }
}

TEST(IntToStr, DecimalYHexadecimal) {
    EXPECT_EQ(IntToStr(-123).str(), "-123");
    EXPECT_EQ(IntToStr(std::numeric_limits<long long>::min()).str(), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4).str(), "00FF");
    EXPECT_EQ(IntToHex(0xABCDEF, 2).str(), "ABCDEF");
    EXPECT_EQ(IntToHex(0, 0).str(), "0");
    EXPECT_EQ(IntToHex(10, -3).str(), "A");
    EXPECT_EQ(IntToHex(-1, 2).str(), "FFFFFFFFFFFFFFFF");
}

} // namespace

TEST(FloatToStrF, FijoConQuinceCifrasYLosDecimalesPedidos) {
    SeparadorRegional coma(',');
    struct Caso {
        double valor;
        int decimales;
        const char* texto;
    } casos[] = {
        {1.25, 2, "1,25"},           {1.005, 2, "1,01"}, // 15 digits first: 1.00500000000000
        {0.1 * 3, 2, "0,30"},        {-0.001, 2, "0,00"}, {-2.5, 0, "-3"}, {0.05, 1, "0,1"},
        {123456.0, 3, "123456,000"}, {1e16, 2, "1E16"}, // more whole digits than 15: general format
        {0.999, 2, "1,00"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(FloatToStrF(c.valor, ffFixed, 15, c.decimales).str(), c.texto) << c.valor;
    EXPECT_EQ(FloatToStrF(0.6f, ffGeneral, 15, 2), FloatToStr(0.6f));
}
