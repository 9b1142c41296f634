#include "plataforma/office/xlsx_text.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"
#include "plataforma/office/office_xml.h"

#include <cmath>

namespace xlsx_text {

namespace {

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The code of an escape "_xHHHH_" at Pos, -1 when there is none.
int EscapeAt(std::string_view S, size_t Pos) {
    if (Pos + 7 > S.size() || S[Pos] != '_' || S[Pos + 1] != 'x' || S[Pos + 6] != '_') return -1;
    int code = 0;
    for (size_t i = Pos + 2; i < Pos + 6; ++i) {
        const int h = Hex(S[i]);
        if (h < 0) return -1;
        code = code * 16 + h;
    }
    return code;
}

// A code point of the first plane (an escape's four digits) in UTF-8; half a surrogate pair
// stands for no character and becomes the replacement character.
void AppendUtf8(std::string& Out, unsigned Code) {
    if (Code >= 0xD800 && Code < 0xE000) Code = 0xFFFD;
    if (Code < 0x80) {
        Out += static_cast<char>(Code);
    } else if (Code < 0x800) {
        Out += static_cast<char>(0xC0 | (Code >> 6));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else {
        Out += static_cast<char>(0xE0 | (Code >> 12));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    }
}

} // namespace

std::string Encode(std::string_view Utf8) {
    std::string out;
    out.reserve(Utf8.size() + 16);
    for (size_t i = 0; i < Utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(Utf8[i]);
        if ((c < 0x20 && c != '\t' && c != '\n') || EscapeAt(Utf8, i) >= 0) {
            static const char kHex[] = "0123456789ABCDEF";
            out += "_x00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
            out += '_';
        } else {
            office_xml::AppendEscaped(out, Utf8.substr(i, 1));
        }
    }
    return out;
}

std::string Decode(std::string_view Utf8) {
    std::string plain;
    plain.reserve(Utf8.size());
    for (size_t i = 0; i < Utf8.size(); ++i) {
        const int code = EscapeAt(Utf8, i);
        if (code < 0) {
            plain += Utf8[i];
            continue;
        }
        AppendUtf8(plain, static_cast<unsigned>(code));
        i += 6;
    }
    return plain;
}

bool AsNumber(const AnsiString& Text, std::string& Value) {
    double d = 0;
    if (Text.IsEmpty() || !TryStrToFloat(Text, d) || !std::isfinite(d) || FloatToStr(d) != Text)
        return false;
    Value = Text.str();
    const char sep = GetDecimalSeparator();
    for (char& c : Value)
        if (c == sep) c = '.';
    return true;
}

} // namespace xlsx_text
