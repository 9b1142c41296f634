// bdMarcos: la base de marcos, su base actual por tipo de lista y su sección.

#include "comunes/bdMarcos.h"

bdMarcos* bdMarcos::Instancia(const AnsiString& nombre, TipoLista tipo) {
    return Compartida(tipo, [&] { return new bdMarcos(nombre, tipo); });
}

bdMarcos* bdMarcos::Instancia(TipoLista tipo) {
    return Instancia(NombreDeLista(tipo, "ListaMarEstandar", "ListaMarUsuario", "ListaPrograma"),
                     tipo);
}

bdMarcos::bdMarcos(const AnsiString& nombre, TipoLista tipo) : bdCompartida(nombre, tipo) {}

const SeccionBD& bdMarcos::Seccion() const {
    static const SeccionBD seccion{
        .tipoRegistro = "NAME-FRAME ",
        .tipoElemento = TIPO_MARCO,
        .regla = "++++++++++++++++++++++++++++++\n",
        .titulo = "            MARCOS\n ",
        .grupoXML = "gNameFrames",
    };
    return seccion;
}
