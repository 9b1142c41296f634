// Fills of the advanced grid (a text, random numbers, each cell's place), date and time
// cells, and numbering a column or a row.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/date_time_text.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Contadora : public Rejilla {
public:
    using Rejilla::Rejilla;
    int cargas = 0;
    void CellsLoaded() override {
        ++cargas;
        Rejilla::CellsLoaded();
    }
};

// Columns 0 (fixed), 1..2 normal, 3 fixed on the right; rows 0 (fixed), 1..4 normal, 5 the
// footer. Every cell starts as "-".
class Rellenos : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new Contadora(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 400, 300);
        g->SetColCountEx(4);
        g->SetRowCountEx(6);
        g->SetFixedFooters(1);
        g->SetFixedRightCols(1);
        g->TextFill(true, "-");
    }
    std::string Fila(int r) {
        std::string s;
        for (int c = 0; c < g->GetColCount(); ++c)
            s += (c ? " " : "") + g->GetCells(c, r).str();
        return s;
    }
    std::unique_ptr<VentanaPrueba> ventana;
    Contadora* g = nullptr;
};

TEST_F(Rellenos, TextoAzarYPosicion) {
    EXPECT_EQ(g->cargas, 1);
    g->TextFill(false, "t");
    EXPECT_EQ(g->cargas, 2);
    EXPECT_EQ(Fila(0), "- - - -");
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(Fila(r), "- t t -") << r;
    EXPECT_EQ(Fila(5), "- - - -");

    g->LinearFill(false);
    EXPECT_EQ(g->GetCells(2, 3), "2:3");
    EXPECT_EQ(Fila(4), "- 1:4 2:4 -");
    g->LinearFill(true);
    EXPECT_EQ(Fila(5), "0:5 1:5 2:5 3:5");

    g->TextFill(true, "-");
    g->RandomFill(false, 3);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 2; ++c) {
            const int v = g->GetInts(c, r);
            EXPECT_TRUE(v >= 0 && v < 3) << c << "," << r;
        }
    EXPECT_EQ(Fila(0), "- - - -");
    EXPECT_EQ(g->GetCells(3, 2), "-");
    g->RandomFill(true, 1);
    for (int r = 0; r <= 5; ++r)
        EXPECT_EQ(Fila(r), "0 0 0 0") << r;
    g->RandomFill(true, 0); // no range to draw from
    EXPECT_EQ(Fila(3), "0 0 0 0");
    EXPECT_EQ(g->cargas, 8);
}

TEST_F(Rellenos, Numeracion) {
    struct Caso {
        int saltar, desplazar;
        bool inversa;
        const char* columna; // rows 0..5 of column 1
        const char* fila;    // columns 0..3 of row 2
    } casos[] = {
        {0, 0, false, "- 1 2 3 4 -", "- 1 2 -"}, {0, 0, true, "- 4 3 2 1 -", "- 2 1 -"},
        {1, 0, false, "- - 2 3 4 -", "- - 2 -"}, {0, 10, false, "- 11 12 13 14 -", "- 11 12 -"},
        {1, 0, true, "- 4 3 2 - -", "- 2 - -"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.saltar) + " " + std::to_string(c.desplazar) + " " +
                     std::to_string(c.inversa));
        g->TextFill(true, "-");
        g->AutoNumberSkip = c.saltar;
        g->AutoNumberOffset = c.desplazar;
        g->AutoNumberReverse = c.inversa;
        g->AutoNumberCol(1);
        EXPECT_EQ(TextosColumna(g, 1, 0, 5, " "), c.columna);
        g->TextFill(true, "-");
        g->AutoNumberRow(2);
        EXPECT_EQ(Fila(2), c.fila);
    }
}

TEST_F(Rellenos, FechasYHoras) {
    const TDateTime d = EncodeDate(2024, 3, 5);
    g->SetDates(1, 1, d);
    EXPECT_EQ(g->GetCells(1, 1), DateToStr(d));
    EXPECT_DOUBLE_EQ(g->GetDates(1, 1), d);
    g->SetDates(1, 2, 0);
    EXPECT_EQ(g->GetCells(1, 2), DateToStr(0));
    g->NullDates = false;
    g->SetDates(1, 2, 0);
    EXPECT_EQ(g->GetCells(1, 2), "");
    g->SetDates(1, 2, d);
    EXPECT_EQ(g->GetCells(1, 2), DateToStr(d));
    g->SetTimes(2, 1, 0.75);
    EXPECT_EQ(g->GetCells(2, 1), TimeToStr(0.75));
    EXPECT_NEAR(g->GetTimes(2, 1), 0.75, 1e-9);
    g->SetCells(2, 2, "ayer");
    EXPECT_THROW(g->GetDates(2, 2), EConvertError);
    EXPECT_THROW(g->GetTimes(2, 2), EConvertError);
}

} // namespace
