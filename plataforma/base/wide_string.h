#pragma once
// WideString: the class library's UTF-16 string. Indexes are 1-based, as in AnsiString.
// Conversion to and from AnsiString goes through the Windows-1252 table: a character the
// code page lacks (a surrogate pair counts as one character) becomes '?'.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <string_view>

class WideString {
public:
    WideString() = default;
    WideString(const char16_t* s) : s_(s ? s : u"") {}
    WideString(const char16_t* s, int largo) : s_(s, largo > 0 ? static_cast<size_t>(largo) : 0) {}
    WideString(const std::u16string& s) : s_(s) {}
    WideString(std::u16string&& s) : s_(std::move(s)) {}
    WideString(char16_t c) : s_(1, c) {}
    // Windows-1252 text widened character by character.
    explicit WideString(const AnsiString& s);

    // Null-terminated UTF-16 code units.
    const char16_t* c_bstr() const { return s_.c_str(); }
    const std::u16string& str() const { return s_; }
    std::u16string& str() { return s_; }
    // Length in UTF-16 code units.
    int Length() const { return static_cast<int>(s_.size()); }
    bool IsEmpty() const { return s_.empty(); }

    // 1-based; raises ERangeError outside 1..Length().
    char16_t& operator[](int indice);
    char16_t operator[](int indice) const;

    AnsiString ToAnsiString() const;
    // UTF-8 and back; an unpaired surrogate becomes U+FFFD, a malformed UTF-8 sequence too.
    std::string ToUtf8() const;
    static WideString FromUtf8(std::string_view utf8);

    // The same rules as AnsiString's: 1-based, counts cut at the end.
    WideString SubString(int indice, int cuenta) const;
    int Pos(const WideString& sub) const;
    WideString& Insert(const WideString& texto, int indice);
    WideString& Delete(int indice, int cuenta);
    WideString& SetLength(int largo);
    WideString Trim() const;

    WideString& operator+=(const WideString& otra) {
        s_ += otra.s_;
        return *this;
    }
    WideString& operator+=(char16_t c) {
        s_ += c;
        return *this;
    }
    friend WideString operator+(const WideString& a, const WideString& b) {
        return WideString(a.s_ + b.s_);
    }

    // Comparison is by code unit, as the wide string functions of the class library compare.
    friend bool operator==(const WideString& a, const WideString& b) { return a.s_ == b.s_; }
    friend auto operator<=>(const WideString& a, const WideString& b) { return a.s_ <=> b.s_; }

private:
    std::u16string s_;
};

template <> struct std::hash<WideString> {
    size_t operator()(const WideString& s) const noexcept {
        return std::hash<std::u16string>()(s.str());
    }
};
