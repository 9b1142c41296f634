// TKavStringGrid: the keyboard. The grid's own rules for each key run first (editing start,
// Home and End by the navigation settings, fixed cells inside the grid, Tab by editable
// cells, select all); what they leave goes to the inherited movement by arrows and pages.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_helpers.h"
#include "plataforma/base/regional.h"

#include <algorithm>
#include <cstring>
#include <vector>

bool IsGridMoveKey(WORD Key) {
    switch (Key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

bool TKavStringGrid::SkipFixedCells(WORD Key) {
    const int col = GetCol(), row = GetRow();
    int dc = 0, dr = 0;
    if (Key == VK_LEFT) dc = -1;
    if (Key == VK_RIGHT) dc = 1;
    if (Key == VK_UP) dr = -1;
    if (Key == VK_DOWN) dr = 1;
    if (dc == 0 && dr == 0) return false;
    // The bounds of the normal cells along the direction of the move.
    const int lo = dc != 0 ? GetFixedCols() : GetFixedRows();
    const int hi = dc != 0 ? GetColCount() - fixedRightCols_ : GetRowCount() - fixedFooters_;
    int c = col + dc, r = row + dr;
    auto inside = [&](int i) { return i >= lo && i < hi; };
    if (!inside(dc != 0 ? c : r) || !IsFixed(c, r)) {
        // A neighbour in the footer rows or right fixed columns is fixed too.
        const int i = dc != 0 ? c : r;
        if (i < hi || i >= (dc != 0 ? GetColCount() : GetRowCount())) return false;
        return true;
    }
    while (inside(dc != 0 ? c : r) && IsFixed(c, r)) {
        c += dc;
        r += dr;
    }
    if (inside(dc != 0 ? c : r)) MoveColRow(c, r, true, true);
    return true;
}

void TKavStringGrid::WMKeyDown(TWMKeyDown& Message) {
    WORD key = static_cast<WORD>(Message.CharCode);
    const int oldLeft = GetLeftCol();
    keySelection_ = GetSelection();
    const int oldRow = GetRow();
    const bool isDown = key == VK_DOWN;
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift << ssShift;
    if (GetKeyState(VK_MENU) < 0) shift << ssAlt;
    if (GetKeyState(VK_CONTROL) < 0) shift << ssCtrl;
    const bool ctrl = shift.Contains(ssCtrl), shiftDown = shift.Contains(ssShift);
    const bool rowSelect = GetOptions().Contains(goRowSelect);
    TNavigation* nav = GetNavigation();
    auto fireKeyDown = [&] {
        WORD copy = key;
        if (OnKeyDown) OnKeyDown(this, copy, shift);
    };
    auto consume = [&] {
        fireKeyDown();
        Message.CharCode = 0;
        Message.Result = 1;
    };

    // Editing start.
    if (key == VK_F2 && GetMouseActions()->GetRangeSelectAndEdit() &&
        !GetOptions().Contains(goEditing)) {
        if (!IsEditable(TShownCol(GetCol()), TShownRow(GetRow()))) return consume();
        SetOptions(GetOptions() << goEditing);
    }
    if (key == VK_F2) {
        if (!IsEditable(TShownCol(GetCol()), TShownRow(GetRow()))) return consume();
        // A cell with form controls is not opened as text: F2 leaves it alone.
        const AnsiString text = GetCells(RemapCol(GetCol()), GetRow());
        if (TextType(text, enableHTML_) == ttHTML &&
            std::strstr(text.UpperCase().c_str(), "<CONTROL")) {
            Message.Result = 1;
            return;
        }
    }
    if (key == VK_RETURN && !IsEditable(TShownCol(GetCol()), TShownRow(GetRow()))) return consume();

    // Space and Return on a check box, radio group or button.
    const int realCol = RemapCol(GetCol());
    if ((key == VK_RETURN || key == VK_SPACE) && HasStaticEdit(realCol, GetRow())) {
        const int row = GetRow();
        const bool mayAct = CanActOn(realCol, row);
        TControlLook* look = GetControlLook();
        if (key == VK_SPACE && HasCheckBox(realCol, row) &&
            (mayAct || look->GetCheckAlwaysActive())) {
            ToggleCheck(realCol, row, true);
            MarkModified(row);
            bool state = false;
            GetCheckBoxState(realCol, row, state);
            if (OnCheckBoxClick) OnCheckBoxClick(this, realCol, row, state);
        }
        if (key == VK_SPACE && IsRadio(realCol, row) && (mayAct || look->GetRadioAlwaysActive())) {
            ToggleRadio(realCol, row, true);
            if (OnRadioClick) OnRadioClick(this, realCol, row, RadioIndex(realCol, row));
        }
        if (HasButton(realCol, row) && mayAct && OnButtonClick) OnButtonClick(this, realCol, row);
        RepaintCell(GetCol(), row);
    }

    // Home and End by the navigation settings.
    const bool homeEndGuard = fixedRowAlways_ && GetRowCount() == 1;
    const bool disjunctRows = GetMouseActions()->GetDisjunctRowSelect();
    auto fixSelection = [&](int farRow) {
        if (shiftDown) {
            TGridRect r;
            // Whole normal rows: the current cell goes to the selection's top-left corner, and
            // a fixed column cannot hold it.
            r.Left = GetFixedCols();
            r.Right = GetColCount() - 1;
            r.Top = std::min(oldRow, farRow);
            r.Bottom = std::max(oldRow, farRow);
            SetSelection(r);
        } else if (disjunctRows) {
            ClearRowSelect();
        }
        if (disjunctRows) SelectToRowSelect(false);
    };
    if ((key == VK_HOME || key == VK_END) && nav->GetHomeEndKey() == heFirstLastRow) {
        if (homeEndGuard) return DefaultGridMessage(Message);
        int target = GetFixedRows();
        auto lastPage = [this] {
            SetTopRow(std::max(GetFixedRows(), GetRowCount() - GetVisibleRowCount()));
        };
        if (key == VK_END) {
            target = FooterShown() && GetRowCount() > 2 ? GetRowCount() - 2
                                                        : GetRowCount() - 1 - fixedFooters_;
            if (fixedFooters_ > 0 && !FooterShown()) lastPage();
        }
        SetRow(target);
        SelectBaseCell();
        fixSelection(GetRow());
        if (key == VK_END && FooterShown()) lastPage();
        fireKeyDown();
        Message.Result = 0;
        if (rowSelect && nav->GetKeepHorizScroll()) KeepLeftCol(oldLeft);
        return;
    }
    if ((key == VK_HOME || key == VK_END) && rowSelect) {
        if (homeEndGuard) return DefaultGridMessage(Message);
        if (key == VK_HOME) {
            SetCol(FixedColsVis());
            SetLeftCol(FixedColsVis());
        } else {
            SetCol(GetColCount() - 1);
        }
        SelectBaseCell();
        if (key == VK_END)
            SetLeftCol(std::max(GetFixedCols(), GetColCount() - GetVisibleColCount()));
        Message.Result = 0;
        fireKeyDown();
        return;
    }

    // Right and Left on a node row whose current cell is merged open and close the node.
    if ((key == VK_RIGHT || key == VK_LEFT) && IsNode(GetRow()) &&
        IsMergedCell(GetRealCol(), GetRow())) {
        if (key == VK_RIGHT)
            ExpandNode(RealRowIndex(GetRow()));
        else
            ContractNode(RealRowIndex(GetRow()));
    }
    if (key == VK_TAB && GetOptions().Contains(goTabs)) {
        TabEdit(shiftDown);
        return;
    }

    if (nav->GetSkipFixedCells() && SkipFixedCells(key)) {
        fireKeyDown();
        key = 0;
        Message.CharCode = 0;
    }
    // Down on the last normal row appends a row. With footer rows the new row goes above
    // them, so that the footer keeps its texts.
    const bool footer = FooterShown();
    const bool lastNormal =
        GetRow() == GetRowCount() - 1 - fixedFooters_ || (footer && GetRow() == GetRowCount() - 2);
    if (isDown && lastNormal && nav->GetAppendOnArrowDown()) {
        bool canAdd = true;
        QueryAddRow(canAdd);
        if (canAdd) {
            if (footer) {
                // The new row goes in above the floating footer's row, which stays last with
                // its texts and each column's calculation.
                AddRow();
            } else if (fixedFooters_ > 0) {
                InsertRows(GetRowCount() - fixedFooters_, 1);
            } else {
                DoAppendRow();
            }
            if (footer || fixedFooters_ > 0) SetRow(GetRow() + 1);
            if (footer) CalcFooter(-1);
            if (OnAutoAddRow) OnAutoAddRow(this, GetRow());
        }
    }

    if (!(GetSelection() == keySelection_) && GetSelectionRectangle()) {
        InvalidateGridRect(GetSelection());
        keySelection_ = GetSelection();
    }

    DefaultGridMessage(Message);

    if ((key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) && rowSelect &&
        nav->GetKeepHorizScroll())
        KeepLeftCol(oldLeft);

    TMouseActions* ma = GetMouseActions();
    const bool disjunctCols = ma->GetDisjunctColSelect();
    const int selRow =
        disjunctRows && ma->GetRowSelectPersistent() ? RemapRowInv(GetRow()) : GetRow();

    // Clipboard keys, each after its event.
    if (nav->GetAllowClipboardShortCuts() && ClipboardShortCut(key, shift)) return;

    // Rows inserted and deleted by key.
    if (key == VK_INSERT && nav->GetAllowInsertRow() && shift.Empty()) {
        if (QueryInsertRow(GetRow())) {
            if (nav->GetInsertPosition() == pInsertAfter) {
                if (fixedRowAlways_ && GetFixedRows() == GetRowCount()) {
                    DoInsertRow(GetRow());
                    SetRow(1);
                } else {
                    DoInsertRow(GetRow() + 1);
                    if (GetRow() + 1 < GetRowCount()) SetRow(GetRow() + 1);
                }
            } else {
                DoInsertRow(GetRow());
            }
            CalcFooter(-1);
        }
    }
    if (key == VK_DELETE && nav->GetAllowDeleteRow() && !shift.Contains(ssAlt)) {
        const int normalRows = GetRowCount() - fixedFooters_ - GetFixedRows();
        if (normalRows > 1 || (normalRows == 1 && fixedRowAlways_)) {
            bool canDelete = true;
            if (OnCanDeleteRow) OnCanDeleteRow(this, GetRow(), canDelete);
            if (!canDelete) return;
            DoDeleteRow(GetRow());
            if (FooterShown() && GetRow() == GetRowCount() - 1 && GetRow() > GetFixedRows())
                SetRow(GetRow() - 1);
            InitValidate(GetCol(), GetRow());
            CalcFooter(-1);
        }
    }

    // Select all.
    if (key == 'A' && ctrl) {
        if (!rowSelect && !GetOptions().Contains(goRangeSelect)) return;
        TGridRect r;
        r.Left = FixedColsVis();
        r.Right = GetColCount() - fixedRightCols_ - 1;
        r.Top = GetFixedRows();
        r.Bottom = GetRowCount() - fixedFooters_ - 1;
        if (GetMouseActions()->GetDisjunctRowSelect())
            for (int row = r.Top; row <= r.Bottom; ++row)
                SetRowSelect(row, true);
        else
            UpdateOnSelection(r);
        SetSelection(r);
        return;
    }
    if (IsGridMoveKey(key)) {
        // The disjunct selections follow the current cell: a plain move selects its row (or
        // column) alone, Shift adds the range, Ctrl adds the row to the others.
        if (disjunctRows) {
            if (!shiftDown && !ctrl) ClearRowSelect();
            if (shiftDown)
                SelectToRowSelect(false);
            else
                SetRowSelect(selRow, true);
        }
        if (disjunctCols) {
            if (!shiftDown && !ctrl) ClearColSelect();
            if (shiftDown)
                SelectToColSelect(false);
            else
                SetColSelect(GetCol(), true);
        }
    }
    if (key == VK_SPACE) {
        if (disjunctRows) SetRowSelect(selRow, !GetRowSelect(selRow));
        if (disjunctCols) SetColSelect(GetCol(), !GetColSelect(GetCol()));
    }
    if (key == VK_F2) InitValidate(GetCol(), GetRow());
    const TGridRect sel = GetSelection();
    if (!(sel == keySelection_)) SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

void TKavStringGrid::WMChar(TWMChar& Message) {
    unsigned char ch = static_cast<unsigned char>(Message.CharCode);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (GetNavigation()->GetAllowClipboardShortCuts() && ctrl &&
        (ch == 3 || ch == 22 || ch == 24)) {
        Message.CharCode = 0;
        return;
    }
    const int realCol = RemapCol(GetCol());
    const bool staticEdit = HasStaticEdit(realCol, GetRow());
    if (GetMouseActions()->GetRangeSelectAndEdit() && !staticEdit &&
        IsEditable(TShownCol(GetCol()), TShownRow(GetRow())) && ch != 9 && ch != 27) {
        editSession_->SetStartChar(static_cast<char>(ch));
        SetOptions(GetOptions() << goEditing);
        const int col = GetCol(), row = GetRow();
        if (!(col >= GetLeftCol() && col <= GetLeftCol() + GetVisibleColCount() &&
              row >= GetTopRow() && row <= GetTopRow() + GetVisibleRowCount()))
            MoveColRow(col, row, false, true);
        // The press the editor starts from, as if the cell had been clicked.
        const TRect r = CellRect(col, row);
        ++clickGuard_;
        try {
            MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
        } catch (...) {
            --clickGuard_;
            throw;
        }
        --clickGuard_;
        return DefaultGridMessage(Message);
    }
    if (GetExcelStyleDecimalSeparator() && ch == '.' && (Message.KeyData & (1 << 22))) {
        ch = static_cast<unsigned char>(GetDecimalSeparator());
        Message.CharCode = ch;
    }
    if (staticEdit && ch != 13) {
        Message.CharCode = 0;
        return;
    }
    if (GetOptions().Contains(goEditing) && (ch == 8 || ch >= 32)) {
        char key = static_cast<char>(ch);
        if (OnKeyPress) OnKeyPress(this, key);
        if (key == 0) return;
        editSession_->SetStartChar(key);
        ShowEditorChar(key);
        if (EditorShown()) {
            editorShown_ = true;
            editSession_->SetArmed(true);
        }
        return;
    }
    DefaultGridMessage(Message);
}

void TKavStringGrid::CMDialogChar(TCMDialogChar& Message) {
    // Characters typed into the grid never trigger another control's accelerator.
    if (GetKeyState(VK_MENU) < 0) return DefaultGridMessage(Message);
    Message.CharCode = 0;
    Message.Result = 0;
}

// --- Tab ---

void TKavStringGrid::TabEdit(bool Shift) {
    // Each step moves one cell on; a step onto a cell that cannot be edited is followed by
    // another, for at most one full round of the grid (none may be editable).
    const long long limit = static_cast<long long>(GetColCount()) * GetRowCount() + 2;
    const int lastRow = GetRowCount() - fixedFooters_ - 1;
    const int firstRow = GetFixedRows();
    const int rightLimit = GetColCount() - NumFixedRightVis();
    const int lastCol = rightLimit - 1;
    for (long long step = 0; step < limit; ++step) {
        if (OnKeyDown) {
            WORD k = VK_TAB;
            TShiftState s;
            if (Shift) s << ssShift;
            OnKeyDown(this, k, s);
            if (k != VK_TAB) return;
        }
        int col = GetCol(), row = GetRow();
        bool again = false;
        if (Shift) {
            if ((GetNavigation()->GetTabAdvanceDirection() == adTopBottom)) {
                if (row > firstRow) {
                    --row;
                } else {
                    row = lastRow;
                    col = col > FixedColsVis() ? col - 1 : lastCol;
                }
            } else if (col > FixedColsVis()) {
                int found = -1;
                for (int c = col - 1; c >= FixedColsVis(); --c)
                    if (IsEditable(TShownCol(c), TShownRow(row)) && IsShownBaseCell(TShownCol(c), row)) {
                        found = c;
                        break;
                    }
                if (found >= 0) {
                    col = found;
                } else {
                    col = lastCol;
                    row = row > firstRow ? row - 1 : lastRow;
                    const TPoint b = ShownBaseCell(TShownCol(col), row);
                    col = b.x;
                    row = b.y;
                }
            } else {
                int found = GetFixedCols();
                for (int c = lastCol; c >= GetFixedCols(); --c)
                    if (IsEditable(TShownCol(c), TShownRow(row))) {
                        found = c;
                        break;
                    }
                col = found;
                row = row > firstRow ? row - 1 : lastRow;
            }
        } else {
            const TPoint span = ShownCellSpan(TShownCol(col), row);
            if ((GetNavigation()->GetTabAdvanceDirection() == adTopBottom)) {
                if (row + span.y < lastRow) {
                    row = row + span.y + 1;
                } else {
                    row = firstRow;
                    if (col < lastCol) {
                        ++col;
                    } else {
                        col = FixedColsVis();
                        if (GetParent() && GetNavigation()->GetTabToNextAtEnd() &&
                            GetParent()->HandleAllocated())
                            PostMessage(GetParent()->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
                    }
                }
            } else if (col + span.x < lastCol) {
                const int spanEnd = col + span.x;
                int i = 1;
                while (spanEnd + i < rightLimit &&
                       !IsEditable(TShownCol(spanEnd + i), TShownRow(row)) &&
                       !(i > 1 && IsShownMergedCell(TShownCol(col + i), row) && IsShownBaseCell(TShownCol(col + i), row)))
                    ++i;
                if (spanEnd + i >= rightLimit) {
                    col = GetFixedCols();
                    if (row < lastRow) {
                        ++row;
                    } else {
                        row = firstRow;
                        again = GetParent() && GetNavigation()->GetTabToNextAtEnd();
                    }
                } else {
                    col = spanEnd + i;
                    again = !IsShownBaseCell(TShownCol(col), row);
                }
            } else {
                col = FixedColsVis();
                if (row < lastRow) {
                    ++row;
                    while (col < lastCol && !IsShownBaseCell(TShownCol(col), row))
                        ++col;
                } else {
                    row = firstRow;
                    col = GetFixedCols();
                    again = GetParent() && GetNavigation()->GetTabToNextAtEnd();
                }
            }
        }
        row = std::clamp(row, 0, GetRowCount() - 1);
        col = std::clamp(col, 0, GetColCount() - 1);
        if (row != GetRow()) SetRow(row);
        if (col != GetCol()) SetCol(col);
        if (again || !IsEditable(TShownCol(GetCol()), TShownRow(GetRow()))) continue;
        break;
    }
    if (GetNavigation()->GetAlwaysEdit() && CanFocus()) SetFocus();
}
