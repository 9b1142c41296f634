// TKavStringGrid: the lists it mirrors into cells or editors: the column and row headers
// (row 0 and column 0), the combo editor's items and its selection, the lookup items, and
// the columns whose equal cells are merged; the change handlers of the fixed font, a cell's
// image list and the rich editor's selection.
#include "controles/grid/kav_grid.h"
#include "controles/grid/cell_graphic.h"
#include "controles/grid/cell_search.h"

#include "controles/comun/text_utils.h"

// --- headers ---

void TKavStringGrid::SetColumnHeaders(TStrings* Value) {
    if (GetFixedRows() > 0) ClearColumnHeaders();
    if (Value) columnHeaders_->Assign(*Value);
    ShowColumnHeaders();
}

void TKavStringGrid::ShowColumnHeaders() {
    if (GetFixedRows() < 1) return;
    // Header i belongs to real column i: a hidden column keeps its header.
    const TRealCol end(std::min(columnHeaders_->GetCount(), TotalColCount()));
    for (TRealCol c(0); c < end; ++c)
        SetCellEx(c.Value(), 0, CLFToLF(columnHeaders_->GetStrings(c.Value())));
}

void TKavStringGrid::ClearColumnHeaders() {
    for (TRealCol c(0); c.Value() < TotalColCount(); ++c)
        SetCellEx(c.Value(), 0, AnsiString());
}

void TKavStringGrid::ColHeaderChanged(TObject*) {
    UpdateColHeaders();
    ShowColumnHeaders();
}

void TKavStringGrid::SetRowHeaders(TStrings* Value) {
    // Only a grid being designed loses the texts of the header column first: at run time a
    // shorter list leaves the rows past it as they are.
    if (GetComponentState().Contains(csDesigning) && GetFixedCols() > 0) ClearRowHeaders();
    if (Value) rowHeaders_->Assign(*Value);
    ShowRowHeaders();
}

void TKavStringGrid::ShowRowHeaders() {
    if (GetFixedCols() < 1) return;
    // Header i belongs to real row i: a hidden row keeps its header for when it shows again.
    const TRealRow end(std::min(rowHeaders_->GetCount(), TotalRowCount()));
    for (TRealRow r(0); r < end; ++r)
        SetCellsEx(0, r.Value(), CLFToLF(rowHeaders_->GetStrings(r.Value())));
}

void TKavStringGrid::ClearRowHeaders() {
    for (TShownRow r(0); r.Value() < GetRowCount(); ++r)
        SetCellEx(0, r.Value(), AnsiString());
}

void TKavStringGrid::RowHeaderChanged(TObject*) {
    ShowRowHeaders();
}

// --- the combo editor's items ---

void TKavStringGrid::AddComboString(const AnsiString& S) {
    comboItems_->Add(S);
}

void TKavStringGrid::AddComboStringObject(const AnsiString& S, TObject* AObject) {
    comboItems_->AddObject(S, AObject);
}

void TKavStringGrid::ClearComboString() {
    comboItems_->Clear();
}

int TKavStringGrid::GetComboCount() const {
    return comboItems_->GetCount();
}

bool TKavStringGrid::RemoveComboString(const AnsiString& S) {
    for (int i = 0; i < comboItems_->GetCount(); ++i)
        if (comboItems_->GetStrings(i) == S) {
            comboItems_->Delete(i);
            return true;
        }
    return false;
}

bool TKavStringGrid::SetComboSelectionString(const AnsiString& S) {
    for (int i = 0; i < comboItems_->GetCount(); ++i)
        if (comboItems_->GetStrings(i) == S) {
            comboSelection_ = i;
            return true;
        }
    return false;
}

void TKavStringGrid::SetLookupItems(TStrings* Value) {
    if (Value) lookupItems_->Assign(*Value);
}

// --- merged columns ---

void TKavStringGrid::ApplyColumnMerge() {
    for (int i = 0; i < mergedColumns_->GetCount(); ++i)
        MergeColumnCells(mergedColumns_->GetItems(i), i == 0);
}

void TKavStringGrid::UndoColumnMerge() {
    for (int c = 0; c < TotalColCount(); ++c)
        SplitColumnCells(c);
}

void TKavStringGrid::MergedColumnsChanged(TObject*, int, int) {
    UndoColumnMerge();
    ApplyColumnMerge();
}

// --- other change handlers ---

void TKavStringGrid::FixedFontChanged(TObject*) {
    Invalidate();
}

void TKavStringGrid::MultiImageChanged(TObject* Sender, int ACol, int ARow) {
    // ACol, ARow are where the list was made: the cell holding it is followed to where it is
    // now (a cell of a hidden row shows nowhere and is not painted).
    const TPoint at = FindCellHolding(*this, ACol, ARow, [Sender](const TCellProperties& p) {
        const auto* g = dynamic_cast<const TCellGraphic*>(p.GetGraphic());
        return g && g->CellBitmap == Sender;
    });
    if (at.x >= 0) RepaintRealCell(TRealCol(at.x), at.y);
}

void TKavStringGrid::RichSelChange(TObject*) {
    if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
}
