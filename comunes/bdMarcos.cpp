// bdMarcos: la base de marcos y sus instancias compartidas.

#include "comunes/bdMarcos.h"

bdMarcos* bdMarcos::Instancia(const AnsiString& nombre, TipoLista tipo) {
    return Compartida(tipo, [&] { return new bdMarcos(nombre, tipo); });
}

bdMarcos* bdMarcos::Instancia(TipoLista tipo) {
    return Instancia(NombreDeLista(tipo, "ListaMarEstandar", "ListaMarUsuario", "ListaPrograma"),
                     tipo);
}

bdMarcos::bdMarcos(const AnsiString& nombre, TipoLista tipo) : bdCompartida(nombre, tipo) {}
