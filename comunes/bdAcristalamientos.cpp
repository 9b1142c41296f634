// bdAcristalamientos: la base de acristalamientos, su base actual por tipo de lista, su sección
// y la comprobación de los factores solares.

#include "comunes/bdAcristalamientos.h"

bdAcristalamientos* bdAcristalamientos::Instancia(const AnsiString& nombre, TipoLista tipo) {
    return Compartida(tipo, [&] { return new bdAcristalamientos(nombre, tipo); });
}

bdAcristalamientos* bdAcristalamientos::Instancia(TipoLista tipo) {
    return Instancia(NombreDeLista(tipo, "ListaAcrEstandar", "ListaAcrUsuario", "ListaPrograma"),
                     tipo);
}

bdAcristalamientos::bdAcristalamientos(const AnsiString& nombre, TipoLista tipo)
    : bdCompartida(nombre, tipo) {}

void bdAcristalamientos::QuitarHijo(ObjetoBase* hijo) {
    Contenedor::QuitarHijo(hijo);
}

void bdAcristalamientos::Vaciar() {
    for (ObjetoBase* acristalamiento : Elementos()) {
        QuitarHijo(acristalamiento);
        if (acristalamiento->ObtenerDueno() == nullptr) delete acristalamiento;
    }
}

bool bdAcristalamientos::SinFactorSolar() const {
    for (ObjetoBase* acristalamiento : Elementos()) {
        float factor = 0.0f;
        acristalamiento->ObtenerReal("Factor solar", factor);
        // Sin definir es cualquier negativo, no solo -1: así lo era también el -0.85 que
        // dejaba un registro sin "SHADING-COEF".
        if (factor < 0.0f) return false;
    }
    return true;
}

const SeccionBD& bdAcristalamientos::Seccion() const {
    static const SeccionBD seccion{
        .tipoRegistro = "GLASS-TYPE ",
        .tipoElemento = TIPO_ACRISTALAMIENTO,
        .regla = "$++++++++++++++++++++++++++++++\n",
        .titulo = "$  ACRISTALAMIENTOS - VIDRIOS\n",
        .grupoXML = "gGlassTypes",
        .cabeceraEnExportar = true,
    };
    return seccion;
}

void bdAcristalamientos::EscribirSinLibreria(FileWriter& fichero, int) {
    Escribir(fichero);
}
