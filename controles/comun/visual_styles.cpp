#include "controles/comun/visual_styles.h"

namespace Kavxpvs {

HTHEME (*OpenThemeData)(HWND, LPCWSTR) = nullptr;
HRESULT (*CloseThemeData)(HTHEME) = nullptr;
HRESULT (*DrawThemeBackground)(HTHEME, HDC, int, int, const TRect*, const TRect*) = nullptr;
HRESULT (*DrawThemeText)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const TRect*) = nullptr;
HRESULT (*GetThemeBackgroundContentRect)(HTHEME, HDC, int, int, const TRect*, TRect*) = nullptr;
HRESULT (*GetThemeBackgroundExtent)(HTHEME, HDC, int, int, const TRect*, TRect*) = nullptr;
HRESULT(*GetThemeTextExtent)
(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const TRect*, TRect*) = nullptr;
HRESULT (*GetThemeTextMetrics)(HTHEME, HDC, int, int, TEXTMETRIC*) = nullptr;
HRESULT (*GetThemeBackgroundRegion)(HTHEME, HDC, int, int, const TRect*, HRGN*) = nullptr;
HRESULT(*HitTestThemeBackground)
(HTHEME, HDC, int, int, DWORD, const TRect*, HRGN, TPoint, WORD*) = nullptr;
HRESULT (*DrawThemeEdge)(HTHEME, HDC, int, int, const TRect*, UINT, UINT, TRect*) = nullptr;
HRESULT (*DrawThemeIcon)(HTHEME, HDC, int, int, const TRect*, HIMAGELIST, int) = nullptr;
BOOL (*IsThemePartDefined)(HTHEME, int, int) = nullptr;
BOOL (*IsThemeBackGroundPartiallyTransparent)(HTHEME, int, int) = nullptr;
HRESULT (*GetThemeColor)(HTHEME, int, int, int, COLORREF*) = nullptr;
HRESULT (*GetThemeMetric)(HTHEME, HDC, int, int, int, int*) = nullptr;
HRESULT (*GetThemeString)(HTHEME, int, int, int, LPWSTR, int) = nullptr;
HRESULT (*GetThemeBool)(HTHEME, int, int, int, BOOL*) = nullptr;
HRESULT (*GetThemeInt)(HTHEME, int, int, int, int*) = nullptr;
HRESULT (*GetThemeEnumValue)(HTHEME, int, int, int, int*) = nullptr;
HRESULT (*GetThemePosition)(HTHEME, int, int, int, TPoint*) = nullptr;
HRESULT (*GetThemeFont)(HTHEME, HDC, int, int, int, LOGFONTW*) = nullptr;
HRESULT (*GetThemeRect)(HTHEME, int, int, int, TRect*) = nullptr;
HRESULT (*GetThemeMargins)(HTHEME, HDC, int, int, int, TRect*, MARGINS*) = nullptr;
HRESULT (*GetThemeIntList)(HTHEME, int, int, int, INTLIST*) = nullptr;
HRESULT (*SetWindowTheme)(HWND, LPCWSTR, LPCWSTR) = nullptr;
HRESULT (*GetThemeFilename)(HTHEME, int, int, int, LPWSTR, int) = nullptr;
COLORREF (*GetThemeSysColor)(HTHEME, int) = nullptr;
HBRUSH (*GetThemeSysColorBrush)(HTHEME, int) = nullptr;
BOOL (*GetThemeSysBool)(HTHEME, int) = nullptr;
int (*GetThemeSysSize)(HTHEME, int) = nullptr;
HRESULT (*GetThemeSysFont)(HTHEME, int, LOGFONTW*) = nullptr;
HRESULT (*GetThemeSysString)(HTHEME, int, LPWSTR, int) = nullptr;
HRESULT (*GetThemeSysInt)(HTHEME, int, int*) = nullptr;
BOOL (*IsThemeActive)() = nullptr;
BOOL (*IsAppThemed)() = nullptr;
HTHEME (*GetWindowTheme)(HWND) = nullptr;
HRESULT (*EnableThemeDialogTexture)(HWND, DWORD) = nullptr;
BOOL (*IsThemeDialogTextureEnabled)(HWND) = nullptr;
DWORD (*GetThemeAppProperties)() = nullptr;
void (*SetThemeAppProperties)(DWORD) = nullptr;
HRESULT (*GetCurrentThemeName)(LPWSTR, int, LPWSTR, int, LPWSTR, int) = nullptr;
HRESULT (*GetThemeDocumentationProperty)(LPCWSTR, LPCWSTR, LPWSTR, int) = nullptr;
HRESULT (*DrawThemeParentBackground)(HWND, HDC, TRect*) = nullptr;
HRESULT (*EnableTheming)(BOOL) = nullptr;
HRESULT (*DrawThemeBackgroundEx)(HTHEME, HDC, int, int, const TRect*, const TDTBGOPTS*) = nullptr;

namespace {

bool loaded = false;

// Binds at program start, as the unit's initialization does.
struct Arranque {
    Arranque() { Startup(); }
    ~Arranque() { Shutdown(); }
} arranque;

} // namespace

void Startup() {
    if (loaded) return;
    loaded = true;
    OpenThemeData = ::OpenThemeData;
    CloseThemeData = ::CloseThemeData;
    DrawThemeBackground = ::DrawThemeBackground;
    DrawThemeText = ::DrawThemeText;
    IsThemeActive = ::IsThemeActive;
    IsAppThemed = ::IsAppThemed;
    GetCurrentThemeName = ::GetCurrentThemeName;
}

// The variables keep their values, as the unit's finalization leaves them; only the
// binding is released.
void Shutdown() {
    loaded = false;
}

bool Loaded() {
    return loaded;
}

bool ThemedDrawing() {
    return loaded && IsThemeActive != nullptr && IsThemeActive() != 0;
}

} // namespace Kavxpvs
