#pragma once
// Modal interaction goes through these hooks: the programs install the window-system
// implementation at start; tests install a script of answers (scripted_modal_hooks.h).

#include "plataforma/base/ansi_string.h"

// Buttons, icons and default button of a message box, and its results, as in Win32.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONHAND = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_DEFMASK = 0xF00,
    MB_APPLMODAL = 0x0000,
    MB_SYSTEMMODAL = 0x1000,
    MB_TASKMODAL = 0x2000,
};

enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

class ModalHooks {
public:
    virtual ~ModalHooks() = default;
    // A message box with its MB_ flags; returns the ID_ of the button pressed.
    virtual int MessageBox(const AnsiString& texto, const AnsiString& titulo, unsigned flags) = 0;
    // The class library's ShowMessage: an OK box captioned with the program's title.
    virtual void ShowMessage(const AnsiString& texto) = 0;
    // Runs the window messages that are waiting (Application->ProcessMessages).
    virtual void ProcessMessages() = 0;
};

// The hooks in force. Without an installed implementation, a message box answers as if
// its default button were pressed and nothing is shown (a program without windows).
ModalHooks& GetModalHooks();
// Installs hooks (not owned); nullptr goes back to the silent default.
void SetModalHooks(ModalHooks* hooks);

// The ID_ of a box's default button (MB_DEFBUTTONn over its MB_ buttons).
int DefaultButtonAnswer(unsigned flags);

// The class library's free functions, through the hooks.
void ShowMessage(const AnsiString& texto);
