#include "Pelusta/inspectorResultados.h"

#include "plataforma/base/files.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr int kLargoCodigo = 32;

// La posición (desde 0) del punto de la extensión en la última parte de la ruta, o -1.
int PuntoDeExtension(const AnsiString& ruta) {
    const int punto = ruta.LastDelimiter(".\\/");
    return (punto > 0 && ruta[punto] == '.') ? punto - 1 : -1;
}

} // namespace

inspectorResultados::inspectorResultados(const TablaCodigos& tabla) : inspector_(tabla) {}

AnsiString inspectorResultados::RutaCodigos(const AnsiString& rutaResultados) {
    const int punto = PuntoDeExtension(rutaResultados);
    const AnsiString base = punto < 0 ? rutaResultados : rutaResultados.SubString(1, punto);
    return base + ".cl";
}

void inspectorResultados::Calcular(const AnsiString& rutaResultados, const AnsiString& rutaProyecto,
                                   bool datos) {
    const AnsiString fichero = ExtractFileName(rutaResultados);
    const int punto = PuntoDeExtension(fichero);
    nombre_ = punto < 0 ? fichero : fichero.SubString(1, punto);

    codigoGuardado_ = AnsiString();
    valorAcompanante_ = AnsiString();
    digestoDatos_ = AnsiString();
    codigoCalculado_ = AnsiString();

    digestoFichero_ = inspector::DigestoFichero(rutaResultados);
    AnsiString acompanante;
    if (datos) {
        digestoDatos_ = inspector::DigestoDatos(rutaProyecto);
        acompanante = digestoDatos_;
    } else {
        LeerCodigos(RutaCodigos(rutaResultados));
        acompanante = valorAcompanante_;
    }
    // Un fichero que no se pudo leer no tiene código: no puede ser válido.
    if (!digestoFichero_.IsEmpty())
        codigoCalculado_ = inspector_.Codificar(digestoFichero_ + acompanante);
}

bool inspectorResultados::EsValido() const {
    return !codigoGuardado_.IsEmpty() && codigoGuardado_ == codigoCalculado_;
}

bool inspectorResultados::LeerCodigos(const AnsiString& rutaCl) {
    codigoGuardado_ = AnsiString();
    valorAcompanante_ = AnsiString();
    std::ifstream fichero(NativePath(rutaCl), std::ios::binary);
    if (!fichero) return false;
    // Solo hacen falta los 64 primeros bytes, sea cual sea el tamaño del fichero.
    std::string bytes(2 * kLargoCodigo, '\0');
    fichero.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(fichero.gcount()));
    const size_t corte = std::min<size_t>(bytes.size(), kLargoCodigo);
    codigoGuardado_ = AnsiString(bytes.substr(0, corte));
    valorAcompanante_ = AnsiString(bytes.substr(corte));
    return true;
}
