// Keys: the message sequence, the key data, handlers that rewrite or drop characters and
// consume keys, the keyboard state and the dialog keys.

#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/kernel/hooked_widget.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

std::vector<Recibido> Teclas(const TControl* c) {
    std::vector<Recibido> out;
    for (const Recibido& r : Registro())
        if (r.control == c &&
            (r.msg == WM_KEYDOWN || r.msg == WM_CHAR || r.msg == WM_KEYUP ||
             r.msg == WM_SYSKEYDOWN || r.msg == WM_SYSCHAR || r.msg == WM_SYSKEYUP))
            out.push_back(r);
    return out;
}

int Scan(LPARAM data) {
    return static_cast<int>((static_cast<DWORD>(data) >> 16) & 0xFF);
}

class Teclado : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        control = new TControlPrueba(ventana.get(), ventana.get());
        control->SetTabStop(true);
        control->SetFocus();
        Registro().clear();
    }
    void TearDown() override {
        ventana.reset();
        ResetInputState();
        Registro().clear();
    }
    std::unique_ptr<VentanaPrueba> ventana;
    TControlPrueba* control = nullptr;
};

struct CasoTecla {
    const char* nombre;
    WORD vk;
    TShiftState shift;
    WORD vkMensaje;
    int caracter; // -1: no WM_CHAR
    int scan;
    bool extendida;
};

const CasoTecla kCasos[] = {
    {"letra", 'A', {}, 'A', 'a', 0x1E, false},
    {"mayuscula", 'A', {ssShift}, 'A', 'A', 0x1E, false},
    {"ctrl_c", 'C', {ssCtrl}, 'C', 3, 0x2E, false},
    {"ctrl_z", 'Z', {ssCtrl}, 'Z', 26, 0x2C, false},
    {"ctrl_corchete", VK_OEM_4, {ssCtrl}, VK_OEM_4, 27, 0x1A, false},
    {"escape", VK_ESCAPE, {}, VK_ESCAPE, 27, 0x01, false},
    {"retroceso", VK_BACK, {}, VK_BACK, 8, 0x0E, false},
    {"punto_teclado_numerico", VK_DECIMAL, {}, VK_DECIMAL, '.', 0x53, false},
    {"punto_principal", VK_OEM_PERIOD, {}, VK_OEM_PERIOD, '.', 0x34, false},
    {"suprimir", VK_DELETE, {}, VK_DELETE, -1, 0x53, true},
    {"flecha", VK_LEFT, {}, VK_LEFT, -1, 0x4B, true},
    {"f2", VK_F2, {}, VK_F2, -1, 0x3C, false},
};

TEST_F(Teclado, SecuenciaKeyDownCharKeyUpConDatosDeTecla) {
    control->dlgCode = DLGC_WANTALLKEYS | DLGC_WANTARROWS;
    for (const CasoTecla& c : kCasos) {
        SCOPED_TRACE(c.nombre);
        Registro().clear();
        SimulateKeyStroke(c.vk, c.shift);
        auto t = Teclas(control);
        size_t esperados = c.caracter >= 0 ? 3 : 2;
        ASSERT_EQ(t.size(), esperados);
        EXPECT_EQ(t[0].msg, WM_KEYDOWN);
        EXPECT_EQ(t[0].wParam, c.vkMensaje);
        EXPECT_EQ(t[0].lParam & 0xFFFF, 1); // repeat count
        EXPECT_EQ(Scan(t[0].lParam), c.scan);
        EXPECT_EQ((static_cast<DWORD>(t[0].lParam) & KF_EXTENDED) != 0, c.extendida);
        EXPECT_EQ(static_cast<DWORD>(t[0].lParam) & (KF_UP | KF_REPEAT), 0u);
        if (c.caracter >= 0) {
            EXPECT_EQ(t[1].msg, WM_CHAR);
            EXPECT_EQ(t[1].wParam, static_cast<WPARAM>(c.caracter));
            EXPECT_EQ(t[1].lParam, t[0].lParam);
        }
        EXPECT_EQ(t.back().msg, WM_KEYUP);
        EXPECT_EQ(t.back().wParam, c.vkMensaje);
        EXPECT_EQ(static_cast<DWORD>(t.back().lParam) & (KF_UP | KF_REPEAT), KF_UP | KF_REPEAT);
    }
}

TEST_F(Teclado, ElPuntoDelTecladoNumericoSeDistingueEnElBit22) {
    control->dlgCode = DLGC_WANTALLKEYS;
    SimulateKeyStroke(VK_DECIMAL);
    SimulateKeyStroke(VK_OEM_PERIOD);
    auto down = control->De(WM_KEYDOWN);
    ASSERT_EQ(down.size(), 2u);
    EXPECT_NE(down[0].lParam & 0x400000, 0);
    EXPECT_EQ(down[1].lParam & 0x400000, 0);
}

TEST_F(Teclado, AltConLetraEsTeclaDeSistema) {
    SimulateKeyStroke('X', {ssAlt});
    auto t = Teclas(control);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].msg, WM_SYSKEYDOWN);
    EXPECT_NE(static_cast<DWORD>(t[0].lParam) & KF_ALTDOWN, 0u);
    EXPECT_EQ(t[1].msg, WM_SYSCHAR);
    EXPECT_EQ(t[1].wParam, static_cast<WPARAM>('x'));
    EXPECT_EQ(t[2].msg, WM_SYSKEYUP);
}

TEST_F(Teclado, LaRepeticionAutomaticaMarcaElEstadoPrevioYNoSueltaLaTecla) {
    SimulateKeyDown('K');
    SimulateKeyDown('K', {}, nullptr, true);
    SimulateKeyUp('K', {}, nullptr);
    auto down = control->De(WM_KEYDOWN);
    ASSERT_EQ(down.size(), 2u);
    EXPECT_EQ(static_cast<DWORD>(down[0].lParam) & KF_REPEAT, 0u);
    EXPECT_NE(static_cast<DWORD>(down[1].lParam) & KF_REPEAT, 0u);
    EXPECT_EQ(control->De(WM_KEYUP).size(), 1u);
}

TEST_F(Teclado, GetKeyStateDistingueControlIzquierdoYDerechoDuranteElMensaje) {
    SHORT izq = 0, der = 0, gen = 0;
    control->alCaracter = [&](TWMKey&) {
        izq = GetKeyState(VK_LCONTROL);
        der = GetKeyState(VK_RCONTROL);
        gen = GetKeyState(VK_CONTROL);
    };
    SimulateKeyDown(VK_RCONTROL);
    SimulateKeyStroke('B', {ssCtrl});
    EXPECT_GE(izq, 0);
    EXPECT_LT(der, 0);
    EXPECT_LT(gen, 0);
    EXPECT_LT(GetAsyncKeyState(VK_RCONTROL), 0);
    SimulateKeyUp(VK_RCONTROL, {ssCtrl});
    EXPECT_GE(GetKeyState(VK_RCONTROL), 0);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

TEST_F(Teclado, ElEstadoDelTecladoSePuedeFijar) {
    BYTE estado[256] = {};
    estado[VK_SHIFT] = 0x80;
    estado[VK_CAPITAL] = 0x01;
    ASSERT_TRUE(SetKeyboardState(estado));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    EXPECT_TRUE(KeyboardStateToShiftState().Contains(ssShift));
    // A posted key is translated with that state: Shift with Caps Lock gives a small letter.
    control->dlgCode = DLGC_WANTCHARS;
    PostMessage(control->GetHandle(), WM_KEYDOWN, 'Q', MakeKeyData('Q', false, false, false));
    Application->ProcessMessages();
    auto ch = control->De(WM_CHAR);
    ASSERT_EQ(ch.size(), 1u);
    EXPECT_EQ(ch[0].wParam, static_cast<WPARAM>('q'));
}

TEST_F(Teclado, LaEntradaDelMetodoDeEntradaLlegaComoCaracteres) {
    SimulateInputMethodCommit("é€");
    auto t = Teclas(control);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].msg, WM_CHAR);
    EXPECT_EQ(t[0].wParam, 0xE9u);
    EXPECT_EQ(t[1].wParam, 0x80u);
}

TEST_F(Teclado, OnKeyDownQueAnulaLaTeclaNoImpideElCaracter) {
    int pulsaciones = 0;
    control->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        ++pulsaciones;
        key = 0;
    };
    char visto = 0;
    control->OnKeyPress = [&](TObject*, char& key) { visto = key; };
    SimulateKeyStroke('M');
    EXPECT_EQ(pulsaciones, 1);
    EXPECT_EQ(visto, 'm');
}

// --- dialog keys ---

class Dialogo : public Teclado {
protected:
    void SetUp() override {
        Teclado::SetUp();
        segundo = new TControlPrueba(ventana.get(), ventana.get());
        segundo->SetTabStop(true);
        Registro().clear();
    }
    TControlPrueba* segundo = nullptr;
};

TEST_F(Dialogo, TabMueveElFocoSinLlegarAlControl) {
    SimulateKeyStroke(VK_TAB);
    EXPECT_TRUE(segundo->Focused());
    EXPECT_TRUE(control->De(WM_KEYDOWN).empty());
    EXPECT_TRUE(control->De(WM_CHAR).empty());
    SimulateKeyStroke(VK_TAB, {ssShift});
    EXPECT_TRUE(control->Focused());
}

TEST_F(Dialogo, UnControlQuePideElTabLoRecibe) {
    control->dlgCode = DLGC_WANTTAB;
    SimulateKeyStroke(VK_TAB);
    EXPECT_TRUE(control->Focused());
    ASSERT_EQ(control->De(WM_KEYDOWN).size(), 1u);
    ASSERT_EQ(control->De(WM_CHAR).size(), 1u);
    EXPECT_EQ(control->De(WM_CHAR)[0].wParam, 9u);
}

TEST_F(Dialogo, CMWantSpecialKeyTambienSeQuedaLaTecla) {
    control->alMensaje = [](TMessage& m) {
        if (m.Msg == CM_WANTSPECIALKEY && m.WParam == VK_TAB) m.Result = 1;
    };
    SimulateKeyStroke(VK_TAB);
    EXPECT_TRUE(control->Focused());
    EXPECT_EQ(control->De(WM_KEYDOWN).size(), 1u);
}

TEST_F(Dialogo, UnTabEnviadoALaColaMueveElFocoComoUnoReal) {
    ASSERT_TRUE(PostMessage(control->GetHandle(), WM_KEYDOWN, VK_TAB, 0));
    EXPECT_TRUE(control->Focused());
    Application->ProcessMessages();
    EXPECT_TRUE(segundo->Focused());
    EXPECT_TRUE(control->De(WM_KEYDOWN).empty());
}

TEST_F(Dialogo, LosCaracteresQueElControlNoQuierePasanPorCMDialogChar) {
    // The other control answers the accelerator 'g'.
    segundo->alMensaje = [](TMessage& m) {
        if (m.Msg == CM_DIALOGCHAR && m.WParam == 'g') m.Result = 1;
    };
    SimulateKeyStroke('G');
    SimulateKeyStroke('H');
    ASSERT_EQ(control->De(WM_CHAR).size(), 1u);
    EXPECT_EQ(control->De(WM_CHAR)[0].wParam, static_cast<WPARAM>('h'));
    EXPECT_EQ(segundo->De(CM_DIALOGCHAR).size(), 2u);

    // A control that wants characters gets them all, without asking the dialog.
    Registro().clear();
    control->dlgCode = DLGC_WANTCHARS;
    SimulateKeyStroke('G');
    EXPECT_EQ(control->De(WM_CHAR).size(), 1u);
    EXPECT_TRUE(segundo->De(CM_DIALOGCHAR).empty());
}

// --- a control on a native edit: default handling after the handlers ---

class TEditNativo : public TWinControl {
public:
    explicit TEditNativo(TWinControl* parent) : TWinControl(parent) {
        SetBounds(0, 40, 120, 24);
        SetTabStop(true);
        SetParent(parent);
    }
    QLineEdit* Edit() const { return static_cast<QLineEdit*>(GetWidget()); }
    std::function<void(TWMKey&)> alCaracter;
    std::function<void(TWMKey&)> alPulsar;

protected:
    void CreateWindowHandle(const TCreateParams&) override {
        auto* w = new HookedWidget<QLineEdit>(this, GetParent()->GetWidget());
        SetWidget(w, true);
    }
    void Dispatch(TMessage& m) override {
        switch (m.Msg) {
        case WM_GETDLGCODE:
            m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
            return;
        case WM_CHAR: {
            TWMKey v(m);
            if (alCaracter) alCaracter(v);
            break;
        }
        case WM_KEYDOWN: {
            TWMKey v(m);
            if (alPulsar) alPulsar(v);
            break;
        }
        default:
            break;
        }
        TWinControl::Dispatch(m);
    }
};

TEST_F(Teclado, UnManejadorDeWMCharReescribeOAnulaElCaracter) {
    auto* edit = new TEditNativo(ventana.get());
    edit->SetFocus();
    edit->alCaracter = [](TWMKey& m) {
        if (m.CharCode == 'b') m.CharCode = 'X';
        if (m.CharCode == 'c') m.CharCode = 0;
    };
    SimulateTyping("abcd");
    EXPECT_EQ(FromQString(edit->Edit()->text()), AnsiString("aXd"));
    // The keypad "." rewritten to a decimal comma, as the typed edits do.
    edit->alCaracter = [](TWMKey& m) {
        if (m.CharCode == '.' && (m.KeyData & 0x400000)) m.CharCode = ',';
    };
    SimulateKeyStroke(VK_DECIMAL);
    SimulateKeyStroke(VK_OEM_PERIOD);
    EXPECT_EQ(FromQString(edit->Edit()->text()), AnsiString("aXd,."));
}

TEST_F(Teclado, AnularWMKeyDownDetieneSoloLaAccionDeEsaTecla) {
    auto* edit = new TEditNativo(ventana.get());
    edit->SetFocus();
    SimulateTyping("ab");
    edit->alPulsar = [](TWMKey& m) {
        if (m.CharCode == VK_HOME || m.CharCode == 'Z') m.CharCode = 0;
    };
    SimulateKeyStroke(VK_HOME); // consumed: the caret stays at the end
    SimulateKeyStroke('Z');     // its key is consumed, its character is not
    EXPECT_EQ(FromQString(edit->Edit()->text()), AnsiString("abz"));
    edit->alPulsar = nullptr;
    SimulateKeyStroke(VK_HOME);
    SimulateTyping("<");
    EXPECT_EQ(FromQString(edit->Edit()->text()), AnsiString("<abz"));
    // Backspace deletes once, at its character.
    SimulateKeyStroke(VK_END);
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(FromQString(edit->Edit()->text()), AnsiString("<ab"));
}

} // namespace
