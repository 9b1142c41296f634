// TKavStringGrid: whether a cell may be edited or counts as fixed, the checks before the
// current cell moves, and the opening and closing of the current cell's editor.
#include "controles/grid/kav_grid.h"

bool TKavStringGrid::IsEditable(TRealCol ACol, TShownRow ARow) {
    if (!GetOptions().Contains(goEditing) && !GetMouseActions()->GetRangeSelectAndEdit() &&
        !transientSelectEdit_ && !editOverride_)
        return false;
    TPoint c(ACol.Value(), ARow.Value());
    if (IsMergedCell(c.x, c.y) && !IsBaseCell(c.x, c.y)) c = BaseCell(c.x, c.y);
    bool canEdit = true;
    GetCellReadOnly(c.x, c.y, canEdit);
    bool fixed = false;
    GetCellFixed(ShownColOf(TRealCol(c.x)), c.y, fixed);
    return canEdit && !fixed;
}

bool TKavStringGrid::IsFixed(int ACol, int ARow) {
    const TPoint b = BaseCell(RemapCol(ACol), ARow);
    const int col = RemapColInv(b.x);
    if (b.y >= GetRowCount() - fixedFooters_) return true;
    if (col >= GetColCount() - fixedRightCols_) return true;
    bool fixed = false;
    GetCellFixed(col, b.y, fixed);
    return fixed;
}

bool TKavStringGrid::SelectCell(int ACol, int ARow) {
    bool allow = true;
    if (FooterShown()) {
        // The grid scrolls so that the new cell is not hidden under the footer; a footer
        // that takes the last row keeps it from becoming current.
        TFloatingFooter* f = GetFloatingFooter();
        const bool lastRowStyle = f->GetFooterStyle() == fsFixedLastRow;
        if (!lastRowStyle) f->Invalidate();
        const TRect r = GetCellRect(ACol, ARow);
        const int lastAllowed = lastRowStyle ? GetRowCount() - 1 : GetRowCount();
        if (r.Bottom > GetClientHeight() - f->GetHeight() + 2 && ARow < lastAllowed &&
            GetTopRow() + GetVisibleRowCount() < GetRowCount())
            SetTopRow(GetTopRow() + 1);
        if (lastRowStyle && ARow == GetRowCount() - 1) return false;
    }
    if (ACol < 0 || ARow < 0) return false;
    const int oldCol = GetCol(), oldRow = GetRow();
    const TGridRect oldSel = GetSelection();
    if (ARow != oldRow && OnRowChanging) OnRowChanging(this, oldRow, ARow, allow);
    if (ACol != oldCol && OnColChanging) OnColChanging(this, oldCol, ACol, allow);
    if ((ARow != oldRow || ACol != oldCol) && OnCellChanging)
        OnCellChanging(this, oldRow, oldCol, ARow, ACol, allow);
    if (ACol == 0 && HasNodes() && !GetOptions().Contains(goRowSelect)) allow = false;
    if (!allow) return false;

    // goEditing follows the cell: taken away on a cell that cannot be edited, given back on
    // the next one that can.
    TInplaceEdit* ed = GetInplaceEditor();
    const bool edShown = EditorShown();
    const bool edFocused = edShown && ed->Focused();
    const AnsiString edText = edShown ? ed->GetText() : AnsiString();

    const int dataCol = RemapCol(ACol);
    TGridOptions opts = GetOptions();
    if (!HasStaticEdit(dataCol, ARow)) {
        bool canEdit = opts.Contains(goEditing) || transientSelectEdit_;
        GetCellReadOnly(dataCol, ARow, canEdit);
        if (canEdit) {
            transientSelectEdit_ = false;
            if (!opts.Contains(goEditing)) {
                editingGiven_ = true;
                if (!EditorShown()) InitValidate(ACol, ARow);
                SetOptions(opts << goEditing);
            }
            if (EditorShown()) HideInplaceEdit();
        } else {
            if (EditorShown()) HideInplaceEdit();
            if (opts.Contains(goEditing)) {
                transientSelectEdit_ = true;
                editingGiven_ = true;
                SetOptions(opts >> goEditing);
            }
        }
    } else {
        bool canEdit = true;
        GetCellReadOnly(dataCol, ARow, canEdit);
        transientSelectEdit_ = false;
        if (!opts.Contains(goEditing) && !opts.Contains(goRowSelect) && canEdit) {
            editingGiven_ = true;
            SetOptions(opts << goEditing);
        }
    }

    const bool accepted = edShown && !edFocused
                              ? ValidateCell(edText) && TBaseGrid::SelectCell(ACol, ARow)
                              : !IsFixed(ACol, ARow) && TBaseGrid::SelectCell(ACol, ARow);
    if (!accepted) return false;
    CellSelected(oldCol, oldRow, oldSel, ACol, ARow);
    return true;
}

void TKavStringGrid::CellSelected(int OldCol, int OldRow, const TGridRect& OldSel, int ACol,
                                  int ARow) {
    // What shows the current cell outside it: the row indicator, the headers' highlight and
    // the selection's frame.
    if (GetRowIndicator() && !GetRowIndicator()->GetEmpty() && GetFixedCols() > 0) {
        RepaintCell(0, OldRow);
        RepaintCell(0, ARow);
    }
    if (GetActiveCellShow()) {
        UpdateActiveCells(OldCol, OldRow, ACol, ARow);
        if (OldSel.Left != OldCol && OldSel.Top != OldRow)
            UpdateActiveCells(OldSel.Left, OldSel.Top, ACol, ARow);
    }
    if (GetSelectionRectangle()) InvalidateGridRect(GetSelection());
    if (!GetComponentState().Contains(csLoading) && ARow != lastReportedRow_ && updateCount_ == 0) {
        const int reported = lastReportedRow_;
        lastReportedRow_ = ARow;
        if (OnRowUpdate) OnRowUpdate(this, reported, ARow);
    }
    // The new cell's text is the one an edit of it restores; an editor still open (rows moved
    // under it from code) keeps the text and the row of the cell it edits.
    if (!GetEditorMode() && !editSession_->ControlActive) {
        const TPoint b = EditedCell(ACol, ARow);
        editSession_->SetCachedText(GetGridCell(b.x, b.y));
        editSession_->SetCachedRow(GetRowId(ARow));
    }
    // The search bar covers the grid's bottom: a cell under it brings the next row up.
    if (GetSearchFooter()->GetVisible() && searchPanel_ &&
        GetCellRect(ACol, ARow).Bottom > GetHeight() - searchPanel_->GetHeight() &&
        GetTopRow() + GetVisibleRowCount() < GetRowCount())
        SetTopRow(GetTopRow() + 1);
}

void TKavStringGrid::ShowInplaceEdit() {
    if (HasStaticEdit(RemapCol(GetCol()), GetRow())) return;
    if (GetRow() < GetTopRow()) SetTopRow(GetRow());
    if (GetCol() < GetLeftCol()) SetLeftCol(GetCol());
    ShowEditor();
    if (EditorShown()) {
        editorShown_ = true;
        editSession_->SetArmed(true);
    }
}

void TKavStringGrid::HideInplaceEdit() {
    if (!editorShown_ && !EditorShown()) return;
    HideEditor();
    HideEditControl(GetCol(), GetRow());
    editorShown_ = false;
    SelectCell(GetCol(), GetRow());
}

void TKavStringGrid::SettleEdit() {
    // An editor that still has the focus is validated here; one without it by SelectCell,
    // which closes it.
    if (EditorShown() && GetInplaceEditor()->Focused())
        editSession_->Validate(GetInplaceEditor()->GetText());
    SelectCell(GetCol(), GetRow());
}

bool TKavStringGrid::EditingInCols(int First, int Last) const {
    if (!EditorShown() || !GetInplaceColId()) return false;
    const int real = FindColId(GetInplaceColId());
    return real >= First && real <= Last;
}

int TKavStringGrid::GetEditLimit() {
    return GetMaxEditLength();
}

int TKavStringGrid::RadioIndex(int RealCol, int ARow) {
    int idx = -1;
    GetRadioIdx(RealCol, ARow, idx);
    if (idx < 0)
        if (TStrings* items = GetRadioStrings(RealCol, ARow))
            idx = items->IndexOf(GetCellEx(RealCol, ARow));
    return idx;
}

void TKavStringGrid::MarkModified(int ARow) {
    if (!GetShowModified()->GetEnabled()) return;
    SetRowModified(ARow, true);
    RepaintCell(0, ARow);
}

bool TKavStringGrid::QueryInsertRow(int ARow) {
    bool allow = true;
    if (OnCanInsertRow) OnCanInsertRow(this, ARow, allow);
    return allow;
}

void TKavStringGrid::QueryAddRow(bool& CanAdd) {
    if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}
