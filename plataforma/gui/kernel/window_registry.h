#pragma once
// Inside the platform layer only: window handles of windowed controls, and the control of
// each widget the layer made.

#include "plataforma/gui/kernel/win_types.h"

class QWidget;
class TControl;
class TWinControl;

// A new handle, never given before.
HWND RegisterWindow(TWinControl* Control);
void UnregisterWindow(HWND Handle);
void RegisterWidget(const QWidget* Widget, TControl* Control);
void UnregisterWidget(const QWidget* Widget);
