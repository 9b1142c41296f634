// Filtering, column sums and marking of the advanced grid, each beside the floor measured in
// the same run:
// - switching a filter of one condition on and off over 1,000,000 rows, beside one pass of
//   the matcher over the column's texts plus a stable partition of the row indexes;
// - ColumnSum over 1,000,000 rows, beside strtod over the same texts;
// - marking a word in every one of 100,000 cells, beside std::string::find over the same
//   texts plus one insert of the tags per hit.
// Repeated; the minimum and the median are reported.

#include "bench/controles_grid/medida.h"
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

bool Breve() {
    return std::getenv("QUENBAR_BANCO_BREVE") != nullptr;
}

int Filas() {
    return Breve() ? 10'000 : 1'000'000;
}

// Column 1's texts: numbers 0 .. 999 with two decimals, in a scattered order.
const std::vector<std::string>& Valores() {
    static const std::vector<std::string> v = [] {
        std::vector<std::string> t(static_cast<size_t>(Filas()));
        for (int i = 0; i < Filas(); ++i)
            t[i] = std::to_string((i * 7919LL) % 1000) + "." + std::to_string(i % 100);
        return t;
    }();
    return v;
}

const char kCondicion[] = "<500";

std::unique_ptr<TKavStringGrid> Rejilla() {
    const auto& v = Valores();
    auto g = std::make_unique<TKavStringGrid>(nullptr);
    g->SetColCount(3);
    g->SetRowCountEx(static_cast<int>(v.size()) + 1);
    for (size_t r = 0; r < v.size(); ++r) {
        g->SetCells(1, static_cast<int>(r) + 1, AnsiString(v[r]));
        g->SetCells(2, static_cast<int>(r) + 1, AnsiString(static_cast<int>(r)));
    }
    TFilterData* f = g->GetFilter()->Add();
    f->SetColumn(1);
    f->SetCondition(kCondicion);
    return g;
}

TKavStringGrid& RejillaFija() {
    static std::unique_ptr<TKavStringGrid> g = Rejilla();
    return *g;
}

void BM_FiltroSuelo(benchmark::State& state) {
    const auto& v = Valores();
    std::vector<AnsiString> textos(v.begin(), v.end());
    const AnsiString condicion(kCondicion);
    for (auto _ : state) {
        std::vector<char> encaja(textos.size());
        for (size_t i = 0; i < textos.size(); ++i)
            encaja[i] = MatchStrEx(condicion, textos[i], true);
        std::vector<int> filas(textos.size());
        std::iota(filas.begin(), filas.end(), 0);
        std::stable_partition(filas.begin(), filas.end(), [&](int r) { return encaja[r]; });
        benchmark::DoNotOptimize(filas.data());
    }
}

void BM_FiltroActivar(benchmark::State& state) {
    TKavStringGrid& g = RejillaFija();
    for (auto _ : state) {
        state.PauseTiming();
        g.SetFilterActive(false);
        state.ResumeTiming();
        g.SetFilterActive(true);
        benchmark::DoNotOptimize(g.GetRowCount());
    }
    g.SetFilterActive(false);
}

void BM_FiltroQuitar(benchmark::State& state) {
    TKavStringGrid& g = RejillaFija();
    for (auto _ : state) {
        state.PauseTiming();
        g.SetFilterActive(true);
        state.ResumeTiming();
        g.SetFilterActive(false);
        benchmark::DoNotOptimize(g.GetRowCount());
    }
}

void BM_SumaSuelo(benchmark::State& state) {
    const auto& v = Valores();
    for (auto _ : state) {
        double suma = 0;
        for (const std::string& t : v)
            suma += std::strtod(t.c_str(), nullptr);
        benchmark::DoNotOptimize(suma);
    }
}

void BM_SumaColumna(benchmark::State& state) {
    TKavStringGrid& g = RejillaFija();
    for (auto _ : state)
        benchmark::DoNotOptimize(g.ColumnSum(1, 1, g.GetRowCount() - 1));
}

// 100,000 cells (10 columns of 10,000 rows; a tenth of that when brief), each holding the
// word once among others.
constexpr int kColsMarca = 10;
int FilasMarca() {
    return Breve() ? 1'000 : 10'000;
}
std::string TextoMarca(int c, int r) {
    return "Muro " + std::to_string(c) + " de ladrillo hueco, fila " + std::to_string(r);
}

void BM_MarcarSuelo(benchmark::State& state) {
    std::vector<std::string> textos;
    for (int r = 0; r < FilasMarca(); ++r)
        for (int c = 0; c < kColsMarca; ++c)
            textos.push_back(TextoMarca(c, r));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> t = textos;
        state.ResumeTiming();
        for (std::string& s : t) {
            for (size_t at = s.find("ladrillo"); at != std::string::npos;
                 at = s.find("ladrillo", at + 8 + 7)) {
                s.insert(at + 8, "</e>");
                s.insert(at, "<e>");
            }
        }
        benchmark::DoNotOptimize(t.data());
    }
}

void BM_Marcar(benchmark::State& state) {
    auto g = std::make_unique<TKavStringGrid>(nullptr);
    g->SetColCount(kColsMarca);
    g->SetRowCountEx(FilasMarca());
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    for (auto _ : state) {
        state.PauseTiming();
        for (int r = 0; r < FilasMarca(); ++r)
            for (int c = 0; c < kColsMarca; ++c)
                g->SetCells(c, r, AnsiString(TextoMarca(c, r)));
        state.ResumeTiming();
        g->MarkInGrid(true, true, "ladrillo");
        benchmark::DoNotOptimize(g->GetCells(0, 0));
    }
}

MEDIDA_UNA_VEZ(BM_FiltroSuelo);
MEDIDA_UNA_VEZ(BM_FiltroActivar);
MEDIDA_UNA_VEZ(BM_FiltroQuitar);
MEDIDA_UNA_VEZ(BM_SumaSuelo);
MEDIDA_UNA_VEZ(BM_SumaColumna);
MEDIDA_UNA_VEZ(BM_MarcarSuelo);
MEDIDA_UNA_VEZ(BM_Marcar);

} // namespace

BENCHMARK_MAIN();
