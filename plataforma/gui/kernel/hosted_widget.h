#pragma once
// Inside the platform layer only: what the controls that host a Qt widget of their own
// (edit, memo, combo box, list box, tree view) share.
// - HostedWidget: the context menu arrives as WM_CONTEXTMENU, never as Qt's own menu.
// - HostedScrollArea: a scroll area's viewport events (mouse, wheel, context menu) reach the
//   control as the area's own, and the control's default handling gives them back to the
//   viewport; the area's frame is the control's border, drawn by WM_NCPAINT.
// - InnerWidgetFilter: the input of a widget inside the hosted one (a combo box's edit)
//   reaches the control first, and its default handling goes back to that inner widget.

#include "plataforma/gui/kernel/hooked_widget.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QFrame>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QWheelEvent>

#include <functional>
#include <memory>
#include <vector>

class TWinControl;

// Qt's own context-menu request: from the keyboard it becomes WM_CONTEXTMENU (-1); a
// right click's comes with its WM_RBUTTONUP instead.
void SendContextMenuMessage(TControl* Control, QContextMenuEvent* Event);

template <class QtBase> class HostedWidget : public HookedWidget<QtBase> {
public:
    using HookedWidget<QtBase>::HookedWidget;

protected:
    bool event(QEvent* Event) override {
        if (Event->type() == QEvent::ContextMenu && this->control) {
            SendContextMenuMessage(this->control, static_cast<QContextMenuEvent*>(Event));
            Event->accept();
            return true;
        }
        return HookedWidget<QtBase>::event(Event);
    }
};

// A copy of a pointer event moved by an offset (mouse, wheel); nullptr for other events.
std::unique_ptr<QEvent> MovedPointerEvent(QEvent* Event, const QPoint& Offset);

template <class QtBase> class HostedScrollArea : public HostedWidget<QtBase> {
public:
    using HostedWidget<QtBase>::HostedWidget;

    // Pointer events come in the area's coordinates and go to the viewport's handling.
    bool CallBaseEvent(QEvent* Event) override {
        if (auto moved = MovedPointerEvent(Event, -this->viewport()->pos())) {
            bool r = QtBase::viewportEvent(moved.get());
            Event->setAccepted(moved->isAccepted());
            return r;
        }
        return QtBase::event(Event);
    }

    // The control's border in pixels: a sunken panel of that width, or no frame.
    void SetBorder(int Width) {
        if (Width > 0) {
            this->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            this->setLineWidth(Width);
        } else {
            this->setFrameStyle(QFrame::NoFrame);
        }
    }

protected:
    bool viewportEvent(QEvent* Event) override {
        if (this->control) {
            if (Event->type() == QEvent::ContextMenu) {
                auto* ce = static_cast<QContextMenuEvent*>(Event);
                SendContextMenuMessage(this->control, ce);
                Event->accept();
                return true;
            }
            if (auto moved = MovedPointerEvent(Event, this->viewport()->pos())) {
                bool r = this->control->HandleWidgetEvent(moved.get());
                Event->setAccepted(moved->isAccepted());
                return r;
            }
        }
        return QtBase::viewportEvent(Event);
    }
};

// Routes the input of an inner widget through its control. While Passing() the inner
// widget's own handling runs (the control's default handling).
class InnerWidgetFilter : public QObject {
public:
    InnerWidgetFilter(TControl* Control, QWidget* Inner);
    // Delivers an event in the hosted widget's coordinates to the inner widget's own
    // handling; false when the event is not for it.
    bool Deliver(QEvent* Event);
    QWidget* Inner() const { return inner_; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    TControl* control_;
    QPointer<QWidget> inner_;
    int passing_ = 0;
};

// Qt signal connections made by a control, undone with its window.
class Connections {
public:
    ~Connections() { Clear(); }
    void Add(QMetaObject::Connection c) { list_.push_back(std::move(c)); }
    void Clear() {
        for (auto& c : list_)
            QObject::disconnect(c);
        list_.clear();
    }

private:
    std::vector<QMetaObject::Connection> list_;
};

// Background and text colours of a hosted widget: the control's colour in the given role,
// its font colour as text, grey text while disabled.
void ApplyHostedPalette(QWidget* Widget, TColor Background, TColor Text,
                        QPalette::ColorRole BackgroundRole);
// The control's colour as its widget's base (the field of an edit or a list) and its font
// colour as text; nothing while it has no widget.
void ApplyBasePalette(TWinControl* Control);

// Reflects a control notification (EN_CHANGE, CBN_SELCHANGE...) to the control as the
// class library does: CN_COMMAND with the code in the high word. Exceptions go to the
// application.
void NotifyControl(TWinControl* Control, unsigned Code);

// The click of a window that takes the focus on a button press, as edits and lists do.
void FocusOnPress(TWinControl* Control);

// The edit menu of edit controls ("Deshacer", "Cortar", "Copiar", "Pegar", "Eliminar",
// "Seleccionar todo"); each item sends its message to the control. Shown at a screen point
// without blocking.
struct StandardEditMenuState {
    bool canUndo = false;
    bool hasSelection = false;
    bool readOnly = false;
    bool canPaste = false;
    bool canSelectAll = false;
};
void ShowStandardEditMenu(TWinControl* Control, const TPoint& ScreenPos,
                          const StandardEditMenuState& State);
