// TKavStringGrid: the messages the grid takes before its own handlers (the wheel with Ctrl
// zooming, the middle-button panning with its timer, notifications of controls in cells,
// the end of a row or column move), zoom, and the keys released.
#include "controles/grid/kav_grid.h"
#include "controles/grid/paint/grid_cursors.h"
#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/input/cursors.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"

#include <algorithm>

namespace {

constexpr UINT_PTR PanTimerId = 999;
constexpr int PanDeadZone = 5;

bool IsArrow(WORD Key) {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

} // namespace

bool TKavStringGrid::PreDispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CANCELMODE:
        if (EnhancedMoving()) EndEnhancedMove();
        return false;
    case WM_SIZE:
    case WM_LBUTTONUP:
        // The scroll bars follow the new size or the end of a drag (the handlers run after).
        if (!GetComponentState().Contains(csDesigning)) {
            UpdateVScroller();
            UpdateHScroller();
        }
        return false;
    case WM_THEMECHANGED:
        if (autoThemeAdapt_) ThemeAdapt();
        return false;
    case WM_COMMAND: {
        // Controls placed in cells get their own notifications back.
        const HWND from = reinterpret_cast<HWND>(Message.LParam);
        if (from && (!HandleAllocated() || from != GetHandle())) {
            if (TWinControl* c = FindControl(from)) {
                Message.Result = c->Perform(Message.Msg, Message.WParam, Message.LParam);
                return true;
            }
        }
        return false;
    }
    case WM_TIMER:
        if (Message.WParam == PanTimerId) {
            if (panning_) PanStep();
            return true;
        }
        return false;
    case WM_MBUTTONDOWN:
        if (!panning_ && wheelMessage_ != 0 && intelliPan_ != ipNone &&
            GetRowCount() > GetFixedRows()) {
            StartPanning(TPoint(static_cast<SHORT>(LOWORD(Message.LParam)),
                                static_cast<SHORT>(HIWORD(Message.LParam))));
            return true;
        }
        if (panning_) {
            StopPanning();
            return true;
        }
        return false;
    case CM_MOUSELEAVE:
        CMMouseLeave();
        return false;
    case CM_HINTSHOW:
        return CMHintShow(Message);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
        if (panning_) StopPanning();
        return false;
    default:
        break;
    }
    if (Message.Msg == wheelMessage_ && wheelMessage_ != 0 && !panning_) {
        const TWMMouseWheel m(Message);
        WheelMove(m.WheelDelta, (m.Keys & MK_CONTROL) != 0);
        Message.Result = 1;
        return true;
    }
    return false;
}

void TKavStringGrid::WheelMove(int Delta, bool Ctrl) {
    if (Delta == 0) return;
    const int wheelStep = GetMouseActions()->GetWheelIncrement() > 0
                              ? GetMouseActions()->GetWheelIncrement()
                              : wheelScrollLines_;
    if (Ctrl && intelliZoom_) {
        Zoom(Delta < 0 ? wheelStep : -wheelStep);
        return;
    }
    if (!enableWheel_) return;
    const TGridRect oldSel = GetSelection();
    int row = GetRow();
    if (GetMouseActions()->GetWheelAction() == waMoveSelection) {
        row += Delta < 0 ? wheelStep : -wheelStep;
    } else {
        const int lastTop = std::max(GetFixedRows(), GetRowCount() - GetVisibleRowCount());
        int top = GetTopRow();
        if (Delta < 0)
            top = std::min(lastTop, top + wheelStep);
        else
            top = std::max(GetFixedRows(), top - wheelStep);
        if (top != GetTopRow()) SetTopRow(top);
    }
    row = std::clamp(row, GetFixedRows(),
                     std::max(GetFixedRows(), GetRowCount() - 1 - fixedFooters_));
    const int oldLeft = GetLeftCol();
    BeginUpdate();
    try {
        if (row != GetRow()) {
            // The current cell moves as the keys move it, and stays in view.
            MoveColRow(std::clamp(GetCol(), GetFixedCols(), GetColCount() - 1), row, true, true);
        }
        if (GetOptions().Contains(goRowSelect) && GetNavigation()->GetKeepHorizScroll())
            SetLeftCol(oldLeft);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    const TGridRect sel = GetSelection();
    if (!(sel == oldSel)) SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

bool TKavStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    return WheelOperation(true, Shift, MousePos);
}

bool TKavStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    return WheelOperation(false, Shift, MousePos);
}

bool TKavStringGrid::WheelOperation(bool Down, TShiftState Shift, TPoint MousePos) {
    if (GetMouseActions()->GetWheelAction() == waScroll) return false;
    auto inherited = [&] {
        return Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos)
                    : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    };
    if (GetOptions().Contains(goRowSelect) && GetNavigation()->GetKeepHorizScroll()) {
        const int oldLeft = GetLeftCol();
        BeginUpdate();
        bool result = false;
        try {
            result = inherited();
            SetLeftCol(oldLeft);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return result;
    }
    const bool wasShown = EditorShown();
    if (!Down && !(GetRow() < GetRowCount() && GetCol() < GetColCount())) return true;
    const bool result = inherited();
    if (wasShown && CanFocus()) SetFocus();
    return result;
}

// --- zoom ---

void TKavStringGrid::Zoom(int Step) {
    if (zoom_ + Step < -10 || zoom_ + Step > 10) return;
    zooming_ = true;
    try {
        zoom_ += Step;
        for (int c = 0; c < GetColCount(); ++c)
            if (GetColWidths(c) + Step > 0) SetColWidths(c, GetColWidths(c) + Step);
        for (int r = 0; r < GetRowCount(); ++r)
            if (GetRowHeights(r) + Step > 0) SetRowHeights(r, GetRowHeights(r) + Step);
    } catch (...) {
        zooming_ = false;
        throw;
    }
    zooming_ = false;
    if (GetScrollProportional()) UpdateScrollBars(true);
    Invalidate();
}

// --- panning ---

void TKavStringGrid::StartPanning(TPoint At) {
    panCursor_ = GetCursor();
    // The panning cursors by their numbers, from the program's resources.
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            UseGridCursor(PanCursorId(dx, dy));
    SetCursor(GridCursorPanNeutral);
    panning_ = true;
    panAnchor_ = At;
    if (HandleAllocated()) SetTimer(GetHandle(), PanTimerId, 10, nullptr);
    SetMouseCapture(true);
    panHint_ = GetShowHint();
    SetShowHint(false);
    DrawIntelliFocusPoint();
}

void TKavStringGrid::StopPanning() {
    if (!panning_) return;
    SetMouseCapture(false);
    if (HandleAllocated()) KillTimer(GetHandle(), PanTimerId);
    SetCursor(panCursor_);
    SetShowHint(panHint_);
    panning_ = false;
    EraseIntelliFocusPoint();
}

void TKavStringGrid::PanStep() {
    POINT screen;
    GetCursorPos(&screen);
    const TPoint p = ScreenToClient(TPoint(screen.x, screen.y));
    int dx = 0, dy = 0;
    if (p.x < panAnchor_.x - PanDeadZone) dx = -1;
    if (p.x > panAnchor_.x + PanDeadZone) dx = 1;
    if (p.y < panAnchor_.y - PanDeadZone) dy = -1;
    if (p.y > panAnchor_.y + PanDeadZone) dy = 1;
    if (intelliPan_ == ipHorizontal) dy = 0;
    if (intelliPan_ == ipVertical) dx = 0;
    SetCursor(PanCursorId(dx, dy));
    const int firstRow = GetFixedRows(), lastRow = GetRowCount() - 1 - fixedFooters_;
    const int firstCol = GetFixedCols(), lastCol = GetColCount() - 1 - fixedRightCols_;
    if (lastRow < firstRow || lastCol < firstCol) return;
    const TGridRect oldSel = GetSelection();
    const int col = std::clamp(GetCol(), firstCol, lastCol);
    const int row = std::clamp(GetRow(), firstRow, lastRow);
    const int newCol = std::clamp(col + dx, firstCol, lastCol);
    const int newRow = std::clamp(row + dy, firstRow, lastRow);
    if (newCol != GetCol() || newRow != GetRow()) {
        const int top = GetTopRow(), left = GetLeftCol();
        MoveColRow(newCol, newRow, true, true);
        if (top != GetTopRow() || left != GetLeftCol()) EraseIntelliFocusPoint();
    }
    DrawIntelliFocusPoint();
    const TGridRect sel = GetSelection();
    if (!(sel == oldSel)) SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

void TKavStringGrid::DrawIntelliFocusPoint() {
    // The anchor of the ways the view may pan, its top-left pixel's colour see-through.
    const char* name = intelliPan_ == ipHorizontal ? "INTLI2"
                       : intelliPan_ == ipVertical ? "INTLI3"
                                                   : "INTLI1";
    TBitmap anchor;
    LoadBitmapResource(&anchor, name);
    anchor.SetTransparentColor(anchor.GetCanvas()->GetPixels(0, 0));
    anchor.SetTransparentMode(tmFixed);
    anchor.SetTransparent(true);
    GetCanvas()->Draw(panAnchor_.x, panAnchor_.y, &anchor);
}

void TKavStringGrid::EraseIntelliFocusPoint() {
    if (!HandleAllocated()) return;
    const TRect r(panAnchor_.x, panAnchor_.y, panAnchor_.x + 32, panAnchor_.y + 32);
    InvalidateRect(GetHandle(), &r, FALSE);
}

// --- keys released ---

void TKavStringGrid::KeyUp(WORD& Key, TShiftState Shift) {
    // The moves, and the key code after Down, end an incremental search.
    if (IsGridMoveKey(Key) || Key == VK_DOWN + 1) searchText_ = AnsiString();
    TBaseGrid::KeyUp(Key, Shift);
    if (GetNavigation()->GetAlwaysEdit() &&
        (IsArrow(Key) || (Key == VK_TAB && GetOptions().Contains(goTabs))))
        ShowInplaceEdit();
}
