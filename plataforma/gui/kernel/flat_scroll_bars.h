#pragma once
// Flat scroll bars: the scroll bars of a window (scroll_bars.h) drawn flat, in a background
// colour and a thickness of the window's own. InitializeFlatSB puts a window's bars under
// this service and its properties then say how they look: the regular style keeps the
// classic look (at the set thickness); the flat style draws the arrows and the thumb flat,
// inverted under the pointer; the Encarta style draws them flat, raised under the pointer.
// A window keeps one state per bar: FlatSB_SetScrollInfo and SetScrollInfo set the same
// bar, so copying a window's scroll information into its flat bar changes nothing. On a
// window not under the service the FlatSB_ functions act as the standard ones, and its
// properties can be neither read nor set.

#include "plataforma/gui/kernel/scroll_bars.h"

// Properties; only those listed here are kept.
enum : UINT {
    WSB_PROP_CYHSCROLL = 0x0004, // height of the horizontal bar
    WSB_PROP_CXVSCROLL = 0x0008, // width of the vertical bar
    WSB_PROP_VBKGCOLOR = 0x0040, // background of the vertical bar (TColor; clNone: classic)
    WSB_PROP_HBKGCOLOR = 0x0080, // background of the horizontal bar
    WSB_PROP_VSTYLE = 0x0100,    // style of the vertical bar (FSB_ modes)
    WSB_PROP_HSTYLE = 0x0200,    // style of the horizontal bar
};

enum : int { FSB_REGULAR_MODE = 0, FSB_ENCARTA_MODE = 1, FSB_FLAT_MODE = 2 };

// The window's bars come under the service with the regular style, no background colour
// and the thickness they had (the system's, or a hosted scroll area's). FALSE for no window.
BOOL InitializeFlatSB(HWND hWnd);
// Back to the window's classic bars; E_FAIL for no window.
HRESULT UninitializeFlatSB(HWND hWnd);
// FALSE, and nothing changes, for a window not under the service, a property not listed, a
// style that is no FSB_ mode or a thickness below 1.
BOOL FlatSB_SetScrollProp(HWND hWnd, UINT index, INT_PTR newValue, BOOL fRedraw);
BOOL FlatSB_GetScrollProp(HWND hWnd, int propIndex, int* pValue);

int FlatSB_SetScrollInfo(HWND hWnd, int nBar, const SCROLLINFO* lpsi, BOOL bRedraw);
BOOL FlatSB_GetScrollInfo(HWND hWnd, int nBar, SCROLLINFO* lpsi);
int FlatSB_SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
int FlatSB_GetScrollPos(HWND hWnd, int nBar);
// On a control that shows a scroll area of the window system (a list box) a shown bar comes
// and goes with what there is to scroll, as the control's own bar does.
BOOL FlatSB_ShowScrollBar(HWND hWnd, int wBar, BOOL bShow);
BOOL FlatSB_EnableScrollBar(HWND hWnd, int wSBflags, UINT wArrows);
