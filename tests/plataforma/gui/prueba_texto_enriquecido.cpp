// Rich text laid into a rectangle of a canvas: lines wrapped at its width, their measured
// height, the first character that did not fit, runs of several fonts and raised text on one
// baseline.
#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "plataforma/gui/painting/rich_layout.h"

#include <gtest/gtest.h>

namespace {

TRichFormat Formato(int medios = 16, int desplazamiento = 0, bool negrita = false) {
    TRichFormat f;
    f.HalfPoints = medios;
    f.Offset = desplazamiento;
    f.Bold = negrita;
    return f;
}

TRichDocument Documento(std::initializer_list<std::initializer_list<TRichRun>> parrafos) {
    TRichDocument d;
    for (auto& p : parrafos)
        d.Paragraphs.push_back({std::vector<TRichRun>(p)});
    return d;
}

// Ascent and descent of a format on a 96 dpi canvas.
std::pair<int, int> Metrica(TCanvas* c, const TRichFormat& f) {
    TFont* fuente = c->GetFont();
    fuente->SetName(f.FontName);
    fuente->SetHeight(-MulDiv(f.HalfPoints, 96, 144));
    fuente->SetStyle(f.Bold ? TFontStyles{fsBold} : TFontStyles{});
    TEXTMETRIC tm{};
    GetTextMetrics(c->GetHandle(), &tm);
    return {tm.tmAscent, tm.tmDescent};
}

int Ancho(TCanvas* c, const TRichFormat& f, const AnsiString& texto) {
    Metrica(c, f);
    return c->TextWidth(texto);
}

// Laid into (10, 5) and the width and height in pixels (96 dpi: 15 twips a pixel).
struct Resultado {
    int siguiente, alto;
    std::vector<TCanvasCall> textos;
};
Resultado Formatear(TRecordingCanvas& c, const TRichDocument& d, int ancho, int alto,
                    int desde = 0) {
    c.Recorder().Clear();
    TFormatRange r;
    r.Canvas = &c;
    r.Rc = Rect(150, 75, 150 + ancho * 15, 75 + alto * 15);
    r.RcPage = r.Rc;
    r.CpMin = desde;
    const int siguiente = FormatRichRange(d, r, true);
    return {siguiente, (r.Rc.Bottom - r.Rc.Top) / 15, c.Recorder().Calls("TextRect", true)};
}

TEST(TextoEnriquecidoEnRectangulo, LineasPartidasPorPalabrasYAltoMedido) {
    TRecordingCanvas c(400, 200);
    const TRichFormat f = Formato();
    const auto [sube, baja] = Metrica(&c, f);
    const int linea = sube + baja;
    const TRichDocument d = Documento({{{"aaa bbb ccc", f}}});
    struct Caso {
        int ancho;
        std::vector<const char*> lineas;
    };
    const Caso casos[] = {
        {Ancho(&c, f, "aaa bbb ccc") + 2, {"aaa bbb ccc"}},
        {Ancho(&c, f, "aaa bbb c"), {"aaa bbb", "ccc"}},
        {Ancho(&c, f, "aaa bbb") + 2, {"aaa bbb", "ccc"}},
        {Ancho(&c, f, "aaa bb"), {"aaa", "bbb", "ccc"}},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.ancho);
        const Resultado r = Formatear(c, d, k.ancho, 1000);
        EXPECT_EQ(r.siguiente, 11); // everything fitted
        EXPECT_EQ(r.alto, static_cast<int>(k.lineas.size()) * linea);
        ASSERT_EQ(r.textos.size(), k.lineas.size());
        for (size_t i = 0; i < k.lineas.size(); ++i) {
            EXPECT_EQ(r.textos[i].Text, k.lineas[i]);
            EXPECT_EQ(r.textos[i].Args[4], 10); // at the rectangle's left
            EXPECT_EQ(r.textos[i].Args[5], 5 + static_cast<int>(i) * linea);
            // Clipped to the rectangle.
            EXPECT_EQ(r.textos[i].Args[0], 10);
            EXPECT_EQ(r.textos[i].Args[2], 10 + k.ancho);
        }
    }
    // Paragraphs start lines of their own; a word wider than the whole line is cut between
    // characters, no character lost.
    const TRichDocument largo = Documento({{{"uno", f}}, {{"abcdefghijklmnop", f}}});
    const int estrecho = Ancho(&c, f, "abcde");
    const Resultado r = Formatear(c, largo, estrecho, 1000);
    ASSERT_GE(r.textos.size(), 4u);
    EXPECT_EQ(r.textos[0].Text, "uno");
    AnsiString junto;
    for (size_t i = 1; i < r.textos.size(); ++i) {
        EXPECT_LE(c.TextWidth(r.textos[i].Text), estrecho) << r.textos[i].Text.c_str();
        junto += r.textos[i].Text;
    }
    EXPECT_EQ(junto, "abcdefghijklmnop");
    EXPECT_EQ(r.alto, static_cast<int>(r.textos.size()) * linea);
}

TEST(TextoEnriquecidoEnRectangulo, PrimerCaracterQueNoCabe) {
    TRecordingCanvas c(400, 200);
    const TRichFormat f = Formato();
    const auto [sube, baja] = Metrica(&c, f);
    const int linea = sube + baja;
    const TRichDocument d = Documento({{{"aaa bbb ccc", f}}, {{"dd", f}}});
    const int ancho = Ancho(&c, f, "aaa bbb");
    // Lines are laid while they fit whole; the answer is where the next page would start.
    Resultado r = Formatear(c, d, ancho, linea + 3);
    EXPECT_EQ(r.siguiente, 8);
    EXPECT_EQ(r.alto, linea);
    ASSERT_EQ(r.textos.size(), 1u);
    EXPECT_EQ(r.textos[0].Text, "aaa bbb");
    r = Formatear(c, d, ancho, 1000, 8);
    EXPECT_EQ(r.siguiente, 14); // 11 characters, the paragraph's break, "dd"
    ASSERT_EQ(r.textos.size(), 2u);
    EXPECT_EQ(r.textos[0].Text, "ccc");
    EXPECT_EQ(r.textos[1].Text, "dd");
    EXPECT_EQ(r.textos[1].Args[5], 5 + linea);
    // The first line is laid even when it is taller than the rectangle, clipped to it.
    r = Formatear(c, d, ancho, linea / 2);
    EXPECT_EQ(r.siguiente, 8);
    ASSERT_EQ(r.textos.size(), 1u);
    EXPECT_EQ(r.textos[0].Args[3], 5 + linea / 2);
    // A rectangle of two lines: up to the second paragraph.
    r = Formatear(c, d, ancho, 2 * linea);
    EXPECT_EQ(r.siguiente, 12);
    EXPECT_EQ(r.alto, 2 * linea);
}

TEST(TextoEnriquecidoEnRectangulo, SuperindiceYFuentesMezcladasEnUnaLinea) {
    TRecordingCanvas c(400, 200);
    const TRichFormat normal = Formato(), alto = Formato(32, 0, true), sobre = Formato(16, 6);
    const TRichDocument d =
        Documento({{{"area m", normal}, {"2", sobre}, {" y ", normal}, {"grande", alto}}});
    const auto [nSube, nBaja] = Metrica(&c, normal);
    const auto [gSube, gBaja] = Metrica(&c, alto);
    const int eleva = MulDiv(6, 96, 144);
    // On one line: one baseline under the tallest run; the raised run above it.
    Resultado r = Formatear(c, d, 390, 1000);
    ASSERT_EQ(r.textos.size(), 4u);
    const int base = 5 + std::max(gSube, nSube + eleva);
    EXPECT_EQ(r.alto, std::max(gSube, nSube + eleva) + std::max(gBaja, nBaja));
    EXPECT_EQ(r.textos[0].Args[5], base - nSube);
    EXPECT_EQ(r.textos[1].Args[5], base - nSube - eleva);
    EXPECT_EQ(r.textos[2].Args[5], base - nSube);
    EXPECT_EQ(r.textos[3].Args[5], base - gSube);
    EXPECT_TRUE(r.textos[3].FontBold);
    EXPECT_GT(r.textos[3].FontPixelSize, r.textos[0].FontPixelSize);
    EXPECT_EQ(r.textos[1].Args[4], r.textos[0].Args[4] + Ancho(&c, normal, "area m"));
    // A word made of two runs ("m" and its raised "2") moves to the next line whole.
    const int ancho = Ancho(&c, normal, "area m") + 1;
    r = Formatear(c, d, ancho, 1000);
    ASSERT_GE(r.textos.size(), 3u);
    EXPECT_EQ(r.textos[0].Text, "area");
    EXPECT_EQ(r.textos[1].Text, "m");
    EXPECT_EQ(r.textos[1].Args[4], 10);
    EXPECT_EQ(r.textos[2].Text, "2");
    EXPECT_EQ(r.textos[2].Args[5], r.textos[1].Args[5] - eleva);
    EXPECT_GT(r.textos[1].Args[5], r.textos[0].Args[5]);
    // Paragraphs of different fonts: each line as tall as its own.
    const TRichDocument dos = Documento({{{"uno", normal}}, {{"dos", alto}}, {{"tres", normal}}});
    r = Formatear(c, dos, 390, 1000);
    ASSERT_EQ(r.textos.size(), 3u);
    EXPECT_EQ(r.textos[1].Args[5], 5 + nSube + nBaja);
    EXPECT_EQ(r.textos[2].Args[5], 5 + nSube + nBaja + gSube + gBaja);
    EXPECT_EQ(r.alto, 2 * (nSube + nBaja) + gSube + gBaja);
}

TEST(TextoEnriquecidoEnRectangulo, TamanosDesmesuradosAlMayorDelEditor) {
    // Sizes and offsets as large as the reader takes are laid at 1638 points.
    TRecordingCanvas c(200, 100);
    TRichDocument d;
    ASSERT_TRUE(ReadRtf("{\\rtf1 a{\\fs999999999 b}{\\up999999999 c}{\\dn999999999 d}}", d));
    const Resultado r = Formatear(c, d, 150, 100000);
    EXPECT_EQ(r.siguiente, 4);
    ASSERT_FALSE(r.textos.empty());
    for (const TCanvasCall& t : r.textos)
        EXPECT_LE(t.FontPixelSize, 2184);
    // The large "b", then "c" raised and "d" lowered by as much.
    EXPECT_GT(r.alto, 3 * 2184);
}

TEST(TextoEnriquecidoEnRectangulo, PixelesDentroDelRectangulo) {
    // Drawn: the second line's ink below the first's, everything inside the rectangle.
    TRecordingCanvas c(300, 120);
    TRichFormat rojo = Formato(20);
    rojo.Color = clRed;
    const TRichDocument d = Documento({{{"palabra otra", rojo}}});
    const int ancho = Ancho(&c, rojo, "palabra") + 4;
    const Resultado r = Formatear(c, d, ancho, 1000);
    ASSERT_EQ(r.textos.size(), 2u);
    const int medio = r.textos[1].Args[5];
    int arriba = 0, abajo = 0, fuera = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 300; ++x) {
            if (c.GetPixels(x, y) != clRed) continue;
            const bool dentro = x >= 10 && x < 10 + ancho && y >= 5 && y < 5 + r.alto;
            if (!dentro)
                ++fuera;
            else
                ++(y < medio ? arriba : abajo);
        }
    EXPECT_GT(arriba, 10);
    EXPECT_GT(abajo, 10);
    EXPECT_EQ(fuera, 0);
}

} // namespace

namespace {

TEST(TextoEnriquecidoEnRectangulo, ALaResolucionDelLienzo) {
    // The rectangle in twips and the fonts in points: on a canvas of twice the resolution
    // the text breaks at the same words, in twice the pixels.
    TRecordingCanvas pantalla(400, 200), fino(800, 400);
    fino.Device().SetPixelsPerInch(192);
    const TRichFormat f = Formato();
    const TRichDocument d = Documento({{{"aaa bbb ccc", f}}});
    const int ancho = Ancho(&pantalla, f, "aaa bbb c");
    const Resultado a = Formatear(pantalla, d, ancho, 1000);
    TFormatRange r;
    r.Canvas = &fino;
    r.Rc = Rect(150, 75, 150 + ancho * 15, 75 + 15000);
    fino.Recorder().Clear();
    EXPECT_EQ(FormatRichRange(d, r, true), 11);
    const auto textos = fino.Recorder().Calls("TextRect", true);
    ASSERT_EQ(textos.size(), 2u);
    ASSERT_EQ(a.textos.size(), 2u);
    EXPECT_EQ(textos[1].Text, "ccc");
    EXPECT_EQ(textos[0].Args[4], 20);
    EXPECT_EQ(textos[0].Args[5], 10);
    // One line at 192 dpi is about two at 96.
    EXPECT_NEAR(textos[1].Args[5] - 10, a.alto, a.alto / 4);
    EXPECT_NEAR(textos[0].FontPixelSize, 2 * a.textos[0].FontPixelSize, 1);
    EXPECT_NEAR((r.Rc.Bottom - r.Rc.Top) / 15, a.alto, a.alto / 8);
    // A resolution asked for: the canvas of 96 lays the text as the one of 192 does.
    TFormatRange pedido;
    pedido.Canvas = &pantalla;
    pedido.PixelsPerInch = 192;
    pedido.Rc = Rect(150, 75, 150 + ancho * 15, 75 + 15000);
    pantalla.Recorder().Clear();
    EXPECT_EQ(FormatRichRange(d, pedido, true), 11);
    const auto pedidos = pantalla.Recorder().Calls("TextRect", true);
    ASSERT_EQ(pedidos.size(), textos.size());
    for (size_t i = 0; i < textos.size(); ++i) {
        EXPECT_EQ(pedidos[i].Text, textos[i].Text);
        EXPECT_EQ(pedidos[i].Args, textos[i].Args);
        EXPECT_EQ(pedidos[i].FontPixelSize, textos[i].FontPixelSize);
    }
    EXPECT_EQ(pedido.Rc.Bottom, r.Rc.Bottom);
    EXPECT_EQ(pedido.WidthUsed, r.WidthUsed);
}

} // namespace
