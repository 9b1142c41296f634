#pragma once
// Windows-1252: case mapping, a fixed collation (accented letters sort with their base
// letter) and conversion to and from UTF-8, with 0x80-0x9F included ("€" is 0x80).

#include <string>
#include <string_view>

namespace cp1252 {

unsigned char ToUpper(unsigned char c);
unsigned char ToLower(unsigned char c);

// <0, 0 or >0. CompareIC ignores case (letters, then accents); Compare also orders by case
// when the texts are otherwise equal.
int CompareIC(std::string_view a, std::string_view b);
int Compare(std::string_view a, std::string_view b);

// Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number.
std::string ToUtf8(std::string_view cp);
// UTF-8 to Windows-1252. A character with no Windows-1252 byte, or a malformed sequence,
// becomes '?'.
std::string FromUtf8(std::string_view utf8);

// A code point of the first plane appended as UTF-8.
void AppendUtf8(std::string& out, char32_t u);

// The Unicode code point of a byte, and the byte of a code point (-1 when there is none).
char32_t ToUnicode(unsigned char c);
int FromUnicode(char32_t u);

} // namespace cp1252
