#pragma once
// Rich text laid out on a canvas as the rich edit formats a range of its text for a device
// (EM_FORMATRANGE): the paragraphs wrapped word by word at the width of a rectangle given in
// twips, in fonts sized for the canvas's resolution, each line on the baseline of its tallest
// run, raised and lowered runs moved off it; drawn, or only measured. Characters are counted
// as the rich edit counts them: one for each paragraph break.

#include "plataforma/base/rich_text.h"
#include "plataforma/gui/painting/canvas.h"

struct TFormatRange {
    // Measured and drawn on (the rich edit's target and rendering device in one).
    TCanvas* Canvas = nullptr;
    // The area, in twips from the canvas's origin. On return its Bottom is the bottom of the
    // lines laid.
    TRect Rc;
    TRect RcPage;
    // The characters laid: from CpMin to CpMax (excluded; -1 for the end of the text).
    int CpMin = 0;
    int CpMax = -1;
    // On return, the widest line laid, in twips.
    int WidthUsed = 0;
    // Logical units of the canvas to the inch that the text is laid at (fonts, twips, tab
    // stops); 0 for the resolution of the canvas's device. A canvas in a scaled mapping mode
    // gives its own.
    int PixelsPerInch = 0;
};

// Lays Doc's characters of the range into Range.Rc, drawing them with Render; the canvas's
// font, brush and pen are as they were afterwards. Lines are laid while they fit whole (the
// first line always, clipped to the area when taller). Answers the first character not laid:
// the end of the range when all of it fitted. Runs in the default colour take the canvas
// font's colour.
int FormatRichRange(const TRichDocument& Doc, TFormatRange& Range, bool Render);

// The rectangle of canvas pixels in twips, and back, at the canvas's resolution.
TRect PixelsToTwips(TCanvas* Canvas, const TRect& Pixels);
TRect TwipsToPixels(TCanvas* Canvas, const TRect& Twips);
