#pragma once
// TforAcercade: la caja "Acerca de ..." del gestor de bases de datos. La variante regional
// muestra el título, la certificación, la fecha y la versión; las demás, el panel con el
// nombre del programa y sus créditos.

#include "plataforma/gui/forms/forms.h"

class TBevel;
class TButton;
class TImage;
class TLabel;
class TMemo;
class TPanel;

class TforAcercade : public TForm {
public:
    explicit TforAcercade(TComponent* Owner);

    TPanel* pnPanel;
    TImage* Image1;
    TLabel* lbEtiqueta;
    TBevel* Bevel1;
    TMemo* mmCreditos1;
    TMemo* mmCreditos2;
    TImage* Image2;
    TLabel* lbTitulo;
    TLabel* lbCertificacion;
    TLabel* lbFecha;
    TLabel* Version;
    TMemo* mmCreditos3;
    TButton* btnOK;

private:
    TMemo* Creditos(TWinControl* padre, const char* nombre, const char* texto, int x, int y, int w,
                    int h);
    TLabel* Etiqueta(TWinControl* padre, const char* nombre, const char* texto, int x, int y);
};
