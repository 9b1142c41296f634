// Editing the grid's fixed cells (the headers): a double click, a left or a right click opens
// the fixed-cell editor as FixedRowsEdit and FixedColsEdit say; leaving it writes the text
// unless OnCellValidate refuses it.

#include "controles/grid/editing/grid_trans_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

namespace {

class CeldasFijas : public RejillaEnVentana<> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 520, 260);
        g->SetColCount(4);
        g->SetRowCount(5);
        for (int c = 0; c < 4; ++c)
            g->SetCells(c, 0, AnsiString("Cab") + AnsiString(c));
        for (int r = 1; r < 5; ++r)
            g->SetCells(0, r, AnsiString("Fila") + AnsiString(r));
        g->SetFocus();
    }
    TPoint Centro(int col, int row) const {
        const TRect r = g->CellRect(col, row);
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Pulsar(int boton, int x, int y, bool doble = false) {
        SimulateMouse(g, doble ? SimulatedMouse::DoubleClick : SimulatedMouse::Down, boton, x, y);
        SimulateMouse(g, SimulatedMouse::Up, boton, x, y);
    }
    bool Abierto() const { return g->GetFixedEditor()->GetVisible(); }
};

TEST_F(CeldasFijas, CadaOpcionAbreConSuPulsacion) {
    struct Caso {
        TGridFixedCellEdit filas, columnas;
        int boton; // 0 left, 1 right
        bool doble;
        int col, row;
        bool abre;
    };
    const Caso casos[] = {
        {fceNone, fceNone, 0, true, 2, 0, false},
        {fceDblClick, fceNone, 0, true, 2, 0, true},
        {fceDblClick, fceNone, 0, false, 2, 0, false},
        {fceLeftClick, fceNone, 0, false, 2, 0, true},
        {fceLeftClick, fceNone, 1, false, 2, 0, false},
        {fceRightClick, fceNone, 1, false, 2, 0, true},
        {fceRightClick, fceNone, 0, false, 2, 0, false},
        // The fixed column follows FixedColsEdit, not FixedRowsEdit.
        {fceLeftClick, fceNone, 0, false, 0, 2, false},
        {fceNone, fceLeftClick, 0, false, 0, 2, true},
        {fceNone, fceDblClick, 0, true, 0, 3, true},
        {fceNone, fceRightClick, 1, false, 0, 3, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message()
                     << c.filas << c.columnas << c.boton << c.doble << c.col << c.row);
        g->GetFixedEditor()->Hide();
        g->GetMouseActions()->SetFixedRowsEdit(c.filas);
        g->GetMouseActions()->SetFixedColsEdit(c.columnas);
        const TPoint p = Centro(c.col, c.row);
        Pulsar(c.boton, p.x, p.y, c.doble);
        EXPECT_EQ(Abierto(), c.abre);
        if (!c.abre) continue;
        TGridTransEdit* e = g->GetFixedEditor();
        EXPECT_EQ(e->GetText(), g->GetCells(c.col, c.row));
        EXPECT_EQ(e->GetEditCol(), c.col);
        EXPECT_EQ(e->GetEditRow(), c.row);
        const TRect r = g->CellRect(c.col, c.row);
        EXPECT_EQ(e->GetLeft(), r.Left + 1);
        EXPECT_EQ(e->GetWidth(), r.Right - r.Left - 2);
    }
}

TEST_F(CeldasFijas, ConTamanoElBordeNoAbre) {
    g->SetOptions(g->GetOptions() << goColSizing);
    g->GetMouseActions()->SetFixedRowsEdit(fceLeftClick);
    const TRect r = g->CellRect(2, 0);
    Pulsar(0, r.Left + 2, (r.Top + r.Bottom) / 2);
    EXPECT_FALSE(Abierto());
    Pulsar(0, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_TRUE(Abierto());
    // The right click ignores the border.
    g->GetFixedEditor()->Hide();
    g->GetMouseActions()->SetFixedRowsEdit(fceRightClick);
    Pulsar(1, r.Left + 2, (r.Top + r.Bottom) / 2);
    EXPECT_TRUE(Abierto());
}

TEST_F(CeldasFijas, EscribirValidarYGuardar) {
    g->GetMouseActions()->SetFixedRowsEdit(fceDblClick);
    bool valido = false;
    int validaciones = 0, hechos = 0;
    g->OnCellValidate = [&](TObject*, int col, int row, AnsiString& v, bool& ok) {
        ++validaciones;
        EXPECT_EQ(col, 2);
        EXPECT_EQ(row, 0);
        ok = valido;
        if (ok) v = v.UpperCase();
    };
    g->OnEditingDone = [&](TObject*) { ++hechos; };
    const TPoint p = Centro(2, 0);
    Pulsar(0, p.x, p.y, true);
    ASSERT_TRUE(Abierto());
    SimulateTyping("espesor");
    // Refused: the edit stays open on its cell and the header keeps its text.
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(validaciones, 1);
    EXPECT_TRUE(Abierto());
    EXPECT_TRUE(g->GetFixedEditor()->Focused());
    EXPECT_EQ(g->GetCells(2, 0), "Cab2");
    EXPECT_EQ(hechos, 0);
    valido = true;
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(2, 0), "ESPESOR");
    EXPECT_EQ(hechos, 1);
    EXPECT_TRUE(g->Focused());
    // Escape leaves the header as it was.
    Pulsar(0, p.x, p.y, true);
    SimulateTyping("nada");
    // The edit over its header, for a person to look at.
    EXPECT_FALSE(SaveCapture(ventana.get(), "rejilla_editor_celda_fija").IsEmpty());
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(2, 0), "ESPESOR");
}

TEST_F(CeldasFijas, OtraCeldaFijaCierraLaAbiertaYElEventoPuedeNegar) {
    g->GetMouseActions()->SetFixedRowsEdit(fceLeftClick);
    g->OnCanEditCell = [](TObject*, int col, int, bool& ok) { ok = col != 3; };
    // The cells' ReadOnly and goEditing do not apply to fixed cells.
    EXPECT_FALSE(g->GetOptions().Contains(goEditing));
    Pulsar(0, Centro(1, 0).x, Centro(1, 0).y);
    ASSERT_TRUE(Abierto());
    SimulateTyping("uno");
    Pulsar(0, Centro(2, 0).x, Centro(2, 0).y);
    EXPECT_EQ(g->GetCells(1, 0), "uno");
    EXPECT_TRUE(Abierto());
    EXPECT_EQ(g->GetFixedEditor()->GetEditCol(), 2);
    SimulateTyping("dos");
    Pulsar(0, Centro(3, 0).x, Centro(3, 0).y);
    EXPECT_EQ(g->GetCells(2, 0), "dos");
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(3, 0), "Cab3");
}

TEST_F(CeldasFijas, LaFilaBorradaNoRecibeElTexto) {
    g->GetMouseActions()->SetFixedColsEdit(fceDblClick);
    Pulsar(0, Centro(0, 4).x, Centro(0, 4).y, true);
    ASSERT_TRUE(Abierto());
    SimulateTyping("perdida");
    g->SetRowCount(3);
    EXPECT_TRUE(g->GetFixedEditor()->StopEdit());
    EXPECT_EQ(g->GetRowCount(), 3);
    EXPECT_EQ(g->GetCells(0, 2), "Fila2");
}

} // namespace
