#pragma once
// Items that their list box or combo box draws through OnDrawItem (owner draw), on the
// control's Canvas, with the state of the item and its rectangle in client coordinates.

#include "plataforma/base/small_set.h"
#include "plataforma/gui/kernel/win_types.h"

#include <functional>

class TWinControl;

enum TOwnerDrawStateItem {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit
};
using TOwnerDrawState = SmallSet<TOwnerDrawStateItem>;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;
