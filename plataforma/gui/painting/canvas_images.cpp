// TCanvas's images and pixels: drawing graphics, copying between canvases, flood fill.

#include "plataforma/gui/painting/canvas.h"

#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/graphics_internal.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <vector>

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->GetEmpty()) return;
    const int w = Graphic->GetWidth(), h = Graphic->GetHeight();
    CanvasOperation op(this, "Draw", {X, Y, w, h});
    Graphic->Draw(this, Rect(X, Y, X + w, Y + h));
    op.Done();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
    if (!Graphic || Graphic->GetEmpty()) return;
    CanvasOperation op(this, "StretchDraw", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom});
    Graphic->Draw(this, Rect);
    op.Done();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    if (!Canvas) return;
    CanvasOperation op(this, "CopyRect",
                       {Dest.Left, Dest.Top, Dest.Right, Dest.Bottom, Source.Left, Source.Top,
                        Source.Right, Source.Bottom});
    Canvas->RealizeObjects();
    CanvasDevice& src = Canvas->Device();
    if (!src.Image()) return;
    const QPoint at = src.ToDevice(Source.Left, Source.Top) + src.Base();
    const QRect from = QRect(at, QSize(Source.Width(), Source.Height()))
                           .normalized()
                           .intersected(src.Image()->rect());
    device_->Image(QRect(Dest.Left, Dest.Top, Dest.Width(), Dest.Height()), *src.Image(), from,
                   copyMode_);
    op.Done();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
    if (!Bitmap || Bitmap->GetEmpty()) return;
    CanvasOperation op(this, "BrushCopy",
                       {Dest.Left, Dest.Top, Dest.Right, Dest.Bottom, Source.Left, Source.Top,
                        Source.Right, Source.Bottom});
    const QImage& pixels = GraphicAccess::Pixels(Bitmap);
    QImage part = pixels.copy(ToQRect(Source)).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = static_cast<QRgb>(ToQRgb(ColorToRGB(Color) & 0xFFFFFF).rgb()) & 0xFFFFFF;
    const bool clear = device_->state.brushStyle == bsClear;
    const QRgb brush = ToQRgb(device_->state.brushColor).rgb();
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key) line[x] = clear ? 0 : brush;
    }
    device_->Image(ToQRect(Dest), part.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                   part.rect(), cmSrcCopy);
    op.Done();
}

TColor TCanvas::GetPixels(int X, int Y) {
    RealizeObjects();
    const QPoint p = device_->ToDevice(X, Y);
    if (!device_->Clip().contains(p)) return clNone;
    const long long c = device_->DevicePixel(p.x(), p.y());
    return c < 0 ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
    CanvasOperation op(this, "SetPixels", {X, Y, Value});
    device_->Spans({{X, X + 1, Y}}, ColorToRGB(Value) & 0xFFFFFF, pmCopy);
    op.Done();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
    CanvasOperation op(this, "FloodFill", {X, Y, Color, FillStyle});
    CanvasDevice& d = *device_;
    if (!d.Image()) return;
    const QRect area = d.Clip().boundingRect();
    const QPoint start = d.ToDevice(X, Y);
    if (!area.contains(start)) return;
    const COLORREF key = ColorToRGB(Color) & 0xFFFFFF;
    auto inside = [&](int x, int y) {
        const long long c = d.DevicePixel(x, y);
        if (c < 0) return false;
        return FillStyle == fsSurface ? c == key : c != key;
    };
    if (!inside(start.x(), start.y())) return;
    // Scanline fill over the clip's bounding box; the brush then keeps to the clip itself.
    const int w = area.width();
    std::vector<char> seen(static_cast<size_t>(w) * static_cast<size_t>(area.height()), 0);
    auto mark = [&](int x, int y) -> char& {
        return seen[static_cast<size_t>(y - area.top()) * static_cast<size_t>(w) +
                    static_cast<size_t>(x - area.left())];
    };
    std::vector<QPoint> pending{start};
    std::vector<PixelSpan> spans;
    const QPoint o = d.state.Origin();
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        if (mark(p.x(), p.y()) || !inside(p.x(), p.y())) continue;
        int x0 = p.x(), x1 = p.x();
        while (x0 > area.left() && !mark(x0 - 1, p.y()) && inside(x0 - 1, p.y()))
            --x0;
        while (x1 < area.right() && !mark(x1 + 1, p.y()) && inside(x1 + 1, p.y()))
            ++x1;
        for (int x = x0; x <= x1; ++x)
            mark(x, p.y()) = 1;
        spans.push_back({x0 - o.x(), x1 + 1 - o.x(), p.y() - o.y()});
        for (int ny : {p.y() - 1, p.y() + 1}) {
            if (ny < area.top() || ny > area.bottom()) continue;
            for (int x = x0; x <= x1; ++x)
                if (!mark(x, ny) && inside(x, ny)) pending.push_back({x, ny});
        }
    }
    d.BrushSpans(spans, pmCopy);
    op.Done();
}
