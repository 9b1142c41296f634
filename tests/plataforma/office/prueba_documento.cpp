// The word-processor document: a table in a new document and one added at a bookmark of a
// document that python-docx makes, read back by python-docx; damaged documents.

#include "plataforma/office/docx_document.h"
#include "plataforma/office/xlsx_workbook.h"
#include "tests/plataforma/office/libros_prueba.h"

namespace {

// Prints every block of the body (p: its text, tbl: its rows of cells with their
// alignments) and whether the other entries of "base.docx" are the same in the file.
const char kLeer[] = R"(
import docx, sys, zipfile
from docx.table import Table
from docx.text.paragraph import Paragraph
d = docx.Document(sys.argv[1] if len(sys.argv) > 1 else FICHERO)
for b in d.element.body.iterchildren():
    tag = b.tag.split('}')[1]
    if tag == 'p':
        print('p', repr(Paragraph(b, d).text))
    elif tag == 'tbl':
        t = Table(b, d)
        for f in t.rows:
            print('tbl', [(c.text, str(c.paragraphs[0].alignment)) for c in f.cells])
    else:
        print(tag)
)";

} // namespace

class Documento : public FicherosOficina {};

TEST_F(Documento, TablaEnUnDocumentoNuevo) {
    DocxDocument documento;
    documento.AddTable("", 2, 3, [](int Fila, int Col, AnsiString& Texto, DocxAlignment& A) {
        const char* textos[2][3] = {{"Nombre", "U (W/m²K)", ""},
                                    {"Muro\r\nexterior", "0,45", "a\tb"}};
        Texto = textos[Fila][Col];
        A = Col == 1   ? DocxAlignment::Right
            : Col == 2 ? DocxAlignment::Center
                       : DocxAlignment::Left;
    });
    // The extension does not decide the format.
    documento.SaveAs(Ruta("nuevo.doc"));
    const std::string leido = Python(std::string("FICHERO = 'nuevo.doc'\n") + kLeer + R"(
z = zipfile.ZipFile('nuevo.doc')
print('hideSpellingErrors' in z.read('word/settings.xml').decode())
)");
    EXPECT_EQ(leido,
              "tbl [('Nombre', 'None'), ('U (W/m²K)', 'RIGHT (2)'), ('', 'CENTER (1)')]\n"
              "tbl [('Muro\\nexterior', 'None'), ('0,45', 'RIGHT (2)'), ('a\\tb', 'CENTER (1)')]\n"
              "p ''\n"
              "sectPr\n"
              "True\n");
}

TEST_F(Documento, CadaFinDeLineaEsUnSalto) {
    // The cells' own line ends, whatever their form, and the other bytes of a cell.
    struct Caso {
        const char* texto;
        const char* leido; // as python-docx gives it, in Python's repr
    } casos[] = {
        {"solo\rCR", "'solo\\nCR'"},
        {"solo\nLF", "'solo\\nLF'"},
        {"CR\r\nLF", "'CR\\nLF'"},
        {"dos\r\r\nfin", "'dos\\n\\nfin'"},
        {"\x01\x08\x0B\x1F"
         "a\tb",
         "'a\\tb'"},
        {"\x80\x8A\x9C\x9F", "'€ŠœŸ'"},
    };
    const int n = static_cast<int>(std::size(casos));
    DocxDocument documento;
    documento.AddTable("", n, 1, [&](int Fila, int, AnsiString& Texto, DocxAlignment&) {
        Texto = casos[Fila].texto;
    });
    documento.SaveAs(Ruta("saltos.docx"));
    const std::string leido = Python(R"(
import docx
for f in docx.Document('saltos.docx').tables[0].rows:
    print(repr(f.cells[0].text))
)");
    std::string esperado;
    for (const Caso& c : casos)
        esperado += std::string(c.leido) + "\n";
    EXPECT_EQ(leido, esperado);
}

// At a bookmark: after the paragraph that holds it; without one (or with a name the document
// lacks): at the end, before the section's properties. The other entries stay as they were.
TEST_F(Documento, TablaAnadidaEnUnaMarcaYAlFinal) {
    Python(R"(
import docx
from docx.oxml.shared import OxmlElement, qn
d = docx.Document()
d.add_paragraph('Antes')
p = d.add_paragraph('Marca ')
ini = OxmlElement('w:bookmarkStart'); ini.set(qn('w:id'), '0'); ini.set(qn('w:name'), 'aquí')
fin = OxmlElement('w:bookmarkEnd'); fin.set(qn('w:id'), '0')
p._p.append(ini); p.add_run('dentro'); p._p.append(fin)
d.add_paragraph('Después')
d.save('base.docx')
import shutil; shutil.copy('base.docx', 'doc.docx')
)");
    const auto tabla = [](const char* Primera) {
        return [Primera](int Fila, int Col, AnsiString& Texto, DocxAlignment&) {
            Texto = Fila == 0 && Col == 0 ? AnsiString(Primera) : AnsiString(Fila * 10 + Col);
        };
    };
    {
        DocxDocument documento(Ruta("doc.docx"));
        EXPECT_TRUE(documento.HasBookmark("aquí"));
        EXPECT_FALSE(documento.HasBookmark("otra"));
        documento.AddTable("aquí", 2, 2, tabla("marca"));
        documento.SaveAs(Ruta("doc.docx"));
    }
    {
        DocxDocument documento(Ruta("doc.docx"));
        documento.AddTable("otra", 1, 2, tabla("final"));
        documento.SaveAs(Ruta("doc.docx"));
    }
    const std::string leido = Python(std::string("FICHERO = 'doc.docx'\n") + kLeer + R"(
a, b = zipfile.ZipFile('base.docx'), zipfile.ZipFile('doc.docx')
print(sorted(n for n in a.namelist() if n != 'word/document.xml' and a.read(n) != b.read(n)))
)");
    EXPECT_EQ(leido, "p 'Antes'\n"
                     "p 'Marca dentro'\n"
                     "tbl [('marca', 'None'), ('1', 'None')]\n"
                     "tbl [('10', 'None'), ('11', 'None')]\n"
                     "p ''\n"
                     "p 'Después'\n"
                     "tbl [('final', 'None'), ('1', 'None')]\n"
                     "p ''\n"
                     "sectPr\n"
                     "[]\n");
}

TEST_F(Documento, DocumentosDanados) {
    Python(R"(
import zipfile
open('antiguo.doc','wb').write(bytes.fromhex('d0cf11e0a1b11ae1') + bytes(504))
open('texto.docx','w').write('hola')
R = '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="a" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>'
with zipfile.ZipFile('sin.docx', 'w') as z: z.writestr('_rels/.rels', R)
with zipfile.ZipFile('mal.docx', 'w') as z:
    z.writestr('_rels/.rels', R); z.writestr('word/document.xml', '<w:document xmlns:w="x"><w:body>')
with zipfile.ZipFile('libro.docx', 'w') as z:
    z.writestr('_rels/.rels', R); z.writestr('word/document.xml', '<workbook/>')
)");
    const std::pair<const char*, const char*> casos[] = {
        {"antiguo.doc", "documento binario antiguo"},
        {"texto.docx", "no es un fichero comprimido"},
        {"sin.docx", "falta la parte word/document.xml"},
        {"mal.docx", "no es XML válido"},
        {"libro.docx", "no es un documento de texto"},
        {"no_existe.docx", "No se encuentra el fichero"}};
    for (const auto& [nombre, mensaje] : casos) {
        SCOPED_TRACE(nombre);
        const std::string antes = Bytes(nombre);
        try {
            DocxDocument d(Ruta(nombre));
            ADD_FAILURE() << "se leyó sin error";
        } catch (const EOfficeError& e) {
            EXPECT_NE(e.Message.str().find(mensaje), std::string::npos) << e.Message.c_str();
            EXPECT_EQ(dynamic_cast<const ELegacyOfficeFile*>(&e) != nullptr,
                      std::string(nombre) == "antiguo.doc");
        }
        EXPECT_EQ(Bytes(nombre), antes);
    }
}
