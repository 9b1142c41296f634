// Fuzz target for the grid's binary form: the input is a stream of component images loaded
// into a grid, whole and at a point. Only EKavGridError may leave the reader.

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
        // What was read saves again.
        TMemoryStream otra;
        g.SaveToBinStream(&otra);
    }
    return 0;
}
