#include "controles/grid/storage/cell_utf8.h"

#include "controles/comun/text_utils.h"
#include "controles/grid/clipboard/clip_text.h"
#include "plataforma/base/wide_string.h"

std::string CellToUtf8(const AnsiString& Text) {
    return DecodeWideStr(Text).ToUtf8();
}

AnsiString CellFromUtf8(std::string_view Utf8) {
    const WideString w = WideString::FromUtf8(Utf8);
    return clip_text::FitsCodePage(w.str()) ? w.ToAnsiString() : EncodeWideStr(w);
}

namespace {
bool Continuation(char C) {
    return (static_cast<unsigned char>(C) & 0xC0) == 0x80;
}
} // namespace

size_t Utf8Length(std::string_view Utf8) {
    size_t n = 0;
    for (char c : Utf8)
        if (!Continuation(c)) ++n;
    return n;
}

size_t Utf8Offset(std::string_view Utf8, size_t Index) {
    size_t i = 0;
    for (; i < Utf8.size(); ++i)
        if (!Continuation(Utf8[i]) && Index-- == 0) return i;
    return i;
}
