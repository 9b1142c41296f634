#pragma once
// TCanvas: drawing with GDI's rules. Rectangle(l, t, r, b) covers the pixels l..r-1 and
// t..b-1, a line leaves out its end point, nothing is antialiased. The canvas keeps the
// state of its device context apart from its Font, Pen and Brush, as the window system
// does: a change to one of them reaches the device context (font, text colour, background
// colour and mode) when the canvas next draws, hands out its Handle or is named by a Win32
// function through a Handle taken earlier, so those functions always see the canvas's
// objects as they are now.
// TPen and TBrush are the drawing objects of a canvas.

#include "plataforma/base/component.h"
#include "plataforma/base/events.h"
#include "plataforma/gui/kernel/win_types.h"
#include "plataforma/gui/painting/colors.h"
#include "plataforma/gui/painting/font.h"

#include <initializer_list>
#include <memory>
#include <vector>

class TGraphic;
class TBitmap;
class CanvasDevice;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How the pen (and the inside of a filled figure) combines with what is drawn on (R2_ codes).
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum TFillStyle { fsSurface, fsBorder };

// Raster operation of image copies (CopyRect, Draw), as the Win32 codes.
using TCopyMode = int;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

class TPen : public TPersistent {
public:
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    // Widths above 1 draw solid, whatever the style, as a cosmetic pen cannot be wider.
    int GetWidth() const { return width_; }
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return style_; }
    void SetStyle(TPenStyle Value);
    TPenMode GetMode() const { return mode_; }
    void SetMode(TPenMode Value);

    void Assign(TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

class TBrush : public TPersistent {
public:
    TColor GetColor() const { return color_; }
    // Setting a colour on a clear brush makes it solid, as the class library does.
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return style_; }
    void SetStyle(TBrushStyle Value);

    void Assign(TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // --- objects and state ---
    TFont* GetFont() const { return font_.get(); }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    TPen* GetPen() const { return pen_.get(); }
    void SetPen(TPen* Value) { pen_->Assign(Value); }
    TBrush* GetBrush() const { return brush_.get(); }
    void SetBrush(TBrush* Value) { brush_->Assign(Value); }
    TPoint GetPenPos();
    void SetPenPos(const TPoint& Value) { MoveTo(Value.x, Value.y); }
    TCopyMode GetCopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode Value) { copyMode_ = Value; }
    // The bounding box of the area that can be drawn on, in logical coordinates.
    TRect GetClipRect();
    // The device context, with the canvas's font, pen and brush realized into it. Raises
    // EInvalidOperation ("Canvas does not allow drawing") when there is nothing to draw on.
    HDC GetHandle();
    bool HandleAllocated() const;
    // clNone outside the surface or the clip.
    TColor GetPixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    // --- figures (filled with the brush, outlined with the pen) ---
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    // The figures of the ellipse in (X1, Y1, X2, Y2) between the radials through (X3, Y3)
    // and (X4, Y4), counter-clockwise: the arc alone, the arc closed by its chord, the slice.
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Polygon(const TPoint* Points, int Count);
    void Polygon(std::initializer_list<TPoint> Points) {
        Polygon(Points.begin(), static_cast<int>(Points.size()));
    }
    void Polygon(const std::vector<TPoint>& Points) {
        Polygon(Points.data(), static_cast<int>(Points.size()));
    }
    // Lines through the points, each leaving out its end point as LineTo does; the pen's
    // position stays where it was.
    void Polyline(const TPoint* Points, int Count);
    void Polyline(std::initializer_list<TPoint> Points) {
        Polyline(Points.begin(), static_cast<int>(Points.size()));
    }
    void Polyline(const std::vector<TPoint>& Points) {
        Polyline(Points.data(), static_cast<int>(Points.size()));
    }
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    // The brush over the rectangle; the pen and its mode play no part.
    void FillRect(const TRect& Rect);
    // A one-pixel frame in the brush's colour.
    void FrameRect(const TRect& Rect);
    // The dotted focus frame, drawn by inverting: drawn twice, it is gone.
    void DrawFocusRect(const TRect& Rect);
    // With fsSurface, fills the area of Color around (X, Y); with fsBorder, the area bounded
    // by Color.
    void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

    // --- text (the font's colour; the brush behind it unless the brush is clear) ---
    void TextOut(int X, int Y, const AnsiString& Text);
    // The text at (X, Y), clipped to Rect, which the brush fills first.
    void TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text);
    TSize TextExtent(const AnsiString& Text);
    int TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }
    // The font's line height, whatever the text: nothing is measured.
    int TextHeight(const AnsiString& Text);

    // --- images ---
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies Source of Canvas into Dest of this canvas (stretched), with CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies Source of Bitmap into Dest, drawing the brush where the bitmap has Color (the
    // destination shows through where the brush is clear).
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

    // Realizes the font, pen and brush into the device context again.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // --- inside the platform layer ---
    CanvasDevice& Device() { return *device_; }
    // Brings the device context up to date with the canvas's objects (RequiredState).
    void RealizeObjects();
    // Realizes only the objects changed since they were last realized, whatever the device
    // draws on: what a Win32 function called on the canvas's handle does first.
    void RealizeChangedObjects();

protected:
    // Gives the device something to draw on when it has nothing (or something stale).
    virtual void UpdateTarget() {}
    virtual void Changing();
    virtual void Changed();

private:
    friend class CanvasOperation;
    void ObjectChanged(int which);
    void Shape(int kind, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);

    std::unique_ptr<CanvasDevice> device_;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    TCopyMode copyMode_ = cmSrcCopy;
    bool fontDirty_ = true, penDirty_ = true, brushDirty_ = true;
};

// While it lives, the canvas's calls share one painter on its target, as the primitives of
// one call do, instead of one painter each: for a run of many small calls (a text drawn
// piece by piece).
class TCanvasBatch {
public:
    explicit TCanvasBatch(TCanvas* Canvas);
    ~TCanvasBatch();
    TCanvasBatch(const TCanvasBatch&) = delete;
    TCanvasBatch& operator=(const TCanvasBatch&) = delete;

private:
    TCanvas* canvas_;
};
