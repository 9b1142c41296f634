// The grid's scroll bars: ranges 0..127 mapped onto the rows with MulDiv, the scroll
// requests moving TopRow and LeftCol, the thumb moving the grid on release unless
// goThumbTracking, a derived class reaching the handler through its own Dispatch, and a
// user's click on a bar.

#include "tests/plataforma/gui/canvas_prueba.h"
#include "tests/plataforma/gui/grid_prueba.h"

#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/font.h"
#include "plataforma/gui/testing/input_simulation.h"

#include <gtest/gtest.h>

namespace {

// A grid that answers the scroll messages first, then lets the base scroll, as the grid
// built on it does.
class RejillaDerivada : public RejillaPrueba {
public:
    using RejillaPrueba::RejillaPrueba;
    std::vector<std::pair<int, int>> vistas; // (code, TopRow before the base's handling)

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_VSCROLL) return CallMessageHandler(this, &RejillaDerivada::WMVScroll, m);
        RejillaPrueba::Dispatch(m);
    }
    void WMVScroll(TWMVScroll& m) {
        vistas.emplace_back(m.ScrollCode, GetTopRow());
        TCustomGrid::WMVScroll(m);
    }
};

class GridDesplazamiento : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new RejillaDerivada(ventana.get(), 200, 130);
        g->SetScrollBars(ssBoth);
        g->SetColCount(10);
        g->SetRowCount(100);
    }
    void Pedir(UINT msg, int code, int pos = 0) { g->Perform(msg, MAKEWPARAM(code, pos), 0); }
    int Maxima() const { return g->CalcMaxTopLeft().Y; }
    std::unique_ptr<VentanaPrueba> ventana;
    RejillaDerivada* g = nullptr;
};

TEST_F(GridDesplazamiento, LasBarrasSeMuestranConElRangoDe0a127) {
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(g->GetClientWidth(), 200 - cx);
    EXPECT_EQ(g->GetClientHeight(), 130 - cy);
    int mn = -1, mx = -1;
    ASSERT_TRUE(GetScrollRange(g->GetHandle(), SB_VERT, &mn, &mx));
    EXPECT_EQ(mn, 0);
    EXPECT_EQ(mx, 127);
    EXPECT_EQ(GetScrollPos(g->GetHandle(), SB_VERT), 0);
    // The position follows TopRow.
    g->SetTopRow(50);
    EXPECT_EQ(GetScrollPos(g->GetHandle(), SB_VERT), MulDiv(49, 127, Maxima() - 1));
    g->SetTopRow(Maxima());
    EXPECT_EQ(GetScrollPos(g->GetHandle(), SB_VERT), 127);
    // Everything in view: the bars go and the client area grows.
    g->SetRowCount(3);
    g->SetColCount(2);
    EXPECT_EQ(g->GetClientWidth(), 200);
    EXPECT_EQ(g->GetClientHeight(), 130);
    EXPECT_EQ(g->GetTopRow(), 1);
}

TEST_F(GridDesplazamiento, LasPeticionesMuevenTopRow) {
    const int visibles = g->GetVisibleRowCount();
    ASSERT_GT(visibles, 1);
    Pedir(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(g->GetTopRow(), 2);
    Pedir(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(g->GetTopRow(), 2 + visibles);
    Pedir(WM_VSCROLL, SB_PAGEUP);
    Pedir(WM_VSCROLL, SB_LINEUP);
    Pedir(WM_VSCROLL, SB_LINEUP); // stops at the first scrollable row
    EXPECT_EQ(g->GetTopRow(), 1);
    Pedir(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(g->GetTopRow(), Maxima());
    Pedir(WM_VSCROLL, SB_LINEDOWN); // and at the last that fills the view
    EXPECT_EQ(g->GetTopRow(), Maxima());
    Pedir(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(g->GetTopRow(), 1);
    // The thumb: 0..127 onto 1..max.
    for (int pos : {0, 1, 64, 126, 127}) {
        Pedir(WM_VSCROLL, SB_THUMBPOSITION, pos);
        EXPECT_EQ(g->GetTopRow(), 1 + MulDiv(pos, Maxima() - 1, 127)) << pos;
    }
    // Dragging moves nothing until the thumb is let go, unless goThumbTracking.
    Pedir(WM_VSCROLL, SB_TOP);
    Pedir(WM_VSCROLL, SB_THUMBTRACK, 64);
    EXPECT_EQ(g->GetTopRow(), 1);
    g->SetOptions(g->GetOptions() << goThumbTracking);
    Pedir(WM_VSCROLL, SB_THUMBTRACK, 64);
    EXPECT_EQ(g->GetTopRow(), 1 + MulDiv(64, Maxima() - 1, 127));
    // Columns alike.
    Pedir(WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(g->GetLeftCol(), 2);
    Pedir(WM_HSCROLL, SB_BOTTOM);
    EXPECT_EQ(g->GetLeftCol(), g->CalcMaxTopLeft().X);
    // Every vertical request went through the derived class's own handler first.
    EXPECT_EQ(g->vistas.size(), 16u);
    EXPECT_EQ(g->vistas[0], std::make_pair(static_cast<int>(SB_LINEDOWN), 1));
}

TEST_F(GridDesplazamiento, UnClicEnLaFlechaDeLaBarraBajaUnaFila) {
    g->Repaint();
    const int cx = GetSystemMetrics(SM_CXVSCROLL);
    const int x = g->GetClientWidth() + cx / 2;
    SimulateClick(g, x, g->GetClientHeight() - 4); // the down arrow
    EXPECT_EQ(g->GetTopRow(), 2);
    EXPECT_EQ(GetScrollPos(g->GetHandle(), SB_VERT), MulDiv(1, 127, Maxima() - 1));
    SimulateClick(g, x, 4); // the up arrow
    EXPECT_EQ(g->GetTopRow(), 1);
    // After a one-row scroll the cells painted are those of the rows in view.
    g->SetTopRow(40);
    g->pintadas.clear();
    UpdateWindow(g->GetHandle());
    ASSERT_FALSE(g->pintadas.empty());
    EXPECT_NE(g->Pintada(1, 40), nullptr);
    EXPECT_EQ(g->Pintada(1, 39), nullptr);
}

TEST(GridDesplazamientoPixeles, UnPasoCortoMueveLosPixelesYPintaSoloLaFranjaDescubierta) {
    VentanaPrueba v;
    auto* g = new RejillaPrueba(&v, 200, 100);
    g->SetRowCount(50);
    for (int r = 0; r < 50; ++r)
        for (int c = 0; c < 5; ++c)
            g->SetCells(c, r, AnsiString(c) + "/" + AnsiString(r));
    g->Repaint();
    TCanvas* canvas = g->GetCanvas();
    for (int paso : {1, -1, 2, 3, -2}) {
        g->pintadas.clear();
        g->SetTopRow(g->GetTopRow() + paso);
        UpdateWindow(g->GetHandle());
        // Rows of 25 pixels under a fixed row of 25 in a view of 100: the rows uncovered.
        for (const CeldaPintada& p : g->pintadas) {
            const bool nueva =
                paso > 0 ? p.row >= g->GetTopRow() + 3 - paso : p.row < g->GetTopRow() - paso;
            EXPECT_TRUE(nueva) << "paso " << paso << ": fila " << p.row;
        }
        EXPECT_FALSE(g->pintadas.empty());
        // The same pixels as a full repaint.
        const auto desplazado = Snapshot(canvas, Rect(0, 0, 200, 100));
        g->Repaint();
        EXPECT_EQ(desplazado, Snapshot(canvas, Rect(0, 0, 200, 100))) << "paso " << paso;
    }
    // A jump past the view paints all of it below the fixed row: 3 rows of 4 columns.
    g->pintadas.clear();
    g->SetTopRow(40);
    UpdateWindow(g->GetHandle());
    EXPECT_EQ(g->pintadas.size(), 3u * 4u);
    for (const CeldaPintada& p : g->pintadas)
        EXPECT_GE(p.row, 40);
}

} // namespace
