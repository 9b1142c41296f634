// TCustomGrid's keys and mouse: moving the current cell, selecting, sizing and moving rows
// and columns, the wheel, and the keys the grid takes from the dialog.
#include "plataforma/gui/grid/grids.h"

#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/painting/canvas.h"

#include <algorithm>

namespace {

// Scrolls the grid while a selection or a move by the mouse goes past the cells in view.
constexpr UINT_PTR MouseTimer = 1;

// The pen of a line drawn inverted, one pixel wide: drawn twice, the line is gone. The
// caller sets the mode back to copying when done.
void InvertingPen(TCanvas* c) {
    c->GetPen()->SetStyle(psSolid);
    c->GetPen()->SetMode(pmXor);
    c->GetPen()->SetColor(clWhite);
    c->GetPen()->SetWidth(1);
}

} // namespace

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor) {
    if (!options_.Contains(goRangeSelect)) {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    const TGridRect old = GetSelection();
    anchor_.X = std::clamp(NewAnchor.X, fixedCols_, GetColCount() - 1);
    anchor_.Y = std::clamp(NewAnchor.Y, fixedRows_, GetRowCount() - 1);
    if (options_.Contains(goRowSelect)) anchor_.X = GetColCount() - 1;
    ClampInView(anchor_);
    SelectionMoved(old);
}

// --- keys ---

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    const bool rowSelect = options_.Contains(goRowSelect);
    const int page = std::max(1, GetVisibleRowCount());
    TGridCoord cur = current_;
    TGridCoord tl = topLeft_;
    auto scroll = [&](int bar, int code) { ModifyScrollBar(bar, code, 0); };
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
        case VK_UP:
            return scroll(SB_VERT, SB_LINEUP);
        case VK_DOWN:
            return scroll(SB_VERT, SB_LINEDOWN);
        case VK_LEFT:
            return scroll(SB_HORZ, SB_LINEUP);
        case VK_RIGHT:
            return scroll(SB_HORZ, SB_LINEDOWN);
        case VK_PRIOR:
            cur.Y = topLeft_.Y;
            break;
        case VK_NEXT:
            cur.Y = topLeft_.Y + page - 1;
            break;
        case VK_HOME:
            cur = {fixedCols_, fixedRows_};
            break;
        case VK_END:
            cur = {GetColCount() - 1, GetRowCount() - 1};
            break;
        default:
            return;
        }
    } else {
        switch (Key) {
        case VK_UP:
            --cur.Y;
            break;
        case VK_DOWN:
            ++cur.Y;
            break;
        case VK_LEFT:
            if (rowSelect) return scroll(SB_HORZ, SB_LINEUP);
            --cur.X;
            break;
        case VK_RIGHT:
            if (rowSelect) return scroll(SB_HORZ, SB_LINEDOWN);
            ++cur.X;
            break;
        case VK_NEXT:
            cur.Y += page;
            tl.Y += page;
            break;
        case VK_PRIOR:
            cur.Y -= page;
            tl.Y -= page;
            break;
        case VK_HOME:
            if (rowSelect)
                cur.Y = fixedRows_;
            else
                cur.X = fixedCols_;
            break;
        case VK_END:
            if (rowSelect)
                cur.Y = GetRowCount() - 1;
            else
                cur.X = GetColCount() - 1;
            break;
        case VK_TAB:
            if (!options_.Contains(goTabs) || Shift.Contains(ssAlt)) return;
            // Round the grid, row after row, within the scrollable cells.
            if (Shift.Contains(ssShift)) {
                if (--cur.X < fixedCols_) {
                    cur.X = GetColCount() - 1;
                    if (--cur.Y < fixedRows_) cur.Y = GetRowCount() - 1;
                }
            } else if (++cur.X >= GetColCount()) {
                cur.X = fixedCols_;
                if (++cur.Y >= GetRowCount()) cur.Y = fixedRows_;
            }
            Shift = {}; // Tab never extends a selection
            break;
        case VK_F2:
            // The editor opens with the caret after the text, ready to add to it.
            ShowEditor();
            if (inplaceEdit_ && inplaceEdit_->GetVisible()) inplaceEdit_->Deselect();
            return;
        default:
            return;
        }
    }
    const TGridCoord max = CalcMaxTopLeft();
    tl.Y = std::clamp(tl.Y, fixedRows_, std::max(fixedRows_, max.Y));
    if (tl.Y != topLeft_.Y) MoveTopLeft(topLeft_.X, tl.Y);
    cur.X = std::clamp(cur.X, fixedCols_, GetColCount() - 1);
    cur.Y = std::clamp(cur.Y, fixedRows_, GetRowCount() - 1);
    if (cur == current_) return;
    if (fixedCols_ >= GetColCount() || fixedRows_ >= GetRowCount()) return;
    FocusCell(cur.X, cur.Y, !Shift.Contains(ssShift));
}

void TCustomGrid::KeyUp(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyUp(Key, Shift);
}

void TCustomGrid::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    // Return opens the editor, and in the editor closes it.
    if (!options_.Contains(goAlwaysShowEditor) && Key == '\r') {
        if (editorMode_)
            HideEditor();
        else
            ShowEditor();
        Key = 0;
    }
}

void TCustomGrid::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS;
    if (options_.Contains(goRowSelect)) return;
    if (options_.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
    if (options_.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
}

void TCustomGrid::WMChar(TWMChar& Message) {
    const unsigned char ch = static_cast<unsigned char>(Message.CharCode);
    if (options_.Contains(goEditing) && (ch == 8 || ch >= 32)) {
        // The key events first, as the window's own handling would fire them.
        char key = static_cast<char>(ch);
        if (OnKeyPress) OnKeyPress(this, key);
        if (key != 0) ShowEditorChar(key);
        return;
    }
    TCustomControl::Dispatch(Message);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    if (current_.Y < GetRowCount() - 1) SetRow(current_.Y + 1);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    if (current_.Y > fixedRows_) SetRow(current_.Y - 1);
    return true;
}

// --- mouse ---

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& D) const {
    auto axis = [&](const TGridAxis& a, int fixed, int first, int extent, TGridAxisDrawInfo& out) {
        out.EffectiveLineWidth = a.GetLineWidth();
        out.FixedCellCount = fixed;
        out.FirstGridCell = first;
        out.GridCellCount = a.GetCount();
        out.GridExtent = extent;
        out.FixedBoundary = static_cast<int>(std::min<int64_t>(a.Offset(fixed), extent));
        out.LastFullVisibleCell = LastFullVisible(a, fixed, first, extent);
        const int64_t base = a.Offset(fixed) - a.Offset(first);
        out.FullVisBoundary = static_cast<int>(
            std::min<int64_t>(base + a.Offset(out.LastFullVisibleCell + 1), extent));
        out.GridBoundary = static_cast<int>(std::min<int64_t>(base + a.Total(), extent));
    };
    axis(cols_, fixedCols_, topLeft_.X, GetClientWidth(), D.Horz);
    axis(rows_, fixedRows_, topLeft_.Y, GetClientHeight(), D.Vert);
}

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                  int& SizingOfs, TGridDrawInfo& FixedInfo) {
    State = gsNormal;
    Index = -1;
    CalcDrawInfo(FixedInfo);
    // The pointer is on a line when it lies within a few pixels of a cell's trailing edge.
    auto onLine = [&](const TGridAxis& a, const TGridAxisDrawInfo& info, int pos,
                      TGridState state) {
        const int line = info.EffectiveLineWidth;
        int range = line, back = 0;
        if (range < 7) {
            range = 7;
            back = (range - line) / 2;
        }
        int64_t edge = info.FixedBoundary;
        for (int i = info.FirstGridCell; i < info.GridCellCount; ++i) {
            edge += a.GetSize(i);
            if (edge > info.GridBoundary) break;
            if (pos >= edge - back && pos <= edge - back + range) {
                State = state;
                SizingPos = static_cast<int>(edge);
                SizingOfs = static_cast<int>(edge) - pos;
                Index = i;
                return;
            }
            edge += line;
        }
    };
    if (X > FixedInfo.Horz.FixedBoundary && options_.Contains(goColSizing)) {
        if (Y >= FixedInfo.Vert.FixedBoundary) return;
        onLine(cols_, FixedInfo.Horz, X, gsColSizing);
    } else if (Y > FixedInfo.Vert.FixedBoundary && options_.Contains(goRowSizing)) {
        if (X >= FixedInfo.Horz.FixedBoundary) return;
        onLine(rows_, FixedInfo.Vert, Y, gsRowSizing);
    }
}

void TCustomGrid::DrawSizingLine() {
    TCanvas* c = GetCanvas();
    InvertingPen(c);
    if (gridState_ == gsColSizing) {
        c->MoveTo(sizingPos_, 0);
        c->LineTo(sizingPos_, GetClientHeight());
    } else {
        c->MoveTo(0, sizingPos_);
        c->LineTo(GetClientWidth(), sizingPos_);
    }
    c->GetPen()->SetMode(pmCopy);
    sizingDrawn_ = !sizingDrawn_;
}

void TCustomGrid::DrawMove() {
    // A two-pixel inverted bar before the cell the moved row or column would land on.
    TCanvas* c = GetCanvas();
    InvertingPen(c);
    TRect r = gridState_ == gsColMoving ? CellRect(movePos_, 0) : CellRect(0, movePos_);
    if (r.Right > r.Left) {
        const bool after = movePos_ > moveIndex_;
        for (int k = 0; k < 2; ++k) {
            if (gridState_ == gsColMoving) {
                const int x = (after ? r.Right - 1 : r.Left) + (after ? -k : k);
                c->MoveTo(x, 0);
                c->LineTo(x, GetClientHeight());
            } else {
                const int y = (after ? r.Bottom - 1 : r.Top) + (after ? -k : k);
                c->MoveTo(0, y);
                c->LineTo(GetClientWidth(), y);
            }
        }
    }
    c->GetPen()->SetMode(pmCopy);
    moveDrawn_ = !moveDrawn_;
}

void TCustomGrid::StartMove(TGridState State, int Index) {
    moveIndex_ = movePos_ = Index;
    gridState_ = State;
    moveDrawn_ = false;
    DrawMove();
    SetMouseCapture(true);
    if (HandleAllocated()) SetTimer(GetHandle(), MouseTimer, 60, nullptr);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!Focused() && CanFocus()) {
        SetFocus();
        if (!Focused()) return; // the focus was refused
    }
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
        DblClick();
    } else if (Button == mbLeft) {
        TGridDrawInfo info;
        CalcSizingState(X, Y, gridState_, sizingIndex_, sizingPos_, sizingOfs_, info);
        if (gridState_ != gsNormal) {
            sizingDrawn_ = false;
            DrawSizingLine();
            SetMouseCapture(true);
            TCustomControl::MouseDown(Button, Shift, X, Y);
            return;
        }
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= fixedCols_ && cell.Y >= fixedRows_ && cell.X >= 0 && cell.Y >= 0) {
            if (options_.Contains(goEditing) && !Shift.Contains(ssShift)) {
                if (cell == current_) {
                    ShowEditor();
                } else {
                    MoveCurrent(cell.X, cell.Y, true, true);
                    UpdateEdit();
                }
                Click();
            } else {
                if (Shift.Contains(ssShift))
                    MoveAnchor(cell);
                else
                    MoveCurrent(cell.X, cell.Y, true, true);
                gridState_ = gsSelecting;
                SetTimer(GetHandle(), MouseTimer, 60, nullptr);
                SetMouseCapture(true);
            }
        } else if (options_.Contains(goRowMoving) && cell.X >= 0 && cell.X < fixedCols_ &&
                   cell.Y >= fixedRows_) {
            StartMove(gsRowMoving, cell.Y);
        } else if (options_.Contains(goColMoving) && cell.Y >= 0 && cell.Y < fixedRows_ &&
                   cell.X >= fixedCols_) {
            StartMove(gsColMoving, cell.X);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    switch (gridState_) {
    case gsSelecting: {
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= fixedCols_ && cell.Y >= fixedRows_ && !(cell == anchor_)) MoveAnchor(cell);
        break;
    }
    case gsColSizing:
    case gsRowSizing:
        if (sizingDrawn_) DrawSizingLine();
        sizingPos_ = (gridState_ == gsColSizing ? X : Y) + sizingOfs_;
        DrawSizingLine();
        break;
    case gsColMoving:
    case gsRowMoving: {
        const TGridCoord cell = MouseCoord(X, Y);
        const bool cols = gridState_ == gsColMoving;
        const int index = cols ? cell.X : cell.Y;
        if (MoveTargetAllowed(cols, index) && index != movePos_) {
            if (moveDrawn_) DrawMove();
            movePos_ = index;
            DrawMove();
        }
        break;
    }
    default:
        break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

int TCustomGrid::SizeFromLine() const {
    // The new size: from the cell's leading edge to the line.
    const bool cols = gridState_ == gsColSizing;
    const TGridAxis& a = cols ? cols_ : rows_;
    const int fixed = cols ? fixedCols_ : fixedRows_;
    const int first = cols ? topLeft_.X : topLeft_.Y;
    int64_t start = 0;
    if (!CellStart(a, fixed, first, sizingIndex_, start)) return a.GetSize(sizingIndex_);
    return static_cast<int>(std::max<int64_t>(0, sizingPos_ - start));
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TGridState state = gridState_;
    switch (state) {
    case gsSelecting:
        MouseMove(Shift, X, Y);
        EndMouseState();
        UpdateEdit();
        Click();
        break;
    case gsColSizing:
    case gsRowSizing: {
        if (sizingDrawn_) DrawSizingLine();
        const int size = SizeFromLine();
        const int index = sizingIndex_;
        EndMouseState();
        if (state == gsColSizing)
            SetColWidths(index, size);
        else
            SetRowHeights(index, size);
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        if (moveDrawn_) DrawMove();
        const int from = moveIndex_, to = movePos_;
        EndMouseState();
        if (from != to && from >= 0 && to >= 0) {
            if (state == gsColMoving)
                MoveColumn(from, to);
            else
                MoveRow(from, to);
        }
        break;
    }
    default:
        break;
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::EndMouseState() {
    if (gridState_ != gsNormal && HandleAllocated()) KillTimer(GetHandle(), MouseTimer);
    gridState_ = gsNormal;
    sizingDrawn_ = moveDrawn_ = false;
    if (GetMouseCapture()) SetMouseCapture(false);
}

void TCustomGrid::WMTimer(TWMTimer& Message) {
    const bool moving = gridState_ == gsColMoving || gridState_ == gsRowMoving;
    if (Message.TimerID != MouseTimer || (gridState_ != gsSelecting && !moving)) {
        TCustomControl::Dispatch(Message);
        return;
    }
    POINT screen;
    GetCursorPos(&screen);
    const TPoint p = ScreenToClient(screen);
    if (moving) return MoveAndScroll(p);
    // Dragging a selection past an edge scrolls the grid towards it.
    TGridCoord target = anchor_;
    if (p.y < 0)
        target.Y = std::max(fixedRows_, topLeft_.Y - 1);
    else if (p.y >= GetClientHeight())
        target.Y = std::min(GetRowCount() - 1, topLeft_.Y + GetVisibleRowCount());
    if (p.x < 0)
        target.X = std::max(fixedCols_, topLeft_.X - 1);
    else if (p.x >= GetClientWidth())
        target.X = std::min(GetColCount() - 1, topLeft_.X + GetVisibleColCount());
    if (!(target == anchor_)) MoveAnchor(target);
}

void TCustomGrid::MoveAndScroll(const TPoint& P) {
    const bool cols = gridState_ == gsColMoving;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    const TGridAxisDrawInfo& a = cols ? info.Horz : info.Vert;
    const int pos = cols ? P.x : P.y;
    const int fixed = cols ? fixedCols_ : fixedRows_;
    const int count = cols ? GetColCount() : GetRowCount();
    const int first = cols ? topLeft_.X : topLeft_.Y;
    const int visible = cols ? GetVisibleColCount() : GetVisibleRowCount();
    int target = movePos_;
    if (pos < a.FixedBoundary && first > fixed) {
        target = first - 1;
    } else if (pos >= a.FullVisBoundary && first + visible < count) {
        target = first + visible;
    } else {
        return;
    }
    if (!MoveTargetAllowed(cols, target)) return;
    if (moveDrawn_) DrawMove();
    const int newFirst = pos < a.FixedBoundary ? first - 1 : first + 1;
    if (cols)
        MoveTopLeft(newFirst, topLeft_.Y);
    else
        MoveTopLeft(topLeft_.X, newFirst);
    movePos_ = target;
    DrawMove();
}

void TCustomGrid::WMCancelMode(TMessage& Message) {
    if (gridState_ != gsNormal) {
        if (sizingDrawn_) DrawSizingLine();
        if (moveDrawn_) DrawMove();
        EndMouseState();
    }
    TCustomControl::Dispatch(Message);
}
