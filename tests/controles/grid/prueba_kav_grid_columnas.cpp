// The grid's text in columns: the ASCII export (widths, alignments, continuation lines,
// hidden columns, appending), the fixed-width file both ways, and the text image of the cells
// in a stream, with the data that follows it left in place.

#include "controles/grid/cell_properties.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/streams.h"
#include "tests/controles/grid/ficheros_prueba.h"

#include <cstring>
#include <initializer_list>

namespace {

class Columnas : public FicherosRejilla {
protected:
    // A grid without fixed cells, with the texts given row by row.
    Rejilla* Llena(int cols, std::initializer_list<std::initializer_list<const char*>> filas) {
        Rejilla* g = Nueva(cols, static_cast<int>(filas.size()));
        g->SetFixedRows(0);
        g->SetFixedCols(0);
        int r = 0;
        for (const auto& fila : filas) {
            int c = 0;
            for (const char* t : fila)
                g->SetCells(c++, r, t);
            ++r;
        }
        return g;
    }
    static std::unique_ptr<TIntList> Lista(std::initializer_list<int> v) {
        auto l = std::make_unique<TIntList>(0, 0);
        for (int i : v)
            l->Add(i);
        return l;
    }
};

// Every column takes its longest line plus one blank, fixed cells included; right-aligned
// texts get blanks in front, centred ones on both sides (one more than the width when the
// difference is odd); a multi-line cell goes on with its further lines at its column.
TEST_F(Columnas, Ascii) {
    Rejilla* g = Llena(3, {{"abc", "ab", "x"}, {"ab", "abcde", "centro"}, {"7", "", ""}});
    g->GetCellProperties(0, 2)->SetAlignment(taRightJustify);
    g->GetCellProperties(2, 0)->SetAlignment(taCenter);
    g->SaveToASCII(Ruta("a.txt"));
    EXPECT_EQ(Leer(Ruta("a.txt")), "abc ab       x   \r\n"
                                   "ab  abcde centro \r\n"
                                   "  7              \r\n");

    Rejilla* m = Llena(2, {{"uno", "l1\r\nlinea2\r\nl3"}, {"dos", "solo"}});
    m->SetMultilinecells(true);
    m->SaveToASCII(Ruta("m.txt"));
    EXPECT_EQ(Leer(Ruta("m.txt")), "uno l1     \r\n"
                                   "    linea2\r\n"
                                   "    l3\r\n"
                                   "dos solo   \r\n");
    // Without Multilinecells a cell is its first line.
    m->SetMultilinecells(false);
    m->SaveToASCII(Ruta("m.txt"));
    EXPECT_EQ(Leer(Ruta("m.txt")), "uno l1   \r\ndos solo \r\n");
}

// Hidden columns: left out, or written where they are with StoreHiddenCells. Appending adds
// to the old bytes and creates a missing file; a file that cannot be created raises.
TEST_F(Columnas, AsciiOcultasYAnadir) {
    Rejilla* g = Llena(3, {{"a", "oculta", "c"}});
    g->HideColumn(1);
    g->SaveToASCII(Ruta("o.txt"));
    EXPECT_EQ(Leer(Ruta("o.txt")), "a c \r\n");
    g->SetStoreHiddenCells(true);
    g->SaveToASCII(Ruta("o.txt"));
    EXPECT_EQ(Leer(Ruta("o.txt")), "a oculta c \r\n");
    EXPECT_EQ(g->GetColCount(), 2);

    g->AppendToASCII(Ruta("o.txt"));
    EXPECT_EQ(Leer(Ruta("o.txt")), "a oculta c \r\na oculta c \r\n");
    g->AppendToASCII(Ruta("nuevo.txt"));
    EXPECT_EQ(Leer(Ruta("nuevo.txt")), "a oculta c \r\n");
    try {
        g->SaveToASCII(Ruta("no_hay/o.txt"));
        ADD_FAILURE() << "no exception";
    } catch (const EKavGridError& e) {
        EXPECT_EQ(e.Message, "Cannot create file " + Ruta("no_hay/o.txt"));
    }
}

// The fixed-width file: an empty list gets each column's longest text plus one (and keeps
// those widths); a given width pads or cuts; the positions read the fields back trimmed.
TEST_F(Columnas, AnchoFijo) {
    Rejilla* g = Nueva(4, 3); // one fixed row and column, left out of the file
    g->SetCells(0, 1, "fija");
    g->SetCells(1, 1, "Madrid");
    g->SetCells(2, 1, "12,5");
    g->SetCells(3, 1, "x");
    g->SetCells(1, 2, "Ja\xE9n");
    g->SetCells(3, 2, "largo");
    auto anchos = Lista({});
    g->SaveToFixed(Ruta("f.txt"), anchos.get());
    EXPECT_EQ(anchos->GetStrValue(), "7,5,6");
    EXPECT_EQ(Leer(Ruta("f.txt")), "Madrid 12,5 x     \r\n"
                                   "Ja\xE9n" +
                                       std::string(8, ' ') + "largo \r\n");

    // A list that is too short is completed; a narrow width cuts the text.
    auto corto = Lista({3});
    g->SaveToFixed(Ruta("c.txt"), corto.get());
    EXPECT_EQ(corto->GetStrValue(), "3,5,6");
    EXPECT_EQ(Leer(Ruta("c.txt")), "Mad12,5 x     \r\nJa\xE9     largo \r\n");

    // Read back by positions into a grid with a fixed row and column: the cells come back.
    Rejilla* h = Nueva(2, 2);
    auto posiciones = Lista({1, 8, 13, 19});
    h->LoadFromFixed(Ruta("f.txt"), posiciones.get());
    EXPECT_EQ(h->GetColCount(), 4);
    EXPECT_EQ(h->GetRowCount(), 3);
    for (int r = 1; r < 3; ++r)
        for (int c = 1; c < 4; ++c)
            EXPECT_EQ(h->GetCells(c, r), g->GetCells(c, r)) << c << "," << r;
}

// A wide cell among those written: both files are UTF-8 after a byte order mark, each
// column measured in characters (a wide cell's, not its stored bytes); Python reads the
// columns lined up, and the fixed-width file reads back by character positions, the wide
// cell wide again.
TEST_F(Columnas, CeldaAnchaEnAsciiYAnchoFijo) {
    Rejilla* g = Llena(3, {{"ab", "", "z"}, {"\xE1", "", "fin"}});
    g->SetWideCells(1, 0, WideString(u"\u03A9\u20ACx"));
    g->SetWideCells(1, 1, WideString(u"\u0408"));
    g->SetMultilinecells(true);
    g->SaveToASCII(Ruta("a.txt"));
    EXPECT_EQ(Leer(Ruta("a.txt")), "\xEF\xBB\xBF"
                                   "ab \xCE\xA9\xE2\x82\xACx z   \r\n"
                                   "\xC3\xA1  \xD0\x88   fin \r\n");
    EXPECT_EQ(Python("for l in open('a.txt', encoding='utf-8-sig', newline=''):\n"
                     "    print(len(l.rstrip('\\r\\n')), l.index(l.split()[2]),\n"
                     "          '.'.join('%x' % ord(c) for c in l.split()[1]))\n"),
              "11 7 3a9.20ac.78\n11 7 408\n");

    auto anchos = Lista({});
    g->SaveToFixed(Ruta("f.txt"), anchos.get());
    EXPECT_EQ(anchos->GetStrValue(), "3,4,4");
    EXPECT_EQ(Leer(Ruta("f.txt")), "\xEF\xBB\xBF"
                                   "ab \xCE\xA9\xE2\x82\xACx z   \r\n"
                                   "\xC3\xA1  \xD0\x88   fin \r\n");
    // A narrow width cuts a wide cell by characters.
    auto corto = Lista({3, 2});
    g->SaveToFixed(Ruta("c.txt"), corto.get());
    EXPECT_EQ(Leer(Ruta("c.txt")), "\xEF\xBB\xBF"
                                   "ab \xCE\xA9\xE2\x82\xACz   \r\n"
                                   "\xC3\xA1  \xD0\x88 fin \r\n");
    Rejilla* h = Llena(1, {{""}});
    h->LoadFromFixed(Ruta("f.txt"), Lista({1, 4, 8, 12}).get());
    ASSERT_EQ(h->GetRowCount(), 2);
    EXPECT_EQ(h->GetCells(0, 1), "\xE1");
    EXPECT_EQ(h->GetWideCells(1, 0).str(), u"\u03A9\u20ACx");
    EXPECT_EQ(h->GetWideCells(1, 1).str(), u"\u0408");
    EXPECT_EQ(h->GetCells(2, 1), "fin");
}

// Positions 1, 5, 9: characters 1 to 4 and 5 to 8, trimmed; the rest of a line ignored, a
// short line read as far as it goes, the rows grown to the lines read.
TEST_F(Columnas, PosicionesYErrores) {
    Escribir(Ruta("p.txt"), "ab  cd  resto\nx\n\n  yy   z\r\n");
    Rejilla* h = Nueva(5, 2);
    h->SetFixedRows(0);
    h->SetFixedCols(0);
    h->LoadFromFixed(Ruta("p.txt"), Lista({1, 5, 9}).get());
    EXPECT_EQ(h->GetColCount(), 2);
    ASSERT_EQ(h->GetRowCount(), 4);
    EXPECT_EQ(TextosColumna(h, 0, 0, 3, "|"), "ab|x||yy");
    EXPECT_EQ(TextosColumna(h, 1, 0, 3, "|"), "cd|||z");

    try {
        h->LoadFromFixed(Ruta("no.txt"), Lista({1, 5}).get());
        ADD_FAILURE() << "no exception";
    } catch (const EKavGridError& e) {
        EXPECT_EQ(e.Message, "File " + Ruta("no.txt") + " not found");
    }
    // Positions that read nothing or go backwards change nothing.
    for (std::initializer_list<int> malas :
         {std::initializer_list<int>{1}, {0, 5}, {1, 5, 5}, {4, 2}}) {
        EXPECT_THROW(h->LoadFromFixed(Ruta("p.txt"), Lista(malas).get()), EKavGridError);
        EXPECT_EQ(h->GetColCount(), 2);
        EXPECT_EQ(h->GetCells(0, 0), "ab");
    }
}

// The stream image: its exact bytes (indexes relative to the save range), a round trip with
// line breaks and column widths, and the reader stopping at the data after the image.
TEST_F(Columnas, Flujo) {
    Rejilla* g = Nueva(3, 3);
    g->SetColWidths(2, 40);
    g->SetCells(0, 0, "fija");
    g->SetCells(1, 1, "a,b");
    g->SetCells(2, 2, "l1\r\nl2");
    TMemoryStream s;
    g->SaveToStream(&s);
    const std::string imagen = s.Bytes();
    EXPECT_EQ(imagen, "2,2\r\ncw 0,64\r\ncw 1,64\r\ncw 2,40\r\n0,0,a,b\r\n1,1,l1\t\bl2\r\n");
    const std::string resto = "siguiente,dato\r\nmas\r\n";
    s.Write(resto.data(), static_cast<int64_t>(resto.size()));
    s.SetPosition(0);

    Rejilla* h = Nueva(5, 6);
    h->SetMultilinecells(true);
    h->LoadFromStream(&s);
    EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(imagen.size()));
    EXPECT_EQ(h->GetColCount(), 3);
    EXPECT_EQ(h->GetRowCount(), 3);
    EXPECT_EQ(h->GetColWidths(2), 40);
    EXPECT_EQ(h->GetCells(1, 1), "a,b");
    EXPECT_EQ(h->GetCells(2, 2), "l1\r\nl2");
    EXPECT_EQ(h->GetCells(0, 0), "");

    // With StoreFixedCells the whole grid is the range: the fixed cell comes along.
    g->SetStoreFixedCells(true);
    h->SetStoreFixedCells(true);
    TMemoryStream t;
    g->SaveToStream(&t);
    t.SetPosition(0);
    h->LoadFromStream(&t);
    EXPECT_EQ(h->GetCells(0, 0), "fija");
    EXPECT_EQ(h->GetCells(1, 1), "a,b");
    EXPECT_EQ(t.GetPosition(), t.GetSize());
}

// Damaged images: a header that is no number raises the conversion error, one beyond the
// limits raises before any change; a width line or a cell outside the grid raises the grid's
// index error.
TEST_F(Columnas, FlujoDanado) {
    struct Caso {
        const char* bytes;
        int error; // 0 conversion, 1 grid, 2 index
    } casos[] = {
        {"x,2\r\n", 0},           {"3\r\n", 0},
        {"2,2\r\ncw a,5\r\n", 0}, {"2,2\r\ncw,5\r\n", 0},
        {"100000,1000\r\n", 1},   {"-5,2\r\n", 1},
        {"2,2\r\ncw 9,5\r\n", 2}, {"2,2\r\n5,0,x\r\n", 2},
        {"2,2\r\n0,-9,x\r\n", 2},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.bytes);
        Rejilla* h = Nueva(4, 4);
        h->SetCells(1, 1, "antes");
        TMemoryStream s;
        s.Write(c.bytes, static_cast<int64_t>(std::strlen(c.bytes)));
        s.SetPosition(0);
        switch (c.error) {
        case 0:
            EXPECT_THROW(h->LoadFromStream(&s), EConvertError);
            break;
        case 1:
            EXPECT_THROW(h->LoadFromStream(&s), EKavGridError);
            EXPECT_EQ(h->GetColCount(), 4);
            EXPECT_EQ(h->GetCells(1, 1), "antes");
            break;
        default:
            EXPECT_THROW(h->LoadFromStream(&s), EInvalidGridOperation);
        }
    }
}

} // namespace
