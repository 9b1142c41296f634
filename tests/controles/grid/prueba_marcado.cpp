// Markup as text: stripping, highlighting, escaping, the CONTROL tags and colour names;
// every scan ends and stays in bounds on a "<" without ">".

#include "controles/grid/markup/markup_helpers.h"
#include "tests/controles/comun/texto_prueba.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(Marcado, HTMLStrip) {
    struct C {
        const char* de;
        const char* a;
    } casos[] = {{"<B>uno</B><BR>dos", "uno\r\ndos"},
                 {"a<br>b<Hr>c", "a\r\nb\r\nc"},
                 {"&amp; <i>x</i>", "&amp; x"},
                 {"a < b", "a "}, // no ">" follows: a tag to the end
                 {"a<b>c<d", "ac"},
                 {"<", ""},
                 {"x<>y", "xy"},
                 {"", ""}};
    for (const C& c : casos)
        EXPECT_EQ(HTMLStrip(c.de), c.a) << c.de;
}

TEST(Marcado, HiLightYUnHiLight) {
    struct C {
        const char* texto;
        const char* buscado;
        bool mayus;
        const char* resultado;
    } casos[] = {
        {"un <b>gato</b> negro", "gato", false, "un <hi><b>gato</hi></b> negro"},
        {"Gato gato", "gato", true, "Gato <hi>gato</hi>"},
        {"Gato gato", "GATO", false, "<hi>Gato</hi> <hi>gato</hi>"},
        {"aa", "a", false, "<hi>a</hi><hi>a</hi>"},
        {"a<b>a</b>", "A", false, "<hi>a</hi><hi><b>a</hi></b>"},
        {"<i>ab</i>cd", "bc", false, "<i>a<hi>b</i>c</hi>d"},
        {"x < y", "y", false, "x < y"},
        {"ab<i", "b", false, "a<hi>b</hi><i"},
        {"nada", "z", false, "nada"},
        {"algo", "", false, "algo"},
        // A line break is searched as one: no hit runs across it unseen, and the hits after
        // it keep their places.
        {"hola<BR>mundo", "lamu", false, "hola<BR>mundo"},
        {"a<br>b<hr>c", "c", false, "a<br>b<hr><hi>c</hi>"},
        {"uno<BR>dos", "o\r\nd", false, "un<hi>o<BR>d</hi>os"},
    };
    for (const C& c : casos) {
        const AnsiString r = HiLight(c.texto, c.buscado, "hi", c.mayus);
        EXPECT_EQ(r, c.resultado) << c.texto;
        EXPECT_EQ(UnHiLight(r, "HI"), c.texto) << c.texto;
    }
    EXPECT_EQ(UnHiLight("<HI>a</hi><b>b</b>", "hi"), "a<b>b</b>");
}

TEST(Marcado, Escapes) {
    EXPECT_EQ(FixMarkup("A&B"), "A&amp;B");
    EXPECT_EQ(FixMarkup("\"<x>\""), "&quot;&lt;x&gt;&quot;");
    EXPECT_EQ(FixMarkup("5*amp;"), "5*amp;"); // left alone
    EXPECT_EQ(FixMarkup("&amp;"), "&amp;amp;");
    EXPECT_EQ(FixNonBreaking("a b  c"), "a&nbsp;b&nbsp;&nbsp;c");
    EXPECT_EQ(PasswordMask("clave"), "*****");
}

namespace {

const char* const kFormulario =
    "Nombre: <CONTROL TYPE=\"edit\" ID=\"n\" VALUE=\"Ana &amp; Luis\" WIDTH=\"80\"> "
    "<control id=\"ok\" type=\"CHECK\" value=\"TRUE\"> "
    "Clave: <CONTROL TYPE=\"PASSWORD\" ID=\"c\" VALUE=\"&lt;x&gt;\" WIDTH=\"60\" PROP=\"p1\"> "
    "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Aceptar\">";

} // namespace

TEST(Controles, LeerValoresYPropiedades) {
    EXPECT_TRUE(HasHTMLControl(kFormulario));
    EXPECT_TRUE(HasHTMLControl("a<control x>"));
    EXPECT_FALSE(HasHTMLControl("sin controles"));
    AnsiString v = "sin tocar";
    EXPECT_TRUE(GetControlValue(kFormulario, "n", v));
    EXPECT_EQ(v, "Ana & Luis");
    EXPECT_TRUE(GetControlValue(kFormulario, "c", v));
    EXPECT_EQ(v, "<x>");
    EXPECT_TRUE(GetControlValue(kFormulario, "ok", v));
    EXPECT_EQ(v, "TRUE");
    v = "sin tocar";
    EXPECT_FALSE(GetControlValue(kFormulario, "N", v)); // IDs compare exactly
    EXPECT_EQ(v, "sin tocar");
    EXPECT_EQ(GetControlProp(kFormulario, "c"), "p1");
    EXPECT_EQ(GetControlProp(kFormulario, "n"), "");
    AnsiString tipo, id, valor, ancho, prop;
    ParseControlTag(" type=\"combo\" ID=\"z\" VALUE=\"&amp;lt;\" PROP=\"q\"", tipo, id, valor,
                    ancho, prop);
    EXPECT_EQ(tipo, "COMBO");
    EXPECT_EQ(id, "z");
    EXPECT_EQ(valor, "&lt;"); // decoded once
    EXPECT_EQ(ancho, "");
    EXPECT_EQ(prop, "q");
    // The value knows the four entities of escaped text, in lower case.
    ParseControlTag(" ID=\"z\" VALUE=\"&lt;&gt;&quot;&amp;&AMP;&euro;\"", tipo, id, valor, ancho,
                    prop);
    EXPECT_EQ(valor, "<>\"&&AMP;&euro;");
}

TEST(Controles, SiguienteControlDeEdicion) {
    EXPECT_EQ(GetNextControlID(kFormulario, ""), "n");
    EXPECT_EQ(GetNextControlID(kFormulario, "n"), "c"); // the check box is skipped
    EXPECT_EQ(GetNextControlID(kFormulario, "c"), "");  // only a button follows
    EXPECT_EQ(GetNextControlID(kFormulario, "nadie"), "");
    EXPECT_EQ(GetNextControlID("texto", ""), "");
}

TEST(Controles, ConIdRepetidosElRecorridoPorOrdenPasaUnaVezPorCadaControl) {
    const AnsiString s = "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"1\"> "
                         "<CONTROL TYPE=\"CHECK\" ID=\"a\"> "
                         "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"2\"> "
                         "<CONTROL TYPE=\"MASK\" ID=\"b\"> <CONTROL TYPE=\"COMBO\" ID=\"a\">";
    std::vector<std::pair<AnsiString, int>> visitados;
    int ocurrencia = 0;
    for (AnsiString id = GetNextControlID(s, "", ocurrencia);
         !id.IsEmpty() && visitados.size() < 10; id = GetNextControlID(s, id, ocurrencia))
        visitados.emplace_back(id, ocurrencia);
    // The check box is skipped but counts among the controls with its ID.
    EXPECT_EQ(visitados,
              (std::vector<std::pair<AnsiString, int>>{{"a", 0}, {"a", 2}, {"b", 0}, {"a", 3}}));
    ocurrencia = 7;
    EXPECT_EQ(GetNextControlID(s, "a", ocurrencia), ""); // no eighth "a"

    // The value goes into the control walked to, not into the first with its ID.
    AnsiString t = s;
    ASSERT_TRUE(SetControlValue(t, "a", "nuevo", 2));
    AnsiString v;
    EXPECT_TRUE(GetControlValue(t, "a", v));
    EXPECT_EQ(v, "1");
    EXPECT_GT(
        t.Pos("<CONTROL ID=\"a\" VALUE=\"nuevo\" WIDTH=\"\" TYPE=\"EDIT\"> <CONTROL TYPE=\"MASK\""),
        0);
    EXPECT_FALSE(SetControlValue(t, "a", "x", 4));
}

TEST(Controles, ReescribirUnValor) {
    AnsiString s = kFormulario;
    ASSERT_TRUE(SetControlValue(s, "n", "Eva \"la\" <1>"));
    AnsiString v;
    EXPECT_TRUE(GetControlValue(s, "n", v));
    EXPECT_EQ(v, "Eva \"la\" <1>");
    EXPECT_EQ(s.Pos("Nombre: <CONTROL ID=\"n\" VALUE=\"Eva &quot;la&quot; &lt;1&gt;\" WIDTH=\"80\" "
                    "TYPE=\"EDIT\"> <control id=\"ok\""),
              1);
    ASSERT_TRUE(SetControlValue(s, "c", "y"));
    EXPECT_GT(s.Pos("<CONTROL ID=\"c\" VALUE=\"y\" WIDTH=\"60\" TYPE=\"PASSWORD\" PROP=\"p1\">"),
              0);
    const AnsiString antes = s;
    EXPECT_FALSE(SetControlValue(s, "x", "y"));
    EXPECT_EQ(s, antes);
}

TEST(Controles, EtiquetasSinCerrar) {
    AnsiString v;
    const char* roto = "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"sin cierre";
    EXPECT_TRUE(GetControlValue(roto, "a", v));
    EXPECT_EQ(v, "sin cierre");
    AnsiString s = roto;
    EXPECT_TRUE(SetControlValue(s, "a", "b"));
    EXPECT_EQ(s, "<CONTROL ID=\"a\" VALUE=\"b\" WIDTH=\"\" TYPE=\"EDIT\">");
    EXPECT_EQ(GetNextControlID("<CONTROL", ""), "");
    EXPECT_FALSE(GetControlValue("<CONTROLX ID=\"a\">", "a", v));
}

TEST(Colores, NombresYHexadecimal) {
    EXPECT_EQ(ColorFromName("clred"), RGB(255, 0, 0));
    EXPECT_EQ(ColorFromName("clnavy"), RGB(0, 0, 128));
    EXPECT_EQ(ColorFromName("clteal"), RGB(0, 128, 128));
    EXPECT_EQ(ColorFromName("clblack"), 0);
    EXPECT_EQ(ColorFromName("clinfobk"), SystemColor(24));
    EXPECT_EQ(ColorFromName("clbackground"), SystemColor(1));
    EXPECT_EQ(ColorFromName("clRed"), 0); // names come lower case
    EXPECT_EQ(ColorFromName("rojo"), 0);
    EXPECT_EQ(HexToColor("#FF0000"), RGB(255, 0, 0));
    EXPECT_EQ(HexToColor("#00ff80"), RGB(0, 255, 128));
    EXPECT_EQ(HexToColor("#1a2B3c"), RGB(0x1A, 0x2B, 0x3C));
    EXPECT_EQ(HexToColor("#F"), 0);
    EXPECT_EQ(HexToColor(""), 0);
    EXPECT_TRUE(ThemesUsable());
}
