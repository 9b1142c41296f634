// Rows hidden for one or more reasons (by hand, inside a contracted node, filtered out): a
// row stays hidden while any reason is left, each operation takes away only its own reasons,
// node look-ups see hidden rows too, and hidden rows go along with the row above them when
// shown rows are sorted or moved. Each case is the smallest run of steps that showed a fault.

#include "controles/grid/cell_properties.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Rows f1..f12 under a fixed row: column 1 names the row, column 2 holds "x" on odd rows
// and "y" on even ones, column 3 a key that sorts the rows backwards.
class RazonesOcultas : public RejillaEnVentana<Rejilla, 700, 500> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 500, 420);
        g->SetColCount(4);
        g->SetRowCount(13);
        for (int r = 1; r < 13; ++r) {
            g->SetCells(1, r, "f" + IntToStr(r));
            g->SetCells(2, r, r % 2 ? "x" : "y");
            g->SetCells(3, r, AnsiString(std::string(1, static_cast<char>('a' + 12 - r))));
        }
    }
    // The texts of column 1 of the shown normal rows, joined by spaces.
    std::string Vistas() { return TextosColumna(g, 1, 1, g->GetRowCount() - 1, " "); }
    // The display row whose column-1 text is Text, -1 when it is not shown.
    int Fila(const char* Text) {
        for (int r = 0; r < g->GetRowCount(); ++r)
            if (g->GetCells(1, r) == Text) return r;
        return -1;
    }
    // The real row of the shown row named Text.
    int Real(const char* Text) { return g->RemapRowInv(Fila(Text)); }
    int Nivel(const char* Text) {
        const TCellProperties* p = g->FindCellProperties(0, Fila(Text));
        return p ? p->GetNodeLevel() : 0;
    }
    // Keeps the rows whose column 2 holds Value.
    void Filtrar(const char* Value) {
        TFilterData* f = g->GetFilter()->Add();
        f->SetColumn(2);
        f->SetCondition(Value);
        g->SetFilterActive(true);
    }
};

TEST_F(RazonesOcultas, LasFilasDeUnNodoContraidoSiguenASuNodoAlOrdenar) {
    g->AddNode(2, 3);
    g->ContractNode(2);
    g->GetSortSettings()->SetColumn(3);
    g->QSort();
    EXPECT_EQ(Vistas(), "f12 f11 f10 f9 f8 f7 f6 f5 f2 f1");
    g->ExpandNode(Real("f2"));
    EXPECT_EQ(Vistas(), "f12 f11 f10 f9 f8 f7 f6 f5 f2 f3 f4 f1");
    EXPECT_EQ(g->GetNodeSpan(Fila("f2")), 3);
    EXPECT_EQ(Nivel("f4"), 1);
    EXPECT_EQ(Nivel("f1"), 0);
}

TEST_F(RazonesOcultas, LasFilasOcultasSiguenALaFilaMovida) {
    struct Caso {
        const char* nombre;
        const char* fila; // the row moved
        const char* a;    // to the display row of this one
        const char* vistas;
        const char* abiertas; // after the node opens and f7 (under f6) is shown again
    };
    const Caso casos[] = {
        {"el nodo baja", "f2", "f6", "f1 f5 f6 f2 f8 f9 f10 f11 f12",
         "f1 f5 f6 f7 f2 f3 f4 f8 f9 f10 f11 f12"},
        {"una fila pasa bajo el nodo", "f1", "f2", "f2 f1 f5 f6 f8 f9 f10 f11 f12",
         "f2 f3 f4 f1 f5 f6 f7 f8 f9 f10 f11 f12"},
        {"la fila sobre una oculta sube", "f6", "f1", "f6 f1 f2 f5 f8 f9 f10 f11 f12",
         "f6 f7 f1 f2 f3 f4 f5 f8 f9 f10 f11 f12"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        // Node f2 over f3 and f4, contracted; f7 hidden by hand.
        g->AddNode(2, 3);
        g->ContractNode(2);
        g->HideRow(7);
        g->MoveRow(Fila(c.fila), Fila(c.a));
        EXPECT_EQ(Vistas(), c.vistas);
        g->ExpandNode(Real("f2"));
        g->UnHideRow(Real("f6") + 1);
        EXPECT_EQ(Vistas(), c.abiertas);
        EXPECT_EQ(g->GetNodeSpan(Fila("f2")), 3);
        EXPECT_EQ(Nivel("f3"), 1);
        EXPECT_EQ(Nivel("f4"), 1);
    }
}

TEST_F(RazonesOcultas, CadaOperacionQuitaSoloSusRazones) {
    // Node f1 over f1..f6; f4 hidden by hand inside it.
    g->AddNode(1, 6);
    g->HideRow(4);
    g->ContractNode(1);
    EXPECT_EQ(g->HiddenReasons(4), hrByHand | hrNode);
    g->ExpandNode(1);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f5 f6 f7 f8 f9 f10 f11 f12");
    // The filter hides f3 (and the other odd rows) a second time: shown by hand, it stays.
    g->HideRow(3);
    Filtrar("y");
    EXPECT_EQ(g->HiddenReasons(3), hrByHand | hrFilter);
    g->UnHideRow(3);
    EXPECT_EQ(Vistas(), "f2 f6 f8 f10 f12");
    // The filter off takes its own reason and the ones by hand.
    g->SetFilterActive(false);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12");
    EXPECT_EQ(g->NumHiddenRows(), 0);
}

TEST_F(RazonesOcultas, AbrirOQuitarUnNodoNoMuestraLoQueElFiltroOculta) {
    const std::pair<const char*, std::function<void(Rejilla*)>> casos[] = {
        {"ExpandNode", [](Rejilla* x) { x->ExpandNode(1); }},
        {"SetNodeState", [](Rejilla* x) { x->SetNodeState(1, false); }},
        {"RemoveNode", [](Rejilla* x) { x->RemoveNode(1); }},
        {"RemoveAllNodes", [](Rejilla* x) { x->RemoveAllNodes(); }},
        {"ExpandAll", [](Rejilla* x) { x->ExpandAll(); }},
        {"clic en el glifo",
         [](Rejilla* x) {
             x->SetFocus();
             x->SetColWidths(0, 60);
             const TRect r = x->CellRect(0, 1);
             SimulateClick(x, r.Left + 6, (r.Top + r.Bottom) / 2);
         }},
    };
    for (const auto& [nombre, abrir] : casos) {
        SCOPED_TRACE(nombre);
        SetUp();
        g->AddNode(1, 6);
        Filtrar("x");
        g->ContractNode(1);
        EXPECT_EQ(Vistas(), "f1 f7 f9 f11");
        abrir(g);
        EXPECT_EQ(Vistas(), "f1 f3 f5 f7 f9 f11");
        EXPECT_FALSE(g->GetNodeState(1));
        EXPECT_TRUE(g->GetFilterActive());
    }
}

TEST_F(RazonesOcultas, ContraerTodoYDesagruparDejanElFiltro) {
    g->AddNode(1, 6);
    Filtrar("x");
    g->ContractAll();
    EXPECT_EQ(Vistas(), "f1 f7 f9 f11");
    g->ExpandAll();
    EXPECT_EQ(Vistas(), "f1 f3 f5 f7 f9 f11");
    g->RemoveAllNodes();
    // Switching the filter on again would do nothing: it is still on, and still hiding.
    EXPECT_TRUE(g->GetFilterActive());
    g->SetFilterActive(false);

    // Grouped on column 3 ("a" for f1..f6, "b" for the rest), filtered, ungrouped: every
    // row takes its value back and the filter still hides the even rows.
    for (int r = 1; r < 13; ++r)
        g->SetCells(3, r, r <= 6 ? "a" : "b");
    g->Group(3);
    Filtrar("x");
    g->UnGroup();
    EXPECT_EQ(Vistas(), "f1 f3 f5 f7 f9 f11");
    EXPECT_TRUE(g->GetFilterActive());
    g->SetFilterActive(false);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12");
    EXPECT_EQ(TextosColumna(g, 3, 1, 12, " "), "a a a a a a b b b b b b");
    // Grouping a filtered grid groups every row and keeps the filtered ones hidden.
    Filtrar("x");
    g->Group(3);
    EXPECT_EQ(g->TotalRowCount(), 15);
    g->UnGroup();
    EXPECT_EQ(Vistas(), "f1 f3 f5 f7 f9 f11");
}

TEST_F(RazonesOcultas, QuitarElFiltroDejaContraidoElNodo) {
    g->AddNode(1, 6);
    g->ContractNode(1);
    g->HideRow(9);
    Filtrar("x");
    g->SetFilterActive(false);
    // The node stays closed and its rows hidden; the row hidden by hand comes back.
    EXPECT_EQ(Vistas(), "f1 f7 f8 f9 f10 f11 f12");
    EXPECT_TRUE(g->GetNodeState(1));
    g->SetNodeState(1, false);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12");
}

TEST_F(RazonesOcultas, FilasHijasConElNodoFiltrado) {
    // Nodes f1 (f1..f4) and f5 (f5..f8); the filter hides both node rows.
    g->AddNode(1, 4);
    g->AddNode(5, 4);
    Filtrar("y");
    g->InsertChildRow(2, 1);
    EXPECT_EQ(Vistas(), "f2  f4 f6 f8 f10 f12");
    g->SetFilterActive(false);
    EXPECT_EQ(Vistas(), "f1 f2  f3 f4 f5 f6 f7 f8 f9 f10 f11 f12");
    EXPECT_EQ(g->GetNodeSpan(Fila("f1")), 5);
    EXPECT_EQ(g->GetNodeSpan(Fila("f5")), 4);
    EXPECT_EQ(Nivel("f4"), 1);
    EXPECT_EQ(g->GetCellProperties(0, 3)->GetNodeLevel(), 1);
    EXPECT_EQ(Nivel("f5"), 1);
    g->RemoveRows(3, 1);
    g->SetNodeSpan(Fila("f1"), 4);

    Filtrar("y");
    g->RemoveChildRow(2);
    g->SetFilterActive(false);
    EXPECT_EQ(g->GetNodeSpan(Fila("f1")), 3);
    g->ContractNode(Real("f1"));
    // Node f1 hides its own rows, not the other node's row.
    EXPECT_EQ(Vistas(), "f1 f5 f6 f7 f8 f9 f10 f11 f12");
    EXPECT_FALSE(g->GetNodeState(Fila("f5")));
}

TEST_F(RazonesOcultas, NodoEnUnaFilaQueElFiltroOculta) {
    Filtrar("x");
    g->AddNode(10, 2);
    EXPECT_EQ(g->GetNodeCount(), 1);
    EXPECT_EQ(Nivel("f11"), 1);
    EXPECT_EQ(Nivel("f9"), 0);
    g->SetFilterActive(false);
    EXPECT_TRUE(g->IsNode(Fila("f10")));
    EXPECT_FALSE(g->IsNode(Fila("f11")));
    EXPECT_EQ(g->GetNodeSpan(Fila("f10")), 2);
    EXPECT_EQ(Nivel("f10"), 1);
    EXPECT_EQ(Nivel("f12"), 0);
}

TEST_F(RazonesOcultas, QuitarLaFilaDelNodoDevuelveSusFilas) {
    for (const bool contraido : {false, true}) {
        SCOPED_TRACE(contraido ? "contraido" : "abierto");
        SetUp();
        g->AddNode(2, 3);
        if (contraido) g->ContractNode(2);
        g->RemoveRows(Fila("f2"), 1);
        // Only the node row goes; its rows show at level 0.
        EXPECT_EQ(Vistas(), "f1 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12");
        EXPECT_EQ(g->TotalRowCount(), 12);
        EXPECT_EQ(Nivel("f3"), 0);
        EXPECT_EQ(Nivel("f4"), 0);
        EXPECT_EQ(g->GetNodeCount(), 0);
    }
}

} // namespace
