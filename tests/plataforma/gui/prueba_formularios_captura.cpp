// Captures of forms with Spanish captions, for a person to look at (capturas/ in the build
// tree), and the frame drawn around them.

#include "tests/comun/pruebas.h"
#include "tests/plataforma/gui/menu_prueba.h"

#include "plataforma/base/files.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/colors.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/widgets/button.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

TButton* Boton(TForm* f, const char* texto, int x, int y, int ancho = 100) {
    auto* b = new TButton(f);
    b->SetParent(f);
    b->SetCaption(texto);
    b->SetBounds(x, y, ancho, 25);
    return b;
}

QImage Cargar(const AnsiString& ruta) {
    return QImage(QString::fromStdString(NativePath(ruta)));
}

bool Parecido(QColor a, TColor b) {
    QColor c = ToQColor(b);
    return std::abs(a.red() - c.red()) < 8 && std::abs(a.green() - c.green()) < 8 &&
           std::abs(a.blue() - c.blue()) < 8;
}

TEST(Capturas, UnFormularioConTildesYEnes) {
    TForm f(nullptr);
    f.SetCaption("Elementos de la librería — Añadir");
    f.SetBorderStyle(bsSingle);
    f.SetBounds(0, 0, 420, 200);
    auto* menu = new TMainMenu(&f);
    Item(&f, menu->GetItems(), "&Archivo");
    Item(&f, menu->GetItems(), "&Edición");
    Item(&f, menu->GetItems(), "Ve&ntana");
    f.SetMenu(menu);
    Boton(&f, "Añadir proyecto", 10, 20, 120);
    Boton(&f, "Cálculo", 140, 20);
    Boton(&f, "¿Es una puerta?", 250, 20, 140);
    auto* aceptar = Boton(&f, "&Aceptar", 200, 110);
    aceptar->SetDefault(true);
    Boton(&f, "&Cancelar", 310, 110, 90);
    f.Show();
    AnsiString ruta = SaveCapture(&f, "formulario_tildes");
    ASSERT_FALSE(ruta.IsEmpty());
    EXPECT_EQ(ExtractFileName(ruta), "formulario_tildes.png");
    EXPECT_EQ(
        ExtractFileName(ExtractFilePath(ruta).SubString(1, ExtractFilePath(ruta).Length() - 1)),
        "capturas");
    QImage img = Cargar(ruta);
    ASSERT_FALSE(img.isNull());
    // The outer size, with the classic caption bar and the form's face inside.
    EXPECT_EQ(img.size(), QSize(420, 200));
    EXPECT_TRUE(Parecido(img.pixelColor(4, 5), clActiveCaption));
    EXPECT_TRUE(Parecido(img.pixelColor(5, 190), clBtnFace));
    // The caption's text is drawn in the caption bar.
    int claros = 0;
    for (int x = 5; x < 200; ++x)
        for (int y = 5; y < 18; ++y)
            if (Parecido(img.pixelColor(x, y), clCaptionText)) ++claros;
    EXPECT_GT(claros, 50);
}

TEST(Capturas, UnMarcoMdiConDosHijas) {
    TForm marco(nullptr);
    marco.SetFormStyle(fsMDIForm);
    marco.SetCaption("Gestión de la Base de Datos");
    marco.SetBounds(0, 0, 640, 420);
    auto* menu = new TMainMenu(&marco);
    auto* archivo = Item(&marco, menu->GetItems(), "&Archivo");
    Item(&marco, archivo, "Guardar como ", ShortCut('G', {ssCtrl}));
    Item(&marco, menu->GetItems(), "Edición");
    auto* ventana = Item(&marco, menu->GetItems(), "Ventana");
    Item(&marco, ventana, "Cascada");
    marco.SetMenu(menu);
    marco.SetWindowMenu(ventana);
    marco.Show();
    for (const char* titulo : {"Base de datos - Catálogo", "Base de datos - Señales"}) {
        auto* hija = new TForm(&marco);
        hija->SetFormStyle(fsMDIChild);
        hija->SetCaption(titulo);
        Boton(hija, "Añadir", 10, 10);
    }
    marco.Cascade();
    AnsiString ruta = SaveCapture(&marco, "marco_mdi");
    ASSERT_FALSE(ruta.IsEmpty());
    QImage img = Cargar(ruta);
    EXPECT_EQ(img.size(), QSize(640, 420));
    // The MDI area's workspace colour shows below the lower child's left edge.
    EXPECT_TRUE(Parecido(img.pixelColor(10, 410), clAppWorkSpace));
}

} // namespace
