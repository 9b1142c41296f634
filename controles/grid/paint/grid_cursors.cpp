#include "controles/grid/paint/grid_cursors.h"

#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/input/cursors.h"
#include "plataforma/gui/kernel/screen.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

// 'b' black, 'w' white, anything else the see-through ground.
TPoint Paint(TBitmap* B, const Rows& R, TPoint HotSpot) {
    const int h = static_cast<int>(R.size()), w = h ? static_cast<int>(R[0].size()) : 0;
    B->SetSize(w, h);
    TCanvas* c = B->GetCanvas();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const char k = x < static_cast<int>(R[y].size()) ? R[y][x] : '.';
            c->SetPixels(x, y, k == 'b' ? clBlack : k == 'w' ? clWhite : clFuchsia);
        }
    return HotSpot;
}

Rows Transposed(const Rows& R) {
    Rows t(R.empty() ? 0 : R[0].size(), std::string(R.size(), '.'));
    for (size_t y = 0; y < R.size(); ++y)
        for (size_t x = 0; x < R[y].size(); ++x)
            t[x][y] = R[y][x];
    return t;
}

// Pointing down, the hot spot at its tip.
const Rows DownArrow = {
    "....wwwww....", //
    "....wbbbw....", //
    "....wbbbw....", //
    "....wbbbw....", //
    "....wbbbw....", //
    "....wbbbw....", //
    "....wbbbw....", //
    "wwwwwbbbwwwww", //
    "wbbbbbbbbbbbw", //
    ".wbbbbbbbbbw.", //
    "..wbbbbbbbw..", //
    "...wbbbbbw...", //
    "....wbbbw....", //
    ".....wbw.....", //
    "......w......", //
};

const Rows ThinCross = {
    "......www......", //
    "......wbw......", //
    "......wbw......", //
    "......wbw......", //
    "......wbw......", //
    "......wbw......", //
    "wwwwwwwbwwwwwww", //
    "wbbbbbbbbbbbbbw", //
    "wwwwwwwbwwwwwww", //
    "......wbw......", //
    "......wbw......", //
    "......wbw......", //
    "......wbw......", //
    "......wbw......", //
    "......www......", //
};

const Rows BoldCross = {
    ".....wwwww.....", //
    ".....wbbbw.....", //
    ".....wbbbw.....", //
    ".....wbbbw.....", //
    ".....wbbbw.....", //
    "wwwwwwbbbwwwwww", //
    "wbbbbbbbbbbbbbw", //
    "wbbbbbbbbbbbbbw", //
    "wbbbbbbbbbbbbbw", //
    "wwwwwwbbbwwwwww", //
    ".....wbbbw.....", //
    ".....wbbbw.....", //
    ".....wbbbw.....", //
    ".....wbbbw.....", //
    ".....wwwww.....", //
};

// A pointing hand, the hot spot at the tip of its finger.
const Rows PointingHand = {
    ".....ww.........", //
    "....wbbw........", //
    "....wbbw........", //
    "....wbbw........", //
    "....wbbwww......", //
    "....wbbwbbwww...", //
    "....wbbwbbwbbww.", //
    ".ww.wbbwbbwbbwbw", //
    "wbbwwbbbbbbbbwbw", //
    "wbbbwbbbbbbbbbbw", //
    ".wbbbbbbbbbbbbbw", //
    "..wbbbbbbbbbbbbw", //
    "..wbbbbbbbbbbbw.", //
    "...wbbbbbbbbbbw.", //
    "...wbbbbbbbbbw..", //
    "....wbbbbbbbbw..", //
    "....wbbbbbbbbw..", //
    "....wwwwwwwwww..", //
};

// A shape on a square grid of pixels, drawn from a test of each pixel's centre.
using Shape = std::function<bool(double X, double Y)>;

// Whether (X, Y) lies inside the triangle pointing from the centre (C, C) along (Dx, Dy):
// tip at Tip pixels from the centre, base at Base pixels, Half wide on each side.
bool InArrowHead(double X, double Y, double C, int Dx, int Dy, double Tip, double Base,
                 double Half) {
    const double len = std::hypot(Dx, Dy);
    const double ux = Dx / len, uy = Dy / len;
    const double along = (X - C) * ux + (Y - C) * uy;
    const double across = std::abs(-(X - C) * uy + (Y - C) * ux);
    if (along < Base || along > Tip) return false;
    return across <= Half * (Tip - along) / (Tip - Base);
}

// Rows of 'b' where the shape is, 'w' around it, '.' elsewhere.
Rows Outlined(int Size, const Shape& Inside) {
    Rows r(Size, std::string(Size, '.'));
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < Size && y < Size && Inside(x + 0.5, y + 0.5);
    };
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            if (in(x, y)) {
                r[y][x] = 'b';
                continue;
            }
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (in(x + dx, y + dy)) r[y][x] = 'w';
        }
    return r;
}

// The panning cursors: a small ring at the hot spot, and the arrowhead of the way the view
// moves (four of them, one each way, on the neutral cursor).
constexpr int PanSize = 25;
constexpr double PanCentre = PanSize / 2.0;

bool InRing(double X, double Y, double C, double Inner, double Outer) {
    const double d = std::hypot(X - C, Y - C);
    return d >= Inner && d <= Outer;
}

Rows PanCursor(int Dx, int Dy) {
    return Outlined(PanSize, [=](double x, double y) {
        if (InRing(x, y, PanCentre, 1.5, 3.2)) return true;
        if (Dx == 0 && Dy == 0) {
            for (auto [dx, dy] : {std::pair{0, -1}, {0, 1}, {-1, 0}, {1, 0}})
                if (InArrowHead(x, y, PanCentre, dx, dy, 11.5, 6.0, 4.0)) return true;
            return false;
        }
        return InArrowHead(x, y, PanCentre, Dx, Dy, 11.5, 4.5, 5.5);
    });
}

// The anchor left where panning started: a white disc with a black rim and the arrowheads
// of the ways the view may move, on a fuchsia ground that shows through.
void PaintAnchor(TBitmap* B, bool Vertical, bool Horizontal) {
    constexpr int size = 32;
    constexpr double c = size / 2.0;
    B->SetSize(size, size);
    TCanvas* canvas = B->GetCanvas();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = std::hypot(px - c, py - c);
            TColor k = clFuchsia;
            if (d <= 15.5) k = d >= 14.0 ? clBlack : clWhite;
            bool head = InRing(px, py, c, 0, 2.0);
            for (auto [dx, dy] : {std::pair{0, -1}, {0, 1}, {-1, 0}, {1, 0}}) {
                const bool wanted = dx == 0 ? Vertical : Horizontal;
                if (wanted && InArrowHead(px, py, c, dx, dy, 12.0, 6.0, 4.5)) head = true;
            }
            canvas->SetPixels(x, y, head ? clBlack : k);
        }
}

} // namespace

int UseGridCursor(int Id) {
    if (Screen) Screen->SetCursors(Id, LoadCursor(HInstance, Id));
    return Id;
}

int PanCursorId(int Dx, int Dy) {
    static constexpr int ids[3][3] = {
        {GridCursorPanUpLeft, GridCursorPanUp, GridCursorPanUpRight},
        {GridCursorPanLeft, GridCursorPanNeutral, GridCursorPanRight},
        {GridCursorPanDownLeft, GridCursorPanDown, GridCursorPanDownRight}};
    return ids[std::clamp(Dy, -1, 1) + 1][std::clamp(Dx, -1, 1) + 1];
}

void RegisterGridCursors() {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            RegisterCursorResource(PanCursorId(dx, dy), [dx, dy](TBitmap* B) {
                return Paint(B, PanCursor(dx, dy), TPoint(PanSize / 2, PanSize / 2));
            });
    RegisterBitmapResource("INTLI1", [](TBitmap* B) { PaintAnchor(B, true, true); });
    RegisterBitmapResource("INTLI2", [](TBitmap* B) { PaintAnchor(B, false, true); });
    RegisterBitmapResource("INTLI3", [](TBitmap* B) { PaintAnchor(B, true, false); });
    RegisterCursorResource(GridCursorLink,
                           [](TBitmap* B) { return Paint(B, PointingHand, TPoint(5, 1)); });
    RegisterCursorResource(GridCursorColSelect,
                           [](TBitmap* B) { return Paint(B, DownArrow, TPoint(6, 14)); });
    RegisterCursorResource(GridCursorRowSelect, [](TBitmap* B) {
        return Paint(B, Transposed(DownArrow), TPoint(14, 6));
    });
    RegisterCursorResource(GridCursorSelectAll,
                           [](TBitmap* B) { return Paint(B, ThinCross, TPoint(7, 7)); });
    RegisterCursorResource(GridCursorSelectionResize,
                           [](TBitmap* B) { return Paint(B, BoldCross, TPoint(7, 7)); });
}
