#pragma once
// Inside the platform layer only: where the parts of the classic combo box lie in its
// client area: a sunken frame two pixels wide, the raised drop button inside it at the
// right, as wide as a scroll bar's arrow, the field on the left of the button, and the
// edit part (or the chosen item's text) one pixel inside the field.

#include "plataforma/gui/kernel/win_types.h"

struct ComboParts {
    TRect inside; // within the frame
    TRect button; // empty without a drop button
    TRect field;
    TRect text;
};

ComboParts ClassicComboParts(int Width, int Height, bool DropButton);
