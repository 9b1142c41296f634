// Fuzz target for the rich text reader: any text is read or refused whole, and what it reads
// is written again and read back to the same document.

#include "plataforma/base/rich_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const AnsiString text(std::string(reinterpret_cast<const char*>(Data), Size));
    TRichDocument doc;
    if (!ReadRtf(text, doc)) return 0;
    TRichDocument again;
    if (!ReadRtf(WriteRtf(doc), again) || !(again == doc)) std::abort();
    return 0;
}
