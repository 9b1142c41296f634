#pragma once
// How the grid and the edit list box draw their scroll bars: the window system's own, or
// the flat and "Encarta" looks of the flat scroll bar library.

#include "plataforma/gui/kernel/flat_scroll_bars.h"

enum TScrollType { ssNormal, ssFlat, ssEncarta };

// The style property of the flat bars for a scroll type.
inline int FlatScrollMode(TScrollType t) {
    return t == ssFlat ? FSB_FLAT_MODE : t == ssEncarta ? FSB_ENCARTA_MODE : FSB_REGULAR_MODE;
}
