#pragma once
// Text functions shared by the grid and the controls around it: character search and
// tokens, line-break encodings of the storage and clipboard forms, kinds of cell text,
// number and date recognition with the regional settings, the HTML clipboard fragment and
// the two-byte storage form of wide text. Positions are 1-based (0: not found). Nothing
// keeps state; failed conversions give the neutral results stated per function.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/dates.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/kernel/win_types.h"

#include <string>

class TStrings;

enum TTextType { ttText, ttHTML, ttRTF, ttFormula, ttURL, ttUnicode };
enum TAutoType { atNumeric, atFloat, atString, atDate, atTime };

// --- strings ---
AnsiString CSVQuotes(const AnsiString& S);
// A bound below 1 is no bound; min = max leaves the value as it is.
int CheckLimits(int Value, int Min, int Max);
int Max(int A, int B);
int Min(int A, int B);
// Sub is searched in the upper-cased text as it is (callers pass it upper case).
int FIPos(const AnsiString& Sub, const AnsiString& S);
int VarPos(const AnsiString& Sub, const AnsiString& S, int& Pos);
int CharPos(char Ch, const AnsiString& S);
// Pos is written only when the character is found.
bool VarCharPos(char Ch, const AnsiString& S, int& Pos);
bool VarCharPosNC(char Ch, const AnsiString& S, int& Pos);
// The last character of the first run of Ch of odd length, or a Ch in the last position.
int SinglePos(char Ch, const AnsiString& S, int& Pos);
int NumSingleChar(char Ch, const AnsiString& S);
int NumChar(char Ch, const AnsiString& S);
int NumCharInStr(char Ch, const AnsiString& S);
// The first character of the set that stands outside double quotes; none: Pos -1, '\0'.
char FirstChar(const AnsiString& Set, const AnsiString& S, int& Pos);
// The text before the separator, which S loses with the separator's first character.
AnsiString GetToken(AnsiString& S, const AnsiString& Separator);
AnsiString StringListToText(TStrings* List);
// Without Ch, unchanged; a doubled Ch becomes one and a single one is dropped.
AnsiString DoubleToSingleChar(char Ch, const AnsiString& S);
void StringToPassword(AnsiString& S, char Ch);
// The Windows-1252 text and the Western European console code page (850).
void StringToOem(AnsiString& S);
void OemToString(AnsiString& S);
// Capitalised names: "o'neill mcdonald ii" gives "O'Neill McDonald II".
AnsiString ShiftCase(const AnsiString& Name);
template <class TGridRectLike> bool IsInGridRect(const TGridRectLike& Rect, int Col, int Row) {
    return Rect.Left <= Col && Col <= Rect.Right && Rect.Top <= Row && Row <= Rect.Bottom;
}
// "R<row>C<col>", any case: Point := (col, row); otherwise false and Point unchanged.
bool NameToCell(const AnsiString& Name, TPoint& Point);
AnsiString RectString(const TRect& R);
bool IsURL(const AnsiString& S);
void StripURLProtocol(AnsiString& S);

// --- kinds of text and numbers ---
TTextType TextType(const AnsiString& S, bool HTML);
TAutoType IsType(const AnsiString& S);
// A number text made ready for conversion: separators out, "." as decimal point, a sign
// taken from "(...)" or a dropped leading "-".
AnsiString RemoveSeps(const AnsiString& S);
AnsiString FixDecimalSeparator(const AnsiString& S);
// "RRGGBB" of the colour's bytes as stored.
AnsiString HTMLColor(int Color);
bool IsDateStr(const AnsiString& S);

// --- line breaks ---
AnsiString LineFeedsToCSV(const AnsiString& S);
AnsiString CSVToLineFeeds(const AnsiString& S);
AnsiString LineFeedsToCSVNQ(const AnsiString& S);
AnsiString LineFeedsToJava(const AnsiString& S);
AnsiString JavaToLineFeeds(const AnsiString& S);
AnsiString LFToCLF(const AnsiString& S);
AnsiString CLFToLF(const AnsiString& S);
AnsiString LfToFile(const AnsiString& S);
AnsiString FileToLf(const AnsiString& S, bool MultiLine);
AnsiString LineFeedsToXLS(const AnsiString& S);
AnsiString CRToLF(const AnsiString& S);
AnsiString HTMLLineBreaks(const AnsiString& S);
int LinesInText(const AnsiString& S, bool MultiLine);
AnsiString GetNextLine(AnsiString& S, bool MultiLine);

// --- wide text ---
int StrPosWide(const WideString& Sub, const WideString& S);
// "|\" and then the high and the low byte of each character.
AnsiString EncodeWideStr(const WideString& S);
// Whether a text is in that form.
inline bool IsWideStr(const AnsiString& S) {
    return S.str().compare(0, 2, "|\\") == 0;
}
// Any other text is widened through the Windows-1252 table.
WideString DecodeWideStr(const AnsiString& S);

// --- HTML clipboard ---
void MakeFragment(AnsiString& HTML);

// --- dates ---
// Month, day and year (US) or day, month and year (EU) joined by the first of "/", ".",
// "-" in the text; years below 26 are 20xx, the others 19xx. A part that is no number
// gives 0; an impossible date raises EConvertError.
TDateTime StrToShortdateUS(const AnsiString& S);
TDateTime StrToShortDateEU(const AnsiString& S);
TDateTime GetNextDate(TDateTime D, unsigned short Years, unsigned short Months, unsigned short Days,
                      TDateTime Increment);

// --- filter matching (matching.cpp) ---
// Comparison clauses (">", ">=", "<", "<=") on numbers, dates or text, then wildcards
// ("*", "?", "\" for a literal, "!" to invert, double quotes ignored). Linear in the text
// for a given mask.
bool Matches(const AnsiString& Mask, const AnsiString& S);
bool MatchStr(const AnsiString& Mask, const AnsiString& S, bool CaseSensitive);
// Masks joined by "&" (and) and ";", "^", "|" (or) outside double quotes.
bool MatchStrEx(const AnsiString& Mask, const AnsiString& S, bool CaseSensitive);
