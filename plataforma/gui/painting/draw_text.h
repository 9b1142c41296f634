#pragma once
// DrawText and its relatives, with the Win32 flags: text laid out in a rectangle (aligned,
// on one line or broken at words, tabs expanded, "&" prefixes underlined, ellipses where
// it does not fit), written with the device context's font, text colour and background,
// or only measured (DT_CALCRECT). Tab expansion of a line (GetTabbedTextExtent,
// TabbedTextOut). Text is Windows-1252 (the W functions take UTF-16).

#include "plataforma/gui/kernel/win_types.h"

enum : UINT {
    DT_TOP = 0x00000000,
    DT_LEFT = 0x00000000,
    DT_CENTER = 0x00000001,
    DT_RIGHT = 0x00000002,
    DT_VCENTER = 0x00000004,
    DT_BOTTOM = 0x00000008,
    DT_WORDBREAK = 0x00000010,
    DT_SINGLELINE = 0x00000020,
    DT_EXPANDTABS = 0x00000040,
    DT_TABSTOP = 0x00000080,
    DT_NOCLIP = 0x00000100,
    DT_EXTERNALLEADING = 0x00000200,
    DT_CALCRECT = 0x00000400,
    DT_NOPREFIX = 0x00000800,
    DT_INTERNAL = 0x00001000,
    DT_EDITCONTROL = 0x00002000,
    DT_PATH_ELLIPSIS = 0x00004000,
    DT_END_ELLIPSIS = 0x00008000,
    DT_MODIFYSTRING = 0x00010000,
    DT_RTLREADING = 0x00020000,
    DT_WORD_ELLIPSIS = 0x00040000,
    DT_NOFULLWIDTHCHARBREAK = 0x00080000,
    DT_HIDEPREFIX = 0x00100000,
    DT_PREFIXONLY = 0x00200000,
};

// DrawTextEx's extra parameters: tab length in average character widths, margins in
// pixels, and, on return, the number of characters processed.
struct DRAWTEXTPARAMS {
    UINT cbSize = sizeof(DRAWTEXTPARAMS);
    int iTabLength = 0;
    int iLeftMargin = 0;
    int iRightMargin = 0;
    UINT uiLengthDrawn = 0;
};
using TDrawTextParams = DRAWTEXTPARAMS;

// count -1: up to the terminating zero. Returns the height of the text (with DT_VCENTER or
// DT_BOTTOM on one line, the offset from the rectangle's top to the text's bottom), 0 on
// failure. With DT_CALCRECT nothing is drawn and the rectangle's right and bottom edges
// are moved to fit the text.
int DrawText(HDC dc, const char* text, int count, TRect* rect, UINT format);
int DrawTextEx(HDC dc, const char* text, int count, TRect* rect, UINT format,
               DRAWTEXTPARAMS* params);
int DrawTextW(HDC dc, const char16_t* text, int count, TRect* rect, UINT format);
int DrawTextExW(HDC dc, const char16_t* text, int count, TRect* rect, UINT format,
                DRAWTEXTPARAMS* params);

// The extent of a line with its tabs expanded: the width in the low word, the height in
// the high word. No positions: a stop every eight average character widths; one: a stop
// every that many pixels; more: a stop at each (then every eight average widths).
DWORD GetTabbedTextExtent(HDC dc, const char* text, int count, int tabPositions,
                          const int* tabStops);
// Writes the line at (X, Y) with its tabs expanded from tabOrigin; returns the extent as
// GetTabbedTextExtent.
long TabbedTextOut(HDC dc, int X, int Y, const char* text, int count, int tabPositions,
                   const int* tabStops, int tabOrigin);
