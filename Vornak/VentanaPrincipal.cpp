#include "Vornak/VentanaPrincipal.h"

#include "Vornak/VentanaAcercaDe.h"
#include "Vornak/VentanaGestorBD.h"
#include "Vornak/VistaGestorBD.h"

#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/GestorBD.h"
#include "comunes/Idioma.h"
#include "plataforma/gui/forms/dialogs.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/input/cursors.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/screen.h"

#include <algorithm>

TforPrincipal* forPrincipal = nullptr;

namespace {
constexpr const char* SIN_FACTOR_SOLAR =
    "Existen acristalamientos sin el factor solar definido\nPor favor completelos para continuar";
}

TforPrincipal::TforPrincipal(TComponent* Owner) : TForm(Owner) {
    BeginLoading();
    SetName("forPrincipal");
    SetFormStyle(fsMDIForm);
    SetCaption("Gestión de la Base de Datos");
    GetFont()->SetName("MS Sans Serif");
    GetFont()->SetHeight(-11);
    SetBounds(0, 0, 1024, 740);
    SetWindowState(wsMaximized);

    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    TMenuItem* raiz = MainMenu1->GetItems();
    A1 = Item(raiz, "A1", "Archivo", nullptr);
    mnuNuevo = Item(A1, "mnuNuevo", "Nuevo", &TforPrincipal::mnuNuevoClick);
    mnuAbrir = Item(A1, "mnuAbrir", "Abrir", &TforPrincipal::mnuAbrirClick);
    N3 = Item(A1, "N3", "-", nullptr);
    mnuGuardar = Item(A1, "mnuGuardar", "Guardar", &TforPrincipal::mnuGuardarClick);
    mnuGuardarcomo =
        Item(A1, "mnuGuardarcomo", "Guardar como ", &TforPrincipal::mnuGuardarcomoClick);
    mnuExportar = Item(A1, "mnuExportar", "Exportar", nullptr);
    mnuExportar->SetVisible(false);
    mnuXML = Item(mnuExportar, "mnuXML", "XML", &TforPrincipal::mnuXMLClick);
    N1 = Item(A1, "N1", "-", nullptr);
    mnuSalir = Item(A1, "mnuSalir", "Salir", &TforPrincipal::mnuSalirClick);
    mnuEdicion = Item(raiz, "mnuEdicion", "Edición", nullptr);
    mnuEdicion->SetVisible(false);
    N2 = Item(mnuEdicion, "N2", "-", nullptr);
    mnuCrear = Item(mnuEdicion, "mnuCrear", "Crear", &TforPrincipal::mnuCrearClick);
    mnuEliminar = Item(mnuEdicion, "mnuEliminar", "Eliminar", &TforPrincipal::mnuEliminarClick);
    mnuVentana = Item(raiz, "mnuVentana", "Ventana", nullptr);
    mnuCascada = Item(mnuVentana, "mnuCascada", "Cascada", &TforPrincipal::mnuCascadaClick);
    mnuHorizontal =
        Item(mnuVentana, "mnuHorizontal", "Horizontal", &TforPrincipal::mnuHorizontalClick);
    mnuVertical = Item(mnuVentana, "mnuVertical", "Vertical", &TforPrincipal::mnuVerticalClick);
    mnuMinimizar = Item(mnuVentana, "mnuMinimizar", "Minimizar", &TforPrincipal::mnuMinimizarClick);
    mnuOrganizar = Item(mnuVentana, "mnuOrganizar", "Organizar", nullptr);
    Ayuda1 = Item(raiz, "Ayuda1", "Ayuda", nullptr);
    Ayuda1->SetVisible(false);
    Acercade1 = Item(Ayuda1, "Acercade1", "Acerca de ...", &TforPrincipal::Acercade1Click);
    SetMenu(MainMenu1);
    SetWindowMenu(mnuVentana);

    cdAbrir = new TOpenDialog(this);
    cdAbrir->SetName("cdAbrir");
    cdAbrir->SetFilter("Ficheros BDC (*.bdc)|*.bdc|Ficheros XML (*.xml)|*.xml");
    sdGuardar = new TSaveDialog(this);
    sdGuardar->SetName("sdGuardar");

    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

    Directorios::Instancia();
    Error::Instancia();
    FicheroLog::Instancia();
    ActivarMenus(false);
    EndLoading();
}

TforPrincipal::~TforPrincipal() {
    LiberarListas();
    if (forPrincipal == this) forPrincipal = nullptr;
}

void TforPrincipal::LiberarListas() {
    // Los controladores antes que los gestores cuyas bases muestran.
    for (VistaGestorBD* c : controladores)
        delete c;
    controladores.clear();
    for (GestorBD* g : gestores)
        delete g;
    gestores.clear();
    controladorActual = nullptr;
    gestorActual = nullptr;
}

TMenuItem* TforPrincipal::Item(TMenuItem* padre, const char* nombre, const char* rotulo,
                               void (TforPrincipal::*orden)(TObject*)) {
    auto* item = new TMenuItem(this);
    item->SetName(nombre);
    item->SetCaption(rotulo);
    if (orden) item->OnClick = [this, orden](TObject* s) { (this->*orden)(s); };
    padre->Add(item);
    return item;
}

void TforPrincipal::ActivarMenus(bool activos) {
    mnuEdicion->SetEnabled(activos);
    mnuGuardar->SetEnabled(activos);
    mnuGuardarcomo->SetEnabled(activos && !ficheroExterno);
    mnuExportar->SetEnabled(activos);
}

void TforPrincipal::NuevaBaseDatos() {
    auto* gestor = new GestorBD("nombre", LISTA_PROGRAMA);
    gestores.push_back(gestor);
    auto* controlador = new VistaGestorBD(gestor);
    controladores.push_back(controlador);
    controlador->AlCerrar = [this](VistaGestorBD* cerrado) { VentanaCerrada(cerrado); };
    // Cada base tiene sus elementos: las órdenes del marco son de la ventana que está delante.
    if (TforGestorBD* ventana = controlador->Ventana())
        ventana->OnActivate = [this, controlador](TObject*) { HacerActual(controlador); };
    HacerActual(controlador);
}

void TforPrincipal::HacerActual(VistaGestorBD* controlador) {
    controladorActual = controlador;
    gestorActual = controlador ? controlador->Gestor() : nullptr;
    ActivarMenus(controlador != nullptr);
    if (controlador && controlador->EsEstandar()) {
        mnuGuardar->SetEnabled(false);
        mnuGuardarcomo->SetEnabled(false);
    }
}

void TforPrincipal::VentanaCerrada(VistaGestorBD* cerrado) {
    // El controlador y el gestor de la ventana cerrada se van con ella: sus elementos, su
    // librería y sus marcas de cambios no pasan a ninguna otra base.
    auto suyo = std::find(controladores.begin(), controladores.end(), cerrado);
    if (suyo != controladores.end()) {
        GestorBD* gestor = cerrado->Gestor();
        controladores.erase(suyo);
        delete cerrado;
        std::erase(gestores, gestor);
        delete gestor;
    }
    // La que queda delante es la que se activó más recientemente.
    VistaGestorBD* siguiente = controladores.empty() ? nullptr : controladores.back();
    for (int i = 0; i < GetMDIChildCount(); ++i) {
        auto suya = std::find_if(controladores.begin(), controladores.end(), [&](VistaGestorBD* c) {
            return c->Ventana() == GetMDIChildren(i);
        });
        if (suya != controladores.end()) {
            siguiente = *suya;
            break;
        }
    }
    HacerActual(siguiente);
}

void TforPrincipal::mnuNuevoClick(TObject*) {
    NuevaBaseDatos();
    controladorActual->Mostrar();
    FicheroLog::Instancia()->Inicializar();
}

void TforPrincipal::mnuAbrirClick(TObject*) {
    cdAbrir->SetInitialDir(Directorios::Instancia()->RutaLibreria(""));
    if (!cdAbrir->Execute() || cdAbrir->GetFileName().IsEmpty()) return;
    CursorEspera(true);
    NuevaBaseDatos();
    if (AbrirEnLaNueva(cdAbrir->GetFileName())) ActualizarMenus();
    CursorEspera(false);
}

bool TforPrincipal::AbrirEnLaNueva(const AnsiString& ruta) {
    if (controladorActual->Abrir(ruta)) return true;
    // Lo que no es una base de datos no deja ventana: se va antes de que se pinte, y después
    // se dice.
    VentanaCerrada(controladorActual);
    Error::Instancia()->Mensaje(0, ruta);
    return false;
}

bool TforPrincipal::SePuedeGuardar() const {
    if (!controladorActual) return false;
    if (controladorActual->FactoresSolaresCompletos()) return true;
    ShowMessage(SIN_FACTOR_SOLAR);
    return false;
}

void TforPrincipal::mnuGuardarClick(TObject*) {
    if (!SePuedeGuardar()) return;
    AnsiString ruta;
    controladorActual->ObtenerPropiedad("Fichero", ruta);
    GuardarFichero(ruta);
}

void TforPrincipal::mnuGuardarcomoClick(TObject*) {
    if (!SePuedeGuardar()) return;
    sdGuardar->SetInitialDir(Directorios::Instancia()->RutaLibreria(""));
    sdGuardar->SetFilter("Ficheros BDC (*.bdc)|*.BDC");
    sdGuardar->SetDefaultExt("bdc");
    if (sdGuardar->Execute() && !sdGuardar->GetFileName().IsEmpty())
        GuardarFichero(sdGuardar->GetFileName());
}

void TforPrincipal::mnuXMLClick(TObject*) {
    if (!controladorActual) return;
    sdGuardar->SetInitialDir(Directorios::Instancia()->RutaLibreria(""));
    sdGuardar->SetFilter("Ficheros XML (*.XML)|*.XML");
    sdGuardar->SetDefaultExt("xml");
    if (sdGuardar->Execute() && !sdGuardar->GetFileName().IsEmpty())
        ExportarXML(sdGuardar->GetFileName());
}

void TforPrincipal::GuardarFichero(const AnsiString& ruta) {
    if (controladorActual) controladorActual->Guardar(ruta);
}

void TforPrincipal::ExportarXML(const AnsiString& ruta) {
    if (controladorActual) controladorActual->ExportarXML(ruta);
}

void TforPrincipal::mnuSalirClick(TObject*) {
    Close();
}

void TforPrincipal::mnuCrearClick(TObject*) {
    if (controladorActual) controladorActual->Crear();
}

void TforPrincipal::mnuEliminarClick(TObject*) {
    if (controladorActual) controladorActual->Eliminar();
}

void TforPrincipal::mnuCascadaClick(TObject*) {
    Cascade();
}

void TforPrincipal::mnuHorizontalClick(TObject*) {
    SetTileMode(tbHorizontal);
    Tile();
}

void TforPrincipal::mnuVerticalClick(TObject*) {
    SetTileMode(tbVertical);
    Tile();
}

void TforPrincipal::mnuMinimizarClick(TObject*) {
    ArrangeIcons();
}

void TforPrincipal::Acercade1Click(TObject*) {
    auto* acercade = new TforAcercade(Application);
    acercade->ShowModal();
    delete acercade;
}

void TforPrincipal::CursorEspera(bool espera) {
    Screen->SetCursor(espera ? crHourGlass : crDefault);
}

void TforPrincipal::ActualizarMenus() {
    if (!controladorActual) return;
    HacerActual(controladorActual);
    controladorActual->Actualizar();
}

void TforPrincipal::AbrirLineaComandos(const AnsiString& ruta) {
    if (ruta.IsEmpty()) return;
    NuevaBaseDatos();
    ModoFicheroExterno();
    if (!AbrirEnLaNueva(ruta)) return;
    ActualizarMenus();
    controladorActual->CargarCatalogoRegional();
}

void TforPrincipal::ModoFicheroExterno() {
    ficheroExterno = true;
    mnuNuevo->SetEnabled(false);
    mnuAbrir->SetEnabled(false);
    mnuGuardarcomo->SetEnabled(false);
    mnuSalir->SetCaption("Volver a ...");
    if (controladorActual) controladorActual->OcultarPuentes();
}

void TforPrincipal::FormClose(TObject*, TCloseAction& Action) {
    // Cada ventana hace su propio cierre, que puede preguntar y negarse.
    std::vector<TCustomForm*> hijas;
    for (int i = 0; i < GetMDIChildCount(); ++i)
        hijas.push_back(GetMDIChildren(i));
    for (size_t i = hijas.size(); i-- > 0;)
        hijas[i]->Close();
    // Una ventana que se ha negado a cerrarse deja el programa abierto (las cerradas ya
    // no están en la lista).
    if (!controladores.empty()) {
        Action = caNone;
        return;
    }
    // Los gestores y controladores antes que los servicios que usan al destruirse.
    LiberarListas();
    Idioma::Liberar();
    Directorios::Liberar();
    Error::Liberar();
    FicheroLog::Liberar();
}
