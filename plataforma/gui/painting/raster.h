#pragma once
// Inside the platform layer only: the pixels of GDI's one-pixel lines and shapes, computed
// here rather than left to the painter so that every pixel is drawn once (an XOR pen draws
// a closed figure without holes) and the figures keep GDI's bounds: a line leaves out its
// end point, a figure with bounding box (l, t, r, b) stays within l..r-1 and t..b-1.

#include "plataforma/gui/kernel/win_types.h"

#include <vector>

// Pixels x0..x1-1 of row y.
struct PixelSpan {
    int x0;
    int x1;
    int y;
    bool operator==(const PixelSpan&) const = default;
};

// The pixels of a line from (x0, y0) towards (x1, y1), in drawing order, without the end
// point: a line to its own start draws nothing.
void LinePixels(int x0, int y0, int x1, int y1, std::vector<TPoint>& out);

// The horizontal extent (first and last pixel) of each row of a figure, from row Top down.
struct FigureRows {
    int Top = 0;
    std::vector<int> Left;
    std::vector<int> Right;
    bool Empty() const { return Left.empty(); }
};

// A rectangle with corners rounded by quarter ellipses of CornerWidth x CornerHeight; an
// ellipse when the corners are as large as the box. Empty for a box without area.
FigureRows RoundedRows(int l, int t, int r, int b, int CornerWidth, int CornerHeight);

// The figure that runs of pixels make, one run per row on consecutive rows (the interior
// of another figure, to draw a ring inside its outline).
FigureRows RowsOfSpans(const std::vector<PixelSpan>& spans);

// A figure's one-pixel outline, each pixel once, and the interior inside it.
void OutlineAndInterior(const FigureRows& rows, std::vector<PixelSpan>& outline,
                        std::vector<PixelSpan>& interior);

// Points of the arc of the ellipse in (l, t, r, b) going counter-clockwise from the radial
// through (x3, y3) to the radial through (x4, y4), rounded to pixels; the whole ellipse
// when both radials meet the same point. Consecutive points may be equal.
void ArcPoints(int l, int t, int r, int b, int x3, int y3, int x4, int y4,
               std::vector<TPoint>& out);

// Sorted, merged runs of a set of pixels (duplicates count once).
std::vector<PixelSpan> SpansOfPixels(std::vector<TPoint> pixels);

// The check mark in a box of m x m at (x0, y0): a short stroke down to the right, then a
// long one up, each as thick as the short one is long (seven by three for the classic box).
std::vector<PixelSpan> CheckMarkSpans(int x0, int y0, int m);

// A solid triangle centred in r, pointing up (0), down (1), left (2) or right (3), its
// base `base` pixels long (odd), moved by (shift, shift).
std::vector<PixelSpan> ArrowSpans(const TRect& r, int direction, int base, int shift);
