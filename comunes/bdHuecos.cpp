// bdHuecos: la base de huecos, sus instancias compartidas y el uso de acristalamientos y
// marcos.

#include "comunes/bdHuecos.h"

#include "comunes/bdAcristalamientos.h"
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
