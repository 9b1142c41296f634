// Carga, guardado y guardado XML de una base de datos entera por el gestor, con 1.000, 10.000
// y 100.000 elementos de los seis tipos. El tiempo de cada uno debe crecer en línea con el
// número de elementos.

#include "bench/gestorbd/generador_gestorbd.h"

#include "comunes/Cambios.h"
#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/GestorBD.h"
#include "comunes/Idioma.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdLibreria.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace {

std::filesystem::path g_carpeta;
std::map<int, std::string> g_ficheros; // la base de n elementos, como la guarda el programa

int Elementos(const GestorBD& gestor) {
    int total = 0;
    for (bdLibreria* base : gestor.Bases(GestorBD::Orden::Fichero))
        total += base->NumeroHijos();
    return total;
}

std::string Salida(const char* nombre, int n) {
    return (g_carpeta / (std::string(nombre) + "_" + std::to_string(n))).string();
}

void Cargar(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    const AnsiString ruta(g_ficheros.at(n));
    for (auto _ : estado) {
        auto gestor = std::make_unique<GestorBD>("Banco", LISTA_PROGRAMA);
        gestor->Cargar(ruta);
        estado.PauseTiming();
        const int cargados = Elementos(*gestor);
        gestor.reset(); // liberar las bases no es parte de la carga
        estado.ResumeTiming();
        if (cargados != n) {
            estado.SkipWithError("no se han cargado todos los elementos");
            break;
        }
    }
    estado.SetComplexityN(n);
    estado.SetItemsProcessed(estado.iterations() * n);
}

// Guarda con la base ya cargada.
template <class Guardar> void Guardado(benchmark::State& estado, Guardar&& guardar) {
    const int n = static_cast<int>(estado.range(0));
    GestorBD gestor("Banco", LISTA_PROGRAMA);
    gestor.Cargar(g_ficheros.at(n).c_str());
    if (Elementos(gestor) != n) {
        estado.SkipWithError("no se han cargado todos los elementos");
        return;
    }
    for (auto _ : estado) {
        if (!guardar(gestor, n)) {
            estado.SkipWithError(gestor.UltimoError().c_str());
            break;
        }
    }
    estado.SetComplexityN(n);
    estado.SetItemsProcessed(estado.iterations() * n);
}

void Guardar(benchmark::State& estado) {
    Guardado(estado,
             [](GestorBD& g, int n) { return g.Guardar(Salida("guardado.bdc", n).c_str()); });
}

void GuardarXML(benchmark::State& estado) {
    Guardado(estado,
             [](GestorBD& g, int n) { return g.GuardarXML(Salida("guardado.xml", n).c_str()); });
}

// Una instalación propia en una carpeta temporal, con un catálogo pequeño: la carga de los
// cerramientos y los huecos lo lee una vez.
void Preparar() {
    std::string plantilla = (std::filesystem::temp_directory_path() / "banco-gestorbd-XXXXXX");
    if (mkdtemp(plantilla.data()) == nullptr) std::abort();
    g_carpeta = plantilla;
    std::filesystem::create_directories(g_carpeta / "Lib");
    std::filesystem::create_directories(g_carpeta / "Tmp");
    std::ofstream(g_carpeta / "config.ini") << "LIB = \"Lib\\\"\nTMP = \"Tmp\\\"\n";
    std::ofstream(g_carpeta / "Lib" / "BDCATALOGO.BDC") << GenerarCatalogo();
    Directorios::FijarCarpetaAplicacion((g_carpeta.string() + "/").c_str());
    RegistrarElementos();
}

// El fichero generado, cargado y guardado por el programa, para medir la carga del fichero
// tal como lo escribe.
bool PrepararBase(int n) {
    const std::string generado = Salida("generado.bdc", n);
    std::ofstream(generado, std::ios::binary) << GenerarFicheroBDC(n);
    GestorBD gestor("Banco", LISTA_PROGRAMA);
    gestor.Cargar(generado.c_str());
    const std::string ruta = Salida("base.bdc", n);
    if (Elementos(gestor) != Reparticion(n).Total() || !gestor.Guardar(ruta.c_str())) return false;
    g_ficheros[n] = ruta;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const bool breve = std::getenv("QUENBAR_BANCO_BREVE") != nullptr;
    Preparar();
    const std::vector<int> tamanos =
        breve ? std::vector<int>{100, 1000} : std::vector<int>{1000, 10000, 100000};
    int resultado = 0;
    for (int n : tamanos)
        if (!PrepararBase(n)) resultado = 1;

    if (resultado == 0) {
        for (auto [nombre, funcion] : {std::pair{"Cargar", &Cargar}, std::pair{"Guardar", &Guardar},
                                       std::pair{"GuardarXML", &GuardarXML}}) {
            auto* banco = benchmark::RegisterBenchmark(nombre, funcion);
            for (int n : tamanos)
                banco->Arg(n);
            banco->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
        }
        benchmark::RunSpecifiedBenchmarks();
    } else {
        std::fprintf(stderr, "No se han podido preparar las bases de datos\n");
    }
    benchmark::Shutdown();

    Cambios::Liberar();
    FicheroLog::Liberar();
    Error::Liberar();
    Idioma::Liberar();
    Directorios::Liberar();
    std::error_code error;
    std::filesystem::remove_all(g_carpeta, error);
    return resultado;
}
