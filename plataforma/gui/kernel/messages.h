#pragma once
// Window messages: their numbers, the TMessage record that carries them, and the views that
// name the parts of a message as the controls read them (TWMKey::CharCode, TWMMouse::XPos...).
// A view refers to the record it was made from: writing CharCode or Result writes the record.

#include "plataforma/base/ansi_string.h"
#include "plataforma/gui/kernel/win_types.h"

#include <functional>

class TControl;

// --- Window messages (Win32 numbers) ---
enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_SETREDRAW = 0x000B,
    WM_SETTEXT = 0x000C,
    WM_GETTEXT = 0x000D,
    WM_GETTEXTLENGTH = 0x000E,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_ERASEBKGND = 0x0014,
    WM_SHOWWINDOW = 0x0018,
    WM_CANCELMODE = 0x001F,
    WM_SETCURSOR = 0x0020,
    WM_MOUSEACTIVATE = 0x0021,
    WM_SETFONT = 0x0030,
    WM_GETFONT = 0x0031,
    WM_WINDOWPOSCHANGED = 0x0047,
    WM_NOTIFY = 0x004E,
    WM_CONTEXTMENU = 0x007B,
    WM_NCDESTROY = 0x0082,
    WM_NCCALCSIZE = 0x0083,
    WM_NCHITTEST = 0x0084,
    WM_NCPAINT = 0x0085,
    WM_GETDLGCODE = 0x0087,
    WM_KEYFIRST = 0x0100,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_DEADCHAR = 0x0103,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_SYSCHAR = 0x0106,
    WM_KEYLAST = 0x0108,
    WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_HSCROLL = 0x0114,
    WM_VSCROLL = 0x0115,
    WM_CTLCOLOREDIT = 0x0133,
    WM_CTLCOLORLISTBOX = 0x0134,
    WM_CTLCOLORSTATIC = 0x0138,
    WM_MOUSEFIRST = 0x0200,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_MOUSELAST = 0x020A,
    WM_CAPTURECHANGED = 0x0215,
    WM_CUT = 0x0300,
    WM_COPY = 0x0301,
    WM_PASTE = 0x0302,
    WM_CLEAR = 0x0303,
    WM_UNDO = 0x0304,
    WM_THEMECHANGED = 0x031A,
    WM_USER = 0x0400,
    WM_APP = 0x8000,
};

// --- The class library's own messages: control notifications (CM_) and the messages that
// a parent reflects back to the control that sent them (CN_ = CN_BASE + the WM_ number). ---
enum : UINT {
    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE + 0,
    CM_DEACTIVATE,
    CM_GOTFOCUS,
    CM_LOSTFOCUS,
    CM_CANCELMODE,
    CM_DIALOGKEY,
    CM_DIALOGCHAR,
    CM_FOCUSCHANGED,
    CM_PARENTFONTCHANGED,
    CM_PARENTCOLORCHANGED,
    CM_HITTEST,
    CM_VISIBLECHANGED,
    CM_ENABLEDCHANGED,
    CM_COLORCHANGED,
    CM_FONTCHANGED,
    CM_CURSORCHANGED,
    CM_TEXTCHANGED,
    CM_MOUSEENTER,
    CM_MOUSELEAVE,
    CM_SHOWINGCHANGED,
    CM_ENTER,
    CM_EXIT,
    CM_WANTSPECIALKEY,
    CM_RELEASE,
    CM_SHOWHINTCHANGED,
    CM_PARENTSHOWHINTCHANGED,
    CM_TABSTOPCHANGED,
    CM_CHILDKEY,
    CM_HINTSHOW,
    CM_RECREATEWND,
    CM_INVALIDATE,
    CM_CONTROLCHANGE,
    CM_CONTROLLISTCHANGE,
    CM_BORDERCHANGED,
    CM_MOUSEWHEEL,
    // A button of a group went down: WParam the group, LParam the button.
    CM_BUTTONPRESSED,
};

constexpr UINT CN_BASE = 0xBC00;
enum : UINT {
    CN_COMMAND = CN_BASE + WM_COMMAND,
    CN_NOTIFY = CN_BASE + WM_NOTIFY,
    CN_KEYDOWN = CN_BASE + WM_KEYDOWN,
    CN_KEYUP = CN_BASE + WM_KEYUP,
    CN_CHAR = CN_BASE + WM_CHAR,
    CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN,
    CN_SYSCHAR = CN_BASE + WM_SYSCHAR,
    CN_HSCROLL = CN_BASE + WM_HSCROLL,
    CN_VSCROLL = CN_BASE + WM_VSCROLL,
    CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
    CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX,
    CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
};

// WM_GETDLGCODE answers: which keys a control takes for itself instead of the dialog.
enum : unsigned {
    DLGC_WANTARROWS = 0x0001,
    DLGC_WANTTAB = 0x0002,
    DLGC_WANTALLKEYS = 0x0004,
    DLGC_WANTMESSAGE = 0x0004,
    DLGC_HASSETSEL = 0x0008,
    DLGC_DEFPUSHBUTTON = 0x0010,
    DLGC_UNDEFPUSHBUTTON = 0x0020,
    DLGC_RADIOBUTTON = 0x0040,
    DLGC_WANTCHARS = 0x0080,
    DLGC_STATIC = 0x0100,
    DLGC_BUTTON = 0x2000,
};

// Mouse-message key flags (wParam).
enum : unsigned {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

constexpr int WHEEL_DELTA = 120;

// WM_SIZE kinds.
enum : unsigned { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// WM_SYSCOMMAND: the menu bar asked from the keyboard (F10, or Alt and a letter).
constexpr unsigned SC_KEYMENU = 0xF100;

// WM_SETCURSOR hit-test code of the client area.
constexpr int HTCLIENT = 1;

// Scroll request codes (WM_HSCROLL, WM_VSCROLL).
enum : unsigned {
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};

// Control notification codes carried by WM_COMMAND.
enum : WORD {
    EN_SETFOCUS = 0x0100,
    EN_KILLFOCUS = 0x0200,
    EN_CHANGE = 0x0300,
    EN_UPDATE = 0x0400,
    LBN_SELCHANGE = 1,
    LBN_DBLCLK = 2,
    CBN_SELCHANGE = 1,
    CBN_DBLCLK = 2,
    CBN_SETFOCUS = 3,
    CBN_KILLFOCUS = 4,
    CBN_EDITCHANGE = 5,
    CBN_EDITUPDATE = 6,
    CBN_DROPDOWN = 7,
    CBN_CLOSEUP = 8,
    BN_CLICKED = 0,
};

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    WORD WParamLo() const { return LOWORD(WParam); }
    WORD WParamHi() const { return HIWORD(WParam); }
    WORD LParamLo() const { return LOWORD(static_cast<std::uintptr_t>(LParam)); }
    WORD LParamHi() const { return HIWORD(static_cast<std::uintptr_t>(LParam)); }
};

using TWndMethod = std::function<void(TMessage& Message)>;

// Base of the views: the record, its number and its result.
struct TMessageView {
    explicit TMessageView(TMessage& m) : Message(m), Msg(m.Msg), Result(m.Result) {}
    TMessage& Message;
    UINT& Msg;
    LRESULT& Result;
    operator TMessage&() { return Message; }
};

// WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYS..., CN_KEYDOWN, CM_DIALOGKEY, CM_DIALOGCHAR,
// CM_WANTSPECIALKEY, CM_CHILDKEY: the virtual-key code or character, and the key data
// (repeat count, scan code in bits 16-23, extended bit 24, Alt bit 29, transition bits).
struct TWMKey : TMessageView {
    explicit TWMKey(TMessage& m) : TMessageView(m), CharCode(m.WParam), KeyData(m.LParam) {}
    WPARAM& CharCode;
    LPARAM& KeyData;
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;
using TCMChildKey = TWMKey;

// Mouse buttons and moves: MK_ flags and client coordinates.
struct TWMMouse : TMessageView {
    explicit TWMMouse(TMessage& m)
        : TMessageView(m), Keys(m.WParam), XPos(GET_X_LPARAM(m.LParam)),
          YPos(GET_Y_LPARAM(m.LParam)) {}
    WPARAM& Keys;
    int XPos;
    int YPos;
    TPoint Pos() const { return {XPos, YPos}; }
};

// WM_MOUSEWHEEL: MK_ flags, the signed delta (WHEEL_DELTA a notch, negative towards the
// user) and the pointer in screen coordinates.
struct TWMMouseWheel : TMessageView {
    explicit TWMMouseWheel(TMessage& m)
        : TMessageView(m), Keys(LOWORD(m.WParam)), WheelDelta(static_cast<SHORT>(HIWORD(m.WParam))),
          XPos(GET_X_LPARAM(m.LParam)), YPos(GET_Y_LPARAM(m.LParam)) {}
    WORD Keys;
    int WheelDelta;
    int XPos;
    int YPos;
    TPoint Pos() const { return {XPos, YPos}; }
};

// WM_SETFOCUS and WM_KILLFOCUS: the window that loses or gains the focus (none: nullptr).
struct TWMFocus : TMessageView {
    explicit TWMFocus(TMessage& m)
        : TMessageView(m), FocusedWnd(reinterpret_cast<HWND>(m.WParam)) {}
    HWND FocusedWnd;
};
using TWMSetFocus = TWMFocus;
using TWMKillFocus = TWMFocus;

struct TWMTimer : TMessageView {
    explicit TWMTimer(TMessage& m) : TMessageView(m), TimerID(m.WParam) {}
    WPARAM& TimerID;
};

struct TWMCommand : TMessageView {
    explicit TWMCommand(TMessage& m)
        : TMessageView(m), ItemID(LOWORD(m.WParam)), NotifyCode(HIWORD(m.WParam)),
          Ctl(reinterpret_cast<HWND>(m.LParam)) {}
    WORD ItemID;
    WORD NotifyCode;
    HWND Ctl;
};

struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

struct TWMNotify : TMessageView {
    explicit TWMNotify(TMessage& m)
        : TMessageView(m), IDCtrl(m.WParam), NMHdr(reinterpret_cast<NMHDR*>(m.LParam)) {}
    WPARAM& IDCtrl;
    NMHDR* NMHdr;
};

// WM_HSCROLL, WM_VSCROLL: the request (SB_), the thumb position and the scroll bar control.
struct TWMScroll : TMessageView {
    explicit TWMScroll(TMessage& m)
        : TMessageView(m), ScrollCode(static_cast<SHORT>(LOWORD(m.WParam))),
          Pos(static_cast<SHORT>(HIWORD(m.WParam))), ScrollBar(reinterpret_cast<HWND>(m.LParam)) {}
    int ScrollCode;
    int Pos;
    HWND ScrollBar;
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

// WM_SIZE: the kind (SIZE_) and the new client size.
struct TWMSize : TMessageView {
    explicit TWMSize(TMessage& m)
        : TMessageView(m), SizeType(m.WParam), Width(LOWORD(static_cast<std::uintptr_t>(m.LParam))),
          Height(HIWORD(static_cast<std::uintptr_t>(m.LParam))) {}
    WPARAM& SizeType;
    int Width;
    int Height;
};

// WM_PAINT, WM_ERASEBKGND, WM_NCPAINT.
struct TWMPaint : TMessageView {
    explicit TWMPaint(TMessage& m) : TMessageView(m), DC(reinterpret_cast<HDC>(m.WParam)) {}
    HDC DC;
};
using TWMEraseBkgnd = TWMPaint;
using TWMNCPaint = TMessageView;

// WM_SETCURSOR: the window under the pointer, the hit-test code and the mouse message.
struct TWMSetCursor : TMessageView {
    explicit TWMSetCursor(TMessage& m)
        : TMessageView(m), CursorWnd(reinterpret_cast<HWND>(m.WParam)),
          HitTest(static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(m.LParam)))),
          MouseMsg(HIWORD(static_cast<std::uintptr_t>(m.LParam))) {}
    HWND CursorWnd;
    int HitTest;
    WORD MouseMsg;
};

// What a hint about to show says, where, and for how long; a CM_HINTSHOW handler may
// change it, and refuses the hint with a non-zero result.
struct THintInfo {
    TControl* HintControl = nullptr;
    int HintWindowClass = 0;
    TPoint HintPos; // screen
    int HintMaxWidth = 0;
    int HintColor = 0; // a TColor
    TRect CursorRect;  // client
    TPoint CursorPos;  // client
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    AnsiString HintStr;
    void* HintData = nullptr;
};

struct TCMHintShow : TMessageView {
    explicit TCMHintShow(TMessage& m)
        : TMessageView(m), HintInfo(reinterpret_cast<THintInfo*>(m.LParam)) {}
    THintInfo* HintInfo;
};

// CM_MOUSEENTER, CM_MOUSELEAVE: LParam is the control.
struct TCMMouse : TMessageView {
    explicit TCMMouse(TMessage& m)
        : TMessageView(m), Control(reinterpret_cast<TControl*>(m.LParam)) {}
    TControl* Control;
};

// Sends a message to a window now and returns its result (0 for an unknown window).
LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Queues a message for a window; Application->ProcessMessages (or the running message loop)
// delivers it. FALSE for an unknown window.
BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// TRUE while hWnd names a live window.
BOOL IsWindow(HWND hWnd);

// For a class's Dispatch: calls a handler with the view it takes.
template <class View, class C>
void CallMessageHandler(C* self, void (C::*handler)(View&), TMessage& m) {
    View view(m);
    (self->*handler)(view);
}
template <class C> void CallMessageHandler(C* self, void (C::*handler)(TMessage&), TMessage& m) {
    (self->*handler)(m);
}
