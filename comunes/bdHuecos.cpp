// bdHuecos: la base de huecos, su base actual por tipo de lista, su sección, la carga de sus
// partes y el uso de acristalamientos y marcos.

#include "comunes/bdHuecos.h"

#include "comunes/Hueco.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCatalogo.h"
#include "comunes/bdMarcos.h"

bdHuecos* bdHuecos::Instancia(const AnsiString& nombre, bdAcristalamientos* acristalamientos,
                              bdMarcos* marcos, TipoLista tipo) {
    // La lista estándar se crea sin bases: las del catálogo solo viven mientras se carga
    // una lista de usuario o de programa.
    if (tipo == LISTA_ESTANDAR) {
        acristalamientos = nullptr;
        marcos = nullptr;
    }
    return Compartida(tipo, [&] { return new bdHuecos(nombre, acristalamientos, marcos, tipo); });
}

bdHuecos* bdHuecos::Instancia(TipoLista tipo) {
    return Instancia(NombreDeLista(tipo, "ListaAcrEstandar", "ListaAcrUsuario", "ListaPrograma"),
                     nullptr, nullptr, tipo);
}

bdHuecos::bdHuecos(const AnsiString& nombre, bdAcristalamientos* acristalamientos, bdMarcos* marcos,
                   TipoLista tipo)
    : bdCompartida(nombre, tipo), acristalamientos(acristalamientos), marcos(marcos) {}

void bdHuecos::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre") valor = ObtenerNombre();
}

bdLibreria* bdHuecos::BaseDatos(TipoObjeto tipo) const {
    if (tipo == TIPO_ACRISTALAMIENTO) return acristalamientos;
    if (tipo == TIPO_MARCO) return marcos;
    return nullptr;
}

bool bdHuecos::ElementoUtilizado(const AnsiString& nombre) const {
    for (ObjetoBase* hueco : Elementos())
        if (hueco->Utiliza(nombre)) return true;
    return false;
}

bool bdHuecos::ElementoUtilizado(TipoObjeto tipo, const AnsiString& nombre) const {
    for (ObjetoBase* elemento : Elementos())
        if (auto* hueco = dynamic_cast<Hueco*>(elemento);
            hueco && hueco->UtilizaParte(tipo, nombre))
            return true;
    return false;
}

const SeccionBD& bdHuecos::Seccion() const {
    static const SeccionBD seccion{
        .tipoRegistro = "GAP ",
        .tipoElemento = TIPO_HUECO,
        .regla = "++++++++++++++++++++++++++++++\n",
        .titulo = "            HUECOS\n ",
        .grupoXML = "gGaps",
    };
    return seccion;
}

bdAcristalamientos* bdHuecos::AcristalamientosPropios() const {
    return acristalamientos != nullptr ? acristalamientos
                                       : bdAcristalamientos::Instancia(ObtenerTipoLista());
}

bdMarcos* bdHuecos::MarcosPropios() const {
    return marcos != nullptr ? marcos : bdMarcos::Instancia(ObtenerTipoLista());
}

void bdHuecos::LeerElemento(ObjetoBase& elemento, LeerBDL& registro, bdCatalogo& catalogo) {
    bdAcristalamientos* vidriosPropios = AcristalamientosPropios();
    bdMarcos* marcosPropios = MarcosPropios();
    const bool conCatalogo = ObtenerTipoLista() != LISTA_ESTANDAR;
    // Los marcos del catálogo se leen antes que sus acristalamientos.
    bdMarcos* marcosCatalogo = conCatalogo ? catalogo.Marcos() : nullptr;
    bdAcristalamientos* vidriosCatalogo = conCatalogo ? catalogo.Acristalamientos() : nullptr;
    // Las partes que falten las crea el hueco en las bases propias.
    const bdAcristalamientos* vidriosCompletados = vidriosPropios;
    const bdMarcos* marcosCompletados = marcosPropios;
    const int vidriosAntes = vidriosCompletados != nullptr ? vidriosCompletados->NumeroHijos() : 0;
    const int marcosAntes = marcosCompletados != nullptr ? marcosCompletados->NumeroHijos() : 0;

    if (conCatalogo)
        elemento.PonerBasesDatos(marcosCatalogo, vidriosCatalogo);
    else
        elemento.PonerBasesDatos(marcosPropios, vidriosPropios);
    elemento.Leer(&registro);
    // Las bases del catálogo mueren con la carga: el hueco se queda con las propias.
    elemento.PonerBasesDatos(marcosPropios, vidriosPropios);

    AnotarDesconocidos(vidriosCompletados, vidriosAntes, vidriosCatalogo, elemento);
    AnotarDesconocidos(marcosCompletados, marcosAntes, marcosCatalogo, elemento);
}
