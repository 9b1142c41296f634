// The advanced grid's cell text: filling a 1,000,000 x 5 grid through SetCellEx and reading
// it back through GetCellEx, beside the same texts in a std::vector<std::string>; and the
// memory a cell without properties costs.

#include "controles/grid/kav_grid.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Columnas = 5;

int Filas() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 10'000 : 1'000'000;
}

// Short texts, as a table of numbers holds.
const std::vector<std::string>& Textos() {
    static const std::vector<std::string> t = [] {
        std::vector<std::string> v;
        for (int i = 0; i < 1000; ++i)
            v.push_back(std::to_string(i * 37 % 1000) + "," + std::to_string(i % 100));
        return v;
    }();
    return t;
}

void BM_GridRellenarYLeer(benchmark::State& state) {
    const int filas = Filas();
    const auto& textos = Textos();
    std::vector<AnsiString> ansi(textos.begin(), textos.end());
    for (auto _ : state) {
        TKavStringGrid grid(nullptr);
        grid.SetColCount(Columnas);
        grid.SetRowCountEx(filas);
        for (int r = 0; r < filas; ++r)
            for (int c = 0; c < Columnas; ++c)
                grid.SetCellEx(c, r, ansi[(r * Columnas + c) % 1000]);
        size_t total = 0;
        for (int r = 0; r < filas; ++r)
            for (int c = 0; c < Columnas; ++c)
                total += grid.GetCellEx(c, r).Length();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(filas) * Columnas);
}

// The floor: the same texts stored in and read from a plain vector.
void BM_VectorRellenarYLeer(benchmark::State& state) {
    const int filas = Filas();
    const auto& textos = Textos();
    for (auto _ : state) {
        std::vector<std::string> v(static_cast<size_t>(filas) * Columnas);
        for (int r = 0; r < filas; ++r)
            for (int c = 0; c < Columnas; ++c)
                v[static_cast<size_t>(r) * Columnas + c] = textos[(r * Columnas + c) % 1000];
        size_t total = 0;
        for (int r = 0; r < filas; ++r)
            for (int c = 0; c < Columnas; ++c) {
                const std::string s = v[static_cast<size_t>(r) * Columnas + c];
                total += s.size();
            }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(filas) * Columnas);
}

void BM_BytesPorCelda(benchmark::State& state) {
    const int filas = Filas();
    for (auto _ : state) {
        const size_t antes = mallinfo2().uordblks;
        auto* grid = new TKavStringGrid(nullptr);
        grid->SetColCount(Columnas);
        const size_t vacia = mallinfo2().uordblks;
        grid->SetRowCountEx(filas);
        for (int r = 0; r < filas; ++r)
            for (int c = 0; c < Columnas; ++c)
                grid->SetCellEx(c, r, "12,5");
        const size_t despues = mallinfo2().uordblks;
        state.counters["bytes_por_celda"] =
            static_cast<double>(despues - vacia) / (static_cast<double>(filas) * Columnas);
        state.counters["bytes_rejilla_vacia"] = static_cast<double>(vacia - antes);
        delete grid;
    }
}

} // namespace

BENCHMARK(BM_GridRellenarYLeer)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_VectorRellenarYLeer)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_BytesPorCelda)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
