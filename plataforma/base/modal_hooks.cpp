#include "plataforma/base/modal_hooks.h"

#include <span>

int DefaultButtonAnswer(unsigned flags) {
    static constexpr int kOk[] = {IDOK};
    static constexpr int kOkCancel[] = {IDOK, IDCANCEL};
    static constexpr int kAbortRetryIgnore[] = {IDABORT, IDRETRY, IDIGNORE};
    static constexpr int kYesNoCancel[] = {IDYES, IDNO, IDCANCEL};
    static constexpr int kYesNo[] = {IDYES, IDNO};
    static constexpr int kRetryCancel[] = {IDRETRY, IDCANCEL};
    std::span<const int> botones = kOk;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        botones = kOkCancel;
        break;
    case MB_ABORTRETRYIGNORE:
        botones = kAbortRetryIgnore;
        break;
    case MB_YESNOCANCEL:
        botones = kYesNoCancel;
        break;
    case MB_YESNO:
        botones = kYesNo;
        break;
    case MB_RETRYCANCEL:
        botones = kRetryCancel;
        break;
    default:
        break;
    }
    // A default button the box does not have leaves the first one as default, as Win32 does.
    size_t boton = (flags & MB_DEFMASK) >> 8;
    return botones[boton < botones.size() ? boton : 0];
}

bool ModalHooks::FileDialog(FileDialogRequest&) {
    return false;
}
void ModalHooks::RunModal(ModalRun&) {}
int ModalHooks::ShellExecute(const AnsiString&, const AnsiString&, const AnsiString&,
                             const AnsiString&, int) {
    return SE_ERR_NOASSOC;
}

namespace {

// Default of a program without windows: nothing is shown; the default button answers.
class HooksSilenciosos : public ModalHooks {
public:
    int MessageBox(const AnsiString&, const AnsiString&, unsigned flags) override {
        return DefaultButtonAnswer(flags);
    }
    void ShowMessage(const AnsiString&) override {}
    void ProcessMessages() override {}
};

HooksSilenciosos silenciosos;
ModalHooks* actuales = &silenciosos;

} // namespace

ModalHooks& GetModalHooks() {
    return *actuales;
}
void SetModalHooks(ModalHooks* hooks) {
    actuales = hooks ? hooks : &silenciosos;
}

void ShowMessage(const AnsiString& texto) {
    GetModalHooks().ShowMessage(texto);
}
