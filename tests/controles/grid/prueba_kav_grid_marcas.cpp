// Marking and highlighting a search text in the advanced grid's cells, the check run through
// a cell checker, and the values of controls written in a cell's markup.

#include "controles/grid/editing/grid_check.h"
#include "controles/grid/kav_grid.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Fixed row 0 and column 0, data in rows 1..3 and columns 1..2, a footer row 4.
class Marcas : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new Rejilla(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 400, 300);
        g->SetColCountEx(3);
        g->SetRowCountEx(5);
        g->SetFixedFooters(1);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                g->SetCells(c, r, "casa " + AnsiString(c) + AnsiString(r));
        g->SetCells(1, 1, "una casa y otra Casa");
        g->SetCells(2, 1, "<b>casa</b> grande");
    }
    std::vector<std::string> Todas() {
        std::vector<std::string> v;
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                v.push_back(g->GetCells(c, r).str());
        return v;
    }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

TEST_F(Marcas, MarcarYDesmarcar) {
    const std::vector<std::string> antes = Todas();
    g->MarkInCell(1, 1, "casa", false);
    EXPECT_EQ(g->GetCells(1, 1), "una <e>casa</e> y otra <e>Casa</e>");
    g->UnMarkInCell(1, 1);
    g->HilightInCell(1, 1, "casa", true);
    EXPECT_EQ(g->GetCells(1, 1), "una <hi>casa</hi> y otra Casa");
    // Unmarking takes only its own tag away.
    g->UnMarkInCell(1, 1);
    EXPECT_EQ(g->GetCells(1, 1), "una <hi>casa</hi> y otra Casa");
    g->UnHilightInCell(1, 1);
    EXPECT_EQ(Todas(), antes);

    // The grid's normal cells, twice, then unmarked once: every text comes back.
    g->MarkInGrid(false, true, "casa");
    g->MarkInGrid(false, true, "casa");
    EXPECT_EQ(g->GetCells(1, 2), "<e><e>casa</e></e> 12");
    EXPECT_EQ(g->GetCells(0, 1), "casa 01"); // fixed column
    EXPECT_EQ(g->GetCells(1, 0), "casa 10"); // fixed row
    EXPECT_EQ(g->GetCells(1, 4), "casa 14"); // footer row
    EXPECT_EQ(g->UnMarkText(g->GetCells(2, 1)), "<b>casa</b> grande");
    g->UnMarkInGrid(false);
    EXPECT_EQ(Todas(), antes);

    // With the fixed cells: the column's every row, footer and header included.
    g->HilightInCol(true, true, 2, "casa");
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(g->UnHilightText(g->GetCells(2, r)), antes[r * 3 + 2]) << r;
    EXPECT_EQ(g->GetCells(2, 0), "<hi>casa</hi> 20");
    EXPECT_EQ(g->GetCells(2, 4), "<hi>casa</hi> 24");
    EXPECT_EQ(g->GetCells(1, 3), "casa 13");
    g->UnHilightInCol(true, 2);
    g->MarkInRow(false, true, 3, "casa");
    EXPECT_EQ(g->GetCells(0, 3), "casa 03");
    EXPECT_EQ(g->GetCells(2, 3), "<e>casa</e> 23");
    g->UnMarkInRow(false, 3);
    EXPECT_EQ(Todas(), antes);

    EXPECT_EQ(TKavStringGrid::MarkText(false, "Casa y casa", "CASA"), "<e>Casa</e> y <e>casa</e>");
    EXPECT_EQ(TKavStringGrid::HilightText(true, "Casa y casa", "CASA"), "Casa y casa");
    EXPECT_EQ(TKavStringGridCheck::HiLight("a b a", "a", "x", true), "<x>a</x> b <x>a</x>");
}

// Corrects "teh" to "the" and marks "xx"; counts its runs and notes where the cursor stood.
class Corrector : public TKavStringGridCheck {
public:
    using TKavStringGridCheck::TKavStringGridCheck;
    AnsiString Correct(int, int, const AnsiString& S) override {
        cursores.push_back({grid->GetCol(), grid->GetRow()});
        return ReplaceOnce(S, "teh", "the");
    }
    AnsiString MarkError(int, int, const AnsiString& S) override {
        return HiLight(S, "xx", "e", true);
    }
    void StartCheck() override { ++inicios; }
    void StopCheck() override { ++finales; }
    TKavStringGrid* grid = nullptr;
    int inicios = 0, finales = 0;
    std::vector<std::pair<int, int>> cursores;
};

TEST_F(Marcas, RevisionConUnCorrector) {
    EXPECT_TRUE(g->CheckGrid(true)); // no checker
    auto* corrector = new Corrector(ventana.get());
    corrector->grid = g;
    g->SetCellChecker(corrector);
    g->SetCells(1, 2, "teh casa xx");
    g->SetCells(2, 3, "teh teh");
    g->SetCells(0, 2, "teh fija");
    corrector->SetUseCorrect(true);
    corrector->SetGotoCell(true);
    g->SetCol(1);
    g->SetRow(1);
    EXPECT_FALSE(g->CheckGrid(false));
    EXPECT_EQ(corrector->inicios, 1);
    EXPECT_EQ(corrector->finales, 1);
    EXPECT_EQ(g->GetCells(1, 2), "the casa xx");
    EXPECT_EQ(g->GetCells(2, 3), "the teh");
    EXPECT_EQ(g->GetCells(0, 2), "teh fija"); // a fixed cell, out of the run
    // The cursor visited each cell row by row and came back.
    const std::vector<std::pair<int, int>> visitadas = {{1, 1}, {2, 1}, {1, 2},
                                                        {2, 2}, {1, 3}, {2, 3}};
    EXPECT_EQ(corrector->cursores, visitadas);
    EXPECT_EQ(g->GetCol(), 1);
    EXPECT_EQ(g->GetRow(), 1);
    EXPECT_FALSE(g->CheckCol(false, 2)); // the second "teh"
    EXPECT_TRUE(g->CheckCol(false, 2));
    // Marking wins over correcting: both start from the cell's text.
    corrector->SetUseMarkError(true);
    EXPECT_FALSE(g->CheckRow(false, 2));
    EXPECT_EQ(g->GetCells(1, 2), "the casa <e>xx</e>");
    EXPECT_TRUE(g->CheckCell(0, 2)); // the correction is not kept, and nothing to mark
    EXPECT_EQ(g->GetCells(0, 2), "teh fija");
    g->SetCells(0, 2, "teh xx");
    EXPECT_FALSE(g->CheckCell(0, 2));
    EXPECT_EQ(g->GetCells(0, 2), "teh <e>xx</e>");
}

TEST_F(Marcas, ValoresDeControlesEnLaCelda) {
    g->SetCells(1, 1, "Nombre: <CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"Ana\" WIDTH=\"80\">");
    EXPECT_EQ(g->GetCtrlVal(1, 1, "n"), "Ana");
    EXPECT_EQ(g->GetCtrlVal(1, 1, "otro"), "");
    g->SetCtrlVal(1, 1, "n", "Luis");
    EXPECT_EQ(g->GetCtrlVal(1, 1, "n"), "Luis");
    const AnsiString antes = g->GetCells(1, 1);
    g->SetCtrlVal(1, 1, "otro", "x");
    EXPECT_EQ(g->GetCells(1, 1), antes);
    g->SetCtrlVal(2, 2, "n", "x"); // no control in the cell
    EXPECT_EQ(g->GetCells(2, 2), "casa 22");
}

} // namespace
