// Row grouping of the advanced grid on 1,000,000 rows whose grouped column holds 1,000
// distinct values: Group, ContractAll and ExpandAll on the result, UnGroup; each beside the
// floor measured in the same run, a std::stable_sort of the keys plus one pass over the rows
// that lays out the headers, telling a change listener of each header row as it goes in (the
// grid inserts all its headers in one move and tells its listeners once). Contracting and expanding one node of 1,000 rows there, among
// expanded and among contracted nodes, beside one pass over the rows' pointers. Repeated; the
// minimum and the median are reported.

#include "bench/controles_grid/medida.h"
#include "controles/grid/kav_grid.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

int Filas() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 10'000 : 1'000'000;
}

int Distintos() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 10 : 1'000;
}

// The grouped column's texts, in random order: "g0000" .. with Filas() / Distintos() rows each.
std::vector<std::string> Claves() {
    const int n = Filas(), k = Distintos();
    std::vector<std::string> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        std::string s = std::to_string(i % k);
        v[i] = "g" + std::string(4 - std::min<size_t>(4, s.size()), '0') + s;
    }
    std::shuffle(v.begin(), v.end(), std::mt19937(4321));
    return v;
}

const std::vector<std::string>& ClavesFijas() {
    static const std::vector<std::string> claves = Claves();
    return claves;
}

std::unique_ptr<TKavStringGrid> Rejilla() {
    const auto& claves = ClavesFijas();
    const int n = static_cast<int>(claves.size());
    auto g = std::make_unique<TKavStringGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCountEx(n + 1);
    for (int r = 0; r < n; ++r) {
        g->SetCells(1, r + 1, AnsiString(claves[r]));
        g->SetCells(2, r + 1, AnsiString(r % 97));
        g->SetCells(3, r + 1, AnsiString(r % 13));
    }
    return g;
}

std::unique_ptr<TKavStringGrid> Agrupada() {
    auto g = Rejilla();
    g->Group(1);
    return g;
}

// The floor: the keys sorted stably, then one pass that puts a header before each run and
// tells a listener of the row that went in, as inserting it row by row would.
void BM_Suelo(benchmark::State& state) {
    const auto& claves = ClavesFijas();
    long avisadas = 0;
    const std::function<void(int, int)> cambiadas = [&avisadas](int Desde, int Hasta) {
        avisadas += Hasta - Desde + 1;
    };
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<const std::string*> filas(claves.size());
        for (size_t i = 0; i < claves.size(); ++i)
            filas[i] = &claves[i];
        state.ResumeTiming();
        std::stable_sort(filas.begin(), filas.end(),
                         [](const std::string* a, const std::string* b) { return *a < *b; });
        std::vector<const std::string*> salida;
        salida.reserve(filas.size() + static_cast<size_t>(Distintos()));
        const std::string* previa = nullptr;
        for (const std::string* f : filas) {
            if (!previa || *f != *previa) {
                salida.push_back(nullptr);
                const int fila = static_cast<int>(salida.size());
                cambiadas(fila, fila);
            }
            salida.push_back(f);
            previa = f;
        }
        benchmark::DoNotOptimize(salida.data());
    }
    benchmark::DoNotOptimize(avisadas);
}

void BM_Agrupar(benchmark::State& state) {
    std::unique_ptr<TKavStringGrid> g;
    for (auto _ : state) {
        state.PauseTiming();
        g.reset();
        g = Rejilla();
        state.ResumeTiming();
        g->Group(1);
        benchmark::DoNotOptimize(g->GetNodeCount());
    }
}

void BM_ContraerTodo(benchmark::State& state) {
    std::unique_ptr<TKavStringGrid> g;
    for (auto _ : state) {
        state.PauseTiming();
        if (!g) g = Agrupada();
        g->ExpandAll();
        state.ResumeTiming();
        g->ContractAll();
        benchmark::DoNotOptimize(g->GetRowCount());
    }
}

void BM_ExpandirTodo(benchmark::State& state) {
    std::unique_ptr<TKavStringGrid> g;
    for (auto _ : state) {
        state.PauseTiming();
        if (!g) g = Agrupada();
        g->ContractAll();
        state.ResumeTiming();
        g->ExpandAll();
        benchmark::DoNotOptimize(g->GetRowCount());
    }
}

void BM_Desagrupar(benchmark::State& state) {
    std::unique_ptr<TKavStringGrid> g;
    for (auto _ : state) {
        state.PauseTiming();
        g.reset();
        g = Agrupada();
        state.ResumeTiming();
        g->UnGroup();
        benchmark::DoNotOptimize(g->GetRowCount());
    }
}

// One node of Filas() / Distintos() rows in the middle, closed and opened again.
void BM_UnNodo(benchmark::State& state) {
    auto g = Agrupada();
    int nodo = g->GetRowCount() / 2;
    while (!g->IsNode(nodo))
        --nodo;
    for (auto _ : state) {
        g->ContractNode(nodo);
        g->ExpandNode(nodo);
    }
    benchmark::DoNotOptimize(g->GetRowCount());
}

// The same node among the others, all contracted: its rows go in among the hidden ones.
void BM_UnNodoEntreContraidos(benchmark::State& state) {
    auto g = Agrupada();
    g->ContractAll();
    const int nodo = g->RealRowIndex(g->GetRowCount() / 2);
    g->ExpandNode(nodo);
    for (auto _ : state) {
        g->ContractNode(nodo);
        g->ExpandNode(nodo);
    }
    benchmark::DoNotOptimize(g->GetRowCount());
}

// Its floor: one pass over the rows' pointers that takes the node's rows out and puts them
// back.
void BM_UnNodoSuelo(benchmark::State& state) {
    const int n = Filas() + Distintos();
    std::vector<int> datos(static_cast<size_t>(n));
    std::vector<int*> filas(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        filas[i] = &datos[i];
    const int desde = n / 2, cuantas = Filas() / Distintos();
    for (auto _ : state) {
        std::rotate(filas.begin() + desde, filas.begin() + desde + cuantas, filas.end());
        std::rotate(filas.begin() + desde, filas.end() - cuantas, filas.end());
        benchmark::DoNotOptimize(filas.data());
    }
}

MEDIDA_UNA_VEZ(BM_Suelo);
MEDIDA_UNA_VEZ(BM_Agrupar);
MEDIDA_UNA_VEZ(BM_ContraerTodo);
MEDIDA_UNA_VEZ(BM_ExpandirTodo);
MEDIDA_UNA_VEZ(BM_Desagrupar);
BENCHMARK(BM_UnNodo)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", Minimo)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UnNodoEntreContraidos)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", Minimo)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UnNodoSuelo)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", Minimo)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
