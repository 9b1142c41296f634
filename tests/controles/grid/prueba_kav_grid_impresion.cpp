// The grid's print helpers: print font heights in tenths of a millimetre, the lines of the
// tallest cell of the grid and the columns on paper, sized to the grid's columns.

#include "controles/grid/kav_grid.h"
#include "controles/grid/print/print_layout.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

namespace {

TEST(ImpresionRejilla, AlturasYTamanosDeLetraEnPapel) {
    struct Caso {
        int puntos;
        double escala;
        int altura;
    };
    for (const Caso& c : {Caso{10, 1.0, -35}, Caso{12, 1.0, -42}, Caso{8, 1.0, -28},
                          Caso{10, 0.5, -17}, Caso{10, 2.0, -70}, Caso{0, 1.0, 0}}) {
        TPrintLayout p;
        p.FontScale = c.escala;
        EXPECT_EQ(p.MapFontHeight(c.puntos), c.altura) << c.puntos << " x " << c.escala;
    }
    // Trunc toward zero, whatever the sign.
    EXPECT_EQ(TPrintLayout::MapFontSize(254), 72);
    EXPECT_EQ(TPrintLayout::MapFontSize(35), 9);
    EXPECT_EQ(TPrintLayout::MapFontSize(-35), -9);
    EXPECT_EQ(TPrintLayout::MapFontSize(3), 0);
}

TEST(ImpresionRejilla, LineasDeLaCeldaMasAltaDeLaRejilla) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    g->SetColCount(4);
    g->SetRowCount(6);
    EXPECT_EQ(g->MaxLinesInGrid(), 1);
    g->SetCells(2, 4, "a\r\nb\r\nc\r\nd");
    g->SetCells(0, 0, "x\r\ny");
    EXPECT_EQ(g->MaxLinesInGrid(), 1); // without Multilinecells
    g->SetMultilinecells(true);
    EXPECT_EQ(g->MaxLinesInGrid(), 4);
    g->SetCells(2, 4, "");
    EXPECT_EQ(g->MaxLinesInGrid(), 2); // the fixed cell counts too
}

TEST(ImpresionRejilla, ColumnasEnPapelDelTamanoDeLaRejilla) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    g->SetColCount(600);
    // ColCount + 1 entries, past the 512 of a fixed table.
    TPrintLayout& p = g->PrintLayout();
    p.SetPrintColWidth(599, 250);
    p.SetPrintColOffset(600, 1800);
    EXPECT_EQ(g->GetPrintColWidth(599), 250);
    EXPECT_EQ(g->GetPrintColOffset(600), 1800);
    EXPECT_EQ(g->GetPrintColWidth(0), 0);
    for (int fuera : {-1, 601}) {
        try {
            g->GetPrintColWidth(fuera);
            ADD_FAILURE() << fuera << " read";
        } catch (const EKavGridError& e) {
            EXPECT_EQ(e.Message, AnsiString("Columns is not in valid range"));
        }
        EXPECT_THROW(g->GetPrintColOffset(fuera), EKavGridError) << fuera;
    }
    // Fewer columns: the ones left keep their values, the rest are out of range.
    g->SetColCount(5);
    EXPECT_EQ(g->GetPrintColWidth(5), 0);
    EXPECT_THROW(g->GetPrintColWidth(6), EKavGridError);
    EXPECT_THROW(g->GetPrintColWidth(599), EKavGridError);
}

} // namespace
