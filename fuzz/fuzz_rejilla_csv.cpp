// Fuzz target for the grid's CSV reader: the input is the file, loaded and inserted with the
// delimiter detected, with a fixed one, and in the "~"/"^" style with the console code page;
// each grid is saved to a second file, which is read back. Only EKavGridError may leave the
// reader.

#include "controles/grid/kav_grid.h"
#include "fuzz/ventanas_fuzz.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniciarVentanas();
    static const std::string base = "/tmp/fuzz_rejilla_csv_" + std::to_string(getpid());
    static const std::string entrada = base + ".csv", salida = base + "_salida.csv";
    // Files that the reader allows but that make grids too large to be quick are left out.
    if (size > 20000) return 0;
    if (FILE* f = std::fopen(entrada.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    for (int modo = 0; modo < 3; ++modo) {
        TKavStringGrid g(nullptr);
        g.SetFieldDelimiter(modo == 1 ? ';' : '\0');
        g.SetJavaStyleCSV(modo == 2);
        g.SetOemConvert(modo == 2);
        if (modo == 2) {
            g.SetFixedFooters(1);
            g.SetFixedRightCols(1);
        }
        try {
            g.LoadFromCSV(entrada.c_str());
            g.InsertFromCSV(entrada.c_str());
        } catch (const EKavGridError&) {
        }
        g.SaveToCSV(salida.c_str());
        TKavStringGrid h(nullptr);
        h.SetFieldDelimiter(g.GetFieldDelimiter());
        h.SetJavaStyleCSV(modo == 2);
        h.SetOemConvert(modo == 2);
        if (modo == 2) {
            h.SetFixedFooters(1);
            h.SetFixedRightCols(1);
        }
        h.LoadFromCSV(salida.c_str());
    }
    std::remove(entrada.c_str());
    std::remove(salida.c_str());
    return 0;
}
