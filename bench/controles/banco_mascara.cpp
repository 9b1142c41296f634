// The edit mask and the range lists: 1,000,000 keystrokes through the mask of a date (the
// text blanked again each time it is full), beside the same characters appended to a string
// cleared as often; StrToList of "1-1000000" beside pushing the same numbers into a vector;
// the typed edit's ListToRangeStr of a shuffled 1,000,000-number list in 1,000 runs beside
// sorting the same numbers. With QUENBAR_BANCO_BREVE the data are small, so that CI runs
// quickly.

#include "bench/comun/arranque_ventanas.h"
#include "controles/edit/kav_edit.h"
#include "controles/edit/range_list.h"
#include "plataforma/base/mask_engine.h"
#include "plataforma/gui/kernel/application.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

int g_teclas = 1000000;
int g_numeros = 1000000;
const char kFecha[] = "12052024";

void TeclasMascara(benchmark::State& state) {
    TMaskEngine m("!99/99/0000;1;_");
    for (auto _ : state) {
        int s = 0, e = 0;
        for (int i = 0; i < g_teclas; ++i) {
            if (s >= m.Length()) {
                m.Blank(0, m.Length());
                s = e = 0;
            }
            m.KeyChar(kFecha[i % 8], s, e);
        }
        benchmark::DoNotOptimize(m.GetEditText());
    }
    state.SetItemsProcessed(state.iterations() * g_teclas);
}

// The floor: the characters appended to a string.
void TeclasCadena(benchmark::State& state) {
    std::string t;
    for (auto _ : state) {
        for (int i = 0; i < g_teclas; ++i) {
            if (t.size() >= 8) t.clear();
            t += kFecha[i % 8];
            benchmark::DoNotOptimize(t.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * g_teclas);
}

void LeerRango(benchmark::State& state) {
    const AnsiString texto = "1-" + std::to_string(g_numeros);
    for (auto _ : state) {
        TRangeList l;
        benchmark::DoNotOptimize(l.StrToList(texto));
    }
    state.SetItemsProcessed(state.iterations() * g_numeros);
}

// The floor: the same numbers pushed into a vector.
void LlenarVector(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<void*> v;
        for (int i = 1; i <= g_numeros; ++i)
            v.push_back(reinterpret_cast<void*>(static_cast<std::intptr_t>(i)));
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * g_numeros);
}

// g_numeros numbers in 1,000 runs (a gap of one after each), shuffled.
std::vector<int> Barajados() {
    const int largo = std::max(g_numeros / 1000, 1);
    std::vector<int> v;
    for (int i = 0; i < g_numeros; ++i)
        v.push_back(i + i / largo);
    std::shuffle(v.begin(), v.end(), std::mt19937(7));
    return v;
}

void EscribirRangos(benchmark::State& state) {
    const std::vector<int> valores = Barajados();
    TKavEdit edit(nullptr);
    std::unique_ptr<TRangeList> l;
    for (auto _ : state) {
        // The list is made, and the one before freed, outside the measure.
        state.PauseTiming();
        l = std::make_unique<TRangeList>();
        for (int v : valores)
            l->Add(v);
        state.ResumeTiming();
        edit.ListToRangeStr(l.get());
    }
    benchmark::DoNotOptimize(edit.GetText());
    state.SetItemsProcessed(state.iterations() * g_numeros);
}

// The floor: sorting the same numbers.
void OrdenarNumeros(benchmark::State& state) {
    const std::vector<int> valores = Barajados();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<int> v = valores;
        state.ResumeTiming();
        std::sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * g_numeros);
}

} // namespace

int main(int argc, char** argv) {
    if (!PrepararBancosConVentanas(argc, argv)) return 1;
    if (std::getenv("QUENBAR_BANCO_BREVE") != nullptr) {
        g_teclas = 10000;
        g_numeros = 10000;
    }
    using Banco = void (*)(benchmark::State&);
    const std::pair<const char*, Banco> bancos[] = {
        {"TeclasMascara", TeclasMascara},   {"TeclasCadena", TeclasCadena},
        {"LeerRango", LeerRango},           {"LlenarVector", LlenarVector},
        {"EscribirRangos", EscribirRangos}, {"OrdenarNumeros", OrdenarNumeros}};
    for (const auto& [nombre, f] : bancos)
        benchmark::RegisterBenchmark(nombre, f)
            ->Unit(benchmark::kMillisecond)
            ->ComputeStatistics("min", [](const std::vector<double>& v) {
                return *std::min_element(v.begin(), v.end());
            });
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
