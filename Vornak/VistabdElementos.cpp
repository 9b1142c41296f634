#include "Vornak/VistabdElementos.h"

#include "Vornak/UtilArbol.h"
#include "Vornak/VentanaGestorBD.h"
#include "Vornak/VistaElemento.h"

#include "comunes/bdLibreria.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/widgets/tree_view.h"

namespace {
constexpr int ICONO_CARPETA = 8;
}

VistabdElementos::VistabdElementos(bdLibreria* base, TforGestorBD* ventana, TipoObjeto tipo,
                                   int iconoElemento)
    : base(base), ventana(ventana), tipo(tipo), iconoElemento(iconoElemento) {}

VistabdElementos::~VistabdElementos() = default;

VistaElemento* VistabdElementos::Editor(ObjetoBase* elemento) {
    if (editor) editor->PonerElemento(elemento);
    return elemento ? editor.get() : nullptr;
}

void VistabdElementos::LlenarArbol(TTreeNode* padre) {
    TTreeNodes* nodos = ventana->tvBaseDatos->GetItems();
    AnsiString rotulo = RotuloTipo();
    nodoTipo = rotulo.IsEmpty() ? padre : AnadirNodoTipo(nodos, padre, rotulo, tipo, ICONO_CARPETA);
    if (!base) return;
    for (const Contenedor::Grupo& grupo : base->HijosPorGrupo()) {
        TTreeNode* nodoGrupo = AnadirNodoTipo(nodos, nodoTipo, grupo.nombre, tipo, ICONO_CARPETA);
        for (const ObjetoBase* elemento : grupo.hijos)
            AnadirNodoTipo(nodos, nodoGrupo, elemento->ObtenerNombre(), tipo, iconoElemento);
    }
}

AnsiString VistabdElementos::NuevoElemento() {
    TTreeNode* grupo = ventana->tvBaseDatos->GetSelected();
    if (!base || !grupo) return AnsiString();
    AnsiString nombre = base->CrearHijo(RaizNombre(), tipo);
    // El elemento nuevo es del grupo bajo el que se muestra.
    if (ObjetoBase* elemento = base->BuscarEnHijos(nombre))
        elemento->AsignarPropiedad("Grupo", grupo->GetText());
    TTreeNode* nodo =
        AnadirNodoTipo(ventana->tvBaseDatos->GetItems(), grupo, nombre, tipo, iconoElemento);
    ventana->tvBaseDatos->SetSelected(nodo);
    return nombre;
}

void VistabdElementos::ListarGrupos(TStrings& lista) const {
    if (base) base->ListarGrupos(lista);
}

void VistabdElementos::MostrarElemento(ObjetoBase* elemento) {
    if (VistaElemento* e = Editor(elemento))
        e->Mostrar();
    else
        ventana->MostrarPagina(tipo);
}

void VistabdElementos::AceptarElemento(ObjetoBase* elemento) {
    if (VistaElemento* e = Editor(elemento)) {
        e->Aceptar();
        e->Mostrar();
    }
}

void VistabdElementos::ActualizarElemento(ObjetoBase* elemento) {
    if (VistaElemento* e = Editor(elemento)) e->Actualizar();
}

bool VistabdElementos::HayCambios(ObjetoBase* elemento) {
    VistaElemento* e = Editor(elemento);
    return e && e->HayCambios();
}
