#include "Vornak/VistabdCerramientos.h"

#include "Vornak/VentanaGestorBD.h"
#include "Vornak/VistaCerramiento.h"

#include "comunes/Util.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdMateriales.h"
#include "controles/edit/kav_edit.h"
#include "controles/grid/kav_grid.h"
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

float VistabdCerramientos::Conductividad(const AnsiString& material) const {
    auto* cerramientos = static_cast<bdCerramientos*>(base);
    bdMateriales* materiales = cerramientos ? cerramientos->Materiales() : nullptr;
    ObjetoBase* m = materiales ? materiales->BuscarEnHijos(material) : nullptr;
    float lambda = 0.0f;
    if (m) m->ObtenerReal("Conductividad", lambda);
    return lambda > 0.0f ? lambda : 0.0f;
}

void VistabdCerramientos::CalcularU() {
    TKavStringGrid* g = ventana->SG_Camaras;
    double r = 0.0;
    for (int fila = 1; fila < g->GetRowCount() - 1; ++fila) {
        if (g->GetCells(1, fila).IsEmpty()) break;
        if (!g->GetCells(2, fila).IsEmpty()) {
            // Los valores empiezan en 0: un texto que no es un número no deja nada suelto,
            // y una conductividad 0 no divide.
            float e = 0.0f, lambda = 0.0f;
            AFlotante(e, g->GetCells(2, fila));
            AFlotante(lambda, g->GetCells(3, fila));
            // Una conductividad que en la celda se redondea a "0.000" es la del material.
            if (lambda == 0.0f) lambda = Conductividad(g->GetCells(1, fila));
            if (lambda != 0.0f) r += e / lambda;
        } else {
            float resistencia = 0.0f;
            AFlotante(resistencia, g->GetCells(6, fila));
            r += resistencia;
        }
    }
    r += 0.17;
    ventana->edU->SetText(FormatFloat("0.00", 1.0 / r));
}
