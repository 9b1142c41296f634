#pragma once
// Names of files that the user gives (a file dialog, the command line) as the file system
// holds them: bytes, usually UTF-8, with letters of any script. The program's paths are 8-bit
// Windows-1252 texts with "\" as a separator, so a name passes into one only when it comes
// back whole; any other is refused, so that the program never reaches another file.

#include "plataforma/base/ansi_string.h"

#include <string>

// A file-system name that the user gave (a dialog, the command line) as a program path, when
// it passes whole through the program's 8-bit paths: every character in Windows-1252, and no
// "\" (a separator in program paths). False when it does not: such a name is refused with
// UnusableNameMessage, never opened or written as another file.
bool ProgramPathFromNative(const std::string& nativa, AnsiString& ruta);
// The message that refuses such a name, naming it: the characters the program cannot hold as
// "{U+03A9}" (a byte that is not UTF-8 as "{0xNN}").
AnsiString UnusableNameMessage(const std::string& nativa);
