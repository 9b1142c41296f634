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
        // Half a surrogate pair stands for no character.
        cp1252::AppendUtf8(plain,
                           code >= 0xD800 && code < 0xE000 ? char32_t(0xFFFD) : char32_t(code));
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
