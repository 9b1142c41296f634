// The non-client area of a window: border, classic or flat scroll bars and a user's presses
// on them.

#include "plataforma/gui/kernel/window_frame.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/flat_scroll_bars.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/paint_context.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace {

// Windows waits this long before repeating a held arrow or page area, then repeats at this
// pace.
constexpr int kFirstRepeat = 250;
constexpr int kRepeat = 50;
constexpr int kMinThumb = 8;

// Along a bar: the length of an arrow, whatever the bar's thickness.
int ArrowLength(int bar) {
    return GetSystemMetrics(bar == SB_VERT ? SM_CYVSCROLL : SM_CXHSCROLL);
}

bool FlatLook(const WindowFrame* f, int bar) {
    return f && f->flat && f->flat->style[bar] != FSB_REGULAR_MODE;
}

bool BarEnabled(const TWinControl& c, const ScrollBarState& s) {
    return c.GetEnabled() && s.disabled != ESB_DISABLE_BOTH && s.MaxPos() > s.min;
}

// Along the bar: where each part lies, as offsets from the bar's start.
struct BarLayout {
    int length = 0;
    int arrow = 0;
    int thumbStart = 0; // 0 when there is no thumb
    int thumbLength = 0;
};

BarLayout Layout(const TWinControl& c, int bar, const ScrollBarState& s, const QRect& r,
                 bool tracking) {
    BarLayout l;
    l.length = bar == SB_VERT ? r.height() : r.width();
    const int size = ArrowLength(bar);
    l.arrow = std::min(size, l.length / 2);
    const int track = l.length - 2 * l.arrow;
    if (!BarEnabled(c, s)) return l;
    int thumb = size;
    if (s.page > 0) {
        const long long span = static_cast<long long>(s.max) - s.min + 1;
        thumb = static_cast<int>(
            std::max<long long>(kMinThumb, track * static_cast<long long>(s.page) / span));
    }
    if (thumb > track) return l;
    const int pos = tracking ? s.trackPos : s.pos;
    const long long range = static_cast<long long>(s.MaxPos()) - s.min;
    const long long at = std::clamp<long long>(pos - s.min, 0, range);
    l.thumbLength = thumb;
    l.thumbStart = l.arrow + static_cast<int>(range > 0 ? (track - thumb) * at / range : 0);
    return l;
}

BarPart PartAt(const BarLayout& l, int along) {
    if (along < 0 || along >= l.length) return BarPart::None;
    if (along < l.arrow) return BarPart::LineUp;
    if (along >= l.length - l.arrow) return BarPart::LineDown;
    if (l.thumbLength == 0) return BarPart::None;
    if (along < l.thumbStart) return BarPart::PageUp;
    if (along < l.thumbStart + l.thumbLength) return BarPart::Thumb;
    return BarPart::PageDown;
}

QRect Along(const QRect& r, int bar, int start, int length) {
    return bar == SB_VERT ? QRect(r.left(), r.top() + start, r.width(), length)
                          : QRect(r.left() + start, r.top(), length, r.height());
}

TRect ToTRect(const QRect& r) {
    return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void DrawBar(TWinControl& c, int bar, HDC dc) {
    WindowFrame* f = c.GetWindowFrame();
    const ScrollBarState& s = f->bars[bar];
    const QRect r = BarRect(c, bar);
    if (r.isEmpty()) return;
    const bool tracking = f->trackBar == bar;
    const BarLayout l = Layout(c, bar, s, r, tracking && f->trackPart == BarPart::Thumb);
    const bool enabled = BarEnabled(c, s);
    const BarPart pressed = tracking && f->trackOver ? f->trackPart : BarPart::None;
    if (FlatLook(f, bar)) {
        FlatBarLook look;
        look.style = f->flat->style[bar];
        look.background = f->flat->background[bar];
        look.vertical = bar == SB_VERT;
        look.enabled = enabled;
        look.upEnabled = !(s.disabled & ESB_DISABLE_LTUP);
        look.downEnabled = !(s.disabled & ESB_DISABLE_RTDN);
        look.bar = r;
        look.lineUp = Along(r, bar, 0, l.arrow);
        look.lineDown = Along(r, bar, l.length - l.arrow, l.arrow);
        if (l.thumbLength > 0) {
            look.thumb = Along(r, bar, l.thumbStart, l.thumbLength);
            look.pageUp = Along(r, bar, l.arrow, l.thumbStart - l.arrow);
            look.pageDown = Along(r, bar, l.thumbStart + l.thumbLength,
                                  l.length - l.arrow - l.thumbStart - l.thumbLength);
        }
        look.pressed = pressed;
        look.hot = f->trackBar < 0 && f->hotBar == bar ? f->hotPart : BarPart::None;
        QPainter p(&f->image);
        PaintFlatBar(p, look);
        return;
    }
    // The arrows.
    for (int end = 0; end < 2; ++end) {
        TRect a = ToTRect(Along(r, bar, end == 0 ? 0 : l.length - l.arrow, l.arrow));
        UINT kind = bar == SB_VERT ? (end == 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                   : (end == 0 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
        const UINT off = end == 0 ? ESB_DISABLE_LTUP : ESB_DISABLE_RTDN;
        if (!enabled || (s.disabled & off)) kind |= DFCS_INACTIVE;
        if (pressed == (end == 0 ? BarPart::LineUp : BarPart::LineDown))
            kind |= DFCS_PUSHED | DFCS_FLAT;
        DrawFrameControl(dc, &a, DFC_SCROLL, kind);
    }
    // The track, a dither of face and highlight; a pressed page area shows dark.
    {
        QPainter p(&f->image);
        const QRect track = Along(r, bar, l.arrow, std::max(0, l.length - 2 * l.arrow));
        p.fillRect(track, ToQColor(clBtnHighlight));
        p.fillRect(track, QBrush(ToQColor(clBtnFace), Qt::Dense4Pattern));
        if (l.thumbLength > 0 && (pressed == BarPart::PageUp || pressed == BarPart::PageDown)) {
            const QRect page = pressed == BarPart::PageUp
                                   ? Along(r, bar, l.arrow, l.thumbStart - l.arrow)
                                   : Along(r, bar, l.thumbStart + l.thumbLength,
                                           l.length - l.arrow - l.thumbStart - l.thumbLength);
            p.fillRect(page, ToQColor(cl3DDkShadow));
        }
    }
    if (l.thumbLength > 0) {
        TRect t = ToTRect(Along(r, bar, l.thumbStart, l.thumbLength));
        DrawFrameControl(dc, &t, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
}

// A canvas on the whole window, drawing into its frame store.
struct FrameCanvas {
    explicit FrameCanvas(TWinControl& c) {
        canvas.SetControl(&c);
        canvas.SetWholeWindow(true);
    }
    TControlCanvas canvas;
    HDC Handle() { return canvas.GetHandle(); }
};

void Show(TWinControl& c, const QRegion& r) {
    QWidget* w = c.GetWidget();
    if (w && !CurrentPaint(w)) w->update(r);
}

int Along(QMouseEvent* e, int bar, const QRect& r) {
    const QPoint p = e->position().toPoint();
    return bar == SB_VERT ? p.y() - r.top() : p.x() - r.left();
}

void SendScroll(TWinControl& c, int bar, int code, int pos = 0) {
    c.Perform(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
              MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), 0);
}

int CodeOf(BarPart part) {
    switch (part) {
    case BarPart::LineUp:
        return SB_LINEUP;
    case BarPart::LineDown:
        return SB_LINEDOWN;
    case BarPart::PageUp:
        return SB_PAGEUP;
    case BarPart::PageDown:
        return SB_PAGEDOWN;
    default:
        return SB_ENDSCROLL;
    }
}

// Whether the pressed arrow or page area is still under the point (the thumb moves with
// every page step, so the page areas are judged again each time).
bool StillOver(TWinControl& c, int along) {
    WindowFrame* f = c.GetWindowFrame();
    const QRect r = BarRect(c, f->trackBar);
    const BarLayout l = Layout(c, f->trackBar, f->bars[f->trackBar], r, false);
    return PartAt(l, along) == f->trackPart;
}

// The part under the pointer; a flat bar shows the change.
void SetHot(TWinControl& c, int bar, BarPart part) {
    WindowFrame* f = c.GetWindowFrame();
    if (f->hotBar == bar && f->hotPart == part) return;
    const int before = f->hotBar;
    f->hotBar = bar;
    f->hotPart = part;
    for (int b : {before, bar})
        if (b >= 0 && FlatLook(f, b)) RedrawBar(c, b);
}

} // namespace

WindowFrame::WindowFrame() = default;
WindowFrame::~WindowFrame() {
    delete repeat;
}

int BarThickness(const TWinControl& c, int bar) {
    const WindowFrame* f = c.GetWindowFrame();
    if (f && f->flat) return f->flat->thickness[bar];
    return GetSystemMetrics(bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL);
}

QRect BarRect(const TWinControl& c, int bar) {
    const WindowFrame* f = c.GetWindowFrame();
    if (!f || !f->bars[bar].shown) return {};
    const int b = c.GetBorderWidth();
    const int w = c.GetWidth(), h = c.GetHeight();
    const int cx = BarThickness(c, SB_VERT), cy = BarThickness(c, SB_HORZ);
    if (bar == SB_VERT) {
        const int bottom = h - b - (f->bars[SB_HORZ].shown ? cy : 0);
        return QRect(QPoint(w - b - cx, b), QPoint(w - b - 1, bottom - 1));
    }
    const int right = w - b - (f->bars[SB_VERT].shown ? cx : 0);
    return QRect(QPoint(b, h - b - cy), QPoint(right - 1, h - b - 1));
}

QRect CornerRect(const TWinControl& c) {
    const QRect v = BarRect(c, SB_VERT), h = BarRect(c, SB_HORZ);
    if (v.isEmpty() || h.isEmpty()) return {};
    return QRect(QPoint(v.left(), h.top()), QPoint(v.right(), h.bottom()));
}

QRegion NonClientRegion(const TWinControl& c) {
    const int b = c.GetBorderWidth();
    const TRect client = c.GetClientRect();
    return QRegion(0, 0, c.GetWidth(), c.GetHeight()) -
           QRegion(b, b, client.Width(), client.Height());
}

QImage& FrameImage(TWinControl& c) {
    WindowFrame* f = c.GetWindowFrame();
    const QSize want(std::max(0, c.GetWidth()), std::max(0, c.GetHeight()));
    if (f->image.size() != want) {
        f->image = QImage(want, QImage::Format_ARGB32_Premultiplied);
        f->image.fill(Qt::transparent);
    }
    return f->image;
}

void PaintDefaultFrame(TWinControl& c) {
    WindowFrame* f = c.GetWindowFrame();
    if (!f || NonClientRegion(c).isEmpty()) return;
    FrameImage(c);
    {
        QPainter p(&f->image);
        const int w = c.GetWidth(), h = c.GetHeight();
        int b = 0;
        // Lines along the top and left in one colour, bottom and right in another, inset by b.
        auto frame = [&](TColor topLeft, TColor bottomRight) {
            p.setPen(ToQColor(topLeft));
            p.drawLine(b, b, w - 1 - b, b);
            p.drawLine(b, b, b, h - 1 - b);
            p.setPen(ToQColor(bottomRight));
            p.drawLine(b, h - 1 - b, w - 1 - b, h - 1 - b);
            p.drawLine(w - 1 - b, b, w - 1 - b, h - 1 - b);
            ++b;
        };
        int edge = c.GetBorderWidth();
        if (edge >= 2) {
            frame(clBtnShadow, clBtnHighlight);
            frame(cl3DDkShadow, cl3DLight);
            edge -= 2;
        }
        while (edge-- > 0)
            frame(clWindowFrame, clWindowFrame);
        const QRect corner = CornerRect(c);
        if (!corner.isEmpty()) p.fillRect(corner, ToQColor(clBtnFace));
    }
    FrameCanvas canvas(c);
    for (int bar = 0; bar < 2; ++bar)
        DrawBar(c, bar, canvas.Handle());
    Show(c, NonClientRegion(c));
}

void RedrawBar(TWinControl& c, int bar) {
    WindowFrame* f = c.GetWindowFrame();
    const QRect r = BarRect(c, bar);
    if (!f || r.isEmpty() || !c.GetWidget()) return;
    FrameImage(c);
    FrameCanvas canvas(c);
    DrawBar(c, bar, canvas.Handle());
    Show(c, r);
}

void ShowFrame(TWinControl& c, QPaintEvent* Event) {
    WindowFrame* f = c.GetWindowFrame();
    QWidget* w = c.GetWidget();
    if (!f || !w || f->image.isNull()) return;
    const QRegion area = Event->region() & NonClientRegion(c);
    if (area.isEmpty()) return;
    QPainter p(w);
    p.setClipRegion(area);
    p.drawImage(0, 0, f->image);
}

void ScrollBarLeave(TWinControl& c) {
    if (c.GetWindowFrame()) SetHot(c, -1, BarPart::None);
}

void FrameLayoutChanged(TWinControl& c) {
    WindowFrame* f = c.GetWindowFrame();
    if (!f) return;
    f->frameInvalid = true;
    c.Perform(
        WM_SIZE, SIZE_RESTORED,
        MAKELPARAM(static_cast<WORD>(c.GetClientWidth()), static_cast<WORD>(c.GetClientHeight())));
    if (QWidget* w = c.GetWidget()) w->update();
}

bool ScrollBarMouse(TWinControl& c, QMouseEvent* Event) {
    WindowFrame* f = c.GetWindowFrame();
    if (!f) return false;
    auto alive = c.Watch();
    const QPoint pt = Event->position().toPoint();
    const QEvent::Type type = Event->type();
    if (f->trackBar < 0) {
        int bar = -1;
        for (int b = 0; b < 2; ++b)
            if (BarRect(c, b).contains(pt)) bar = b;
        if (bar < 0) {
            SetHot(c, -1, BarPart::None);
            return false;
        }
        const QRect r = BarRect(c, bar);
        const BarLayout l = Layout(c, bar, f->bars[bar], r, false);
        const BarPart part = PartAt(l, Along(Event, bar, r));
        SetHot(c, bar, part);
        const bool press =
            (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
            Event->button() == Qt::LeftButton;
        if (!press) return true;
        if (part == BarPart::None || !BarEnabled(c, f->bars[bar])) return true;
        const UINT off = part == BarPart::LineUp     ? UINT(ESB_DISABLE_LTUP)
                         : part == BarPart::LineDown ? UINT(ESB_DISABLE_RTDN)
                                                     : 0u;
        if (off && (f->bars[bar].disabled & off)) return true;
        f->trackBar = bar;
        f->trackPart = part;
        f->trackOver = true;
        f->lastAlong = Along(Event, bar, r);
        if (part == BarPart::Thumb) {
            f->thumbGrab = Along(Event, bar, r) - l.thumbStart;
            f->bars[bar].trackPos = f->bars[bar].pos;
            RedrawBar(c, bar);
            return true;
        }
        RedrawBar(c, bar);
        SendScroll(c, bar, CodeOf(part));
        if (alive.expired()) return true;
        if (!f->repeat) f->repeat = new QTimer();
        f->repeat->disconnect();
        QObject::connect(f->repeat, &QTimer::timeout, [&c, f, alive] {
            if (alive.expired() || f->trackBar < 0) return;
            f->repeat->setInterval(kRepeat);
            f->trackOver = StillOver(c, f->lastAlong);
            if (f->trackOver) SendScroll(c, f->trackBar, CodeOf(f->trackPart));
        });
        f->repeat->start(kFirstRepeat);
        return true;
    }
    const int bar = f->trackBar;
    const QRect r = BarRect(c, bar);
    const int along = Along(Event, bar, r);
    f->lastAlong = along;
    if (type == QEvent::MouseMove) {
        if (f->trackPart == BarPart::Thumb) {
            ScrollBarState& s = f->bars[bar];
            const BarLayout l = Layout(c, bar, s, r, true);
            const int track = l.length - 2 * l.arrow - l.thumbLength;
            const long long range = static_cast<long long>(s.MaxPos()) - s.min;
            const int at = std::clamp(along - f->thumbGrab - l.arrow, 0, std::max(0, track));
            const int pos =
                track > 0 ? s.min + static_cast<int>((range * at + track / 2) / track) : s.min;
            if (pos != s.trackPos) {
                s.trackPos = pos;
                RedrawBar(c, bar);
                SendScroll(c, bar, SB_THUMBTRACK, pos);
            }
        } else {
            const bool over = StillOver(c, along);
            if (over != f->trackOver) {
                f->trackOver = over;
                RedrawBar(c, bar);
            }
        }
        return true;
    }
    if (type == QEvent::MouseButtonRelease && Event->button() == Qt::LeftButton) {
        const BarPart part = f->trackPart;
        const int trackPos = f->bars[bar].trackPos;
        if (f->repeat) f->repeat->stop();
        f->trackBar = -1;
        f->trackPart = BarPart::None;
        RedrawBar(c, bar);
        if (part == BarPart::Thumb) {
            SendScroll(c, bar, SB_THUMBPOSITION, trackPos);
            if (alive.expired()) return true;
        }
        SendScroll(c, bar, SB_ENDSCROLL);
    }
    return true;
}
