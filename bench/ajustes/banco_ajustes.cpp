// Settings stores: many keys written through an INI file and through the per-user store, as a
// grid's column widths are, beside the floor of writing the same file once. With
// QUENBAR_BANCO_BREVE the key counts are small, so that CI goes fast.

#include "plataforma/base/file_writer.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/base/reg_ini_file.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string g_carpeta;

AnsiString Fichero(const char* nombre) {
    return AnsiString(g_carpeta + nombre);
}

// Widths as SaveColSizes writes them: one key per column, then one write of the file.
template <class Almacen> void EscribirAnchos(Almacen& almacen, int claves) {
    for (int c = 0; c < claves; ++c)
        almacen.WriteInteger("Columnas", "Col" + AnsiString(c), 64 + c % 100);
    almacen.UpdateFile();
}

void IniFileClaves(benchmark::State& estado) {
    const int claves = static_cast<int>(estado.range(0));
    for (auto _ : estado) {
        std::filesystem::remove(Fichero("ajustes.ini").str());
        TIniFile ini(Fichero("ajustes.ini"));
        EscribirAnchos(ini, claves);
    }
    estado.SetItemsProcessed(estado.iterations() * claves);
}

void AlmacenDelUsuarioClaves(benchmark::State& estado) {
    const int claves = static_cast<int>(estado.range(0));
    for (auto _ : estado) {
        std::filesystem::remove(Fichero("usuario.ini").str());
        TRegIniFile almacen("Software\\Kav\\Rejilla");
        EscribirAnchos(almacen, claves);
    }
    estado.SetItemsProcessed(estado.iterations() * claves);
}

// The floor: the same text written once through the same writer, made in memory.
void SueloUnaEscritura(benchmark::State& estado) {
    const int claves = static_cast<int>(estado.range(0));
    std::string texto = "[Columnas]\n";
    for (int c = 0; c < claves; ++c)
        texto += "Col" + std::to_string(c) + "=" + std::to_string(64 + c % 100) + "\n";
    for (auto _ : estado) {
        FileWriter w;
        if (w.Open(Fichero("suelo.ini"))) w.Write(texto.data(), texto.size());
        if (!w.Commit()) estado.SkipWithError("no se pudo escribir");
    }
    estado.SetItemsProcessed(estado.iterations() * claves);
}

void Tamanos(benchmark::internal::Benchmark* b) {
    if (std::getenv("QUENBAR_BANCO_BREVE") != nullptr) {
        b->Arg(100);
        return;
    }
    b->Arg(1000)->Arg(8000);
}

BENCHMARK(SueloUnaEscritura)->Apply(Tamanos)->Unit(benchmark::kMillisecond);
BENCHMARK(IniFileClaves)->Apply(Tamanos)->Unit(benchmark::kMillisecond);
BENCHMARK(AlmacenDelUsuarioClaves)->Apply(Tamanos)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    std::string plantilla =
        (std::filesystem::temp_directory_path() / "quenbar-ajustes-XXXXXX").string();
    if (::mkdtemp(plantilla.data()) == nullptr) return 1;
    g_carpeta = plantilla + "/";
    ::setenv("QUENBAR_REGISTRO_USUARIO", (g_carpeta + "usuario.ini").c_str(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(plantilla);
    return 0;
}
