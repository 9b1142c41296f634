// TKavStringGrid: appending, inserting, removing, clearing, swapping and merging rows and
// columns. Rows move as whole rows (texts, objects of every store column, hidden columns
// included, and heights) in one pass; the row-select flags, the cell controls and the
// hidden rows' real indexes move with their rows; every operation ends with CellsChanged.
#include "controles/grid/kav_grid.h"

#include "controles/comun/text_utils.h"

#include <algorithm>
#include <numeric>

namespace {

// Keeps a flag raised for a scope.
class FlagScope {
public:
    FlagScope(bool& Flag, bool Value) : flag_(Flag), saved_(Flag) { Flag = Value; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace

// --- appending and inserting ---

void TKavStringGrid::AddRow() {
    // While the floating footer shows, whatever its style, the new row goes in above the
    // last row (the footer row stays last); the footer-row style clears it there too.
    if (FooterShown() && GetRowCount() > GetFixedRows()) {
        InsertRows(GetRowCount() - 1, 1);
        if (FooterIsLastRow()) ClearRows(GetRowCount() - 2, 1);
    } else {
        InsertRows(GetRowCount(), 1);
        ClearRows(GetRowCount() - 1, 1);
    }
}

void TKavStringGrid::AddColumn() {
    InsertCols(TotalColCount(), 1);
}

void TKavStringGrid::InsertRows(int RowIndex, int RCount) {
    if (RCount < 1 || RowIndex < 0 || RowIndex > GetRowCount()) return;
    InsertRowsCore(RowIndex, RemapRowInv(RowIndex), RCount);
}

void TKavStringGrid::InsertRealRows(int RealAt, int RCount) {
    const int total = TotalRowCount();
    RealAt = std::clamp(RealAt, 0, total);
    const int d = RemapRow(RealAt);
    // Rows that come in before a shown row (or after the last row) are plain insertions.
    if (RealAt == total || !IsHiddenRow(RealAt))
        InsertRows(d, RCount);
    else
        InsertRowsCore(d, RealAt, RCount);
}

void TKavStringGrid::InsertRowsCore(int RowIndex, int realAt, int RCount) {
    const int old = GetRowCount();
    const int total = TotalRowCount();
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    SetRowCountEx(old + RCount);
    // The new rows (empty, of the default height) come from the end to RowIndex. Rows
    // appended at the end are in place already.
    if (RowIndex < old) RotateRows(RowIndex, old, old + RCount);
    if (HasRowPlaceState())
        RowsRestructured(TGridRemap::Insert(old, RowIndex, RCount),
                         TGridRemap::Insert(total, realAt, RCount));
    if (!blocks.empty()) {
        std::vector<TGridRowId> added;
        for (int r = RowIndex; r < RowIndex + RCount; ++r)
            added.push_back(GetRowId(r));
        Remerge(blocks, added);
    }
    if (!GetComponentState().Contains(csDestroying))
        FireCellsChanged(0, RowIndex, GetColCount() - 1, RowIndex + RCount);
    CellControlsUpdate();
}

void TKavStringGrid::InsertCols(int ColIndex, int CCount) {
    // Shown columns come in before real column ColIndex (hidden columns counted).
    const int total = TotalColCount();
    if (CCount < 1 || ColIndex < 0 || ColIndex > total) return;
    const int shown = GetColCount();
    const int displ = RemapColInv(ColIndex);
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    // The store grows to hold the hidden columns behind the new ones.
    if (GetStoreColCount() < total + CCount) {
        TCustomGrid::SetColCount(total + CCount);
        TCustomGrid::SetColCount(shown);
    }
    SetColCountEx(shown + CCount);
    // The columns past the last real one come in at ColIndex, the others move right, each
    // with its identity.
    RotateStoreCols(TRealCol(ColIndex), TRealCol(total), TRealCol(total + CCount));
    for (int c = total + CCount - 1; c >= ColIndex + CCount; --c) {
        if (c < 512) visibleCols_[c] = c - CCount < 512 ? visibleCols_[c - CCount] : 1;
        if (c < 512) hiddenWidths_[c] = c - CCount < 512 ? hiddenWidths_[c - CCount] : 0;
    }
    for (int d = shown + CCount - 1; d >= displ + CCount; --d)
        SetColWidths(d, GetColWidths(d - CCount));
    for (int k = 0; k < CCount; ++k) {
        const int c = ColIndex + k;
        if (c < 512) visibleCols_[c] = 1;
        NilCol(c);
        SetColWidths(displ + k, GetDefaultColWidth());
    }
    numHiddenCols_ = static_cast<int>(std::count(visibleCols_.begin(), visibleCols_.end(), 0));
    ColsRestructured(TGridRemap::Insert(total, ColIndex, CCount), blocks);
    Invalidate();
}

// --- removing ---

void TKavStringGrid::DropRowBlock(int RowIndex, int RCount) {
    const int old = GetRowCount();
    RotateRows(RowIndex, RowIndex + RCount, old);
    SetRowCountEx(old - RCount);
}

void TKavStringGrid::RemoveRowsCore(int RowIndex, int RCount, bool UpdateHidden, bool FreeProps,
                                    bool KeepRowSelectOption) {
    if (RowIndex < 0 || RowIndex >= GetRowCount() || RCount < 1) return;
    RCount = std::min(RCount, GetRowCount() - RowIndex);
    // A grid keeps at least one row.
    if (RCount >= GetRowCount()) RCount = GetRowCount() - 1;
    if (RCount < 1) return;
    // The real indexes of the removed rows, taken before anything moves.
    std::vector<int> reals;
    reals.reserve(RCount);
    for (int i = 0; i < RCount; ++i)
        reals.push_back(RemapRowInv(RowIndex + i));
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    // A node row that goes leaves its rows a level up, and shown if it was closed.
    const std::vector<TGridRowId> reopened =
        nodeCount_ != 0 ? ReleaseNodeRuns(RowIndex, RCount) : std::vector<TGridRowId>();
    ForgetNodesOf(RowIndex, RCount);
    if (FreeProps) {
        ClearPropRect(0, RowIndex, GetStoreColCount() - 1, RowIndex + RCount - 1);
    } else {
        // What the rows' slots hold belongs to whoever took the rows' cells.
        for (int r = RowIndex; r < RowIndex + RCount; ++r)
            for (int c = 0, n = GetStoreColCount(); c < n; ++c)
                if (GetObjects(c, r)) SetObjects(c, r, nullptr);
    }
    FlagScope editing(editingInProgress_, false);
    const TGridOptions options = GetOptions();
    const bool rowSelect = KeepRowSelectOption && options.Contains(goRowSelect);
    if (rowSelect) SetOptions(options - TGridOptions{goRowSelect});
    BeginUpdate();
    const int savedTop = GetTopRow(), savedRow = GetRow();
    if (HasRowPlaceState()) {
        std::vector<int> shown(static_cast<size_t>(RCount));
        std::iota(shown.begin(), shown.end(), RowIndex);
        const int total = TotalRowCount();
        RowsRestructured(TGridRemap::Remove(GetRowCount(), shown),
                         UpdateHidden ? TGridRemap::Remove(total, reals)
                                      : TGridRemap::Identity(total));
    }
    DropRowBlock(RowIndex, RCount);
    Remerge(blocks);
    const int last = GetRowCount() - fixedFooters_;
    if (savedRow >= last) {
        if (last > GetFixedRows()) {
            SetRowEx(last - 1);
            // The new current row shows selected: a hidden selection is not brought back.
            if (selectionHidden_) {
                SetSelectionBeyond(false);
                selectionHidden_ = false;
            }
        } else {
            HideSelection();
            selectionHidden_ = false;
        }
    } else {
        SetRowEx(savedRow);
        SetTopRow(savedTop);
    }
    if (!reopened.empty()) ReopenRows(reopened);
    EndUpdate();
    // Column 0 of a node grid holds the node glyphs.
    if (HasNodes() && GetCol() == 0 && GetColCount() > 1) SetCol(1);
    if (rowSelect) SetOptions(GetOptions() + TGridOptions{goRowSelect});
    FireCellsChanged(0, RowIndex, GetColCount() - 1, RowIndex + RCount);
    // The last page stays filled.
    const int v = GetRowCount() - GetVisibleRowCount() - 1;
    if (v > 0 && GetTopRow() >= v + GetFixedRows() - 1 && GetTopRow() > v + GetFixedRows() - 1)
        SetTopRow(v + GetFixedRows() - 1);
    CellControlsUpdate();
}

void TKavStringGrid::RemoveRows(int RowIndex, int RCount) {
    if (RowIndex >= GetRowCount()) return;
    // A pending edit is settled before rows move (the answer is not used).
    SettleEdit();
    RemoveRowsCore(RowIndex, RCount, true, true, false);
}

void TKavStringGrid::IRemoveRows(int RowIndex, int RCount, bool UpdateHidden) {
    // The rows' properties go with them.
    RemoveRowsCore(RowIndex, RCount, UpdateHidden, true, true);
}

void TKavStringGrid::RemoveRowsInternal(int RowIndex, int RCount) {
    IRemoveRows(RowIndex, RCount, true);
}

void TKavStringGrid::RemoveRowsEx(int RowIndex, int RCount) {
    // The rows' objects are not freed: whoever took the rows' cells owns them.
    const int savedRow = GetRow(), savedTop = GetTopRow();
    RemoveRowsCore(RowIndex, RCount, true, false, false);
    KeepRowAfterRemoval(savedRow, savedTop);
}

void TKavStringGrid::KeepRowAfterRemoval(int SavedRow, int SavedTop) {
    if (GetRowCount() > SavedRow) {
        SetRowEx(SavedRow);
        SetTopRow(SavedTop);
    } else if (GetRowCount() > GetFixedRows()) {
        SetRowEx(GetFixedRows());
        SetTopRow(GetFixedRows());
    }
}

void TKavStringGrid::RemoveCols(int ColIndex, int CCount) {
    // Real columns (hidden ones counted) ColIndex .. ColIndex+CCount-1 go; the grid keeps one
    // shown column.
    const int total = TotalColCount();
    if (CCount < 1 || ColIndex < 0 || ColIndex >= total) return;
    CCount = std::min(CCount, total - ColIndex);
    const int shown = GetColCount();
    const auto shownIn = [this](int From, int Count) {
        int n = 0;
        for (int c = From; c < From + Count; ++c)
            if (!IsHiddenColumn(c)) ++n;
        return n;
    };
    while (CCount > 0 && shownIn(ColIndex, CCount) >= shown)
        --CCount;
    if (CCount < 1) return;
    // An edit of a removed column is settled first; any other editor follows its column.
    if (EditingInCols(ColIndex, ColIndex + CCount - 1)) SettleEdit();
    const int shownRemoved = shownIn(ColIndex, CCount);
    const int firstDispl = RemapColInv(ColIndex);
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    const bool destroying = GetComponentState().Contains(csDestroying);
    const int rows = GetRowCount();
    const int store = std::max(total, GetStoreColCount());
    // One pass over the rows: the removed columns' cell properties are freed (or let go
    // when the grid keeps its objects), each column behind them moves left with its
    // identity, and what lies past the columns left is emptied.
    if (ColIndex == 0) ForgetNodesOf(0, rows);
    RemoveStoreCols(TRealCol(ColIndex), CCount, TRealCol(std::max(ColIndex, total - CCount)),
                    [this](TGridCell& Cell) {
                        TCellProperties* p = AsProps(Cell.Object);
                        if (!p) return;
                        Cell.Object = nullptr;
                        if (!keepObjects_) delete p;
                    });
    if (footerRowActive_) FloatFooterUpdate();
    if (GetInplaceCol() >= ColIndex) InvalidateEditor();
    InvalidateGrid();
    // The removed columns were cleared: the notice of the clearing comes first.
    if (!destroying) FireCellsChanged(ColIndex, 0, ColIndex + CCount - 1, rows - 1);
    for (int c = ColIndex; c < store; ++c) {
        const int from = c + CCount;
        if (c < 512) {
            visibleCols_[c] = from < 512 ? visibleCols_[from] : 1;
            hiddenWidths_[c] = from < 512 ? hiddenWidths_[from] : 0;
        }
    }
    // The shown columns behind the removed ones take their places, with their widths.
    for (int d = firstDispl; d + shownRemoved < shown; ++d)
        SetColWidths(d, GetColWidths(d + shownRemoved));
    numHiddenCols_ = static_cast<int>(std::count(visibleCols_.begin(), visibleCols_.end(), 0));
    std::vector<int> gone(static_cast<size_t>(CCount));
    std::iota(gone.begin(), gone.end(), ColIndex);
    ColsRestructured(TGridRemap::Remove(total, gone), blocks);
    SetColCountEx(shown - shownRemoved);
    FireCellsChanged(ColIndex, 0, ColIndex + CCount, GetRowCount() - 1);
}

// --- clearing ---

void TKavStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
    const bool destroying = GetComponentState().Contains(csDestroying);
    const int c1 = std::max(0, ACol1), r1 = std::max(0, ARow1);
    const int c2 = std::min(ACol2, GetStoreColCount() - 1);
    const int r2 = std::min(ARow2, GetRowCount() - 1);
    if (c1 == 0 && r2 >= r1) ForgetNodesOf(r1, r2 - r1 + 1);
    for (int r = r1; r <= r2; ++r) {
        // Only the cells a row holds have anything to clear: an empty row is skipped whole.
        const int last = std::min(c2, LastHeldCol(r));
        for (int c = c1; c <= last; ++c) {
            if (FindCellProperties(c, r)) {
                if (keepObjects_)
                    SetObjects(c, r, nullptr);
                else
                    SetCellProperties(c, r, nullptr);
            }
            if (!destroying && !CellText(TRealCol(c), r).IsEmpty()) SetCells(c, r, AnsiString());
        }
    }
    // The columns cleared are real ones already.
    if (!destroying) FireCellsChanged(ACol1, ARow1, ACol2, ARow2);
}

void TKavStringGrid::ClearShownRect(int ACol1, int ARow1, int ACol2, int ARow2) {
    const int c1 = std::max(0, ACol1), c2 = std::min(ACol2, GetColCount() - 1);
    if (c1 > c2 || ARow2 < ARow1) return;
    // Each run of shown columns whose real columns follow each other is one rectangle; a
    // hidden column between two shown ones splits the run.
    TRealCol first = RealColOf(c1), last = first;
    for (int c = c1 + 1; c <= c2; ++c) {
        const TRealCol next = RealColOf(c);
        if (next == last + 1) {
            last = next;
            continue;
        }
        ClearRect(first.Value(), ARow1, last.Value(), ARow2);
        first = last = next;
    }
    ClearRect(first.Value(), ARow1, last.Value(), ARow2);
}

void TKavStringGrid::ClearCols(int ColIndex, int CCount) {
    if (CCount < 1) return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, GetRowCount() - 1);
}

void TKavStringGrid::ClearNormalRows(int RowIndex, int RCount) {
    if (RCount < 1) return;
    ClearShownRect(GetFixedCols(), RowIndex, GetColCount() - 1 - fixedRightCols_,
                   RowIndex + RCount - 1);
}

void TKavStringGrid::ClearNormalCols(int ColIndex, int CCount) {
    if (CCount < 1) return;
    ClearRect(ColIndex, GetFixedRows(), ColIndex + CCount - 1, GetRowCount() - 1 - fixedFooters_);
}

void TKavStringGrid::ClearNormalCells() {
    if (HasNodes() && GetFixedCols() == 0) RemoveAllNodes();
    const int last = TotalColCount() - 1 - fixedRightCols_;
    ClearRect(GetFixedCols(), GetFixedRows(), last, GetRowCount() - 1 - fixedFooters_);
    // The rows a filter or HideRow keeps aside are normal rows too.
    ClearHiddenRowCells(GetFixedCols(), last);
}

void TKavStringGrid::ClearHiddenRowCells(int First, int Last) {
    EachHiddenRowCell(First, Last, [](TStrings& Cells, int c) {
        delete AsProps(Cells.GetObjects(c));
        Cells.SetObjects(c, nullptr);
        Cells.SetStrings(c, AnsiString());
    });
}

void TKavStringGrid::Clear() {
    if (HasNodes() && !GetComponentState().Contains(csDestroying)) RemoveAllNodes();
    const int last = std::max(TotalColCount(), GetStoreColCount()) - 1;
    ClearRect(0, 0, last, GetRowCount() - 1);
    ClearHiddenRowCells(0, last);
    // No block is left, hidden rows' included.
    merges_.clear();
    // What was typed for the incremental row search no longer meets any text.
    searchText_ = AnsiString();
}

void TKavStringGrid::ClearSelection() {
    if (GetMouseActions()->GetDisjunctRowSelect()) {
        const bool persistent = GetMouseActions()->GetRowSelectPersistent();
        for (int r = GetFixedRows(); r < GetRowCount(); ++r)
            if (GetRowSelect(persistent ? RemapRowInv(r) : r)) ClearRows(r, 1);
        return;
    }
    if (GetMouseActions()->GetDisjunctColSelect()) {
        // The column flags are kept by shown column.
        for (int c = GetFixedCols(); c < GetColCount(); ++c)
            if (GetColSelect(c)) ClearShownRect(c, 0, c, GetRowCount() - 1);
        return;
    }
    const TGridRect s = GetSelection();
    ClearShownRect(std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
                   std::max(s.Top, s.Bottom));
}

// --- removing and hiding by content or selection ---

void TKavStringGrid::RemoveDuplicates(int ACol, bool CaseSensitive) {
    const int col = RemapCol(ACol);
    TStringList seen;
    seen.SetCaseSensitive(true);
    seen.SetSorted(true);
    BeginUpdate();
    int r = GetFixedRows();
    while (r < GetRowCount() - fixedFooters_) {
        const AnsiString text = CaseSensitive ? GetCells(col, r) : UpperCase(GetCells(col, r));
        if (seen.IndexOf(text) >= 0 && GetRowCount() > 1) {
            const int before = GetRowCount();
            RemoveRowsInternal(r, 1);
            if (GetRowCount() == before) break;
        } else {
            seen.Add(text);
            ++r;
        }
    }
    EndUpdate();
}

void TKavStringGrid::DropRowsBySelection(bool Selected, bool Hide) {
    const bool persistent = GetMouseActions()->GetRowSelectPersistent();
    int r = GetFixedRows();
    while (r < GetRowCount() - (Hide ? 0 : fixedFooters_)) {
        if (GetRowSelect(persistent ? RemapRowInv(r) : r) == Selected) {
            const int before = GetRowCount();
            if (Hide)
                HideRows(RealRowIndex(r), RealRowIndex(r));
            else
                RemoveRowsInternal(r, 1);
            if (GetRowCount() < before) continue; // the next row took this index
        }
        ++r;
    }
}

void TKavStringGrid::RemoveSelectedRows() {
    BeginUpdate();
    if (!GetMouseActions()->GetDisjunctRowSelect()) SelectToRowSelect(true);
    DropRowsBySelection(true, false);
    EndUpdate();
}

void TKavStringGrid::RemoveUnSelectedRows() {
    BeginUpdate();
    DropRowsBySelection(false, false);
    EndUpdate();
}

void TKavStringGrid::HideSelectedRows() {
    DropRowsBySelection(true, true);
}

void TKavStringGrid::HideUnSelectedRows() {
    DropRowsBySelection(false, true);
}

// --- swapping ---

void TKavStringGrid::SwapRows(int ARow1, int ARow2) {
    if (ARow1 == ARow2) return;
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    ExchangeRows(ARow1, ARow2);
    if (HasRowPlaceState()) {
        const TGridRemap shown = TGridRemap::Swap(GetRowCount(), ARow1, ARow2);
        RowsRestructured(shown, RealOfShownPermutation(shown));
    }
    Remerge(blocks);
    CellControlsUpdate();
    InvalidateRow(ARow1);
    InvalidateRow(ARow2);
}

void TKavStringGrid::SwapColumns(int ACol1, int ACol2) {
    // Real columns: their cells in the shown and the hidden rows, and their widths.
    if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0) return;
    const int total = TotalColCount();
    if (std::max(ACol1, ACol2) >= total) return;
    if (IsHiddenColumn(ACol1) != IsHiddenColumn(ACol2)) {
        // A hidden column stays hidden where it goes: both are swapped shown, and the one
        // that was hidden is hidden again at its new place (with its kept width).
        const int hidden = IsHiddenColumn(ACol1) ? ACol1 : ACol2;
        BeginUpdate();
        UnHideColumn(hidden);
        SwapColumns(ACol1, ACol2);
        HideColumn(hidden == ACol1 ? ACol2 : ACol1);
        EndUpdate();
        return;
    }
    // The cells of both columns, each column with its identity: the first moves onto the
    // second's place and the second back onto the first's.
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    const TRealCol a(std::min(ACol1, ACol2)), b(std::max(ACol1, ACol2));
    RotateStoreCols(a, a + 1, b + 1);
    RotateStoreCols(a, b + (-1), b);
    const int w = GetAllColWidths(ACol1);
    SetAllColWidths(ACol1, GetAllColWidths(ACol2));
    SetAllColWidths(ACol2, w);
    ColsRestructured(TGridRemap::Swap(total, ACol1, ACol2), blocks);
    Invalidate();
}

// --- merging ---

void TKavStringGrid::MergeColumnCells(int ACol, bool MainMerge) {
    const int first = GetFixedRows();
    const int end = GetRowCount() - fixedFooters_;
    int start = first;
    for (int r = first + 1; r < end; ++r) {
        const bool same =
            GetCells(ACol, r) == GetCells(ACol, r - 1) && (MainMerge || RowSpanIdentical(r - 1, r));
        if (same) continue;
        if (r - start >= 2) MergeCells(ACol, start, 1, r - start);
        start = r;
    }
    if (end - start >= 2) MergeCells(ACol, start, 1, end - start);
}

void TKavStringGrid::MergeRowCells(int ARow, bool MainMerge) {
    // Runs of equal shown cells; a block spans the real columns from its first shown column
    // to its last, a hidden column between them with it.
    const int first = GetFixedCols();
    const int end = GetColCount() - fixedRightCols_;
    const auto real = [this](int Shown) { return RemapCol(Shown); };
    const auto merge = [&](int From, int To) {
        MergeCells(real(From), ARow, real(To) - real(From) + 1, 1);
    };
    int start = first;
    for (int c = first + 1; c < end; ++c) {
        const bool same = GetCells(real(c), ARow) == GetCells(real(c - 1), ARow) &&
                          (MainMerge || ColSpanIdentical(real(c - 1), real(c)));
        if (same) continue;
        // A run of one cell is left alone: merging it would mark it merged.
        if (c - start >= 2) merge(start, c - 1);
        start = c;
    }
    if (end - start >= 2) merge(start, end - 1);
}

// The walks stop before the last normal row (column): a block based there reaches into the
// footer rows (fixed right columns), which merging never does, and is left as it is.
void TKavStringGrid::SplitColumnCells(int ACol) {
    int r = 0;
    while (r < GetRowCount() - 1 - fixedFooters_) {
        if (IsYMergedCell(ACol, r)) {
            const int span = std::max(1, CellSpan(ACol, r).y + 1);
            SplitCells(ACol, r);
            r += span;
        } else {
            ++r;
        }
    }
}

void TKavStringGrid::SplitRowCells(int ARow) {
    // Real columns up to the last normal shown one.
    const int lastShown = GetColCount() - 1 - fixedRightCols_;
    if (lastShown < 1) return;
    const int end = RemapCol(lastShown);
    int c = 0;
    while (c < end) {
        const TPoint span = CellSpan(c, ARow);
        if (IsXMergedCell(c, ARow) && span.x >= 0) {
            SplitCells(c, ARow);
            c += span.x + 1;
        } else {
            ++c;
        }
    }
}

void TKavStringGrid::SplitAllCells() {
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColCount(); ++c)
            if (IsBaseCell(c, r) && IsMergedCell(c, r)) SplitCells(c, r);
}

void TKavStringGrid::MergeCols(int ColIndex1, int ColIndex2, const AnsiString& Separator) {
    // Real columns; the hidden rows are joined too, so that removing the second column loses
    // none of their texts.
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        SetCells(ColIndex1, r,
                 (GetCells(ColIndex1, r) + Separator + GetCells(ColIndex2, r)).Trim());
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        const auto* item = static_cast<const TGridItem*>(hiddenRows_->GetItem(i));
        TStrings* cells = item->GetItems();
        if (item->GetIdx() < GetFixedRows() || std::max(ColIndex1, ColIndex2) >= cells->GetCount())
            continue;
        cells->SetStrings(
            ColIndex1,
            (cells->GetStrings(ColIndex1) + Separator + cells->GetStrings(ColIndex2)).Trim());
    }
    RemoveCols(ColIndex2, 1);
}

// --- queries ---

bool TKavStringGrid::IsCell(const AnsiString& SubStr, int& ACol, int& ARow) {
    // The shown cells, answered by shown column.
    std::vector<TRealCol> cols;
    cols.reserve(static_cast<size_t>(GetColCount()));
    for (int c = 0; c < GetColCount(); ++c)
        cols.push_back(RealColOf(c));
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColCount(); ++c)
            if (CellText(cols[c], r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

bool TKavStringGrid::IsWideCell(int ACol, int ARow) const {
    return IsWideStr(CellText(TRealCol(ACol), ARow));
}

// --- rows the keyboard or the mouse insert and delete ---

void TKavStringGrid::DoInsertRow(int ARow) {
    if (!HasNodes())
        InsertRows(ARow, 1);
    else if (GetParentRow(ARow) < 0)
        InsertNormalRow(RealRowIndex(ARow));
    else
        InsertChildRow(RealRowIndex(ARow), 0);
    if (OnAutoInsertRow) OnAutoInsertRow(this, ARow);
}

void TKavStringGrid::DoDeleteRow(int ARow) {
    if (HasNodes()) {
        if (GetParentRow(ARow) < 0)
            RemoveNormalRow(RealRowIndex(ARow));
        else
            RemoveChildRow(RealRowIndex(ARow));
    } else if (GetRowCount() - GetFixedRows() - fixedFooters_ == 1 && !fixedRowAlways_)
        ClearRows(ARow, 1);
    else
        RemoveRowsInternal(ARow, 1);
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}
