// bdMateriales: la base de materiales y sus instancias compartidas.

#include "comunes/bdMateriales.h"

bdMateriales* bdMateriales::Instancia(const AnsiString& nombre, TipoLista tipo) {
    return Compartida(tipo, [&] { return new bdMateriales(nombre, tipo); });
}

bdMateriales* bdMateriales::Instancia(TipoLista tipo) {
    return Instancia(NombreDeLista(tipo, "estandar", "usuario", "programa"), tipo);
}

bdMateriales::bdMateriales(const AnsiString& nombre, TipoLista tipo) : bdCompartida(nombre, tipo) {}
