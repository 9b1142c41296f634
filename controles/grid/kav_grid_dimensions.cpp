// TKavStringGrid: row and column counts, fixed counts, the current row, stretching a column,
// scrolling a cell into view and the range of cells that saving writes.
#include "controles/grid/kav_grid.h"

#include <algorithm>

void TKavStringGrid::SetRowCountEx(int Value) {
    if (GetRowCount() == TCustomGrid::GetFixedRows() && fixedRowAlways_) UnHideSelection();
    TCustomGrid::SetRowCount(Value);
    if (Value > rememberedFixedRows_ && fixedRowAlways_ &&
        TCustomGrid::GetFixedRows() != rememberedFixedRows_)
        TCustomGrid::SetFixedRows(rememberedFixedRows_);
    dataRowCount_ = Value;
    UpdateFooter();
    UpdateVScroller();
    UpdateHScroller();
    UpdateScrollBars(false);
}

void TKavStringGrid::SetColCountEx(int Value) {
    TCustomGrid::SetColCount(Value);
    if (Value > rememberedFixedCols_ && fixedColAlways_ &&
        TCustomGrid::GetFixedCols() != rememberedFixedCols_)
        TCustomGrid::SetFixedCols(rememberedFixedCols_);
    UpdateFooter();
    SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
    UpdateHScroller();
    UpdateVScroller();
    UpdateScrollBars(false);
}

int TKavStringGrid::GetFixedRowsEx() const {
    const int n = TCustomGrid::GetFixedRows();
    return n == 0 && fixedRowAlways_ ? 1 : n;
}

void TKavStringGrid::SetFixedRowsEx(int Value) {
    TCustomGrid::SetFixedRows(Value);
    if (!GetComponentState().Contains(csLoading)) rememberedFixedRows_ = Value;
}

int TKavStringGrid::GetFixedColsEx() const {
    const int n = TCustomGrid::GetFixedCols();
    return n == 0 && fixedColAlways_ ? 1 : n;
}

void TKavStringGrid::SetFixedColsEx(int Value) {
    TCustomGrid::SetFixedCols(Value);
    if (!GetComponentState().Contains(csLoading)) rememberedFixedCols_ = Value;
}

void TKavStringGrid::SetFixedFooters(int Value) {
    fixedFooters_ = Value;
    Invalidate();
}

void TKavStringGrid::SetFixedRightCols(int Value) {
    fixedRightCols_ = Value;
    Invalidate();
}

void TKavStringGrid::SetRowEx(int Value) {
    TCustomGrid::SetRow(Value);
    const int now = GetRow();
    if (now != lastReportedRow_ && OnRowUpdate && updateCount_ == 0) {
        OnRowUpdate(this, lastReportedRow_, now);
        lastReportedRow_ = now;
    }
}

void TKavStringGrid::StretchColumn(int ACol) {
    const TComponentState st = GetComponentState();
    if (st.Contains(csLoading) || st.Contains(csDestroying)) return;
    const int n = GetColCount();
    if (ACol < 0) ACol = n - 1;
    if (ACol >= n) throw EKavGridError("Stretch column index out of range");
    stretched_ = false;
    if (n == 0 || !columnSize_->GetStretch()) return;
    const int client = GetClientWidth();
    if (n == 1) {
        SetColWidths(0, client);
        stretched_ = true;
        return;
    }
    const int64_t others = SumColWidths(0, n) - GetColWidths(ACol);
    if (client > others) {
        SetColWidths(ACol, static_cast<int>(client - others - 1));
        stretched_ = true;
    } else if (GetLeftCol() == GetFixedCols()) {
        SetColWidths(ACol, GetDefaultColWidth());
    }
}

// --- scrolling a cell into view ---

void TKavStringGrid::ScrollInView(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) return;
    const int visCols = GetVisibleColCount(), visRows = GetVisibleRowCount();
    int left = GetLeftCol(), top = GetTopRow();
    if (ACol < left || ACol > left + visCols - 1) {
        if (ACol >= GetFixedCols()) SetCol(ACol);
        left = std::max(GetFixedCols(), ACol - visCols / 2);
    }
    if (ARow < top || ARow > top + visRows - 1) {
        if (ARow >= GetFixedRows()) SetRowEx(ARow);
        top = std::max(GetFixedRows(), ARow - visRows / 2);
    }
    left = std::max(GetFixedCols(), std::min(left, GetColCount() - visCols + GetFixedCols()));
    top = std::max(GetFixedRows(), std::min(top, GetRowCount() - visRows + GetFixedRows() - 1));
    SetLeftCol(std::min(left, GetColCount() - 1));
    SetTopRow(std::min(top, GetRowCount() - 1));
}

// --- the save range ---

int TKavStringGrid::GetSaveStartCol() const {
    return storeFixedCells_ ? 0 : GetFixedCols();
}

int TKavStringGrid::GetSaveStartRow() const {
    return storeFixedCells_ ? 0 : GetFixedRows();
}

int TKavStringGrid::GetSaveEndCol() const {
    return GetColCount() - 1 - (storeFixedCells_ ? 0 : fixedRightCols_);
}

int TKavStringGrid::GetSaveEndRow() const {
    return GetRowCount() - 1 - (storeFixedCells_ ? 0 : fixedFooters_);
}

int TKavStringGrid::GetSaveColCount() const {
    return GetSaveEndCol() - GetSaveStartCol() + 1;
}

int TKavStringGrid::GetSaveRowCount() const {
    return GetSaveEndRow() - GetSaveStartRow() + 1;
}
