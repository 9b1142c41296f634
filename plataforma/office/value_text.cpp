#include "plataforma/office/value_text.h"

#include "plataforma/base/date_time_text.h"
#include "plataforma/base/numbers.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace value_text {

AnsiString DateTime(double Value) {
    const double day = std::floor(Value);
    const bool time = Value != day;
    if (day == 0 && time) return TimeToStr(Value);
    if (!time) return DateToStr(Value);
    return DateToStr(Value) + " " + TimeToStr(Value);
}

AnsiString SpreadsheetDate(double Serial, bool Date1904, bool Compatible1900) {
    // 31/12/9999 in the 1900 system.
    if (!(Serial >= 0 && Serial < 2958466)) return FloatToStr(Serial);
    double value = Serial;
    if (Date1904)
        value += 1462;
    else if (Compatible1900 && Serial >= 1 && Serial < 60)
        value += 1; // days before the 1900 system's 29th of February, which never was
    return DateTime(value);
}

namespace {

// The first section of a format code, whose quotes and escapes Walk hands on as literal
// text and whose other characters one by one (a bracket whole, without its brackets).
template <class Literal, class Token> void Walk(std::string_view Code, Literal&& L, Token&& T) {
    for (size_t i = 0; i < Code.size(); ++i) {
        const char c = Code[i];
        if (c == ';') return;
        if (c == '"') {
            const size_t end = std::min(Code.find('"', i + 1), Code.size());
            L(Code.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '\\' && i + 1 < Code.size()) {
            L(Code.substr(++i, 1));
        } else if (c == '_' && i + 1 < Code.size()) {
            L(" ");
            ++i;
        } else if (c == '*' && i + 1 < Code.size()) {
            ++i;
        } else if (c == '[') {
            const size_t end = std::min(Code.find(']', i + 1), Code.size());
            T(Code.substr(i + 1, end - i - 1), true);
            i = end;
        } else {
            size_t end = i + 1;
            while (end < Code.size() && Code[end] == c)
                ++end;
            T(Code.substr(i, end - i), false);
            i = end - 1;
        }
    }
}

char Lower(char C) {
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

// An elapsed unit of a bracket ("h", "m", "s"), else 0.
char ElapsedUnit(std::string_view Bracket) {
    const char u = Bracket.empty() ? 0 : Lower(Bracket[0]);
    for (char c : Bracket)
        if (Lower(c) != u) return 0;
    return u == 'h' || u == 'm' || u == 's' ? u : 0;
}

} // namespace

bool IsElapsedFormat(std::string_view Code) {
    bool elapsed = false;
    Walk(
        Code, [](std::string_view) {},
        [&](std::string_view T, bool Bracket) {
            elapsed = elapsed || (Bracket && ElapsedUnit(T));
        });
    return elapsed;
}

AnsiString ElapsedTime(double Days, std::string_view Code) {
    const double seconds = std::round(std::fabs(Days) * 86400.0);
    if (!std::isfinite(seconds) || seconds > 9e15) return FloatToStr(Days);
    const auto total = static_cast<long long>(seconds);
    // The largest unit shown in brackets counts it all; the smaller ones what is left of it.
    char largest = 's';
    Walk(
        Code, [](std::string_view) {},
        [&](std::string_view T, bool Bracket) {
            const char u = Bracket ? ElapsedUnit(T) : 0;
            if (u == 'h' || (u == 'm' && largest == 's')) largest = u;
        });
    std::string out = Days < 0 && total > 0 ? "-" : "";
    const auto put = [&out](long long V, size_t Width) {
        std::string d = std::to_string(V);
        if (d.size() < Width) d.insert(0, Width - d.size(), '0');
        out += d;
    };
    Walk(
        Code, [&](std::string_view L) { out += L; },
        [&](std::string_view T, bool Bracket) {
            const char u = Bracket ? ElapsedUnit(T) : Lower(T[0]);
            if (Bracket && !u) return; // a colour or a condition
            switch (u) {
            case 'h':
                put(largest == 'h' ? total / 3600 : total / 3600 % 24, T.size());
                break;
            case 'm':
                put(largest == 'm' ? total / 60 : total / 60 % 60, T.size());
                break;
            case 's':
                put(largest == 's' ? total : total % 60, T.size());
                break;
            default:
                out += T;
            }
        });
    return AnsiString(std::move(out));
}

bool IsDateFormat(int NumFmtId, std::string_view Code) {
    if ((NumFmtId >= 14 && NumFmtId <= 22) || (NumFmtId >= 27 && NumFmtId <= 36) ||
        (NumFmtId >= 45 && NumFmtId <= 47) || (NumFmtId >= 50 && NumFmtId <= 58))
        return true;
    for (size_t i = 0; i < Code.size(); ++i) {
        const char c = Code[i];
        if (c == '"') {
            const size_t end = Code.find('"', i + 1);
            if (end == std::string_view::npos) return false;
            i = end;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const size_t end = Code.find(']', i + 1);
            if (end == std::string_view::npos) return false;
            // Elapsed time ([h], [mm], [ss]) is a time; colours and conditions are not.
            const char f = end > i + 1 ? Code[i + 1] : 0;
            if (f == 'h' || f == 'H' || f == 'm' || f == 'M' || f == 's' || f == 'S') return true;
            i = end;
        } else if (c == ';') {
            return false; // the first section decides
        } else {
            switch (c) {
            case 'd':
            case 'D':
            case 'm':
            case 'M':
            case 'y':
            case 'Y':
            case 'h':
            case 'H':
            case 's':
            case 'S':
                return true;
            default:
                break;
            }
        }
    }
    return false;
}

} // namespace value_text
