// The markup renderer on a recording canvas: lines and their breaks, fonts and colours,
// anchors and the mouse, paragraphs, lists, images, embedded controls, entities, hidden and
// struck text, and markup that is malformed.

#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "tests/controles/comun/texto_prueba.h"
#include "tests/controles/grid/dibujo_marcado.h"

#include <gtest/gtest.h>

namespace {

class Lienzo : public ::testing::Test {
protected:
    Lienzo() : c(400, 200) {
        c.GetFont()->SetName("Arial");
        c.GetFont()->SetSize(9);
        c.GetFont()->SetColor(clBlack);
        c.GetBrush()->SetColor(clWhite);
        c.FillRect(TRect(0, 0, 400, 200));
        gh = c.TextHeight("gh");
    }
    // The texts drawn, in order.
    std::vector<AnsiString> Textos(const TCanvasRecorder& rec) {
        std::vector<AnsiString> r;
        for (const TCanvasCall& k : rec.Calls("DrawText", true))
            r.push_back(k.Text);
        return r;
    }
    TRecordingCanvas c;
    int gh = 0;
};

} // namespace

TEST_F(Lienzo, TextoVacio) {
    const SalidaMarcado s = Marcado(&c, "", TRect(0, 0, 200, 40));
    EXPECT_EQ(s.alto, gh);
    EXPECT_EQ(s.ancho, 0);
    EXPECT_FALSE(s.resultado);
    EXPECT_EQ(s.anclaRaton, -1);
}

TEST_F(Lienzo, SaltosDeLineaYTextoPlanoUnaVez) {
    TCanvasRecorder rec(&c);
    const SalidaMarcado s = Marcado(&c, "A<BR>B", TRect(0, 0, 200, 60));
    EXPECT_EQ(s.alto, 2 * gh);
    EXPECT_EQ(s.plano, "A\rB");
    const auto llamadas = rec.Calls("DrawText", true);
    ASSERT_EQ(llamadas.size(), 2u);
    EXPECT_EQ(llamadas[1].Args[1], llamadas[0].Args[1] + gh); // the second line's top
    const SalidaMarcado cr = Marcado(&c, "A\r\nB", TRect(0, 0, 200, 60));
    EXPECT_EQ(cr.plano, "A\rB");
    EXPECT_EQ(Marcado(&c, "a<HR>b", TRect(0, 0, 200, 60)).alto, 2 * gh);
}

TEST_F(Lienzo, AjusteDeLineaYPalabrasLargas) {
    const int w = c.TextWidth("palabra ");
    const SalidaMarcado dos = Marcado(&c, "palabra palabra palabra", TRect(0, 0, 2 * w + 4, 100));
    EXPECT_EQ(dos.alto, 2 * gh);
    EXPECT_EQ(dos.ancho, 2 * w - c.TextWidth(" ")); // the trailing space does not count
    TCanvasRecorder rec(&c);
    const SalidaMarcado largo =
        Marcado(&c, "a superlarguisimapalabra b", TRect(0, 0, c.TextWidth("superlargu"), 100));
    EXPECT_EQ(largo.alto, 3 * gh); // the long word alone on its line
    EXPECT_EQ(Textos(rec), (std::vector<AnsiString>{"a ", "superlarguisimapalabra ", "b"}));
    // A word split by a tag stays together.
    const int ab = c.TextWidth("xx abc");
    const SalidaMarcado junto = Marcado(&c, "xx abc<b>def</b>", TRect(0, 0, ab + 6, 100));
    EXPECT_EQ(junto.alto, gh);
}

TEST_F(Lienzo, SinAjusteElDesbordeAcabaConPuntosSuspensivos) {
    TCanvasRecorder rec(&c);
    OpcionesMarcado o;
    o.ajuste = false;
    Marcado(&c, "<B>un texto en negrita muy largo</B> y algo más", TRect(0, 0, 60, 40), o);
    const auto llamadas = rec.Calls("DrawText", true);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].Text, "un texto en negrita muy largo");
    EXPECT_TRUE(llamadas[0].Args[4] & DT_END_ELLIPSIS);
    EXPECT_TRUE(llamadas[0].FontBold);
}

TEST_F(Lienzo, FuentesYColores) {
    TCanvasRecorder rec(&c);
    Marcado(&c,
            "<FONT SIZE=\"3\">a</FONT><FONT size=\"20\">b</FONT><font color=\"#ff0000\" "
            "face=\"Courier New\">c</font><FONT COLOR=\"clblue\">d</FONT><I>e</I><U>f</U><S>g</S>h",
            TRect(0, 0, 400, 100));
    const auto k = rec.Calls("DrawText", true);
    ASSERT_EQ(k.size(), 8u);
    EXPECT_EQ(k[0].FontPixelSize, 16); // 12 points
    EXPECT_EQ(k[1].FontPixelSize, 27); // 20 points
    EXPECT_EQ(k[2].TextColor, 0x0000FFu);
    EXPECT_EQ(k[3].TextColor, 0xFF0000u);
    EXPECT_EQ(k[7].TextColor, 0u); // the caller's colour back after /FONT
    EXPECT_EQ(k[7].FontPixelSize, k[0].FontPixelSize * 12 / 16);
    EXPECT_EQ(c.GetFont()->GetSize(), 9); // the caller's font is restored
    rec.Clear();
    OpcionesMarcado sel;
    sel.seleccionado = true;
    Marcado(&c, "<FONT COLOR=\"#ff0000\">c</FONT>", TRect(0, 0, 400, 100), sel);
    EXPECT_EQ(rec.Calls("DrawText", true)[0].TextColor, 0u);
}

TEST_F(Lienzo, AnclasYRaton) {
    OpcionesMarcado o;
    o.mouseX = 1 + c.TextWidth("x  ") + c.TextWidth("y"); // over the second anchor's text
    o.mouseY = gh / 2;
    const AnsiString texto = "<A HREF=\"x\">x</A>  <A href=\"Yz\" title=\"Otra Cosa\">yy</A>";
    SalidaMarcado s = Marcado(&c, texto, TRect(0, 0, 300, 40), o);
    EXPECT_EQ(s.anclas, 2);
    EXPECT_EQ(s.href, "Yz"); // the reference keeps its case
    EXPECT_EQ(s.anclaRaton, 2);
    EXPECT_EQ(s.titulo, "Otra Cosa");
    EXPECT_FALSE(s.resultado); // an anchor's text is hit by the HitPass only
    o.hitPass = true;
    s = Marcado(&c, texto, TRect(0, 0, 300, 40), o);
    EXPECT_TRUE(s.resultado);
    EXPECT_EQ(s.anclaRect.Top, 0);
    EXPECT_GT(s.anclaRect.Right, s.anclaRect.Left);
    o.mouseX = 300;
    s = Marcado(&c, texto, TRect(0, 0, 300, 40), o);
    EXPECT_FALSE(s.resultado);
    EXPECT_EQ(s.anclaRaton, -1);
    EXPECT_EQ(s.href, "");
}

TEST_F(Lienzo, AnclasColoreadasYFoco) {
    TCanvasRecorder rec(&c);
    OpcionesMarcado o;
    o.foco = 0;
    o.colorAncla = clGreen;
    const SalidaMarcado s = Marcado(&c, "a <A HREF=\"x\">enlace</A> b", TRect(0, 0, 300, 40), o);
    EXPECT_EQ(s.focoHref, "x");
    const auto k = rec.Calls("DrawText", true);
    ASSERT_EQ(k.size(), 4u); // "a ", "enlace", " ", "b"
    EXPECT_EQ(k[1].TextColor, static_cast<COLORREF>(clGreen));
    EXPECT_EQ(k[3].TextColor, 0u);
    EXPECT_EQ(rec.Count("DrawFocusRect"), 1);
}

TEST_F(Lienzo, ParrafosCentradosHastaOtroP) {
    TCanvasRecorder rec(&c);
    Marcado(&c, "<P ALIGN=\"CENTER\">uno</P>dos<BR><P align=\"left\">tres", TRect(0, 0, 201, 100));
    const auto k = rec.Calls("DrawText", true);
    ASSERT_EQ(k.size(), 3u);
    EXPECT_EQ(k[0].Args[0], 1 + (200 - c.TextWidth("uno")) / 2);
    EXPECT_EQ(k[1].Args[0], 1 + (200 - c.TextWidth("dos")) / 2); // /P does not reset it
    EXPECT_EQ(k[2].Args[0], 1);
}

TEST_F(Lienzo, ControlesIncrustados) {
    OpcionesMarcado o;
    o.hitPass = true;
    o.controlId = "c1";
    const SalidaMarcado s =
        Marcado(&c, "Ver <CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"20\"> fin",
                TRect(0, 0, 300, 40), o);
    EXPECT_TRUE(s.resultado);
    EXPECT_EQ(s.ancho, c.TextWidth("Ver ") + 16 + c.TextWidth(" fin"));
    EXPECT_EQ(s.controlRect.Width(), 16);
    EXPECT_EQ(s.controlRect.Height(), 16);
    EXPECT_EQ(s.controlRect.Left, 1 + c.TextWidth("Ver "));
    EXPECT_EQ(s.controlTipo, "CHECK");
    EXPECT_EQ(s.controlValor, "TRUE");
    EXPECT_EQ(s.href, "ctrl");
    // Without WIDTH the tag does nothing.
    EXPECT_EQ(Marcado(&c, "<CONTROL TYPE=\"EDIT\" ID=\"e\">", TRect(0, 0, 300, 40)).ancho, 0);
    // The mouse over an edit.
    OpcionesMarcado m;
    m.mouseX = 20;
    m.mouseY = 8;
    const SalidaMarcado e =
        Marcado(&c, "<CONTROL TYPE=\"edit\" ID=\"e\" VALUE=\"a &amp; b\" WIDTH=\"80\">",
                TRect(0, 0, 300, 40), m);
    EXPECT_TRUE(e.resultado);
    EXPECT_EQ(e.controlId, "e");
    EXPECT_EQ(e.controlValor, "a & b");
    EXPECT_EQ(e.controlTipo, "EDIT");
}

TEST_F(Lienzo, ImagenesDeLaListaYDelContenedor) {
    TImageList lista(nullptr, 16, 16);
    TBitmap b;
    b.SetSize(16, 16);
    b.GetCanvas()->GetBrush()->SetColor(clRed);
    b.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    for (int i = 0; i < 3; ++i)
        lista.Add(&b, nullptr);
    OpcionesMarcado o;
    o.imagenes = &lista;
    EXPECT_EQ(Marcado(&c, "<IMG SRC=\"IDX:5\">", TRect(0, 0, 300, 40), o).ancho, 0);
    const SalidaMarcado s = Marcado(&c, "a<IMG src=\"idx:1\">b", TRect(0, 0, 300, 40), o);
    EXPECT_EQ(s.ancho, c.TextWidth("a") + 16 + c.TextWidth("b"));
    EXPECT_EQ(s.alto, std::max(gh, 16));
    EXPECT_EQ(c.GetPixels(1 + c.TextWidth("a") + 8, 8), clRed);

    TPictureContainer cont(nullptr);
    TPictureItem* item = cont.GetItems()->Add();
    item->SetName("Logo");
    item->GetPicture()->LoadFromBytes(b.SaveToBytes());
    o.contenedor = &cont;
    c.GetBrush()->SetColor(clWhite);
    c.FillRect(TRect(0, 0, 400, 200));
    const SalidaMarcado p =
        Marcado(&c, "<IMG SRC=\"logo\" WIDTH=\"30\" HEIGHT=\"20\">x", TRect(0, 0, 300, 40), o);
    EXPECT_EQ(p.ancho, 30 + c.TextWidth("x"));
    EXPECT_EQ(c.GetPixels(29, 19), clRed);
    EXPECT_EQ(Marcado(&c, "<IMG SRC=\"nadie\">", TRect(0, 0, 300, 40), o).ancho, 0);
}

TEST_F(Lienzo, EntidadesUnaSolaVez) {
    struct C {
        const char* texto;
        const char* plano;
    } casos[] = {{"A&amp;B", "A&B"},         {"&amp;lt;", "&lt;"},
                 {"&lt;b&gt;", "<b>"},       {"&euro;&nbsp;5", "\x80 5"},
                 {"&QUOT;x&quot;", "\"x\""}, {"&desconocida;", "&desconocida;"},
                 {"<#FF0000>", "#FF0000"}};
    for (const C& k : casos)
        EXPECT_EQ(Marcado(&c, k.texto, TRect(0, 0, 300, 40)).plano, k.plano) << k.texto;
}

TEST_F(Lienzo, OcultoTachadoSubindiceYError) {
    const SalidaMarcado z = Marcado(&c, "a<Z>bbbb</Z>c", TRect(0, 0, 300, 40));
    EXPECT_EQ(z.ancho, c.TextWidth("a") + c.TextWidth("c"));
    EXPECT_EQ(z.plano, "abbbbc");
    EXPECT_GT(Marcado(&c, "a<SUB>2</SUB>", TRect(0, 0, 300, 40)).alto, gh);
    EXPECT_GT(Marcado(&c, "a<SUP>2</SUP>", TRect(0, 0, 300, 40)).alto, gh);
    TCanvasRecorder rec(&c);
    Marcado(&c, "<E>malo</E> bien", TRect(0, 0, 300, 40));
    const auto lineas = rec.Calls("LineTo", true);
    ASSERT_GE(lineas.size(), 4u);
    EXPECT_EQ(lineas[0].PenColor, 0x0000FFu);
    EXPECT_LE(lineas.back().Args[0], 1 + c.TextWidth("malo") + 1);
}

TEST_F(Lienzo, ListasYReglas) {
    TCanvasRecorder rec(&c);
    const SalidaMarcado s = Marcado(&c, "<UL><LI>uno<LI>dos</UL>fin<HR>", TRect(0, 0, 300, 100));
    std::vector<TCanvasCall> k, vinetas;
    for (const TCanvasCall& l : rec.Calls("DrawText", true))
        (l.Text == "\x95" ? vinetas : k).push_back(l);
    ASSERT_EQ(k.size(), 3u);
    EXPECT_EQ(k[0].Text, "uno");
    EXPECT_EQ(k[0].Args[0], 1 + 12);
    EXPECT_EQ(k[1].Args[0], 1 + 12); // each item on its own line
    EXPECT_GT(k[1].Args[1], k[0].Args[1]);
    ASSERT_EQ(vinetas.size(), 2u);
    EXPECT_EQ(vinetas[0].Args[0], 1);
    EXPECT_EQ(k[2].Text, "fin"); // /UL does not break the line
    EXPECT_EQ(k[2].Args[1], k[1].Args[1]);
    EXPECT_EQ(s.alto, 3 * gh); // UL's break, then one line per item
}

TEST_F(Lienzo, SoloMedirNoDibuja) {
    TCanvasRecorder rec(&c);
    OpcionesMarcado o;
    o.soloMedir = true;
    const SalidaMarcado s =
        Marcado(&c, "<B>uno</B> <A HREF=\"x\">dos</A>", TRect(0, 0, 300, 40), o);
    EXPECT_EQ(rec.Count("DrawText"), 0);
    EXPECT_EQ(rec.Count("Rectangle"), 0);
    EXPECT_EQ(s.anclas, 1);
    EXPECT_GT(s.ancho, 0);
    EXPECT_FALSE(s.resultado);
}

TEST_F(Lienzo, MarcadoMalFormadoAcabaSinSalirse) {
    const char* casos[] = {"a<",
                           "a<b",
                           "<A HREF=\"sin cierre>x</A>",
                           "</B></I>x<B>",
                           "<B><I>x</B></I>",
                           "<",
                           "<>",
                           "</>",
                           "<FONT COLOR=\"#zz\">x",
                           "<IMG SRC=\"",
                           "<CONTROL WIDTH=\"-50\" TYPE=\"EDIT\">",
                           "<P ALIGN=\"RIGHT\" INDENT=\"999999\">x",
                           "<LI><LI><LI>",
                           "<IND x=\"-5\">a",
                           "<R \"90\">x</R>"};
    for (const char* t : casos) {
        const SalidaMarcado s = Marcado(&c, t, TRect(0, 0, 100, 40));
        EXPECT_GE(s.alto, gh) << t;
    }
    EXPECT_EQ(Marcado(&c, "a<b", TRect(0, 0, 100, 40)).plano, "a");
}

TEST_F(Lienzo, TextoGirado) {
    TCanvasRecorder rec(&c);
    Marcado(&c, "a<R \"90\">b</R>c", TRect(0, 0, 300, 40));
    const auto girado = rec.Calls("TextOut", true);
    ASSERT_EQ(girado.size(), 1u);
    EXPECT_EQ(girado[0].Text, "b");
    EXPECT_EQ(girado[0].FontEscapement, 900);
    EXPECT_EQ(rec.Calls("DrawText", true).size(), 2u);
    EXPECT_EQ(c.GetFont()->GetOrientation(), 0);
}

TEST_F(Lienzo, NumerosDesmesuradosDeLasEtiquetasNoDesbordanLaMaquetacion) {
    const char* casos[] = {
        "<CONTROL WIDTH=1100000000><CONTROL WIDTH=1100000000>",
        "<CONTROL TYPE=\"EDIT\" WIDTH=2147483647>a<CONTROL TYPE=\"COMBO\" WIDTH=2147483647>b",
        "<UL><LI><CONTROL WIDTH=2147483647><IND X=\"2147483647\">x<IND X=\"2147483647\">y",
        "<P INDENT=\"2147483647\" ALIGN=\"RIGHT\">x<CONTROL WIDTH=2147483647>",
        "<FONT SIZE=\"2147483647\">x</FONT><FONT SIZE=\"-2147483648\">y",
        "<R \"2147483647\">x</R><R \"-2147483648\">y</R>",
    };
    for (const char* t : casos)
        for (bool ajuste : {true, false}) {
            OpcionesMarcado o;
            o.ajuste = ajuste;
            o.foco = 0;
            o.hitPass = true;
            o.mouseX = 50;
            o.mouseY = 5;
            const SalidaMarcado medido = Marcado(&c, t, TRect(0, 0, 200, 60), o);
            EXPECT_GT(medido.ancho, 0) << t;
            EXPECT_GE(medido.alto, gh) << t;
            o.soloMedir = true;
            EXPECT_EQ(Marcado(&c, t, TRect(0, 0, 200, 60), o).ancho, medido.ancho) << t;
        }
    // Two controls as wide as the attribute allows stand side by side on one line, past the
    // rectangle; a negative width takes no room.
    const SalidaMarcado dos =
        Marcado(&c, "<CONTROL WIDTH=1100000000><CONTROL WIDTH=1100000000>", TRect(0, 0, 200, 60));
    EXPECT_EQ(dos.alto, gh + 6);
    EXPECT_EQ(dos.ancho, 2 * Marcado(&c, "<CONTROL WIDTH=1100000000>", TRect(0, 0, 200, 60)).ancho);
    EXPECT_EQ(Marcado(&c, "<CONTROL TYPE=\"EDIT\" WIDTH=\"-50\">x", TRect(0, 0, 200, 60)).ancho,
              c.TextWidth("x"));
}

TEST_F(Lienzo, ElMarcoDelFocoSeQuedaEnElRectangulo) {
    OpcionesMarcado o;
    o.foco = 0;
    const TRect r(10, 5, 210, 45);
    for (const char* t : {"<A HREF=\"x\"><CONTROL WIDTH=2000000></A>",
                          "<A HREF=\"x\">a<CONTROL WIDTH=2000000>b</A>"}) {
        TCanvasRecorder rec(&c);
        Marcado(&c, t, r, o);
        const auto marcos = rec.Calls("DrawFocusRect");
        ASSERT_EQ(marcos.size(), 1u) << t;
        EXPECT_EQ(marcos[0].Args[0], r.Left) << t; // a pixel left of the text, as always
        EXPECT_EQ(marcos[0].Args[2], r.Right) << t;
    }
    // A frame inside the rectangle is not changed.
    TCanvasRecorder rec(&c);
    Marcado(&c, "<A HREF=\"x\">enlace</A>", r, o);
    const auto marcos = rec.Calls("DrawFocusRect");
    ASSERT_EQ(marcos.size(), 1u);
    EXPECT_EQ(marcos[0].Args[0], r.Left);
    EXPECT_EQ(marcos[0].Args[2], r.Left + 1 + c.TextWidth("enlace") + 1);
}

TEST_F(Lienzo, ControlesDeUnMismoIdSeDistinguenPorSuOrden) {
    const char* t = "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"1\" WIDTH=\"40\"> "
                    "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"2\" WIDTH=\"50\">";
    OpcionesMarcado o;
    o.hitPass = true;
    o.controlId = "a";
    for (int n : {0, 1}) {
        o.ocurrencia = n;
        const SalidaMarcado s = Marcado(&c, t, TRect(0, 0, 300, 40), o);
        EXPECT_TRUE(s.resultado);
        EXPECT_EQ(s.controlValor, n == 0 ? "1" : "2");
        EXPECT_EQ(s.controlRect.Width(), n == 0 ? 40 : 50);
        EXPECT_EQ(s.ocurrencia, n);
    }
    // The mouse over the second reports which one it is.
    OpcionesMarcado m;
    m.mouseX = 1 + 40 + c.TextWidth(" ") + 10;
    m.mouseY = 8;
    const SalidaMarcado s = Marcado(&c, t, TRect(0, 0, 300, 40), m);
    EXPECT_EQ(s.controlId, "a");
    EXPECT_EQ(s.controlValor, "2");
    EXPECT_EQ(s.ocurrencia, 1);
}
