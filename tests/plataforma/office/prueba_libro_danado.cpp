// Damaged and hostile workbooks: each raises EOfficeError with a message that says what is
// wrong, and a save that fails leaves the file as it was.

#include "plataforma/base/file_writer.h"
#include "plataforma/office/xlsx_workbook.h"
#include "tests/plataforma/office/libros_prueba.h"

#include <fstream>

namespace {

// A workbook of one sheet, written by Python's zipfile, with one part replaced or left out
// ("-" as the text leaves it out).
const char kLibro[] = R"PY(
import sys, zipfile
M = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
partes = {
    "[Content_Types].xml": '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>',
    "_rels/.rels": '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="a" Type="' + R + 'officeDocument" Target="xl/workbook.xml"/></Relationships>',
    "xl/workbook.xml": '<workbook ' + M + ' xmlns:r="' + R[:-1] + '"><sheets><sheet name="H" sheetId="1" r:id="h"/></sheets></workbook>',
    "xl/_rels/workbook.xml.rels": '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="h" Type="' + R + 'worksheet" Target="h.xml"/><Relationship Id="s" Type="' + R + 'sharedStrings" Target="s.xml"/></Relationships>',
    "xl/s.xml": '<sst ' + M + '><si><t>uno</t></si></sst>',
    "xl/h.xml": '<worksheet ' + M + '><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c></row></sheetData></worksheet>',
}
def libro(nombre, parte=None, texto=None):
    with zipfile.ZipFile(nombre, "w", zipfile.ZIP_DEFLATED) as z:
        for n, t in partes.items():
            if n == parte:
                if texto == "-": continue
                t = texto
            z.writestr(n, t)
)PY";

} // namespace

class LibroDanado : public FicherosOficina {};

TEST_F(LibroDanado, CadaDanoSeNombraYNadaCambia) {
    struct Caso {
        const char* nombre;
        const char* python; // makes the file
        const char* mensaje;
    } casos[] = {
        {"bien.xlsx", "libro('bien.xlsx')", nullptr},
        {"texto.xlsx", "open('texto.xlsx','w').write('hola')", "no es un fichero comprimido"},
        {"cortado.xlsx",
         "libro('x.xlsx'); d=open('x.xlsx','rb').read(); "
         "open('cortado.xlsx','wb').write(d[:len(d)//2])",
         "no es un fichero comprimido"},
        {"sinlibro.xlsx", "libro('sinlibro.xlsx', 'xl/workbook.xml', '-')",
         "falta la parte xl/workbook.xml"},
        {"sinhoja.xlsx", "libro('sinhoja.xlsx', 'xl/h.xml', '-')", "falta la parte xl/h.xml"},
        {"malxml.xlsx", "libro('malxml.xlsx', 'xl/h.xml', '<worksheet><sheetData><row>')",
         "no es XML válido"},
        {"malxml2.xlsx", "libro('malxml2.xlsx', 'xl/workbook.xml', '<workbook')",
         "no es XML válido"},
        {"noeslibro.xlsx", "libro('noeslibro.xlsx', 'xl/workbook.xml', '<document/>')",
         "no es un libro"},
        {"entidades.xlsx",
         "libro('entidades.xlsx', 'xl/s.xml', '<!DOCTYPE sst [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
         "\"&a;&a;&a;&a;&a;&a;\">]><sst><si><t>&b;</t></si></sst>')",
         "declara un tipo de documento"},
        {"indice.xlsx",
         "libro('indice.xlsx', 'xl/h.xml', partes['xl/h.xml'].replace('<v>0<', "
         "'<v>99999999999999<'))",
         "cadena compartida que no existe"},
        {"negativo.xlsx",
         "libro('negativo.xlsx', 'xl/h.xml', partes['xl/h.xml'].replace('<v>0<', '<v>-1<'))",
         "cadena compartida que no existe"},
        {"referencia.xlsx",
         "libro('referencia.xlsx', 'xl/h.xml', partes['xl/h.xml'].replace('A1', 'XFE1'))",
         "referencia de celda no válida"},
        {"fila.xlsx",
         "libro('fila.xlsx', 'xl/h.xml', partes['xl/h.xml'].replace('r=\"1\"', 'r=\"1048577\"'))",
         "fila de número no válido"},
        // 300 MB of zeros in a few hundred kilobytes.
        {"bomba.xlsx",
         "libro('bomba.xlsx')\n"
         "with zipfile.ZipFile('bomba.xlsx', 'a', zipfile.ZIP_DEFLATED) as z:\n"
         "    with z.open('xl/b.xml', 'w', force_zip64=True) as f:\n"
         "        for i in range(300): f.write(bytes(1 << 20))\n"
         "d = open('bomba.xlsx','rb').read().replace(b'xl/h.xml', "
         "b'xl/q.xml').replace(b'xl/b.xml', b'xl/h.xml')\n"
         "open('bomba.xlsx','wb').write(d)",
         "ocupa más de 256 MB"},
        {"antiguo.xls",
         "open('antiguo.xls','wb').write(bytes.fromhex('d0cf11e0a1b11ae1') + bytes(504))",
         "libro binario antiguo"},
    };
    std::string programa = kLibro;
    for (const Caso& c : casos)
        programa += std::string(c.python) + "\n";
    Python(programa);

    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const std::string antes = Bytes(c.nombre);
        try {
            XlsxWorkbook libro(Ruta(c.nombre));
            const SheetContents hoja = libro.ReadWorksheet(libro.ActiveWorksheet());
            libro.WriteWorksheet(libro.ActiveWorksheet(), 1, 1,
                                 [](int, std::vector<AnsiString>& T) { T[0] = "nuevo"; });
            EXPECT_EQ(c.mensaje, nullptr) << "se leyó sin error";
            ASSERT_EQ(hoja.Cells.size(), 1u);
            EXPECT_EQ(hoja.Cells[0].Text, "uno");
        } catch (const EOfficeError& e) {
            ASSERT_NE(c.mensaje, nullptr) << e.Message.c_str();
            EXPECT_NE(e.Message.str().find(c.mensaje), std::string::npos) << e.Message.c_str();
            EXPECT_NE(e.Message.str().find(c.nombre), std::string::npos) << e.Message.c_str();
            EXPECT_EQ(dynamic_cast<const ELegacyOfficeFile*>(&e) != nullptr,
                      std::string(c.nombre) == "antiguo.xls");
        }
        EXPECT_EQ(Bytes(c.nombre), antes);
    }
    try {
        XlsxWorkbook libro(Ruta("no_existe.xlsx"));
        ADD_FAILURE();
    } catch (const EOfficeError& e) {
        EXPECT_NE(e.Message.str().find("No se encuentra el fichero"), std::string::npos);
    }
}

// A workbook whose save fails halfway stays as it was, and says why.
TEST_F(LibroDanado, UnaEscrituraFallidaDejaElFichero) {
    Python(std::string(kLibro) + "libro('h.xlsx')\n");
    const std::string antes = Bytes("h.xlsx");
    XlsxWorkbook libro(Ruta("h.xlsx"));
    libro.WriteWorksheet(0, 2, 2, [](int, std::vector<AnsiString>& T) { T[0] = "otro"; });
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    EXPECT_THROW(libro.SaveAs(Ruta("h.xlsx")), EOfficeError);
    EXPECT_EQ(Bytes("h.xlsx"), antes);
}
