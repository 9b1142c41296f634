#include "plataforma/gui/testing/input_simulation.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/gui/input/cursor_map.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/widgets/hint_window.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <array>

namespace {

Qt::MouseButtons botones;

// The window system's scroll bars inside a control's window (those of a hosted scroll area,
// a list box's) take the pointer over them, as the window system's pointer does: the bar
// that took a press keeps the pointer until the buttons are up, and the bar the pointer
// leaves hears of it.
QPointer<QWidget> barraAgarrada, barraBajoPuntero;

QWidget* BarUnder(QWidget* w, QPoint local) {
    for (QWidget* c = w->childAt(local); c && c != w; c = c->parentWidget())
        if (qobject_cast<QScrollBar*>(c)) return c->isVisible() ? c : nullptr;
    return nullptr;
}

void LeaveBar(QWidget* Now) {
    if (!barraBajoPuntero || barraBajoPuntero == Now) return;
    QWidget* antes = barraBajoPuntero;
    barraBajoPuntero = nullptr;
    QHoverEvent fuera(QEvent::HoverLeave, QPointF(-1, -1), QPointF(-1, -1), QPointF(-1, -1));
    QApplication::sendEvent(antes, &fuera);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(antes, &leave);
}

struct QtKey {
    int key;
    bool keypad;
    quint32 native;
};

// The Qt key a keyboard sends for a virtual key (X11 key symbols for right-hand modifiers).
QtKey QtKeyFor(WORD vk) {
    if (vk >= 'A' && vk <= 'Z') return {Qt::Key_A + (vk - 'A'), false, 0};
    if (vk >= '0' && vk <= '9') return {Qt::Key_0 + (vk - '0'), false, 0};
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return {Qt::Key_0 + (vk - VK_NUMPAD0), true, 0};
    if (vk >= VK_F1 && vk <= VK_F24) return {Qt::Key_F1 + (vk - VK_F1), false, 0};
    switch (vk) {
    case VK_BACK:
        return {Qt::Key_Backspace, false, 0};
    case VK_TAB:
        return {Qt::Key_Tab, false, 0};
    case VK_RETURN:
        return {Qt::Key_Return, false, 0};
    case VK_ESCAPE:
        return {Qt::Key_Escape, false, 0};
    case VK_SPACE:
        return {Qt::Key_Space, false, 0};
    case VK_PRIOR:
        return {Qt::Key_PageUp, false, 0};
    case VK_NEXT:
        return {Qt::Key_PageDown, false, 0};
    case VK_END:
        return {Qt::Key_End, false, 0};
    case VK_HOME:
        return {Qt::Key_Home, false, 0};
    case VK_LEFT:
        return {Qt::Key_Left, false, 0};
    case VK_UP:
        return {Qt::Key_Up, false, 0};
    case VK_RIGHT:
        return {Qt::Key_Right, false, 0};
    case VK_DOWN:
        return {Qt::Key_Down, false, 0};
    case VK_INSERT:
        return {Qt::Key_Insert, false, 0};
    case VK_DELETE:
        return {Qt::Key_Delete, false, 0};
    case VK_SHIFT:
    case VK_LSHIFT:
        return {Qt::Key_Shift, false, 0xffe1};
    case VK_RSHIFT:
        return {Qt::Key_Shift, false, 0xffe2};
    case VK_CONTROL:
    case VK_LCONTROL:
        return {Qt::Key_Control, false, 0xffe3};
    case VK_RCONTROL:
        return {Qt::Key_Control, false, 0xffe4};
    case VK_MENU:
    case VK_LMENU:
        return {Qt::Key_Alt, false, 0xffe9};
    case VK_RMENU:
        return {Qt::Key_Alt, false, 0xffea};
    case VK_DECIMAL:
        return {Qt::Key_Period, true, 0};
    case VK_MULTIPLY:
        return {Qt::Key_Asterisk, true, 0};
    case VK_ADD:
        return {Qt::Key_Plus, true, 0};
    case VK_SUBTRACT:
        return {Qt::Key_Minus, true, 0};
    case VK_DIVIDE:
        return {Qt::Key_Slash, true, 0};
    case VK_OEM_1:
        return {Qt::Key_Semicolon, false, 0};
    case VK_OEM_PLUS:
        return {Qt::Key_Equal, false, 0};
    case VK_OEM_COMMA:
        return {Qt::Key_Comma, false, 0};
    case VK_OEM_MINUS:
        return {Qt::Key_Minus, false, 0};
    case VK_OEM_PERIOD:
        return {Qt::Key_Period, false, 0};
    case VK_OEM_2:
        return {Qt::Key_Slash, false, 0};
    case VK_OEM_3:
        return {Qt::Key_QuoteLeft, false, 0};
    case VK_OEM_4:
        return {Qt::Key_BracketLeft, false, 0};
    case VK_OEM_5:
        return {Qt::Key_Backslash, false, 0};
    case VK_OEM_6:
        return {Qt::Key_BracketRight, false, 0};
    case VK_OEM_7:
        return {Qt::Key_Apostrophe, false, 0};
    default:
        return {Qt::Key_unknown, false, 0};
    }
}

Qt::KeyboardModifiers ModsOf(TShiftState s) {
    Qt::KeyboardModifiers m;
    if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (s.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

QWidget* KeyTarget(TWinControl* target) {
    EnsureQtApplication();
    if (target) return target->GetWidget();
    if (QWidget* w = QApplication::focusWidget()) return w;
    TWinControl* f = FocusedControl();
    return f ? f->GetWidget() : nullptr;
}

// The text the key types, as the keyboard sends it: control characters with Ctrl.
QString TextFor(WORD vk, TShiftState shift) {
    int c = CharOfKey(vk, shift);
    if (vk == VK_BACK && !shift.Contains(ssCtrl)) c = 8;
    if (c == 0) return {};
    const char32_t u =
        c < 128 ? static_cast<char32_t>(c) : cp1252::ToUnicode(static_cast<unsigned char>(c));
    return QString::fromUcs4(&u, 1);
}

void SendKey(QEvent::Type type, WORD vk, TShiftState shift, TWinControl* target, bool autoRepeat) {
    QWidget* w = KeyTarget(target);
    if (!w) return;
    QtKey k = QtKeyFor(vk);
    Qt::KeyboardModifiers mods = ModsOf(shift);
    if (k.keypad) mods |= Qt::KeypadModifier;
    QString text = type == QEvent::KeyPress ? TextFor(vk, shift) : QString();
    QKeyEvent ev(type, k.key, mods, 0, k.native, 0, text, autoRepeat);
    QApplication::sendEvent(w, &ev);
}

QPoint LocalPoint(TControl* c, int x, int y) {
    int b = c->GetBorderWidth();
    return {x + b, y + b};
}

} // namespace

void SimulateKeyDown(WORD vk, TShiftState shift, TWinControl* target, bool autoRepeat) {
    SendKey(QEvent::KeyPress, vk, shift, target, autoRepeat);
}

void SimulateKeyUp(WORD vk, TShiftState shift, TWinControl* target) {
    SendKey(QEvent::KeyRelease, vk, shift, target, false);
}

void SimulateKeyStroke(WORD vk, TShiftState shift, TWinControl* target) {
    SimulateKeyDown(vk, shift, target);
    SimulateKeyUp(vk, shift, target);
}

void SimulateTyping(const AnsiString& text, TWinControl* target) {
    for (int i = 1; i <= text.Length(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        QWidget* w = KeyTarget(target);
        if (!w) return;
        const char32_t u = cp1252::ToUnicode(ch);
        QString s = QString::fromUcs4(&u, 1);
        int key = Qt::Key_unknown;
        Qt::KeyboardModifiers mods;
        if (ch >= 'a' && ch <= 'z')
            key = Qt::Key_A + (ch - 'a');
        else if (ch >= 'A' && ch <= 'Z')
            key = Qt::Key_A + (ch - 'A'), mods = Qt::ShiftModifier;
        else if (u < 128)
            key = static_cast<int>(u);
        else
            key = static_cast<int>(QChar(static_cast<char16_t>(u)).toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, mods, s);
        QApplication::sendEvent(w, &press);
        if (!(w = KeyTarget(target))) return;
        QKeyEvent release(QEvent::KeyRelease, key, mods, s);
        QApplication::sendEvent(w, &release);
    }
}

void SimulateInputMethodCommit(const AnsiString& text, TWinControl* target) {
    SimulateInputMethodCommit(WideString(text), target);
}

void SimulateTyping(const WideString& text, TWinControl* target) {
    for (char32_t u : ToQString(text).toUcs4()) {
        QWidget* w = KeyTarget(target);
        if (!w) return;
        const QString s = QString::fromUcs4(&u, 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, s);
        QApplication::sendEvent(w, &press);
        if (!(w = KeyTarget(target))) return;
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, s);
        QApplication::sendEvent(w, &release);
    }
}

void SimulateInputMethodCommit(const WideString& text, TWinControl* target) {
    QWidget* w = KeyTarget(target);
    if (!w) return;
    QInputMethodEvent ev;
    ev.setCommitString(ToQString(text));
    QApplication::sendEvent(w, &ev);
}

void SimulateMouse(TControl* control, SimulatedMouse what, int button, int x, int y,
                   TShiftState shift) {
    QWidget* w = control ? control->GetWidget() : nullptr;
    if (!w) return;
    const Qt::MouseButton b = button == 1   ? Qt::RightButton
                              : button == 2 ? Qt::MiddleButton
                                            : Qt::LeftButton;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton evButton = Qt::NoButton;
    switch (what) {
    case SimulatedMouse::Down:
        type = QEvent::MouseButtonPress, evButton = b, botones |= b;
        break;
    case SimulatedMouse::DoubleClick:
        type = QEvent::MouseButtonDblClick, evButton = b, botones |= b;
        break;
    case SimulatedMouse::Up:
        type = QEvent::MouseButtonRelease, evButton = b, botones &= ~b;
        break;
    case SimulatedMouse::Move:
        break;
    }
    QPointF local = LocalPoint(control, x, y);
    QPointF global = w->mapToGlobal(local);
    QWidget* bajo = BarUnder(w, local.toPoint());
    QWidget* target = barraAgarrada ? barraAgarrada.data() : bajo ? bajo : w;
    LeaveBar(bajo);
    if (bajo) barraBajoPuntero = bajo;
    if (target != w) local = target->mapFromGlobal(global);
    if (target != w && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick))
        barraAgarrada = target;
    if (type == QEvent::MouseButtonRelease && !botones) barraAgarrada = nullptr;
    QMouseEvent ev(type, local, local, global, evButton, botones, ModsOf(shift));
    QApplication::sendEvent(target, &ev);
}

void SimulateClick(TControl* control, int x, int y) {
    SimulateMouse(control, SimulatedMouse::Down, 0, x, y);
    SimulateMouse(control, SimulatedMouse::Up, 0, x, y);
}

void SimulateScreenClick(TControl* control, int x, int y) {
    QWidget* w = control ? control->GetWidget() : nullptr;
    if (!w) return;
    const QPoint global = w->mapToGlobal(LocalPoint(control, x, y));
    // The pointer comes to the point, then presses and releases there.
    for (QEvent::Type type :
         {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        // The window system gives the pointer to an open popup first; the window of the
        // control otherwise, which passes the click to its child under the point.
        QWidget* top = QApplication::activePopupWidget();
        if (!top) top = w->window();
        QWindow* window = top->windowHandle();
        if (!window) return;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(Qt::LeftButton) : Qt::NoButton;
        const QPointF local = window->mapFromGlobal(global);
        QMouseEvent ev(type, local, local, QPointF(global), button, held, Qt::NoModifier);
        QApplication::sendEvent(window, &ev);
    }
}

AnsiString SimulateHintRest(TControl* control, int x, int y) {
    QWidget* w = control ? control->GetWidget() : nullptr;
    if (!w) return AnsiString();
    SimulateMouse(control, SimulatedMouse::Move, 0, x, y);
    const QPoint local = LocalPoint(control, x, y);
    QWidget* under = w->childAt(local);
    if (!under) under = w;
    const QPoint global = w->mapToGlobal(local);
    QHelpEvent e(QEvent::ToolTip, under->mapFromGlobal(global), global);
    QApplication::sendEvent(under, &e);
    if (THintWindow* h = GetApplicationHintWindow(); h && h->GetVisible()) return h->GetCaption();
    if (!QToolTip::isVisible()) return AnsiString();
    return FromQString(QToolTip::text());
}

void SimulateWheel(TControl* control, int delta, int x, int y, TShiftState shift) {
    QWidget* w = control ? control->GetWidget() : nullptr;
    if (!w) return;
    QPointF local = LocalPoint(control, x, y);
    QPointF global = w->mapToGlobal(local);
    QWheelEvent ev(local, global, QPoint(), QPoint(0, delta), botones, ModsOf(shift),
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &ev);
}

void SimulateMouseEnter(TControl* control) {
    QWidget* w = control ? control->GetWidget() : nullptr;
    if (!w) return;
    QPointF local(1, 1);
    QEnterEvent ev(local, local, w->mapToGlobal(local));
    QApplication::sendEvent(w, &ev);
}

void SimulateMouseLeave(TControl* control) {
    QWidget* w = control ? control->GetWidget() : nullptr;
    if (!w) return;
    if (barraBajoPuntero && w->isAncestorOf(barraBajoPuntero)) LeaveBar(nullptr);
    QEvent ev(QEvent::Leave);
    QApplication::sendEvent(w, &ev);
}

HCURSOR ShownCursor(TControl* control) {
    return control ? ShownCursorOf(control->GetWidget()) : nullptr;
}

void ResetInputState() {
    std::array<BYTE, 256> zero{};
    SetKeyboardState(zero.data());
    botones = {};
    barraAgarrada = barraBajoPuntero = nullptr;
}
