#pragma once
// Texts crossing between the program (Windows-1252) and the XML tree (UTF-8). Only the
// files of this folder use it.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <string_view>

namespace xml_text {

// Windows-1252 to UTF-8 for the tree. The controls that XML 1.0 cannot hold in any form
// (0x00-0x1F but tab, line feed and carriage return) are dropped, so that whatever a name
// holds the output stays well-formed.
std::string ToXml(const AnsiString& text);
// The same text without copying it where it can be helped: a text of printable ASCII is
// already UTF-8 and is returned as it stands; any other is converted into "scratch". The
// view ends where a null character follows it.
std::string_view ToXml(const AnsiString& text, std::string& scratch);
// UTF-8 from the tree to Windows-1252 (a null pointer gives "").
AnsiString FromXml(const char* utf8);

// True when the XML declaration at the start of the bytes names ISO-8859-1 or
// Windows-1252. Such files are written by 8-bit programs with Windows-1252 bytes in them,
// so they are read as Windows-1252 ("€" is 0x80), not as strict Latin-1.
bool DeclaresWindows1252(std::string_view bytes);

} // namespace xml_text
