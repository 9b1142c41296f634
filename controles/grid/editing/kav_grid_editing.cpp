// TKavStringGrid: which editor a cell gets (its editor kind, edNone and the read-only rules),
// the text editor's creation, the moves that end an edit (AdvanceEdit, DoneInplaceEdit, the
// grid's Return and Escape), and the write-back of an edit.
#include "controles/comun/text_utils.h"
#include "controles/grid/editing/kav_inplace_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/kernel/std_messages.h"

#include <algorithm>

bool TKavStringGrid::IsTextEditor(TEditorType Kind) {
    switch (Kind) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
        return true;
    default:
        return false;
    }
}

TInplaceEdit* TKavStringGrid::CreateEditor() {
    return new TKavInplaceEdit(this);
}

TKavInplaceEdit* TKavStringGrid::GetKavInplaceEditor() const {
    return dynamic_cast<TKavInplaceEdit*>(GetInplaceEditor());
}

bool TKavStringGrid::CanEditShow() {
    TGridEditSession& session = *editSession_;
    if (session.Hiding || GetComponentState().Contains(csDesigning)) return false;
    // An editor control open over the cell edits it: no text editor over it as well.
    if (session.ControlShown) return false;
    bool answer = TBaseGrid::CanEditShow();
    // An editor session whose text editor went away without a word (a move of the current
    // cell closes it) is over: the next edit picks its kind again.
    if (session.ControlActive && !session.ControlShown && !EditorShown())
        session.ControlActive = false;
    const TPoint b = EditedCell(GetCol(), GetRow());
    if (answer && !session.ControlActive && HasStaticEdit(b.x, b.y)) return false;
    if (answer && !session.ControlActive) {
        session.SetCachedText(GetCurrentCell());
        session.SetCachedRow(GetRowId(GetRow()));
        TEditorType kind = defaultEditor_;
        GetCellEditor(b.x, b.y, kind);
        if (kind == edNone || !EditorControlAvailable(kind)) return false;
        session.SetKind(kind);
        session.ControlActive = true;
        session.SetPending(true);
        if (!IsTextEditor(kind)) {
            const TPoint shown = ShownBaseCell(TShownCol(GetCol()), GetRow());
            ShowEditControl(shown.x, shown.y);
            session.Requested = true;
            // The control edits: the text editor's mode stays off, so that the grid taking
            // the focus back does not open an editor again.
            HideEditor();
            return false;
        }
        // The value a later validation compares with is the one the edit starts from.
        if (!session.Storing()) InitValidate(GetCol(), GetRow());
    }
    if (answer) {
        session.Requested = true;
        session.SetArmed(true);
    }
    return answer;
}

// --- the end of an edit ---

void TKavStringGrid::DoneEditing() {
    if (OnEditingDone) OnEditingDone(this);
}

void TKavStringGrid::ShowCellEdit() {
    if (HandleAllocated()) PostMessage(GetHandle(), WM_KEYDOWN, VK_F2, 0);
}

void TKavStringGrid::RestoreCache() {
    // The text from before the edit goes back into the edited cell, and nowhere else: in its
    // row wherever that row stands now (hidden too), in none when the row is gone.
    const TGridRowId cached = editSession_->CachedRow();
    const int row = cached ? FindRowId(cached) : GetRow();
    if (row < 0) {
        SetCellOfHiddenRow(cached, RemapCol(GetCol()), editSession_->CachedText());
        return;
    }
    const TPoint b = EditedCell(GetCol(), row);
    SetCellEx(b.x, b.y, editSession_->CachedText());
}

void TKavStringGrid::UpdateEditingCell(int ACol, int ARow, const AnsiString& Value) {
    SetEditText(RemapColInv(ACol), ARow, Value);
    SetCellEx(ACol, ARow, Value);
}

void TKavStringGrid::UpdateActiveCells(int OldCol, int OldRow, int NewCol, int NewRow) {
    if (GetFixedRows() > 0) {
        RepaintCell(OldCol, GetFixedRows() - 1);
        RepaintCell(NewCol, GetFixedRows() - 1);
    }
    if (GetFixedCols() > 0) {
        RepaintCell(GetFixedCols() - 1, OldRow);
        RepaintCell(GetFixedCols() - 1, NewRow);
    }
}

AnsiString TKavStringGrid::EllipsClick(const AnsiString& S) {
    AnsiString result = S;
    if (OnEllipsClick) OnEllipsClick(this, RemapCol(GetCol()), GetRow(), result);
    return result;
}

// --- advancing ---

bool TKavStringGrid::NextAdvanceCell(int& ACol, int& ARow, bool Forward) {
    TNavigation* nav = GetNavigation();
    const int lastRow = GetRowCount() - 1 - fixedFooters_;
    const int lastCol = GetColCount() - 1 - NumFixedRightVis();
    const int firstRow = GetFixedRows();
    const int firstCol = FixedColsVis();
    const bool leftRight = nav->GetAdvanceDirection() == adLeftRight;
    if (Forward && leftRight) {
        const int span = ShownCellSpan(TShownCol(ACol), ARow).x;
        if (ACol + span < lastCol) {
            ACol += span + 1;
        } else if (ARow < lastRow) {
            ACol = firstCol;
            ++ARow;
        } else if (nav->GetAdvanceInsert()) {
            bool canAdd = true;
            QueryAddRow(canAdd);
            ACol = GetFixedCols();
            if (!canAdd) return true;
            // The new row goes before the footer rows.
            InsertRows(lastRow + 1, 1);
            ++ARow;
            if (OnAutoAddRow) OnAutoAddRow(this, GetRowCount() - 1 - fixedFooters_);
            for (int c = firstCol; c <= lastCol; ++c)
                if (IsEditable(TShownCol(c), TShownRow(ARow))) return true;
            return false;
        } else {
            ACol = firstCol;
            ARow = firstRow;
        }
        return true;
    }
    if (Forward) {
        if (ARow < lastRow) {
            ++ARow;
        } else if (ACol >= lastCol) {
            if (nav->GetAdvanceInsert()) {
                SetColCount(GetColCount() + 1);
                ACol += ShownCellSpan(TShownCol(ACol), ARow).x + 1;
                ARow = firstRow;
                if (OnAutoInsertCol) OnAutoInsertCol(this, GetColCount() - 1 - fixedRightCols_);
            } else {
                ACol = firstCol;
                ARow = firstRow;
            }
        } else {
            ARow = firstRow;
            if (++ACol > lastCol) ACol = firstCol;
        }
        Invalidate();
        return true;
    }
    // Backward: one step back along the direction; from a line's first cell to the end of
    // the line before, and from the very first cell to the last.
    int& minor = leftRight ? ACol : ARow;
    int& major = leftRight ? ARow : ACol;
    const int minorFirst = leftRight ? firstCol : firstRow;
    const int minorLast = leftRight ? lastCol : lastRow;
    const int majorFirst = leftRight ? firstRow : firstCol;
    const int majorLast = leftRight ? lastRow : lastCol;
    if (minor > minorFirst) {
        --minor;
    } else {
        minor = minorLast;
        major = major > majorFirst ? major - 1 : majorLast;
    }
    return true;
}

void TKavStringGrid::AdvanceEdit(int ACol, int ARow, bool Force, bool ShowAlways, bool Forward,
                                 bool Repeated) {
    if (!GetNavigation()->GetAdvanceOnEnter() && !Force) return;
    if (GetMouseActions()->GetRangeSelectAndEdit() && !GetOptions().Contains(goEditing))
        SetOptions(GetOptions() << goEditing);
    if (!Repeated) lastEditCell_ = TPoint(ACol, ARow);
    const int startCol = ACol, startRow = ARow;
    // Cells that cannot be edited are passed over, for one round of the grid at most: when
    // no cell is editable the advance ends where it started.
    const long long round = static_cast<long long>(GetColCount()) * GetRowCount() + 1;
    bool found = false;
    for (long long step = 0; step < round; ++step) {
        if (!NextAdvanceCell(ACol, ARow, Forward)) return;
        if (GetRowCount() <= ARow || GetColCount() <= ACol) return;
        if (IsEditable(TShownCol(ACol), TShownRow(ARow))) {
            found = true;
            break;
        }
        if (ACol == startCol && ARow == startRow) break;
    }
    if (!found) return;

    bool allow = true;
    int newRow = ARow, newCol = ACol;
    if (OnAutoAdvance) OnAutoAdvance(this, lastEditCell_.y, lastEditCell_.x, newRow, newCol, allow);
    if (allow && OnCellChanging)
        OnCellChanging(this, lastEditCell_.y, lastEditCell_.x, newRow, newCol, allow);
    newRow = std::clamp(newRow, 0, GetRowCount() - 1);
    newCol = std::clamp(newCol, 0, GetColCount() - 1);
    moving_ = true;
    try {
        if (allow)
            MoveColRow(newCol, newRow, true, true);
        else
            SelectCell(startCol, startRow);
    } catch (...) {
        moving_ = false;
        throw;
    }
    moving_ = false;
    if (!allow || GetCol() != newCol || GetRow() != newRow) return;

    const bool staticTarget = HasStaticEdit(RemapCol(GetCol()), GetRow());
    if (!ShowAlways && !staticTarget) return;
    if (!IsEditable(TShownCol(GetCol()), TShownRow(GetRow()))) return;
    if (!staticTarget) {
        ShowInplaceEdit();
        return;
    }
    // A check box, radio group or button reached: nothing opens over it and it is not
    // operated (the advance only moves), but the change is told once more as the edit's end,
    // from the cell left.
    if (GetNavigation()->GetAdvanceDirection() == adTopBottom) HideInplaceEdit();
    bool again = true;
    if (OnCellChanging) OnCellChanging(this, startRow, startCol, GetRow(), GetCol(), again);
    TEditorType kind = defaultEditor_;
    GetCellEditor(RemapCol(startCol), startRow, kind);
    if (!IsTextEditor(kind)) HideEditor();
}

void TKavStringGrid::DoneInplaceEdit(WORD Key, TShiftState Shift) {
    closing_ = true;
    TNavigation* nav = GetNavigation();
    const bool alwaysEdit = nav->GetAlwaysEdit();
    try {
        HideInplaceEdit();
        if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
            WORD k = Key;
            TBaseGrid::KeyDown(k, Shift);
        }
        nav->SetAlwaysEdit(false);
        if (CanFocus()) SetFocus();
        if (Key == VK_RETURN) AdvanceEdit(GetCol(), GetRow(), false, true, true);
    } catch (...) {
        nav->SetAlwaysEdit(alwaysEdit);
        closing_ = false;
        throw;
    }
    nav->SetAlwaysEdit(alwaysEdit);
    closing_ = false;
}

// --- the grid's characters ---

void TKavStringGrid::KeyPress(char& Key) {
    if (Key == 27) {
        if (GetOptions().Contains(goEditing) && editSession_->Pending()) RestoreCache();
        FireKeyPress(Key);
        return;
    }
    if (Key == '\r') {
        const int col = GetCol(), row = GetRow();
        if (!GetNavigation()->GetAdvanceOnEnter() && !IsEditable(TShownCol(col), TShownRow(row))) {
            FireKeyPress(Key);
            Key = 0;
            return;
        }
        TInplaceEdit* ed = GetInplaceEditor();
        const bool editorFocused = ed && ed->GetVisible() && ed->Focused();
        if (editorFocused || HasStaticEdit(RemapCol(col), row)) {
            AdvanceEdit(col, row, false, false, true);
            // A check box or button reached takes no editor; another cell reached is opened
            // by the Return below, as the edit goes on there.
            if ((GetCol() != col || GetRow() != row) &&
                HasStaticEdit(RemapCol(GetCol()), GetRow())) {
                FireKeyPress(Key);
                Key = 0;
                return;
            }
        }
    }
    if (!GetOptions().Contains(goEditing) && GetNavigation()->GetAutoGotoWhenSorted())
        IncrementalSearch(Key);
    TBaseGrid::KeyPress(Key);
}

// The typed characters look up the first row whose lookup cell begins with them. Control
// characters other than Backspace (which takes the last typed one away) search nothing.
void TKavStringGrid::IncrementalSearch(char Key) {
    const bool incremental = GetNavigation()->GetAutoGotoIncremental();
    AnsiString text;
    if (Key == 8 && incremental) {
        text = searchText_;
        if (!text.IsEmpty()) text.SetLength(text.Length() - 1);
    } else if (static_cast<unsigned char>(Key) < 32) {
        return;
    } else {
        text = incremental ? searchText_ + AnsiString(Key) : AnsiString(Key);
    }
    SetSearchText(text);
    if (text.IsEmpty()) return;
    const int row = Search(AnsiUpperCase(text));
    if (row >= 0)
        SetRow(row);
    else
        searchText_ = AnsiString();
}

// --- sizing while typing ---

int TKavStringGrid::MaxLinesInRow(int ARow) {
    if (!GetMultilinecells() || GetColCount() == 0) return 1;
    int most = 1;
    for (int c = 0; c < GetColCount(); ++c)
        most = std::max(most, LinesInText(GetCellEx(RealColOf(c).Value(), ARow), true));
    return most;
}

void TKavStringGrid::SizeRowWhileTyping(int ARow, const AnsiString& Text) {
    if (Text.IsEmpty()) {
        AutoSizeRow(ARow);
    } else {
        const int lines = LinesInText(Text, GetMultilinecells());
        if (lines >= MaxLinesInRow(ARow))
            SizeToLines(ARow, lines, 2 * GetXYOffset().y);
        else
            AutoSizeRow(ARow);
    }
    if (OnEndRowSize) OnEndRowSize(this, ARow);
}
