#pragma once
// Inside the platform layer only: the record of the focused control, kept in step with Qt,
// and the focus messages sent when it changes.

class QWidget;
class TWinControl;

// Qt moved the keyboard focus to a widget (nullptr: nowhere in this program).
void QtFocusChanged(QWidget* Now);
// The focus goes to Control: WM_KILLFOCUS to the previous control, CM_EXIT and CM_ENTER
// along the parents within one window, then WM_SETFOCUS, each naming the other window.
void MoveFocusRecord(TWinControl* Control);
// Control (or a descendant) loses the focus without messages: it is going away.
void ForgetFocus(TWinControl* Control);
// Control's window is destroyed: the record lets go of it, without messages.
void DropFocusRecord(TWinControl* Control);
// Whether Control is being told that it loses the focus (it still counts as focused): a
// window it re-creates meanwhile neither takes the focus back nor is told again.
bool LosingFocus(const TWinControl* Control);
// The focused control inside Root's window, or the last one that was.
TWinControl* FocusedWithinRoot(TWinControl* Root);
