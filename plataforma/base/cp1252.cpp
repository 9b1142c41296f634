#include "plataforma/base/cp1252.h"

#include <array>

namespace cp1252 {
namespace {

// Code points of 0x80-0x9F; the undefined bytes keep their C1 control.
constexpr char32_t kAlto[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct Peso {
    unsigned short primario; // letter or symbol, case and accent ignored
    unsigned char acento;    // 0 for the plain letter
    unsigned char caja;      // 0 lower case, 1 upper case
};

constexpr unsigned short kDigito = 0x1000;
constexpr unsigned short kLetra = 0x2000;

constexpr unsigned short Letra(char base, int extra = 0) {
    return static_cast<unsigned short>(kLetra + (base - 'A') * 4 + extra);
}

struct Tablas {
    std::array<unsigned char, 256> mayus{};
    std::array<unsigned char, 256> minus{};
    std::array<Peso, 256> peso{};
};

void Par(Tablas& t, int mayus, int minus) {
    t.mayus[minus] = static_cast<unsigned char>(mayus);
    t.minus[mayus] = static_cast<unsigned char>(minus);
}

void LetraAcentuada(Tablas& t, int byte, char base, int acento, int extra = 0) {
    bool mayus = t.minus[byte] != byte;
    t.peso[byte] = {Letra(base, extra), static_cast<unsigned char>(acento),
                    static_cast<unsigned char>(mayus ? 1 : 0)};
}

Tablas Construir() {
    Tablas t;
    for (int c = 0; c < 256; ++c) {
        t.mayus[c] = t.minus[c] = static_cast<unsigned char>(c);
        // Symbols and controls sort among themselves in byte order, before digits and letters.
        t.peso[c] = {static_cast<unsigned short>(c), 0, 0};
    }
    for (int c = 'A'; c <= 'Z'; ++c)
        Par(t, c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) Par(t, c, c + 32);
    Par(t, 0x8A, 0x9A); // Š š
    Par(t, 0x8C, 0x9C); // Œ œ
    Par(t, 0x8E, 0x9E); // Ž ž
    Par(t, 0x9F, 0xFF); // Ÿ ÿ

    for (int c = '0'; c <= '9'; ++c)
        t.peso[c] = {static_cast<unsigned short>(kDigito + c - '0'), 0, 0};
    for (int c = 'A'; c <= 'Z'; ++c) {
        t.peso[c] = {Letra(static_cast<char>(c)), 0, 1};
        t.peso[c + 32] = {Letra(static_cast<char>(c)), 0, 0};
    }
    // Accents: 1 grave, 2 acute, 3 circumflex, 4 tilde, 5 diaeresis, 6 ring, 7 cedilla,
    // 8 stroke, 9 caron; ligatures and thorn get their own letter just after their base.
    for (int base : {0xC0, 0xE0}) {
        for (int i = 0; i < 6; ++i)
            LetraAcentuada(t, base + i, 'A', i + 1);
        LetraAcentuada(t, base + 0x06, 'A', 0, 1); // Æ
        LetraAcentuada(t, base + 0x07, 'C', 7);
        for (int i = 0; i < 4; ++i)
            LetraAcentuada(t, base + 0x08 + i, 'E', i == 3 ? 5 : i + 1);
        for (int i = 0; i < 4; ++i)
            LetraAcentuada(t, base + 0x0C + i, 'I', i == 3 ? 5 : i + 1);
        LetraAcentuada(t, base + 0x10, 'D', 8);    // Ð
        LetraAcentuada(t, base + 0x11, 'N', 0, 1); // Ñ: a letter of its own after N, as in Spanish
        for (int i = 0; i < 5; ++i)
            LetraAcentuada(t, base + 0x12 + i, 'O', i + 1);
        LetraAcentuada(t, base + 0x18, 'O', 8); // Ø
        for (int i = 0; i < 4; ++i)
            LetraAcentuada(t, base + 0x19 + i, 'U', i == 3 ? 5 : i + 1);
        LetraAcentuada(t, base + 0x1D, 'Y', 2);    // Ý
        LetraAcentuada(t, base + 0x1E, 'T', 0, 1); // Þ
    }
    LetraAcentuada(t, 0xDF, 'S', 0, 1); // ß
    LetraAcentuada(t, 0xFF, 'Y', 5);
    LetraAcentuada(t, 0x9F, 'Y', 5);
    LetraAcentuada(t, 0x8A, 'S', 9);
    LetraAcentuada(t, 0x9A, 'S', 9);
    LetraAcentuada(t, 0x8E, 'Z', 9);
    LetraAcentuada(t, 0x9E, 'Z', 9);
    LetraAcentuada(t, 0x8C, 'O', 0, 1); // Œ
    LetraAcentuada(t, 0x9C, 'O', 0, 1);
    LetraAcentuada(t, 0x83, 'F', 0, 1); // ƒ
    return t;
}

const Tablas& T() {
    static const Tablas t = Construir();
    return t;
}

int Signo(int v) {
    return (v > 0) - (v < 0);
}

int Comparar(std::string_view a, std::string_view b, bool conCaja) {
    const Tablas& t = T();
    size_t n = a.size() < b.size() ? a.size() : b.size();
    // Letters first, then accents, then (optionally) case, as a dictionary orders words.
    for (size_t i = 0; i < n; ++i) {
        int d = t.peso[static_cast<unsigned char>(a[i])].primario -
                t.peso[static_cast<unsigned char>(b[i])].primario;
        if (d) return Signo(d);
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (size_t i = 0; i < n; ++i) {
        int d = t.peso[static_cast<unsigned char>(a[i])].acento -
                t.peso[static_cast<unsigned char>(b[i])].acento;
        if (d) return Signo(d);
    }
    if (!conCaja) return 0;
    for (size_t i = 0; i < n; ++i) {
        int d = t.peso[static_cast<unsigned char>(a[i])].caja -
                t.peso[static_cast<unsigned char>(b[i])].caja;
        if (d) return Signo(d);
    }
    // Equal for the collation but different bytes: fall back to the bytes, so the order is total.
    return Signo(a.compare(b));
}

} // namespace

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

unsigned char ToUpper(unsigned char c) {
    return T().mayus[c];
}
unsigned char ToLower(unsigned char c) {
    return T().minus[c];
}

int CompareIC(std::string_view a, std::string_view b) {
    return Comparar(a, b, false);
}
int Compare(std::string_view a, std::string_view b) {
    return Comparar(a, b, true);
}

char32_t ToUnicode(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) return kAlto[c - 0x80];
    return c;
}

int FromUnicode(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u < 0x100)) return static_cast<int>(u);
    for (int i = 0; i < 32; ++i)
        if (kAlto[i] == u) return 0x80 + i;
    return -1;
}

std::string ToUtf8(std::string_view cp) {
    std::string out;
    out.reserve(cp.size() + cp.size() / 8);
    for (char c : cp)
        AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string FromUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t u;
        size_t largo;
        if (c < 0x80) {
            u = c;
            largo = 1;
        } else if ((c & 0xE0) == 0xC0) {
            u = c & 0x1F;
            largo = 2;
        } else if ((c & 0xF0) == 0xE0) {
            u = c & 0x0F;
            largo = 3;
        } else if ((c & 0xF8) == 0xF0) {
            u = c & 0x07;
            largo = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool valido = i + largo <= s.size();
        for (size_t k = 1; valido && k < largo; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                valido = false;
            else
                u = (u << 6) | (cc & 0x3F);
        }
        if (!valido) {
            out += '?';
            ++i;
            continue;
        }
        // An overlong form ("\xC0\xAF" for "/") is malformed: it must not pass for the character.
        constexpr char32_t kMinimo[5] = {0, 0, 0x80, 0x800, 0x10000};
        int b = u < kMinimo[largo] ? -1 : FromUnicode(u);
        out += b < 0 ? '?' : static_cast<char>(b);
        i += largo;
    }
    return out;
}

} // namespace cp1252
