#pragma once
// Virtual-key codes, shift states and the keyboard state. The keyboard state is the one of
// the input being dispatched: each key and mouse event updates it before its messages are
// sent, so GetKeyState answers as Windows does inside a handler, and tests can set it.

#include "plataforma/base/small_set.h"
#include "plataforma/gui/kernel/win_types.h"

enum : WORD {
    VK_LBUTTON = 0x01,
    VK_RBUTTON = 0x02,
    VK_CANCEL = 0x03,
    VK_MBUTTON = 0x04,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_CLEAR = 0x0C,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_SELECT = 0x29,
    VK_PRINT = 0x2A,
    VK_EXECUTE = 0x2B,
    VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_HELP = 0x2F,
    // '0'..'9' and 'A'..'Z' are their own codes.
    VK_LWIN = 0x5B,
    VK_RWIN = 0x5C,
    VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60,
    VK_NUMPAD1,
    VK_NUMPAD2,
    VK_NUMPAD3,
    VK_NUMPAD4,
    VK_NUMPAD5,
    VK_NUMPAD6,
    VK_NUMPAD7,
    VK_NUMPAD8,
    VK_NUMPAD9,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SEPARATOR = 0x6C,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F2,
    VK_F3,
    VK_F4,
    VK_F5,
    VK_F6,
    VK_F7,
    VK_F8,
    VK_F9,
    VK_F10,
    VK_F11,
    VK_F12,
    VK_F24 = 0x87,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_LSHIFT = 0xA0,
    VK_RSHIFT = 0xA1,
    VK_LCONTROL = 0xA2,
    VK_RCONTROL = 0xA3,
    VK_LMENU = 0xA4,
    VK_RMENU = 0xA5,
    VK_OEM_1 = 0xBA,
    VK_OEM_PLUS = 0xBB,
    VK_OEM_COMMA = 0xBC,
    VK_OEM_MINUS = 0xBD,
    VK_OEM_PERIOD = 0xBE,
    VK_OEM_2 = 0xBF,
    VK_OEM_3 = 0xC0,
    VK_OEM_4 = 0xDB,
    VK_OEM_5 = 0xDC,
    VK_OEM_6 = 0xDD,
    VK_OEM_7 = 0xDE,
    VK_OEM_102 = 0xE2,
};

// Bits of a key message's key data.
enum : DWORD {
    KF_EXTENDED = 0x01000000,
    KF_ALTDOWN = 0x20000000,
    KF_REPEAT = 0x40000000,
    KF_UP = 0x80000000,
};

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = SmallSet<TShiftStateItem>;

// High bit (negative result) while the key is down; low bit for toggled keys (Caps Lock).
SHORT GetKeyState(int nVirtKey);
// The same state: the layer has no view of the physical keyboard beyond its events.
SHORT GetAsyncKeyState(int vKey);
// 256 bytes, 0x80 for a key that is down and 0x01 for a toggled one.
BOOL GetKeyboardState(BYTE* lpKeyState);
BOOL SetKeyboardState(const BYTE* lpKeyState);

// Shift, Ctrl from the keyboard state and Alt from the key data's context bit.
TShiftState KeyDataToShiftState(LPARAM KeyData);
// Shift, Ctrl, Alt and the mouse buttons from the keyboard state.
TShiftState KeyboardStateToShiftState();
// Shift, Ctrl and buttons from mouse-message flags (MK_), Alt from the keyboard state.
TShiftState KeysToShiftState(WORD Keys);

// The scan code of a key on the layer's keyboard (101 keys, US positions); extended keys
// answer their code without the prefix. 0 for keys that have none.
BYTE ScanCodeOfKey(WORD vk);
bool IsExtendedKey(WORD vk);
// The key data of a key message as the window system builds it.
LPARAM MakeKeyData(WORD vk, bool keyUp, bool repeat, bool altDown, int repeatCount = 1,
                   bool extended = false);
// The character that a key makes on the layer's keyboard with the given shift state, as
// TranslateMessage gives it (control characters with Ctrl); 0 when it makes none.
int CharOfKey(WORD vk, TShiftState shift);
