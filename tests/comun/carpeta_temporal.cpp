#include "tests/comun/carpeta_temporal.h"

#include "plataforma/base/cp1252.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

CarpetaTemporal::CarpetaTemporal() {
    std::string plantilla = "/tmp/quenbar-prueba-XXXXXX";
    if (!::mkdtemp(plantilla.data()))
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    ruta_ = AnsiString(plantilla + "/");
}

CarpetaTemporal::~CarpetaTemporal() {
    std::error_code ec;
    std::filesystem::remove_all(ruta_.str(), ec);
}

AnsiString CarpetaTemporal::Fichero(const AnsiString& nombre, const std::string& contenido) const {
    std::filesystem::path ruta(ruta_.str() + cp1252::ToUtf8(nombre.str()));
    std::error_code ec;
    std::filesystem::create_directories(ruta.parent_path(), ec);
    std::ofstream f(ruta, std::ios::binary);
    f.write(contenido.data(), static_cast<std::streamsize>(contenido.size()));
    f.close();
    if (!f) throw std::runtime_error("no se pudo escribir " + ruta.string());
    return ruta_ + nombre;
}
