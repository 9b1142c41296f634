// The grid's clipboard: copying 100,000 x 10 cells (the text built and put on the clipboard)
// beside building the same TAB / CR LF text with string appends, and pasting it into the
// grid beside setting the same cells with SetCellEx.

#include "bench/comun/arranque_ventanas.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/services/clipboard.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Columnas = 10;

int Filas() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 1'000 : 100'000;
}

AnsiString Texto(int r, int c) {
    return AnsiString(std::to_string((r * 31 + c * 7) % 10000) + "," + std::to_string(c));
}

// A grid of the benchmark's size, editable, with its cells filled or not.
std::unique_ptr<TKavStringGrid> Rejilla(bool Llena) {
    auto g = std::make_unique<TKavStringGrid>(nullptr);
    g->SetColCount(Columnas);
    g->SetRowCountEx(Filas());
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetOptions(g->GetOptions() << goEditing);
    if (Llena)
        for (int r = 0; r < Filas(); ++r)
            for (int c = 0; c < Columnas; ++c)
                g->SetCellEx(c, r, Texto(r, c));
    return g;
}

void BM_Copiar(benchmark::State& state) {
    auto g = Rejilla(true);
    for (auto _ : state)
        g->CopyFunc(TRect(0, 0, Columnas - 1, Filas() - 1), false);
    state.SetItemsProcessed(state.iterations() * int64_t(Filas()) * Columnas);
}

// The floor: the same text appended from the cells' strings.
void BM_SueloCopiar(benchmark::State& state) {
    std::vector<std::string> celdas;
    for (int r = 0; r < Filas(); ++r)
        for (int c = 0; c < Columnas; ++c)
            celdas.push_back(Texto(r, c).str());
    for (auto _ : state) {
        std::string t;
        for (int r = 0; r < Filas(); ++r) {
            for (int c = 0; c < Columnas; ++c) {
                if (c) t += '\t';
                t += celdas[size_t(r) * Columnas + c];
            }
            t += "\r\n";
        }
        benchmark::DoNotOptimize(t.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(Filas()) * Columnas);
}

void BM_Pegar(benchmark::State& state) {
    Rejilla(true)->CopyFunc(TRect(0, 0, Columnas - 1, Filas() - 1), false);
    auto g = Rejilla(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(g->PasteFunc(0, 0));
    state.SetItemsProcessed(state.iterations() * int64_t(Filas()) * Columnas);
}

// The floor: the same cells set one by one.
void BM_SueloPegar(benchmark::State& state) {
    auto g = Rejilla(false);
    std::vector<AnsiString> textos;
    for (int r = 0; r < Filas(); ++r)
        for (int c = 0; c < Columnas; ++c)
            textos.push_back(Texto(r, c));
    for (auto _ : state)
        for (int r = 0; r < Filas(); ++r)
            for (int c = 0; c < Columnas; ++c)
                g->SetCellEx(c, r, textos[size_t(r) * Columnas + c]);
    state.SetItemsProcessed(state.iterations() * int64_t(Filas()) * Columnas);
}

} // namespace

BENCHMARK(BM_Copiar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SueloCopiar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pegar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SueloPegar)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // The clipboard needs the window system; without a screen, Qt's offscreen one.
    return EjecutarBancosConVentanas(argc, argv);
}
