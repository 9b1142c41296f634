// The flat scroll-bar service: a window's bars keep their state (scroll_bars.cpp) and take
// the look its properties give. A window that draws its own bars draws them flat
// (window_frame.cpp); the bars of a hosted scroll area take a style that draws them so.

#include "plataforma/gui/kernel/flat_scroll_bars.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/flat_bar_look.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/kernel/window_frame.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>

#include <memory>

namespace {

// The style of a hosted bar under the service: the thickness of the window's property and,
// unless the style is regular, the flat look.
class FlatHostedStyle : public QProxyStyle {
public:
    explicit FlatHostedStyle(TWinControl* c)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), c_(c),
          alive_(c->Watch()) {}

    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
        if (m == PM_ScrollBarExtent)
            if (const FlatBars* f = Bars()) return f->thickness[BarOf(o, w)];
        return QProxyStyle::pixelMetric(m, o, w);
    }

    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* o, QPainter* p,
                            const QWidget* w) const override {
        const FlatBars* f = Bars();
        const auto* so = qstyleoption_cast<const QStyleOptionSlider*>(o);
        const int bar = BarOf(o, w);
        if (cc != CC_ScrollBar || !f || !so || f->style[bar] == FSB_REGULAR_MODE)
            return QProxyStyle::drawComplexControl(cc, o, p, w);
        FlatBarLook look;
        look.style = f->style[bar];
        look.background = f->background[bar];
        look.vertical = bar == SB_VERT;
        look.enabled = (so->state & State_Enabled) && so->maximum > so->minimum;
        look.bar = so->rect;
        auto part = [&](SubControl sc) { return subControlRect(cc, so, sc, w); };
        look.lineUp = part(SC_ScrollBarSubLine);
        look.lineDown = part(SC_ScrollBarAddLine);
        if (look.enabled) {
            look.thumb = part(SC_ScrollBarSlider);
            look.pageUp = part(SC_ScrollBarSubPage);
            look.pageDown = part(SC_ScrollBarAddPage);
        }
        auto which = [](SubControls s) {
            return s & SC_ScrollBarSubLine   ? BarPart::LineUp
                   : s & SC_ScrollBarAddLine ? BarPart::LineDown
                   : s & SC_ScrollBarSlider  ? BarPart::Thumb
                   : s & SC_ScrollBarSubPage ? BarPart::PageUp
                   : s & SC_ScrollBarAddPage ? BarPart::PageDown
                                             : BarPart::None;
        };
        // Not pressed, the active part is the one under the pointer.
        if (so->state & State_Sunken)
            look.pressed = which(so->activeSubControls);
        else
            look.hot = which(so->activeSubControls);
        PaintFlatBar(*p, look);
    }

private:
    const FlatBars* Bars() const {
        if (alive_.expired()) return nullptr;
        const WindowFrame* f = c_->GetWindowFrame();
        return f && f->flat ? &*f->flat : nullptr;
    }
    static int BarOf(const QStyleOption* o, const QWidget* w) {
        if (const auto* so = qstyleoption_cast<const QStyleOptionSlider*>(o))
            return so->orientation == Qt::Horizontal ? SB_HORZ : SB_VERT;
        if (const auto* sb = qobject_cast<const QScrollBar*>(w))
            return sb->orientation() == Qt::Horizontal ? SB_HORZ : SB_VERT;
        return SB_VERT;
    }

    TWinControl* c_;
    std::weak_ptr<int> alive_;
};

TWinControl* Flat(HWND h) {
    TWinControl* c = FindControl(h);
    const WindowFrame* f = c ? c->GetWindowFrame() : nullptr;
    return f && f->flat ? c : nullptr;
}

// The bars show what the properties now say; a new thickness changes the client area.
void Restyle(TWinControl& c, bool thicknessChanged, BOOL redraw) {
    if (QAbstractScrollArea* a = HostedArea(&c)) {
        for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
            QScrollBar* sb = HostedBar(a, bar);
            if (thicknessChanged) sb->updateGeometry();
            if (redraw) sb->update();
        }
        // The area lays its bars out again at their new size.
        if (thicknessChanged) {
            QEvent e(QEvent::LayoutRequest);
            QCoreApplication::sendEvent(a, &e);
        }
        return;
    }
    if (thicknessChanged)
        FrameLayoutChanged(c);
    else if (redraw)
        for (int bar = SB_HORZ; bar <= SB_VERT; ++bar)
            RedrawBar(c, bar);
}

// The thickness of the bar without the service: the system's, or the hosted area's style's.
int ClassicThickness(TWinControl& c, int bar) {
    if (QAbstractScrollArea* a = HostedArea(&c))
        return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                  HostedBar(a, bar));
    return GetSystemMetrics(bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL);
}

void SetHostedStyle(TWinControl& c, bool flat) {
    QAbstractScrollArea* a = HostedArea(&c);
    if (!a) return;
    for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
        QScrollBar* sb = HostedBar(a, bar);
        QStyle* old = sb->style();
        if (flat) {
            if (dynamic_cast<FlatHostedStyle*>(old)) continue;
            auto* style = new FlatHostedStyle(&c);
            style->setParent(sb);
            sb->setStyle(style);
            // The part under the pointer shows.
            sb->setAttribute(Qt::WA_Hover, true);
        } else if (auto* own = dynamic_cast<FlatHostedStyle*>(old)) {
            sb->setStyle(nullptr);
            sb->setAttribute(Qt::WA_Hover, false);
            delete own;
        }
    }
}

} // namespace

BOOL InitializeFlatSB(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    WindowFrame* f = c ? c->GetWindowFrame() : nullptr;
    if (!f) return FALSE;
    if (f->flat) return TRUE;
    FlatBars bars;
    for (int bar = SB_HORZ; bar <= SB_VERT; ++bar)
        bars.thickness[bar] = ClassicThickness(*c, bar);
    f->flat = bars;
    SetHostedStyle(*c, true);
    return TRUE;
}

HRESULT UninitializeFlatSB(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    WindowFrame* f = c ? c->GetWindowFrame() : nullptr;
    if (!f) return E_FAIL;
    if (!f->flat) return S_FALSE;
    const bool thick = f->flat->thickness[SB_HORZ] != ClassicThickness(*c, SB_HORZ) ||
                       f->flat->thickness[SB_VERT] != ClassicThickness(*c, SB_VERT);
    f->flat.reset();
    SetHostedStyle(*c, false);
    Restyle(*c, thick, TRUE);
    return S_OK;
}

BOOL FlatSB_SetScrollProp(HWND hWnd, UINT index, INT_PTR newValue, BOOL fRedraw) {
    TWinControl* c = Flat(hWnd);
    if (!c) return FALSE;
    FlatBars& f = *c->GetWindowFrame()->flat;
    const int value = static_cast<int>(newValue);
    int* field = nullptr;
    switch (index) {
    case WSB_PROP_CYHSCROLL:
    case WSB_PROP_CXVSCROLL:
        if (value < 1) return FALSE;
        field = &f.thickness[index == WSB_PROP_CXVSCROLL ? SB_VERT : SB_HORZ];
        break;
    case WSB_PROP_VBKGCOLOR:
    case WSB_PROP_HBKGCOLOR:
        field = &f.background[index == WSB_PROP_VBKGCOLOR ? SB_VERT : SB_HORZ];
        break;
    case WSB_PROP_VSTYLE:
    case WSB_PROP_HSTYLE:
        if (value != FSB_REGULAR_MODE && value != FSB_ENCARTA_MODE && value != FSB_FLAT_MODE)
            return FALSE;
        field = &f.style[index == WSB_PROP_VSTYLE ? SB_VERT : SB_HORZ];
        break;
    default:
        return FALSE;
    }
    if (*field == value) return TRUE;
    *field = value;
    Restyle(*c, index == WSB_PROP_CYHSCROLL || index == WSB_PROP_CXVSCROLL, fRedraw);
    return TRUE;
}

BOOL FlatSB_GetScrollProp(HWND hWnd, int propIndex, int* pValue) {
    TWinControl* c = Flat(hWnd);
    if (!c || !pValue) return FALSE;
    const FlatBars& f = *c->GetWindowFrame()->flat;
    switch (propIndex) {
    case WSB_PROP_CYHSCROLL:
        *pValue = f.thickness[SB_HORZ];
        return TRUE;
    case WSB_PROP_CXVSCROLL:
        *pValue = f.thickness[SB_VERT];
        return TRUE;
    case WSB_PROP_VBKGCOLOR:
        *pValue = static_cast<int>(f.background[SB_VERT]);
        return TRUE;
    case WSB_PROP_HBKGCOLOR:
        *pValue = static_cast<int>(f.background[SB_HORZ]);
        return TRUE;
    case WSB_PROP_VSTYLE:
        *pValue = f.style[SB_VERT];
        return TRUE;
    case WSB_PROP_HSTYLE:
        *pValue = f.style[SB_HORZ];
        return TRUE;
    default:
        return FALSE;
    }
}

int FlatSB_SetScrollInfo(HWND hWnd, int nBar, const SCROLLINFO* lpsi, BOOL bRedraw) {
    return SetScrollInfo(hWnd, nBar, lpsi, bRedraw);
}

BOOL FlatSB_GetScrollInfo(HWND hWnd, int nBar, SCROLLINFO* lpsi) {
    return GetScrollInfo(hWnd, nBar, lpsi);
}

int FlatSB_SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    return SetScrollPos(hWnd, nBar, nPos, bRedraw);
}

int FlatSB_GetScrollPos(HWND hWnd, int nBar) {
    return GetScrollPos(hWnd, nBar);
}

BOOL FlatSB_ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    TWinControl* c = FindControl(hWnd);
    QAbstractScrollArea* a = HostedArea(c);
    if (!a || !bShow) return ShowScrollBar(hWnd, wBar, bShow);
    if (wBar < SB_HORZ || wBar > SB_BOTH || wBar == SB_CTL) return FALSE;
    if (wBar != SB_VERT) a->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (wBar != SB_HORZ) a->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return TRUE;
}

BOOL FlatSB_EnableScrollBar(HWND hWnd, int wSBflags, UINT wArrows) {
    return EnableScrollBar(hWnd, static_cast<UINT>(wSBflags), wArrows);
}
