// The locale-aware comparison: a table of pairs in Spanish and in English without regard to
// case (accents after the letters, "ñ" a letter of its own in Spanish, digits and
// punctuation, empty texts, surrogate pairs), the sort keys ordering as the comparison
// does, the 8-bit form, and the failures.

#include "plataforma/base/locale_compare.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr LCID kEspanol = 0x0C0A;
constexpr LCID kIngles = 0x0409;

int Comparar(LCID l, const std::u16string& a, const std::u16string& b,
             std::uint32_t f = NORM_IGNORECASE) {
    return CompareStringW(l, f, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size()));
}

int Signo(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

TEST(ComparacionRegional, TablaDePares) {
    constexpr int L = CSTR_LESS_THAN, E = CSTR_EQUAL, G = CSTR_GREATER_THAN;
    struct Caso {
        LCID locale;
        std::u16string a, b;
        int esperado;
    } casos[] = {
        {kEspanol, u"Ángel", u"Zoe", L},   // the accent does not send it past Z
        {kEspanol, u"angel", u"Ángel", L}, // equal letters: the accent decides
        {kEspanol, u"ANGEL", u"angel", E}, // case ignored
        {kEspanol, u"Ángel", u"ángel", E},
        {kEspanol, u"canción", u"cancion", G},
        {kEspanol, u"nz", u"ña", L},  // ñ after every n...
        {kEspanol, u"ñu", u"oso", L}, // ...and before o
        {kEspanol, u"Ñandú", u"ñandu", G},
        {kIngles, u"nz", u"ña", G}, // in English ñ is an n with an accent
        {kEspanol, u"10", u"9", L}, // digits compare as characters
        {kEspanol, u"9", u"a", L},  // digits before letters
        {kEspanol, u"a1", u"A2", L},
        {kEspanol, u"(a)", u"1", L}, // punctuation before digits
        {kEspanol, u"", u"", E},
        {kEspanol, u"", u"a", L},
        {kEspanol, u"a", u"", G},
        {kEspanol, u"\U0001F600", u"\U0001F601", L}, // surrogate pairs as one character
        {kEspanol, u"a\U0001F600", u"a", G},
        {kEspanol, u"\xD800", u"\xD800", E}, // a lone surrogate compares
        {kEspanol, u"Émile", u"Ézra", L},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(Comparar(c.locale, c.a, c.b), c.esperado)
            << testing::PrintToString(c.a) << " / " << testing::PrintToString(c.b);
        // The other way round.
        EXPECT_EQ(Comparar(c.locale, c.b, c.a), 4 - c.esperado);
        // Sort keys order as the comparison does.
        const std::string ka = SortKeyW(c.locale, NORM_IGNORECASE, c.a);
        const std::string kb = SortKeyW(c.locale, NORM_IGNORECASE, c.b);
        EXPECT_EQ(Signo(ka.compare(kb)) + 2, c.esperado) << testing::PrintToString(c.a);
    }
    // Without NORM_IGNORECASE case counts, lower case first.
    EXPECT_EQ(Comparar(kEspanol, u"a", u"A", 0), L);
    // Ignoring accents (not case).
    EXPECT_EQ(Comparar(kEspanol, u"canción", u"cancion", NORM_IGNORENONSPACE), E);
    EXPECT_EQ(Comparar(kEspanol, u"Cancion", u"cancion", NORM_IGNORENONSPACE), G);
}

// The user's default locale stands for 0 and LOCALE_USER_DEFAULT, and for a number that
// names no locale.
TEST(ComparacionRegional, LocalePorDefecto) {
    const LCID antes = GetUserDefaultLCID();
    SetUserDefaultLCID(kIngles);
    EXPECT_EQ(Comparar(LOCALE_USER_DEFAULT, u"nz", u"ña"), CSTR_GREATER_THAN);
    SetUserDefaultLCID(kEspanol);
    EXPECT_EQ(Comparar(LOCALE_USER_DEFAULT, u"nz", u"ña"), CSTR_LESS_THAN);
    EXPECT_EQ(Comparar(0, u"nz", u"ña"), CSTR_LESS_THAN);
    EXPECT_EQ(Comparar(0x7FFF0, u"nz", u"ña"), CSTR_LESS_THAN);
    SetUserDefaultLCID(antes);
}

// Texts up to their ending zero, the 8-bit form on Windows-1252 text, the key in a caller's
// buffer, and the failures: no text, unknown flags, a buffer too small.
TEST(ComparacionRegional, FormasYFallos) {
    EXPECT_EQ(CompareStringW(kEspanol, NORM_IGNORECASE, u"ñu", -1, u"NU", -1), CSTR_GREATER_THAN);
    EXPECT_EQ(CompareStringW(kEspanol, NORM_IGNORECASE, u"abc", 2, u"AB", -1), CSTR_EQUAL);
    EXPECT_EQ(CompareStringA(kEspanol, NORM_IGNORECASE, "\xD1u", -1, "nz", -1), CSTR_GREATER_THAN);
    EXPECT_EQ(CompareStringA(kEspanol, NORM_IGNORECASE, "\xC1ngel", 5, "ANGEL", 5),
              CSTR_GREATER_THAN);
    EXPECT_EQ(CompareStringA(kEspanol, NORM_IGNORECASE, "\xE1ngel", -1, "\xC1NGEL", -1),
              CSTR_EQUAL);
    EXPECT_EQ(CompareStringW(kEspanol, NORM_IGNORECASE, nullptr, 0, u"a", 1), 0);
    EXPECT_EQ(CompareStringW(kEspanol, 0x10000, u"a", 1, u"a", 1), 0);

    const int n = LCMapStringW(kEspanol, LCMAP_SORTKEY | NORM_IGNORECASE, u"Ñandú", -1, nullptr, 0);
    ASSERT_GT(n, 1);
    std::string buffer(static_cast<size_t>(n) + 1, '\x55');
    auto* destino = reinterpret_cast<char16_t*>(buffer.data());
    EXPECT_EQ(LCMapStringW(kEspanol, LCMAP_SORTKEY | NORM_IGNORECASE, u"Ñandú", -1, destino, n - 1),
              0);
    EXPECT_EQ(LCMapStringW(kEspanol, LCMAP_SORTKEY | NORM_IGNORECASE, u"Ñandú", -1, destino, n), n);
    EXPECT_EQ(buffer.substr(0, static_cast<size_t>(n - 1)),
              SortKeyW(kEspanol, NORM_IGNORECASE, u"ñANDÚ"));
    EXPECT_EQ(buffer[static_cast<size_t>(n - 1)], '\0');
    EXPECT_EQ(buffer[static_cast<size_t>(n)], '\x55'); // nothing past the key
    EXPECT_EQ(LCMapStringW(kEspanol, NORM_IGNORECASE, u"a", -1, destino, n), 0);
}
