#pragma once
// Input as a user makes it, for tests: each call builds the window system's own event and
// sends it through the same translation as real input (keyboard state, key data, messages,
// default handling). Keys go to the focused control unless a target is given.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/input/cursors.h"
#include "plataforma/gui/input/keys.h"

class TControl;
class TWinControl;

// A key press (and release) of a virtual key with the given modifiers held. The right-hand
// modifier keys (VK_RCONTROL...) and the keypad keys (VK_DECIMAL, VK_NUMPAD0...) are told
// apart as the window system tells them.
void SimulateKeyDown(WORD vk, TShiftState shift = {}, TWinControl* target = nullptr,
                     bool autoRepeat = false);
void SimulateKeyUp(WORD vk, TShiftState shift = {}, TWinControl* target = nullptr);
void SimulateKeyStroke(WORD vk, TShiftState shift = {}, TWinControl* target = nullptr);
// Each character as a key of its own, with Shift for capitals (Windows-1252 text).
void SimulateTyping(const AnsiString& text, TWinControl* target = nullptr);
// Text committed by an input method (dead keys, compose): characters without key presses.
void SimulateInputMethodCommit(const AnsiString& text, TWinControl* target = nullptr);
// The same with UTF-16 text: each character (a surrogate pair is one) as a key of its own
// that only makes the character; committed as one string.
void SimulateTyping(const WideString& text, TWinControl* target = nullptr);
void SimulateInputMethodCommit(const WideString& text, TWinControl* target = nullptr);

enum class SimulatedMouse { Down, Up, DoubleClick, Move };
// A mouse event at a client point of a control; buttons held are tracked between calls. A
// point over a window-system scroll bar inside the control (a list box's) goes to that bar,
// which keeps the pointer while a button it took is held.
void SimulateMouse(TControl* control, SimulatedMouse what,
                   int button /* 0 left, 1 right, 2 middle */, int x, int y,
                   TShiftState shift = {});
void SimulateClick(TControl* control, int x, int y);
// A left click where the window system delivers one: the pointer moves to a client point
// of the control (it may lie outside the control) and clicks there, each event going to the
// window on top there. An open drop-down list or popup menu takes them, and a press outside
// it closes it, as on the screen.
void SimulateScreenClick(TControl* control, int x, int y);
// One wheel step is 120; negative turns towards the user.
void SimulateWheel(TControl* control, int delta, int x, int y, TShiftState shift = {});
void SimulateMouseEnter(TControl* control);
void SimulateMouseLeave(TControl* control);
// The pointer comes to a client point of the control and rests there: the window system
// asks the window under it for its tool tip, and each window up to the top-level one while
// none takes the request. The text of the hint that shows then, in the application's hint
// window or the window system's tool tip; empty when none shows.
AnsiString SimulateHintRest(TControl* control, int x, int y);
// The cursor the control's window shows (as the last WM_SETCURSOR or Cursor left it);
// nullptr when it shows its parent's.
HCURSOR ShownCursor(TControl* control);
// Releases every key and button in the keyboard state.
void ResetInputState();
