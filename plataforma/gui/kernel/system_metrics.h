#pragma once
// GetSystemMetrics with the classic Windows values at 96 pixels per inch: frames, captions,
// menus, scroll bars and minimized windows keep the sizes the forms were designed for,
// whatever the window manager draws.

#include "plataforma/gui/kernel/win_types.h"

enum : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXDLGFRAME = 7,
    SM_CXFIXEDFRAME = 7,
    SM_CYDLGFRAME = 8,
    SM_CYFIXEDFRAME = 8,
    SM_CYVTHUMB = 9,
    SM_CXHTHUMB = 10,
    SM_CXICON = 11,
    SM_CYICON = 12,
    SM_CYMENU = 15,
    SM_CXFULLSCREEN = 16,
    SM_CYFULLSCREEN = 17,
    SM_CYVSCROLL = 20,
    SM_CXHSCROLL = 21,
    SM_CXMIN = 28,
    SM_CYMIN = 29,
    SM_CXSIZE = 30,
    SM_CYSIZE = 31,
    SM_CXFRAME = 32,
    SM_CXSIZEFRAME = 32,
    SM_CYFRAME = 33,
    SM_CYSIZEFRAME = 33,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
    SM_CXMINSPACING = 47,
    SM_CYMINSPACING = 48,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50,
    SM_CYSMCAPTION = 51,
    SM_CXMINIMIZED = 57,
    SM_CYMINIMIZED = 58,
    SM_CXMAXIMIZED = 61,
    SM_CYMAXIMIZED = 62,
};

// 0 for an index it does not know.
int GetSystemMetrics(int nIndex);

// The desktop's settings that controls read: the lines a wheel notch scrolls (the user's
// setting of the desktop, 3 when it has none). Unknown actions answer FALSE.
enum : UINT { SPI_GETWHEELSCROLLLINES = 0x0068, SPI_SETWHEELSCROLLLINES = 0x0069 };
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);
