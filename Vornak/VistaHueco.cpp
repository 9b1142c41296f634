#include "Vornak/VistaHueco.h"

#include "Vornak/NombresExactos.h"
#include "Vornak/VentanaGestorBD.h"

#include "comunes/Error.h"
#include "comunes/Hueco.h"
#include "comunes/Idioma.h"
#include "comunes/bdLibreria.h"
#include "controles/edit/kav_combo.h"
#include "controles/edit/kav_edit.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/page_control.h"

void VistaHueco::PonerBaseDatos(TipoObjeto tipo, bdLibreria* base) {
    if (tipo == TIPO_ACRISTALAMIENTO)
        vidrios = base;
    else if (tipo == TIPO_MARCO)
        marcos = base;
}

namespace {
// Elige en la lista el grupo de ese texto; ninguno si no está.
void Elegir(TKavComboBox* lista, const AnsiString& texto) {
    lista->SetItemIndex(lista->GetItems()->IndexOf(texto));
}
} // namespace

void VistaHueco::MostrarEleccion(bdLibreria* base, TKavComboBox* grupos, const char* claveGrupo,
                                 TKavComboBox* nombres, const char* claveNombre) {
    if (!base) return;
    TStringList listaGrupos;
    listaGrupos.SetSorted(true);
    base->ListarGrupos(listaGrupos);
    TStringList listaNombres;
    ListaDeNombres(listaNombres);
    base->ListarNombresDeGrupo(listaNombres, Valor(claveGrupo));
    grupos->SetItems(&listaGrupos);
    Elegir(grupos, Valor(claveGrupo));
    grupos->GetFont()->SetColor(static_cast<TColor>(Color(claveGrupo)));
    nombres->SetItems(&listaNombres);
    nombres->SetItemIndex(IndiceDeNombre(*nombres->GetItems(), Valor(claveNombre)));
    nombres->GetFont()->SetColor(static_cast<TColor>(Color(claveNombre)));
}

void VistaHueco::RellenarNombres(bdLibreria* base, TKavComboBox* grupos, TKavComboBox* nombres) {
    AnsiString elegido = nombres->GetText();
    TStringList lista;
    ListaDeNombres(lista);
    if (base) base->ListarNombresDeGrupo(lista, grupos->GetText());
    nombres->SetItems(&lista);
    int indice = IndiceDeNombre(*nombres->GetItems(), elegido);
    nombres->SetItemIndex(indice >= 0 ? indice : (nombres->GetItems()->GetCount() > 0 ? 0 : -1));
}

void VistaHueco::Mostrar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    Actualizar();
    v->MostrarPagina(TIPO_HUECO);
    HabilitarVentana(v->tsHuecos);
    v->edGrupoHue->SetCaption(Valor("Grupo"));
    MostrarClave(v->edNombreHue, "Nombre");
    MostrarEleccion(vidrios, v->cbGrupoVidrio, "Grupo Acristalamiento", v->cbAcristalamiento,
                    "Acristalamiento");
    MostrarEleccion(marcos, v->cbGrupoMarco, "Grupo Marco", v->cbMarco, "Marco");
    MostrarClave(v->edPorcentajeHue, "Porcentaje");
    MostrarClave(v->edPermeabilidadHue, "Permeabilidad");
    bool puerta = false;
    elemento->ObtenerLogico("esPuerta", puerta);
    v->ChcPuerta->SetChecked(puerta);
    PonerHabilitado(v->edPermeabilidadHue, !puerta);
    Recordar({v->edNombreHue, v->cbGrupoVidrio, v->cbAcristalamiento, v->cbGrupoMarco, v->cbMarco,
              v->edPorcentajeHue, v->edPermeabilidadHue});
    puertaMostrada = puerta;
}

bool VistaHueco::HayCambios() const {
    return VistaElemento::HayCambios() ||
           (elemento && ventana->ChcPuerta->GetChecked() != puertaMostrada);
}

void VistaHueco::Actualizar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    std::initializer_list<TControl*> visibles = {v->edNombreHue,
                                                 v->lbNombreHue,
                                                 v->cbGrupoVidrio,
                                                 v->lbGrupoVidrio,
                                                 v->cbAcristalamiento,
                                                 v->lbAcristalamiento,
                                                 v->cbGrupoMarco,
                                                 v->lbGrupoMarco,
                                                 v->cbMarco,
                                                 v->lbMarco,
                                                 v->edPorcentajeHue,
                                                 v->lbPorcentajeHue,
                                                 v->lbPorcentajeHueM,
                                                 v->edPermeabilidadHue,
                                                 v->lbPermeabilidadHue,
                                                 v->lbPermeabilidadHueM,
                                                 v->ChcPuerta,
                                                 v->btnAceptarHue};
    std::initializer_list<TControl*> ocultos = {
        v->edConductanciaAHue, v->lbConductanciaAHue, v->edFactorsolarHue,  v->lbFactorsolarHue,
        v->edConductanciaMHue, v->lbConductanciaMHue, v->edAbsortividadHue, v->lbAbsortividadHue};
    if (elemento->EsLibreria()) {
        Habilitar(visibles, false);
        Habilitar(ocultos, false);
    } else {
        Habilitar(visibles, true);
    }
    RellenarNombres(vidrios, v->cbGrupoVidrio, v->cbAcristalamiento);
    RellenarNombres(marcos, v->cbGrupoMarco, v->cbMarco);
    if (Idioma::Instancia()->Codigo() == 2)
        for (TControl* c : {static_cast<TControl*>(v->lbPermeabilidadHue),
                            static_cast<TControl*>(v->edPermeabilidadHue),
                            static_cast<TControl*>(v->lbPermeabilidadHueM)})
            c->SetVisible(false);
}

bool VistaHueco::Aceptar() {
    if (!elemento) return nombreAceptado;
    TforGestorBD* v = ventana;
    // El resultado es el de la última comprobación del nombre que se hizo.
    const Nombre nombre = AceptarNombre(v->edNombreHue, "hueco");
    if (nombre != Nombre::SinTocar) nombreAceptado = nombre == Nombre::Aceptado;
    elemento->AsignarPropiedad("Grupo", GrupoDelNodo());
    // Lo que no se tocó, o quedó vacío, no cambia.
    auto asignar = [this](const char* clave, TControl* control) {
        if (!Texto(control).IsEmpty()) AsignarSiTocado(clave, control);
    };
    asignar("Grupo Acristalamiento", v->cbGrupoVidrio);
    asignar("Acristalamiento", v->cbAcristalamiento);
    if (auto* hueco = dynamic_cast<Hueco*>(elemento); hueco && hueco->VidrioBloqueado())
        Error::Instancia()->MostrarMensaje("Por favor, compruebe el factor solar del vidrio",
                                           "Información");
    asignar("Grupo Marco", v->cbGrupoMarco);
    asignar("Marco", v->cbMarco);
    asignar("Porcentaje", v->edPorcentajeHue);
    asignar("Permeabilidad", v->edPermeabilidadHue);
    if (v->ChcPuerta->GetChecked()) {
        elemento->PonerLogico("esPuerta", true);
    } else {
        elemento->PonerLogico("esPuerta", false);
        PonerHabilitado(v->edPermeabilidadHue, true);
    }
    return nombreAceptado;
}
