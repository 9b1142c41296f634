// Fuzz target for the grid's paste of clipboard text: the input's first byte chooses the
// options (growth, smart fill, the byte 11 line breaks), the rest is the text. The text is
// measured and pasted; what landed is copied and pasted into a second grid, which must then
// hold the same cells; with the smart fill the text also fills a selection.

#include "controles/grid/kav_grid.h"
#include "fuzz/ventanas_fuzz.h"
#include "plataforma/gui/services/clipboard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Preparar(TKavStringGrid& G, uint8_t Opciones) {
    G.SetColCount(4);
    G.SetRowCount(4);
    G.SetOptions(G.GetOptions() << goEditing << goRangeSelect);
    G.GetNavigation()->SetAllowClipboardColGrow(Opciones & 1);
    G.GetNavigation()->SetAllowClipboardRowGrow(Opciones & 2);
    G.GetNavigation()->SetAllowSmartClipboard(Opciones & 4);
    G.SetMultilinecells(Opciones & 8);
    G.ClipboardCSVLineFeeds = Opciones & 16;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniciarVentanas();
    if (size == 0) return 0;
    const uint8_t opciones = data[0];
    const AnsiString texto(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    TKavStringGrid a(nullptr), b(nullptr);
    Preparar(a, opciones);
    Preparar(b, opciones);
    const TPoint tam = a.PasteSize(texto);
    if (tam.x < 0 || tam.y < 0) abort();
    a.PasteText(1, 1, texto);

    // The cells copied and pasted again arrive unchanged: wide cells as the same characters
    // (those the code page holds come back as 8-bit text); without byte 11 in any cell, which
    // the copy cannot tell from the line breaks it encodes so.
    const TRect r(1, 1, a.GetColCount() - 1, a.GetRowCount() - 1);
    bool byte11 = false;
    for (int y = r.Top; y <= r.Bottom; ++y)
        for (int x = r.Left; x <= r.Right; ++x)
            byte11 = byte11 || a.GetCells(x, y).Pos("\x0B") > 0;
    a.CopyFunc(r, false);
    b.SetColCount(a.GetColCount());
    b.SetRowCount(a.GetRowCount());
    b.PasteFunc(1, 1);
    for (int y = r.Top; y <= r.Bottom && !byte11; ++y)
        for (int x = r.Left; x <= r.Right; ++x) {
            const AnsiString t = a.GetCells(x, y);
            if (t.str().compare(0, 2, "|\\") != 0) {
                if (t != b.GetCells(x, y)) abort();
                continue;
            }
            // A wide cell of whole characters, none of them zero.
            const std::u16string w = a.GetWideCells(x, y).str();
            if (t.Length() % 2 == 0 && w.find(u'\0') == std::u16string::npos &&
                w != b.GetWideCells(x, y).str())
                abort();
        }

    if (opciones & 4) {
        Clipboard()->SetAsText(texto);
        TGridRect s;
        s.Left = 1;
        s.Top = 1;
        s.Right = opciones & 32 ? 3 : 1;
        s.Bottom = opciones & 32 ? 1 : 3;
        b.SetSelection(s);
        b.PasteSelectionFromClipboard();
    }
    return 0;
}
