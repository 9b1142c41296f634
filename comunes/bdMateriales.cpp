// bdMateriales: la base de materiales, su base actual por tipo de lista y su sección.

#include "comunes/bdMateriales.h"

bdMateriales* bdMateriales::Instancia(const AnsiString& nombre, TipoLista tipo) {
    return Compartida(tipo, [&] { return new bdMateriales(nombre, tipo); });
}

bdMateriales* bdMateriales::Instancia(TipoLista tipo) {
    return Instancia(NombreDeLista(tipo, "estandar", "usuario", "programa"), tipo);
}

bdMateriales::bdMateriales(const AnsiString& nombre, TipoLista tipo) : bdCompartida(nombre, tipo) {}

const SeccionBD& bdMateriales::Seccion() const {
    static const SeccionBD seccion{
        .tipoRegistro = "MATERIAL ",
        .tipoElemento = TIPO_MATERIAL,
        .regla = "$++++++++++++++++++++++++++++++\n",
        .titulo = "$           MATERIALES\n ",
        .grupoXML = "gMaterials",
        .cabeceraEnExportar = true,
    };
    return seccion;
}
