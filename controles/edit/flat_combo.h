#pragma once
// What the flat combo boxes of this library share: the frame they paint around themselves
// (sunken while hot or focused, or flat, two pixels wide, the inner ring in the control's
// colour), the mouse over them, the colour kept while disabled, the drop button painted
// again when the list opens or closes, and their version text.

#include "plataforma/base/ansi_string.h"
#include "plataforma/gui/kernel/win_types.h"
#include "plataforma/gui/painting/colors.h"

class TCanvas;
class TWinControl;

// Sunken: a sunken outer edge, a ring of Outer, a ring of Inner. Flat: two rings of Outer,
// a ring of Inner.
void DrawComboFrame(TCanvas* Canvas, TRect R, bool Sunken, TColor Outer, TColor Inner);
// The client area filled with the combo's colour, the first step of painting it flat.
void FillFlatComboClient(TWinControl* Combo, HDC DC);
// The mouse entered (or left) the combo: MouseIn follows it while the combo is enabled, and
// the combo is painted again; entering with AutoFocus focuses it.
void FlatComboMouse(TWinControl* Combo, bool Entered, bool& MouseIn, bool AutoFocus);
// Disabling shows the parent's colour, keeping the combo's own; enabling brings it back.
void FlatComboEnabledChanged(TWinControl* Combo, bool& SavedParentColor, TColor& SavedColor);
// The drop button's area (ButtonWidth at the right) painted again.
void InvalidateDropButton(TWinControl* Combo, int ButtonWidth);
// "1.2.0.0" of 0x01020000: major, minor, release and build, one byte each.
AnsiString VersionText(int VersionNr);
