// What the window system's modal windows leave behind once closed: the dialog under a message
// box active again with its control focused, and the menu bar of a maximised MDI child as it
// was before a modal dialog.

#include "tests/comun/pruebas.h"
#include "tests/plataforma/gui/menu_prueba.h"

#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/forms/qt_modal_hooks.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/edit.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The window system's hooks for one test; the scripted ones come back after it.
class ConGanchosQt : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        anteriores = &GetModalHooks();
        SetModalHooks(&qt);
        // A loop the test failed to end is ended, so that it never hangs.
        seguridad.setSingleShot(true);
        QObject::connect(&seguridad, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        seguridad.start(10000);
    }
    void TearDown() override {
        SetModalHooks(anteriores);
        Application->ProcessMessages();
    }
    QtModalHooks qt;
    ModalHooks* anteriores = nullptr;
    QTimer seguridad;
};

class Dialogo : public TForm {
public:
    explicit Dialogo(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsDialog);
        SetCaption("Nuevo grupo");
        SetBounds(100, 100, 300, 120);
        edGrupo = new TEdit(this);
        edGrupo->SetParent(this);
        edGrupo->SetBounds(10, 10, 200, 21);
    }
    TEdit* edGrupo;
};

TEST_F(ConGanchosQt, TrasUnaCajaDeMensajeElDialogoVuelveASerActivoConSuControlEnfocado) {
    Dialogo dialogo(nullptr);
    bool cajaVista = false;
    QWidget *activaAntes = nullptr, *activaTras = nullptr;
    TWinControl* enfocadoAntes = nullptr;
    std::pair<int, int> selTras;
    TWinControl* enfocadoTras = nullptr;
    std::string textoTras;
    dialogo.OnShow = [&](TObject*) {
        QTimer::singleShot(0, [&] {
            dialogo.edGrupo->SetFocus();
            dialogo.edGrupo->SetText("Muros");
            dialogo.edGrupo->SetSelStart(5);
            activaAntes = QApplication::activeWindow();
            enfocadoAntes = Screen->GetActiveControl();
            // The box closes as a user's Aceptar closes it.
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                cajaVista = box != nullptr;
                if (box) box->accept();
            });
            Application->MessageBox("El nombre del grupo ya está siendo utilizado", "Información",
                                    MB_OK | MB_ICONINFORMATION);
            Application->ProcessMessages();
            QCoreApplication::processEvents();
            activaTras = QApplication::activeWindow();
            enfocadoTras = Screen->GetActiveControl();
            selTras = {dialogo.edGrupo->GetSelStart(), dialogo.edGrupo->GetSelLength()};
            // A key typed now, to whatever has the keyboard.
            SimulateTyping("s");
            textoTras = dialogo.edGrupo->GetText().c_str();
            dialogo.SetModalResult(mrCancel);
        });
    };
    dialogo.ShowModal();
    EXPECT_TRUE(cajaVista);
    EXPECT_EQ(activaAntes, dialogo.GetWidget()->window());
    EXPECT_EQ(enfocadoAntes, dialogo.edGrupo);
    EXPECT_EQ(activaTras, dialogo.GetWidget()->window());
    EXPECT_EQ(enfocadoTras, dialogo.edGrupo);
    // The caret where the user left it, the key typed there.
    EXPECT_EQ(selTras, std::make_pair(5, 0));
    EXPECT_EQ(textoTras, "Muross");
}

class Marco : public TForm {
public:
    Marco() : TForm(nullptr) {
        SetFormStyle(fsMDIForm);
        SetCaption("Gestión de la Base de Datos");
        SetBounds(0, 0, 800, 600);
        auto* menu = new TMainMenu(this);
        Item(this, menu->GetItems(), "&Archivo");
        Item(this, menu->GetItems(), "&Ventana");
        SetMenu(menu);
    }
};

QRect PrimerMenu(QWidget* ventana) {
    auto* barra = ventana->findChild<QMenuBar*>();
    if (!barra || barra->actions().isEmpty()) return {};
    return barra->actionGeometry(barra->actions().first());
}

TEST_F(ConGanchosQt, LaBarraDeMenusDeUnaHijaMaximizadaNoCambiaTrasUnDialogoModal) {
    for (bool sinIconos : {false, true}) {
        SCOPED_TRACE(sinIconos ? "sin menú de sistema" : "con menú de sistema");
        auto marco = std::make_unique<Marco>();
        marco->Show();
        auto* hija = new TForm(marco.get());
        hija->SetFormStyle(fsMDIChild);
        hija->SetCaption("ejemplo.bdc");
        hija->SetWindowState(wsMaximized);
        hija->Show();
        if (sinIconos)
            hija->SetBorderIcons(hija->GetBorderIcons() -
                                 TBorderIcons{biSystemMenu, biMinimize, biMaximize});
        Application->ProcessMessages();
        QCoreApplication::processEvents();
        QWidget* ventana = marco->GetWidget()->window();
        const QRect antes = PrimerMenu(ventana);
        ASSERT_FALSE(antes.isNull());

        Dialogo dialogo(nullptr);
        dialogo.OnShow = [&](TObject*) {
            QTimer::singleShot(0, [&] { dialogo.SetModalResult(mrOk); });
        };
        EXPECT_EQ(dialogo.ShowModal(), mrOk);
        Application->ProcessMessages();
        QCoreApplication::processEvents();
        EXPECT_EQ(PrimerMenu(ventana), antes) << antes.x();
    }
}

} // namespace
