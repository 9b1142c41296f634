// FormatoC against the C library itself: the same text for every format the programs write,
// for values drawn at random and for those that fall exactly half-way when rounded.

#include "plataforma/base/c_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::string DeLaBiblioteca(const char* formato, double valor) {
    char texto[2048];
    std::snprintf(texto, sizeof texto, formato, valor);
    return texto;
}

// Values of every kind: ties at 7 significant digits and at the decimals of "%f", the
// decimals the programs read back, extremes, signs and zeros.
std::vector<double> Valores() {
    std::vector<double> v = {0.0,
                             -0.0,
                             0.5,
                             1.5,
                             2.5,
                             -2.5,
                             0.125,
                             2.675,
                             1234567.5,
                             1234568.5,
                             12345675.0,
                             0.0000012345675,
                             9999999.5,
                             99999995.0,
                             1e-5,
                             1e-4,
                             1e15,
                             1e16,
                             1e22,
                             1e300,
                             1.0 / 3,
                             DBL_MIN,
                             DBL_TRUE_MIN,
                             DBL_MAX,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    std::mt19937_64 azar(37);
    std::uniform_int_distribution<uint64_t> bits;
    std::uniform_int_distribution<int> entero(-2000000, 2000000);
    std::uniform_int_distribution<int> escala(0, 9);
    for (int i = 0; i < 3000; ++i) {
        uint64_t b = bits(azar);
        double d;
        std::memcpy(&d, &b, sizeof d);
        v.push_back(d);
        // Decimals as a user types them, in double and as the floats the programs keep.
        const double decimal = entero(azar) / std::pow(10.0, escala(azar));
        v.push_back(decimal);
        v.push_back(static_cast<float>(decimal));
        // Exact halves at many scales.
        v.push_back((entero(azar) + 0.5) * std::pow(2.0, -escala(azar)));
    }
    return v;
}

TEST(FormatoC, EscribeLoMismoQueLaBibliotecaC) {
    const char* formatos[] = {"%14.7g", "%.7g",    "%g",      "%f",   "%.3f",  "%.0f",
                              "%e",     "%.2e",    "%-12.4g", "%.0g", "%.1g",  "%G",
                              "%+g",    "%010.3f", "%#g",     "% e",  "%.17g", "%a"};
    for (double valor : Valores())
        for (const char* formato : formatos)
            ASSERT_EQ(FormatoC(formato, valor), DeLaBiblioteca(formato, valor))
                << formato << " " << std::hexfloat << valor;
}

// The reals written straight into a buffer: the same text as the C library, within the room
// promised, for every float (the values the programs keep) and double of the table, at the
// widths and precisions the programs use and at the edges of the exact ways.
TEST(FormatoC, RealesDirectosComoLaBibliotecaC) {
    std::vector<double> valores = Valores();
    std::mt19937 azar(1237);
    std::uniform_int_distribution<uint32_t> bits;
    for (int i = 0; i < 20000; ++i) {
        const uint32_t b = bits(azar);
        float f;
        std::memcpy(&f, &b, sizeof f);
        valores.push_back(f);
    }
    for (float f : {FLT_MAX, -FLT_MAX, FLT_MIN, FLT_TRUE_MIN, 1e-6f, 9.9999995e-7f, 1e7f,
                    9999999.0f, 9999999.5f, 16777215.0f, 16777216.0f, 1234567.5f, 0.1f, 0.115f,
                    2.675f, 8.5e9f, 9.3e18f, 1e19f})
        valores.push_back(f);
    struct Forma {
        char letra;
        int ancho, precision;
    } formas[] = {{'g', 14, 7}, {'g', 0, 7}, {'g', 0, 6}, {'g', 3, 1}, {'g', 20, 15}, {'g', 0, 17},
                  {'g', 0, 0},  {'f', 0, 6}, {'f', 9, 3}, {'f', 0, 0}, {'f', 0, 12},  {'f', 0, 13}};
    for (double valor : valores)
        for (const Forma& f : formas) {
            const char formato[] = {'%', '*', '.', '*', f.letra, '\0'};
            char esperado[512];
            std::snprintf(esperado, sizeof esperado, formato, f.ancho, f.precision, valor);
            const size_t sitio = f.letra == 'g' ? LargoRealG(f.ancho, f.precision)
                                                : LargoRealF(f.ancho, f.precision);
            std::vector<char> texto(sitio + 1, '#');
            char* fin = f.letra == 'g' ? EscribirRealG(texto.data(), valor, f.ancho, f.precision)
                                       : EscribirRealF(texto.data(), valor, f.ancho, f.precision);
            ASSERT_LE(static_cast<size_t>(fin - texto.data()), sitio);
            ASSERT_EQ(std::string(texto.data(), fin), esperado)
                << f.letra << f.ancho << "." << f.precision << " " << std::hexfloat << valor;
        }
}

TEST(FormatoC, EnterosTextosYVariasConversiones) {
    char esperado[512];
    std::snprintf(
        esperado, sizeof esperado,
        "%d|%-2d|%5d|%i|%ld|%lld|%u|%x|%05d|%+d|%.3d|%s|%-14s|%-*s|%*d|%.2s|%c|%%|%hd|%zu", -12, 3,
        42, 0, -123456789L, 1234567890123LL, 4000000000u, 255u, 7, 7, 5, "Muro", "Capa", 8, "ab",
        -6, 9, "xyz", 'Q', 70000, sizeof(int));
    EXPECT_EQ(FormatoC("%d|%-2d|%5d|%i|%ld|%lld|%u|%x|%05d|%+d|%.3d|%s|%-14s|%-*s|%*d|%.2s|%c|%%|"
                       "%hd|%zu",
                       -12, 3, 42, 0, -123456789L, 1234567890123LL, 4000000000u, 255u, 7, 7, 5,
                       "Muro", "Capa", 8, "ab", -6, 9, "xyz", 'Q', 70000, sizeof(int)),
              esperado);
    EXPECT_EQ(FormatoC("sin conversiones"), "sin conversiones");
    EXPECT_EQ(FormatoC("%s", ""), "");
}

TEST(FormatoC, UnTextoDelPropioDestinoSeCopiaAntesDeCrecer) {
    std::string destino(200, 'a');
    const char* dentro = destino.c_str() + 10;
    auto anadir = [&](const char* formato, ...) {
        va_list args;
        va_start(args, formato);
        AnadirFormatoCv(destino, formato, args);
        va_end(args);
    };
    anadir("%s%s", dentro, dentro);
    EXPECT_EQ(destino, std::string(200 + 2 * 190, 'a'));
}

} // namespace
