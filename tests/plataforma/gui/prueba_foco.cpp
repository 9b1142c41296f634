// Focus: WM_KILLFOCUS and WM_SETFOCUS name the other window; CM_EXIT and CM_ENTER walk the
// parents; the tab order; controls that cannot take the focus.

#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/kernel/screen.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::pair<TControl*, UINT>> Foco() {
    std::vector<std::pair<TControl*, UINT>> out;
    for (const Recibido& r : Registro())
        if (r.msg == WM_SETFOCUS || r.msg == WM_KILLFOCUS || r.msg == CM_ENTER || r.msg == CM_EXIT)
            out.emplace_back(r.control, r.msg);
    return out;
}

class Foco_ : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        a = new TControlPrueba(ventana.get(), ventana.get());
        panel = new TControlPrueba(ventana.get(), ventana.get());
        panel->SetBounds(0, 100, 200, 100);
        b = new TControlPrueba(ventana.get(), panel);
        for (TWinControl* c : {static_cast<TWinControl*>(a), static_cast<TWinControl*>(b)})
            c->SetTabStop(true);
        Registro().clear();
    }
    void TearDown() override {
        ventana.reset();
        Registro().clear();
    }
    std::unique_ptr<VentanaPrueba> ventana;
    TControlPrueba *a = nullptr, *panel = nullptr, *b = nullptr;
};

TEST_F(Foco_, LosMensajesDeFocoNombranLaOtraVentanaYRecorrenLosPadres) {
    a->SetFocus();
    ASSERT_TRUE(a->Focused());
    EXPECT_EQ(GetFocus(), a->GetHandle());
    EXPECT_EQ(Screen->GetActiveControl(), a);
    auto primero = Foco();
    ASSERT_EQ(primero.size(), 2u);
    EXPECT_EQ(primero[0], std::make_pair(static_cast<TControl*>(a), static_cast<UINT>(CM_ENTER)));
    EXPECT_EQ(primero[1],
              std::make_pair(static_cast<TControl*>(a), static_cast<UINT>(WM_SETFOCUS)));
    EXPECT_EQ(a->De(WM_SETFOCUS)[0].wParam, 0u);

    Registro().clear();
    b->SetFocus();
    const std::vector<std::pair<TControl*, UINT>> esperado = {
        {a, WM_KILLFOCUS}, {a, CM_EXIT}, {panel, CM_ENTER}, {b, CM_ENTER}, {b, WM_SETFOCUS}};
    EXPECT_EQ(Foco(), esperado);
    EXPECT_EQ(reinterpret_cast<HWND>(a->De(WM_KILLFOCUS)[0].wParam), b->GetHandle());
    EXPECT_EQ(reinterpret_cast<HWND>(b->De(WM_SETFOCUS)[0].wParam), a->GetHandle());

    Registro().clear();
    a->SetFocus();
    const std::vector<std::pair<TControl*, UINT>> vuelta = {
        {b, WM_KILLFOCUS}, {b, CM_EXIT}, {panel, CM_EXIT}, {a, CM_ENTER}, {a, WM_SETFOCUS}};
    EXPECT_EQ(Foco(), vuelta);
}

TEST_F(Foco_, OnEnterYOnExitSiguenAlFoco) {
    std::vector<std::string> eventos;
    a->OnEnter = [&](TObject*) { eventos.push_back("entra a"); };
    a->OnExit = [&](TObject*) { eventos.push_back("sale a"); };
    b->OnEnter = [&](TObject*) { eventos.push_back("entra b"); };
    a->SetFocus();
    b->SetFocus();
    EXPECT_EQ(eventos, (std::vector<std::string>{"entra a", "sale a", "entra b"}));
}

TEST_F(Foco_, NoSePuedeEnfocarUnControlOcultoODeshabilitado) {
    b->SetEnabled(false);
    EXPECT_FALSE(b->CanFocus());
    EXPECT_THROW(b->SetFocus(), EInvalidOperation);
    b->SetEnabled(true);
    panel->SetVisible(false);
    EXPECT_FALSE(b->CanFocus());
    EXPECT_THROW(b->SetFocus(), EInvalidOperation);
}

TEST_F(Foco_, ElOrdenDeTabulacionSaltaLoQueNoPuedeRecibirFoco) {
    auto* c = new TControlPrueba(ventana.get(), ventana.get());
    c->SetTabStop(true);
    std::vector<TWinControl*> orden;
    ventana->GetTabOrderList(orden);
    ASSERT_EQ(orden.size(), 4u); // a, panel, b, c
    EXPECT_EQ(orden[0], a);
    EXPECT_EQ(orden[2], b);
    c->SetTabOrder(0);
    EXPECT_EQ(c->GetTabOrder(), 0);
    EXPECT_EQ(a->GetTabOrder(), 1);

    a->SetFocus();
    EXPECT_EQ(ventana->FindNextControl(a, true, true, false), b); // the panel has no tab stop
    b->SetEnabled(false);
    EXPECT_EQ(ventana->FindNextControl(a, true, true, false), c); // wraps round
    c->SetEnabled(false);
    EXPECT_EQ(ventana->FindNextControl(a, true, true, false), a); // only itself
    a->SetEnabled(false);
    EXPECT_EQ(ventana->FindNextControl(a, true, true, false), nullptr); // and it ends
}

TEST_F(Foco_, OcultarElControlEnfocadoLeQuitaElFoco) {
    b->SetFocus();
    panel->SetVisible(false);
    EXPECT_FALSE(b->Focused());
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Foco_, RecrearLaVentanaConservaElFocoYAvisa) {
    b->SetFocus();
    HWND antes = b->GetHandle();
    Registro().clear();
    b->RecreateWnd();
    EXPECT_NE(b->GetHandle(), antes);
    EXPECT_FALSE(IsWindow(antes));
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(b->De(WM_KILLFOCUS).size(), 1u);
    EXPECT_EQ(b->De(WM_DESTROY).size(), 1u);
    EXPECT_EQ(b->De(WM_SETFOCUS).size(), 1u);
    EXPECT_TRUE(b->De(CM_ENTER).empty());
}

} // namespace
