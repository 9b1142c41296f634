#include "plataforma/base/wide_string.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/exceptions.h"

namespace {
[[noreturn]] void FueraDeRango(int indice) {
    throw ERangeError(AnsiString("Índice de cadena fuera de rango: ") + AnsiString(indice));
}

bool EsAlta(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool EsBaja(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Walks the code points of UTF-16 text; an unpaired surrogate comes out as U+FFFD.
template <typename F> void PorCodigo(const std::u16string& s, F&& f) {
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        if (EsAlta(c) && i + 1 < s.size() && EsBaja(s[i + 1])) {
            f(0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(s[i + 1]) - 0xDC00));
            ++i;
        } else if (EsAlta(c) || EsBaja(c)) {
            f(U'\uFFFD');
        } else {
            f(char32_t(c));
        }
    }
}

void AnadirUtf16(std::u16string& s, char32_t u) {
    if (u < 0x10000) {
        s += static_cast<char16_t>(u);
    } else {
        u -= 0x10000;
        s += static_cast<char16_t>(0xD800 + (u >> 10));
        s += static_cast<char16_t>(0xDC00 + (u & 0x3FF));
    }
}
} // namespace

WideString::WideString(const AnsiString& s) {
    s_.reserve(s.str().size());
    for (char c : s.str())
        s_ += static_cast<char16_t>(cp1252::ToUnicode(static_cast<unsigned char>(c)));
}

char16_t& WideString::operator[](int indice) {
    if (indice < 1 || indice > Length()) FueraDeRango(indice);
    return s_[static_cast<size_t>(indice - 1)];
}

char16_t WideString::operator[](int indice) const {
    if (indice < 1 || indice > Length()) FueraDeRango(indice);
    return s_[static_cast<size_t>(indice - 1)];
}

AnsiString::AnsiString(const WideString& w) : AnsiString(w.ToAnsiString()) {}

AnsiString WideString::ToAnsiString() const {
    std::string r;
    r.reserve(s_.size());
    PorCodigo(s_, [&](char32_t u) {
        int b = cp1252::FromUnicode(u);
        r += b < 0 ? '?' : static_cast<char>(b);
    });
    return AnsiString(std::move(r));
}

std::string WideString::ToUtf8() const {
    std::string r;
    r.reserve(s_.size());
    PorCodigo(s_, [&](char32_t u) {
        if (u < 0x80) {
            r += static_cast<char>(u);
        } else if (u < 0x800) {
            r += static_cast<char>(0xC0 | (u >> 6));
            r += static_cast<char>(0x80 | (u & 0x3F));
        } else if (u < 0x10000) {
            r += static_cast<char>(0xE0 | (u >> 12));
            r += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            r += static_cast<char>(0xF0 | (u >> 18));
            r += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
            r += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (u & 0x3F));
        }
    });
    return r;
}

WideString WideString::FromUtf8(std::string_view utf8) {
    std::u16string r;
    r.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        int extra = b < 0x80             ? 0
                    : (b & 0xE0) == 0xC0 ? 1
                    : (b & 0xF0) == 0xE0 ? 2
                    : (b & 0xF8) == 0xF0 ? 3
                                         : -1;
        char32_t u = extra == 0   ? b
                     : extra == 1 ? (b & 0x1F)
                     : extra == 2 ? (b & 0x0F)
                                  : (b & 0x07);
        bool bien = extra >= 0 && i + extra < utf8.size();
        for (int k = 1; bien && k <= extra; ++k) {
            unsigned char c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80)
                bien = false;
            else
                u = (u << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are malformed too.
        static const char32_t minimo[] = {0, 0x80, 0x800, 0x10000};
        if (bien && (u < minimo[extra] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)))
            bien = false;
        if (!bien) {
            r += u'\uFFFD';
            ++i;
            continue;
        }
        AnadirUtf16(r, u);
        i += static_cast<size_t>(extra) + 1;
    }
    return WideString(std::move(r));
}

WideString WideString::SubString(int indice, int cuenta) const {
    if (indice < 1) indice = 1;
    if (cuenta <= 0 || indice > Length()) return WideString();
    return WideString(s_.substr(static_cast<size_t>(indice - 1), static_cast<size_t>(cuenta)));
}

int WideString::Pos(const WideString& sub) const {
    if (sub.s_.empty()) return 0;
    size_t p = s_.find(sub.s_);
    return p == std::u16string::npos ? 0 : static_cast<int>(p) + 1;
}

WideString& WideString::Insert(const WideString& texto, int indice) {
    if (indice < 1) indice = 1;
    if (indice > Length() + 1) indice = Length() + 1;
    s_.insert(static_cast<size_t>(indice - 1), texto.s_);
    return *this;
}

WideString& WideString::Delete(int indice, int cuenta) {
    if (indice < 1 || indice > Length() || cuenta <= 0) return *this;
    s_.erase(static_cast<size_t>(indice - 1), static_cast<size_t>(cuenta));
    return *this;
}

WideString& WideString::SetLength(int largo) {
    s_.resize(largo > 0 ? static_cast<size_t>(largo) : 0);
    return *this;
}

WideString WideString::Trim() const {
    size_t a = 0, b = s_.size();
    while (a < b && s_[a] <= u' ')
        ++a;
    while (b > a && s_[b - 1] <= u' ')
        --b;
    return WideString(s_.substr(a, b - a));
}
