// bdCerramientos: la base de cerramientos por capas, su base actual por tipo de lista, su
// sección, la carga de sus capas y el uso de los materiales.

#include "comunes/bdCerramientos.h"

#include "comunes/Layers.h"
#include "comunes/bdCatalogo.h"
#include "comunes/bdMateriales.h"

bdCerramientos* bdCerramientos::Instancia(const AnsiString& nombre, bdMateriales* materiales,
                                          TipoLista tipo) {
    // La lista estándar se crea sin materiales: los del catálogo solo viven mientras se
    // carga una lista de usuario o de programa.
    if (tipo == LISTA_ESTANDAR) materiales = nullptr;
    return Compartida(tipo, [&] { return new bdCerramientos(nombre, materiales, tipo); });
}

bdCerramientos* bdCerramientos::Instancia(TipoLista tipo) {
    return Instancia(NombreDeLista(tipo, "ListaCerEstandar", "ListaCerUsuario", "ListaPrograma"),
                     nullptr, tipo);
}

bdCerramientos::bdCerramientos(const AnsiString& nombre, bdMateriales* materiales, TipoLista tipo)
    : bdCompartida(nombre, tipo), materiales(materiales) {}

bool bdCerramientos::MaterialUtilizado(const AnsiString& nombre) const {
    for (ObjetoBase* cerramiento : Elementos())
        if (cerramiento->Utiliza(nombre)) return true;
    return false;
}

void bdCerramientos::MarcarMaterialesUtilizados() {
    for (ObjetoBase* elemento : Elementos())
        if (auto* cerramiento = dynamic_cast<Layers*>(elemento))
            cerramiento->MarcarMaterialesUtilizados();
}

const SeccionBD& bdCerramientos::Seccion() const {
    static const SeccionBD seccion{
        .tipoRegistro = "LAYERS ",
        .tipoElemento = TIPO_CERRAMIENTO,
        .regla = "$++++++++++++++++++++++++++++++\n",
        .titulo = "$         CERRAMIENTOS\n ",
        .grupoXML = "gLayers",
        .cabeceraEnVariante = true,
        .cabeceraEnExportar = true,
    };
    return seccion;
}

bdMateriales* bdCerramientos::MaterialesPropios() const {
    return materiales != nullptr ? materiales : bdMateriales::Instancia(ObtenerTipoLista());
}

void bdCerramientos::LeerElemento(ObjetoBase& elemento, LeerBDL& registro, bdCatalogo& catalogo) {
    bdMateriales* propios = MaterialesPropios();
    // Una librería de usuario o una base abierta busca en el catálogo los materiales que su
    // fichero no trae; el catálogo mismo (tipo 0) solo tiene los suyos.
    const bool conCatalogo = ObtenerTipoLista() != LISTA_ESTANDAR;
    bdMateriales* delCatalogo = conCatalogo ? catalogo.Materiales() : nullptr;
    // Los materiales que falten los crea el cerramiento en la base de materiales propia.
    const bdMateriales* completada = propios;
    const int antes = completada != nullptr ? completada->NumeroHijos() : 0;

    elemento.PonerMateriales(conCatalogo ? delCatalogo : propios);
    elemento.Leer(&registro);
    // Las bases del catálogo mueren con la carga: el cerramiento se queda con las propias.
    elemento.PonerMateriales(propios);

    AnotarDesconocidos(completada, antes, delCatalogo, elemento);
}
