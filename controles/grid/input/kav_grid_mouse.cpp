// TKavStringGrid: the mouse buttons. A left press asks OnCanClickCell, selects whole rows or
// columns from the fixed cells, fires OnClickCell and starts editing where the settings say;
// the release fires OnClick once; double and right clicks have their cell events; moved rows
// and columns keep the sort column and the current cell on the same data.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_helpers.h"
#include "controles/grid/markup/markup_renderer.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/services/shell.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

// Whether x lies within 4 pixels of the rectangle's left or right edge.
bool NearColumnBorder(const TRect& R, int X) {
    return std::abs(X - R.Left) <= 4 || std::abs(X - R.Right) <= 4;
}

} // namespace

bool TKavStringGrid::CanActOn(int RealCol, int ARow) {
    bool canAct = GetOptions().Contains(goEditing) || GetMouseActions()->GetRangeSelectAndEdit();
    GetCellReadOnly(RealCol, ARow, canAct);
    return canAct;
}

void TKavStringGrid::WMLButtonDown(TWMMouse& Message) {
    const int x = Message.XPos, y = Message.YPos;
    mouseDown_ = mouseDown2_ = true;
    clickedOnPress_ = false;
    // A resize whose release never came (the capture was lost) pastes nothing later.
    pasteOnRelease_ = selResize_ = false;
    TGridCoord cell = MouseCoord(x, y);
    int col = cell.X, row = cell.Y;
    bool allow = true;
    if (OnCanClickCell) OnCanClickCell(this, row, col, allow);
    if (!allow) return;
    pressCell_ = TPoint(col, row);
    if (cellSelectMode_) {
        CellSelect(col, row);
        return;
    }
    // On the selection resizer's handle: the resize starts (kav_grid_selection_resize.cpp).
    if (mouseCursorState_ == 5) {
        StartSelectionResize();
        MouseMove({}, x, y);
        return;
    }

    searchText_ = AnsiString();
    const int oldLeft = GetLeftCol(), oldTop = GetTopRow();
    pressLeftCol_ = oldLeft;
    pressPoint_ = TPoint(x, y);
    ole_.armed = false;
    // The list-view look shows the header under the pointer pressed.
    if (look_ == glListView && hoverCell_.x >= 0 && hoverCell_.y >= 0 &&
        (hoverCell_.x < GetFixedCols() || hoverCell_.y < GetFixedRows()))
        RepaintCell(hoverCell_.x, hoverCell_.y);
    const bool inFixedArea = col >= 0 && row >= 0 && (row < GetFixedRows() || col < GetFixedCols());

    if (col < 0 || row < 0) {
        HideInplaceEdit();
        if (!fixedRowAlways_) PressDefault(Message);
        return;
    }
    const TPoint base = ShownBaseCell(TShownCol(col), row);
    col = base.x;
    row = base.y;
    const TRect R = CellRect(col, row);
    // An editor opened by this press puts its caret under the pointer; the request does not
    // outlive the press, so that a later F2 or typing still finds the caret at the end.
    struct CaretRequest {
        TKavStringGrid* g;
        ~CaretRequest() { g->SetCaretByClick(false); }
    } caretRequest{this};
    if (GetMouseActions()->GetCaretPositioning()) SetCaretByClick(true);

    if (inFixedArea || IsFixed(col, row)) HideInplaceEdit();
    const bool innerFixed = !inFixedArea && IsFixed(col, row);
    // A fixed cell as a button: drawn pressed in until the release (not on a border that
    // sizes).
    const TGridOptions options = GetOptions();
    if ((inFixedArea || innerFixed) && fixedAsButtons_ && options.Contains(goFixedVertLine) &&
        options.Contains(goFixedHorzLine) && !GetFlat() && fixedSizeHover_ < 0 &&
        !(options.Contains(goColSizing) && row < GetFixedRows() && NearColumnBorder(R, x))) {
        fixedButtonCell_ = TPoint(col, row);
        fixedButtonDown_ = true;
        DrawFixedButton(true);
    }
    const int realCol = RemapCol(col);

    TMouseActions* ma = GetMouseActions();
    // Node glyphs in column 0: a header node with NodeAllExpandContract acts on every node;
    // a node row's glyph opens or closes it, as the Before events allow.
    if (col == 0 && IsNode(row) && InNodeRect(row, x - R.Left)) {
        if (row < GetFixedRows()) {
            if (ma->GetNodeAllExpandContract()) {
                TCellGraphic* g = GetCellGraphic(0, row);
                if (g->CellBoolean)
                    ExpandAll();
                else
                    ContractAll();
                g->CellBoolean = g->CellBoolean ? 0 : 1;
                RepaintCell(0, row);
            }
        } else {
            const int real = RealRowIndex(row);
            const bool contracted = GetNodeState(row);
            bool allowNode = true;
            if (contracted && OnBeforeExpandNode) OnBeforeExpandNode(this, row, real, allowNode);
            if (!contracted && OnBeforeContractNode)
                OnBeforeContractNode(this, row, real, allowNode);
            if (allowNode) {
                if (contracted) {
                    ExpandNode(real);
                    if (OnExpandNode) OnExpandNode(this, row, real);
                } else {
                    ContractNode(real);
                    if (OnContractNode) OnContractNode(this, row, real);
                }
            }
            if (ma->GetMoveRowOnNodeClick()) SetRowEx(DisplRowIndex(real));
            return;
        }
    }
    // Column 0 of a grouped grid holds the node glyphs only, unless rows are selected from
    // it.
    if (col == 0 && row >= GetFixedRows() && GetGroupColumn() >= 0 && !ma->GetRowSelect()) return;
    // A radio group takes the click on its items.
    if (IsRadio(realCol, row) && (IsEditable(TRealCol(realCol), TShownRow(row)) ||
                                  GetControlLook()->GetRadioAlwaysActive())) {
        HideInplaceEdit();
        HandleRadioClick(realCol, row, x - R.Left, y - R.Top);
        return;
    }
    // A press on the selection of a drag source arms a drag; the selection stays.
    if (OleArmDrag(col, row, R, x)) return;
    // A cell button shows pressed until the release, which fires OnButtonClick.
    if (HasButton(realCol, row)) {
        HideInplaceEdit();
        SelectCell(col, row);
        if (PtInRect(ButtonRect(TShownCol(col), TShownRow(row)), TPoint(x, y))) {
            PushButton(col, row, true);
            pressedButton_ = TPoint(col, row);
            SetMouseCapture(true);
            if (OnClickCell) OnClickCell(this, row, col);
            return;
        }
    }
    if (col >= GetColCount() || row >= GetRowCount()) {
        PressDefault(Message);
        return;
    }
    // Disjunct selections: Ctrl on a selected row (column) takes it away on the release;
    // without Ctrl the others go (with Alt they stay).
    const bool ctrl = Message.Keys & MK_CONTROL;
    deselectOnRelease_ = false;
    if (ma->GetDisjunctRowSelect() && row >= GetFixedRows() &&
        !(col == 0 && ma->GetHotmailRowSelect())) {
        const int selRow = RowSelectIndex(TShownRow(row));
        if (ctrl)
            deselectOnRelease_ = GetRowSelect(selRow);
        else if (GetKeyState(VK_MENU) >= 0)
            ClearRowSelect();
    }
    if (ma->GetDisjunctColSelect() && col >= GetFixedCols()) {
        if (ctrl)
            deselectOnRelease_ = GetColSelect(col);
        else
            ClearColSelect();
    }

    // Links: a URL cell, or an anchor of a markup cell under the pointer.
    const AnsiString text = GetCellEx(realCol, row);
    const bool html = TextType(text, enableHTML_) == ttHTML;
    AnsiString anchor, ctrlId, ctrlType, ctrlVal;
    TRect ctrlRect;
    int ctrlOccurrence = 0;
    if (GetURLShow() && !html && IsURL(text)) {
        anchor = text;
    } else if (html) {
        anchor = MarkupHit(col, row, x, y, ctrlId, ctrlType, ctrlVal, ctrlRect, &ctrlOccurrence);
    }
    // A form control of the cell: clicked, and entered when it takes typing. Such a click
    // is no anchor click.
    if (!ctrlId.IsEmpty()) {
        bool canEdit = true;
        if (OnCanEditCell) OnCanEditCell(this, realCol, row, canEdit);
        if (!canEdit) return;
        AnsiString cellText = text;
        if (controlActive_) {
            ControlExit(this);
            cellText = GetCellEx(realCol, row);
        }
        if (ctrlType == "BUTTON") {
            controlCell_ = TPoint(realCol, row);
            formButtonDown_ = true;
            RepaintCell(col, row);
        } else if (ctrlType == "CHECK") {
            SetControlValue(cellText, ctrlId, ctrlVal.UpperCase() == "TRUE" ? "FALSE" : "TRUE",
                            ctrlOccurrence);
            SetCellEx(realCol, row, cellText);
        }
        if (OnControlClick) OnControlClick(this, row, col, ctrlId, ctrlType, ctrlVal);
        ControlEnter(cellText, ctrlType, ctrlId, ctrlVal, ctrlRect, col, realCol, row,
                     ctrlOccurrence);
        return;
    }
    if (!anchor.IsEmpty()) {
        bool autoHandle = true;
        if (OnAnchorClick) OnAnchorClick(this, row, col, anchor, autoHandle);
        if (autoHandle) {
            const AnsiString upper = anchor.UpperCase();
            if (const int at = upper.Pos("CELL://"); at > 0) {
                TPoint target;
                if (NameToCell(anchor.SubString(at + 7, anchor.Length()), target) &&
                    target.x >= 0 && target.x < GetColCount() && target.y >= 0 &&
                    target.y < GetRowCount()) {
                    SetRow(target.y);
                    SetCol(target.x);
                }
            } else {
                ShellExecute(Application->GetHandle(), "open", anchor.c_str(), nullptr, nullptr,
                             SW_SHOWNORMAL);
            }
        }
        return;
    }
    if (html && std::strstr(text.UpperCase().c_str(), "<CONTROL")) {
        MoveColRow(col, row, true, true);
        return;
    }

    // Whole rows, whole columns or everything from the fixed cells.
    if (GetOptions().Contains(goRangeSelect)) {
        const TGridRect oldSel = GetSelection();
        bool selected = false;
        TGridRect r;
        if (row < GetFixedRows() && col < GetFixedCols() && ma->GetAllSelect() &&
            mouseCursorState_ == 3) {
            if (CanFocus()) SetFocus();
            ExportNotification(esExportStart, -1);
            ExportNotification(esExportNewRow, GetRowCount() - 1);
            ExportNotification(esExportFail, -1);
            HideSelection();
            r = {GetFixedCols(), GetFixedRows(), GetColCount() - 1, GetRowCount() - 1};
            selected = true;
        } else if (col < GetFixedCols() && row >= GetFixedRows() && ma->GetRowSelect() &&
                   mouseCursorState_ == 2) {
            const int from = (Message.Keys & MK_SHIFT) ? oldSel.Top : row;
            HideSelection();
            r = {GetFixedCols(), std::min(from, row), GetColCount() - 1, std::max(from, row)};
            selectAnchor_ = row;
            selected = true;
        } else if (row < GetFixedRows() && col >= GetFixedCols() && ma->GetColSelect() &&
                   mouseCursorState_ == 1) {
            if (CanFocus()) SetFocus();
            HideSelection();
            r = {col, GetFixedRows(), col, GetRowCount() - 1};
            selectAnchor_ = col;
            selected = true;
        }
        if (selected) {
            UpdateSelectionRect(r);
            SetSelection(r);
            DoExit();
            ClearSelectionHidden();
            if (GetActiveCellShow()) UpdateActiveCells(oldSel.Left, oldSel.Top, col, row);
        }
    }

    const bool canAct = CanActOn(realCol, row);
    // A check box toggles on the press.
    if ((canAct || GetControlLook()->GetCheckAlwaysActive()) && HasCheckBox(realCol, row) &&
        IsInCheckBox(TRealCol(realCol), TShownRow(row), x, y)) {
        HideInplaceEdit();
        if (CanFocus()) SetFocus();
        ToggleCheck(realCol, row, true);
        MarkModified(row);
        // A row taken out of the selection shows no cell selected, not even the current one.
        bool rowTakenOut = false;
        const auto hideTakenOutRow = [&] {
            HideSelection();
            ClearSelectionHidden();
        };
        if (col == 0 && ma->GetHotmailRowSelect() && row >= GetFixedRows()) {
            SetSelection({GetFixedCols(), row, GetColCount() - 1, row});
            const int flag = RowSelectIndex(TShownRow(row));
            SetRowSelect(flag, !GetRowSelect(flag));
            rowTakenOut = row == GetRow() && !GetRowSelect(flag);
            if (rowTakenOut) hideTakenOutRow();
        }
        bool state = false;
        GetCheckBoxState(realCol, row, state);
        if (!GetNavigation()->GetAlwaysEdit()) {
            MoveColRow(col, row, true, true);
            // The move shows the current cell again; the release would select its row anew.
            if (rowTakenOut) hideTakenOutRow();
        }
        if (OnCheckBoxClick) OnCheckBoxClick(this, col, row, state);
        if (GetHideFocusRect()) RepaintCell(col, row);
        if (row < GetFixedRows() && ma->GetCheckAllCheck()) {
            if (state)
                CheckAll(realCol);
            else
                UnCheckAll(realCol);
        }
        if (OnMouseDown) OnMouseDown(this, mbLeft, KeyboardStateToShiftState(), x, y);
        // The click fires here; the release does not fire another.
        Click();
        clickedOnPress_ = true;
        return;
    }
    if (ma->GetDirectEdit() && !inFixedArea && canAct) {
        HideEditor();
        if (CanFocus()) SetFocus();
    }
    const TGridRect sel = GetSelection();
    const bool clickedCurrent = PtInRect(R, TPoint(x, y)) && sel.Left == col && sel.Top == row &&
                                sel.Right == col + ShownCellSpan(TShownCol(col), row).x &&
                                sel.Bottom == row + ShownCellSpan(TShownCol(col), row).y;
    if (innerFixed) {
        if (!(FooterIsLastRow() && row == GetRowCount() - 1) && OnClickCell)
            OnClickCell(this, row, col);
        return;
    }
    const bool atEdge =
        row == GetTopRow() + GetVisibleRowCount() || col == GetLeftCol() + GetVisibleColCount();
    if (!GetSelectionHidden()) {
        TNavigation* nav = GetNavigation();
        const bool alwaysEdit = nav->GetAlwaysEdit();
        nav->SetAlwaysEdit(false);
        PressDefault(Message);
        nav->SetAlwaysEdit(alwaysEdit);
    }
    if (GetGridState() == gsSelecting && atEdge && ma->GetNoAutoRangeScroll())
        SetGridState(gsNormal);
    if (GetTopRow() != oldTop && ma->GetNoScrollOnPartialRow()) SetTopRow(oldTop);
    if (GetOptions().Contains(goRowSelect) && GetNavigation()->GetKeepHorizScroll())
        KeepLeftCol(oldLeft);

    if (!(GetOptions().Contains(goColSizing) && NearColumnBorder(R, x)) && OnClickCell)
        OnClickCell(this, row, col);
    if (OnCellValidate) {
        editSession_->Requested = false;
        InitValidate(GetCol(), GetRow());
    }
    if (IsShownMergedCell(TShownCol(col), row) && !IsFixed(col, row)) {
        bool canSelect = true;
        if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
        if (!GetOptions().Contains(goRowSelect) && canSelect) {
            const TPoint span = ShownCellSpan(TShownCol(col), row);
            SetSelection({col, row, col + span.x, row + span.y});
        }
        if (clickedCurrent && canAct) ShowInplaceEdit();
    }
    if (x >= R.Left + 4 && x <= R.Right - 4 && !inFixedArea && canAct && ma->GetDirectEdit() &&
        !HasStaticEdit(realCol, row)) {
        MoveColRow(col, row, true, true);
        InitValidate(col, row);
        ShowEditor();
    }
}

void TKavStringGrid::PressDefault(TWMMouse& Message) {
    // The inherited press fires no click of its own: the release does.
    ++clickGuard_;
    try {
        DefaultGridMessage(Message);
    } catch (...) {
        --clickGuard_;
        throw;
    }
    --clickGuard_;
}

void TKavStringGrid::WMLButtonUp(TWMMouse& Message) {
    const int x = Message.XPos, y = Message.YPos;
    // A release after a single press clicks; the release that ends a double click does not.
    const bool pressed = mouseDown_ && !clickedOnPress_;
    clickedOnPress_ = false;
    colMoved_ = rowMoved_ = false;
    mouseCursorState_ = 0;
    mouseDown2_ = false;
    if (formButtonDown_) {
        formButtonDown_ = false;
        if (controlCell_.y >= 0 && controlCell_.y < GetRowCount())
            RepaintCell(RemapColInv(controlCell_.x), controlCell_.y);
    }
    mouseDown_ = false;
    selectAnchor_ = -1;
    if (!GetComponentState().Contains(csDesigning)) HideMoveIndicator();
    if (fixedButtonDown_) {
        fixedButtonDown_ = false;
        DrawFixedButton(false);
    }
    // The end of a selection resize: the copied block is pasted; no click, sort or drop.
    if (pasteOnRelease_) {
        PressDefault(Message);
        EndSelectionResize();
        return;
    }
    const TGridCoord cell = MouseCoord(x, y);

    // A held cell button comes up; it fires when released over a cell (read-only grids only
    // with NoDisabledButtonLook). Over no cell it is released all the same.
    if (pressedButton_.x >= 0) {
        const TPoint b = pressedButton_;
        pressedButton_ = TPoint(-1, -1);
        if (cell.X >= 0 && cell.Y >= 0) {
            bool mayAct = GetOptions().Contains(goEditing);
            GetCellReadOnly(RemapCol(cell.X), cell.Y, mayAct);
            if (mayAct || GetControlLook()->GetNoDisabledButtonLook()) {
                PushButton(b.x, b.y, false);
                if (OnButtonClick) OnButtonClick(this, b.x, b.y);
            } else {
                PushButton(b.x, b.y, false);
            }
        } else {
            PushButton(b.x, b.y, false);
        }
        SetMouseCapture(false);
    }
    if (cell.X >= 0 && cell.Y >= 0 && HasButton(RemapCol(cell.X), cell.Y) &&
        PtInRect(ButtonRect(TShownCol(cell.X), TShownRow(cell.Y)), TPoint(x, y)))
        return;

    // A release on a column's sizing border in the header is no click.
    TGridState state = gsNormal;
    int index = 0, pos = 0, ofs = 0;
    TGridDrawInfo info;
    CalcSizingState(x, y, state, index, pos, ofs, info);
    const bool onSizer = cell.X >= 0 && cell.Y >= 0 && cell.Y < GetFixedRows() &&
                         GetOptions().Contains(goColSizing) && state == gsColSizing;
    const bool wasSizing = GetGridState() == gsColSizing || GetGridState() == gsRowSizing;
    if (pressed && !onSizer && !wasSizing) Click();
    if (OleArmedRelease(cell.X, cell.Y, Message.Keys & MK_CONTROL)) return;

    TMouseActions* ma = GetMouseActions();
    const int pressRow = pressCell_.y;
    if (ma->GetDisjunctRowSelect() && !(pressCell_.x == 0 && IsNode(pressRow))) {
        SelectToRowSelect(false);
        if (deselectOnRelease_ && cell.Y >= GetFixedRows() &&
            cell.Y < GetRowCount() - fixedFooters_)
            SetRowSelect(RowSelectIndex(TShownRow(cell.Y)), false);
    }
    if (ma->GetDisjunctColSelect()) {
        SelectToColSelect(false);
        if (deselectOnRelease_ && cell.X >= GetFixedCols() &&
            cell.X < GetColCount() - fixedRightCols_)
            SetColSelect(cell.X, false);
    }
    deselectOnRelease_ = false;
    // A row or column dragged with EnhRowColMove lands on the one under the pointer (not on
    // a fixed one); the release that ends it sorts nothing.
    const bool moveEnded = EnhancedMoving();
    if (moveEnded) {
        const bool cols = GetGridState() == gsColMoving;
        const int from = GetMoveIndex(), to = cols ? cell.X : cell.Y;
        EndEnhancedMove();
        if (from >= 0 && MoveTargetAllowed(cols, to) && to != from) {
            if (cols)
                MoveColumn(from, to);
            else
                MoveRow(from, to);
        }
    }
    PressDefault(Message);

    if (colMoved_ || rowMoved_ || moveEnded || cell.X < 0 || cell.Y < 0) return;
    TSortSettings* ss = GetSortSettings();
    if (cell.X < GetFixedCols() && !ss->GetFixedCols()) return;
    const int realCol = RemapCol(cell.X);
    if (HasCheckBox(realCol, cell.Y) && OnCheckBoxMouseUp) {
        bool state = false;
        GetCheckBoxState(realCol, cell.Y, state);
        OnCheckBoxMouseUp(this, realCol, cell.Y, state);
    }
    if (IsRadio(realCol, cell.Y) && OnRadioMouseUp)
        OnRadioMouseUp(this, realCol, cell.Y, RadioIndex(realCol, cell.Y));
    HeaderSort(cell.X, cell.Y, x, Message.Keys & MK_SHIFT);
}

void TKavStringGrid::HeaderSort(int ACol, int ARow, int X, bool Shift) {
    if (sortSuppress_) {
        sortSuppress_ = false;
        return;
    }
    TSortSettings* ss = GetSortSettings();
    const int realCol = RemapCol(ACol);
    const TRect R = CellRect(ACol, ARow);
    // Not on a column border of the header, nor on a filter button.
    if (ARow == 0 && GetOptions().Contains(goColSizing) && NearColumnBorder(R, X)) return;
    const TGridCoord press = MouseCoord(pressPoint_.x, pressPoint_.y);
    if (X > R.Right - 16 && GetFilter(realCol)) return;
    bool doSort = true;
    bool sorted = false;
    if (ARow == ss->GetRow() && press.Y == ss->GetRow() && GetFixedRows() > 0 && ss->GetShow() &&
        GetRowCount() > 2) {
        if (OnCanSort) OnCanSort(this, realCol, doSort);
        if (doSort) {
            const auto start = std::chrono::steady_clock::now();
            HideInplaceEdit();
            if (static_cast<int>(GetSortXRef().size()) != GetRowCount()) InitSortXRef();
            const bool remerge = ss->GetAutoColumnMerge();
            if (remerge) UndoColumnMerge();
            const int oldLeft = GetLeftCol();
            const bool keepLeft =
                GetOptions().Contains(goRowSelect) && GetNavigation()->GetKeepHorizScroll();
            if (keepLeft) BeginUpdate();
            // A grouped grid sorts within its groups.
            const bool grouped = GetGroupColumn() >= 0;
            if (ss->GetIndexShow()) {
                TSortIndexList* idx = GetSortIndexes();
                const bool ascending = ss->GetInitSortDirection() == sdAscending;
                const bool onlyThis = idx->GetCount() == 1 && idx->FindIndex(realCol) == 0;
                if (!Shift) {
                    if (onlyThis) {
                        idx->ToggleIndex(realCol);
                    } else {
                        idx->Clear();
                        idx->AddIndex(realCol, ascending);
                    }
                } else if (idx->FindIndex(realCol) < 0) {
                    idx->AddIndex(realCol, ascending);
                } else {
                    idx->ToggleIndex(realCol);
                }
                if (grouped)
                    QSortGroupIndexed();
                else
                    QSortIndexed();
            } else if (ss->GetColumn() != realCol) {
                ss->SetColumn(realCol);
                ss->SetDirection(ss->GetInitSortDirection());
                if (grouped)
                    QSortGroup();
                else
                    QSort();
            } else if (ss->GetDirection() != ss->GetInitSortDirection() && ss->GetUndoSort()) {
                // Both directions were shown: the third click gives the order back.
                QUnSort();
                ss->SetColumn(-1);
            } else {
                ss->SetDirection(ss->GetDirection() == sdAscending ? sdDescending : sdAscending);
                if (grouped)
                    QSortGroup();
                else
                    QSort();
            }
            if (keepLeft) {
                SetLeftCol(oldLeft);
                EndUpdate();
            }
            sorted = true;
            lastSortTime_ = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                 std::chrono::steady_clock::now() - start)
                                                 .count());
            if (remerge) ApplyColumnMerge();
            if (OnClickSort) OnClickSort(this, ss->GetColumn());
        }
    }
    if (!sorted && !doSort) RepaintCell(ACol, ss->GetRow());
}

void TKavStringGrid::WMLButtonDblClk(TWMMouse& Message) {
    const int x = Message.XPos, y = Message.YPos;
    TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0) {
        if (fixedRowAlways_) return;
        cell = {GetColCount() - 1, 0};
    }
    // A double click on a header border sizes the column; the release that follows sorts
    // nothing.
    if (cell.Y >= 0 && cell.Y < GetFixedRows() && GetOptions().Contains(goColSizing) &&
        GetMouseActions()->GetAutoSizeColOnDblClick()) {
        const TRect R = CellRect(cell.X, cell.Y);
        int sized = -1;
        if (std::abs(x - R.Left) <= 4) {
            sortSuppress_ = true;
            sized = cell.X - 1 >= GetFixedCols() ? cell.X - 1 : -2;
        } else if (std::abs(x - R.Right) <= 4 && cell.X >= GetFixedCols()) {
            sortSuppress_ = true;
            sized = cell.X;
        }
        if (sized >= 0) {
            bool allow = true;
            if (OnColumnSize) OnColumnSize(this, sized, allow);
            if (allow) {
                AutoSizeCol(sized);
                if (OnEndColumnSize) OnEndColumnSize(this, sized);
            }
        }
        if (sized != -1) return;
    }
    DefaultGridMessage(Message);
    if (OnDblClickCell && cell.Y >= 0) OnDblClickCell(this, cell.Y, cell.X);
    if (GetMouseActions()->GetRangeSelectAndEdit() && cell.Y >= 0 &&
        IsEditable(TShownCol(cell.X), TShownRow(cell.Y))) {
        SetOptions(GetOptions() << goEditing);
        const TPoint b = ShownBaseCell(TShownCol(cell.X), cell.Y);
        const TRect R = CellRect(b.x, b.y);
        MouseDown(mbLeft, {}, R.Left + 4, R.Top + 4);
    }
    FixedEditByDblClick(cell.X, cell.Y);
}

void TKavStringGrid::WMRButtonDown(TWMMouse& Message) {
    DefaultGridMessage(Message);
    const TGridCoord cell = MouseCoord(Message.XPos, Message.YPos);
    if (cell.X < 0 || cell.Y < 0) return;
    if (GetMouseActions()->GetSelectOnRightClick() && !IsFixed(cell.X, cell.Y) &&
        !IsSelected(cell.X, cell.Y)) {
        const TPoint b = ShownBaseCell(TShownCol(cell.X), cell.Y);
        MoveColRow(b.x, b.y, true, true);
    }
    if (GetMouseActions()->GetSelectOnRightClick() && !IsFixed(cell.X, cell.Y) &&
        GetMouseActions()->GetDisjunctRowSelect()) {
        // Ctrl flips the row; a right click on one of several selected rows keeps them for
        // the grid's popup menu; otherwise the row is selected alone.
        const int flag = RowSelectIndex(TShownRow(cell.Y));
        if (Message.Keys & MK_CONTROL)
            SetRowSelect(flag, !GetRowSelect(flag));
        else if (!(GetRowSelectCount() > 1 && GetPopupMenu() && GetRowSelect(flag))) {
            ClearRowSelect();
            SetRowSelect(flag, true);
        }
    }
    if (OnRightClickCell) OnRightClickCell(this, cell.Y, cell.X);
    // A right click edits a link that a left click would open.
    if (GetURLShow() && urlEdit_ && IsURL(GetCellEx(RemapCol(cell.X), cell.Y))) {
        MoveColRow(cell.X, cell.Y, true, true);
        ShowEditor();
    }
}

void TKavStringGrid::DrawFixedButton(bool Pressed) {
    // Pressed: sunken inner edges; released, the cell is painted again in its own look.
    const TPoint c = fixedButtonCell_;
    if (c.x < 0 || c.y < 0 || c.x >= GetColCount() || c.y >= GetRowCount()) return;
    if (!Pressed) return RepaintCell(c.x, c.y);
    TRect r = CellRect(c.x, c.y);
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    const HDC dc = GetCanvas()->GetHandle();
    DrawEdge(dc, &r, BDR_SUNKENINNER, BF_BOTTOMRIGHT);
    DrawEdge(dc, &r, BDR_SUNKENINNER, BF_TOPLEFT);
}

void TKavStringGrid::WMRButtonUp(TWMMouse& Message) {
    // Swallowed while a row or column is being moved.
    if (EnhancedMoving()) {
        Message.Result = 0;
        return;
    }
    DefaultGridMessage(Message);
}

void TKavStringGrid::RowMoved(int FromIndex, int ToIndex) {
    // Nothing lands on the row of a footer that takes the last row.
    if (FooterIsLastRow() && ToIndex == GetRowCount() - 1) return;
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    if (HasRowPlaceState()) {
        const TGridRemap shown = TGridRemap::Move(GetRowCount(), FromIndex, ToIndex);
        RowsRestructured(shown, RealOfShownPermutation(shown));
    }
    Remerge(blocks);
    if (enhRowColMove_) rowMoved_ = true;
}

void TKavStringGrid::HandleRadioClick(int ACol, int ARow, int X, int Y) {
    TCanvas* canvas = GetCanvas();
    GetCellColor(ACol, ARow, {}, canvas->GetBrush(), canvas->GetFont());
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.x, b.y);
    TStrings* items = GetRadioStrings(b.x, b.y);
    if (!g || !items) return;
    const int displayCol = RemapColInv(b.x);
    if (!IsFixed(displayCol, b.y)) {
        SetCol(displayCol);
        SetRow(b.y);
    }
    const TGridControlStyle style = GetControlLook()->GetControlStyle();
    const int spacing =
        style == csClassic || style == csFlat ? GetControlLook()->GetRadioSize() : 16;
    int hit = -1;
    if (g->CellBoolean) {
        int right = 0;
        for (int i = 0; i < items->GetCount() && hit < 0; ++i) {
            const int prev = right;
            right += canvas->TextWidth(items->GetStrings(i)) + spacing;
            if (X > prev && X < right) hit = i;
        }
    } else {
        const int h = std::max(spacing, canvas->TextHeight("gh"));
        int bottom = 0;
        for (int i = 0; i < items->GetCount() && hit < 0; ++i) {
            const int prev = bottom;
            bottom += h;
            if (Y > prev && Y < bottom) hit = i;
        }
    }
    if (hit < 0) return;
    if (g->CellIndex == -1)
        SetCellEx(b.x, b.y, items->GetStrings(hit));
    else
        g->CellIndex = hit;
    SetCellEx(b.x, b.y, GetCellEx(b.x, b.y));
    if (OnRadioClick) OnRadioClick(this, displayCol, b.y, hit);
}

AnsiString TKavStringGrid::AnchorAt(int ACol, int ARow, int X, int Y) {
    AnsiString id, type, value;
    TRect r;
    return MarkupHit(ACol, ARow, X, Y, id, type, value, r);
}

AnsiString TKavStringGrid::MarkupHit(int ACol, int ARow, int X, int Y, AnsiString& CtrlID,
                                     AnsiString& CtrlType, AnsiString& CtrlVal, TRect& CtrlRect,
                                     int* CtrlOccurrence) {
    const int realCol = RemapCol(ACol);
    const AnsiString text = GetCellEx(realCol, ARow);
    if (TextType(text, enableHTML_) != ttHTML) return AnsiString();
    TRect hr = CellRect(ACol, ARow);
    hr.Left += 1 + xyOffset_.x;
    hr.Top += 1 + xyOffset_.y;
    if (HasCheckBox(realCol, ARow)) hr.Left += GetControlLook()->GetCheckSize();
    AnsiString href, plain, focus, title;
    int ex = 0, ey = 0, count = 0, mouseAnchor = 0;
    TRect ar;
    TCanvas* canvas = GetCanvas();
    GetCellColor(realCol, ARow, {}, canvas->GetBrush(), canvas->GetFont());
    if (HTMLDrawEx(canvas, text, hr, gridImages_, X, Y, -1, 0, 1, true, false, false, false, true,
                   false, GetWordWraps(realCol, ARow), false, 0.0, urlColor_, clNone, clNone,
                   clGray, href, plain, focus, title, ex, ey, count, mouseAnchor, ar, CtrlRect,
                   CtrlID, CtrlVal, CtrlType, nullptr, GetPictureContainer(), GetHandle(),
                   CtrlOccurrence))
        return href;
    CtrlID = CtrlType = CtrlVal = AnsiString();
    return AnsiString();
}
