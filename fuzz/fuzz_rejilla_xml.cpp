// Fuzz target for the grid's XML reader: the input is the file, loaded with the fields inside
// a field read as their own fields and as the field's text. Only the reader's exceptions may
// leave it. What was read is saved and read back into another grid, which must then succeed
// and hold the same cells.

#include "controles/grid/kav_grid.h"
#include "fuzz/ventanas_fuzz.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A cell of the grid, empty beyond its columns and rows.
AnsiString Celda(TKavStringGrid& G, int C, int R) {
    return C < G.GetColCount() && R < G.GetRowCount() ? G.GetCells(C, R) : AnsiString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniciarVentanas();
    static const std::string base = "/tmp/fuzz_rejilla_xml_" + std::to_string(getpid());
    static const std::string entrada = base + ".xml", salida = base + "_salida.xml";
    // Files that the reader allows but that make grids too large to be quick are left out.
    if (size > 20000) return 0;
    if (FILE* f = std::fopen(entrada.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    for (int modo = 0; modo < 2; ++modo) {
        TKavStringGrid g(nullptr);
        try {
            g.LoadFromXML(entrada.c_str(), modo == 1);
        } catch (const Exception&) {
        }
        if (int64_t(g.GetColCount()) * g.GetRowCount() > 200000) continue;
        g.SaveToXML(salida.c_str(), "lista", "fila", nullptr);
        TKavStringGrid h(nullptr);
        h.LoadFromXML(salida.c_str());
        if (h.GetRowCount() != g.GetRowCount()) std::abort();
        const int columnas = std::max(g.GetColCount(), h.GetColCount());
        for (int r = g.GetFixedRows(); r < g.GetRowCount(); ++r)
            for (int c = g.GetFixedCols(); c < columnas; ++c)
                if (Celda(h, c, r) != Celda(g, c, r)) std::abort();
    }
    std::remove(entrada.c_str());
    std::remove(salida.c_str());
    return 0;
}
