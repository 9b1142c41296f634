// TScrollBox: the range of its bars follows the extent of its controls; scrolling moves the
// view, never the controls' bounds.

#include "plataforma/gui/widgets/scroll_box.h"

#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/kernel/system_metrics.h"

#include <algorithm>
#include <limits>

namespace {
// What an arrow of a bar scrolls.
constexpr int LINE_STEP = 8;
} // namespace

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(
        {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 185, 41);
}

TScrollBox::~TScrollBox() {
    Destroying();
    DestroyHandle();
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
    TWinControl::AlignControls(AControl, Rect);
    // A bar that comes or goes changes the room of the aligned controls.
    if (UpdateRange()) {
        TRect client = GetClientRect();
        TWinControl::AlignControls(AControl, client);
    }
}

bool TScrollBox::UpdateRange() {
    if (updatingRange_ || !HandleAllocated()) return false;
    updatingRange_ = true;
    int right = 0, bottom = 0;
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControls(i);
        if (!c->GetVisible() || c->GetAlign() != alNone) continue;
        right = std::max(right, c->GetLeft() + c->GetWidth());
        bottom = std::max(bottom, c->GetTop() + c->GetHeight());
    }
    const int w = GetWidth() - 2 * GetBorderWidth(), h = GetHeight() - 2 * GetBorderWidth();
    bool vert = bottom > h;
    const bool horz = right > w - (vert ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    if (horz && !vert) vert = bottom > h - GetSystemMetrics(SM_CYHSCROLL);

    const TRect before = GetClientRect();
    HWND handle = GetHandle();
    ShowScrollBar(handle, SB_HORZ, horz);
    ShowScrollBar(handle, SB_VERT, vert);
    bars_[SB_HORZ] = horz;
    bars_[SB_VERT] = vert;
    const TRect client = GetClientRect();
    auto range = [&](int bar, bool shown, int extent, int page, int pos) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(extent - 1, 0);
        si.nPage = static_cast<UINT>(std::max(page, 0));
        si.nPos = pos;
        const int set = SetScrollInfo(handle, bar, &si, TRUE);
        return shown ? set : 0;
    };
    const TPoint old = scroll_;
    scroll_.x = range(SB_HORZ, horz, right, client.Width(), scroll_.x);
    scroll_.y = range(SB_VERT, vert, bottom, client.Height(), scroll_.y);
    const bool resized = client.Width() != before.Width() || client.Height() != before.Height();
    if (resized || scroll_.x != old.x || scroll_.y != old.y) PlaceChildWidgets();
    updatingRange_ = false;
    return resized;
}

void TScrollBox::ScrollTo(int X, int Y) {
    if (!HandleAllocated()) return;
    HWND handle = GetHandle();
    auto to = [&](int bar, int want, int now) {
        if (!bars_[bar] || want == now) return now;
        SetScrollPos(handle, bar, want, TRUE);
        return GetScrollPos(handle, bar);
    };
    const TPoint next{to(SB_HORZ, X, scroll_.x), to(SB_VERT, Y, scroll_.y)};
    if (next.x == scroll_.x && next.y == scroll_.y) return;
    scroll_ = next;
    PlaceChildWidgets();
}

void TScrollBox::ScrollInView(TControl* AControl) {
    if (!AControl || AControl == this || !ContainsControl(AControl) || !HandleAllocated()) return;
    // The control's rectangle in the box's contents.
    TRect r = AControl->GetBoundsRect();
    for (TWinControl* p = AControl->GetParent(); p && p != this; p = p->GetParent()) {
        const TPoint scroll = p->ChildScrollOffset();
        r = OffsetRect(r, p->GetLeft() + p->GetBorderWidth() - scroll.x,
                       p->GetTop() + p->GetBorderWidth() - scroll.y);
    }
    const TRect client = GetClientRect();
    auto along = [](int pos, int first, int last, int room) {
        if (last > pos + room) pos = last - room;
        if (first < pos) pos = first;
        return pos;
    };
    ScrollTo(along(scroll_.x, r.Left, r.Right, client.Width()),
             along(scroll_.y, r.Top, r.Bottom, client.Height()));
}

void TScrollBox::ScrollMessage(int Bar, int Code, int ThumbPos) {
    const TRect client = GetClientRect();
    const int page = Bar == SB_VERT ? client.Height() : client.Width();
    int pos = Bar == SB_VERT ? scroll_.y : scroll_.x;
    switch (Code) {
    case SB_LINEUP:
        pos -= LINE_STEP;
        break;
    case SB_LINEDOWN:
        pos += LINE_STEP;
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = ThumbPos;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = std::numeric_limits<int>::max(); // the bar stops at its end
        break;
    default:
        return;
    }
    if (Bar == SB_VERT)
        ScrollTo(scroll_.x, pos);
    else
        ScrollTo(pos, scroll_.y);
}

void TScrollBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const TWMScroll s(Message);
        ScrollMessage(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, s.ScrollCode, s.Pos);
        Message.Result = 0;
        return;
    }
    case CM_FOCUSCHANGED:
        ScrollInView(reinterpret_cast<TControl*>(Message.LParam));
        break;
    default:
        break;
    }
    TWinControl::Dispatch(Message);
}

void TScrollBox::DefaultHandler(TMessage& Message) {
    // The wheel scrolls the view while it has a vertical bar; otherwise it goes on to the
    // parent.
    if (Message.Msg == WM_MOUSEWHEEL && bars_[SB_VERT]) {
        UINT lines = 3;
        SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        const TWMMouseWheel m(Message);
        const int steps = -m.WheelDelta * static_cast<int>(lines) / 120;
        ScrollTo(scroll_.x, scroll_.y + steps * LINE_STEP);
        Message.Result = 1;
        return;
    }
    TWinControl::DefaultHandler(Message);
}
