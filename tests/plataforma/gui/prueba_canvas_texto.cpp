// Text on the canvas: TextOut and TextRect, DrawText's flags (checked on the lines it
// writes, measured with the same font), text metrics and tab stops; the glyphs the canvas
// keeps laid out draw what QPainter::drawText draws.

#include "tests/plataforma/gui/canvas_prueba.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class Texto : public testing::Test {
protected:
    TRecordingCanvas c{200, 120};
    int alto = 0;
    void SetUp() override {
        Reset(&c, 200, 120);
        c.GetFont()->SetName("Arial");
        c.GetFont()->SetHeight(-12);
        c.Recorder().Clear();
        alto = c.TextHeight("Ag");
    }
    // The lines DrawText wrote: the TextOut calls made inside it.
    std::vector<TCanvasCall> Lineas() const {
        std::vector<TCanvasCall> out;
        for (const TCanvasCall& k : const_cast<TRecordingCanvas&>(c).Recorder().Calls("TextOut"))
            if (k.Depth == 1) out.push_back(k);
        return out;
    }
    int Draw(const AnsiString& s, TRect& r, UINT flags) {
        c.Recorder().Clear();
        return DrawText(c.GetHandle(), s.c_str(), -1, &r, flags);
    }
};

TEST_F(Texto, TextOutPintaElFondoSoloConBrochaOpacaYMueveLaPluma) {
    c.GetBrush()->SetColor(clYellow);
    c.GetFont()->SetColor(clBlue);
    c.TextOut(10, 10, "Hola");
    const TSize s = c.TextExtent("Hola");
    EXPECT_EQ(c.GetPenPos(), Point(10 + s.cx, 10));
    EXPECT_EQ(Extent(&c, Rect(0, 0, 200, 120), clYellow).TopLeft(), Point(10, 10));
    EXPECT_GT(Count(&c, Rect(10, 10, 10 + s.cx, 10 + s.cy), clBlue), 5);
    // A clear brush leaves what was behind.
    c.GetBrush()->SetStyle(bsClear);
    c.TextOut(10, 50, "Hola");
    EXPECT_EQ(Count(&c, Rect(0, 40, 200, 120), clYellow), 0);
    EXPECT_GT(Count(&c, Rect(10, 50, 10 + s.cx, 50 + s.cy), clBlue), 5);
}

// A handle taken before the font and brush change draws with them as they are when it
// draws; a Win32 setting made after the change still wins over it.
TEST_F(Texto, UnHandleTomadoAntesDibujaConLaFuenteYLaBrochaDeAhora) {
    c.GetBrush()->SetColor(clYellow);
    c.FillRect(Rect(0, 0, 200, 120));
    c.GetBrush()->SetColor(clWhite);
    c.GetFont()->SetColor(clBlack);
    const HDC dc = c.GetHandle();
    c.GetFont()->SetColor(clRed);
    c.GetFont()->SetStyle(TFontStyles() << fsUnderline);
    c.GetBrush()->SetStyle(bsClear);
    TRect r = Rect(10, 10, 190, 40);
    DrawText(dc, "Enlace", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    const int w = c.TextWidth("Enlace");
    const TRect caja = Rect(10, 10, 10 + w, 10 + alto);
    EXPECT_EQ(Count(&c, caja, clWhite), 0) << "the clear brush leaves the background";
    EXPECT_EQ(Count(&c, caja, clBlack), 0);
    // The underline: one row red from end to end of the text.
    int filaLlena = 0;
    for (int y = caja.Top; y < caja.Bottom; ++y)
        if (Count(&c, Rect(caja.Left + 1, y, caja.Right - 1, y + 1), clRed) == w - 2) ++filaLlena;
    EXPECT_GE(filaLlena, 1);

    c.GetFont()->SetColor(clBlue);
    SetTextColor(dc, RGB(0, 128, 0));
    TRect r2 = Rect(10, 60, 190, 90);
    DrawText(dc, "Enlace", -1, &r2, DT_SINGLELINE | DT_NOPREFIX);
    const TRect caja2 = Rect(10, 60, 10 + w, 60 + alto);
    EXPECT_GT(Count(&c, caja2, clGreen), 5);
    EXPECT_EQ(Count(&c, caja2, clBlue), 0);
}

TEST_F(Texto, TextRectRecortaAlRectanguloQueRellena) {
    c.GetBrush()->SetColor(clSilver);
    c.GetFont()->SetColor(clRed);
    c.TextRect(Rect(10, 10, 20, 30), 10, 10, "Texto largo que no cabe");
    EXPECT_EQ(Extent(&c, Rect(0, 0, 200, 120), clSilver), Rect(10, 10, 20, 30));
    EXPECT_EQ(Count(&c, Rect(20, 0, 200, 120), clRed), 0);
}

TEST_F(Texto, AlineacionEnUnaLinea) {
    const TRect caja = Rect(10, 20, 150, 60);
    const int w = c.TextWidth("Celda");
    struct Caso {
        UINT flags;
        int x, y;
    };
    const Caso casos[] = {
        {DT_SINGLELINE, 10, 20},
        {DT_SINGLELINE | DT_RIGHT, 150 - w, 20},
        {DT_SINGLELINE | DT_CENTER, 10 + (140 - w) / 2, 20},
        {DT_SINGLELINE | DT_VCENTER, 10, 20 + (40 - alto) / 2},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, 150 - w, 60 - alto},
        // Vertical centring needs a single line.
        {DT_VCENTER, 10, 20},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.flags);
        TRect r = caja;
        const int h = Draw("Celda", r, k.flags);
        const auto lineas = Lineas();
        ASSERT_EQ(lineas.size(), 1u);
        EXPECT_EQ(lineas[0].Args, (std::vector<int>{k.x, k.y}));
        EXPECT_EQ(lineas[0].Text, AnsiString("Celda"));
        EXPECT_EQ(h, (k.flags & (DT_VCENTER | DT_BOTTOM)) && (k.flags & DT_SINGLELINE)
                         ? k.y + alto - caja.Top
                         : alto);
        EXPECT_EQ(r, caja); // only DT_CALCRECT changes the rectangle
    }
}

TEST_F(Texto, RompePalabrasYCalculaElRectangulo) {
    const AnsiString texto = "uno dos tres cuatro cinco";
    const int ancho = c.TextWidth("uno dos") + 2;
    TRect r = Rect(0, 0, ancho, 200);
    const int h = Draw(texto, r, DT_WORDBREAK);
    auto lineas = Lineas();
    ASSERT_EQ(lineas.size(), 4u);
    const char* esperadas[] = {"uno dos", "tres", "cuatro", "cinco"};
    for (size_t i = 0; i < lineas.size(); ++i) {
        EXPECT_EQ(lineas[i].Text, AnsiString(esperadas[i]));
        EXPECT_EQ(lineas[i].Args, (std::vector<int>{0, static_cast<int>(i) * alto}));
    }
    EXPECT_EQ(h, 4 * alto);

    // DT_CALCRECT measures without drawing.
    const std::vector<TColor> antes = Snapshot(&c, Rect(0, 0, 200, 120));
    TRect calc = Rect(5, 5, 5 + ancho, 6);
    const int hc = Draw(texto + " seis", calc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_TRUE(Lineas().empty());
    EXPECT_EQ(Snapshot(&c, Rect(0, 0, 200, 120)), antes);
    EXPECT_EQ(hc, calc.Bottom - 5);
    EXPECT_EQ(hc % alto, 0);
    EXPECT_LE(calc.Width(), ancho);
    EXPECT_EQ(calc.Width(), c.TextWidth("uno dos"));

    // Line breaks break lines; a final one adds none.
    TRect r2 = Rect(0, 0, 200, 200);
    EXPECT_EQ(Draw("a\r\nb\nc\n", r2, DT_CALCRECT), 3 * alto);
    TRect r3 = Rect(0, 0, 200, 200);
    EXPECT_EQ(Draw("a\r\nb", r3, DT_CALCRECT | DT_SINGLELINE), alto);
    EXPECT_EQ(r3.Width(), c.TextWidth("ab"));
}

TEST_F(Texto, ControlDeEdicionPartePalabrasLargasYOcultaLaUltimaLineaCortada) {
    const AnsiString palabra = "abcdefghijklmnopqrstuvwxyz";
    const int ancho = c.TextWidth("abcdefgh");
    TRect r = Rect(0, 0, ancho, 100);
    Draw(palabra, r, DT_WORDBREAK);
    ASSERT_EQ(Lineas().size(), 1u); // overflows on its own line
    TRect e = Rect(0, 0, ancho, 100);
    Draw(palabra, e, DT_WORDBREAK | DT_EDITCONTROL);
    const auto partes = Lineas();
    ASSERT_GE(partes.size(), 3u);
    AnsiString junto;
    for (const TCanvasCall& k : partes) {
        EXPECT_LE(c.TextWidth(k.Text), ancho);
        junto += k.Text;
    }
    EXPECT_EQ(junto, palabra);
    // Room for one line and a half: only the whole line shows.
    TRect corto = Rect(0, 0, ancho, alto + alto / 2);
    Draw(palabra, corto, DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_EQ(Lineas().size(), 1u);
}

TEST_F(Texto, PuntosSuspensivosPrefijosYTabuladores) {
    TRect r = Rect(0, 0, c.TextWidth("Nombre largo"), 20);
    Draw("Nombre largo de un material", r, DT_SINGLELINE | DT_END_ELLIPSIS);
    auto l = Lineas();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].Text.SubString(l[0].Text.Length() - 2, 3), AnsiString("..."));
    EXPECT_LE(c.TextWidth(l[0].Text), r.Width());
    EXPECT_EQ(l[0].Text.Pos("Nombre"), 1);

    TRect ruta = Rect(0, 0, c.TextWidth("C:\\...\\foto.jpg") + 4, 20);
    Draw("C:\\Datos\\Imagenes\\Materiales\\foto.jpg", ruta, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    l = Lineas();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_GT(l[0].Text.Pos("...\\foto.jpg"), 0);

    // "&" underlines the next letter unless DT_NOPREFIX; "&&" is an ampersand.
    c.GetFont()->SetColor(clBlack);
    TRect p = Rect(0, 40, 200, 80);
    Draw("&Abrir && cerrar", p, DT_SINGLELINE);
    EXPECT_EQ(Lineas()[0].Text, AnsiString("Abrir & cerrar"));
    const int bajo = 40 + c.TextHeight("A") - 2;
    const int sinPrefijo = Count(&c, Rect(0, bajo, c.TextWidth("A"), bajo + 4), clBlack);
    EXPECT_GT(sinPrefijo, c.TextWidth("A") - 2); // the underline under the A
    TRect q = Rect(0, 80, 200, 120);
    Draw("&Abrir", q, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(Lineas()[0].Text, AnsiString("&Abrir"));

    // Tabs expand to stops every eight average characters.
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(c.GetHandle(), &tm));
    TRect t = Rect(0, 0, 400, 20);
    Draw("a\tb", t, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(t.Width(), 8 * tm.tmAveCharWidth + c.TextWidth("b"));
    const DWORD ext = GetTabbedTextExtent(c.GetHandle(), "a\tb\tc", -1, 0, nullptr);
    EXPECT_EQ(LOWORD(ext), 16 * tm.tmAveCharWidth + c.TextWidth("c"));
    EXPECT_EQ(HIWORD(ext), alto);
    const int stops[] = {30, 100};
    EXPECT_EQ(LOWORD(GetTabbedTextExtent(c.GetHandle(), "a\tb\tc", -1, 2, stops)),
              100 + c.TextWidth("c"));
    const int cada[] = {25};
    EXPECT_EQ(LOWORD(GetTabbedTextExtent(c.GetHandle(), "a\tb\tc", -1, 1, cada)),
              50 + c.TextWidth("c"));
}

TEST_F(Texto, MetricasMargenesYTextoAncho) {
    TEXTMETRIC tm;
    HDC dc = c.GetHandle();
    ASSERT_TRUE(GetTextMetrics(dc, &tm));
    EXPECT_EQ(tm.tmHeight, alto);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_GE(tm.tmInternalLeading, 0);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_EQ(tm.tmWeight, 400);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    TSize s;
    ASSERT_TRUE(GetTextExtentPoint32(dc, "Información", -1, &s));
    EXPECT_EQ(s.cx, c.TextWidth("Información"));
    int cabe = 0;
    GetTextExtentExPoint(dc, "mmmmmmmm", -1, c.TextWidth("mmm"), &cabe, nullptr, &s);
    EXPECT_EQ(cabe, 3);

    // Margins narrow the line; the characters processed come back.
    DRAWTEXTPARAMS p;
    p.iLeftMargin = 7;
    p.iRightMargin = 5;
    TRect r = Rect(0, 0, 100, 20);
    c.Recorder().Clear();
    DrawTextEx(dc, "abc", -1, &r, DT_SINGLELINE | DT_RIGHT, &p);
    EXPECT_EQ(Lineas().at(0).Args[0], 95 - c.TextWidth("abc"));
    EXPECT_EQ(p.uiLengthDrawn, 3u);
    TRect calc = Rect(0, 0, 100, 20);
    DrawTextEx(dc, "abc", -1, &calc, DT_SINGLELINE | DT_CALCRECT, &p);
    EXPECT_EQ(calc.Width(), 12 + c.TextWidth("abc"));

    // UTF-16 text: the same measure as the same characters in Windows-1252.
    const char16_t wide[] = u"Año";
    TRect w = Rect(0, 0, 200, 20);
    DrawTextW(dc, wide, -1, &w, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(w.Width(), c.TextWidth("Año"));
}

TEST_F(Texto, LaOrientacionDeLaFuenteGiraElTexto) {
    c.GetFont()->SetColor(clBlack);
    c.GetBrush()->SetStyle(bsClear);
    c.GetFont()->SetOrientation(900);
    c.TextOut(100, 100, "Vertical");
    const TRect e = Extent(&c, Rect(0, 0, 200, 120), clBlack);
    EXPECT_GT(e.Height(), e.Width() * 2);
    EXPECT_LE(e.Bottom, 101); // upwards from the reference point
    EXPECT_EQ(c.Recorder().Calls("TextOut").at(0).FontEscapement, 900);
}

// Texts drawn again are laid out once per font and drawn from then on from their glyphs:
// every pixel must be what QPainter::drawText paints with the same font, the first time, the
// second (laid out) and the third (from the table), for fonts with lines (drawn by drawText)
// and texts that may run right to left (likewise) too.
TEST(TextoDibujado, ElTextoGuardadoPintaLoMismoQueDrawText) {
    constexpr int W = 230, H = 30;
    TRecordingCanvas c(W, H);
    const char* fuentes[] = {"Arial", "Tahoma", "Courier New", "Times New Roman"};
    const int alturas[] = {-8, -11, -16, -24};
    const TFontStyles estilos[] = {TFontStyles(), TFontStyles() << fsBold,
                                   TFontStyles() << fsItalic, TFontStyles() << fsUnderline,
                                   TFontStyles() << fsStrikeOut};
    const char16_t* textos[] = {
        u"0",
        u"99%",
        u"1.234,56",
        u"Hola, mundo",
        u"Año: ñandú, pingüino € ‘x’ — ÿ",
        u"AV To Wa ffi",
        u"  dos  ",
        u"a\tb",
        u"שלום abc",
        u"abc \u202Edef",
    };
    for (const char* nombre : fuentes)
        for (int altura : alturas)
            for (size_t e = 0; e < std::size(estilos); ++e)
                for (const char16_t* t : textos)
                    for (int vez = 0; vez < 3; ++vez) {
                        const QString texto = QString::fromUtf16(t);
                        SCOPED_TRACE(testing::Message()
                                     << nombre << " " << altura << " estilo " << e << " "
                                     << texto.toStdString() << " " << vez);
                        c.GetFont()->SetName(nombre);
                        c.GetFont()->SetHeight(altura);
                        c.GetFont()->SetStyle(estilos[e]);
                        c.GetFont()->SetColor(clNavy);
                        c.GetBrush()->SetStyle(bsSolid);
                        c.GetBrush()->SetColor(clWhite);
                        c.FillRect(Rect(0, 0, W, H));
                        c.GetBrush()->SetStyle(bsClear);
                        const int x = 3 + vez, y = 2;
                        ExtTextOutW(c.GetHandle(), x, y, 0, nullptr,
                                    reinterpret_cast<const char16_t*>(texto.utf16()),
                                    static_cast<int>(texto.size()), nullptr);

                        QImage ref(W, H, QImage::Format_RGB32);
                        ref.fill(Qt::white);
                        const QFont f = ToQFont(*c.GetFont());
                        QPainter p(&ref);
                        p.setFont(f);
                        p.setPen(QColor(0, 0, 128));
                        p.drawText(QPoint(x, y + QFontMetrics(f).ascent()), texto);
                        p.end();

                        int distintos = 0;
                        for (int j = 0; j < H; ++j)
                            for (int i = 0; i < W; ++i) {
                                const QRgb q = ref.pixel(i, j);
                                distintos += Px(&c, i, j) !=
                                             static_cast<TColor>(RGB(qRed(q), qGreen(q), qBlue(q)));
                            }
                        ASSERT_EQ(distintos, 0);
                    }
}

// Digits side by side, in each of the fonts the forms use, at the usual sizes: the number
// drawn whole is its digits drawn one by one where the canvas's widths put them (from the
// width of the digits before each to the width with it), the first time and from the glyphs
// kept for it, plain and bold; and each plain digit's ink stays within that advance. (Bold
// faces may reach a pixel past it by their own hinting, as their "1" and "4" do in places.)
TEST(TextoDibujado, CadaDigitoQuedaDentroDeSuAvance) {
    constexpr int W = 220, H = 40, X = 4, Y = 2;
    const char* fuentes[] = {"MS Sans Serif", "Arial", "Tahoma", "Times New Roman", "Courier New"};
    const AnsiString numero = "0123456789";
    TRecordingCanvas c(W, H);
    for (const char* nombre : fuentes)
        for (int altura = -8; altura >= -20; --altura)
            for (const bool negrita : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << nombre << " " << altura << (negrita ? " negrita" : ""));
                c.GetFont()->SetName(nombre);
                c.GetFont()->SetHeight(altura);
                c.GetFont()->SetStyle(negrita ? TFontStyles() << fsBold : TFontStyles());
                c.GetFont()->SetColor(clBlack);
                std::vector<bool> suma(W * H, false);
                for (int i = 0; i < numero.Length(); ++i) {
                    const AnsiString digito = numero.SubString(i + 1, 1);
                    const int desde = X + c.TextWidth(numero.SubString(1, i));
                    const int hasta = X + c.TextWidth(numero.SubString(1, i + 1));
                    const std::vector<bool> tinta = InkOfText(&c, W, H, desde, Y, digito);
                    EXPECT_GT(InkOutside(tinta, W, 0, 0), 0) << digito.c_str() << " draws nothing";
                    if (!negrita)
                        EXPECT_EQ(InkOutside(tinta, W, desde, hasta), 0)
                            << digito.c_str() << " from " << desde << " to " << hasta;
                    for (size_t k = 0; k < suma.size(); ++k)
                        suma[k] = suma[k] || tinta[k];
                }
                for (int vez = 0; vez < 3; ++vez)
                    EXPECT_TRUE(InkOfText(&c, W, H, X, Y, numero) == suma) << "vez " << vez;
            }
}

} // namespace
