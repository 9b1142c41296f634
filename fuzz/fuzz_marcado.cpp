// Fuzz target for what reads markup and pictures that cells bring: the markup text helpers
// (stripping, highlighting, escaping, the CONTROL tags, colours) and the picture container's
// GIF frames. The input is used as markup and as the bytes of a picture file.

#include "controles/grid/markup/markup_helpers.h"
#include "controles/grid/markup/picture_container.h"
#include "fuzz/ventanas_fuzz.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniciarVentanas();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const AnsiString s(bytes);

    HTMLStrip(s);
    UnHiLight(HiLight(s, "a", "hi", false), "hi");
    HiLight(s, "<", "b", true);
    FixMarkup(s);
    HasHTMLControl(s);
    AnsiString valor, tipo, id, ancho, prop;
    // The walk by the controls' places reaches each control once, whatever their IDs.
    int ocurrencia = 0;
    for (AnsiString sig = GetNextControlID(s, "", ocurrencia); !sig.IsEmpty();
         sig = GetNextControlID(s, sig, ocurrencia)) {
        GetControlValue(s, sig, valor);
        GetControlProp(s, sig);
        AnsiString copia = s;
        SetControlValue(copia, sig, valor + "&\"<>", ocurrencia);
        if (copia.Length() > 4 * s.Length() + 1000) break;
    }
    GetNextControlID(s, GetNextControlID(s, ""));
    ParseControlTag(s, tipo, id, valor, ancho, prop);
    HexToColor(s);
    ColorFromName(s);

    THTMLPicture p;
    try {
        p.LoadFromBytes(bytes);
    } catch (const Exception&) {
    }
    const int n = p.GetFrameCount();
    for (int f = 1; f <= n && f <= 16; ++f) {
        p.GetFrameTime(f);
        try {
            p.SetFrame(f);
        } catch (const Exception&) {
        }
    }
    for (int tic = 0; tic < 8; ++tic) {
        try {
            p.Step();
        } catch (const Exception&) {
        }
    }
    p.GetMaxWidth();
    p.GetWidth();
    return 0;
}
