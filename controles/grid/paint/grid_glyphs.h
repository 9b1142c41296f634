#pragma once
// The grid's own glyphs, registered as named bitmaps: the check boxes "KSGCHK01".."KSGCHK08",
// the radio buttons "KSGRAD01".."KSGRAD08", the node boxes "XPNODEC" and "XPNODEO", the
// leaves "KSGLEAFCLOSE" and "KSGLEAFOPEN" and the filter button "KSGFILT". Each is drawn on
// a magenta ground, which their automatic transparency leaves out.

#include "plataforma/gui/painting/colors.h"

// The node boxes' colours: "XPNODEC" and "XPNODEO" are a 9 x 9 box of that frame and ground
// with a 5-pixel minus (and plus, closed) through its middle in the mark's colour.
struct TNodeBoxColors {
    TColor Frame, Fill, Mark;
};
inline constexpr TNodeBoxColors XPNodeBoxColors{0x996633, 0xFFFFFF, 0x000000};

void RegisterGridGlyphs();
