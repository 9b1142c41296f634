#include "plataforma/gui/kernel/window_registry.h"

#include "plataforma/gui/kernel/controls.h"

#include <QWidget>

#include <cstdint>
#include <unordered_map>

namespace {

std::unordered_map<HWND, TWinControl*>& Windows() {
    static std::unordered_map<HWND, TWinControl*> m;
    return m;
}

std::unordered_map<const QWidget*, TControl*>& Widgets() {
    static std::unordered_map<const QWidget*, TControl*> m;
    return m;
}

std::uintptr_t nextHandle = 0x100;

} // namespace

HWND RegisterWindow(TWinControl* Control) {
    // Handles count up in steps of 4 so that they never look like small integers.
    HWND h = reinterpret_cast<HWND>(nextHandle);
    nextHandle += 4;
    Windows()[h] = Control;
    return h;
}

void UnregisterWindow(HWND Handle) {
    Windows().erase(Handle);
}

TWinControl* FindControl(HWND Handle) {
    if (!Handle) return nullptr;
    auto it = Windows().find(Handle);
    return it == Windows().end() ? nullptr : it->second;
}

BOOL IsWindow(HWND hWnd) {
    return FindControl(hWnd) ? TRUE : FALSE;
}

void RegisterWidget(const QWidget* Widget, TControl* Control) {
    Widgets()[Widget] = Control;
}
void UnregisterWidget(const QWidget* Widget) {
    Widgets().erase(Widget);
}

TControl* ControlOfWidget(const QWidget* Widget, bool WindowedOnly) {
    for (const QWidget* w = Widget; w; w = w->parentWidget()) {
        auto it = Widgets().find(w);
        if (it == Widgets().end()) continue;
        if (!WindowedOnly || dynamic_cast<TWinControl*>(it->second)) return it->second;
    }
    return nullptr;
}
