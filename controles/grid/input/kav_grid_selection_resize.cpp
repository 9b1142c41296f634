// TKavStringGrid: the selection resizer. Over the handle at the selection's bottom-right
// corner the pointer shows the resizer's cursor; a press there copies the selection, the
// drag resizes the selection from its top-left cell, and the release pastes the copied
// block into the resized selection (with AllowSmartClipboard the whole of it is filled:
// one value repeated, a series continued or the block repeated).
#include "controles/grid/kav_grid.h"

#include <algorithm>

namespace {

constexpr int HandleSize = 6;

} // namespace

bool TKavStringGrid::OnSelectionResizer(int X, int Y) {
    if (!GetSelectionResizer() || !GetSelectionRectangle() || GetSelectionHidden()) return false;
    const TGridRect sel = GetSelection();
    const TRect r = CellRect(sel.Right, sel.Bottom);
    if (r.Right <= r.Left || r.Bottom <= r.Top) return false; // not in view
    return X >= r.Right - HandleSize && X < r.Right && Y >= r.Bottom - HandleSize && Y < r.Bottom;
}

void TKavStringGrid::StartSelectionResize() {
    // The press sets no current cell and starts no range selection of the inherited grid:
    // the drag is followed here, from the selection as it was.
    // The block under the handle is copied, also while rows are selected one by one (the
    // clipboard keys copy those rows).
    resizeOrigin_ = GetSelection();
    CopyBlockToClipboard();
    pasteOnRelease_ = true;
    selResize_ = true;
    mouseCursorState_ = 0;
    if (CanFocus()) SetFocus();
    SetMouseCapture(true);
    RefreshCursor(this);
}

void TKavStringGrid::SelectionResizeMove(int X, int Y) {
    // The selection keeps its top-left cell and reaches the cell under the pointer, never
    // less than that cell nor into the fixed cells at the right or bottom.
    const TGridRect o = resizeOrigin_;
    const int lastCol = GetColCount() - 1 - fixedRightCols_;
    const int lastRow = GetRowCount() - 1 - fixedFooters_;
    TGridCoord c = MouseCoord(X, Y);
    if (c.X < 0) c.X = X < 0 ? o.Left : lastCol;
    if (c.Y < 0) c.Y = Y < 0 ? o.Top : lastRow;
    TGridRect r{o.Left, o.Top, std::clamp(c.X, o.Left, std::max(o.Left, lastCol)),
                std::clamp(c.Y, o.Top, std::max(o.Top, lastRow))};
    // Past the last row or column in view the view moves on by one.
    if (r.Bottom >= GetTopRow() + GetVisibleRowCount() &&
        GetTopRow() + GetVisibleRowCount() < GetRowCount())
        SetTopRow(GetTopRow() + 1);
    if (r.Right >= GetLeftCol() + GetVisibleColCount() &&
        GetLeftCol() + GetVisibleColCount() < GetColCount())
        SetLeftCol(GetLeftCol() + 1);
    UpdateSelectionRect(r);
    const TGridRect before = GetSelection();
    if (r == before) return;
    InvalidateGridRect(before);
    SetSelection(r);
    InvalidateGridRect(r);
    SelectionChanged(r.Left, r.Top, r.Right, r.Bottom);
}

void TKavStringGrid::EndSelectionResize() {
    const TGridRect orig = resizeOrigin_, now = GetSelection();
    pasteOnRelease_ = false;
    selResize_ = false;
    SetMouseCapture(false);
    RefreshCursor(this);
    if (OnSelectionResize) OnSelectionResize(this, orig, now);
    // The paste writes the cells whatever goEditing says; a cell read-only of its own stays.
    struct Override {
        bool& flag;
        ~Override() { flag = false; }
    } overrideEnd{editOverride_};
    editOverride_ = true;
    PasteSelectionFromClipboard();
    editOverride_ = false;
    if (OnSelectionResized) OnSelectionResized(this, orig, now);
}
