// MD5 de un fichero grande, junto al md5sum del sistema sobre el mismo fichero. Con
// QUENBAR_BANCO_BREVE el fichero es pequeño, para que CI vaya rápido.

#include "Pelusta/inspector.h"
#include "Pelusta/md5.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr size_t kMB = 1024 * 1024;

// Bytes pseudoaleatorios (xorshift), iguales en cada ejecución.
void Rellenar(std::vector<char>& bloque, std::uint64_t& semilla) {
    for (size_t i = 0; i + 8 <= bloque.size(); i += 8) {
        semilla ^= semilla << 13;
        semilla ^= semilla >> 7;
        semilla ^= semilla << 17;
        for (int b = 0; b < 8; ++b)
            bloque[i + b] = static_cast<char>(semilla >> (8 * b));
    }
}

bool Generar(const std::string& ruta, size_t bytes) {
    std::ofstream fichero(ruta, std::ios::binary | std::ios::trunc);
    std::vector<char> bloque(8 * kMB);
    std::uint64_t semilla = 0x9E3779B97F4A7C15ull;
    for (size_t escritos = 0; escritos < bytes && fichero; escritos += bloque.size()) {
        Rellenar(bloque, semilla);
        fichero.write(bloque.data(),
                      static_cast<std::streamsize>(std::min(bloque.size(), bytes - escritos)));
    }
    return static_cast<bool>(fichero);
}

// La salida de md5sum (32 cifras en minúsculas), en mayúsculas; vacía si falla.
std::string Md5sum(const std::string& ruta) {
    const std::string orden = "md5sum '" + ruta + "' 2>/dev/null";
    FILE* tuberia = popen(orden.c_str(), "r");
    if (tuberia == nullptr) return std::string();
    char salida[33] = {};
    const size_t leidos = std::fread(salida, 1, 32, tuberia);
    // El resto de la línea (el nombre del fichero) también debe leerse.
    while (std::fgetc(tuberia) != EOF) {
    }
    if (pclose(tuberia) != 0 || leidos != 32) return std::string();
    std::string digesto(salida, 32);
    for (char& c : digesto)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return digesto;
}

std::string g_fichero;
size_t g_bytes = 0;

void DigestoFichero(benchmark::State& estado) {
    for (auto _ : estado) {
        AnsiString digesto = inspector::DigestoFichero(AnsiString(g_fichero));
        benchmark::DoNotOptimize(digesto);
        if (digesto.IsEmpty()) estado.SkipWithError("no se pudo leer el fichero");
    }
    estado.SetBytesProcessed(static_cast<int64_t>(estado.iterations() * g_bytes));
}

void SistemaMd5sum(benchmark::State& estado) {
    for (auto _ : estado) {
        std::string digesto = Md5sum(g_fichero);
        benchmark::DoNotOptimize(digesto);
        if (digesto.empty()) estado.SkipWithError("md5sum no está o falló");
    }
    estado.SetBytesProcessed(static_cast<int64_t>(estado.iterations() * g_bytes));
}

// Solo el cálculo, sin leer de disco: 64 MB en memoria (4 MB en la versión breve).
void Md5EnMemoria(benchmark::State& estado) {
    std::vector<char> datos(static_cast<size_t>(estado.range(0)));
    std::uint64_t semilla = 12345;
    Rellenar(datos, semilla);
    for (auto _ : estado) {
        Md5::Digesto digesto = Md5::De(datos.data(), datos.size());
        benchmark::DoNotOptimize(digesto);
    }
    estado.SetBytesProcessed(static_cast<int64_t>(estado.iterations() * datos.size()));
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const bool breve = std::getenv("QUENBAR_BANCO_BREVE") != nullptr;
    g_bytes = (breve ? 4 : 384) * kMB;
    g_fichero = (std::filesystem::temp_directory_path() /
                 ("banco_md5_" + std::to_string(getpid()) + ".res"))
                    .string();
    if (!Generar(g_fichero, g_bytes)) {
        std::fprintf(stderr, "no se pudo generar %s\n", g_fichero.c_str());
        std::filesystem::remove(g_fichero);
        return 1;
    }

    // Los dos deben dar el mismo resumen antes de compararse en tiempo.
    const std::string propio = inspector::DigestoFichero(AnsiString(g_fichero)).str();
    const std::string sistema = Md5sum(g_fichero);
    if (!sistema.empty() && propio != sistema) {
        std::fprintf(stderr, "MD5 distinto de md5sum: %s frente a %s\n", propio.c_str(),
                     sistema.c_str());
        std::filesystem::remove(g_fichero);
        return 1;
    }

    // Tiempo real: md5sum trabaja en otro proceso. El fichero ya está en la caché de páginas
    // para los dos tras la comprobación de arriba.
    // Con el fichero grande, varias pasadas de cada uno para que la comparación sea estable.
    const double tiempoMinimo = breve ? 0 : 3;
    for (auto* banco : {benchmark::RegisterBenchmark("DigestoFichero", DigestoFichero),
                        benchmark::RegisterBenchmark("md5sum", SistemaMd5sum)}) {
        banco->Unit(benchmark::kMillisecond)->UseRealTime();
        if (tiempoMinimo > 0) banco->MinTime(tiempoMinimo);
    }
    benchmark::RegisterBenchmark("Md5EnMemoria", Md5EnMemoria)
        ->Arg(static_cast<int64_t>((breve ? 4 : 64) * kMB))
        ->Unit(benchmark::kMillisecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(g_fichero);
    return 0;
}
