#pragma once
// The classic three-dimensional look: DrawEdge's raised, sunken, etched and bumped edges in
// the system colours, DrawFrameControl's buttons (push, check box, radio button) and
// scroll arrows (the combo box button among them), and the class library's Frame3D.
// Each edge is one pixel; the top and left colour stops short of the bottom-left and
// top-right corners, which take the bottom and right colour.

#include "plataforma/gui/painting/colors.h"
#include "plataforma/gui/kernel/win_types.h"

class TCanvas;

enum : UINT {
    BDR_RAISEDOUTER = 0x0001,
    BDR_SUNKENOUTER = 0x0002,
    BDR_RAISEDINNER = 0x0004,
    BDR_SUNKENINNER = 0x0008,
    BDR_OUTER = 0x0003,
    BDR_INNER = 0x000C,
    BDR_RAISED = 0x0005,
    BDR_SUNKEN = 0x000A,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

enum : UINT {
    BF_LEFT = 0x0001,
    BF_TOP = 0x0002,
    BF_RIGHT = 0x0004,
    BF_BOTTOM = 0x0008,
    BF_TOPLEFT = BF_TOP | BF_LEFT,
    BF_TOPRIGHT = BF_TOP | BF_RIGHT,
    BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_MIDDLE = 0x0800,
    BF_SOFT = 0x1000,
    BF_ADJUST = 0x2000,
    BF_FLAT = 0x4000,
    BF_MONO = 0x8000,
};

// With BF_ADJUST the rectangle shrinks by the edges drawn. BF_DIAGONAL is not drawn.
BOOL DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags);

enum : UINT {
    DFC_CAPTION = 1,
    DFC_MENU = 2,
    DFC_SCROLL = 3,
    DFC_BUTTON = 4,
    DFC_POPUPMENU = 5,
};

enum : UINT {
    DFCS_BUTTONCHECK = 0x0000,
    DFCS_BUTTONRADIOIMAGE = 0x0001,
    DFCS_BUTTONRADIOMASK = 0x0002,
    DFCS_BUTTONRADIO = 0x0004,
    DFCS_BUTTON3STATE = 0x0008,
    DFCS_BUTTONPUSH = 0x0010,
    DFCS_SCROLLUP = 0x0000,
    DFCS_SCROLLDOWN = 0x0001,
    DFCS_SCROLLLEFT = 0x0002,
    DFCS_SCROLLRIGHT = 0x0003,
    DFCS_SCROLLCOMBOBOX = 0x0005,
    DFCS_SCROLLSIZEGRIP = 0x0008,
    DFCS_INACTIVE = 0x0100,
    DFCS_PUSHED = 0x0200,
    DFCS_CHECKED = 0x0400,
    DFCS_TRANSPARENT = 0x0800,
    DFCS_HOT = 0x1000,
    DFCS_ADJUSTRECT = 0x2000,
    DFCS_FLAT = 0x4000,
    DFCS_MONO = 0x8000,
};

// Buttons (DFC_BUTTON) and scroll arrows (DFC_SCROLL); FALSE for the other kinds, which
// nothing here draws. Check boxes and radio buttons take the largest square that fits,
// centred. With DFCS_ADJUSTRECT a push button's rectangle shrinks to its face.
BOOL DrawFrameControl(HDC dc, TRect* rect, UINT type, UINT state);

// Frames Rect Width times, TopColor at the top and left and BottomColor at the bottom and
// right, shrinking it by one on every side each time. Leaves the canvas's pen one pixel
// wide, in BottomColor.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
