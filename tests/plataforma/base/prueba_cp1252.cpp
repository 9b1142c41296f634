#include "plataforma/base/cp1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
std::string Byte(int b) {
    return std::string(1, static_cast<char>(b));
}
} // namespace

TEST(Cp1252, LosLiteralesDelProgramaSonWindows1252) {
    EXPECT_EQ(std::string("€"), "\x80");
    EXPECT_EQ(std::string("Información").size(), 11u);
    EXPECT_EQ(std::string("ñ"), "\xF1");
}

TEST(Cp1252, LosDoscientosCincuentaYSeisBytesVanYVuelvenPorUtf8) {
    for (int b = 0; b < 256; ++b) {
        std::string utf8 = cp1252::ToUtf8(Byte(b));
        EXPECT_EQ(utf8.size(),
                  b < 0x80 ? 1u
                           : (cp1252::ToUnicode(static_cast<unsigned char>(b)) < 0x800 ? 2u : 3u))
            << b;
        EXPECT_EQ(cp1252::FromUtf8(utf8), Byte(b)) << b;
        EXPECT_EQ(cp1252::FromUnicode(cp1252::ToUnicode(static_cast<unsigned char>(b))), b) << b;
    }
    // The five bytes Windows-1252 leaves undefined travel as the C1 controls of their number.
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(cp1252::ToUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
    EXPECT_EQ(cp1252::ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(cp1252::ToUtf8("año"), "a\xC3\xB1o");
    EXPECT_EQ(cp1252::FromUtf8("\xE2\x82\xAC 5"), "€ 5");
    EXPECT_EQ(cp1252::FromUnicode(0x2122), 0x99); // ™
}

TEST(Cp1252, Utf8MalFormadoOSinEquivalenteDaInterrogacion) {
    struct Caso {
        const char* utf8;
        const char* esperado;
    } casos[] = {
        {"\xC3", "?"},               // cut short at the end
        {"\xC3(", "?("},             // a lead byte without its continuation
        {"a\x80z", "a?z"},           // a lone continuation byte
        {"\xE2\x82", "??"},          // three-byte sequence cut short
        {"\xF0\x9F\x98\x80!", "?!"}, // a character Windows-1252 cannot hold
        {"\xE4\xB8\xAD", "?"},       // likewise
        {"\xC0\xAF", "?"},           // an overlong "/"
        {"\xC1\x81", "?"},           // an overlong "A"
        {"\xE0\x80\xAF", "?"},       // an overlong "/" in three bytes
        {"\xED\xA0\x80", "?"},       // a surrogate
        {"\xFF\xFE", "??"},          // bytes that never start a sequence
    };
    for (const Caso& c : casos)
        EXPECT_EQ(cp1252::FromUtf8(c.utf8), c.esperado) << c.utf8;
}

TEST(Cp1252, MayusculasYMinusculasSonParejasCoherentes) {
    for (int b = 0; b < 256; ++b) {
        unsigned char c = static_cast<unsigned char>(b);
        unsigned char mayus = cp1252::ToUpper(c);
        if (mayus != c) {
            EXPECT_EQ(cp1252::ToLower(mayus), c) << b;
        }
        unsigned char minus = cp1252::ToLower(c);
        if (minus != c) {
            EXPECT_EQ(cp1252::ToUpper(minus), c) << b;
        }
        EXPECT_EQ(cp1252::CompareIC(Byte(b), Byte(mayus)), 0) << b;
    }
    EXPECT_EQ(cp1252::ToUpper(0xF1), 0xD1); // ñ Ñ
    EXPECT_EQ(cp1252::ToUpper(0xFF), 0x9F); // ÿ Ÿ
    EXPECT_EQ(cp1252::ToUpper(0xDF), 0xDF); // ß
}

TEST(Cp1252, ColacionDeDiccionario) {
    struct Caso {
        const char* a;
        const char* b;
        int signo; // of CompareIC(a, b)
    } casos[] = {
        {"a", "B", -1},        {"B", "a", 1},          {"arbol", "árbol", -1},
        {"árbol", "arca", -1}, {"N", "Ñ", -1},         {"Ñ", "O", -1},
        {"nz", "ña", -1},      {"ñu", "o", -1},        {"ABC", "abc", 0},
        {"ÁRBOL", "árbol", 0}, {"9", "a", -1},         {"0", "9", -1},
        {"-", "0", -1},        {"ab", "abc", -1},      {"", "a", -1},
        {"", "", 0},           {"Œuvre", "oeuvre", 1}, {"zeta", "Zeta", 0},
    };
    for (const Caso& c : casos) {
        int r = cp1252::CompareIC(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.signo) << c.a << " / " << c.b;
        EXPECT_EQ(cp1252::CompareIC(c.b, c.a), -r) << c.a << " / " << c.b;
    }
    // With case: equal letters and accents order lower case first; only equal bytes give 0.
    EXPECT_LT(cp1252::Compare("abc", "ABC"), 0);
    EXPECT_LT(cp1252::Compare("Abc", "abd"), 0);
}

TEST(Cp1252, CompareEsUnOrdenTotalSobreLosBytes) {
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            int r = cp1252::Compare(Byte(a), Byte(b));
            ASSERT_EQ(r == 0, a == b) << a << " " << b;
            ASSERT_EQ(cp1252::Compare(Byte(b), Byte(a)), -r) << a << " " << b;
        }
}

TEST(Cp1252, OrdenarDaSiempreLosMismosBytes) {
    std::vector<std::string> palabras = {"ñu", "Nube",  "oso",   "árbol", "Arca", "arbol", "10",
                                         "9",  "zorro", "Ñandú", "_x",    "Éter", "eter"};
    std::sort(palabras.begin(), palabras.end(),
              [](const std::string& a, const std::string& b) { return cp1252::Compare(a, b) < 0; });
    std::vector<std::string> esperado = {"_x",   "10",   "9",     "arbol", "árbol", "Arca", "eter",
                                         "Éter", "Nube", "Ñandú", "ñu",    "oso",   "zorro"};
    EXPECT_EQ(palabras, esperado);
}
