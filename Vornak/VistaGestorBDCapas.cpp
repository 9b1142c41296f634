// Las órdenes de capas de la página de los cerramientos: van a la vista de los
// cerramientos con el elemento que se muestra.

#include "Vornak/VistaGestorBD.h"
#include "Vornak/VistabdCerramientos.h"

void VistaGestorBD::AnadirCapa(TipoObjeto tipo) {
    if (tipo == TIPO_CERRAMIENTO && vistaCerramientos) vistaCerramientos->AnadirCapa(actual);
}

void VistaGestorBD::CambiarCapa(TipoObjeto tipo) {
    if (tipo == TIPO_CERRAMIENTO && vistaCerramientos) vistaCerramientos->CambiarCapa(actual);
}

void VistaGestorBD::EliminarCapa(TipoObjeto tipo) {
    if (tipo == TIPO_CERRAMIENTO && vistaCerramientos) vistaCerramientos->EliminarCapa(actual);
}

void VistaGestorBD::SubirCapa(TipoObjeto tipo) {
    if (tipo == TIPO_CERRAMIENTO && vistaCerramientos) vistaCerramientos->SubirCapa(actual);
}

void VistaGestorBD::BajarCapa(TipoObjeto tipo) {
    if (tipo == TIPO_CERRAMIENTO && vistaCerramientos) vistaCerramientos->BajarCapa(actual);
}

void VistaGestorBD::CalcularU() {
    if (vistaCerramientos) vistaCerramientos->CalcularU();
}

bool VistaGestorBD::SeleccionarCapa(const AnsiString& material) {
    return vistaCerramientos && vistaCerramientos->SeleccionarCapa(material);
}
