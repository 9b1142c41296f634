// TPen, TBrush, and TCanvas's state and figures.

#include "plataforma/gui/painting/canvas.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas_device.h"

#include <QPainterPath>

#include <algorithm>
#include <array>

// --- TPen, TBrush ---

void TPen::Changed() {
    if (OnChange) OnChange(this);
}

void TPen::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || Value == width_) return;
    width_ = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == mode_) return;
    mode_ = Value;
    Changed();
}

void TPen::Assign(TPersistent* Source) {
    auto* p = dynamic_cast<TPen*>(Source);
    if (!p) return TPersistent::Assign(Source);
    if (p->color_ == color_ && p->width_ == width_ && p->style_ == style_ && p->mode_ == mode_)
        return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
}

void TBrush::Changed() {
    if (OnChange) OnChange(this);
}

void TBrush::SetColor(TColor Value) {
    if (Value == color_ && style_ != bsClear) return;
    color_ = Value;
    if (style_ == bsClear) style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TBrush::Assign(TPersistent* Source) {
    auto* b = dynamic_cast<TBrush*>(Source);
    if (!b) return TPersistent::Assign(Source);
    if (b->color_ == color_ && b->style_ == style_) return;
    color_ = b->color_;
    style_ = b->style_;
    Changed();
}

// --- TCanvas: state ---

namespace {

// The one-pixel frame of a box with area: top and bottom rows, then the columns between
// them, each pixel once.
std::array<QRect, 4> FrameRects(int l, int t, int r, int b) {
    return {QRect(l, t, r - l, 1), b - 1 > t ? QRect(l, b - 1, r - l, 1) : QRect(),
            QRect(l, t + 1, 1, b - t - 2), r - 1 > l ? QRect(r - 1, t + 1, 1, b - t - 2) : QRect()};
}

} // namespace

namespace {

COLORREF Rgb(TColor c) {
    return ColorToRGB(c) & 0x00FFFFFF;
}

enum ShapeKind { kRectangle, kEllipse, kRoundRect, kArc, kChord, kPie };

} // namespace

TCanvas::TCanvas()
    : device_(std::make_unique<CanvasDevice>(this)), font_(std::make_unique<TFont>()),
      pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
    font_->OnChange = [this](TObject*) { ObjectChanged(0); };
    pen_->OnChange = [this](TObject*) { ObjectChanged(1); };
    brush_->OnChange = [this](TObject*) { ObjectChanged(2); };
}

TCanvas::~TCanvas() = default;

void TCanvas::ObjectChanged(int which) {
    (which == 0 ? fontDirty_ : which == 1 ? penDirty_ : brushDirty_) = true;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::Refresh() {
    fontDirty_ = penDirty_ = brushDirty_ = true;
}

TCanvasBatch::TCanvasBatch(TCanvas* Canvas) : canvas_(Canvas) {
    canvas_->Device().BeginCall();
}

TCanvasBatch::~TCanvasBatch() {
    canvas_->Device().EndCall();
}

void TCanvas::RealizeObjects() {
    UpdateTarget();
    if (!device_->HasTarget()) throw EInvalidOperation("Canvas does not allow drawing");
    RealizeChangedObjects();
}

void TCanvas::RealizeChangedObjects() {
    DeviceState& s = device_->state;
    if (fontDirty_) {
        EnsureQtApplication();
        s.font = ToQFont(*font_);
        s.symbolFont = IsSymbolFontName(font_->GetName());
        s.escapement = font_->GetOrientation();
        s.textColor = Rgb(font_->GetColor());
        fontDirty_ = false;
    }
    if (penDirty_) {
        s.penColor = Rgb(pen_->GetColor());
        s.penWidth = std::max(1, pen_->GetWidth());
        s.penStyle = pen_->GetStyle();
        s.penMode = pen_->GetMode();
        penDirty_ = false;
    }
    if (brushDirty_) {
        s.brushColor = Rgb(brush_->GetColor());
        s.brushStyle = brush_->GetStyle();
        s.bkColor = s.brushColor;
        s.bkMode = s.brushStyle == bsClear ? TRANSPARENT : OPAQUE;
        brushDirty_ = false;
    }
}

HDC TCanvas::GetHandle() {
    Changing();
    RealizeObjects();
    return device_->Handle();
}

bool TCanvas::HandleAllocated() const {
    return device_->HasTarget();
}

TPoint TCanvas::GetPenPos() {
    return device_->state.penPos;
}

TRect TCanvas::GetClipRect() {
    RealizeObjects();
    const QRect box = device_->Clip().boundingRect();
    return box.isEmpty() ? TRect() : device_->state.LogicalBox(box);
}

// --- lines ---

void TCanvas::MoveTo(int X, int Y) {
    CanvasOperation op(this, "MoveTo", {X, Y});
    device_->state.penPos = {X, Y};
    device_->state.dashPhase = 0;
}

void TCanvas::LineTo(int X, int Y) {
    CanvasOperation op(this, "LineTo", {X, Y});
    device_->PenLine(device_->state.penPos, {X, Y});
    device_->state.penPos = {X, Y};
    op.Done();
}

void TCanvas::Polyline(const TPoint* Points, int Count) {
    CanvasOperation op(this, "Polyline", {Count});
    if (!Points || Count < 2) return;
    device_->state.dashPhase = 0;
    if (device_->PenWide()) {
        QPainterPath path(QPointF(Points[0].x + 0.5, Points[0].y + 0.5));
        for (int i = 1; i < Count; ++i)
            path.lineTo(QPointF(Points[i].x + 0.5, Points[i].y + 0.5));
        if (device_->PenVisible()) device_->WideStroke(path);
    } else {
        for (int i = 1; i < Count; ++i)
            device_->PenLine(Points[i - 1], Points[i]);
    }
    op.Done();
}

void TCanvas::Polygon(const TPoint* Points, int Count) {
    CanvasOperation op(this, "Polygon", {Count});
    if (!Points || Count < 2) return;
    CanvasDevice& d = *device_;
    QPolygon poly;
    for (int i = 0; i < Count; ++i)
        poly << QPoint(Points[i].x, Points[i].y);
    d.BrushPolygon(poly, d.state.penMode);
    d.state.dashPhase = 0;
    if (d.PenWide()) {
        QPainterPath path;
        path.addPolygon(QPolygonF(poly));
        path.closeSubpath();
        if (d.PenVisible()) d.WideStroke(path);
    } else {
        for (int i = 0; i < Count; ++i)
            d.PenLine(Points[i], Points[(i + 1) % Count]);
    }
    op.Done();
}

// --- figures ---

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    CanvasOperation op(this, "Rectangle", {X1, Y1, X2, Y2});
    Shape(kRectangle, X1, Y1, X2, Y2, 0, 0, 0, 0);
    op.Done();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    CanvasOperation op(this, "Ellipse", {X1, Y1, X2, Y2});
    Shape(kEllipse, X1, Y1, X2, Y2, 0, 0, 0, 0);
    op.Done();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    CanvasOperation op(this, "RoundRect", {X1, Y1, X2, Y2, X3, Y3});
    Shape(kRoundRect, X1, Y1, X2, Y2, X3, Y3, 0, 0);
    op.Done();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    CanvasOperation op(this, "Arc", {X1, Y1, X2, Y2, X3, Y3, X4, Y4});
    Shape(kArc, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    op.Done();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    CanvasOperation op(this, "Chord", {X1, Y1, X2, Y2, X3, Y3, X4, Y4});
    Shape(kChord, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    op.Done();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    CanvasOperation op(this, "Pie", {X1, Y1, X2, Y2, X3, Y3, X4, Y4});
    Shape(kPie, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    op.Done();
}

void TCanvas::Shape(int kind, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    CanvasDevice& d = *device_;
    const int l = std::min(X1, X2), r = std::max(X1, X2);
    const int t = std::min(Y1, Y2), b = std::max(Y1, Y2);
    const TPenMode mode = d.state.penMode;
    const bool pen = d.PenVisible();
    std::vector<PixelSpan> outline, interior;

    if (kind == kArc || kind == kChord || kind == kPie) {
        std::vector<TPoint> arc;
        ArcPoints(l, t, r, b, X3, Y3, X4, Y4, arc);
        if (arc.empty()) return;
        const TPoint centre{(l + r) / 2, (t + b) / 2};
        std::vector<TPoint> path = arc;
        if (kind == kPie) path.push_back(centre);
        if (kind != kArc) {
            QPolygon poly;
            for (const TPoint& p : path)
                poly << QPoint(p.x, p.y);
            d.BrushPolygon(poly, mode);
        }
        if (!pen) return;
        if (kind != kArc) path.push_back(path.front());
        if (d.PenWide()) {
            QPainterPath qp(QPointF(path[0].x + 0.5, path[0].y + 0.5));
            for (size_t i = 1; i < path.size(); ++i)
                qp.lineTo(QPointF(path[i].x + 0.5, path[i].y + 0.5));
            d.WideStroke(qp);
            return;
        }
        std::vector<TPoint> pixels;
        for (size_t i = 1; i < path.size(); ++i)
            LinePixels(path[i - 1].x, path[i - 1].y, path[i].x, path[i].y, pixels);
        if (kind == kArc) pixels.push_back(path.back());
        d.PenPixels(SpansOfPixels(std::move(pixels)));
        return;
    }

    // Wholly outside the clip: nothing to draw (a wide pen reaches past the box).
    const int grow = d.PenWide() ? d.state.penWidth : 0;
    if (!d.Visible(QRect(l - grow, t - grow, r - l + 2 * grow, b - t + 2 * grow))) return;
    if (kind == kRectangle && !d.PenWide() &&
        (!pen || d.state.penStyle == psSolid || d.state.penStyle == psInsideFrame)) {
        // The common case in one go: the interior and a one-pixel frame.
        if (!pen) {
            d.BrushRect(QRect(l, t, r - 1 - l, b - 1 - t), mode);
            return;
        }
        if (r <= l || b <= t) return;
        const std::array<QRect, 4> frame = FrameRects(l, t, r, b);
        d.FilledFrame(QRect(l + 1, t + 1, r - l - 2, b - t - 2), frame.data(), 4, mode);
        return;
    }
    const int cw = kind == kRectangle ? 0 : kind == kEllipse ? r - l : X3;
    const int ch = kind == kRectangle ? 0 : kind == kEllipse ? b - t : Y3;
    if (!pen) {
        // Without a pen the figure is one pixel smaller, as GDI fills it.
        const FigureRows rows = RoundedRows(l, t, r - 1, b - 1, cw, ch);
        OutlineAndInterior(rows, outline, interior);
        outline.insert(outline.end(), interior.begin(), interior.end());
        d.BrushSpans(outline, mode);
        return;
    }
    if (d.PenWide()) {
        const FigureRows rows = RoundedRows(l, t, r, b, cw, ch);
        OutlineAndInterior(rows, outline, interior);
        d.BrushSpans(interior, mode);
        // An inside-frame pen keeps its whole width within the box.
        const double inset = d.state.penStyle == psInsideFrame ? (d.state.penWidth - 1) / 2.0 : 0;
        const QRectF box(l + 0.5 + inset, t + 0.5 + inset, r - l - 1 - 2 * inset,
                         b - t - 1 - 2 * inset);
        QPainterPath path;
        if (kind == kRectangle)
            path.addRect(box);
        else if (kind == kEllipse)
            path.addEllipse(box);
        else
            path.addRoundedRect(box, cw / 2.0, ch / 2.0);
        d.WideStroke(path);
        return;
    }
    const FigureRows rows = RoundedRows(l, t, r, b, cw, ch);
    OutlineAndInterior(rows, outline, interior);
    d.BrushSpans(interior, mode);
    if (kind == kRectangle && d.state.penStyle != psSolid && d.state.penStyle != psInsideFrame &&
        r - l > 1 && b - t > 1) {
        // A styled frame: the dash pattern runs around it.
        d.state.dashPhase = 0;
        d.PenLine({l, t}, {r - 1, t});
        d.PenLine({r - 1, t}, {r - 1, b - 1});
        d.PenLine({r - 1, b - 1}, {l, b - 1});
        d.PenLine({l, b - 1}, {l, t});
        return;
    }
    d.PenPixels(outline);
}

// --- rectangles ---

void TCanvas::FillRect(const TRect& Rect) {
    CanvasOperation op(this, "FillRect", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom});
    device_->BrushRect(ToQRect(Rect), pmCopy);
    op.Done();
}

void TCanvas::FrameRect(const TRect& Rect) {
    CanvasOperation op(this, "FrameRect", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom});
    const int l = Rect.Left, r = Rect.Right, t = Rect.Top, b = Rect.Bottom;
    if (r > l && b > t) {
        // The one-pixel frame with the brush, each pixel once.
        const std::array<QRect, 4> frame = FrameRects(l, t, r, b);
        device_->BrushRects(frame.data(), 4, pmCopy);
    }
    op.Done();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
    CanvasOperation op(this, "DrawFocusRect", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom});
    device_->FocusRect(Rect);
    op.Done();
}
