// The advanced grid's row operations on large grids, each beside its floor measured in the
// same run: sorting 1,000,000 rows x 5 columns (numbers and text) beside std::stable_sort of
// the same keys; 100,000 AddRow calls beside appending the texts to a vector; inserting and
// removing one row of 1,000,000 beside a vector of row pointers; hiding and showing every
// other row of 1,000,000 in one call each beside partitioning and merging row pointers.

#include "controles/grid/kav_grid.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Columnas = 5;

int Filas() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 10'000 : 1'000'000;
}

int FilasAddRow() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 1'000 : 100'000;
}

// Column 1's texts: numbers with a decimal point, or words of 8 letters.
std::vector<std::string> Claves(int n, bool numeros) {
    std::mt19937 rng(12345);
    std::vector<std::string> v(static_cast<size_t>(n));
    for (auto& s : v) {
        if (numeros) {
            s = std::to_string(rng() % 1000000) + "." + std::to_string(rng() % 100);
        } else {
            s.resize(8);
            for (char& ch : s)
                ch = static_cast<char>('a' + rng() % 26);
        }
    }
    return v;
}

void Llenar(TKavStringGrid& g, const std::vector<std::string>& claves) {
    const int n = static_cast<int>(claves.size());
    g.SetColCount(Columnas);
    g.SetRowCountEx(n + 1);
    for (int r = 0; r < n; ++r) {
        g.SetCells(1, r + 1, AnsiString(claves[r]));
        for (int c = 2; c < Columnas; ++c)
            g.SetCells(c, r + 1, AnsiString(r % 97));
    }
}

void OrdenGrid(benchmark::State& state, bool numeros) {
    const auto claves = Claves(Filas(), numeros);
    std::unique_ptr<TKavStringGrid> g;
    for (auto _ : state) {
        state.PauseTiming();
        g.reset();
        g = std::make_unique<TKavStringGrid>(nullptr);
        Llenar(*g, claves);
        g->GetSortSettings()->SetColumn(1);
        state.ResumeTiming();
        g->QSort();
        benchmark::DoNotOptimize(g->GetCells(1, 1));
    }
    state.SetItemsProcessed(state.iterations() * Filas());
}

void BM_OrdenGridNumerico(benchmark::State& state) {
    OrdenGrid(state, true);
}
void BM_OrdenGridAlfabetico(benchmark::State& state) {
    OrdenGrid(state, false);
}

// The floor: std::stable_sort of the same keys, already made (numbers parsed, texts).
void BM_OrdenSueloNumerico(benchmark::State& state) {
    const auto claves = Claves(Filas(), true);
    std::vector<double> base;
    for (const auto& s : claves)
        base.push_back(std::stod(s));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<double> v = base;
        state.ResumeTiming();
        std::stable_sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * Filas());
}

void BM_OrdenSueloAlfabetico(benchmark::State& state) {
    const auto base = Claves(Filas(), false);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> v = base;
        state.ResumeTiming();
        std::stable_sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * Filas());
}

void BM_AddRowGrid(benchmark::State& state) {
    const auto claves = Claves(FilasAddRow(), false);
    std::vector<AnsiString> textos(claves.begin(), claves.end());
    std::unique_ptr<TKavStringGrid> g;
    for (auto _ : state) {
        state.PauseTiming();
        g = std::make_unique<TKavStringGrid>(nullptr);
        state.ResumeTiming();
        for (const AnsiString& t : textos) {
            g->AddRow();
            g->SetCells(1, g->GetRowCount() - 1, t);
        }
        benchmark::DoNotOptimize(g->GetRowCount());
        state.PauseTiming();
        g.reset(); // freeing the grid is not appending
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * FilasAddRow());
}

void BM_AddRowSuelo(benchmark::State& state) {
    const auto claves = Claves(FilasAddRow(), false);
    for (auto _ : state) {
        std::vector<std::string> v;
        for (const auto& t : claves)
            v.push_back(t);
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * FilasAddRow());
}

void BM_InsertarQuitarFilaGrid(benchmark::State& state) {
    TKavStringGrid g(nullptr);
    Llenar(g, Claves(Filas(), false));
    const int medio = Filas() / 2;
    for (auto _ : state) {
        g.InsertRows(medio, 1);
        g.RemoveRows(medio, 1);
    }
    benchmark::DoNotOptimize(g.GetRowCount());
}

void BM_InsertarQuitarFilaSuelo(benchmark::State& state) {
    std::vector<std::vector<std::string>*> filas(static_cast<size_t>(Filas()));
    std::vector<std::vector<std::string>> datos(static_cast<size_t>(Filas()));
    for (size_t i = 0; i < filas.size(); ++i)
        filas[i] = &datos[i];
    const auto medio = filas.begin() + Filas() / 2;
    std::vector<std::string> nueva;
    for (auto _ : state) {
        filas.insert(filas.begin() + Filas() / 2, &nueva);
        filas.erase(filas.begin() + Filas() / 2);
    }
    benchmark::DoNotOptimize(*medio);
}

void BM_OcultarMostrarGrid(benchmark::State& state) {
    TKavStringGrid g(nullptr);
    Llenar(g, Claves(Filas(), false));
    TIntList lista(0, 0);
    for (int r = 1; r <= Filas(); r += 2)
        lista.Add(r);
    for (auto _ : state) {
        g.HideRowList(&lista);
        g.UnHideRowList();
    }
    benchmark::DoNotOptimize(g.GetRowCount());
    state.SetItemsProcessed(state.iterations() * Filas());
}

// The floor: the same rows parted into shown and hidden row pointers and merged back by
// their real index.
void BM_OcultarMostrarSuelo(benchmark::State& state) {
    const int n = Filas() + 1;
    std::vector<std::pair<int, std::vector<std::string>*>> filas(static_cast<size_t>(n));
    std::vector<std::vector<std::string>> datos(static_cast<size_t>(n),
                                                std::vector<std::string>(Columnas, "texto"));
    for (int i = 0; i < n; ++i)
        filas[i] = {i, &datos[i]};
    for (auto _ : state) {
        auto corte = std::stable_partition(filas.begin(), filas.end(),
                                           [](const auto& f) { return f.first % 2 == 0; });
        std::vector<std::pair<int, std::vector<std::string>*>> juntas(filas.size());
        std::merge(filas.begin(), corte, corte, filas.end(), juntas.begin());
        filas.swap(juntas);
    }
    benchmark::DoNotOptimize(filas.data());
    state.SetItemsProcessed(state.iterations() * Filas());
}

} // namespace

BENCHMARK(BM_OrdenGridNumerico)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrdenSueloNumerico)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrdenGridAlfabetico)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrdenSueloAlfabetico)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddRowGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddRowSuelo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertarQuitarFilaGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertarQuitarFilaSuelo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OcultarMostrarGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OcultarMostrarSuelo)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
