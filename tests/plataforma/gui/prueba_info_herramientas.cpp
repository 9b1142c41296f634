// The tool-tip window: a tool with its own text over part of a watched control, the wait,
// the shown time and what ends a tip; the delays, set one by one or together; the window
// classes CreateWindowEx knows.

#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/tool_tip.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class InfoHerramientas : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        ventana->Show();
        control = new TControlPrueba(ventana.get(), ventana.get());
        control->SetBounds(0, 0, 200, 100);
        tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control->GetHandle(),
                             nullptr, HInstance, nullptr);
        ASSERT_NE(tip, nullptr);
        ventanaTip = dynamic_cast<TToolTipWindow*>(FindControl(tip));
    }
    void TearDown() override {
        DestroyWindow(tip);
        ventana.reset();
        ResetInputState();
    }
    std::unique_ptr<VentanaPrueba> ventana;
    TControlPrueba* control = nullptr;
    HWND tip = nullptr;
    TToolTipWindow* ventanaTip = nullptr;
};

TEST_F(InfoHerramientas, UnaHerramientaConTextoPropio) {
    char texto[] = "Espesor de la capa";
    TOOLINFO ti;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = control->GetHandle();
    ti.rect = TRect(0, 0, 100, 50);
    ti.lpszText = texto;
    ASSERT_EQ(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)), TRUE);
    // Outside the tool's rectangle nothing waits to show.
    SimulateMouse(control, SimulatedMouse::Move, 0, 150, 70);
    SendMessage(tip, WM_TIMER, 1, 0);
    EXPECT_FALSE(ventanaTip->GetVisible());
    // Inside, after the wait, the tip shows its text; the watched control still gets the move.
    const size_t antes = control->De(WM_MOUSEMOVE).size();
    SimulateMouse(control, SimulatedMouse::Move, 0, 20, 20);
    EXPECT_EQ(control->De(WM_MOUSEMOVE).size(), antes + 1);
    SendMessage(tip, WM_TIMER, 1, 0);
    EXPECT_TRUE(ventanaTip->GetVisible());
    EXPECT_EQ(ventanaTip->GetTipText(), "Espesor de la capa");
    // A press ends it; so does the end of the shown time.
    SimulateMouse(control, SimulatedMouse::Down, 0, 20, 20);
    SimulateMouse(control, SimulatedMouse::Up, 0, 20, 20);
    EXPECT_FALSE(ventanaTip->GetVisible());
    SimulateMouse(control, SimulatedMouse::Move, 0, 21, 20);
    SendMessage(tip, WM_TIMER, 1, 0);
    ASSERT_TRUE(ventanaTip->GetVisible());
    SendMessage(tip, WM_TIMER, 2, 0);
    EXPECT_FALSE(ventanaTip->GetVisible());
}

TEST_F(InfoHerramientas, Retardos) {
    auto retardo = [&](WPARAM cual) { return SendMessage(tip, TTM_GETDELAYTIME, cual, 0); };
    EXPECT_EQ(retardo(TTDT_INITIAL), 500);
    EXPECT_EQ(retardo(TTDT_AUTOPOP), 5000);
    EXPECT_EQ(retardo(TTDT_RESHOW), 100);
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(300, 0));
    EXPECT_EQ(retardo(TTDT_INITIAL), 300);
    EXPECT_EQ(retardo(TTDT_AUTOPOP), 3000);
    EXPECT_EQ(retardo(TTDT_RESHOW), 60);
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(7, 0));
    EXPECT_EQ(retardo(TTDT_RESHOW), 7);
    // -1 gives the default back.
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(static_cast<WORD>(-1), 0));
    EXPECT_EQ(retardo(TTDT_AUTOPOP), 5000);
}

TEST_F(InfoHerramientas, SoloLasClasesConocidas) {
    EXPECT_EQ(
        CreateWindowEx(0, "Edit", nullptr, 0, 0, 0, 10, 10, nullptr, nullptr, HInstance, nullptr),
        nullptr);
    // A window that CreateWindowEx did not make is not destroyed through it.
    EXPECT_FALSE(DestroyWindow(control->GetHandle()));
    EXPECT_TRUE(IsWindow(control->GetHandle()));
}

} // namespace
