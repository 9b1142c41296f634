// Fuzz target for the edit mask: the input's first line is a mask (any text), the rest are
// keys: bytes 1 to 6 are Backspace, Delete, a caret move, a selection, a paste of the next
// eight bytes and a text set from the next eight bytes; any other byte is typed. Whatever
// comes, the text keeps the mask's length and the selection stays inside it.

#include "plataforma/base/mask_engine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

void CheckShape(const TMaskEngine& m, int s, int e) {
    Check(m.GetEditText().Length() == m.Length());
    int inputs = 0;
    for (int i = 0; i < m.Length(); ++i)
        if (!m.IsLiteral(i)) ++inputs;
    Check(m.GetText().Length() == (m.GetSaveLiterals() ? m.Length() : inputs));
    Check(0 <= s && s <= e && e <= m.Length());
    const int missing = m.FirstMissing();
    Check(missing >= -1 && missing < m.Length());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Masks far longer than any edit shows, and key runs far longer than anyone types, only
    // make each check of the shape (linear in the mask) dominate: both are cut.
    const size_t line = bytes.find('\n');
    TMaskEngine m(AnsiString(bytes.substr(0, std::min<size_t>(line, 512))));
    const std::string keys =
        line == std::string::npos ? std::string() : bytes.substr(line + 1, 4096);
    int s = 0, e = 0;
    CheckShape(m, s, e);
    for (size_t i = 0; i < keys.size(); ++i) {
        const unsigned char k = static_cast<unsigned char>(keys[i]);
        const int arg = i + 1 < keys.size() ? static_cast<unsigned char>(keys[i + 1]) : 0;
        switch (k) {
        case 1:
            m.KeyBackspace(s, e);
            break;
        case 2:
            m.KeyDelete(s, e);
            break;
        case 3:
            // Positions past the end and before the start too: the engine clamps them.
            s = e = arg - 8;
            ++i;
            break;
        case 4:
            e = arg;
            ++i;
            break;
        case 5:
        case 6: {
            const std::string piece = keys.substr(i + 1, 8);
            if (k == 5) {
                m.Paste(AnsiString(piece), s, e);
            } else {
                m.SetText(AnsiString(piece));
                s = e = 0;
            }
            i += piece.size();
            break;
        }
        default:
            m.KeyChar(static_cast<char>(k), s, e);
        }
        // Only the engine's own answers are checked: a selection set here may be reversed.
        if (k != 3 && k != 4) CheckShape(m, s, e);
    }
    m.SetEditText(m.GetEditText());
    CheckShape(m, 0, 0);
    return 0;
}
