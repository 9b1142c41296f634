#pragma once
// A small windowed control for the tests: it records every message it receives and lets a
// test answer WM_GETDLGCODE or rewrite keys in its handlers.

#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/controls.h"

#include <functional>
#include <vector>

struct Recibido {
    TControl* control;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Shared log, so that the order across controls shows.
inline std::vector<Recibido>& Registro() {
    static std::vector<Recibido> r;
    return r;
}

class TControlPrueba : public TCustomControl {
public:
    explicit TControlPrueba(TComponent* owner, TWinControl* parent = nullptr)
        : TCustomControl(owner) {
        SetBounds(0, 0, 100, 30);
        if (parent) SetParent(parent);
    }

    unsigned dlgCode = 0;
    std::function<void(TWMKey&)> alPulsar;    // WM_KEYDOWN, before the inherited handling
    std::function<void(TWMKey&)> alCaracter;  // WM_CHAR, before the inherited handling
    std::function<void(TMessage&)> alMensaje; // any message, before dispatch
    int pintadas = 0;

    std::vector<Recibido> De(UINT msg) const {
        std::vector<Recibido> out;
        for (const Recibido& r : Registro())
            if (r.control == this && r.msg == msg) out.push_back(r);
        return out;
    }

protected:
    void WndProc(TMessage& m) override {
        Registro().push_back({this, m.Msg, m.WParam, m.LParam});
        if (alMensaje) alMensaje(m);
        TCustomControl::WndProc(m);
    }
    void Dispatch(TMessage& m) override {
        switch (m.Msg) {
        case WM_GETDLGCODE:
            m.Result = dlgCode;
            return;
        case WM_KEYDOWN:
            return CallMessageHandler(this, &TControlPrueba::WMKeyDown, m);
        case WM_CHAR:
            return CallMessageHandler(this, &TControlPrueba::WMChar, m);
        default:
            TCustomControl::Dispatch(m);
        }
    }
    void Paint() override { ++pintadas; }

private:
    void WMKeyDown(TWMKey& m) {
        if (alPulsar) alPulsar(m);
        TCustomControl::Dispatch(m);
    }
    void WMChar(TWMKey& m) {
        if (alCaracter) alCaracter(m);
        TCustomControl::Dispatch(m);
    }
};

// A top-level window made visible, with the controls the tests place in it.
class VentanaPrueba : public TCustomControl {
public:
    VentanaPrueba() : TCustomControl(nullptr) {
        SetBounds(10, 10, 400, 300);
        HandleNeeded();
    }
};
