#pragma once
// TforGestorBD: la ventana hija de una base de datos abierta. A la izquierda el árbol de la
// base por tipos y grupos, a la derecha una página por tipo de elemento y, en el árbol, el
// menú contextual de crear, agrupar, eliminar y de las librerías. Todo lo que pasa en ella
// se lo pasa a su controlador (VistaGestorBD).

#include "plataforma/gui/forms/forms.h"

#include "comunes/Tipos.h"

#include <memory>

class TButton;
class TImageList;
class TMenuItem;
class TOpenDialog;
class TOpenPictureDialog;
class TPageControl;
class TPopupMenu;
class TSaveDialog;
class TSplitter;
class TTabSheet;
class TTreeNode;
class TTreeView;
class TXMLDocument;
class VistaGestorBD;

class TforGestorBD : public TForm {
public:
    TforGestorBD(TComponent* Owner, VistaGestorBD* controlador);
    // Sin controlador: sin la página de los puentes térmicos.
    explicit TforGestorBD(TComponent* Owner);
    ~TforGestorBD() override;

    // El controlador; nulo cuando la ventana se ha cerrado.
    VistaGestorBD* Controlador() const { return controlador; }
    // Quien la borra es su controlador: no hay que avisarle.
    void OlvidarControlador() { controlador = nullptr; }
    // La página del tipo (13, 12, 10, 11, 16 o 63); nula para otro tipo.
    TTabSheet* PaginaDeTipo(TipoObjeto tipo) const;
    // Lleva al frente la página del tipo y la de su categoría y la habilita.
    void MostrarPagina(TipoObjeto tipo);

    TTreeView* tvBaseDatos;
    TSplitter* Splitter1;
    TPageControl* pcBaseDatos;
    TTabSheet* tsOpacos;
    TTabSheet* tsSemitransparentes;
    TTabSheet* tsPuentes;
    TPageControl* pcOpacos;
    TTabSheet* tsMateriales;
    TTabSheet* tsCerramientos;
    TPageControl* pcSemitransparentes;
    TTabSheet* tsVidrios;
    TTabSheet* tsMarcos;
    TTabSheet* tsHuecos;
    TButton* btnAceptarMat;
    TButton* btnAceptarCer;
    TButton* btnAceptarAcr;
    TButton* btnAceptarMar;
    TButton* btnAceptarHue;
    TButton* btnAceptarPue;
    TImageList* imglIconos;
    TOpenPictureDialog* abrirImagenes;
    TOpenDialog* odCargarLibreria;
    TSaveDialog* sdGuardarLibreria;
    std::unique_ptr<TXMLDocument> _xml;

    TPopupMenu* pmBaseDatos;
    TMenuItem* pmnuMateriales;
    TMenuItem* pmnuCerramientos;
    TMenuItem* pmnuPuentes;
    TMenuItem* pmnuCGMat;
    TMenuItem* pmnuCGCer;
    TMenuItem* pmnuCambiarGMaterial;
    TMenuItem* pmnuCambiarGCerramiento;
    TMenuItem* pmnuCambiarGVidrio;
    TMenuItem* pmnuCambiarGMarco;
    TMenuItem* pmnuCambiarGHueco;
    TMenuItem* pmnuCGPue;
    TMenuItem* pmnuVidrios;
    TMenuItem* pmnuMarcos;
    TMenuItem* pmnuHuecos;
    TMenuItem* pmnuCGVid;
    TMenuItem* pmnuCGHue;
    TMenuItem* pmnuCGMar;
    TMenuItem* N18;
    TMenuItem* pmnuEliminar;
    TMenuItem* N17;
    TMenuItem* pmCargarLibreria;
    TMenuItem* pmnuGuardarLibreria;

    void tvBaseDatosChange(TObject* Sender, TTreeNode* Node);
    void tvBaseDatosCollapsed(TObject* Sender, TTreeNode* Node);
    void tvBaseDatosExpanded(TObject* Sender, TTreeNode* Node);
    void tvBaseDatosKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void tvBaseDatosKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void pmBaseDatosPopup(TObject* Sender);
    void pmnuEliminarClick(TObject* Sender);
    void pmCargarLibreriaClick(TObject* Sender);
    void pmnuGuardarLibreriaClick(TObject* Sender);
    void pcSemitransparentesChange(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

private:
    void Construir();
    TTabSheet* Pagina(TPageControl* control, const char* nombre, const char* rotulo);
    TButton* BotonAceptar(TTabSheet* pagina, const char* nombre, TipoObjeto tipo);
    TMenuItem* Item(const char* nombre, const char* rotulo);

    VistaGestorBD* controlador;
    // Una pulsación de Supr que llegó al árbol: el atajo del menú contextual no la tomó.
    bool suprEnArbol = false;
};
