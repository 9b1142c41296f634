// Fuzz target for the drawing of rich-text cells: any text (rich text or not) is laid into a
// rectangle of a fixed canvas, page after page, and drawn. The first two bytes give the
// rectangle's width and height. Each page must lay at least one character and end within
// the text; a page tall enough for all of it must take it all.

#include "fuzz/ventanas_fuzz.h"
#include "plataforma/base/rich_text.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/rich_layout.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TBitmap* mapa = [] {
        IniciarVentanas();
        auto* b = new TBitmap;
        b->SetSize(260, 260);
        return b;
    }();
    if (size < 2) return 0;
    const int ancho = data[0], alto = data[1];
    const AnsiString texto(std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
    const TRichDocument doc = RichDocumentOf(texto);
    int total = 0;
    for (const TRichParagraph& p : doc.Paragraphs) {
        for (const TRichRun& r : p.Runs)
            total += r.Text.Length();
        ++total;
    }
    --total;
    TCanvas* c = mapa->GetCanvas();
    TFormatRange r;
    r.Canvas = c;
    for (int desde = 0, paginas = 0; desde < total; ++paginas) {
        r.Rc = PixelsToTwips(c, Rect(2, 2, 2 + ancho, 2 + alto));
        r.CpMin = desde;
        const int siguiente = FormatRichRange(doc, r, true);
        if (siguiente <= desde || siguiente > total || paginas > total) abort();
        desde = siguiente;
    }
    r.Rc = PixelsToTwips(c, Rect(0, 0, ancho, 0x3FFFFFF));
    r.CpMin = 0;
    if (FormatRichRange(doc, r, false) != total) abort();
    return 0;
}
