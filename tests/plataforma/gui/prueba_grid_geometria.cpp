// The grid's geometry: prefix sums against plain sums, cell rectangles at the edges of the
// view, the cell under a point, the rows and columns in view, and the top-left cell.

#include "tests/plataforma/gui/grid_prueba.h"

#include <random>

#include <gtest/gtest.h>

namespace {

// The prefix sums give what a plain walk over the sizes gives, after sizes, growth,
// shrinking and moves.
TEST(GridEjes, LasSumasPrefijasCoincidenConUnRecorrido) {
    std::mt19937 azar(7);
    TGridAxis eje(24, 1);
    std::vector<int> ref;
    auto crecer = [&](int n) {
        eje.SetCount(n);
        ref.resize(n, 24);
    };
    auto comprobar = [&] {
        ASSERT_EQ(eje.GetCount(), static_cast<int>(ref.size()));
        int64_t pos = 0;
        for (int i = 0; i <= static_cast<int>(ref.size()); ++i) {
            ASSERT_EQ(eje.Offset(i), pos) << i;
            if (i == static_cast<int>(ref.size())) break;
            const int64_t ext = ref[i] + 1;
            // Every pixel of the extent belongs to the index (zero sizes still own their line).
            ASSERT_EQ(eje.IndexAt(pos), i);
            ASSERT_EQ(eje.IndexAt(pos + ext - 1), i);
            pos += ext;
        }
        EXPECT_EQ(eje.IndexAt(pos), eje.GetCount());
        EXPECT_EQ(eje.IndexAt(-1), -1);
    };
    crecer(50);
    comprobar();
    for (int k = 0; k < 40; ++k) {
        const int i = azar() % 50;
        const int v = azar() % 40;
        eje.SetSize(i, v);
        ref[i] = v;
    }
    comprobar();
    crecer(75); // appended one by one onto a valid tree
    eje.SetSize(70, 3);
    ref[70] = 3;
    comprobar();
    crecer(33);
    comprobar();
    eje.Move(2, 30);
    std::rotate(ref.begin() + 2, ref.begin() + 3, ref.begin() + 31);
    eje.Move(20, 0);
    std::rotate(ref.begin(), ref.begin() + 20, ref.begin() + 21);
    comprobar();
    EXPECT_EQ(eje.SumSizes(5, 3), ref[5] + ref[6] + ref[7]);
    eje.SetLineWidth(0);
    EXPECT_EQ(eje.Offset(2), ref[0] + ref[1]);
}

class GridGeometria : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        // 200 x 100: columns of 64 (+1 line), rows of 24 (+1 line).
        g = new RejillaPrueba(ventana.get(), 200, 100);
        g->SetColCount(10);
        g->SetRowCount(20);
    }
    std::unique_ptr<VentanaPrueba> ventana;
    RejillaPrueba* g = nullptr;
};

TEST_F(GridGeometria, CellRectEnLosBordes) {
    ASSERT_EQ(g->GetClientWidth(), 200);
    ASSERT_EQ(g->GetClientHeight(), 100);
    struct Caso {
        int c, r;
        TRect esperado;
    } casos[] = {
        {0, 0, Rect(0, 0, 64, 24)},     // fixed corner
        {1, 1, Rect(65, 25, 129, 49)},  // first scrollable cell
        {2, 3, Rect(130, 75, 194, 99)}, // last wholly in view
        {3, 1, Rect(195, 25, 200, 49)}, // partly in view: cut to the client
        {1, 4, Rect(65, 100, 65, 100)}, // just below the view
        {4, 1, TRect()},                // wholly out of view
        {-1, 1, TRect()},               // not a cell
        {1, 20, TRect()},
    };
    for (const Caso& k : casos) {
        const TRect r = g->CellRect(k.c, k.r);
        if (k.esperado.Right == k.esperado.Left)
            EXPECT_TRUE(r.Right <= r.Left || r.Bottom <= r.Top) << k.c << "," << k.r;
        else
            EXPECT_EQ(r, k.esperado) << k.c << "," << k.r;
    }
    EXPECT_EQ(g->GetVisibleColCount(), 2);
    EXPECT_EQ(g->GetVisibleRowCount(), 3);
    // Scrolled: the columns before LeftCol are out of view, the fixed ones stay.
    g->SetLeftCol(3);
    g->SetTopRow(5);
    EXPECT_TRUE(g->CellRect(1, 5).Right <= g->CellRect(1, 5).Left);
    EXPECT_EQ(g->CellRect(3, 5), Rect(65, 25, 129, 49));
    EXPECT_EQ(g->CellRect(0, 6), Rect(0, 50, 64, 74));
    EXPECT_EQ(g->CellRect(4, 0), Rect(130, 0, 194, 24));
}

TEST_F(GridGeometria, CeldaBajoUnPunto) {
    struct Caso {
        int x, y, c, r;
    } casos[] = {
        {0, 0, 0, 0},   {63, 23, 0, 0},  {64, 24, 0, 0}, // the line after a cell is the cell's
        {65, 25, 1, 1}, {199, 99, 3, 3}, {-1, 5, -1, -1}, {5, -1, -1, -1},
    };
    for (const Caso& k : casos) {
        const TGridCoord c = g->MouseCoord(k.x, k.y);
        EXPECT_EQ(c.X, k.c) << k.x << "," << k.y;
        EXPECT_EQ(c.Y, k.r) << k.x << "," << k.y;
    }
    g->SetTopRow(10);
    EXPECT_EQ(g->MouseCoord(70, 30).Y, 10);
    EXPECT_EQ(g->MouseCoord(70, 10).Y, 0);
    // Beyond the last cell there is none.
    g->SetColCount(2);
    g->SetRowCount(2);
    int c = 0, r = 0;
    g->MouseToCell(150, 10, c, r);
    EXPECT_EQ(c, -1);
    EXPECT_EQ(r, -1);
}

TEST_F(GridGeometria, FilaSuperiorYCeldaALaVista) {
    g->SetTopRow(0); // kept at FixedRows
    EXPECT_EQ(g->GetTopRow(), 1);
    g->SetTopRow(500);
    EXPECT_EQ(g->GetTopRow(), 19);
    EXPECT_GE(g->cambiosVista, 1);
    // The last top row that shows the last row wholly: rows 17, 18, 19 below the fixed one.
    EXPECT_EQ(g->CalcMaxTopLeft().Y, 17);
    EXPECT_EQ(g->CalcMaxTopLeft().X, 8);
    g->SetTopRow(1);
    g->MoveCurrent(5, 12, true, true);
    EXPECT_EQ(g->GetTopRow(), 10); // the row is brought to the bottom of the view
    EXPECT_EQ(g->GetLeftCol(), 4);
    const TRect r = g->CellRect(5, 12);
    EXPECT_EQ(r.Bottom, 99);
    g->MoveCurrent(5, 2, true, true);
    EXPECT_EQ(g->GetTopRow(), 2);
    // A bigger row changes what fits.
    g->SetRowHeights(3, 60);
    EXPECT_EQ(g->GetVisibleRowCount(), 1);
    g->SetRowCount(3); // everything fits now: the view goes back to the first row
    EXPECT_EQ(g->GetTopRow(), 1);
}

} // namespace
