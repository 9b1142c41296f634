// TKavStringGrid: scroll bars that follow the grid (the proportional thumb, bars shown or
// disabled by ScrollBarAlways, flat bars in the grid's style, colour and width, scroll
// hints), the stretched column kept filling the width, and the reactions to changed sizes
// and scrolling.
#include "controles/grid/kav_grid.h"

#include "controles/grid/grid_settings.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/flat_scroll_bars.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/widgets/hint_window.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int ScrollMax = 127;

// Every scrollable row (column) is in view.
bool RowsFit(TKavStringGrid* g) {
    return g->GetVisibleRowCount() + g->GetFixedRows() >= g->GetRowCount();
}

bool ColsFit(TKavStringGrid* g) {
    return g->GetVisibleColCount() + g->GetFixedCols() >= g->GetColCount();
}

// The block of cells in view under the background picture placed once (bdFixed), which
// stays where it is while the cells move; Left -1 when there is none.
TGridRect CellsUnderFixedPicture(TKavStringGrid& G) {
    const TGridRect none{-1, -1, -1, -1};
    const TBackGround* bg = G.GetBackGround();
    const TBitmap* bmp = bg->GetBitmap();
    if (!G.HandleAllocated() || bg->GetDisplay() != bdFixed || !bmp || bmp->GetEmpty()) return none;
    // The picture within the client area and, where the last column or row shows, the
    // cells' extent (a cell out of view has an empty rectangle).
    const TRect lastCol = G.CellRect(G.GetColCount() - 1, G.GetTopRow());
    const TRect lastRow = G.CellRect(G.GetLeftCol(), G.GetRowCount() - 1);
    const int right =
        lastCol.Width() > 0 ? std::min(G.GetClientWidth(), lastCol.Right) : G.GetClientWidth();
    const int bottom =
        lastRow.Height() > 0 ? std::min(G.GetClientHeight(), lastRow.Bottom) : G.GetClientHeight();
    const int l = std::max(0, bg->GetLeft()), t = std::max(0, bg->GetTop());
    const int r = std::min(right, bg->GetLeft() + bmp->GetWidth());
    const int b = std::min(bottom, bg->GetTop() + bmp->GetHeight());
    if (l >= r || t >= b) return none;
    const TGridCoord from = G.MouseCoord(l, t), to = G.MouseCoord(r - 1, b - 1);
    if (from.X < 0 || to.X < 0) return none;
    return {from.X, from.Y, to.X, to.Y};
}

} // namespace

void TKavStringGrid::ProportionalBar(bool Vert) {
    const TComponentState st = GetComponentState();
    if (!HandleAllocated() || st.Contains(csLoading) || st.Contains(csDesigning) ||
        !scrollProportional_ || scrollInProgress_)
        return;
    const TScrollStyle bars = GetScrollBars();
    if (Vert && bars != ssVertical && bars != ssBoth) return;
    if (!Vert && bars != ssHorizontal && bars != ssBoth) return;
    const int64_t line = GetGridLineWidth();
    const int count = Vert ? GetRowCount() : GetColCount();
    const int fixed = Vert ? GetFixedRows() : GetFixedCols();
    const int first = Vert ? GetTopRow() : GetLeftCol();
    auto sum = [&](int From, int N) {
        return (Vert ? SumRowHeights(From, N) : SumColWidths(From, N)) + N * line;
    };
    const int64_t fixedExt = line + sum(0, fixed);
    const int64_t total = line + sum(fixed, count - fixed);
    const int64_t scrolled = line + sum(fixed, std::max(0, first - fixed));
    const int64_t client = Vert ? GetClientHeight() : GetClientWidth();
    // No scrollable rows: nothing to spread the positions over.
    if (count <= fixed || total <= line) return;
    const double r = std::max(0.0, static_cast<double>(client - fixedExt) / total);
    if (r > 0.9999) return;
    const int max = static_cast<int>(std::lround((ScrollMax + r) / (1 - r)));
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(max, ScrollMax);
    si.nPage = static_cast<UINT>(si.nMax - (ScrollMax - 1));
    // Setting the bar may resize the client area, which sets the bars again: once is enough.
    scrollInProgress_ = true;
    si.nPos = total > client
                  ? std::clamp(static_cast<int>(std::lround(static_cast<double>(scrolled) /
                                                            (total - client) * (ScrollMax + 1))),
                               0, ScrollMax)
                  : ScrollMax;
    SetScrollInfo(GetHandle(), Vert ? SB_VERT : SB_HORZ, &si, TRUE);
    scrollInProgress_ = false;
    if (Vert)
        UpdateVScrollBar();
    else
        UpdateHScrollBar();
}

void TKavStringGrid::UpdateVScroller() {
    ProportionalBar(true);
}

void TKavStringGrid::UpdateHScroller() {
    ProportionalBar(false);
}

void TKavStringGrid::ScrollBarsUpdated() {
    TBaseGrid::ScrollBarsUpdated();
    UpdateVScroller();
    UpdateHScroller();
}

void TKavStringGrid::UpdateScrollBars(bool Force) {
    if (!HandleAllocated()) return;
    HWND h = GetHandle();
    const bool rowsFit = RowsFit(this);
    const bool colsFit = ColsFit(this);
    if (scrollBarAlways_ != saNone) {
        if (rowsFit)
            ShowScrollBar(h, SB_VERT, scrollBarAlways_ == saVert || scrollBarAlways_ == saBoth);
        if (colsFit)
            ShowScrollBar(h, SB_HORZ, scrollBarAlways_ == saHorz || scrollBarAlways_ == saBoth);
        EnableScrollBar(h, SB_VERT, rowsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
        EnableScrollBar(h, SB_HORZ, colsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
    } else if (Force) {
        if (rowsFit) ShowScrollBar(h, SB_VERT, FALSE);
        if (colsFit) ShowScrollBar(h, SB_HORZ, FALSE);
    }
}

void TKavStringGrid::SetScrollBarAlways(TScrollBarAlways Value) {
    scrollBarAlways_ = Value;
    UpdateScrollBars(true);
}

void TKavStringGrid::SetScrollProportional(bool Value) {
    scrollProportional_ = Value;
    if (Value) {
        UpdateVScroller();
        UpdateHScroller();
    } else if (HandleAllocated()) {
        if (flatInit_ && scrollType_ == ssNormal) FlatDone();
        // Back to the plain bars of the grid underneath.
        SCROLLINFO si;
        si.fMask = SIF_PAGE;
        si.nPage = 0;
        SetScrollInfo(GetHandle(), SB_VERT, &si, TRUE);
        SetScrollInfo(GetHandle(), SB_HORZ, &si, TRUE);
        UpdateScrollRange();
    }
}

// --- flat scroll bars ---

void TKavStringGrid::FlatInit() {
    flatInit_ = HandleAllocated() && InitializeFlatSB(GetHandle());
}

void TKavStringGrid::FlatDone() {
    flatInit_ = false;
    if (HandleAllocated()) UninitializeFlatSB(GetHandle());
}

void TKavStringGrid::FlatSetScrollProp(int Index, int Value, bool Redraw) {
    if (flatInit_) FlatSB_SetScrollProp(GetHandle(), static_cast<UINT>(Index), Value, Redraw);
}

void TKavStringGrid::FlatSetScrollInfo(int Bar, const SCROLLINFO& Info, bool Redraw) {
    if (flatInit_) FlatSB_SetScrollInfo(GetHandle(), Bar, &Info, Redraw);
}

void TKavStringGrid::FlatShowScrollBar(int Bar, bool Show) {
    if (flatInit_ && HasBar(Bar)) FlatSB_ShowScrollBar(GetHandle(), Bar, Show);
}

void TKavStringGrid::UpdateType() {
    const int mode = FlatScrollMode(scrollType_);
    FlatSetScrollProp(WSB_PROP_VSTYLE, mode, true);
    FlatSetScrollProp(WSB_PROP_HSTYLE, mode, true);
}

void TKavStringGrid::UpdateColor() {
    if (scrollColor_ == clNone) return;
    FlatSetScrollProp(WSB_PROP_VBKGCOLOR, scrollColor_, true);
    FlatSetScrollProp(WSB_PROP_HBKGCOLOR, scrollColor_, true);
}

void TKavStringGrid::UpdateWidth() {
    FlatSetScrollProp(WSB_PROP_CXVSCROLL, scrollWidth_, true);
    FlatSetScrollProp(WSB_PROP_CYHSCROLL, scrollWidth_, true);
}

void TKavStringGrid::FlatUpdate() {
    UpdateType();
    UpdateColor();
    UpdateWidth();
    if (!flatInit_) return;
    const bool showV = !RowsFit(this);
    FlatShowScrollBar(SB_VERT, showV);
    if (showV) UpdateVScrollBar();
    const bool showH = !ColsFit(this);
    FlatShowScrollBar(SB_HORZ, showH);
    if (showH) UpdateHScrollBar();
}

void TKavStringGrid::UpdateVScrollBar() {
    CopyToFlatBar(SB_VERT);
}

void TKavStringGrid::UpdateHScrollBar() {
    CopyToFlatBar(SB_HORZ);
}

void TKavStringGrid::CopyToFlatBar(int Bar) {
    if (!flatInit_ || !HasBar(Bar)) return;
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    if (GetScrollInfo(GetHandle(), Bar, &si)) FlatSetScrollInfo(Bar, si, true);
}

bool TKavStringGrid::HasBar(int Bar) const {
    const TScrollStyle bars = GetScrollBars();
    return bars == ssBoth || bars == (Bar == SB_VERT ? ssVertical : ssHorizontal);
}

void TKavStringGrid::SetScrollType(TScrollType Value) {
    scrollType_ = Value;
    if (!HandleAllocated()) return; // the window takes it when it is made
    if (Value == ssNormal) {
        if (flatInit_) FlatDone();
        return;
    }
    if (!flatInit_) FlatInit();
    FlatUpdate();
}

void TKavStringGrid::SizeScrollBars() {
    if (sizingBars_ || !HandleAllocated()) return;
    sizingBars_ = true;
    UpdateVScrollBar();
    UpdateHScrollBar();
    FlatShowScrollBar(SB_HORZ, !ColsFit(this));
    FlatShowScrollBar(SB_VERT, !RowsFit(this));
    if (!HasBar(SB_HORZ)) ShowScrollBar(GetHandle(), SB_HORZ, FALSE);
    if (!HasBar(SB_VERT)) ShowScrollBar(GetHandle(), SB_VERT, FALSE);
    sizingBars_ = false;
}

void TKavStringGrid::SetScrollColor(TColor Value) {
    scrollColor_ = Value;
    UpdateColor();
}

void TKavStringGrid::SetScrollWidth(int Value) {
    scrollWidth_ = Value;
    UpdateWidth();
}

// --- sizes ---

void TKavStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
    const TComponentState st = GetComponentState();
    if (GetParent() && !st.Contains(csLoading) && !st.Contains(csReading) &&
        GetColumnSize()->GetStretch() && !stretching_) {
        stretching_ = true;
        try {
            StretchColumn(GetColumnSize()->GetStretchColumn());
        } catch (const EKavGridError&) {
            // A stretch column beyond the new count stretches nothing.
        }
        stretching_ = false;
    }
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    if (!flatInit_) return;
    FlatShowScrollBar(SB_VERT, !RowsFit(this));
    FlatShowScrollBar(SB_HORZ, !ColsFit(this));
    UpdateVScrollBar();
    UpdateHScrollBar();
}

void TKavStringGrid::ColWidthsChanged() {
    if (stretched_ && !stretching_ && GetColumnSize()->GetStretch()) {
        stretching_ = true;
        try {
            StretchColumn(GetColumnSize()->GetStretchColumn());
        } catch (const EKavGridError&) {
        }
        stretching_ = false;
    }
    TBaseGrid::ColWidthsChanged();
    FinishUserSizing(true);
    EditorFollowsSizes();
    UpdateFooter();
    CellControlsUpdate();
}

void TKavStringGrid::RowHeightsChanged() {
    TBaseGrid::RowHeightsChanged();
    FinishUserSizing(false);
    EditorFollowsSizes();
    CellControlsUpdate();
}

void TKavStringGrid::UpdateColSize(int ACol, int& AWidth) {
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TKavStringGrid::UpdateAutoColSize(int ACol, int& AWidth) {
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

// --- scrolling ---

void TKavStringGrid::TopLeftChanged() {
    // A picture fixed in the window: the scroll carried the cells under it away with the
    // part of the picture they showed, and brought others under it without. Both are
    // painted again.
    const TGridRect under = CellsUnderFixedPicture(*this);
    TGridRect before{-1, -1, -1, -1};
    if (under.Left >= 0) {
        // Before the first scroll the view starts at the first normal cell.
        const TPoint seen =
            seenTopLeft_.x >= 0 ? seenTopLeft_ : TPoint(GetFixedCols(), GetFixedRows());
        const int dx = seen.x - GetLeftCol(), dy = seen.y - GetTopRow();
        before = {std::clamp(under.Left + dx, 0, GetColCount() - 1),
                  std::clamp(under.Top + dy, 0, GetRowCount() - 1),
                  std::clamp(under.Right + dx, 0, GetColCount() - 1),
                  std::clamp(under.Bottom + dy, 0, GetRowCount() - 1)};
    }
    TBaseGrid::TopLeftChanged();
    if (GetSelectionRectangle()) Invalidate();
    for (const TGridRect& r : {under, before})
        if (r.Left >= 0) RepaintRect(TRect(r.Left, r.Top, r.Right, r.Bottom));
    // A gradient is laid over the window, not the cells.
    const TBackGroundDisplay d = backGround_->GetDisplay();
    if ((d == bdGradientHorz || d == bdGradientVert) && backGround_->GetColorTo() != clNone)
        Invalidate();
    // A text editor of a kind other than the plain one does not follow the scroll.
    if (EditorShown() && editSession_->Kind() != edNormal) HideInplaceEdit();
    UpdateVScroller();
    UpdateHScroller();
    UpdateFooter();
    CellControlsUpdate();
    seenTopLeft_ = TPoint(GetLeftCol(), GetTopRow());
}

void TKavStringGrid::DoScrollHint(bool Vert, int ScrollCode, int Pos) {
    const bool covered = scrollHints_ == shBoth ||
                         (Vert ? scrollHints_ == shVertical : scrollHints_ == shHorizontal);
    if (ScrollCode == SB_ENDSCROLL && scrollHintWindow_) {
        scrollHintWindow_->ReleaseHandle();
        return;
    }
    if (ScrollCode != SB_THUMBTRACK) return;
    const int target =
        Vert ? MulDiv(Pos, GetRowCount() - GetVisibleRowCount() - GetFixedRows(), ScrollMax) +
                   GetFixedRows()
             : MulDiv(Pos, GetColCount() - GetVisibleColCount() - GetFixedCols(), ScrollMax) +
                   GetFixedCols();
    if (covered) {
        AnsiString text = AnsiString(Vert ? "Row : " : "Col : ") + AnsiString(target);
        if (OnScrollHint) OnScrollHint(this, target, text);
        if (!scrollHintWindow_) scrollHintWindow_ = std::make_unique<THintWindow>(nullptr);
        scrollHintWindow_->SetColor(GetHintColor());
        POINT p{};
        GetCursorPos(&p);
        TRect r = scrollHintWindow_->CalcHintRect(100, text, nullptr);
        r = TRect(p.x + 10, p.y, p.x + 10 + r.Right, p.y + r.Bottom);
        scrollHintWindow_->ActivateHint(r, text);
    }
    if (scrollSynch_) {
        if (Vert)
            SetTopRow(std::max(GetFixedRows(), target));
        else
            SetLeftCol(std::max(GetFixedCols(), target));
    }
}

void TKavStringGrid::GridScrollMessage(TMessage& Message) {
    const bool vert = Message.Msg == WM_VSCROLL;
    const int code = static_cast<int>(Message.WParam & 0xFFFF);
    const int pos = static_cast<int>((Message.WParam >> 16) & 0xFFFF);
    DoScrollHint(vert, code, pos);
    // The picture placed once stays while the scroll shifts the cells' pixels: when other
    // cells come under it, the cells it covered (where its copy went) and the cells it covers
    // now are painted again. A thumb track that scrolls is no exception.
    const TGridRect before = CellsUnderFixedPicture(*this);
    const TGridCoord topLeft = {GetLeftCol(), GetTopRow()};
    TBaseGrid::Dispatch(Message);
    if (before.Left >= 0 && !(topLeft == TGridCoord{GetLeftCol(), GetTopRow()})) {
        const TGridRect after = CellsUnderFixedPicture(*this);
        for (const TGridRect& r : {before, after})
            if (r.Left >= 0) {
                const TRect a = CellRect(r.Left, r.Top), z = CellRect(r.Right, r.Bottom);
                const TRect area = Rect(std::min(a.Left, z.Left), std::min(a.Top, z.Top),
                                        std::max(a.Right, z.Right), std::max(a.Bottom, z.Bottom));
                InvalidateRect(GetHandle(), &area, FALSE);
            }
    }
    UpdateVScroller();
    UpdateHScroller();
    UpdateVScrollBar();
    UpdateHScrollBar();
}
