// What the controls that host a Qt widget share: context menus, viewport events, inner
// widgets, colours, notifications and the standard edit menu.

#include "plataforma/gui/kernel/hosted_widget.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/std_messages.h"

#include <QApplication>
#include <QMenu>

void SendContextMenuMessage(TControl* Control, QContextMenuEvent* Event) {
    // A right click asks for the menu when its button comes up (WM_RBUTTONUP): only the
    // keyboard's request comes from here.
    if (Event->reason() != QContextMenuEvent::Keyboard) return;
    const LPARAM pos = -1;
    auto* win = dynamic_cast<TWinControl*>(Control);
    WPARAM hwnd =
        win && win->HandleAllocated() ? reinterpret_cast<WPARAM>(win->GetHandle()) : WPARAM(0);
    GuardedEntry(Control, [&] { Control->Perform(WM_CONTEXTMENU, hwnd, pos); });
}

std::unique_ptr<QEvent> MovedPointerEvent(QEvent* Event, const QPoint& Offset) {
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(Event);
        QPointF p = me->position() + QPointF(Offset);
        auto moved = std::make_unique<QMouseEvent>(me->type(), p, p, me->globalPosition(),
                                                   me->button(), me->buttons(), me->modifiers());
        moved->setTimestamp(me->timestamp());
        return moved;
    }
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(Event);
        return std::make_unique<QWheelEvent>(we->position() + QPointF(Offset), we->globalPosition(),
                                             we->pixelDelta(), we->angleDelta(), we->buttons(),
                                             we->modifiers(), we->phase(), we->inverted());
    }
    default:
        return nullptr;
    }
}

// --- inner widgets ---

InnerWidgetFilter::InnerWidgetFilter(TControl* Control, QWidget* Inner)
    : QObject(Inner), control_(Control), inner_(Inner) {
    Inner->installEventFilter(this);
    Inner->setFocusPolicy(Qt::NoFocus);
    Inner->setAcceptDrops(false);
    Inner->setMouseTracking(true);
}

bool InnerWidgetFilter::eventFilter(QObject* Watched, QEvent* Event) {
    if (passing_ > 0 || Watched != inner_ || !control_) return false;
    QWidget* host = control_->GetWidget();
    if (!host) return false;
    switch (Event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
        control_->HandleWidgetEvent(Event);
        return true;
    case QEvent::ContextMenu:
        SendContextMenuMessage(control_, static_cast<QContextMenuEvent*>(Event));
        Event->accept();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel: {
        auto moved = MovedPointerEvent(Event, inner_->mapTo(host, QPoint(0, 0)));
        control_->HandleWidgetEvent(moved.get());
        Event->accept();
        return true;
    }
    default:
        return false;
    }
}

bool InnerWidgetFilter::Deliver(QEvent* Event) {
    if (!inner_ || !control_ || !control_->GetWidget()) return false;
    QPoint offset = inner_->mapTo(control_->GetWidget(), QPoint(0, 0));
    auto moved = MovedPointerEvent(Event, -offset);
    if (!moved) return false;
    bool inside = true;
    if (moved->type() != QEvent::Wheel) {
        auto* me = static_cast<QMouseEvent*>(moved.get());
        inside = inner_->rect().contains(me->position().toPoint()) ||
                 (me->type() != QEvent::MouseButtonPress && me->buttons() != Qt::NoButton) ||
                 me->type() == QEvent::MouseButtonRelease;
    }
    if (!inside) return false;
    ++passing_;
    // Straight to the widget's handling: no filters, no propagation back to the host.
    static_cast<QObject*>(inner_.data())->event(moved.get());
    --passing_;
    Event->setAccepted(moved->isAccepted());
    return true;
}

// --- colours, notifications, focus ---

void ApplyHostedPalette(QWidget* Widget, TColor Background, TColor Text,
                        QPalette::ColorRole BackgroundRole) {
    QPalette p = Widget->palette();
    const QColor fondo = ToQColor(Background);
    const QColor texto = ToQColor(Text);
    const QColor gris = ToQColor(clGrayText);
    const QColor resalte = ToQColor(clHighlight);
    const QColor textoResalte = ToQColor(clHighlightText);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        if (fondo.isValid()) p.setColor(g, BackgroundRole, fondo);
        QColor t = g == QPalette::Disabled ? gris : texto;
        if (t.isValid()) {
            p.setColor(g, QPalette::Text, t);
            p.setColor(g, QPalette::WindowText, t);
            p.setColor(g, QPalette::ButtonText, t);
        }
        p.setColor(g, QPalette::Highlight, resalte);
        p.setColor(g, QPalette::HighlightedText, textoResalte);
    }
    Widget->setPalette(p);
}

void ApplyBasePalette(TWinControl* Control) {
    if (QWidget* w = Control->GetWidget())
        ApplyHostedPalette(w, Control->GetColor(), Control->GetFont()->GetColor(), QPalette::Base);
}

void NotifyControl(TWinControl* Control, unsigned Code) {
    if (!Control) return;
    LPARAM hwnd = Control->HandleAllocated() ? reinterpret_cast<LPARAM>(Control->GetHandle()) : 0;
    GuardedEntry(Control, [&] {
        Control->Perform(CN_COMMAND, MAKEWPARAM(0, static_cast<WORD>(Code)), hwnd);
    });
}

void FocusOnPress(TWinControl* Control) {
    if (Control->Focused() || !Control->CanFocus()) return;
    try {
        Control->SetFocus();
    } catch (const EInvalidOperation&) {
        // A window that is not shown keeps the focus where it was.
    }
}

void ShowStandardEditMenu(TWinControl* Control, const TPoint& ScreenPos,
                          const StandardEditMenuState& State) {
    QWidget* w = Control->GetWidget();
    if (!w) return;
    auto* menu = new QMenu(w);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    std::weak_ptr<int> alive = Control->Watch();
    auto item = [&](const char* caption, bool enabled, UINT msg, WPARAM wp, LPARAM lp) {
        QAction* a = menu->addAction(ToQString(caption));
        a->setEnabled(enabled);
        QObject::connect(a, &QAction::triggered, menu, [Control, alive, msg, wp, lp] {
            if (alive.expired()) return;
            GuardedEntry(Control, [&] { Control->Perform(msg, wp, lp); });
        });
    };
    const bool editable = !State.readOnly;
    item("&Deshacer", State.canUndo && editable, WM_UNDO, 0, 0);
    menu->addSeparator();
    item("Cor&tar", State.hasSelection && editable, WM_CUT, 0, 0);
    item("&Copiar", State.hasSelection, WM_COPY, 0, 0);
    item("&Pegar", State.canPaste && editable, WM_PASTE, 0, 0);
    item("&Eliminar", State.hasSelection && editable, WM_CLEAR, 0, 0);
    menu->addSeparator();
    item("Seleccionar &todo", State.canSelectAll, EM_SETSEL, 0, -1);
    menu->popup(ToQPoint(ScreenPos));
}
