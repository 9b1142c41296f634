#pragma once
// A string grid for the tests: it records the cells painted (with their rectangles and
// states) and the rows handed to the drop hook, and sits borderless in a shown window.

#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/grid/grids.h"

#include <memory>
#include <vector>

struct CeldaPintada {
    int col, row;
    TRect rect;
    TGridDrawState state;
};

class RejillaPrueba : public TStringGrid {
public:
    explicit RejillaPrueba(TWinControl* parent, int w = 200, int h = 100) : TStringGrid(parent) {
        SetBorderStyle(bsNone);
        SetScrollBars(ssNone);
        SetBounds(0, 0, w, h);
        if (parent) SetParent(parent);
    }
    using TCustomGrid::CalcMaxTopLeft;
    using TCustomGrid::MoveCurrent;
    using TStringGrid::PutStoreRow;
    using TStringGrid::RemoveStoreCols;
    using TStringGrid::TakeStoreRow;

    std::vector<CeldaPintada> pintadas;
    std::vector<std::pair<int, int>> soltadas; // RowsDropping(first, last)
    std::vector<TObject*> objetosSoltados;
    int cambiosTamano = 0, cambiosVista = 0;

    const CeldaPintada* Pintada(int c, int r) const {
        for (const CeldaPintada& p : pintadas)
            if (p.col == c && p.row == r) return &p;
        return nullptr;
    }

protected:
    void DrawCell(int c, int r, const TRect& rect, TGridDrawState s) override {
        pintadas.push_back({c, r, rect, s});
        TStringGrid::DrawCell(c, r, rect, s);
    }
    void RowsDropping(int first, int last) override {
        soltadas.emplace_back(first, last);
        for (int r = first; r <= last; ++r)
            for (int c = 0; c < GetStoreColCount(); ++c)
                if (TObject* o = GetObjects(c, r)) objetosSoltados.push_back(o);
    }
    void SizeChanged(int oc, int orow) override {
        ++cambiosTamano;
        TStringGrid::SizeChanged(oc, orow);
    }
    void TopLeftChanged() override {
        ++cambiosVista;
        TStringGrid::TopLeftChanged();
    }
};
