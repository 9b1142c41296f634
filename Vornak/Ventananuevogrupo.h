#pragma once
// TforNombreGrupo: el diálogo que pide el nombre de un grupo nuevo, o el nombre nuevo de un
// grupo. Quien decide es el controlador que lo abre: el diálogo solo se cierra cuando el
// controlador acepta el nombre.

#include "plataforma/gui/forms/forms.h"

class TButton;
class TEdit;
class TLabel;
class VistaGestorBD;

class TforNombreGrupo : public TForm {
public:
    explicit TforNombreGrupo(TComponent* Owner);
    TforNombreGrupo(TComponent* Owner, VistaGestorBD* controlador);

    TLabel* Label1;
    TEdit* edGrupo;
    TButton* btnAceptar;
    TButton* btnCancelar;

    void btnAceptarClick(TObject* Sender);
    void btnCancelarClick(TObject* Sender);

private:
    VistaGestorBD* controlador;
};
