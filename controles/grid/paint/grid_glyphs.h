#pragma once
// The grid's own glyphs, registered as named bitmaps: the check boxes "KSGCHK01".."KSGCHK08",
// the radio buttons "KSGRAD01".."KSGRAD08", the node boxes "XPNODEC" and "XPNODEO", the
// leaves "KSGLEAFCLOSE" and "KSGLEAFOPEN" and the filter button "KSGFILT". Each is drawn on
// a magenta ground, which their automatic transparency leaves out.

void RegisterGridGlyphs();
