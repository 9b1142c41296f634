#pragma once
// The class library's number functions. Conversions to text use the regional decimal
// separator (regional.h), as the class library does; file output goes through FormatoC.

#include "plataforma/base/ansi_string.h"

// "0.000", "0.00", "0.0", "0", "0.0000" and the like; an exact tie rounds away from zero
// (12.25 with "0.0" gives "12.3").
AnsiString FormatFloat(const AnsiString& formato, double valor);
// General format with 15 significant digits ("0.600000023841858", "1E-5", "1E20").
AnsiString FloatToStr(double valor);
// The formats of FloatToStrF in use: ffGeneral is FloatToStr's; ffFixed shows Digits decimals
// (0 to 18) of the value taken to Precision significant digits, and falls back to the general
// format when the whole part has more than Precision digits.
enum TFloatFormat { ffGeneral, ffFixed };
AnsiString FloatToStrF(double valor, TFloatFormat formato, int precision, int digitos);
// Strict: the whole text must be a number (blanks around it allowed), with the regional
// separator; raises EConvertError otherwise.
double StrToFloat(const AnsiString& texto);
bool TryStrToFloat(const AnsiString& texto, double& valor);
int StrToInt(const AnsiString& texto);
bool TryStrToInt(const AnsiString& texto, int& valor);
int StrToIntDef(const AnsiString& texto, int defecto);
AnsiString IntToStr(long long valor);
AnsiString IntToHex(long long valor, int digitos);
