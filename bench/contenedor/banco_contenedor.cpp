// Contenedor plano con muchos hijos de nombres repetidos: crearlos con CrearHijo (cada
// nombre repetido se numera), buscar cada uno por su nombre y vaciarlo quitando el primero
// cada vez. Las tres cosas deben crecer linealmente con el número de hijos.

#include "comunes/Contenedor.h"
#include "comunes/Fabrica.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr TipoObjeto kTipoPrueba = 8; // un tipo con contador de nombres y sin clase propia

class Hoja : public ObjetoBase {
public:
    explicit Hoja(const AnsiString& nombre) : ObjetoBase(nombre) { tipo = kTipoPrueba; }
};

// Cien nombres base: cada uno se repite n / 100 veces.
AnsiString NombreBase(int i) {
    return AnsiString("Elemento ") + AnsiString(i % 100);
}

// Llena el contenedor y devuelve los nombres que recibieron los hijos.
std::vector<AnsiString> Llenar(Contenedor& bd, int hijos) {
    std::vector<AnsiString> nombres;
    nombres.reserve(static_cast<size_t>(hijos));
    for (int i = 0; i < hijos; ++i)
        nombres.push_back(bd.CrearHijo(NombreBase(i), kTipoPrueba));
    return nombres;
}

Fabrica::Sustitucion& RegistroDePrueba() {
    static Fabrica::Sustitucion registro(
        kTipoPrueba, [](const AnsiString& nombre) { return std::make_unique<Hoja>(nombre); });
    return registro;
}

void CrearHijosConNombresRepetidos(benchmark::State& estado) {
    RegistroDePrueba();
    const int hijos = static_cast<int>(estado.range(0));
    for (auto _ : estado) {
        auto bd = std::make_unique<Contenedor>("programa");
        benchmark::DoNotOptimize(Llenar(*bd, hijos));
        estado.PauseTiming();
        bd.reset();
        estado.ResumeTiming();
    }
    estado.SetComplexityN(hijos);
}

void BuscarCadaHijo(benchmark::State& estado) {
    RegistroDePrueba();
    const int hijos = static_cast<int>(estado.range(0));
    Contenedor bd("programa");
    const std::vector<AnsiString> nombres = Llenar(bd, hijos);
    for (auto _ : estado)
        for (const AnsiString& nombre : nombres)
            benchmark::DoNotOptimize(bd.BuscarPorNombre(nombre));
    estado.SetComplexityN(hijos);
}

void VaciarQuitandoElPrimero(benchmark::State& estado) {
    RegistroDePrueba();
    const int hijos = static_cast<int>(estado.range(0));
    for (auto _ : estado) {
        estado.PauseTiming();
        Contenedor bd("programa");
        const std::vector<AnsiString> nombres = Llenar(bd, hijos);
        estado.ResumeTiming();
        // Como vacía una base de datos: cada nombre se busca y su elemento se quita y borra.
        for (const AnsiString& nombre : nombres) {
            ObjetoBase* hijo = bd.BuscarPorNombre(nombre);
            bd.QuitarHijo(hijo);
            delete hijo;
        }
    }
    estado.SetComplexityN(hijos);
}

} // namespace

BENCHMARK(CrearHijosConNombresRepetidos)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BuscarCadaHijo)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(VaciarQuitandoElPrimero)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();
