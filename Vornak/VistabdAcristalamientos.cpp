#include "Vornak/VistabdAcristalamientos.h"

#include "comunes/bdAcristalamientos.h"

VistabdAcristalamientos::VistabdAcristalamientos(bdAcristalamientos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_ACRISTALAMIENTO, 12) {}

AnsiString VistabdAcristalamientos::RotuloTipo() const {
    return "Vidrios";
}

AnsiString VistabdAcristalamientos::RaizNombre() const {
    return "Vidrio";
}
