#include "Vornak/VistabdMarcos.h"

#include "comunes/bdMarcos.h"

VistabdMarcos::VistabdMarcos(bdMarcos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_MARCO, 13) {}

AnsiString VistabdMarcos::RotuloTipo() const {
    return "Marcos";
}

AnsiString VistabdMarcos::RaizNombre() const {
    return "Marco";
}
