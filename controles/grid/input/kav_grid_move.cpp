// TKavStringGrid: a row or column moved by dragging its fixed cell, with EnhRowColMove. Once
// the pointer has left the row (column) it took, the screen shows the drag cursor and arrow
// windows take the place of the inverted bar: two above and below the header for a column,
// one left of the grid for a row, at the line the moved one would land on. The release moves
// it to the row (column) under the pointer (WMLButtonUp).
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/input/cursors.h"
#include "plataforma/gui/kernel/screen.h"

namespace {

constexpr int ArrowSize = 11;

void PlaceArrow(TArrowWindow* W, const TPoint& ScreenPos) {
    W->SetBounds(ScreenPos.x, ScreenPos.y, ArrowSize, ArrowSize);
    W->SetVisible(true);
}

} // namespace

bool TKavStringGrid::EnhancedMoving() const {
    return enhRowColMove_ && (GetGridState() == gsColMoving || GetGridState() == gsRowMoving) &&
           Screen->GetCursor() == crDrag;
}

void TKavStringGrid::DrawMove() {
    if (!enhRowColMove_) return TBaseGrid::DrawMove();
    // A press that has not left its row (column) yet is a click, not a move.
    if (!EnhancedMoving()) {
        if (GetMovePos() == GetMoveIndex()) return;
        Screen->SetCursor(crDrag);
    }
    ShowMoveIndicator();
}

void TKavStringGrid::ShowMoveIndicator() {
    const bool cols = GetGridState() == gsColMoving;
    const int pos = GetMovePos();
    // Moved on, it lands after the row (column) under the pointer; moved back, before it.
    const bool after = pos > GetMoveIndex();
    const TRect r = cols ? CellRect(pos, 0) : CellRect(0, pos);
    if (r.Right <= r.Left || r.Bottom <= r.Top) return HideMoveIndicator();
    if (cols) {
        const int x = (after ? r.Right : r.Left) - ArrowSize / 2;
        const int headerBottom = CellRect(pos, std::max(0, GetFixedRows() - 1)).Bottom;
        PlaceArrow(GetArrowWindow(arrDown), ClientToScreen(TPoint(x, r.Top - ArrowSize)));
        PlaceArrow(GetArrowWindow(arrUp), ClientToScreen(TPoint(x, headerBottom)));
    } else {
        const int y = (after ? r.Bottom : r.Top) - ArrowSize / 2;
        PlaceArrow(GetArrowWindow(arrLeft), ClientToScreen(TPoint(r.Left - ArrowSize, y)));
    }
}

void TKavStringGrid::HideMoveIndicator() {
    for (TArrowDirection d : {arrDown, arrUp, arrLeft})
        if (arrows_[d]) arrows_[d]->SetVisible(false);
}

void TKavStringGrid::EndEnhancedMove() {
    Screen->SetCursor(crDefault);
    HideMoveIndicator();
    EndMouseState();
}

bool TKavStringGrid::MoveTargetAllowed(bool Cols, int Index) const {
    if (!TBaseGrid::MoveTargetAllowed(Cols, Index)) return false;
    return Cols ? Index < GetColCount() - fixedRightCols_ : Index < GetRowCount() - fixedFooters_;
}
