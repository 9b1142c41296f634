// TKavStringGrid: hidden columns and rows and the maps between real indexes (in the full
// data) and display indexes (among the shown rows and columns); the hidden selection.
#include "controles/grid/kav_grid.h"

#include <algorithm>

namespace {

constexpr int MaxHiddenCol = 512; // real columns from here on are always shown

} // namespace

int TKavStringGrid::RemapHiddenCol(int ACol) const {
    if (ACol >= MaxHiddenCol || ACol < 0) return ACol;
    int shown = -1;
    for (int r = 0; r < MaxHiddenCol; ++r)
        if (visibleCols_[r] && ++shown == ACol) return r;
    return 0;
}

TGridColId TKavStringGrid::GetShownColId(int ACol) const {
    return ACol < 0 || ACol >= GetColCount() ? TGridColId() : GetColId(RealColOf(ACol));
}

int TKavStringGrid::FindShownColId(TGridColId Id) const {
    const int real = FindColId(Id);
    return real < 0 || IsHiddenColumn(real) ? -1 : RemapColInv(real);
}

int TKavStringGrid::RemapColInv(int ACol) const {
    if (ACol <= 0) return ACol;
    int hidden = 0;
    for (int r = 0, n = std::min(ACol, MaxHiddenCol); r < n; ++r)
        if (!visibleCols_[r]) ++hidden;
    return ACol - hidden;
}

// The real indexes of the hidden rows, sorted, and their items in the same order, kept until
// the hidden rows change.
const std::vector<int>& TKavStringGrid::SortedHiddenIndexes() const {
    if (hiddenSortedValid_ && hiddenSorted_.size() == static_cast<size_t>(NumHiddenRows()))
        return hiddenSorted_;
    hiddenSortedItems_.clear();
    hiddenSortedItems_.reserve(hiddenRows_->GetCount());
    for (int i = 0; i < hiddenRows_->GetCount(); ++i)
        hiddenSortedItems_.push_back(static_cast<TGridItem*>(hiddenRows_->GetItem(i)));
    const auto byIndex = [](const TGridItem* a, const TGridItem* b) {
        return a->GetIdx() < b->GetIdx();
    };
    // The collection is mostly kept in order already.
    if (!std::is_sorted(hiddenSortedItems_.begin(), hiddenSortedItems_.end(), byIndex))
        std::stable_sort(hiddenSortedItems_.begin(), hiddenSortedItems_.end(), byIndex);
    hiddenSorted_.clear();
    hiddenSorted_.reserve(hiddenSortedItems_.size());
    for (const TGridItem* item : hiddenSortedItems_)
        hiddenSorted_.push_back(item->GetIdx());
    hiddenSortedValid_ = true;
    return hiddenSorted_;
}

TGridItem* TKavStringGrid::HiddenItemAt(int ARow) const {
    const std::vector<int>& h = SortedHiddenIndexes();
    const auto it = std::lower_bound(h.begin(), h.end(), ARow);
    return it != h.end() && *it == ARow ? hiddenSortedItems_[static_cast<size_t>(it - h.begin())]
                                        : nullptr;
}

uint8_t TKavStringGrid::HiddenReasons(int ARow) const {
    const TGridItem* item = HiddenItemAt(ARow);
    return item ? item->GetReasons() : 0;
}

int TKavStringGrid::RemapHiddenRowInv(int ARow) const {
    // The (ARow+1)-th real row that is not hidden: search on real = ARow + hidden rows at
    // or below it.
    const std::vector<int>& h = SortedHiddenIndexes();
    if (h.empty() || ARow < h.front()) return ARow;
    size_t lo = 0, hi = h.size();
    // The number k of hidden indexes that lie at or below ARow + k.
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        // Hidden index mid lies below the answer when h[mid] <= ARow + mid.
        if (h[mid] <= ARow + static_cast<int>(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return ARow + static_cast<int>(lo);
}

int TKavStringGrid::RemapRow(int ARow) const {
    const std::vector<int>& h = SortedHiddenIndexes();
    return ARow - static_cast<int>(std::lower_bound(h.begin(), h.end(), ARow) - h.begin());
}

bool TKavStringGrid::IsHiddenColumn(int ACol) const {
    return ACol >= 0 && ACol < MaxHiddenCol && !visibleCols_[ACol];
}

bool TKavStringGrid::GetVisibleCol(int ACol) const {
    return ACol < 0 || ACol >= MaxHiddenCol || visibleCols_[ACol];
}

void TKavStringGrid::SetVisibleCol(int ACol, bool Value) {
    if (ACol < 0 || ACol >= MaxHiddenCol) return;
    visibleCols_[ACol] = Value;
    numHiddenCols_ = static_cast<int>(std::count(visibleCols_.begin(), visibleCols_.end(), 0));
}

bool TKavStringGrid::IsHiddenRow(int ARow) const {
    const std::vector<int>& h = SortedHiddenIndexes();
    return std::binary_search(h.begin(), h.end(), ARow);
}

TStrings* TKavStringGrid::HiddenRow(int ARow) const {
    TStrings* found = nullptr;
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        const auto* item = static_cast<const TGridItem*>(hiddenRows_->GetItem(i));
        if (item->GetIdx() == ARow) found = item->GetItems();
    }
    return found;
}

void TKavStringGrid::ClearProps() {
    TBaseGrid::ClearProps();
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        TStrings* cells = static_cast<TGridItem*>(hiddenRows_->GetItem(i))->GetItems();
        for (int c = 0; c < cells->GetCount(); ++c)
            if (TCellProperties* p = AsProps(cells->GetObjects(c))) {
                cells->SetObjects(c, nullptr);
                delete p;
            }
    }
}

void TKavStringGrid::HideSelection() {
    if (selectionHidden_) return;
    savedSelection_ = GetSelection();
    // Beyond the last column and row: no cell shows selected. The current cell stays a cell
    // of the grid, so that whatever reads Col and Row still reads a cell.
    SetSelectionBeyond(true);
    selectionHidden_ = true;
    Invalidate();
}

void TKavStringGrid::UnHideSelection() {
    if (!selectionHidden_) return;
    selectionHidden_ = false;
    SetSelectionBeyond(false);
    if (GetRowCount() > savedSelection_.Top && GetColCount() > savedSelection_.Left) {
        TGridRect r = savedSelection_;
        r.Right = std::min(r.Right, GetColCount() - 1);
        r.Bottom = std::min(r.Bottom, GetRowCount() - 1);
        SetSelection(r);
    } else {
        const int col = fixedColAlways_ && GetFixedCols() >= GetColCount() ? 0 : GetFixedCols();
        const int row = fixedRowAlways_ && GetFixedRows() >= GetRowCount() ? 0 : GetFixedRows();
        if (col < GetColCount() && row < GetRowCount()) SetSelection({col, row, col, row});
    }
    Invalidate();
}
