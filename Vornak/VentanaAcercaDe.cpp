#include "Vornak/VentanaAcercaDe.h"

#include "comunes/Directorios.h"
#include "comunes/Idioma.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/image.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/memo.h"
#include "plataforma/gui/widgets/panels.h"

namespace {

// El logotipo de la instalación, si está.
void CargarLogotipo(TImage* imagen, const char* fichero) {
    AnsiString ruta = Directorios::Instancia()->RutaLibreria(fichero);
    if (!FileExists(ruta)) return;
    try {
        imagen->GetPicture()->LoadFromFile(ruta);
    } catch (const Exception&) {
        // Un logotipo que no se puede leer deja la caja sin él.
    }
}

} // namespace

TforAcercade::TforAcercade(TComponent* Owner) : TForm(Owner) {
    BeginLoading();
    SetName("forAcercade");
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu});
    SetPosition(poScreenCenter);
    SetCaption("Acerca de ...");
    GetFont()->SetName("MS Sans Serif");
    GetFont()->SetHeight(-11);
    SetClientWidth(400);
    SetClientHeight(300);

    pnPanel = new TPanel(this);
    pnPanel->SetName("pnPanel");
    pnPanel->SetParent(this);
    pnPanel->SetBounds(8, 8, 384, 200);
    pnPanel->SetBevelOuter(bvLowered);
    pnPanel->SetCaption("");

    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(pnPanel);
    Image1->SetBounds(8, 8, 96, 96);
    Image1->SetStretch(true);
    CargarLogotipo(Image1, "logo.jpg");

    lbEtiqueta = Etiqueta(pnPanel, "lbEtiqueta", "Gestor de Base de Datos ", 120, 16);
    lbEtiqueta->GetFont()->SetHeight(-16);
    lbEtiqueta->GetFont()->SetStyle({fsBold});

    Bevel1 = new TBevel(this);
    Bevel1->SetName("Bevel1");
    Bevel1->SetParent(pnPanel);
    Bevel1->SetBounds(120, 44, 254, 2);
    Bevel1->SetShape(bsTopLine);

    mmCreditos1 = Creditos(pnPanel, "mmCreditos1",
                           "Vornak: materiales, cerramientos, vidrios, marcos, huecos y puentes "
                           "térmicos de la certificación energética de edificios.",
                           120, 54, 254, 60);
    mmCreditos2 = Creditos(pnPanel, "mmCreditos2",
                           "Bases de datos \".BDC\", librerías, catálogo y XML.", 8, 124, 366, 60);

    Image2 = new TImage(this);
    Image2->SetName("Image2");
    Image2->SetParent(this);
    Image2->SetLeft(8);
    Image2->SetTop(214);
    Image2->SetAutoSize(true);
    CargarLogotipo(Image2, Idioma::Instancia()->Codigo() == 2 ? "logoNorvia.jpg" : "logo.jpg");
    if (Image2->GetWidth() > 120 || Image2->GetHeight() > 70) {
        Image2->SetAutoSize(false);
        Image2->SetStretch(true);
        Image2->SetBounds(8, 214, 120, 70);
    }

    lbTitulo = Etiqueta(this, "lbTitulo", "Vornak", 140, 16);
    lbTitulo->GetFont()->SetHeight(-20);
    lbTitulo->GetFont()->SetStyle({fsBold});
    lbCertificacion =
        Etiqueta(this, "lbCertificacion", "Certificación energética de edificios", 140, 48);
    lbFecha = Etiqueta(this, "lbFecha", "Diciembre de 2026", 140, 72);
    Version = Etiqueta(this, "Version", "Versión 1.0", 140, 92);
    mmCreditos3 = Creditos(this, "mmCreditos3",
                           "Base de datos de elementos constructivos para la certificación "
                           "energética.",
                           140, 116, 252, 60);
    mmCreditos3->SetEnabled(false);

    btnOK = new TButton(this);
    btnOK->SetName("btnOK");
    btnOK->SetParent(this);
    btnOK->SetBounds(317, 266, 75, 25);
    btnOK->SetCaption("OK");
    btnOK->SetDefault(true);
    btnOK->SetModalResult(mrOk);

    if (Idioma::Instancia()->Codigo() == 2) {
        pnPanel->SetVisible(false);
    } else {
        for (TControl* c :
             {static_cast<TControl*>(lbTitulo), static_cast<TControl*>(lbCertificacion),
              static_cast<TControl*>(Version), static_cast<TControl*>(lbFecha),
              static_cast<TControl*>(mmCreditos3)})
            c->SetVisible(false);
    }
    EndLoading();
}

TMemo* TforAcercade::Creditos(TWinControl* padre, const char* nombre, const char* texto, int x,
                              int y, int w, int h) {
    auto* memo = new TMemo(this);
    memo->SetName(nombre);
    memo->SetParent(padre);
    memo->SetBounds(x, y, w, h);
    memo->SetBorderStyle(bsNone);
    memo->SetReadOnly(true);
    memo->SetWordWrap(true);
    memo->SetParentColor(true);
    memo->SetText(texto);
    return memo;
}

TLabel* TforAcercade::Etiqueta(TWinControl* padre, const char* nombre, const char* texto, int x,
                               int y) {
    auto* etiqueta = new TLabel(this);
    etiqueta->SetName(nombre);
    etiqueta->SetParent(padre);
    etiqueta->SetLeft(x);
    etiqueta->SetTop(y);
    etiqueta->SetCaption(texto);
    return etiqueta;
}
