// TKavStringGrid: its window as a drop target, and the drags of cells and columns that its
// mouse starts: armed by a press on the selection, started by a move of more than 3 pixels,
// and, after a move out, the dragged rows or cells taken away.

#include "controles/grid/clipboard/clip_text.h"
#include "controles/grid/dragdrop/grid_drag_drop.h"
#include "controles/grid/kav_grid.h"

#include "plataforma/gui/input/mouse.h"

#include <algorithm>

void TDragDropSettings::SetOleDropTarget(bool Value) {
    oleDropTarget_ = Value;
    grid_->OleDropTargetChanged(Value);
}

void TDragDropSettings::SetOleDropRTF(bool Value) {
    oleDropRTF_ = Value;
    Ksgdd::SetRTFAware(Value);
}

void TKavStringGrid::OleDropTargetChanged(bool Value) {
    if (GetComponentState().Contains(csDesigning)) return;
    if (Value) {
        if (ole_.registered) return;
        InitOleLibrary();
        ole_.target = new TGridDropTarget(this);
        ole_.registered = RegisterDragDrop(GetHandle(), ole_.target.get()) == S_OK;
    } else if (ole_.registered) {
        if (HandleAllocated()) RevokeDragDrop(GetHandle());
        ole_.registered = false;
        ole_.target = nullptr;
    }
}

bool TKavStringGrid::OleArmDrag(int ACol, int ARow, const TRect& R, int X) {
    TMouseActions* ma = GetMouseActions();
    const bool fixedRow = ARow < GetFixedRows();
    if (!(IsSelected(ACol, ARow) || (fixedRow && !GetEnhRowColMove()))) return false;
    if (GetOptions().Contains(goEditing) || !dragDropSettings_->GetOleDropSource()) return false;
    if ((ma->GetColSelect() || ma->GetAllSelect()) && fixedRow) return false;
    if (ACol < GetFixedCols()) return false;
    if (GetOptions().Contains(goColSizing) &&
        (std::abs(X - R.Left) <= 4 || std::abs(X - R.Right) <= 4))
        return false;
    ole_.armed = true;
    if (OnClickCell) OnClickCell(this, ARow, ACol);
    return true;
}

bool TKavStringGrid::OleArmedRelease(int ACol, int ARow, bool Ctrl) {
    if (!ole_.armed) return false;
    ole_.armed = false;
    if (ACol < GetFixedCols() || ARow < GetFixedRows() || ACol >= GetColCount() ||
        ARow >= GetRowCount())
        return false;
    if (GetMouseActions()->GetDisjunctRowSelect() && dragDropSettings_->GetOleDropSource()) {
        if (Ctrl) {
            const int flag = RowSelectIndex(TShownRow(ARow));
            SetRowSelect(flag, !GetRowSelect(flag));
            return true;
        }
        ClearRowSelect();
    }
    const bool indicator =
        GetFixedCols() > 0 && GetRowIndicator() && !GetRowIndicator()->GetEmpty();
    if (indicator) RepaintCell(0, GetRow());
    if (GetOptions().Contains(goRowSelect))
        SetSelection({GetFixedCols(), ARow, GetColCount() - 1, ARow});
    else
        SetSelection({ACol, ARow, ACol, ARow});
    if (indicator) RepaintCell(0, GetRow());
    return false;
}

void TKavStringGrid::OleDragOnMove(int X, int Y, const TGridCoord& Cell) {
    if (!ole_.armed) return;
    const TGridRect sel = GetSelection();
    if (OnSelectionResizer(X, Y)) return;
    if (Cell.X < 0 || Cell.Y < 0) return;
    if (std::abs(X - pressPoint_.x) <= 3 && std::abs(Y - pressPoint_.y) <= 3) return;
    if (!dragDropSettings_->GetOleDropSource() || GetGridState() == gsColSizing) return;
    ole_.armed = false;
    bool allow = true;
    if (OnOleDrag) OnOleDrag(this, Cell.Y, Cell.X, GetCellEx(RemapCol(Cell.X), Cell.Y), allow);
    if (!allow) return;
    auto* source = new TGridDropSource(this);
    _di_IDropSource keep(source);
    if (OnOleDragStart) OnOleDragStart(this, Cell.Y, Cell.X);
    DWORD effect = DROPEFFECT_NONE;
    auto alive = Watch();
    // The drag takes the button's release: the press ends here.
    mouseDown_ = mouseDown2_ = false;
    if (pressCell_.y >= 0 && pressCell_.y < GetFixedRows() &&
        dragDropSettings_->GetOleColumnDragDrop()) {
        // A column: its moving is the business of the target's OnOleDropCol; nothing goes
        // from here.
        TPoint p;
        GetCursorPos(&p);
        TArrowWindow* w = GetArrowWindow(arrRight);
        w->SetBounds(p.x, p.y - 11, 11, 11);
        w->SetVisible(true);
        Ksgdd::StartColDoDragDrop(source, pressCell_.x, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
        if (!alive.expired()) w->SetVisible(false);
        return;
    }
    ole_.dragged = sel;
    if (GetOptions().Contains(goRowSelect) && dragDropSettings_->GetOleEntireRows()) {
        ole_.dragged.Left = 0;
        ole_.dragged.Right = GetColCount() - 1;
    }
    ole_.rows.clear();
    if (GetMouseActions()->GetDisjunctRowSelect())
        ole_.rows = FlaggedRows();
    else
        for (int r = ole_.dragged.Top; r <= ole_.dragged.Bottom; ++r)
            ole_.rows.push_back(r);
    ole_.dropped = {-1, -1, -1, -1};
    // The cells go as a copy gives them to the clipboard: each whole, whatever TABs, line
    // breaks or quotes it holds, and a wide one with its characters in the Unicode text.
    std::vector<int> cols, rows;
    SelectedBlock(cols, rows);
    clip_text::BlockText text;
    for (int r : rows)
        AppendClipboardRow(cols, r, rows.size() > 1, text);
    ole_.dragging = true;
    const HRESULT r = Ksgdd::StartTextDoDragDrop(
        source, AnsiString(std::move(text.Text)), AnsiString(), DROPEFFECT_COPY | DROPEFFECT_MOVE,
        effect, text.HasWide ? WideString(std::move(text.Wide)) : WideString());
    if (alive.expired()) return;
    ole_.dragging = false;
    if (r == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE) OleMovedOut();
    GetArrowWindow(arrRight)->SetVisible(false);
}

void TKavStringGrid::OleMovedOut() {
    // The dragged rows are where the drop's inserted rows (if any) pushed them.
    const TGridRect d = ole_.dragged, in = ole_.dropped;
    const bool landedHere = in.Top >= 0;
    std::vector<int> rows = ole_.rows;
    std::sort(rows.begin(), rows.end());
    BeginUpdate();
    if (dragDropSettings_->GetOleRemoveRows() && GetOptions().Contains(goRowSelect)) {
        if (GetMouseActions()->GetDisjunctRowSelect()) {
            RemoveSelectedRows();
        } else {
            // The dragged rows, not those the drop wrote into.
            for (auto r = rows.rbegin(); r != rows.rend(); ++r)
                if (!(landedHere && *r >= in.Top && *r <= in.Bottom) && *r >= GetFixedRows() &&
                    *r < GetRowCount())
                    RemoveRows(*r, 1);
        }
    } else if (!dragDropSettings_->GetOleCopyAlways()) {
        // The dragged cells go, each at its real column, but those the drop wrote into: the
        // dragged columns of the dragged rows (the other cells of rows selected one by one
        // stay).
        for (int r : rows)
            for (int c = d.Left; c <= d.Right; ++c) {
                if ((landedHere && in.Contains(c, r)) || r >= GetRowCount() || c >= GetColCount())
                    continue;
                const int real = RemapCol(c);
                ClearRect(real, r, real, r);
            }
    }
    EndUpdate();
}
