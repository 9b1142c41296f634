// TKavStringGrid: the update lock. While it is held the grid paints nothing.
#include "controles/grid/kav_grid.h"

#include "plataforma/gui/painting/control_canvas.h"

void TKavStringGrid::BeginUpdate() {
    if (!GetVisible()) return;
    ++updateCount_;
    if (HandleAllocated()) SendMessage(GetHandle(), WM_SETREDRAW, 0, 0);
}

void TKavStringGrid::EndUpdate() {
    if (!GetVisible()) return;
    if (updateCount_ > 0) --updateCount_;
    if (updateCount_ != 0 || !HandleAllocated()) return;
    SendMessage(GetHandle(), WM_SETREDRAW, 1, 0);
    InvalidateRect(GetHandle(), nullptr, FALSE);
    NCPaintProc();
}

void TKavStringGrid::SetLockFlag(bool Value) {
    if (Value)
        BeginUpdate();
    else
        EndUpdate();
}
