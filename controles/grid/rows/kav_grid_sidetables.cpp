// TKavStringGrid: what the row operations keep in step beside the cells: the row-select
// flags, the controls placed over cells and the hidden rows' real indexes.
#include "controles/grid/kav_grid.h"

#include <algorithm>

void TKavStringGrid::ShiftRowSideTables(int RowIndex, int RealAt, int RCount) {
    const int at = GetMouseActions()->GetRowSelectPersistent() ? RealAt : RowIndex;
    if (at < static_cast<int>(rowSelect_.size()))
        rowSelect_.insert(rowSelect_.begin() + at, static_cast<size_t>(RCount), 0);
    // Cell controls keep real rows.
    for (int i = 0; i < controlList_->GetCount(); ++i) {
        TControlItem* item = controlList_->GetControl(i);
        if (item->GetY() >= RealAt) item->SetY(item->GetY() + RCount);
    }
}

void TKavStringGrid::RemoveRowSideTables(int RowIndex, const std::vector<int>& Reals) {
    const auto removedBelow = [&Reals](int Real) {
        return static_cast<int>(std::lower_bound(Reals.begin(), Reals.end(), Real) - Reals.begin());
    };
    if (GetMouseActions()->GetRowSelectPersistent()) {
        // Flags by real row: those of the removed real rows go, whatever lies between them.
        size_t w = 0;
        for (size_t i = 0; i < rowSelect_.size(); ++i)
            if (!std::binary_search(Reals.begin(), Reals.end(), static_cast<int>(i)))
                rowSelect_[w++] = rowSelect_[i];
        rowSelect_.resize(w);
    } else if (RowIndex < static_cast<int>(rowSelect_.size())) {
        // Flags by display row: the removed display rows follow each other.
        const size_t n = std::min(Reals.size(), rowSelect_.size() - RowIndex);
        rowSelect_.erase(rowSelect_.begin() + RowIndex, rowSelect_.begin() + RowIndex + n);
    }
    // Controls on removed rows are hidden and let go; the others keep their real rows.
    for (int i = controlList_->GetCount() - 1; i >= 0; --i) {
        TControlItem* item = controlList_->GetControl(i);
        const int y = item->GetY();
        const auto at = std::lower_bound(Reals.begin(), Reals.end(), y);
        if (at != Reals.end() && *at == y) {
            if (item->GetControl()) item->GetControl()->SetVisible(false);
            // The k-th removed real row is shown row RowIndex + k.
            const int displ = RowIndex + static_cast<int>(at - Reals.begin());
            if (TCellProperties* p = FindCellProperties(item->GetX(), displ))
                p->SetControl(nullptr);
            controlList_->RemoveControl(i);
            --controlCells_;
        } else {
            item->SetY(y - removedBelow(y));
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
