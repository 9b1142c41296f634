#include "Pelusta/TablaCodigos.h"

#include "comunes/Directorios.h"
#include "plataforma/base/files.h"

TablaCodigos TablaCodigos::DeBytes(std::string_view bytes) {
    TablaCodigos tabla;
    // Un cero cortaría la tabla en los programas que la guardan como texto C.
    if (bytes.size() != kLargo || bytes.find('\0') != std::string_view::npos) {
        tabla.estado_ = Estado::NoValida;
        return tabla;
    }
    tabla.tabla_.assign(bytes);
    tabla.estado_ = Estado::Cargada;
    return tabla;
}

TablaCodigos TablaCodigos::LeerFichero(const AnsiString& ruta) {
    TablaCodigos tabla;
    if (FileExists(ruta)) {
        std::string contenido;
        if (ReadWholeFile(ruta, contenido)) {
            // El salto de línea final que deja un editor no forma parte de la tabla.
            std::string_view bytes(contenido);
            if (bytes.size() == kLargo + 2 && bytes.substr(kLargo) == "\r\n")
                bytes.remove_suffix(2);
            else if (bytes.size() == kLargo + 1 && bytes.back() == '\n')
                bytes.remove_suffix(1);
            tabla = DeBytes(bytes);
        } else {
            tabla.estado_ = Estado::NoValida;
        }
    }
    tabla.ruta_ = ruta;
    return tabla;
}

TablaCodigos TablaCodigos::LeerInstalada() {
    return LeerFichero(RutaInstalada());
}

AnsiString TablaCodigos::RutaInstalada() {
    return Directorios::Instancia()->RutaLibreria(kNombreFichero);
}
