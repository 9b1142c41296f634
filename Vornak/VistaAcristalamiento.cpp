#include "Vornak/VistaAcristalamiento.h"

#include "Vornak/VentanaGestorBD.h"

#include "comunes/Error.h"
#include "comunes/Idioma.h"
#include "comunes/ObjetoBase.h"
#include "controles/edit/kav_edit.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/page_control.h"

void VistaAcristalamiento::Mostrar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    v->MostrarPagina(TIPO_ACRISTALAMIENTO);
    HabilitarVentana(v->tsVidrios);
    v->edGrupoAcr->SetCaption(Valor("Grupo"));
    MostrarClave(v->edNombreAcr, "Nombre");
    float factor = 0.0f;
    elemento->ObtenerReal("Factor solar", factor);
    // Un factor solar sin definir se muestra vacío.
    MostrarTexto(v->edFactorSolarAcr, factor == -1.0f ? AnsiString() : Valor("Factor solar"),
                 Color("Factor solar"));
    MostrarClave(v->edConductanciaAcr, "Conductancia");
    Actualizar();
    Recordar({v->edNombreAcr, v->edConductanciaAcr, v->edFactorSolarAcr});
}

void VistaAcristalamiento::Actualizar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    const bool regional = Idioma::Instancia()->Codigo() == 2;
    bool editable;
    if (regional) {
        editable = !elemento->EsLibreria();
    } else {
        editable = true;
        elemento->ObtenerLogico("puedeCambiar", editable);
    }
    std::initializer_list<TControl*> valores = {v->edNombreAcr, v->lbNombreAcr,
                                                v->edConductanciaAcr, v->lbConductanciaAcr,
                                                v->lbConductanciaAcrM};
    std::initializer_list<TControl*> factor = {v->lbFactorSolarAcr, v->edFactorSolarAcr,
                                               v->lbFactorSolarAcrM, v->btnAceptarAcr};
    if (editable) {
        Habilitar(valores, true);
        Habilitar(factor, true);
    } else {
        Habilitar(valores, false);
        if (regional) Habilitar(factor, false);
    }
}

bool VistaAcristalamiento::Aceptar() {
    if (!elemento) return false;
    TforGestorBD* v = ventana;
    elemento->PonerError(false);
    AceptarNombre(v->edNombreAcr, "vidrio");
    elemento->AsignarPropiedad("Grupo", GrupoDelNodo());
    AsignarSiTocado("Conductancia", v->edConductanciaAcr);
    if (v->edFactorSolarAcr->GetText().IsEmpty()) {
        Error::Instancia()->MostrarMensaje("Introduzca el valor del factor solar", "información");
        elemento->PonerError(true);
    } else {
        AsignarSiTocado("Factor solar", v->edFactorSolarAcr);
    }
    return elemento->ObtenerError();
}
