#pragma once
// The Win32 functions that the program calls on a device context (a canvas's Handle): its
// colours, background mode, text alignment, origin and clip region, brushes and regions,
// fills, text output and measures, and the device's capabilities. A handle that names no
// live device context makes them fail as Win32 does (0, FALSE or CLR_INVALID), never crash.

#include "plataforma/gui/kernel/win_types.h"
#include "plataforma/gui/painting/colors.h"

struct HBRUSH__;
using HBRUSH = HBRUSH__*;
using HGDIOBJ = void*;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// --- colours, background mode, text alignment ---
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);

enum : UINT {
    TA_NOUPDATECP = 0,
    TA_UPDATECP = 1,
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);

// --- saved states and origins ---
// Returns the new depth of the saved states (0 on failure). RestoreDC takes a depth, or a
// negative count of states back from the last one.
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);
// Logical (x, y) lands on the device at (x - window origin + viewport origin).
BOOL SetViewportOrgEx(HDC dc, int X, int Y, TPoint* old);
BOOL GetViewportOrgEx(HDC dc, TPoint* point);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old);
BOOL SetWindowOrgEx(HDC dc, int X, int Y, TPoint* old);
BOOL GetWindowOrgEx(HDC dc, TPoint* point);

// --- mapping modes ---
// MM_TEXT: a logical unit is a device unit, y down. MM_LOMETRIC: a logical unit is a tenth
// of a millimetre on the device (by its LOGPIXELSX/Y), y up: a page's y is 0 at its top and
// negative below. MM_ANISOTROPIC: a logical unit is viewport extent / window extent device
// units on each axis (a negative ratio turns the axis); entering it keeps the mapping of
// the mode before until the extents are set. In a mode other than MM_TEXT font heights, pen
// widths, text extents and clip rectangles are all in logical units.
enum : int { MM_TEXT = 1, MM_LOMETRIC = 2, MM_ANISOTROPIC = 8 };
// Returns the previous mode; 0 for an unknown mode or handle.
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
// The extents of MM_ANISOTROPIC (ignored in the other modes, as Win32 does); a zero extent
// is refused. old receives the extent before.
BOOL SetWindowExtEx(HDC dc, int X, int Y, TSize* old);
BOOL SetViewportExtEx(HDC dc, int X, int Y, TSize* old);
// Device points to logical points and back, in place.
BOOL DPtoLP(HDC dc, TPoint* points, int count);
BOOL LPtoDP(HDC dc, TPoint* points, int count);

// --- regions and clipping (regions in device coordinates) ---
enum : int { ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect* rect);
enum : int { ALTERNATE = 1, WINDING = 2 };
// The inside of a polygon (ALTERNATE or WINDING filling).
HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode);
// dest := src1 combined with src2 (src2 unused for RGN_COPY); returns the region's kind.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL PtInRegion(HRGN rgn, int X, int Y);
int GetRgnBox(HRGN rgn, TRect* rect);
// A copy of the region becomes the clip region; nullptr removes the clip region.
int SelectClipRgn(HDC dc, HRGN rgn);
// These take logical coordinates.
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
// The bounding box of what can be drawn, in logical coordinates.
int GetClipBox(HDC dc, TRect* rect);

// --- brushes and fills ---
HBRUSH CreateSolidBrush(COLORREF color);
// Brushes of the system colours; they belong to the system and DeleteObject leaves them.
HBRUSH GetSysColorBrush(int index);
// Frees a brush or a region.
BOOL DeleteObject(HGDIOBJ object);
int FillRect(HDC dc, const TRect* rect, HBRUSH brush);
int FrameRect(HDC dc, const TRect* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const TRect* rect);
BOOL DrawFocusRect(HDC dc, const TRect* rect);

// --- text ---
struct TEXTMETRIC {
    int tmHeight;
    int tmAscent;
    int tmDescent;
    int tmInternalLeading;
    int tmExternalLeading;
    int tmAveCharWidth;
    int tmMaxCharWidth;
    int tmWeight;
    int tmOverhang;
    int tmDigitizedAspectX;
    int tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
using TTextMetric = TEXTMETRIC;
// tmPitchAndFamily bits; TMPF_FIXED_PITCH set means a variable pitch, as in Win32.
enum : BYTE {
    TMPF_FIXED_PITCH = 0x01,
    TMPF_VECTOR = 0x02,
    TMPF_TRUETYPE = 0x04,
    TMPF_DEVICE = 0x08
};
// tmCharSet values (ANSI_CHARSET is with the fonts).
constexpr BYTE SYMBOL_CHARSET = 2;
// The font's kind as the font file tells it: TrueType outlines give TMPF_VECTOR and
// TMPF_TRUETYPE, PostScript outlines (CFF, Type 1) TMPF_VECTOR and TMPF_DEVICE, bitmap
// fonts neither; a family of symbols only has SYMBOL_CHARSET, any other ANSI_CHARSET.
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* tm);
// count -1 measures up to the terminating zero.
BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, TSize* size);
BOOL GetTextExtentPoint32W(HDC dc, const char16_t* text, int count, TSize* size);
// How many characters fit in maxExtent (fit), and the extent after each character (dx).
BOOL GetTextExtentExPoint(HDC dc, const char* text, int count, int maxExtent, int* fit, int* dx,
                          TSize* size);
enum : UINT { ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004 };
BOOL ExtTextOut(HDC dc, int X, int Y, UINT options, const TRect* rect, const char* text, int count,
                const int* dx);
BOOL ExtTextOutW(HDC dc, int X, int Y, UINT options, const TRect* rect, const char16_t* text,
                 int count, const int* dx);

// --- the device ---
enum : int {
    HORZSIZE = 4,
    VERTSIZE = 6,
    HORZRES = 8,
    VERTRES = 10,
    BITSPIXEL = 12,
    PLANES = 14,
    NUMCOLORS = 24,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
};
// The device's own: a printer's resolution and page, a bitmap's or a window's pixels.
int GetDeviceCaps(HDC dc, int index);
// What a printer can do. DC_ORIENTATION: the degrees portrait is turned to make landscape
// (90 or 270), 0 when the device is no printer; -1 for a capability not known.
enum : WORD { DC_ORIENTATION = 17 };
int DeviceCapabilities(HDC dc, WORD capability);
COLORREF GetPixel(HDC dc, int X, int Y);
COLORREF SetPixel(HDC dc, int X, int Y, COLORREF color);
