#include "Vornak/Ventanalibreria.h"

#include "Vornak/VistaGestorBD.h"

#include "controles/edit/edit_list_box.h"

#include "plataforma/gui/painting/colors.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/panels.h"

TforLibreria::TforLibreria(TComponent* Owner) : TforLibreria(Owner, nullptr) {}

TforLibreria::TforLibreria(TComponent* Owner, VistaGestorBD* controlador)
    : TForm(Owner), controlador(controlador) {
    BeginLoading();
    SetName("forLibreria");
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu});
    SetPosition(poScreenCenter);
    SetCaption("Elementos de la librería");
    GetFont()->SetName("MS Sans Serif");
    GetFont()->SetHeight(-11);
    SetClientWidth(560);
    SetClientHeight(372);

    Bevel1 = new TBevel(this);
    Bevel1->SetName("Bevel1");
    Bevel1->SetParent(this);
    Bevel1->SetBounds(8, 8, 544, 320);

    Label2 = Etiqueta("Label2", "Tipo", 20, 20);
    edTipo = new TEdit(this);
    edTipo->SetName("edTipo");
    edTipo->SetParent(this);
    edTipo->SetBounds(20, 36, 250, 21);
    edTipo->SetEnabled(false);
    edTipo->SetColor(clInactiveBorder);

    Label1 = Etiqueta("Label1", "Grupo", 290, 20);
    cbGrupo = new TComboBox(this);
    cbGrupo->SetName("cbGrupo");
    cbGrupo->SetParent(this);
    cbGrupo->SetBounds(290, 36, 250, 21);
    cbGrupo->SetStyle(csDropDownList);
    cbGrupo->OnChange = [this](TObject* s) { cbGrupoChange(s); };

    lbSeleccion = Etiqueta("lbSeleccion", "Elementos:", 20, 68);
    lbNSeleccionados = Lista("lbNSeleccionados", 20);

    lbNSeleccion = Etiqueta("lbNSeleccion", "Elementos seleccionados", 316, 68);
    lbSeleccionados = Lista("lbSeleccionados", 316);

    btnAgregar = Boton("btnAgregar", ">", 256, 120, 48);
    btnAgregarTodo = Boton("btnAgregarTodo", ">>", 256, 152, 48);
    btnEliminar = Boton("btnEliminar", "<", 256, 200, 48);
    btnEliminarTodo = Boton("btnEliminarTodo", "<<", 256, 232, 48);
    btnAceptar = Boton("btnAceptar", "&Aceptar", 396, 338, 75);
    btnCancelar = Boton("btnCancelar", "&Cancelar", 477, 338, 75);
    btnCancelar->SetDefault(true);
    btnCancelar->SetCancel(true);
    btnAgregar->OnClick = [this](TObject* s) { btnAgregarClick(s); };
    btnAgregarTodo->OnClick = [this](TObject* s) { btnAgregarTodoClick(s); };
    btnEliminar->OnClick = [this](TObject* s) { btnEliminarClick(s); };
    btnEliminarTodo->OnClick = [this](TObject* s) { btnEliminarTodoClick(s); };
    btnAceptar->OnClick = [this](TObject* s) { btnAceptarClick(s); };
    btnCancelar->OnClick = [this](TObject* s) { btnCancelarClick(s); };
    EndLoading();
}

TButton* TforLibreria::Boton(const char* nombre, const char* rotulo, int x, int y, int ancho) {
    auto* boton = new TButton(this);
    boton->SetName(nombre);
    boton->SetParent(this);
    boton->SetBounds(x, y, ancho, 25);
    boton->SetCaption(rotulo);
    return boton;
}

TEditListBox* TforLibreria::Lista(const char* nombre, int x) {
    auto* lista = new TEditListBox(this);
    lista->SetName(nombre);
    lista->SetParent(this);
    lista->SetBounds(x, 84, 224, 232);
    lista->SetAllowEdit(false);
    lista->SetAutoInsert(false);
    lista->SetAutoDelete(false);
    lista->GetPersist()->SetEnable(false);
    lista->SetSorted(true);
    // Un nombre más ancho que la lista se muestra entero en la pista al dejar el ratón encima.
    lista->SetShowHint(true);
    return lista;
}

TLabel* TforLibreria::Etiqueta(const char* nombre, const char* rotulo, int x, int y) {
    auto* etiqueta = new TLabel(this);
    etiqueta->SetName(nombre);
    etiqueta->SetParent(this);
    etiqueta->SetLeft(x);
    etiqueta->SetTop(y);
    etiqueta->SetCaption(rotulo);
    return etiqueta;
}

void TforLibreria::Rellenar() {
    if (controlador) controlador->LlenarListasLibreria(cbGrupo->GetText());
}

void TforLibreria::btnAgregarClick(TObject*) {
    if (controlador) controlador->AgregarSeleccion();
    Rellenar();
}

void TforLibreria::btnAgregarTodoClick(TObject*) {
    if (controlador) controlador->AgregarTodo();
    Rellenar();
}

void TforLibreria::btnEliminarClick(TObject*) {
    if (controlador) controlador->QuitarSeleccion();
    Rellenar();
}

void TforLibreria::btnEliminarTodoClick(TObject*) {
    if (controlador) controlador->QuitarTodo();
    Rellenar();
}

void TforLibreria::cbGrupoChange(TObject*) {
    if (!cbGrupo->GetText().IsEmpty()) Rellenar();
}

void TforLibreria::btnAceptarClick(TObject*) {
    SetModalResult(mrOk);
}

void TforLibreria::btnCancelarClick(TObject*) {
    Close();
}
