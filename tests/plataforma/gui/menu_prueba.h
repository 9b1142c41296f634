#pragma once
// Menu items for the tests: made by an owner, placed under a parent item.

#include "plataforma/gui/forms/menus.h"

inline TMenuItem* Item(TComponent* owner, TMenuItem* padre, const char* texto,
                       TShortCut atajo = 0) {
    auto* i = new TMenuItem(owner);
    i->SetCaption(texto);
    i->SetShortCut(atajo);
    padre->Add(i);
    return i;
}
