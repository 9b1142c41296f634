#include "Vornak/VistabdPuentesTermicos.h"

#include "comunes/bdPuentesTermicos.h"

VistabdPuentesTermicos::VistabdPuentesTermicos(bdPuentesTermicos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_PUENTE_TERMICO, 20) {}

AnsiString VistabdPuentesTermicos::RotuloTipo() const {
    return AnsiString();
}

AnsiString VistabdPuentesTermicos::RaizNombre() const {
    return "Puente";
}
