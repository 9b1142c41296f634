// Drawing utilities, checked by their pixels and by the calls a recording canvas logs.

#include "controles/comun/drawing_utils.h"
#include "controles/comun/visual_styles.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/panels.h"
#include "tests/controles/comun/texto_prueba.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TColor Px(TCanvas& c, int x, int y) {
    return c.GetPixels(x, y);
}

void Limpiar(TCanvas& c, int w, int h, TColor fondo = clWhite) {
    c.GetBrush()->SetColor(fondo);
    c.FillRect(TRect(0, 0, w, h));
}

struct Temas {
    explicit Temas(bool activos) { SetThemeActive(activos); }
    ~Temas() { SetThemeActive(false); }
};

} // namespace

TEST(Degradado, FranjasDeColorSinSalirDelRectangulo) {
    TRecordingCanvas c(60, 30);
    Limpiar(c, 60, 30, clBlue);
    DrawGradient(&c, clBlack, clWhite, 4, TRect(10, 5, 50, 25), true);
    const int esperado[4] = {0, 64, 128, 191}; // round(i x 255 / 4)
    for (int i = 0; i < 4; ++i) {
        const int v = esperado[i];
        EXPECT_EQ(Px(c, 10 + i * 10 + 5, 15), RGB(v, v, v)) << "franja " << i;
    }
    EXPECT_EQ(Px(c, 50, 15), clBlue); // the last strip stops at the edge
    EXPECT_EQ(Px(c, 9, 15), clBlue);
    EXPECT_EQ(Px(c, 20, 4), clBlue);
    DrawGradient(&c, clBlack, clWhite, 2, TRect(0, 0, 10, 30), false); // top to bottom
    EXPECT_EQ(Px(c, 5, 3), clBlack);
    EXPECT_EQ(Px(c, 5, 20), RGB(128, 128, 128));
}

TEST(Degradado, CeroPasosYSinSegundoColor) {
    TRecordingCanvas c(20, 20);
    Limpiar(c, 20, 20);
    DrawGradient(&c, clRed, clBlue, 0, TRect(0, 0, 20, 20), true);
    EXPECT_EQ(Px(c, 0, 0), clRed);
    EXPECT_EQ(Px(c, 19, 19), clRed);
    DrawGradient(&c, clLime, clNone, 8, TRect(2, 2, 10, 10), true);
    EXPECT_EQ(Px(c, 2, 2), clLime);
    EXPECT_EQ(Px(c, 9, 9), clLime);
    EXPECT_EQ(Px(c, 10, 10), clRed);
}

TEST(Degradado, ColorEnUnPunto) {
    EXPECT_EQ(GradientAt(clBtnFace, clNone, 0, 10, 5), clBtnFace); // unconverted
    EXPECT_EQ(GradientAt(clBlack, RGB(200, 100, 0), 0, 100, 50), RGB(100, 50, 0));
    EXPECT_EQ(GradientAt(clBlack, RGB(200, 100, 0), 0, 100, 100), RGB(200, 100, 0));
    EXPECT_EQ(GradientAt(clBtnFace, clWhite, 5, 5, 5), static_cast<TColor>(ColorToRGB(clBtnFace)));
}

TEST(Progreso, BarraSinFormatoConElPorcentaje) {
    TRecordingCanvas c(110, 24);
    Limpiar(c, 110, 24, clYellow);
    TCanvasRecorder rec(&c);
    c.GetBrush()->SetColor(clAqua);
    DrawProgressLin(&c, TRect(0, 0, 102, 20), clNavy, clWhite, clSilver, clBlack, 40, 1, 1, 0, 100,
                    "", clRed, false);
    const auto textos = rec.Calls("TextRect", true);
    ASSERT_EQ(textos.size(), 2u);
    EXPECT_EQ(textos[0].Text, "40%");
    EXPECT_EQ(textos[0].Args[2], 41); // the filled part ends at 1 + 40
    EXPECT_EQ(textos[1].Args[0], 41);
    EXPECT_EQ(Px(c, 40, 18), clNavy);
    EXPECT_EQ(Px(c, 41, 18), clSilver);
    EXPECT_EQ(Px(c, 0, 0), clRed);     // the frame
    EXPECT_EQ(Px(c, 102, 10), clAqua); // the outer frame in the brush colour
    EXPECT_EQ(c.GetBrush()->GetColor(), clAqua);
}

TEST(Progreso, ConFormatoLaParteVaDeMinimoAMaximo) {
    struct Caso {
        int pos, min, max;
        const char* formato;
        const char* texto;
        int finLleno;
    } casos[] = {{75, 50, 100, "%d kg", "75 kg", 51},
                 {7, 5, 5, "%d", "7", 1},
                 {150, 0, 100, "%d%%", "150%", 101},
                 {-20, 0, 100, "%5d", "  -20", 1},
                 {10, 0, 100, "%s %n", "%s %n", 11}};
    for (const Caso& k : casos) {
        TRecordingCanvas c(110, 24);
        TCanvasRecorder rec(&c);
        DrawProgressLin(&c, TRect(0, 0, 102, 20), clNavy, clWhite, clSilver, clBlack, k.pos, 1, 1,
                        k.min, k.max, k.formato, clNone, false);
        const auto textos = rec.Calls("TextRect", true);
        ASSERT_EQ(textos.size(), 2u);
        EXPECT_EQ(textos[0].Text, k.texto) << k.formato;
        EXPECT_EQ(textos[0].Args[2], k.finLleno) << k.formato;
    }
}

TEST(Progreso, TartaCreceEnSentidoHorario) {
    TRecordingCanvas c(60, 60);
    Limpiar(c, 60, 60);
    TCanvasRecorder rec(&c);
    DrawProgressPie(&c, TRect(10, 10, 51, 51), clRed, 25, false);
    const auto lineas = rec.Calls("LineTo", true);
    ASSERT_EQ(lineas.size(), 2u);
    EXPECT_EQ(lineas[0].Args, (std::vector<int>{30, 30}));
    EXPECT_EQ(lineas[1].Args, (std::vector<int>{51, 30})); // three o'clock
    EXPECT_EQ(Px(c, 40, 20), clRed);
    EXPECT_EQ(Px(c, 20, 20), clWhite);
    EXPECT_EQ(Px(c, 40, 40), clWhite);
    Limpiar(c, 60, 60);
    DrawProgressPie(&c, TRect(10, 10, 51, 51), clRed, 0, false);
    EXPECT_EQ(Px(c, 40, 20), clWhite); // nothing filled at 0 %
}

TEST(Indicador, ValorFueraDelRangoLlenaLaMitad) {
    TRecordingCanvas c(104, 20);
    Limpiar(c, 104, 20);
    TCanvasRecorder rec(&c);
    DrawRangeIndicator(&c, TRect(0, 0, 104, 20), 250, 100, true, clRed, clGreen);
    EXPECT_EQ(Px(c, 101, 17), clGreen); // below the shown value
    EXPECT_EQ(Px(c, 52, 17), clGreen);
    EXPECT_EQ(Px(c, 51, 17), clWhite);
    const auto textos = rec.Calls("DrawText", true);
    ASSERT_EQ(textos.size(), 1u);
    EXPECT_EQ(textos[0].Text, "100");
    Limpiar(c, 104, 20);
    DrawRangeIndicator(&c, TRect(0, 0, 104, 20), -50, 100, false, clRed, clGreen);
    EXPECT_EQ(Px(c, 27, 10), clRed);
    EXPECT_EQ(Px(c, 51, 10), clRed);
    EXPECT_EQ(Px(c, 26, 10), clWhite);
    EXPECT_EQ(Px(c, 52, 10), clWhite);
    rec.Clear();
    DrawRangeIndicator(&c, TRect(0, 0, 104, 20), 5, 0, false, clRed, clGreen);
    EXPECT_EQ(rec.Count("Rectangle"), 0); // no range, no bar
}

TEST(Onda, BajoLosCaracteresMarcados) {
    TPanel panel(nullptr);
    panel.SetBounds(0, 0, 300, 40);
    TRecordingCanvas c(300, 40);
    TCanvasRecorder rec(&c);
    const AnsiString texto = "Hola mundo cruel";
    DrawErrorLines(&panel, &c, texto, TRect(10, 5, 290, 30), 2, 5, 5);
    EXPECT_EQ(panel.GetControlCount(), 0); // the measuring edit is gone
    // The same layout, measured apart.
    TEdit medida(&panel);
    medida.SetParent(&panel);
    medida.SetBounds(10, 5, 280, 25);
    medida.SetText(texto);
    const LRESULT ini = medida.Perform(EM_POSFROMCHAR, 5, 0);
    const LRESULT fin = medida.Perform(EM_POSFROMCHAR, 9, 0);
    const int x0 = static_cast<short>(LOWORD(ini)), y0 = static_cast<short>(HIWORD(ini));
    const int x1 = static_cast<short>(LOWORD(fin));
    ASSERT_GT(x1, x0);
    const auto mover = rec.Calls("MoveTo", true);
    ASSERT_EQ(mover.size(), 1u);
    EXPECT_EQ(mover[0].Args, (std::vector<int>{10 + x0, 5 + y0 + 2 + 3}));
    const auto lineas = rec.Calls("LineTo", true);
    ASSERT_GE(lineas.size(), 3u);
    EXPECT_EQ(lineas[0].PenColor, 0x0000FFu);
    EXPECT_EQ(lineas[0].PenWidth, 2);
    EXPECT_EQ(lineas[0].Args[1], 5 + y0 + 2);     // down
    EXPECT_EQ(lineas[1].Args[1], 5 + y0 + 2 + 3); // and up again
    EXPECT_GE(lineas.back().Args[0], 10 + x1 + 3);
    EXPECT_LE(lineas.back().Args[0], 10 + x1 + 6);
}

TEST(Onda, TextoMasCortoQueLaMarca) {
    TPanel panel(nullptr);
    panel.SetBounds(0, 0, 300, 40);
    TRecordingCanvas c(300, 40);
    TCanvasRecorder rec(&c);
    DrawErrorLines(&panel, &c, "ab", TRect(0, 0, 200, 25), 0, 5, 10);
    EXPECT_GE(rec.Count("LineTo"), 1);
    DrawErrorLines(&panel, &c, "", TRect(0, 0, 200, 25), 0, 0, 1);
}

TEST(BotonCombo, ClasicoOTematico) {
    TRecordingCanvas c(100, 22);
    {
        TCanvasRecorder rec(&c);
        DrawComboButton(&c, nullptr, TRect(0, 0, 100, 22), true, false); // themes off: classic
        const auto marcos = rec.Calls("DrawFrameControl", true);
        ASSERT_EQ(marcos.size(), 1u);
        EXPECT_EQ(std::vector<int>(marcos[0].Args.begin(), marcos[0].Args.begin() + 4),
                  (std::vector<int>{82, 1, 98, 21}));
    }
    const Temas temas(true);
    TCanvasRecorder rec(&c);
    DrawComboButton(&c, nullptr, TRect(0, 0, 100, 22), true, false);
    EXPECT_EQ(rec.Count("DrawFrameControl"), 0);
    const auto fondos = rec.Calls("DrawThemeBackground", true);
    ASSERT_EQ(fondos.size(), 1u);
    rec.Clear();
    DrawComboButton(&c, nullptr, TRect(0, 0, 100, 22), false, false); // the control's own look
    EXPECT_EQ(rec.Count("DrawFrameControl"), 1);
}

TEST(MapaTransparente, CambiaElColorDeFondo) {
    TBitmap b;
    b.SetSize(4, 4);
    b.GetCanvas()->GetBrush()->SetColor(clFuchsia);
    b.GetCanvas()->FillRect(TRect(0, 0, 4, 4));
    b.GetCanvas()->SetPixels(2, 2, clRed);
    TRecordingCanvas c(20, 20);
    Limpiar(c, 20, 20, clBlue);
    DrawBitmapTransp(&c, &b, clLime, TRect(10, 10, 20, 20));
    EXPECT_EQ(Px(c, 10, 10), clLime);
    EXPECT_EQ(Px(c, 12, 12), clRed);
    EXPECT_EQ(Px(c, 14, 14), clBlue); // natural size, not the rectangle's
    EXPECT_EQ(DarkenColor(RGB(200, 101, 50)), RGB(100, 50, 25));
    const COLORREF cara = ColorToRGB(clBtnFace);
    EXPECT_EQ(DarkenColor(clBtnFace),
              RGB(GetRValue(cara) / 2, GetGValue(cara) / 2, GetBValue(cara) / 2));
}

TEST(VentanasEnCapas, OpacidadDeUnaVentanaDeNivelSuperior) {
    auto f = std::make_unique<TForm>(nullptr);
    f->SetBounds(10, 10, 200, 100);
    f->Show();
    BYTE alfa = 0;
    EXPECT_TRUE(DynaLink_SetLayeredWindowAttributes(f->GetHandle(), 0, 128, LWA_ALPHA));
    ASSERT_TRUE(GetLayeredWindowAttributes(f->GetHandle(), nullptr, &alfa, nullptr));
    EXPECT_EQ(alfa, 128);
    BLENDFUNCTION mezcla{AC_SRC_OVER, 0, 64, 0};
    TPoint donde(30, 40);
    TSize tam{150, 80};
    EXPECT_TRUE(DynaLink_UpdateLayeredWindow(f->GetHandle(), nullptr, &donde, &tam, nullptr,
                                             nullptr, 0, &mezcla, ULW_ALPHA));
    GetLayeredWindowAttributes(f->GetHandle(), nullptr, &alfa, nullptr);
    EXPECT_EQ(alfa, 64);
    EXPECT_EQ(f->GetLeft(), 30);
    EXPECT_EQ(f->GetWidth(), 150);
    // A colour key has no counterpart: done by nothing, and the window keeps its opacity.
    EXPECT_TRUE(DynaLink_SetLayeredWindowAttributes(f->GetHandle(), clFuchsia, 0, LWA_COLORKEY));
    GetLayeredWindowAttributes(f->GetHandle(), nullptr, &alfa, nullptr);
    EXPECT_EQ(alfa, 64);
    EXPECT_FALSE(
        DynaLink_SetLayeredWindowAttributes(reinterpret_cast<HWND>(0x7777), 0, 1, LWA_ALPHA));
}

TEST(EstilosVisuales, LasFuncionesDeLaCapaQuedanEnlazadasYLasDemasVacias) {
    EXPECT_TRUE(Kavxpvs::Loaded());
    EXPECT_NE(Kavxpvs::OpenThemeData, nullptr);
    EXPECT_NE(Kavxpvs::CloseThemeData, nullptr);
    EXPECT_NE(Kavxpvs::DrawThemeBackground, nullptr);
    EXPECT_NE(Kavxpvs::DrawThemeText, nullptr);
    EXPECT_NE(Kavxpvs::IsThemeActive, nullptr);
    EXPECT_NE(Kavxpvs::IsAppThemed, nullptr);
    EXPECT_NE(Kavxpvs::GetCurrentThemeName, nullptr);
    EXPECT_EQ(Kavxpvs::DrawThemeBackgroundEx, nullptr);
    EXPECT_EQ(Kavxpvs::GetThemeColor, nullptr);
    EXPECT_EQ(Kavxpvs::EnableTheming, nullptr);
    EXPECT_FALSE(Kavxpvs::ThemedDrawing()); // off by default
    {
        const Temas temas(true);
        EXPECT_TRUE(Kavxpvs::ThemedDrawing());
        HTHEME t = Kavxpvs::OpenThemeData(nullptr, L"ComboBox");
        EXPECT_NE(t, nullptr);
        EXPECT_EQ(Kavxpvs::CloseThemeData(t), S_OK);
    }
    Kavxpvs::Shutdown();
    EXPECT_FALSE(Kavxpvs::ThemedDrawing());
    Kavxpvs::Startup();
    EXPECT_TRUE(Kavxpvs::Loaded());
}
