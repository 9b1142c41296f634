#pragma once
// Shared by the tests of the standard controls: a window for them, a control that records
// its messages and lets a test intercept them, and the standard edit menu driven as a user
// drives it.

#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/testing/input_simulation.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

// A control of class Base whose messages are logged (in Registro()) and may be taken by a
// test before the class sees them: alMensaje returns true when it consumed the message.
template <class Base> class Espia : public Base {
public:
    explicit Espia(TWinControl* parent) : Base(parent) { this->SetParent(parent); }

    std::function<bool(TMessage&)> alMensaje;

    std::vector<UINT> Mensajes(std::initializer_list<UINT> cuales) const {
        std::vector<UINT> out;
        for (const Recibido& r : Registro())
            if (r.control == this)
                for (UINT m : cuales)
                    if (r.msg == m) out.push_back(r.msg);
        return out;
    }

protected:
    void WndProc(TMessage& m) override {
        Registro().push_back({this, m.Msg, m.WParam, m.LParam});
        if (alMensaje && alMensaje(m)) return;
        Base::WndProc(m);
    }
};

// The popup menu open now (the standard edit menu or a TPopupMenu), or nullptr.
inline QMenu* MenuAbierto() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// The captions of the open menu's items, without "&", separators left out.
inline std::vector<std::string> OpcionesDelMenu() {
    std::vector<std::string> out;
    if (QMenu* m = MenuAbierto())
        for (QAction* a : m->actions())
            if (!a->isSeparator()) out.push_back(a->text().remove('&').toStdString());
    return out;
}

// Chooses an item of the open menu as a click on it does; false when there is none so
// named or it is disabled.
inline bool ElegirDelMenu(const char* titulo) {
    QMenu* m = MenuAbierto();
    if (!m) return false;
    for (QAction* a : m->actions())
        if (a->text().remove('&') == QString::fromUtf8(titulo)) {
            if (!a->isEnabled()) return false;
            m->close();
            a->trigger();
            return true;
        }
    return false;
}

inline void CerrarMenus() {
    while (QMenu* m = MenuAbierto())
        m->close();
}

// A right click at a client point.
inline void ClicDerecho(TControl* c, int x, int y) {
    SimulateMouse(c, SimulatedMouse::Down, 1, x, y);
    SimulateMouse(c, SimulatedMouse::Up, 1, x, y);
}

// A test of controls on a fresh window: the input state and the message log start empty,
// and the menus left open are closed with the window.
class PruebaControles : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        Registro().clear();
    }
    void TearDown() override {
        CerrarMenus();
        ventana.reset();
        ResetInputState();
        Registro().clear();
    }
    std::unique_ptr<VentanaPrueba> ventana;
};
