// Columns and rows sized by the user dragging a border: the end events, the width a
// handler may still change, every column (row) following the one sized with AllColumnSize
// (AllRowSize), and a shown editor following its cell's new size.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/comun/pruebas.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class Tamano : public RejillaEnVentana<Rejilla, 700, 400> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 600, 300);
        g->SetColCount(5);
        g->SetRowCount(8);
        g->SetOptions(g->GetOptions() << goColSizing << goRowSizing);
        const int anchos[] = {50, 40, 64, 33, 50};
        for (int c = 0; c < 5; ++c)
            g->SetColWidths(c, anchos[c]);
        g->OnEndColumnSize = [&](TObject*, int c) { finColumnas.push_back(c); };
        g->OnEndRowSize = [&](TObject*, int r) { finFilas.push_back(r); };
        g->SetFocus();
    }
    // Drags the trailing border of a header column by dx pixels.
    void ArrastraColumna(int col, int dx) {
        const TRect r = g->CellRect(col, 0);
        const int y = (r.Top + r.Bottom) / 2;
        Arrastra(r.Right, y, r.Right + dx, y);
    }
    // Drags the bottom border of a row, in the fixed column, by dy pixels.
    void ArrastraFila(int row, int dy) {
        const TRect r = g->CellRect(0, row);
        const int x = (r.Left + r.Right) / 2;
        Arrastra(x, r.Bottom, x, r.Bottom + dy);
    }
    void Arrastra(int x0, int y0, int x1, int y1) {
        SimulateMouse(g, SimulatedMouse::Move, 0, x0, y0);
        SimulateMouse(g, SimulatedMouse::Down, 0, x0, y0);
        SimulateMouse(g, SimulatedMouse::Move, 0, x1, y1);
        SimulateMouse(g, SimulatedMouse::Up, 0, x1, y1);
    }
    std::vector<int> Anchos() const {
        std::vector<int> v;
        for (int c = 0; c < g->GetColCount(); ++c)
            v.push_back(g->GetColWidths(c));
        return v;
    }
    std::vector<int> Altos() const {
        std::vector<int> v;
        for (int r = 0; r < g->GetRowCount(); ++r)
            v.push_back(g->GetRowHeights(r));
        return v;
    }
    std::vector<int> finColumnas, finFilas;
};

TEST_F(Tamano, ColumnaArrastradaAvisaUnaVezYElAvisoPuedeCorregirElAncho) {
    // Without AllColumnSize only the dragged column changes.
    ArrastraColumna(2, 30);
    EXPECT_EQ(Anchos(), (std::vector<int>{50, 40, 94, 33, 50}));
    EXPECT_EQ(finColumnas, (std::vector<int>{2}));
    // A press and release on the border that moves nothing ends no sizing.
    ArrastraColumna(2, 0);
    EXPECT_EQ(finColumnas.size(), 1u);
    // A width set by the program is no sizing by the user.
    g->SetColWidths(3, 70);
    EXPECT_EQ(finColumnas.size(), 1u);
    // OnUpdateColumnSize may change the width the drag left: its answer is applied, and
    // applying it is no second sizing.
    std::vector<int> pedidos;
    g->OnUpdateColumnSize = [&](TObject*, int c, int& w) {
        pedidos.push_back(w);
        w = (w + 5) / 10 * 10;
        EXPECT_EQ(c, 1);
    };
    ArrastraColumna(1, 17);
    EXPECT_EQ(pedidos, (std::vector<int>{57}));
    EXPECT_EQ(g->GetColWidths(1), 60);
    EXPECT_EQ(finColumnas, (std::vector<int>{2, 1}));
    // A handler that takes the column away leaves nothing to size.
    g->OnEndColumnSize = [&](TObject*, int) { g->SetColCount(2); };
    ArrastraColumna(4, 10);
    EXPECT_EQ(g->GetColCount(), 2);
    EXPECT_EQ(pedidos.size(), 1u);
}

TEST_F(Tamano, ConAllColumnSizeLasDemasColumnasSiguenLaProporcion) {
    g->GetMouseActions()->SetAllColumnSize(true);
    g->SetCells(1, 0, "Capa");
    g->SetCells(2, 0, "Espesor");
    g->SetCells(3, 0, "Lambda");
    g->SetCells(4, 0, "R");
    // 64 -> 96: every scrollable column times 1.5, rounded (33 -> 49.5 -> 50); the fixed
    // column stays.
    ArrastraColumna(2, 32);
    EXPECT_EQ(Anchos(), (std::vector<int>{50, 60, 96, 50, 75}));
    EXPECT_EQ(finColumnas, (std::vector<int>{2}));
    EXPECT_FALSE(SaveCapture(g, "rejilla_todas_las_columnas").IsEmpty());
    // Narrowing works the same way: 96 -> 48 halves them.
    ArrastraColumna(2, -48);
    EXPECT_EQ(Anchos(), (std::vector<int>{50, 30, 48, 25, 38}));
    EXPECT_EQ(finColumnas, (std::vector<int>{2, 2}));
}

TEST_F(Tamano, FilaArrastradaAvisaYConAllRowSizeLasDemasLaSiguen) {
    const int alto = g->GetRowHeights(3);
    ArrastraFila(3, 10);
    EXPECT_EQ(g->GetRowHeights(3), alto + 10);
    EXPECT_EQ(g->GetRowHeights(4), alto);
    EXPECT_EQ(finFilas, (std::vector<int>{3}));
    EXPECT_TRUE(finColumnas.empty());

    g->GetMouseActions()->SetAllRowSize(true);
    g->SetRowHeights(3, 20);
    g->SetRowHeights(5, 30);
    const std::vector<int> antes = Altos();
    ArrastraFila(3, 10); // 20 -> 30: times 1.5
    std::vector<int> esperado = antes;
    for (int r = 1; r < g->GetRowCount(); ++r)
        esperado[r] = r == 3 ? 30 : static_cast<int>(std::lround(antes[r] * 1.5));
    EXPECT_EQ(Altos(), esperado);
    EXPECT_EQ(g->GetRowHeights(0), antes[0]);
    EXPECT_EQ(finFilas, (std::vector<int>{3, 3}));
}

TEST_F(Tamano, ColumnaFijaConSizeFixedColAvisaAlTerminar) {
    g->GetMouseActions()->SetSizeFixedCol(true);
    g->GetMouseActions()->SetAllColumnSize(true);
    std::vector<int> pedidos;
    g->OnUpdateColumnSize = [&](TObject*, int c, int& w) {
        EXPECT_EQ(c, 0);
        pedidos.push_back(w);
        w = 80;
    };
    const int borde = g->GetColWidths(0) + 1;
    const TRect r = g->CellRect(0, 4);
    const int y = (r.Top + r.Bottom) / 2;
    Arrastra(borde - 1, y, borde + 19, y);
    EXPECT_EQ(pedidos, (std::vector<int>{70}));
    EXPECT_EQ(g->GetColWidths(0), 80);
    EXPECT_EQ(finColumnas, (std::vector<int>{0}));
    // A fixed column sized by its border is not the header sizing: the others stay.
    EXPECT_EQ(Anchos(), (std::vector<int>{80, 40, 64, 33, 50}));
}

TEST_F(Tamano, ElEditorAbiertoSigueASuCeldaYSeCierraSobreUnaCasilla) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->SetCol(2);
    g->SetRow(2);
    g->ShowInplaceEdit();
    TInplaceEdit* ed = g->GetInplaceEditor();
    ASSERT_TRUE(ed && ed->GetVisible());
    const int antes = ed->GetWidth();
    g->SetColWidths(2, g->GetColWidths(2) + 30);
    ASSERT_TRUE(g->GetEditorMode() && ed->GetVisible());
    EXPECT_EQ(ed->GetWidth(), antes + 30);
    const TRect celda = g->CellRect(2, 2);
    EXPECT_EQ(ed->GetLeft(), celda.Left);
    // A taller row above moves it down with its cell.
    g->SetRowHeights(1, g->GetRowHeights(1) + 15);
    EXPECT_EQ(ed->GetTop(), g->CellRect(2, 2).Top);
    // Over a check box no text editor stays open.
    g->AddCheckBox(2, 2, false, false);
    g->SetColWidths(2, 70);
    EXPECT_FALSE(ed->GetVisible() && g->GetEditorMode());
}

} // namespace
