// The grid's native text file and binary form: the exact bytes of a small grid, round trips
// of a fixture with the awkward texts, hidden lines and fixed cells, cells beyond row
// 65,535, properties and graphics, a rectangle loaded at a point, and files and streams
// that are damaged (each with the input that shows the fault).

#include "controles/grid/kav_grid.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/streams.h"
#include "plataforma/gui/images/graphics.h"
#include "tests/controles/grid/celdas_hostiles_prueba.h"
#include "tests/controles/grid/ficheros_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const char* const kTextos[] = {"dos\r\nl\xEDneas",
                               "solo\nLF",
                               "comillas \"x\"",
                               "a;b,c",
                               "tab\tdentro",
                               "\xE1\xE9\xED\xF3\xFA \xF1 \x80",
                               " espacios ",
                               "^",
                               "$amp"};

class Ficheros : public FicherosRejilla {
protected:
    // The fixture: every awkward text, empty cells between them, a fixed row and column.
    Rejilla* Fixture() {
        Rejilla* g = Nueva(5, 5);
        for (int c = 0; c < 5; ++c)
            g->SetCells(c, 0, "T" + AnsiString(c));
        int i = 0;
        for (int r = 1; r < 5; ++r)
            for (int c = 1; c < 5; ++c)
                if ((r + c) % 3 != 0) g->SetCells(c, r, kTextos[i++ % std::size(kTextos)]);
        return g;
    }
    // The shown cells of a (each at its real column) against b's.
    static void MismasCeldas(TKavStringGrid* a, TStringGrid* b, int c0, int r0) {
        ASSERT_EQ(a->GetColCount(), b->GetColCount());
        ASSERT_EQ(a->GetRowCount(), b->GetRowCount());
        for (int r = r0; r < a->GetRowCount(); ++r)
            for (int c = c0; c < a->GetColCount(); ++c)
                EXPECT_EQ(a->GetCells(a->RemapCol(c), r), b->GetCells(c, r)) << c << "," << r;
    }
};

// The file of a grid of 3 x 2 normal cells with one fixed row and column, and its load.
TEST_F(Ficheros, TextoNativoExacto) {
    Rejilla* g = Nueva(4, 3);
    for (int c = 0; c < 4; ++c)
        g->SetColWidths(c, 64);
    g->SetCells(1, 1, "a");
    g->SetCells(3, 2, "b");
    g->SetCells(0, 0, "fija");
    g->SaveToFile(Ruta("n.txt"));
    EXPECT_EQ(Leer(Ruta("n.txt")), "3,2\r\ncw 1,64\r\ncw 2,64\r\ncw 3,64\r\n1,1,a\r\n3,2,b\r\n");
    Rejilla* h = Nueva(2, 2);
    h->LoadFromFile(Ruta("n.txt"));
    EXPECT_EQ(h->GetColCount(), 4);
    EXPECT_EQ(h->GetRowCount(), 3);
    EXPECT_EQ(h->GetCells(1, 1), "a");
    EXPECT_EQ(h->GetCells(3, 2), "b");
    EXPECT_EQ(h->GetColWidths(2), 64);
}

// The fixture through the native file and the binary file, with the fixed cells stored or
// not; hidden columns and rows are left out as the screen leaves them out.
TEST_F(Ficheros, IdaYVueltaDelFixture) {
    for (bool fijas : {false, true})
        for (int forma = 0; forma < 4; ++forma) {
            SCOPED_TRACE(testing::Message() << "fijas " << fijas << " forma " << forma);
            Rejilla* g = Fixture();
            if (forma >= 2) {
                g->HideColumn(2);
                g->HideRow(3);
            }
            g->SetStoreFixedCells(fijas);
            g->SetMultilinecells(true);
            Rejilla* h = Nueva(2, 2);
            h->SetStoreFixedCells(fijas);
            h->SetMultilinecells(true);
            if (forma % 2 == 0) {
                g->SaveToFile(Ruta("f.txt"));
                h->LoadFromFile(Ruta("f.txt"));
            } else {
                g->SaveToBinFile(Ruta("f.bin"));
                h->LoadFromBinFile(Ruta("f.bin"));
            }
            MismasCeldas(g, h, fijas ? 0 : 1, fijas ? 0 : 1);
        }
}

// A TAB and a CR share the byte 9 of the native file's line breaks: a text that form would
// not give back goes escaped on a line of its own kind and comes back exactly; the lines of
// files written before read as they did.
TEST_F(Ficheros, TabulacionYSaltoEnLaMismaCelda) {
    Rejilla* g = Nueva(3, 3);
    g->SetMultilinecells(true);
    g->SetCells(1, 1, "a\tb\nc");
    g->SetCells(2, 1, "a\tb");
    g->SetCells(1, 2, "a\rb\\n");
    g->SetCells(2, 2, "x\r\ny");
    g->SaveToFile(Ruta("t.txt"));
    EXPECT_EQ(Leer(Ruta("t.txt")), "2,2\r\ncw 1,64\r\ncw 2,64\r\n+1,1,a\tb\\nc\r\n2,1,a\tb\r\n"
                                   "+1,2,a\\rb\\\\n\r\n2,2,x\t\by\r\n");
    Rejilla* h = Nueva(3, 3);
    h->SetMultilinecells(true);
    h->LoadFromFile(Ruta("t.txt"));
    for (int r = 1; r < 3; ++r)
        for (int c = 1; c < 3; ++c)
            EXPECT_EQ(h->GetCells(c, r), g->GetCells(c, r)) << c << "," << r;
    // One line at a time: the first line of each.
    h->SetMultilinecells(false);
    h->LoadFromFile(Ruta("t.txt"));
    EXPECT_EQ(h->GetCells(1, 1), "a\tb\nc");
    EXPECT_EQ(h->GetCells(1, 2), "a");
    EXPECT_EQ(h->GetCells(2, 2), "x");
    // The earlier writer's form of these cells.
    Escribir(Ruta("v.txt"), "2,2\r\n1,1,a\tb\bc\r\n1,2,a\tb\r\n");
    h->SetMultilinecells(true);
    h->LoadFromFile(Ruta("v.txt"));
    EXPECT_EQ(h->GetCells(1, 1), "a\rb\nc");
    EXPECT_EQ(h->GetCells(1, 2), "a\tb");
}

// Every control byte, every byte 0x80-0x9F, quotes, delimiters, line ends and wide cells
// through the native file and the stream image, read back into the same characters.
TEST_F(Ficheros, CeldasHostilesDeIdaYVuelta) {
    const std::vector<CeldaHostil> celdas = CeldasHostiles();
    const int n = static_cast<int>(celdas.size());
    for (bool flujo : {false, true}) {
        SCOPED_TRACE(flujo ? "flujo" : "fichero");
        Rejilla* g = Nueva(3, n + 1);
        g->SetMultilinecells(true);
        for (int i = 0; i < n; ++i) {
            PonerCelda(g, 1, i + 1, celdas[i]);
            PonerCelda(g, 2, n - i, celdas[i]);
        }
        Rejilla* h = Nueva(2, 2);
        h->SetMultilinecells(true);
        if (flujo) {
            TMemoryStream m;
            g->SaveToStream(&m);
            m.WriteBuffer("fin", 3); // what follows the image stays for the caller
            m.SetPosition(0);
            h->LoadFromStream(&m);
            EXPECT_EQ(m.GetSize() - m.GetPosition(), 3);
        } else {
            g->SaveToFile(Ruta("h.txt"));
            h->LoadFromFile(Ruta("h.txt"));
        }
        ASSERT_EQ(h->GetRowCount(), n + 1);
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(TextoDeCelda(h, 1, i + 1), celdas[i].texto) << i;
            EXPECT_EQ(TextoDeCelda(h, 2, n - i), celdas[i].texto) << i;
        }
    }
}

// Headers whose counts are not numbers within the grid's limits raise before anything
// changes; lines outside the grid are skipped; an empty header keeps the size.
TEST_F(Ficheros, TextoNativoDanado) {
    for (const char* cabecera :
         {"abc,2", "3", "-1,2", "3,x", "3,2x", "99999999,99999999", ",", "0,0"}) {
        SCOPED_TRACE(cabecera);
        Escribir(Ruta("d.txt"), std::string(cabecera) + "\r\n1,1,z\r\n");
        Rejilla* h = Nueva(3, 3);
        h->SetFixedCols(0);
        h->SetFixedRows(0);
        h->SetCells(1, 1, "antes");
        try {
            h->LoadFromFile(Ruta("d.txt"));
            ADD_FAILURE() << "no error";
        } catch (const EKavGridError& e) {
            EXPECT_EQ(e.Message, "File contains no data or corrupt file " + Ruta("d.txt"));
        }
        EXPECT_EQ(h->GetColCount(), 3);
        EXPECT_EQ(h->GetCells(1, 1), "antes");
    }
    Escribir(Ruta("d.txt"), "\r\ncw 9,50\r\ncw 1,50\r\n9,1,fuera\r\n1,9,fuera\r\n2,-1,x\r\n"
                            "x,1,y\r\n1,2,dentro\r\n");
    Rejilla* h = Nueva(3, 3);
    h->LoadFromFile(Ruta("d.txt"));
    EXPECT_EQ(h->GetColCount(), 3);
    EXPECT_EQ(h->GetRowCount(), 3);
    EXPECT_EQ(h->GetColWidths(1), 50);
    EXPECT_EQ(h->GetCells(1, 2), "dentro");
    EXPECT_EQ(ErrorDeRejilla([&] { h->LoadFromFile(Ruta("falta.txt")); }),
              "Cannot open file " + Ruta("falta.txt"));
}

// A save that fails keeps the old file and raises; the progress runs 0..100 once per value.
TEST_F(Ficheros, GuardarFallidoYProgreso) {
    Rejilla* g = Fixture();
    std::vector<short> pasos;
    g->OnFileProgress = [&](TObject*, short p) { pasos.push_back(p); };
    Escribir(Ruta("v.txt"), "viejo");
    Escribir(Ruta("v.bin"), "viejo");
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    EXPECT_THROW(g->SaveToFile(Ruta("v.txt")), EInOutError);
    FileWriter::InjectFailureForTests(FileWriter::Failure::Close);
    EXPECT_THROW(g->SaveToBinFile(Ruta("v.bin")), Exception);
    EXPECT_EQ(Leer(Ruta("v.txt")), "viejo");
    EXPECT_EQ(Leer(Ruta("v.bin")), "viejo");
    EXPECT_EQ(pasos, (std::vector<short>{0, 33, 67, 100, 0, 33, 67, 100}));
    EXPECT_EQ(ErrorDeRejilla([&] { g->SaveToFile(Ruta("no/existe.txt")); }),
              "Cannot Create " + Ruta("no/existe.txt"));
}

// Cells past row and column 65,535 keep their place in the binary form.
TEST_F(Ficheros, BinarioMasAllaDe65535) {
    Rejilla* g = Nueva(3, 70001);
    g->SetStoreFixedCells(true);
    g->SetCells(2, 70000, "fin");
    g->SetCells(1, 65536, "medio");
    g->SetCells(0, 1, "inicio");
    TMemoryStream m;
    g->SaveToBinStream(&m);
    m.SetPosition(0);
    Rejilla* h = Nueva(2, 2);
    h->SetStoreFixedCells(true);
    h->LoadFromBinStream(&m);
    EXPECT_EQ(h->GetRowCount(), 70001);
    EXPECT_EQ(h->GetCells(2, 70000), "fin");
    EXPECT_EQ(h->GetCells(1, 65536), "medio");
    EXPECT_EQ(h->GetCells(0, 1), "inicio");
    EXPECT_EQ(h->GetCells(1, 0), "");
}

// Properties, merged cells and graphics with their objects come back; a bitmap the grid
// did not create is left out and the stream still reads to its end; a cell with
// properties and no text is written.
TEST_F(Ficheros, BinarioPropiedadesYGraficos) {
    Rejilla* g = Nueva(6, 6);
    g->SetStoreFixedCells(true);
    TCellProperties* p = g->GetCellProperties(1, 1);
    p->SetBrushColor(static_cast<TColor>(0x123456));
    p->SetBrushColorTo(static_cast<TColor>(0x654321));
    p->SetFontStyle(TFontStyles() << fsBold << fsUnderline);
    p->SetFontName("Arial");
    p->SetAlignment(taCenter);
    p->SetEditor(edFloat);
    g->MergeCells(2, 2, 2, 2);
    g->SetCells(2, 2, "unida");
    TBitmap* b = g->CreateBitmap(4, 1, true, haLeft, vaTop);
    b->SetSize(3, 2);
    TBitmap ajeno;
    ajeno.SetSize(2, 2);
    g->AddBitmap(5, 1, &ajeno, false, haLeft, vaTop);
    g->SetCells(5, 1, "texto");
    TStrings* radio = g->CreateRadio(1, 4, 0, 1);
    radio->Add("s\xED");
    radio->Add("no");
    g->AddCheckBox(2, 5, true, false);
    TImageList imagenes(nullptr);
    g->SetGridImages(&imagenes);
    g->AddMultiImage(3, 4, 1, haLeft, vaTop);
    for (int i : {2, 0, 5})
        g->GetCellImages(3, 4)->Add(i);
    // Twice through the stream: what was read is saved again whole.
    TMemoryStream m;
    g->SaveToBinStream(&m);
    m.SetPosition(0);
    Rejilla* e = Nueva(2, 2);
    e->SetStoreFixedCells(true);
    e->LoadFromBinStream(&m);
    EXPECT_EQ(m.GetPosition(), m.GetSize());
    m.Clear();
    e->SaveToBinStream(&m);
    m.SetPosition(0);
    Rejilla* h = Nueva(2, 2);
    h->SetStoreFixedCells(true);
    h->LoadFromBinStream(&m);
    EXPECT_EQ(m.GetPosition(), m.GetSize());
    ASSERT_EQ(h->GetCellType(3, 4), ctImages);
    ASSERT_NE(h->GetCellImages(3, 4), nullptr);
    EXPECT_EQ(h->GetCellImages(3, 4)->GetStrValue(), "2,0,5");
    const TCellProperties* q = h->FindCellProperties(1, 1);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->GetBrushColor(), static_cast<TColor>(0x123456));
    EXPECT_EQ(q->GetBrushColorTo(), static_cast<TColor>(0x654321));
    EXPECT_TRUE(q->GetFontStyle().Contains(fsBold));
    EXPECT_FALSE(q->GetFontStyle().Contains(fsItalic));
    EXPECT_EQ(q->GetFontName(), "Arial");
    EXPECT_EQ(q->GetAlignment(), taCenter);
    EXPECT_EQ(q->GetEditor(), edFloat);
    EXPECT_EQ(h->BaseCell(3, 3), TPoint(2, 2));
    EXPECT_EQ(h->GetCellEx(3, 3), "unida");
    ASSERT_EQ(h->GetCellType(4, 1), ctBitmap);
    auto* hb = dynamic_cast<TBitmap*>(h->GetCellGraphic(4, 1)->CellBitmap);
    ASSERT_NE(hb, nullptr);
    EXPECT_EQ(hb->GetWidth(), 3);
    EXPECT_EQ(hb->GetHeight(), 2);
    EXPECT_EQ(h->GetCellType(5, 1), ctEmpty);
    EXPECT_EQ(h->GetCells(5, 1), "texto");
    ASSERT_EQ(h->GetCellType(1, 4), ctRadio);
    auto* items = dynamic_cast<TStrings*>(h->GetCellGraphic(1, 4)->CellBitmap);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->GetCommaText(), "s\xED,no");
    ASSERT_EQ(h->GetCellType(2, 5), ctCheckBox);
    EXPECT_TRUE(h->GetCellGraphic(2, 5)->CellBoolean);
}

// A rectangle loaded at (5, 5) puts its first stored cell there, whatever its indexes; cells
// that land outside the grid are left out.
TEST_F(Ficheros, RectanguloEnUnPunto) {
    Rejilla* g = Nueva(10, 10);
    g->SetCells(2, 3, "a");
    g->SetCells(4, 4, "b");
    g->SetCells(3, 5, "c");
    TMemoryStream m;
    g->SaveRectToBinStream(TRect(2, 3, 4, 5), &m);
    m.SetPosition(0);
    Rejilla* h = Nueva(7, 8);
    h->LoadAtPointFromBinStream(TPoint(5, 5), &m);
    EXPECT_EQ(h->GetCells(5, 5), "a");
    EXPECT_EQ(h->GetCells(6, 7), "c");
    EXPECT_EQ(h->GetColCount(), 7); // b at (7, 6) is outside
}

// Every cut of a good stream and a changed byte at every place raise EKavGridError (or
// read, when the change still makes a valid record); a stream refused leaves the grid as it
// was.
TEST_F(Ficheros, BinarioDanado) {
    Rejilla* g = Nueva(3, 3);
    g->SetStoreFixedCells(true);
    g->SetCells(0, 0, "uno");
    g->SetCells(1, 0, "dos");
    g->SetCells(2, 2, "tres");
    g->GetCellProperties(2, 2)->SetFontSize(12);
    TMemoryStream m;
    g->SaveToBinStream(&m);
    const std::string bien = m.Bytes();
    const size_t primera = bien.find("TPF0\x0BTGridCellIO");
    const size_t segunda = bien.find("TPF0\x0BTGridCellIO", primera + 1);
    const size_t tercera = bien.rfind("TPF0\x0BTGridCellIO");
    for (size_t n = 1; n + 1 < bien.size(); ++n) {
        TMemoryStream s;
        s.WriteBuffer(bien.data(), n);
        s.SetPosition(0);
        Rejilla* h = Nueva(2, 2);
        h->SetStoreFixedCells(true);
        h->SetCells(1, 1, "antes");
        // A cut at the end of a record (or one byte after it) is a shorter stream.
        const std::string celda = "TPF0\x0BTGridCellIO";
        const bool limite = bien.compare(n, celda.size(), celda) == 0 ||
                            bien.compare(n - 1, celda.size(), celda) == 0;
        if (limite) {
            // The cells whose records lie wholly before the cut.
            EXPECT_NO_THROW(h->LoadFromBinStream(&s)) << n;
            EXPECT_EQ(h->GetCells(0, 0), n > primera + 1 ? "uno" : "") << n;
            EXPECT_EQ(h->GetCells(1, 0), n > segunda + 1 ? "dos" : "") << n;
            EXPECT_EQ(h->GetCells(2, 2), n > tercera + 1 ? "tres" : "") << n;
            EXPECT_EQ(h->GetCells(1, 1), "") << n;
        } else {
            EXPECT_THROW(h->LoadFromBinStream(&s), EKavGridError) << n;
            EXPECT_EQ(h->GetColCount(), 2) << n;
            EXPECT_EQ(h->GetCells(1, 1), "antes") << n;
            EXPECT_EQ(h->GetCells(0, 0), "") << n;
        }
        delete h;
    }
    for (size_t i = 0; i < bien.size(); ++i)
        for (unsigned char x : {0x00, 0x7F, 0xFF}) {
            std::string mala = bien;
            mala[i] = static_cast<char>(x);
            TMemoryStream s;
            s.WriteBuffer(mala.data(), mala.size());
            s.SetPosition(0);
            Rejilla h(nullptr);
            h.SetStoreFixedCells(true);
            try {
                h.LoadFromBinStream(&s);
            } catch (const EKavGridError&) {
            }
        }
}

// A file of each reader cut short: a reader that refuses it leaves the grid as it was (its
// size and every cell), one that reads it reads the cells before the cut. The cuts that must
// be refused are those the form can tell: a cut binary record, XML or workbook, a cut
// stream line of a column width.
TEST_F(Ficheros, UnFicheroCortadoDejaLaRejillaComoEstaba) {
    using Escritura = std::function<void(Rejilla*, const AnsiString&)>;
    struct Lector {
        const char* nombre;
        Escritura guardar, cargar;
    };
    const auto porFlujo = [](void (Rejilla::*Metodo)(TStream*), bool Guardar) {
        return [Metodo, Guardar](Rejilla* G, const AnsiString& F) {
            TMemoryStream m;
            if (Guardar) {
                (G->*Metodo)(&m);
                m.SaveToFile(F);
            } else {
                m.LoadFromFile(F);
                (G->*Metodo)(&m);
            }
        };
    };
    const Lector lectores[] = {
        {"csv", [](Rejilla* G, const AnsiString& F) { G->SaveToCSV(F); },
         [](Rejilla* G, const AnsiString& F) { G->LoadFromCSV(F); }},
        {"texto", [](Rejilla* G, const AnsiString& F) { G->SaveToFile(F); },
         [](Rejilla* G, const AnsiString& F) { G->LoadFromFile(F); }},
        {"flujo", porFlujo(&Rejilla::SaveToStream, true),
         porFlujo(&Rejilla::LoadFromStream, false)},
        {"binario", [](Rejilla* G, const AnsiString& F) { G->SaveToBinFile(F); },
         [](Rejilla* G, const AnsiString& F) { G->LoadFromBinFile(F); }},
        {"xml", [](Rejilla* G, const AnsiString& F) { G->SaveToXML(F, "l", "f", nullptr); },
         [](Rejilla* G, const AnsiString& F) { G->LoadFromXML(F); }},
        {"libro", [](Rejilla* G, const AnsiString& F) { G->SaveXLS(F, "", false); },
         [](Rejilla* G, const AnsiString& F) { G->LoadXLS(F, ""); }},
    };
    struct Caso {
        const char* lector;
        double donde; // the cut, as a part of the file
        bool rechazo; // refused
    } casos[] = {
        {"csv", 0.5, false},    {"texto", 0.5, false},  {"flujo", 0.5, false},
        {"binario", 0.3, true}, {"binario", 0.7, true}, {"xml", 0.5, true},
        {"xml", 0.95, true},    {"libro", 0.5, true},   {"libro", 0.99, true},
    };
    Rejilla* g = Nueva(4, 4);
    for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 4; ++c)
            g->SetCells(c, r, "celda " + AnsiString(c) + "," + AnsiString(r));
    for (const Caso& caso : casos) {
        const Lector& l =
            *std::find_if(std::begin(lectores), std::end(lectores),
                          [&](const Lector& x) { return x.nombre == std::string(caso.lector); });
        SCOPED_TRACE(std::string(caso.lector) + " " + std::to_string(caso.donde));
        const AnsiString entero = Ruta(("entero." + std::string(caso.lector)).c_str());
        std::remove(entero.c_str());
        l.guardar(g, entero);
        const std::string bytes = Leer(entero);
        Escribir(Ruta("cortado"), bytes.substr(0, static_cast<size_t>(bytes.size() * caso.donde)));
        Rejilla* h = Nueva(3, 6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 3; ++c)
                h->SetCells(c, r, "antes " + AnsiString(c) + "," + AnsiString(r));
        bool rechazo = false;
        try {
            l.cargar(h, Ruta("cortado"));
        } catch (const Exception&) {
            rechazo = true;
        }
        EXPECT_EQ(rechazo, caso.rechazo);
        if (rechazo) {
            EXPECT_EQ(h->GetColCount(), 3);
            EXPECT_EQ(h->GetRowCount(), 6);
            for (int r = 0; r < 6; ++r)
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(h->GetCells(c, r), "antes " + AnsiString(c) + "," + AnsiString(r));
        } else {
            EXPECT_EQ(h->GetCells(1, 1), "celda 1,1");
        }
    }
    // A stream whose column width line is cut, or names a column beyond the grid, is refused
    // whole, the cells before it too.
    for (const char* imagen : {"2,2\\r\\n0,0,uno\\r\\ncw 1", "2,2\\r\\n0,0,uno\\r\\ncw 9,40\\r\\n",
                               "2,2\\r\\n0,0,uno\\r\\n5,0,fuera\\r\\n"}) {
        SCOPED_TRACE(imagen);
        TMemoryStream m;
        m.WriteBuffer(imagen, static_cast<int64_t>(std::strlen(imagen)));
        m.SetPosition(0);
        Rejilla* h = Nueva(2, 2);
        h->SetCells(1, 1, "antes");
        EXPECT_ANY_THROW(h->LoadFromStream(&m));
        EXPECT_EQ(h->GetColCount(), 2);
        EXPECT_EQ(h->GetCells(1, 1), "antes");
    }
}

} // namespace
