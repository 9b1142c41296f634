// The grid's XML files: the writer's exact text, round trips (an empty cell before a filled
// one, named fields, the texts the escaping must carry), files of the earlier writer,
// damaged files, and xmllint reading what the grid writes.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/string_list.h"
#include "tests/controles/grid/celdas_hostiles_prueba.h"
#include "tests/controles/grid/ficheros_prueba.h"

#include <cstdlib>

namespace {

class Xml : public FicherosRejilla {};

// The exact text: declaration, one tag a line, CR LF; no element for an empty or covered
// cell; the standard entities.
TEST_F(Xml, TextoExacto) {
    Rejilla* g = Nueva(4, 3);
    g->SetCells(1, 1, "a&b<c");
    g->SetCells(3, 1, "\xE1\x80");
    g->MergeCells(1, 2, 2, 1);
    g->SetCells(1, 2, "x\"y>");
    g->SaveToXML(Ruta("x.xml"), "lista", "fila", nullptr);
    EXPECT_EQ(Leer(Ruta("x.xml")), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n"
                                   "<lista>\r\n"
                                   "<fila>\r\n"
                                   "<FIELD0>a&amp;b&lt;c</FIELD0>\r\n"
                                   "<FIELD2>\xE1&#8364;</FIELD2>\r\n"
                                   "</fila>\r\n"
                                   "<fila>\r\n"
                                   "<FIELD0>x&quot;y&gt;</FIELD0>\r\n"
                                   "</fila>\r\n"
                                   "</lista>\r\n");
    EXPECT_EQ(std::system(("xmllint --noout " + Ruta("x.xml").str()).c_str()), 0);
}

// Every file written reads back into the same cells: an empty cell before a filled one,
// line breaks, "$amp", accents; named fields go to the columns whose header holds them.
TEST_F(Xml, IdaYVuelta) {
    Rejilla* g = Nueva(4, 4);
    for (int c = 1; c < 4; ++c)
        g->SetCells(c, 0, "Col" + AnsiString(c));
    g->SetCells(3, 1, "solo la tercera");
    g->SetCells(1, 2, "dos\r\nl\xEDneas");
    g->SetCells(2, 2, "$amp y &");
    g->SetCells(3, 2, "\x80 <>\"");
    g->SetCells(2, 3, "tab\tdentro");
    TStringList nombres;
    nombres.Add("Col1");
    nombres.Add("Col2");
    nombres.Add("Col3");
    for (TStrings* campos : {static_cast<TStrings*>(nullptr), static_cast<TStrings*>(&nombres)}) {
        g->SaveToXML(Ruta("r.xml"), "lista", "fila", campos);
        EXPECT_EQ(std::system(("xmllint --noout " + Ruta("r.xml").str()).c_str()), 0);
        Rejilla* h = Nueva(2, 2);
        for (int c = 1; c < 4; ++c)
            h->SetCells(c, 0, "Col" + AnsiString(4 - c)); // the header in another order
        h->SetColCount(4);
        h->LoadFromXML(Ruta("r.xml"));
        ASSERT_EQ(h->GetRowCount(), 4);
        for (int r = 1; r < 4; ++r)
            for (int c = 1; c < 4; ++c) {
                const int donde = campos ? 4 - c : c;
                EXPECT_EQ(h->GetCells(donde, r), g->GetCells(c, r)) << c << "," << r;
            }
    }
}

// Named fields land in their own columns whatever columns before them are empty in a row.
TEST_F(Xml, CamposConNombreEnSusColumnas) {
    struct Caso {
        const char* nombre;
        std::vector<std::vector<const char*>> filas;
    } casos[] = {
        {"primera vacia arriba", {{"", "b1", "c1"}, {"a2", "b2", "c2"}}},
        {"primera vacia abajo", {{"a1", "", "c1"}, {"", "", "c2"}, {"", "b3", ""}}},
        {"cada fila con una sola", {{"", "", "c1"}, {"", "b2", ""}, {"a3", "", ""}}},
    };
    TStringList nombres;
    for (const char* n : {"uno", "dos", "tres"})
        nombres.Add(n);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const int filas = static_cast<int>(c.filas.size());
        Rejilla* g = Nueva(4, filas + 1);
        for (int r = 0; r < filas; ++r)
            for (int x = 0; x < 3; ++x)
                g->SetCells(x + 1, r + 1, c.filas[r][x]);
        g->SaveToXML(Ruta("n.xml"), "lista", "fila", &nombres);
        Rejilla* h = Nueva(2, 2);
        h->LoadFromXML(Ruta("n.xml"));
        ASSERT_EQ(h->GetRowCount(), filas + 1);
        for (int r = 0; r < filas; ++r)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(h->GetCells(x + 1, r + 1), c.filas[r][x]) << x << "," << r;
    }
}

// Every byte 0x80-0x9F, TAB, LF, CR, quotes and markup in 8-bit cells, and wide cells, read
// back by the grid into the same characters, and by Python's XML reader and xmllint.
TEST_F(Xml, CeldasHostilesDeIdaYVuelta) {
    const std::vector<CeldaHostil> celdas = CeldasHostiles(false);
    const int n = static_cast<int>(celdas.size());
    Rejilla* g = Nueva(2, n + 1);
    for (int i = 0; i < n; ++i)
        PonerCelda(g, 1, i + 1, celdas[i]);
    g->SaveToXML(Ruta("h.xml"), "lista", "fila", nullptr);
    EXPECT_EQ(std::system(("xmllint --noout " + Ruta("h.xml").str()).c_str()), 0);
    Rejilla* h = Nueva(2, 2);
    h->LoadFromXML(Ruta("h.xml"));
    ASSERT_EQ(h->GetRowCount(), n + 1);
    std::string esperado;
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(TextoDeCelda(h, 1, i + 1), celdas[i].texto) << i;
        esperado += PuntosDeCodigo(celdas[i].texto) + "\n";
    }
    EXPECT_EQ(Python(R"(
import xml.etree.ElementTree as ET
for f in ET.parse('h.xml').getroot():
    print('.'.join('%x' % ord(c) for c in f.find('FIELD0').text))
)"),
              esperado);
}

// The earlier writer's "$amp" still reads as "&"; a file that is not well-formed raises
// with its code and line before any cell changes; a missing file raises.
TEST_F(Xml, AntiguoYDanado) {
    Escribir(Ruta("v.xml"), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<l>\r\n<f>\r\n"
                            "<FIELD0>a$ampb&lt;c</FIELD0>\r\n</f>\r\n</l>\r\n");
    Rejilla* h = Nueva(3, 3);
    h->LoadFromXML(Ruta("v.xml"));
    EXPECT_EQ(h->GetCells(1, 1), "a&b<c");
    Escribir(Ruta("m.xml"), "<l>\n<f>\n<FIELD0>x</f>\n</l>\n");
    Rejilla* m = Nueva(3, 3);
    m->SetCells(1, 1, "antes");
    try {
        m->LoadFromXML(Ruta("m.xml"));
        ADD_FAILURE();
    } catch (const EKavGridError&) {
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message.str().rfind("XMLDOM Parsing error ", 0), 0u) << e.Message.str();
        EXPECT_NE(e.Message.str().find(" on line "), std::string::npos) << e.Message.str();
    }
    EXPECT_EQ(m->GetCells(1, 1), "antes");
    EXPECT_EQ(m->GetColCount(), 3);
    try {
        m->LoadFromXML(Ruta("falta.xml"));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "XML file not found");
    }
}

} // namespace
