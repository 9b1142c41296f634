// Fuzz target for the grid's settings files: the input is read as a visual-properties file
// and as a print-settings INI file. Reading never raises; what a grid writes after reading
// the input reads back to the same file (a fault aborts).

#include "controles/grid/kav_grid.h"
#include "fuzz/ventanas_fuzz.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string Leer(const std::string& Ruta) {
    std::ifstream f(Ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string base = [] {
        IniciarVentanas();
        return "/tmp/fuzz_rejilla_ajustes_" + std::to_string(getpid());
    }();
    const std::string entrada = base + ".txt", salida = base + "_1.txt", otra = base + "_2.txt";
    if (FILE* f = std::fopen(entrada.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    TKavStringGrid a(nullptr);
    a.LoadVisualProps(entrada.c_str());
    a.LoadPrintSettings(entrada.c_str(), "P");
    a.SaveVisualProps(salida.c_str());
    TKavStringGrid b(nullptr);
    b.LoadVisualProps(salida.c_str());
    b.SaveVisualProps(otra.c_str());
    if (Leer(salida) != Leer(otra)) std::abort();
    std::remove(entrada.c_str());
    std::remove(salida.c_str());
    std::remove(otra.c_str());
    return 0;
}
