#include "controles/grid/paint/grid_cursors.h"

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/input/cursors.h"

#include <string>
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

} // namespace

void RegisterGridCursors() {
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
