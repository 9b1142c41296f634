#pragma once
// The advanced grid as the grid tests use it: no border or scroll bars, placed on a parent
// when one is given, counting its Invalidate calls and keeping the rectangles it clears; and
// the fixture that puts one on a test window.

#include "controles/grid/kav_grid.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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
    // The rectangles cleared (left, top, right, bottom), as a descendant sees them.
    std::vector<TRect> vaciados;
    void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) override {
        vaciados.push_back(TRect(ACol1, ARow1, ACol2, ARow2));
        TKavStringGrid::ClearRect(ACol1, ARow1, ACol2, ARow2);
    }
    using TKavStringGrid::ColumnMoved;
    using TKavStringGrid::DragOver;
    using TKavStringGrid::Loaded;
    using TKavStringGrid::SelectCell;
    using TKavStringGrid::SetComponentStateFlag;
};

// A grid G on a test window of Ancho x Alto, with the simulated input cleared before the grid
// is made and after the window (and the grid with it) is gone.
template <class G = Rejilla, int Ancho = 600, int Alto = 400>
class RejillaEnVentana : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        ventana->SetBounds(0, 0, Ancho, Alto);
        g = new G(ventana.get(), ventana.get());
    }
    void TearDown() override {
        ventana.reset();
        ResetInputState();
    }
    std::unique_ptr<VentanaPrueba> ventana;
    G* g = nullptr;
};

// The message of the grid error that F raises; a failure, and empty, when it raises none.
template <class F> AnsiString ErrorDeRejilla(F f) {
    try {
        f();
    } catch (const EKavGridError& e) {
        return e.Message;
    }
    ADD_FAILURE() << "no grid error";
    return AnsiString();
}

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
