// The grid's CSV files: the bytes of each kind of field, the delimiter found by detection,
// appending and inserting, a file beyond the limits, Python's csv module reading what the
// grid writes and writing what the grid reads, and the UTF-8 files of grids with wide cells.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/file_errors.h"
#include "tests/controles/grid/celdas_hostiles_prueba.h"
#include "tests/controles/grid/ficheros_prueba.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class Csv : public FicherosRejilla {};

// Each kind of field as written with the options.
TEST_F(Csv, BytesDeCadaCampo) {
    struct Caso {
        const char* texto;
        const char* campo;
        const char* opcion;
    } casos[] = {
        {"a\"b", "\"a\"\"b\"", ""},
        {"x,y", "\"x,y\"", ""},
        {"x;y", "x;y", ""},
        {"l1\r\nl2", "\"l1\x0Bl2\"", ""},
        {"solo\nLF", "\"solo\nLF\"", ""},
        {"solo\rCR", "\"solo\rCR\"", ""},
        {"", "", ""},
        {"", "\"\"", "vacias"},
        {"", "^", "java"},
        {"l1\r\nl2", "l1~l2", "java"},
        {"abc", "\"abc\"", "siempre"},
        {"\xE1\xF1", "\xA0\xA4", "oem"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        Rejilla* g = Nueva(2, 1);
        g->SetFixedCols(0);
        g->SetFixedRows(0);
        g->SetQuoteEmptyCSVCells(std::string(c.opcion) == "vacias");
        g->SetJavaStyleCSV(std::string(c.opcion) == "java");
        g->SetAlwaysQuoteCSV(std::string(c.opcion) == "siempre");
        g->SetOemConvert(std::string(c.opcion) == "oem");
        g->SetCells(0, 0, c.texto);
        g->SetCells(1, 0, "z");
        g->SaveToCSV(Ruta("c.csv"));
        const std::string z = std::string(c.opcion) == "siempre" ? "\"z\"" : "z";
        EXPECT_EQ(Leer(Ruta("c.csv")), std::string(c.campo) + "," + z + "\r\n");
        Rejilla* h = Nueva(1, 1);
        h->SetFixedCols(0);
        h->SetFixedRows(0);
        h->SetFieldDelimiter(',');
        h->SetJavaStyleCSV(g->GetJavaStyleCSV());
        h->SetOemConvert(g->GetOemConvert());
        h->LoadFromCSV(Ruta("c.csv"));
        EXPECT_EQ(h->GetCells(0, 0), c.texto);
        EXPECT_EQ(h->GetCells(1, 0), "z");
    }
}

// The delimiter of the first two lines is found and kept; a quoted field holds delimiters,
// quotes and line breaks across lines; rows follow the fixed ones.
TEST_F(Csv, DeteccionYRegistros) {
    struct Caso {
        const char* fichero;
        char delimitador;
    } casos[] = {{"a;b;c\r\nd;e;f\r\n", ';'},
                 {"a,b\r\nc,d\r\n", ','},
                 {"a\tb|c\r\nd\te|f|g\r\n", '\t'},
                 {"uno\r\n", ','}};
    for (const Caso& c : casos) {
        Escribir(Ruta("d.csv"), c.fichero);
        Rejilla* h = Nueva(2, 2);
        h->LoadFromCSV(Ruta("d.csv"));
        EXPECT_EQ(h->GetFieldDelimiter(), c.delimitador) << c.fichero;
    }
    Escribir(Ruta("r.csv"), "x;\"a;b\r\nc\"\"d\";\"\"\n\"\";w\rfin");
    Rejilla* h = Nueva(2, 2);
    h->SetFieldDelimiter(';');
    h->LoadFromCSV(Ruta("r.csv"));
    EXPECT_EQ(h->GetRowCount(), 4);
    EXPECT_EQ(h->GetColCount(), 4);
    EXPECT_EQ(h->GetCells(1, 1), "x");
    EXPECT_EQ(h->GetCells(2, 1), "a;b\r\nc\"d");
    EXPECT_EQ(h->GetCells(3, 1), "");
    EXPECT_EQ(h->GetCells(2, 2), "w");
    EXPECT_EQ(h->GetCells(1, 3), "fin");
}

// The three saves that add to a file add to the file named as given, never to another that
// differs only in case; one that exists and cannot be read (a user who may write it but not
// read it; permissions stop root from nothing, so CTest runs this as another user through
// tests/comun/sin_privilegios.sh) raises the grid's error and is left as it was.
TEST_F(Csv, SinPrivilegiosAnadirAUnFicheroIlegibleLoDejaIntacto) {
    struct Caso {
        const char* metodo;
        std::function<void(Rejilla*, const AnsiString&)> anadir;
    } casos[] = {
        {"AppendToCSV", [](Rejilla* g, const AnsiString& f) { g->AppendToCSV(f); }},
        {"AppendToASCII", [](Rejilla* g, const AnsiString& f) { g->AppendToASCII(f); }},
        {"AppendToHTML", [](Rejilla* g, const AnsiString& f) { g->AppendToHTML(f); }},
    };
    Rejilla* g = Nueva(2, 2);
    g->SetCells(1, 1, "celda");
    const std::string viejo(5000, 'v');
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.metodo);
        Escribir(Ruta("DATOS.TXT"), viejo);
        std::filesystem::remove(Ruta("datos.txt").c_str());
        c.anadir(g, Ruta("datos.txt"));
        EXPECT_EQ(Leer(Ruta("DATOS.TXT")), viejo);
        EXPECT_EQ(Leer(Ruta("datos.txt")).find(viejo), std::string::npos);
        EXPECT_NE(Leer(Ruta("datos.txt")).find("celda"), std::string::npos);

        if (geteuid() == 0) continue;
        Escribir(Ruta("ilegible.txt"), viejo);
        ASSERT_EQ(chmod(Ruta("ilegible.txt").c_str(), 0200), 0);
        EXPECT_EQ(ErrorDeRejilla([&] { c.anadir(g, Ruta("ilegible.txt")); }),
                  "Cannot open file " + Ruta("ilegible.txt"));
        ASSERT_EQ(chmod(Ruta("ilegible.txt").c_str(), 0600), 0);
        EXPECT_EQ(Leer(Ruta("ilegible.txt")), viejo);
    }
    if (geteuid() == 0) GTEST_SKIP() << "como root todo fichero se puede leer";
}

// Appending creates a missing file and adds to one that exists; a failed save keeps the old
// file; inserting puts the rows after the grid's; a file beyond the limits changes nothing.
TEST_F(Csv, AnadirInsertarYLimites) {
    Rejilla* g = Nueva(3, 2);
    g->SetCells(1, 1, "a");
    g->SetCells(2, 1, "b");
    g->AppendToCSV(Ruta("a.csv"));
    g->AppendToCSV(Ruta("a.csv"));
    EXPECT_EQ(Leer(Ruta("a.csv")), "a,b\r\na,b\r\n");
    FileWriter::InjectFailureForTests(FileWriter::Failure::Close);
    EXPECT_THROW(g->AppendToCSV(Ruta("a.csv")), EInOutError);
    EXPECT_EQ(Leer(Ruta("a.csv")), "a,b\r\na,b\r\n");
    g->InsertFromCSV(Ruta("a.csv"));
    EXPECT_EQ(g->GetRowCount(), 4);
    EXPECT_EQ(g->GetCells(2, 3), "b");
    EXPECT_EQ(ErrorDeRejilla([&] { g->SaveToCSV(Ruta("no/c.csv")); }),
              "Cannot Create file " + Ruta("no/c.csv"));
    Escribir(Ruta("ancho.csv"), std::string(200000, ','));
    EXPECT_THROW(g->LoadFromCSV(Ruta("ancho.csv")), EKavGridError);
    EXPECT_EQ(g->GetRowCount(), 4);
    EXPECT_EQ(g->GetColCount(), 3);
}

// Records inserted into a grid with footer rows (fixed ones, or the floating footer at the
// last row) go in before them: the footer rows stay last with their cells, and a save writes
// the old and the new records only.
TEST_F(Csv, InsertarAntesDeLosPies) {
    Escribir(Ruta("i.csv"), "n1,m1\r\nn2,m2\r\n");
    for (int caso = 0; caso < 3; ++caso) {
        SCOPED_TRACE(caso);
        Rejilla* g = Nueva(3, 4); // fixed row, two records, a footer row
        g->SetCells(1, 1, "a");
        g->SetCells(1, 2, "b");
        if (caso == 0) g->SetFixedFooters(1);
        if (caso == 1) g->GetFloatingFooter()->SetVisible(true);
        if (caso == 2) {
            g->SetFixedFooters(2);
            g->SetRowCount(5);
        }
        const int pies = g->GetFixedFooters();
        for (int k = 0; k < pies; ++k)
            g->SetCells(1, g->GetRowCount() - pies + k, AnsiString("total" + std::to_string(k)));
        g->InsertFromCSV(Ruta("i.csv"));
        ASSERT_EQ(g->GetRowCount(), 5 + pies);
        EXPECT_EQ(TextosColumna(g, 1, 1, 4, "|"), "a|b|n1|n2");
        EXPECT_EQ(g->GetCells(2, 4), "m2");
        for (int k = 0; k < pies; ++k)
            EXPECT_EQ(g->GetCells(1, 5 + k), AnsiString("total" + std::to_string(k)));
        g->SaveToCSV(Ruta("s.csv"));
        EXPECT_EQ(Leer(Ruta("s.csv")), "a,\r\nb,\r\nn1,m1\r\nn2,m2\r\n");
    }
}

// Long lines: detection on lines of many fields, a line of more fields than a grid may have
// refused with the grid as it was, and a field of megabytes read whole into its cell.
TEST_F(Csv, LineasYCamposLargos) {
    std::string dos;
    for (int l = 0; l < 2; ++l) {
        for (int i = 0; i < 50000; ++i)
            dos += "x" + std::to_string(i % 7) + (i + 1 < 50000 ? ";" : "\r\n");
    }
    Escribir(Ruta("dos.csv"), dos);
    Rejilla* g = Nueva(2, 2);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetFieldDelimiter('\0');
    g->LoadFromCSV(Ruta("dos.csv"));
    EXPECT_EQ(g->GetFieldDelimiter(), ';');
    EXPECT_EQ(g->GetColCount(), 50000);
    EXPECT_EQ(g->GetRowCount(), 2);
    EXPECT_EQ(g->GetCells(49999, 1), "x" + AnsiString(49999 % 7));

    std::string linea;
    for (int i = 0; i < 1500000; ++i)
        linea += "a,";
    Escribir(Ruta("linea.csv"), linea);
    g->SetFieldDelimiter('\0');
    EXPECT_EQ(ErrorDeRejilla([&] { g->LoadFromCSV(Ruta("linea.csv")); }),
              "El fichero " + Ruta("linea.csv") +
                  " tiene más celdas de las que caben en la rejilla");
    EXPECT_EQ(g->GetColCount(), 50000);
    EXPECT_EQ(g->GetRowCount(), 2);
    EXPECT_EQ(g->GetCells(0, 0), "x0");

    std::string campo(4 << 20, 'c');
    for (size_t i = 0; i < campo.size(); i += 1000)
        campo[i] = i % 3000 ? ',' : '"';
    std::string fichero = "\"";
    for (char c : campo)
        fichero += c == '"' ? std::string("\"\"") : std::string(1, c);
    Escribir(Ruta("campo.csv"), fichero + "\"\r\n");
    Rejilla* h = Nueva(2, 2);
    h->SetFixedCols(0);
    h->SetFixedRows(0);
    h->SetFieldDelimiter(',');
    h->LoadFromCSV(Ruta("campo.csv"));
    EXPECT_EQ(h->GetRowCount(), 1);
    EXPECT_EQ(h->GetCells(0, 0).str(), campo);
}

// Python's csv module reads the grid's file (a CR LF in a cell arrives as the byte 11) and
// writes one that the grid loads with the line breaks in its cells.
TEST_F(Csv, ClientePython) {
    Rejilla* g = Nueva(4, 3);
    const char* textos[] = {
        "l\xEDnea1\r\nl\xEDnea2", "a;b", "comillas \"x\"", "", "tab\there", "\x80 5"};
    for (int i = 0; i < 6; ++i)
        g->SetCells(1 + i % 3, 1 + i / 3, textos[i]);
    g->SetFieldDelimiter(';');
    g->SaveToCSV(Ruta("g.csv"));
    const std::string leido = Python("import csv\n"
                                     "with open(r'" +
                                     Ruta("g.csv").str() +
                                     "', encoding='cp1252', newline='') as f:\n"
                                     "    for fila in csv.reader(f, delimiter=';'):\n"
                                     "        print('|'.join(ascii(c) for c in fila))\n");
    EXPECT_EQ(leido, "'l\\xednea1\\x0bl\\xednea2'|'a;b'|'comillas \"x\"'\n"
                     "''|'tab\\there'|'\\u20ac 5'\n");
    Python("import csv\n"
           "with open(r'" +
           Ruta("p.csv").str() +
           "', 'w', encoding='cp1252', newline='') as f:\n"
           "    w = csv.writer(f, delimiter=';')\n"
           "    w.writerow(['uno', 'dos;tres', 'con \"comillas\"'])\n"
           "    w.writerow(['cr\\r\\nlf', 'lf\\nsolo', '\\xe1rbol'])\n");
    Rejilla* h = Nueva(2, 2);
    h->LoadFromCSV(Ruta("p.csv"));
    EXPECT_EQ(h->GetFieldDelimiter(), ';');
    EXPECT_EQ(h->GetCells(2, 1), "dos;tres");
    EXPECT_EQ(h->GetCells(3, 1), "con \"comillas\"");
    EXPECT_EQ(h->GetCells(1, 2), "cr\r\nlf");
    EXPECT_EQ(h->GetCells(2, 2), "lf\nsolo");
    EXPECT_EQ(h->GetCells(3, 2), "\xE1rbol");
    EXPECT_EQ(h->GetRowCount(), 3);
}

// A grid with wide cells is written as UTF-8 after a byte order mark, whatever the
// delimiter: every hostile cell (each control byte and each byte 0x80-0x9F in 8-bit cells,
// wide cells whose UTF-16 bytes are delimiters, line ends or the byte 11) comes back the same
// through the grid, detection finds the delimiter, and Python's csv module reads the same
// characters.
TEST_F(Csv, CeldasHostilesEnUtf8) {
    const std::vector<CeldaHostil> celdas = CeldasHostiles();
    const int n = static_cast<int>(celdas.size());
    for (char d : {',', ';', '|', '\t'}) {
        SCOPED_TRACE(std::string(1, d));
        Rejilla* g = Nueva(3, n + 1);
        g->SetFieldDelimiter(d);
        for (int i = 0; i < n; ++i) {
            PonerCelda(g, 1, i + 1, celdas[i]);
            g->SetCells(2, i + 1, "x");
        }
        g->SaveToCSV(Ruta("h.csv"));
        const std::string bytes = Leer(Ruta("h.csv"));
        ASSERT_EQ(bytes.compare(0, 3, "\xEF\xBB\xBF"), 0);
        Rejilla* h = Nueva(2, 2);
        h->SetFieldDelimiter('\0');
        h->LoadFromCSV(Ruta("h.csv"));
        EXPECT_EQ(h->GetFieldDelimiter(), d);
        ASSERT_EQ(h->GetRowCount(), n + 1);
        std::string esperado;
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(TextoDeCelda(h, 1, i + 1), celdas[i].texto) << i;
            EXPECT_EQ(h->GetCells(2, i + 1), "x") << i;
            // Characters the code page has stay 8-bit cells.
            EXPECT_EQ(h->GetCells(1, i + 1).str().compare(0, 2, "|\\") == 0, celdas[i].ancha) << i;
            esperado += PuntosDeCodigo(celdas[i].texto) + "\n";
        }
        const std::string py = std::string(1, d) == "\t" ? "\\t" : std::string(1, d);
        EXPECT_EQ(Python("import csv\n"
                         "with open('h.csv', encoding='utf-8-sig', newline='') as f:\n"
                         "    for fila in csv.reader(f, delimiter='" +
                         py +
                         "'):\n"
                         "        if fila[1] != 'x': print('mal', fila)\n"
                         "        print('.'.join('%x' % ord(c) for c in fila[0]))\n"),
                  esperado);
    }
}

// The script style reads back what it wrote: every hostile cell, a cell holding "~", "`" or
// a whole "^", and empty cells between them; a file of earlier writers reads as before.
TEST_F(Csv, EstiloScriptDeIdaYVuelta) {
    std::vector<CeldaHostil> celdas = CeldasHostiles();
    for (const char16_t* t : {u"a~b", u"^", u"`", u"a`~b`", u"~", u"^^", u"\r\n"})
        celdas.push_back({t, false});
    const int n = static_cast<int>(celdas.size());
    for (char d : {',', ';'}) {
        SCOPED_TRACE(std::string(1, d));
        Rejilla* g = Nueva(4, n + 1);
        g->SetJavaStyleCSV(true);
        g->SetFieldDelimiter(d);
        for (int i = 0; i < n; ++i) {
            PonerCelda(g, 1, i + 1, celdas[i]);
            g->SetCells(3, i + 1, "x");
        }
        g->SaveToCSV(Ruta("j.csv"));
        Rejilla* h = Nueva(2, 2);
        h->SetJavaStyleCSV(true);
        h->SetFieldDelimiter(d);
        h->LoadFromCSV(Ruta("j.csv"));
        ASSERT_EQ(h->GetRowCount(), n + 1);
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(TextoDeCelda(h, 1, i + 1), celdas[i].texto) << i;
            EXPECT_EQ(h->GetCells(2, i + 1), "") << i;
            EXPECT_EQ(h->GetCells(3, i + 1), "x") << i;
        }
    }
    Escribir(Ruta("v.csv"), "uno~dos,^,a`b\r\n");
    Rejilla* v = Nueva(2, 2);
    v->SetJavaStyleCSV(true);
    v->SetCells(2, 1, "antes");
    v->LoadFromCSV(Ruta("v.csv"));
    EXPECT_EQ(v->GetCells(1, 1), "uno\r\ndos");
    EXPECT_EQ(v->GetCells(2, 1), "");
    EXPECT_EQ(v->GetCells(3, 1), "a`b");
}

// The form of the file: 8-bit text without a wide cell; UTF-8 for a wide cell or the byte 11
// in a cell (which 8-bit text reads back as a line break); appending follows the file's form
// and turns an 8-bit file into UTF-8 (its bytes through the code page) when the new rows
// need it; a file written by earlier versions, with a wide cell's "|\" among its bytes,
// still finds its delimiter.
TEST_F(Csv, FormaDelFichero) {
    struct Caso {
        const char* nombre;
        std::string antes;    // the file appended to ("" for none)
        std::u16string celda; // the cell written
        bool ancha;
        std::string fichero; // the file then
    } casos[] = {
        {"8 bits", "", u"\u00E1", false, "\xE1,z\r\n"},
        {"ancha", "", u"\u03A9", true, "\xEF\xBB\xBF\xCE\xA9,z\r\n"},
        {"byte 11", "", u"a\u000Bb", false,
         "\xEF\xBB\xBF"
         "a\x0B"
         "b,z\r\n"},
        {"linea CR LF", "", u"a\r\nb", false,
         "\"a\x0B"
         "b\",z\r\n"},
        {"a UTF-8", "\xEF\xBB\xBFuno\r\n", u"\u00E1", false, "\xEF\xBB\xBFuno\r\n\xC3\xA1,z\r\n"},
        {"8 bits a UTF-8", "\x80\r\n", u"\u03A9", true,
         "\xEF\xBB\xBF\xE2\x82\xAC\r\n\xCE\xA9,z\r\n"},
        {"8 bits sigue", "\x80\r\n", u"\u00E1", false, "\x80\r\n\xE1,z\r\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::remove(Ruta("f.csv").c_str());
        if (!c.antes.empty()) Escribir(Ruta("f.csv"), c.antes);
        Rejilla* g = Nueva(2, 1);
        g->SetFixedCols(0);
        g->SetFixedRows(0);
        PonerCelda(g, 0, 0, {c.celda, c.ancha});
        g->SetCells(1, 0, "z");
        g->AppendToCSV(Ruta("f.csv"));
        EXPECT_EQ(Leer(Ruta("f.csv")), c.fichero);
        Rejilla* h = Nueva(2, 1);
        h->SetFixedCols(0);
        h->SetFixedRows(0);
        h->LoadFromCSV(Ruta("f.csv"));
        EXPECT_EQ(TextoDeCelda(h, 0, h->GetRowCount() - 1), c.celda);
    }
    Escribir(Ruta("v.csv"), "|\\\x04\x08;|\\\x03\xA9\r\n|\\\x04\x0C;|\\\x03\xA3\r\n");
    Rejilla* v = Nueva(2, 2);
    v->LoadFromCSV(Ruta("v.csv"));
    EXPECT_EQ(v->GetFieldDelimiter(), ';');
    EXPECT_EQ(TextoDeCelda(v, 1, 1), u"\u0408");
    EXPECT_EQ(TextoDeCelda(v, 2, 2), u"\u03A3");
}

} // namespace
