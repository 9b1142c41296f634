#pragma once
// A cell's text as UTF-8 and back, for the files that carry every character of a cell.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <string_view>

// A cell's characters as UTF-8: a wide cell's own, an 8-bit text's through the Windows-1252
// table; an unpaired surrogate, which UTF-8 cannot hold, as U+FFFD.
std::string CellToUtf8(const AnsiString& Text);
// A cell's text from UTF-8: 8-bit when the code page has every character, else a wide cell.
// A malformed sequence gives U+FFFD.
AnsiString CellFromUtf8(std::string_view Utf8);
