// El main de los objetivos de fuzzing donde no hay libFuzzer: da al objetivo, una vez y
// por orden de nombre, cada fichero nombrado en la línea de órdenes y cada fichero de cada
// carpeta nombrada. Acaba con error si una ruta no se puede leer o no hubo ninguna entrada.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Alimentar(const std::filesystem::path& fichero) {
    std::ifstream entrada(fichero, std::ios::binary);
    if (!entrada) {
        std::fprintf(stderr, "No se puede leer %s\n", fichero.c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(entrada)),
                            std::istreambuf_iterator<char>());
    // Una copia del tamaño justo, para que el comprobador de memoria vea cualquier lectura
    // más allá del final.
    std::vector<uint8_t> datos(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(datos.data(), datos.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Todas las rutas se resuelven antes de la primera entrada: un objetivo puede cambiar
    // la carpeta actual.
    std::vector<std::filesystem::path> ficheros;
    bool bien = true;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        std::filesystem::path ruta = std::filesystem::absolute(argv[i], error);
        if (!error && std::filesystem::is_directory(ruta, error)) {
            std::vector<std::filesystem::path> dentro;
            for (const auto& entrada : std::filesystem::recursive_directory_iterator(ruta, error))
                if (entrada.is_regular_file()) dentro.push_back(entrada.path());
            std::sort(dentro.begin(), dentro.end());
            ficheros.insert(ficheros.end(), dentro.begin(), dentro.end());
        } else if (!error) {
            ficheros.push_back(ruta);
        }
        if (error) {
            std::fprintf(stderr, "No se puede recorrer %s: %s\n", argv[i], error.message().c_str());
            bien = false;
        }
    }
    for (const auto& fichero : ficheros)
        bien = Alimentar(fichero) && bien;
    std::printf("%zu entradas\n", ficheros.size());
    return bien && !ficheros.empty() ? 0 : 1;
}
