#include "plataforma/base/ansi_string.h"

#include "plataforma/base/c_format.h"
#include "plataforma/base/cp1252.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/numbers.h"

#include <algorithm>
#include <cstdarg>

AnsiString::AnsiString(int valor) : s_(std::to_string(valor)) {}
AnsiString::AnsiString(double valor) : s_(FloatToStr(valor).str()) {}

namespace {
[[noreturn]] void FueraDeRango(int indice) {
    throw ERangeError(AnsiString("Índice de cadena fuera de rango: ") + AnsiString(indice));
}

bool EsBlanco(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
} // namespace

char& AnsiString::operator[](int indice) {
    if (indice < 1 || indice > Length()) FueraDeRango(indice);
    return s_[static_cast<size_t>(indice - 1)];
}

char AnsiString::operator[](int indice) const {
    if (indice < 1 || indice > Length()) FueraDeRango(indice);
    return s_[static_cast<size_t>(indice - 1)];
}

AnsiString AnsiString::SubString(int indice, int cuenta) const {
    if (indice < 1) indice = 1;
    if (cuenta <= 0 || indice > Length()) return AnsiString();
    return AnsiString(s_.substr(static_cast<size_t>(indice - 1), static_cast<size_t>(cuenta)));
}

int AnsiString::Pos(const AnsiString& sub) const {
    if (sub.IsEmpty()) return 0;
    size_t p = s_.find(sub.s_);
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

int AnsiString::LastDelimiter(const AnsiString& delimitadores) const {
    size_t p = s_.find_last_of(delimitadores.s_);
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

bool AnsiString::IsDelimiter(const AnsiString& delimitadores, int indice) const {
    if (indice < 1 || indice > Length()) return false;
    return delimitadores.s_.find(s_[static_cast<size_t>(indice - 1)]) != std::string::npos;
}

AnsiString AnsiString::UpperCase() const {
    return AnsiUpperCase(*this);
}
AnsiString AnsiString::LowerCase() const {
    return AnsiLowerCase(*this);
}

AnsiString AnsiString::Trim() const {
    return TrimLeft().TrimRight();
}

AnsiString AnsiString::TrimLeft() const {
    size_t i = 0;
    while (i < s_.size() && EsBlanco(s_[i]))
        ++i;
    return AnsiString(s_.substr(i));
}

AnsiString AnsiString::TrimRight() const {
    size_t n = s_.size();
    while (n > 0 && EsBlanco(s_[n - 1]))
        --n;
    return AnsiString(s_.substr(0, n));
}

AnsiString& AnsiString::Insert(const AnsiString& texto, int indice) {
    if (indice < 1) indice = 1;
    size_t p = std::min(static_cast<size_t>(indice - 1), s_.size());
    s_.insert(p, texto.s_);
    return *this;
}

AnsiString& AnsiString::Delete(int indice, int cuenta) {
    if (indice < 1 || indice > Length() || cuenta <= 0) return *this;
    s_.erase(static_cast<size_t>(indice - 1), static_cast<size_t>(cuenta));
    return *this;
}

AnsiString& AnsiString::SetLength(int largo) {
    s_.resize(largo > 0 ? static_cast<size_t>(largo) : 0);
    return *this;
}

int AnsiString::ToInt() const {
    return StrToInt(*this);
}
int AnsiString::ToIntDef(int defecto) const {
    return StrToIntDef(*this, defecto);
}
double AnsiString::ToDouble() const {
    return StrToFloat(*this);
}

AnsiString& AnsiString::sprintf(const char* formato, ...) {
    va_list args;
    va_start(args, formato);
    s_ = FormatoCv(formato, args);
    va_end(args);
    return *this;
}

AnsiString& AnsiString::cat_sprintf(const char* formato, ...) {
    va_list args;
    va_start(args, formato);
    // Formatted apart and then appended: an argument may point into this very string, which
    // appending in place could move.
    std::string anadido = FormatoCv(formato, args);
    va_end(args);
    s_ += anadido;
    return *this;
}

AnsiString AnsiString::StringOfChar(char c, int cuenta) {
    return AnsiString(std::string(cuenta > 0 ? static_cast<size_t>(cuenta) : 0, c));
}

int AnsiString::AnsiCompare(const AnsiString& otra) const {
    return cp1252::Compare(s_, otra.s_);
}
int AnsiString::AnsiCompareIC(const AnsiString& otra) const {
    return cp1252::CompareIC(s_, otra.s_);
}

AnsiString UpperCase(const AnsiString& s) {
    std::string r = s.str();
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return AnsiString(std::move(r));
}

AnsiString LowerCase(const AnsiString& s) {
    std::string r = s.str();
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return AnsiString(std::move(r));
}

AnsiString AnsiUpperCase(const AnsiString& s) {
    std::string r = s.str();
    for (char& c : r)
        c = static_cast<char>(cp1252::ToUpper(static_cast<unsigned char>(c)));
    return AnsiString(std::move(r));
}

AnsiString AnsiLowerCase(const AnsiString& s) {
    std::string r = s.str();
    for (char& c : r)
        c = static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
    return AnsiString(std::move(r));
}

AnsiString Trim(const AnsiString& s) {
    return s.Trim();
}
int AnsiCompareText(const AnsiString& a, const AnsiString& b) {
    return a.AnsiCompareIC(b);
}
int AnsiCompareStr(const AnsiString& a, const AnsiString& b) {
    return a.AnsiCompare(b);
}
bool AnsiSameText(const AnsiString& a, const AnsiString& b) {
    return a.AnsiCompareIC(b) == 0;
}
