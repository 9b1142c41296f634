#pragma once
// Inside the platform layer only: the device context behind a TCanvas (its HDC). It knows
// what it draws on (an image, whose pixels can be read, or a widget during its paint
// event), the area that may be drawn (the paint event's region and the selected clip
// region), and the GDI state that the Win32 functions read and change. Its primitives take
// logical coordinates and apply the origin, the clip and the pen's raster operation.

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/raster.h"
#include "plataforma/gui/painting/text_advance.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <optional>
#include <vector>

class TCanvasRecorder;

struct DeviceState {
    QPoint viewportOrg; // logical (x, y) lies at (x, y) - windowOrg + viewportOrg
    QPoint windowOrg;
    std::optional<QRegion> clip; // the selected clip region, in device coordinates
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    unsigned textAlign = 0;
    // Realized from the canvas's objects.
    QFont font;
    bool symbolFont = false; // the font is named "Symbol": its text is shown as Greek
    int escapement = 0;      // tenths of a degree, counter-clockwise
    COLORREF penColor = RGB(0, 0, 0);
    int penWidth = 1;
    TPenStyle penStyle = psSolid;
    TPenMode penMode = pmCopy;
    COLORREF brushColor = RGB(255, 255, 255);
    TBrushStyle brushStyle = bsSolid;
    TPoint penPos;
    int dashPhase = 0; // where in its dash pattern the pen's next pixel falls
    // The mapping mode: MM_TEXT (a logical unit is a device unit, y down) or a scaled one,
    // whose device units per logical unit are scaleX and scaleY (negative: y points up).
    int mapMode = MM_TEXT;
    double scaleX = 1, scaleY = 1;
    // MM_ANISOTROPIC's extents; scale = viewport / window on each axis.
    QSize windowExt{1, 1}, viewportExt{1, 1};
    bool Scaled() const { return mapMode != MM_TEXT; }
    // Logical (x, y) lies on the device at (x - windowOrg) * scale + viewportOrg.
    QPoint Origin() const { return viewportOrg - windowOrg; }
    QTransform Mapping() const;
    QPoint ToDevice(int x, int y) const;
    QPoint ToLogical(int x, int y) const;
    // The device pixels a logical rectangle covers: its corners (left, top) and (left +
    // width, top + height) mapped, whichever way the axes point.
    QRect DeviceRect(const QRect& logical) const;
    // The device pixels a filled logical rectangle (a line of a pen, a frame's side) takes:
    // its edges at the nearest pixel, never less than one pixel either way, as a pen is
    // never thinner than a pixel on the device.
    QRect PixelRect(const QRect& logical) const;
    // A device rectangle's corners in logical units, not reordered: with y up, Bottom lies
    // below Top and is the smaller.
    TRect LogicalBox(const QRect& device) const;
};

class CanvasDevice {
public:
    explicit CanvasDevice(TCanvas* owner);
    ~CanvasDevice();
    CanvasDevice(const CanvasDevice&) = delete;
    CanvasDevice& operator=(const CanvasDevice&) = delete;

    TCanvas* Owner() const { return owner_; }
    HDC Handle() { return reinterpret_cast<HDC>(this); }
    // The device of a handle; nullptr for a handle that names no live device context.
    static CanvasDevice* FromHandle(HDC dc);

    // --- what it draws on ---
    void SetTarget(QImage* image);
    void SetTarget(QPaintDevice* device, QSize size);
    void ClearTarget();
    bool HasTarget() const { return target_ != nullptr; }
    QImage* Image() const { return image_; }
    QPaintDevice* Target() const { return target_; }
    QSize Size() const { return size_; }
    // Where the context's device (0, 0) lies on the target (a window's client area).
    void SetBase(QPoint base) { base_ = base; }
    QPoint Base() const { return base_; }
    // The area a paint event may draw, in device coordinates; none outside paint events.
    void SetSystemClip(std::optional<QRegion> clip) { systemClip_ = std::move(clip); }
    const std::optional<QRegion>& SystemClip() const { return systemClip_; }
    // What may be drawn now, in device coordinates.
    QRegion Clip() const;
    QRect Bounds() const { return QRect(QPoint(0, 0), size_); }

    DeviceState state;
    std::vector<DeviceState> saved; // SaveDC

    // --- recording ---
    TCanvasRecorder* recorder = nullptr;
    int depth = 0;
    void Record(const char* name, std::initializer_list<int> args,
                const AnsiString& text = AnsiString());

    // While kept, one painter stays open on the target from call to call (a control's
    // store during its paint), instead of one opened for each call.
    void SetKeepPainter(bool Value);
    // A painter that someone else keeps open on the target (a printer's, for the whole
    // document): every call draws through it; nullptr to stop.
    // Lent again after the painter's device changed page, so that its clip is set anew.
    void SetPainter(QPainter* painter) {
        external_ = painter;
        keptClipSet_ = false;
    }
    // Ends a painter kept open on an image, before someone else paints on it or replaces it
    // (nullptr: whatever image).
    static void ReleaseKeptPainter(const QImage* image = nullptr);
    // One call of the canvas or of a Win32 function: its primitives share one painter.
    void BeginCall() { ++callDepth_; }
    void EndCall();

    // --- primitives, in logical coordinates ---
    // A painter on the target, clipped, with logical coordinates: the kept one, or local
    // begun; nullptr when nothing can be drawn.
    QPainter* Begin(QPainter& local);
    // Whether a box (logical coordinates) meets what may be drawn: calls wholly outside the
    // clip return at once.
    bool Visible(const QRect& box);
    // Rectangles in one colour by a raster operation, with one painter.
    void SolidRects(const QRect* rects, int count, COLORREF color, TPenMode mode);
    // Logical rectangles filled on a painter Begin gave, in a scaled mode each at least a
    // pixel on the device.
    void FillPenRects(QPainter& p, const QRect* rects, int count, const QColor& c);
    // Runs of pixels in a colour, combined with the destination by the raster operation.
    void Spans(const std::vector<PixelSpan>& spans, COLORREF color, TPenMode mode);
    // A rectangle in one colour, by a raster operation.
    void SolidRect(const QRect& r, COLORREF color, TPenMode mode);
    // The dotted focus frame, inverted on a pattern fixed to the device.
    void FocusRect(const TRect& r);
    // The selected brush over the runs (hatches on the background colour when opaque).
    void BrushSpans(const std::vector<PixelSpan>& spans, TPenMode mode);
    void BrushRect(const QRect& r, TPenMode mode);
    void BrushRects(const QRect* rects, int count, TPenMode mode);
    // A rectangle's interior with the brush and its one-pixel frame with the pen, each
    // pixel once, with one painter.
    void FilledFrame(const QRect& interior, const QRect* frame, int count, TPenMode mode);
    // The brush over a polygon (alternate filling), its right and bottom edges left out.
    void BrushPolygon(const QPolygon& polygon, TPenMode mode);
    // A pen line that leaves out its end point; the dash pattern goes on from the last one.
    void PenLine(TPoint from, TPoint to);
    // Outline pixels in the pen's colour and mode (each once).
    void PenPixels(const std::vector<PixelSpan>& spans) {
        Spans(spans, state.penColor, state.penMode);
    }
    // Pens wider than one pixel: the painter strokes the path.
    void WideStroke(const QPainterPath& path);
    bool PenVisible() const { return state.penStyle != psClear && state.penMode != pmNop; }
    bool PenWide() const { return state.penWidth > 1; }

    // Text as ExtTextOut writes it, at (x, y) by the text alignment, clipped to clip when
    // given; with opaqueRect, that rectangle is filled with the background colour first.
    // Returns the advance width.
    int Text(int x, int y, const QString& s, const QRect* clip = nullptr,
             const QRect* opaqueRect = nullptr);
    const QFontMetrics& Metrics();
    // The advance width of a text in the font (remembered for the font).
    int Advance(const QString& text) { return Metrics(), widths_->Advance(*metrics_, text); }
    // Text as the selected font shows it (a symbol font's Greek letters), which is what is
    // measured and drawn; back to the program's text for a recording.
    QString Shown(const QString& text) const { return ShownText(text, state.symbolFont); }
    AnsiString Recorded(const QString& shown) const {
        return FromQString(ProgramText(shown, state.symbolFont));
    }
    // An image part copied (stretched) by a raster operation.
    void Image(const QRect& dest, const QImage& src, const QRect& srcRect, TCopyMode mode);
    // The colour of a pixel of an image target (device coordinates); -1 outside.
    long long DevicePixel(int x, int y) const;

    QPoint ToDevice(int x, int y) const { return state.ToDevice(x, y); }
    // Device units per inch: what LOGPIXELSX/Y answer and what a metric mapping scales by.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int Value) { pixelsPerInch_ = Value; }
    // How a printer turns portrait into landscape (DC_ORIENTATION: 90 or 270 degrees);
    // 0 for what is not a printer.
    int OrientationTurn() const { return orientationTurn_; }
    void SetOrientationTurn(int Value) { orientationTurn_ = Value; }

private:
    TCanvas* owner_;
    QPaintDevice* target_ = nullptr;
    QPainter* external_ = nullptr;
    QImage* image_ = nullptr;
    QSize size_;
    QPoint base_;
    int pixelsPerInch_ = 96;
    int orientationTurn_ = 0;
    // Sets the painter's transform: the base, then the logical mapping.
    void ApplyMapping(QPainter& p) const;
    std::optional<QRegion> systemClip_;
    // The clip last computed, and what it was computed from.
    const QRegion& CachedClip();
    QRegion clip_;
    QSize clipSize_;
    std::optional<QRegion> clipSystem_, clipState_;
    bool clipValid_ = false;
    // The painter kept open, and the clip and font it has set. The font is set again only
    // when another one comes: each QPainter::setFont makes a font of its own, whose glyph
    // engines are looked up again at the next text.
    bool keep_ = false;
    int callDepth_ = 0;
    QPainter kept_;
    bool keptClipSet_ = false;
    QRegion keptClip_;
    bool keptFontSet_ = false;
    QFont keptFont_;
    void SetFont(QPainter& p);
    void EndKept();
    void PaintBrush(QPainter& p, const QRect* rects, int count, TPenMode mode);
    std::optional<QFontMetrics> metrics_;
    QFont metricsFont_;
    std::shared_ptr<TextWidths> widths_;
};

// Runs one canvas operation: notifies OnChanging, realizes the objects, records the call,
// and counts the depth of nested calls so that a recording tells them apart.
class CanvasOperation {
public:
    CanvasOperation(TCanvas* canvas, const char* name, std::initializer_list<int> args,
                    const AnsiString& text = AnsiString());
    ~CanvasOperation();
    CanvasOperation(const CanvasOperation&) = delete;
    CanvasOperation& operator=(const CanvasOperation&) = delete;
    CanvasDevice& Device() { return dev_; }
    // Fires OnChange (call at the end of an operation that drew).
    void Done();

private:
    TCanvas* canvas_;
    CanvasDevice& dev_;
};

// The same bracket for the Win32 functions called on a handle.
class DeviceOperation {
public:
    DeviceOperation(CanvasDevice& dev, const char* name, std::initializer_list<int> args,
                    const AnsiString& text = AnsiString());
    ~DeviceOperation() {
        --dev_.depth;
        dev_.EndCall();
    }
    DeviceOperation(const DeviceOperation&) = delete;
    DeviceOperation& operator=(const DeviceOperation&) = delete;

private:
    CanvasDevice& dev_;
};

QColor ToQRgb(COLORREF c);
// The text arguments of the Win32 functions: Windows-1252 or UTF-16, count -1 up to the
// terminating zero.
QString TextArgument(const char* text, int count);
QString TextArgument(const char16_t* text, int count);
COLORREF FromQRgb(QRgb c);
