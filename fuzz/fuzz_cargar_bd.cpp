// Objetivo de fuzzing de la carga de una base de datos: cualquier secuencia de bytes como
// fichero ".BDC", cargada como base abierta (con un catálogo estándar pequeño en la carpeta
// de librerías) y como librería de usuario, escrita de nuevo en todas sus formas (texto de
// palabras clave, variante, exportación, XML) y vaciada elemento a elemento, para que una
// carga que deje una referencia colgando salte con los comprobadores de memoria. Cada
// registro que no da elemento ha de estar entre los que se dicen ilegibles.

#include "comunes/Cambios.h"
#include "comunes/DocumentoXML.h"
#include "comunes/FicheroLog.h"
#include "comunes/GestorBD.h"
#include "comunes/LeerBDL.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdLibreria.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"
#include "fuzz/instalacion_fuzz.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/string_list.h"
#include "plataforma/xml/xml_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const char kCatalogo[] = "TEMPLARY = STANDARD\n"
                         "\"Hormigon\" = MATERIAL\n TYPE = PROPERTIES\n CONDUCTIVITY = 1.65\n"
                         " DENSITY = 2300\n LIBRARY = YES\n ..\n"
                         "\"Camara\" = MATERIAL\n TYPE = RESISTANCE\n RESISTANCE = 0.18\n"
                         " LIBRARY = YES\n ..\n"
                         "\"Muro\" = LAYERS\n MATERIAL = (\"Hormigon\",\"Camara\")\n"
                         " THICKNESS = ( 0.2, 0.05)\n LIBRARY = YES\n ..\n"
                         "\"Doble\" = GLASS-TYPE\n TYPE = SHADING-COEF\n SHADING-COEF = 0.88\n"
                         " GLASS-CONDUCTANCE = 2.8\n LIBRARY = YES\n ..\n"
                         " \"PVC\" = NAME-FRAME\n FRAME-CONDUCT = 1.3\n LIBRARY = YES\n..\n";

bool Preparar() {
    const std::string carpeta = PrepararInstalacion("LIB = \"Lib\\\"\nTMP = \"Tmp\\\"\n");
    EscribirFichero(carpeta + "Lib/BDCATALOGO.BDC", kCatalogo);
    RegistrarElementos();
    return true;
}

void Escribir(GestorBD& gestor) {
    FileWriter nulo;
    if (!nulo.Open("/dev/null", FileWriter::Mode::Text, false)) return;
    Cambios::Instancia()->Escribir(nulo);
    gestor.Escribir(nulo);
    gestor.EscribirVariante(nulo);
    gestor.Exportar(nulo);
    nulo.Abandon();

    TXMLDocument documento;
    DocumentoXML xml(documento);
    xml.NuevoDocumento("DATABASE");
    for (bdLibreria* base : gestor.Bases(GestorBD::Orden::Carga))
        base->EscribirXML(xml, nullptr);
    // Bien formado, sea cual sea la entrada: si no, la lectura lanza y el objetivo aborta.
    TXMLDocument leido;
    leido.LoadFromXML(documento.SaveToXML());
}

// Elimina cuanto se deja eliminar, en el orden en que lo usado va quedando libre.
void Vaciar(GestorBD& gestor) {
    gestor.MarcarUtilizados();
    for (TipoObjeto tipo : {TIPO_HUECO, TIPO_CERRAMIENTO, TIPO_ACRISTALAMIENTO, TIPO_MARCO,
                            TIPO_MATERIAL, TIPO_PUENTE_TERMICO}) {
        TStringList nombres;
        gestor.Base(tipo)->ListarNombres(nombres);
        for (int i = 0; i < nombres.GetCount(); ++i)
            gestor.Eliminar(tipo, nombres.GetStrings(i));
    }
}

// Nada se pierde sin decirse: cada registro de un tipo que se carga da su elemento, salvo
// los que se dicen ilegibles (las bases de materiales, acristalamientos y marcos pueden
// tener además las partes que crean cerramientos y huecos).
void ComprobarIlegibles(const GestorBD& gestor, const LeerBDL& lector) {
    gestor.DescribirIlegibles();
    for (bdLibreria* base : gestor.Bases(GestorBD::Orden::Carga)) {
        const std::string_view tipo = base->Seccion().tipoRegistro;
        int sinCierre = 0;
        for (const RegistroIlegible& r : gestor.RegistrosIlegibles())
            if (r.motivo == RegistroIlegible::Motivo::SinCierre && r.tipo.str() + " " == tipo)
                ++sinCierre;
        const int leidos = lector.ContarObjetos(AnsiString(tipo)) - sinCierre;
        const bool conPartes = base == static_cast<bdLibreria*>(gestor.Materiales()) ||
                               base == static_cast<bdLibreria*>(gestor.Acristalamientos()) ||
                               base == static_cast<bdLibreria*>(gestor.Marcos());
        if (conPartes ? base->NumeroHijos() < leidos : base->NumeroHijos() != leidos) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    static const bool preparado = Preparar();
    (void)preparado;
    std::string_view texto(reinterpret_cast<const char*>(datos), tamano);
    FicheroLog::Instancia()->Inicializar();
    {
        LeerBDL lector(LeerBDL::EnMemoria{}, texto);
        Cambios::Instancia()->Leer(&lector);
        GestorBD abierta("Fuzz", LISTA_PROGRAMA);
        abierta.CargarDeBDL(&lector);
        ComprobarIlegibles(abierta, lector);
        {
            // Un segundo gestor de la misma lista, que se cierra antes: las bases siguen.
            GestorBD otra("Fuzz2", LISTA_PROGRAMA);
            otra.CargarDeBDL(&lector);
        }
        Escribir(abierta);
        Vaciar(abierta);

        GestorBD libreria("Librería", LISTA_USUARIO);
        libreria.CargarDeBDL(&lector);
        Escribir(libreria);
    }
    Cambios::Liberar();
    return 0;
}
