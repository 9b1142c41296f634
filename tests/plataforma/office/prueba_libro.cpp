// The spreadsheet workbook: sheets and cells of workbooks that openpyxl and Python's zipfile
// make, workbooks written new and into an existing file (read back by openpyxl, the other
// entries compared byte for byte), and damaged or hostile files.

#include "plataforma/base/cp1252.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/office/value_text.h"
#include "plataforma/office/xlsx_workbook.h"
#include "tests/plataforma/office/libros_prueba.h"

#include <map>

namespace {

// The cells of a sheet by reference ("B3").
std::map<std::string, std::string> PorReferencia(const SheetContents& Hoja) {
    std::map<std::string, std::string> celdas;
    for (const SheetCell& c : Hoja.Cells) {
        std::string ref;
        for (int n = c.Col; n > 0; n = (n - 1) / 26)
            ref.insert(ref.begin(), 'A' + (n - 1) % 26);
        celdas[ref + std::to_string(c.Row)] = c.Text.str();
    }
    return celdas;
}

// Three sheets made by openpyxl, the second one active: values of each kind in "Dos", a
// single cell far from A1 in "Tres".
const char kTresHojas[] = R"(
import openpyxl, datetime
wb = openpyxl.Workbook()
uno = wb.active
uno.title = "Uno"
uno["A1"] = "primera"
dos = wb.create_sheet("Dos")
dos["A1"] = "Línea 1\nLínea 2 €"
dos["B1"] = 1.5
dos["C1"] = datetime.date(2020, 1, 31)
dos["D1"] = datetime.datetime(2020, 1, 31, 12, 30)
dos["E1"] = datetime.time(7, 5)
dos["F1"] = True
dos["G1"] = 42
dos["A2"] = -0.000012
dos["E5"] = "fuera"
wb.create_sheet("Tres")["C5"] = "sola"
wb.active = 1
wb.save("tres.xlsx")
)";

} // namespace

class Libro : public FicherosOficina {};

TEST_F(Libro, HojasYCeldasDeUnLibroDeOpenpyxl) {
    Python(kTresHojas);
    XlsxWorkbook libro(Ruta("tres.xlsx"));
    const auto nombres = libro.WorksheetNames();
    ASSERT_EQ(nombres.size(), 3u);
    EXPECT_EQ(nombres[0], "Uno");
    EXPECT_EQ(nombres[1], "Dos");
    EXPECT_EQ(nombres[2], "Tres");
    EXPECT_EQ(libro.ActiveWorksheet(), 1);
    EXPECT_EQ(libro.FindWorksheet("Tres"), 2);
    EXPECT_EQ(libro.FindWorksheet("tres"), -1);

    const SheetContents dos = libro.ReadWorksheet(1);
    EXPECT_EQ(dos.LastCol, 7);
    EXPECT_EQ(dos.LastRow, 5);
    const std::map<std::string, std::string> esperado = {{"A1", "Línea 1\nLínea 2 €"},
                                                         {"B1", "1,5"},
                                                         {"C1", "31/01/2020"},
                                                         {"D1", "31/01/2020 12:30:00"},
                                                         {"E1", "07:05:00"},
                                                         {"F1", "True"},
                                                         {"G1", "42"},
                                                         {"A2", "-1,2E-5"},
                                                         {"E5", "fuera"}};
    EXPECT_EQ(PorReferencia(dos), esperado);

    // One cell at C5: the range reaches its corner.
    const SheetContents tres = libro.ReadWorksheet(2);
    EXPECT_EQ(tres.LastCol, 3);
    EXPECT_EQ(tres.LastRow, 5);
    EXPECT_EQ(PorReferencia(tres), (std::map<std::string, std::string>{{"C5", "sola"}}));
}

// A name with characters beyond Windows-1252 is listed with "?" for them, and found by that
// name; an index outside the workbook is refused.
TEST_F(Libro, NombresFueraDeWindows1252) {
    Python("import openpyxl\nwb = openpyxl.Workbook()\nwb.active.title = '\\u03a9mega'\n"
           "wb.active['A1'] = 'x'\nwb.save('omega.xlsx')\n");
    XlsxWorkbook libro(Ruta("omega.xlsx"));
    ASSERT_EQ(libro.WorksheetNames(), std::vector<AnsiString>{"?mega"});
    EXPECT_EQ(libro.FindWorksheet("?mega"), 0);
    EXPECT_EQ(libro.ReadWorksheet(0).Cells.size(), 1u);
    EXPECT_THROW(libro.ReadWorksheet(-1), EOfficeError);
    EXPECT_THROW(libro.ReadWorksheet(1), EOfficeError);
}

// Parts written by hand: shared strings with runs and phonetic text, escapes, formulas by
// their cached value, an error value, rows and cells without references, a dimension that
// lies, dates in the 1904 system, and a sheet prefixed with its namespace.
TEST_F(Libro, PartesEscritasAMano) {
    Python(R"PY(
import zipfile
M = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
with zipfile.ZipFile("mano.xlsx", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>')
    z.writestr("_rels/.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="a" Type="' + R + 'officeDocument" Target="/libro/principal.xml"/></Relationships>')
    z.writestr("libro/principal.xml", '<workbook ' + M + ' xmlns:r="' + R[:-1] + '"><workbookPr date1904="1"/><sheets><sheet name="Única" sheetId="7" r:id="h"/></sheets></workbook>')
    z.writestr("libro/_rels/principal.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="h" Type="' + R + 'worksheet" Target="hojas/../h.xml"/><Relationship Id="s" Type="' + R + 'sharedStrings" Target="cadenas.xml"/><Relationship Id="e" Type="' + R + 'styles" Target="estilos.xml"/></Relationships>')
    z.writestr("libro/cadenas.xml", '<sst ' + M + '><si><t>uno</t></si><si><r><t xml:space="preserve">dos </t></r><r><t>y_x000D_\ntres</t></r><rPh><t>fon</t></rPh></si><si><t>_x005F_x0041_ &amp;</t></si></sst>')
    z.writestr("libro/estilos.xml", '<styleSheet ' + M + '><numFmts><numFmt numFmtId="170" formatCode="&quot;día&quot; d/m/yy"/><numFmt numFmtId="171" formatCode="[Red]0.00"/></numFmts><cellXfs><xf numFmtId="0"/><xf numFmtId="170"/><xf numFmtId="171"/></cellXfs></styleSheet>')
    z.writestr("libro/h.xml", '<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><x:dimension ref="A1:XFD1048576"/><x:sheetData>'
        '<x:row><x:c t="s"><x:v>0</x:v></x:c><x:c t="s"><x:v>1</x:v></x:c><x:c t="s"><x:v>2</x:v></x:c></x:row>'
        '<x:row r="3"><x:c r="B3"><x:f>1+1</x:f><x:v>2</x:v></x:c><x:c t="str"><x:f>"a"&amp;"b"</x:f><x:v>ab</x:v></x:c><x:c t="e"><x:f>1/0</x:f><x:v>#DIV/0!</x:v></x:c><x:c><x:f>A1</x:f></x:c></x:row>'
        '<x:row><x:c s="1"><x:v>0</x:v></x:c><x:c s="2"><x:v>3.25</x:v></x:c><x:c t="b"><x:v>0</x:v></x:c><x:c t="d"><x:v>2024-02-29T10:30:00</x:v></x:c><x:c t="inlineStr"><x:is><x:t>en línea</x:t></x:is></x:c></x:row>'
        '</x:sheetData></x:worksheet>')
)PY");
    XlsxWorkbook libro(Ruta("mano.xlsx"));
    ASSERT_EQ(libro.WorksheetNames().size(), 1u);
    EXPECT_EQ(libro.WorksheetNames()[0], "Única");
    EXPECT_EQ(libro.ActiveWorksheet(), 0);
    const SheetContents hoja = libro.ReadWorksheet(0);
    EXPECT_EQ(hoja.LastCol, 5);
    EXPECT_EQ(hoja.LastRow, 4);
    const std::map<std::string, std::string> esperado = {{"A1", "uno"},
                                                         {"B1", "dos y\r\ntres"},
                                                         {"C1", "_x0041_ &"},
                                                         {"B3", "2"},
                                                         {"C3", "ab"},
                                                         {"A4", "01/01/1904"},
                                                         {"B4", "3,25"},
                                                         {"C4", "False"},
                                                         {"D4", "29/02/2024 10:30:00"},
                                                         {"E4", "en línea"}};
    EXPECT_EQ(PorReferencia(hoja), esperado);
}

// A new workbook: numbers that read back as the same text go as numbers, every other text
// as a string; openpyxl reads what was written.
TEST_F(Libro, LibroNuevoLeidoPorOpenpyxl) {
    XlsxWorkbook libro;
    const int hoja = libro.AddWorksheet("Datos ñ");
    const std::vector<std::vector<AnsiString>> filas = {{"Nombre", "1,5", "0012", "1.5"},
                                                        {"", "a&b<c>\"", "l1\nl2", "_x0041_"},
                                                        {"\x01"
                                                         "ctl",
                                                         "€", "-3", "1E20"}};
    libro.WriteWorksheet(hoja, 3, 4, [&](int Fila, std::vector<AnsiString>& Textos) {
        Textos = filas[static_cast<size_t>(Fila)];
    });
    libro.SaveAs(Ruta("nuevo.xlsx"));
    // openpyxl leaves the format's escapes of inline strings as they are written.
    const std::string leido = Python(R"(
import openpyxl
wb = openpyxl.load_workbook("nuevo.xlsx")
print(wb.sheetnames)
for fila in wb.active.iter_rows():
    print([c.value for c in fila])
)");
    EXPECT_EQ(leido, "['Datos ñ']\n"
                     "['Nombre', 1.5, '0012', '1.5']\n"
                     "[None, 'a&b<c>\"', 'l1\\nl2', '_x005F_x0041_']\n"
                     "['_x0001_ctl', '€', -3, 1e+20]\n");
    // And it reads back here as written.
    const SheetContents vuelta = XlsxWorkbook(Ruta("nuevo.xlsx")).ReadWorksheet(0);
    EXPECT_EQ(vuelta.Cells.size(), 11u);
    for (const SheetCell& c : vuelta.Cells)
        EXPECT_EQ(c.Text, filas[static_cast<size_t>(c.Row - 1)][static_cast<size_t>(c.Col - 1)]);
}

// Into a sheet of a workbook of three: the block replaces its cells, the cells outside it
// stay, the calculation chain goes, and every entry but the sheet and the parts that name
// the chain is the same, compressed bytes and all. A sheet name the workbook lacks adds it.
TEST_F(Libro, EscrituraEnUnaHojaDeUnLibroExistente) {
    Python(std::string(kTresHojas) + R"(
import zipfile, shutil
shutil.move("tres.xlsx", "base.xlsx")
with zipfile.ZipFile("base.xlsx") as a, zipfile.ZipFile("tres.xlsx", "w", zipfile.ZIP_DEFLATED) as b:
    for i in a.infolist():
        data = a.read(i.filename)
        if i.filename == "xl/_rels/workbook.xml.rels":
            data = data.replace(b"</Relationships>", b'<Relationship Id="rIdC" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain" Target="calcChain.xml"/></Relationships>')
        if i.filename == "[Content_Types].xml":
            data = data.replace(b"</Types>", b'<Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/></Types>')
        b.writestr(i, data)
    b.writestr("xl/calcChain.xml", '<calcChain xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><c r="A1" i="2"/></calcChain>')
)");
    const std::string antes = Bytes("tres.xlsx");
    {
        XlsxWorkbook libro(Ruta("tres.xlsx"));
        libro.WriteWorksheet(libro.FindWorksheet("Dos"), 2, 2,
                             [](int Fila, std::vector<AnsiString>& Textos) {
                                 Textos[0] = "n" + AnsiString(Fila);
                                 Textos[1] = Fila == 0 ? AnsiString("2,5") : AnsiString();
                             });
        libro.SaveAs(Ruta("tres.xlsx"));
    }
    {
        XlsxWorkbook libro(Ruta("tres.xlsx"));
        const int nueva = libro.AddWorksheet("Nueva");
        libro.WriteWorksheet(nueva, 1, 1, [](int, std::vector<AnsiString>& T) { T[0] = "x"; });
        libro.SaveAs(Ruta("tres.xlsx"));
    }
    EXPECT_NE(Bytes("tres.xlsx"), antes);
    const std::string leido = Python(R"(
import openpyxl, zipfile
wb = openpyxl.load_workbook("tres.xlsx")
print(wb.sheetnames, wb.active.title)
dos = wb["Dos"]
print(dos["A1"].value, dos["B1"].value, dos["A2"].value, dos["B2"].value, dos["G1"].value)
print(dos["E5"].value, wb["Nueva"]["A1"].value, wb["Tres"]["C5"].value)
cambiadas = {"xl/worksheets/sheet2.xml", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
             "[Content_Types].xml", "xl/calcChain.xml"}
with zipfile.ZipFile("base.xlsx") as a, zipfile.ZipFile("tres.xlsx") as b:
    nombres = set(b.namelist())
    print("calcChain" if "xl/calcChain.xml" in nombres else "sin calcChain")
    for i in a.infolist():
        if i.filename in cambiadas: continue
        j = b.getinfo(i.filename)
        print(i.filename, a.read(i.filename) == b.read(j.filename) and i.CRC == j.CRC
              and i.compress_size == j.compress_size and i.compress_type == j.compress_type)
)");
    EXPECT_NE(leido.find("['Uno', 'Dos', 'Tres', 'Nueva'] Dos\n"), std::string::npos) << leido;
    EXPECT_NE(leido.find("n0 2.5 n1 None 42\n"), std::string::npos) << leido;
    EXPECT_NE(leido.find("fuera x sola\n"), std::string::npos) << leido;
    EXPECT_NE(leido.find("sin calcChain\n"), std::string::npos) << leido;
    EXPECT_NE(leido.find("xl/worksheets/sheet1.xml True\n"), std::string::npos) << leido;
    EXPECT_NE(leido.find("xl/worksheets/sheet3.xml True\n"), std::string::npos) << leido;
    EXPECT_NE(leido.find("xl/styles.xml True\n"), std::string::npos) << leido;
    EXPECT_EQ(leido.find("False"), std::string::npos) << leido;
}

// Day numbers as dates in each day count, and elapsed-time formats as the times they show.
TEST(ValoresDeLibro, FechasYTiemposTranscurridos) {
    AjustesRegionales regional(',', '.');
    struct Fecha {
        double numero;
        bool compatible;
        const char* texto;
    } fechas[] = {
        {1, true, "01/01/1900"},   {59, true, "28/02/1900"},     {61, true, "01/03/1900"},
        {2, false, "01/01/1900"},  {47, false, "15/02/1900"},    {60, false, "28/02/1900"},
        {61, false, "01/03/1900"}, {44259, false, "04/03/2021"},
    };
    for (const Fecha& f : fechas)
        EXPECT_EQ(value_text::SpreadsheetDate(f.numero, false, f.compatible), f.texto)
            << f.numero << " " << f.compatible;
    struct Tiempo {
        double dias;
        const char* formato;
        const char* texto;
    } tiempos[] = {
        {1.5, "[h]:mm", "36:00"},
        {0.1041666666667, "[h]:mm", "2:30"},
        {1.5, "[hh]:mm:ss", "36:00:00"},
        {1.5, "[mm]:ss", "2160:00"},
        {0.5, "[ss]", "43200"},
        {-1.25, "[h]:mm", "-30:00"},
        {2.0520833333333, "[h]\"h\" mm\\m", "49h 15m"},
        {1.5, "[Red][h]:mm;@", "36:00"},
    };
    for (const Tiempo& t : tiempos) {
        EXPECT_TRUE(value_text::IsElapsedFormat(t.formato)) << t.formato;
        EXPECT_EQ(value_text::ElapsedTime(t.dias, t.formato), t.texto) << t.formato;
    }
    for (const char* no : {"hh:mm", "dd/mm/yyyy", "[Red]0.00", "0;[h]:mm", "\"[h]\"0"})
        EXPECT_FALSE(value_text::IsElapsedFormat(no)) << no;
}
