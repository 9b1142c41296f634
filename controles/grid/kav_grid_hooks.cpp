// TKavStringGrid: the per-cell hooks through which the painter, the editor and printing ask
// how a cell looks and behaves; each ends with its event when assigned.
#include "controles/grid/kav_grid.h"

void TKavStringGrid::GetCellHint(int ACol, int ARow, AnsiString& AHint) {
    if (OnGridHint) OnGridHint(this, ACol, ARow, AHint);
}

void TKavStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                  TFont* AFont) {
    if (activeCellShow_) {
        const bool rowHeader = GetFixedCols() > 0 && ACol == 0 && ARow == GetRow();
        const bool colHeader = GetFixedRows() > 0 && ARow == 0 && ACol == GetCol();
        if (rowHeader || colHeader) {
            AFont->Assign(activeCellFont_.get());
            ABrush->SetColor(activeCellColor_);
        }
    }
    if (const TCellProperties* p = FindCellProperties(ACol, ARow)) {
        if (p->GetBrushColor() != clNone) ABrush->SetColor(p->GetBrushColor());
        if (p->GetFontColor() != clNone) AFont->SetColor(p->GetFontColor());
        if (!(p->GetFontStyle() == TFontStyles())) AFont->SetStyle(p->GetFontStyle());
        if (p->GetFontSize() != 0) AFont->SetSize(p->GetFontSize());
        if (!p->GetFontName().IsEmpty()) AFont->SetName(p->GetFontName());
    }
    if (OnGetCellColor) OnGetCellColor(this, ACol, ARow, AState, ABrush, AFont);
}

void TKavStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                       TFont* AFont) {
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ACol, ARow, AState, ABrush, AFont);
}

void TKavStringGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    // Group lines under node rows and over summary rows, from column 1 on.
    if (ACol >= 1) {
        if (grouping_->GetHeaderUnderline() && IsNode(ARow)) {
            Borders << cbBottom;
            APen->SetColor(grouping_->GetHeaderLineColor());
            APen->SetWidth(grouping_->GetHeaderLineWidth());
        }
        if (grouping_->GetSummaryLine() && IsSummary(ARow)) {
            Borders << cbTop;
            APen->SetColor(grouping_->GetSummaryLineColor());
            APen->SetWidth(grouping_->GetSummaryLineWidth());
        }
    }
    if (OnGetCellBorder) OnGetCellBorder(this, ACol, ARow, APen, Borders);
}

void TKavStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ACol, ARow, APen, Borders);
}

void TKavStringGrid::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    if (ACol == 0 && mouseActions_->GetHotmailRowSelect()) HAlign = taCenter;
    if (OnGetAlignment) OnGetAlignment(this, ACol, ARow, HAlign, VAlign);
}

void TKavStringGrid::GetColFormat(int ACol, TSortStyle& AStyle, AnsiString& APrefix,
                                  AnsiString& ASuffix) {
    if (OnGetFormat) OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void TKavStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TKavStringGrid::GetCellFixed(int ACol, int ARow, bool& IsFixed) {
    IsFixed = ACol < GetFixedCols() || ARow < GetFixedRows();
    if (fixedRowAlways_ && ARow <= rememberedFixedRows_ && GetRowCount() == rememberedFixedRows_)
        IsFixed = true;
    if (fixedColAlways_ && ACol < rememberedFixedCols_ && GetColCount() == rememberedFixedCols_)
        IsFixed = true;
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ACol, ARow, IsFixed);
}

void TKavStringGrid::GetCellReadOnly(int ACol, int ARow, bool& CanEdit) {
    const TPoint b = BaseCell(ACol, ARow);
    if (const TCellProperties* p = FindCellProperties(b.x, b.y); p && CanEdit)
        CanEdit = !p->GetReadOnly();
    if (!GetOptions().Contains(goEditing) && !transientSelectEdit_ &&
        !mouseActions_->GetRangeSelectAndEdit() && !editOverride_)
        CanEdit = false;
    if (OnCanEditCell) OnCanEditCell(this, ACol, ARow, CanEdit);
}

void TKavStringGrid::GetCellPassword(int ACol, int ARow, bool& IsPassword) {
    if (OnIsPasswordCell) OnIsPasswordCell(this, ACol, ARow, IsPassword);
}

void TKavStringGrid::GetCellWordWrap(int ACol, int ARow, bool& WordWrap) {
    if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TKavStringGrid::HasCombo(int ACol, int ARow) {
    bool result = false;
    if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, result);
    return result;
}

AnsiString TKavStringGrid::GetCheckTrue(int ACol, int ARow) {
    AnsiString s = checkTrue_;
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, s);
    return s;
}

AnsiString TKavStringGrid::GetCheckFalse(int ACol, int ARow) {
    AnsiString s = checkFalse_;
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, s);
    return s;
}

bool TKavStringGrid::GetFilter(int) {
    return false;
}
