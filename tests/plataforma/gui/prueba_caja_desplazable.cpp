// The scroll box: bars only while its controls do not fit, the view moved by the bars, the
// wheel and the focus, the controls' bounds kept, and nothing of a control drawn over a bar.

#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/scroll_box.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CajaDesplazable : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        ventana->SetBounds(10, 10, 600, 500);
        caja = new TScrollBox(ventana.get());
        caja->SetParent(ventana.get());
        caja->SetBounds(0, 0, 500, 400);
        arriba = Campo(10, 10);
        abajo = Campo(10, 360);
        derecha = new TButton(ventana.get());
        derecha->SetParent(caja);
        derecha->SetBounds(400, 200, 75, 25);
        derecha->SetCaption("Aceptar");
        derecha->OnClick = [this](TObject*) { ++pulsado; };
    }
    void TearDown() override { ventana.reset(); }

    TEdit* Campo(int x, int y) {
        auto* campo = new TEdit(ventana.get());
        campo->SetParent(caja);
        campo->SetBounds(x, y, 120, 21);
        campo->SetTabStop(true);
        return campo;
    }
    int Posicion(int barra) { return GetScrollPos(caja->GetHandle(), barra); }
    // Where the control's window is in the box's window.
    static TPoint Mostrado(TControl* c) { return {c->GetWidget()->x(), c->GetWidget()->y()}; }

    std::unique_ptr<VentanaPrueba> ventana;
    TScrollBox* caja = nullptr;
    TEdit* arriba = nullptr;
    TEdit* abajo = nullptr;
    TButton* derecha = nullptr;
    int pulsado = 0;
};

// Las barras salen solo cuando los controles no caben, y se van cuando vuelven a caber.
TEST_F(CajaDesplazable, LasBarrasSalenSoloCuandoLosControlesNoCaben) {
    const int barra = GetSystemMetrics(SM_CXVSCROLL), alto = GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(caja->GetClientRect(), Rect(0, 0, 500, 400));
    struct Caso {
        int ancho, alto;
        int clienteAncho, clienteAlto;
    } casos[] = {
        {475, 381, 475, 381},                // justo cabe
        {600, 380, 600 - barra, 380},        // un píxel de menos de alto: vertical
        {474, 400, 474, 400 - alto},         // uno de menos de ancho: horizontal
        {474, 381, 474 - barra, 381 - alto}, // la horizontal quita sitio: también vertical
        {300, 200, 300 - barra, 200 - alto}, // las dos
        {600, 450, 600, 450},                // de nuevo todo
    };
    for (const Caso& c : casos) {
        caja->SetBounds(0, 0, c.ancho, c.alto);
        EXPECT_EQ(caja->GetClientRect(), Rect(0, 0, c.clienteAncho, c.clienteAlto))
            << c.ancho << "x" << c.alto;
    }
    // A hidden control counts for nothing.
    caja->SetBounds(0, 0, 300, 300);
    abajo->SetVisible(false);
    derecha->SetVisible(false);
    EXPECT_EQ(caja->GetClientRect(), Rect(0, 0, 300, 300));
    abajo->SetVisible(true);
    EXPECT_EQ(caja->GetClientRect(), Rect(0, 0, 300 - barra, 300));
    // So does a control that moves.
    abajo->SetTop(100);
    EXPECT_EQ(caja->GetClientRect(), Rect(0, 0, 300, 300));
}

// Las barras mueven la vista, no los controles: sus límites quedan, se ven desplazados, y un
// clic donde se ven llega a ellos.
TEST_F(CajaDesplazable, LasBarrasMuevenLaVistaYNoLosControles) {
    caja->SetBounds(0, 0, 300, 200);
    const TRect cliente = caja->GetClientRect();
    const int barra = GetSystemMetrics(SM_CXVSCROLL);
    // The down arrow of the vertical bar, then its page area below the thumb.
    SimulateClick(caja, cliente.Right + barra / 2, cliente.Bottom - barra / 2);
    EXPECT_EQ(Posicion(SB_VERT), 8);
    SimulateClick(caja, cliente.Right + barra / 2, cliente.Bottom - barra - 3);
    EXPECT_EQ(Posicion(SB_VERT), 8 + cliente.Height());
    SimulateClick(caja, cliente.Right + barra / 2, cliente.Bottom - barra - 3);
    const int fin = 381 - cliente.Height();
    EXPECT_EQ(Posicion(SB_VERT), fin);
    EXPECT_EQ(caja->ChildScrollOffset(), (TPoint{0, fin}));
    EXPECT_EQ(abajo->GetBoundsRect(), Rect(10, 360, 130, 381));
    EXPECT_EQ(Mostrado(abajo), (TPoint{10, 360 - fin}));
    EXPECT_EQ(Mostrado(arriba), (TPoint{10, 10 - fin}));
    const int borde = abajo->GetBorderWidth();
    EXPECT_EQ(abajo->ClientToScreen({0, 0}), caja->ClientToScreen({10 + borde, 360 - fin + borde}));

    // The horizontal bar to its end: the button is in view where a click reaches it.
    SimulateClick(caja, cliente.Right - barra / 2, cliente.Bottom + barra / 2);
    SimulateClick(caja, cliente.Right - barra - 3, cliente.Bottom + barra / 2);
    SimulateClick(caja, cliente.Right - barra - 3, cliente.Bottom + barra / 2);
    EXPECT_EQ(Posicion(SB_HORZ), 475 - cliente.Width());
    const TPoint boton = Mostrado(derecha);
    EXPECT_EQ(boton, (TPoint{400 - (475 - cliente.Width()), 200 - fin}));
    EXPECT_EQ(derecha->GetLeft(), 400);
    SimulateScreenClick(caja, boton.x + 10, boton.y + 10);
    EXPECT_EQ(pulsado, 1);
    EXPECT_EQ(caja->ControlAtPos({boton.x + 10, boton.y + 10}, false, true), derecha);

    // A control put in the box now stands where its bounds say in the contents.
    TEdit* nuevo = Campo(200, 300);
    EXPECT_EQ(Mostrado(nuevo), (TPoint{200 - Posicion(SB_HORZ), 300 - fin}));
    // Growing the box brings the view back.
    caja->SetBounds(0, 0, 600, 450);
    EXPECT_EQ(caja->ChildScrollOffset(), (TPoint{0, 0}));
    EXPECT_EQ(Mostrado(abajo), (TPoint{10, 360}));
}

// La rueda desplaza la vista mientras hay barra vertical.
TEST_F(CajaDesplazable, LaRuedaDesplazaLaVista) {
    caja->SetBounds(0, 0, 500, 200);
    UINT lineas = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lineas, 0);
    SimulateWheel(caja, -120, 200, 100);
    EXPECT_EQ(Posicion(SB_VERT), static_cast<int>(lineas) * 8);
    SimulateWheel(caja, 240, 200, 100);
    EXPECT_EQ(Posicion(SB_VERT), 0);
}

// Tab hasta un control fuera de la vista lo trae a la vista, y Mayúsculas+Tab de vuelta.
TEST_F(CajaDesplazable, ElFocoTraeAlControlALaVista) {
    caja->SetBounds(0, 0, 300, 200);
    arriba->SetFocus();
    SimulateKeyStroke(VK_TAB);
    ASSERT_TRUE(abajo->Focused());
    const TRect cliente = caja->GetClientRect();
    EXPECT_EQ(Posicion(SB_VERT), 381 - cliente.Height());
    EXPECT_EQ(Mostrado(abajo).y + 21, cliente.Bottom);
    SimulateKeyStroke(VK_TAB, {ssShift});
    ASSERT_TRUE(arriba->Focused());
    EXPECT_EQ(Posicion(SB_VERT), 10);
    EXPECT_EQ(Mostrado(arriba).y, 0);
    // A control inside a panel of the box counts where the panel puts it.
    auto* panel = new TScrollBox(ventana.get());
    panel->SetParent(caja);
    panel->SetBounds(150, 250, 100, 100);
    auto* dentro = new TEdit(ventana.get());
    dentro->SetParent(panel);
    dentro->SetBounds(5, 70, 60, 21);
    dentro->SetFocus();
    EXPECT_EQ(Posicion(SB_VERT), 250 + 91 - cliente.Height());
}

// Lo que de un control queda bajo una barra no se pinta encima de ella, ni recibe clics.
TEST_F(CajaDesplazable, UnControlBajoLaBarraNoLaTapa) {
    auto* etiqueta = new TLabel(ventana.get());
    etiqueta->SetParent(caja);
    etiqueta->SetAutoSize(false);
    etiqueta->SetBounds(0, 150, 300, 60);
    etiqueta->SetColor(clRed);
    etiqueta->SetTransparent(false);
    caja->SetBounds(0, 0, 280, 200);
    const TRect cliente = caja->GetClientRect();
    ASSERT_LT(cliente.Right, 280);
    ASSERT_LT(cliente.Bottom, 200);
    const AnsiString ruta = SaveCapture(ventana.get(), "caja_desplazable_barras");
    ASSERT_FALSE(ruta.IsEmpty());
    QImage img = caja->GetWidget()->grab().toImage();
    // Red inside the client area, none over the vertical bar.
    EXPECT_EQ(img.pixelColor(cliente.Right - 5, 170), QColor(Qt::red));
    for (int x = cliente.Right; x < 280; ++x)
        EXPECT_NE(img.pixelColor(x, 170), QColor(Qt::red)) << x;
    // The bar takes the click that the label would have taken.
    SimulateClick(caja, cliente.Right + 5, cliente.Bottom - 5);
    EXPECT_EQ(Posicion(SB_VERT), 8);
    // A control wholly under the bar shows nothing at all.
    auto* bajo = new TLabel(ventana.get());
    bajo->SetParent(caja);
    bajo->SetAutoSize(false);
    bajo->SetColor(clRed);
    bajo->SetTransparent(false);
    bajo->SetBounds(cliente.Right + 8, 30, 6, 40);
    QImage otra = caja->GetWidget()->grab().toImage();
    for (int y = 30 - 8; y < 70 - 8; ++y)
        for (int x = cliente.Right; x < 280; ++x)
            ASSERT_NE(otra.pixelColor(x, y), QColor(Qt::red)) << x << "," << y;
}

} // namespace
