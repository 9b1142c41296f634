#pragma once
// The scroll bars of a window (WS_HSCROLL, WS_VSCROLL). A custom-painted window draws them
// classic in its non-client area; its client area shrinks by a bar's width while the bar is
// shown. A user's click or drag on a bar sends WM_HSCROLL / WM_VSCROLL to the window; the
// bar moves only when the window's handler sets its position. Controls that host a scroll
// area of the window system (list box, memo) answer the same calls from their own bars.

#include "plataforma/gui/kernel/win_types.h"

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
using TScrollInfo = SCROLLINFO;

enum : UINT {
    SIF_RANGE = 0x0001,
    SIF_PAGE = 0x0002,
    SIF_POS = 0x0004,
    SIF_DISABLENOSCROLL = 0x0008,
    SIF_TRACKPOS = 0x0010,
    SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS,
};

enum : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };

enum : UINT {
    ESB_ENABLE_BOTH = 0x0000,
    ESB_DISABLE_LTUP = 0x0001,
    ESB_DISABLE_LEFT = 0x0001,
    ESB_DISABLE_UP = 0x0001,
    ESB_DISABLE_RTDN = 0x0002,
    ESB_DISABLE_RIGHT = 0x0002,
    ESB_DISABLE_DOWN = 0x0002,
    ESB_DISABLE_BOTH = 0x0003,
};

// Sets the fields fMask names; the position is kept inside the range. A range that leaves
// nothing to scroll hides the bar (disables it with SIF_DISABLENOSCROLL); a range that does
// shows it again. Returns the new position.
int SetScrollInfo(HWND hWnd, int nBar, const SCROLLINFO* lpsi, BOOL bRedraw);
// Fills the fields fMask names; FALSE for a window without that bar.
BOOL GetScrollInfo(HWND hWnd, int nBar, SCROLLINFO* lpsi);
// Returns the previous position.
int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
int GetScrollPos(HWND hWnd, int nBar);
BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw);
BOOL GetScrollRange(HWND hWnd, int nBar, int* lpMinPos, int* lpMaxPos);
BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow);
// wArrows: ESB_ flags; FALSE when nothing changed.
BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows);
