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
