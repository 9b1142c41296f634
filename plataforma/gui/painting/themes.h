#pragma once
// The visual-styles functions the program calls. Visual styles are off unless the program
// turns them on (SetThemeActive), so that the classic drawing is what runs by default and
// in tests; while off, OpenThemeData gives no theme and callers draw the classic way. On,
// the classes "button", "header", "combobox", "progress" and "spin" draw their parts in a
// look of this layer's own.

#include "plataforma/gui/kernel/win_types.h"

struct HTHEME__;
using HTHEME = HTHEME__*;

constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006L);

// The parts and states of the classes in use.
enum : int { BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3, BP_GROUPBOX = 4 };
enum : int { PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5 };
enum : int {
    CBS_UNCHECKEDNORMAL = 1,
    CBS_UNCHECKEDHOT = 2,
    CBS_UNCHECKEDPRESSED = 3,
    CBS_UNCHECKEDDISABLED = 4,
    CBS_CHECKEDNORMAL = 5,
    CBS_CHECKEDHOT = 6,
    CBS_CHECKEDPRESSED = 7,
    CBS_CHECKEDDISABLED = 8,
};
enum : int {
    RBS_UNCHECKEDNORMAL = 1,
    RBS_UNCHECKEDDISABLED = 4,
    RBS_CHECKEDNORMAL = 5,
    RBS_CHECKEDDISABLED = 8,
};
enum : int {
    HP_HEADERITEM = 1,
    HP_HEADERITEMLEFT = 2,
    HP_HEADERITEMRIGHT = 3,
    HP_HEADERSORTARROW = 4
};
enum : int { HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3 };
enum : int { CP_DROPDOWNBUTTON = 1 };
enum : int { CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4 };
enum : int { PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4 };
enum : int { SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4 };
enum : int { UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4 };

// Turns visual styles on or off for the whole program (off at start).
void SetThemeActive(bool Active);
BOOL IsThemeActive();
BOOL IsAppThemed();

// A theme for the first known class of a ";"-separated list (case ignored); nullptr while
// visual styles are off or for unknown classes.
HTHEME OpenThemeData(HWND hwnd, const wchar_t* classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int partId, int stateId, const TRect* rect,
                            const TRect* clipRect);
// The text in the part's text colour, laid out by DrawText flags.
HRESULT DrawThemeText(HTHEME theme, HDC dc, int partId, int stateId, const wchar_t* text, int count,
                      DWORD textFlags, DWORD textFlags2, const TRect* rect);
// The colour scheme that the style in use reports ("NormalColor" unless set): the desktop's
// choice, which programs and tests may set.
void SetThemeColorName(const wchar_t* Name);
// The style's file, colour scheme and size names, cut to each buffer's length.
HRESULT GetCurrentThemeName(wchar_t* themeFileName, int maxNameChars, wchar_t* colorBuff,
                            int maxColorChars, wchar_t* sizeBuff, int maxSizeChars);
