// TKavStringGrid: what the row operations keep in step beside the cells: the row-select
// flags, the controls placed over cells and the hidden rows' real indexes.
#include "controles/grid/kav_grid.h"

#include <algorithm>

// Rows inserted (Delta > 0) or removed (Delta < 0) at RowIndex: the row-select flags and the
// cell controls move with their rows; controls on removed rows are hidden and let go.
void TKavStringGrid::ShiftRowSideTables(int RowIndex, int RealAt, int Delta) {
    const bool persistent = GetMouseActions()->GetRowSelectPersistent();
    const int at = persistent ? RealAt : RowIndex;
    if (Delta > 0 && at < static_cast<int>(rowSelect_.size()))
        rowSelect_.insert(rowSelect_.begin() + at, static_cast<size_t>(Delta), 0);
    if (Delta < 0 && at < static_cast<int>(rowSelect_.size())) {
        const size_t n = std::min(static_cast<size_t>(-Delta), rowSelect_.size() - at);
        rowSelect_.erase(rowSelect_.begin() + at, rowSelect_.begin() + at + n);
    }
    // Cell controls keep real rows.
    const int realAt = RealAt;
    for (int i = controlList_->GetCount() - 1; i >= 0; --i) {
        TControlItem* item = controlList_->GetControl(i);
        const int y = item->GetY();
        if (Delta > 0 && y >= realAt) item->SetY(y + Delta);
        if (Delta < 0 && y >= realAt) {
            if (y < realAt - Delta) {
                if (item->GetControl()) item->GetControl()->SetVisible(false);
                SetCellControls(item->GetX(), y, nullptr);
            } else {
                item->SetY(y + Delta);
            }
        }
    }
}

void TKavStringGrid::ShiftHiddenIndexes(int Above, int Delta) {
    bool changed = false;
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        auto* item = static_cast<TGridItem*>(hiddenRows_->GetItem(i));
        if (item->GetIdx() >= Above) {
            item->SetIdx(item->GetIdx() + Delta);
            changed = true;
        }
    }
    if (changed) HiddenRowsChanged();
}
