#pragma once
// Lo que comparten las pruebas del gestor de bases de datos: una instalación de prueba en
// una carpeta temporal (con su carpeta de librerías, sin catálogo salvo que se ponga) y un
// fichero ".BDC" con los seis tipos de elemento.

#include "tests/comunes/instalacion_prueba.h"

#include "plataforma/base/ansi_string.h"

#include <string>

// Un fichero ".BDC" de partida con dos materiales, un cerramiento que los usa, dos
// acristalamientos (uno de librería), un marco, un hueco con ese acristalamiento y ese marco
// y un puente térmico. No está escrito como lo escribe el programa.
extern const std::string kBaseDeEjemplo;

class PruebaGestor : public InstalacionDePrueba {
protected:
    // Con las carpetas "Lib\" (vacía) y "Tmp\".
    PruebaGestor();
    void SetUp() override;
    // Además de lo de la instalación, libera Cambios, deja las bases compartidas como las
    // encontró (ninguna) y quita un fallo inyectado que no se usó.
    void TearDown() override;

    // El fichero de la carpeta, con ese contenido.
    AnsiString Fichero(const AnsiString& nombre, const std::string& contenido) const {
        return carpeta.Fichero(nombre, contenido);
    }
    // Pone el catálogo estándar en la carpeta de librerías.
    void PonerCatalogo(const std::string& contenido) const;
    // Los bytes del fichero; falla la prueba si no se puede leer.
    static std::string Bytes(const AnsiString& ruta);
};
