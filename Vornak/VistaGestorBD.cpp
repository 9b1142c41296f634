#include "Vornak/VistaGestorBD.h"

#include "Vornak/UtilArbol.h"
#include "Vornak/VentanaGestorBD.h"
#include "Vornak/Ventanalibreria.h"
#include "Vornak/VistabdAcristalamientos.h"
#include "Vornak/VistabdCerramientos.h"
#include "Vornak/VistabdHuecos.h"
#include "Vornak/VistabdMarcos.h"
#include "Vornak/VistabdMateriales.h"
#include "Vornak/VistabdPuentesTermicos.h"

#include "comunes/Cambios.h"
#include "comunes/Error.h"
#include "comunes/GestorBD.h"
#include "comunes/Idioma.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/page_control.h"
#include "plataforma/gui/widgets/tree_view.h"

namespace {
constexpr int ICONO_RAIZ = 15;
constexpr int ICONO_CARPETA = 8;
constexpr int ICONO_CARPETA_ABIERTA = 7;
constexpr const char* PUENTES_TERMICOS = "Puentes térmicos";
} // namespace

VistaGestorBD::VistaGestorBD(GestorBD* gestor) : gestor(gestor) {
    ventana = new TforGestorBD(Application, this);
    vistaMateriales = new VistabdMateriales(gestor->Materiales(), ventana);
    vistaCerramientos = new VistabdCerramientos(gestor->Cerramientos(), ventana);
    vistaAcristalamientos = new VistabdAcristalamientos(gestor->Acristalamientos(), ventana);
    vistaMarcos = new VistabdMarcos(gestor->Marcos(), ventana);
    vistaHuecos = new VistabdHuecos(gestor->Huecos(), ventana);
    vistaPuentes = new VistabdPuentesTermicos(gestor->PuentesTermicos(), ventana);
    miembrosGrupo = std::make_unique<TStringList>();
    nombresGrupos = std::make_unique<TStringList>();
    error = Error::Instancia();
    idioma = Idioma::Instancia();
    if (idioma->Codigo() == 2) ventana->tvBaseDatos->SetSortType(stData);
}

VistaGestorBD::~VistaGestorBD() {
    dialogoLibreria.reset();
    BorrarVistas();
    if (ventana) {
        TforGestorBD* v = ventana;
        ventana = nullptr;
        v->OlvidarControlador();
        delete v;
    }
}

void VistaGestorBD::VentanaDestruida() {
    ventana = nullptr;
    BorrarVistas();
    nodoRaiz = nodoOpacos = nodoSemitransparentes = nodoPuentes = nullptr;
}

void VistaGestorBD::BorrarVistas() {
    delete vistaMateriales;
    delete vistaCerramientos;
    delete vistaAcristalamientos;
    delete vistaMarcos;
    delete vistaHuecos;
    delete vistaPuentes;
    vistaMateriales = nullptr;
    vistaCerramientos = nullptr;
    vistaAcristalamientos = nullptr;
    vistaMarcos = nullptr;
    vistaHuecos = nullptr;
    vistaPuentes = nullptr;
    nombresGrupos.reset();
}

VistabdElementos* VistaGestorBD::VistaDeTipo(TipoObjeto tipo) const {
    switch (tipo) {
    case TIPO_MATERIAL:
        return vistaMateriales;
    case TIPO_CERRAMIENTO:
        return vistaCerramientos;
    case TIPO_ACRISTALAMIENTO:
        return vistaAcristalamientos;
    case TIPO_MARCO:
        return vistaMarcos;
    case TIPO_HUECO:
        return vistaHuecos;
    case TIPO_PUENTE_TERMICO:
        return vistaPuentes;
    default:
        return nullptr;
    }
}

namespace {

// Los nodos añadidos mientras vive se muestran todos de una vez al final.
class ArbolDeUnaVez {
public:
    explicit ArbolDeUnaVez(TTreeNodes* nodos) : nodos_(nodos) { nodos_->BeginUpdate(); }
    ~ArbolDeUnaVez() { nodos_->EndUpdate(); }
    ArbolDeUnaVez(const ArbolDeUnaVez&) = delete;
    ArbolDeUnaVez& operator=(const ArbolDeUnaVez&) = delete;

private:
    TTreeNodes* nodos_;
};

} // namespace

void VistaGestorBD::Mostrar() {
    if (!ventana) return;
    TTreeNodes* nodos = ventana->tvBaseDatos->GetItems();
    {
        ArbolDeUnaVez deUnaVez(nodos);
        nodoRaiz =
            AnadirNodoTipo(nodos, nullptr, "Proyecto: " + nombreVisible, TIPO_NINGUNO, ICONO_RAIZ);
        nodoOpacos = AnadirNodoTipo(nodos, nodoRaiz, "Opacos", TIPO_NINGUNO, ICONO_CARPETA);
        nodoSemitransparentes =
            AnadirNodoTipo(nodos, nodoRaiz, "Semitransparentes", TIPO_NINGUNO, ICONO_CARPETA);
        vistaMateriales->LlenarArbol(nodoOpacos);
        vistaCerramientos->LlenarArbol(nodoOpacos);
        vistaAcristalamientos->LlenarArbol(nodoSemitransparentes);
        vistaMarcos->LlenarArbol(nodoSemitransparentes);
        vistaHuecos->LlenarArbol(nodoSemitransparentes);
        if (puentesVisibles) {
            nodoPuentes = AnadirNodoTipo(nodos, nodoRaiz, PUENTES_TERMICOS, TIPO_PUENTE_TERMICO,
                                         ICONO_CARPETA);
            vistaPuentes->LlenarArbol(nodoPuentes);
            ventana->tsPuentes->SetTabVisible(true);
        }
        // A la vista, los tipos de elemento de cada categoría.
        nodoRaiz->Expand(false);
        for (TTreeNode* categoria : {nodoOpacos, nodoSemitransparentes, nodoPuentes})
            if (categoria) categoria->Expand(false);
    }
    ventana->Show();
}

void VistaGestorBD::VaciarArbol() {
    if (!ventana) return;
    ventana->tvBaseDatos->GetItems()->Clear();
    nodoRaiz = nodoOpacos = nodoSemitransparentes = nodoPuentes = nullptr;
    for (TipoObjeto t : {TIPO_MATERIAL, TIPO_CERRAMIENTO, TIPO_ACRISTALAMIENTO, TIPO_MARCO,
                         TIPO_HUECO, TIPO_PUENTE_TERMICO})
        if (VistabdElementos* v = VistaDeTipo(t)) v->OlvidarNodo();
}

void VistaGestorBD::Actualizar() {
    if (!ventana) return;
    if (gestor->EsEstandar()) {
        for (TMenuItem* item :
             {ventana->pmnuMateriales, ventana->pmnuCerramientos, ventana->pmnuVidrios,
              ventana->pmnuMarcos, ventana->pmnuHuecos, ventana->pmnuPuentes, ventana->pmnuCGMat,
              ventana->pmnuCGCer, ventana->pmnuCGVid, ventana->pmnuCGMar, ventana->pmnuCGHue,
              ventana->pmnuCGPue, ventana->pmnuEliminar, ventana->pmCargarLibreria})
            item->SetVisible(false);
        ventana->pmnuGuardarLibreria->SetVisible(true);
        error->Mensaje(64, nombreVisible);
    }
    ventana->tsHuecos->SetCaption(idioma->Traducir("Huecos") + " y lucernarios");
    // "% hueco cubierto por el marco", o "% vano..." en la variante regional.
    ventana->lbPorcentajeHue->SetCaption("% " + AnsiLowerCase(idioma->Traducir("Hueco")) +
                                         " cubierto por el marco");
}

void VistaGestorBD::AceptarElemento(TipoObjeto tipo) {
    if (!ventana) return;
    for (TTabSheet* pagina : {ventana->tsMateriales, ventana->tsCerramientos, ventana->tsPuentes,
                              ventana->tsVidrios, ventana->tsMarcos, ventana->tsHuecos})
        pagina->SetEnabled(false);
    if (TTabSheet* pagina = ventana->PaginaDeTipo(tipo)) pagina->SetEnabled(true);
    if (VistabdElementos* vista = VistaDeTipo(tipo)) {
        // Lo que el usuario cambia en un elemento supuesto y acepta es suyo: desde ahí se
        // guarda en la base como los demás.
        if (actual && vista->HayCambios(actual)) actual->MarcarSupuesto(false);
        vista->AceptarElemento(actual);
    }
    CambiosHechos();
}

void VistaGestorBD::CambiosHechos() {
    gestor->ObtenerCambios()->PonerLogico("Cambios", true);
}

bool VistaGestorBD::HayCambios() const {
    return gestor->ObtenerCambios()->ValorIndicador("Cambios");
}

void VistaGestorBD::SeleccionarNodo(TTreeNode* nodo) {
    if (!ventana) return;
    ventana->pcBaseDatos->SetVisible(false);
    if (!nodo || !nodo->GetParent()) return;
    TipoObjeto tipo = TipoDeNodo(nodo);
    // Los elementos están en el nivel 4, los puentes térmicos en el 3; más arriba, grupos.
    bool esElemento = tipo == TIPO_PUENTE_TERMICO ? nodo->GetLevel() == 3 : nodo->GetLevel() == 4;
    if (!esElemento) return;
    ObjetoBase* elemento = gestor->Buscar(tipo, nodo->GetText());
    if (!elemento) return;
    actual = elemento;
    ventana->pcBaseDatos->SetVisible(true);
    MostrarElemento(tipo);
}

bool VistaGestorBD::DejarElemento() {
    if (!ventana || !actual) return true;
    const TipoObjeto tipo = actual->ObtenerTipo();
    VistabdElementos* vista = VistaDeTipo(tipo);
    if (!vista || !vista->HayCambios(actual)) return true;
    switch (error->Preguntar("¿Desea aceptar los cambios?", "Información",
                             MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        AceptarElemento(tipo);
        // Lo aceptado se vuelve a mostrar; lo que sigue cambiado no se pudo aceptar.
        return !vista->HayCambios(actual);
    case IDNO:
        vista->MostrarElemento(actual);
        return true;
    default:
        return false;
    }
}

void VistaGestorBD::MostrarElemento(TipoObjeto tipo) {
    if (VistabdElementos* vista = VistaDeTipo(tipo)) vista->MostrarElemento(actual);
}

void VistaGestorBD::RefrescarEditor(TipoObjeto tipo) {
    if (VistabdElementos* vista = VistaDeTipo(tipo)) vista->ActualizarElemento(actual);
}

TipoObjeto VistaGestorBD::TipoDeNodo(TTreeNode* nodo) const {
    return TipoGuardado(nodo);
}

bool VistaGestorBD::SeleccionarPrimero(TTreeNode* nodoTipo) {
    if (!nodoTipo) return false;
    TTreeNode* grupo = nodoTipo->getFirstChild();
    if (!grupo) return false;
    // Un grupo vacío no tiene elemento: se selecciona nulo, que oculta las páginas.
    ventana->tvBaseDatos->SetSelected(grupo->getFirstChild());
    return true;
}

TTreeNode* VistaGestorBD::BuscarElemento(TTreeNode* nodoTipo, const AnsiString& nombre) const {
    if (!nodoTipo) return nullptr;
    for (TTreeNode* grupo = nodoTipo->getFirstChild(); grupo; grupo = grupo->getNextSibling())
        for (TTreeNode* n = grupo->getFirstChild(); n; n = n->getNextSibling())
            if (n->GetText() == nombre) return n;
    return nullptr;
}

void VistaGestorBD::CambiarPestana() {
    if (!ventana) return;
    // Las páginas que eligió el usuario: contestar a la pregunta de DejarElemento vuelve a
    // mostrar el elemento que se deja, y con él su página.
    TTabSheet* const elegidas[] = {ventana->pcBaseDatos->GetActivePage(),
                                   ventana->pcOpacos->GetActivePage(),
                                   ventana->pcSemitransparentes->GetActivePage()};
    // Quedarse en el elemento es quedarse también en su página.
    if (!DejarElemento()) {
        ventana->MostrarPagina(actual->ObtenerTipo());
        return;
    }
    ventana->pcBaseDatos->SetActivePage(elegidas[0]);
    ventana->pcOpacos->SetActivePage(elegidas[1]);
    ventana->pcSemitransparentes->SetActivePage(elegidas[2]);
    TTabSheet* categoria = ventana->pcBaseDatos->GetActivePage();
    TTreeNode* nodoTipo = nullptr;
    if (categoria == ventana->tsSemitransparentes) {
        TTabSheet* pagina = ventana->pcSemitransparentes->GetActivePage();
        // El vidrio o el marco elegido en la página del hueco, si lo hay.
        AnsiString elegido;
        if (pagina == ventana->tsVidrios) {
            nodoTipo = vistaAcristalamientos ? vistaAcristalamientos->NodoTipo() : nullptr;
            if (vistaHuecos) elegido = vistaHuecos->VidrioElegido();
        } else if (pagina == ventana->tsMarcos) {
            nodoTipo = vistaMarcos ? vistaMarcos->NodoTipo() : nullptr;
            if (vistaHuecos) elegido = vistaHuecos->MarcoElegido();
        }
        if (nodoTipo && !elegido.IsEmpty() && nodoTipo->getFirstChild()) {
            ventana->tvBaseDatos->SetSelected(BuscarElemento(nodoTipo, elegido));
            return;
        }
        if (pagina == ventana->tsHuecos) nodoTipo = vistaHuecos ? vistaHuecos->NodoTipo() : nullptr;
    } else if (categoria == ventana->tsOpacos) {
        TTabSheet* pagina = ventana->pcOpacos->GetActivePage();
        if (pagina == ventana->tsMateriales)
            nodoTipo = vistaMateriales ? vistaMateriales->NodoTipo() : nullptr;
        else if (pagina == ventana->tsCerramientos)
            nodoTipo = vistaCerramientos ? vistaCerramientos->NodoTipo() : nullptr;
    } else if (categoria == ventana->tsPuentes) {
        nodoTipo = vistaPuentes ? vistaPuentes->NodoTipo() : nullptr;
    }
    if (!SeleccionarPrimero(nodoTipo)) SeleccionarNodo(ventana->tvBaseDatos->GetSelected());
}

void VistaGestorBD::AnadirNodo(TipoObjeto tipo, const AnsiString& grupo, const AnsiString& nombre,
                               TTreeNode* nodoTipo) {
    if (!ventana || !nodoTipo) return;
    VistabdElementos* vista = VistaDeTipo(tipo);
    if (!vista) return;
    TTreeNodes* nodos = ventana->tvBaseDatos->GetItems();
    // Los grupos se buscan bajo el nodo de su propio tipo, también los de los puentes, sin
    // distinguir mayúsculas: como se juntan al llenar el árbol.
    TTreeNode* nodoGrupo = nullptr;
    for (TTreeNode* n = nodoTipo->getFirstChild(); n && !nodoGrupo; n = n->getNextSibling())
        if (AnsiSameText(n->GetText(), grupo)) nodoGrupo = n;
    // El grupo nuevo está plegado: su carpeta, cerrada.
    if (!nodoGrupo) nodoGrupo = AnadirNodoTipo(nodos, nodoTipo, grupo, tipo, ICONO_CARPETA);
    AnadirNodoTipo(nodos, nodoGrupo, nombre, tipo, vista->IconoElemento());
}

void VistaGestorBD::OcultarPuentes() {
    puentesVisibles = false;
    if (!ventana) return;
    ventana->tsPuentes->SetTabVisible(false);
    ventana->SetBorderIcons(ventana->GetBorderIcons() -
                            TBorderIcons{biSystemMenu, biMinimize, biMaximize});
}

bool VistaGestorBD::EsEstandar() const {
    return gestor->EsEstandar();
}

bool VistaGestorBD::FactoresSolaresCompletos() const {
    return gestor->ComprobarFactorSolar();
}

void VistaGestorBD::ObtenerPropiedad(const AnsiString& clave, AnsiString& texto) const {
    if (clave == "Fichero") texto = ruta;
}

void VistaGestorBD::EstablecerPropiedad(const AnsiString& clave, TipoObjeto valor) {
    if (clave == "Tipo") tipoLibreria = valor;
}

bool VistaGestorBD::Cerrar() {
    if (cerrada) return true;
    // Lo que se pregunte es de esta base: su ventana se pone delante antes, para que se vea
    // de cuál se trata (al salir se cierran todas, y la de arriba puede ser otra).
    if (ventana) ventana->BringToFront();
    // Lo tecleado y aún sin aceptar no se pierde al cerrar sin preguntar.
    if (!DejarElemento()) return false;
    bool resultado = true;
    if (!gestor->EsEstandar() && HayCambios()) {
        int respuesta = error->Preguntar("¿Desea guardar los cambios?", "Información",
                                         MB_YESNOCANCEL | MB_ICONINFORMATION);
        if (respuesta == IDYES) {
            if (FactoresSolaresCompletos()) {
                resultado = Guardar(ruta);
            } else {
                ShowMessage("Existen acristalamientos sin el factor solar definido\nPor favor "
                            "completelos para continuar");
                resultado = false;
            }
        } else if (respuesta != IDNO) {
            resultado = false;
        }
    }
    if (resultado) {
        // La ventana se libera sola al acabar su cierre.
        ventana = nullptr;
        BorrarVistas();
        actual = nullptr;
        nodoRaiz = nodoOpacos = nodoSemitransparentes = nodoPuentes = nullptr;
        cerrada = true;
    }
    return resultado;
}

void VistaGestorBD::PrepararMenuContextual(TTreeNode* nodo) {
    if (!ventana) return;
    TforGestorBD* v = ventana;
    for (TMenuItem* item : {v->pmnuMateriales,
                            v->pmnuCerramientos,
                            v->pmnuPuentes,
                            v->pmnuCGMat,
                            v->pmnuCGCer,
                            v->pmnuCambiarGMaterial,
                            v->pmnuCambiarGCerramiento,
                            v->pmnuCambiarGVidrio,
                            v->pmnuCambiarGMarco,
                            v->pmnuCambiarGHueco,
                            v->pmnuCGPue,
                            v->pmnuVidrios,
                            v->pmnuMarcos,
                            v->pmnuHuecos,
                            v->pmnuCGVid,
                            v->pmnuCGHue,
                            v->pmnuCGMar,
                            v->pmnuEliminar,
                            v->pmCargarLibreria,
                            v->pmnuGuardarLibreria})
        item->SetVisible(false);
    if (!nodo) return;
    TipoObjeto tipo = TipoDeNodo(nodo);
    AnsiString hueco = idioma->Traducir("Hueco");
    switch (nodo->GetLevel()) {
    case 1:
        if (tipo == TIPO_PUENTE_TERMICO) {
            v->pmCargarLibreria->SetVisible(true);
            v->pmnuGuardarLibreria->SetVisible(true);
            v->pmnuCGPue->SetVisible(true);
        }
        break;
    case 2:
        if (tipo == TIPO_PUENTE_TERMICO) {
            v->pmnuPuentes->SetVisible(true);
            v->pmnuEliminar->SetVisible(true);
            break;
        }
        if (tipo == TIPO_NINGUNO) break;
        v->pmCargarLibreria->SetVisible(true);
        v->pmnuGuardarLibreria->SetVisible(true);
        switch (tipo) {
        case TIPO_MATERIAL:
            v->pmnuCGMat->SetVisible(true);
            break;
        case TIPO_CERRAMIENTO:
            v->pmnuCGCer->SetVisible(true);
            break;
        case TIPO_ACRISTALAMIENTO:
            v->pmnuCGVid->SetVisible(true);
            break;
        case TIPO_MARCO:
            v->pmnuCGMar->SetVisible(true);
            break;
        case TIPO_HUECO:
            v->pmnuCGHue->SetCaption("Crear grupo " + hueco);
            v->pmnuCGHue->SetVisible(true);
            break;
        default:
            break;
        }
        break;
    case 3:
        v->pmnuEliminar->SetVisible(true);
        switch (tipo) {
        case TIPO_ACRISTALAMIENTO:
            v->pmnuVidrios->SetVisible(true);
            v->pmnuCambiarGVidrio->SetVisible(true);
            break;
        case TIPO_MARCO:
            v->pmnuMarcos->SetVisible(true);
            v->pmnuCambiarGMarco->SetVisible(true);
            break;
        case TIPO_CERRAMIENTO:
            v->pmnuCerramientos->SetVisible(true);
            v->pmnuCambiarGCerramiento->SetVisible(true);
            break;
        case TIPO_MATERIAL:
            v->pmnuMateriales->SetVisible(true);
            v->pmnuCambiarGMaterial->SetVisible(true);
            break;
        case TIPO_HUECO:
            v->pmnuHuecos->SetCaption("Crear " + hueco);
            v->pmnuCambiarGHueco->SetCaption("Cambiar grupo " + hueco);
            v->pmnuHuecos->SetVisible(true);
            v->pmnuCambiarGHueco->SetVisible(true);
            break;
        default:
            break;
        }
        break;
    case 4:
        v->pmnuEliminar->SetVisible(true);
        break;
    default:
        break;
    }
}
