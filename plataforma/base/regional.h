#pragma once
// The user's regional settings. Read once from the system (LC_NUMERIC and LC_TIME of the
// environment); tests set them.

#include "plataforma/base/ansi_string.h"

char GetDecimalSeparator();
void SetDecimalSeparator(char separador);
char GetThousandSeparator();
void SetThousandSeparator(char separador);
char GetDateSeparator();
void SetDateSeparator(char separador);
char GetTimeSeparator();
void SetTimeSeparator(char separador);
// The short date pattern with the class library's letters ("dd/MM/yyyy", "M/d/yyyy").
AnsiString GetShortDateFormat();
void SetShortDateFormat(const AnsiString& formato);
// The long time pattern with the class library's letters ("hh:nn:ss": h hours, n minutes,
// s seconds; ":" stands for the time separator).
AnsiString GetLongTimeFormat();
void SetLongTimeFormat(const AnsiString& formato);
