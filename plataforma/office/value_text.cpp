#include "plataforma/office/value_text.h"

#include "plataforma/base/date_time_text.h"
#include "plataforma/base/numbers.h"

#include <cmath>

namespace value_text {

AnsiString DateTime(double Value) {
    const double day = std::floor(Value);
    const bool time = Value != day;
    if (day == 0 && time) return TimeToStr(Value);
    if (!time) return DateToStr(Value);
    return DateToStr(Value) + " " + TimeToStr(Value);
}

AnsiString SpreadsheetDate(double Serial, bool Date1904) {
    // 31/12/9999 in the 1900 system.
    if (!(Serial >= 0 && Serial < 2958466)) return FloatToStr(Serial);
    double value = Serial;
    if (Date1904)
        value += 1462;
    else if (Serial >= 1 && Serial < 60)
        value += 1; // days before the 1900 system's 29th of February, which never was
    return DateTime(value);
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
