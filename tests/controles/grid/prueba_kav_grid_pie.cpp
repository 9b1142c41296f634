// The advanced grid's floating footer with its column calculations and statistics, and the
// painting that belongs to the whole grid: the area outside the cells, sizing lines and the
// colour schemes.

#include "controles/grid/kav_grid.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "plataforma/gui/services/capture.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class Pie : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new Rejilla(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 330, 200);
    }
    COLORREF Pixel(int x, int y) { return ColorToRGB(g->GetCanvas()->GetPixels(x, y)); }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

TEST_F(Pie, VisibleYEstilo) {
    TFloatingFooter* f = g->GetFloatingFooter();
    EXPECT_EQ(f->GetColumnCalc(2), acNONE);
    EXPECT_FALSE(g->HasCellProperties(2, g->GetRowCount() - 1)); // the read made none
    g->SetDefRowHeightEx(21);
    f->SetVisible(true);
    EXPECT_EQ(g->GetFooterPanel()->GetHeight(), 20);
    EXPECT_EQ(g->GetFixedFooters(), 1);
    EXPECT_TRUE(g->GetFooterRowActive());
    f->SetVisible(false);
    EXPECT_EQ(g->GetFooterPanel()->GetHeight(), 0);
    EXPECT_EQ(g->GetFixedFooters(), 0);
    f->SetFooterStyle(fsColumnPreview);
    f->SetVisible(true);
    EXPECT_EQ(g->GetFixedFooters(), 0);
    EXPECT_FALSE(g->GetFooterRowActive());
}

// The footer's canvas is the panel's own: it reads what the footer painted, and what a
// program draws on it shows in the panel's window until the footer paints again.
TEST_F(Pie, ElLienzoDelPie) {
    g->SetColCountEx(3);
    g->SetDefRowHeightEx(21);
    TFloatingFooter* f = g->GetFloatingFooter();
    f->SetColor(clLime);
    f->SetVisible(true);
    ventana->Show();
    TFooterPanel* panel = g->GetFooterPanel();
    panel->Repaint();
    g->Repaint();
    TCanvas* c = g->GetFooterCanvas();
    ASSERT_NE(c, nullptr);
    ASSERT_NE(c, g->GetCanvas());
    // The footer spans the columns, the rest of the strip is in the grid's colour.
    const int ancho = 3 * g->GetColWidths(0);
    const int y = panel->GetClientHeight() / 2;
    const QImage antes = panel->GetWidget()->grab().toImage();
    for (int x : {5, ancho - 10, ancho + 20})
        EXPECT_EQ(ColorToRGB(c->GetPixels(x, y)),
                  RGB(antes.pixelColor(x, y).red(), antes.pixelColor(x, y).green(),
                      antes.pixelColor(x, y).blue()))
            << x;
    EXPECT_EQ(ColorToRGB(c->GetPixels(ancho + 20, y)), ColorToRGB(g->GetColor()));
    EXPECT_NE(ColorToRGB(c->GetPixels(5, y)), ColorToRGB(g->GetColor()));

    c->GetBrush()->SetColor(clRed);
    c->FillRect(Rect(ancho + 10, 2, ancho + 30, y));
    const QImage ventanaPie = panel->GetWidget()->grab().toImage();
    EXPECT_EQ(ventanaPie.pixelColor(ancho + 20, y - 2), QColor(Qt::red));
    panel->Repaint();
    EXPECT_EQ(ColorToRGB(c->GetPixels(ancho + 20, y - 2)), ColorToRGB(g->GetColor()));
    EXPECT_FALSE(SaveCapture(panel, "kavgrid_pie_lienzo").IsEmpty());
}

TEST_F(Pie, CalculosDeColumna) {
    g->SetRowCountEx(7); // rows 1-5 data, 6 the footer
    const char* valores[] = {"1", "2", "1-2", "4", ""};
    for (int r = 1; r <= 5; ++r)
        g->SetCellEx(1, r, valores[r - 1]);
    TFloatingFooter* f = g->GetFloatingFooter();
    f->SetVisible(true);
    f->SetColumnCalc(1, acSUM);
    EXPECT_DOUBLE_EQ(g->GetFloats(1, 6), 7.0); // "1-2" skipped, empty as 0
    f->SetColumnCalc(1, acAVG);
    EXPECT_DOUBLE_EQ(g->GetFloats(1, 6), 7.0 / 4); // over the four cells summed
    f->SetColumnCalc(1, acMAX);
    EXPECT_DOUBLE_EQ(g->GetFloats(1, 6), 4.0);
    f->SetColumnCalc(1, acCOUNT);
    EXPECT_EQ(g->GetCellEx(1, 6), "5"); // a whole number, not in the float format
    f->OnCalcFooter = [](TObject*, int c, int r, AnsiString& v) {
        v = "c" + AnsiString(c) + "r" + AnsiString(r);
    };
    f->SetColumnCalc(1, acCUSTOM);
    EXPECT_EQ(g->GetCellEx(1, 6), "c1r6");
    f->SetColumnCalc(1, acNONE);
    EXPECT_EQ(g->GetCellEx(1, 6), "");
    // A column whose first cell does not read starts its minimum from the first that does.
    for (int r = 1; r <= 5; ++r)
        g->SetCellEx(2, r, r == 1 ? "1-2" : AnsiString(10 - r));
    f->SetColumnCalc(2, acMIN);
    EXPECT_DOUBLE_EQ(g->GetFloats(2, 6), 5.0);
    // With the calculation switched off nothing is written.
    f->SetEnableCalculation(false);
    f->SetColumnCalc(1, acSUM);
    EXPECT_EQ(g->GetCellEx(1, 6), "");
}

// Column and row statistics worked out by hand: a first cell that is not a number, a cell
// merged away under its base cell, empty and "-" as 0, ranges with nothing to count.
TEST_F(Pie, Estadisticas) {
    g->SetRowCountEx(7);
    g->SetColCountEx(6);
    const char* columna[] = {"1-2", "2", "-3", "10", "99", "-"}; // rows 1..6 of column 1
    for (int r = 1; r <= 6; ++r)
        g->SetCellEx(1, r, columna[r - 1]);
    g->MergeCells(1, 4, 1, 2); // row 5 merged away under the 10 of row 4
    // Counted: 2, -3, 10 and "-" (0).
    EXPECT_DOUBLE_EQ(g->ColumnSum(1, 1, 6), 9.0);
    EXPECT_DOUBLE_EQ(g->ColumnAvg(1, 1, 6), 9.0 / 4);
    EXPECT_DOUBLE_EQ(g->ColumnMin(1, 1, 6), -3.0);
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, 1, 6), 10.0);
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, 1, 1), 0.0); // nothing readable
    EXPECT_DOUBLE_EQ(g->ColumnMin(1, 1, 1), 0.0);
    EXPECT_DOUBLE_EQ(g->ColumnAvg(1, 3, 2), 0.0); // an empty range

    const char* fila[] = {"2-", "4", "3e", "1"}; // columns 2..5 of row 2 (column 1: "2")
    for (int c = 2; c <= 5; ++c)
        g->SetCellEx(c, 2, fila[c - 2]);
    EXPECT_DOUBLE_EQ(g->RowSum(2, 1, 5), 7.0);
    EXPECT_DOUBLE_EQ(g->RowAvg(2, 1, 5), 7.0 / 3);
    EXPECT_DOUBLE_EQ(g->RowMin(2, 2, 5), 1.0);
    EXPECT_DOUBLE_EQ(g->RowMax(2, 2, 5), 4.0);
    g->SetCellEx(2, 3, "-7");
    g->MergeCells(1, 3, 2, 1); // the -7 of column 2 merged away under the -3
    EXPECT_DOUBLE_EQ(g->RowMin(3, 1, 2), -3.0);
    EXPECT_DOUBLE_EQ(g->RowSum(3, 1, 2), -3.0);
    EXPECT_DOUBLE_EQ(g->RowAvg(3, 4, 2), 0.0);
}

TEST_F(Pie, PlantillaDeLaVistaPrevia) {
    g->SetRow(2);
    g->SetCellEx(2, 2, "15");
    EXPECT_EQ(g->GetFooterPanel()->HTMLColReplace("Total: <#2> m² <#x>fin"), "Total: 15 m² fin");
}

TEST_F(Pie, FondoLineasYEsquemas) {
    // Rows and columns that fill the client area leave no background to paint.
    g->SetScrollBars(ssNone);
    g->GetBackGround()->SetDisplay(bdGradientVert);
    g->GetBackGround()->SetColor(clRed);
    g->GetBackGround()->SetColorTo(clBlue);
    g->SetColCountEx(3);
    g->SetRowCountEx(3);
    g->Repaint();
    EXPECT_NE(Pixel(320, 190), ColorToRGB(g->GetColor()));
    // A gradient without an end colour paints nothing.
    g->GetBackGround()->SetColorTo(clNone);
    g->Repaint();
    EXPECT_EQ(Pixel(320, 190), ColorToRGB(g->GetColor()));

    // Two sizing lines at one place leave the canvas as it was.
    const COLORREF antes = Pixel(100, 30);
    g->DrawSizingLine(100);
    g->DrawSizingLine(100);
    EXPECT_EQ(Pixel(100, 30), antes);

    // The schemes of the visual styles.
    g->SetTheme(xpGray);
    EXPECT_EQ(g->GetKavGradFrom(), TColor(0xECE2E1));
    EXPECT_EQ(g->GetKavGradTo(), TColor(0xB39698));
    EXPECT_EQ(g->GetActiveCellColor(), TColor(0x94E6FB));
    g->Repaint();
    const TRect f = g->CellRect(1, 0);
    EXPECT_EQ(Pixel(f.Left + 10, f.Top + 1), ColorToRGB(TColor(0xECE2E1)));
    g->SetLook(glKav); // silver to white
    EXPECT_EQ(g->GetKavGradFrom(), TColor(0xC0C0C0));
    EXPECT_EQ(g->GetKavGradTo(), TColor(0xFFFFFF));
    g->ThemeAdapt(); // no visual style in use: the plain scheme
    EXPECT_EQ(g->GetKavGradFrom(), clWhite);
    EXPECT_EQ(g->GetControlLook()->GetFixedGradientFrom(), clNone);
}

TEST_F(Pie, IndicadorDeOrdenNumerado) {
    // With the places shown, the third sort column's arrow carries "3".
    g->GetSortSettings()->SetShow(true);
    g->GetSortSettings()->SetIndexShow(true);
    g->GetSortIndexes()->AddIndex(1, true);
    g->GetSortIndexes()->AddIndex(2, false);
    g->GetSortIndexes()->AddIndex(3, true);
    g->SetCellEx(3, 0, "Valor");
    TRecordingCanvas c(200, 40);
    g->DrawGridCell(&c, 3, 0, Rect(0, 0, 100, 21), TGridDrawState{gdFixed});
    const auto textos = c.Recorder().Calls("TextOut", true);
    ASSERT_EQ(textos.size(), 1u);
    EXPECT_EQ(textos[0].Text, "3");
    EXPECT_EQ(c.Recorder().Count("Polygon"), 1);
}

TEST_F(Pie, Muestrario) {
    g->SetBounds(0, 0, 420, 230);
    g->SetColCountEx(4);
    g->SetRowCountEx(6);
    g->SetColWidths(1, 130);
    g->SetColWidths(2, 90);
    g->SetColWidths(3, 90);
    const char* cab[] = {"", "Proyecto", "Calefacción", "Refrigeración"};
    for (int c = 0; c < 4; ++c)
        g->SetCellEx(c, 0, cab[c]);
    const char* nombres[] = {"Vivienda A", "Vivienda B", "Oficinas", "Colegio"};
    const char* cal[] = {"45.2", "51.7", "38.0", "62.4"};
    const char* ref[] = {"12.1", "9.8", "21.5", "7.3"};
    for (int r = 1; r <= 4; ++r) {
        g->SetCellEx(0, r, AnsiString(r));
        g->SetCellEx(1, r, nombres[r - 1]);
        g->SetCellEx(2, r, cal[r - 1]);
        g->SetCellEx(3, r, ref[r - 1]);
        g->SetAlignments(2, r, taRightJustify);
        g->SetAlignments(3, r, taRightJustify);
    }
    g->GetSortSettings()->SetShow(true);
    g->GetSortSettings()->SetColumn(2);
    g->GetBackGround()->SetDisplay(bdGradientVert);
    g->GetBackGround()->SetColor(clWhite);
    g->GetBackGround()->SetColorTo(0xE0C0A0);
    TFloatingFooter* f = g->GetFloatingFooter();
    f->SetVisible(true);
    g->SetCellEx(1, 5, "Media");
    f->SetColumnCalc(2, acAVG);
    f->SetColumnCalc(3, acAVG);
    g->SetAlignments(2, 5, taRightJustify);
    g->SetAlignments(3, 5, taRightJustify);
    g->Repaint();
    g->GetFooterPanel()->Repaint();
    EXPECT_FALSE(SaveCapture(g, "kavgrid_pie").IsEmpty());
    EXPECT_DOUBLE_EQ(g->GetFloats(2, 5), 49.33);
}

} // namespace
