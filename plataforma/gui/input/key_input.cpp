// Keys: Qt events and posted messages on one road. CN_KEYDOWN decides whether the dialog
// takes the key; otherwise WM_KEYDOWN, then for each character CN_CHAR (accelerators) and
// WM_CHAR. The widget's own handling runs for what the handlers leave: keys that make a
// character act at WM_CHAR (so a handler that zeroes the character stops the insertion),
// the others at WM_KEYDOWN.

#include "plataforma/gui/input/key_input.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/gui/input/input_state.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/hooked_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <vector>

namespace {

struct KeyInfo {
    WORD vk = 0;       // as the messages carry it (generic Shift, Ctrl, Alt)
    WORD specific = 0; // as the keyboard state keeps it (left or right)
    bool extended = false;
};

// X11 key symbols of the right-hand modifiers, which Qt reports as the native key.
constexpr quint32 kXkShiftR = 0xffe2, kXkControlR = 0xffe4, kXkAltR = 0xffea, kXkSuperR = 0xffec;

KeyInfo KeyOf(const QKeyEvent* e) {
    const int key = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    const quint32 native = e->nativeVirtualKey();
    KeyInfo k;
    auto set = [&](WORD vk, bool ext = false) {
        k.vk = vk;
        k.specific = vk;
        k.extended = ext;
    };
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return set(static_cast<WORD>(VK_NUMPAD0 + key - Qt::Key_0)), k;
        switch (key) {
        case Qt::Key_Period:
        case Qt::Key_Comma:
        case Qt::Key_Delete:
            set(key == Qt::Key_Delete ? VK_DELETE : VK_DECIMAL);
            return k;
        case Qt::Key_Asterisk:
            set(VK_MULTIPLY);
            return k;
        case Qt::Key_Plus:
            set(VK_ADD);
            return k;
        case Qt::Key_Minus:
            set(VK_SUBTRACT);
            return k;
        case Qt::Key_Slash:
            set(VK_DIVIDE, true);
            return k;
        case Qt::Key_Enter:
        case Qt::Key_Return:
            set(VK_RETURN, true);
            return k;
        case Qt::Key_Home:
            set(VK_HOME);
            return k;
        case Qt::Key_End:
            set(VK_END);
            return k;
        case Qt::Key_Left:
            set(VK_LEFT);
            return k;
        case Qt::Key_Right:
            set(VK_RIGHT);
            return k;
        case Qt::Key_Up:
            set(VK_UP);
            return k;
        case Qt::Key_Down:
            set(VK_DOWN);
            return k;
        case Qt::Key_PageUp:
            set(VK_PRIOR);
            return k;
        case Qt::Key_PageDown:
            set(VK_NEXT);
            return k;
        case Qt::Key_Insert:
            set(VK_INSERT);
            return k;
        case Qt::Key_Clear:
            set(VK_CLEAR);
            return k;
        default:
            break;
        }
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return set(static_cast<WORD>('A' + key - Qt::Key_A)), k;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return set(static_cast<WORD>('0' + key - Qt::Key_0)), k;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return set(static_cast<WORD>(VK_F1 + key - Qt::Key_F1)), k;
    switch (key) {
    case Qt::Key_Escape:
        set(VK_ESCAPE);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        set(VK_TAB);
        break;
    case Qt::Key_Backspace:
        set(VK_BACK);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        set(VK_RETURN);
        break;
    case Qt::Key_Space:
        set(VK_SPACE);
        break;
    case Qt::Key_Insert:
        set(VK_INSERT, true);
        break;
    case Qt::Key_Delete:
        set(VK_DELETE, true);
        break;
    case Qt::Key_Pause:
        set(VK_PAUSE);
        break;
    case Qt::Key_Print:
        set(VK_SNAPSHOT, true);
        break;
    case Qt::Key_Clear:
        set(VK_CLEAR);
        break;
    case Qt::Key_Home:
        set(VK_HOME, true);
        break;
    case Qt::Key_End:
        set(VK_END, true);
        break;
    case Qt::Key_Left:
        set(VK_LEFT, true);
        break;
    case Qt::Key_Up:
        set(VK_UP, true);
        break;
    case Qt::Key_Right:
        set(VK_RIGHT, true);
        break;
    case Qt::Key_Down:
        set(VK_DOWN, true);
        break;
    case Qt::Key_PageUp:
        set(VK_PRIOR, true);
        break;
    case Qt::Key_PageDown:
        set(VK_NEXT, true);
        break;
    case Qt::Key_CapsLock:
        set(VK_CAPITAL);
        break;
    case Qt::Key_NumLock:
        set(VK_NUMLOCK, true);
        break;
    case Qt::Key_ScrollLock:
        set(VK_SCROLL);
        break;
    case Qt::Key_Menu:
        set(VK_APPS, true);
        break;
    case Qt::Key_Shift:
        k.vk = VK_SHIFT;
        k.specific = native == kXkShiftR ? VK_RSHIFT : VK_LSHIFT;
        break;
    case Qt::Key_Control:
        k.vk = VK_CONTROL;
        k.specific = native == kXkControlR ? VK_RCONTROL : VK_LCONTROL;
        k.extended = k.specific == VK_RCONTROL;
        break;
    case Qt::Key_Alt:
        k.vk = VK_MENU;
        k.specific = native == kXkAltR ? VK_RMENU : VK_LMENU;
        k.extended = k.specific == VK_RMENU;
        break;
    case Qt::Key_AltGr:
        k.vk = VK_MENU;
        k.specific = VK_RMENU;
        k.extended = true;
        break;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        set(native == kXkSuperR || key == Qt::Key_Super_R ? VK_RWIN : VK_LWIN, true);
        break;
    // Punctuation by its place on the keyboard (US positions).
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        set(VK_OEM_1);
        break;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        set(VK_OEM_PLUS);
        break;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        set(VK_OEM_COMMA);
        break;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        set(VK_OEM_MINUS);
        break;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        set(VK_OEM_PERIOD);
        break;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        set(VK_OEM_2);
        break;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
    case Qt::Key_Ntilde:
        set(VK_OEM_3);
        break;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        set(VK_OEM_4);
        break;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        set(VK_OEM_5);
        break;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        set(VK_OEM_6);
        break;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        set(VK_OEM_7);
        break;
    case Qt::Key_Exclam:
        set('1');
        break;
    case Qt::Key_At:
        set('2');
        break;
    case Qt::Key_NumberSign:
        set('3');
        break;
    case Qt::Key_Dollar:
        set('4');
        break;
    case Qt::Key_Percent:
        set('5');
        break;
    case Qt::Key_AsciiCircum:
        set('6');
        break;
    case Qt::Key_Ampersand:
        set('7');
        break;
    case Qt::Key_Asterisk:
        set('8');
        break;
    case Qt::Key_ParenLeft:
        set('9');
        break;
    case Qt::Key_ParenRight:
        set('0');
        break;
    default:
        break;
    }
    return k;
}

// The Qt key of a virtual key, for a message that did not come from a Qt event.
int QtKeyOfVk(WORD vk, bool& keypad) {
    keypad = false;
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + (vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return keypad = true, Qt::Key_0 + (vk - VK_NUMPAD0);
    switch (vk) {
    case VK_BACK:
        return Qt::Key_Backspace;
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_END:
        return Qt::Key_End;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_INSERT:
        return Qt::Key_Insert;
    case VK_DELETE:
        return Qt::Key_Delete;
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        return Qt::Key_Shift;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        return Qt::Key_Control;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        return Qt::Key_Alt;
    case VK_DECIMAL:
        return keypad = true, Qt::Key_Period;
    case VK_MULTIPLY:
        return keypad = true, Qt::Key_Asterisk;
    case VK_ADD:
        return keypad = true, Qt::Key_Plus;
    case VK_SUBTRACT:
        return keypad = true, Qt::Key_Minus;
    case VK_DIVIDE:
        return keypad = true, Qt::Key_Slash;
    case VK_OEM_1:
        return Qt::Key_Semicolon;
    case VK_OEM_PLUS:
        return Qt::Key_Equal;
    case VK_OEM_COMMA:
        return Qt::Key_Comma;
    case VK_OEM_MINUS:
        return Qt::Key_Minus;
    case VK_OEM_PERIOD:
        return Qt::Key_Period;
    case VK_OEM_2:
        return Qt::Key_Slash;
    case VK_OEM_3:
        return Qt::Key_QuoteLeft;
    case VK_OEM_4:
        return Qt::Key_BracketLeft;
    case VK_OEM_5:
        return Qt::Key_Backslash;
    case VK_OEM_6:
        return Qt::Key_BracketRight;
    case VK_OEM_7:
        return Qt::Key_Apostrophe;
    default:
        return Qt::Key_unknown;
    }
}

Qt::KeyboardModifiers ModifiersFromState() {
    Qt::KeyboardModifiers m;
    if (GetKeyState(VK_SHIFT) < 0) m |= Qt::ShiftModifier;
    if (GetKeyState(VK_CONTROL) < 0) m |= Qt::ControlModifier;
    if (GetKeyState(VK_MENU) < 0) m |= Qt::AltModifier;
    return m;
}

WPARAM CharCodeOf(char32_t u, bool wide) {
    return wide ? static_cast<WPARAM>(u) : AnsiCharOf(u);
}

// The characters a key event makes: control characters from Ctrl and the editing keys,
// the others from the event's text (or, for events without text, from the key). A wide
// window takes each character's code point, the others its Windows-1252 code.
std::vector<WPARAM> CharsOf(const QKeyEvent* e, const KeyInfo& k, bool wide) {
    const Qt::KeyboardModifiers m = e->modifiers();
    const bool ctrl = m & Qt::ControlModifier, alt = m & Qt::AltModifier;
    if (ctrl && !alt) {
        int c = k.vk ? CharOfKey(k.vk, {ssCtrl}) : 0;
        return c ? std::vector<WPARAM>{static_cast<WPARAM>(c)} : std::vector<WPARAM>{};
    }
    switch (k.vk) {
    case VK_BACK:
        return {8};
    case VK_TAB:
        return {9};
    case VK_RETURN:
        return {13};
    case VK_ESCAPE:
        return {27};
    default:
        break;
    }
    std::vector<WPARAM> out;
    for (char32_t u : e->text().toUcs4())
        if (u >= 32 && u != 127) out.push_back(CharCodeOf(u, wide));
    if (out.empty() && e->text().isEmpty() && k.vk) {
        TShiftState s;
        if (m & Qt::ShiftModifier) s << ssShift;
        if (int c = CharOfKey(k.vk, s)) out.push_back(static_cast<WPARAM>(c));
    }
    return out;
}

LPARAM KeyDataOf(const KeyInfo& k, bool up, bool repeat, bool alt) {
    DWORD d = 1;
    d |= static_cast<DWORD>(ScanCodeOfKey(k.vk)) << 16;
    if (k.extended) d |= KF_EXTENDED;
    if (alt) d |= KF_ALTDOWN;
    if (repeat || up) d |= KF_REPEAT;
    if (up) d |= KF_UP;
    return static_cast<LPARAM>(static_cast<std::int32_t>(d));
}

// The Qt key event being turned into messages, so that the widget's own handling gets the
// original key when the handlers left it unchanged.
struct KeyContext {
    TWinControl* target;
    const QKeyEvent* event;
    WORD vk;
    std::vector<WPARAM> chars;
    KeyContext* previous;
};
KeyContext* contexto = nullptr;

struct KeyContextScope {
    KeyContext ctx;
    KeyContextScope(TWinControl* t, const QKeyEvent* e, WORD vk, std::vector<WPARAM> chars)
        : ctx{t, e, vk, std::move(chars), contexto} {
        contexto = &ctx;
    }
    ~KeyContextScope() { contexto = ctx.previous; }
};

void DeliverChar(TWinControl* target, WPARAM ch, LPARAM data, bool sys) {
    auto alive = target->Watch();
    if (target->Perform(sys ? CN_SYSCHAR : CN_CHAR, ch, data) != 0 || alive.expired()) return;
    target->Perform(sys ? WM_SYSCHAR : WM_CHAR, ch, data);
}

void DeliverKeyDown(TWinControl* target, WORD vk, LPARAM data, bool sys,
                    const std::vector<WPARAM>& chars) {
    auto alive = target->Watch();
    if (target->Perform(sys ? CN_SYSKEYDOWN : CN_KEYDOWN, vk, data) != 0 || alive.expired()) return;
    target->Perform(sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, data);
    // The characters were made when the key arrived, whatever the handlers did to it.
    for (WPARAM ch : chars) {
        if (alive.expired()) return;
        DeliverChar(target, ch, data, sys);
    }
}

void DeliverKeyUp(TWinControl* target, WORD vk, LPARAM data, bool sys) {
    auto alive = target->Watch();
    if (target->Perform(CN_KEYUP, vk, data) != 0 || alive.expired()) return;
    target->Perform(sys ? WM_SYSKEYUP : WM_KEYUP, vk, data);
}

} // namespace

void TranslateKeyEvent(TWinControl* Target, QKeyEvent* Event) {
    const KeyInfo k = KeyOf(Event);
    const Qt::KeyboardModifiers m = Event->modifiers();
    const bool press = Event->type() == QEvent::KeyPress;
    // A modifier key's own event reports the state after it: the key itself decides.
    SyncModifierState(k.vk == VK_SHIFT ? GetKeyState(VK_SHIFT) < 0 : bool(m & Qt::ShiftModifier),
                      k.vk == VK_CONTROL ? GetKeyState(VK_CONTROL) < 0
                                         : bool(m & Qt::ControlModifier),
                      k.vk == VK_MENU ? GetKeyState(VK_MENU) < 0 : bool(m & Qt::AltModifier));
    if (k.specific) SetKeyDownState(k.specific, press);
    const bool alt = GetKeyState(VK_MENU) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    // Alt without Ctrl makes system keys; F10 alone too.
    const bool sys = (alt && !ctrl) || (k.vk == VK_F10 && !ctrl) || (k.vk == VK_MENU && !ctrl);
    if (!press) {
        if (Event->isAutoRepeat() || !k.vk) return;
        DeliverKeyUp(Target, k.vk, KeyDataOf(k, true, true, alt), sys);
        return;
    }
    std::vector<WPARAM> chars = CharsOf(Event, k, Target->IsUnicodeWindow());
    KeyContextScope scope(Target, Event, k.vk, chars);
    const LPARAM data = KeyDataOf(k, false, Event->isAutoRepeat(), alt);
    if (k.vk) {
        DeliverKeyDown(Target, k.vk, data, sys, chars);
        return;
    }
    auto alive = Target->Watch();
    for (WPARAM ch : chars) {
        if (alive.expired()) return;
        DeliverChar(Target, ch, data, sys);
    }
}

void TranslateInputMethod(TWinControl* Target, QInputMethodEvent* Event) {
    const QString commit = Event->commitString();
    if (!commit.isEmpty()) {
        auto alive = Target->Watch();
        for (char32_t u : commit.toUcs4()) {
            if (alive.expired()) return;
            if (u < 32) continue;
            DeliverChar(Target, CharCodeOf(u, Target->IsUnicodeWindow()), 1, false);
        }
        if (alive.expired()) return;
    }
    // The widget keeps showing what is being composed; the committed text came as WM_CHARs.
    if (Target->GetWidget()) {
        if (WidgetHook* hook = HookOf(Target->GetWidget())) {
            QInputMethodEvent rest(Event->preeditString(), Event->attributes());
            hook->CallBaseEvent(&rest);
        }
    }
}

bool DeliverPostedKeyMessage(TWinControl* Target, UINT Msg, WPARAM WParam, LPARAM LParam) {
    const WORD vk = static_cast<WORD>(WParam);
    const bool sys = Msg == WM_SYSKEYDOWN || Msg == WM_SYSKEYUP || Msg == WM_SYSCHAR;
    switch (Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        TShiftState s = KeyboardStateToShiftState();
        if (sys) s << ssAlt;
        std::vector<WPARAM> chars;
        if (int c = CharOfKey(vk, s)) chars.push_back(static_cast<WPARAM>(c));
        DeliverKeyDown(Target, vk, LParam, sys, chars);
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        DeliverKeyUp(Target, vk, LParam, sys);
        return true;
    case WM_CHAR:
    case WM_SYSCHAR:
        DeliverChar(Target, Target->IsUnicodeWindow() ? WParam : static_cast<unsigned char>(WParam),
                    LParam, sys);
        return true;
    default:
        return false;
    }
}

void NativeKeyDefault(TWinControl* Target, TMessage& Message) {
    QWidget* w = Target->GetWidget();
    WidgetHook* hook = w ? HookOf(w) : nullptr;
    if (!hook) return;
    const KeyContext* ctx = contexto && contexto->target == Target ? contexto : nullptr;
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const WORD vk = static_cast<WORD>(Message.WParam);
        const bool down = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
        const bool original = ctx && ctx->event && ctx->vk == vk;
        const bool makesChar =
            original ? !ctx->chars.empty() : CharOfKey(vk, KeyboardStateToShiftState()) != 0;
        if (makesChar) return; // its action belongs to WM_CHAR
        int key;
        Qt::KeyboardModifiers mods;
        if (original) {
            key = ctx->event->key();
            mods = ctx->event->modifiers();
        } else {
            bool keypad = false;
            key = QtKeyOfVk(vk, keypad);
            mods = ModifiersFromState();
            if (keypad) mods |= Qt::KeypadModifier;
        }
        const bool repeat = down && (static_cast<DWORD>(Message.LParam) & KF_REPEAT);
        QKeyEvent ev(down ? QEvent::KeyPress : QEvent::KeyRelease, key, mods, QString(), repeat);
        hook->CallBaseEvent(&ev);
        return;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        // A wide window's character above the code page's range is its code point.
        const WPARAM code = Message.WParam;
        const unsigned char ch = static_cast<unsigned char>(code);
        int key;
        Qt::KeyboardModifiers mods;
        QString text;
        switch (code > 0xFF ? -1 : ch) {
        case 8:
            key = Qt::Key_Backspace, text = QStringLiteral("\b");
            break;
        case 9:
            key = Qt::Key_Tab, text = QStringLiteral("\t");
            break;
        case 10:
            key = Qt::Key_Return, mods = Qt::ControlModifier, text = QStringLiteral("\n");
            break;
        case 13:
            key = Qt::Key_Return, text = QStringLiteral("\r");
            break;
        case 27:
            key = Qt::Key_Escape, text = QString(QChar(27));
            break;
        default:
            if (code > 0xFF) {
                const char32_t u = code <= 0x10FFFF ? static_cast<char32_t>(code) : U'\uFFFD';
                text = QString::fromUcs4(&u, 1);
                key = Qt::Key_unknown;
            } else if (ch < 32) {
                key = ch <= 26 ? Qt::Key_A + (ch - 1) : Qt::Key_unknown;
                mods = Qt::ControlModifier;
                text = QString(QChar(ch));
            } else {
                const char32_t u = cp1252::ToUnicode(ch);
                text = QString::fromUcs4(&u, 1);
                bool unchanged =
                    ctx && ctx->event && !ctx->chars.empty() && ctx->chars.front() == ch;
                if (unchanged) {
                    key = ctx->event->key();
                    mods = ctx->event->modifiers() & ~Qt::ControlModifier;
                } else {
                    key =
                        u < 128
                            ? static_cast<int>(QChar(static_cast<char16_t>(u)).toUpper().unicode())
                            : Qt::Key_unknown;
                }
            }
        }
        QKeyEvent ev(QEvent::KeyPress, key, mods, text);
        hook->CallBaseEvent(&ev);
        return;
    }
    default:
        return;
    }
}
