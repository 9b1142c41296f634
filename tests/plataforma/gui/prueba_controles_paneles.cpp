// Panels, group boxes, bevels, splitters and hint windows: the client areas their frames
// leave, what they draw, dragging a splitter, and a hint shown inside the screen.

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/gui/widgets/hint_window.h"
#include "plataforma/gui/widgets/panels.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/screen.h"

#include <QWidget>

namespace {

class Paneles : public PruebaControles {};

TEST_F(Paneles, LosBisellesYElBordeEstrechanElAreaDeLosHijos) {
    auto* panel = new TPanel(ventana.get());
    panel->SetParent(ventana.get());
    panel->SetBounds(10, 10, 200, 100);
    auto* hijo = new TPanel(ventana.get());
    hijo->SetParent(panel);
    hijo->SetAlign(alClient);
    struct Caso {
        TPanelBevel exterior, interior;
        int ancho, borde, margen;
    } casos[] = {
        {bvRaised, bvNone, 1, 0, 1},
        {bvRaised, bvLowered, 1, 0, 2},
        {bvLowered, bvLowered, 2, 3, 7},
        {bvNone, bvNone, 1, 0, 0},
    };
    for (const Caso& c : casos) {
        panel->SetBevelOuter(c.exterior);
        panel->SetBevelInner(c.interior);
        panel->SetBevelWidth(c.ancho);
        panel->SetBorderWidth(c.borde);
        EXPECT_EQ(hijo->GetBoundsRect(), Rect(c.margen, c.margen, 200 - c.margen, 100 - c.margen))
            << c.exterior << c.interior << c.ancho << c.borde;
    }
    // The raised bevel: highlight at the top left, shadow at the bottom right.
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvNone);
    panel->SetBevelWidth(1);
    panel->SetBorderWidth(0);
    hijo->SetVisible(false);
    panel->SetCaption("Centro");
    QImage img = panel->GetWidget()->grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 50), ToQColor(clBtnHighlight));
    EXPECT_EQ(img.pixelColor(199, 50), ToQColor(clBtnShadow));
    EXPECT_EQ(img.pixelColor(5, 5), ToQColor(clBtnFace));
    // The caption is centred.
    int tinta = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 30; y < 70; ++y)
            if (qGray(img.pixel(x, y)) < 100) {
                ++tinta;
                EXPECT_GT(x, 60);
                EXPECT_LT(x, 140);
            }
    EXPECT_GT(tinta, 0);
}

TEST_F(Paneles, ElGrupoDejaSitioASuTituloYDaLaLetraAlPrimerControl) {
    auto* grupo = new TGroupBox(ventana.get());
    grupo->SetParent(ventana.get());
    grupo->SetBounds(10, 10, 200, 120);
    grupo->SetCaption("&Resultados");
    auto* hijo = new TPanel(ventana.get());
    hijo->SetParent(grupo);
    hijo->SetAlign(alClient);
    TRect r = hijo->GetBoundsRect();
    EXPECT_EQ(r.Left, 2);
    EXPECT_GT(r.Top, 10);
    EXPECT_EQ(r.Right, 198);
    auto* otro = new TControlPrueba(ventana.get(), ventana.get());
    otro->SetTabStop(true);
    auto* dentro = new TControlPrueba(ventana.get(), hijo);
    dentro->SetTabStop(true);
    otro->SetFocus();
    SimulateKeyStroke('R', {ssAlt});
    EXPECT_TRUE(dentro->Focused());
}

TEST_F(Paneles, LasFormasDelBisel) {
    auto* bisel = new TBevel(ventana.get());
    bisel->SetParent(ventana.get());
    bisel->SetBounds(10, 10, 40, 30);
    struct Caso {
        TBevelShape forma;
        TBevelStyle estilo;
        QPoint p;
        TColor color;
    } casos[] = {
        {bsBox, bsLowered, {0, 10}, clBtnShadow},
        {bsBox, bsLowered, {39, 10}, clBtnHighlight},
        {bsBox, bsRaised, {0, 10}, clBtnHighlight},
        {bsTopLine, bsLowered, {20, 0}, clBtnShadow},
        {bsTopLine, bsLowered, {20, 1}, clBtnHighlight},
        {bsBottomLine, bsRaised, {20, 29}, clBtnShadow},
        {bsLeftLine, bsLowered, {1, 15}, clBtnHighlight},
        {bsRightLine, bsLowered, {38, 15}, clBtnShadow},
    };
    for (const Caso& c : casos) {
        bisel->SetShape(c.forma);
        bisel->SetStyle(c.estilo);
        QImage img = ventana->GetWidget()->grab().toImage();
        EXPECT_EQ(img.pixelColor(QPoint(10, 10) + c.p), ToQColor(c.color)) << c.forma << c.estilo;
    }
}

TEST_F(Paneles, ElSeparadorRedimensionaElControlDeSuLado) {
    auto* izquierda = new TPanel(ventana.get());
    izquierda->SetParent(ventana.get());
    izquierda->SetWidth(100);
    izquierda->SetAlign(alLeft);
    auto* separador = new TSplitter(ventana.get());
    separador->SetParent(ventana.get());
    separador->SetLeft(200);
    separador->SetAlign(alLeft);
    auto* resto = new TPanel(ventana.get());
    resto->SetParent(ventana.get());
    resto->SetAlign(alClient);
    ASSERT_EQ(separador->GetLeft(), 100);
    EXPECT_EQ(separador->FindControl(), izquierda);

    int movidos = 0;
    separador->OnMoved = [&](TObject*) { ++movidos; };
    SimulateMouse(separador, SimulatedMouse::Down, 0, 1, 50);
    SimulateMouse(separador, SimulatedMouse::Move, 0, 41, 50);
    EXPECT_EQ(izquierda->GetWidth(), 140);
    EXPECT_EQ(separador->GetLeft(), 140);
    // The splitter moved with the panel: the same screen point is 1 in its coordinates.
    SimulateMouse(separador, SimulatedMouse::Move, 0, -200, 50);
    EXPECT_EQ(izquierda->GetWidth(), 30); // MinSize
    SimulateMouse(separador, SimulatedMouse::Up, 0, 500, 50);
    // At most what the other controls leave: the splitter's own width and MinSize.
    EXPECT_EQ(izquierda->GetWidth(), 400 - 3 - 30);
    EXPECT_EQ(movidos, 3);

    // OnCanResize may refuse or change the size.
    separador->OnCanResize = [](TObject*, int& nuevo, bool& aceptar) {
        if (nuevo > 200)
            aceptar = false;
        else
            nuevo = 77;
    };
    SimulateMouse(separador, SimulatedMouse::Down, 0, 1, 50);
    SimulateMouse(separador, SimulatedMouse::Move, 0, -200, 50);
    EXPECT_EQ(izquierda->GetWidth(), 77);
    SimulateMouse(separador, SimulatedMouse::Up, 0, 300, 50);
    EXPECT_EQ(izquierda->GetWidth(), 77);
}

TEST_F(Paneles, LaVentanaDeAyudaSeMuestraSinMarcoYDentroDeLaPantalla) {
    THintWindow hint(nullptr);
    TRect r = hint.CalcHintRect(300, "Una ayuda", nullptr);
    EXPECT_EQ(r.Left, 0);
    EXPECT_GT(r.Width(), 20);
    EXPECT_GT(r.Height(), 8);
    const int sw = Screen->GetWidth(), sh = Screen->GetHeight();
    hint.ActivateHint(OffsetRect(r, sw - 5, sh - 5), "Una ayuda");
    QWidget* w = hint.GetWidget();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isWindow());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(hint.GetLeft() + hint.GetWidth(), sw);
    EXPECT_EQ(hint.GetTop() + hint.GetHeight(), sh);
    EXPECT_EQ(w->geometry(), ToQRect(hint.GetBoundsRect()));
    EXPECT_EQ(hint.GetBorderWidth(), 1);
    EXPECT_EQ(hint.GetCaption(), "Una ayuda");
    hint.ReleaseHandle();
    EXPECT_FALSE(hint.HandleAllocated());

    // A pop-up with a parent still lies in screen coordinates.
    class Emergente : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;

    protected:
        void CreateParams(TCreateParams& p) override {
            TCustomControl::CreateParams(p);
            p.Style = WS_POPUP;
        }
    };
    auto* e = new Emergente(ventana.get());
    e->SetParent(ventana.get());
    e->SetBounds(500, 400, 50, 20);
    EXPECT_TRUE(e->GetWidget()->isWindow());
    EXPECT_EQ(e->GetWidget()->geometry(), QRect(500, 400, 50, 20));
    EXPECT_EQ(e->ClientToScreen({0, 0}), TPoint(500, 400));
}

} // namespace
