#include "plataforma/gui/kernel/file_version.h"

int GetFileVersion(const AnsiString& FileName) {
    if (FileName.UpperCase() == "COMCTL32.DLL") return (5 << 16) | 82;
    return -1;
}
