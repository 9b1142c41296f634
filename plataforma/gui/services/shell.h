#pragma once
// The shell's verbs on files, folders and addresses ("open" shows a report in the desktop's
// viewer). Through the modal hooks: tests script the answer and read back what was opened.

#include "plataforma/gui/kernel/win_types.h"

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

enum : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_NORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_MAXIMIZE = 3,
    SW_SHOW = 5,
    SW_MINIMIZE = 6,
    SW_RESTORE = 9,
    SW_SHOWDEFAULT = 10,
};

// The result is above 32 on success, an SE_ERR_ code otherwise (compare it as an integer:
// reinterpret_cast<intptr_t>). The window, the parameters and the folder may be null.
HINSTANCE ShellExecute(HWND hwnd, const char* lpOperation, const char* lpFile,
                       const char* lpParameters, const char* lpDirectory, int nShowCmd);
inline HINSTANCE ShellExecuteA(HWND hwnd, const char* lpOperation, const char* lpFile,
                               const char* lpParameters, const char* lpDirectory, int nShowCmd) {
    return ShellExecute(hwnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}
