#include "Vornak/VistabdCerramientos.h"

#include "Vornak/VentanaGestorBD.h"
#include "Vornak/VistaCerramiento.h"

#include "comunes/bdCerramientos.h"
#include "controles/edit/kav_edit.h"
#include "plataforma/base/numbers.h"

VistabdCerramientos::VistabdCerramientos(bdCerramientos* base, TforGestorBD* ventana)
    : VistabdElementos(base, ventana, TIPO_CERRAMIENTO, 19) {
    editor = std::make_unique<VistaCerramiento>(ventana);
}

AnsiString VistabdCerramientos::RotuloTipo() const {
    return "Cerramientos y particiones interiores";
}

AnsiString VistabdCerramientos::RaizNombre() const {
    return "Cerramiento";
}

VistaCerramiento* VistabdCerramientos::EditorCapas() const {
    return static_cast<VistaCerramiento*>(editor.get());
}

VistaCerramiento* VistabdCerramientos::Preparar(ObjetoBase* elemento) {
    if (!elemento || elemento->ObtenerTipo() != TIPO_CERRAMIENTO) return nullptr;
    VistaCerramiento* e = EditorCapas();
    e->PonerElemento(elemento);
    auto* cerramientos = static_cast<bdCerramientos*>(base);
    e->PonerMaterialesBD(cerramientos ? cerramientos->Materiales() : nullptr);
    return e;
}

void VistabdCerramientos::MostrarElemento(ObjetoBase* elemento) {
    if (VistaCerramiento* e = Preparar(elemento)) {
        e->Mostrar();
        CalcularU();
    }
}

void VistabdCerramientos::AceptarElemento(ObjetoBase* elemento) {
    VistaCerramiento* e = Preparar(elemento);
    if (!e) return;
    e->Aceptar();
    if (!e->CapasRechazadas()) e->Mostrar();
}

void VistabdCerramientos::AnadirCapa(ObjetoBase* elemento) {
    if (VistaCerramiento* e = Preparar(elemento)) e->AnadirCapa();
}

void VistabdCerramientos::CambiarCapa(ObjetoBase* elemento) {
    if (VistaCerramiento* e = Preparar(elemento)) e->CambiarCapa();
}

void VistabdCerramientos::EliminarCapa(ObjetoBase* elemento) {
    if (VistaCerramiento* e = Preparar(elemento)) e->EliminarCapa();
}

void VistabdCerramientos::SubirCapa(ObjetoBase* elemento) {
    if (VistaCerramiento* e = Preparar(elemento)) e->SubirCapa();
}

void VistabdCerramientos::BajarCapa(ObjetoBase* elemento) {
    if (VistaCerramiento* e = Preparar(elemento)) e->BajarCapa();
}

bool VistabdCerramientos::SeleccionarCapa(const AnsiString& material) {
    return EditorCapas()->SeleccionarCapa(material);
}

void VistabdCerramientos::CalcularU() {
    // Más las dos resistencias superficiales, interior y exterior.
    const double r = EditorCapas()->ResistenciaCapas() + 0.17;
    ventana->edU->SetText(FormatFloat("0.00", 1.0 / r));
}
