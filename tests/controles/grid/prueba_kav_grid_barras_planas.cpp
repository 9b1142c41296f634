// The grid's scroll bars: the regular bars drawn as they always were, the flat ones in the
// grid's colour and width, scrolling through either, and the thumb dragged with its hints.

#include "controles/grid/kav_grid.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/flat_scroll_bars.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/hint_window.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The window's pixels outside its client area; the client area black.
QImage FueraDelCliente(TWinControl* c) {
    QImage img = c->GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    const int b = c->GetBorderWidth();
    p.fillRect(b, b, c->GetClientWidth(), c->GetClientHeight(), Qt::black);
    return img;
}

QString Referencia(const char* nombre) {
    return QString(QUENBAR_DATOS_PRUEBA) + "/barras/" + nombre + ".png";
}

class BarrasRejilla : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        ventana->SetBounds(10, 10, 360, 260);
        g = new Rejilla(ventana.get(), ventana.get());
        g->SetBorderStyle(bsSingle);
        g->SetScrollBars(ssBoth);
        g->SetBounds(10, 10, 300, 200);
        g->SetColCount(12);
        g->SetRowCount(40);
        for (int r = 1; r < 40; ++r)
            g->SetCells(1, r, "Fila " + AnsiString(r));
        ventana->Show();
        Application->ProcessMessages();
    }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

// Compared with a capture of the bars made before the flat bars existed.
void ComoAntes(Rejilla* g) {
    g->SetTopRow(5);
    g->SetLeftCol(3);
    Application->ProcessMessages();
    const QImage ahora = FueraDelCliente(g);
    const QString salida = QString(CaptureFolder().c_str()) + "/rejilla_barras_regulares.png";
    QDir().mkpath(QString(CaptureFolder().c_str()));
    ahora.save(salida);
    QImage antes(Referencia("rejilla_regulares"));
    ASSERT_FALSE(antes.isNull()) << salida.toStdString();
    EXPECT_EQ(ahora, antes.convertToFormat(QImage::Format_RGB32)) << salida.toStdString();
}

TColor PixelDe(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return static_cast<TColor>(RGB(qRed(p), qGreen(p), qBlue(p)));
}

int Propiedad(HWND h, int prop) {
    int v = -1;
    EXPECT_TRUE(FlatSB_GetScrollProp(h, prop, &v)) << prop;
    return v;
}

TEST_F(BarrasRejilla, LasBarrasRegularesSePintanComoAntes) {
    ComoAntes(g);
}

// ScrollType, ScrollColor and ScrollWidth reach the window's bars; back to ssNormal the
// bars are the classic ones again.
TEST_F(BarrasRejilla, TipoColorYAnchoLleganALasBarras) {
    HWND h = g->GetHandle();
    const int cliente = g->GetClientWidth(), sistema = g->GetScrollWidth();
    g->SetScrollColor(clLime);
    g->SetScrollWidth(24);
    int v = 0;
    EXPECT_FALSE(FlatSB_GetScrollProp(h, WSB_PROP_VSTYLE, &v));
    EXPECT_EQ(g->GetClientWidth(), cliente);
    const struct {
        TScrollType tipo;
        int modo;
    } casos[] = {{ssFlat, FSB_FLAT_MODE}, {ssEncarta, FSB_ENCARTA_MODE}};
    for (const auto& c : casos) {
        g->SetScrollType(c.tipo);
        EXPECT_TRUE(g->GetFlatInit());
        EXPECT_EQ(Propiedad(h, WSB_PROP_VSTYLE), c.modo);
        EXPECT_EQ(Propiedad(h, WSB_PROP_HSTYLE), c.modo);
        EXPECT_EQ(Propiedad(h, WSB_PROP_VBKGCOLOR), clLime);
        EXPECT_EQ(Propiedad(h, WSB_PROP_HBKGCOLOR), clLime);
        EXPECT_EQ(Propiedad(h, WSB_PROP_CXVSCROLL), 24);
        EXPECT_EQ(Propiedad(h, WSB_PROP_CYHSCROLL), 24);
        EXPECT_EQ(g->GetClientWidth(), cliente + sistema - 24);
    }
    // A copy of the grid takes the look.
    auto* copia = new Rejilla(ventana.get(), ventana.get());
    copia->SetScrollBars(ssBoth);
    copia->Assign(g);
    EXPECT_EQ(Propiedad(copia->GetHandle(), WSB_PROP_HSTYLE), FSB_ENCARTA_MODE);
    EXPECT_EQ(Propiedad(copia->GetHandle(), WSB_PROP_VBKGCOLOR), clLime);
    EXPECT_EQ(Propiedad(copia->GetHandle(), WSB_PROP_CYHSCROLL), 24);
    g->SetScrollWidth(30);
    g->SetScrollColor(clYellow);
    EXPECT_EQ(Propiedad(h, WSB_PROP_CXVSCROLL), 30);
    EXPECT_EQ(Propiedad(h, WSB_PROP_HBKGCOLOR), clYellow);
    EXPECT_EQ(g->GetClientHeight() + 30, 200 - 2 * g->GetBorderWidth());
    // "Not set" leaves the colour as it was.
    g->SetScrollColor(clNone);
    EXPECT_EQ(Propiedad(h, WSB_PROP_VBKGCOLOR), clYellow);
    g->SetScrollType(ssNormal);
    EXPECT_FALSE(g->GetFlatInit());
    EXPECT_FALSE(FlatSB_GetScrollProp(h, WSB_PROP_VSTYLE, &v));
    EXPECT_EQ(g->GetClientWidth(), cliente);
    ComoAntes(g);
    // Flat bars finished when proportional scrolling goes off in the regular type.
    g->FlatInit();
    ASSERT_TRUE(g->GetFlatInit());
    g->SetScrollProportional(false);
    EXPECT_FALSE(g->GetFlatInit());
    g->SetScrollBarsEx(ssVertical);
    EXPECT_EQ(g->GetScrollBars(), ssVertical);
    EXPECT_EQ(g->GetScrollBarsEx(), ssVertical);
}

// The capture shows both bars flat, 24 pixels thick, their tracks in the colour.
TEST_F(BarrasRejilla, LasBarrasPlanasSePintanEnElColorYElAncho) {
    g->SetScrollType(ssFlat);
    g->SetScrollColor(clLime);
    g->SetScrollWidth(24);
    g->SetTopRow(5);
    g->SetLeftCol(3);
    Application->ProcessMessages();
    const AnsiString ruta = SaveCapture(ventana.get(), "rejilla_barras_planas");
    EXPECT_FALSE(ruta.IsEmpty());
    const QImage img = g->GetWidget()->grab().toImage();
    const int b = g->GetBorderWidth(), w = g->GetWidth(), h = g->GetHeight();
    const int flecha = 16;
    // Vertical bar: x w-b-24 .. w-b-1, above the horizontal one.
    EXPECT_NE(PixelDe(img, w - b - 25, 100), clLime);
    EXPECT_EQ(PixelDe(img, w - b - 24, b), ColorToRGB(clBtnShadow)); // the arrow's flat frame
    EXPECT_EQ(PixelDe(img, w - b - 1, b + flecha - 1), ColorToRGB(clBtnShadow));
    for (int x : {w - b - 24, w - b - 12, w - b - 1})
        EXPECT_EQ(PixelDe(img, x, b + flecha + 1), clLime) << x; // the track above the thumb
    EXPECT_EQ(PixelDe(img, w - b - 12, h - b - 24 - flecha - 1), clLime); // and below it
    // Horizontal bar: y h-b-24 .. h-b-1.
    EXPECT_NE(PixelDe(img, 100, h - b - 25), clLime);
    for (int y : {h - b - 24, h - b - 12, h - b - 1})
        EXPECT_EQ(PixelDe(img, b + flecha + 1, y), clLime) << y;
    // The corner between them.
    EXPECT_EQ(PixelDe(img, w - b - 12, h - b - 12), ColorToRGB(clBtnFace));
}

// Arrows, page areas and the thumb of the flat bars move the grid, and the bar follows it.
TEST_F(BarrasRejilla, SeDesplazaConLasBarrasPlanas) {
    g->SetScrollType(ssFlat);
    g->SetScrollWidth(24);
    Application->ProcessMessages();
    HWND h = g->GetHandle();
    // Client coordinates of the vertical bar: it starts where the client area ends.
    const int x = g->GetClientWidth() + 3;
    const int alto = g->GetClientHeight();
    ASSERT_EQ(g->GetTopRow(), 1);
    // The grid spreads its rows over the positions 0..127.
    SimulateClick(g, x, alto - 5); // the down arrow
    EXPECT_EQ(g->GetTopRow(), 2);
    const int unaFila = FlatSB_GetScrollPos(h, SB_VERT);
    EXPECT_GT(unaFila, 0);
    SimulateClick(g, x, 5); // the up arrow
    EXPECT_EQ(g->GetTopRow(), 1);
    EXPECT_EQ(FlatSB_GetScrollPos(h, SB_VERT), 0);
    SimulateClick(g, x, alto - 20); // the page area below the thumb
    EXPECT_EQ(g->GetTopRow(), 1 + g->GetVisibleRowCount());
    EXPECT_GT(FlatSB_GetScrollPos(h, SB_VERT), unaFila);
    // The thumb dragged to the end shows the last rows.
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(FlatSB_GetScrollInfo(h, SB_VERT, &si));
    const int pulgar = 16 + (alto - 32 - 8) * (si.nPos - si.nMin) / std::max(1, si.nMax - si.nMin);
    SimulateMouse(g, SimulatedMouse::Down, 0, x + 8, pulgar + 4);
    SimulateMouse(g, SimulatedMouse::Move, 0, x + 8, alto + 100);
    SimulateMouse(g, SimulatedMouse::Up, 0, x + 8, alto + 100);
    EXPECT_EQ(g->GetTopRow() + g->GetVisibleRowCount(), g->GetRowCount());
    // Proportional: positions 0..127 span the rows, and the thumb's page follows.
    g->SetScrollProportional(true);
    g->SetTopRow(1);
    ASSERT_TRUE(FlatSB_GetScrollInfo(h, SB_VERT, &si));
    EXPECT_EQ(si.nPos, 0);
    EXPECT_EQ(static_cast<int>(si.nPage), si.nMax - 126);
    g->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_TRUE(FlatSB_GetScrollInfo(h, SB_VERT, &si));
    EXPECT_EQ(si.nPos, 127);
    EXPECT_EQ(g->GetTopRow() + g->GetVisibleRowCount(), g->GetRowCount());
}

// Flat bars come and go with what fits, only for the bars ScrollBars includes.
TEST_F(BarrasRejilla, LasBarrasPlanasSiguenLoQueCabe) {
    g->SetScrollType(ssFlat);
    auto vertical = [&] { return g->GetClientWidth() < g->GetWidth() - 2 * g->GetBorderWidth(); };
    auto horizontal = [&] {
        return g->GetClientHeight() < g->GetHeight() - 2 * g->GetBorderWidth();
    };
    EXPECT_TRUE(vertical());
    EXPECT_TRUE(horizontal());
    g->SetRowCount(3);
    EXPECT_FALSE(vertical());
    g->SetRowCount(40);
    EXPECT_TRUE(vertical());
    g->SetBounds(10, 10, 300, 2000); // every row fits
    Application->ProcessMessages();
    EXPECT_FALSE(vertical());
    g->SetBounds(10, 10, 300, 200);
    Application->ProcessMessages();
    EXPECT_TRUE(vertical());
    // Columns overflow, but ScrollBars has no horizontal bar.
    g->SetScrollBars(ssVertical);
    g->SetScrollType(ssEncarta);
    EXPECT_FALSE(horizontal());
    g->SetBounds(10, 10, 250, 200);
    Application->ProcessMessages();
    EXPECT_FALSE(horizontal());
    EXPECT_TRUE(vertical());
}

// A grid whose last column stretches skips the string grid's own sizing: the bars still
// follow what fits after each new size, and a shown bar scrolls.
TEST_F(BarrasRejilla, ConColumnaEstiradaLasBarrasSiguenLoQueCabe) {
    auto vertical = [&] { return g->GetClientWidth() < g->GetWidth() - 2 * g->GetBorderWidth(); };
    auto horizontal = [&] {
        return g->GetClientHeight() < g->GetHeight() - 2 * g->GetBorderWidth();
    };
    g->SetColCount(3);
    g->GetColumnSize()->SetStretch(true);
    struct Paso {
        const char* que;
        TScrollStyle barras;
        int ancho, alto;
        int col0, col1; // 0: as they are
        bool v, h;
    };
    const Paso pasos[] = {
        {"every row fits", ssBoth, 300, 2000, 0, 0, false, false},
        {"back to 200: the rows overflow", ssBoth, 300, 200, 0, 0, true, false},
        {"taller again", ssBoth, 300, 2000, 0, 0, false, false},
        {"wide, two wide columns", ssBoth, 600, 200, 140, 145, true, false},
        {"narrower than the other columns with the bar", ssBoth, 300, 200, 0, 0, true, true},
        {"wide again", ssBoth, 600, 200, 0, 0, true, false},
        {"no vertical bar wanted", ssHorizontal, 600, 2000, 0, 0, false, false},
        {"rows overflow, no vertical bar wanted", ssHorizontal, 600, 200, 0, 0, false, false},
        {"no horizontal bar wanted", ssVertical, 300, 2000, 0, 0, false, false},
        {"columns overflow, no horizontal bar wanted", ssVertical, 300, 200, 0, 0, true, false},
    };
    for (const Paso& p : pasos) {
        SCOPED_TRACE(p.que);
        g->SetScrollBars(p.barras);
        if (p.col0 > 0) {
            g->SetColWidths(0, p.col0);
            g->SetColWidths(1, p.col1);
        }
        g->SetBounds(10, 10, p.ancho, p.alto);
        Application->ProcessMessages();
        EXPECT_EQ(vertical(), p.v);
        EXPECT_EQ(horizontal(), p.h);
        if (!p.v) EXPECT_EQ(g->GetTopRow(), 1); // every row in view, none scrolled away
        if (g->GetColWidths(0) + g->GetColWidths(1) < g->GetClientWidth())
            EXPECT_EQ(g->GetColWidths(0) + g->GetColWidths(1) + g->GetColWidths(2),
                      g->GetClientWidth() - 1);
        if (p.v) {
            // The bar scrolls: a page down moves the top row, and the thumb follows.
            g->SetTopRow(1);
            g->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
            EXPECT_GT(g->GetTopRow(), 1);
            EXPECT_GT(GetScrollPos(g->GetHandle(), SB_VERT), 0);
        }
    }
}

// The hint windows on the screen: their texts.
std::vector<std::string> PistasVisibles() {
    std::vector<std::string> v;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = dynamic_cast<THintWindow*>(ControlOfWidget(w)); h && w->isVisible())
            v.push_back(h->GetCaption().str());
    return v;
}

// The thumb of a bar dragged with the mouse: the hint names the row (column) that will come
// to the top (left) on the way, and the grid lands on the last one named; with ScrollSynch the
// grid follows the thumb as it goes. An Encarta bar raises the part under the pointer.
TEST_F(BarrasRejilla, ElPulgarArrastradoAnunciaLaFilaDondeQuedaraLaRejilla) {
    g->SetScrollType(ssEncarta);
    g->SetScrollHints(shBoth);
    Application->ProcessMessages();
    std::vector<int> anunciadas;
    g->OnScrollHint = [&](TObject*, int fila, AnsiString& texto) {
        anunciadas.push_back(fila);
        texto = "Hasta " + texto;
    };
    const int b = g->GetBorderWidth(), cw = g->GetClientWidth(), ch = g->GetClientHeight();
    const int flecha = 16; // the arrows; the thumb, without a page, as long, and longer with one
    struct Caso {
        const char* barra;
        bool vertical, sincronia, proporcional;
    } casos[] = {{"vertical", true, false, false},
                 {"vertical con ScrollSynch", true, true, false},
                 {"horizontal", false, false, false},
                 {"vertical proporcional", true, false, true},
                 {"horizontal proporcional con ScrollSynch", false, true, true}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.barra);
        g->SetScrollSynch(c.sincronia);
        g->SetScrollProportional(c.proporcional);
        g->SetTopRow(1);
        g->SetLeftCol(1);
        anunciadas.clear();
        auto primera = [&] { return c.vertical ? g->GetTopRow() : g->GetLeftCol(); };
        // Client points along the bar; the thumb starts right after the first arrow.
        const int largo = c.vertical ? ch : cw;
        auto punto = [&](int a) { return c.vertical ? TPoint(cw + 8, a) : TPoint(a, ch + 8); };
        const TPoint agarre = punto(flecha + flecha / 2);
        SimulateMouse(g, SimulatedMouse::Down, 0, agarre.x, agarre.y);
        for (int paso : {1, 2, 3}) {
            const TPoint p = punto(flecha + flecha / 2 + paso * (largo - 3 * flecha) / 4);
            SimulateMouse(g, SimulatedMouse::Move, 0, p.x, p.y);
            ASSERT_EQ(anunciadas.size(), static_cast<size_t>(paso));
            const std::string texto = std::string("Hasta ") + (c.vertical ? "Row : " : "Col : ") +
                                      std::to_string(anunciadas.back());
            EXPECT_EQ(PistasVisibles(), std::vector<std::string>{texto});
            EXPECT_EQ(primera(), c.sincronia ? anunciadas.back() : 1);
        }
        EXPECT_LT(anunciadas[0], anunciadas[1]);
        EXPECT_LT(anunciadas[1], anunciadas[2]);
        const TPoint fin = punto(flecha + flecha / 2 + 3 * (largo - 3 * flecha) / 4);
        SimulateMouse(g, SimulatedMouse::Up, 0, fin.x, fin.y);
        EXPECT_EQ(primera(), anunciadas.back());
        EXPECT_TRUE(PistasVisibles().empty());
    }
    g->SetScrollProportional(false);
    // The down arrow of the vertical bar raised under the pointer, flat again off the bar.
    const QImage antes = g->GetWidget()->grab().toImage();
    const int x = b + cw, y = b + ch - 3;
    EXPECT_EQ(PixelDe(antes, x, y), ColorToRGB(clBtnShadow));
    SimulateMouse(g, SimulatedMouse::Move, 0, cw + 8, ch - 5);
    EXPECT_EQ(PixelDe(g->GetWidget()->grab().toImage(), x, y), ColorToRGB(clBtnHighlight));
    SimulateMouse(g, SimulatedMouse::Move, 0, 50, 50);
    EXPECT_EQ(PixelDe(g->GetWidget()->grab().toImage(), x, y), ColorToRGB(clBtnShadow));
    // Leaving the grid straight from the arrow flattens it too.
    SimulateMouse(g, SimulatedMouse::Move, 0, cw + 8, ch - 5);
    SimulateMouseLeave(g);
    EXPECT_EQ(PixelDe(g->GetWidget()->grab().toImage(), x, y), ColorToRGB(clBtnShadow));
}

} // namespace
