// The grid's exchange with spreadsheet workbooks, word-processor documents and database
// files: sheets loaded at the fixed offset or without it, the grid sized to the sheet's
// corner, missing sheets and legacy files refused with nothing changed, saves read back by
// openpyxl and python-docx, and queries on a SQLite file.

#include "plataforma/base/string_list.h"
#include "tests/controles/grid/celdas_hostiles_prueba.h"
#include "tests/controles/grid/ficheros_prueba.h"
#include "tests/plataforma/office/libros_prueba.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace {

class Oficina : public FicherosRejilla {
protected:
    // Every cell of the grid, row by row, cells joined by "|".
    static std::string Celdas(TKavStringGrid* G) {
        std::string s;
        for (int r = 0; r < G->GetRowCount(); ++r) {
            for (int c = 0; c < G->GetColCount(); ++c)
                s += (c ? "|" : "") + G->GetCells(c, r).str();
            s += "\n";
        }
        return s;
    }
    AjustesRegionales regional{',', '.'};
};

// Three sheets, the second active; "Tres" holds one cell, at C5.
const char kTresHojas[] = R"(
import openpyxl, datetime
wb = openpyxl.Workbook()
wb.active.title = "Uno"
wb.active["A1"] = "primera"
dos = wb.create_sheet("Dos")
dos["A1"] = "Nombre"; dos["B1"] = "U"
dos["A2"] = "Muro"; dos["B2"] = 0.45
dos["A3"] = datetime.date(2021, 3, 4); dos["B3"] = True
wb.create_sheet("Tres")["C5"] = "sola"
wb.active = 1
wb.save("tres.xlsx")
)";

} // namespace

TEST_F(Oficina, HojasDeUnLibro) {
    Python(kTresHojas);
    Rejilla* g = Nueva(2, 2);
    std::unique_ptr<TStringList> hojas(g->GetXLSSheets(Ruta("tres.xlsx")));
    ASSERT_EQ(hojas->GetCount(), 3);
    EXPECT_EQ(hojas->GetStrings(0), "Uno");
    EXPECT_EQ(hojas->GetStrings(2), "Tres");
}

// The active and a named sheet, with the fixed cells stored and not: A1 lands at the offset,
// the grid reaches the corner of the sheet's cells, and a cell the sheet leaves empty keeps
// what the grid held there.
TEST_F(Oficina, CargaDeLaHojaActivaYDeUnaConNombre) {
    Python(kTresHojas);
    struct Caso {
        const char* hoja;
        bool fijas;
        const char* celdas;
    } casos[] = {
        {"", false, "||\n|Nombre|U\n|Muro|0,45\n|04/03/2021|True\n"},
        {"", true, "Nombre|U\nMuro|0,45\n04/03/2021|True\n"},
        {"Tres", false, "|||\n|viejo|viejo|\n|viejo|viejo|\n|viejo|viejo|\n|||\n|||sola\n"},
        {"Tres", true,
         "viejo|viejo|viejo\nviejo|viejo|viejo\nviejo|viejo|viejo\nviejo|viejo|viejo\n||sola\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.hoja) + (c.fijas ? " fijas" : ""));
        Rejilla* g = Nueva(3, 4);
        g->SetFixedCols(1);
        g->SetFixedRows(1);
        g->SetStoreFixedCells(c.fijas);
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 3; ++k)
                g->SetCells(k, r, "viejo");
        // The fixed cells outside the loaded area keep their titles.
        g->SetCells(0, 0, c.fijas ? "viejo" : "");
        g->SetCells(1, 0, c.fijas ? "viejo" : "");
        g->SetCells(2, 0, c.fijas ? "viejo" : "");
        for (int r = 1; r < 4; ++r)
            g->SetCells(0, r, c.fijas ? "viejo" : "");
        if (*c.hoja)
            g->LoadFromXLSSheet(Ruta("tres.xlsx"), c.hoja);
        else
            g->LoadFromXLS(Ruta("tres.xlsx"));
        EXPECT_EQ(Celdas(g), c.celdas);
        EXPECT_EQ(g->GetFixedCols(), 1);
        EXPECT_EQ(g->GetFixedRows(), 1);
    }
}

// A missing sheet, a legacy binary workbook and a sheet too large for the grid: the grid's
// error, and neither the grid nor the file changes.
TEST_F(Oficina, ErroresSinCambios) {
    Python(kTresHojas + std::string(R"(
open('antiguo.xls','wb').write(bytes.fromhex('d0cf11e0a1b11ae1') + bytes(504))
wb = openpyxl.Workbook(); wb.active["A1"] = 1; wb.active["XFD1048576"] = 2; wb.save("enorme.xlsx")
)"));
    Rejilla* g = Nueva(2, 2);
    g->SetCells(1, 1, "dato");
    const std::string antes = Celdas(g);
    const std::string antiguo = Leer(Ruta("antiguo.xls"));
    const auto mensaje = [&](const std::function<void()>& Operacion) {
        try {
            Operacion();
        } catch (const EKavGridError& e) {
            return e.Message.str();
        }
        return std::string("sin error");
    };
    EXPECT_EQ(mensaje([&] { g->LoadFromXLSSheet(Ruta("tres.xlsx"), "Nada"); }),
              "Excel worksheet Nada not found");
    EXPECT_EQ(mensaje([&] { g->LoadFromXLS(Ruta("antiguo.xls")); }), "Excel OLE server not found");
    EXPECT_EQ(mensaje([&] { delete g->GetXLSSheets(Ruta("antiguo.xls")); }),
              "Excel OLE server not found");
    EXPECT_EQ(mensaje([&] { g->SaveToXLS(Ruta("antiguo.xls"), false); }),
              "Excel OLE server not found");
    EXPECT_EQ(mensaje([&] { g->AppendToDoc(Ruta("antiguo.xls"), ""); }),
              "Word OLE server not found");
    EXPECT_EQ(mensaje([&] { g->LoadFromXLS(Ruta("enorme.xlsx")); }),
              "El fichero " + Ruta("enorme.xlsx").str() +
                  " tiene más celdas de las que caben en la rejilla");
    EXPECT_NE(mensaje([&] { g->SaveToXLS(Ruta("no_hay.xlsx"), true); }).find("No se encuentra"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "no_hay.xlsx"));
    EXPECT_EQ(Celdas(g), antes);
    EXPECT_EQ(Leer(Ruta("antiguo.xls")), antiguo);
}

// A new workbook from the normal cells, and a named sheet of an existing one; openpyxl
// reads both. 27 columns reach column AA.
TEST_F(Oficina, GuardarEnUnLibroNuevoYEnUnaHoja) {
    Python(kTresHojas);
    Rejilla* g = Nueva(28, 3);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetCells(0, 1, "fija");
    g->SetCells(1, 1, "Línea 1\r\nLínea 2");
    g->SetCells(2, 1, "1,25");
    g->SetCells(27, 2, "última");
    g->SaveToXLS(Ruta("nuevo.xlsx"), false);
    g->SaveToXLSSheet(Ruta("tres.xlsx"), "Tres");
    g->SaveToXLSSheet(Ruta("tres.xlsx"), "Cuatro");
    const std::string leido = Python(R"(
import openpyxl
for f, h in (("nuevo.xlsx", None), ("tres.xlsx", "Tres"), ("tres.xlsx", "Cuatro")):
    wb = openpyxl.load_workbook(f)
    ws = wb[h] if h else wb.active
    print(wb.sheetnames, ws.title, ws.dimensions, repr(ws["A1"].value), ws["B1"].value, ws["AA2"].value)
print(openpyxl.load_workbook("tres.xlsx")["Dos"]["B2"].value)
)");
    EXPECT_EQ(leido,
              "['Hoja1'] Hoja1 A1:AA2 'Línea 1\\nLínea 2' 1.25 última\n"
              "['Uno', 'Dos', 'Tres', 'Cuatro'] Tres A1:AA5 'Línea 1\\nLínea 2' 1.25 última\n"
              "['Uno', 'Dos', 'Tres', 'Cuatro'] Cuatro A1:AA2 'Línea 1\\nLínea 2' 1.25 última\n"
              "0.45\n");
    // And back: the workbook's cells land where they came from.
    Rejilla* h = Nueva(2, 2);
    h->SetFixedCols(1);
    h->SetFixedRows(1);
    h->LoadFromXLS(Ruta("nuevo.xlsx"));
    EXPECT_EQ(h->GetColCount(), 28);
    EXPECT_EQ(h->GetRowCount(), 3);
    EXPECT_EQ(h->GetCells(1, 1), "Línea 1\nLínea 2");
    EXPECT_EQ(h->GetCells(2, 1), "1,25");
    EXPECT_EQ(h->GetCells(27, 2), "última");
}

// The sheet holds the grid from the first stored cell to its last: footer rows and right
// fixed columns included, with the fixed cells stored or not.
TEST_F(Oficina, GuardarIncluyePiesYColumnasFijasDerechas) {
    for (bool fijas : {false, true}) {
        SCOPED_TRACE(fijas);
        Rejilla* g = Nueva(4, 5);
        g->SetFixedCols(1);
        g->SetFixedRows(1);
        g->SetFixedFooters(1);
        g->SetFixedRightCols(1);
        g->SetStoreFixedCells(fijas);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c)
                g->SetCells(c, r, AnsiString(std::to_string(c) + "-" + std::to_string(r)));
        g->SaveToXLS(Ruta("pies.xlsx"), false);
        const std::string leido = Python(R"(
import openpyxl
ws = openpyxl.load_workbook("pies.xlsx").active
for fila in ws.iter_rows(values_only=True):
    print("|".join(str(v) for v in fila))
)");
        const int desde = fijas ? 0 : 1;
        std::string esperado;
        for (int r = desde; r < 5; ++r)
            for (int c = desde; c < 4; ++c)
                esperado += std::to_string(c) + "-" + std::to_string(r) + (c < 3 ? "|" : "\n");
        EXPECT_EQ(leido, esperado);
        std::remove(Ruta("pies.xlsx").c_str());
    }
}

// A sheet saved from a grid with a hidden column holds the shown columns; loaded back, each
// goes to its own real column and the hidden one keeps its cell.
TEST_F(Oficina, LibroConUnaColumnaOculta) {
    Rejilla* g = Nueva(4, 2);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    for (int c = 0; c < 4; ++c)
        g->SetCells(c, 1, AnsiString("c" + std::to_string(c)));
    g->HideColumn(1);
    g->SaveToXLS(Ruta("oculta.xlsx"), false);
    EXPECT_EQ(Python(R"(
import openpyxl
print(list(openpyxl.load_workbook("oculta.xlsx").active.iter_rows(values_only=True))[1])
)"),
              "('c0', 'c2', 'c3')\n");
    for (int c = 0; c < 4; ++c)
        g->SetCells(c, 1, AnsiString());
    g->SetCells(1, 1, "oculta");
    g->LoadFromXLS(Ruta("oculta.xlsx"));
    EXPECT_EQ(g->GetCells(0, 1), "c0");
    EXPECT_EQ(g->GetCells(1, 1), "oculta");
    EXPECT_EQ(g->GetCells(2, 1), "c2");
    EXPECT_EQ(g->GetCells(3, 1), "c3");
}

// The whole grid as a table: new, then at a bookmark of a document python-docx made.
TEST_F(Oficina, TablaEnUnDocumento) {
    Rejilla* g = Nueva(3, 2);
    g->SetCells(0, 0, "Nombre");
    g->SetCells(1, 0, "U");
    g->SetCells(0, 1, "Muro");
    g->SetCells(1, 1, "0,45");
    g->SetCells(2, 1, "centro");
    g->SetAlignments(1, 1, taRightJustify);
    g->SetAlignments(2, 1, taCenter);
    g->SaveToDOC(Ruta("nuevo.docx"), false);
    Python(R"(
import docx
from docx.oxml.shared import OxmlElement, qn
d = docx.Document()
p = d.add_paragraph('Tabla: ')
ini = OxmlElement('w:bookmarkStart'); ini.set(qn('w:id'), '1'); ini.set(qn('w:name'), 'tabla')
fin = OxmlElement('w:bookmarkEnd'); fin.set(qn('w:id'), '1')
p._p.append(ini); p._p.append(fin)
d.add_paragraph('Fin')
d.save('marca.docx')
)");
    g->AppendToDoc(Ruta("marca.docx"), "tabla");
    const std::string leido = Python(R"(
import docx
for f in ("nuevo.docx", "marca.docx"):
    d = docx.Document(f)
    print([p.text for p in d.paragraphs], len(d.tables))
    t = d.tables[0]
    print([[c.text for c in r.cells] for r in t.rows], t.cell(1, 1).paragraphs[0].alignment,
          t.cell(1, 2).paragraphs[0].alignment)
    antes = t._tbl.getprevious()
    print('-' if antes is None else antes.xpath('string(.)'))
)");
    EXPECT_EQ(leido, "[''] 1\n"
                     "[['Nombre', 'U', ''], ['Muro', '0,45', 'centro']] RIGHT (2) CENTER (1)\n"
                     "-\n"
                     "['Tabla: ', '', 'Fin'] 1\n"
                     "[['Nombre', 'U', ''], ['Muro', '0,45', 'centro']] RIGHT (2) CENTER (1)\n"
                     "Tabla: \n");
}

// Every control byte, every byte 0x80-0x9F, quotes, line ends and wide cells through a
// workbook, read back by the grid and by openpyxl with each line end as the sheet's LF (the
// format's "_xHHHH_" escapes of control characters, which openpyxl leaves as they are,
// undone after it), and
// through a document, read by python-docx with the line ends as breaks and the other control
// characters but TAB left out.
TEST_F(Oficina, CeldasHostilesEnLibroYDocumento) {
    const std::vector<CeldaHostil> celdas = CeldasHostiles();
    const int n = static_cast<int>(celdas.size());
    Rejilla* g = Nueva(2, n);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetMultilinecells(true);
    for (int i = 0; i < n; ++i)
        PonerCelda(g, 1, i, celdas[i]);
    g->SaveToXLS(Ruta("h.xlsx"), false);
    g->SaveToDOC(Ruta("h.docx"), false);

    Rejilla* h = Nueva(2, 2);
    h->SetFixedCols(0);
    h->SetFixedRows(0);
    h->LoadFromXLS(Ruta("h.xlsx"));
    ASSERT_EQ(h->GetRowCount(), n);
    std::string libro, documento;
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(TextoDeCelda(h, 1, i), LineasConLF(celdas[i].texto)) << i;
        libro += PuntosDeCodigo(LineasConLF(celdas[i].texto)) + "\n";
        documento += PuntosDeCodigo(LineasConLF(celdas[i].texto, false)) + "\n";
    }
    EXPECT_EQ(Python(R"(
import openpyxl, re
for (v,) in openpyxl.load_workbook("h.xlsx").active.iter_rows(min_col=2, values_only=True):
    v = re.sub('_x([0-9A-F]{4})_', lambda m: chr(int(m.group(1), 16)), v)
    print('.'.join('%x' % ord(c) for c in v))
)"),
              libro);
    EXPECT_EQ(Python(R"(
import docx
for r in docx.Document("h.docx").tables[0].rows:
    print('.'.join('%x' % ord(c) for c in r.cells[1].text))
)"),
              documento);
}

// A query with and without a fixed row: the field names in the last fixed row, the grid
// holding exactly the records; a failed query, or a file that is no database, says why and
// changes nothing.
TEST_F(Oficina, ConsultaSobreUnaBaseSqlite) {
    PrepararOdbc();
    SqliteDePrueba(Ruta("b.db").str(), "CREATE TABLE t (a TEXT, b REAL);"
                                       "INSERT INTO t VALUES ('uno', 1.5);"
                                       "INSERT INTO t VALUES (NULL, 2);");
    Rejilla* con = Nueva(2, 9);
    con->SetFixedCols(1);
    con->SetFixedRows(1);
    con->SetCells(1, 5, "viejo");
    con->LoadFromMDBTable(Ruta("b.db"), "t");
    EXPECT_EQ(Celdas(con), "|a|b\n|uno|1,5\n||2\n");
    Rejilla* sin = Nueva(1, 1);
    sin->LoadFromMDBSQL(Ruta("b.db"), "SELECT b, a FROM t WHERE b > 1.6");
    EXPECT_EQ(Celdas(sin), "2|\n");
    Escribir(Ruta("otra.mdb"), "no es una base");
    const std::pair<const char*, const char*> fallos[] = {
        {"b.db", "no such table"}, {"otra.mdb", "otra.mdb no es una base de datos"}};
    for (const auto& [base, mensaje] : fallos) {
        try {
            sin->LoadFromMDBTable(Ruta(base), "nada");
            ADD_FAILURE() << base;
        } catch (const EKavGridError& e) {
            EXPECT_NE(e.Message.str().find(mensaje), std::string::npos) << e.Message.c_str();
        }
        EXPECT_EQ(Celdas(sin), "2|\n");
    }
    EXPECT_EQ(Leer(Ruta("otra.mdb")), "no es una base");
}

// The fields and their names land in the shown columns: a hidden column keeps its cells.
TEST_F(Oficina, ConsultaConUnaColumnaOculta) {
    PrepararOdbc();
    SqliteDePrueba(Ruta("c.db").str(), "CREATE TABLE t (a TEXT, b TEXT);"
                                       "INSERT INTO t VALUES ('uno', 'dos');");
    Rejilla* g = Nueva(4, 3);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetCells(1, 0, "cabecera oculta");
    g->SetCells(1, 1, "oculta");
    g->HideColumn(1);
    g->LoadFromMDBSQL(Ruta("c.db"), "SELECT a, b FROM t");
    ASSERT_EQ(g->GetColCount(), 3);
    EXPECT_EQ(g->GetCells(1, 0), "cabecera oculta");
    EXPECT_EQ(g->GetCells(1, 1), "oculta");
    EXPECT_EQ(g->GetCells(2, 0), "a");
    EXPECT_EQ(g->GetCells(3, 0), "b");
    EXPECT_EQ(g->GetCells(2, 1), "uno");
    EXPECT_EQ(g->GetCells(3, 1), "dos");
}

// A workbook made by LibreOffice (tests/datos/oficina, converted from the .fods beside it),
// whose day count skips the false 29/02/1900 ("dateCompatibility" false): its dates before
// March 1900 load as they are, and durations of a day or more ("[h]:mm") as the elapsed time
// they show. A save in place with no edits writes those texts, which openpyxl reads back.
TEST_F(Oficina, LibroDeLibreOfficeFechasYDuraciones) {
    std::filesystem::copy_file(QUENBAR_DATOS_PRUEBA "/oficina/fechas_libreoffice.xlsx",
                               dir / "fechas.xlsx");
    Rejilla* g = Nueva(2, 2);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->LoadFromXLS(Ruta("fechas.xlsx"));
    EXPECT_EQ(Celdas(g), "Fecha|Duración\n"
                         "15/02/1900|36:00\n"
                         "01/01/1900|2:30\n"
                         "05/03/1900|49:15\n"
                         "04/03/2021|Línea\n");
    g->SaveToXLS(Ruta("fechas.xlsx"), true);
    EXPECT_EQ(Python(R"(
import openpyxl
ws = openpyxl.load_workbook("fechas.xlsx").active
for fila in ws.iter_rows(min_row=2, max_row=4, values_only=True):
    print("|".join(str(v) for v in fila))
)"),
              "15/02/1900|36:00\n01/01/1900|2:30\n05/03/1900|49:15\n");
}

// Formulas stored without a value (as openpyxl writes them) load empty; a load and a save
// with no edits keeps each of them, and a cell given a text in the grid takes the text.
TEST_F(Oficina, GuardarSinCambiosConservaLasFormulas) {
    Python(R"py(
import openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws["A1"] = 3; ws["B1"] = "=A1*2"; ws["C1"] = "=SUM(A1:B1)"
ws["A2"] = "texto"; ws["B2"] = "=LEN(A2)"
wb.save("formulas.xlsx")
)py");
    Rejilla* g = Nueva(2, 2);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->LoadFromXLS(Ruta("formulas.xlsx"));
    EXPECT_EQ(Celdas(g), "3||\ntexto||\n");
    g->SaveToXLS(Ruta("formulas.xlsx"), true);
    const char* leer = R"(
import openpyxl
ws = openpyxl.load_workbook("formulas.xlsx").active
for fila in ws.iter_rows(values_only=True):
    print("|".join(str(v) for v in fila))
)";
    EXPECT_EQ(Python(leer), "3|=A1*2|=SUM(A1:B1)\ntexto|=LEN(A2)|None\n");
    g->SetCells(2, 0, "escrito");
    g->SaveToXLS(Ruta("formulas.xlsx"), true);
    EXPECT_EQ(Python(leer), "3|=A1*2|escrito\ntexto|=LEN(A2)|None\n");
}
