#include "Vornak/VistaMarco.h"

#include "Vornak/VentanaGestorBD.h"

#include "comunes/ObjetoBase.h"
#include "controles/edit/kav_edit.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/page_control.h"

void VistaMarco::Mostrar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    HabilitarVentana(v->tsMarcos);
    v->MostrarPagina(TIPO_MARCO);
    v->edGrupoMar->SetCaption(Valor("Grupo"));
    MostrarClave(v->edNombreMar, "Nombre");
    MostrarClave(v->edFrameWidth, "frameWidth");
    MostrarClave(v->edFrameConduct, "frameConduct");
    MostrarClave(v->edFrameAbs, "frameAbs");
    Actualizar();
    Recordar({v->edNombreMar, v->edFrameWidth, v->edFrameConduct, v->edFrameAbs});
}

void VistaMarco::Actualizar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    Habilitar({v->edNombreMar, v->lbNombreMar, v->edFrameConduct, v->lbConductanciaMar,
               v->lbConductanciaMarM, v->lbAbsortividadMar, v->lbAbsortividadMarL, v->edFrameAbs,
               v->lbAbsortividadMarM, v->edFrameWidth, v->lbAnchoMar, v->lbAnchoMarM,
               v->btnAceptarMar},
              !elemento->EsLibreria());
}

bool VistaMarco::Aceptar() {
    if (!elemento) return false;
    TforGestorBD* v = ventana;
    elemento->PonerError(false);
    AceptarNombre(v->edNombreMar, "marco");
    elemento->AsignarPropiedad("Grupo", GrupoDelNodo());
    AsignarSiTocado("frameConduct", v->edFrameConduct);
    AsignarSiTocado("frameAbs", v->edFrameAbs);
    AsignarSiTocado("frameWidth", v->edFrameWidth);
    return elemento->ObtenerError();
}
