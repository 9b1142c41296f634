// Posted messages, timers, deferred deletion, and exceptions that escape handlers.

#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/kernel/timers.h"
#include "tests/comun/pruebas.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

class Cola : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        control = new TControlPrueba(ventana.get(), ventana.get());
        Registro().clear();
    }
    void TearDown() override {
        Application->OnException = nullptr;
        ventana.reset();
        Application->ProcessMessages();
        Registro().clear();
    }
    // Lets real time pass until a timer of interval ms is due, then handles what waits.
    static void Esperar(int ms) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        Application->ProcessMessages();
    }
    std::unique_ptr<VentanaPrueba> ventana;
    TControlPrueba* control = nullptr;
};

TEST_F(Cola, LosMensajesEnviadosALaColaLleganEnOrdenConProcessMessages) {
    HWND h = control->GetHandle();
    ASSERT_TRUE(PostMessage(h, WM_USER + 1, 10, 20));
    ASSERT_TRUE(PostMessage(h, WM_USER + 2, 30, 40));
    EXPECT_TRUE(control->De(WM_USER + 1).empty());
    // A handler that posts again: delivered in the same pass, after those already waiting.
    control->alMensaje = [h](TMessage& m) {
        if (m.Msg == WM_USER + 1) PostMessage(h, WM_USER + 3, 0, 0);
    };
    Application->ProcessMessages();
    std::vector<UINT> orden;
    for (const Recibido& r : Registro())
        if (r.control == control && r.msg > WM_USER) orden.push_back(r.msg);
    EXPECT_EQ(orden, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));
    EXPECT_EQ(control->De(WM_USER + 2)[0].wParam, 30u);
    EXPECT_EQ(control->De(WM_USER + 2)[0].lParam, 40);
    EXPECT_EQ(SendMessage(h, WM_USER + 4, 0, 0), 0);
    EXPECT_EQ(control->De(WM_USER + 4).size(), 1u);
}

TEST_F(Cola, UnMensajeParaUnaVentanaDestruidaSeDescarta) {
    HWND h = control->GetHandle();
    PostMessage(h, WM_USER + 1, 0, 0);
    delete control;
    Registro().clear();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(PostMessage(h, WM_USER + 2, 0, 0));
    Application->ProcessMessages();
    for (const Recibido& r : Registro())
        EXPECT_NE(r.msg, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 0);
}

TEST_F(Cola, LosTemporizadoresLleganPorIdentificadorHastaQueSeMatan) {
    HWND h = control->GetHandle();
    ASSERT_EQ(SetTimer(h, 111, 10, nullptr), 111u);
    ASSERT_EQ(SetTimer(h, 999, 10, nullptr), 999u);
    Esperar(40);
    auto ticks = control->De(WM_TIMER);
    ASSERT_FALSE(ticks.empty());
    bool visto111 = false, visto999 = false;
    for (const Recibido& r : ticks) {
        visto111 |= r.wParam == 111;
        visto999 |= r.wParam == 999;
    }
    EXPECT_TRUE(visto111 && visto999);
    EXPECT_TRUE(KillTimer(h, 111));
    EXPECT_FALSE(KillTimer(h, 111));
    KillTimer(h, 999);
    Registro().clear();
    Esperar(40);
    EXPECT_TRUE(control->De(WM_TIMER).empty());
}

TEST_F(Cola, LosTemporizadoresTerminanConSuVentana) {
    HWND h = control->GetHandle();
    SetTimer(h, 1, 10, nullptr);
    delete control;
    Registro().clear();
    Esperar(30);
    EXPECT_TRUE(Registro().empty());
    EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u);
}

TEST_F(Cola, TTimerLlamaAOnTimerMientrasEstaActivo) {
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int veces = 0;
    timer.OnTimer = [&](TObject* s) {
        EXPECT_EQ(s, &timer);
        ++veces;
    };
    Esperar(40);
    EXPECT_GT(veces, 0);
    timer.SetEnabled(false);
    int antes = veces;
    Esperar(30);
    EXPECT_EQ(veces, antes);
}

TEST_F(Cola, ReleaseBorraElControlCuandoSeVaciaLaCola) {
    auto vivo = control->Watch();
    HWND h = control->GetHandle();
    PostMessage(h, WM_USER + 1, 0, 0);
    control->Release();
    PostMessage(h, WM_USER + 2, 0, 0); // after the release: never delivered
    EXPECT_FALSE(vivo.expired());
    Application->ProcessMessages();
    EXPECT_TRUE(vivo.expired());
    EXPECT_EQ(ventana->GetControlCount(), 0);
    for (const Recibido& r : Registro())
        EXPECT_NE(r.msg, static_cast<UINT>(WM_USER + 2));
}

TEST_F(Cola, ReleaseDesdeUnManejadorEsperaAQueTermine) {
    auto vivo = control->Watch();
    bool vivoTrasBombear = false;
    control->alMensaje = [&](TMessage& m) {
        if (m.Msg != WM_USER) return;
        control->Release();
        Application->ProcessMessages(); // pumping inside the handler must not delete it
        vivoTrasBombear = !vivo.expired();
    };
    control->Perform(WM_USER, 0, 0);
    EXPECT_TRUE(vivoTrasBombear);
    Application->ProcessMessages();
    EXPECT_TRUE(vivo.expired());
}

TEST_F(Cola, UnaExcepcionEnUnManejadorLlegaAlManejadorDeLaAplicacion) {
    control->SetBounds(0, 0, 50, 50);
    control->alMensaje = [](TMessage& m) {
        if (m.Msg == WM_LBUTTONDOWN) throw EConvertError("'x' no es un número");
        if (m.Msg == WM_USER) throw std::runtime_error("fallo interno");
        if (m.Msg == WM_TIMER) throw Exception("en el temporizador.");
    };
    std::vector<std::pair<TObject*, AnsiString>> vistos;
    Application->OnException = [&](TObject* sender, Exception* e) {
        vistos.emplace_back(sender, e->Message);
    };
    SimulateClick(control, 5, 5);
    PostMessage(control->GetHandle(), WM_USER, 0, 0);
    Application->ProcessMessages();
    ASSERT_EQ(vistos.size(), 2u);
    EXPECT_EQ(vistos[0].first, control);
    EXPECT_EQ(vistos[0].second, AnsiString("'x' no es un número"));
    EXPECT_EQ(vistos[1].second, AnsiString("fallo interno"));

    // Without OnException, a message box with the stop icon; a period is added when missing.
    Application->OnException = nullptr;
    Application->SetTitle("Prueba");
    Guion().AnswerMessageBox(IDOK);
    Guion().AnswerMessageBox(IDOK);
    SimulateClick(control, 5, 5);
    SetTimer(control->GetHandle(), 7, 10, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Application->ProcessMessages();
    KillTimer(control->GetHandle(), 7);
    const auto& cajas = Guion().ShownBoxes();
    ASSERT_EQ(cajas.size(), 2u);
    EXPECT_EQ(cajas[0].text, AnsiString("'x' no es un número."));
    EXPECT_EQ(cajas[0].caption, AnsiString("Prueba"));
    EXPECT_EQ(cajas[0].flags, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(cajas[1].text, AnsiString("en el temporizador."));
}

} // namespace
