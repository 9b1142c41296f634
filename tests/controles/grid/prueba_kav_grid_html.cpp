// The grid's HTML export: the table's text (spans, alignments, widths, escaping, styles), the
// XHTML document, the file forms with header and footer files, and xmllint reading both.

#include "controles/grid/cell_properties.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/scripted_modal_hooks.h"
#include "tests/controles/grid/celdas_hostiles_prueba.h"
#include "tests/controles/grid/ficheros_prueba.h"

#include <cstdio>

namespace {

class Html : public FicherosRejilla {
protected:
    // What xmllint says of a file: its messages and its exit status ("" and 0 when it reads
    // the file without a complaint; its HTML parser exits with 0 even on errors).
    std::string Xmllint(const char* Options, const AnsiString& Path) {
        const std::string cmd =
            "xmllint " + std::string(Options) + " --noout " + Path.str() + " 2>&1";
        FILE* p = popen(cmd.c_str(), "r");
        if (!p) return "popen failed";
        std::string out;
        char buf[512];
        for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
            out.append(buf, n);
        const int rc = pclose(p);
        return rc == 0 ? out : out + " (exit " + std::to_string(rc) + ")";
    }
    // The lines of the HTML text that start with Prefix.
    static std::vector<std::string> Lineas(const std::string& Html, const std::string& Prefix) {
        std::vector<std::string> r;
        size_t p = 0;
        for (size_t e; (e = Html.find("\r\n", p)) != std::string::npos; p = e + 2)
            if (Html.compare(p, Prefix.size(), Prefix) == 0) r.push_back(Html.substr(p, e - p));
        return r;
    }
};

// The table of a grid with a fixed row and column: the settings in the table tag, one line a
// cell from the first normal column, a merged cell with its spans and its covered cells left
// out, alignments, the width list, escaping, line breaks, links, and one style per look.
TEST_F(Html, Tabla) {
    Rejilla* g = Nueva(4, 4);
    g->SetAutoNumAlign(true);
    g->SetCells(1, 1, "a<b & \"c\"");
    g->SetCells(2, 1, "uno\r\ndos");
    g->SetCells(3, 1, "ver http://x.es/?a=1&b=2 ya");
    g->MergeCells(1, 2, 2, 2);
    g->SetCells(1, 2, "fusi\xF3n");
    g->SetCells(3, 2, "7");
    g->GetCellProperties(3, 3)->SetAlignment(taCenter);
    g->GetCellProperties(3, 3)->SetBrushColor(clRed);
    g->SetCells(3, 3, "<B>negrita</B>");
    THTMLSettings* s = g->GetHTMLSettings();
    s->SetBorderSize(2);
    s->SetCellPadding(3);
    s->SetTableStyle("class=\"t\"");
    s->SetPrefixTag("<p>antes</p>");
    s->SetSuffixTag("<p>despues</p>");
    s->GetColWidths()->Add(80);
    const std::string h = g->SaveToHTMLString().str();

    ASSERT_EQ(h.compare(0, 9, "<style>\r\n"), 0) << h;
    EXPECT_NE(h.find("</style>\r\n<p>antes</p>\r\n<table border=\"2\" cellspacing=\"0\" "
                     "cellpadding=\"3\"  class=\"t\"  width=\"100%\">\r\n"),
              std::string::npos)
        << h;
    const std::string fin = "</tr>\r\n</table>\r\n<p>despues</p>\r\n";
    EXPECT_EQ(h.substr(h.size() - fin.size()), fin);
    // Rows 1 to 3, columns 1 to 3, the merged block's three covered cells left out.
    const std::vector<std::string> celdas = Lineas(h, "<td");
    ASSERT_EQ(celdas.size(), 6u) << h;
    EXPECT_EQ(Lineas(h, "<tr>").size(), 3u);
    auto texto = [](const std::string& td) {
        const size_t a = td.find('>') + 1;
        return td.substr(a, td.rfind("</td>") - a);
    };
    EXPECT_EQ(texto(celdas[0]), "a&lt;b &amp; &quot;c&quot;");
    EXPECT_NE(celdas[0].find(" width=\"80\""), std::string::npos);
    EXPECT_EQ(celdas[0].find("nowrap"), std::string::npos);
    EXPECT_EQ(texto(celdas[1]), "uno<br>dos");
    EXPECT_NE(celdas[1].find(" nowrap"), std::string::npos);
    EXPECT_EQ(texto(celdas[2]),
              "ver <a href=\"http://x.es/?a=1&amp;b=2\">http://x.es/?a=1&amp;b=2</a> ya");
    EXPECT_NE(celdas[3].find(" colspan=\"2\" rowspan=\"2\""), std::string::npos);
    EXPECT_EQ(texto(celdas[3]), "fusi\xF3n");
    EXPECT_NE(celdas[4].find(" align=\"right\""), std::string::npos) << celdas[4];
    EXPECT_NE(celdas[5].find(" align=\"center\""), std::string::npos);
    EXPECT_NE(celdas[5].find(" bgcolor=\"#FF0000\""), std::string::npos);
    EXPECT_EQ(texto(celdas[5]), "negrita");
    EXPECT_EQ(celdas[5].find(" width="), std::string::npos);
    EXPECT_NE(celdas[0].find(" valign=\"top\""), std::string::npos);

    // The looks: every cell names a class of the style block, the same look the same class,
    // the centred red cell one of its own.
    auto clase = [](const std::string& td) {
        const size_t a = td.find("class=\"") + 7;
        return td.substr(a, td.find('"', a) - a);
    };
    EXPECT_EQ(clase(celdas[0]), "c0");
    EXPECT_EQ(clase(celdas[1]), "c0");
    const std::string roja = clase(celdas[5]);
    EXPECT_NE(roja, "c0");
    const std::vector<std::string> estilos = Lineas(h, ".c");
    ASSERT_EQ(estilos.size(), 3u) << h; // normal, right-aligned number, centred red
    const std::string estiloRojo = estilos[std::stoi(roja.substr(1))];
    EXPECT_NE(estiloRojo.find("background-color: #FF0000"), std::string::npos) << estiloRojo;
    EXPECT_NE(estiloRojo.find("text-align: center"), std::string::npos);
    EXPECT_NE(estiloRojo.find("font-size:"), std::string::npos);

    // Without colours or fonts the styles hold only the alignments.
    s->SetSaveColor(false);
    s->SetSaveFonts(false);
    const std::string sin = g->SaveToHTMLString().str();
    EXPECT_EQ(sin.find("bgcolor"), std::string::npos);
    EXPECT_EQ(sin.find("color:"), std::string::npos);
    EXPECT_EQ(sin.find("font"), std::string::npos);
    EXPECT_NE(sin.find(".c0 {vertical-align: top}"), std::string::npos) << sin;
}

// With StoreFixedCells the fixed row comes first as header cells and the fixed column is
// written; the notifications bracket the body rows only.
TEST_F(Html, FilaDeCabeceraYAvisos) {
    class Avisos : public Rejilla {
    public:
        using Rejilla::Rejilla;
        std::vector<std::pair<int, int>> avisos;
        void ExportNotification(int AState, int ARow) override { avisos.push_back({AState, ARow}); }
    };
    auto* g = new Avisos(ventana.get());
    g->SetColCount(2);
    g->SetRowCount(3);
    g->SetCells(0, 0, "N");
    g->SetCells(1, 0, "Nombre");
    g->SetCells(1, 2, "x");
    g->SetStoreFixedCells(true);
    const std::string h = g->SaveToHTMLString().str();
    const std::vector<std::string> th = Lineas(h, "<th");
    ASSERT_EQ(th.size(), 2u) << h;
    EXPECT_NE(th[1].find(">Nombre</th>"), std::string::npos);
    EXPECT_EQ(Lineas(h, "<td").size(), 4u);
    EXPECT_EQ(g->avisos, (std::vector<std::pair<int, int>>{{0, -1}, {1, 1}, {1, 2}, {2, -1}}));
}

// The file forms: header and footer files around the table (a missing one left out), the
// append form after the old bytes, a file that cannot be created, AutoPreview through the
// shell; xmllint's HTML parser reads the file.
TEST_F(Html, Ficheros) {
    Rejilla* g = Nueva(3, 3);
    g->SetCells(1, 1, "caf\xE9 & t\xE9");
    g->SetCells(2, 2, "a\r\nb");
    Escribir(Ruta("cab.txt"), "<html><head><title>T</title></head>\n<body>");
    Escribir(Ruta("pie.txt"), "</body></html>\r\n");
    THTMLSettings* s = g->GetHTMLSettings();
    s->SetHeaderFile(Ruta("cab.txt"));
    s->SetFooterFile(Ruta("pie.txt"));
    g->SaveToHTML(Ruta("t.html"));
    // The code page is declared in the head the header file opens.
    const std::string meta =
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n";
    const std::string t = Leer(Ruta("t.html"));
    EXPECT_EQ(t, "<html><head>" + meta + "<title>T</title></head>\r\n<body>\r\n" +
                     g->SaveToHTMLString().str() + "</body></html>\r\n");
    EXPECT_EQ(Xmllint("--html", Ruta("t.html")), "");

    s->SetHeaderFile(Ruta("no_existe.txt"));
    s->SetFooterFile("");
    g->AppendToHTML(Ruta("t.html"));
    EXPECT_EQ(Leer(Ruta("t.html")), t + g->SaveToHTMLString().str());
    g->AppendToHTML(Ruta("nuevo.html"));
    EXPECT_EQ(Leer(Ruta("nuevo.html")), meta + g->SaveToHTMLString().str());

    try {
        g->SaveToHTML(Ruta("no_hay/t.html"));
        ADD_FAILURE() << "no exception";
    } catch (const EKavGridError& e) {
        EXPECT_EQ(e.Message, "Cannot Create file " + Ruta("no_hay/t.html"));
    }
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    EXPECT_THROW(g->SaveToHTML(Ruta("t.html")), EInOutError);
    EXPECT_EQ(Leer(Ruta("t.html")), t + g->SaveToHTMLString().str());

    ScriptedModalHooks guion;
    guion.AnswerShellExecute();
    SetModalHooks(&guion);
    s->SetAutoPreview(true);
    g->SaveToHTML(Ruta("v.html"));
    SetModalHooks(nullptr);
    ASSERT_EQ(guion.ShownBoxes().size(), 1u);
    EXPECT_EQ(guion.ShownBoxes()[0].kind, ScriptedModalHooks::Kind::ShellExecute);
    EXPECT_EQ(guion.ShownBoxes()[0].text, Ruta("v.html"));
    EXPECT_EQ(guion.ShownBoxes()[0].caption, "open");
}

// The file declares the code page its bytes are in, so that a reader that would take
// UTF-8 otherwise reads "Línea": Python takes the charset the file declares; the XHTML form
// keeps its UTF-8 declaration, which holds for its bytes.
TEST_F(Html, DeclaraSuJuegoDeCaracteres) {
    Rejilla* g = Nueva(2, 2);
    g->SetCells(1, 1, "L\xEDnea \x80");
    for (bool xhtml : {false, true}) {
        SCOPED_TRACE(xhtml);
        g->GetHTMLSettings()->SetXHTML(xhtml);
        g->SaveToHTML(Ruta("l.html"));
        EXPECT_EQ(Python(R"py(
import re, html
b = open('l.html', 'rb').read()
m = re.search(rb'charset=([-\w]+)|encoding="([-\w]+)"', b)
t = html.unescape(b.decode((m.group(1) or m.group(2)).decode()))
print('.'.join('%x' % ord(c) for c in re.search(r'>(L[^<]*)</td>', t).group(1)))
)py"),
                  "4c.ed.6e.65.61.20.20ac\n");
    }
}

// Every byte 0x80-0x9F, TAB, line ends, quotes, markup characters and wide cells, written
// with the 8-bit bytes as they are, as references, and as XHTML: Python's HTML parser reads
// each cell's characters back, its line ends as breaks (the five bytes Windows-1252 leaves
// undefined read as the C1 controls of their number, as the grid reads them).
TEST_F(Html, CeldasHostilesLeidasPorPython) {
    const std::vector<CeldaHostil> celdas = CeldasHostiles(false);
    const int n = static_cast<int>(celdas.size());
    Rejilla* g = Nueva(2, n + 1);
    for (int i = 0; i < n; ++i)
        PonerCelda(g, 1, i + 1, celdas[i]);
    std::string esperado;
    for (const CeldaHostil& c : celdas)
        esperado += PuntosDeCodigo(LineasConLF(c.texto)) + "\n";
    THTMLSettings* s = g->GetHTMLSettings();
    for (int modo = 0; modo < 3; ++modo) {
        SCOPED_TRACE(modo);
        s->SetConvertSpecialChars(modo == 1);
        s->SetXHTML(modo == 2);
        g->SaveToHTML(Ruta("h.html"));
        EXPECT_EQ(Python(R"(
import codecs
from html.parser import HTMLParser
codecs.register_error('c1', lambda e: (chr(e.object[e.start]), e.start + 1))
class Celdas(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.celdas, self.dentro = [], False
    def handle_starttag(self, tag, attrs):
        if tag == 'td': self.celdas.append(''); self.dentro = True
        elif tag == 'br' and self.dentro: self.celdas[-1] += '\n'
    def handle_startendtag(self, tag, attrs): self.handle_starttag(tag, attrs)
    def handle_endtag(self, tag):
        if tag == 'td': self.dentro = False
    def handle_data(self, data):
        if self.dentro: self.celdas[-1] += data.replace('\r\n', '').replace('\xa0', ' ')
p = Celdas()
p.feed(open('h.html', 'rb').read().decode('cp1252', 'c1'))
for c in p.celdas:
    print('.'.join('%x' % ord(x) for x in c))
)"),
                  esperado);
    }
}

// XHTML: the XML declaration first, the styles in the head, values for every attribute,
// "<br/>", non-ASCII characters as references and blanks as non-breaking ones; xmllint's XML
// parser reads it.
TEST_F(Html, Xhtml) {
    Rejilla* g = Nueva(3, 3);
    g->SetCells(1, 1, "\x80 y \xF1<");
    g->SetCells(2, 1, "l1\r\nl2");
    g->MergeCells(1, 2, 2, 1);
    g->SetCells(1, 2, "mailto:a@b.es");
    THTMLSettings* s = g->GetHTMLSettings();
    s->SetXHTML(true);
    s->SetNonBreakingText(true);
    const std::string h = g->SaveToHTMLString().str();
    EXPECT_EQ(h.compare(0, 40, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"), 0) << h;
    EXPECT_NE(h.find(">&#8364;&#160;y&#160;&#241;&lt;</td>"), std::string::npos) << h;
    EXPECT_NE(h.find(">l1<br/>l2</td>"), std::string::npos);
    EXPECT_NE(h.find("nowrap=\"nowrap\""), std::string::npos);
    EXPECT_EQ(h.find(" nowrap "), std::string::npos);
    EXPECT_NE(h.find("<a href=\"mailto:a@b.es\">mailto:a@b.es</a>"), std::string::npos);
    EXPECT_EQ(h.substr(h.size() - 9), "</html>\r\n");
    g->SaveToHTML(Ruta("x.html"));
    EXPECT_EQ(Xmllint("", Ruta("x.html")), "");
    EXPECT_EQ(Xmllint("--html", Ruta("x.html")), "");

    // Plain HTML with ConvertSpecialChars gives the same references.
    s->SetXHTML(false);
    s->SetConvertSpecialChars(true);
    EXPECT_NE(g->SaveToHTMLString().Pos(">&#8364;&#160;y&#160;&#241;&lt;</td>"), 0);
}

} // namespace
