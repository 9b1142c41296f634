#pragma once
// The advanced grid as the grid tests use it: no border or scroll bars, placed on a parent
// when one is given, counting its Invalidate calls.

#include "controles/grid/kav_grid.h"

#include <string>

class Rejilla : public TKavStringGrid {
public:
    explicit Rejilla(TComponent* owner, TWinControl* parent = nullptr) : TKavStringGrid(owner) {
        SetBorderStyle(bsNone);
        SetScrollBars(ssNone);
        if (parent) SetParent(parent);
    }
    int invalidaciones = 0;
    void Invalidate() override {
        ++invalidaciones;
        TKavStringGrid::Invalidate();
    }
    using TKavStringGrid::Loaded;
};

// Rows From .. To of a column, joined by Sep: one line to compare.
inline std::string TextosColumna(TStringGrid* G, int Col, int From, int To, const char* Sep) {
    std::string s;
    for (int r = From; r <= To; ++r)
        s += (r > From ? Sep : "") + G->GetCells(Col, r).str();
    return s;
}

// Whether any pixel of the rectangle on the canvas has the colour.
inline bool HayColor(TCanvas* C, const TRect& R, TColor Color) {
    const COLORREF want = ColorToRGB(Color);
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (ColorToRGB(C->GetPixels(x, y)) == want) return true;
    return false;
}
