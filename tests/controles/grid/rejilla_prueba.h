#pragma once
// The advanced grid as the grid tests use it: no border or scroll bars, placed on a parent
// when one is given, counting its Invalidate calls.

#include "controles/grid/kav_grid.h"

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
