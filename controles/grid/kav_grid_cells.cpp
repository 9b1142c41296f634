// TKavStringGrid: cells by real row (hidden rows counted), the per-cell property arrays, the
// whole-row colours, controls placed over cells, the simple grid setters and the load and
// save hooks.
#include "controles/comun/text_utils.h"
#include "controles/grid/editing/kav_inplace_edit.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_helpers.h"
#include "plataforma/gui/painting/draw_text.h"

// --- cells by real row ---

AnsiString TKavStringGrid::GetCellsEx(int ACol, int ARow) {
    if (const TStrings* hidden = HiddenRow(ARow))
        return ACol >= 0 && ACol < hidden->GetCount() ? hidden->GetStrings(ACol) : AnsiString();
    return GetCellEx(ACol, RemapRow(ARow));
}

void TKavStringGrid::SetCellsEx(int ACol, int ARow, const AnsiString& Value) {
    if (TStrings* hidden = HiddenRow(ARow)) {
        if (ACol >= 0 && ACol < hidden->GetCount()) hidden->SetStrings(ACol, Value);
        return;
    }
    const int row = RemapRow(ARow);
    SetCellEx(ACol, row, Value);
    const int displ = RemapColInv(ACol);
    if (displ != ACol) RepaintCell(displ, row);
}

TGridItem* TKavStringGrid::HiddenItemOf(TGridRowId Id) const {
    if (!Id) return nullptr;
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        auto* item = static_cast<TGridItem*>(hiddenRows_->GetItem(i));
        if (item->GetRowId() == Id) return item;
    }
    return nullptr;
}

bool TKavStringGrid::SetCellOfHiddenRow(TGridRowId Id, int ACol, const AnsiString& Value) {
    const TGridItem* item = HiddenItemOf(Id);
    if (!item) return false;
    SetCellsEx(ACol, item->GetIdx(), Value);
    return true;
}

void TKavStringGrid::SetEditTextOfMissingRow(TGridRowId Id, int ACol, const AnsiString& Value) {
    SetCellOfHiddenRow(Id, RemapCol(ACol), Value);
}

WideString TKavStringGrid::GetWideCellsEx(int ACol, int ARow) {
    return DecodeWideStr(GetCellsEx(ACol, ARow));
}

void TKavStringGrid::SetWideCellsEx(int ACol, int ARow, const WideString& Value) {
    SetCellsEx(ACol, ARow, EncodeWideStr(Value));
}

TObject* TKavStringGrid::GetObjectsEx(int ACol, int ARow) {
    if (const TStrings* hidden = HiddenRow(ARow)) {
        if (ACol < 0 || ACol >= hidden->GetCount()) return nullptr;
        TObject* o = hidden->GetObjects(ACol);
        if (const TCellProperties* p = AsProps(o)) return p->GetCellObject();
        return o;
    }
    return GetObjectEx(ACol, RemapRow(ARow));
}

void TKavStringGrid::SetObjectsEx(int ACol, int ARow, TObject* Value) {
    if (TStrings* hidden = HiddenRow(ARow)) {
        if (ACol < 0 || ACol >= hidden->GetCount()) return;
        if (TCellProperties* p = AsProps(hidden->GetObjects(ACol)))
            p->SetCellObject(Value);
        else
            hidden->SetObjects(ACol, Value);
        return;
    }
    SetObjectEx(ACol, RemapRow(ARow), Value);
}

int TKavStringGrid::GetAllColWidths(int ACol) const {
    if (IsHiddenColumn(ACol)) return hiddenWidths_[ACol];
    return GetColWidths(RemapColInv(ACol));
}

void TKavStringGrid::SetAllColWidths(int ACol, int Value) {
    if (ACol >= 0 && ACol < static_cast<int>(hiddenWidths_.size())) hiddenWidths_[ACol] = Value;
    if (!IsHiddenColumn(ACol)) SetColWidths(RemapColInv(ACol), Value);
}

// The cell an edit of display cell (ACol, ARow) reads and writes: its real column, or the
// base cell of the merged area it lies in.
TPoint TKavStringGrid::EditedCell(int ACol, int ARow) {
    return BaseCell(RemapCol(ACol), ARow);
}

AnsiString TKavStringGrid::GetCurrentCell() {
    const TPoint b = EditedCell(GetCol(), GetRow());
    return GetGridCell(b.x, b.y);
}

void TKavStringGrid::SetCurrentCell(const AnsiString& Value) {
    const TPoint b = EditedCell(GetCol(), GetRow());
    SetCellEx(b.x, b.y, Value);
}

void TKavStringGrid::SetEditCell(const AnsiString& Value) {
    const TPoint b = EditedCell(GetCol(), GetRow());
    TStringGrid::SetEditText(b.x, b.y, Value);
}

AnsiString TKavStringGrid::GetEditText(int ACol, int ARow) {
    const TPoint b = EditedCell(ACol, ARow);
    // The text box shows the cell's text where the cell shows it: right-aligned cells edit
    // right-aligned.
    if (TKavInplaceEdit* e = GetKavInplaceEditor())
        e->SetVAlign((GetCellAlignment(b.x, b.y) & 0xFF) == taRightJustify);
    AnsiString s = TStringGrid::GetEditText(b.x, b.y);
    if (!editWithTags_) s = HTMLStrip(s);
    return s;
}

void TKavStringGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
    const TPoint b = EditedCell(ACol, ARow);
    TStringGrid::SetEditText(b.x, b.y, Value);
}

AnsiString TKavStringGrid::GetStrippedCell(int ACol, int ARow) {
    return HTMLStrip(GetCellEx(ACol, ARow));
}

// --- per-cell properties ---

TColor TKavStringGrid::GetColors(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetBrushColor() : clNone;
}

void TKavStringGrid::SetColors(int ACol, int ARow, TColor Value) {
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
    RepaintCell(RemapColInv(ACol), ARow);
}

TColor TKavStringGrid::GetColorsTo(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetBrushColorTo() : clNone;
}

void TKavStringGrid::SetColorsTo(int ACol, int ARow, TColor Value) {
    GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
    RepaintCell(RemapColInv(ACol), ARow);
}

TColor TKavStringGrid::GetFontColors(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetFontColor() : clNone;
}

void TKavStringGrid::SetFontColors(int ACol, int ARow, TColor Value) {
    GetCellProperties(ACol, ARow)->SetFontColor(Value);
    RepaintCell(RemapColInv(ACol), ARow);
}

TFontStyles TKavStringGrid::GetFontStyles(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetFontStyle() : TFontStyles();
}

void TKavStringGrid::SetFontStyles(int ACol, int ARow, TFontStyles Value) {
    GetCellProperties(ACol, ARow)->SetFontStyle(Value);
    RepaintCell(RemapColInv(ACol), ARow);
}

AnsiString TKavStringGrid::GetFontNames(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetFontName() : AnsiString();
}

void TKavStringGrid::SetFontNames(int ACol, int ARow, const AnsiString& Value) {
    GetCellProperties(ACol, ARow)->SetFontName(Value);
    RepaintCell(RemapColInv(ACol), ARow);
}

int TKavStringGrid::GetFontSizes(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetFontSize() : 0;
}

void TKavStringGrid::SetFontSizes(int ACol, int ARow, int Value) {
    GetCellProperties(ACol, ARow)->SetFontSize(Value);
    RepaintCell(RemapColInv(ACol), ARow);
}

TAlignment TKavStringGrid::GetAlignments(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetAlignment() : taLeftJustify;
}

void TKavStringGrid::SetAlignments(int ACol, int ARow, TAlignment Value) {
    GetCellProperties(ACol, ARow)->SetAlignment(Value);
    RepaintCell(RemapColInv(ACol), ARow);
}

void TKavStringGrid::SetReadOnly(int ACol, int ARow, bool Value) {
    GetCellProperties(ACol, ARow)->SetReadOnly(Value);
}

bool TKavStringGrid::GetWordWraps(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetWordWrap() : newCellWordWrap_;
}

void TKavStringGrid::SetWordWraps(int ACol, int ARow, bool Value) {
    GetCellProperties(ACol, ARow)->SetWordWrap(Value);
}

namespace {

enum class RowColour { Brush, BrushTo, Font };

} // namespace

static void SetRowColour(TKavStringGrid& Grid, int ARow, TColor Value, RowColour Which) {
    for (int c = Grid.GetFixedCols(), n = Grid.GetAllColCount(); c < n; ++c) {
        if (Value == clNone) {
            Grid.ClearPropCell(c, ARow);
            continue;
        }
        TCellProperties* p = Grid.GetCellProperties(c, ARow);
        switch (Which) {
        case RowColour::Brush:
            p->SetBrushColor(Value);
            break;
        case RowColour::BrushTo:
            p->SetBrushColorTo(Value);
            break;
        case RowColour::Font:
            p->SetFontColor(Value);
            break;
        }
    }
    Grid.RepaintRow(ARow);
}

void TKavStringGrid::SetRowColor(int ARow, TColor Value) {
    SetRowColour(*this, ARow, Value, RowColour::Brush);
}

void TKavStringGrid::SetRowColorTo(int ARow, TColor Value) {
    SetRowColour(*this, ARow, Value, RowColour::BrushTo);
}

void TKavStringGrid::SetRowFontColor(int ARow, TColor Value) {
    SetRowColour(*this, ARow, Value, RowColour::Font);
}

TControl* TKavStringGrid::GetCellControls(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetControl() : nullptr;
}

void TKavStringGrid::SetCellControls(int ACol, int ARow, TControl* Value) {
    // The cell is (real column, shown row); the list keeps the real row, and the control is
    // drawn at the column's shown place, or hidden with its column.
    const int realRow = ARow >= 0 && ARow < GetRowCount() ? RemapRowInv(ARow) : ARow;
    const int idx = controlList_->ControlIndex(ACol, realRow);
    if (Value) {
        if (idx >= 0)
            controlList_->RemoveControl(idx);
        else
            ++controlCells_;
        controlList_->AddControl(ACol, realRow, Value);
        GetCellProperties(ACol, ARow)->SetControl(Value);
        Value->SetParent(this);
        if (IsHiddenColumn(ACol)) {
            Value->SetVisible(false);
            return;
        }
        const TRect r = CellRect(RemapColInv(ACol), ARow);
        Value->SetBounds(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
        return;
    }
    if (idx >= 0) {
        controlList_->RemoveControl(idx);
        --controlCells_;
    }
    if (TCellProperties* p = FindCellProperties(ACol, ARow)) p->SetControl(nullptr);
}

// --- grid setters ---

void TKavStringGrid::SetFixedColWidth(int Value) {
    if (GetComponentState().Contains(csLoading) || Value == GetDefaultColWidth()) return;
    for (int c = 0; c < GetFixedCols(); ++c)
        SetColWidths(c, Value);
}

void TKavStringGrid::SetFixedRowHeight(int Value) {
    fixedRowHeight_ = Value;
    if (GetComponentState().Contains(csLoading)) return;
    if (Value != GetDefaultRowHeight()) {
        for (int r = 0; r < GetFixedRows(); ++r)
            SetRowHeights(r, Value);
    } else {
        SetDefaultRowHeight(Value);
    }
}

void TKavStringGrid::SetDefRowHeightEx(int Value) {
    SetDefaultRowHeight(Value);
    if (GetComponentState().Contains(csDesigning)) SetFixedRowHeight(Value);
    floatingFooter_->SetRowHeight(Value);
}

void TKavStringGrid::SetWordWrapEx(bool Value) {
    newCellWordWrap_ = Value;
    if (TKavInplaceEdit* e = GetKavInplaceEditor()) e->SetWordWrap(Value);
    if (updateCount_ == 0) Invalidate();
}

void TKavStringGrid::SetVAlignment(TVAlignment Value) {
    vAlignment_ = Value;
    vAlignFlag_ = Value == vtaCenter ? DT_VCENTER : Value == vtaBottom ? DT_BOTTOM : DT_TOP;
    if (updateCount_ == 0) Invalidate();
}

void TKavStringGrid::SetFlat(bool Value) {
    flat_ = Value;
    if (!GetComponentState().Contains(csLoading)) Invalidate();
}

void TKavStringGrid::SetMaxEditLength(int Value) {
    maxEditLength_ = Value;
    if (TInplaceEdit* e = GetInplaceEditor()) e->SetMaxLength(Value);
}

void TKavStringGrid::SetIntegralHeight(bool Value) {
    integralHeight_ = Value;
    SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
}

void TKavStringGrid::SetCursorEx(TCursor Value) {
    SetCursor(Value);
    rememberedCursor_ = Value;
}

// --- load, save and export hooks ---

AnsiString TKavStringGrid::CalcCell(int ACol, int ARow) {
    return GetCellEx(ACol, ARow);
}

AnsiString TKavStringGrid::SaveCell(int ACol, int ARow) {
    AnsiString s = SaveFormatted ? GetFormattedCell(ACol, ARow) : GetGridCell(ACol, ARow);
    if (s.IsEmpty()) {
        if (const TCellGraphic* g = GetCellGraphic(ACol, ARow); g && g->CellType == ctCheckBox)
            s = g->CellBoolean ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow);
    }
    if (!SaveWithMarkup) s = HTMLStrip(s);
    if (OnSaveCell) OnSaveCell(this, ACol, ARow, s);
    return s;
}

void TKavStringGrid::LoadCell(int ACol, int ARow, const AnsiString& Value) {
    AnsiString s = Value;
    if (OnLoadCell) OnLoadCell(this, ACol, ARow, s);
    SetGridCell(ACol, ARow, s);
}

void TKavStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                     int& SizingOfs, TGridDrawInfo& FixedInfo) {
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    bool allow = true;
    int c = -1, r = -1;
    MouseToCell(X - 6, Y, c, r);
    if (r >= 0 && r < GetFixedRows() && OnColumnSize) OnColumnSize(this, c, allow);
    MouseToCell(X, Y - 6, c, r);
    if (c >= 0 && c < GetFixedCols() && OnRowSize) OnRowSize(this, r, allow);
    if (!allow) State = gsNormal;
}
