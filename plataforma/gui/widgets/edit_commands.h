#pragma once
// Inside the platform layer only: the default handling of the window system's edit for
// characters, clipboard keys and clipboard messages, shared by the edits and by the edit
// part of combo boxes.

#include "plataforma/gui/kernel/hosted_widget.h"
#include "plataforma/gui/widgets/edit.h"

#include <functional>

class EditBackend;

struct EditRules {
    int maxLength = 0; // 0: none
    bool readOnly = false;
    bool multiLine = false;
    TEditCharCase charCase = ecNormal;
    char passwordChar = 0;
    // A wide window's edit: characters are code points, the clipboard's text is Unicode.
    bool wide = false;
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
// Undo when there is something to undo and the edit is not read-only; true when it undid.
bool EditUndo(EditBackend& Edit, const EditRules& Rules);
// The edit's own handling of its input and clipboard: WM_CHAR (Insert puts the character
// in, the widget's default), WM_KEYDOWN of the clipboard keys, WM_PASTE, WM_COPY, WM_CUT,
// WM_CLEAR, WM_UNDO and WM_CONTEXTMENU. False for other messages and other keys.
bool EditInputRequest(TWinControl* Control, EditBackend& Edit, const EditRules& Rules,
                      TMessage& Message, const std::function<void(TMessage&)>& Insert);
// WM_GETTEXTLENGTH and WM_GETTEXT answered with Text (cut to the caller's buffer).
void AnswerTextRequest(const AnsiString& Text, TMessage& Message);
// The selection a control reports to EM_GETSEL or CB_GETEDITSEL.
void PerformGetSel(const TWinControl* Control, UINT Msg, int& Start, int& End);
