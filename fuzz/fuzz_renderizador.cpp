// Fuzz target for the markup renderer: any text is measured on a fixed canvas, then drawn
// and hit-tested there, with a picture container and cache at hand.

#include "controles/grid/markup/markup_renderer.h"
#include "fuzz/ventanas_fuzz.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool Pasar(TCanvas* c, const AnsiString& texto, bool soloMedir, bool hitPass, bool ajuste,
           THTMLPictureCache* cache, TPictureContainer* contenedor) {
    AnsiString href, plano, foco, titulo, id = "e", valor, tipo;
    int ex = 0, ey = 0, anclas = 0, raton = 0;
    TRect ra, rc;
    return HTMLDrawEx(c, texto, TRect(2, 2, 180, 90), nullptr, 40, 10, 0, 1, 1, hitPass, soloMedir,
                      false, false, false, true, ajuste, true, 1.0, clBlue, clYellow, clRed, clGray,
                      href, plano, foco, titulo, ex, ey, anclas, raton, ra, rc, id, valor, tipo,
                      cache, contenedor, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TBitmap* mapa = [] {
        IniciarVentanas();
        auto* b = new TBitmap;
        b->SetSize(200, 100);
        return b;
    }();
    const AnsiString texto(std::string(reinterpret_cast<const char*>(data), size));
    THTMLPictureCache cache;
    TPictureContainer contenedor(nullptr);
    contenedor.GetItems()->Add()->SetName("logo");
    TCanvas* c = mapa->GetCanvas();
    Pasar(c, texto, true, false, true, &cache, &contenedor);
    Pasar(c, texto, false, true, true, &cache, &contenedor);
    Pasar(c, texto, false, false, false, &cache, &contenedor);
    return 0;
}
