// Rows hidden for one or more reasons (by hand, inside a contracted node, filtered out): a
// row stays hidden while any reason is left, each operation takes away only its own reasons,
// node look-ups see hidden rows too, and hidden rows go along with the row above them when
// shown rows are sorted or moved. Each case is the smallest run of steps that showed a fault.

#include "controles/grid/cell_properties.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/numbers.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

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

} // namespace
