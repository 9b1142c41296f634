#include "plataforma/gui/services/shell.h"

#include "plataforma/base/modal_hooks.h"

#include <cstdint>

HINSTANCE ShellExecute(HWND, const char* lpOperation, const char* lpFile, const char* lpParameters,
                       const char* lpDirectory, int nShowCmd) {
    // A null verb is the default one, "open".
    AnsiString verb = lpOperation && *lpOperation ? AnsiString(lpOperation) : AnsiString("open");
    int r = GetModalHooks().ShellExecute(verb, AnsiString(lpFile), AnsiString(lpParameters),
                                         AnsiString(lpDirectory), nShowCmd);
    return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(r));
}
