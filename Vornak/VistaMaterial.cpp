#include "Vornak/VistaMaterial.h"

#include "Vornak/VentanaGestorBD.h"

#include "comunes/Material.h"
#include "comunes/Util.h"
#include "controles/edit/kav_combo.h"
#include "controles/edit/kav_edit.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/image.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/page_control.h"

namespace {
constexpr const char* PROPIEDADES = "PROPIEDADES";
constexpr const char* RESISTENCIA = "RESISTENCIA";
constexpr const char* MATERIALES = "Materiales\\";

} // namespace

void VistaMaterial::Mostrar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    v->MostrarPagina(TIPO_MATERIAL);
    HabilitarVentana(v->tsMateriales);
    v->edGrupoMat->SetCaption(Valor("Grupo"));
    MostrarClave(v->edNombreMat, "Nombre");

    AnsiString tipologia = Valor("Tipologia");
    v->cbTipoMat->GetItems()->Clear();
    v->cbTipoMat->GetItems()->Add(RESISTENCIA);
    v->cbTipoMat->GetItems()->Add(PROPIEDADES);
    v->cbTipoMat->SetItemIndex(v->cbTipoMat->GetItems()->IndexOf(tipologia));
    v->cbTipoMat->GetFont()->SetColor(static_cast<TColor>(Color("Tipologia")));

    Actualizar();

    if (tipologia == PROPIEDADES) {
        MostrarClave(v->edEspesor, "Espesor");
        MostrarClave(v->edConductividad, "Conductividad");
        MostrarClave(v->edDensidad, "Densidad");
        MostrarClave(v->edCalor, "Calor especifico");
        PonerTexto(v->edResistencia, "0.000");
        MostrarTexto(v->edVaporR, "0.000", Color("Vapor R"));
        if (auto* material = dynamic_cast<Material*>(elemento)) material->CalcularResistencia();
        v->rbPropiedades->SetChecked(true);
        PonerHabilitado(v->edResistencia, false);
    } else {
        for (TKavEdit* campo :
             {v->edEspesor, v->edConductividad, v->edDensidad, v->edCalor, v->edVaporP})
            MostrarTexto(campo, "0.000", ESTADO_DEFECTO);
        MostrarClave(v->edResistencia, "Resistencia");
        MostrarClave(v->edVaporR, "Vapor R");
        v->rbResistencia->SetChecked(true);
    }
    MostrarClave(v->edVaporP, "Vapor P");

    // Cada material muestra su propio dibujo: sin fichero, la imagen queda vacía y el campo
    // guarda el nombre que tiene, para que aceptar no le ponga el de otro material.
    AnsiString imagen = Valor("Imagen");
    v->imgDibujo->GetPicture()->Assign(nullptr);
    v->edImagenMat->SetText(imagen);
    CargarDibujo(imagen, MATERIALES, v->imgDibujo, v->edImagenMat);
    Recordar({v->edNombreMat, v->cbTipoMat, v->edEspesor, v->edConductividad, v->edDensidad,
              v->edCalor, v->edResistencia, v->edVaporP, v->edImagenMat});
}

void VistaMaterial::Actualizar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    const bool propiedades = v->rbPropiedades->GetChecked();
    std::initializer_list<TControl*> nombre = {v->edNombreMat,   v->lbNombreMat,   v->cbTipoMat,
                                               v->lbTipo,        v->rbPropiedades, v->rbResistencia,
                                               v->btnAceptarMat, v->btnDibujoMat};
    std::initializer_list<TControl*> grupoPropiedades = {
        v->lbEspesor,        v->edEspesor,       v->lbEspesorM,       v->lbConductividad,
        v->lbConductividadL, v->edConductividad, v->lbConductividadM, v->lbDensidad,
        v->lbDensidadL,      v->edDensidad,      v->lbDensidadM,      v->lbCalor,
        v->edCalor,          v->lbCalorM};
    std::initializer_list<TControl*> grupoResistencia = {v->lbResistencia,  v->edResistencia,
                                                         v->lbResistenciaM, v->lbVaporR,
                                                         v->edVaporR,       v->lbVaporRM};
    std::initializer_list<TControl*> grupoVaporP = {v->lbVaporP, v->lbVaporP2, v->lbVaporPL,
                                                    v->edVaporP, v->lbVaporPM};
    if (elemento->EsLibreria()) {
        Habilitar(nombre, false);
        Habilitar(grupoPropiedades, false);
        Habilitar(grupoResistencia, false);
        Habilitar(grupoVaporP, false);
    } else {
        Habilitar(nombre, true);
        Habilitar(grupoVaporP, true);
        if (propiedades) {
            v->cbTipoMat->SetItemIndex(v->cbTipoMat->GetItems()->IndexOf(PROPIEDADES));
            v->rbPropiedades->SetChecked(true);
        } else {
            v->cbTipoMat->SetItemIndex(v->cbTipoMat->GetItems()->IndexOf(RESISTENCIA));
            v->rbResistencia->SetChecked(true);
        }
        Habilitar(grupoPropiedades, propiedades);
        Habilitar(grupoResistencia, !propiedades);
    }
    CargarDibujo(v->edImagenMat->GetText(), MATERIALES, v->imgDibujo, v->edImagenMat);
}

bool VistaMaterial::Aceptar() {
    if (!elemento) return false;
    TforGestorBD* v = ventana;
    elemento->PonerError(false);
    AceptarNombre(v->edNombreMat, "material");
    AsignarSiTocado("Tipologia", v->cbTipoMat);
    if (Tocado(v->edImagenMat))
        elemento->AsignarPropiedad("Imagen", NombreFichero(v->edImagenMat->GetText()));
    elemento->AsignarPropiedad("Grupo", GrupoDelNodo());
    if (v->rbPropiedades->GetChecked()) {
        AsignarSiTocado("Espesor", v->edEspesor, "0.1");
        AsignarSiTocado("Conductividad", v->edConductividad, "0.6");
        AsignarSiTocado("Densidad", v->edDensidad, "1500");
        AsignarSiTocado("Calor especifico", v->edCalor, "800");
    } else if (Tocado(v->edResistencia) || Tocado(v->cbTipoMat)) {
        // Un material de resistencia que el usuario cambia pasa a tener el espesor 0,05.
        AsignarSiTocado("Resistencia", v->edResistencia, "0.2");
        elemento->AsignarPropiedad("Espesor", "0.05");
    }
    AsignarSiTocado("Vapor P", v->edVaporP, "1");
    return elemento->ObtenerError();
}
