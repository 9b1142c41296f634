// TKavStringGrid: hiding and showing rows and columns. A hidden column stays in the store
// beyond the shown columns (display and real column indexes differ by the hidden ones); a
// hidden row leaves the grid into an item of the hidden-row collection that holds its real
// index, its height and its cells (texts and property objects). Lists of rows are hidden and
// shown in one pass over the grid.
#include "controles/grid/kav_grid.h"

#include <algorithm>

namespace {

constexpr int MaxHiddenCol = 512;

TGridItem* ItemAt(TCollection& C, int I) {
    return static_cast<TGridItem*>(C.GetItem(I));
}

} // namespace

// --- columns ---

void TKavStringGrid::HideColumns(int FromCol, int ToCol) {
    // An edit of a column that hides is settled; an open text editor elsewhere follows its
    // column; a control editor is closed.
    if (EditingInCols(FromCol, ToCol))
        SettleEdit();
    else if (editSession_->ControlShown)
        HideInplaceEdit();
    for (int c = std::max(0, FromCol); c <= ToCol && c < MaxHiddenCol; ++c) {
        if (!visibleCols_[c] || c >= TotalColCount() || GetColCount() < 2) continue;
        const int d = RemapColInv(c);
        hiddenWidths_[c] = GetColWidths(d);
        for (int i = d; i < GetColCount() - 1; ++i)
            SetColWidths(i, GetColWidths(i + 1));
        visibleCols_[c] = 0;
        ++numHiddenCols_;
        SetColCountEx(GetColCount() - 1);
    }
    EditedColumnMoved();
    CellControlsUpdate();
    Invalidate();
}

void TKavStringGrid::UnHideColumns(int FromCol, int ToCol) {
    if (editSession_->ControlShown) HideInplaceEdit();
    for (int c = std::max(0, FromCol); c <= ToCol && c < MaxHiddenCol; ++c) {
        if (visibleCols_[c]) continue;
        visibleCols_[c] = 1;
        --numHiddenCols_;
        SetColCountEx(GetColCount() + 1);
        const int d = RemapColInv(c);
        for (int i = GetColCount() - 1; i > d; --i)
            SetColWidths(i, GetColWidths(i - 1));
        SetColWidths(d, hiddenWidths_[c]);
    }
    EditedColumnMoved();
    CellControlsUpdate();
    Invalidate();
}

void TKavStringGrid::UnHideColumnsAll() {
    UnHideColumns(0, TotalColCount());
}

// --- rows ---

void TKavStringGrid::HideRealRows(const std::vector<int>& Reals, bool Append, uint8_t Reason) {
    if (Reals.empty()) return;
    const int cols = std::max(TotalColCount(), GetStoreColCount());
    const int n = GetRowCount();
    // Display rows of the rows to hide, taken before anything changes.
    std::vector<int> disp;
    disp.reserve(Reals.size());
    for (int r : Reals) {
        const int d = RemapRow(r);
        if (d >= 0 && d < n) disp.push_back(d);
    }
    if (disp.empty()) return;
    std::vector<int> reals(Reals.begin(), Reals.begin() + static_cast<long>(disp.size()));
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    // The new items go at the end; when the collection is ordered by real index and they
    // belong before its last item, it is put in order once afterwards.
    const int count = hiddenRows_->GetCount();
    const bool atEnd =
        Append || count == 0 || ItemAt(*hiddenRows_, count - 1)->GetIdx() < reals.front();
    for (size_t k = 0; k < disp.size(); ++k) {
        const int d = disp[k];
        auto* item = static_cast<TGridItem*>(hiddenRows_->Add());
        item->SetIdx(reals[k]);
        item->SetHeight(Append ? 0 : GetRowHeights(d));
        item->SetRowId(GetRowId(d));
        item->SetReasons(Reason);
        // The item takes the row's cells, objects included, and the row stays empty.
        item->ParkRow(TakeStoreRow(d), cols);
    }
    if (!atEnd)
        hiddenRows_->SortItems([](const TCollectionItem* a, const TCollectionItem* b) {
            return static_cast<const TGridItem*>(a)->GetIdx() <
                   static_cast<const TGridItem*>(b)->GetIdx();
        });
    // One pass: the rows that stay move up together, the hidden ones go to the end and are
    // dropped with the row count.
    const int first = disp.front();
    std::vector<int> from;
    from.reserve(static_cast<size_t>(n - first));
    size_t k = 0;
    for (int d = first; d < n; ++d) {
        if (k < disp.size() && disp[k] == d)
            ++k;
        else
            from.push_back(d);
    }
    from.insert(from.end(), disp.begin(), disp.end());
    PermuteRows(first, from);
    // The rows leave the display rows and keep their real ones.
    if (HasRowPlaceState())
        RowsRestructured(TGridRemap::Remove(n, disp), TGridRemap::Identity(TotalRowCount()));
    HiddenRowsChanged();
    SetRowCountEx(n - static_cast<int>(disp.size()));
    Remerge(blocks);
    CellControlsUpdate();
    Invalidate();
}

void TKavStringGrid::HideFor(std::vector<int> Reals, uint8_t Reason, bool Append) {
    std::erase_if(Reals, [this, Reason](int r) {
        TGridItem* item = r < 0 ? nullptr : HiddenItemAt(r);
        if (item) item->SetReasons(item->GetReasons() | Reason);
        return r < 0 || item != nullptr;
    });
    // The grid keeps one row.
    if (static_cast<int>(Reals.size()) >= GetRowCount()) Reals.resize(GetRowCount() - 1);
    HideRealRows(Reals, Append, Reason);
}

void TKavStringGrid::HideRows(int FromRow, int ToRow) {
    std::vector<int> reals;
    for (int r = std::max(0, FromRow); r <= ToRow && r < TotalRowCount(); ++r)
        reals.push_back(r);
    HideFor(std::move(reals), hrByHand);
}

void TKavStringGrid::HideRowsEx(int FromRow, int ToRow) {
    if (IsHiddenRow(FromRow)) return;
    std::vector<int> reals;
    for (int r = std::max(0, FromRow); r <= ToRow && r < TotalRowCount(); ++r)
        reals.push_back(r);
    // The rows leave as a removal takes them: the current row is placed the same way.
    const int savedRow = GetRow(), savedTop = GetTopRow();
    HideFor(std::move(reals), hrByHand, true);
    KeepRowAfterRemoval(savedRow, savedTop);
}

void TKavStringGrid::HideRowList(TIntList* RowList) {
    if (!RowList) return;
    std::vector<int> reals;
    reals.reserve(RowList->GetCount());
    for (int i = 0; i < RowList->GetCount(); ++i)
        reals.push_back(RowList->GetItems(i));
    std::sort(reals.begin(), reals.end());
    reals.erase(std::unique(reals.begin(), reals.end()), reals.end());
    std::erase_if(reals, [this](int r) { return r >= TotalRowCount(); });
    HideFor(std::move(reals), hrByHand);
}

void TKavStringGrid::ShowItemsFor(const std::vector<TGridItem*>& Items, uint8_t Mask) {
    std::vector<TGridItem*> shown;
    for (TGridItem* item : Items) {
        item->SetReasons(item->GetReasons() & ~Mask);
        if (item->GetReasons() == 0) shown.push_back(item);
    }
    UnHideItems(std::move(shown));
}

void TKavStringGrid::ShowFor(const std::vector<int>& Reals, uint8_t Mask) {
    std::vector<TGridItem*> items;
    for (int r : Reals)
        if (TGridItem* item = HiddenItemAt(r)) items.push_back(item);
    ShowItemsFor(items, Mask);
}

void TKavStringGrid::ShowAllFor(uint8_t Mask) {
    SortedHiddenIndexes();
    ShowItemsFor(std::vector<TGridItem*>(hiddenSortedItems_), Mask);
}

std::vector<std::pair<TGridRowId, uint8_t>> TKavStringGrid::ShowEveryRow() {
    std::vector<std::pair<TGridRowId, uint8_t>> rows;
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        const auto* item = ItemAt(*hiddenRows_, i);
        rows.emplace_back(item->GetRowId(), item->GetReasons());
    }
    ShowAllFor(hrByHand | hrNode | hrFilter);
    return rows;
}

void TKavStringGrid::HideAgain(const std::vector<std::pair<TGridRowId, uint8_t>>& Rows,
                               uint8_t Mask) {
    // The rows still in the grid, by the reasons they are hidden again for.
    std::vector<std::pair<uint8_t, int>> again;
    for (const auto& [id, reasons] : Rows) {
        const int d = FindRowId(id);
        if (d >= 0 && (reasons & Mask)) again.emplace_back(reasons & Mask, RemapRowInv(d));
    }
    std::sort(again.begin(), again.end());
    for (size_t i = 0; i < again.size();) {
        const uint8_t reasons = again[i].first;
        std::vector<int> reals;
        for (; i < again.size() && again[i].first == reasons; ++i)
            reals.push_back(again[i].second);
        // Real rows do not move when rows are hidden.
        HideFor(std::move(reals), reasons);
    }
}

void TKavStringGrid::UnHideItems(std::vector<TGridItem*> Items) {
    if (Items.empty()) return;
    auto porIndice = [](const TGridItem* a, const TGridItem* b) {
        return a->GetIdx() < b->GetIdx();
    };
    if (!std::is_sorted(Items.begin(), Items.end(), porIndice))
        std::stable_sort(Items.begin(), Items.end(), porIndice);
    const std::vector<int>& hidden = SortedHiddenIndexes();
    const int n = GetRowCount();
    const int k = static_cast<int>(Items.size());
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    // The display row each comes back to: its real index less the rows still hidden below.
    // The items go by real index, so the count of hidden rows below only grows.
    std::vector<int> dest(Items.size());
    size_t below = 0;
    for (int i = 0; i < k; ++i) {
        const int idx = Items[i]->GetIdx();
        while (below < hidden.size() && hidden[below] < idx)
            ++below;
        dest[i] = std::clamp(idx - static_cast<int>(below) + i, 0, n + i);
    }
    for (int i = 1; i < k; ++i)
        dest[i] = std::max(dest[i], dest[i - 1] + 1);
    SetRowCountEx(n + k);
    // The items' rows fill the new rows at the end, then move to their places in one pass.
    for (int i = 0; i < k; ++i) {
        const int row = n + i;
        TGridStore::RowPtr parked;
        if (Items[i]->TakeParkedRow(parked)) {
            PutStoreRow(row, std::move(parked), Items[i]->GetRowId());
            if (Items[i]->GetHeight() > 0) SetRowHeights(row, Items[i]->GetHeight());
            continue;
        }
        PutStoreRow(row, TGridStore::RowPtr(), Items[i]->GetRowId());
        TStrings* cells = Items[i]->GetItems();
        for (int c = 0; c < cells->GetCount(); ++c) {
            if (c >= GetStoreColCount()) break;
            if (!cells->GetStrings(c).IsEmpty()) SetCells(c, row, cells->GetStrings(c));
            if (TObject* o = cells->GetObjects(c)) {
                SetObjects(c, row, o);
                cells->SetObjects(c, nullptr);
            }
        }
        if (Items[i]->GetHeight() > 0) SetRowHeights(row, Items[i]->GetHeight());
    }
    const int first = dest.front();
    std::vector<int> from;
    from.reserve(static_cast<size_t>(n + k - first));
    int old = first, j = 0;
    for (int d = first; d < n + k; ++d) {
        if (j < k && dest[j] == d)
            from.push_back(n + j++);
        else
            from.push_back(old++);
    }
    PermuteRows(first, from);
    // The rows come back among the display rows; their real ones do not change.
    if (HasRowPlaceState()) {
        std::vector<int> sources(static_cast<size_t>(n + k));
        for (int d = 0; d < first; ++d)
            sources[static_cast<size_t>(d)] = d;
        for (size_t i = 0; i < from.size(); ++i)
            sources[first + i] = from[i] < n ? from[i] : -1;
        RowsRestructured(TGridRemap::FromSources(n, sources),
                         TGridRemap::Identity(TotalRowCount()));
    }
    if (k == hiddenRows_->GetCount())
        hiddenRows_->Clear();
    else
        hiddenRows_->DeleteItems(std::vector<TCollectionItem*>(Items.begin(), Items.end()));
    HiddenRowsChanged();
    // The rows back join the blocks they come back into; their own old offsets go.
    for (int d : dest)
        SingleCellsOfRow(d);
    Remerge(blocks);
    CellControlsUpdate();
    Invalidate();
}

void TKavStringGrid::UnHideRows(int FromRow, int ToRow) {
    // Every hidden row of the range, also when the first row of the range is shown.
    std::vector<TGridItem*> items;
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        TGridItem* item = ItemAt(*hiddenRows_, i);
        if (item->GetIdx() >= FromRow && item->GetIdx() <= ToRow) items.push_back(item);
    }
    ShowItemsFor(items, hrByHand);
}

void TKavStringGrid::UnHideRowsAll() {
    ShowAllFor(hrByHand);
}

void TKavStringGrid::UnHideRowList() {
    ShowAllFor(hrByHand);
}
