#include "Vornak/Ventananuevogrupo.h"

#include "Vornak/VistaGestorBD.h"

#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"

TforNombreGrupo::TforNombreGrupo(TComponent* Owner) : TforNombreGrupo(Owner, nullptr) {}

TforNombreGrupo::TforNombreGrupo(TComponent* Owner, VistaGestorBD* controlador)
    : TForm(Owner), controlador(controlador) {
    BeginLoading();
    SetName("forNombreGrupo");
    SetBorderStyle(bsDialog);
    SetBorderIcons({biSystemMenu});
    SetPosition(poScreenCenter);
    SetCaption("Nuevo grupo");
    GetFont()->SetName("MS Sans Serif");
    GetFont()->SetHeight(-11);
    SetClientWidth(265);
    SetClientHeight(97);

    Label1 = new TLabel(this);
    Label1->SetName("Label1");
    Label1->SetParent(this);
    Label1->SetBounds(16, 16, 90, 13);
    Label1->SetCaption("Nombre del grupo");

    edGrupo = new TEdit(this);
    edGrupo->SetName("edGrupo");
    edGrupo->SetParent(this);
    edGrupo->SetBounds(16, 32, 233, 21);
    edGrupo->SetMaxLength(32);
    edGrupo->SetText("Grupo nuevo");
    Label1->SetFocusControl(edGrupo);

    btnAceptar = new TButton(this);
    btnAceptar->SetName("btnAceptar");
    btnAceptar->SetParent(this);
    btnAceptar->SetBounds(93, 64, 75, 25);
    btnAceptar->SetCaption("Aceptar");
    btnAceptar->SetDefault(true);
    btnAceptar->OnClick = [this](TObject* s) { btnAceptarClick(s); };

    btnCancelar = new TButton(this);
    btnCancelar->SetName("btnCancelar");
    btnCancelar->SetParent(this);
    btnCancelar->SetBounds(174, 64, 75, 25);
    btnCancelar->SetCaption("Cancelar");
    btnCancelar->SetCancel(true);
    btnCancelar->OnClick = [this](TObject* s) { btnCancelarClick(s); };
    EndLoading();
}

void TforNombreGrupo::btnAceptarClick(TObject*) {
    // Un nombre que el controlador rechaza deja el diálogo abierto para otro intento.
    if (!controlador || controlador->AceptarNombreGrupo()) SetModalResult(mrOk);
}

void TforNombreGrupo::btnCancelarClick(TObject*) {
    Close();
}
