// Small hooks of the grid for descendants and programs: the selection of everything (Ctrl+A)
// adjusted by UpdateOnSelection, a new row at the end refused by QueryAddRow, the date picker
// reporting its changes through OnDateTimeChange, a rich edit written into a cell, and a
// selected rich-text cell shown in the selection's text colour unless SelectionRTFKeep.

#include "controles/grid/editing/grid_editors.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/dates.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/date_time_picker.h"
#include "plataforma/gui/widgets/rich_edit.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class RejillaGanchos : public Rejilla {
public:
    using Rejilla::Rejilla;
    int filasNegadas = 0;
    bool negarFilas = false;
    std::vector<TGridRect> todo;
    void QueryAddRow(bool& CanAdd) override {
        TKavStringGrid::QueryAddRow(CanAdd);
        if (negarFilas) {
            CanAdd = false;
            ++filasNegadas;
        }
    }
    void UpdateOnSelection(TGridRect& R) override {
        todo.push_back(R);
        R.Left = 2; // the first data column is left out
    }
};

class Ganchos : public RejillaEnVentana<RejillaGanchos> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 420, 220);
        g->SetColCount(5);
        g->SetRowCount(6);
        g->SetOptions(g->GetOptions() << goEditing << goRangeSelect);
        g->SetFocus();
    }
    bool Hay(const TRect& r, TColor c) { return HayColor(g->GetCanvas(), r, c); }
};

TEST_F(Ganchos, ControlATodoPasaPorUpdateOnSelection) {
    SimulateKeyStroke('A', {ssCtrl});
    ASSERT_EQ(g->todo.size(), 1u);
    EXPECT_EQ(g->todo[0], TGridRect({1, 1, 4, 5}));
    EXPECT_EQ(g->GetSelection(), TGridRect({2, 1, 4, 5}));
    // Disjunct rows are marked instead; the hook is not asked.
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    SimulateKeyStroke('A', {ssCtrl});
    EXPECT_EQ(g->todo.size(), 1u);
    EXPECT_EQ(g->GetRowSelectCount(), 5);
}

TEST_F(Ganchos, QueryAddRowDecideLaFilaNuevaDeFlechaYDeAvance) {
    g->GetNavigation()->SetAppendOnArrowDown(true);
    g->GetNavigation()->SetAdvanceInsert(true);
    g->GetNavigation()->SetAdvanceOnEnter(true);
    int eventos = 0;
    g->OnCanAddRow = [&](TObject*, bool&) { ++eventos; };
    g->SetCol(1);
    g->SetRow(5);
    g->negarFilas = true;
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRowCount(), 6);
    g->AdvanceEdit(4, 5, false, false, true);
    EXPECT_EQ(g->GetRowCount(), 6);
    EXPECT_EQ(g->filasNegadas, 2);
    EXPECT_EQ(eventos, 2); // the event still asked first
    g->negarFilas = false;
    g->SetRow(5);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRowCount(), 7);
}

TEST_F(Ganchos, FechaEnCamposIdaYVuelta) {
    struct Caso {
        TDateTime valor;
        WORD y, m, d, semana, h, mi, s, ms;
    };
    const std::vector<Caso> casos = {
        {EncodeDate(2024, 2, 29) + 0.5, 2024, 2, 29, 4, 12, 0, 0, 0},
        {0, 1899, 12, 30, 6, 0, 0, 0, 0},
        {-1.25, 1899, 12, 29, 5, 6, 0, 0, 0},
        {EncodeDate(2026, 12, 10) + 86399999.0 / 86400000.0, 2026, 12, 10, 4, 23, 59, 59, 999},
    };
    for (const Caso& c : casos) {
        SYSTEMTIME st;
        DateTimeToSystemTime(c.valor, st);
        EXPECT_EQ(st.wYear, c.y);
        EXPECT_EQ(st.wMonth, c.m);
        EXPECT_EQ(st.wDay, c.d);
        EXPECT_EQ(st.wDayOfWeek, c.semana) << c.valor;
        EXPECT_EQ(st.wHour, c.h);
        EXPECT_EQ(st.wMinute, c.mi);
        EXPECT_EQ(st.wSecond, c.s);
        EXPECT_EQ(st.wMilliseconds, c.ms);
        EXPECT_NEAR(SystemTimeToDateTime(st), c.valor, 1e-9);
    }
}

TEST_F(Ganchos, ElSelectorDeFechaAvisaDeSusCambios) {
    g->OnGetEditorType = [](TObject*, int col, int, TEditorType& e) {
        if (col == 2) e = edDateEdit;
    };
    g->SetCells(2, 3, "");
    g->SetCol(2);
    g->SetRow(3);
    std::vector<TDateTime> avisos;
    g->OnDateTimeChange = [&](TObject* s, int col, int row, TDateTime v) {
        EXPECT_EQ(s, g);
        EXPECT_EQ(col, 2);
        EXPECT_EQ(row, 3);
        avisos.push_back(v);
    };
    SimulateKeyStroke(VK_F2);
    TDateTimePicker* p = g->GetDateTimePicker();
    ASSERT_EQ(p, g->GetEditorControls().DatePicker());
    ASSERT_TRUE(p->GetVisible());
    p->SetDate(EncodeDate(2024, 2, 28)); // set from code: no notice
    EXPECT_TRUE(avisos.empty());
    SimulateKeyStroke(VK_UP);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_NEAR(avisos[0], p->GetDateTime(), 1e-6);
    EXPECT_NE(std::floor(avisos[0]), EncodeDate(2024, 2, 28));
}

TEST_F(Ganchos, UnTextoEnriquecidoVaALaCeldaYSeVeConElColorDeLaSeleccion) {
    {
        // The edits go before the grid is painted: laid over it, they would hide its cells.
        TRichEdit editor(nullptr);
        editor.SetParent(ventana.get());
        editor.SetRtf("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1\\b XXXXXXXX\\par}");
        g->RichToCell(1, 1, &editor);
        EXPECT_EQ(g->GetCells(1, 1), editor.GetRtf());
        TRichEdit vuelta(nullptr);
        vuelta.SetParent(ventana.get());
        g->CellToRich(1, 1, &vuelta);
        EXPECT_EQ(vuelta.GetPlainText(), editor.GetPlainText());

        // The cell below the current one, in the selection or out of it.
        g->RichToCell(1, 2, &editor);
    }
    g->SetColWidths(1, 120);
    g->SetSelectionColor(clYellow);
    g->SetSelectionTextColor(clLime);
    struct Caso {
        const char* caso;
        TGridRect seleccion;
        bool mantener;
        bool rojo, lima;
    };
    for (const Caso& c : {Caso{"fuera de la selección", {3, 3, 3, 3}, false, true, false},
                          Caso{"seleccionada", {1, 1, 2, 2}, false, false, true},
                          Caso{"seleccionada, colores propios", {1, 1, 2, 2}, true, true, false}}) {
        g->SetSelection(c.seleccion);
        g->SetSelectionRTFKeep(c.mantener);
        g->Repaint();
        const TRect r = g->CellRect(1, 2);
        EXPECT_EQ(Hay(r, clRed), c.rojo) << c.caso;
        EXPECT_EQ(Hay(r, clLime), c.lima) << c.caso;
    }
}

} // namespace
