// Qt events of a control's widget, as the window messages the class library sends.

#include "plataforma/gui/kernel/controls.h"

#include "plataforma/gui/input/cursor_map.h"
#include "plataforma/gui/input/drag_drop.h"
#include "plataforma/gui/input/input_state.h"
#include "plataforma/gui/input/key_input.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/input/mouse_state.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/hooked_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/window_frame.h"
#include "plataforma/gui/painting/paint_context.h"
#include "plataforma/gui/widgets/hint_window.h"

#include <QApplication>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

void HandleEntryException(TObject* Sender) {
    if (Application) Application->HandleException(Sender);
}

namespace {

PaintContext* pinturaActual = nullptr;

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    WPARAM k = 0;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
    if (mods & Qt::ControlModifier) k |= MK_CONTROL;
    return k;
}

void NoteInputState(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
    SyncModifierState(mods & Qt::ShiftModifier, mods & Qt::ControlModifier, mods & Qt::AltModifier);
    SyncMouseButtonState(buttons & Qt::LeftButton, buttons & Qt::RightButton,
                         buttons & Qt::MiddleButton);
}

AnsiString ShortHint(const AnsiString& hint) {
    int bar = hint.Pos("|");
    return bar == 0 ? hint : hint.SubString(1, bar - 1);
}

} // namespace

PaintContext::PaintContext(QWidget* w, QPaintEvent* e)
    : widget(w), event(e), previous(pinturaActual) {
    pinturaActual = this;
}

PaintContext::~PaintContext() {
    pinturaActual = previous;
}

PaintContext* CurrentPaint(const QWidget* w) {
    for (PaintContext* p = pinturaActual; p; p = p->previous)
        if (p->widget == w) return p;
    return nullptr;
}

bool TControl::HandleWidgetEvent(QEvent* Event) {
    QWidget* widget = widget_;
    WidgetHook* hook = widget ? HookOf(widget) : nullptr;
    if (!hook) return false;
    auto alive = Watch();
    // After the messages, the widget's own handling of events that are not messages.
    auto base = [&]() {
        return !alive.expired() && widget_ == widget ? hook->CallBaseEvent(Event) : true;
    };
    DispatchFrame frame(this);
    bool result = true;
    GuardedEntry(this, [&] {
        auto* win = dynamic_cast<TWinControl*>(this);
        switch (Event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // Keys never travel up to the parent's widget, as window messages do not.
            Event->accept();
            if (DragActive() && Event->type() == QEvent::KeyPress &&
                static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape) {
                CancelDrag();
                break;
            }
            if (win) TranslateKeyEvent(win, static_cast<QKeyEvent*>(Event));
            break;
        case QEvent::InputMethod:
            Event->accept();
            if (win) TranslateInputMethod(win, static_cast<QInputMethodEvent*>(Event));
            break;
        case QEvent::MouseButtonPress:
            CancelHintWindow();
            result = HandleMouseEvent(Event);
            break;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            result = HandleMouseEvent(Event);
            break;
        case QEvent::Wheel: {
            auto* we = static_cast<QWheelEvent*>(Event);
            NoteInputState(we->modifiers(), we->buttons());
            QPoint global = we->globalPosition().toPoint();
            NoteCursorPos(FromQPoint(global));
            int delta = we->angleDelta().y() != 0 ? we->angleDelta().y() : we->angleDelta().x();
            WPARAM w = MAKEWPARAM(static_cast<WORD>(MouseKeys(we->buttons(), we->modifiers())),
                                  static_cast<WORD>(static_cast<SHORT>(delta)));
            Event->accept();
            Perform(WM_MOUSEWHEEL, w, PointToLParam(global.x(), global.y()));
            break;
        }
        case QEvent::Enter:
            Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
            result = base();
            break;
        case QEvent::Leave:
            CancelHintWindow();
            if (auto* win = dynamic_cast<TWinControl*>(this); win && !nativeWidget_)
                ScrollBarLeave(*win);
            Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
            result = base();
            break;
        case QEvent::Paint:
            HandlePaintEvent(Event);
            break;
        case QEvent::ToolTip:
            result = HandleHintEvent(Event);
            break;
        case QEvent::Resize:
            // The window manager resized a top-level window.
            if (!parent_ && widget->isWindow()) {
                QSize s = widget->size();
                if (s.width() != width_ || s.height() != height_) {
                    width_ = s.width();
                    height_ = s.height();
                    BoundsChanged(true);
                }
            }
            result = base();
            break;
        case QEvent::Move:
            if (!parent_ && widget->isWindow()) {
                left_ = widget->x();
                top_ = widget->y();
            }
            result = base();
            break;
        case QEvent::Close:
            if (win && !parent_) {
                Event->ignore();
                Perform(WM_CLOSE, 0, 0);
            } else {
                result = base();
            }
            break;
        case QEvent::WindowDeactivate:
            if (TControl* c = GetCaptureControl(); c && widget->isAncestorOf(c->GetWidget()))
                c->Perform(WM_CANCELMODE, 0, 0);
            result = base();
            break;
        default:
            result = base();
        }
    });
    return result;
}

bool TControl::HandleMouseEvent(QEvent* Event) {
    auto* me = static_cast<QMouseEvent*>(Event);
    NoteInputState(me->modifiers(), me->buttons());
    NoteCursorPos(FromQPoint(me->globalPosition().toPoint()));
    // A drag under way takes the mouse of the control that holds it.
    if (DragMouse(this, me)) {
        Event->accept();
        return true;
    }
    // The window's own scroll bars take what happens on them.
    if (auto* win = dynamic_cast<TWinControl*>(this);
        win && !nativeWidget_ && ScrollBarMouse(*win, me)) {
        Event->accept();
        return true;
    }
    const int b = GetBorderWidth();
    const QPoint p = me->position().toPoint() - QPoint(b, b);
    const WPARAM keys = MouseKeys(me->buttons(), me->modifiers());
    // Left, right and middle messages come in threes: down, up, double click.
    const Qt::MouseButton button = me->button();
    const int which = button == Qt::LeftButton     ? 0
                      : button == Qt::RightButton  ? 1
                      : button == Qt::MiddleButton ? 2
                                                   : -1;
    UINT msg = 0;
    switch (Event->type()) {
    case QEvent::MouseMove:
        msg = WM_MOUSEMOVE;
        break;
    case QEvent::MouseButtonPress:
        msg = which < 0 ? 0 : WM_LBUTTONDOWN + 3 * which;
        break;
    case QEvent::MouseButtonRelease:
        msg = which < 0 ? 0 : WM_LBUTTONUP + 3 * which;
        break;
    case QEvent::MouseButtonDblClick:
        msg = which < 0 ? 0 : WM_LBUTTONDBLCLK + 3 * which;
        break;
    default:
        break;
    }
    if (msg == 0) return HookOf(widget_)->CallBaseEvent(Event);
    Event->accept();
    auto alive = Watch();
    if (msg == WM_MOUSEMOVE) {
        // The window under the pointer chooses the cursor first.
        if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated()) {
            SetCursorTarget(widget_);
            win->Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(win->GetHandle()),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            SetCursorTarget(nullptr);
        }
        if (alive.expired()) return true;
    }
    Perform(msg, keys, PointToLParam(p.x(), p.y()));
    return true;
}

void TControl::HandlePaintEvent(QEvent* Event) {
    auto* pe = static_cast<QPaintEvent*>(Event);
    PaintContext ctx(widget_, pe);
    auto alive = Watch();
    auto* win = dynamic_cast<TWinControl*>(this);
    // The frame first, when it was invalidated (shown, resized, RDW_FRAME), as Windows
    // sends WM_NCPAINT before WM_ERASEBKGND and WM_PAINT.
    if (WindowFrame* f = win ? win->GetWindowFrame() : nullptr; f && f->frameInvalid) {
        f->frameInvalid = false;
        Perform(WM_NCPAINT, 1, 0);
        if (alive.expired()) return;
    }
    bool run = true;
    HDC dc = BeginPaintStore(pe, run);
    // The store is closed (and shown) even when a handler raises.
    struct Closer {
        TControl* control;
        QPaintEvent* event;
        std::weak_ptr<int> alive;
        bool open = true;
        ~Closer() {
            if (open && !alive.expired()) control->EndPaintStore(event);
        }
    } closer{this, pe, alive};
    if (run) {
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        if (alive.expired()) return;
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        if (alive.expired()) return;
    }
    closer.open = false;
    EndPaintStore(pe);
    if (WindowFrame* f = win ? win->GetWindowFrame() : nullptr) {
        ShowFrame(*win, pe);
        const int b = GetBorderWidth();
        f->updateRegion -= pe->region().translated(-b, -b);
    }
    invalidated_ = false;
}

bool TControl::HandleHintEvent(QEvent* Event) {
    auto* he = static_cast<QHelpEvent*>(Event);
    // The control decides in CM_HINTSHOW: its Hint is only what it shows when it puts
    // nothing else in its place.
    if (!showHint_) {
        CancelHint();
        Event->ignore();
        return true;
    }
    const int b = GetBorderWidth();
    THintInfo info;
    info.HintControl = this;
    info.CursorPos = {he->pos().x() - b, he->pos().y() - b};
    info.CursorRect = GetClientRect();
    QPoint global = he->globalPos();
    info.HintPos = {global.x(), global.y() + 20};
    info.HintMaxWidth = 0;
    info.HintColor = clInfoBk;
    info.HideTimeout = 2500;
    info.HintStr = ShortHint(hint_);
    auto alive = Watch();
    LRESULT refused = Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    if (alive.expired()) return true;
    if (refused == 0 && !info.HintStr.IsEmpty()) {
        if (ShowHintInWindow(info)) return true;
        QRect area = ToQRect(OffsetRect(info.CursorRect, b, b));
        QToolTip::showText(ToQPoint(info.HintPos), ToQString(info.HintStr), widget_, area,
                           info.HideTimeout);
    } else {
        CancelHint();
    }
    return true;
}
