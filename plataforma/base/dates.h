#pragma once
// The class library's dates: TDateTime counts days from 30 December 1899 (day 0), the
// fraction being the time of day.

using TDateTime = double;

bool IsLeapYear(int Year);
int DaysInMonth(int Year, int Month);
// Raises EConvertError for a date that does not exist (30 February, month 13, year 0).
TDateTime EncodeDate(int Year, int Month, int Day);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
// The date moved by whole months, the day kept within the target month (31 January + 1 is
// the last day of February); the time of day is kept. Raises EConvertError outside years
// 1 to 9999.
TDateTime IncMonth(TDateTime Date, int NumberOfMonths = 1);
// The local date and time now.
TDateTime Now();
