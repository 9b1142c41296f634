#pragma once
// Inside the platform layer only: how a flat scroll bar looks, for the bars a window draws
// itself and for the bars of a hosted scroll area alike.

#include "plataforma/gui/painting/colors.h"

#include <QRect>

class QPainter;

enum class BarPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

struct FlatBarLook {
    int style = 0;              // FSB_FLAT_MODE or FSB_ENCARTA_MODE
    TColor background = clNone; // clNone: the classic dithered track
    bool vertical = true;
    bool enabled = true; // something to scroll, and the bar not disabled
    bool upEnabled = true, downEnabled = true;
    QRect bar, lineUp, lineDown, pageUp, pageDown, thumb; // thumb empty when none
    BarPart pressed = BarPart::None;
    BarPart hot = BarPart::None; // under the pointer
};

void PaintFlatBar(QPainter& p, const FlatBarLook& look);
