#include "plataforma/gui/painting/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

void LinePixels(int x0, int y0, int x1, int y1, std::vector<TPoint>& out) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        out.push_back({x, y});
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

FigureRows RoundedRows(int l, int t, int r, int b, int CornerWidth, int CornerHeight) {
    FigureRows rows;
    const int w = r - l, h = b - t;
    if (w <= 0 || h <= 0) return rows;
    rows.Top = t;
    rows.Left.resize(static_cast<size_t>(h));
    rows.Right.resize(static_cast<size_t>(h));
    const int cw = std::clamp(CornerWidth, 0, w), ch = std::clamp(CornerHeight, 0, h);
    const bool square = cw < 2 || ch < 2;
    // Pixel centres: the corner ellipses of the rows above cyTop and below cyBottom.
    const double a = (cw - 1) / 2.0, bb = (ch - 1) / 2.0;
    const double cyTop = t + bb, cyBottom = b - 1 - bb, cxLeft = l + a;
    for (int i = 0; i < h; ++i) {
        const int y = t + i;
        int left = l;
        if (!square) {
            double dy = 0;
            if (y < cyTop)
                dy = cyTop - y;
            else if (y > cyBottom)
                dy = y - cyBottom;
            if (dy > 0) {
                // Measured at the pixel's edge nearer the centre, which keeps the ends of
                // the curve from thinning to a point.
                const double q = std::max(0.0, dy - 0.5) / bb;
                const double half = a * std::sqrt(std::max(0.0, 1.0 - q * q));
                left = static_cast<int>(std::floor(cxLeft - half + 0.5));
            }
        }
        // Mirrored, so that the figure is symmetric whatever the rounding did.
        int right = l + r - 1 - left;
        if (left > right) std::swap(left, right);
        rows.Left[static_cast<size_t>(i)] = left;
        rows.Right[static_cast<size_t>(i)] = right;
    }
    return rows;
}

FigureRows RowsOfSpans(const std::vector<PixelSpan>& spans) {
    FigureRows rows;
    for (const PixelSpan& s : spans) {
        if (s.x1 <= s.x0) continue;
        if (rows.Left.empty()) rows.Top = s.y;
        if (s.y != rows.Top + static_cast<int>(rows.Left.size())) break;
        rows.Left.push_back(s.x0);
        rows.Right.push_back(s.x1 - 1);
    }
    return rows;
}

void OutlineAndInterior(const FigureRows& rows, std::vector<PixelSpan>& outline,
                        std::vector<PixelSpan>& interior) {
    const size_t n = rows.Left.size();
    for (size_t i = 0; i < n; ++i) {
        const int y = rows.Top + static_cast<int>(i);
        const int l = rows.Left[i], r = rows.Right[i];
        if (i == 0 || i + 1 == n) {
            outline.push_back({l, r + 1, y});
            continue;
        }
        // A pixel is on the outline when the row above or below does not reach it.
        const int nl = std::max(rows.Left[i - 1], rows.Left[i + 1]);
        const int nr = std::min(rows.Right[i - 1], rows.Right[i + 1]);
        const int leftEnd = std::max(l, nl - 1);
        const int rightStart = std::min(r, nr + 1);
        if (leftEnd + 1 >= rightStart) {
            outline.push_back({l, r + 1, y});
            continue;
        }
        outline.push_back({l, leftEnd + 1, y});
        outline.push_back({rightStart, r + 1, y});
        if (leftEnd + 1 < rightStart) interior.push_back({leftEnd + 1, rightStart, y});
    }
}

void ArcPoints(int l, int t, int r, int b, int x3, int y3, int x4, int y4,
               std::vector<TPoint>& out) {
    if (r <= l || b <= t) return;
    // Pixel centres of the outline, and the geometric centre that the radials start from.
    const double a = (r - l - 1) / 2.0, bb = (b - t - 1) / 2.0;
    const double cx = l + a, cy = t + bb;
    const double gx = (l + r) / 2.0, gy = (t + b) / 2.0;
    // The parameter of the point of the ellipse on each radial (counter-clockwise, y up).
    auto param = [&](int x, int y) {
        const double dx = x - gx, dy = y - gy;
        return std::atan2(-dy / std::max(bb, 0.5), dx / std::max(a, 0.5));
    };
    const double start = param(x3, y3);
    double end = param(x4, y4);
    constexpr double twoPi = 2 * std::numbers::pi;
    if (end <= start + 1e-9) end += twoPi;
    const double sweep = end - start;
    const int steps = std::max(8, static_cast<int>(std::ceil(sweep * std::max(a, bb) * 1.5)));
    for (int i = 0; i <= steps; ++i) {
        const double p = start + sweep * i / steps;
        out.push_back({static_cast<int>(std::floor(cx + a * std::cos(p) + 0.5)),
                       static_cast<int>(std::floor(cy - bb * std::sin(p) + 0.5))});
    }
}

std::vector<PixelSpan> SpansOfPixels(std::vector<TPoint> pixels) {
    std::sort(pixels.begin(), pixels.end(),
              [](const TPoint& p, const TPoint& q) { return p.y != q.y ? p.y < q.y : p.x < q.x; });
    std::vector<PixelSpan> spans;
    for (const TPoint& p : pixels) {
        if (!spans.empty() && spans.back().y == p.y && p.x <= spans.back().x1) {
            spans.back().x1 = std::max(spans.back().x1, p.x + 1);
            continue;
        }
        spans.push_back({p.x, p.x + 1, p.y});
    }
    return spans;
}

std::vector<PixelSpan> CheckMarkSpans(int x0, int y0, int m) {
    std::vector<PixelSpan> spans;
    if (m < 3) return spans;
    const int k = (m - 1) / 3, thick = k + 1, top0 = m - 1 - 2 * k;
    for (int c = 0; c < m; ++c) {
        const int top = c <= k ? top0 + c : top0 + 2 * k - c;
        for (int y = std::max(0, top); y < top + thick && y < m; ++y)
            spans.push_back({x0 + c, x0 + c + 1, y0 + y});
    }
    return spans;
}

std::vector<PixelSpan> ArrowSpans(const TRect& r, int direction, int base, int shift) {
    const int rows = (base + 1) / 2;
    const bool vertical = direction <= 1;
    const int w = vertical ? base : rows, h = vertical ? rows : base;
    const int x0 = r.Left + (r.Right - r.Left - w) / 2 + shift;
    const int y0 = r.Top + (r.Bottom - r.Top - h) / 2 + shift;
    std::vector<PixelSpan> spans;
    for (int i = 0; i < rows; ++i) {
        // Row i of the triangle counted from its base, which lies away from the point.
        const int step = direction == 0 || direction == 2 ? rows - 1 - i : i;
        if (vertical)
            spans.push_back({x0 + i, x0 + base - i, y0 + step});
        else
            for (int y = i; y < base - i; ++y)
                spans.push_back({x0 + step, x0 + step + 1, y0 + y});
    }
    return spans;
}
