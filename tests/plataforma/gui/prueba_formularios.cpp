// Forms: outer size and client size by the classic frame, position and state, the close
// rules, modal showing driven by keys, buttons, the tab order and the application.

#include "tests/comun/pruebas.h"
#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A small dialog: a focusable field first in the tab order, then "Aceptar" (default, mrOk)
// and "Cancelar" (cancel, mrCancel).
class Dialogo : public TForm {
public:
    explicit Dialogo(TComponent* owner = nullptr) : TForm(owner) {
        SetCaption("Nuevo grupo");
        SetBorderStyle(bsDialog);
        SetBounds(100, 100, 300, 150);
        campo = new TControlPrueba(this, this);
        campo->SetTabStop(true);
        aceptar = Boton("&Aceptar", 10, mrOk);
        aceptar->SetDefault(true);
        cancelar = Boton("&Cancelar", 100, mrCancel);
        cancelar->SetCancel(true);
        aceptar->OnClick = [this](TObject*) { ++clicsAceptar; };
        cancelar->OnClick = [this](TObject*) { ++clicsCancelar; };
    }
    TButton* Boton(const char* texto, int x, TModalResult mr) {
        auto* b = new TButton(this);
        b->SetParent(this);
        b->SetCaption(texto);
        b->SetBounds(x, 80, 75, 25);
        b->SetModalResult(mr);
        return b;
    }
    TControlPrueba* campo;
    TButton* aceptar;
    TButton* cancelar;
    int clicsAceptar = 0, clicsCancelar = 0;
};

class Formularios : public ::testing::Test {
protected:
    void SetUp() override { ResetInputState(); }
    void TearDown() override {
        ResetInputState();
        Registro().clear();
    }
};

// --- size ---

TEST_F(Formularios, ElAreaClienteSaleDeLasMedidasClasicasDelMarco) {
    struct Caso {
        const char* nombre;
        TFormBorderStyle estilo;
        bool menu;
        int ancho, alto; // client
    } casos[] = {
        {"redimensionable", bsSizeable, false, 928, 398}, {"con_menu", bsSizeable, true, 928, 379},
        {"sencillo", bsSingle, false, 930, 400},          {"dialogo", bsDialog, false, 930, 400},
        {"herramientas", bsToolWindow, false, 930, 404},  {"sin_borde", bsNone, false, 936, 425},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        TForm f(nullptr);
        f.SetBorderStyle(c.estilo);
        auto* menu = new TMainMenu(&f);
        auto* archivo = new TMenuItem(&f);
        archivo->SetCaption("&Archivo");
        menu->GetItems()->Add(archivo);
        if (c.menu) f.SetMenu(menu);
        f.SetBounds(20, 30, 936, 425); // the averaging window's size
        EXPECT_EQ(f.GetClientWidth(), c.ancho);
        EXPECT_EQ(f.GetClientHeight(), c.alto);
        f.Show();
        // The client widget is that size, and the window sits inside the frame.
        QWidget* cliente = f.GetWidget();
        EXPECT_EQ(cliente->width(), c.ancho);
        EXPECT_EQ(cliente->height(), c.alto);
        TFrameMetrics m = FrameMetricsOf(c.estilo);
        EXPECT_EQ(f.GetWindowWidget()->geometry().topLeft(),
                  QPoint(20 + m.frame, 30 + m.caption + m.frame));
        EXPECT_EQ(f.ClientToScreen(Point(0, 0)),
                  Point(20 + m.frame, 30 + m.caption + m.frame + (c.menu ? 19 : 0)));
        EXPECT_EQ(f.GetBoundsRect(), Bounds(20, 30, 936, 425)); // unchanged by showing
    }
}

TEST_F(Formularios, FijarElAreaClienteAjustaElTamanoExterior) {
    TForm f(nullptr);
    f.SetClientWidth(500);
    f.SetClientHeight(300);
    EXPECT_EQ(f.GetWidth(), 508);
    EXPECT_EQ(f.GetHeight(), 327);
    // The outer size stays when a menu bar or another frame comes: the client area gives.
    auto* menu = new TMainMenu(&f);
    int tamanos = 0;
    f.OnResize = [&](TObject*) { ++tamanos; };
    f.SetMenu(menu);
    EXPECT_EQ(f.GetHeight(), 327);
    EXPECT_EQ(f.GetClientHeight(), 281);
    EXPECT_EQ(tamanos, 0); // no window yet: nothing to tell
    f.Show();
    f.SetBorderStyle(bsDialog);
    EXPECT_EQ(f.GetWidth(), 508);
    EXPECT_EQ(f.GetClientWidth(), 502);
    EXPECT_EQ(f.GetWidget()->width(), 502);
    EXPECT_GT(tamanos, 0);
}

TEST_F(Formularios, LaPosicionYElEstadoSeAplicanAlMostrar) {
    TForm centrado(nullptr);
    centrado.SetBounds(0, 0, 400, 200);
    centrado.SetPosition(poScreenCenter);
    EXPECT_EQ(centrado.GetLeft(), 0);
    centrado.Show();
    EXPECT_EQ(centrado.GetLeft(), (Screen->GetWidth() - 400) / 2);
    EXPECT_EQ(centrado.GetTop(), (Screen->GetHeight() - 200) / 2);

    TForm maximo(nullptr);
    maximo.SetWindowState(wsMaximized);
    maximo.Show();
    // Maximized, the frame lies outside the work area, as on the classic desktop.
    TRect area = Screen->GetWorkAreaRect();
    EXPECT_EQ(maximo.GetWindowState(), wsMaximized);
    EXPECT_EQ(maximo.GetLeft(), area.Left - 4);
    EXPECT_EQ(maximo.GetClientWidth(), area.Width());
    EXPECT_EQ(maximo.GetClientHeight(), area.Height());
    maximo.SetWindowState(wsNormal);
    EXPECT_EQ(maximo.GetWindowState(), wsNormal);
    EXPECT_LT(maximo.GetClientWidth(), area.Width());
}

// --- closing ---

TEST_F(Formularios, ReglasDeCierre) {
    struct Caso {
        const char* nombre;
        bool puedeCerrar;
        TCloseAction accion;
        bool visible, minimizado, liberado;
    } casos[] = {
        {"por_defecto_oculta", true, caHide, false, false, false},
        {"caNone_la_deja", true, caNone, true, false, false},
        {"caMinimize", true, caMinimize, true, true, false},
        {"caFree_la_libera_despues", true, caFree, true, false, true},
        {"CloseQuery_lo_impide", false, caFree, true, false, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto* f = new TForm(nullptr);
        auto vivo = f->Watch();
        int cierres = 0;
        f->OnCloseQuery = [&](TObject*, bool& puede) { puede = c.puedeCerrar; };
        f->OnClose = [&](TObject*, TCloseAction& a) {
            ++cierres;
            EXPECT_EQ(a, caHide); // the default of a normal form
            a = c.accion;
        };
        f->Show();
        f->Close();
        EXPECT_EQ(cierres, c.puedeCerrar ? 1 : 0);
        ASSERT_FALSE(vivo.expired()); // a release waits for the message queue
        EXPECT_EQ(f->GetVisible(), c.visible);
        EXPECT_EQ(f->GetWindowState() == wsMinimized, c.minimizado);
        Application->ProcessMessages();
        EXPECT_EQ(vivo.expired(), c.liberado);
        if (!vivo.expired()) delete f;
    }
}

TEST_F(Formularios, ElBotonDeCerrarDeLaVentanaPasaPorClose) {
    TForm f(nullptr);
    int cierres = 0;
    f.OnClose = [&](TObject*, TCloseAction& a) {
        ++cierres;
        a = caNone;
    };
    f.Show();
    QCloseEvent e;
    QApplication::sendEvent(f.GetWindowWidget(), &e);
    EXPECT_EQ(cierres, 1);
    EXPECT_FALSE(e.isAccepted()); // the window system does not close it behind our back
    EXPECT_TRUE(f.GetWindowWidget()->isVisible());
}

// --- modal ---

TEST_F(Formularios, ReturnYEscapeLleganAlBotonPorDefectoYAlDeCancelar) {
    struct Caso {
        const char* nombre;
        bool foco_en_cancelar;
        WORD tecla;
        TModalResult resultado;
        int aceptar, cancelar;
    } casos[] = {
        {"return_por_defecto", false, VK_RETURN, mrOk, 1, 0},
        {"escape_cancela", false, VK_ESCAPE, mrCancel, 0, 1},
        {"return_en_otro_boton_lo_pulsa", true, VK_RETURN, mrCancel, 0, 1},
        {"espacio_pulsa_el_boton_enfocado", true, VK_SPACE, mrCancel, 0, 1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Dialogo d;
        Guion().AnswerShowModal([&](TObject* form) {
            ASSERT_EQ(form, &d);
            EXPECT_TRUE(d.GetVisible());
            EXPECT_TRUE(d.IsModal());
            EXPECT_TRUE(d.campo->Focused()); // the first control in the tab order
            if (c.foco_en_cancelar) d.cancelar->SetFocus();
            SimulateKeyStroke(c.tecla);
        });
        EXPECT_EQ(d.ShowModal(), c.resultado);
        EXPECT_EQ(d.GetModalResult(), c.resultado);
        EXPECT_EQ(d.clicsAceptar, c.aceptar);
        EXPECT_EQ(d.clicsCancelar, c.cancelar);
        EXPECT_FALSE(d.GetVisible());
        EXPECT_FALSE(d.IsModal());
        ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
        EXPECT_EQ(Guion().ShownBoxes()[0].kind, ScriptedModalHooks::Kind::ShowModal);
        EXPECT_EQ(Guion().ShownBoxes()[0].caption, "Nuevo grupo");
        Guion().Reset();
        SetModalHooks(&Guion());
    }
}

TEST_F(Formularios, UnaTeclaConModificadorNoPulsaElBotonPorDefecto) {
    Dialogo d;
    Guion().AnswerShowModal(std::vector<std::function<void(TObject*)>>{
        [&](TObject*) { SimulateKeyStroke(VK_RETURN, {ssShift}); },
        [&](TObject*) {
            EXPECT_EQ(d.clicsAceptar, 0);
            SimulateKeyStroke(VK_RETURN);
        }});
    EXPECT_EQ(d.ShowModal(), mrOk);
}

TEST_F(Formularios, ModalCloseQueryPuedeRechazarYCloseCancela) {
    Dialogo d;
    int preguntas = 0, cierres = 0;
    d.OnCloseQuery = [&](TObject*, bool& puede) { puede = ++preguntas > 1; };
    d.OnClose = [&](TObject*, TCloseAction& a) {
        ++cierres;
        EXPECT_EQ(a, caHide);
    };
    Guion().AnswerShowModal(std::vector<std::function<void(TObject*)>>{
        [&](TObject*) { SimulateKeyStroke(VK_RETURN); }, // refused: the form stays
        [&](TObject*) {
            EXPECT_TRUE(d.GetVisible());
            EXPECT_EQ(d.GetModalResult(), mrNone);
            d.Close(); // on a modal form: mrCancel
        }});
    EXPECT_EQ(d.ShowModal(), mrCancel);
    EXPECT_EQ(preguntas, 2);
    EXPECT_EQ(cierres, 1);
    EXPECT_EQ(d.clicsAceptar, 1);

    // A visible form cannot be shown modally.
    d.Show();
    EXPECT_THROW(d.ShowModal(), EInvalidOperation);
}

TEST_F(Formularios, UnShowModalSinGuionOQueQuedaAbiertoFallaConSuTitulo) {
    ScriptedModalHooks local;
    std::vector<std::string> fallos;
    local.SetFailureHandler([&](const std::string& m) { fallos.push_back(m); });
    SetModalHooks(&local);
    Dialogo d;
    d.SetCaption("Elementos de la librería");
    TModalResult sinGuion = d.ShowModal();
    local.AnswerShowModal([](TObject*) {}); // does nothing: the form stays open
    TModalResult abierto = d.ShowModal();
    SetModalHooks(&Guion());
    // Never blocks: both end as cancelled.
    EXPECT_EQ(sinGuion, mrCancel);
    EXPECT_EQ(abierto, mrCancel);
    ASSERT_EQ(fallos.size(), 2u);
    EXPECT_EQ(fallos[0], "ShowModal no esperado: Elementos de la librer\xC3\xAD"
                         "a");
    EXPECT_NE(fallos[1].find("dejo abierto"), std::string::npos);
    EXPECT_FALSE(d.GetVisible());
}

TEST_F(Formularios, UnaRespuestaDelGuionPuedeSerElResultadoModal) {
    Dialogo d;
    Guion().AnswerShowModal(mrYes);
    EXPECT_EQ(d.ShowModal(), mrYes);
    EXPECT_EQ(d.clicsAceptar + d.clicsCancelar, 0);
}

// --- buttons, keys and tab order ---

TEST_F(Formularios, LaLetraDelBotonLoPulsa) {
    Dialogo d;
    d.Show();
    d.aceptar->SetFocus();
    SimulateKeyStroke('C', {ssAlt});
    EXPECT_EQ(d.clicsCancelar, 1);
    // A focused button does not take characters: its letter works without Alt too.
    SimulateKeyStroke('C');
    EXPECT_EQ(d.clicsCancelar, 2);
    EXPECT_EQ(d.GetModalResult(), mrCancel);
}

TEST_F(Formularios, ElOrdenDeTabulacionYSelectNext) {
    TForm f(nullptr);
    std::vector<TButton*> b;
    for (int i = 0; i < 3; ++i) {
        auto* boton = new TButton(&f);
        boton->SetParent(&f);
        boton->SetCaption(AnsiString("B") + AnsiString(i));
        b.push_back(boton);
    }
    b[2]->SetTabOrder(0); // order: 2, 0, 1
    EXPECT_EQ(b[0]->GetTabOrder(), 1);
    f.Show();
    EXPECT_TRUE(b[2]->Focused()); // the first in the tab order
    SimulateKeyStroke(VK_TAB);
    EXPECT_TRUE(b[0]->Focused());
    SimulateKeyStroke(VK_TAB);
    EXPECT_TRUE(b[1]->Focused());
    SimulateKeyStroke(VK_TAB);
    EXPECT_TRUE(b[2]->Focused());
    SimulateKeyStroke(VK_TAB, {ssShift});
    EXPECT_TRUE(b[1]->Focused());
    f.SelectNext(b[1], false, true);
    EXPECT_TRUE(b[0]->Focused());
    EXPECT_EQ(f.GetActiveControl(), b[0]);
}

TEST_F(Formularios, KeyPreviewDejaAlFormularioVerYQuitarLasTeclas) {
    Dialogo d;
    d.Show();
    std::vector<WORD> vistas;
    d.OnKeyDown = [&](TObject*, WORD& k, TShiftState) {
        vistas.push_back(k);
        if (k == 'X') k = 0;
    };
    // The field takes characters, so that they do not work the buttons' letters.
    d.campo->dlgCode = DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    std::vector<WORD> enCampo;
    d.campo->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { enCampo.push_back(k); };
    SimulateKeyStroke('A');
    EXPECT_TRUE(vistas.empty()); // without KeyPreview the form sees nothing
    d.SetKeyPreview(true);
    SimulateKeyStroke('B');
    SimulateKeyStroke('X');
    EXPECT_EQ(vistas, (std::vector<WORD>{'B', 'X'}));
    EXPECT_EQ(enCampo, (std::vector<WORD>{'A', 'B'})); // 'X' was taken by the form
    EXPECT_EQ(d.clicsAceptar, 0);
}

// --- creation and the application ---

class ConCarga : public TForm {
public:
    explicit ConCarga(TComponent* owner) : TForm(owner) {
        BeginLoading();
        OnCreate = [this](TObject*) {
            creadoConBoton = boton != nullptr;
            ++creaciones;
        };
        boton = new TButton(this);
        boton->SetParent(this);
        SetCaption("Calculo promedio");
        EndLoading();
    }
    TButton* boton = nullptr;
    bool creadoConBoton = false;
    int creaciones = 0;
};

TEST_F(Formularios, OnCreateCorreAlFinalDeLaCargaUnaSolaVez) {
    ConCarga f(nullptr);
    EXPECT_EQ(f.creaciones, 1);
    EXPECT_TRUE(f.creadoConBoton);
    f.Show();
    EXPECT_EQ(f.creaciones, 1);
}

TEST_F(Formularios, RunMuestraElPrincipalYTerminaAlCerrarlo) {
    ConCarga* principal = nullptr;
    Application->CreateForm(principal);
    ASSERT_NE(principal, nullptr);
    EXPECT_EQ(Application->GetMainForm(), principal);
    EXPECT_EQ(principal->creaciones, 1);
    auto vivo = principal->Watch();
    bool visto = false, terminado = false;
    // Closing the main form ends the loop; a timer keeps a broken loop from hanging.
    QTimer::singleShot(0, [&] {
        visto = principal->GetVisible();
        PostMessage(principal->GetHandle(), WM_CLOSE, 0, 0);
    });
    QTimer seguridad;
    seguridad.setSingleShot(true);
    QObject::connect(&seguridad, &QTimer::timeout, [] { Application->Terminate(); });
    seguridad.start(10000);
    principal->OnClose = [&](TObject*, TCloseAction&) { terminado = true; };
    Application->Run();
    EXPECT_TRUE(visto);
    EXPECT_TRUE(terminado);
    EXPECT_TRUE(vivo.expired()); // the application's forms go when Run ends
    EXPECT_EQ(Application->GetMainForm(), nullptr);
}

TEST_F(Formularios, MessageBoxDeLaAplicacionPasaPorLosGanchos) {
    Guion().AnswerMessageBox(IDNO);
    EXPECT_EQ(Application->MessageBox("¿Desea guardar los cambios?", "Información",
                                      MB_YESNOCANCEL | MB_ICONINFORMATION),
              IDNO);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].flags, 0x43u);
    EXPECT_EQ(Guion().ShownBoxes()[0].caption, "Información");
}

} // namespace
