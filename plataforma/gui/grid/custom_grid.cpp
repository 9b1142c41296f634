// TCustomGrid: counts, sizes, the current cell, geometry and invalidation.
#include "plataforma/gui/grid/grids.h"

#include "plataforma/gui/painting/control_canvas.h"

#include <algorithm>
#include <cstdlib>

void GridIndexError() {
    throw EInvalidGridOperation("Grid index out of range");
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner), cols_(64, 1), rows_(24, 1) {
    cols_.SetCount(5);
    rows_.SetCount(5);
    current_ = anchor_ = topLeft_ = {1, 1};
    // The grid fires its clicks itself: on a release that selected, and when the current
    // cell moves.
    SetControlStyle({csOpaque, csCaptureMouse, csDoubleClicks});
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

// --- counts ---

void TCustomGrid::SetColCount(int Value) {
    Value = std::max(1, Value);
    if (Value == GetColCount()) return;
    if (Value <= fixedCols_) fixedCols_ = Value - 1;
    ChangeSize(Value, GetRowCount());
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
    const int oldCols = GetColCount(), oldRows = GetRowCount();
    if (NewRowCount < oldRows) RowsDropping(NewRowCount, oldRows - 1);
    cols_.SetCount(NewColCount);
    rows_.SetCount(NewRowCount);
    ResizeStore(NewColCount, NewRowCount);
    fixedCols_ = std::min(fixedCols_, NewColCount - 1);
    fixedRows_ = std::min(fixedRows_, NewRowCount - 1);
    auto clampCoord = [&](TGridCoord& c) {
        c.X = std::clamp(c.X, fixedCols_, NewColCount - 1);
        c.Y = std::clamp(c.Y, fixedRows_, NewRowCount - 1);
    };
    clampCoord(current_);
    clampCoord(anchor_);
    const TGridCoord oldTopLeft = topLeft_;
    ClampTopLeft();
    SizeChanged(oldCols, oldRows);
    UpdateScrollRange();
    InvalidateGrid();
    if (!(topLeft_ == oldTopLeft)) TopLeftChanged();
}

void TCustomGrid::ClampTopLeft() {
    topLeft_.X = std::clamp(topLeft_.X, fixedCols_, std::max(fixedCols_, GetColCount() - 1));
    topLeft_.Y = std::clamp(topLeft_.Y, fixedRows_, std::max(fixedRows_, GetRowCount() - 1));
}

void TCustomGrid::SetFixedCols(int Value) {
    if (Value < 0) GridIndexError();
    if (Value >= GetColCount())
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    if (Value == fixedCols_) return;
    fixedCols_ = Value;
    // As the class library does: the view and the current cell start again at the first
    // scrollable cell.
    topLeft_.X = current_.X = anchor_.X = Value;
    if (options_.Contains(goRowSelect)) anchor_.X = GetColCount() - 1;
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetFixedRows(int Value) {
    if (Value < 0) GridIndexError();
    if (Value >= GetRowCount())
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    if (Value == fixedRows_) return;
    fixedRows_ = Value;
    topLeft_.Y = current_.Y = anchor_.Y = Value;
    UpdateScrollRange();
    InvalidateGrid();
}

// --- look ---

void TCustomGrid::SetFixedColor(TColor Value) {
    if (fixedColor_ == Value) return;
    fixedColor_ = Value;
    InvalidateGrid();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
    cols_.SetDefaultSize(Value);
    ColWidthsChanged();
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
    rows_.SetDefaultSize(Value);
    RowHeightsChanged();
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetColWidths(int Index, int Value) {
    if (Index < 0 || Index >= GetColCount() || cols_.GetSize(Index) == std::max(0, Value)) return;
    cols_.SetSize(Index, Value);
    ColWidthsChanged();
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
    if (Index < 0 || Index >= GetRowCount() || rows_.GetSize(Index) == std::max(0, Value)) return;
    rows_.SetSize(Index, Value);
    RowHeightsChanged();
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetGridLineWidth(int Value) {
    Value = std::max(0, Value);
    if (Value == GetGridLineWidth()) return;
    cols_.SetLineWidth(Value);
    rows_.SetLineWidth(Value);
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
    if (defaultDrawing_ == Value) return;
    defaultDrawing_ = Value;
    InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (scrollBars_ == Value) return;
    scrollBars_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
    if (options_ == Value) return;
    options_ = Value;
    if (options_.Contains(goRowSelect)) {
        anchor_ = {GetColCount() - 1, current_.Y};
    }
    InvalidateGrid();
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_TABSTOP;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) Params.Style |= WS_HSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
    if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::Dispatch(TMessage& Message) {
    // Paint covers every pixel of what it repaints: no background first.
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    switch (Message.Msg) {
    case WM_VSCROLL:
        return CallMessageHandler(this, &TCustomGrid::WMVScroll, Message);
    case WM_HSCROLL:
        return CallMessageHandler(this, &TCustomGrid::WMHScroll, Message);
    case WM_SIZE:
        return CallMessageHandler(this, &TCustomGrid::WMSize, Message);
    case WM_GETDLGCODE:
        return WMGetDlgCode(Message);
    case WM_CHAR:
        return CallMessageHandler(this, &TCustomGrid::WMChar, Message);
    case WM_SETFOCUS:
        return CallMessageHandler(this, &TCustomGrid::WMSetFocus, Message);
    case WM_KILLFOCUS:
        return CallMessageHandler(this, &TCustomGrid::WMKillFocus, Message);
    case WM_TIMER:
        return CallMessageHandler(this, &TCustomGrid::WMTimer, Message);
    case WM_CANCELMODE:
        return WMCancelMode(Message);
    default:
        TCustomControl::Dispatch(Message);
    }
}

// --- hooks ---

bool TCustomGrid::SelectCell(int, int) {
    return true;
}
void TCustomGrid::ColWidthsChanged() {}
void TCustomGrid::RowHeightsChanged() {}
void TCustomGrid::TopLeftChanged() {
    // An open editor follows its cell, and goes out of sight with it.
    if (!editorMode_ || !inplaceEdit_ || inplaceCol_ < 0) return;
    const TRect r = CellRect(inplaceCol_, inplaceRow_);
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        inplaceEdit_->Hide();
    else
        inplaceEdit_->UpdateLoc(r);
}
void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}
void TCustomGrid::RowsDropping(int, int) {}
void TCustomGrid::ResizeStore(int, int) {}

// --- current cell and selection ---

TGridRect TCustomGrid::GetSelection() const {
    if (selectionBeyond_) return {GetColCount(), GetRowCount(), GetColCount(), GetRowCount()};
    TGridRect r{std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y),
                std::max(anchor_.X, current_.X), std::max(anchor_.Y, current_.Y)};
    if (options_.Contains(goRowSelect)) {
        r.Left = fixedCols_;
        r.Right = GetColCount() - 1;
    }
    return r;
}

void TCustomGrid::SetCol(int Value) {
    if (Value != current_.X) FocusCell(Value, current_.Y, true);
}

void TCustomGrid::SetRow(int Value) {
    if (Value != current_.Y) FocusCell(current_.X, Value, true);
}

void TCustomGrid::SetSelectionBeyond(bool Value) {
    if (Value == selectionBeyond_) return;
    const TGridRect old = GetSelection();
    selectionBeyond_ = Value;
    // The current cell shows (or no longer shows) as current too.
    InvalidateCell(current_.X, current_.Y);
    SelectionMoved(old);
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
    SetSelectionBeyond(false);
    const TGridRect old = GetSelection();
    MoveCurrent(Value.Left, Value.Top, true, false);
    // Without range selection the block collapses to the current cell, as set above.
    if (options_.Contains(goRangeSelect) || options_.Contains(goRowSelect)) {
        anchor_.X = std::clamp(Value.Right, fixedCols_, GetColCount() - 1);
        anchor_.Y = std::clamp(Value.Bottom, fixedRows_, GetRowCount() - 1);
    }
    SelectionMoved(old);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
    if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) GridIndexError();
    if (!SelectCell(ACol, ARow)) return;
    SetSelectionBeyond(false);
    const TGridRect old = GetSelection();
    const TGridCoord oldCurrent = current_;
    // Leaving the cell closes its editor (its text kept), unless the editor always shows.
    if (!(oldCurrent == TGridCoord{ACol, ARow}) && !options_.Contains(goAlwaysShowEditor))
        HideEditor();
    current_ = {ACol, ARow};
    if (MoveAnchor || !options_.Contains(goRangeSelect)) anchor_ = current_;
    if (options_.Contains(goRowSelect)) anchor_.X = GetColCount() - 1;
    if (Show) ClampInView(current_);
    SelectionMoved(old);
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
    InvalidateCell(current_.X, current_.Y);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel) {
    const TGridRect now = GetSelection();
    if (now == OldSel) return;
    InvalidateBlock(OldSel);
    InvalidateBlock(now);
}

// --- geometry ---

bool TCustomGrid::CellStart(const TGridAxis& Axis, int Fixed, int First, int Index,
                            int64_t& Pos) const {
    if (Index < 0 || Index >= Axis.GetCount()) return false;
    if (Index < Fixed) {
        Pos = Axis.Offset(Index);
        return true;
    }
    if (Index < First) return false;
    Pos = Axis.Offset(Fixed) + Axis.Offset(Index) - Axis.Offset(First);
    return true;
}

int TCustomGrid::IndexAtPos(const TGridAxis& Axis, int Fixed, int First, int Pos) const {
    if (Pos < 0) return -1;
    const int64_t fixedEnd = Axis.Offset(Fixed);
    int i;
    if (Pos < fixedEnd)
        i = Axis.IndexAt(Pos);
    else
        i = Axis.IndexAt(Pos - fixedEnd + Axis.Offset(First));
    return i >= Axis.GetCount() ? -1 : i;
}

int TCustomGrid::LastFullVisible(const TGridAxis& Axis, int Fixed, int First, int Extent) const {
    // Cells wholly in view end (their own size, not their line) by the client's edge.
    const int64_t end = static_cast<int64_t>(Extent) - Axis.Offset(Fixed) + Axis.Offset(First);
    int i = Axis.IndexAt(end);
    if (i >= Axis.GetCount()) return Axis.GetCount() - 1;
    if (i < 0) return First;
    if (Axis.Offset(i) + Axis.GetSize(i) > end) --i;
    return std::max(i, First);
}

int TCustomGrid::GetVisibleColCount() const {
    if (fixedCols_ >= GetColCount()) return 0;
    return LastFullVisible(cols_, fixedCols_, topLeft_.X, GetClientWidth()) - topLeft_.X + 1;
}

int TCustomGrid::GetVisibleRowCount() const {
    if (fixedRows_ >= GetRowCount()) return 0;
    return LastFullVisible(rows_, fixedRows_, topLeft_.Y, GetClientHeight()) - topLeft_.Y + 1;
}

int TCustomGrid::MaxTop(const TGridAxis& Axis, int Fixed, int Extent) const {
    const int n = Axis.GetCount();
    if (Fixed >= n) return Fixed;
    // The first index from which the rest ends (its last line aside) inside the view.
    const int64_t room = static_cast<int64_t>(Extent) - Axis.Offset(Fixed);
    const int64_t from = Axis.Total() - Axis.GetLineWidth() - room;
    if (from <= Axis.Offset(Fixed)) return Fixed;
    int i = Axis.IndexAt(from);
    if (i < n && Axis.Offset(i) < from) ++i;
    return std::clamp(i, Fixed, n - 1);
}

TGridCoord TCustomGrid::CalcMaxTopLeft() const {
    return {MaxTop(cols_, fixedCols_, GetClientWidth()),
            MaxTop(rows_, fixedRows_, GetClientHeight())};
}

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const {
    // The visible part of the block: its first and last cells in view along each axis.
    const int w = GetClientWidth(), h = GetClientHeight();
    auto span = [&](const TGridAxis& axis, int fixed, int first, int lo, int hi, int extent,
                    int& from, int& to) {
        lo = std::max(lo, 0);
        hi = std::min(hi, axis.GetCount() - 1);
        if (lo > hi) return false;
        // Scrolled-away cells between the fixed ones and the first in view are skipped.
        if (lo >= fixed && lo < first) lo = first;
        if (hi >= fixed && hi < first) hi = fixed - 1;
        if (lo > hi) return false;
        int64_t a = 0, b = 0;
        if (!CellStart(axis, fixed, first, lo, a) || !CellStart(axis, fixed, first, hi, b))
            return false;
        b += axis.GetSize(hi);
        if (a >= extent || b <= a) return false;
        from = static_cast<int>(a);
        to = static_cast<int>(std::min<int64_t>(b, extent));
        return true;
    };
    TRect r;
    if (!span(cols_, fixedCols_, topLeft_.X, ALeft, ARight, w, r.Left, r.Right)) return TRect();
    if (!span(rows_, fixedRows_, topLeft_.Y, ATop, ABottom, h, r.Top, r.Bottom)) return TRect();
    return r;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    return BoxRect(ACol, ARow, ACol, ARow);
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
    TGridCoord c{IndexAtPos(cols_, fixedCols_, topLeft_.X, X),
                 IndexAtPos(rows_, fixedRows_, topLeft_.Y, Y)};
    if (c.X < 0 || c.Y < 0) c = {-1, -1};
    return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

// --- scrolling ---

void TCustomGrid::SetTopRow(int Value) {
    Value = std::clamp(Value, fixedRows_, std::max(fixedRows_, GetRowCount() - 1));
    if (Value != topLeft_.Y) MoveTopLeft(topLeft_.X, Value);
}

void TCustomGrid::SetLeftCol(int Value) {
    Value = std::clamp(Value, fixedCols_, std::max(fixedCols_, GetColCount() - 1));
    if (Value != topLeft_.X) MoveTopLeft(Value, topLeft_.Y);
}

void TCustomGrid::ClampInView(const TGridCoord& Coord) {
    if (Coord.X < fixedCols_ && Coord.Y < fixedRows_) return;
    TGridCoord tl = topLeft_;
    auto clamp = [&](const TGridAxis& axis, int fixed, int first, int index, int extent) {
        if (index < fixed) return first;
        if (index < first) return index;
        if (index <= LastFullVisible(axis, fixed, first, extent)) return first;
        // The first top from which the cell ends inside the view.
        const int64_t room = static_cast<int64_t>(extent) - axis.Offset(fixed);
        const int64_t from = axis.Offset(index) + axis.GetSize(index) - room;
        int i = axis.IndexAt(from);
        if (i < axis.GetCount() && axis.Offset(i) < from) ++i;
        return std::clamp(i, fixed, index);
    };
    tl.X = clamp(cols_, fixedCols_, topLeft_.X, Coord.X, GetClientWidth());
    tl.Y = clamp(rows_, fixedRows_, topLeft_.Y, Coord.Y, GetClientHeight());
    if (!(tl == topLeft_)) MoveTopLeft(tl.X, tl.Y);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
    if (ALeft == topLeft_.X && ATop == topLeft_.Y) return;
    const TGridCoord old = topLeft_;
    topLeft_ = {ALeft, ATop};
    ClampTopLeft();
    if (topLeft_ == old) return;
    UpdateScrollPos();
    // Only the scrollable part moves: the fixed rows and columns stay. A step smaller than
    // the view shifts the pixels already painted and paints only the strip uncovered.
    if (HandleAllocated()) {
        const int w = GetClientWidth(), h = GetClientHeight();
        const int fx = static_cast<int>(std::min<int64_t>(cols_.Offset(fixedCols_), w));
        const int fy = static_cast<int>(std::min<int64_t>(rows_.Offset(fixedRows_), h));
        auto shift = [&](const TRect& area, int64_t dx, int64_t dy) {
            const int64_t extent = dx != 0 ? area.Width() : area.Height();
            if (area.Width() <= 0 || area.Height() <= 0) return;
            if (std::abs(dx + dy) < extent)
                ScrollWindow(GetHandle(), static_cast<int>(dx), static_cast<int>(dy), &area, &area);
            else
                InvalidateClient(area);
        };
        if (topLeft_.X != old.X)
            shift(Rect(fx, 0, w, h), cols_.Offset(old.X) - cols_.Offset(topLeft_.X), 0);
        if (topLeft_.Y != old.Y)
            shift(Rect(0, fy, w, h), 0, rows_.Offset(old.Y) - rows_.Offset(topLeft_.Y));
    }
    TopLeftChanged();
}

// --- moving and deleting ---

namespace {

// An index after the move of From to To: the moved one goes along, those between shift.
void MoveAdjust(int& Index, int From, int To) {
    if (Index == From)
        Index = To;
    else if (From < To && Index > From && Index <= To)
        --Index;
    else if (From > To && Index >= To && Index < From)
        ++Index;
}

void CheckMove(int From, int To, int Count) {
    if (From < 0 || To < 0 || From >= Count || To >= Count) GridIndexError();
}

} // namespace

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
    CheckMove(FromIndex, ToIndex, GetColCount());
    if (FromIndex == ToIndex) return;
    cols_.Move(FromIndex, ToIndex);
    MoveAdjust(current_.X, FromIndex, ToIndex);
    if (!options_.Contains(goRowSelect)) MoveAdjust(anchor_.X, FromIndex, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    if (cols_.HasSizes()) ColWidthsChanged();
    InvalidateGrid();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
    CheckMove(FromIndex, ToIndex, GetRowCount());
    if (FromIndex == ToIndex) return;
    rows_.Move(FromIndex, ToIndex);
    MoveAdjust(current_.Y, FromIndex, ToIndex);
    MoveAdjust(anchor_.Y, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    if (rows_.HasSizes()) RowHeightsChanged();
    InvalidateGrid();
}

void TCustomGrid::PermuteRows(int First, const std::vector<int>& From) {
    const int n = static_cast<int>(From.size());
    if (n == 0) return;
    if (First < 0 || First + n > GetRowCount()) GridIndexError();
    rows_.Permute(First, From);
    RowsPermuted(First, From);
    if (rows_.HasSizes()) RowHeightsChanged();
    InvalidateGrid();
}

void TCustomGrid::RowsPermuted(int, const std::vector<int>&) {}

void TCustomGrid::RotateRows(int First, int Middle, int Last) {
    if (First < 0 || Last > GetRowCount() || First > Middle || Middle > Last) GridIndexError();
    if (First == Middle || Middle == Last) return;
    rows_.Rotate(First, Middle, Last);
    RowsRotated(First, Middle, Last);
    if (rows_.HasSizes()) RowHeightsChanged();
    InvalidateGrid();
}

void TCustomGrid::RowsRotated(int, int, int) {}

void TCustomGrid::ExchangeRows(int ARow1, int ARow2) {
    const int n = GetRowCount();
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= n || ARow2 >= n) GridIndexError();
    if (ARow1 == ARow2) return;
    const int h1 = rows_.GetSize(ARow1), h2 = rows_.GetSize(ARow2);
    if (h1 != h2) {
        rows_.SetSize(ARow1, h2);
        rows_.SetSize(ARow2, h1);
    }
    RowsExchanged(ARow1, ARow2);
}

void TCustomGrid::RowsExchanged(int, int) {}

void TCustomGrid::DeleteColumn(int ACol) {
    MoveColumn(ACol, GetColCount() - 1);
    SetColCount(GetColCount() - 1);
}

void TCustomGrid::DeleteRow(int ARow) {
    MoveRow(ARow, GetRowCount() - 1);
    SetRowCount(GetRowCount() - 1);
}

// --- invalidation ---

void TCustomGrid::InvalidateClient(const TRect& R) {
    if (!HandleAllocated() || R.Right <= R.Left || R.Bottom <= R.Top) return;
    InvalidateRect(const_cast<TCustomGrid*>(this)->GetHandle(), &R, FALSE);
}

void TCustomGrid::InvalidateBlock(const TGridRect& R) {
    if (!HandleAllocated()) return;
    InvalidateClient(BoxRect(R.Left, R.Top, R.Right, R.Bottom));
}

void TCustomGrid::InvalidateCol(int ACol) {
    InvalidateBlock({ACol, 0, ACol, GetRowCount() - 1});
}

void TCustomGrid::InvalidateRow(int ARow) {
    InvalidateBlock({0, ARow, GetColCount() - 1, ARow});
}
