#pragma once
// Modal interaction goes through these hooks: the programs install the window-system
// implementation at start; tests install a script of answers (scripted_modal_hooks.h).

#include "plataforma/base/ansi_string.h"

#include <vector>

class TObject;

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

// What a file dialog is asked to show, and (when accepted) the files chosen.
struct FileDialogRequest {
    enum class Kind { Open, Save, OpenPicture };
    Kind kind = Kind::Open;
    AnsiString title;              // empty: the window system's own title
    AnsiString initialDir;         // a program path
    AnsiString filter;             // "text|pattern;pattern|text|pattern..."
    int filterIndex = 1;           // 1-based; the one chosen comes back here
    AnsiString defaultExt;         // without the dot
    AnsiString fileName;           // the name proposed
    unsigned options = 0;          // the dialog's TOpenOptions, one bit per option (1 << option)
    std::vector<AnsiString> files; // the answer: full program paths
};

// A form shown modally, as the hooks see it: they run it until it has a modal result that
// its close rules accept.
class ModalRun {
public:
    virtual ~ModalRun() = default;
    virtual TObject* Form() = 0;
    virtual AnsiString Caption() const = 0;
    virtual AnsiString Name() const = 0;
    // As assigning the form's ModalResult.
    virtual void SetModalResult(int result) = 0;
    // A modal result is set and the form's close rules accept it (the form is closing).
    virtual bool Finished() = 0;
};

// ShellExecute's results below 33 are errors.
enum : int { SE_ERR_FNF = 2, SE_ERR_PNF = 3, SE_ERR_ACCESSDENIED = 5, SE_ERR_NOASSOC = 31 };

class ModalHooks {
public:
    virtual ~ModalHooks() = default;
    // A message box with its MB_ flags; returns the ID_ of the button pressed.
    virtual int MessageBox(const AnsiString& texto, const AnsiString& titulo, unsigned flags) = 0;
    // The class library's ShowMessage: an OK box captioned with the program's title.
    virtual void ShowMessage(const AnsiString& texto) = 0;
    // Runs the window messages that are waiting (Application->ProcessMessages).
    virtual void ProcessMessages() = 0;
    // A file dialog; true when the user chose files (request.files), false when cancelled.
    virtual bool FileDialog(FileDialogRequest& request);
    // Runs a form shown modally until run.Finished(); a run that returns unfinished ends the
    // form with mrCancel.
    virtual void RunModal(ModalRun& run);
    // The shell's verb ("open") on a file, folder or address; above 32 on success.
    virtual int ShellExecute(const AnsiString& verb, const AnsiString& file,
                             const AnsiString& parameters, const AnsiString& directory,
                             int showCmd);
};

// The hooks in force. Without an installed implementation, a message box answers as if
// its default button were pressed and nothing is shown (a program without windows): file
// dialogs are cancelled, modal forms end at once and the shell opens nothing.
ModalHooks& GetModalHooks();
// Installs hooks (not owned); nullptr goes back to the silent default.
void SetModalHooks(ModalHooks* hooks);

// The ID_ of a box's default button (MB_DEFBUTTONn over its MB_ buttons).
int DefaultButtonAnswer(unsigned flags);

// The class library's free functions, through the hooks.
void ShowMessage(const AnsiString& texto);
