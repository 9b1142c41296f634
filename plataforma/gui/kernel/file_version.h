#pragma once
// The version of a system library as its version resource gives it: major version in the
// high 16 bits, minor in the low 16 bits; -1 for a file without version information.
// The layer answers for the common-controls library it stands in for ("comctl32.dll", at
// version 5.82: what the controls' date editor needs, without the flat scroll bars of the
// later versions); every other file has no version information here.

#include "plataforma/base/ansi_string.h"

int GetFileVersion(const AnsiString& FileName);
