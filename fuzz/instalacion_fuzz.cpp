#include "fuzz/instalacion_fuzz.h"

#include "comunes/Directorios.h"

#include "plataforma/base/files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

void EscribirFichero(const std::string& ruta, const std::string& texto) {
    std::ofstream(ruta, std::ios::binary) << texto;
}

std::string PrepararInstalacion(const char* configuracion) {
    std::string plantilla = (DirectoryExists("/dev/shm") ? "/dev/shm" : "/tmp");
    plantilla += "/quenbar-fuzz-XXXXXX";
    if (mkdtemp(plantilla.data()) == nullptr) std::abort();
    static std::string creada = plantilla;
    std::atexit([] {
        std::error_code error;
        std::filesystem::remove_all(creada, error);
    });
    const std::string carpeta = plantilla + "/";
    ForceDirectories((carpeta + "Lib").c_str());
    ForceDirectories((carpeta + "Tmp").c_str());
    EscribirFichero(carpeta + "config.ini", configuracion);
    Directorios::FijarCarpetaAplicacion(carpeta.c_str());
    return carpeta;
}
