#pragma once
// The visual-styles functions as the controls call them: one function pointer per theme
// function, under the function's own name, empty until the unit binds it at start-up.
// Painting code checks that theming is in effect (IsThemeActive) before calling through
// them. The window layer draws the themed parts itself, so the functions that the controls
// use are bound to it; the others have no counterpart there and stay empty.
// Theming is off until the program turns it on (SetThemeActive in the window layer).

#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/themes.h"

struct LOGFONTW;
struct INTLIST;

struct _MARGINS {
    int cxLeftWidth;
    int cxRightWidth;
    int cyTopHeight;
    int cyBottomHeight;
};
using MARGINS = _MARGINS;

// The options of DrawThemeBackgroundEx.
struct TDTBGOPTS {
    DWORD dwSize;
    DWORD dwFlags;
    TRect rcClip;
};
using PDTBGOPTS = TDTBGOPTS*;

namespace Kavxpvs {

using LPCWSTR = const wchar_t*;
using LPWSTR = wchar_t*;

extern HTHEME (*OpenThemeData)(HWND, LPCWSTR);
extern HRESULT (*CloseThemeData)(HTHEME);
extern HRESULT (*DrawThemeBackground)(HTHEME, HDC, int, int, const TRect*, const TRect*);
extern HRESULT (*DrawThemeText)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const TRect*);
extern HRESULT (*GetThemeBackgroundContentRect)(HTHEME, HDC, int, int, const TRect*, TRect*);
extern HRESULT (*GetThemeBackgroundExtent)(HTHEME, HDC, int, int, const TRect*, TRect*);
extern HRESULT (*GetThemeTextExtent)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const TRect*,
                                     TRect*);
extern HRESULT (*GetThemeTextMetrics)(HTHEME, HDC, int, int, TEXTMETRIC*);
extern HRESULT (*GetThemeBackgroundRegion)(HTHEME, HDC, int, int, const TRect*, HRGN*);
extern HRESULT (*HitTestThemeBackground)(HTHEME, HDC, int, int, DWORD, const TRect*, HRGN, TPoint,
                                         WORD*);
extern HRESULT (*DrawThemeEdge)(HTHEME, HDC, int, int, const TRect*, UINT, UINT, TRect*);
extern HRESULT (*DrawThemeIcon)(HTHEME, HDC, int, int, const TRect*, HIMAGELIST, int);
extern BOOL (*IsThemePartDefined)(HTHEME, int, int);
extern BOOL (*IsThemeBackGroundPartiallyTransparent)(HTHEME, int, int);
extern HRESULT (*GetThemeColor)(HTHEME, int, int, int, COLORREF*);
extern HRESULT (*GetThemeMetric)(HTHEME, HDC, int, int, int, int*);
extern HRESULT (*GetThemeString)(HTHEME, int, int, int, LPWSTR, int);
extern HRESULT (*GetThemeBool)(HTHEME, int, int, int, BOOL*);
extern HRESULT (*GetThemeInt)(HTHEME, int, int, int, int*);
extern HRESULT (*GetThemeEnumValue)(HTHEME, int, int, int, int*);
extern HRESULT (*GetThemePosition)(HTHEME, int, int, int, TPoint*);
extern HRESULT (*GetThemeFont)(HTHEME, HDC, int, int, int, LOGFONTW*);
extern HRESULT (*GetThemeRect)(HTHEME, int, int, int, TRect*);
extern HRESULT (*GetThemeMargins)(HTHEME, HDC, int, int, int, TRect*, MARGINS*);
extern HRESULT (*GetThemeIntList)(HTHEME, int, int, int, INTLIST*);
extern HRESULT (*SetWindowTheme)(HWND, LPCWSTR, LPCWSTR);
extern HRESULT (*GetThemeFilename)(HTHEME, int, int, int, LPWSTR, int);
extern COLORREF (*GetThemeSysColor)(HTHEME, int);
extern HBRUSH (*GetThemeSysColorBrush)(HTHEME, int);
extern BOOL (*GetThemeSysBool)(HTHEME, int);
extern int (*GetThemeSysSize)(HTHEME, int);
extern HRESULT (*GetThemeSysFont)(HTHEME, int, LOGFONTW*);
extern HRESULT (*GetThemeSysString)(HTHEME, int, LPWSTR, int);
extern HRESULT (*GetThemeSysInt)(HTHEME, int, int*);
extern BOOL (*IsThemeActive)();
extern BOOL (*IsAppThemed)();
extern HTHEME (*GetWindowTheme)(HWND);
extern HRESULT (*EnableThemeDialogTexture)(HWND, DWORD);
extern BOOL (*IsThemeDialogTextureEnabled)(HWND);
extern DWORD (*GetThemeAppProperties)();
extern void (*SetThemeAppProperties)(DWORD);
extern HRESULT (*GetCurrentThemeName)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
extern HRESULT (*GetThemeDocumentationProperty)(LPCWSTR, LPCWSTR, LPWSTR, int);
extern HRESULT (*DrawThemeParentBackground)(HWND, HDC, TRect*);
extern HRESULT (*EnableTheming)(BOOL);
// Declared and never bound.
extern HRESULT (*DrawThemeBackgroundEx)(HTHEME, HDC, int, int, const TRect*, const TDTBGOPTS*);

// Binds the functions (once; runs when the program starts) and lets them go.
void Startup();
void Shutdown();
bool Loaded();
// True when themed drawing can be used now: bound and switched on.
bool ThemedDrawing();

} // namespace Kavxpvs
