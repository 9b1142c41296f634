// The advanced grid's floating footer with its column calculations and statistics, and the
// painting that belongs to the whole grid: the area outside the cells, sizing lines and the
// colour schemes.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/hint_window.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <QCoreApplication>
#include <QHelpEvent>
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
    // Three columns over a lime footer one row high, shown.
    TFooterPanel* PieVerde() {
        g->SetColCountEx(3);
        g->SetDefRowHeightEx(21);
        g->GetFloatingFooter()->SetColor(clLime);
        g->GetFloatingFooter()->SetVisible(true);
        ventana->Show();
        return g->GetFooterPanel();
    }
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

// The default row height gives a shown footer's panel that same height; the footer's own
// height write and showing it again make the panel one pixel lower.
TEST_F(Pie, LaAlturaDeFilaPasaAlPanelDelPieTalCual) {
    TFooterPanel* p = PieVerde();
    TFloatingFooter* f = g->GetFloatingFooter();
    g->SetDefRowHeightEx(25);
    EXPECT_EQ(f->GetHeight(), 25);
    EXPECT_EQ(p->GetHeight(), 25);
    Application->ProcessMessages();
    EXPECT_EQ(p->GetClientRect().Bottom, 25);
    f->SetHeight(25);
    EXPECT_EQ(p->GetHeight(), 24);
    g->SetDefRowHeightEx(30);
    f->SetVisible(false);
    f->SetVisible(true);
    EXPECT_EQ(p->GetHeight(), 29);
    // A hidden footer keeps its panel closed and takes the height for later.
    f->SetVisible(false);
    g->SetDefRowHeightEx(22);
    EXPECT_EQ(p->GetHeight(), 0);
    EXPECT_EQ(f->GetHeight(), 22);
}

// The footer's canvas is the panel's own: it reads what the footer painted, and what a
// program draws on it shows in the panel's window until the footer paints again.
TEST_F(Pie, ElLienzoDelPie) {
    TFooterPanel* panel = PieVerde();
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
    // Over the five rows: the cell that does not read is a row of the range all the same.
    EXPECT_DOUBLE_EQ(g->GetFloats(1, 6), 1.4);
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

// Down on the last normal row adds a row above the footer's row, which keeps every column's
// calculation: the footer goes on summing with the new row in.
TEST_F(Pie, FlechaAbajoAnadeFilaSobreElPieQueSigueCalculando) {
    g->SetColCountEx(3);
    g->SetRowCountEx(4); // rows 1-2 data, 3 the footer
    g->SetCellEx(1, 1, "2");
    g->SetCellEx(1, 2, "3");
    TFloatingFooter* f = g->GetFloatingFooter();
    f->SetVisible(true);
    f->SetColumnCalc(1, acSUM);
    f->SetColumnCalc(2, acCOUNT);
    g->GetNavigation()->SetAppendOnArrowDown(true);
    ventana->Show();
    g->SetCol(1);
    g->SetRow(2);
    g->SetFocus();
    SimulateKeyStroke(VK_DOWN, {}, g);
    ASSERT_EQ(g->GetRowCount(), 5);
    EXPECT_EQ(g->GetRow(), 3);
    EXPECT_EQ(g->GetCellEx(1, 3), "");
    EXPECT_EQ(f->GetColumnCalc(1), acSUM);
    EXPECT_EQ(f->GetColumnCalc(2), acCOUNT);
    EXPECT_DOUBLE_EQ(g->GetFloats(1, 4), 5.0);
    EXPECT_EQ(g->GetCellEx(2, 4), "3");
    g->SetCellEx(1, 3, "4");
    g->CalcFooter(-1);
    EXPECT_DOUBLE_EQ(g->GetFloats(1, 4), 9.0);
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
    // The average divides by the rows of the range, counted or not.
    EXPECT_DOUBLE_EQ(g->ColumnAvg(1, 1, 6), 9.0 / 6);
    EXPECT_DOUBLE_EQ(g->ColumnAvg(1, 2, 3), -0.5);
    EXPECT_DOUBLE_EQ(g->ColumnMin(1, 1, 6), -3.0);
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, 1, 6), 10.0);
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, 1, 1), 0.0); // nothing readable
    EXPECT_DOUBLE_EQ(g->ColumnMin(1, 1, 1), 0.0);
    EXPECT_DOUBLE_EQ(g->ColumnAvg(1, 3, 2), 0.0); // an empty range

    const char* fila[] = {"2-", "4", "3e", "1"}; // columns 2..5 of row 2 (column 1: "2")
    for (int c = 2; c <= 5; ++c)
        g->SetCellEx(c, 2, fila[c - 2]);
    EXPECT_DOUBLE_EQ(g->RowSum(2, 1, 5), 7.0);
    EXPECT_DOUBLE_EQ(g->RowAvg(2, 1, 5), 7.0 / 5); // by the five columns of the range
    EXPECT_DOUBLE_EQ(g->RowAvg(2, 2, 3), 2.0);
    EXPECT_DOUBLE_EQ(g->RowMin(2, 2, 5), 1.0);
    EXPECT_DOUBLE_EQ(g->RowMax(2, 2, 5), 4.0);
    g->SetCellEx(2, 3, "-7");
    g->MergeCells(1, 3, 2, 1); // the -7 of column 2 merged away under the -3
    EXPECT_DOUBLE_EQ(g->RowMin(3, 1, 2), -3.0);
    EXPECT_DOUBLE_EQ(g->RowSum(3, 1, 2), -3.0);
    EXPECT_DOUBLE_EQ(g->RowAvg(3, 4, 2), 0.0);
}

// A picture placed once stays where it is while the rows scroll under it: after each scroll
// by the bar it shows at its place and no copy of it moved with the cells (only what waits to
// be painted is painted). The view after the scrolls is saved as a capture.
TEST_F(Pie, FondoFijoAlDesplazar) {
    g->SetScrollBars(ssVertical);
    g->SetRowCountEx(40);
    TBitmap dibujo;
    dibujo.SetSize(60, 50);
    dibujo.GetCanvas()->GetBrush()->SetColor(clRed);
    dibujo.GetCanvas()->FillRect(Rect(0, 0, 60, 50));
    TBackGround* fondo = g->GetBackGround();
    fondo->SetBitmap(&dibujo);
    fondo->SetDisplay(bdFixed);
    fondo->SetLeft(120);
    fondo->SetTop(60);
    g->Repaint();
    const TRect sitio = Bounds(120, 60, 60, 50);
    const int ancho = g->GetClientWidth(), alto = g->GetClientHeight();
    auto fuera = [&] { // red anywhere above or below the picture
        return HayColor(g->GetCanvas(), Rect(0, 0, ancho, sitio.Top), clRed) ||
               HayColor(g->GetCanvas(), Rect(0, sitio.Bottom, ancho, alto), clRed);
    };
    EXPECT_EQ(Pixel(150, 85), ColorToRGB(clRed));
    EXPECT_FALSE(fuera());
    for (const int codigo : {SB_LINEDOWN, SB_LINEDOWN, SB_PAGEDOWN, SB_LINEUP}) {
        SCOPED_TRACE(codigo);
        const int arriba = g->GetTopRow();
        g->Perform(WM_VSCROLL, codigo, 0);
        ASSERT_NE(g->GetTopRow(), arriba);
        g->Update();
        EXPECT_EQ(Pixel(150, 85), ColorToRGB(clRed));
        EXPECT_FALSE(fuera());
    }
    EXPECT_FALSE(SaveCapture(g, "kavgrid_fondo_fijo_desplazado").IsEmpty());
}

TEST_F(Pie, LosNodosCuentanSalvoEnUnaRejillaAgrupada) {
    // Column 1 holds 1..4 in rows 1..4; column 2 the zone of each row.
    g->SetRowCountEx(5);
    g->SetColCountEx(4);
    const char* zonas[] = {"A", "A", "B", "B"};
    for (int r = 1; r <= 4; ++r) {
        g->SetCellEx(1, r, IntToStr(r));
        g->SetCellEx(2, r, zonas[r - 1]);
        g->SetCellEx(3, r, IntToStr(10 * r));
    }
    // A node on a data row of a grid that is not grouped is a data row like any other.
    g->AddNode(1, 2);
    g->AddSummary(4);
    EXPECT_DOUBLE_EQ(g->ColumnSum(1, 1, 4), 10.0);
    EXPECT_DOUBLE_EQ(g->ColumnMin(1, 1, 4), 1.0);
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, 1, 4), 4.0);
    EXPECT_DOUBLE_EQ(g->RowSum(1, 1, 3), 1.0 + 10.0);
    EXPECT_DOUBLE_EQ(g->RowSum(4, 1, 3), 4.0 + 40.0);
    g->RemoveNode(1);
    g->RemoveCellGraphic(0, 4, ctSummary);

    // Grouped, the headers and summaries hold no data, whatever is written into them.
    g->GetGrouping()->SetSummary(true);
    g->Group(2);
    ASSERT_EQ(g->GetGroupColumn(), 2);
    g->GroupSum(1);
    const int ultima = g->GetRowCount() - 1;
    EXPECT_DOUBLE_EQ(g->ColumnSum(1, 1, ultima), 10.0);
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, 1, ultima), 4.0);
    // Their average is over the four data rows, not over the headers and summaries too.
    EXPECT_DOUBLE_EQ(g->ColumnAvg(1, 1, ultima), 2.5);
}

// Laid out from the right, the footer lies against the panel's right edge and is the mirror
// of the one laid out from the left: each cell, divider and the preview's frame at the mirror
// of its place, the rest of the strip on the left in the grid's colour.
TEST_F(Pie, DeDerechaAIzquierdaElPieSeReflejaContraElBordeDerecho) {
    TFooterPanel* panel = PieVerde();
    g->SetColWidths(0, 40);
    g->SetColWidths(1, 70);
    g->SetColWidths(2, 50);
    TFloatingFooter* f = g->GetFloatingFooter();
    const int ancho = panel->GetClientWidth(), y = panel->GetClientHeight() / 2;
    ASSERT_EQ(ancho, 330);
    std::vector<std::pair<int, TRect>> pintadas;
    g->OnFooterPaint = [&](TObject*, int col, TCanvas*, const TRect& r) {
        pintadas.push_back({col, r});
    };
    const auto pixel = [&](int x) { return ColorToRGB(g->GetFooterCanvas()->GetPixels(x, y)); };
    for (bool rtl : {false, true}) {
        SCOPED_TRACE(rtl);
        g->GetWidget()->setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
        // The place a left-to-right footer gives pixel x.
        const auto X = [&](int x) { return rtl ? ancho - 1 - x : x; };
        f->SetFooterStyle(fsFixedLastRow);
        pintadas.clear();
        panel->Repaint();
        // The scrolled columns go to the event, each in its cell's mirrored rectangle.
        ASSERT_EQ(pintadas.size(), 2u);
        const int h = panel->GetClientHeight();
        const TRect celdas[] = {Rect(41, 0, 109, h), Rect(111, 0, 159, h)};
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(pintadas[k].first, k + 1);
            const TRect& r = celdas[k];
            EXPECT_EQ(pintadas[k].second, rtl ? Rect(ancho - r.Right, 0, ancho - r.Left, h) : r);
        }
        // The dividers after the scrolled columns, grey, and the footer's colour between the
        // cells (the fixed cell's own edges are the cell painter's).
        for (int x : {109, 159})
            EXPECT_EQ(pixel(X(x)), ColorToRGB(clGray)) << x;
        EXPECT_EQ(pixel(X(110)), ColorToRGB(clLime));
        EXPECT_EQ(pixel(X(165)), ColorToRGB(g->GetColor()));
        EXPECT_EQ(pixel(X(320)), ColorToRGB(g->GetColor()));
        if (rtl) {
            EXPECT_FALSE(SaveCapture(panel, "kavgrid_pie_derecha").IsEmpty());
        }

        // The preview's raised frame closes the used width on the far side.
        f->SetFooterStyle(fsColumnPreview);
        pintadas.clear();
        panel->Repaint();
        ASSERT_EQ(pintadas.size(), 1u);
        EXPECT_EQ(pintadas[0].second, rtl ? Rect(ancho - 160, 0, ancho, h) : Rect(0, 0, 160, h));
        const int izquierda = rtl ? ancho - 160 : 0;
        EXPECT_EQ(pixel(izquierda + 159), ColorToRGB(clGray));
        EXPECT_EQ(pixel(izquierda), ColorToRGB(clWhite));
        EXPECT_EQ(pixel(X(165)), ColorToRGB(g->GetColor()));
    }
    g->GetWidget()->setLayoutDirection(Qt::LeftToRight);
}

// At run time the template is filled and drawn as markup; while the form is designed it shows
// as written.
TEST_F(Pie, LaPlantillaSeMuestraTalCualAlDisenar) {
    g->SetRow(1);
    g->SetCellEx(2, 1, "15");
    TFloatingFooter* f = g->GetFloatingFooter();
    f->SetFooterStyle(fsCustomPreview);
    f->SetCustomTemplate("Total <b><#2></b>");
    f->SetVisible(true);
    ventana->Show();
    TFooterPanel* panel = g->GetFooterPanel();
    for (bool disenando : {false, true}) {
        SCOPED_TRACE(disenando);
        g->SetComponentStateFlag(csDesigning, disenando);
        TCanvasRecorder registro(g->GetFooterCanvas());
        panel->Repaint();
        AnsiString escrito;
        for (const TCanvasCall& c : registro.Calls())
            if (c.Depth == 0 && (c.Name == "DrawText" || c.Name == "TextOut")) escrito += c.Text;
        EXPECT_EQ(escrito, disenando ? "Total <b><#2></b>" : "Total 15");
    }
    g->SetComponentStateFlag(csDesigning, false);
}

// The previews paint their cell with black selected text and give the grid its own colour
// back, without making the grid paint again (which would paint the footer again, and so on).
TEST_F(Pie, LaVistaPreviaNoRepintaLaRejilla) {
    g->SetColCountEx(3);
    g->SetRow(1);
    g->SetCellEx(1, 1, "15");
    g->SetSelectionTextColor(clRed);
    TFloatingFooter* f = g->GetFloatingFooter();
    f->SetColumn(1);
    f->SetCustomTemplate("Total <#1>");
    f->SetVisible(true);
    ventana->Show();
    for (TFooterStyle estilo : {fsColumnPreview, fsCustomPreview}) {
        SCOPED_TRACE(estilo);
        f->SetFooterStyle(estilo);
        Application->ProcessMessages();
        TColor durante = clNone;
        g->OnFooterPaint = [&](TObject*, int, TCanvas*, const TRect&) {
            durante = g->GetSelectionTextColor();
        };
        g->invalidaciones = 0;
        g->GetFooterPanel()->Repaint();
        EXPECT_EQ(g->invalidaciones, 0);
        EXPECT_EQ(g->GetSelectionTextColor(), clRed);
        if (estilo == fsColumnPreview) EXPECT_EQ(durante, clBlack);
        g->OnFooterPaint = nullptr;
    }
}

TEST_F(Pie, PlantillaDeLaVistaPrevia) {
    g->SetRow(2);
    g->SetCellEx(2, 2, "15");
    EXPECT_EQ(g->GetFooterPanel()->HTMLColReplace("Total: <#2> m² <#x>fin"), "Total: 15 m² fin");
    // A column outside the grid fills in nothing.
    EXPECT_EQ(g->GetFooterPanel()->HTMLColReplace("a<#-1>b<#99>c"), "abc");
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
    // The search bar covers the bottom 32 pixels: the gradient stops above it.
    g->GetSearchFooter()->SetVisible(true);
    g->Repaint();
    const int bajo = g->GetClientHeight();
    EXPECT_EQ(Pixel(320, bajo - 5), ColorToRGB(g->GetColor()));
    EXPECT_NE(Pixel(320, bajo - 40), ColorToRGB(g->GetColor()));
    g->GetSearchFooter()->SetVisible(false);
    // A gradient without an end colour paints nothing.
    g->GetBackGround()->SetColorTo(clNone);
    g->Repaint();
    EXPECT_EQ(Pixel(320, 190), ColorToRGB(g->GetColor()));
    // Nor its picture.
    TBitmap dibujo;
    dibujo.SetWidth(400);
    dibujo.SetHeight(300);
    dibujo.GetCanvas()->GetBrush()->SetColor(clYellow);
    dibujo.GetCanvas()->FillRect(Rect(0, 0, 400, 300));
    g->GetBackGround()->SetBitmap(&dibujo);
    g->Repaint();
    EXPECT_EQ(Pixel(320, 190), ColorToRGB(g->GetColor()));
    g->GetBackGround()->SetDisplay(bdFixed);
    g->Repaint();
    EXPECT_EQ(Pixel(320, 190), ColorToRGB(clYellow)) << "the picture shows without a gradient";
    g->GetBackGround()->SetBitmap(nullptr);
    g->GetBackGround()->SetDisplay(bdGradientVert);

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

// Each colour scheme sets the fixed cells' pair, the active cell's pair, the control look's
// fixed gradient and the search bar's colours.
TEST_F(Pie, EsquemasDeColor) {
    const TColor activa = 0x94E6FB, activaHasta = 0x1595EE;
    struct Caso {
        TXPColorScheme esquema;
        TColor desde, hasta, celda, celdaHasta, gradDesde, gradHasta, busca, buscaHasta;
    } casos[] = {
        {xpBlue, 0xFCE1CB, 0xE0A57D, activa, activaHasta, 0xE0A57D, 0xFCE1CB, 0xFCE1CB, 0xE0A57D},
        {xpGreen, 0xCFF0EA, 0x8CC0B1, activa, activaHasta, 0x8CC0B1, 0xCFF0EA, 0xCFF0EA, 0x8CC0B1},
        {xpGray, 0xECE2E1, 0xB39698, activa, activaHasta, 0xB39698, 0xECE2E1, 0xECE2E1, 0xB39698},
        {xpNone, clWhite, clBtnFace, clWhite, 0xFFD9B3, clNone, clNone, clWhite, 0xFFD9B3},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(static_cast<int>(c.esquema));
        g->GetSearchFooter()->SetColor(clRed); // whatever was there before
        g->GetSearchFooter()->SetColorTo(clRed);
        g->SetTheme(c.esquema);
        EXPECT_EQ(g->GetKavGradFrom(), c.desde);
        EXPECT_EQ(g->GetKavGradTo(), c.hasta);
        EXPECT_EQ(g->GetActiveCellColor(), c.celda);
        EXPECT_EQ(g->GetActiveCellColorTo(), c.celdaHasta);
        EXPECT_EQ(g->GetControlLook()->GetFixedGradientFrom(), c.gradDesde);
        EXPECT_EQ(g->GetControlLook()->GetFixedGradientTo(), c.gradHasta);
        EXPECT_EQ(g->GetSearchFooter()->GetColor(), c.busca);
        EXPECT_EQ(g->GetSearchFooter()->GetColorTo(), c.buscaHasta);
    }
}

// The footer's hint names the column under the pointer; moving over another column takes
// the shown hint away, and the next rest shows that column's.
TEST_F(Pie, PistaDelPiePorColumna) {
    ResetInputState();
    g->SetUseHTMLHints(true);
    g->GetFooterPanel()->SetHint("pie");
    g->OnGridHint = [this](TObject*, int r, int c, AnsiString& h) {
        h = "fila " + AnsiString(r) + " columna " + AnsiString(c);
        EXPECT_EQ(r, g->GetRowCount() - 1);
    };
    TFloatingFooter* f = g->GetFloatingFooter();
    f->SetVisible(true);
    f->SetShowHint(true);
    TFooterPanel* panel = g->GetFooterPanel();
    const int y = panel->GetHeight() / 2;
    auto mostrada = [] {
        THintWindow* w = GetApplicationHintWindow();
        return w && w->GetVisible();
    };
    auto reposa = [&](int x) {
        SimulateMouse(panel, SimulatedMouse::Move, 0, x, y);
        QHelpEvent e(QEvent::ToolTip, QPoint(x, y), panel->GetWidget()->mapToGlobal(QPoint(x, y)));
        QCoreApplication::sendEvent(panel->GetWidget(), &e);
        return mostrada() ? GetApplicationHintWindow()->GetCaption() : AnsiString();
    };
    const int col1 = g->GetColWidths(0) + 10, col2 = col1 + g->GetColWidths(1);
    EXPECT_EQ(reposa(col1), "fila 9 columna 1");
    SimulateMouse(panel, SimulatedMouse::Move, 0, col1 + 5, y); // the same column
    EXPECT_TRUE(mostrada());
    SimulateMouse(panel, SimulatedMouse::Move, 0, col2, y); // another column
    EXPECT_FALSE(mostrada());
    EXPECT_EQ(reposa(col2), "fila 9 columna 2");
    CancelHint();
    SetHintWindowClass(nullptr);
    ResetInputState();
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
