// The lookup controls' completion against a history of 100,000 entries, one search per key
// of a word typed, beside a binary search of the same entries sorted (the floor); and the
// font selector's list filled with every installed font, beside reading the names alone.
// With QUENBAR_BANCO_BREVE the history is small, so that CI runs quickly.

#include "bench/comun/arranque_ventanas.h"
#include "controles/edit/font_selector.h"
#include "controles/edit/lookup_combo.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/screen.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

TStringList g_historia;
std::vector<std::string> g_ordenadas; // folded and sorted: what the floor searches
// What a user types, a key at a time: words near the end of the history's order.
const char* const kTecleado[] = {"zona", "Poliestireno extruido", "hormigón armado 19"};

// Texts like those a search box keeps: a material, a number and a place.
void GenerarHistoria(int n) {
    static const char* const nombres[] = {"Ladrillo",     "Hormigón",     "Mortero", "Yeso",
                                          "Lana mineral", "Poliestireno", "Madera",  "Acero"};
    std::mt19937 azar(29);
    for (int i = 0; i < n; ++i) {
        AnsiString s = nombres[azar() % 8];
        s += " ";
        s += IntToStr(azar() % 100000);
        s += " planta ";
        s += IntToStr(i);
        g_historia.Add(s);
        g_ordenadas.push_back(AnsiUpperCase(s).str());
    }
    g_historia.Add("Zona de paso");
    g_ordenadas.push_back("ZONA DE PASO");
    std::sort(g_ordenadas.begin(), g_ordenadas.end());
}

void Completar(benchmark::State& state) {
    int teclas = 0;
    for (auto _ : state) {
        for (const char* palabra : kTecleado) {
            const std::string p = palabra;
            for (size_t k = 1; k <= p.size(); ++k, ++teclas)
                benchmark::DoNotOptimize(
                    FindHistoryCompletion(g_historia, AnsiString(p.substr(0, k)), false));
        }
    }
    state.SetItemsProcessed(teclas);
}

void BusquedaBinaria(benchmark::State& state) {
    int teclas = 0;
    for (auto _ : state) {
        for (const char* palabra : kTecleado) {
            const std::string p = AnsiUpperCase(AnsiString(palabra)).str();
            for (size_t k = 1; k <= p.size(); ++k, ++teclas) {
                const std::string prefijo = p.substr(0, k);
                auto it = std::lower_bound(g_ordenadas.begin(), g_ordenadas.end(), prefijo);
                benchmark::DoNotOptimize(it != g_ordenadas.end() &&
                                         it->compare(0, prefijo.size(), prefijo) == 0);
            }
        }
    }
    state.SetItemsProcessed(teclas);
}

void LlenarSelectorDeFuentes(benchmark::State& state) {
    TForm ventana(nullptr);
    auto* selector = new TKavFontSelector(&ventana);
    selector->SetParent(&ventana);
    for (auto _ : state) {
        selector->LoadFontNames();
        selector->ShowDropDown(); // every row measured and drawn in its own typeface
        selector->HideDropDown();
    }
    state.counters["fuentes"] = selector->GetItems()->GetCount();
}

void LeerNombresDeFuentes(benchmark::State& state) {
    TStringList nombres;
    for (auto _ : state) {
        nombres.Assign(*Screen->GetFonts());
        benchmark::DoNotOptimize(nombres.GetCount());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (!PrepararBancosConVentanas(argc, argv)) return 1;
    GenerarHistoria(std::getenv("QUENBAR_BANCO_BREVE") ? 1000 : 100000);
    // With --benchmark_repetitions, the fastest run beside the median.
    const auto minimo = [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    };
    for (auto* b :
         {benchmark::RegisterBenchmark("Completar", Completar)->Unit(benchmark::kMicrosecond),
          benchmark::RegisterBenchmark("BusquedaBinaria", BusquedaBinaria)
              ->Unit(benchmark::kMicrosecond),
          benchmark::RegisterBenchmark("LlenarSelectorDeFuentes", LlenarSelectorDeFuentes)
              ->Unit(benchmark::kMillisecond),
          benchmark::RegisterBenchmark("LeerNombresDeFuentes", LeerNombresDeFuentes)
              ->Unit(benchmark::kMicrosecond)})
        b->ComputeStatistics("min", minimo);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
