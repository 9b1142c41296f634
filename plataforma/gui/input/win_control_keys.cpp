// TWinControl: keyboard messages. A key first asks who takes it (CN_KEYDOWN: menu shortcuts,
// then Tab, arrows, Return and Escape through CM_WANTSPECIALKEY, WM_GETDLGCODE and the
// dialog's CM_DIALOGKEY); what is left reaches WM_KEYDOWN, OnKeyDown and the window.

#include "plataforma/gui/kernel/controls.h"

#include "plataforma/gui/input/focus_state.h"

TWinControl* TWinControl::KeyDialogRoot() {
    TWinControl* c = this;
    while (c->parent_ && !c->IsForm())
        c = c->parent_;
    return c;
}

bool TWinControl::DoKeyDown(TWMKey& Message) {
    return DoKeyUpDown(Message, false);
}
bool TWinControl::DoKeyUp(TWMKey& Message) {
    return DoKeyUpDown(Message, true);
}

// The form's key preview first, then the control's own event; true when the key was
// consumed (set to 0).
bool TWinControl::DoKeyUpDown(TWMKey& Message, bool Up) {
    TWinControl* form = KeyDialogRoot();
    if (form != this && form->KeyPreviewEnabled() &&
        (Up ? form->DoKeyUp(Message) : form->DoKeyDown(Message)))
        return true;
    if (GetControlStyle().Contains(csNoStdEvents)) return false;
    WORD key = static_cast<WORD>(Message.CharCode);
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    if (Up)
        KeyUp(key, shift);
    else
        KeyDown(key, shift);
    Message.CharCode = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
    TWinControl* form = KeyDialogRoot();
    if (form != this && form->KeyPreviewEnabled() && form->DoKeyPress(Message)) return true;
    if (GetControlStyle().Contains(csNoStdEvents)) return false;
    // The handlers see the low byte; a wide window's parked code stays in the high word.
    char ch = static_cast<char>(Message.CharCode);
    KeyPress(ch);
    Message.CharCode =
        (Message.CharCode & ~static_cast<WPARAM>(0xFFFF)) | static_cast<unsigned char>(ch);
    return ch == 0;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TWMKey& Message) {
    if (!DoKeyDown(Message)) TControl::Dispatch(Message);
}

void TWinControl::WMSysKeyDown(TWMKey& Message) {
    if (DoKeyDown(Message)) return;
    // Shift+F10 asks for the context menu, as the Menu key does (from the keyboard: -1, -1).
    if (Message.CharCode == VK_F10 &&
        KeyDataToShiftState(Message.KeyData) == TShiftState{ssShift}) {
        const WPARAM ventana = HandleAllocated() ? reinterpret_cast<WPARAM>(GetHandle()) : 0;
        Perform(WM_CONTEXTMENU, ventana, static_cast<LPARAM>(-1));
        return;
    }
    // F10 alone takes the keyboard to the form's menu bar.
    if (Message.CharCode == VK_F10 && KeyDataToShiftState(Message.KeyData).Empty()) {
        KeyDialogRoot()->Perform(WM_SYSCOMMAND, SC_KEYMENU, 0);
        return;
    }
    TControl::Dispatch(Message);
}

void TWinControl::WMKeyUp(TWMKey& Message) {
    if (!DoKeyUp(Message)) TControl::Dispatch(Message);
}

void TWinControl::WMSysKeyUp(TWMKey& Message) {
    if (!DoKeyUp(Message)) TControl::Dispatch(Message);
}

void TWinControl::WMChar(TWMKey& Message) {
    if (!DoKeyPress(Message)) TControl::Dispatch(Message);
}

void TWinControl::CNKeyDown(TWMKey& Message) {
    Message.Result = 1;
    const WPARAM key = Message.CharCode;
    const LPARAM data = Message.KeyData;
    TWinControl* root = KeyDialogRoot();
    if (root->IsShortCut(Message)) return;
    if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) return;
    unsigned mask = 0;
    switch (key) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, key, data) == 0 &&
        (static_cast<unsigned>(Perform(WM_GETDLGCODE, 0, 0)) & mask) == 0 &&
        root->Perform(CM_DIALOGKEY, key, data) != 0)
        return;
    Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TWMKey& Message) {
    Message.Result = KeyDialogRoot()->IsShortCut(Message) ? 1 : 0;
}

void TWinControl::CNChar(TWMKey& Message) {
    Message.Result = 1;
    const WPARAM ch = Message.CharCode;
    if ((static_cast<unsigned>(Perform(WM_GETDLGCODE, 0, 0)) & DLGC_WANTCHARS) == 0 &&
        KeyDialogRoot()->Perform(CM_DIALOGCHAR, ch, Message.KeyData) != 0)
        return;
    Message.Result = 0;
}

void TWinControl::CNSysChar(TWMKey& Message) {
    Message.Result = 0;
    if (Message.CharCode != VK_SPACE)
        Message.Result = KeyDialogRoot()->Perform(CM_DIALOGCHAR, Message.CharCode, Message.KeyData);
}

void TWinControl::CMChildKey(TWMKey& Message) {
    Message.Result = parent_ ? parent_->Perform(CM_CHILDKEY, Message.CharCode, Message.KeyData) : 0;
}

// The dialog's own keys: Tab moves through the tab order, arrows through the siblings of
// the focused control; other keys go to the children (default and cancel buttons).
void TWinControl::CMDialogKey(TWMKey& Message) {
    if (this == KeyDialogRoot() && GetKeyState(VK_MENU) >= 0) {
        TWinControl* focused = FocusedWithinRoot(this);
        switch (Message.CharCode) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) < 0) break;
            SelectNext(focused, GetKeyState(VK_SHIFT) >= 0, true);
            Message.Result = 1;
            return;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (focused && focused->parent_) {
                focused->parent_->SelectNext(
                    focused, Message.CharCode == VK_RIGHT || Message.CharCode == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    Broadcast(Message);
}

void TWinControl::CMDialogChar(TWMKey& Message) {
    Broadcast(Message);
}
