// The grid's painting: only the cells meeting the clip are drawn, with their states; the
// default drawing (fill, text, lines, focus frame) and the grid without it; line width 0;
// invalidating a cell paints that cell alone; redraw suspended by WM_SETREDRAW.

#include "tests/plataforma/gui/canvas_prueba.h"
#include "tests/plataforma/gui/grid_prueba.h"

#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/services/capture.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class GridPintura : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new RejillaPrueba(ventana.get(), 200, 100);
        g->SetColCount(10);
        g->SetRowCount(1000);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 4; ++c)
                g->SetCells(c, r, AnsiString(c) + ":" + AnsiString(r));
        Repintar();
    }
    void Repintar() {
        g->pintadas.clear();
        g->Repaint();
    }
    void Pintar(const TRect& r) {
        g->pintadas.clear();
        InvalidateRect(g->GetHandle(), &r, FALSE);
        UpdateWindow(g->GetHandle());
    }
    std::unique_ptr<VentanaPrueba> ventana;
    RejillaPrueba* g = nullptr;
};

TEST_F(GridPintura, SoloSePintanLasCeldasQueTocanElRecorte) {
    Repintar();
    // 4 columns x 4 rows in view, whatever the row count.
    EXPECT_EQ(g->pintadas.size(), 16u);
    Pintar(Rect(70, 30, 80, 40)); // inside cell (1, 1)
    ASSERT_EQ(g->pintadas.size(), 1u);
    EXPECT_EQ(g->pintadas[0].col, 1);
    EXPECT_EQ(g->pintadas[0].row, 1);
    EXPECT_EQ(g->pintadas[0].rect, Rect(65, 25, 129, 49));
    Pintar(Rect(64, 24, 66, 26)); // a line crossing: the four cells round it
    EXPECT_EQ(g->pintadas.size(), 4u);
    Pintar(Rect(0, 0, 200, 10)); // the fixed row only
    EXPECT_EQ(g->pintadas.size(), 4u);
    for (const CeldaPintada& p : g->pintadas)
        EXPECT_EQ(p.row, 0);
    // Deep in a large grid, the same few cells.
    g->SetTopRow(900);
    UpdateWindow(g->GetHandle());
    Pintar(Rect(70, 30, 80, 40));
    ASSERT_EQ(g->pintadas.size(), 1u);
    EXPECT_EQ(g->pintadas[0].row, 900);
}

TEST_F(GridPintura, EstadosDeLasCeldas) {
    g->SetOptions(g->GetOptions() << goRangeSelect);
    g->SetSelection({1, 1, 2, 2});
    Repintar();
    auto estado = [&](int c, int r) { return g->Pintada(c, r)->state; };
    EXPECT_EQ(estado(0, 0), TGridDrawState({gdFixed}));
    EXPECT_EQ(estado(0, 1), TGridDrawState({gdFixed}));
    EXPECT_EQ(estado(2, 0), TGridDrawState({gdFixed}));
    // Not focused: the whole block (the current cell too) shows selected.
    EXPECT_EQ(estado(1, 1), TGridDrawState({gdSelected}));
    EXPECT_EQ(estado(2, 2), TGridDrawState({gdSelected}));
    EXPECT_EQ(estado(3, 2), TGridDrawState());
    g->SetFocus();
    ASSERT_TRUE(g->Focused());
    Repintar();
    EXPECT_EQ(estado(1, 1), TGridDrawState({gdFocused}));
    EXPECT_EQ(estado(2, 1), TGridDrawState({gdSelected}));
    g->SetOptions(g->GetOptions() << goDrawFocusSelected);
    Repintar();
    EXPECT_EQ(estado(1, 1), TGridDrawState({gdFocused, gdSelected}));
    // Whole rows.
    g->SetOptions(g->GetOptions() << goRowSelect);
    g->SetRow(3);
    Repintar();
    EXPECT_EQ(estado(1, 3), TGridDrawState({gdFocused, gdSelected}));
    EXPECT_EQ(estado(3, 3), TGridDrawState({gdFocused, gdSelected}));
    EXPECT_EQ(estado(0, 3), TGridDrawState({gdFixed}));
    EXPECT_EQ(estado(1, 2), TGridDrawState());
}

TEST_F(GridPintura, DibujoPorDefectoRellenoTextoLineasYMarcoDeFoco) {
    g->SetFocus();
    TCanvas* c = g->GetCanvas();
    {
        TCanvasRecorder rec(c);
        Repintar();
        EXPECT_EQ(rec.Count("DrawFocusRect"), 1);
        const auto textos = rec.Calls("TextRect", true);
        ASSERT_EQ(textos.size(), 16u);
        EXPECT_EQ(textos[0].Text, "0:0");
        EXPECT_EQ(textos[0].Args[4], 2); // text at the cell's left + 2, top + 2
        EXPECT_EQ(textos[0].Args[5], 2);
    }
    EXPECT_EQ(Px(c, 50, 18), static_cast<TColor>(ColorToRGB(clBtnFace)));   // fixed fill
    EXPECT_EQ(Px(c, 63, 10), static_cast<TColor>(ColorToRGB(clBtnShadow))); // raised edge
    EXPECT_EQ(c->GetPixels(64, 40), clBlack);                               // fixed column's line
    EXPECT_EQ(c->GetPixels(129, 40), clSilver); // a scrollable column's line
    EXPECT_EQ(c->GetPixels(100, 49), clSilver);
    EXPECT_EQ(c->GetPixels(120, 40), clWhite); // a plain cell's fill
    EXPECT_EQ(c->GetPixels(100, 24), clBlack); // below the fixed row

    // Without the default drawing the base draws no fill, no text and no focus frame: only
    // the cells' own drawing (and the lines) reach the canvas.
    g->SetDefaultDrawing(false);
    int propias = 0;
    g->OnDrawCell = [&](TObject*, int, int, const TRect& r, TGridDrawState) {
        ++propias;
        c->GetBrush()->SetColor(clYellow);
        c->FillRect(r);
    };
    TCanvasRecorder rec(c);
    Repintar();
    EXPECT_EQ(propias, 16);
    EXPECT_EQ(rec.Count("DrawFocusRect"), 0);
    EXPECT_EQ(rec.Count("TextRect"), 0);
    for (const TCanvasCall& k : rec.Calls("FillRect", true)) {
        if (k.BrushColor == static_cast<COLORREF>(clYellow)) continue;
        // Lines and the area beyond the cells only.
        EXPECT_TRUE(k.Args[2] - k.Args[0] == 1 || k.Args[3] - k.Args[1] == 1 || k.Args[0] >= 260)
            << k.ToString().c_str();
    }
}

TEST_F(GridPintura, AnchoDeLineaCeroDejaLasCeldasJuntas) {
    g->SetGridLineWidth(0);
    Repintar();
    EXPECT_EQ(g->Pintada(1, 1)->rect, Rect(64, 24, 128, 48));
    EXPECT_EQ(g->Pintada(2, 1)->rect, Rect(128, 24, 192, 48));
    EXPECT_EQ(g->CellRect(1, 2), Rect(64, 48, 128, 72));
    EXPECT_EQ(g->MouseCoord(128, 48).X, 2);
    EXPECT_NE(g->GetCanvas()->GetPixels(128, 30), clSilver);
}

TEST_F(GridPintura, InvalidarUnaCeldaPintaSoloEsaCelda) {
    g->pintadas.clear();
    g->SetCells(2, 2, "nuevo");
    UpdateWindow(g->GetHandle());
    ASSERT_EQ(g->pintadas.size(), 1u);
    EXPECT_EQ(g->pintadas[0].col, 2);
    EXPECT_EQ(g->pintadas[0].row, 2);
    g->pintadas.clear();
    g->InvalidateRow(3);
    UpdateWindow(g->GetHandle());
    EXPECT_EQ(g->pintadas.size(), 4u);
    g->pintadas.clear();
    g->InvalidateCol(1);
    UpdateWindow(g->GetHandle());
    EXPECT_EQ(g->pintadas.size(), 4u);
    // A cell out of view invalidates nothing.
    g->pintadas.clear();
    g->InvalidateCell(1, 500);
    UpdateWindow(g->GetHandle());
    EXPECT_TRUE(g->pintadas.empty());
    // Redraw suspended: nothing painted until it is back on.
    g->Perform(WM_SETREDRAW, 0, 0);
    g->SetCells(1, 1, "oculto");
    UpdateWindow(g->GetHandle());
    Application->ProcessMessages();
    EXPECT_TRUE(g->pintadas.empty());
    g->Perform(WM_SETREDRAW, 1, 0);
    UpdateWindow(g->GetHandle());
    EXPECT_NE(g->Pintada(1, 1), nullptr);
}

// The grid's window is painted whole by the grid itself (cells, border, scroll bars and the
// corner between them), so nothing under it needs painting first: rendered over a colour
// the grid never uses, none of that colour is left.
TEST_F(GridPintura, LaRejillaPintaTodaSuVentana) {
    const QColor marca(255, 0, 255);
    for (bool barras : {false, true}) {
        g->SetBounds(0, 0, 330, 150);
        g->SetBorderStyle(barras ? bsSingle : bsNone);
        g->SetScrollBars(barras ? ssBoth : ssNone);
        Repintar();
        QWidget* w = g->GetWidget();
        ASSERT_TRUE(w->testAttribute(Qt::WA_OpaquePaintEvent));
        QImage imagen(w->size(), QImage::Format_RGB32);
        imagen.fill(marca);
        w->render(&imagen, QPoint(), QRegion(), QWidget::RenderFlags());
        int sinPintar = 0;
        for (int y = 0; y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width(); ++x)
                if (imagen.pixelColor(x, y) == marca) ++sinPintar;
        EXPECT_EQ(sinPintar, 0) << (barras ? "con barras" : "sin barras");
    }
}

TEST_F(GridPintura, Captura) {
    g->SetBounds(0, 0, 330, 150);
    g->SetBorderStyle(bsSingle);
    g->SetScrollBars(ssBoth);
    g->SetTopRow(3);
    g->SetColWidths(2, 100);
    g->SetRowHeights(2, 40);
    g->SetOptions(g->GetOptions() << goRangeSelect);
    g->SetSelection({1, 1, 2, 3});
    g->SetFocus();
    Repintar();
    const AnsiString ruta = SaveCapture(g, "grid_basica");
    EXPECT_FALSE(ruta.IsEmpty());
}

} // namespace
