#include "Vornak/VistabdCerramientos.h"

#include "comunes/bdCerramientos.h"

VistabdCerramientos::VistabdCerramientos(bdCerramientos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_CERRAMIENTO, 19) {}

AnsiString VistabdCerramientos::RotuloTipo() const {
    return "Cerramientos y particiones interiores";
}

AnsiString VistabdCerramientos::RaizNombre() const {
    return "Cerramiento";
}
