#pragma once
// Inside the platform layer only: the default handling of the window system's edit for
// characters, clipboard keys and clipboard messages, shared by the edits and by the edit
// part of combo boxes.

#include "plataforma/gui/edit.h"
#include "plataforma/gui/hosted_widget.h"

class EditBackend;

struct EditRules {
    int maxLength = 0; // 0: none
    bool readOnly = false;
    bool multiLine = false;
    TEditCharCase charCase = ecNormal;
    char passwordChar = 0;
};

// WM_CHAR: the clipboard and undo characters become their messages to the control; other
// control characters, characters beyond the limit (with a beep) and characters of a
// read-only edit are dropped. Returns true when the (possibly rewritten) character is to
// be inserted by the widget.
bool EditCharDefault(TWinControl* Control, EditBackend& Edit, const EditRules& Rules,
                     TMessage& Message);
// WM_KEYDOWN: Shift+Insert, Ctrl+Insert and Shift+Delete send WM_PASTE, WM_COPY and
// WM_CUT; true when the key was one of them.
bool EditClipboardKey(TWinControl* Control, WORD Key);
// WM_PASTE, WM_COPY / WM_CUT and WM_CLEAR.
void EditPaste(EditBackend& Edit, const EditRules& Rules);
void EditCopy(EditBackend& Edit, const EditRules& Rules, bool Cut);
void EditClear(EditBackend& Edit, const EditRules& Rules);
// The standard edit menu at a WM_CONTEXTMENU point (-1: the control's middle).
void ShowEditMenu(TWinControl* Control, EditBackend& Edit, const EditRules& Rules, LPARAM Point);
