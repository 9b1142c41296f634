// Fuzz target for text dropped onto a grid by another program: the input's first byte
// chooses the grid's drop options (rows inserted, row selection with or without the fixed
// column, a grid of its header row alone, the paste's growth), the rest is the text, dropped
// onto row 2. Rows 1..5 hold markers in the fixed column. The row above the drop keeps its
// marker; with rows inserted the markers from the drop row on follow the new rows unchanged
// and in order (an insertion short of the text's rows would let the paste write over one);
// the rectangle reported as dropped lies inside the grid.

#include "controles/grid/kav_grid.h"
#include "fuzz/ventanas_fuzz.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/testing/drag_simulation.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

AnsiString Marca(int Row) {
    return AnsiString("m") + AnsiString(Row);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Larger texts only insert more rows of the same kind.
    if (size == 0 || size > 4096) return 0;
    IniciarVentanas();
    static TForm* forma = [] {
        auto* f = new TForm(nullptr);
        f->SetBounds(0, 0, 400, 300);
        f->Show();
        return f;
    }();
    const uint8_t opciones = data[0];
    const std::string texto(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::unique_ptr<TKavStringGrid> g(new TKavStringGrid(nullptr));
    g->SetParent(forma);
    g->SetBounds(0, 0, 380, 280);
    g->SetColCount(3);
    g->SetRowCount(6);
    g->SetOptions(g->GetOptions() << goEditing);
    TDragDropSettings* dd = g->GetDragDropSettings();
    dd->SetOleDropTarget(true);
    dd->SetOleInsertRows(opciones & 1);
    if (opciones & 2) g->SetOptions(g->GetOptions() << goRowSelect);
    dd->SetOleEntireRows(opciones & 4);
    g->GetNavigation()->SetAllowClipboardRowGrow(opciones & 8);
    g->GetNavigation()->SetAllowClipboardColGrow(opciones & 16);
    const bool soloCabecera = opciones & 32;
    if (soloCabecera) {
        g->SetRowCount(1);
        g->SetFixedRowAlways(true);
    } else {
        for (int r = 1; r < 6; ++r)
            g->SetCells(0, r, Marca(r));
    }
    const int fila = soloCabecera ? 0 : 2;
    const int antes = g->GetRowCount();
    TGridRect soltado{-1, -1, -1, -1};
    g->OnOleDropped = [&](TObject*, const TGridRect& R) { soltado = R; };

    const TRect c = g->CellRect(1, fila);
    SimulateForeignDrag(
        {{"text/plain", texto}},
        {DragStep::Move(g.get(), (c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2), DragStep::Drop()},
        DROPEFFECT_COPY | DROPEFFECT_MOVE, nullptr);

    const int despues = g->GetRowCount();
    if (despues < antes) abort();
    if (soltado.Top >= 0 && (soltado.Left < 0 || soltado.Right >= g->GetColCount() ||
                             soltado.Bottom >= despues || soltado.Top > soltado.Bottom))
        abort();
    if (!soloCabecera) {
        if (g->GetCells(0, 1) != Marca(1)) abort();
        if (opciones & 1) {
            // The markers from the drop row on, pushed down by the inserted rows.
            const int insertadas = despues - antes;
            for (int r = fila; r < 6; ++r)
                if (g->GetCells(0, r + insertadas) != Marca(r)) abort();
        }
    }
    g.reset();
    Application->ProcessMessages();
    return 0;
}
