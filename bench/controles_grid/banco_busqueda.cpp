// The grid's text search: FindFirst and then FindNext until nothing more is found, over
// 1,000,000 cells (200,000 rows x 5 columns, no fixed cells) where every 1,000th cell holds
// the word, row by row; beside the floor, std::string::find over the same texts in the same
// order. The grid is searched case-sensitively (the floor's comparison) and without regard
// to case (its default).

#include "bench/controles_grid/medida.h"
#include "controles/grid/kav_grid.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Columnas = 5;

int Filas() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 2'000 : 200'000;
}

std::string Texto(int Celda) {
    std::string s = "celda " + std::to_string(Celda) + " de la tabla";
    if (Celda % 1000 == 999) s += " con la aguja";
    return s;
}

const std::vector<std::string>& Textos() {
    static const std::vector<std::string> t = [] {
        std::vector<std::string> v(static_cast<size_t>(Filas()) * Columnas);
        for (size_t i = 0; i < v.size(); ++i)
            v[i] = Texto(static_cast<int>(i));
        return v;
    }();
    return t;
}

TKavStringGrid& Rejilla() {
    static const std::unique_ptr<TKavStringGrid> g = [] {
        auto grid = std::make_unique<TKavStringGrid>(nullptr);
        grid->SetColCount(Columnas);
        grid->SetRowCountEx(Filas());
        grid->SetFixedRowsEx(0);
        grid->SetFixedColsEx(0);
        const auto& textos = Textos();
        for (int r = 0; r < Filas(); ++r)
            for (int c = 0; c < Columnas; ++c)
                grid->SetCellEx(c, r, textos[static_cast<size_t>(r) * Columnas + c].c_str());
        return grid;
    }();
    return *g;
}

void Buscar(benchmark::State& state, TFindParameters Params) {
    TKavStringGrid& g = Rejilla();
    int hallados = 0;
    for (auto _ : state) {
        hallados = 0;
        for (TPoint p = g.FindFirst("aguja", Params); p.x >= 0; p = g.FindNext())
            ++hallados;
    }
    if (hallados != Filas() * Columnas / 1000) state.SkipWithError("hits missing");
    state.counters["hallados"] = hallados;
}

void BM_BuscarMayusculasExactas(benchmark::State& state) {
    Buscar(state, {fnDirectionLeftRight, fnMatchCase});
}

void BM_BuscarSinMayusculas(benchmark::State& state) {
    Buscar(state, {fnDirectionLeftRight});
}

// The floor: the same texts, in the same order, through std::string::find.
void BM_SueloStringFind(benchmark::State& state) {
    const auto& textos = Textos();
    int hallados = 0;
    for (auto _ : state) {
        hallados = 0;
        for (const std::string& t : textos)
            hallados += t.find("aguja") != std::string::npos;
        benchmark::DoNotOptimize(hallados);
    }
    state.counters["hallados"] = hallados;
}

} // namespace

MEDIDA_UNA_VEZ(BM_SueloStringFind);
MEDIDA_UNA_VEZ(BM_BuscarMayusculasExactas);
MEDIDA_UNA_VEZ(BM_BuscarSinMayusculas);

BENCHMARK_MAIN();
