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
