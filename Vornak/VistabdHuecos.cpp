#include "Vornak/VistabdHuecos.h"

#include "Vornak/VentanaGestorBD.h"
#include "Vornak/VistaHueco.h"

#include "comunes/Idioma.h"
#include "comunes/bdHuecos.h"
#include "controles/edit/kav_combo.h"

VistabdHuecos::VistabdHuecos(bdHuecos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_HUECO, 2) {
    editor = std::make_unique<VistaHueco>(ventana);
}

AnsiString VistabdHuecos::RotuloTipo() const {
    return Idioma::Instancia()->Traducir("Huecos") + " y lucernarios";
}

AnsiString VistabdHuecos::RaizNombre() const {
    return Idioma::Instancia()->Traducir("Hueco");
}

void VistabdHuecos::MostrarElemento(ObjetoBase* elemento) {
    auto* e = static_cast<VistaHueco*>(editor.get());
    auto* huecos = static_cast<bdHuecos*>(base);
    if (huecos) {
        e->PonerBaseDatos(TIPO_ACRISTALAMIENTO, huecos->BaseDatos(TIPO_ACRISTALAMIENTO));
        e->PonerBaseDatos(TIPO_MARCO, huecos->BaseDatos(TIPO_MARCO));
    }
    VistabdElementos::MostrarElemento(elemento);
}

AnsiString VistabdHuecos::VidrioElegido() const {
    return ventana->cbAcristalamiento->GetText();
}

AnsiString VistabdHuecos::MarcoElegido() const {
    return ventana->cbMarco->GetText();
}
