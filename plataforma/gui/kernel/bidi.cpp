// Right-to-left layout, from the layout direction of the control's window.
#include "plataforma/gui/kernel/bidi.h"

#include "plataforma/gui/kernel/controls.h"

#include <QGuiApplication>
#include <QWidget>

bool UseRightToLeftAlignment(const TControl* Control) {
    if (QWidget* w = Control ? Control->GetWidget() : nullptr) return w->isRightToLeft();
    return QGuiApplication::isRightToLeft();
}
