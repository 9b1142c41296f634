// The grid's spreadsheet workbooks on 100,000 rows x 10 cells (half numbers, half texts):
// saving into a new workbook and loading it, beside saving and loading the same cells as CSV
// in the same run. Five repetitions each, the minimum beside the median.

#include "bench/controles_grid/medida.h"
#include "bench/controles_grid/rejilla_llena.h"
#include "controles/grid/kav_grid.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int Columnas = 10;

int Filas() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 1'000 : 100'000;
}

std::string Ruta(const char* nombre) {
    return (std::filesystem::temp_directory_path() /
            ("quenbar_banco_oficina_" + std::to_string(getpid()) + "_" + nombre))
        .string();
}

// The grid that the saves write, filled once.
TKavStringGrid& Lleno() {
    static TKavStringGrid* g = RejillaLlena(Filas(), Columnas, [](int r, int c) {
        return c % 2 ? AnsiString(std::to_string((r * 37 + c) % 100000))
                     : AnsiString("Muro " + std::to_string(r) + " capa " + std::to_string(c));
    });
    return *g;
}

void Guardar(bool Libro, const std::string& ruta) {
    if (Libro)
        Lleno().SaveToXLS(ruta.c_str(), false);
    else
        Lleno().SaveToCSV(ruta.c_str());
}

void BM_Guardar(benchmark::State& state) {
    const bool libro = state.range(0);
    const std::string ruta = Ruta(libro ? "l.xlsx" : "c.csv");
    for (auto _ : state) {
        // A new workbook each time, as a first save makes.
        std::filesystem::remove(ruta);
        Guardar(libro, ruta);
    }
    std::filesystem::remove(ruta);
}

void BM_Cargar(benchmark::State& state) {
    const bool libro = state.range(0);
    const std::string ruta = Ruta(libro ? "l.xlsx" : "c.csv");
    Guardar(libro, ruta);
    for (auto _ : state) {
        TKavStringGrid g(nullptr);
        g.SetStoreFixedCells(true);
        g.SetFieldDelimiter(',');
        if (libro)
            g.LoadFromXLS(ruta.c_str());
        else
            g.LoadFromCSV(ruta.c_str());
        benchmark::DoNotOptimize(g.GetRowCount());
    }
    std::filesystem::remove(ruta);
}

} // namespace

// Argument 1: the workbook; 0: CSV, the floor.
MEDIDA_UNA_VEZ(BM_Guardar)->Arg(1)->Arg(0);
MEDIDA_UNA_VEZ(BM_Cargar)->Arg(1)->Arg(0);
BENCHMARK_MAIN();
