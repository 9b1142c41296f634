#pragma once
// Values of outside files as the grid's cells show them: numbers as the class library's
// float-to-text gives them, dates and times in the regional patterns.

#include "plataforma/base/ansi_string.h"

#include <string_view>

namespace value_text {

// A date-time (the class library's day count, from 30/12/1899): the date alone when the
// time is midnight, the time alone when the day is 0, else the date, a blank and the time.
AnsiString DateTime(double Value);
// A spreadsheet's day number (1 is 1/1/1900, or 2/1/1904 in the 1904 system) as DateTime;
// a number outside years 1900 to 9999 as a number.
AnsiString SpreadsheetDate(double Serial, bool Date1904);
// Whether a number format code shows a date or a time (days, months, years, hours,
// minutes or seconds outside quotes, escapes and colour brackets).
bool IsDateFormat(int NumFmtId, std::string_view Code);

} // namespace value_text
