#pragma once
// Texts of workbook cells: the format's "_xHHHH_" escapes for the characters that XML cannot
// carry, and the test that writes a text as a number.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <string_view>

namespace xlsx_text {

// A cell's text (UTF-8) as the escaped UTF-8 of a <t> element: control characters and CR as
// "_xHHHH_", a text that looks like an escape with its "_" escaped.
std::string Encode(std::string_view Utf8);
// The text of a <t> element (UTF-8) with its escapes undone, in UTF-8.
std::string Decode(std::string_view Utf8);
// The number a text stands for, as a cell value ("1.5"), when the text is a number in the
// regional format that reads back as the same text ("1,5" with a comma separator); false
// for every other text.
bool AsNumber(const AnsiString& Text, std::string& Value);

} // namespace xlsx_text
