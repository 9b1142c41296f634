// Carga de una base de datos de palabras clave como la hace un cargador: leer el fichero,
// contar los registros, recorrerlos y recortar cada uno para leer algunos de sus valores.
// El tiempo debe crecer en línea con el número de registros.

#include "bench/comunes/generador_bdl.h"

#include "comunes/LeerBDL.h"
#include "comunes/Util.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::map<int, std::string> g_ficheros;

void CargarBaseDeDatos(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    const AnsiString ruta(g_ficheros.at(n));
    for (auto _ : estado) {
        LeerBDL lector(ruta);
        const int cuenta = lector.ContarObjetos("MATERIAL ");
        lector.Reiniciar();
        int leidos = 0;
        double suma = 0;
        for (int i = 0; i < cuenta; ++i) {
            AnsiString nombre = lector.SiguienteObjeto("MATERIAL ");
            PonerComillas(nombre);
            bool encontrado = false;
            auto registro = LeerBDL::ExtraerObjeto(lector, "MATERIAL ", nombre, encontrado);
            if (!encontrado) continue;
            float espesor = 0, densidad = 0;
            AnsiString grupo;
            registro->LeerReal("THICKNESS ", espesor);
            registro->LeerReal("DENSITY ", densidad);
            registro->LeerCadena("GROUP ", grupo);
            suma += espesor + densidad + grupo.Length();
            ++leidos;
        }
        if (cuenta != n || leidos != n) {
            estado.SkipWithError("no se han leído todos los registros");
            break;
        }
        benchmark::DoNotOptimize(suma);
    }
    estado.SetComplexityN(n);
    estado.SetItemsProcessed(estado.iterations() * n);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const bool breve = std::getenv("QUENBAR_BANCO_BREVE") != nullptr;
    const std::filesystem::path carpeta = std::filesystem::temp_directory_path();
    auto* banco = benchmark::RegisterBenchmark("CargarBaseDeDatos", CargarBaseDeDatos);
    const std::vector<int> tamanos =
        breve ? std::vector<int>{100, 1000} : std::vector<int>{1000, 10000, 100000};
    for (int n : tamanos) {
        std::string ruta = (carpeta / ("banco_leerbdl_" + std::to_string(getpid()) + "_" +
                                       std::to_string(n) + ".bdc"))
                               .string();
        std::ofstream(ruta, std::ios::binary) << GenerarBaseDeDatos(n);
        g_ficheros[n] = ruta;
        banco->Arg(n);
    }
    banco->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [n, ruta] : g_ficheros)
        std::filesystem::remove(ruta);
    return 0;
}
