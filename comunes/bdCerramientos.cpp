// bdCerramientos: la base de cerramientos por capas, sus instancias compartidas y el uso
// de los materiales.

#include "comunes/bdCerramientos.h"

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
