#pragma once
// TforLibreria: el diálogo que elige, por grupos, qué elementos de un tipo pasan de una
// librería a la base abierta o de la base abierta a una librería. Quien lo llena y lee es
// el controlador que lo abre; el diálogo solo le pasa sus botones.

#include "plataforma/gui/forms/forms.h"

class TBevel;
class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TEditListBox;
class VistaGestorBD;

class TforLibreria : public TForm {
public:
    explicit TforLibreria(TComponent* Owner);
    TforLibreria(TComponent* Owner, VistaGestorBD* controlador);

    TBevel* Bevel1;
    TLabel* Label2;
    TEdit* edTipo;
    TLabel* Label1;
    TComboBox* cbGrupo;
    TLabel* lbSeleccion;
    TEditListBox* lbNSeleccionados;
    TLabel* lbNSeleccion;
    TEditListBox* lbSeleccionados;
    TButton* btnAgregar;
    TButton* btnAgregarTodo;
    TButton* btnEliminar;
    TButton* btnEliminarTodo;
    TButton* btnAceptar;
    TButton* btnCancelar;

    void btnAgregarClick(TObject* Sender);
    void btnAgregarTodoClick(TObject* Sender);
    void btnEliminarClick(TObject* Sender);
    void btnEliminarTodoClick(TObject* Sender);
    void cbGrupoChange(TObject* Sender);
    void btnAceptarClick(TObject* Sender);
    void btnCancelarClick(TObject* Sender);

private:
    // Las dos listas, de nuevo, para el grupo que muestra cbGrupo.
    void Rellenar();
    TButton* Boton(const char* nombre, const char* rotulo, int x, int y, int ancho);
    TLabel* Etiqueta(const char* nombre, const char* rotulo, int x, int y);
    // Una lista de nombres: sin edición, inserción ni borrado propios, ordenada.
    TEditListBox* Lista(const char* nombre, int x);

    VistaGestorBD* controlador;
};
