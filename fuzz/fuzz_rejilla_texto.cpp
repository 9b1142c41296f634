// Fuzz target for the grid's native text file: the input is the file, loaded into a grid
// with and without its fixed cells stored, then saved again. Only EKavGridError may leave
// the reader.

#include "controles/grid/kav_grid.h"
#include "fuzz/ventanas_fuzz.h"
#include "plataforma/base/file_errors.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniciarVentanas();
    static const std::string ruta = "/tmp/fuzz_rejilla_texto_" + std::to_string(getpid()) + ".txt";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Headers that the reader allows but that take long to make are left out here.
    const size_t fin = bytes.find_first_of("\r\n");
    const std::string cabeza = bytes.substr(0, fin);
    long a = 0, b = 0;
    if (std::sscanf(cabeza.c_str(), "%ld,%ld", &a, &b) == 2 && (a > 200 || b > 2000)) return 0;
    if (FILE* f = std::fopen(ruta.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    for (int modo = 0; modo < 2; ++modo) {
        TKavStringGrid g(nullptr);
        g.SetStoreFixedCells(modo == 0);
        g.SetMultilinecells(modo == 1);
        try {
            g.LoadFromFile(ruta.c_str());
        } catch (const EKavGridError&) {
        }
        g.SaveToFile(ruta.c_str());
    }
    std::remove(ruta.c_str());
    return 0;
}
