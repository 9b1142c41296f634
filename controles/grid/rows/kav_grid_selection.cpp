// TKavStringGrid: the disjunct row, column and cell selections beside the rectangular one,
// the text of the selection, the modified rows and the repaint helpers.
//
// Selected cells are keyed by column and row in 64 bits, so that a grid of more than 65,535
// rows selects and repaints the right cells; an ordered list keeps the order of selection
// and a hashed set answers whether a cell is selected.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/painting/control_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool Flag(const std::vector<uint8_t>& List, int Index) {
    return Index >= 0 && Index < static_cast<int>(List.size()) && List[Index] != 0;
}

bool Empty(const TRect& R) {
    return R.Width() <= 0 || R.Height() <= 0;
}

void StoreFlag(std::vector<uint8_t>& List, int Index, bool Value) {
    if (Index >= static_cast<int>(List.size())) List.resize(Index + 1, 0);
    List[Index] = Value ? 1 : 0;
}

} // namespace

int TKavStringGrid::SelectionRow(int ARow) const {
    return mouseActions_->GetDisjunctRowSelect() && mouseActions_->GetRowSelectPersistent()
               ? RemapRowInv(ARow)
               : ARow;
}

int TKavStringGrid::RowSelectIndex(TShownRow ARow) const {
    return mouseActions_->GetRowSelectPersistent() ? RemapRowInv(ARow.Value()) : ARow.Value();
}

std::vector<int> TKavStringGrid::FlaggedRows() const {
    std::vector<int> rows;
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        if (Flag(rowSelect_, SelectionRow(r))) rows.push_back(r);
    return rows;
}

bool TKavStringGrid::GetRowSelect(int ARow) const {
    if (ARow < 0 || ARow >= GetRowCount() + NumHiddenRows())
        throw EKavGridError("Invalid row accessed");
    if (mouseActions_->GetDisjunctRowSelect()) return Flag(rowSelect_, ARow);
    const TGridRect s = GetSelection();
    return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TKavStringGrid::SetRowSelect(int ARow, bool Value) {
    if (ARow < 0 || ARow >= GetRowCount() + NumHiddenRows())
        throw EKavGridError("Invalid row accessed");
    if (Flag(rowSelect_, ARow) != Value) RepaintRow(RemapRow(ARow));
    StoreFlag(rowSelect_, ARow, Value);
}

bool TKavStringGrid::GetColSelect(int ACol) const {
    if (ACol < 0 || ACol >= GetColCount()) throw EKavGridError("Invalid column accessed");
    return ColFlag(ACol);
}

void TKavStringGrid::SetColSelect(int ACol, bool Value) {
    if (ACol < 0 || ACol >= GetColCount()) throw EKavGridError("Invalid column accessed");
    if (ColFlag(ACol) != Value) RepaintCol(ACol);
    StoreFlag(colSelect_, RemapCol(ACol), Value);
}

bool TKavStringGrid::ColFlag(int ACol) const {
    // The marks are kept by real column, so that they stay on their columns when columns
    // are hidden or shown.
    return ACol >= 0 && ACol < GetColCount() && Flag(colSelect_, RemapCol(ACol));
}

void TKavStringGrid::SelectRows(int RowIndex, int RCount) {
    if (!mouseActions_->GetDisjunctRowSelect()) {
        SetSelection({GetFixedCols(), RowIndex, GetColCount() - 1, RowIndex + RCount - 1});
        return;
    }
    for (int r = RowIndex; r < RowIndex + RCount && r < GetRowCount(); ++r)
        SetRowSelect(RowSelectIndex(TShownRow(r)), true);
}

void TKavStringGrid::SelectCols(int ColIndex, int CCount) {
    if (!mouseActions_->GetDisjunctColSelect()) {
        SetSelection({ColIndex, GetFixedRows(), ColIndex + CCount - 1, GetRowCount() - 1});
        return;
    }
    for (int c = ColIndex; c < ColIndex + CCount && c < GetColCount(); ++c)
        SetColSelect(c, true);
}

void TKavStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow) {
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

void TKavStringGrid::ClearRowSelect() {
    for (int r = 0; r < static_cast<int>(rowSelect_.size()); ++r)
        if (rowSelect_[r]) RepaintRow(RemapRow(r));
    std::fill(rowSelect_.begin(), rowSelect_.end(), 0);
}

void TKavStringGrid::ClearColSelect() {
    for (int c = 0; c < GetColCount(); ++c)
        if (ColFlag(c)) RepaintCol(c);
    std::fill(colSelect_.begin(), colSelect_.end(), 0);
}

void TKavStringGrid::SelectToRowSelect(bool All) {
    const TGridRect s = GetSelection();
    const bool persistent = mouseActions_->GetRowSelectPersistent();
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) {
        const bool inside = r >= s.Top && r <= s.Bottom;
        if (!inside && !All) continue;
        StoreFlag(rowSelect_, persistent ? RemapRowInv(r) : r, inside);
    }
    Invalidate();
}

void TKavStringGrid::SelectToColSelect(bool All) {
    const TGridRect s = GetSelection();
    for (int c = GetFixedCols(); c < GetColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (!inside && !All) continue;
        StoreFlag(colSelect_, RemapCol(c), inside);
    }
    Invalidate();
}

int TKavStringGrid::GetRowSelectCount() const {
    if (mouseActions_->GetDisjunctRowSelect())
        return static_cast<int>(std::count(rowSelect_.begin(), rowSelect_.end(), 1));
    const TGridRect s = GetSelection();
    return std::abs(s.Bottom - s.Top) + 1;
}

int TKavStringGrid::GetColSelectCount() const {
    return static_cast<int>(std::count(colSelect_.begin(), colSelect_.end(), 1));
}

bool TKavStringGrid::AddSelectedCell(int ACol, int ARow) {
    if (!selCellIndex_.insert(CellKey(ACol, ARow)).second) return false;
    selCells_.push_back(TPoint(ACol, ARow));
    return true;
}

int TKavStringGrid::GetSelectedCellsCount() {
    if (!mouseActions_->GetDisjunctCellSelect()) {
        selCells_.clear();
        selCellIndex_.clear();
    }
    const TGridRect s = GetSelection();
    if (s.Left == s.Right && s.Top == s.Bottom) return static_cast<int>(selCells_.size());
    for (int c = s.Left; c <= s.Right; ++c)
        for (int r = s.Top; r <= s.Bottom; ++r)
            AddSelectedCell(c, r);
    return static_cast<int>(selCells_.size());
}

TPoint TKavStringGrid::GetSelectedCell(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(selCells_.size()))
        throw EKavGridError("Invalid cell index");
    return selCells_[Index];
}

bool TKavStringGrid::GetSelectedCells(int ACol, int ARow) const {
    if (mouseActions_->GetDisjunctCellSelect()) return selCellIndex_.count(CellKey(ACol, ARow));
    return GetSelection().Contains(ACol, ARow);
}

void TKavStringGrid::SetSelectedCells(int ACol, int ARow, bool Value) {
    bool changed;
    if (Value) {
        changed = AddSelectedCell(ACol, ARow);
    } else {
        changed = selCellIndex_.erase(CellKey(ACol, ARow)) != 0;
        if (changed) {
            const auto at = std::find(selCells_.begin(), selCells_.end(), TPoint(ACol, ARow));
            selCells_.erase(at);
        }
    }
    if (changed) RepaintCell(ACol, ARow);
}

void TKavStringGrid::ClearSelectedCells() {
    const int c = std::min(GetFixedCols(), GetColCount() - 1);
    const int r = std::min(GetFixedRows(), GetRowCount() - 1);
    SetSelection({c, r, c, r});
    selCells_.clear();
    selCellIndex_.clear();
    Invalidate();
}

bool TKavStringGrid::IsSelected(int ACol, int ARow) {
    if (IsFixed(ACol, ARow)) return false;
    if (mouseActions_->GetDisjunctRowSelect()) return Flag(rowSelect_, SelectionRow(ARow));
    if (mouseActions_->GetDisjunctColSelect()) return ColFlag(ACol);
    return TBaseGrid::IsSelected(ACol, ARow);
}

void TKavStringGrid::SelectedBlock(std::vector<int>& Cols, std::vector<int>& Rows) const {
    const TGridRect s = GetSelection();
    int left = s.Left, right = s.Right;
    if (GetOptions().Contains(goRowSelect) && dragDropSettings_->GetOleEntireRows()) {
        left = 0;
        right = GetColCount() - 1;
    }
    // A selection beyond the grid (hidden) holds no cells.
    right = std::min(right, GetColCount() - 1);
    Cols.clear();
    for (int c = left; c <= right; ++c)
        Cols.push_back(c);
    if (mouseActions_->GetDisjunctRowSelect()) {
        Rows = FlaggedRows();
        return;
    }
    Rows.clear();
    for (int r = s.Top; r <= std::min(s.Bottom, GetRowCount() - 1); ++r)
        Rows.push_back(r);
}

AnsiString TKavStringGrid::SelectedText() {
    std::vector<int> cols, rows;
    SelectedBlock(cols, rows);
    std::string out;
    for (int r : rows) {
        for (int c : cols) {
            // Rich text gives its plain text, a wide cell its characters.
            const AnsiString text = GetGridCell(RemapCol(c), r);
            if (text.Pos("{\\") > 0)
                out += RichTextPlain(text).str();
            else if (text.str().compare(0, 2, "|\\") == 0)
                out += DecodeWideStr(text).ToAnsiString().str();
            else
                out += text.str();
            if (c != cols.back()) out += '\t';
        }
        // Rows joined by line breaks: the disjunctly selected ones too, wherever they lie.
        if (r != rows.back()) out += "\r\n";
    }
    return AnsiString(out);
}

void TKavStringGrid::SelectionChanged(int ALeft, int ATop, int ARight, int ABottom) {
    if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

bool TKavStringGrid::GetRowModified(int ARow) const {
    const TGridRowId id = GetRowId(ARow);
    return id && rowModified_.count(id.Value()) > 0;
}

void TKavStringGrid::SetRowModified(int ARow, bool Value) {
    const TGridRowId id = GetRowId(ARow);
    if (!id) return;
    if (Value)
        rowModified_.insert(id.Value());
    else
        rowModified_.erase(id.Value());
}

void TKavStringGrid::ClearModifiedRows() {
    rowModified_.clear();
    Invalidate();
}

// --- repainting ---

void TKavStringGrid::RepaintRow(int ARow) {
    if (!HandleAllocated() || ARow < 0 || ARow >= GetRowCount()) return;
    const int last = std::min(GetColCount() - 1, GetLeftCol() + GetVisibleColCount());
    const TRect a = TCustomGrid::CellRect(0, ARow);
    const TRect b = TCustomGrid::CellRect(last, ARow);
    TRect r = Rect(a.Left, std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                   std::max(a.Bottom, b.Bottom));
    if (Empty(a)) r = Rect(0, b.Top, b.Right, b.Bottom);
    if (Empty(r)) return;
    InvalidateRect(GetHandle(), &r, FALSE);
}

void TKavStringGrid::RepaintCol(int ACol) {
    if (!HandleAllocated() || ACol < 0 || ACol >= GetColCount()) return;
    const int last = std::min(GetRowCount() - 1, GetTopRow() + GetVisibleRowCount());
    const TRect a = TCustomGrid::CellRect(ACol, GetTopRow());
    const TRect b = TCustomGrid::CellRect(ACol, last);
    TRect r = Rect(std::min(a.Left, b.Left), a.Top, std::max(a.Right, b.Right), b.Bottom);
    if (Empty(a) || Empty(b)) r = Empty(a) ? b : a;
    if (Empty(r)) return;
    InvalidateRect(GetHandle(), &r, FALSE);
}

void TKavStringGrid::RepaintRect(const TRect& R) {
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0 || !HandleAllocated()) return;
    const TRect a = CellRect(R.Left, R.Top);
    const TRect b = CellRect(R.Right, R.Bottom);
    if (Empty(a) || Empty(b)) {
        Invalidate();
        return;
    }
    const TRect u = Rect(std::min(a.Left, b.Left), std::min(a.Top, b.Top),
                         std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    InvalidateRect(GetHandle(), &u, TRUE);
}

void TKavStringGrid::InvalidateGridRect(const TGridRect& R) {
    if (!HandleAllocated()) return;
    const TRect a = CellRect(R.Left, R.Top);
    const TRect b = CellRect(R.Right, R.Bottom);
    if (Empty(a) && Empty(b)) return;
    TRect u = Empty(a)   ? b
              : Empty(b) ? a
                         : Rect(std::min(a.Left, b.Left), std::min(a.Top, b.Top),
                                std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    InvalidateRect(GetHandle(), &u, FALSE);
}

// --- selection look ---

void TKavStringGrid::SetSelectionColor(TColor Value) {
    if (selectionColor_ == Value) return;
    selectionColor_ = Value;
    Invalidate();
}

void TKavStringGrid::SetSelectionColorTo(TColor Value) {
    if (selectionColorTo_ == Value) return;
    selectionColorTo_ = Value;
    Invalidate();
}

void TKavStringGrid::SetSelectionTextColor(TColor Value) {
    if (selectionTextColor_ == Value) return;
    selectionTextColor_ = Value;
    Invalidate();
}

void TKavStringGrid::SetShowSelection(bool Value) {
    if (showSelection_ == Value) return;
    showSelection_ = Value;
    Invalidate();
}

void TKavStringGrid::SetSelectionRectangle(bool Value) {
    if (selectionRectangle_ == Value) return;
    selectionRectangle_ = Value;
    Invalidate();
}

void TKavStringGrid::SetSelectionResizer(bool Value) {
    if (selectionResizer_ == Value) return;
    selectionResizer_ = Value;
    Invalidate();
}
