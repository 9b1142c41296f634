// Fuzz target for the grid's binary form: the input is a stream of component images loaded
// into a grid, whole and at a point. Only EKavGridError may leave the reader. What was read
// is saved and read back into another grid, which must then succeed and hold the same cells.

#include "controles/grid/kav_grid.h"
#include "controles/grid/storage/grid_io.h"
#include "fuzz/ventanas_fuzz.h"
#include "plataforma/base/streams.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniciarVentanas();
    TMemoryStream m;
    m.WriteBuffer(data, static_cast<int64_t>(size));
    // Grids that the reader allows but that take long to make are left out here.
    try {
        m.SetPosition(0);
        TGridPropIO cabeza(nullptr);
        m.ReadComponent(&cabeza);
        if (cabeza.FullGrid && int64_t(cabeza.ColCount) * cabeza.RowCount > 20000) return 0;
    } catch (const Exception&) {
    }
    for (int modo = 0; modo < 2; ++modo) {
        TKavStringGrid g(nullptr);
        g.SetStoreFixedCells(modo == 0);
        m.SetPosition(0);
        try {
            if (modo == 0)
                g.LoadFromBinStream(&m);
            else
                g.LoadAtPointFromBinStream(TPoint(1, 1), &m);
        } catch (const EKavGridError&) {
        }
        // What was read saves again (the whole grid), and reads back.
        g.SetStoreFixedCells(true);
        TMemoryStream otra;
        g.SaveToBinStream(&otra);
        TKavStringGrid h(nullptr);
        h.SetStoreFixedCells(true);
        otra.SetPosition(0);
        h.LoadFromBinStream(&otra);
        if (h.GetColCount() != g.GetColCount() || h.GetRowCount() != g.GetRowCount()) std::abort();
        for (int r = 0; r < g.GetRowCount(); ++r)
            for (int c = 0; c < g.GetColCount(); ++c)
                if (h.GetCells(c, r) != g.GetCells(c, r)) std::abort();
    }
    return 0;
}
