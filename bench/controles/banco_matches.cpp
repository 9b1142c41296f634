// The filter matcher on cell texts: a mask with several "*" and "?" runs over 1,000,000
// generated texts, beside a plain substring search over the same texts; and a mask that
// would make a backtracking matcher explode ("*a*a*a*a*b" against "aaaa...") at growing
// lengths, beside one pass counting a character. With QUENBAR_BANCO_BREVE the data are
// small, so that CI runs quickly.

#include "controles/comun/text_utils.h"
#include "plataforma/base/numbers.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<AnsiString> g_celdas;

// Texts like those of a materials grid: a name, a code and a number.
std::vector<AnsiString> GenerarCeldas(int n) {
    static const char* const nombres[] = {"Ladrillo",     "Hormigon",     "Mortero", "Yeso",
                                          "Lana mineral", "Poliestireno", "Madera",  "Acero"};
    std::mt19937 azar(17);
    std::vector<AnsiString> celdas;
    celdas.reserve(n);
    for (int i = 0; i < n; ++i) {
        AnsiString s = nombres[azar() % 8];
        s += " ";
        s += IntToStr(azar() % 1000);
        s += "-";
        s += IntToStr(i);
        s += " d=";
        s += IntToStr(azar() % 3000);
        celdas.push_back(s);
    }
    return celdas;
}

void MatchesCeldas(benchmark::State& state) {
    const AnsiString mascara = "*o?i*0*-*1? d=*";
    for (auto _ : state) {
        int n = 0;
        for (const AnsiString& c : g_celdas)
            n += Matches(mascara, c);
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * g_celdas.size());
}

// The floor: one substring search per text.
void BusquedaCeldas(benchmark::State& state) {
    for (auto _ : state) {
        int n = 0;
        for (const AnsiString& c : g_celdas)
            n += c.str().find("0-1") != std::string::npos;
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * g_celdas.size());
}

void MatchesPatologico(benchmark::State& state) {
    const AnsiString texto = AnsiString::StringOfChar('a', static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Matches("*a*a*a*a*b", texto));
    state.SetComplexityN(state.range(0));
}

void ContarPatologico(benchmark::State& state) {
    const std::string texto(static_cast<size_t>(state.range(0)), 'a');
    for (auto _ : state)
        benchmark::DoNotOptimize(std::count(texto.begin(), texto.end(), 'b'));
    state.SetComplexityN(state.range(0));
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const bool breve = std::getenv("QUENBAR_BANCO_BREVE") != nullptr;
    g_celdas = GenerarCeldas(breve ? 10000 : 1000000);
    benchmark::RegisterBenchmark("MatchesCeldas", MatchesCeldas)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BusquedaCeldas", BusquedaCeldas)->Unit(benchmark::kMillisecond);
    const std::vector<int> largos =
        breve ? std::vector<int>{1000, 10000} : std::vector<int>{10000, 100000, 1000000};
    auto* pat = benchmark::RegisterBenchmark("MatchesPatologico", MatchesPatologico);
    auto* con = benchmark::RegisterBenchmark("ContarPatologico", ContarPatologico);
    for (int n : largos) {
        pat->Arg(n);
        con->Arg(n);
    }
    pat->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);
    con->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
