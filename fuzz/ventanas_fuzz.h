#pragma once
// What the targets that make controls share: the window system, started once and offscreen.

#include "plataforma/gui/kernel/application.h"

#include <cstdlib>

inline void IniciarVentanas() {
    static const bool iniciado = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        Application->Initialize();
        return true;
    }();
    (void)iniciado;
}
