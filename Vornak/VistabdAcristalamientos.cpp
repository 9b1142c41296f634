#include "Vornak/VistabdAcristalamientos.h"

#include "Vornak/VistaAcristalamiento.h"

#include "comunes/bdAcristalamientos.h"

VistabdAcristalamientos::VistabdAcristalamientos(bdAcristalamientos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_ACRISTALAMIENTO, 12) {
    editor = std::make_unique<VistaAcristalamiento>(nullptr, ventana);
}

AnsiString VistabdAcristalamientos::RotuloTipo() const {
    return "Vidrios";
}

AnsiString VistabdAcristalamientos::RaizNombre() const {
    return "Vidrio";
}
