// La librería del controlador de una base: el diálogo que elige los elementos, y las órdenes
// que con él importan elementos de una librería y los exportan a ella.

#include "Vornak/VistaGestorBD.h"

#include "Vornak/VentanaGestorBD.h"
#include "Vornak/Ventanalibreria.h"
#include "Vornak/VistabdElementos.h"

#include "controles/edit/edit_list_box.h"

#include "comunes/Error.h"
#include "comunes/GestorBD.h"
#include "comunes/ObjetoBase.h"
#include "comunes/Util.h"
#include "comunes/bdLibreria.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/dialogs.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/list_box.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <algorithm>
#include <vector>

namespace {
constexpr const char* TODOS = "- Todos -";

AnsiString NombreDeTipo(TipoObjeto tipo) {
    switch (tipo) {
    case TIPO_MATERIAL:
        return "Materiales y productos";
    case TIPO_CERRAMIENTO:
        return "Cerramientos y particiones interiores";
    case TIPO_MARCO:
        return "Marcos";
    case TIPO_ACRISTALAMIENTO:
        return "Vidrios";
    case TIPO_HUECO:
        return "Huecos y lucernarios";
    case TIPO_PUENTE_TERMICO:
        return "Puentes térmicos";
    default:
        return AnsiString();
    }
}

// Pasa un nombre de una lista del diálogo de librería a la otra.
void Pasar(TStrings& desde, TStrings& hacia, const AnsiString& nombre) {
    AnadirCadena(hacia, nombre);
    QuitarCadena(desde, nombre);
}

// El nombre elegido en la lista mostrada, si hay uno.
void PasarSeleccion(TEditListBox* lista, TStrings& desde, TStrings& hacia) {
    int i = lista->GetItemIndex();
    if (i >= 0) Pasar(desde, hacia, lista->GetItems()->GetStrings(i));
}

// Todos los nombres de la lista mostrada.
void PasarTodo(TEditListBox* lista, TStrings& desde, TStrings& hacia) {
    TStrings* mostrados = lista->GetItems();
    for (int i = 0; i < mostrados->GetCount(); ++i)
        Pasar(desde, hacia, mostrados->GetStrings(i));
}
} // namespace

TTreeNode* VistaGestorBD::NodoDeTipoSeleccionado() const {
    if (!ventana) return nullptr;
    TTreeNode* nodo = ventana->tvBaseDatos->GetSelected();
    VistabdElementos* vista = VistaDeTipo(TipoDeNodo(nodo));
    return vista && vista->NodoTipo() == nodo ? nodo : nullptr;
}

void VistaGestorBD::ImportarElementos() {
    TTreeNode* nodoTipo = NodoDeTipoSeleccionado();
    if (!nodoTipo || !libreria) return;
    TStringList nombres;
    if (!ElegirDeLibreria(nodoTipo, libreria.get(), nombres)) return;
    CopiarDeLibreria(nombres, TipoDeNodo(nodoTipo), nodoTipo, libreria.get());
    CambiosHechos();
}

void VistaGestorBD::GuardarLibreria() {
    if (!ventana) return;
    if (!ventana->sdGuardarLibreria->Execute()) return;
    AnsiString fichero = ventana->sdGuardarLibreria->GetFileName();
    if (fichero.IsEmpty()) return;
    // Una librería que ya existe se lee para que lo exportado se añada a ella.
    CargarLibreria(fichero, false);
    if (libreria->EsEstandar()) {
        error->Mensaje(64, NombreSinExtension(fichero));
        return;
    }
    if (!ConfirmarPerdida(*libreria, fichero)) return;
    const std::vector<ObjetoBase*> fueraAntes = libreria->QuedanFuera();
    ExportarElementos();
    // Sin nada elegido la librería queda como estaba.
    if (!ElegidosLibreria() || ElegidosLibreria()->GetCount() == 0) return;
    if (!ConfirmarFueraDeLibreria(fueraAntes, fichero)) return;
    EscribirLibreria(fichero);
}

bool VistaGestorBD::ConfirmarFueraDeLibreria(const std::vector<ObjetoBase*>& antes,
                                             const AnsiString& fichero) {
    // Los que el catálogo da a los cerramientos y huecos exportados no se dicen: la librería
    // nunca los tuvo y, al cargarla, el catálogo se los vuelve a dar.
    TStringList fuera;
    for (ObjetoBase* elemento : libreria->QuedanFuera()) {
        const bool elegido = elemento->ObtenerTipo() == tipoLibreria &&
                             ElegidosLibreria()->IndexOf(elemento->ObtenerNombre()) >= 0;
        if (!elegido && std::find(antes.begin(), antes.end(), elemento) == antes.end()) continue;
        fuera.Add(elemento->ObtenerNombre() + " (" + NombreDeTipo(elemento->ObtenerTipo()) + ")");
    }
    if (fuera.GetCount() == 0) return true;
    return error->Preguntar("Estos elementos son del catálogo estándar y no se escriben en la "
                            "librería " +
                                fichero + ":\n\n" + Enumerar(fuera) +
                                "\n\nEl catálogo los conserva. ¿Desea guardar la librería sin "
                                "ellos?",
                            "Confirmación", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void VistaGestorBD::ExportarElementos() {
    TTreeNode* nodoTipo = NodoDeTipoSeleccionado();
    if (!nodoTipo || !libreria) return;
    TStringList nombres;
    if (!ElegirDeLibreria(nodoTipo, gestor, nombres)) return;
    CopiarAGestor(nombres, TipoDeNodo(nodoTipo), gestor, libreria.get(), "la librería");
    CambiosHechos();
}

bool VistaGestorBD::ElegirDeLibreria(TTreeNode* nodoTipo, GestorBD* listado, TStringList& nombres) {
    AbrirLibreria(listado);
    EstablecerPropiedad("Tipo", TipoDeNodo(nodoTipo));
    bool aceptado = PrepararLibreria();
    if (!aceptado) {
        // Cancelar no copia nada.
        elegidosMostrados->Clear();
        return false;
    }
    nombres.Assign(*elegidosMostrados);
    return nombres.GetCount() > 0;
}

TStrings* VistaGestorBD::ElegidosLibreria() const {
    return elegidosMostrados.get();
}

void VistaGestorBD::AbrirLibreria(GestorBD* listado) {
    gestorListado = listado;
    dialogoLibreria.reset();
    dialogoLibreria = std::make_unique<TforLibreria>(nullptr, this);
    gruposLibreria = std::make_unique<TStringList>();
    todosLibreria = std::make_unique<TStringList>();
    elegidosLibreria = std::make_unique<TStringList>();
    noElegidosMostrados = std::make_unique<TStringList>();
    elegidosMostrados = std::make_unique<TStringList>();
    // Las listas de nombres distinguen mayúsculas, como el modelo: pasar "granito" no se
    // lleva "Granito".
    for (TStringList* nombres : {todosLibreria.get(), elegidosLibreria.get(),
                                 noElegidosMostrados.get(), elegidosMostrados.get()})
        nombres->SetCaseSensitive(true);
}

bool VistaGestorBD::PrepararLibreria() {
    if (!dialogoLibreria) return false;
    noElegidosMostrados->Clear();
    elegidosMostrados->Clear();
    ListarLibreria();
    noElegidosMostrados->Assign(*todosLibreria);
    elegidosMostrados->Assign(*elegidosLibreria);
    dialogoLibreria->edTipo->SetText(NombreDeTipo(tipoLibreria));
    LlenarListasLibreria(dialogoLibreria->cbGrupo->GetText());
    return dialogoLibreria->ShowModal() == mrOk;
}

void VistaGestorBD::ListarLibreria() {
    gruposLibreria->Clear();
    todosLibreria->Clear();
    elegidosLibreria->Clear();
    bdLibreria* base = gestorListado ? gestorListado->Base(tipoLibreria) : nullptr;
    TStringList grupos;
    if (base) {
        base->ListarPorGrupo(*todosLibreria, 1, true);
        base->ListarPorGrupo(grupos, 0, true);
    }
    gruposLibreria->Add(TODOS);
    for (int i = 0; i < grupos.GetCount(); ++i)
        if (gruposLibreria->IndexOf(grupos.GetStrings(i)) < 0)
            gruposLibreria->Add(grupos.GetStrings(i));
    dialogoLibreria->cbGrupo->GetItems()->Assign(*gruposLibreria);
    dialogoLibreria->cbGrupo->SetItemIndex(0);
}

void VistaGestorBD::LlenarListasLibreria(const AnsiString& grupo) {
    if (!dialogoLibreria) return;
    bdLibreria* base = gestorListado ? gestorListado->Base(tipoLibreria) : nullptr;
    TStrings* izquierda = dialogoLibreria->lbNSeleccionados->GetItems();
    izquierda->Clear();
    for (int i = 0; i < noElegidosMostrados->GetCount(); ++i) {
        const AnsiString& nombre = noElegidosMostrados->GetStrings(i);
        AnsiString suyo;
        if (grupo != TODOS) {
            ObjetoBase* elemento = base ? base->BuscarEnHijos(nombre) : nullptr;
            if (!elemento) continue;
            elemento->ValorPropiedad("Grupo", suyo);
            // Los grupos que solo difieren en mayúsculas son una sola elección.
            if (!AnsiSameText(suyo, grupo)) continue;
        }
        izquierda->Add(nombre);
    }
    dialogoLibreria->lbSeleccionados->GetItems()->Assign(*elegidosMostrados);
}

void VistaGestorBD::AgregarSeleccion() {
    if (!dialogoLibreria) return;
    PasarSeleccion(dialogoLibreria->lbNSeleccionados, *noElegidosMostrados, *elegidosMostrados);
}

void VistaGestorBD::AgregarTodo() {
    if (!dialogoLibreria) return;
    PasarTodo(dialogoLibreria->lbNSeleccionados, *noElegidosMostrados, *elegidosMostrados);
}

void VistaGestorBD::QuitarSeleccion() {
    if (!dialogoLibreria) return;
    PasarSeleccion(dialogoLibreria->lbSeleccionados, *elegidosMostrados, *noElegidosMostrados);
}

void VistaGestorBD::QuitarTodo() {
    if (!dialogoLibreria) return;
    PasarTodo(dialogoLibreria->lbSeleccionados, *elegidosMostrados, *noElegidosMostrados);
}
