// TKavStringGrid: cells read and written as numbers.
#include "controles/grid/kav_grid.h"

#include "controles/comun/text_utils.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

// The number written with a C-style pattern holding one floating conversion ("%.2f",
// "%8.3e"...), or with Integer an integer one ("%d", "%5i") of the value cut toward zero, and
// any text around it, the decimal point as the regional separator. A pattern with any other
// conversion is not used: the number is written as FloatToStr writes it.
AnsiString FormatCellNumber(const AnsiString& Pattern, double Value, bool Integer) {
    const std::string& p = Pattern.str();
    size_t at = std::string::npos, end = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] != '%') continue;
        if (i + 1 < p.size() && p[i + 1] == '%') {
            ++i;
            continue;
        }
        if (at != std::string::npos) return FloatToStr(Value); // a second conversion
        size_t j = i + 1;
        while (j < p.size() && std::strchr("-+ #0", p[j]))
            ++j;
        while (j < p.size() && std::isdigit(static_cast<unsigned char>(p[j])))
            ++j;
        if (j < p.size() && p[j] == '.') {
            ++j;
            while (j < p.size() && std::isdigit(static_cast<unsigned char>(p[j])))
                ++j;
        }
        if (j >= p.size() || !std::strchr(Integer ? "di" : "fFeEgG", p[j]))
            return FloatToStr(Value);
        at = i;
        end = j + 1;
        i = j;
    }
    if (at == std::string::npos) return FloatToStr(Value);
    char buf[512];
    const std::string conversion = p.substr(at, end - at);
    const int n =
        Integer ? std::snprintf(buf, sizeof buf, conversion.c_str(),
                                static_cast<int>(std::clamp(Value, -2147483648.0, 2147483647.0)))
                : std::snprintf(buf, sizeof buf, conversion.c_str(), Value);
    std::string number =
        n < 0 ? std::string() : std::string(buf, std::min<size_t>(n, sizeof buf - 1));
    for (char& ch : number)
        if (ch == '.') ch = GetDecimalSeparator();
    std::string out;
    auto literal = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            out += p[i];
            if (p[i] == '%' && i + 1 < to && p[i + 1] == '%') ++i;
        }
    };
    literal(0, at);
    out += number;
    literal(end, p.size());
    return AnsiString(out);
}

namespace {

// The text as the number parsers take it: empty and "-" read as 0.
AnsiString NumberText(const AnsiString& S) {
    const AnsiString t = S.Trim();
    return t.IsEmpty() || t == "-" ? AnsiString("0") : t;
}

// The common plain number, digits with an optional leading minus and one regional decimal
// separator between digits, read without the general rules below (which give it the same
// value).
bool PlainNumber(const std::string& S, double& Value) {
    const char decimal = GetDecimalSeparator();
    char buf[64];
    if (S.empty() || S.size() >= sizeof buf) return false;
    size_t i = S[0] == '-' ? 1 : 0;
    const size_t digitsFrom = i;
    while (i < S.size() && S[i] >= '0' && S[i] <= '9')
        ++i;
    if (i == digitsFrom) return false;
    if (i < S.size()) {
        if (S[i] != decimal || i + 1 == S.size()) return false;
        for (size_t j = i + 1; j < S.size(); ++j)
            if (S[j] < '0' || S[j] > '9') return false;
    }
    S.copy(buf, S.size());
    if (i < S.size()) buf[i] = '.';
    const auto [end, ec] = std::from_chars(buf, buf + S.size(), Value);
    return ec == std::errc() && end == buf + S.size() && std::isfinite(Value);
}

// A cell's text as a number: RemoveSeps takes the thousands separators out, reads the
// regional decimal separator as the point and keeps the number the text starts with (a text
// with none, such as "x", leaves nothing, which reads as 0); what it keeps must then be a
// number.
double ParseFloat(const AnsiString& Text) {
    double plain = 0;
    if (PlainNumber(Text.str(), plain)) return plain;
    const std::string s = NumberText(RemoveSeps(Text)).str();
    double v = 0;
    const char* first = s.data();
    if (!s.empty() && s[0] == '+') ++first;
    const auto [end, ec] = std::from_chars(first, s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        throw EKavGridError("Cell does not contain a float value");
    return v;
}

} // namespace

void TKavStringGrid::SetInts(int ACol, int ARow, int Value) {
    SetCellEx(ACol, ARow, AnsiString(Value));
}

int TKavStringGrid::GetInts(int ACol, int ARow) {
    const AnsiString s = NumberText(GetCellEx(ACol, ARow));
    try {
        return StrToInt(s);
    } catch (const EConvertError&) {
        throw EKavGridError("Cell does not contain integer value");
    }
}

void TKavStringGrid::SetFloats(int ACol, int ARow, double Value) {
    SetCellEx(ACol, ARow, FormatCellNumber(floatFormat_, Value, false));
}

double TKavStringGrid::GetFloats(int ACol, int ARow) {
    return ParseFloat(GetCellEx(ACol, ARow));
}

void TKavStringGrid::SetAllFloats(int ACol, int ARow, double Value) {
    SetCellsEx(ACol, ARow, FormatCellNumber(floatFormat_, Value, false));
}

double TKavStringGrid::GetAllFloats(int ACol, int ARow) {
    return ParseFloat(GetCellsEx(ACol, ARow));
}
