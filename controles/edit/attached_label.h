#pragma once
// The caption label that a control of this library carries beside it (the typed edit, the
// combo box): its ten positions and how it is laid out around the control.

#include "plataforma/base/ansi_string.h"
#include "plataforma/gui/kernel/win_types.h"

class TLabel;

enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter
};

// Places Label around a control with these bounds, Margin pixels away. The "…Left"
// positions put the label's left edge Margin pixels left of the control's.
void PlaceAttachedLabel(TLabel* Label, const TRect& Control, TLabelPosition Position, int Margin);
