#include "Vornak/VistabdMarcos.h"

#include "Vornak/VistaMarco.h"

#include "comunes/bdMarcos.h"

VistabdMarcos::VistabdMarcos(bdMarcos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_MARCO, 13) {
    editor = std::make_unique<VistaMarco>(nullptr, ventana);
}

AnsiString VistabdMarcos::RotuloTipo() const {
    return "Marcos";
}

AnsiString VistabdMarcos::RaizNombre() const {
    return "Marco";
}
