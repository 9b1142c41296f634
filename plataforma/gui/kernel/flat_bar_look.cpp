// A flat scroll bar: a solid or dithered track, arrows and thumb framed by one shadow line;
// the part under the pointer inverted (flat style) or raised (Encarta style), the pressed
// part dark (flat) or sunken (Encarta).

#include "plataforma/gui/kernel/flat_bar_look.h"

#include "plataforma/gui/kernel/flat_scroll_bars.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/raster.h"

#include <QPainter>

#include <algorithm>

namespace {

QColor Q(TColor c) {
    return ToQColor(c);
}

// A one-pixel frame inside r: top and left in one colour, bottom and right in another.
void Frame(QPainter& p, const QRect& r, TColor topLeft, TColor bottomRight) {
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), Q(topLeft));
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), Q(topLeft));
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), Q(bottomRight));
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), Q(bottomRight));
}

// An arrow button or the thumb (direction -1: no glyph).
void Part(QPainter& p, const FlatBarLook& l, BarPart part, const QRect& r, int direction,
          bool active) {
    if (r.isEmpty()) return;
    const bool pressed = l.pressed == part;
    const bool hot = !pressed && l.hot == part && active;
    const bool flat = l.style == FSB_FLAT_MODE;
    TColor face = clBtnFace, glyph = active ? clBtnText : clBtnShadow;
    int shift = 0;
    if (flat && (pressed || hot)) {
        face = pressed ? cl3DDkShadow : clBtnShadow;
        glyph = clBtnHighlight;
    }
    p.fillRect(r, Q(face));
    if (!flat && pressed) {
        Frame(p, r, clBtnShadow, clBtnHighlight);
        shift = 1;
    } else if (!flat && hot) {
        Frame(p, r, clBtnHighlight, clBtnShadow);
    } else if (!(flat && (pressed || hot))) {
        Frame(p, r, clBtnShadow, clBtnShadow);
    }
    if (direction < 0) return;
    const TRect tr{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    const int n = std::min(r.width(), r.height());
    for (const PixelSpan& s : ArrowSpans(tr, direction, std::max(1, ((n - 4) / 2) | 1), shift))
        p.fillRect(QRect(s.x0, s.y, s.x1 - s.x0, 1), Q(glyph));
}

} // namespace

void PaintFlatBar(QPainter& p, const FlatBarLook& l) {
    if (l.bar.isEmpty()) return;
    p.save();
    p.setClipRect(l.bar);
    if (l.background != clNone) {
        p.fillRect(l.bar, Q(l.background));
    } else {
        p.fillRect(l.bar, Q(clBtnHighlight));
        p.fillRect(l.bar, QBrush(Q(clBtnFace), Qt::Dense4Pattern));
    }
    if (l.pressed == BarPart::PageUp && !l.pageUp.isEmpty()) p.fillRect(l.pageUp, Q(cl3DDkShadow));
    if (l.pressed == BarPart::PageDown && !l.pageDown.isEmpty())
        p.fillRect(l.pageDown, Q(cl3DDkShadow));
    // Up, down, left, right as the arrow glyphs number them.
    Part(p, l, BarPart::LineUp, l.lineUp, l.vertical ? 0 : 2, l.enabled && l.upEnabled);
    Part(p, l, BarPart::LineDown, l.lineDown, l.vertical ? 1 : 3, l.enabled && l.downEnabled);
    if (l.enabled) Part(p, l, BarPart::Thumb, l.thumb, -1, true);
    p.restore();
}
