#include "Vornak/VistabdPuentesTermicos.h"

#include "Vornak/VistaPuenteTermico.h"

#include "comunes/bdPuentesTermicos.h"

VistabdPuentesTermicos::VistabdPuentesTermicos(bdPuentesTermicos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_PUENTE_TERMICO, 20) {
    editor = std::make_unique<VistaPuenteTermico>(nullptr, ventana);
}

AnsiString VistabdPuentesTermicos::RotuloTipo() const {
    return AnsiString();
}

AnsiString VistabdPuentesTermicos::RaizNombre() const {
    return "Puente";
}
