#include "Vornak/VistaCerramiento.h"

#include "Vornak/NombresExactos.h"
#include "Vornak/VentanaGestorBD.h"

#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/Layers.h"
#include "comunes/Util.h"
#include "comunes/bdMateriales.h"
#include "controles/edit/kav_combo.h"
#include "controles/edit/kav_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/files.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/image.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/scroll_box.h"
#include "plataforma/gui/widgets/page_control.h"

namespace {
constexpr const char* PROPIEDADES = "PROPIEDADES";
constexpr const char* RESISTENCIA = "RESISTENCIA";
constexpr int COLUMNAS = 7;
// El dibujo de la composición: 300 píxeles por metro de capa, desde (32, 460).
constexpr double PIXELES_POR_METRO = 300.0;
constexpr int DIBUJO_IZQUIERDA = 32;
constexpr int DIBUJO_ARRIBA = 460;
constexpr int DIBUJO_ALTO = 50;

AnsiString Propiedad(ObjetoBase* objeto, const char* clave) {
    AnsiString valor;
    objeto->ValorPropiedad(clave, valor);
    return valor;
}

float Real(ObjetoBase* objeto, const char* clave) {
    float valor = 0.0f;
    objeto->ObtenerReal(clave, valor);
    return valor;
}

bool Logico(ObjetoBase* objeto, const char* clave) {
    bool valor = false;
    objeto->ObtenerLogico(clave, valor);
    return valor;
}

void ElegirTexto(TKavComboBox* lista, const AnsiString& texto) {
    lista->SetItemIndex(lista->GetItems()->IndexOf(texto));
}
} // namespace

ObjetoBase* VistaCerramiento::Material(const AnsiString& nombre) const {
    if (!materiales || nombre.IsEmpty()) return nullptr;
    return materiales->BuscarEnHijos(nombre);
}

void VistaCerramiento::VaciarListas() {
    espesores.Clear();
    nombres.Clear();
    nombresCerramiento.Clear();
}

int VistaCerramiento::FilaElegida() const {
    return ventana->SG_Camaras->GetRow();
}

void VistaCerramiento::Mostrar() {
    auto* cerramiento = dynamic_cast<Layers*>(elemento);
    if (!cerramiento) return;
    TforGestorBD* v = ventana;
    v->MostrarPagina(TIPO_CERRAMIENTO);
    HabilitarVentana(v->tsCerramientos);
    cerramiento->PonerMateriales(materiales);
    if (materiales) {
        TStringList grupos;
        grupos.SetSorted(true);
        materiales->ListarGrupos(grupos);
        v->cbGrupoMaterial->SetItems(&grupos);
        v->cbGrupoMaterial->SetItemIndex(grupos.GetCount() > 0 ? 0 : -1);
        TStringList lista;
        ListaDeNombres(lista);
        materiales->ListarNombresDeGrupo(lista, v->cbGrupoMaterial->GetText());
        v->losMateriales->SetItems(&lista);
        v->losMateriales->SetItemIndex(lista.GetCount() > 0 ? 0 : -1);
    }
    TStringList leidos, espesoresLeidos;
    cerramiento->ObtenerLista("Materiales", leidos);
    cerramiento->ObtenerLista("Espesores", espesoresLeidos);
    VaciarListas();
    BorrarDibujo();
    v->edGrupoCer->SetCaption(Valor("Grupo"));
    MostrarClave(v->edNombreCer, "Nombre");

    nombresCerramiento.Assign(leidos);
    nombres.Assign(leidos);
    Rejilla(true, espesoresLeidos);

    TKavStringGrid* g = v->SG_Camaras;
    g->SetCells(1, g->GetRowCount() - 1, "");
    v->losMateriales->SetItemIndex(-1);
    // La fila 1 elegida, con su material en las listas (su grupo, él elegido).
    g->SetRow(1);
    AnsiString primero = g->GetCells(1, 1);
    if (!primero.IsEmpty()) SeleccionarCapa(primero);
    int indice = primero.IsEmpty() ? -1 : IndiceDeNombre(*v->losMateriales->GetItems(), primero);
    if (indice >= 0) {
        v->losMateriales->SetItemIndex(indice);
        PonerTexto(v->Edit1, g->GetCells(2, 1));
    } else {
        v->losMateriales->SetItemIndex(-1);
        PonerTexto(v->Edit1, "");
    }
    v->rbVertical->SetChecked(true);
    MostrarDibujo();
    Actualizar();
    nombresMostrados.Assign(nombres);
    espesoresMostrados.Assign(espesores);
    Recordar({v->edNombreCer});
}

bool VistaCerramiento::CapasCambiadas() const {
    return !(nombres.GetText() == nombresMostrados.GetText()) ||
           !(espesores.GetText() == espesoresMostrados.GetText());
}

bool VistaCerramiento::HayCambios() const {
    return VistaElemento::HayCambios() || (elemento && CapasCambiadas());
}

void VistaCerramiento::Actualizar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    Habilitar({v->edNombreCer, v->lbNombreCer, v->SG_Camaras, v->lbMaterialCer, v->lbEspesorCer,
               v->losMateriales, v->Edit1, v->lbGrupoMaterial, v->cbGrupoMaterial,
               v->btnNuevoMaterial, v->btnCambiarCer, v->btnEliminarCer, v->btnAceptarCer},
              !elemento->EsLibreria());
    RellenarMateriales();
    ObjetoBase* material = HabilitarSegunEleccion();
    if (!material || !(Propiedad(material, "Tipologia") == PROPIEDADES)) return;
    // Otro material que el de la capa elegida propone su espesor; el de la capa vuelve a
    // poner el espesor de la capa (no el del material elegido antes, que "Cambiar" tomaría).
    const int fila = FilaElegida();
    if (v->SG_Camaras->GetCells(1, fila) == material->ObtenerNombre())
        PonerTexto(v->Edit1, v->SG_Camaras->GetCells(2, fila));
    else
        PonerTexto(v->Edit1, Propiedad(material, "Espesor"));
}

ObjetoBase* VistaCerramiento::HabilitarSegunEleccion() {
    TforGestorBD* v = ventana;
    const bool editable = elemento && !elemento->EsLibreria();
    // Subir y bajar, según la fila elegida: ni la primera sube ni la última baja.
    const int fila = FilaElegida();
    const int filas = v->SG_Camaras->GetRowCount();
    const bool capa = fila >= 1 && fila <= filas - 2 && Material(v->SG_Camaras->GetCells(1, fila));
    PonerHabilitado(v->btnSubir, editable && capa && fila > 1);
    PonerHabilitado(v->btnBajar, editable && capa && fila < filas - 2);
    // El espesor, con su rótulo, se puede cambiar si el material elegido lo deja: uno de
    // resistencia no tiene espesor.
    ObjetoBase* material = Material(v->losMateriales->GetText());
    if (material)
        Habilitar({v->Edit1, v->lbEspesorCer},
                  editable && Propiedad(material, "Tipologia") == PROPIEDADES &&
                      Logico(material, "Cambio Espesor"));
    return material;
}

void VistaCerramiento::RellenarMateriales() {
    TKavComboBox* lista = ventana->losMateriales;
    AnsiString elegido = lista->GetText();
    TStringList nombresGrupo;
    ListaDeNombres(nombresGrupo);
    if (materiales)
        materiales->ListarNombresDeGrupo(nombresGrupo, ventana->cbGrupoMaterial->GetText());
    lista->SetItems(&nombresGrupo);
    int indice = IndiceDeNombre(*lista->GetItems(), elegido);
    lista->SetItemIndex(indice >= 0 ? indice : (nombresGrupo.GetCount() > 0 ? 0 : -1));
}

double VistaCerramiento::ResistenciaCapas() const {
    double r = 0.0;
    for (int i = 0; i < nombres.GetCount(); ++i) {
        if (nombres.GetStrings(i).IsEmpty()) break;
        ObjetoBase* material = Material(nombres.GetStrings(i));
        if (!material) continue;
        if (Propiedad(material, "Tipologia") == RESISTENCIA) {
            r += Real(material, "Resistencia");
            continue;
        }
        float espesor = 0.0f;
        if (i < espesores.GetCount()) AFlotante(espesor, espesores.GetStrings(i));
        const float lambda = Real(material, "Conductividad");
        if (lambda > 0.0f) r += espesor / lambda;
    }
    return r;
}

void VistaCerramiento::LlenarRejilla() {
    Rejilla(false, espesores);
}

void VistaCerramiento::Rejilla(bool alMostrar, const TStrings& espesoresLeidos) {
    TforGestorBD* v = ventana;
    TKavStringGrid* g = v->SG_Camaras;
    const int n = nombres.GetCount();
    g->SetEnabled(true);
    g->SetRowCount(n + 2);
    static const char* const titulos[COLUMNAS] = {
        "Nº", "Material", "Espesor", "Conductividad", "Densidad", "Cp", "Res.Térmica"};
    for (int c = 0; c < COLUMNAS; ++c) {
        g->SetCells(c, 0, titulos[c]);
        g->SetAlignments(c, 0, taCenter);
    }
    TStringList trabajo;
    for (int i = 0; i < n; ++i) {
        const int fila = i + 1;
        AnsiString nombre = nombres.GetStrings(i);
        AnsiString espesor = i < espesoresLeidos.GetCount() ? espesoresLeidos.GetStrings(i) : "";
        AnsiString celdas[COLUMNAS];
        celdas[0] = IntToStr(fila);
        celdas[1] = nombre;
        ObjetoBase* material = Material(nombre);
        if (!material) {
            // Un material que no está en la base: su nombre y su espesor, sin propiedades; se
            // queda en el cerramiento tal como está.
            celdas[2] = espesor;
        } else if (Propiedad(material, "Tipologia") == PROPIEDADES) {
            celdas[2] = espesor;
            if (alMostrar) {
                celdas[3] = Propiedad(material, "Conductividad");
                celdas[4] = Propiedad(material, "Densidad");
                celdas[5] = Propiedad(material, "Calor especifico");
            } else {
                celdas[3] = FormatFloat("0.000", Real(material, "Conductividad"));
                celdas[4] = FormatFloat("0", Real(material, "Densidad"));
                celdas[5] = FormatFloat("0", Real(material, "Calor especifico"));
            }
        } else {
            celdas[6] = alMostrar ? Propiedad(material, "Resistencia")
                                  : FormatFloat("0.000", Real(material, "Resistencia"));
            if (alMostrar) espesor = "0.020";
        }
        trabajo.Add(espesor);
        for (int c = 0; c < COLUMNAS; ++c) {
            g->SetCells(c, fila, celdas[c]);
            if (c != 1) g->SetAlignments(c, fila, taRightJustify);
        }
    }
    if (alMostrar) espesores.Assign(trabajo);
    // La última fila, vacía: solo su número (nada de una capa que estuvo ahí).
    g->SetCells(0, n + 1, IntToStr(n + 1));
    g->SetAlignments(0, n + 1, taRightJustify);
    for (int c = 1; c < COLUMNAS; ++c)
        g->SetCells(c, n + 1, "");
}

float VistaCerramiento::EspesorValidado(ObjetoBase* material) const {
    return material->ValidarTexto(ventana->Edit1->GetText(), Real(material, "EspesorMinimo"),
                                  Real(material, "EspesorMaximo"), Real(material, "Espesor"));
}

void VistaCerramiento::AnadirCapa() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    AnsiString nombre = v->losMateriales->GetText();
    ObjetoBase* material = Material(nombre);
    if (nombre.IsEmpty() || !material) return;
    if (nombres.GetCount() >= MAXIMO_CAPAS) {
        Error::Instancia()->MostrarMensaje("No se pueden añadir más de 16 capas.", "Información");
        return;
    }
    nombres.Add(nombre);
    if (Propiedad(material, "Tipologia") == RESISTENCIA) {
        espesores.Add("0.050");
    } else {
        float x = EspesorValidado(material);
        if (v->Edit1->GetText().IsEmpty()) {
            espesores.Add("0.020");
        } else {
            AnsiString texto = FormatFloat("0.000", x);
            espesores.Add(texto);
            PonerTexto(v->Edit1, texto);
        }
    }
    Redibujar();
}

void VistaCerramiento::CambiarCapa() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    const int fila = FilaElegida();
    const int capa = fila - 1;
    AnsiString nombre = v->losMateriales->GetText();
    ObjetoBase* material = Material(nombre);
    if (nombre.IsEmpty() || !material || capa < 0 || capa >= nombres.GetCount() ||
        v->SG_Camaras->GetCells(1, fila).IsEmpty())
        return;
    // Sin espesor tecleado, la capa se queda con el suyo.
    AnsiString espesor = espesores.GetStrings(capa);
    if (!v->Edit1->GetText().IsEmpty()) {
        espesor = FormatFloat("0.000", EspesorValidado(material));
        PonerTexto(v->Edit1, espesor);
    }
    nombres.SetStrings(capa, nombre);
    espesores.SetStrings(capa, Propiedad(material, "Tipologia") == RESISTENCIA ? AnsiString("0.05")
                                                                               : espesor);
    Redibujar();
}

void VistaCerramiento::EliminarCapa() {
    if (!elemento) return;
    const int fila = FilaElegida();
    const int capa = fila - 1;
    if (ventana->losMateriales->GetText().IsEmpty() || capa < 0 || capa >= nombres.GetCount() ||
        ventana->SG_Camaras->GetCells(1, fila).IsEmpty())
        return;
    nombres.Delete(capa);
    espesores.Delete(capa);
    Redibujar();
}

void VistaCerramiento::SubirCapa() {
    if (!elemento) return;
    const int fila = FilaElegida();
    if (fila <= 1 || fila - 1 >= nombres.GetCount()) return;
    nombres.Move(fila - 1, fila - 2);
    espesores.Move(fila - 1, fila - 2);
    Redibujar(fila - 1);
}

void VistaCerramiento::BajarCapa() {
    if (!elemento) return;
    const int fila = FilaElegida();
    if (fila < 1 || fila >= ventana->SG_Camaras->GetRowCount() - 2) return;
    nombres.Move(fila - 1, fila);
    espesores.Move(fila - 1, fila);
    Redibujar(fila + 1);
}

void VistaCerramiento::Redibujar(int fila) {
    LlenarRejilla();
    if (fila > 0) ventana->SG_Camaras->SetRow(fila);
    BorrarDibujo();
    MostrarDibujo();
    HabilitarSegunEleccion();
}

bool VistaCerramiento::SeleccionarCapa(const AnsiString& nombre) {
    ObjetoBase* material = Material(nombre);
    if (!material) return false;
    TforGestorBD* v = ventana;
    ElegirTexto(v->cbGrupoMaterial, Propiedad(material, "Grupo"));
    TStringList lista;
    ListaDeNombres(lista);
    materiales->ListarNombresDeGrupo(lista, v->cbGrupoMaterial->GetText());
    v->losMateriales->SetItems(&lista);
    v->losMateriales->SetItemIndex(IndiceDeNombre(*v->losMateriales->GetItems(), nombre));
    PonerTexto(v->Edit1, v->losMateriales->GetText());
    const bool editable = !elemento || !elemento->EsLibreria();
    PonerHabilitado(v->btnSubir, editable);
    PonerHabilitado(v->btnBajar, editable);
    Habilitar({v->Edit1, v->lbEspesorCer}, editable &&
                                               Propiedad(material, "Tipologia") == PROPIEDADES &&
                                               Logico(material, "Cambio Espesor"));
    return true;
}

void VistaCerramiento::MostrarDibujo() {
    TforGestorBD* v = ventana;
    int izquierda = DIBUJO_IZQUIERDA;
    for (int i = 0; i < nombres.GetCount(); ++i) {
        ObjetoBase* material = Material(nombres.GetStrings(i));
        if (!material) continue;
        AnsiString imagen = Propiedad(material, "Imagen");
        if (imagen.IsEmpty()) continue;
        AnsiString ruta =
            Directorios::Instancia()->RutaImagen("Materiales\\" + NombreFichero(imagen));
        if (!FileExists(ruta)) continue;
        float espesor = 0.0f;
        AFlotante(espesor, espesores.GetStrings(i));
        const int ancho = static_cast<int>(PIXELES_POR_METRO * espesor);
        auto* dibujo = new TImage(v);
        dibujo->SetParent(v->sbCerramientos);
        dibujo->SetStretch(true);
        dibujo->SetBounds(izquierda, DIBUJO_ARRIBA, ancho, DIBUJO_ALTO);
        try {
            dibujo->GetPicture()->LoadFromFile(ruta);
        } catch (const Exception&) {
            // Un fichero que no es una imagen no deja hueco, como uno que falta.
            delete dibujo;
            continue;
        }
        dibujos.push_back(dibujo);
        izquierda += ancho;
    }
}

void VistaCerramiento::BorrarDibujo() {
    for (TImage* dibujo : dibujos)
        delete dibujo;
    dibujos.clear();
}

bool VistaCerramiento::ComprobarCapas() {
    int conPropiedades = 0;
    for (int i = 0; i < nombres.GetCount(); ++i)
        if (ObjetoBase* material = Material(nombres.GetStrings(i)))
            if (!(Propiedad(material, "Tipologia") == RESISTENCIA)) ++conPropiedades;
    if (conPropiedades > 0) return true;
    ShowMessage("Al menos una capa no debe ser definida por su resistencia térmica");
    return false;
}

bool VistaCerramiento::Aceptar() {
    auto* cerramiento = dynamic_cast<Layers*>(elemento);
    if (!cerramiento) return false;
    TforGestorBD* v = ventana;
    // Sin una capa de propiedades no se acepta nada: la composición sigue en pantalla
    // para corregirla.
    capasRechazadas = !ComprobarCapas();
    if (capasRechazadas) return false;
    elemento->PonerError(false);
    const bool aceptado = AceptarNombre(v->edNombreCer, "cerramiento") == Nombre::Aceptado;
    elemento->AsignarPropiedad("Grupo", GrupoDelNodo());
    // Unas capas que nadie cambió se quedan exactamente como estaban.
    if (!CapasCambiadas()) return aceptado;

    // Las capas de la copia de trabajo, en el orden de la rejilla; la de un material que no
    // está en la base se queda con su nombre y su espesor.
    TStringList capas, grosores;
    for (int i = 0; i < nombres.GetCount(); ++i) {
        ObjetoBase* material = Material(nombres.GetStrings(i));
        capas.Add(nombres.GetStrings(i));
        grosores.Add(material && Propiedad(material, "Tipologia") == RESISTENCIA
                         ? AnsiString("0.050")
                         : espesores.GetStrings(i));
    }
    cerramiento->Vaciar();
    VaciarListas();
    cerramiento->PonerMateriales(materiales);
    nombresCerramiento.Assign(capas);
    cerramiento->PonerNombresMateriales(capas);
    cerramiento->PonerLista("Espesores", grosores);
    return aceptado;
}
