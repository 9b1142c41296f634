// Fuzz target for the grid's fixed-width reader: the first byte of the input chooses the
// column positions, the rest is the file; what was read is saved again with the widths of
// those positions. Only EKavGridError may leave the reader.

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
    static const std::string base = "/tmp/fuzz_rejilla_fijo_" + std::to_string(getpid());
    static const std::string entrada = base + ".txt", salida = base + "_salida.txt";
    // Files that the reader allows but that make grids too large to be quick are left out.
    if (size < 1 || size > 20000) return 0;
    if (FILE* f = std::fopen(entrada.c_str(), "wb")) {
        std::fwrite(data + 1, 1, size - 1, f);
        std::fclose(f);
    }
    // Positions 1, 1 + a, 1 + a + b, ... from the bits of the first byte (some invalid: a
    // step of 0 repeats a position).
    TIntList posiciones(0, 0), anchos(0, 0);
    int p = 1;
    posiciones.Add(p);
    for (int i = 0; i < 4; ++i) {
        const int paso = (data[0] >> (2 * i)) & 3;
        p += paso * 3;
        posiciones.Add(p);
        anchos.Add(paso * 3);
    }
    TKavStringGrid g(nullptr);
    g.SetStoreFixedCells(data[0] & 1);
    try {
        g.LoadFromFixed(entrada.c_str(), &posiciones);
    } catch (const EKavGridError&) {
    }
    g.SaveToFixed(salida.c_str(), &anchos);
    std::remove(entrada.c_str());
    std::remove(salida.c_str());
    return 0;
}
