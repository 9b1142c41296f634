// bdPuentesTermicos: la base de puentes térmicos, su base actual por tipo de lista y su sección.

#include "comunes/bdPuentesTermicos.h"

bdPuentesTermicos* bdPuentesTermicos::Instancia(const AnsiString& nombre, TipoLista tipo) {
    return Compartida(tipo, [&] { return new bdPuentesTermicos(nombre, tipo); });
}

bdPuentesTermicos::bdPuentesTermicos(const AnsiString& nombre, TipoLista tipo)
    : bdCompartida(nombre, tipo) {}

const SeccionBD& bdPuentesTermicos::Seccion() const {
    static const SeccionBD seccion{
        .tipoRegistro = "BRIDGE ",
        .tipoElemento = TIPO_PUENTE_TERMICO,
        .regla = "++++++++++++++++++++++++++++++\n",
        .titulo = "        PUENTES TERMICOS\n ",
        .grupoXML = "gPuentesTermicos",
        .escribirEnteros = true,
    };
    return seccion;
}
