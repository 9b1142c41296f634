// Edges, frames and frame controls in the classic system colours, and the visual styles
// that are off unless turned on.

#include "tests/plataforma/gui/canvas_prueba.h"

#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/themes.h"

#include <gtest/gtest.h>

namespace {

TColor Sys(int i) {
    return static_cast<TColor>(GetSysColor(i));
}

class Bordes : public testing::Test {
protected:
    TRecordingCanvas c{60, 40};
    void SetUp() override {
        Reset(&c, 60, 40);
        c.Recorder().Clear();
    }
};

TEST_F(Bordes, DrawEdgePintaCadaAnilloConSusColores) {
    struct Caso {
        UINT edge, flags;
        TColor exteriorArriba, exteriorAbajo, interiorArriba, interiorAbajo;
    };
    const Caso casos[] = {
        {EDGE_RAISED, BF_RECT, Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW), Sys(COLOR_BTNHIGHLIGHT),
         Sys(COLOR_BTNSHADOW)},
        {EDGE_RAISED, BF_RECT | BF_SOFT, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_3DDKSHADOW),
         Sys(COLOR_3DLIGHT), Sys(COLOR_BTNSHADOW)},
        {EDGE_SUNKEN, BF_RECT, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_3DDKSHADOW),
         Sys(COLOR_3DLIGHT)},
        {EDGE_ETCHED, BF_RECT, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT),
         Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW)},
        {EDGE_RAISED, BF_RECT | BF_FLAT, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW),
         Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE)},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(testing::Message() << k.edge << " " << k.flags);
        Reset(&c, 60, 40);
        TRect r = Rect(10, 10, 30, 25);
        ASSERT_TRUE(DrawEdge(c.GetHandle(), &r, k.edge, k.flags | BF_ADJUST));
        EXPECT_EQ(r, Rect(12, 12, 28, 23));
        EXPECT_EQ(Px(&c, 10, 10), k.exteriorArriba);
        EXPECT_EQ(Px(&c, 28, 10), k.exteriorArriba);
        EXPECT_EQ(Px(&c, 29, 10), k.exteriorAbajo); // the top-right corner is the bottom colour
        EXPECT_EQ(Px(&c, 10, 24), k.exteriorAbajo);
        EXPECT_EQ(Px(&c, 29, 24), k.exteriorAbajo);
        EXPECT_EQ(Px(&c, 11, 11), k.interiorArriba);
        EXPECT_EQ(Px(&c, 28, 23), k.interiorAbajo);
        EXPECT_EQ(Px(&c, 15, 15), clWhite); // no BF_MIDDLE: the inside is left
        EXPECT_EQ(Px(&c, 30, 10), clWhite);
    }
    c.GetBrush()->SetColor(clBlack);
    c.FillRect(Rect(0, 28, 60, 40));
    TRect solo = Rect(0, 30, 20, 35);
    DrawEdge(c.GetHandle(), &solo, BDR_SUNKENOUTER, BF_BOTTOM | BF_MIDDLE);
    EXPECT_EQ(Extent(&c, Rect(0, 28, 60, 40), Sys(COLOR_BTNHIGHLIGHT)), Rect(0, 34, 20, 35));
    EXPECT_EQ(Px(&c, 5, 31), Sys(COLOR_BTNFACE));
}

TEST_F(Bordes, Frame3DEncogeElRectanguloUnoPorVuelta) {
    TRect r = Rect(5, 5, 15, 12);
    Frame3D(&c, r, clWhite, clGray, 1);
    EXPECT_EQ(r, Rect(6, 6, 14, 11));
    // Top and left white (already white), bottom and right grey with both far corners.
    EXPECT_EQ(Extent(&c, Rect(0, 0, 60, 40), clGray), Rect(5, 5, 15, 12));
    EXPECT_EQ(Count(&c, Rect(0, 0, 60, 40), clGray), 10 + 7 - 1);
    EXPECT_EQ(Px(&c, 14, 5), clGray);
    EXPECT_EQ(Px(&c, 5, 11), clGray);
    TRect doble = Rect(20, 5, 40, 20);
    Frame3D(&c, doble, clRed, clBlue, 2);
    EXPECT_EQ(doble, Rect(22, 7, 38, 18));
    EXPECT_EQ(Px(&c, 21, 6), clRed);
    EXPECT_EQ(Px(&c, 38, 18), clBlue);
    EXPECT_EQ(c.GetPen()->GetColor(), clBlue);
}

TEST_F(Bordes, CasillasDeVerificacionYBotonesDeOpcion) {
    HDC dc = c.GetHandle();
    auto dibujar = [&](UINT estado) {
        Reset(&c, 60, 40);
        TRect r = Rect(0, 0, 13, 13);
        EXPECT_TRUE(DrawFrameControl(dc, &r, DFC_BUTTON, estado));
        return Count(&c, Rect(2, 2, 11, 11), Sys(COLOR_WINDOWTEXT));
    };
    EXPECT_EQ(dibujar(DFCS_BUTTONCHECK), 0);
    const int marca = dibujar(DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(marca, 7 * 3); // the classic mark: seven columns three pixels high
    EXPECT_EQ(Px(&c, 0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Px(&c, 1, 1), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(Px(&c, 3, 3), Sys(COLOR_WINDOW));
    // Inactive: a grey mark on the face colour.
    EXPECT_EQ(dibujar(DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE), 0);
    EXPECT_EQ(Count(&c, Rect(2, 2, 11, 11), Sys(COLOR_BTNSHADOW)), marca);
    EXPECT_EQ(Px(&c, 3, 9), Sys(COLOR_BTNFACE));
    // Flat: a one-pixel shadow frame.
    dibujar(DFCS_BUTTONCHECK | DFCS_FLAT);
    EXPECT_EQ(Px(&c, 0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Px(&c, 1, 1), Sys(COLOR_WINDOW));

    // A radio button: a dot when checked, centred in a wider rectangle.
    Reset(&c, 60, 40);
    TRect r = Rect(20, 0, 40, 12);
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(Extent(&c, Rect(0, 0, 60, 40), Sys(COLOR_WINDOWTEXT)), Rect(28, 4, 32, 8));
    EXPECT_EQ(Px(&c, 24, 0), clWhite);
    const std::vector<TCanvasCall> llamadas = c.Recorder().Calls("DrawFrameControl");
    ASSERT_FALSE(llamadas.empty());
    EXPECT_EQ(llamadas.back().Args,
              (std::vector<int>{20, 0, 40, 12, static_cast<int>(DFC_BUTTON),
                                static_cast<int>(DFCS_BUTTONRADIO | DFCS_CHECKED)}));
}

TEST_F(Bordes, BotonesYFlechas) {
    HDC dc = c.GetHandle();
    TRect r = Rect(0, 0, 20, 16);
    c.Recorder().Clear();
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(r, Rect(2, 2, 18, 14));
    EXPECT_EQ(Px(&c, 0, 0), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(Px(&c, 19, 15), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(Px(&c, 8, 8), Sys(COLOR_BTNFACE));
    // The edge is drawn through DrawEdge, one level down.
    ASSERT_EQ(c.Recorder().Calls("DrawEdge").size(), 1u);
    EXPECT_EQ(c.Recorder().Calls("DrawEdge")[0].Depth, 1);
    TRect pulsado = Rect(0, 20, 20, 36);
    DrawFrameControl(dc, &pulsado, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(Px(&c, 0, 20), Sys(COLOR_3DDKSHADOW));

    // The combo box arrow points down, centred; pushed, it moves by one pixel.
    auto flecha = [&](UINT estado) {
        Reset(&c, 60, 40);
        TRect b = Rect(30, 0, 46, 16);
        DrawFrameControl(dc, &b, DFC_SCROLL, estado);
        return Extent(&c, Rect(30, 0, 46, 16), Sys(COLOR_BTNTEXT));
    };
    const TRect abajo = flecha(DFCS_SCROLLCOMBOBOX);
    EXPECT_EQ(abajo.Width(), 7);
    EXPECT_EQ(abajo.Height(), 4);
    EXPECT_EQ(Px(&c, abajo.Left, abajo.Top), Sys(COLOR_BTNTEXT)); // the wide row on top
    EXPECT_EQ(Px(&c, abajo.Left, abajo.Bottom - 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(flecha(DFCS_SCROLLCOMBOBOX | DFCS_PUSHED), OffsetRect(abajo, 1, 1));
    const TRect arriba = flecha(DFCS_SCROLLUP);
    EXPECT_EQ(Px(&c, arriba.Left, arriba.Bottom - 1), Sys(COLOR_BTNTEXT));
    const TRect derecha = flecha(DFCS_SCROLLRIGHT);
    EXPECT_EQ(derecha.Width(), 4);
    EXPECT_EQ(derecha.Height(), 7);
    EXPECT_EQ(flecha(DFCS_SCROLLDOWN | DFCS_INACTIVE), TRect()); // greyed, no text colour
    EXPECT_GT(Count(&c, Rect(30, 0, 46, 16), Sys(COLOR_BTNSHADOW)), 16);
    // Kinds that nothing draws say so.
    TRect m = Rect(0, 0, 10, 10);
    EXPECT_FALSE(DrawFrameControl(dc, &m, DFC_CAPTION, 0));
}

TEST_F(Bordes, LosEstilosVisualesEstanApagadosSalvoQueSeEnciendan) {
    EXPECT_FALSE(IsThemeActive());
    EXPECT_EQ(OpenThemeData(nullptr, L"button"), nullptr);
    wchar_t color[32];
    EXPECT_EQ(GetCurrentThemeName(nullptr, 0, color, 32, nullptr, 0), E_FAIL);

    SetThemeActive(true);
    HTHEME boton = OpenThemeData(nullptr, L"Desconocida;BUTTON");
    ASSERT_NE(boton, nullptr);
    EXPECT_EQ(OpenThemeData(nullptr, L"otra"), nullptr);
    const TRect r = Rect(0, 0, 13, 13);
    EXPECT_EQ(
        DrawThemeBackground(boton, c.GetHandle(), BP_CHECKBOX, CBS_CHECKEDNORMAL, &r, nullptr),
        S_OK);
    EXPECT_GT(Count(&c, r, static_cast<TColor>(RGB(33, 161, 33))), 5);
    // The clip rectangle limits the part.
    const TRect grande = Rect(20, 0, 60, 30);
    const TRect clip = Rect(20, 0, 30, 30);
    DrawThemeBackground(boton, c.GetHandle(), BP_PUSHBUTTON, PBS_NORMAL, &grande, &clip);
    EXPECT_EQ(Px(&c, 40, 15), clWhite);
    EXPECT_NE(Px(&c, 20, 15), clWhite);
    EXPECT_EQ(CloseThemeData(boton), S_OK);
    EXPECT_EQ(CloseThemeData(boton), E_HANDLE);
    wchar_t nombre[6];
    EXPECT_EQ(GetCurrentThemeName(nombre, 6, color, 32, nullptr, 0), S_OK);
    EXPECT_EQ(std::wstring(nombre), L"Luna.");
    EXPECT_EQ(std::wstring(color), L"NormalColor");
    for (const wchar_t* clase : {L"header", L"combobox", L"Progress", L"spin"}) {
        HTHEME t = OpenThemeData(nullptr, clase);
        ASSERT_NE(t, nullptr);
        const TRect parte = Rect(0, 20, 20, 36);
        EXPECT_EQ(DrawThemeBackground(t, c.GetHandle(), 1, 1, &parte, nullptr), S_OK);
        CloseThemeData(t);
    }
    SetThemeActive(false);
}

} // namespace
