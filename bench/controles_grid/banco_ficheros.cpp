// The grid's files on 1,000,000 rows x 5 cells: saving and loading CSV, the native text file
// and the binary file, each beside its floor in the same run: the same bytes written through
// the file writer (saves), and reading the file plus SetCellEx of the same texts into a grid
// of that size (loads). Each is run once per repetition, five times: min and median.

#include "bench/controles_grid/medida.h"
#include "bench/controles_grid/rejilla_llena.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int Columnas = 5;

int Filas() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 10'000 : 1'000'000;
}

std::string Ruta(const char* nombre) {
    return (std::filesystem::temp_directory_path() /
            ("quenbar_banco_" + std::to_string(getpid()) + "_" + nombre))
        .string();
}

AnsiString Texto(int r, int c) {
    return AnsiString(std::to_string((r * 37 + c) % 100000) + " m" + std::to_string(c));
}

// The grid that the saves write, filled once.
TKavStringGrid& Lleno() {
    static TKavStringGrid* g = RejillaLlena(Filas(), Columnas, Texto);
    return *g;
}

enum Forma { Csv, Nativo, Binario };

void Guardar(TKavStringGrid& g, Forma f, const std::string& ruta) {
    if (f == Csv) g.SaveToCSV(ruta.c_str());
    if (f == Nativo) g.SaveToFile(ruta.c_str());
    if (f == Binario) g.SaveToBinFile(ruta.c_str());
}

void Cargar(TKavStringGrid& g, Forma f, const std::string& ruta) {
    if (f == Csv) g.LoadFromCSV(ruta.c_str());
    if (f == Nativo) g.LoadFromFile(ruta.c_str());
    if (f == Binario) g.LoadFromBinFile(ruta.c_str());
}

const char* Nombre(Forma f) {
    return f == Csv ? "c.csv" : f == Nativo ? "n.txt" : "b.bin";
}

void BM_Guardar(benchmark::State& state) {
    const auto f = static_cast<Forma>(state.range(0));
    TKavStringGrid& g = Lleno();
    const std::string ruta = Ruta(Nombre(f));
    for (auto _ : state)
        Guardar(g, f, ruta);
    std::filesystem::remove(ruta);
}

// The same bytes through the file writer.
void BM_SueloGuardar(benchmark::State& state) {
    const auto f = static_cast<Forma>(state.range(0));
    const std::string ruta = Ruta(Nombre(f));
    Guardar(Lleno(), f, ruta);
    std::string bytes;
    ReadWholeFile(ruta.c_str(), bytes);
    for (auto _ : state) {
        FileWriter w;
        w.Open(ruta.c_str(), FileWriter::Mode::Binary);
        w.Write(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(w.Commit());
    }
    std::filesystem::remove(ruta);
}

void BM_Cargar(benchmark::State& state) {
    const auto f = static_cast<Forma>(state.range(0));
    const std::string ruta = Ruta(Nombre(f));
    Guardar(Lleno(), f, ruta);
    for (auto _ : state) {
        TKavStringGrid g(nullptr);
        g.SetStoreFixedCells(true);
        g.SetFieldDelimiter(',');
        Cargar(g, f, ruta);
        benchmark::DoNotOptimize(g.GetRowCount());
    }
    std::filesystem::remove(ruta);
}

// Reading the file and SetCellEx of the same texts into a grid of that size.
void BM_SueloCargar(benchmark::State& state) {
    const auto f = static_cast<Forma>(state.range(0));
    const std::string ruta = Ruta(Nombre(f));
    Guardar(Lleno(), f, ruta);
    std::vector<AnsiString> textos;
    for (int i = 0; i < Filas() * Columnas; ++i)
        textos.push_back(Texto(i / Columnas, i % Columnas));
    for (auto _ : state) {
        std::string bytes;
        ReadWholeFile(ruta.c_str(), bytes);
        benchmark::DoNotOptimize(bytes.data());
        TKavStringGrid g(nullptr);
        g.SetColCount(Columnas);
        g.SetRowCountEx(Filas());
        for (int r = 0; r < Filas(); ++r)
            for (int c = 0; c < Columnas; ++c)
                g.SetCellEx(c, r, textos[r * Columnas + c]);
    }
    std::filesystem::remove(ruta);
}

} // namespace

MEDIDA_UNA_VEZ(BM_Guardar)->Arg(Csv)->Arg(Nativo)->Arg(Binario);
MEDIDA_UNA_VEZ(BM_SueloGuardar)->Arg(Csv)->Arg(Nativo)->Arg(Binario);
MEDIDA_UNA_VEZ(BM_Cargar)->Arg(Csv)->Arg(Nativo)->Arg(Binario);
MEDIDA_UNA_VEZ(BM_SueloCargar)->Arg(Csv)->Arg(Nativo)->Arg(Binario);
BENCHMARK_MAIN();
