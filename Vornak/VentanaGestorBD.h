#pragma once
// TforGestorBD: la ventana hija de una base de datos abierta. A la izquierda el árbol de la
// base por tipos y grupos, a la derecha una página por tipo de elemento y, en el árbol, el
// menú contextual de crear, agrupar, eliminar y de las librerías. Todo lo que pasa en ella
// se lo pasa a su controlador (VistaGestorBD).

#include "plataforma/gui/forms/forms.h"

#include "comunes/Tipos.h"

#include <memory>

class TBevel;
class TButton;
class TCheckBox;
class TComboBox;
class TControl;
class TEdit;
class TImage;
class TImageList;
class TKavComboBox;
class TKavEdit;
class TKavStringGrid;
class TLabel;
class TRadioButton;
class TMenuItem;
class TOpenDialog;
class TOpenPictureDialog;
class TPageControl;
class TPopupMenu;
class TSaveDialog;
class TScrollBox;
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
    // Donde están los controles de cada editor, dentro de su página: se desplaza cuando la
    // página no los muestra todos.
    TScrollBox* sbMateriales;
    TScrollBox* sbCerramientos;
    TScrollBox* sbVidrios;
    TScrollBox* sbMarcos;
    TScrollBox* sbHuecos;
    TScrollBox* sbPuentes;
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

    // Página de los materiales.
    TLabel* edGrupoMat;
    TLabel* lbNombreMat;
    TEdit* edNombreMat;
    TLabel* lbTipo;
    TKavComboBox* cbTipoMat;
    TLabel* lbPropiedades;
    TRadioButton* rbPropiedades;
    TRadioButton* rbResistencia;
    TLabel* lbEspesor;
    TKavEdit* edEspesor;
    TLabel* lbEspesorM;
    TLabel* lbConductividad;
    TLabel* lbConductividadL;
    TKavEdit* edConductividad;
    TLabel* lbConductividadM;
    TLabel* lbDensidad;
    TLabel* lbDensidadL;
    TKavEdit* edDensidad;
    TLabel* lbDensidadM;
    TLabel* lbCalor;
    TKavEdit* edCalor;
    TLabel* lbCalorM;
    TLabel* lbResistencia;
    TKavEdit* edResistencia;
    TLabel* lbResistenciaM;
    TLabel* lbVaporR;
    TKavEdit* edVaporR;
    TLabel* lbVaporRM;
    TLabel* lbVaporP;
    TLabel* lbVaporP2;
    TLabel* lbVaporPL;
    TKavEdit* edVaporP;
    TLabel* lbVaporPM;
    TLabel* lbDibujoMat;
    TEdit* edImagenMat;
    TButton* btnDibujoMat;
    TImage* imgDibujo;

    // Página de los cerramientos.
    TLabel* lbNombreCer;
    TEdit* edNombreCer;
    TLabel* lbGrupoCer;
    TLabel* edGrupoCer;
    TKavStringGrid* SG_Camaras;
    TLabel* lbGrupoMaterial;
    TKavComboBox* cbGrupoMaterial;
    TLabel* lbMaterialCer;
    TKavComboBox* losMateriales;
    TLabel* lbEspesorCer;
    TKavEdit* Edit1;
    TButton* btnNuevoMaterial;
    TButton* btnCambiarCer;
    TButton* btnEliminarCer;
    TButton* btnSubir;
    TButton* btnBajar;
    TLabel* lbU;
    TKavEdit* edU;
    TLabel* lbUM;
    TRadioButton* rbVertical;
    TRadioButton* rbHorizontal;
    TLabel* lbVerticales;
    TLabel* lbHorizontales;

    // Página de los vidrios.
    TLabel* Label3;
    TLabel* edGrupoAcr;
    TLabel* lbNombreAcr;
    TEdit* edNombreAcr;
    TLabel* Label15;
    TBevel* bvVidrio;
    TLabel* lbConductanciaAcr;
    TKavEdit* edConductanciaAcr;
    TLabel* lbConductanciaAcrM;
    TLabel* lbFactorSolarAcr;
    TKavEdit* edFactorSolarAcr;
    TLabel* lbFactorSolarAcrM;

    // Página de los marcos.
    TLabel* Label4;
    TLabel* edGrupoMar;
    TLabel* lbNombreMar;
    TEdit* edNombreMar;
    TLabel* lbConductanciaMar;
    TKavEdit* edFrameConduct;
    TLabel* lbConductanciaMarM;
    TLabel* lbAbsortividadMar;
    TLabel* lbAbsortividadMarL;
    TKavEdit* edFrameAbs;
    TLabel* lbAbsortividadMarM;
    TLabel* lbAnchoMar;
    TKavEdit* edFrameWidth;
    TLabel* lbAnchoMarM;

    // Página de los huecos.
    TLabel* lbGrupoHue;
    TLabel* edGrupoHue;
    TLabel* lbNombreHue;
    TEdit* edNombreHue;
    TLabel* lbGrupoVidrio;
    TKavComboBox* cbGrupoVidrio;
    TLabel* lbAcristalamiento;
    TKavComboBox* cbAcristalamiento;
    TLabel* lbGrupoMarco;
    TKavComboBox* cbGrupoMarco;
    TLabel* lbMarco;
    TKavComboBox* cbMarco;
    TLabel* lbPorcentajeHue;
    TKavEdit* edPorcentajeHue;
    TLabel* lbPorcentajeHueM;
    TLabel* lbPermeabilidadHue;
    TKavEdit* edPermeabilidadHue;
    TLabel* lbPermeabilidadHueM;
    TCheckBox* ChcPuerta;
    TLabel* lbConductanciaAHue;
    TKavEdit* edConductanciaAHue;
    TLabel* lbFactorsolarHue;
    TKavEdit* edFactorsolarHue;
    TLabel* lbConductanciaMHue;
    TKavEdit* edConductanciaMHue;
    TLabel* lbAbsortividadHue;
    TKavEdit* edAbsortividadHue;

    // Página de los puentes térmicos.
    TLabel* lbGrupoPue;
    TLabel* edGrupoPue;
    TLabel* lbNombrePue;
    TEdit* edNombrePue;
    TLabel* lbFi;
    TEdit* edFi;
    TLabel* lbEfe;
    TEdit* edEfe;
    TLabel* lbZona;
    TKavComboBox* cbZona;
    TLabel* lbDibujoPue;
    TEdit* edImagenPue;
    TButton* btnDibujoPue;
    TImage* imgDibujoPue;

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

    void tvBaseDatosChanging(TObject* Sender, TTreeNode* Node, bool& AllowChange);
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
    // Las páginas de los editores (VentanaGestorBDPaginas.cpp).
    void SG_CamarasSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void ChcPuertaClick(TObject* Sender);
    void btnDibujoClick(TipoObjeto tipo);
    // Una orden de capas del cerramiento; con calcularU, después la U.
    void OrdenCapa(void (VistaGestorBD::*orden)(TipoObjeto), bool calcularU);

private:
    void Construir();
    TTabSheet* Pagina(TPageControl* control, const char* nombre, const char* rotulo);
    TScrollBox* Contenido(TTabSheet* pagina, const char* nombre);
    TButton* BotonAceptar(TScrollBox* contenido, const char* nombre, TipoObjeto tipo);
    TMenuItem* Item(const char* nombre, const char* rotulo);
    // Los controles de cada página de editor y sus eventos.
    void ConstruirPaginas();
    void PaginaMateriales();
    void PaginaCerramientos();
    void PaginaVidrios();
    void PaginaMarcos();
    void PaginaHuecos();
    void PaginaPuentes();
    // Un rótulo en la página; vacío, sin texto.
    TLabel* Rotulo(TWinControl* pagina, const char* nombre, const char* texto, int x, int y);
    TEdit* Campo(TWinControl* pagina, const char* nombre, int x, int y, int ancho);
    // Un campo numérico: alineado a la derecha, gris claro cuando está desactivado.
    TKavEdit* CampoNumerico(TWinControl* pagina, const char* nombre, int x, int y, int ancho);
    TKavComboBox* Lista(TWinControl* pagina, const char* nombre, int x, int y, int ancho,
                        bool ordenada);
    TButton* Boton(TWinControl* pagina, const char* nombre, const char* texto, int x, int y,
                   int ancho);
    // El evento de un control que vuelve a mostrar el editor de ese tipo.
    TNotifyEvent Refrescar(TipoObjeto tipo);

    VistaGestorBD* controlador;
    // Una pulsación de Supr que llegó al árbol: el atajo del menú contextual no la tomó.
    bool suprEnArbol = false;
};
