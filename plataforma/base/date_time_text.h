#pragma once
// Dates and times as text, under the regional settings (regional.h): the short date pattern
// and date separator, the long time pattern and time separator.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/dates.h"

// The date part in the short date pattern ("31/01/2005").
AnsiString DateToStr(TDateTime Date);
// Two or three numbers between date separators, in the order of the short date pattern; a
// missing year is this year's, a year of one or two digits the nearest one of this century
// or the last. Raises EConvertError for text that is not a date that exists.
TDateTime StrToDate(const AnsiString& Text);
bool TryStrToDate(const AnsiString& Text, TDateTime& Date);
// A date as StrToDate reads it, then optionally a blank and a time as StrToTime reads it;
// or a time alone. Raises EConvertError for anything else.
TDateTime StrToDateTime(const AnsiString& Text);
bool TryStrToDateTime(const AnsiString& Text, TDateTime& Value);
// The time of day in the long time pattern ("07:05:00"); the date part is not shown.
AnsiString TimeToStr(TDateTime Time);
// Hours, then minutes and seconds if given, between time separators; raises EConvertError
// for anything else or a field out of range.
TDateTime StrToTime(const AnsiString& Text);
bool TryStrToTime(const AnsiString& Text, TDateTime& Time);
// A date and time by a pattern: d dd (day), m mm (month; minutes right after an hour),
// yy yyyy, h hh, n nn (minutes), s ss; "/" and ":" give the regional date and time
// separators, text in quotes stays as written, any other character too.
AnsiString FormatDateTime(const AnsiString& Format, TDateTime Value);
