#pragma once
// AnsiString: the class library's 8-bit string, holding Windows-1252 bytes. Indexes are
// 1-based, as in the class library.

#include <string>
#include <string_view>

class WideString;

class AnsiString {
public:
    AnsiString() = default;
    AnsiString(const char* s) : s_(s ? s : "") {}
    AnsiString(const char* s, int largo) : s_(s, largo > 0 ? static_cast<size_t>(largo) : 0) {}
    AnsiString(const std::string& s) : s_(s) {}
    AnsiString(std::string&& s) : s_(std::move(s)) {}
    explicit AnsiString(std::string_view s) : s_(s) {}
    AnsiString(char c) : s_(1, c) {}
    explicit AnsiString(int valor);
    explicit AnsiString(double valor);        // FloatToStr
    explicit AnsiString(const WideString& w); // through Windows-1252, '?' where it has no byte

    const char* c_str() const { return s_.c_str(); }
    const std::string& str() const { return s_; }
    std::string& str() { return s_; }
    int Length() const { return static_cast<int>(s_.size()); }
    bool IsEmpty() const { return s_.empty(); }

    // 1-based; raises ERangeError outside 1..Length().
    char& operator[](int indice);
    char operator[](int indice) const;

    // Count characters from index (1-based); an index below 1 counts from 1, and the
    // count is cut at the end, as the class library's Copy does.
    AnsiString SubString(int indice, int cuenta) const;
    // 1-based position of the first occurrence, 0 when absent or when sub is empty.
    int Pos(const AnsiString& sub) const;
    // 1-based position of the last character that is one of the delimiters, 0 when none.
    int LastDelimiter(const AnsiString& delimitadores) const;
    bool IsDelimiter(const AnsiString& delimitadores, int indice) const;

    // Windows-1252 case mapping (accented letters included).
    AnsiString UpperCase() const;
    AnsiString LowerCase() const;
    // Trim drops characters up to the blank (controls included) at either end.
    AnsiString Trim() const;
    AnsiString TrimLeft() const;
    AnsiString TrimRight() const;

    AnsiString& Insert(const AnsiString& texto, int indice);
    AnsiString& Delete(int indice, int cuenta);
    AnsiString& SetLength(int largo);

    int ToInt() const; // StrToInt: raises EConvertError
    int ToIntDef(int defecto) const;
    double ToDouble() const; // StrToFloat: raises EConvertError

    // Formatted as the C library does under the "C" locale.
    AnsiString& sprintf(const char* formato, ...) __attribute__((format(printf, 2, 3)));
    AnsiString& cat_sprintf(const char* formato, ...) __attribute__((format(printf, 2, 3)));

    static AnsiString StringOfChar(char c, int cuenta);

    // Collation over Windows-1252 (see cp1252.h): AnsiCompareIC ignores case.
    int AnsiCompare(const AnsiString& otra) const;
    int AnsiCompareIC(const AnsiString& otra) const;

    AnsiString& operator+=(const AnsiString& otra) {
        s_ += otra.s_;
        return *this;
    }
    AnsiString& operator+=(const char* otra) {
        if (otra) s_ += otra;
        return *this;
    }
    AnsiString& operator+=(char c) {
        s_ += c;
        return *this;
    }

    friend AnsiString operator+(const AnsiString& a, const AnsiString& b) {
        return AnsiString(a.s_ + b.s_);
    }
    friend AnsiString operator+(const AnsiString& a, const char* b) {
        return AnsiString(a.s_ + (b ? b : ""));
    }
    friend AnsiString operator+(const char* a, const AnsiString& b) {
        return AnsiString((a ? a : "") + b.s_);
    }
    friend AnsiString operator+(const AnsiString& a, char b) { return AnsiString(a.s_ + b); }

    // Equality is byte for byte; ordering follows the collation, case-sensitive.
    friend bool operator==(const AnsiString& a, const AnsiString& b) { return a.s_ == b.s_; }
    friend bool operator==(const AnsiString& a, const char* b) { return a.s_ == (b ? b : ""); }
    friend bool operator<(const AnsiString& a, const AnsiString& b) { return a.AnsiCompare(b) < 0; }
    friend bool operator>(const AnsiString& a, const AnsiString& b) { return a.AnsiCompare(b) > 0; }
    friend bool operator<=(const AnsiString& a, const AnsiString& b) {
        return a.AnsiCompare(b) <= 0;
    }
    friend bool operator>=(const AnsiString& a, const AnsiString& b) {
        return a.AnsiCompare(b) >= 0;
    }

private:
    std::string s_;
};

// Free functions of the class library over AnsiString.
AnsiString UpperCase(const AnsiString& s); // ASCII letters only
AnsiString LowerCase(const AnsiString& s); // ASCII letters only
AnsiString AnsiUpperCase(const AnsiString& s);
AnsiString AnsiLowerCase(const AnsiString& s);
AnsiString Trim(const AnsiString& s);
int AnsiCompareText(const AnsiString& a, const AnsiString& b);
int AnsiCompareStr(const AnsiString& a, const AnsiString& b);
bool AnsiSameText(const AnsiString& a, const AnsiString& b);

template <> struct std::hash<AnsiString> {
    size_t operator()(const AnsiString& s) const noexcept {
        return std::hash<std::string>()(s.str());
    }
};
