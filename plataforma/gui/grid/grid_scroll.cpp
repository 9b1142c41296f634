// TCustomGrid's scroll bars: the positions 0..127 mapped onto the scrollable range.
#include "plataforma/gui/grid/grids.h"

#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/painting/font.h"

#include <QWidget>

#include <algorithm>

namespace {

constexpr int ScrollMax = 127;

} // namespace

bool TCustomGrid::ScrollBarWanted(int Bar) const {
    if (Bar == SB_VERT) return scrollBars_ == ssVertical || scrollBars_ == ssBoth;
    return scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
}

void TCustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    // Each paint covers the whole window (the cells from the paint store, the frame from
    // its image): what lies under it is not painted first.
    if (QWidget* w = GetWidget()) w->setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateScrollRange();
}

void TCustomGrid::UpdateScrollRange() {
    if (!HandleAllocated() || updatingScroll_) return;
    updatingScroll_ = true;
    HWND h = GetHandle();
    // Showing or hiding one bar changes the room the other has: settle in a few passes.
    for (int pass = 0; pass < 3; ++pass) {
        const int w = GetClientWidth(), ht = GetClientHeight();
        const TGridCoord max = CalcMaxTopLeft();
        if (ScrollBarWanted(SB_HORZ))
            SetScrollRange(h, SB_HORZ, 0, max.X > fixedCols_ ? ScrollMax : 0, TRUE);
        if (ScrollBarWanted(SB_VERT))
            SetScrollRange(h, SB_VERT, 0, max.Y > fixedRows_ ? ScrollMax : 0, TRUE);
        if (GetClientWidth() == w && GetClientHeight() == ht) break;
    }
    updatingScroll_ = false;
    // A bigger view may leave the top-left cell past the last one that still fills it.
    const TGridCoord max = CalcMaxTopLeft();
    if (topLeft_.X > max.X || topLeft_.Y > max.Y)
        MoveTopLeft(std::min(topLeft_.X, max.X), std::min(topLeft_.Y, max.Y));
    UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos() {
    if (!HandleAllocated()) return;
    const TGridCoord max = CalcMaxTopLeft();
    HWND h = GetHandle();
    auto pos = [](int value, int fixed, int maxValue) {
        if (maxValue <= fixed) return 0;
        return std::clamp(MulDiv(value - fixed, ScrollMax, maxValue - fixed), 0, ScrollMax);
    };
    if (ScrollBarWanted(SB_HORZ))
        SetScrollPos(h, SB_HORZ, pos(topLeft_.X, fixedCols_, max.X), TRUE);
    if (ScrollBarWanted(SB_VERT))
        SetScrollPos(h, SB_VERT, pos(topLeft_.Y, fixedRows_, max.Y), TRUE);
    ScrollBarsUpdated();
}

void TCustomGrid::ScrollBarsUpdated() {}

void TCustomGrid::ModifyScrollBar(int Bar, int ScrollCode, int Pos) {
    const bool vert = Bar == SB_VERT;
    const int fixed = vert ? fixedRows_ : fixedCols_;
    const int first = vert ? topLeft_.Y : topLeft_.X;
    const TGridCoord maxTL = CalcMaxTopLeft();
    const int max = std::max(fixed, vert ? maxTL.Y : maxTL.X);
    const int page = std::max(1, vert ? GetVisibleRowCount() : GetVisibleColCount());
    int value = first;
    switch (ScrollCode) {
    case SB_LINEUP:
        value = first - 1;
        break;
    case SB_LINEDOWN:
        value = first + 1;
        break;
    case SB_PAGEUP:
        value = first - page;
        break;
    case SB_PAGEDOWN:
        value = first + page;
        break;
    case SB_THUMBTRACK:
        if (!options_.Contains(goThumbTracking)) return;
        value = fixed + MulDiv(Pos, max - fixed, ScrollMax);
        break;
    case SB_THUMBPOSITION:
        value = fixed + MulDiv(Pos, max - fixed, ScrollMax);
        break;
    case SB_TOP:
        value = fixed;
        break;
    case SB_BOTTOM:
        value = max;
        break;
    case SB_ENDSCROLL:
        UpdateScrollPos();
        return;
    default:
        return;
    }
    value = std::clamp(value, fixed, max);
    if (vert)
        MoveTopLeft(topLeft_.X, value);
    else
        MoveTopLeft(value, topLeft_.Y);
    // While the thumb is dragged it stays where the user holds it.
    if (ScrollCode != SB_THUMBTRACK) UpdateScrollPos();
}

void TCustomGrid::WMVScroll(TWMVScroll& Message) {
    ModifyScrollBar(SB_VERT, Message.ScrollCode, Message.Pos);
    Message.Result = 0;
}

void TCustomGrid::WMHScroll(TWMHScroll& Message) {
    ModifyScrollBar(SB_HORZ, Message.ScrollCode, Message.Pos);
    Message.Result = 0;
}

void TCustomGrid::WMSize(TWMSize& Message) {
    TCustomControl::Dispatch(Message);
    UpdateScrollRange();
}
