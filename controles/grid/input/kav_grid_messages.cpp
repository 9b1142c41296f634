// TKavStringGrid: the window messages the grid handles itself (painting under the update
// lock, focus, the grid timer, size) and the routing of the key and mouse messages to their
// handlers; whatever a handler does not take goes on to the inherited handling.
#include "controles/grid/kav_grid.h"
#include "controles/grid/paint/grid_cursors.h"

#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/input/mouse.h"

#include <cmath>
#include <cstring>

namespace {

constexpr UINT_PTR GridTimerId = 111;

} // namespace

void TKavStringGrid::Dispatch(TMessage& Message) {
    if (PreDispatch(Message)) return;
    switch (Message.Msg) {
    case WM_PAINT:
        if (updateCount_ > 0) {
            Message.Result = 0;
            return;
        }
        return DefaultGridMessage(Message);
    case WM_NCPAINT:
        // The thin border of the soft, own, XP and list-view looks over the default frame.
        DefaultGridMessage(Message);
        if (updateCount_ == 0) {
            NCPaintProc();
            Message.Result = 0;
        }
        return;
    case WM_ERASEBKGND:
        // Every pixel is painted by the cells: nothing is erased.
        Message.Result = 0;
        return;
    case WM_KEYDOWN:
        return CallMessageHandler(this, &TKavStringGrid::WMKeyDown, Message);
    case WM_CHAR:
        return CallMessageHandler(this, &TKavStringGrid::WMChar, Message);
    case CM_DIALOGCHAR:
        return CallMessageHandler(this, &TKavStringGrid::CMDialogChar, Message);
    case WM_LBUTTONDOWN:
        return CallMessageHandler(this, &TKavStringGrid::WMLButtonDown, Message);
    case WM_LBUTTONUP:
        return CallMessageHandler(this, &TKavStringGrid::WMLButtonUp, Message);
    case WM_LBUTTONDBLCLK:
        return CallMessageHandler(this, &TKavStringGrid::WMLButtonDblClk, Message);
    case WM_RBUTTONDOWN:
        return CallMessageHandler(this, &TKavStringGrid::WMRButtonDown, Message);
    case WM_RBUTTONUP:
        return CallMessageHandler(this, &TKavStringGrid::WMRButtonUp, Message);
    case CM_COLORCHANGED:
        DefaultGridMessage(Message);
        if (FooterShown()) GetFloatingFooter()->Invalidate();
        return;
    case WM_SETCURSOR:
        return CallMessageHandler(this, &TKavStringGrid::WMSetCursor, Message);
    case CM_CURSORCHANGED:
        return CMCursorChanged(Message);
    case WM_SETFOCUS:
        return CallMessageHandler(this, &TKavStringGrid::WMSetFocus, Message);
    case WM_KILLFOCUS:
        return CallMessageHandler(this, &TKavStringGrid::WMKillFocus, Message);
    case WM_TIMER:
        return CallMessageHandler(this, &TKavStringGrid::WMTimer, Message);
    case WM_SIZE:
        CallMessageHandler(this, &TKavStringGrid::WMSize, Message);
        UpdateScrollBars(false);
        return;
    case WM_VSCROLL:
    case WM_HSCROLL:
        return GridScrollMessage(Message);
    case WM_NOTIFY: {
        TWMNotify notify(Message);
        if (!WMNotify(notify)) DefaultGridMessage(Message);
        return;
    }
    default:
        DefaultGridMessage(Message);
    }
}

// --- focus ---

void TKavStringGrid::WMKillFocus(TWMKillFocus& Message) {
    if (SuppressExit) {
        Message.Result = 1;
        return;
    }
    DefaultGridMessage(Message);
    // The hot look of a hovered fixed cell goes with the focus.
    if (hoverCell_.x >= 0 && hoverCell_.y >= 0) {
        const TPoint hovered = hoverCell_;
        hoverCell_ = TPoint(-1, -1);
        RepaintCell(hovered.x, hovered.y);
    }
}

void TKavStringGrid::WMSetFocus(TWMSetFocus& Message) {
    if (SuppressSetFocus) return;
    DefaultGridMessage(Message);
    const int col = GetCol(), row = GetRow();
    if (HasCheckBox(RemapCol(col), row)) return;
    const bool inView = col >= GetLeftCol() && col < GetLeftCol() + GetVisibleColCount() &&
                        row >= GetTopRow() && row < GetTopRow() + GetVisibleRowCount();
    TInplaceEdit* ed = GetInplaceEditor();
    const bool moving = GetGridState() == gsRowMoving || GetGridState() == gsColMoving;
    if (ed) {
        const bool fromEditor = ed->HandleAllocated() && Message.FocusedWnd == ed->GetHandle();
        if (!fromEditor && !moving && GetNavigation()->GetAlwaysEdit() && inView) {
            ShowInplaceEdit();
            Message.Result = 0;
            return;
        }
    } else if (GetNavigation()->GetAlwaysEdit() && inView && !GetMouseActions()->GetDirectEdit() &&
               HasCombo(RemapCol(col), row)) {
        ShowInplaceEdit();
    }
    if ((GetRowCount() == 1 && fixedRowAlways_) || (GetColCount() == 1 && fixedColAlways_))
        HideSelection();
}

void TKavStringGrid::DoEnter() {
    if (!SuppressEnter) {
        TBaseGrid::DoEnter();
        SelectCell(GetCol(), GetRow());
    }
    InitValidate(GetCol(), GetRow());
}

void TKavStringGrid::DoExit() {
    if (!SuppressExit) TBaseGrid::DoExit();
}

// --- the cursor ---

void TKavStringGrid::WMSetCursor(TWMSetCursor& Message) {
    // The zones of the fixed cells and the selection resizer show the grid's own cursors;
    // elsewhere (and while a row or column is sized) the Cursor property's.
    const bool sizing = GetGridState() == gsColSizing || GetGridState() == gsRowSizing;
    int id = 0;
    if (mouseCursorState_ != 0 && !sizing) {
        switch (mouseCursorState_) {
        case 1:
            id = GridCursorColSelect;
            break;
        case 2:
            id = GridCursorRowSelect;
            break;
        case 3:
        case 5:
            id = GridCursorSelectAll;
            break;
        default:
            Message.Result = 1;
            return;
        }
    } else if (selResize_) {
        id = GridCursorSelectionResize;
    }
    if (id == 0) return DefaultGridMessage(Message);
    ::SetCursor(LoadCursor(HInstance, id));
    Message.Result = 1;
}

void TKavStringGrid::CMCursorChanged(TMessage& Message) {
    // A cursor set from outside ends the zone's own; the grid's own change keeps it.
    DefaultGridMessage(Message);
    if (!keepCursor_) mouseCursorState_ = 0;
    keepCursor_ = false;
}

// --- the grid timer ---

void TKavStringGrid::WMTimer(TWMTimer& Message) {
    if (Message.TimerID != GridTimerId) return DefaultGridMessage(Message);
    ++tickCounter_;
    if (GetNavigation()->GetAutoGotoIncremental()) {
        // Two idle seconds end an incremental search.
        if (++searchIdleTicks_ >= 4) {
            searchText_ = AnsiString();
            searchIdleTicks_ = 0;
        }
    }
    if (hovering_ && !GetComponentState().Contains(csDesigning) && HandleAllocated()) {
        POINT pt;
        GetCursorPos(&pt);
        if (WindowFromPoint(pt) == GetHandle()) {
            const TPoint p = ScreenToClient(TPoint(pt.x, pt.y));
            if (p.x >= 0 && p.y >= 0 && p.x < GetClientWidth() && p.y < GetClientHeight()) {
                const TGridCoord c = MouseCoord(p.x, p.y);
                if (c.X >= GetFixedCols() && c.X < GetColCount() && c.Y >= GetFixedRows() &&
                    c.Y < GetRowCount()) {
                    if (CanFocus()) SetFocus();
                    SetRow(c.Y);
                    SetCol(c.X);
                }
            }
        }
    }
    if (enableBlink_) {
        blinkPhase_ = !blinkPhase_;
        RepaintBlinking();
    }
}

void TKavStringGrid::RepaintBlinking() {
    auto blinks = [this](int c, int r) {
        return std::strstr(GetCells(RemapCol(c), r).UpperCase().c_str(), "<BLI") != nullptr;
    };
    const int top = GetTopRow(), left = GetLeftCol();
    const int rows = std::min(GetRowCount(), top + GetVisibleRowCount() + 1);
    const int cols = std::min(GetColCount(), left + GetVisibleColCount() + 1);
    for (int r = top; r < rows; ++r)
        for (int c = left; c < cols; ++c)
            if (blinks(c, r)) RepaintCell(c, r);
    for (int r = 0; r < GetFixedRows(); ++r)
        for (int c = left; c < cols; ++c)
            if (blinks(c, r)) RepaintCell(c, r);
    for (int r = top; r < rows; ++r)
        for (int c = 0; c < GetFixedCols(); ++c)
            if (blinks(c, r)) RepaintCell(c, r);
}

// --- size ---

void TKavStringGrid::WMSize(TWMSize& Message) {
    TColumnSize* cs = GetColumnSize();
    if (cs->GetStretch()) {
        const int sc = cs->GetStretchColumn() < 0 ? GetColCount() - 1 : cs->GetStretchColumn();
        int64_t others = 0;
        for (int c = 0; c < GetColCount(); ++c)
            if (c != sc) others += GetColWidths(c);
        if (others < GetWidth()) {
            // The bottom strips (search bar, floating footer) follow the new size here too:
            // the string grid's own sizing, which aligns them, is skipped on this path.
            Realign();
            StretchColumn(cs->GetStretchColumn());
            // Its bars still follow what fits in the new size, and a top row past the last
            // one that fills the view comes back.
            UpdateScrollRange();
            return;
        }
    }
    DefaultGridMessage(Message);
    if (previousWidth_ > 0 && cs->GetSynchWithGrid() && GetWidth() != previousWidth_) {
        HideInplaceEdit();
        const double f = static_cast<double>(GetWidth()) / previousWidth_;
        for (int c = 0; c < GetColCount(); ++c)
            SetColWidths(c, static_cast<int>(std::nearbyint(GetColWidths(c) * f)));
    }
    previousWidth_ = GetWidth();
    SizeScrollBars();
}

// --- helpers of the input handlers ---

int TKavStringGrid::FixedColsVis() {
    return GetFixedCols() == 0 && HasNodes() ? 1 : GetFixedCols();
}

int TKavStringGrid::NumFixedRightVis() const {
    if (numHiddenCols_ == 0) return fixedRightCols_;
    int n = 0;
    const int total = TotalColCount();
    for (int c = total - fixedRightCols_; c < total; ++c)
        if (c >= 0 && !IsHiddenColumn(c)) ++n;
    return n;
}

void TKavStringGrid::KeepLeftCol(int OldLeftCol) {
    if (GetLeftCol() == OldLeftCol) return;
    StartUpdate();
    SetLeftCol(OldLeftCol);
    ResetUpdate();
}
