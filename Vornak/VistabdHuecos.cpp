#include "Vornak/VistabdHuecos.h"

#include "comunes/Idioma.h"
#include "comunes/bdHuecos.h"

VistabdHuecos::VistabdHuecos(bdHuecos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_HUECO, 2) {}

AnsiString VistabdHuecos::RotuloTipo() const {
    return Idioma::Instancia()->Traducir("Huecos") + " y lucernarios";
}

AnsiString VistabdHuecos::RaizNombre() const {
    return Idioma::Instancia()->Traducir("Hueco");
}
