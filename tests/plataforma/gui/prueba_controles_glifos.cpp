// Buttons with glyphs and pictures: the stock kinds of TBitBtn, where its glyph goes, the
// groups of TSpeedButton, and TImage with a JPEG file read from disk.

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/jpeg.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/colors.h"
#include "plataforma/gui/widgets/buttons_extra.h"
#include "plataforma/gui/widgets/image.h"
#include "tests/comun/carpeta_temporal.h"

#include <QWidget>

#include <cstdlib>

namespace {

// A glyph strip: each image a square of one colour on a magenta background (transparent).
void Tira(TBitmap& b, std::initializer_list<TColor> colores) {
    const int n = static_cast<int>(colores.size());
    b.SetSize(12 * n, 12);
    b.GetCanvas()->GetBrush()->SetColor(clFuchsia);
    b.GetCanvas()->FillRect(Rect(0, 0, 12 * n, 12));
    int i = 0;
    for (TColor c : colores) {
        b.GetCanvas()->GetBrush()->SetColor(c);
        b.GetCanvas()->FillRect(Rect(12 * i + 2, 2, 12 * i + 10, 10));
        ++i;
    }
}

// The columns where a colour appears in an image.
std::pair<int, int> Columnas(const QImage& img, QColor color) {
    int a = -1, b = -1;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (img.pixelColor(x, y) == color) {
                if (a < 0) a = x;
                b = x;
            }
    return {a, b};
}

class Glifos : public PruebaControles {};

TEST_F(Glifos, LasClasesDeTBitBtnYElSitioDelGlifo) {
    auto* b = new TBitBtn(ventana.get());
    b->SetParent(ventana.get());
    b->SetBounds(10, 10, 120, 30);
    struct Caso {
        TBitBtnKind clase;
        const char* caption;
        TModalResult resultado;
        bool glifo;
    } casos[] = {{bkOK, "Aceptar", mrOk, true},
                 {bkCancel, "Cancelar", mrCancel, true},
                 {bkYes, "&Sí", mrYes, true},
                 {bkRetry, "&Reintentar", mrRetry, false}};
    for (const Caso& c : casos) {
        b->SetKind(c.clase);
        EXPECT_EQ(b->GetCaption(), c.caption);
        EXPECT_EQ(b->GetModalResult(), c.resultado);
        EXPECT_EQ(!b->GetGlyph()->GetEmpty(), c.glifo) << c.caption;
    }

    b->SetKind(bkCustom);
    b->SetCaption("Texto");
    TBitmap tira;
    Tira(tira, {clRed, clBlue});
    b->SetGlyph(&tira);
    EXPECT_EQ(b->GetNumGlyphs(), 2);
    const QColor rojo(255, 0, 0), azul(0, 0, 255);
    QImage izquierda = b->GetWidget()->grab().toImage();
    auto [ri, rf] = Columnas(izquierda, rojo);
    ASSERT_GE(ri, 0);
    EXPECT_LT(rf, 60);
    EXPECT_EQ(rf - ri, 7); // one image of the strip, its margin transparent
    EXPECT_EQ(Columnas(izquierda, azul).first, -1);
    EXPECT_NE(izquierda.pixelColor(ri - 1, izquierda.height() / 2), QColor(255, 0, 255));
    b->SetLayout(blGlyphRight);
    QImage derecha = b->GetWidget()->grab().toImage();
    EXPECT_GT(Columnas(derecha, rojo).first, 60);
    // Disabled, the second image.
    b->SetEnabled(false);
    QImage apagado = b->GetWidget()->grab().toImage();
    EXPECT_EQ(Columnas(apagado, rojo).first, -1);
    EXPECT_GE(Columnas(apagado, azul).first, 0);
}

TEST_F(Glifos, LosSpeedButtonDeUnGrupoSeQuedanAbajoDeUnoEnUno) {
    std::vector<TSpeedButton*> b;
    std::vector<int> clics;
    for (int i = 0; i < 3; ++i) {
        auto* s = new TSpeedButton(ventana.get());
        s->SetParent(ventana.get());
        s->SetBounds(10 + 30 * i, 10, 25, 25);
        s->SetGroupIndex(1);
        s->OnClick = [&clics, i](TObject*) { clics.push_back(i); };
        b.push_back(s);
    }
    b[0]->SetDown(true); // the program: no click
    EXPECT_TRUE(clics.empty());
    SimulateClick(b[2], 5, 5);
    EXPECT_TRUE(b[2]->GetDown());
    EXPECT_FALSE(b[0]->GetDown());
    // The only one down stays down unless all may be up.
    SimulateClick(b[2], 5, 5);
    EXPECT_TRUE(b[2]->GetDown());
    b[1]->SetAllowAllUp(true);
    EXPECT_TRUE(b[2]->GetAllowAllUp());
    SimulateClick(b[2], 5, 5);
    EXPECT_FALSE(b[2]->GetDown());
    EXPECT_EQ(clics, (std::vector<int>{2, 2, 2}));
    // A press released outside is no click.
    SimulateMouse(b[1], SimulatedMouse::Down, 0, 5, 5);
    SimulateMouse(b[1], SimulatedMouse::Up, 0, 80, 5);
    EXPECT_FALSE(b[1]->GetDown());
    EXPECT_EQ(clics.size(), 3u);
    // Outside a group a button is never down.
    auto* suelto = new TSpeedButton(ventana.get());
    suelto->SetParent(ventana.get());
    suelto->SetDown(true);
    EXPECT_FALSE(suelto->GetDown());
}

// A transparent speed button draws no face: the parent's colour shows through it, up or
// pressed, flat or not; its edges are still drawn. An opaque one has the button face.
TEST_F(Glifos, ElSpeedButtonTransparenteDejaVerElFondoDelPadre) {
    ventana->SetColor(clAqua);
    auto* s = new TSpeedButton(ventana.get());
    s->SetParent(ventana.get());
    s->SetBounds(20, 20, 25, 25);
    EXPECT_FALSE(s->GetTransparent());
    const QColor aqua(0, 255, 255);
    const TColor cara = ColorToRGB(clBtnFace);
    const QColor colorCara(GetRValue(cara), GetGValue(cara), GetBValue(cara));
    auto pixel = [&](int x, int y) {
        return ventana->GetWidget()->grab().toImage().pixelColor(20 + x, 20 + y);
    };
    for (const bool plano : {false, true})
        for (const bool transparente : {false, true})
            for (const bool pulsado : {false, true}) {
                SCOPED_TRACE(testing::Message() << (plano ? "plano" : "en relieve") << ", "
                                                << (transparente ? "transparente" : "opaco")
                                                << (pulsado ? ", pulsado" : ""));
                s->SetFlat(plano);
                s->SetTransparent(transparente);
                EXPECT_EQ(s->GetTransparent(), transparente);
                if (pulsado) SimulateMouse(s, SimulatedMouse::Down, 0, 12, 12);
                EXPECT_EQ(pixel(12, 12), transparente ? aqua : colorCara);
                if (!plano || pulsado) EXPECT_NE(pixel(0, 0), aqua); // the edge
                if (pulsado) SimulateMouse(s, SimulatedMouse::Up, 0, 12, 12);
            }
}

TEST_F(Glifos, TImageLeeUnJpegYSeAjustaCentraOEstira) {
    CarpetaTemporal carpeta;
    TBitmap origen;
    origen.SetSize(40, 20);
    origen.GetCanvas()->GetBrush()->SetColor(clRed);
    origen.GetCanvas()->FillRect(Rect(0, 0, 40, 20));
    TJPEGImage jpeg;
    jpeg.Assign(&origen);
    const AnsiString fichero = carpeta.Ruta() + "dibujo.jpg";
    jpeg.SaveToFile(fichero);

    auto* img = new TImage(ventana.get());
    img->SetParent(ventana.get());
    img->SetBounds(10, 10, 100, 100);
    img->SetAutoSize(true);
    img->GetPicture()->LoadFromFile(fichero);
    EXPECT_EQ(img->GetWidth(), 40);
    EXPECT_EQ(img->GetHeight(), 20);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(img->GetPicture()->GetGraphic()), nullptr);
    auto rojizo = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    QImage v = ventana->GetWidget()->grab().toImage();
    EXPECT_TRUE(rojizo(v.pixelColor(30, 20)));

    img->SetAutoSize(false);
    img->SetBounds(10, 10, 100, 100);
    img->SetCenter(true);
    v = ventana->GetWidget()->grab().toImage();
    EXPECT_TRUE(rojizo(v.pixelColor(10 + 50, 10 + 50)));
    EXPECT_FALSE(rojizo(v.pixelColor(10 + 5, 10 + 5)));
    img->SetStretch(true);
    v = ventana->GetWidget()->grab().toImage();
    EXPECT_TRUE(rojizo(v.pixelColor(10 + 5, 10 + 95)));

    // Its canvas draws on a bitmap; a JPEG has none.
    EXPECT_THROW(img->GetCanvas(), EInvalidOperation);
    TImage vacia(nullptr);
    EXPECT_NE(vacia.GetCanvas(), nullptr);
    EXPECT_EQ(vacia.GetPicture()->GetWidth(), 105);
}

} // namespace
