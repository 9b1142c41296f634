// Objetivo de fuzzing de los registros del modelo del edificio: cualquier secuencia de bytes
// leída en un edificio vacío por el camino de lectura de las pruebas (cada registro a su
// fábrica y a su dueño, y leído), escrita de nuevo, y lo escrito leído otra vez en un
// edificio vacío y vuelto a escribir, con las listas compartidas vacías cada vez.

#include "comunes/FicheroLog.h"
#include "comunes/RegistroElementos.h"
#include "fuzz/instalacion_fuzz.h"
#include "modelo/Edificio.h"
#include "modelo/RegistroModelo.h"
#include "modelo/Sombras.h"
#include "modelo/bdPlanos.h"
#include "modelo/bdPoligonos.h"
#include "tests/modelo/bases_prueba.h"
#include "tests/modelo/modelo_completo.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string g_fichero;

bool Preparar() {
    g_fichero = PrepararInstalacion("TMP = \"Tmp\\\"\n") + "modelo.txt";
    RegistrarElementos();
    RegistrarModelo();
    return true;
}

std::string Escribir(Edificio& edificio) {
    FileWriter fichero;
    if (!fichero.Open(g_fichero.c_str()) || (EscribirModelo(fichero, edificio), !fichero.Commit()))
        std::abort();
    std::string texto;
    if (!ReadWholeFile(g_fichero.c_str(), texto)) std::abort();
    return texto;
}

void VaciarListasDelModelo() {
    bdPoligonos::Liberar();
    Sombras::Liberar();
    bdPlanos::Liberar();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    static const bool preparado = Preparar();
    (void)preparado;
    LiberarListasCompartidas();
    PrepararBasesDelPrograma();
    FicheroLog::Instancia()->Inicializar();
    std::string escrito;
    {
        Edificio edificio("Edificio");
        LeerModelo(std::string(reinterpret_cast<const char*>(datos), tamano), edificio);
        escrito = Escribir(edificio);
    }
    VaciarListasDelModelo();
    {
        Edificio copia("Edificio");
        LeerModelo(escrito, copia);
        Escribir(copia);
    }
    LiberarListasCompartidas();
    return 0;
}
