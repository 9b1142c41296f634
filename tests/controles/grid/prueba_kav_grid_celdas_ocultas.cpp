// Cells of the advanced grid reached past hidden columns and rows: editing with the keys,
// typed access by real index, the footer's totals, the row-select flags after removals,
// removing columns and the widths of hidden columns. Each on the smallest grid that shows
// what goes wrong when a shown index is taken for a real one.

#include "controles/grid/editing/kav_inplace_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <vector>

inline void PrintTo(const AnsiString& S, std::ostream* Os) {
    *Os << '"' << S.c_str() << '"';
}

namespace {

class CeldasOcultas : public RejillaEnVentana<> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 420, 260);
    }
    // Real columns 0-3 of Rows rows, each cell "c<col>r<row>".
    void Llenar(int Rows) {
        g->SetColCountEx(4);
        g->SetRowCountEx(Rows);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < 4; ++c)
                g->SetCells(c, r, "c" + AnsiString(c) + "r" + AnsiString(r));
    }
    bool Abierto() const {
        return g->GetEditorMode() && g->GetInplaceEditor() && g->GetInplaceEditor()->GetVisible();
    }
};

// With real column 1 hidden, shown column 1 is real column 2: F2 shows its text, Return
// writes it there and nowhere else, and Escape puts back only the cell it edited.
TEST_F(CeldasOcultas, EditarTrasUnaColumnaOcultaEscribeEnSuColumnaReal) {
    Llenar(3);
    g->SetOptions(g->GetOptions() << goEditing);
    g->HideColumn(1);
    g->SetFocus();
    g->SetCol(1);
    g->SetRow(1);
    EXPECT_EQ(g->GetCurrentCell(), "c2r1");
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto());
    EXPECT_EQ(g->GetKavInplaceEditor()->GetText(), "c2r1");
    SimulateTyping("x");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(1, 1), "c1r1");
    EXPECT_EQ(g->GetCells(2, 1), "c2r1x");
    EXPECT_EQ(g->GetCells(3, 1), "c3r1");

    g->SetCol(2); // real column 3
    SimulateTyping("nuevo");
    ASSERT_TRUE(Abierto());
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(2, 1), "c2r1x");
    EXPECT_EQ(g->GetCells(3, 1), "c3r1");

    // The cell written through the current-cell accessors is the real one too.
    g->SetCol(1);
    g->SetCurrentCell("otro");
    EXPECT_EQ(g->GetCells(2, 1), "otro");
    EXPECT_EQ(g->GetCells(1, 1), "c1r1");
    g->SetEditCell("editado");
    EXPECT_EQ(g->GetCells(2, 1), "editado");
}

// Typed access counts hidden rows and columns in its indexes: a hidden column is read and
// written where it stands, and so is a hidden row.
TEST_F(CeldasOcultas, NumerosPorIndiceRealConColumnaYFilaOcultas) {
    SetDecimalSeparator('.');
    Llenar(5);
    g->HideColumn(1);
    g->HideRow(2);
    g->SetAllFloats(2, 3, 1.5); // real column 2, real row 3 (shown as 1, 2)
    EXPECT_EQ(g->GetCells(2, 2), "1.50");
    EXPECT_EQ(g->GetCells(1, 2), "c1r3");
    g->SetAllFloats(1, 3, 7); // the hidden column itself
    EXPECT_EQ(g->GetCells(1, 2), "7.00");
    EXPECT_EQ(g->GetCells(2, 2), "1.50");
    g->SetAllFloats(3, 2, 2.25); // in the hidden row
    EXPECT_DOUBLE_EQ(g->GetAllFloats(3, 2), 2.25);
    EXPECT_DOUBLE_EQ(g->GetAllFloats(1, 3), 7.0);
    EXPECT_DOUBLE_EQ(g->GetAllFloats(2, 3), 1.5);
    g->UnHideRowsAll();
    g->UnHideColumnsAll();
    EXPECT_EQ(g->GetCells(3, 2), "2.25");
    EXPECT_EQ(g->GetCells(2, 2), "c2r2");
}

// The footer's totals counting hidden rows take every data row once, the footer never;
// without them only the shown rows count.
TEST_F(CeldasOcultas, PieConFilasOcultasSumaCadaFilaUnaVez) {
    SetDecimalSeparator('.');
    g->SetColCountEx(4);
    g->SetRowCountEx(6); // fixed row 0, data 1-4, footer 5
    for (int r = 1; r <= 4; ++r) {
        g->SetCells(2, r, AnsiString(r));
        g->SetCells(3, r, AnsiString(10 * r));
    }
    TFloatingFooter* f = g->GetFloatingFooter();
    f->SetVisible(true);
    f->SetCalculateHiddenRows(true);
    g->HideRow(2);
    struct Caso {
        TColumnCalcType tipo;
        double conOcultas, sinOcultas;
    } casos[] = {
        {acSUM, 10, 8}, {acAVG, 2.5, 2.67}, {acMIN, 1, 1}, {acMAX, 4, 4}, {acCOUNT, 4, 3},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(static_cast<int>(c.tipo));
        f->SetCalculateHiddenRows(true);
        f->SetColumnCalc(2, c.tipo);
        EXPECT_DOUBLE_EQ(g->GetFloats(2, g->GetRowCount() - 1), c.conOcultas);
        f->SetCalculateHiddenRows(false);
        f->SetColumnCalc(2, c.tipo);
        EXPECT_DOUBLE_EQ(g->GetFloats(2, g->GetRowCount() - 1), c.sinOcultas);
    }
    // Several hidden rows and a hidden column in front: the column keeps its own values.
    f->SetCalculateHiddenRows(true);
    g->HideRow(4);
    g->HideColumn(1);
    f->SetColumnCalc(3, acSUM);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, g->GetRowCount() - 1), 100.0);
    f->SetColumnCalc(3, acMIN);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, g->GetRowCount() - 1), 10.0);
    f->SetColumnCalc(3, acMAX);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, g->GetRowCount() - 1), 40.0);
}

// Persistent row-select flags and cell controls belong to real rows: removing the shown rows
// around a hidden one takes exactly theirs, and the hidden row keeps its own.
TEST_F(CeldasOcultas, QuitarFilasAlrededorDeUnaOcultaDejaSusMarcas) {
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    g->GetMouseActions()->SetRowSelectPersistent(true);
    g->SetRowCountEx(7);
    for (int r = 0; r < 7; ++r)
        g->SetCells(1, r, "f" + AnsiString(r));
    auto* enLaOculta = new TControlPrueba(ventana.get(), g);
    auto* enLaQuitada = new TControlPrueba(ventana.get(), g);
    auto* detras = new TControlPrueba(ventana.get(), g);
    g->SetCellControls(2, 3, enLaOculta);
    g->SetCellControls(2, 4, enLaQuitada);
    g->SetCellControls(2, 5, detras);
    g->SetRowSelect(1, true); // stays
    g->SetRowSelect(4, true); // to be removed
    g->SetRowSelect(5, true); // stays
    g->HideRow(3);            // not selected
    g->RemoveRows(2, 2);      // shown rows 2-3: real rows 2 and 4
    ASSERT_EQ(g->GetRowCount(), 4);
    EXPECT_TRUE(g->IsHiddenRow(2));
    EXPECT_EQ(g->GetCellsEx(1, 2), "f3");
    bool marcas[5] = {};
    for (int r = 0; r < 5; ++r)
        marcas[r] = g->GetRowSelect(r);
    // Real rows now: 0 1 3(hidden) 5 6.
    EXPECT_EQ(std::vector<bool>(marcas, marcas + 5),
              (std::vector<bool>{false, true, false, true, false}));
    // The cell controls the same: the removed row's goes, the others keep their rows.
    g->CellControlsUpdate();
    EXPECT_FALSE(enLaQuitada->GetVisible());
    EXPECT_FALSE(enLaOculta->GetVisible());
    EXPECT_TRUE(detras->GetVisible());
    EXPECT_EQ(detras->GetTop(), g->CellRect(2, 2).Top);
    EXPECT_EQ(g->GetCellControls(2, 2), detras);
    g->UnHideRowsAll();
    EXPECT_EQ(TextosColumna(g, 1, 0, 4, " "), "f0 f1 f3 f5 f6");
    EXPECT_TRUE(enLaOculta->GetVisible());
    EXPECT_EQ(enLaOculta->GetTop(), g->CellRect(2, 2).Top);
    EXPECT_FALSE(enLaQuitada->GetVisible());
}

// Columns are removed by real index: the hidden column in front stays hidden with its
// cells, and the column count drops by the shown columns removed.
TEST_F(CeldasOcultas, QuitarColumnasPorIndiceReal) {
    Llenar(2);
    g->HideColumn(1);
    ASSERT_EQ(g->GetColCount(), 3);
    g->SetColWidths(1, 70); // real column 2
    g->SetColWidths(2, 90); // real column 3
    g->RemoveCols(2, 1);
    EXPECT_EQ(g->GetColCount(), 2);
    EXPECT_EQ(g->TotalColCount(), 3);
    EXPECT_TRUE(g->IsHiddenColumn(1));
    EXPECT_EQ(g->GetColWidths(1), 90);
    EXPECT_EQ(g->GetCells(2, 1), "c3r1");
    // Removing the hidden column changes no shown column.
    g->RemoveCols(1, 1);
    EXPECT_EQ(g->GetColCount(), 2);
    EXPECT_EQ(g->TotalColCount(), 2);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->GetCells(1, 1), "c3r1");
    EXPECT_EQ(g->GetColWidths(1), 90);
    // The last shown column is never removed.
    g->RemoveCols(0, 2);
    EXPECT_EQ(g->GetColCount(), 1);
    EXPECT_EQ(g->GetCells(0, 1), "c3r1");
}

// Inserting and appending columns with a hidden one: new columns are shown at their real
// place, the hidden column moves along with its cells.
TEST_F(CeldasOcultas, InsertarColumnasConUnaOculta) {
    Llenar(2);
    g->HideColumn(1);
    g->InsertCols(1, 1);
    EXPECT_EQ(g->GetColCount(), 4);
    EXPECT_TRUE(g->IsHiddenColumn(2));
    EXPECT_EQ(g->GetCells(2, 1), "c1r1");
    EXPECT_EQ(g->GetCells(1, 1), "");
    EXPECT_EQ(g->RemapCol(1), 1);
    g->AddColumn();
    EXPECT_EQ(g->TotalColCount(), 6);
    EXPECT_EQ(g->GetCells(4, 1), "c3r1");
    EXPECT_EQ(g->GetCells(5, 1), "");
    EXPECT_FALSE(g->IsHiddenColumn(5));
}

// A hidden column keeps its whole width, also past 16 bits.
TEST_F(CeldasOcultas, AnchoDeColumnaOcultaEntero) {
    Llenar(2);
    g->SetColWidths(1, 40000);
    g->HideColumn(1);
    EXPECT_EQ(g->GetAllColWidths(1), 40000);
    g->SetAllColWidths(1, 70000);
    EXPECT_EQ(g->GetAllColWidths(1), 70000);
    g->UnHideColumn(1);
    EXPECT_EQ(g->GetColWidths(1), 70000);
}

} // namespace
