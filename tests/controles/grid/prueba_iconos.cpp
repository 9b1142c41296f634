// Services of the markup renderer that draw: shell icons, printed bitmaps and the rotated
// font.

#include "controles/grid/markup/markup_helpers.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

namespace {

int PintadosNoBlancos(TCanvas& c, int w, int h) {
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (c.GetPixels(x, y) != clWhite) ++n;
    return n;
}

} // namespace

TEST(IconosDelSistema, FicheroCarpetaClaseEIndice) {
    CarpetaTemporal carpeta;
    struct C {
        AnsiString nombre;
        bool grande;
        int lado;
    } casos[] = {{carpeta.Ruta(), false, 16},
                 {"informe.pdf", true, 32}, // no such file: by its extension
                 {"0", false, 16}};         // an index
    for (const C& c : casos) {
        TRecordingCanvas lienzo(40, 40);
        lienzo.GetBrush()->SetColor(clWhite);
        lienzo.FillRect(TRect(0, 0, 40, 40));
        TSize tam;
        DrawSystemIcon(&lienzo, 4, 4, tam, 1, false, false, c.grande, c.nombre);
        EXPECT_EQ(tam.cx, c.lado);
        EXPECT_EQ(PintadosNoBlancos(lienzo, 40, 40), 0); // measured, not drawn
        DrawSystemIcon(&lienzo, 4, 4, tam, 1, false, true, c.grande, c.nombre);
        EXPECT_GT(PintadosNoBlancos(lienzo, 40, 40), 0) << c.nombre.c_str();
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                if (x < 4 || y < 4 || x >= 4 + c.lado || y >= 4 + c.lado) {
                    ASSERT_EQ(lienzo.GetPixels(x, y), clWhite);
                }
            }
    }
}

TEST(IconosDelSistema, AlImprimirSeEscala) {
    TRecordingCanvas lienzo(80, 80);
    TCanvasRecorder rec(&lienzo);
    TSize tam;
    DrawSystemIcon(&lienzo, 10, 10, tam, 2.5, true, true, false, "x.txt");
    const auto estirados = rec.Calls("StretchDraw", true);
    ASSERT_EQ(estirados.size(), 1u);
    EXPECT_EQ(estirados[0].Args, (std::vector<int>{10, 10, 50, 50}));
}

TEST(Impresion, MapaEstiradoYFuenteGirada) {
    TBitmap b;
    b.SetSize(2, 2);
    b.GetCanvas()->GetBrush()->SetColor(clRed);
    b.GetCanvas()->FillRect(TRect(0, 0, 2, 2));
    TRecordingCanvas c(20, 20);
    PrintBitmap(&c, TRect(0, 0, 10, 10), &b);
    EXPECT_EQ(c.GetPixels(9, 9), clRed);
    EXPECT_NE(c.GetPixels(10, 10), clRed);
    c.GetFont()->SetOrientation(50);
    {
        TRotatedFont girada(&c, 90);
        EXPECT_EQ(c.GetFont()->GetOrientation(), 900);
    }
    EXPECT_EQ(c.GetFont()->GetOrientation(), 50);
}
