// The canvas's pixel rules: figures within their bounds, lines without their end point,
// pens that invert, brushes, clip regions, origins, and the device context's own state.

#include "tests/plataforma/gui/canvas_prueba.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/painting/gdi.h"

#include <gtest/gtest.h>

namespace {

class Lienzo : public testing::Test {
protected:
    TRecordingCanvas c{40, 30};
    void SetUp() override { Reset(&c, 40, 30); }
};

TEST_F(Lienzo, RectangleCubreDeLaIzquierdaALaDerechaMenosUno) {
    c.GetBrush()->SetColor(clRed);
    c.Rectangle(2, 3, 8, 7);
    EXPECT_EQ(Extent(&c, Rect(0, 0, 40, 30), clBlack), Rect(2, 3, 8, 7));
    EXPECT_EQ(Count(&c, Rect(0, 0, 40, 30), clRed), 4 * 2); // 3..6 x 4..5
    EXPECT_EQ(Px(&c, 7, 6), clBlack);
    EXPECT_EQ(Px(&c, 8, 6), clWhite);
    EXPECT_EQ(Px(&c, 3, 4), clRed);

    // Without a pen the filled area is one pixel smaller to the right and at the bottom.
    Reset(&c, 40, 30);
    c.GetPen()->SetStyle(psClear);
    c.GetBrush()->SetColor(clBlue);
    c.Rectangle(2, 3, 8, 7);
    EXPECT_EQ(Extent(&c, Rect(0, 0, 40, 30), clBlue), Rect(2, 3, 7, 6));
}

// The inside of a figure with a solid brush combines with what is under it by the pen mode,
// pixel by pixel, over two different colours.
TEST_F(Lienzo, LaBrochaLisaCombinaConElFondoSegunElModo) {
    struct Caso {
        TPenMode modo;
        uint32_t (*combina)(uint32_t brocha, uint32_t fondo);
    };
    const Caso casos[] = {
        {pmBlack, [](uint32_t, uint32_t) { return 0u; }},
        {pmWhite, [](uint32_t, uint32_t) { return ~0u; }},
        {pmNop, [](uint32_t, uint32_t d) { return d; }},
        {pmNot, [](uint32_t, uint32_t d) { return ~d; }},
        {pmCopy, [](uint32_t p, uint32_t) { return p; }},
        {pmNotCopy, [](uint32_t p, uint32_t) { return ~p; }},
        {pmMergePenNot, [](uint32_t p, uint32_t d) { return p | ~d; }},
        {pmMaskPenNot, [](uint32_t p, uint32_t d) { return p & ~d; }},
        {pmMergeNotPen, [](uint32_t p, uint32_t d) { return ~p | d; }},
        {pmMaskNotPen, [](uint32_t p, uint32_t d) { return ~p & d; }},
        {pmMerge, [](uint32_t p, uint32_t d) { return p | d; }},
        {pmNotMerge, [](uint32_t p, uint32_t d) { return ~(p | d); }},
        {pmMask, [](uint32_t p, uint32_t d) { return p & d; }},
        {pmNotMask, [](uint32_t p, uint32_t d) { return ~(p & d); }},
        {pmXor, [](uint32_t p, uint32_t d) { return p ^ d; }},
        {pmNotXor, [](uint32_t p, uint32_t d) { return ~(p ^ d); }},
    };
    const TColor brocha = static_cast<TColor>(0x3C9A51);
    const TColor fondos[] = {static_cast<TColor>(0xA5C30F), static_cast<TColor>(0x1E6B8D)};
    for (const Caso& caso : casos) {
        Reset(&c, 40, 30);
        c.GetBrush()->SetColor(fondos[0]);
        c.FillRect(Rect(0, 0, 20, 30));
        c.GetBrush()->SetColor(fondos[1]);
        c.FillRect(Rect(20, 0, 40, 30));
        c.GetPen()->SetStyle(psClear);
        c.GetPen()->SetMode(caso.modo);
        c.GetBrush()->SetColor(brocha);
        c.Rectangle(10, 5, 31, 26); // inside: 10..29 x 5..24
        for (int lado = 0; lado < 2; ++lado) {
            const uint32_t esperado = caso.combina(brocha, fondos[lado]) & 0xFFFFFF;
            EXPECT_EQ(static_cast<uint32_t>(Px(&c, lado == 0 ? 12 : 25, 10)), esperado)
                << "modo " << caso.modo << ", fondo " << lado;
        }
        EXPECT_EQ(Px(&c, 30, 25), fondos[1]) << "modo " << caso.modo; // outside stays
    }
}

// A rectangle whose solid one-pixel pen has the brush's colour paints exactly what filling
// the same rectangle paints (the grid fills its cells that way).
TEST_F(Lienzo, RectanguloConPlumaDelColorDeLaBrochaEsUnRelleno) {
    const TRect figuras[] = {Rect(2, 2, 3, 3),     Rect(2, 2, 9, 3),   Rect(2, 2, 3, 9),
                             Rect(2, 2, 4, 4),     Rect(5, 5, 20, 12), Rect(-5, -5, 8, 8),
                             Rect(30, 20, 45, 35), Rect(9, 9, 9, 20),  Rect(7, 7, 7, 7)};
    for (const TRect& f : figuras) {
        Reset(&c, 40, 30);
        c.GetBrush()->SetColor(clTeal);
        c.GetPen()->SetColor(clTeal);
        c.Rectangle(f);
        const auto rectangulo = Snapshot(&c, Rect(0, 0, 40, 30));
        Reset(&c, 40, 30);
        c.GetBrush()->SetColor(clTeal);
        c.FillRect(f);
        EXPECT_EQ(Snapshot(&c, Rect(0, 0, 40, 30)), rectangulo)
            << f.Left << "," << f.Top << "," << f.Right << "," << f.Bottom;
    }
}

TEST_F(Lienzo, RectangulosYLineasRectasPintanCadaPixelUnaVez) {
    // Narrow and tiny figures: with an inverting pen and brush, twice gives back the canvas.
    const TRect figuras[] = {Rect(2, 2, 3, 3),   Rect(2, 2, 9, 3),   Rect(2, 2, 3, 9),
                             Rect(2, 2, 4, 4),   Rect(5, 5, 20, 12), Rect(9, 9, 9, 20),
                             Rect(12, 12, 6, 6), Rect(-5, -5, 8, 8)};
    const auto limpio = Snapshot(&c, Rect(0, 0, 40, 30));
    for (const TRect& f : figuras) {
        c.GetPen()->SetMode(pmXor);
        c.GetPen()->SetColor(clWhite);
        c.GetBrush()->SetColor(clYellow);
        c.Rectangle(f.Left, f.Top, f.Right, f.Bottom);
        const int w = std::abs(f.Right - f.Left), h = std::abs(f.Bottom - f.Top);
        const int visibles = Count(&c, Rect(0, 0, 40, 30), clBlack);
        if (f.Left >= 0 && w > 0 && h > 0) {
            EXPECT_EQ(visibles, w * h - std::max(0, w - 2) * std::max(0, h - 2))
                << f.Left << "," << f.Right;
        }
        c.Rectangle(f.Left, f.Top, f.Right, f.Bottom);
        EXPECT_EQ(Snapshot(&c, Rect(0, 0, 40, 30)), limpio)
            << f.Left << "," << f.Top << "," << f.Right;
        // FrameRect: the same frame, with the brush; nothing for an inverted rectangle.
        c.GetBrush()->SetColor(clRed);
        c.FrameRect(f);
        const bool derecho = f.Right > f.Left && f.Bottom > f.Top;
        EXPECT_EQ(Count(&c, Rect(0, 0, 40, 30), clRed) > 0, derecho && f.Right > 0);
        if (derecho && f.Left >= 0) {
            EXPECT_EQ(Count(&c, Rect(0, 0, 40, 30), clRed),
                      w * h - std::max(0, w - 2) * std::max(0, h - 2));
        }
        Reset(&c, 40, 30);
    }
    // Level and upright lines in both directions, their end point left out, and each
    // pixel once under XOR.
    const TPoint lineas[][2] = {{{3, 4}, {12, 4}},
                                {{12, 6}, {3, 6}},
                                {{5, 2}, {5, 20}},
                                {{7, 20}, {7, 2}},
                                {{9, 9}, {9, 9}}};
    for (const auto& l : lineas) {
        c.GetPen()->SetMode(pmCopy);
        c.GetPen()->SetColor(clRed);
        c.MoveTo(l[0].x, l[0].y);
        c.LineTo(l[1].x, l[1].y);
        const int largo = std::abs(l[1].x - l[0].x) + std::abs(l[1].y - l[0].y);
        EXPECT_EQ(Count(&c, Rect(0, 0, 40, 30), clRed), largo);
        EXPECT_EQ(Px(&c, l[1].x, l[1].y), clWhite);
        if (largo) {
            EXPECT_EQ(Px(&c, l[0].x, l[0].y), clRed);
        }
        Reset(&c, 40, 30);
    }
}

TEST_F(Lienzo, LasLineasDejanFueraSuUltimoPunto) {
    struct Caso {
        TPoint a, b;
        std::vector<TPoint> dentro, fuera;
    };
    const Caso casos[] = {
        {{1, 1}, {5, 1}, {{1, 1}, {4, 1}}, {{5, 1}, {0, 1}}},
        {{3, 2}, {3, 6}, {{3, 2}, {3, 5}}, {{3, 6}}},
        {{1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}, {{4, 4}}},
        {{6, 6}, {2, 6}, {{6, 6}, {3, 6}}, {{2, 6}, {7, 6}}},
        {{5, 5}, {5, 5}, {}, {{5, 5}}},
    };
    for (const Caso& k : casos) {
        Reset(&c, 40, 30);
        c.MoveTo(k.a.x, k.a.y);
        c.LineTo(k.b.x, k.b.y);
        for (TPoint p : k.dentro)
            EXPECT_EQ(Px(&c, p.x, p.y), clBlack) << p.x << "," << p.y;
        for (TPoint p : k.fuera)
            EXPECT_EQ(Px(&c, p.x, p.y), clWhite) << p.x << "," << p.y;
        EXPECT_EQ(c.GetPenPos(), k.b);
    }
}

TEST_F(Lienzo, FillRectYFrameRectUsanLaBrochaDentroDeLosLimites) {
    c.GetBrush()->SetColor(clGreen);
    c.FillRect(Rect(1, 1, 4, 3));
    EXPECT_EQ(Extent(&c, Rect(0, 0, 40, 30), clGreen), Rect(1, 1, 4, 3));
    c.GetBrush()->SetColor(clNavy);
    c.FrameRect(Rect(10, 10, 15, 14));
    EXPECT_EQ(Extent(&c, Rect(0, 0, 40, 30), clNavy), Rect(10, 10, 15, 14));
    EXPECT_EQ(Count(&c, Rect(0, 0, 40, 30), clNavy), 2 * 5 + 2 * 2);
    // A clear brush fills nothing; a colour makes it solid again.
    c.GetBrush()->SetStyle(bsClear);
    c.FillRect(Rect(20, 20, 25, 25));
    EXPECT_EQ(Px(&c, 21, 21), clWhite);
    c.GetBrush()->SetColor(clMaroon);
    EXPECT_EQ(c.GetBrush()->GetStyle(), bsSolid);
}

TEST_F(Lienzo, UnaPlumaXorDibujadaDosVecesNoDejaRastro) {
    c.GetBrush()->SetColor(clYellow);
    c.Rectangle(0, 0, 20, 20);
    const std::vector<TColor> antes = Snapshot(&c, Rect(0, 0, 40, 30));
    c.GetPen()->SetMode(pmXor);
    c.GetPen()->SetColor(clWhite);
    c.GetBrush()->SetStyle(bsClear);
    auto figuras = [&] {
        c.MoveTo(2, 2);
        c.LineTo(30, 25);
        c.LineTo(35, 3);
        c.Rectangle(5, 5, 25, 15);
        c.Ellipse(3, 4, 28, 27);
        c.Polygon({{1, 20}, {10, 28}, {20, 22}, {12, 12}});
        c.RoundRect(8, 8, 30, 28, 8, 6);
        c.Pie(10, 2, 38, 28, 38, 15, 24, 2);
    };
    figuras();
    EXPECT_NE(Snapshot(&c, Rect(0, 0, 40, 30)), antes);
    // Inverted white on yellow is blue.
    EXPECT_EQ(Px(&c, 2, 2), clBlue);
    figuras();
    EXPECT_EQ(Snapshot(&c, Rect(0, 0, 40, 30)), antes);
}

TEST_F(Lienzo, LasFigurasCurvasQuedanDentroDeSuCaja) {
    struct Caso {
        const char* nombre;
        std::function<void()> dibujar;
        TRect caja;
    };
    const Caso casos[] = {
        {"Ellipse", [&] { c.Ellipse(3, 4, 20, 13); }, Rect(3, 4, 20, 13)},
        {"Ellipse par", [&] { c.Ellipse(0, 0, 10, 10); }, Rect(0, 0, 10, 10)},
        {"RoundRect", [&] { c.RoundRect(5, 5, 30, 20, 10, 6); }, Rect(5, 5, 30, 20)},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nombre);
        Reset(&c, 40, 30);
        k.dibujar();
        EXPECT_EQ(Extent(&c, Rect(0, 0, 40, 30), clBlack), k.caja);
        // Symmetric left to right.
        for (int y = k.caja.Top; y < k.caja.Bottom; ++y)
            for (int x = k.caja.Left; x < k.caja.Right; ++x)
                EXPECT_EQ(Px(&c, x, y), Px(&c, k.caja.Left + k.caja.Right - 1 - x, y));
    }
    // A pie from three o'clock to twelve o'clock fills the upper right quarter only.
    Reset(&c, 40, 30);
    c.GetBrush()->SetColor(clRed);
    c.Pie(0, 0, 21, 21, 21, 10, 10, 0);
    EXPECT_GT(Count(&c, Rect(11, 1, 21, 10), clRed), 20);
    EXPECT_EQ(Count(&c, Rect(0, 11, 21, 21), clRed), 0);
    EXPECT_EQ(Count(&c, Rect(0, 0, 9, 21), clRed), 0);
}

TEST_F(Lienzo, DrawFocusRectInviertePuntosAlternosYSeBorraConOtroIgual) {
    const std::vector<TColor> antes = Snapshot(&c, Rect(0, 0, 40, 30));
    c.DrawFocusRect(Rect(2, 2, 12, 8));
    EXPECT_EQ(Px(&c, 2, 2), clBlack);
    EXPECT_EQ(Px(&c, 3, 2), clWhite);
    EXPECT_EQ(Px(&c, 4, 2), clBlack);
    EXPECT_EQ(Px(&c, 5, 5), clWhite); // inside stays
    EXPECT_EQ(Extent(&c, Rect(0, 0, 40, 30), clBlack), Rect(2, 2, 12, 8));
    c.DrawFocusRect(Rect(2, 2, 12, 8));
    EXPECT_EQ(Snapshot(&c, Rect(0, 0, 40, 30)), antes);
}

TEST_F(Lienzo, DrawFocusRectMuyAnchoPuntea) {
    // A frame far wider than the canvas: its dots cost in proportion to its length.
    const std::vector<TColor> antes = Snapshot(&c, Rect(0, 0, 40, 30));
    c.DrawFocusRect(Rect(2, 2, 1000000, 8));
    for (int x = 2; x < 40; ++x) {
        EXPECT_EQ(Px(&c, x, 2), x % 2 == 0 ? clBlack : clWhite) << x;
        EXPECT_EQ(Px(&c, x, 7), x % 2 == 1 ? clBlack : clWhite) << x;
    }
    EXPECT_EQ(Extent(&c, Rect(0, 0, 40, 30), clBlack), Rect(2, 2, 40, 8));
    c.DrawFocusRect(Rect(2, 2, 1000000, 8));
    EXPECT_EQ(Snapshot(&c, Rect(0, 0, 40, 30)), antes);
}

TEST_F(Lienzo, LaPlumaPunteadaRellenaLosHuecosConElFondoSiEsOpaco) {
    c.GetPen()->SetStyle(psDot);
    c.GetBrush()->SetColor(clAqua);
    c.MoveTo(0, 1);
    c.LineTo(12, 1);
    const TColor esperado[] = {clBlack, clBlack, clBlack, clAqua, clAqua, clAqua,
                               clBlack, clBlack, clBlack, clAqua, clAqua, clAqua};
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(Px(&c, x, 1), esperado[x]) << x;
    SetBkMode(c.GetHandle(), TRANSPARENT);
    c.MoveTo(0, 3);
    c.LineTo(12, 3);
    EXPECT_EQ(Px(&c, 4, 3), clWhite);
    EXPECT_EQ(Px(&c, 7, 3), clBlack);
}

TEST_F(Lienzo, ElModoDeFondoSigueALaBrochaSoloCuandoLaBrochaCambia) {
    HDC dc = c.GetHandle();
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    SetBkMode(dc, TRANSPARENT);
    c.TextOut(1, 1, "x"); // the brush did not change: the mode stays
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    c.GetBrush()->SetColor(clLime);
    c.TextOut(1, 1, "x");
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), COLORREF(clLime));
    c.GetBrush()->SetStyle(bsClear);
    c.GetHandle();
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    c.GetFont()->SetColor(clRed);
    c.GetHandle();
    EXPECT_EQ(GetTextColor(dc), COLORREF(clRed));
    // A handle that names nothing fails without harm.
    EXPECT_EQ(SetBkMode(reinterpret_cast<HDC>(&c), OPAQUE), 0);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 40);
}

TEST_F(Lienzo, LasRegionesDeRecorteSonUnionesMenosRectangulos) {
    HDC dc = c.GetHandle();
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(20, 0, 30, 10);
    EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(SelectClipRgn(dc, a), COMPLEXREGION);
    DeleteObject(a);
    DeleteObject(b);
    EXPECT_EQ(ExcludeClipRect(dc, 2, 2, 5, 5), COMPLEXREGION);
    TRect caja;
    EXPECT_EQ(GetClipBox(dc, &caja), COMPLEXREGION);
    EXPECT_EQ(caja, Rect(0, 0, 30, 10));
    EXPECT_EQ(c.GetClipRect(), Rect(0, 0, 30, 10));
    c.GetBrush()->SetColor(clRed);
    c.FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(c.GetPixels(3, 3), clNone); // outside the clip nothing reads
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(c.GetClipRect(), Rect(0, 0, 40, 30));
    EXPECT_EQ(Count(&c, Rect(0, 0, 40, 30), clRed), 200 - 9);
    EXPECT_EQ(Px(&c, 3, 3), clWhite);
    EXPECT_EQ(Px(&c, 15, 5), clWhite);
    EXPECT_EQ(Px(&c, 25, 5), clRed);
    EXPECT_EQ(DeleteObject(a), FALSE); // already gone
}

TEST_F(Lienzo, ElOrigenDesplazaYRestoreDCLoDevuelve) {
    HDC dc = c.GetHandle();
    const int nivel = SaveDC(dc);
    EXPECT_EQ(nivel, 1);
    SetViewportOrgEx(dc, 10, 5, nullptr);
    IntersectClipRect(dc, 0, 0, 4, 4);
    c.GetBrush()->SetColor(clRed);
    c.FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(Extent(&c, Rect(-10, -5, 30, 25), clRed), Rect(0, 0, 4, 4));
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(Extent(&c, Rect(0, 0, 40, 30), clRed), Rect(10, 5, 14, 9));
    EXPECT_FALSE(RestoreDC(dc, -1));
    // The window origin moves the other way.
    SetWindowOrgEx(dc, 3, 0, nullptr);
    c.GetBrush()->SetColor(clBlue);
    c.FillRect(Rect(3, 20, 4, 21));
    SetWindowOrgEx(dc, 0, 0, nullptr);
    EXPECT_EQ(Px(&c, 0, 20), clBlue);
}

TEST_F(Lienzo, FloodFillYCopyRect) {
    c.Rectangle(0, 0, 10, 10);
    c.GetBrush()->SetColor(clLime);
    c.FloodFill(5, 5, clWhite, fsSurface);
    EXPECT_EQ(Count(&c, Rect(0, 0, 40, 30), clLime), 8 * 8);
    c.GetBrush()->SetColor(clRed);
    c.FloodFill(5, 5, clBlack, fsBorder);
    EXPECT_EQ(Count(&c, Rect(0, 0, 40, 30), clRed), 8 * 8);

    TRecordingCanvas otro(10, 10);
    Reset(&otro, 10, 10);
    otro.GetBrush()->SetColor(clBlue);
    otro.FillRect(Rect(0, 0, 5, 5));
    c.CopyRect(Rect(20, 0, 30, 10), &otro, Rect(0, 0, 10, 10));
    EXPECT_EQ(Px(&c, 20, 0), clBlue);
    EXPECT_EQ(Px(&c, 26, 6), clWhite);
    // Stretched to twice the size.
    c.CopyRect(Rect(20, 10, 40, 30), &otro, Rect(0, 0, 10, 10));
    EXPECT_EQ(Extent(&c, Rect(20, 10, 40, 30), clBlue), Rect(20, 10, 30, 20));
    // XOR copy of the same picture clears it to black.
    c.SetCopyMode(cmSrcInvert);
    c.CopyRect(Rect(20, 0, 30, 10), &otro, Rect(0, 0, 10, 10));
    EXPECT_EQ(Count(&c, Rect(20, 0, 30, 10), clBlack), 100);
}

TEST(LienzoSinSuperficie, NoDejaDibujar) {
    TCanvas c;
    EXPECT_THROW(c.Rectangle(0, 0, 1, 1), EInvalidOperation);
    EXPECT_THROW(c.GetHandle(), EInvalidOperation);
    EXPECT_FALSE(c.HandleAllocated());
}

TEST(Grabacion, RegistraLlamadasConArgumentosEstadoYNivel) {
    TRecordingCanvas c(20, 20);
    c.GetPen()->SetColor(clRed);
    c.GetBrush()->SetColor(clBlue);
    c.Rectangle(1, 2, 3, 4);
    c.TextOut(5, 6, "Hola");
    const std::vector<AnsiString> log = c.Recorder().Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], AnsiString("Rectangle(1,2,3,4)"));
    EXPECT_EQ(log[1], AnsiString("TextOut(5,6,\"Hola\")"));
    const TCanvasCall r = c.Recorder().Calls("Rectangle").at(0);
    EXPECT_EQ(r.PenColor, COLORREF(clRed));
    EXPECT_EQ(r.BrushColor, COLORREF(clBlue));
    EXPECT_EQ(r.Depth, 0);
    c.Recorder().Clear();
    EXPECT_EQ(c.Recorder().Calls().size(), 0u);
    {
        // A recorder attached to any canvas, for as long as it lives.
        TRecordingCanvas otro(5, 5);
        TCanvasRecorder extra(&otro);
        otro.MoveTo(1, 1);
        EXPECT_EQ(extra.Count("MoveTo"), 1);
    }
}

} // namespace
