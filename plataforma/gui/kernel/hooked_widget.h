#pragma once
// Inside the platform layer only: a Qt widget whose events go to its control as window
// messages. The control reaches the widget's own behaviour (the window's default handling)
// through CallBaseEvent. Focus moves by Tab belong to the class library, never to Qt.

#include <QEvent>
#include <QWidget>

class TControl;

class WidgetHook {
public:
    virtual ~WidgetHook() = default;
    // The widget class's own handling of an event.
    virtual bool CallBaseEvent(QEvent* Event) = 0;
    virtual QWidget* AsWidget() = 0;
    TControl* control = nullptr;
};

template <class QtBase> class HookedWidget : public QtBase, public WidgetHook {
public:
    template <class... Args>
    explicit HookedWidget(TControl* owner, Args&&... args) : QtBase(std::forward<Args>(args)...) {
        control = owner;
        this->setMouseTracking(true);
    }

    bool CallBaseEvent(QEvent* Event) override { return QtBase::event(Event); }
    QWidget* AsWidget() override { return this; }

protected:
    bool event(QEvent* Event) override;
    bool focusNextPrevChild(bool) override { return false; }
};

// Defined here so that every widget class gets it; HandleWidgetEvent is in controls.h.
#include "plataforma/gui/kernel/controls.h"

template <class QtBase> bool HookedWidget<QtBase>::event(QEvent* Event) {
    if (!control) return QtBase::event(Event);
    return control->HandleWidgetEvent(Event);
}

// The widget of a control, as the hook sees it; nullptr for widgets of other origins.
inline WidgetHook* HookOf(QWidget* w) {
    return dynamic_cast<WidgetHook*>(w);
}
