// Las páginas de los editores de la ventana de una base: sus controles, dónde están y qué
// orden del controlador da cada uno.

#include "Vornak/VentanaGestorBD.h"
#include "Vornak/VistaGestorBD.h"

#include "controles/edit/kav_combo.h"
#include "controles/edit/kav_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/image.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/page_control.h"
#include "plataforma/gui/widgets/panels.h"
#include "plataforma/gui/widgets/scroll_box.h"

#include <initializer_list>

namespace {
// El gris claro de los campos numéricos desactivados.
constexpr TColor GRIS_DESACTIVADO = 16316664;
// La fila de valores de las páginas: rótulo, símbolo, campo y unidad.
constexpr int X_ROTULO = 40;
constexpr int X_SIMBOLO = 230;
constexpr int X_CAMPO = 260;
constexpr int X_UNIDAD = 356;
constexpr int ANCHO_CAMPO = 88;
constexpr int ANCHO_DESPLEGADO = 500;

// Un control de la ventana puesto en su página, con su nombre y su sitio.
template <class T>
T* Colocar(TComponent* dueno, TWinControl* pagina, const char* nombre, int x, int y, int ancho,
           int alto) {
    auto* control = new T(dueno);
    control->SetName(nombre);
    control->SetParent(pagina);
    control->SetBounds(x, y, ancho, alto);
    return control;
}
} // namespace

TLabel* TforGestorBD::Rotulo(TWinControl* pagina, const char* nombre, const char* texto, int x,
                             int y) {
    auto* rotulo = new TLabel(this);
    rotulo->SetName(nombre);
    rotulo->SetParent(pagina);
    rotulo->SetLeft(x);
    rotulo->SetTop(y);
    rotulo->SetCaption(texto);
    return rotulo;
}

TEdit* TforGestorBD::Campo(TWinControl* pagina, const char* nombre, int x, int y, int ancho) {
    auto* campo = Colocar<TEdit>(this, pagina, nombre, x, y, ancho, 21);
    campo->SetText("");
    return campo;
}

TKavEdit* TforGestorBD::CampoNumerico(TWinControl* pagina, const char* nombre, int x, int y,
                                      int ancho) {
    auto* campo = Colocar<TKavEdit>(this, pagina, nombre, x, y, ancho, 21);
    campo->SetEditAlign(eaRight);
    campo->SetDisabledColor(GRIS_DESACTIVADO);
    campo->SetText("");
    return campo;
}

TKavComboBox* TforGestorBD::Lista(TWinControl* pagina, const char* nombre, int x, int y, int ancho,
                                  bool ordenada) {
    auto* lista = new TKavComboBox(this);
    lista->SetName(nombre);
    lista->SetParent(pagina);
    lista->SetStyle(csDropDownList);
    lista->SetSorted(ordenada);
    // Las listas ordenadas de grupos y elementos despliegan 500 píxeles de ancho, para los
    // nombres largos.
    if (ordenada) lista->SetDropWidth(ANCHO_DESPLEGADO);
    lista->SetBounds(x, y, ancho, 21);
    return lista;
}

TButton* TforGestorBD::Boton(TWinControl* pagina, const char* nombre, const char* texto, int x,
                             int y, int ancho) {
    auto* boton = Colocar<TButton>(this, pagina, nombre, x, y, ancho, 25);
    boton->SetCaption(texto);
    return boton;
}

void TforGestorBD::ConstruirPaginas() {
    PaginaMateriales();
    PaginaCerramientos();
    PaginaVidrios();
    PaginaMarcos();
    PaginaHuecos();
    PaginaPuentes();
}

namespace {
// Un rótulo en negrita: los encabezados y el grupo del elemento.
void Negrita(TLabel* rotulo) {
    rotulo->GetFont()->SetStyle(TFontStyles{fsBold});
}

// Un símbolo griego: la fuente de símbolos dibuja la letra latina como la griega.
void Simbolo(TLabel* rotulo) {
    rotulo->GetFont()->SetName("Symbol");
}

// Valores que la página guarda sin enseñarlos.
void Ocultar(std::initializer_list<TControl*> controles) {
    for (TControl* c : controles)
        c->SetVisible(false);
}
} // namespace

TNotifyEvent TforGestorBD::Refrescar(TipoObjeto tipo) {
    return [this, tipo](TObject*) {
        if (controlador) controlador->RefrescarEditor(tipo);
    };
}

void TforGestorBD::PaginaMateriales() {
    TWinControl* p = sbMateriales;
    edGrupoMat = Rotulo(p, "edGrupoMat", "", 16, 12);
    Negrita(edGrupoMat);
    lbNombreMat = Rotulo(p, "lbNombreMat", "Nombre", 16, 44);
    edNombreMat = Campo(p, "edNombreMat", 80, 40, 320);
    edNombreMat->SetMaxLength(32);
    lbTipo = Rotulo(p, "lbTipo", "Tipo", 420, 44);
    lbTipo->SetVisible(false);
    cbTipoMat = Lista(p, "cbTipoMat", 460, 40, 120, false);
    cbTipoMat->SetVisible(false);

    lbPropiedades = Rotulo(p, "lbPropiedades", "Propiedades", 16, 80);
    Negrita(lbPropiedades);
    rbPropiedades = Colocar<TRadioButton>(this, p, "rbPropiedades", 16, 104, 17, 17);
    rbResistencia = Colocar<TRadioButton>(this, p, "rbResistencia", 16, 232, 17, 17);

    lbEspesor = Rotulo(p, "lbEspesor", "Espesor (d)", X_ROTULO, 106);
    edEspesor = CampoNumerico(p, "edEspesor", X_CAMPO, 102, ANCHO_CAMPO);
    lbEspesorM = Rotulo(p, "lbEspesorM", "m", X_UNIDAD, 106);
    lbConductividad = Rotulo(p, "lbConductividad", "Conductividad", X_ROTULO, 136);
    lbConductividadL = Rotulo(p, "lbConductividadL", "(l)", X_SIMBOLO, 136);
    Simbolo(lbConductividadL);
    edConductividad = CampoNumerico(p, "edConductividad", X_CAMPO, 132, ANCHO_CAMPO);
    lbConductividadM = Rotulo(p, "lbConductividadM", "W/m K", X_UNIDAD, 136);
    lbDensidad = Rotulo(p, "lbDensidad", "Densidad", X_ROTULO, 166);
    lbDensidadL = Rotulo(p, "lbDensidadL", "(r)", X_SIMBOLO, 166);
    Simbolo(lbDensidadL);
    edDensidad = CampoNumerico(p, "edDensidad", X_CAMPO, 162, ANCHO_CAMPO);
    lbDensidadM = Rotulo(p, "lbDensidadM", "kg/m³", X_UNIDAD, 166);
    lbCalor = Rotulo(p, "lbCalor", "Calor Específico (Cp)", X_ROTULO, 196);
    edCalor = CampoNumerico(p, "edCalor", X_CAMPO, 192, ANCHO_CAMPO);
    lbCalorM = Rotulo(p, "lbCalorM", "J/kg K", X_UNIDAD, 196);
    lbResistencia = Rotulo(p, "lbResistencia", "Resistencia Térmica (R)", X_ROTULO, 234);
    edResistencia = CampoNumerico(p, "edResistencia", X_CAMPO, 230, ANCHO_CAMPO);
    lbResistenciaM = Rotulo(p, "lbResistenciaM", "m² K/W", X_UNIDAD, 234);
    lbVaporR = Rotulo(p, "lbVaporR", "Resistencia al vapor de agua", X_ROTULO, 304);
    edVaporR = CampoNumerico(p, "edVaporR", X_CAMPO, 300, ANCHO_CAMPO);
    lbVaporRM = Rotulo(p, "lbVaporRM", "(m² s Pa)/Kg", X_UNIDAD, 304);
    Ocultar({lbVaporR, edVaporR, lbVaporRM});
    lbVaporP = Rotulo(p, "lbVaporP", "Factor de resistencia a la difusión ", X_ROTULO, 264);
    lbVaporP2 = Rotulo(p, "lbVaporP2", "del vapor de agua", X_ROTULO, 278);
    lbVaporPL = Rotulo(p, "lbVaporPL", "(m)", X_SIMBOLO, 270);
    Simbolo(lbVaporPL);
    edVaporP = CampoNumerico(p, "edVaporP", X_CAMPO, 266, ANCHO_CAMPO);
    lbVaporPM = Rotulo(p, "lbVaporPM", "Adimensional", X_UNIDAD, 270);

    lbDibujoMat = Rotulo(p, "lbDibujoMat", "Dibujo representativo", 460, 80);
    Negrita(lbDibujoMat);
    edImagenMat = Campo(p, "edImagenMat", 460, 102, 200);
    edImagenMat->SetEnabled(false);
    btnDibujoMat = Boton(p, "btnDibujoMat", "...", 664, 100, 25);
    imgDibujo = Colocar<TImage>(this, p, "imgDibujo", 460, 132, 105, 105);
    imgDibujo->SetAutoSize(true);

    const TNotifyEvent refrescar = Refrescar(TIPO_MATERIAL);
    cbTipoMat->OnChange = refrescar;
    rbPropiedades->OnClick = refrescar;
    rbResistencia->OnClick = refrescar;
    btnDibujoMat->OnClick = [this](TObject*) { btnDibujoClick(TIPO_MATERIAL); };
}

void TforGestorBD::PaginaCerramientos() {
    TWinControl* p = sbCerramientos;
    lbNombreCer = Rotulo(p, "lbNombreCer", "Nombre", 16, 16);
    edNombreCer = Campo(p, "edNombreCer", 80, 12, 320);
    edNombreCer->SetMaxLength(32);
    lbGrupoCer = Rotulo(p, "lbGrupoCer", "Grupo", 420, 16);
    edGrupoCer = Rotulo(p, "edGrupoCer", "", 464, 16);
    Negrita(edGrupoCer);

    SG_Camaras = new TKavStringGrid(this);
    SG_Camaras->SetName("SG_Camaras");
    SG_Camaras->SetParent(p);
    SG_Camaras->SetColCount(7);
    SG_Camaras->SetRowCount(2);
    SG_Camaras->SetFixedRows(1);
    SG_Camaras->SetFixedCols(1);
    SG_Camaras->SetDefaultRowHeight(18);
    const int anchos[] = {30, 259, 62, 89, 73, 51, 84};
    for (int c = 0; c < 7; ++c)
        SG_Camaras->SetColWidths(c, anchos[c]);
    SG_Camaras->SetOptions(SG_Camaras->GetOptions() + TGridOptions{goRowSelect});
    SG_Camaras->SetBounds(16, 44, 680, 200);

    lbGrupoMaterial = Rotulo(p, "lbGrupoMaterial", "Grupo de materiales", 16, 260);
    cbGrupoMaterial = Lista(p, "cbGrupoMaterial", 16, 276, 200, true);
    lbMaterialCer = Rotulo(p, "lbMaterialCer", "Material", 228, 260);
    losMateriales = Lista(p, "losMateriales", 228, 276, 280, true);
    lbEspesorCer = Rotulo(p, "lbEspesorCer", "Espesor (m)", 520, 260);
    Edit1 = CampoNumerico(p, "Edit1", 520, 276, 80);

    btnNuevoMaterial = Boton(p, "btnNuevoMaterial", "Añadir", 16, 312, 75);
    btnCambiarCer = Boton(p, "btnCambiarCer", "Cambiar", 100, 312, 75);
    btnEliminarCer = Boton(p, "btnEliminarCer", "Eliminar", 184, 312, 75);
    btnSubir = Boton(p, "btnSubir", "Subir", 268, 312, 75);
    btnBajar = Boton(p, "btnBajar", "Bajar", 352, 312, 75);
    btnSubir->SetEnabled(false);
    btnBajar->SetEnabled(false);

    lbU = Rotulo(p, "lbU", "Transmitancia térmica (U)", 16, 356);
    edU = CampoNumerico(p, "edU", 180, 352, 70);
    edU->SetReadOnly(true);
    lbUM = Rotulo(p, "lbUM", "W/(m²K)", 256, 356);

    rbVertical = Colocar<TRadioButton>(this, p, "rbVertical", 16, 388, 17, 17);
    rbVertical->SetVisible(false);
    rbHorizontal = Colocar<TRadioButton>(this, p, "rbHorizontal", 16, 408, 17, 17);
    rbHorizontal->SetVisible(false);
    lbVerticales = Rotulo(p, "lbVerticales",
                          "Verticales (Materiales ordenados de exterior a interior).", 16, 392);
    lbHorizontales = Rotulo(p, "lbHorizontales",
                            "Horizontales (Materiales ordenados de arriba hacia abajo).", 16, 410);

    const TNotifyEvent refrescar = Refrescar(TIPO_CERRAMIENTO);
    cbGrupoMaterial->OnChange = refrescar;
    losMateriales->OnChange = refrescar;
    // Elegir una fila ya pone su material, su espesor y los botones de mover
    // (SG_CamarasSelectCell): el clic no refresca el editor, que lo desharía.
    SG_Camaras->OnSelectCell = [this](TObject* s, int c, int r, bool& puede) {
        SG_CamarasSelectCell(s, c, r, puede);
    };
    // Las órdenes de capas; las que cambian la composición recalculan U.
    btnNuevoMaterial->OnClick = [this](TObject*) { OrdenCapa(&VistaGestorBD::AnadirCapa, true); };
    btnCambiarCer->OnClick = [this](TObject*) { OrdenCapa(&VistaGestorBD::CambiarCapa, true); };
    btnEliminarCer->OnClick = [this](TObject*) { OrdenCapa(&VistaGestorBD::EliminarCapa, true); };
    btnSubir->OnClick = [this](TObject*) { OrdenCapa(&VistaGestorBD::SubirCapa, false); };
    btnBajar->OnClick = [this](TObject*) { OrdenCapa(&VistaGestorBD::BajarCapa, false); };
    auto calcular = [this](TObject*) {
        if (controlador) controlador->CalcularU();
    };
    rbVertical->OnClick = calcular;
    rbHorizontal->OnClick = calcular;
}

void TforGestorBD::PaginaVidrios() {
    TWinControl* p = sbVidrios;
    Label3 = Rotulo(p, "Label3", "Grupo", 16, 16);
    edGrupoAcr = Rotulo(p, "edGrupoAcr", "", 80, 16);
    Negrita(edGrupoAcr);
    lbNombreAcr = Rotulo(p, "lbNombreAcr", "Nombre", 16, 44);
    edNombreAcr = Campo(p, "edNombreAcr", 80, 40, 320);
    edNombreAcr->SetMaxLength(32);
    Label15 = Rotulo(p, "Label15", "Propiedades", 16, 80);
    Negrita(Label15);
    bvVidrio = Colocar<TBevel>(this, p, "bvVidrio", 16, 96, 440, 80);
    lbConductanciaAcr = Rotulo(p, "lbConductanciaAcr", "Transmitancia térmica (U)", X_ROTULO, 114);
    edConductanciaAcr = CampoNumerico(p, "edConductanciaAcr", X_CAMPO, 110, ANCHO_CAMPO);
    lbConductanciaAcrM = Rotulo(p, "lbConductanciaAcrM", "W/m²K", X_UNIDAD, 114);
    lbFactorSolarAcr = Rotulo(p, "lbFactorSolarAcr", "Factor Solar (g)", X_ROTULO, 144);
    edFactorSolarAcr = CampoNumerico(p, "edFactorSolarAcr", X_CAMPO, 140, ANCHO_CAMPO);
    lbFactorSolarAcrM = Rotulo(p, "lbFactorSolarAcrM", "Adimensional", X_UNIDAD, 144);
}

void TforGestorBD::PaginaMarcos() {
    TWinControl* p = sbMarcos;
    Label4 = Rotulo(p, "Label4", "Grupo", 16, 16);
    edGrupoMar = Rotulo(p, "edGrupoMar", "", 80, 16);
    Negrita(edGrupoMar);
    lbNombreMar = Rotulo(p, "lbNombreMar", "Nombre", 16, 44);
    edNombreMar = Campo(p, "edNombreMar", 80, 40, 320);
    edNombreMar->SetMaxLength(32);
    lbConductanciaMar = Rotulo(p, "lbConductanciaMar", "Transmitancia térmica (U)", X_ROTULO, 84);
    edFrameConduct = CampoNumerico(p, "edFrameConduct", X_CAMPO, 80, ANCHO_CAMPO);
    lbConductanciaMarM = Rotulo(p, "lbConductanciaMarM", "W/m²K", X_UNIDAD, 84);
    lbAbsortividadMar = Rotulo(p, "lbAbsortividadMar", "Absortividad", X_ROTULO, 114);
    lbAbsortividadMarL = Rotulo(p, "lbAbsortividadMarL", "(a)", X_SIMBOLO, 114);
    edFrameAbs = CampoNumerico(p, "edFrameAbs", X_CAMPO, 110, ANCHO_CAMPO);
    lbAbsortividadMarM = Rotulo(p, "lbAbsortividadMarM", "Adimensional", X_UNIDAD, 114);
    lbAnchoMar = Rotulo(p, "lbAnchoMar", "Ancho", X_ROTULO, 144);
    edFrameWidth = CampoNumerico(p, "edFrameWidth", X_CAMPO, 140, ANCHO_CAMPO);
    lbAnchoMarM = Rotulo(p, "lbAnchoMarM", "m", X_UNIDAD, 144);
    Ocultar({lbAnchoMar, edFrameWidth, lbAnchoMarM});
}

void TforGestorBD::PaginaHuecos() {
    TWinControl* p = sbHuecos;
    lbGrupoHue = Rotulo(p, "lbGrupoHue", "Grupo", 16, 16);
    edGrupoHue = Rotulo(p, "edGrupoHue", "", 80, 16);
    Negrita(edGrupoHue);
    lbNombreHue = Rotulo(p, "lbNombreHue", "Nombre", 16, 44);
    edNombreHue = Campo(p, "edNombreHue", 80, 40, 320);
    edNombreHue->SetMaxLength(32);
    lbGrupoVidrio = Rotulo(p, "lbGrupoVidrio", "Grupo Vidrio", 16, 84);
    cbGrupoVidrio = Lista(p, "cbGrupoVidrio", 110, 80, 200, true);
    lbAcristalamiento = Rotulo(p, "lbAcristalamiento", "Vidrio", 326, 84);
    cbAcristalamiento = Lista(p, "cbAcristalamiento", 370, 80, 260, true);
    lbGrupoMarco = Rotulo(p, "lbGrupoMarco", "Grupo Marco", 16, 114);
    cbGrupoMarco = Lista(p, "cbGrupoMarco", 110, 110, 200, true);
    lbMarco = Rotulo(p, "lbMarco", "Marco", 326, 114);
    cbMarco = Lista(p, "cbMarco", 370, 110, 260, true);
    lbPorcentajeHue = Rotulo(p, "lbPorcentajeHue", "% hueco cubierto por el marco", 16, 154);
    edPorcentajeHue = CampoNumerico(p, "edPorcentajeHue", X_CAMPO, 150, ANCHO_CAMPO);
    lbPorcentajeHueM = Rotulo(p, "lbPorcentajeHueM", "%", X_UNIDAD, 154);
    lbPermeabilidadHue = Rotulo(p, "lbPermeabilidadHue", "Permeabilidad al aire", 16, 184);
    edPermeabilidadHue = CampoNumerico(p, "edPermeabilidadHue", X_CAMPO, 180, ANCHO_CAMPO);
    lbPermeabilidadHueM = Rotulo(p, "lbPermeabilidadHueM", "m³/hm² a 100 Pa", X_UNIDAD, 184);
    ChcPuerta = Colocar<TCheckBox>(this, p, "ChcPuerta", 16, 216, 160, 17);
    ChcPuerta->SetCaption("¿Es una puerta?");
    // Valores del vidrio y del marco que la ventana tiene ocultos.
    lbConductanciaAHue = Rotulo(p, "lbConductanciaAHue", "U vidrio", 16, 250);
    edConductanciaAHue = CampoNumerico(p, "edConductanciaAHue", X_CAMPO, 246, ANCHO_CAMPO);
    lbFactorsolarHue = Rotulo(p, "lbFactorsolarHue", "Factor solar", 16, 276);
    edFactorsolarHue = CampoNumerico(p, "edFactorsolarHue", X_CAMPO, 272, ANCHO_CAMPO);
    lbConductanciaMHue = Rotulo(p, "lbConductanciaMHue", "U marco", 16, 302);
    edConductanciaMHue = CampoNumerico(p, "edConductanciaMHue", X_CAMPO, 298, ANCHO_CAMPO);
    lbAbsortividadHue = Rotulo(p, "lbAbsortividadHue", "Absortividad", 16, 328);
    edAbsortividadHue = CampoNumerico(p, "edAbsortividadHue", X_CAMPO, 324, ANCHO_CAMPO);
    Ocultar({lbConductanciaAHue, edConductanciaAHue, lbFactorsolarHue, edFactorsolarHue,
             lbConductanciaMHue, edConductanciaMHue, lbAbsortividadHue, edAbsortividadHue});

    cbGrupoVidrio->OnChange = Refrescar(TIPO_HUECO);
    cbGrupoMarco->OnChange = Refrescar(TIPO_HUECO);
    ChcPuerta->OnClick = [this](TObject* s) { ChcPuertaClick(s); };
}

void TforGestorBD::PaginaPuentes() {
    TWinControl* p = sbPuentes;
    lbGrupoPue = Rotulo(p, "lbGrupoPue", "Grupo", 16, 16);
    edGrupoPue = Rotulo(p, "edGrupoPue", "", 80, 16);
    Negrita(edGrupoPue);
    lbNombrePue = Rotulo(p, "lbNombrePue", "Nombre", 16, 44);
    edNombrePue = Campo(p, "edNombrePue", 80, 40, 320);
    lbFi = Rotulo(p, "lbFi", "fi", X_ROTULO, 84);
    edFi = Campo(p, "edFi", 80, 80, ANCHO_CAMPO);
    lbEfe = Rotulo(p, "lbEfe", "efe", X_ROTULO, 114);
    edEfe = Campo(p, "edEfe", 80, 110, ANCHO_CAMPO);
    lbZona = Rotulo(p, "lbZona", "Zona", X_ROTULO, 144);
    cbZona = Lista(p, "cbZona", 80, 140, ANCHO_CAMPO, false);
    lbDibujoPue = Rotulo(p, "lbDibujoPue", "Dibujo representativo", 460, 16);
    Negrita(lbDibujoPue);
    edImagenPue = Campo(p, "edImagenPue", 460, 40, 200);
    edImagenPue->SetEnabled(false);
    btnDibujoPue = Boton(p, "btnDibujoPue", "...", 664, 38, 25);
    imgDibujoPue = Colocar<TImage>(this, p, "imgDibujoPue", 460, 72, 230, 180);
    imgDibujoPue->SetStretch(true);
    imgDibujoPue->SetCenter(true);
    btnDibujoPue->OnClick = [this](TObject*) { btnDibujoClick(TIPO_PUENTE_TERMICO); };
}

void TforGestorBD::OrdenCapa(void (VistaGestorBD::*orden)(TipoObjeto), bool calcularU) {
    if (!controlador) return;
    (controlador->*orden)(TIPO_CERRAMIENTO);
    if (calcularU && controlador) controlador->CalcularU();
}

void TforGestorBD::btnDibujoClick(TipoObjeto tipo) {
    if (!controlador) return;
    AnsiString fichero = controlador->ElegirDibujo(tipo);
    if (fichero.IsEmpty() || !controlador) return;
    (tipo == TIPO_MATERIAL ? edImagenMat : edImagenPue)->SetText(fichero);
    controlador->RefrescarEditor(tipo);
}

void TforGestorBD::SG_CamarasSelectCell(TObject*, int, int ARow, bool& CanSelect) {
    CanSelect = true;
    if (!controlador) return;
    if (controlador->SeleccionarCapa(SG_Camaras->GetCells(1, ARow))) {
        if (ARow == 1) btnSubir->SetEnabled(false);
        if (ARow == SG_Camaras->GetRowCount() - 2) btnBajar->SetEnabled(false);
        Edit1->SetText(SG_Camaras->GetCells(2, ARow));
    } else {
        losMateriales->SetItemIndex(-1);
        Edit1->SetText("");
        btnSubir->SetEnabled(false);
        btnBajar->SetEnabled(false);
    }
}

void TforGestorBD::ChcPuertaClick(TObject*) {
    if (ChcPuerta->GetChecked()) {
        edPermeabilidadHue->SetEnabled(false);
        edPermeabilidadHue->SetText("60");
    } else {
        edPermeabilidadHue->SetEnabled(true);
    }
}
