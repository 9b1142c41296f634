// Lifetime and layout: parents and owners destroy what they hold, windows come and go with
// their parents, the align pass, and the mouse messages.

#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/timers.h"

#include <gtest/gtest.h>

namespace {

TEST(Vida, ElPadreDestruyeASusHijosYElDuenoLoQuePosee) {
    auto ventana = std::make_unique<VentanaPrueba>();
    auto* dueno = new TComponent(ventana.get());
    // Owned by one, placed in the other.
    auto* hijo = new TControlPrueba(dueno, ventana.get());
    auto* nieto = new TControlPrueba(ventana.get(), hijo);
    auto vivoHijo = hijo->Watch(), vivoNieto = nieto->Watch();
    HWND h = nieto->GetHandle();
    ASSERT_EQ(dueno->GetComponentCount(), 1);

    delete hijo; // leaves its owner's list and its parent's, and takes its child with it
    EXPECT_TRUE(vivoNieto.expired());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(dueno->GetComponentCount(), 0);
    EXPECT_EQ(ventana->GetControlCount(), 0);

    auto* otro = new TControlPrueba(dueno, ventana.get());
    auto vivoOtro = otro->Watch();
    delete dueno; // the owner takes it out of the window
    EXPECT_TRUE(vivoOtro.expired());
    EXPECT_EQ(ventana->GetControlCount(), 0);
    EXPECT_TRUE(vivoHijo.expired());
}

TEST(Vida, CambiarDePadreRehaceLaVentana) {
    VentanaPrueba a, b;
    auto* c = new TControlPrueba(&a, &a);
    HWND antes = c->GetHandle();
    c->SetParent(&b);
    EXPECT_FALSE(IsWindow(antes));
    EXPECT_EQ(a.GetControlCount(), 0);
    ASSERT_EQ(b.GetControlCount(), 1);
    EXPECT_TRUE(IsWindow(c->GetHandle()));
    EXPECT_THROW(b.SetParent(c), EInvalidOperation);
    c->SetParent(nullptr);
    EXPECT_FALSE(c->HandleAllocated() && c->GetParent());
}

TEST(Vida, CiclosDeCrearCerrarYDestruir) {
    for (int i = 0; i < 25; ++i) {
        auto* ventana = new VentanaPrueba;
        ventana->SetText("Ventana");
        auto* panel = new TControlPrueba(ventana, ventana);
        panel->SetAlign(alClient);
        std::vector<HWND> handles;
        for (int j = 0; j < 4; ++j) {
            auto* c = new TControlPrueba(ventana, panel);
            c->SetTabStop(true);
            c->SetTop(j * 30);
            handles.push_back(c->GetHandle());
            SetTimer(c->GetHandle(), 111, 10, nullptr);
            PostMessage(c->GetHandle(), WM_USER, 0, 0);
        }
        auto* primero = static_cast<TWinControl*>(panel->GetControls(0));
        primero->SetFocus();
        SimulateKeyStroke(VK_TAB);
        SimulateClick(panel->GetControls(2), 3, 3);
        ventana->Perform(WM_CLOSE, 0, 0);
        EXPECT_FALSE(ventana->GetVisible());
        if (i % 3 == 0) {
            ventana->Release();
        } else if (i % 3 == 1) {
            delete panel->GetControls(1);
            delete ventana;
        } else {
            delete ventana;
        }
        Application->ProcessMessages();
        for (HWND h : handles)
            EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(GetFocus(), nullptr);
    }
}

TEST(Alineacion, LosHijosAlineadosOcupanLosBordesEnOrden) {
    VentanaPrueba v; // client 400 x 300
    auto nuevo = [&](TAlign a, int w, int h) {
        auto* c = new TControlPrueba(&v, &v);
        c->SetBounds(0, 0, w, h);
        c->SetAlign(a);
        return c;
    };
    auto* arriba = nuevo(alTop, 10, 50);
    auto* abajo = nuevo(alBottom, 10, 20);
    auto* izquierda = nuevo(alLeft, 30, 10);
    auto* derecha = nuevo(alRight, 40, 10);
    auto* resto = nuevo(alClient, 1, 1);
    auto* arriba2 = nuevo(alTop, 10, 25); // below the first one: it was placed lower
    arriba2->SetTop(60);
    EXPECT_EQ(arriba->GetBoundsRect(), Rect(0, 0, 400, 50));
    EXPECT_EQ(arriba2->GetBoundsRect(), Rect(0, 50, 400, 75));
    EXPECT_EQ(abajo->GetBoundsRect(), Rect(0, 280, 400, 300));
    EXPECT_EQ(izquierda->GetBoundsRect(), Rect(0, 75, 30, 280));
    EXPECT_EQ(derecha->GetBoundsRect(), Rect(360, 75, 400, 280));
    EXPECT_EQ(resto->GetBoundsRect(), Rect(30, 75, 360, 280));

    int redimensiones = 0;
    resto->OnResize = [&](TObject*) { ++redimensiones; };
    v.SetBounds(10, 10, 500, 300);
    EXPECT_EQ(resto->GetBoundsRect(), Rect(30, 75, 460, 280));
    EXPECT_EQ(redimensiones, 1);
    abajo->SetVisible(false);
    EXPECT_EQ(resto->GetBoundsRect(), Rect(30, 75, 460, 300));
    delete arriba;
    EXPECT_EQ(arriba2->GetBoundsRect(), Rect(0, 0, 500, 25));
}

// A control with a sunken border: client coordinates start inside it.
class TConBorde : public TControlPrueba {
public:
    using TControlPrueba::TControlPrueba;

protected:
    void CreateParams(TCreateParams& p) override {
        TControlPrueba::CreateParams(p);
        p.ExStyle |= WS_EX_CLIENTEDGE;
    }
};

TEST(Raton, BotonesMovimientoYRuedaConCoordenadasDeClienteYBanderas) {
    VentanaPrueba v;
    // Placed once made, so that its own CreateParams makes the window.
    auto* c = new TConBorde(&v);
    c->SetParent(&v);
    c->SetBounds(20, 20, 104, 44);
    EXPECT_EQ(c->GetClientRect(), Rect(0, 0, 100, 40));
    EXPECT_EQ(c->ClientToScreen(Point(0, 0)).x, v.ClientToScreen(Point(22, 22)).x);
    int clics = 0, dobles = 0;
    std::vector<TShiftState> bajadas;
    c->OnClick = [&](TObject*) { ++clics; };
    c->OnDblClick = [&](TObject*) { ++dobles; };
    c->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int, int) { bajadas.push_back(s); };
    Registro().clear();
    SimulateMouse(c, SimulatedMouse::Down, 0, 0, 0, {ssShift});
    EXPECT_TRUE(c->GetMouseCapture());
    EXPECT_EQ(GetCapture(), c->GetHandle());
    SimulateMouse(c, SimulatedMouse::Up, 0, 0, 0);
    EXPECT_FALSE(c->GetMouseCapture());
    auto down = c->De(WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(down[0].lParam, PointToLParam(0, 0));
    EXPECT_EQ(clics, 1);
    ASSERT_EQ(bajadas.size(), 1u);
    EXPECT_TRUE(bajadas[0].Contains(ssShift));
    EXPECT_TRUE(bajadas[0].Contains(ssLeft));

    // Released outside: no click.
    SimulateMouse(c, SimulatedMouse::Down, 0, 5, 5);
    SimulateMouse(c, SimulatedMouse::Up, 0, 150, 5);
    EXPECT_EQ(clics, 1);
    // Double click: down, up, double click, up.
    SimulateClick(c, 5, 5);
    SimulateMouse(c, SimulatedMouse::DoubleClick, 0, 5, 5);
    SimulateMouse(c, SimulatedMouse::Up, 0, 5, 5);
    EXPECT_EQ(dobles, 1);
    EXPECT_EQ(c->De(WM_LBUTTONDBLCLK).size(), 1u);
    EXPECT_EQ(bajadas.back(), (TShiftState{ssLeft, ssDouble}));

    SimulateMouse(c, SimulatedMouse::Down, 1, 7, 8);
    SimulateMouse(c, SimulatedMouse::Up, 1, 7, 8);
    EXPECT_EQ(c->De(WM_RBUTTONDOWN).size(), 1u);
    SimulateMouse(c, SimulatedMouse::Move, 0, 9, 10);
    ASSERT_FALSE(c->De(WM_MOUSEMOVE).empty());
    EXPECT_EQ(c->De(WM_MOUSEMOVE).back().lParam, PointToLParam(9, 10));
    EXPECT_FALSE(c->De(WM_SETCURSOR).empty());
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p, c->ClientToScreen(Point(9, 10)));
    EXPECT_EQ(WindowFromPoint(p), c->GetHandle());

    int delta = 0;
    c->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& handled) {
        delta = d;
        handled = true;
    };
    SimulateWheel(c, -120, 5, 5);
    EXPECT_EQ(delta, -120);
    auto rueda = c->De(WM_MOUSEWHEEL);
    ASSERT_EQ(rueda.size(), 1u);
    EXPECT_EQ(static_cast<SHORT>(HIWORD(rueda[0].wParam)), -120);

    SimulateMouseEnter(c);
    SimulateMouseLeave(c);
    ASSERT_EQ(c->De(CM_MOUSEENTER).size(), 1u);
    EXPECT_EQ(c->De(CM_MOUSEENTER)[0].lParam, reinterpret_cast<LPARAM>(c));
    EXPECT_EQ(c->De(CM_MOUSELEAVE).size(), 1u);
}

TEST(Raton, LaRuedaQueNadieUsaSubeAlPadre) {
    VentanaPrueba v;
    auto* c = new TControlPrueba(&v, &v);
    int enPadre = 0;
    v.OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& handled) {
        ++enPadre;
        handled = true;
    };
    SimulateWheel(c, 120, 1, 1);
    EXPECT_EQ(enPadre, 1);
}

TEST(Raton, SinDobleClicElSegundoClicEsOtraPulsacion) {
    VentanaPrueba v;
    auto* c = new TControlPrueba(&v, &v);
    auto estilo = c->GetControlStyle();
    c->SetControlStyle(estilo >> csDoubleClicks);
    int dobles = 0;
    std::vector<TShiftState> bajadas;
    c->OnDblClick = [&](TObject*) { ++dobles; };
    c->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int, int) { bajadas.push_back(s); };
    SimulateMouse(c, SimulatedMouse::DoubleClick, 0, 1, 1);
    SimulateMouse(c, SimulatedMouse::Up, 0, 1, 1);
    EXPECT_EQ(dobles, 0);
    ASSERT_EQ(bajadas.size(), 1u);
    EXPECT_FALSE(bajadas[0].Contains(ssDouble));
}

TEST(Ventana, ElTextoElTamanoYLaPintura) {
    VentanaPrueba v;
    auto* c = new TControlPrueba(&v, &v);
    Registro().clear();
    c->SetText("Información");
    EXPECT_EQ(c->GetText(), AnsiString("Información"));
    EXPECT_EQ(c->De(CM_TEXTCHANGED).size(), 1u);
    c->SetText("Información"); // unchanged: no notification
    EXPECT_EQ(c->De(CM_TEXTCHANGED).size(), 1u);

    c->SetBounds(5, 6, 70, 20);
    auto size = c->De(WM_SIZE);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(size[0].lParam, MAKELPARAM(70, 20));
    c->SetBounds(8, 9, 70, 20); // moved only
    EXPECT_EQ(c->De(WM_SIZE).size(), 1u);

    c->Repaint();
    EXPECT_EQ(c->pintadas, 1);
    auto orden = Registro();
    std::vector<UINT> pintura;
    for (const Recibido& r : orden)
        if (r.control == c && (r.msg == WM_ERASEBKGND || r.msg == WM_PAINT))
            pintura.push_back(r.msg);
    EXPECT_EQ(pintura, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    c->Perform(WM_SETREDRAW, 0, 0);
    c->Repaint();
    EXPECT_EQ(c->pintadas, 1);
    c->Perform(WM_SETREDRAW, 1, 0);
    c->Repaint();
    EXPECT_EQ(c->pintadas, 2);
}

TEST(Ventana, ElColorYLaFuenteSeHeredanDelPadre) {
    VentanaPrueba v;
    auto* c = new TControlPrueba(&v, &v);
    auto* propio = new TControlPrueba(&v, &v);
    propio->GetFont()->SetName("Courier New");
    EXPECT_FALSE(propio->GetParentFont());
    v.SetColor(clBtnFace);
    v.GetFont()->SetSize(12);
    v.GetFont()->SetStyle({fsBold});
    EXPECT_EQ(c->GetColor(), clBtnFace);
    EXPECT_TRUE(c->GetParentColor());
    EXPECT_EQ(c->GetFont()->GetHeight(), -16);
    EXPECT_TRUE(c->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_TRUE(c->GetParentFont());
    EXPECT_EQ(propio->GetFont()->GetName(), AnsiString("Courier New"));
    EXPECT_EQ(propio->GetFont()->GetSize(), 8);
    c->SetColor(clRed);
    v.SetColor(clWhite);
    EXPECT_EQ(c->GetColor(), clRed);
    v.SetShowHint(true);
    EXPECT_TRUE(c->GetShowHint());
}

TEST(Pantalla, LaPantallaSinVentanasEsGrande) {
    VentanaPrueba v; // makes sure the window system is up
    EXPECT_GE(Screen->GetWidth(), 1600);
    EXPECT_GE(Screen->GetWorkAreaHeight(), 1000);
    EXPECT_EQ(Screen->GetPixelsPerInch(), 96);
    EXPECT_GT(Screen->GetFonts()->GetCount(), 0);
    EXPECT_NE(Screen->GetCursors(crHandPoint), nullptr);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->GetCursor(), crHourGlass);
    Screen->SetCursor(crDefault);
}

} // namespace
