// Hostile workbooks and documents: expansions and trees within their limits, parts in UTF-16
// read as any other (a document type refused whatever the encoding), and saves into files
// whose comments and sections hold any text, read back by our reader and by openpyxl and
// python-docx.

#include "plataforma/office/docx_document.h"
#include "plataforma/office/xlsx_workbook.h"
#include "tests/plataforma/office/libros_prueba.h"

namespace {

// Packages written by Python's zipfile: a workbook of one sheet "H" (its sheet, shared
// strings and workbook parts given as bytes or text) and a document of one main part.
const char kPaquetes[] = R"PY(
import zipfile
M = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'
def tipos(*partes):
    return ('<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>' +
            ''.join('<Override PartName="/%s" ContentType="application/vnd.openxmlformats-officedocument.%s"/>' % p
                    for p in partes) + '</Types>')
def rels(destino):
    return ('<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="a" Type="' + R + 'officeDocument" Target="' + destino +
            '"/></Relationships>')
def libro_xml(hoja_id='1'):
    return ('<workbook ' + M + ' xmlns:r="' + R[:-1] + '"><sheets><sheet name="H" sheetId="' +
            hoja_id + '" r:id="h"/></sheets></workbook>')
def libro(nombre, hoja, sst='<sst ' + M + '/>', wb=None):
    with zipfile.ZipFile(nombre, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('[Content_Types].xml', tipos(
            ('xl/workbook.xml', 'spreadsheetml.sheet.main+xml'),
            ('xl/h.xml', 'spreadsheetml.worksheet+xml'),
            ('xl/s.xml', 'spreadsheetml.sharedStrings+xml')))
        z.writestr('_rels/.rels', rels('xl/workbook.xml'))
        z.writestr('xl/workbook.xml', wb or libro_xml())
        z.writestr('xl/_rels/workbook.xml.rels',
                   '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                   '<Relationship Id="h" Type="' + R + 'worksheet" Target="h.xml"/>'
                   '<Relationship Id="s" Type="' + R + 'sharedStrings" Target="s.xml"/></Relationships>')
        z.writestr('xl/s.xml', sst)
        z.writestr('xl/h.xml', hoja)
def documento(nombre, cuerpo):
    with zipfile.ZipFile(nombre, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('[Content_Types].xml', tipos(
            ('word/document.xml', 'wordprocessingml.document.main+xml')))
        z.writestr('_rels/.rels', rels('word/document.xml'))
        z.writestr('word/document.xml', cuerpo)
)PY";

SheetContents LeerHoja(const AnsiString& Fichero) {
    XlsxWorkbook libro(Fichero);
    return libro.ReadWorksheet(libro.FindWorksheet("H"));
}

} // namespace

class OficinaHostil : public FicherosOficina {
protected:
    // The message of the EOfficeError that Operation raises ("" when it raises none).
    template <class F> std::string Error(F&& Operation) {
        try {
            Operation();
        } catch (const EOfficeError& e) {
            return e.Message.str();
        }
        return {};
    }
};

// A shared string counts at every cell that uses it: a small file that names a long string
// from many cells is refused, one that names it from a few reads it into each.
TEST_F(OficinaHostil, LasCadenasCompartidasCuentanEnCadaUso) {
    Python(std::string(kPaquetes) + R"(
def usos(n):
    return '<worksheet ' + M + '><sheetData>' + ''.join(
        '<row r="%d"><c r="A%d" t="s"><v>0</v></c></row>' % (i + 1, i + 1) for i in range(n)) + \
        '</sheetData></worksheet>'
sst = '<sst ' + M + '><si><t>' + 'x' * 300000 + '</t></si></sst>'
libro('pocos.xlsx', usos(10), sst)
libro('muchos.xlsx', usos(1000), sst)
)");
    const SheetContents pocos = LeerHoja(Ruta("pocos.xlsx"));
    ASSERT_EQ(pocos.Cells.size(), 10u);
    for (const SheetCell& c : pocos.Cells)
        EXPECT_EQ(c.Text.str(), std::string(300000, 'x'));
    const std::string e = Error([&] { LeerHoja(Ruta("muchos.xlsx")); });
    EXPECT_NE(e.find("tiene más texto del que cabe en la rejilla"), std::string::npos) << e;
    EXPECT_NE(e.find("muchos.xlsx"), std::string::npos) << e;
}

// Parts in UTF-16 (either byte order, with or without a byte order mark) and UTF-8 with a
// mark read as plain UTF-8; a save into such a workbook reads back, here and in openpyxl.
TEST_F(OficinaHostil, PartesEnUtf16SeLeenYSeGuardan) {
    const char* codificaciones[] = {"utf-16", "utf-16-be-bom", "utf-16-le", "utf-16-be",
                                    "utf-8-sig"};
    std::string programa = std::string(kPaquetes) + R"(
def codificado(texto, cod):
    texto = '<?xml version="1.0" encoding="' + cod.replace('-bom', '').replace('-sig', '') + '"?>' + texto
    if cod == 'utf-16-be-bom':
        return '\ufeff'.encode('utf-16-be') + texto.encode('utf-16-be')
    return texto.encode(cod)
hoja = ('<worksheet ' + M + '><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>viejo</t>'
        '</is></c><c r="C1" t="inlineStr"><is><t>Añadido € &amp; &lt;x&gt; \U0001D11E</t></is></c></row>'
        '</sheetData></worksheet>')
)";
    for (const char* c : codificaciones)
        programa += std::string("libro('") + c + ".xlsx', codificado(hoja, '" + c +
                    "'), wb=codificado(libro_xml(), '" + c + "'))\n";
    Python(programa);
    for (const char* c : codificaciones) {
        SCOPED_TRACE(c);
        const std::string fichero = std::string(c) + ".xlsx";
        const SheetContents hoja = LeerHoja(Ruta(fichero.c_str()));
        ASSERT_EQ(hoja.Cells.size(), 2u);
        EXPECT_EQ(hoja.Cells[1].Text, "Añadido € & <x> ?");

        XlsxWorkbook libro(Ruta(fichero.c_str()));
        libro.WriteWorksheet(0, 1, 1, [](int, std::vector<AnsiString>& T) { T[0] = "nuevo"; });
        libro.SaveAs(Ruta("guardado.xlsx"));
        const SheetContents otra = LeerHoja(Ruta("guardado.xlsx"));
        ASSERT_EQ(otra.Cells.size(), 2u);
        EXPECT_EQ(otra.Cells[0].Text, "nuevo");
        EXPECT_EQ(otra.Cells[1].Text, "Añadido € & <x> ?");
        EXPECT_EQ(Python(R"(
import openpyxl
h = openpyxl.load_workbook('guardado.xlsx')['H']
print(h['A1'].value, h['C1'].value == 'Añadido € & <x> \U0001D11E')
)"),
                  "nuevo True\n");
    }
}

// A document type is refused in any encoding, before anything is read or written: the file
// stays as it was; so is a part in an encoding that is not ASCII-compatible.
TEST_F(OficinaHostil, TiposDeDocumentoEnCualquierCodificacion) {
    struct Caso {
        const char* fichero;
        const char* python;
        const char* mensaje;
    } casos[] = {
        {"hoja16.xlsx",
         "libro('hoja16.xlsx', ('<!DOCTYPE worksheet [<!ENTITY e \"x\">]><worksheet ' + M + "
         "'><sheetData/></worksheet>').encode('utf-16'))",
         "la parte xl/h.xml declara un tipo de documento"},
        {"hoja16be.xlsx",
         "libro('hoja16be.xlsx', ('<?xml version=\"1.0\" encoding=\"UTF-16BE\"?><!DOCTYPE x>"
         "<worksheet ' + M + '><sheetData/></worksheet>').encode('utf-16-be'))",
         "la parte xl/h.xml declara un tipo de documento"},
        {"libro16.xlsx",
         "libro('libro16.xlsx', '<worksheet ' + M + '><sheetData/></worksheet>', "
         "wb=('<!DOCTYPE w>' + libro_xml()).encode('utf-16'))",
         "la parte xl/workbook.xml declara un tipo de documento"},
        {"hoja32.xlsx",
         "libro('hoja32.xlsx', ('<!DOCTYPE x><worksheet ' + M + "
         "'><sheetData/></worksheet>').encode('utf-32'))",
         "la parte xl/h.xml no es XML válido"},
        {"doc16.docx",
         "documento('doc16.docx', ('<!DOCTYPE d [<!ENTITY e \"x\">]><w:document ' + W + "
         "'><w:body/></w:document>').encode('utf-16'))",
         "la parte word/document.xml declara un tipo de documento"},
    };
    std::string programa = kPaquetes;
    for (const Caso& c : casos)
        programa += std::string(c.python) + "\n";
    Python(programa);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.fichero);
        const std::string antes = Bytes(c.fichero);
        const bool libro = std::string(c.fichero).find(".xlsx") != std::string::npos;
        const std::string e = Error([&] {
            if (libro) {
                XlsxWorkbook l(Ruta(c.fichero));
                l.WriteWorksheet(0, 1, 1, [](int, std::vector<AnsiString>& T) { T[0] = "a"; });
                l.SaveAs(Ruta(c.fichero));
            } else {
                DocxDocument d(Ruta(c.fichero));
                d.AddTable("", 1, 1, [](int, int, AnsiString& T, DocxAlignment&) { T = "a"; });
                d.SaveAs(Ruta(c.fichero));
            }
        });
        EXPECT_NE(e.find(c.mensaje), std::string::npos) << e;
        EXPECT_NE(e.find(c.fichero), std::string::npos) << e;
        EXPECT_EQ(Bytes(c.fichero), antes);
        if (libro) {
            const std::string leer = Error([&] { LeerHoja(Ruta(c.fichero)); });
            EXPECT_NE(leer.find(c.mensaje), std::string::npos) << leer;
        }
    }
}

// Comments before the root and sections of text that hold what a writer might use as a mark
// are the user's: the rows and the table land where they belong and those texts stay.
TEST_F(OficinaHostil, ComentariosYSeccionesNoDesvianLaEscritura) {
    Python(std::string(kPaquetes) + R"(
libro('marcas.xlsx', '<!--quenbar-filas--><worksheet ' + M + '><sheetData><!--quenbar-filas-->'
      '<row r="5"><c r="C5" t="inlineStr"><is><t><![CDATA[<!--quenbar-filas-->]]></t></is></c>'
      '</row></sheetData></worksheet><!--quenbar-filas-->')
documento('marcas.docx', '<!--quenbar-tabla--><w:document ' + W + '><w:body><!--quenbar-tabla-->'
          '<w:p><w:r><w:t><![CDATA[<!--quenbar-tabla-->]]></w:t></w:r></w:p>'
          '<w:sectPr/></w:body></w:document>')
)");
    XlsxWorkbook libro(Ruta("marcas.xlsx"));
    libro.WriteWorksheet(0, 2, 2, [](int Fila, std::vector<AnsiString>& T) {
        T[0] = "a" + AnsiString(Fila);
        T[1] = "b" + AnsiString(Fila);
    });
    libro.SaveAs(Ruta("marcas.xlsx"));
    const SheetContents hoja = LeerHoja(Ruta("marcas.xlsx"));
    std::string celdas;
    for (const SheetCell& c : hoja.Cells)
        celdas += std::to_string(c.Col) + "," + std::to_string(c.Row) + "=" + c.Text.str() + " ";
    EXPECT_EQ(celdas, "1,1=a0 2,1=b0 1,2=a1 2,2=b1 3,5=<!--quenbar-filas--> ");
    EXPECT_EQ(Python(R"(
import openpyxl
h = openpyxl.load_workbook('marcas.xlsx')['H']
print([[c.value for c in f] for f in h.iter_rows()])
)"),
              "[['a0', 'b0', None], ['a1', 'b1', None], [None, None, None], "
              "[None, None, None], [None, None, '<!--quenbar-filas-->']]\n");

    DocxDocument documento(Ruta("marcas.docx"));
    documento.AddTable(
        "", 1, 2, [](int, int Col, AnsiString& T, DocxAlignment&) { T = "t" + AnsiString(Col); });
    documento.SaveAs(Ruta("marcas.docx"));
    EXPECT_EQ(Python(R"(
import docx
d = docx.Document('marcas.docx')
print([p.text for p in d.paragraphs], [[c.text for c in f.cells] for t in d.tables for f in t.rows])
)"),
              "['<!--quenbar-tabla-->', ''] [['t0', 't1']]\n");
}

// A sheet added to a workbook whose sheets carry the largest numbers gets one that is free and
// within the format's 32 bits.
TEST_F(OficinaHostil, NumeroDeHojaAnadidaSinDesbordar) {
    const char* numeros[] = {"1", "4294967295", "9223372036854775807", "-3"};
    std::string programa = kPaquetes;
    for (const char* n : numeros)
        programa += std::string("libro('n") + n +
                    ".xlsx', '<worksheet ' + M + '/>', wb=libro_xml('" + n + "'))\n";
    Python(programa);
    for (const char* n : numeros) {
        SCOPED_TRACE(n);
        const std::string fichero = std::string("n") + n + ".xlsx";
        XlsxWorkbook libro(Ruta(fichero.c_str()));
        libro.AddWorksheet("Nueva");
        libro.SaveAs(Ruta(fichero.c_str()));
        const std::string ids = Python("import openpyxl, re, zipfile\n"
                                       "openpyxl.load_workbook('" +
                                       fichero +
                                       "')\n"
                                       "t = zipfile.ZipFile('" +
                                       fichero +
                                       "').read('xl/workbook.xml').decode()\n"
                                       "print(re.findall(r'sheetId=\"([^\"]*)\"', t))\n");
        const std::string esperado = std::string(n) == "1" ? "['1', '2']\n"
                                     : std::string(n) == "4294967295"
                                         ? "['4294967295', '1']\n"
                                         : std::string("['") + n + "', '1']\n";
        EXPECT_EQ(ids, esperado);
    }
}

// A part whose markup would make a tree beyond the limit is refused before the tree is made.
TEST_F(OficinaHostil, ArbolesDemasiadoGrandesSeRechazan) {
    Python(std::string(kPaquetes) + R"(
documento('nodos.docx', '<w:document ' + W + '><w:body>' + '<a/>' * 9000000 + '</w:body></w:document>')
documento('pocos.docx', '<w:document ' + W + '><w:body>' + '<a/>' * 1000 + '</w:body></w:document>')
)");
    EXPECT_EQ(Error([&] { DocxDocument d(Ruta("pocos.docx")); }), "");
    const std::string e = Error([&] { DocxDocument d(Ruta("nodos.docx")); });
    EXPECT_NE(e.find("la parte word/document.xml tiene más elementos de los que se pueden leer"),
              std::string::npos)
        << e;
}
