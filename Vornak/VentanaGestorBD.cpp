#include "Vornak/VentanaGestorBD.h"

#include "Vornak/IconosArbol.h"
#include "Vornak/UtilArbol.h"
#include "Vornak/VistaGestorBD.h"

#include "comunes/Directorios.h"
#include "plataforma/gui/forms/dialogs.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/page_control.h"
#include "plataforma/gui/widgets/panels.h"
#include "plataforma/gui/widgets/scroll_box.h"
#include "plataforma/gui/widgets/tree_view.h"
#include "plataforma/xml/xml_document.h"

#include <functional>

namespace {
constexpr int ICONO_CARPETA_ABIERTA = 7;
constexpr int ICONO_CARPETA = 8;
constexpr const char* FILTRO_LIBRERIA = "Ficheros Vornak ( *.bdc)|*.BDC";
} // namespace

TforGestorBD::TforGestorBD(TComponent* Owner, VistaGestorBD* controlador)
    : TForm(Owner), controlador(controlador) {
    Construir();
}

TforGestorBD::TforGestorBD(TComponent* Owner) : TForm(Owner), controlador(nullptr) {
    Construir();
    tsPuentes->SetTabVisible(false);
}

TforGestorBD::~TforGestorBD() {
    // Una ventana que se destruye sin cerrarse (al acabar el programa) se lo dice al
    // controlador, que deja de usarla.
    if (controlador) controlador->VentanaDestruida();
}

void TforGestorBD::Construir() {
    BeginLoading();
    SetFormStyle(fsMDIChild);
    SetPosition(poDefault);
    SetCaption("Base de datos - ");
    GetFont()->SetName("MS Sans Serif");
    GetFont()->SetHeight(-11);
    SetBounds(0, 0, 936, 620);
    SetWindowState(wsMaximized);

    imglIconos = new TImageList(this);
    imglIconos->SetName("imglIconos");
    CargarIconosArbol(imglIconos);

    pmBaseDatos = new TPopupMenu(this);
    pmBaseDatos->SetName("pmBaseDatos");
    pmBaseDatos->SetImages(imglIconos);
    pmnuMateriales = Item("pmnuMateriales", "Crear Material");
    pmnuCerramientos = Item("pmnuCerramientos", "Crear Cerramiento");
    pmnuPuentes = Item("pmnuPuentes", "Crear Puente térmico");
    pmnuCGMat = Item("pmnuCGMat", "Crear grupo Material");
    pmnuCGCer = Item("pmnuCGCer", "Crear grupo Cerramiento");
    pmnuCambiarGMaterial = Item("pmnuCambiarGMaterial", "Cambiar grupo Material");
    pmnuCambiarGCerramiento = Item("pmnuCambiarGCerramiento", "Cambiar grupo Cerramiento");
    pmnuCambiarGVidrio = Item("pmnuCambiarGVidrio", "Cambiar grupo Vidrio");
    pmnuCambiarGMarco = Item("pmnuCambiarGMarco", "Cambiar grupo Marco");
    pmnuCambiarGHueco = Item("pmnuCambiarGHueco", "Cambiar grupo Hueco");
    pmnuCGPue = Item("pmnuCGPue", "Crear grupo Puente Termico");
    pmnuVidrios = Item("pmnuVidrios", "Crear Vidrio");
    pmnuMarcos = Item("pmnuMarcos", "Crear Marco");
    pmnuHuecos = Item("pmnuHuecos", "Crear Hueco");
    pmnuCGVid = Item("pmnuCGVid", "Crear grupo Vidrio");
    pmnuCGHue = Item("pmnuCGHue", "Crear grupo Hueco");
    pmnuCGMar = Item("pmnuCGMar", "Crear grupo Marco");
    N18 = Item("N18", "-");
    pmnuEliminar = Item("pmnuEliminar", "Eliminar");
    pmnuEliminar->SetImageIndex(18);
    pmnuEliminar->SetShortCut(VK_DELETE);
    N17 = Item("N17", "-");
    pmCargarLibreria = Item("pmCargarLibreria", "Cargar librería");
    pmnuGuardarLibreria = Item("pmnuGuardarLibreria", "Guardar libreria");
    pmnuGuardarLibreria->SetVisible(false);

    // Cada orden va al controlador, si la ventana aún lo tiene.
    auto con = [this](auto orden) {
        return [this, orden](TObject*) {
            if (controlador) orden(controlador);
        };
    };
    auto crear = [&](TMenuItem* item, TipoObjeto tipo) {
        item->OnClick = con([tipo](VistaGestorBD* c) { c->CrearElemento(tipo); });
    };
    auto grupo = [&](TMenuItem* item, TipoObjeto tipo) {
        item->OnClick = con([tipo](VistaGestorBD* c) { c->CrearGrupo(tipo); });
    };
    auto cambiar = [&](TMenuItem* item, TipoObjeto tipo) {
        item->OnClick = con([tipo](VistaGestorBD* c) { c->CambiarGrupo(tipo); });
    };
    crear(pmnuMateriales, TIPO_MATERIAL);
    crear(pmnuCerramientos, TIPO_CERRAMIENTO);
    crear(pmnuPuentes, TIPO_PUENTE_TERMICO);
    crear(pmnuVidrios, TIPO_ACRISTALAMIENTO);
    crear(pmnuMarcos, TIPO_MARCO);
    crear(pmnuHuecos, TIPO_HUECO);
    grupo(pmnuCGMat, TIPO_MATERIAL);
    grupo(pmnuCGCer, TIPO_CERRAMIENTO);
    grupo(pmnuCGPue, TIPO_PUENTE_TERMICO);
    grupo(pmnuCGVid, TIPO_ACRISTALAMIENTO);
    grupo(pmnuCGHue, TIPO_HUECO);
    grupo(pmnuCGMar, TIPO_MARCO);
    cambiar(pmnuCambiarGMaterial, TIPO_MATERIAL);
    cambiar(pmnuCambiarGCerramiento, TIPO_CERRAMIENTO);
    cambiar(pmnuCambiarGVidrio, TIPO_ACRISTALAMIENTO);
    cambiar(pmnuCambiarGMarco, TIPO_MARCO);
    cambiar(pmnuCambiarGHueco, TIPO_HUECO);
    pmnuEliminar->OnClick = [this](TObject* s) { pmnuEliminarClick(s); };
    pmCargarLibreria->OnClick = [this](TObject* s) { pmCargarLibreriaClick(s); };
    pmnuGuardarLibreria->OnClick = [this](TObject* s) { pmnuGuardarLibreriaClick(s); };
    pmBaseDatos->OnPopup = [this](TObject* s) { pmBaseDatosPopup(s); };

    tvBaseDatos = new TTreeView(this);
    tvBaseDatos->SetName("tvBaseDatos");
    tvBaseDatos->SetParent(this);
    tvBaseDatos->SetAlign(alLeft);
    tvBaseDatos->SetWidth(260);
    tvBaseDatos->SetImages(imglIconos);
    tvBaseDatos->SetPopupMenu(pmBaseDatos);
    tvBaseDatos->SetReadOnly(true);
    tvBaseDatos->SetRowSelect(true);
    tvBaseDatos->SetHideSelection(false);
    tvBaseDatos->SetSortType(stText);
    tvBaseDatos->OnChanging = [this](TObject* s, TTreeNode* n, bool& permitir) {
        tvBaseDatosChanging(s, n, permitir);
    };
    tvBaseDatos->OnChange = [this](TObject* s, TTreeNode* n) { tvBaseDatosChange(s, n); };
    tvBaseDatos->OnCollapsed = [this](TObject* s, TTreeNode* n) { tvBaseDatosCollapsed(s, n); };
    tvBaseDatos->OnExpanded = [this](TObject* s, TTreeNode* n) { tvBaseDatosExpanded(s, n); };
    tvBaseDatos->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) {
        tvBaseDatosKeyDown(s, k, sh);
    };
    tvBaseDatos->OnKeyUp = [this](TObject* s, WORD& k, TShiftState sh) {
        tvBaseDatosKeyUp(s, k, sh);
    };

    Splitter1 = new TSplitter(this);
    Splitter1->SetName("Splitter1");
    Splitter1->SetParent(this);
    Splitter1->SetAlign(alLeft);
    Splitter1->SetLeft(260);

    pcBaseDatos = new TPageControl(this);
    pcBaseDatos->SetName("pcBaseDatos");
    pcBaseDatos->SetParent(this);
    pcBaseDatos->SetAlign(alClient);
    pcBaseDatos->SetVisible(false);
    tsOpacos = Pagina(pcBaseDatos, "tsOpacos", "Opacos");
    tsSemitransparentes = Pagina(pcBaseDatos, "tsSemitransparentes", "Semitransparentes");
    tsPuentes = Pagina(pcBaseDatos, "tsPuentes", "Puentes térmicos");

    pcOpacos = new TPageControl(this);
    pcOpacos->SetName("pcOpacos");
    pcOpacos->SetParent(tsOpacos);
    pcOpacos->SetAlign(alClient);
    tsMateriales = Pagina(pcOpacos, "tsMateriales", "Materiales y productos");
    tsCerramientos = Pagina(pcOpacos, "tsCerramientos", "Cerramientos y particiones interiores");

    pcSemitransparentes = new TPageControl(this);
    pcSemitransparentes->SetName("pcSemitransparentes");
    pcSemitransparentes->SetParent(tsSemitransparentes);
    pcSemitransparentes->SetAlign(alClient);
    tsVidrios = Pagina(pcSemitransparentes, "tsVidrios", "Vidrios");
    tsMarcos = Pagina(pcSemitransparentes, "tsMarcos", "Marcos");
    tsHuecos = Pagina(pcSemitransparentes, "tsHuecos", "Huecos y lucernarios");
    for (TPageControl* pc : {pcBaseDatos, pcOpacos, pcSemitransparentes})
        pc->OnChange = [this](TObject* s) { pcSemitransparentesChange(s); };

    sbMateriales = Contenido(tsMateriales, "sbMateriales");
    sbCerramientos = Contenido(tsCerramientos, "sbCerramientos");
    sbVidrios = Contenido(tsVidrios, "sbVidrios");
    sbMarcos = Contenido(tsMarcos, "sbMarcos");
    sbHuecos = Contenido(tsHuecos, "sbHuecos");
    sbPuentes = Contenido(tsPuentes, "sbPuentes");
    btnAceptarMat = BotonAceptar(sbMateriales, "btnAceptarMat", TIPO_MATERIAL);
    btnAceptarCer = BotonAceptar(sbCerramientos, "btnAceptarCer", TIPO_CERRAMIENTO);
    btnAceptarAcr = BotonAceptar(sbVidrios, "btnAceptarAcr", TIPO_ACRISTALAMIENTO);
    btnAceptarMar = BotonAceptar(sbMarcos, "btnAceptarMar", TIPO_MARCO);
    btnAceptarHue = BotonAceptar(sbHuecos, "btnAceptarHue", TIPO_HUECO);
    btnAceptarPue = BotonAceptar(sbPuentes, "btnAceptarPue", TIPO_PUENTE_TERMICO);
    ConstruirPaginas();
    // "Aceptar" confirma lo que hay en su página: al tabular, viene después de sus campos.
    for (TButton* aceptar :
         {btnAceptarMat, btnAceptarCer, btnAceptarAcr, btnAceptarMar, btnAceptarHue, btnAceptarPue})
        aceptar->SetTabOrder(-1);

    abrirImagenes = new TOpenPictureDialog(this);
    abrirImagenes->SetName("abrirImagenes");
    abrirImagenes->SetDefaultExt("jpg");
    odCargarLibreria = new TOpenDialog(this);
    odCargarLibreria->SetName("odCargarLibreria");
    // La extensión que se añade es la que el filtro muestra: la librería que se guarda se
    // encuentra después al cargarla.
    odCargarLibreria->SetDefaultExt("bdc");
    odCargarLibreria->SetTitle("Abrir librería INP");
    odCargarLibreria->SetFilter(FILTRO_LIBRERIA);
    sdGuardarLibreria = new TSaveDialog(this);
    sdGuardarLibreria->SetName("sdGuardarLibreria");
    sdGuardarLibreria->SetDefaultExt("bdc");
    sdGuardarLibreria->SetTitle("Guardar a librería");
    sdGuardarLibreria->SetFilter(FILTRO_LIBRERIA);
    _xml = std::make_unique<TXMLDocument>();

    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    EndLoading();
}

TTabSheet* TforGestorBD::Pagina(TPageControl* control, const char* nombre, const char* rotulo) {
    auto* pagina = new TTabSheet(this);
    pagina->SetName(nombre);
    pagina->SetPageControl(control);
    pagina->SetCaption(rotulo);
    return pagina;
}

// Los controles de un editor quedan donde se pusieron; en una ventana pequeña, la página los
// desplaza.
TScrollBox* TforGestorBD::Contenido(TTabSheet* pagina, const char* nombre) {
    auto* contenido = new TScrollBox(this);
    contenido->SetName(nombre);
    contenido->SetParent(pagina);
    contenido->SetAlign(alClient);
    return contenido;
}

TButton* TforGestorBD::BotonAceptar(TScrollBox* contenido, const char* nombre, TipoObjeto tipo) {
    auto* boton = new TButton(this);
    boton->SetName(nombre);
    boton->SetParent(contenido);
    boton->SetCaption("Aceptar");
    boton->SetBounds(16, 520, 75, 25);
    boton->OnClick = [this, tipo](TObject*) {
        if (controlador) controlador->AceptarElemento(tipo);
    };
    return boton;
}

TMenuItem* TforGestorBD::Item(const char* nombre, const char* rotulo) {
    auto* item = new TMenuItem(this);
    item->SetName(nombre);
    item->SetCaption(rotulo);
    pmBaseDatos->GetItems()->Add(item);
    return item;
}

TTabSheet* TforGestorBD::PaginaDeTipo(TipoObjeto tipo) const {
    switch (tipo) {
    case TIPO_MATERIAL:
        return tsMateriales;
    case TIPO_CERRAMIENTO:
        return tsCerramientos;
    case TIPO_ACRISTALAMIENTO:
        return tsVidrios;
    case TIPO_MARCO:
        return tsMarcos;
    case TIPO_HUECO:
        return tsHuecos;
    case TIPO_PUENTE_TERMICO:
        return tsPuentes;
    default:
        return nullptr;
    }
}

void TforGestorBD::MostrarPagina(TipoObjeto tipo) {
    TTabSheet* pagina = PaginaDeTipo(tipo);
    if (!pagina) return;
    if (pagina == tsPuentes) {
        pcBaseDatos->SetActivePage(tsPuentes);
    } else {
        TPageControl* interior = pagina->GetPageControl();
        pcBaseDatos->SetActivePage(interior == pcOpacos ? tsOpacos : tsSemitransparentes);
        interior->SetActivePage(pagina);
    }
    pagina->SetEnabled(true);
}

void TforGestorBD::tvBaseDatosChanging(TObject*, TTreeNode* Node, bool& AllowChange) {
    // Vaciar el árbol no deja el elemento: solo lo hace elegir otro nodo.
    if (controlador && Node) AllowChange = controlador->DejarElemento();
}

void TforGestorBD::tvBaseDatosChange(TObject*, TTreeNode* Node) {
    if (controlador) controlador->SeleccionarNodo(Node);
}

void TforGestorBD::tvBaseDatosCollapsed(TObject*, TTreeNode* Node) {
    if (Node && Node->GetImageIndex() == ICONO_CARPETA_ABIERTA) PonerIcono(Node, ICONO_CARPETA);
}

void TforGestorBD::tvBaseDatosExpanded(TObject*, TTreeNode* Node) {
    if (Node && Node->GetImageIndex() == ICONO_CARPETA) PonerIcono(Node, ICONO_CARPETA_ABIERTA);
}

void TforGestorBD::tvBaseDatosKeyDown(TObject*, WORD& Key, TShiftState) {
    // Solo llega si el atajo Supr del menú contextual no tomó la tecla.
    if (Key == VK_DELETE) suprEnArbol = true;
}

void TforGestorBD::tvBaseDatosKeyUp(TObject*, WORD& Key, TShiftState) {
    if (Key != VK_DELETE) return;
    bool mia = suprEnArbol;
    suprEnArbol = false;
    if (mia && controlador) controlador->Eliminar();
}

void TforGestorBD::pmBaseDatosPopup(TObject*) {
    if (!controlador) return;
    controlador->PrepararMenuContextual(tvBaseDatos->GetSelected());
    controlador->Actualizar();
}

void TforGestorBD::pmnuEliminarClick(TObject*) {
    if (controlador) controlador->Eliminar();
}

void TforGestorBD::pmCargarLibreriaClick(TObject*) {
    if (!controlador) return;
    odCargarLibreria->SetInitialDir(Directorios::Instancia()->RutaLibreria(""));
    if (!odCargarLibreria->Execute() || odCargarLibreria->GetFileName().IsEmpty()) return;
    controlador->CargarLibreria(odCargarLibreria->GetFileName());
    controlador->ImportarElementos();
}

void TforGestorBD::pmnuGuardarLibreriaClick(TObject*) {
    if (controlador) controlador->GuardarLibreria();
}

void TforGestorBD::pcSemitransparentesChange(TObject*) {
    if (controlador) controlador->CambiarPestana();
}

void TforGestorBD::FormClose(TObject*, TCloseAction& Action) {
    if (!controlador) {
        Action = caFree;
        return;
    }
    VistaGestorBD* c = controlador;
    if (c->Cerrar()) {
        controlador = nullptr;
        Action = caFree;
        // Quien atiende el cierre puede borrar el controlador: se llama a una copia.
        if (std::function<void(VistaGestorBD*)> alCerrar = c->AlCerrar) alCerrar(c);
    } else {
        Action = caNone;
    }
}
