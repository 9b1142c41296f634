#pragma once
// The window system's answer to the modal hooks: message boxes, file dialogs, modal forms
// with an event loop of their own, and the desktop's "open". The programs install it at
// start; tests keep their script.

#include "plataforma/base/modal_hooks.h"

#include <vector>

class QtModalHooks : public ModalHooks {
public:
    int MessageBox(const AnsiString& texto, const AnsiString& titulo, unsigned flags) override;
    void ShowMessage(const AnsiString& texto) override;
    void ProcessMessages() override;
    bool FileDialog(FileDialogRequest& request) override;
    void RunModal(ModalRun& run) override;
    int ShellExecute(const AnsiString& verb, const AnsiString& file, const AnsiString& parameters,
                     const AnsiString& directory, int showCmd) override;
};

// The file dialogs' size, in which the list's name, size, kind and date show whole.
constexpr int kAnchoDialogoFicheros = 800;
constexpr int kAltoDialogoFicheros = 480;

// Installs one QtModalHooks for the rest of the program.
void InstallQtModalHooks();

// Inside the platform layer: a "text|pattern;pattern|..." filter as Qt's name filters, each
// pattern made to match without regard to case ("*.bdc" gives "*.[bB][dD][cC]").
struct QtNameFilters {
    AnsiString text;                 // the whole filter as Qt takes it, ";;" between entries
    std::vector<AnsiString> entries; // one per pair, in order
};
QtNameFilters ToQtNameFilters(const AnsiString& Filter);
// One pattern ("*.bdc") as a case-blind glob ("*.[bB][dD][cC]").
AnsiString CaseBlindPattern(const AnsiString& Pattern);
