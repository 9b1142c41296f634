#include "plataforma/gui/painting/canvas_device.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/recording_canvas.h"

#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainterPath>

#include <cstring>
#include <unordered_set>

namespace {

std::unordered_set<const CanvasDevice*>& LiveDevices() {
    static std::unordered_set<const CanvasDevice*> devices;
    return devices;
}

// At most one device keeps a painter open at a time.
CanvasDevice* keeper = nullptr;

// Runs of the same pixels on consecutive rows become one rectangle (a column of a frame,
// a vertical line, the rows of a filled rectangle); each pixel stays in one rectangle. The
// runs come row by row, left to right: each run is matched against the rectangles that
// reached the row above by one walk along that row, so the cost is linear in the runs.
std::vector<QRect> RectsOfSpans(const std::vector<PixelSpan>& spans) {
    std::vector<QRect> out;
    out.reserve(spans.size());
    std::vector<size_t> above, here; // rectangles that reached the row above / this row
    int row = 0;
    size_t next = 0; // the first rectangle of the row above not yet passed
    for (const PixelSpan& s : spans) {
        if (s.x1 <= s.x0) continue;
        if (out.empty()) row = s.y;
        if (s.y != row) {
            if (s.y == row + 1)
                above.swap(here);
            else
                above.clear();
            here.clear();
            row = s.y;
            next = 0;
        }
        // Runs out of order on a row walk the row above again from its start.
        if (next > 0 && next <= above.size() && out[above[next - 1]].left() > s.x0) next = 0;
        while (next < above.size() && out[above[next]].left() < s.x0)
            ++next;
        if (next < above.size()) {
            QRect& r = out[above[next]];
            if (r.left() == s.x0 && r.right() == s.x1 - 1) {
                r.setBottom(s.y);
                here.push_back(above[next++]);
                continue;
            }
        }
        out.emplace_back(s.x0, s.y, s.x1 - s.x0, 1);
        here.push_back(out.size() - 1);
    }
    return out;
}

// The pen's raster operation on the painter; the colour to paint with, or false for none.
bool ApplyRop(QPainter& p, TPenMode mode, COLORREF color, QColor& out) {
    out = ToQRgb(color);
    QPainter::CompositionMode m = QPainter::CompositionMode_SourceOver;
    switch (mode) {
    case pmNop:
        return false;
    case pmBlack:
        out = Qt::black;
        break;
    case pmWhite:
        out = Qt::white;
        break;
    case pmCopy:
        break;
    case pmNot:
        m = QPainter::RasterOp_NotDestination;
        break;
    case pmNotCopy:
        m = QPainter::RasterOp_NotSource;
        break;
    case pmMergePenNot:
        m = QPainter::RasterOp_SourceOrNotDestination;
        break;
    case pmMaskPenNot:
        m = QPainter::RasterOp_SourceAndNotDestination;
        break;
    case pmMergeNotPen:
        m = QPainter::RasterOp_NotSourceOrDestination;
        break;
    case pmMaskNotPen:
        m = QPainter::RasterOp_NotSourceAndDestination;
        break;
    case pmMerge:
        m = QPainter::RasterOp_SourceOrDestination;
        break;
    case pmNotMerge:
        m = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
    case pmMask:
        m = QPainter::RasterOp_SourceAndDestination;
        break;
    case pmNotMask:
        m = QPainter::RasterOp_NotSourceOrNotDestination;
        break;
    case pmXor:
        m = QPainter::RasterOp_SourceXorDestination;
        break;
    case pmNotXor:
        m = QPainter::RasterOp_NotSourceXorDestination;
        break;
    }
    p.setCompositionMode(m);
    return true;
}

Qt::BrushStyle HatchOf(TBrushStyle s) {
    switch (s) {
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

// Dash patterns of the cosmetic pen styles: lengths on, off, on, off...
const std::vector<int>& DashesOf(TPenStyle s) {
    static const std::vector<int> none, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6},
        dashDotDot{9, 3, 3, 3, 3, 3};
    switch (s) {
    case psDash:
        return dash;
    case psDot:
        return dot;
    case psDashDot:
        return dashDot;
    case psDashDotDot:
        return dashDotDot;
    default:
        return none;
    }
}

} // namespace

QColor ToQRgb(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QString TextArgument(const char* text, int count) {
    if (!text) return {};
    const size_t n = count < 0 ? std::strlen(text) : static_cast<size_t>(count);
    return ToQString(AnsiString(std::string(text, n)));
}

QString TextArgument(const char16_t* text, int count) {
    if (!text) return {};
    size_t n = 0;
    if (count < 0)
        while (text[n])
            ++n;
    else
        n = static_cast<size_t>(count);
    // The units as they are: a first U+FEFF or U+FFFE is a character, not a byte order mark.
    return QString(reinterpret_cast<const QChar*>(text), static_cast<qsizetype>(n));
}

COLORREF FromQRgb(QRgb c) {
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

QTransform DeviceState::Mapping() const {
    QTransform t;
    t.translate(viewportOrg.x(), viewportOrg.y());
    t.scale(scaleX, scaleY);
    t.translate(-windowOrg.x(), -windowOrg.y());
    return t;
}

QPoint DeviceState::ToDevice(int x, int y) const {
    if (!Scaled()) return QPoint(x, y) + Origin();
    return Mapping().map(QPointF(x, y)).toPoint();
}

QPoint DeviceState::ToLogical(int x, int y) const {
    if (!Scaled()) return QPoint(x, y) - Origin();
    return Mapping().inverted().map(QPointF(x, y)).toPoint();
}

QRect DeviceState::DeviceRect(const QRect& r) const {
    if (!Scaled()) return r.translated(Origin());
    const QTransform t = Mapping();
    const QPointF a = t.map(QPointF(r.left(), r.top()));
    const QPointF b = t.map(QPointF(r.left() + r.width(), r.top() + r.height()));
    return QRectF(a, b).normalized().toAlignedRect();
}

QRect DeviceState::PixelRect(const QRect& r) const {
    if (!Scaled()) return r.translated(Origin());
    const QTransform t = Mapping();
    const QRectF f = QRectF(t.map(QPointF(r.left(), r.top())),
                            t.map(QPointF(r.left() + r.width(), r.top() + r.height())))
                         .normalized();
    const int x0 = static_cast<int>(std::lround(f.left())),
              y0 = static_cast<int>(std::lround(f.top()));
    const int x1 = std::max(static_cast<int>(std::lround(f.right())), x0 + 1);
    const int y1 = std::max(static_cast<int>(std::lround(f.bottom())), y0 + 1);
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

TRect DeviceState::LogicalBox(const QRect& d) const {
    const QPoint a = ToLogical(d.left(), d.top());
    const QPoint b = ToLogical(d.left() + d.width(), d.top() + d.height());
    return {a.x(), a.y(), b.x(), b.y()};
}

CanvasDevice::CanvasDevice(TCanvas* owner) : owner_(owner) {
    LiveDevices().insert(this);
}

CanvasDevice::~CanvasDevice() {
    EndKept();
    LiveDevices().erase(this);
}

void CanvasDevice::EndKept() {
    if (kept_.isActive()) kept_.end();
    keptClipSet_ = false;
    keptFontSet_ = false;
    if (keeper == this) keeper = nullptr;
}

void CanvasDevice::SetFont(QPainter& p) {
    if (&p != &kept_) {
        p.setFont(state.font);
        return;
    }
    if (keptFontSet_ && keptFont_.isCopyOf(state.font)) return;
    p.setFont(state.font);
    keptFont_ = state.font;
    keptFontSet_ = true;
}

void CanvasDevice::EndCall() {
    if (--callDepth_ == 0 && !keep_) EndKept();
}

void CanvasDevice::SetKeepPainter(bool Value) {
    if (keep_ == Value) return;
    keep_ = Value;
    if (!Value && callDepth_ == 0) EndKept();
}

void CanvasDevice::ReleaseKeptPainter(const QImage* image) {
    if (keeper && (!image || keeper->image_ == image)) keeper->EndKept();
}

CanvasDevice* CanvasDevice::FromHandle(HDC dc) {
    auto* d = reinterpret_cast<CanvasDevice*>(dc);
    if (!dc || !LiveDevices().count(d)) return nullptr;
    // A handle kept across a change of the canvas's font, pen or brush works with them as
    // they are now, not as they were when it was taken.
    if (d->owner_) d->owner_->RealizeChangedObjects();
    return d;
}

void CanvasDevice::SetTarget(QImage* image) {
    if (image != target_) EndKept();
    target_ = image;
    image_ = image;
    size_ = image ? image->size() : QSize();
}

void CanvasDevice::SetTarget(QPaintDevice* device, QSize size) {
    if (device != target_) EndKept();
    target_ = device;
    image_ = nullptr;
    size_ = size;
}

void CanvasDevice::ClearTarget() {
    EndKept();
    target_ = nullptr;
    image_ = nullptr;
    size_ = QSize();
}

QRegion CanvasDevice::Clip() const {
    QRegion r(Bounds());
    if (systemClip_) r &= *systemClip_;
    if (state.clip) r &= *state.clip;
    return r;
}

const QRegion& CanvasDevice::CachedClip() {
    // Regions share their data when copied: comparing with the last inputs is cheap.
    if (!clipValid_ || clipSize_ != size_ || clipSystem_ != systemClip_ ||
        clipState_ != state.clip) {
        clip_ = Clip();
        clipSize_ = size_;
        clipSystem_ = systemClip_;
        clipState_ = state.clip;
        clipValid_ = true;
    }
    return clip_;
}

bool CanvasDevice::Visible(const QRect& box) {
    if (!target_ || size_.isEmpty()) return false;
    const QRegion& clip = CachedClip();
    return clip.intersects(state.DeviceRect(box));
}

const QFontMetrics& CanvasDevice::Metrics() {
    if (!metrics_ || metricsFont_ != state.font) {
        metrics_.emplace(state.font);
        metricsFont_ = state.font;
        widths_ = WidthsOf(state.font);
    }
    return *metrics_;
}

void CanvasDevice::Record(const char* name, std::initializer_list<int> args,
                          const AnsiString& text) {
    if (recorder) recorder->Add(*this, name, args, text);
}

QPainter* CanvasDevice::Begin(QPainter& local) {
    if (!target_ || size_.isEmpty()) return nullptr;
    const QRegion& clip = CachedClip();
    if (clip.isEmpty()) return nullptr;
    if (external_) {
        if (!external_->isActive()) return nullptr;
        external_->resetTransform();
        external_->setCompositionMode(QPainter::CompositionMode_SourceOver);
        external_->translate(base_);
        // A clip set again costs a clip path in a printed document: set only when changed.
        if (!keptClipSet_ || keptClip_ != clip) {
            external_->setClipRegion(clip);
            keptClip_ = clip;
            keptClipSet_ = true;
        }
        ApplyMapping(*external_);
        return external_;
    }
    if (keep_ || callDepth_ > 0) {
        if (!kept_.isActive()) {
            if (keeper && keeper != this) keeper->EndKept();
            if (!kept_.begin(target_)) return nullptr;
            keeper = this;
            kept_.setRenderHint(QPainter::Antialiasing, false);
            kept_.setRenderHint(QPainter::TextAntialiasing, false);
            keptClipSet_ = false;
            keptFontSet_ = false;
        }
        kept_.resetTransform();
        kept_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        kept_.translate(base_);
        if (!keptClipSet_ || keptClip_ != clip) {
            kept_.setClipRegion(clip);
            keptClip_ = clip;
            keptClipSet_ = true;
        }
        ApplyMapping(kept_);
        return &kept_;
    }
    // Another device's kept painter on the same image would refuse this one.
    if (keeper && keeper->target_ == target_) keeper->EndKept();
    if (!local.begin(target_)) return nullptr;
    local.setRenderHint(QPainter::Antialiasing, false);
    local.setRenderHint(QPainter::TextAntialiasing, false);
    local.translate(base_);
    local.setClipRegion(clip);
    ApplyMapping(local);
    return &local;
}

void CanvasDevice::ApplyMapping(QPainter& p) const {
    if (!state.Scaled()) {
        p.translate(state.Origin());
        return;
    }
    p.translate(state.viewportOrg);
    p.scale(state.scaleX, state.scaleY);
    p.translate(-state.windowOrg);
}

void CanvasDevice::Spans(const std::vector<PixelSpan>& spans, COLORREF color, TPenMode mode) {
    if (spans.empty()) return;
    const std::vector<QRect> rects = RectsOfSpans(spans);
    SolidRects(rects.data(), static_cast<int>(rects.size()), color, mode);
}

void CanvasDevice::SolidRects(const QRect* rects, int count, COLORREF color, TPenMode mode) {
    if (count <= 0) return;
    QRect box;
    for (int i = 0; i < count; ++i)
        box |= rects[i];
    if (!Visible(box)) return;
    QPainter local;
    QColor c;
    QPainter* p = Begin(local);
    if (!p || !ApplyRop(*p, mode, color, c)) return;
    FillPenRects(*p, rects, count, c);
}

void CanvasDevice::FillPenRects(QPainter& p, const QRect* rects, int count, const QColor& c) {
    if (state.Scaled()) {
        // Each at least a pixel on the device.
        p.resetTransform();
        p.translate(base_);
        for (int i = 0; i < count; ++i)
            if (!rects[i].isEmpty()) p.fillRect(state.PixelRect(rects[i]), c);
        return;
    }
    for (int i = 0; i < count; ++i)
        if (!rects[i].isEmpty()) p.fillRect(rects[i], c);
}

void CanvasDevice::SolidRect(const QRect& r, COLORREF color, TPenMode mode) {
    if (r.isEmpty()) return;
    SolidRects(&r, 1, color, mode);
}

void CanvasDevice::FocusRect(const TRect& r) {
    std::vector<PixelSpan> outline, interior;
    OutlineAndInterior(RoundedRows(r.Left, r.Top, r.Right, r.Bottom, 0, 0), outline, interior);
    const QPoint o = state.Origin();
    // Every other pixel of the outline, in the outline's order (row by row): no dot touches
    // another on its row, so each is a run of its own.
    std::vector<PixelSpan> dots;
    for (const PixelSpan& s : outline)
        for (int x = s.x0 + ((s.x0 + o.x() + s.y + o.y()) & 1); x < s.x1; x += 2)
            dots.push_back({x, x + 1, s.y});
    Spans(dots, RGB(255, 255, 255), pmXor);
}

void CanvasDevice::BrushRect(const QRect& r, TPenMode mode) {
    if (r.isEmpty() || state.brushStyle == bsClear) return;
    BrushRects(&r, 1, mode);
}

void CanvasDevice::BrushRects(const QRect* rects, int count, TPenMode mode) {
    if (count <= 0 || state.brushStyle == bsClear) return;
    QRect box;
    for (int i = 0; i < count; ++i)
        box |= rects[i].normalized();
    if (!Visible(box)) return;
    QPainter local;
    QPainter* p = Begin(local);
    if (p) PaintBrush(*p, rects, count, mode);
}

void CanvasDevice::FilledFrame(const QRect& interior, const QRect* frame, int count,
                               TPenMode mode) {
    QRect box = interior;
    for (int i = 0; i < count; ++i)
        box |= frame[i];
    if (!Visible(box)) return;
    QPainter local;
    QPainter* p = Begin(local);
    if (!p) return;
    if (!interior.isEmpty() && state.brushStyle != bsClear) PaintBrush(*p, &interior, 1, mode);
    QColor c;
    if (!PenVisible() || !ApplyRop(*p, state.penMode, state.penColor, c)) return;
    FillPenRects(*p, frame, count, c);
}

void CanvasDevice::PaintBrush(QPainter& painter, const QRect* rects, int count, TPenMode mode) {
    QPainter* p = &painter;
    QColor c;
    if (state.brushStyle != bsSolid && state.bkMode == OPAQUE &&
        ApplyRop(*p, mode, state.bkColor, c))
        for (int i = 0; i < count; ++i)
            p->fillRect(rects[i], c);
    if (!ApplyRop(*p, mode, state.brushColor, c)) return;
    const Qt::BrushStyle style = HatchOf(state.brushStyle);
    if (style == Qt::SolidPattern) {
        // The same fill by colour: the painter does not set its brush up again for each.
        for (int i = 0; i < count; ++i)
            if (!rects[i].isEmpty()) p->fillRect(rects[i], c);
        return;
    }
    const QBrush brush(c, style);
    for (int i = 0; i < count; ++i)
        if (!rects[i].isEmpty()) p->fillRect(rects[i], brush);
}

void CanvasDevice::BrushPolygon(const QPolygon& polygon, TPenMode mode) {
    if (polygon.size() < 3 || state.brushStyle == bsClear) return;
    QPainter local;
    QColor c;
    QPainter* p = Begin(local);
    if (!p) return;
    p->setPen(Qt::NoPen);
    if (state.brushStyle != bsSolid && state.bkMode == OPAQUE &&
        ApplyRop(*p, mode, state.bkColor, c)) {
        p->setBrush(c);
        p->drawPolygon(polygon, Qt::OddEvenFill);
    }
    if (!ApplyRop(*p, mode, state.brushColor, c)) return;
    p->setBrush(QBrush(c, HatchOf(state.brushStyle)));
    p->drawPolygon(polygon, Qt::OddEvenFill);
}

void CanvasDevice::BrushSpans(const std::vector<PixelSpan>& spans, TPenMode mode) {
    if (state.brushStyle == bsClear || spans.empty()) return;
    const std::vector<QRect> rects = RectsOfSpans(spans);
    BrushRects(rects.data(), static_cast<int>(rects.size()), mode);
}

void CanvasDevice::PenLine(TPoint from, TPoint to) {
    if (!PenVisible()) return;
    if (PenWide()) {
        QPainterPath path(QPointF(from.x + 0.5, from.y + 0.5));
        path.lineTo(QPointF(to.x + 0.5, to.y + 0.5));
        WideStroke(path);
        return;
    }
    const std::vector<int>& dashes = DashesOf(state.penStyle);
    if (dashes.empty() && (from.x == to.x || from.y == to.y)) {
        // A level or upright line: one rectangle, its end point left out.
        const int x0 = from.x <= to.x ? from.x : to.x + 1, x1 = from.x <= to.x ? to.x : from.x + 1;
        const int y0 = from.y <= to.y ? from.y : to.y + 1, y1 = from.y <= to.y ? to.y : from.y + 1;
        if (from.y == to.y && x1 > x0)
            SolidRect(QRect(x0, from.y, x1 - x0, 1), state.penColor, state.penMode);
        if (from.x == to.x && y1 > y0)
            SolidRect(QRect(from.x, y0, 1, y1 - y0), state.penColor, state.penMode);
        return;
    }
    std::vector<TPoint> pixels;
    LinePixels(from.x, from.y, to.x, to.y, pixels);
    if (dashes.empty()) {
        Spans(SpansOfPixels(std::move(pixels)), state.penColor, state.penMode);
        return;
    }
    int period = 0;
    for (int d : dashes)
        period += d;
    std::vector<TPoint> on, off;
    for (const TPoint& px : pixels) {
        int at = state.dashPhase % period, i = 0;
        while (at >= dashes[static_cast<size_t>(i)])
            at -= dashes[static_cast<size_t>(i++)];
        (i % 2 == 0 ? on : off).push_back(px);
        state.dashPhase = (state.dashPhase + 1) % period;
    }
    // The gaps of a styled pen take the background colour when the background is opaque.
    if (state.bkMode == OPAQUE) Spans(SpansOfPixels(std::move(off)), state.bkColor, state.penMode);
    Spans(SpansOfPixels(std::move(on)), state.penColor, state.penMode);
}

void CanvasDevice::WideStroke(const QPainterPath& path) {
    QPainter local;
    QColor c;
    QPainter* p = Begin(local);
    if (!p || !ApplyRop(*p, state.penMode, state.penColor, c)) return;
    p->setPen(QPen(c, state.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(Qt::NoBrush);
    p->drawPath(path);
}

int CanvasDevice::Text(int x, int y, const QString& s, const QRect* clip, const QRect* opaqueRect) {
    const QFontMetrics& fm = Metrics();
    const int w = Advance(s), h = fm.height(), ascent = fm.ascent();
    // The text's top-left corner relative to the reference point, by the alignment.
    int dx = 0, dy = 0;
    switch (state.textAlign & TA_CENTER) {
    case TA_RIGHT:
        dx = -w;
        break;
    case TA_CENTER:
        dx = -w / 2;
        break;
    default:
        break;
    }
    switch (state.textAlign & TA_BASELINE) {
    case TA_BOTTOM:
        dy = -h;
        break;
    case TA_BASELINE:
        dy = -ascent;
        break;
    default:
        break;
    }
    // With y up the text still reads downwards from its reference point: its box lies
    // below y, and the rectangles may come with their top above their bottom.
    const bool up = state.scaleY < 0;
    QRect clipBox, opaqueBox;
    if (clip) clipBox = up ? clip->normalized() : *clip;
    if (opaqueRect) opaqueBox = up ? opaqueRect->normalized() : *opaqueRect;
    // Wholly outside the clip: nothing to draw.
    QRect box = state.escapement != 0 ? QRect()
                : up                  ? QRect(x + dx, y - dy - h, w, h)
                                      : QRect(x + dx, y + dy, w, h);
    if (opaqueRect) box |= opaqueBox;
    if (clip && !box.isNull()) box &= clipBox;
    if (!box.isNull() && !Visible(box)) return w;
    QPainter local;
    QPainter* p = Begin(local);
    if (!p) return w;
    if (clip) {
        p->setClipRect(clipBox, Qt::IntersectClip);
        keptClipSet_ = false;
    }
    if (opaqueRect) p->fillRect(opaqueBox, ToQRgb(state.bkColor));
    p->translate(x, y);
    if (up) p->scale(1, -1);
    if (state.escapement != 0) p->rotate(-state.escapement / 10.0);
    if (state.bkMode == OPAQUE) p->fillRect(QRect(dx, dy, w, h), ToQRgb(state.bkColor));
    p->setPen(ToQRgb(state.textColor));
    // On a raster target with no more than a shift to the device (no scale, no pixel ratio),
    // the glyphs laid out before draw the same pixels as drawText without shaping the text
    // again (for a text that reads left to right in any case, when the painter's direction
    // is not right to left).
    const Qt::LayoutDirection direction = p->layoutDirection() == Qt::LayoutDirectionAuto
                                              ? QGuiApplication::layoutDirection()
                                              : p->layoutDirection();
    const QList<QGlyphRun>* glyphs =
        direction == Qt::LeftToRight && p->deviceTransform().type() <= QTransform::TxTranslate &&
                p->paintEngine()->type() == QPaintEngine::Raster
            ? widths_->Glyphs(s)
            : nullptr;
    if (glyphs) {
        for (const QGlyphRun& run : *glyphs)
            p->drawGlyphRun(QPointF(dx, dy + ascent), run);
        return w;
    }
    SetFont(*p);
    p->drawText(QPoint(dx, dy + ascent), s);
    return w;
}

void CanvasDevice::Image(const QRect& dest, const QImage& src, const QRect& srcRect,
                         TCopyMode mode) {
    if (dest.width() == 0 || dest.height() == 0 || srcRect.isEmpty() || src.isNull()) return;
    // Negative extents mirror the image, as StretchBlt does.
    QImage part = src.copy(srcRect);
    if (dest.width() < 0 || dest.height() < 0)
        part = part.mirrored(dest.width() < 0, dest.height() < 0);
    const QRect d(std::min(dest.left(), dest.left() + dest.width()),
                  std::min(dest.top(), dest.top() + dest.height()), std::abs(dest.width()),
                  std::abs(dest.height()));
    QPainter local;
    QPainter* pp = Begin(local);
    if (!pp) return;
    QPainter& p = *pp;
    if (state.Scaled()) {
        // Mirrored or not by the extents on the device, as StretchBlt: the picture is drawn
        // in device units where the logical rectangle falls.
        const QTransform t = state.Mapping();
        const QPointF a = t.map(QPointF(dest.left(), dest.top()));
        const QPointF b = t.map(QPointF(dest.left() + dest.width(), dest.top() + dest.height()));
        QImage shown = src.copy(srcRect).mirrored(b.x() < a.x(), b.y() < a.y());
        p.resetTransform();
        p.translate(base_);
        p.drawImage(QRectF(a, b).normalized(), shown);
        return;
    }
    QPainter::CompositionMode m = QPainter::CompositionMode_SourceOver;
    switch (mode) {
    case cmBlackness:
        p.fillRect(d, Qt::black);
        return;
    case cmWhiteness:
        p.fillRect(d, Qt::white);
        return;
    case cmDstInvert:
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(d, Qt::black);
        return;
    case cmPatCopy:
    case cmPatInvert:
    case cmPatPaint:
        if (local.isActive()) local.end();
        BrushRect(d, mode == cmPatCopy ? pmCopy : mode == cmPatInvert ? pmXor : pmMerge);
        return;
    case cmSrcInvert:
        m = QPainter::RasterOp_SourceXorDestination;
        break;
    case cmSrcAnd:
        m = QPainter::RasterOp_SourceAndDestination;
        break;
    case cmSrcPaint:
        m = QPainter::RasterOp_SourceOrDestination;
        break;
    case cmNotSrcCopy:
        m = QPainter::RasterOp_NotSource;
        break;
    case cmSrcErase:
        m = QPainter::RasterOp_SourceAndNotDestination;
        break;
    case cmNotSrcErase:
        m = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
    case cmMergePaint:
        m = QPainter::RasterOp_NotSourceOrDestination;
        break;
    default:
        break;
    }
    p.setCompositionMode(m);
    p.drawImage(d, part);
    if (mode == cmMergeCopy) {
        // Source AND brush: the copied source masked by the brush's colour.
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.fillRect(d, ToQRgb(state.brushColor));
    }
}

long long CanvasDevice::DevicePixel(int x, int y) const {
    if (!image_) return -1;
    const QPoint at = QPoint(x, y) + base_;
    if (!Bounds().contains(QPoint(x, y)) || !image_->rect().contains(at)) return -1;
    return FromQRgb(image_->pixel(at));
}

CanvasOperation::CanvasOperation(TCanvas* canvas, const char* name, std::initializer_list<int> args,
                                 const AnsiString& text)
    : canvas_(canvas), dev_(canvas->Device()) {
    canvas_->Changing();
    canvas_->RealizeObjects();
    dev_.Record(name, args, text);
    ++dev_.depth;
    dev_.BeginCall();
}

CanvasOperation::~CanvasOperation() {
    --dev_.depth;
    dev_.EndCall();
}

void CanvasOperation::Done() {
    canvas_->Changed();
}

DeviceOperation::DeviceOperation(CanvasDevice& dev, const char* name,
                                 std::initializer_list<int> args, const AnsiString& text)
    : dev_(dev) {
    dev_.Record(name, args, text);
    ++dev_.depth;
    dev_.BeginCall();
}
