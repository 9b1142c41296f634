// The edit with a button: the click and F4, typing and the clipboard while typing is off,
// the room left for the button and the unit, the minimum height; the unit selector's menu
// (a unit chosen, an empty list, identifiers out of range); and a capture of each look.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/edit_button.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/themes.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/services/clipboard.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

namespace {

class PruebaEditBoton : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        boton = new TKsgEditBtn(ventana.get());
        boton->SetParent(ventana.get());
        boton->SetBounds(120, 100, 150, 24);
        boton->OnClickBtn = [this](TObject* s) {
            EXPECT_EQ(s, boton);
            ++clics;
        };
        unidad = new TKsgUnitEditBtn(ventana.get());
        unidad->SetParent(ventana.get());
        unidad->SetBounds(120, 140, 150, 24);
        unidad->OnClickBtn = [this](TObject*) { ++clicsUnidad; };
    }
    void TearDown() override {
        if (QWidget* w = QApplication::activePopupWidget()) w->close();
        PruebaKav::TearDown();
    }
    // The menu on the screen, or nullptr.
    static QMenu* MenuAbierto() {
        Application->ProcessMessages();
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    // A click on an item of the menu, as the user makes it.
    static void Elegir(QMenu* menu, int indice) {
        QAction* a = menu->actions().at(indice);
        const QPoint p = menu->actionGeometry(a).center();
        for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(t, p, menu->mapToGlobal(p), Qt::LeftButton,
                          t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
            QApplication::sendEvent(menu, &e);
        }
        Application->ProcessMessages();
    }
    void ClicEnElBoton(TKsgEditBtn* e) {
        TKavSpeedButton* b = e->GetButton()->GetButton();
        SimulateClick(b, b->GetWidth() / 2, b->GetHeight() / 2);
    }
    TKsgEditBtn* boton = nullptr;
    TKsgUnitEditBtn* unidad = nullptr;
    int clics = 0, clicsUnidad = 0;
};

TEST_F(PruebaEditBoton, ElClicYF4DisparanOnClickBtnYElClicEnfocaElEdit) {
    EXPECT_EQ(boton->GetText(), "0");
    ClicEnElBoton(boton);
    EXPECT_EQ(clics, 1);
    EXPECT_TRUE(boton->Focused());
    SimulateKeyStroke(VK_F4);
    EXPECT_EQ(clics, 2);
    // Only the left button clicks.
    TKavSpeedButton* b = boton->GetButton()->GetButton();
    SimulateMouse(b, SimulatedMouse::Down, 1, 3, 3);
    SimulateMouse(b, SimulatedMouse::Up, 1, 3, 3);
    EXPECT_EQ(clics, 2);
}

TEST_F(PruebaEditBoton, SinEdicionNoSeEscribeNiSePegaNiSeCorta) {
    boton->SetFocus();
    boton->SelectAll();
    SimulateTyping("12");
    EXPECT_EQ(boton->GetText(), "12");
    boton->SetEditorEnabled(false);
    SimulateTyping("3");
    Clipboard()->SetAsText("99");
    boton->SelectAll();
    boton->PasteFromClipboard();
    boton->CutToClipboard();
    EXPECT_EQ(boton->GetText(), "12");
    boton->SetEditorEnabled(true);
    boton->SetReadOnly(true);
    boton->SelectAll();
    boton->CutToClipboard();
    EXPECT_EQ(boton->GetText(), "12");
    boton->SetReadOnly(false);
    boton->SelectAll();
    boton->PasteFromClipboard();
    EXPECT_EQ(boton->GetText(), "99");
}

TEST_F(PruebaEditBoton, ElBotonDentroDelBordeYElTextoDejaSitioAlBotonYALaUnidad) {
    TKsgEditButton* b = boton->GetButton();
    EXPECT_EQ(b->GetBoundsRect(), TRect(150 - 18 - 5, 0, 150 - 5, 24 - 5));
    EXPECT_EQ(b->GetButton()->GetBoundsRect(), TRect(0, 0, 18, 19));
    TRect r;
    boton->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Right, boton->GetClientWidth() - 18 - 3);
    // A new width keeps the button at the edge and the text before it.
    boton->SetButtonWidth(30);
    EXPECT_EQ(b->GetBoundsRect(), TRect(150 - 30 - 5, 0, 150 - 5, 24 - 5));
    EXPECT_EQ(b->GetButton()->GetWidth(), 30);
    boton->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Right, boton->GetClientWidth() - 30 - 3);
    // With the unit's 20 pixels the text ends 26 pixels plus the button before the edge.
    unidad->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Right, unidad->GetClientWidth() - 18 - 26);
    unidad->SetUnitSpace(0);
    unidad->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Right, unidad->GetClientWidth() - 18 - 3);
    // Below its font's height the edit snaps back.
    boton->SetHeight(4);
    EXPECT_EQ(boton->GetHeight(), boton->GetMinHeight());
    EXPECT_GT(boton->GetMinHeight(), 10);
}

TEST_F(PruebaEditBoton, ElMenuDeUnidadesEligeLaUnidadSinOnClickBtn) {
    unidad->GetUnits()->Add("m");
    unidad->GetUnits()->Add("cm");
    unidad->GetUnits()->Add("mm");
    unidad->SetUnitID("m");
    unidad->SetText("2,5");
    ClicEnElBoton(unidad);
    QMenu* menu = MenuAbierto();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions().at(1)->text(), "cm");
    // Under the button, at the bottom of the edit.
    const TPoint esquina =
        unidad->ClientToScreen(TPoint(unidad->GetClientWidth() - 15, unidad->GetClientHeight()));
    EXPECT_EQ(menu->pos(), QPoint(esquina.x, esquina.y));
    Elegir(menu, 1);
    EXPECT_EQ(unidad->GetUnitID(), "cm");
    EXPECT_EQ(unidad->GetText(), "2,5");
    EXPECT_EQ(clicsUnidad, 0);
    EXPECT_EQ(MenuAbierto(), nullptr);

    // Identifiers outside the list, and the edit's own notifications, change nothing.
    for (WPARAM w : {MAKEWPARAM(0, 0), MAKEWPARAM(4, 0), MAKEWPARAM(2, EN_CHANGE)})
        unidad->Perform(WM_COMMAND, w, 0);
    EXPECT_EQ(unidad->GetUnitID(), "cm");
    unidad->Perform(WM_COMMAND, MAKEWPARAM(3, 0), 0);
    EXPECT_EQ(unidad->GetUnitID(), "mm");
}

TEST_F(PruebaEditBoton, UnaListaVaciaAbreUnMenuVacioQueNoCambiaNada) {
    unidad->SetUnitID("kg");
    ClicEnElBoton(unidad);
    QMenu* menu = MenuAbierto();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions().isEmpty());
    menu->close();
    Application->ProcessMessages();
    EXPECT_EQ(unidad->GetUnitID(), "kg");
    // A list given is copied; none is ignored.
    TStringList otras;
    otras.Add("W");
    unidad->SetUnits(&otras);
    otras.Add("kW");
    unidad->SetUnits(nullptr);
    EXPECT_EQ(unidad->GetUnits()->GetCount(), 1);
}

TEST_F(PruebaEditBoton, CapturaDeCadaAspecto) {
    boton->SetText("Ladrillo hueco");
    boton->SetButtonCaption("...");
    TKsgEditBtn* plano = new TKsgEditBtn(ventana.get());
    plano->SetParent(ventana.get());
    plano->SetBounds(120, 175, 150, 24);
    plano->SetButtonCaption("...");
    plano->GetButton()->SetFlat(true);
    TKsgEditBtn* encima = new TKsgEditBtn(ventana.get());
    encima->SetParent(ventana.get());
    encima->SetBounds(120, 205, 150, 24);
    encima->SetButtonCaption("...");
    encima->GetButton()->SetFlat(true);
    TKsgEditBtn* tema = new TKsgEditBtn(ventana.get());
    tema->SetParent(ventana.get());
    tema->SetBounds(120, 235, 150, 24);
    tema->SetButtonCaption("...");
    tema->SetIsWinXP(true);
    unidad->SetText("0,35");
    unidad->SetUnitID("m");
    SetThemeActive(true);
    SimulateMouseEnter(encima->GetButton()->GetButton());
    SimulateMouseEnter(tema->GetButton()->GetButton());
    EXPECT_TRUE(encima->GetButton()->GetButton()->GetHot());
    const AnsiString ruta = SaveCapture(ventana.get(), "edit-boton-aspectos");
    SetThemeActive(false);
    EXPECT_FALSE(ruta.IsEmpty());
}

} // namespace
