// TKavStringGrid: the mouse moving over the grid. Hot tracking of fixed cells, whole rows or
// columns selected by dragging from the fixed cells, sizing of fixed columns and rows by
// their borders, the link cursor, the sizing hint, the disjunct cell list by clicks, and
// the hint of the cell under the mouse.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/html_hint_window.h"
#include "controles/grid/paint/grid_cursors.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/widgets/hint_window.h"

#include <algorithm>

namespace {

constexpr int FixedSizeZone = 3;

// A cell the list-view look draws as a header: fixed, or in the fixed rows or columns.
bool HeaderLook(TKavStringGrid& Grid, int ACol, int ARow) {
    return Grid.IsFixed(ACol, ARow) || ACol < Grid.GetFixedCols() || ARow < Grid.GetFixedRows();
}

} // namespace

int TKavStringGrid::FixedBorderAt(int Pos, bool Cols) const {
    // Borders counted from the leading edge: each size plus one pixel of grid line.
    const int fixed = Cols ? GetFixedCols() : GetFixedRows();
    int edge = 0;
    for (int i = 0; i < fixed; ++i) {
        edge += (Cols ? GetColWidths(i) : GetRowHeights(i)) + 1;
        if (std::abs(Pos - edge) < FixedSizeZone) return i;
    }
    return -1;
}

void TKavStringGrid::MouseMove(TShiftState Shift, int X, int Y) {
    const TGridCoord cell = MouseCoord(X, Y);
    const bool designing = GetComponentState().Contains(csDesigning);
    TMouseActions* ma = GetMouseActions();

    // A fixed column or row being sized by its border: the line follows the pointer.
    if (fixedSizing_ >= 0) {
        if (fixedSizingCols_) {
            DrawSizingLine(fixedSizingPos_);
            fixedSizingPos_ = std::max(X, FixedEdge(fixedSizing_, true) + 1);
            DrawSizingLine(fixedSizingPos_);
        } else {
            DrawSizingLineR(fixedSizingPos_);
            fixedSizingPos_ = std::max(Y, FixedEdge(fixedSizing_, false) + 1);
            DrawSizingLineR(fixedSizingPos_);
        }
        ShowSizingHint(fixedSizingCols_, fixedSizing_,
                       fixedSizingPos_ - FixedEdge(fixedSizing_, fixedSizingCols_));
        TCustomControl::MouseMove(Shift, X, Y);
        return;
    }
    TrackBalloonCell(cell);
    if (!(cell == hintCell_)) {
        CancelHint();
        hintCell_ = cell;
    }
    const uint8_t stateBefore = mouseCursorState_;
    const bool resizeBefore = selResize_;
    if (pasteOnRelease_ && GetMouseDown()) SelectionResizeMove(X, Y);

    // RangeSelectAndEdit: dragging from the pressed cell onto another selects a range
    // instead of editing; editing comes back with the next edit start (F2, a double click,
    // an advance).
    if (ma->GetRangeSelectAndEdit() && GetOptions().Contains(goEditing) && GetMouseDown() &&
        GetGridState() == gsNormal && pressCell_.x >= GetFixedCols() &&
        pressCell_.y >= GetFixedRows() && cell.X >= GetFixedCols() && cell.Y >= GetFixedRows() &&
        !(ShownBaseCell(TShownCol(cell.X), cell.Y) ==
          ShownBaseCell(TShownCol(pressCell_.x), pressCell_.y))) {
        HideInplaceEdit();
        SetOptions(GetOptions() >> goEditing);
        SetGridState(gsSelecting);
        SetMouseCapture(true);
    }

    if (GetSelectionRectangle() && MouseSelecting() && !(GetSelection() == lastDrawnSel_)) {
        InvalidateGridRect(lastDrawnSel_);
        lastDrawnSel_ = GetSelection();
        Invalidate();
    }

    // Hot tracking of the fixed cells.
    if (look_ == glListView && (cell.X != hoverCell_.x || cell.Y != hoverCell_.y)) {
        if (hoverCell_.x >= 0 && hoverCell_.y >= 0 && HeaderLook(*this, hoverCell_.x, hoverCell_.y))
            RepaintCell(hoverCell_.x, hoverCell_.y);
        if (cell.X >= 0 && cell.Y >= 0 && HeaderLook(*this, cell.X, cell.Y)) RepaintCell(cell.X, cell.Y);
    }
    hoverCell_ = TPoint(cell.X, cell.Y);

    // Whole columns or rows dragged out from the fixed cells.
    if (GetMouseDown() && selectAnchor_ >= 0 && cell.X >= 0 && cell.Y >= 0) {
        TGridRect r = GetSelection();
        bool changed = false;
        if (mouseCursorState_ == 1 && cell.X >= GetFixedCols()) {
            r = {std::min(selectAnchor_, cell.X), GetFixedRows(), std::max(selectAnchor_, cell.X),
                 GetRowCount() - 1};
            changed = true;
            if (cell.X >= GetLeftCol() + GetVisibleColCount() &&
                GetLeftCol() + GetVisibleColCount() < GetColCount())
                SetLeftCol(GetLeftCol() + 1);
        } else if (mouseCursorState_ == 2 && cell.Y >= GetFixedRows()) {
            r = {GetFixedCols(), std::min(selectAnchor_, cell.Y), GetColCount() - 1,
                 std::max(selectAnchor_, cell.Y)};
            changed = true;
            if (cell.Y >= GetTopRow() + GetVisibleRowCount() &&
                GetTopRow() + GetVisibleRowCount() < GetRowCount())
                SetTopRow(GetTopRow() + 1);
        }
        if (changed && !(r == GetSelection())) {
            UpdateSelectionRect(r);
            SetSelection(r);
            if (GetSelectionRectangle()) Invalidate();
        }
    }

    // A press on the selection of a drag source starts a drag when the pointer moves on.
    OleDragOnMove(X, Y, cell);

    // The border of a fixed column or row, and the selection modes from the fixed cells.
    fixedSizeHover_ = -1;
    if (!designing && !GetMouseDown() && cell.X >= 0 && cell.Y >= 0) {
        if (ma->GetSizeFixedCol()) {
            const int i = FixedBorderAt(X, true);
            if (i >= 0) {
                fixedSizeHover_ = i;
                fixedSizeHoverCols_ = true;
            }
        }
        if (fixedSizeHover_ < 0 && ma->GetSizeFixedRow()) {
            const int i = FixedBorderAt(Y, false);
            if (i >= 0) {
                fixedSizeHover_ = i;
                fixedSizeHoverCols_ = false;
            }
        }
        uint8_t state = 0;
        if (fixedSizeHover_ < 0) {
            const bool fixedRow = cell.Y < GetFixedRows(), fixedCol = cell.X < GetFixedCols();
            if (fixedRow && fixedCol && ma->GetAllSelect())
                state = 3;
            else if (fixedRow && !fixedCol && ma->GetColSelect())
                state = 1;
            else if (fixedCol && !fixedRow && ma->GetRowSelect())
                state = 2;
            else if (OnSelectionResizer(X, Y))
                state = 5;
        }
        mouseCursorState_ = state;
    } else if (!GetMouseDown()) {
        mouseCursorState_ = 0;
    }

    // The cursor: sizing a fixed border, a link, or the grid's own.
    if (!designing && !GetMouseDown()) {
        TCursor wanted = GetRememberedCursor();
        AnsiString anchor;
        if (fixedSizeHover_ >= 0) {
            wanted = fixedSizeHoverCols_ ? crHSplit : crVSplit;
        } else if (cell.X >= GetFixedCols() && cell.Y >= GetFixedRows()) {
            const AnsiString text = GetCellEx(RemapCol(cell.X), cell.Y);
            const bool html = TextType(text, enableHTML_) == ttHTML;
            if (html) anchor = AnchorAt(cell.X, cell.Y, X, Y);
            if ((GetURLShow() && !html && IsURL(text)) || !anchor.IsEmpty())
                wanted = UseGridCursor(GridCursorLink);
        }
        if (anchor != hintAnchor_) {
            CancelHint();
            hintAnchor_ = anchor;
        }
        if (GetCursor() != wanted) {
            keepCursor_ = true; // the zone's cursor state stays
            SetCursor(wanted);
        }
    }

    TBaseGrid::MouseMove(Shift, X, Y);
    // The zone cursors follow this move at once, not only the next one.
    if (mouseCursorState_ != stateBefore || selResize_ != resizeBefore) RefreshCursor(this);
    // The release ends a drag with a last move: it keeps the left column too.
    if (GetNavigation()->GetKeepHorizScroll() && (GetMouseDown() || MouseSelecting()) &&
        GetGridState() != gsColMoving)
        KeepLeftCol(pressLeftCol_);

    // The sizing hint of a column or row sized from the header.
    if (!designing && (GetGridState() == gsColSizing || GetGridState() == gsRowSizing) &&
        sizingIndex_ >= 0) {
        const bool cols = GetGridState() == gsColSizing;
        const TRect r = CellRect(cols ? sizingIndex_ : 0, cols ? 0 : sizingIndex_);
        const int size = (cols ? X - r.Left : Y - r.Top) + sizingOfs_;
        ShowSizingHint(cols, sizingIndex_, size);
    }
}

void TKavStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TGridRect before = GetSelection();
    if (Button == mbLeft && fixedSizeHover_ >= 0 && !GetComponentState().Contains(csDesigning)) {
        // A fixed column's (row's) border: sizing starts, with the line at the pointer.
        fixedSizing_ = fixedSizeHover_;
        fixedSizingCols_ = fixedSizeHoverCols_;
        fixedSizingPos_ = fixedSizingCols_ ? X : Y;
        if (fixedSizingCols_)
            DrawSizingLine(fixedSizingPos_);
        else
            DrawSizingLineR(fixedSizingPos_);
        SetMouseCapture(true);
        return;
    }
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    sizingIndex_ = -1;
    if (GetGridState() == gsColSizing || GetGridState() == gsRowSizing) {
        // Where the border was grabbed, for the sizing hint.
        TGridState state = gsNormal;
        int pos = 0;
        TGridDrawInfo info;
        CalcSizingState(X, Y, state, sizingIndex_, pos, sizingOfs_, info);
    }
    const TGridRect after = GetSelection();
    if (!(before == after)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
    FixedEditByClick(Button, X, Y);
}

void TKavStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    HideSizingHint();
    if (fixedSizing_ >= 0) {
        const int index = fixedSizing_;
        const bool cols = fixedSizingCols_;
        if (cols)
            DrawSizingLine(fixedSizingPos_);
        else
            DrawSizingLineR(fixedSizingPos_);
        const int size = fixedSizingPos_ - FixedEdge(index, cols);
        fixedSizing_ = -1;
        SetMouseCapture(false);
        if (size > 0) {
            if (cols)
                SetColWidths(index, size);
            else
                SetRowHeights(index, size);
            EndUserSizing(cols, index);
        }
        TCustomControl::MouseUp(Button, Shift, X, Y);
        return;
    }
    // Released beyond the grid's edge while sizing: the size stays as it was.
    if ((GetGridState() == gsColSizing && X > GetClientWidth()) ||
        (GetGridState() == gsRowSizing && Y > GetClientHeight())) {
        SetGridState(gsNormal);
        SetMouseCapture(false);
        Invalidate();
        return;
    }
    TMouseActions* ma = GetMouseActions();
    const TGridCoord cell = MouseCoord(X, Y);
    if (ma->GetDisjunctCellSelect() && Button == mbLeft && cell.X >= 0 && cell.Y >= 0) {
        const TPoint b = ShownBaseCell(TShownCol(cell.X), cell.Y);
        bool canSelect = true;
        if (!IsFixed(b.x, b.y) && OnSelectCell) OnSelectCell(this, b.x, b.y, canSelect);
        if (canSelect && !IsFixed(b.x, b.y)) {
            if (Shift.Contains(ssCtrl)) {
                SetSelectedCells(b.x, b.y, !GetSelectedCells(b.x, b.y));
            } else {
                // The list is emptied (each cell repainted); the selection stays as it is.
                const std::vector<TPoint> listed = selCells_;
                for (const TPoint& p : listed)
                    SetSelectedCells(p.x, p.y, false);
                SetSelectedCells(b.x, b.y, true);
                const TGridRect sel = GetSelection();
                if (sel.Left != sel.Right || sel.Top != sel.Bottom)
                    for (int r = sel.Top; r <= sel.Bottom; ++r)
                        for (int c = sel.Left; c <= sel.Right; ++c)
                            if (c != b.x || r != b.y) SetSelectedCells(c, r, true);
            }
            RepaintCell(b.x, b.y);
        }
    }
    if (Button == mbRight && GetGridState() == gsColMoving) return;
    const TGridRect before = GetSelection();
    NoteUserSizing();
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    sizingIndex_ = -1;
    sizingCol_ = sizingRow_ = -1;
    const TGridRect after = GetSelection();
    if (!(before == after)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TKavStringGrid::CMMouseLeave() {
    if (look_ == glListView && hoverCell_.x >= 0 && hoverCell_.y >= 0 &&
        HeaderLook(*this, hoverCell_.x, hoverCell_.y))
        RepaintCell(hoverCell_.x, hoverCell_.y);
    hoverCell_ = TPoint(-1, -1);
}

// --- edges ---

int TKavStringGrid::FixedEdge(int Index, bool Cols) const {
    int edge = 0;
    for (int i = 0; i < Index; ++i)
        edge += (Cols ? GetColWidths(i) : GetRowHeights(i)) + 1;
    return edge;
}

int TKavStringGrid::ColsEdge(int Count) const {
    return FixedEdge(Count, true);
}

int TKavStringGrid::RowsEdge(int Count) const {
    return FixedEdge(Count, false);
}

// --- hints ---

void TKavStringGrid::ShowSizingHint(bool Cols, int Index, int Size) {
    if (!hintShowSizing_ || GetComponentState().Contains(csDesigning)) return;
    sizingHintText_ = (Cols ? "cw=<b>" : "rh=<b>") + IntToStr(Size) + "</b>";
    const TRect r = CellRect(Cols ? Index : 0, Cols ? 0 : Index);
    const TPoint p = ClientToScreen(
        TPoint(Cols ? FixedEdge(Index, true) : r.Left, Cols ? r.Top : FixedEdge(Index, false)));
    if (!sizingHint_) sizingHint_ = std::make_unique<THTMLHintWindow>(nullptr);
    TRect hr = sizingHint_->CalcHintRect(200, sizingHintText_, nullptr);
    hr = OffsetRect(hr, p.x, p.y);
    sizingHint_->ActivateHint(hr, sizingHintText_);
}

void TKavStringGrid::HideSizingHint() {
    if (sizingHint_) sizingHint_->ReleaseHandle();
    sizingHintText_ = AnsiString();
}

bool TKavStringGrid::ShowHintProc(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo) {
    const TGridCoord cell = MouseCoord(HintInfo.CursorPos.x, HintInfo.CursorPos.y);
    if (cell.X < 0 || cell.Y < 0) return false;
    const int realCol = RemapCol(cell.X);
    bool found = false;
    AnsiString comment;
    AnsiString anchor;
    if (anchorHint_ && TextType(GetCellEx(realCol, cell.Y), enableHTML_) == ttHTML)
        anchor = AnchorAt(cell.X, cell.Y, HintInfo.CursorPos.x, HintInfo.CursorPos.y);
    if (!anchor.IsEmpty()) {
        if (OnAnchorHint) OnAnchorHint(this, cell.Y, cell.X, anchor);
        HintStr = anchor;
        found = true;
    } else if (IsComment(realCol, cell.Y, comment)) {
        HintStr = comment;
        found = true;
    } else if (hintShowCells_ && cell.X >= GetFixedCols() && cell.Y >= GetFixedRows()) {
        // A wide cell shows its characters, not the form the store keeps them in.
        AnsiString text = IsWideCell(realCol, cell.Y) ? AnsiString(GetWideCells(realCol, cell.Y))
                          : htmlHint_                 ? GetCellEx(realCol, cell.Y)
                                                      : GetStrippedCell(realCol, cell.Y);
        bool show = !text.IsEmpty();
        if (show && hintShowLargeText_) {
            const TSize sz = GetCellTextSize(realCol, cell.Y, GetWordWraps(realCol, cell.Y));
            const TRect r = CellRect(cell.X, cell.Y);
            show = sz.cx > r.Right - r.Left || sz.cy > r.Bottom - r.Top;
        }
        if (show) {
            HintStr = text;
            found = true;
        }
    }
    if (!found) return false;
    GetCellHint(realCol, cell.Y, HintStr);
    CanShow = !HintStr.IsEmpty();
    // The hint belongs to the cell: it goes when the pointer leaves it.
    HintInfo.CursorRect = CellRect(cell.X, cell.Y);
    const TRect r = HintInfo.CursorRect;
    HintInfo.HintPos = ClientToScreen(TPoint(r.Left, r.Bottom));
    HintInfo.HintColor = GetHintColor();
    return true;
}

bool TKavStringGrid::CMHintShow(TMessage& Message) {
    const TCMHintShow m(Message);
    THintInfo* info = m.HintInfo;
    if (!info) return false;
    AnsiString hint = info->HintStr;
    bool canShow = true;
    if (!ShowHintProc(hint, canShow, *info)) return false;
    info->HintStr = canShow ? hint : AnsiString();
    Message.Result = canShow ? 0 : 1;
    return true;
}
