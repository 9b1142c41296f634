// The scroll-bar functions: a custom-painted window's own bars (window_frame.cpp) or the
// bars of the scroll area a hosted control shows.

#include "plataforma/gui/kernel/scroll_bars.h"

#include "plataforma/gui/input/mouse_state.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/window_frame.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

QAbstractScrollArea* HostedArea(TWinControl* c) {
    return c && c->HasNativeWidget() ? qobject_cast<QAbstractScrollArea*>(c->GetWidget()) : nullptr;
}

QScrollBar* HostedBar(QAbstractScrollArea* a, int bar) {
    return bar == SB_VERT ? a->verticalScrollBar() : a->horizontalScrollBar();
}

namespace {

WindowFrame* OwnBars(TWinControl* c) {
    return c && !c->HasNativeWidget() ? c->GetWindowFrame() : nullptr;
}

void SetHostedShown(QAbstractScrollArea* a, int bar, bool show) {
    const Qt::ScrollBarPolicy p = show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (bar == SB_VERT)
        a->setVerticalScrollBarPolicy(p);
    else
        a->setHorizontalScrollBarPolicy(p);
}

int SetHostedInfo(QAbstractScrollArea* a, int bar, const SCROLLINFO& si) {
    QScrollBar* sb = HostedBar(a, bar);
    // Qt's maximum is the last position; Windows' is the last unit the page can show.
    int min = sb->minimum(), page = sb->pageStep();
    int max = sb->maximum() + std::max(page - 1, 0);
    if (si.fMask & SIF_RANGE) {
        min = si.nMin;
        max = std::max(si.nMin, si.nMax);
    }
    if (si.fMask & SIF_PAGE)
        page = static_cast<int>(std::min<UINT>(si.nPage, static_cast<UINT>(max - min + 1)));
    const int last = std::max(min, max - std::max(page - 1, 0));
    sb->setRange(min, last);
    if (page > 0) sb->setPageStep(page);
    if (si.fMask & SIF_POS) sb->setValue(std::clamp(si.nPos, min, last));
    if ((si.fMask & (SIF_RANGE | SIF_PAGE)) && !(si.fMask & SIF_DISABLENOSCROLL))
        SetHostedShown(a, bar, last > min);
    return sb->value();
}

} // namespace

int SetScrollInfo(HWND hWnd, int nBar, const SCROLLINFO* lpsi, BOOL bRedraw) {
    TWinControl* c = FindControl(hWnd);
    if (!lpsi || nBar < SB_HORZ || nBar > SB_VERT) return 0;
    if (QAbstractScrollArea* a = HostedArea(c)) return SetHostedInfo(a, nBar, *lpsi);
    WindowFrame* f = OwnBars(c);
    if (!f) return 0;
    ScrollBarState& s = f->bars[nBar];
    const ScrollBarState before = s;
    if (lpsi->fMask & SIF_RANGE) {
        if (lpsi->nMin > lpsi->nMax) {
            s.min = s.max = 0;
        } else {
            s.min = lpsi->nMin;
            s.max = lpsi->nMax;
        }
    }
    if (lpsi->fMask & SIF_PAGE)
        s.page = static_cast<int>(
            std::min<long long>(lpsi->nPage, static_cast<long long>(s.max) - s.min + 1));
    else
        s.page = static_cast<int>(
            std::min<long long>(s.page, static_cast<long long>(s.max) - s.min + 1));
    if (lpsi->fMask & SIF_POS) s.pos = lpsi->nPos;
    s.pos = std::clamp(s.pos, s.min, std::max(s.min, s.MaxPos()));
    bool layout = false;
    const bool changed = s.min != before.min || s.max != before.max || s.page != before.page;
    if (lpsi->fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        if (s.MaxPos() <= s.min) {
            // Nothing to scroll: the bar goes, or stays disabled.
            if (lpsi->fMask & SIF_DISABLENOSCROLL)
                s.disabled = ESB_DISABLE_BOTH;
            else if (changed && s.shown) {
                s.shown = false;
                layout = true;
            }
        } else if (lpsi->fMask != SIF_PAGE) {
            s.disabled = ESB_ENABLE_BOTH;
            if (changed && !s.shown) {
                s.shown = true;
                layout = true;
            }
        }
    }
    if (layout)
        FrameLayoutChanged(*c);
    else if (bRedraw)
        RedrawBar(*c, nBar);
    return s.pos;
}

BOOL GetScrollInfo(HWND hWnd, int nBar, SCROLLINFO* lpsi) {
    TWinControl* c = FindControl(hWnd);
    if (!lpsi || nBar < SB_HORZ || nBar > SB_VERT) return FALSE;
    if (QAbstractScrollArea* a = HostedArea(c)) {
        QScrollBar* sb = HostedBar(a, nBar);
        const int page = sb->maximum() > sb->minimum() ? sb->pageStep() : 0;
        if (lpsi->fMask & SIF_RANGE) {
            lpsi->nMin = sb->minimum();
            lpsi->nMax = sb->maximum() + std::max(page - 1, 0);
        }
        if (lpsi->fMask & SIF_PAGE) lpsi->nPage = static_cast<UINT>(page);
        if (lpsi->fMask & SIF_POS) lpsi->nPos = sb->value();
        if (lpsi->fMask & SIF_TRACKPOS) lpsi->nTrackPos = sb->sliderPosition();
        return TRUE;
    }
    WindowFrame* f = OwnBars(c);
    if (!f) return FALSE;
    const ScrollBarState& s = f->bars[nBar];
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = s.min;
        lpsi->nMax = s.max;
    }
    if (lpsi->fMask & SIF_PAGE) lpsi->nPage = static_cast<UINT>(s.page);
    if (lpsi->fMask & SIF_POS) lpsi->nPos = s.pos;
    if (lpsi->fMask & SIF_TRACKPOS) lpsi->nTrackPos = f->trackBar == nBar ? s.trackPos : s.pos;
    return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    SCROLLINFO si;
    si.fMask = SIF_POS;
    if (!GetScrollInfo(hWnd, nBar, &si)) return 0;
    const int old = si.nPos;
    si.nPos = nPos;
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return old;
}

int GetScrollPos(HWND hWnd, int nBar) {
    SCROLLINFO si;
    si.fMask = SIF_POS;
    return GetScrollInfo(hWnd, nBar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    if (nMinPos > nMaxPos) return FALSE;
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = nMinPos;
    si.nMax = nMaxPos;
    if (!FindControl(hWnd)) return FALSE;
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int nBar, int* lpMinPos, int* lpMaxPos) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    if (!GetScrollInfo(hWnd, nBar, &si)) return FALSE;
    if (lpMinPos) *lpMinPos = si.nMin;
    if (lpMaxPos) *lpMaxPos = si.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    TWinControl* c = FindControl(hWnd);
    if (!c || wBar < SB_HORZ || wBar > SB_BOTH || wBar == SB_CTL) return FALSE;
    const int first = wBar == SB_BOTH ? SB_HORZ : wBar, last = wBar == SB_BOTH ? SB_VERT : wBar;
    if (QAbstractScrollArea* a = HostedArea(c)) {
        for (int bar = first; bar <= last; ++bar)
            SetHostedShown(a, bar, bShow);
        return TRUE;
    }
    WindowFrame* f = OwnBars(c);
    if (!f) return FALSE;
    bool layout = false;
    for (int bar = first; bar <= last; ++bar)
        if (f->bars[bar].shown != static_cast<bool>(bShow)) {
            f->bars[bar].shown = bShow;
            layout = true;
        }
    if (layout) FrameLayoutChanged(*c);
    return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows) {
    TWinControl* c = FindControl(hWnd);
    const int bars = static_cast<int>(wSBflags);
    if (!c || bars < SB_HORZ || bars > SB_BOTH || bars == SB_CTL) return FALSE;
    const int first = bars == SB_BOTH ? SB_HORZ : bars, last = bars == SB_BOTH ? SB_VERT : bars;
    if (QAbstractScrollArea* a = HostedArea(c)) {
        for (int bar = first; bar <= last; ++bar)
            HostedBar(a, bar)->setEnabled(wArrows != ESB_DISABLE_BOTH);
        return TRUE;
    }
    WindowFrame* f = OwnBars(c);
    if (!f) return FALSE;
    bool changed = false;
    for (int bar = first; bar <= last; ++bar) {
        if (f->bars[bar].disabled == (wArrows & ESB_DISABLE_BOTH)) continue;
        f->bars[bar].disabled = wArrows & ESB_DISABLE_BOTH;
        changed = true;
        RedrawBar(*c, bar);
    }
    return changed;
}

void HostedScrollRequest(TWinControl* c, int bar, int code, int pos) {
    QAbstractScrollArea* a = HostedArea(c);
    if (!a) return;
    QScrollBar* sb = HostedBar(a, bar);
    // The bar's own signals would report the move as the user's again.
    sb->setProperty("quenbarMoving", true);
    switch (code) {
    case SB_LINEUP:
        sb->setValue(sb->value() - sb->singleStep());
        break;
    case SB_LINEDOWN:
        sb->setValue(sb->value() + sb->singleStep());
        break;
    case SB_PAGEUP:
        sb->setValue(sb->value() - sb->pageStep());
        break;
    case SB_PAGEDOWN:
        sb->setValue(sb->value() + sb->pageStep());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        sb->setValue(pos);
        break;
    case SB_TOP:
        sb->setValue(sb->minimum());
        break;
    case SB_BOTTOM:
        sb->setValue(sb->maximum());
        break;
    default:
        break;
    }
    sb->setProperty("quenbarMoving", false);
}

namespace {

// The end of a press on a hosted bar: the thumb's last position, then the end of the scroll.
// The pointer over the bar is where the pointer is, as over the rest of the control.
class HostedBarRelease : public QObject {
public:
    HostedBarRelease(TWinControl* c, int bar, QScrollBar* sb)
        : QObject(sb), c_(c), bar_(bar), alive_(c->Watch()) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        const QEvent::Type t = e->type();
        if (t == QEvent::MouseMove || t == QEvent::MouseButtonPress ||
            t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick)
            NoteCursorPos(FromQPoint(static_cast<QMouseEvent*>(e)->globalPosition().toPoint()));
        if (e->type() == QEvent::MouseButtonRelease && !alive_.expired() &&
            static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            auto* sb = static_cast<QScrollBar*>(o);
            const bool thumb = sb->isSliderDown();
            const UINT msg = bar_ == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
            TWinControl* c = c_;
            auto alive = alive_;
            // After the bar's own handling of the release.
            QMetaObject::invokeMethod(
                sb,
                [c, alive, msg, thumb, sb] {
                    if (alive.expired()) return;
                    if (thumb)
                        c->Perform(msg,
                                   MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(sb->value())), 0);
                    if (!alive.expired()) c->Perform(msg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    TWinControl* c_;
    int bar_;
    std::weak_ptr<int> alive_;
};

} // namespace

void ConnectHostedScrollBars(TWinControl* c) {
    QAbstractScrollArea* a = HostedArea(c);
    if (!a) return;
    for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
        QScrollBar* sb = HostedBar(a, bar);
        const UINT msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
        auto alive = c->Watch();
        sb->installEventFilter(new HostedBarRelease(c, bar, sb));
        QObject::connect(
            sb, &QAbstractSlider::actionTriggered, sb, [c, alive, sb, msg](int action) {
                if (alive.expired() || sb->property("quenbarMoving").toBool()) return;
                int code = -1;
                switch (action) {
                case QAbstractSlider::SliderSingleStepAdd:
                    code = SB_LINEDOWN;
                    break;
                case QAbstractSlider::SliderSingleStepSub:
                    code = SB_LINEUP;
                    break;
                case QAbstractSlider::SliderPageStepAdd:
                    code = SB_PAGEDOWN;
                    break;
                case QAbstractSlider::SliderPageStepSub:
                    code = SB_PAGEUP;
                    break;
                case QAbstractSlider::SliderToMinimum:
                    code = SB_TOP;
                    break;
                case QAbstractSlider::SliderToMaximum:
                    code = SB_BOTTOM;
                    break;
                case QAbstractSlider::SliderMove:
                    // Qt tracks the thumb itself; the message's default handling agrees with it.
                    c->Perform(
                        msg, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(sb->sliderPosition())), 0);
                    return;
                default:
                    return;
                }
                // Qt's own step is taken back: the message's handling makes the move.
                sb->setSliderPosition(sb->value());
                c->Perform(msg, MAKEWPARAM(static_cast<WORD>(code), 0), 0);
            });
    }
}
