#include "tests/comunes/instalacion_prueba.h"

#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/Idioma.h"

#include "plataforma/base/files.h"

#include <utility>

InstalacionDePrueba::InstalacionDePrueba() : InstalacionDePrueba("TMP = \"Tmp\\\"\n") {}

InstalacionDePrueba::InstalacionDePrueba(std::string configuracion)
    : configuracion(std::move(configuracion)), actual(GetCurrentDir()) {}

void InstalacionDePrueba::SetUp() {
    carpeta.Fichero("config.ini", configuracion);
    Directorios::FijarCarpetaAplicacion(carpeta.Ruta());
    Directorios::Liberar();
}

void InstalacionDePrueba::TearDown() {
    FicheroLog::Liberar();
    Error::Liberar();
    Idioma::Liberar();
    Directorios::Liberar();
    Directorios::FijarCarpetaAplicacion("");
    SetCurrentDir(actual);
}
