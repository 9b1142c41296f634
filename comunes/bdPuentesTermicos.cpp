// bdPuentesTermicos: la base de puentes térmicos y sus instancias compartidas.

#include "comunes/bdPuentesTermicos.h"

bdPuentesTermicos* bdPuentesTermicos::Instancia(const AnsiString& nombre, TipoLista tipo) {
    return Compartida(tipo, [&] { return new bdPuentesTermicos(nombre, tipo); });
}

bdPuentesTermicos::bdPuentesTermicos(const AnsiString& nombre, TipoLista tipo)
    : bdCompartida(nombre, tipo) {}
