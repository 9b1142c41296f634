// Hidden rows and columns of the advanced grid (the maps both ways after each operation, the
// row's texts, properties and heights brought back), the scroll bars that follow the grid,
// the stretched column, automatic sizing and the controls laid over cells.

#include "controles/grid/kav_grid.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

namespace {

class Ocultas : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        ventana->SetBounds(0, 0, 800, 600);
        g = new Rejilla(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 400, 300);
        g->SetScrollBars(ssNone);
    }
    void Llenar(int n) {
        g->SetRowCountEx(n);
        for (int r = 0; r < n; ++r)
            g->SetCells(1, r, "f" + AnsiString(r));
    }
    // Every real row maps to its display row and back; hidden ones are not shown.
    void MapasCoherentes() {
        int d = 0;
        for (int r = 0; r < g->TotalRowCount(); ++r) {
            if (g->IsHiddenRow(r)) continue;
            EXPECT_EQ(g->RemapRow(r), d) << r;
            EXPECT_EQ(g->RemapRowInv(d), r) << d;
            EXPECT_EQ(g->GetCells(1, d), "f" + AnsiString(r)) << r;
            ++d;
        }
        EXPECT_EQ(d, g->GetRowCount());
    }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

TEST_F(Ocultas, OcultarYMostrarFilas) {
    Llenar(10);
    TCellProperties* p = g->GetCellProperties(2, 4);
    g->SetRowHeights(3, 33);
    g->HideRows(3, 4);
    EXPECT_EQ(g->GetRowCount(), 8);
    EXPECT_EQ(g->RemapRowInv(3), 5);
    EXPECT_EQ(g->RemapRow(5), 3);
    EXPECT_TRUE(g->IsHiddenRow(4));
    MapasCoherentes();
    g->HideRow(8);
    MapasCoherentes();
    g->UnHideRows(3, 4);
    MapasCoherentes();
    EXPECT_EQ(g->FindCellProperties(2, 4), p);
    EXPECT_EQ(g->GetRowHeights(3), 33);
    EXPECT_TRUE(g->IsHiddenRow(8));
    g->UnHideRow(8);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    MapasCoherentes();
    // HideRowsEx appends without heights; a range whose first row is shown still brings
    // back the hidden rows inside it.
    g->SetRowHeights(6, 44);
    g->HideRowsEx(6, 7);
    MapasCoherentes();
    g->UnHideRows(5, 9);
    EXPECT_EQ(g->GetRowHeights(6), g->GetDefaultRowHeight());
    MapasCoherentes();
}

// HideRowsEx takes its rows away as RemoveRowsEx does: a current row the grid still has
// stays at its place with the top row; when it went, the first normal row becomes current
// and the view starts there.
TEST_F(Ocultas, OcultarFilasExSitualaFilaActualComoAlQuitarlas) {
    Llenar(40);
    std::vector<std::pair<int, int>> avisos;
    g->OnRowUpdate = [&](TObject*, int a, int b) { avisos.emplace_back(a, b); };
    g->SetRowEx(20);
    g->SetTopRow(15);
    g->HideRowsEx(3, 4);
    EXPECT_EQ(g->GetRow(), 20);
    EXPECT_EQ(g->GetTopRow(), 15);
    g->SetRowEx(37);
    g->HideRowsEx(38, 41); // the current row among them
    EXPECT_EQ(g->GetRowCount(), 36); // real rows 40 and 41 are none of the grid's
    EXPECT_EQ(g->GetRow(), 1);
    EXPECT_EQ(g->GetTopRow(), 1);
    ASSERT_FALSE(avisos.empty());
    EXPECT_EQ(avisos.back(), std::make_pair(37, 1));
    MapasCoherentes();
}

TEST_F(Ocultas, ListasDeFilasEnUnaPasada) {
    Llenar(200);
    TIntList lista(0, 0);
    for (int r = 1; r < 200; r += 2)
        lista.Add(r);
    lista.Add(3); // repeated
    g->GetCellProperties(3, 7)->SetAlignment(taCenter);
    g->GetCellProperties(2, 9)->SetAlignment(taRightJustify);
    g->SetRow(150);
    g->HideRowList(&lista);
    EXPECT_EQ(g->GetRowCount(), 100);
    EXPECT_EQ(g->NumHiddenRows(), 100);
    MapasCoherentes();
    // A hidden row read as a list while hidden comes back as well as those never read.
    TStrings* leida = g->HiddenRow(7);
    ASSERT_NE(leida, nullptr);
    EXPECT_EQ(leida->GetStrings(1), "f7");
    EXPECT_NE(leida->GetObjects(3), nullptr);
    EXPECT_EQ(leida->GetCount(), g->HiddenRow(11)->GetCount());
    // Then some more, one by one, among them.
    g->HideRow(10);
    g->HideRow(0);
    MapasCoherentes();
    g->UnHideRowList();
    EXPECT_EQ(g->GetRowCount(), 200);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    MapasCoherentes();
    EXPECT_EQ(g->GetCellProperties(3, 7)->GetAlignment(), taCenter);
    EXPECT_EQ(g->GetCellProperties(2, 9)->GetAlignment(), taRightJustify);
}

TEST_F(Ocultas, OcultarColumnas) {
    g->SetColCountEx(5);
    g->SetColWidths(1, 50);
    g->SetColWidths(2, 70);
    g->HideColumn(1);
    EXPECT_EQ(g->GetColCount(), 4);
    EXPECT_EQ(g->RemapCol(1), 2);
    EXPECT_EQ(g->RemapColInv(2), 1);
    EXPECT_EQ(g->GetColWidths(1), 70);
    EXPECT_EQ(g->TotalColCount(), 5);
    // The last shown column is never hidden.
    g->HideColumns(0, 4);
    EXPECT_EQ(g->GetColCount(), 1);
    g->UnHideColumnsAll();
    EXPECT_EQ(g->GetColCount(), 5);
    EXPECT_EQ(g->GetColWidths(1), 50);
    EXPECT_EQ(g->GetColWidths(2), 70);
}

TEST_F(Ocultas, ControlesEnCeldas) {
    Llenar(30);
    auto* control = new TControlPrueba(ventana.get(), g);
    g->SetCellControls(2, 3, control);
    g->CellControlsUpdate();
    EXPECT_TRUE(control->GetVisible());
    const TRect r = g->CellRect(2, 3);
    EXPECT_EQ(control->GetLeft(), r.Left);
    EXPECT_EQ(control->GetTop(), r.Top);
    EXPECT_EQ(control->GetWidth(), r.Right - r.Left);
    g->HideRow(3);
    EXPECT_FALSE(control->GetVisible());
    g->UnHideRow(3);
    EXPECT_TRUE(control->GetVisible());
    g->SetTopRow(20);
    EXPECT_FALSE(control->GetVisible());
    g->SetTopRow(1);
    g->InsertRows(1, 2);
    EXPECT_EQ(control->GetTop(), g->CellRect(2, 5).Top);
}

TEST_F(Ocultas, BarrasProporcionales) {
    g->SetScrollBars(ssVertical);
    Llenar(100);
    g->SetScrollProportional(true);
    auto info = [this] {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(g->GetHandle(), SB_VERT, &si);
        return si;
    };
    // r = (client - fixed) / scrollable: the range and page put the positions at 0..127.
    const int line = g->GetGridLineWidth();
    const double f = line + 21 + line, t = line + 99.0 * (21 + line);
    const double ratio = (g->GetClientHeight() - f) / t;
    const int m = static_cast<int>(std::lround((127 + ratio) / (1 - ratio)));
    SCROLLINFO si = info();
    EXPECT_EQ(si.nMax, m);
    EXPECT_EQ(static_cast<int>(si.nPage), m - 126);
    EXPECT_EQ(si.nPos, 0);
    g->SetTopRow(g->GetRowCount() - 1);
    EXPECT_EQ(info().nPos, 127);
    // After each operation the bar follows the grid.
    g->SetTopRow(1);
    g->RemoveRows(1, 50);
    const double t2 = line + 49.0 * (21 + line);
    const double r2 = (g->GetClientHeight() - f) / t2;
    EXPECT_EQ(info().nMax, static_cast<int>(std::lround((127 + r2) / (1 - r2))));
    TIntList lista(0, 0);
    for (int r = 1; r < 40; ++r)
        lista.Add(r);
    g->HideRowList(&lista);
    // Everything fits now: the bar is left alone, and an empty range does not divide by 0.
    EXPECT_EQ(g->GetRowCount(), 11);
    g->SetRowCountEx(1);
    g->UpdateVScroller();
    g->SetScrollProportional(false);
    g->SetRowCountEx(100);
    EXPECT_EQ(info().nMax, 127);
}

TEST_F(Ocultas, BarraSiempreVisible) {
    g->SetScrollBars(ssBoth);
    Llenar(3);
    g->SetScrollBarAlways(saVert);
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    EXPECT_TRUE(GetScrollInfo(g->GetHandle(), SB_VERT, &si));
    EXPECT_LT(g->GetClientWidth(), 400); // the vertical bar takes its room
}

TEST_F(Ocultas, ColumnaEstirada) {
    g->SetColCountEx(2);
    g->SetClientWidth(300);
    g->SetColWidths(0, 64);
    g->SetColWidths(1, 64);
    g->GetColumnSize()->SetStretch(true);
    g->StretchColumn(-1);
    EXPECT_EQ(g->GetColWidths(1), 235);
    // The last column is stretched again when the count changes.
    g->AddColumn();
    g->RemoveCols(1, 1);
    EXPECT_EQ(g->GetColWidths(1), 235);
    EXPECT_EQ(ErrorDeRejilla([&] { g->StretchColumn(7); }), "Stretch column index out of range");
}

TEST_F(Ocultas, TamanoAutomatico) {
    g->SetColCountEx(3);
    g->SetCells(1, 1, "un texto bastante largo");
    g->SetCells(1, 2, "corto");
    g->SizeToWidth(1, false);
    const int ancho = g->GetColWidths(1);
    TCanvas* c = g->GetCanvas();
    c->GetFont()->Assign(g->GetFont());
    const int line = g->GetGridLineWidth();
    EXPECT_EQ(ancho, 2 * (line + 1) + c->TextWidth("un texto bastante largo") + 2 * 2 + 2);
    // Grow only leaves a wide enough column; not growing narrows it, down to the minimum.
    g->SetColWidths(1, 500);
    g->SizeToWidth(1, true);
    EXPECT_EQ(g->GetColWidths(1), 500);
    g->SetCells(1, 1, "");
    g->SetCells(1, 2, "");
    g->SetCells(1, 0, "");
    g->SetMinColWidth(30);
    g->SizeToWidth(1, false);
    EXPECT_EQ(g->GetColWidths(1), 30);
    // Markup is measured as drawn: bold text is wider than its plain letters' tags.
    g->SetCells(1, 1, "<b>negrita</b>");
    g->SetMinColWidth(0);
    g->AutoSizeCol(1);
    EXPECT_LT(g->GetColWidths(1), c->TextWidth("<b>negrita</b>"));
    EXPECT_GT(g->GetColWidths(1), c->TextWidth("negrita"));
    // Wrapped text takes more lines in a narrow column.
    g->SetColWidths(2, 60);
    g->SetCells(2, 3, "palabras que no caben en una sola linea");
    g->SizeToHeight(3, false);
    const int alta = g->GetRowHeights(3);
    g->SetWordWrap(false);
    g->SizeToHeight(3, false);
    EXPECT_GT(alta, g->GetRowHeights(3));
    // Lines: (h + h div 8) x lines + extra space.
    c->GetFont()->Assign(g->GetFont());
    const int h = c->TextHeight("gh");
    g->SizeToLines(4, 2, 4);
    EXPECT_EQ(g->GetRowHeights(4), (h + h / 8) * 2 + 4);
    // All columns, plus extra space.
    g->AutoSizeColumns(false, 10);
    EXPECT_EQ(g->GetColWidths(0), 64);
    EXPECT_GT(g->GetColWidths(2), 60);
}

// A row or column out of view comes into the middle of it and becomes the current one; a
// cell already in view changes nothing.
TEST_F(Ocultas, CeldaALaVista) {
    Llenar(100);
    const int vistas = g->GetVisibleRowCount();
    ASSERT_GT(vistas, 4);
    g->ScrollInView(1, 60);
    EXPECT_EQ(g->GetRow(), 60);
    EXPECT_EQ(g->GetTopRow(), 60 - vistas / 2);
    g->ScrollInView(1, 61);
    EXPECT_EQ(g->GetRow(), 60);
    EXPECT_EQ(g->GetTopRow(), 60 - vistas / 2);
    g->ScrollInView(1, 99); // the last page stays filled
    EXPECT_EQ(g->GetRow(), 99);
    EXPECT_GE(g->GetTopRow() + vistas - 1, 99);
    EXPECT_LT(g->GetTopRow(), 99 - vistas / 2);
    g->ScrollInView(7, 2); // beyond the columns: nothing
    EXPECT_EQ(g->GetRow(), 99);
}

// The sizing zone reaches 3 pixels from a header cell's border, not 4, and only with the
// option that sizes in that direction; a screen point finds its cell.
TEST_F(Ocultas, ZonaDeTamanoYCeldaDeUnPunto) {
    Llenar(5);
    const TRect cab = g->CellRect(2, 0);
    const int y = (cab.Top + cab.Bottom) / 2;
    EXPECT_FALSE(g->InSizeZone(cab.Left + 3, y));
    g->SetOptions(g->GetOptions() << goColSizing);
    EXPECT_TRUE(g->InSizeZone(cab.Left + 3, y));
    EXPECT_FALSE(g->InSizeZone(cab.Left + 4, y));
    EXPECT_TRUE(g->InSizeZone(cab.Right - 3, y));
    const TRect dato = g->CellRect(2, 3);
    EXPECT_FALSE(g->InSizeZone(dato.Left + 1, (dato.Top + dato.Bottom) / 2));
    const TRect lat = g->CellRect(0, 3);
    const int x = (lat.Left + lat.Right) / 2;
    EXPECT_FALSE(g->InSizeZone(x, lat.Top + 2));
    g->SetOptions(g->GetOptions() << goRowSizing);
    EXPECT_TRUE(g->InSizeZone(x, lat.Top + 2));
    EXPECT_FALSE(g->InSizeZone(x, lat.Top + 4));
    int c = -1, r = -1;
    g->ScreenToCell(g->ClientToScreen(TPoint(dato.Left + 5, dato.Top + 5)), c, r);
    EXPECT_EQ(c, 2);
    EXPECT_EQ(r, 3);
}

// What saving covers: everything, or without it the fixed rows and columns on every side.
TEST_F(Ocultas, CeldasQueSeGuardan) {
    Llenar(10);
    g->SetFixedRightCols(1);
    g->SetFixedFooters(1);
    EXPECT_FALSE(g->GetStoreFixedCells());
    g->SetStoreFixedCells(true);
    const int todo[] = {g->GetSaveStartCol(), g->GetSaveStartRow(), g->GetSaveEndCol(),
                        g->GetSaveEndRow(),   g->GetSaveColCount(), g->GetSaveRowCount()};
    EXPECT_EQ(std::vector<int>(std::begin(todo), std::end(todo)),
              (std::vector<int>{0, 0, 4, 9, 5, 10}));
    g->SetStoreFixedCells(false);
    const int normales[] = {g->GetSaveStartCol(), g->GetSaveStartRow(), g->GetSaveEndCol(),
                            g->GetSaveEndRow(),   g->GetSaveColCount(), g->GetSaveRowCount()};
    EXPECT_EQ(std::vector<int>(std::begin(normales), std::end(normales)),
              (std::vector<int>{1, 1, 3, 8, 3, 8}));
}

// Every row sized at once: by its lines without word wrap, by its cells plus the extra
// space with it; the fixed row only when asked.
TEST_F(Ocultas, TamanoAutomaticoDeFilas) {
    Llenar(5);
    g->SetColWidths(2, 60);
    g->SetCells(2, 3, "palabras que no caben en una sola linea");
    const int fija = g->GetRowHeights(0);
    g->SizeToHeight(3, false);
    const int ajustada = g->GetRowHeights(3);
    g->SetRowHeights(3, 10);
    g->AutoSizeRows(false, 5);
    EXPECT_EQ(g->GetRowHeights(3), ajustada + 5);
    EXPECT_EQ(g->GetRowHeights(0), fija);
    g->SetWordWrap(false);
    TCanvas* c = g->GetCanvas();
    c->GetFont()->Assign(g->GetFont());
    const int h = c->TextHeight("gh");
    g->AutoSizeRows(true, 4);
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(g->GetRowHeights(r), (h + h / 8) + 4) << r;
}

// Cells sized together: a column narrows to its widest cell (not with grow only), a row only
// ever grows.
TEST_F(Ocultas, TamanoAutomaticoDeCeldas) {
    Llenar(4);
    g->SetCells(2, 2, "un texto algo largo");
    g->SizeToWidth(2, false);
    const int alCampo = g->GetColWidths(2) - 2 * (g->GetGridLineWidth() + 1);
    g->SetColWidths(2, 400);
    g->SetRowHeights(2, 60);
    g->SetAutoSizeGrowOnly(true);
    g->AutoSizeCells(false, 6, 2);
    EXPECT_EQ(g->GetColWidths(2), 400);
    g->SetAutoSizeGrowOnly(false);
    g->AutoSizeCells(false, 6, 2);
    EXPECT_EQ(g->GetColWidths(2), alCampo + 6);
    EXPECT_EQ(g->GetRowHeights(2), 60);
    g->SetRowHeights(3, 5);
    g->AutoSizeCells(false, 0, 0);
    EXPECT_GT(g->GetRowHeights(3), 5);
}

} // namespace
