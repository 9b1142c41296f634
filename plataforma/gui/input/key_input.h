#pragma once
// Inside the platform layer only: Qt key and input-method events as the class library's
// key messages, the same road for posted key messages, and the widget's own handling of a
// key message that no handler consumed.

#include "plataforma/gui/kernel/messages.h"

class QKeyEvent;
class QInputMethodEvent;
class TWinControl;

void TranslateKeyEvent(TWinControl* Target, QKeyEvent* Event);
// Committed text becomes WM_CHARs, one per character.
void TranslateInputMethod(TWinControl* Target, QInputMethodEvent* Event);
// A posted WM_KEYDOWN, WM_KEYUP or WM_CHAR (and their WM_SYS forms) goes through the key
// road as a real key does: dialog keys, then the message, then its characters.
// False for other messages.
bool DeliverPostedKeyMessage(TWinControl* Target, UINT Msg, WPARAM WParam, LPARAM LParam);
void NativeKeyDefault(TWinControl* Target, TMessage& Message);
