#include "Vornak/VistabdMateriales.h"

#include "Vornak/VistaMaterial.h"

#include "comunes/bdMateriales.h"

VistabdMateriales::VistabdMateriales(bdMateriales* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_MATERIAL, 9) {
    editor = std::make_unique<VistaMaterial>(nullptr, ventana);
}

AnsiString VistabdMateriales::RotuloTipo() const {
    return "Materiales y productos";
}

AnsiString VistabdMateriales::RaizNombre() const {
    return "Mat";
}
