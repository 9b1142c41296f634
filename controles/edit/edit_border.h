#pragma once
// The borders that the flat edits of this library draw over their window: the frame (3-D
// while hot or focused) and the flat underline or soft frame. Offset is where the window's
// (0, 0) lies on the canvas (WindowCanvases::Draw).

#include "plataforma/gui/kernel/win_types.h"
#include "plataforma/gui/painting/colors.h"

class TCanvas;
class TWinControl;

// Sunken: the 3-D border of a hot or focused edit; otherwise two frames in Frame.
void DrawEditFrame(TCanvas* Canvas, int Offset, int Width, int Height, bool Sunken, TColor Frame);
// The line under the text, from two pixels left of the formatting rectangle Format to the
// right edge; with Soft the closed frame around it instead.
void DrawFlatEditLine(TCanvas* Canvas, int Offset, const TRect& Format, int Width, int Height,
                      TColor Color, bool Soft);
// The formatting rectangle of an edit with a window: for Flat the client area less 2 pixels
// left and right and 4 top and bottom, otherwise the whole client area.
void SetFlatFormatRect(TWinControl* Edit, bool Flat);
