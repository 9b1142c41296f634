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
// a number outside years 1900 to 9999 as a number. In the 1900 system the day numbers of
// workbooks that keep the false 29/02/1900 (Compatible1900, as most do) skip one day less
// before 1 March 1900 than the class library's count; a workbook that says it does not keep
// it counts as the class library does.
AnsiString SpreadsheetDate(double Serial, bool Date1904, bool Compatible1900 = true);
// Whether a number format code shows elapsed time: "[h]", "[m]" or "[s]" in its first section.
bool IsElapsedFormat(std::string_view Code);
// A number of days as the elapsed time a format code of that kind shows it: 1.5 with
// "[h]:mm" is "36:00", with "[mm]:ss" "2160:00".
AnsiString ElapsedTime(double Days, std::string_view Code);
// Whether a number format code shows a date or a time (days, months, years, hours,
// minutes or seconds outside quotes, escapes and colour brackets).
bool IsDateFormat(int NumFmtId, std::string_view Code);

} // namespace value_text
