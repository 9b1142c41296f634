// Menus: the item tree, what Qt shows, shortcuts matched in the layer's key dispatch (the
// focused control's popup menu, then the form's menu, then the frame's), and popup menus.

#include "tests/comun/pruebas.h"
#include "tests/plataforma/gui/control_prueba.h"
#include "tests/plataforma/gui/menu_prueba.h"

#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/button.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

std::vector<std::string> Textos(QWidget* w) {
    std::vector<std::string> t;
    for (QAction* a : w->actions()) {
        std::string s = a->isSeparator() ? "-" : FromQString(a->text()).str();
        // Qt reports a hidden action as disabled too.
        if (!a->isVisible())
            s += " (oculto)";
        else if (!a->isEnabled())
            s += " (inactivo)";
        t.push_back(s);
    }
    return t;
}

// A form with a field, the menu "&Archivo" (Guardar Ctrl+S, a disabled Exportar Ctrl+E, a
// hidden Crear Ctrl+N) and a popup menu on the field (Eliminar, Delete).
class Menus : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        forma = std::make_unique<TForm>(nullptr);
        campo = new TControlPrueba(forma.get(), forma.get());
        campo->SetTabStop(true);
        campo->dlgCode = DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        menu = new TMainMenu(forma.get());
        archivo = Item(forma.get(), menu->GetItems(), "&Archivo");
        guardar = Item(forma.get(), archivo, "&Guardar", ShortCut('S', {ssCtrl}));
        Item(forma.get(), archivo, "-");
        exportar = Item(forma.get(), archivo, "Exportar", ShortCut('E', {ssCtrl}));
        exportar->SetEnabled(false);
        crear = Item(forma.get(), archivo, "Crear", ShortCut('N', {ssCtrl}));
        crear->SetVisible(false);
        forma->SetMenu(menu);
        popup = new TPopupMenu(forma.get());
        eliminar = Item(forma.get(), popup->GetItems(), "Eliminar", ShortCut(VK_DELETE, {}));
        campo->SetPopupMenu(popup);
        for (TMenuItem* i : {archivo, guardar, exportar, crear, eliminar})
            i->OnClick = [this](TObject* s) {
                clics.push_back(static_cast<TMenuItem*>(s)->GetCaption().c_str());
            };
        forma->Show();
        Registro().clear();
    }
    void TearDown() override {
        forma.reset();
        ResetInputState();
        Registro().clear();
    }
    std::unique_ptr<TForm> forma;
    TControlPrueba* campo;
    TMainMenu* menu;
    TPopupMenu* popup;
    TMenuItem *archivo, *guardar, *exportar, *crear, *eliminar;
    std::vector<std::string> clics;
};

TEST_F(Menus, QtMuestraLosElementosSinAtajosPropios) {
    QMenuBar* barra = forma->GetMenuBarWidget();
    ASSERT_NE(barra, nullptr);
    EXPECT_FALSE(barra->isNativeMenuBar());
    EXPECT_EQ(Textos(barra), (std::vector<std::string>{"&Archivo"}));
    QMenu* sub = archivo->SubMenu();
    EXPECT_EQ(Textos(sub),
              (std::vector<std::string>{"&Guardar\tCtrl+S", "-", "Exportar\tCtrl+E (inactivo)",
                                        "Crear\tCtrl+N (oculto)"}));
    for (QAction* a : sub->actions())
        EXPECT_TRUE(a->shortcut().isEmpty()); // Qt never takes the keys
    // Changes after the menu is shown reach it.
    auto* nuevo = new TMenuItem(forma.get());
    nuevo->SetCaption("&Nuevo");
    archivo->Insert(0, nuevo);
    exportar->SetEnabled(true);
    guardar->SetCaption("Guardar &como");
    EXPECT_EQ(Textos(sub),
              (std::vector<std::string>{"&Nuevo", "Guardar &como\tCtrl+S", "-", "Exportar\tCtrl+E",
                                        "Crear\tCtrl+N (oculto)"}));
    // Choosing it in Qt clicks the item; opening the submenu clicks its parent first.
    sub->actions()[1]->trigger();
    emit sub->aboutToShow();
    EXPECT_EQ(clics, (std::vector<std::string>{"Guardar &como", "&Archivo"}));
}

// The separator is a plain line across the menu: nothing of the "-" that marks it is drawn
// (no text-coloured pixel), and the line starts at the left, not after a text.
TEST_F(Menus, ElSeparadorEsUnaLineaSola) {
    QMenu* sub = archivo->SubMenu();
    sub->ensurePolished();
    sub->adjustSize();
    QAction* linea = sub->actions()[1];
    ASSERT_TRUE(linea->isSeparator());
    const QRect r = sub->actionGeometry(linea);
    ASSERT_FALSE(r.isEmpty());
    const QImage imagen = sub->grab().toImage();
    const QColor texto = sub->palette().color(QPalette::Text);
    int izquierda = r.right(), oscuros = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = imagen.pixelColor(x, y);
            if (c == sub->palette().color(QPalette::Window)) continue;
            izquierda = std::min(izquierda, x);
            if (std::abs(c.lightness() - texto.lightness()) < 40) ++oscuros;
        }
    EXPECT_EQ(oscuros, 0);
    EXPECT_LT(izquierda, r.left() + r.width() / 8);
}

TEST_F(Menus, LosAtajosDelMenuLosAtiendeElFormularioAntesQueElControl) {
    campo->SetFocus();
    SimulateKeyStroke('S', {ssCtrl});
    // The parents are clicked first, as opening them would.
    EXPECT_EQ(clics, (std::vector<std::string>{"&Archivo", "&Guardar"}));
    EXPECT_TRUE(campo->De(WM_KEYDOWN).empty()); // the control never saw it
    clics.clear();
    // A disabled item takes its key and does nothing; a hidden one still works.
    SimulateKeyStroke('E', {ssCtrl});
    EXPECT_EQ(clics, (std::vector<std::string>{"&Archivo"}));
    SimulateKeyStroke('N', {ssCtrl});
    EXPECT_EQ(clics, (std::vector<std::string>{"&Archivo", "&Archivo", "Crear"}));
    EXPECT_TRUE(campo->De(WM_KEYDOWN).empty());
    // A disabled parent stops the click too.
    clics.clear();
    archivo->SetEnabled(false);
    SimulateKeyStroke('S', {ssCtrl});
    EXPECT_TRUE(clics.empty());
    // Without a shortcut the key goes on to the control.
    SimulateKeyStroke('Q', {ssCtrl});
    EXPECT_EQ(campo->De(WM_KEYDOWN).back().wParam, static_cast<WPARAM>('Q'));
}

TEST_F(Menus, ElMenuContextualDelControlEnfocadoVaPrimero) {
    // The form's menu has Delete too; the field's popup menu wins while the field has the
    // focus, and the key never reaches the field.
    auto* borrar = Item(forma.get(), archivo, "Borrar", ShortCut(VK_DELETE, {}));
    borrar->OnClick = [this](TObject*) { clics.push_back("Borrar"); };
    campo->SetFocus();
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(clics, (std::vector<std::string>{"Eliminar"}));
    EXPECT_TRUE(campo->De(WM_KEYDOWN).empty());
    EXPECT_EQ(campo->De(WM_KEYUP).size(), 1u); // the release still arrives, as on Windows
    // Without the popup menu, the form's menu has it.
    campo->SetPopupMenu(nullptr);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(clics, (std::vector<std::string>{"Eliminar", "&Archivo", "Borrar"}));
    // A destroyed popup menu is forgotten.
    campo->SetPopupMenu(popup);
    delete popup;
    EXPECT_EQ(campo->GetPopupMenu(), nullptr);
}

TEST_F(Menus, UnClicDerechoAbreElMenuContextualTrasOnPopup) {
    std::vector<std::string> orden;
    popup->OnPopup = [&](TObject* s) {
        orden.push_back("OnPopup");
        EXPECT_EQ(s, popup);
        EXPECT_EQ(popup->GetPopupComponent(), campo);
    };
    campo->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
        if (b == mbRight) orden.push_back("MouseUp");
    };
    SimulateMouse(campo, SimulatedMouse::Down, 1, 5, 6);
    SimulateMouse(campo, SimulatedMouse::Up, 1, 5, 6);
    EXPECT_EQ(orden, (std::vector<std::string>{"OnPopup", "MouseUp"}));
    ASSERT_TRUE(popup->IsPopupShowing());
    EXPECT_EQ(popup->GetPopupPoint(), campo->ClientToScreen(Point(5, 6)));
    EXPECT_EQ(popup->GetItems()->SubMenu()->pos(),
              QPoint(popup->GetPopupPoint().x, popup->GetPopupPoint().y));
    // The choice clicks the item.
    popup->GetItems()->SubMenu()->actions()[0]->trigger();
    EXPECT_EQ(clics, (std::vector<std::string>{"Eliminar"}));
    popup->CloseMenu();
    EXPECT_FALSE(popup->IsPopupShowing());
    // A menu that OnPopup leaves empty does not open.
    popup->OnPopup = [&](TObject*) { eliminar->SetVisible(false); };
    popup->Popup(10, 10);
    EXPECT_FALSE(popup->IsPopupShowing());
}

TEST_F(Menus, UnControlSinMenuContextualPasaElClicDerechoASuPadre) {
    auto* panel = new TControlPrueba(forma.get(), forma.get());
    auto* dentro = new TControlPrueba(forma.get(), panel);
    panel->SetPopupMenu(popup);
    int abiertos = 0;
    popup->OnPopup = [&](TObject*) { ++abiertos; };
    SimulateMouse(dentro, SimulatedMouse::Down, 1, 2, 2);
    SimulateMouse(dentro, SimulatedMouse::Up, 1, 2, 2);
    EXPECT_EQ(abiertos, 1);
    EXPECT_EQ(popup->GetPopupComponent(), panel);
    popup->CloseMenu();
}

TEST_F(Menus, AltConLaLetraDeUnMenuLoAbreSiNingunControlLaUsa) {
    // The menu bar's own Qt shortcut takes the layer's key road too.
    QShortcutEvent atajo(QKeySequence(Qt::ALT | Qt::Key_A), 0, false);
    QApplication::sendEvent(forma->GetMenuBarWidget(), &atajo);
    QMenu* sub = archivo->SubMenu();
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(clics, (std::vector<std::string>{"&Archivo"})); // opening it clicks it
    sub->close();
    // A control's letter comes first, as the form's dialog keys do.
    auto* aceptar = new TButton(forma.get());
    aceptar->SetParent(forma.get());
    aceptar->SetCaption("&Aceptar");
    int pulsado = 0;
    aceptar->OnClick = [&](TObject*) { ++pulsado; };
    campo->SetFocus();
    SimulateKeyStroke('A', {ssAlt});
    EXPECT_EQ(pulsado, 1);
    EXPECT_FALSE(sub->isVisible());
    EXPECT_EQ(clics.size(), 1u);
    ResetInputState();
}

TEST_F(Menus, F10LlevaElTecladoALaBarraDeMenus) {
    campo->SetFocus();
    SimulateKeyStroke(VK_F10, {});
    QMenu* sub = archivo->SubMenu();
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(forma->GetMenuBarWidget()->activeAction(), archivo->Action());
    sub->close();
    // Shift+F10 is still the context menu's, not the bar's.
    SimulateKeyStroke(VK_F10, {ssShift});
    EXPECT_FALSE(sub->isVisible());
    ResetInputState();
}

TEST(MenusMdi, LosAtajosDelMarcoFuncionanDesdeUnaHija) {
    ResetInputState();
    TForm marco(nullptr);
    marco.SetFormStyle(fsMDIForm);
    auto* menu = new TMainMenu(&marco);
    auto* archivo = Item(&marco, menu->GetItems(), "&Archivo");
    auto* guardar = Item(&marco, archivo, "Guardar", ShortCut('S', {ssCtrl}));
    int guardados = 0;
    guardar->OnClick = [&](TObject*) { ++guardados; };
    marco.SetMenu(menu);
    marco.Show();
    auto* hija = new TForm(&marco);
    hija->SetFormStyle(fsMDIChild);
    auto* campo = new TControlPrueba(hija, hija);
    campo->SetTabStop(true);
    campo->SetFocus();
    SimulateKeyStroke('S', {ssCtrl});
    EXPECT_EQ(guardados, 1);
    ResetInputState();
}

TEST(MenuElementos, ArbolDeElementos) {
    TComponent dueno(nullptr);
    TMainMenu menu(&dueno);
    TMenuItem* raiz = menu.GetItems();
    auto* a = Item(&dueno, raiz, "&Archivo");
    auto* b = Item(&dueno, raiz, "&Edición");
    auto* c = Item(&dueno, a, "Salir");
    EXPECT_EQ(raiz->GetCount(), 2);
    EXPECT_EQ(b->GetMenuIndex(), 1);
    EXPECT_EQ(raiz->Find("edición"), b); // "&" and case ignored
    EXPECT_EQ(c->GetParentMenu(), &menu);
    EXPECT_EQ(menu.FindItem(0, fkShortCut), nullptr);
    EXPECT_THROW(c->Add(a), EMenuError); // into itself
    EXPECT_THROW(raiz->GetItems(2), EMenuError);
    b->SetMenuIndex(0);
    EXPECT_EQ(raiz->GetItems(0), b);
    c->SetShortCut(ShortCut(VK_F4, {ssAlt}));
    EXPECT_EQ(menu.FindItem(ShortCut(VK_F4, {ssAlt}), fkShortCut), c);
    // Moving an item takes it from its old parent.
    b->Add(c);
    EXPECT_EQ(a->GetCount(), 0);
    EXPECT_EQ(c->GetParent(), b);
    raiz->Remove(a); // out of the menu, not destroyed
    EXPECT_EQ(raiz->GetCount(), 1);
    EXPECT_EQ(a->GetParent(), nullptr);
    delete b; // takes its items with it
    EXPECT_EQ(raiz->GetCount(), 0);
    EXPECT_EQ(dueno.GetComponentCount(), 2); // the menu and a
    // Radio items: one checked per group of siblings.
    auto* r1 = Item(&dueno, raiz, "Uno");
    auto* r2 = Item(&dueno, raiz, "Dos");
    r1->SetRadioItem(true);
    r2->SetRadioItem(true);
    r1->SetChecked(true);
    r2->SetChecked(true);
    EXPECT_FALSE(r1->GetChecked());
}

TEST(MenuTextos, AtajosComoTextoYLetrasDeAcceso) {
    struct Caso {
        TShortCut atajo;
        const char* texto;
    } casos[] = {
        {ShortCut('S', {ssCtrl}), "Ctrl+S"},
        {ShortCut(VK_DELETE, {}), "Supr"},
        {ShortCut(VK_F3, {ssShift}), "Mayús+F3"},
        {ShortCut(VK_RETURN, {ssCtrl, ssAlt}), "Ctrl+Alt+Intro"},
        {ShortCut(VK_NEXT, {}), "AvPág"},
        {ShortCut(VK_NUMPAD5, {}), "Num 5"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(ShortCutToText(c.atajo), c.texto);
        EXPECT_EQ(TextToShortCut(c.texto), c.atajo) << c.texto;
    }
    EXPECT_EQ(TextToShortCut("shift+del"), ShortCut(VK_DELETE, {ssShift}));
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    WORD k;
    TShiftState s;
    ShortCutToKey(ShortCut('X', {ssAlt}), k, s);
    EXPECT_EQ(k, 'X');
    EXPECT_EQ(s, TShiftState{ssAlt});

    EXPECT_EQ(StripHotkey("&Guardar && salir"), "Guardar & salir");
    EXPECT_EQ(GetHotkey("Guardar && &salir"), 's');
    EXPECT_EQ(GetHotkey("Sin letra"), 0);
    EXPECT_TRUE(IsAccel('S', "Guardar && &salir"));
    EXPECT_TRUE(IsAccel(static_cast<unsigned char>('Ñ'), "&ñu"));
    EXPECT_FALSE(IsAccel('G', "Guardar"));
}

} // namespace
