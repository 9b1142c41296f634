#pragma once
// A cell's text as UTF-8 and back, for the files that carry every character of a cell.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <string_view>

// The byte order mark that opens a UTF-8 file.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline bool StartsWithUtf8Mark(std::string_view Bytes) {
    return Bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
}
// Whether a cell's text is a wide cell's ("|\" and its UTF-16 bytes).
inline bool IsWideText(const AnsiString& Text) {
    return Text.str().compare(0, 2, "|\\") == 0;
}

// The characters of a UTF-8 text, and the byte where its character Index starts (the text's
// size past its end).
size_t Utf8Length(std::string_view Utf8);
size_t Utf8Offset(std::string_view Utf8, size_t Index);

// A cell's characters as UTF-8: a wide cell's own, an 8-bit text's through the Windows-1252
// table; an unpaired surrogate, which UTF-8 cannot hold, as U+FFFD.
std::string CellToUtf8(const AnsiString& Text);
// A cell's text from UTF-8: 8-bit when the code page has every character, else a wide cell.
// A malformed sequence gives U+FFFD.
AnsiString CellFromUtf8(std::string_view Utf8);
