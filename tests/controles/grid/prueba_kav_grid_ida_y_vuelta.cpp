// Every file form the grid writes and reads, over every make-up of the grid: each form is
// written from a grid full of hostile cells and read back into a fresh grid of the same
// make-up and into one of that make-up holding other cells (and more rows); every shown
// cell, fixed and footer cells included, must then be what the first grid shows.
//
// What a form cannot carry is said in the table: the fixed-width file trims blanks and keeps
// no line breaks, the workbook keeps line breaks as LF, XML leaves out the control
// characters it does not allow; the binary form clears the grid before it loads (fixed cells
// that the save range leaves out come back empty); the native text file, the stream image
// and the workbook write no empty cell and leave the loaded grid's cell there as it was.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/list.h"
#include "plataforma/base/streams.h"
#include "tests/controles/grid/celdas_hostiles_prueba.h"
#include "tests/controles/grid/ficheros_prueba.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kDatosC = 3; // data columns 1..3 hold the hostile cells; column 4 "si"/"no"
constexpr int kDatosR = 30;

struct Hechura {
    const char* nombre;
    int pies = 0;          // fixed footer rows
    bool flotante = false; // floating footer shown
    int derechas = 0;      // fixed right columns
    bool fijasGuardadas = false;
    bool columnaOculta = false;
    bool filaOculta = false;
    bool filtro = false;
    bool nodo = false;
};

const Hechura kHechuras[] = {
    {"fijas"},
    {"pie fijo", 1},
    {"pie flotante", 0, true},
    {"columna fija derecha", 0, false, 1},
    {"pie y columna derecha", 2, false, 1},
    {"pie y columna derecha, celdas fijas guardadas", 1, false, 1, true},
    {"columna oculta", 0, false, 0, false, true},
    {"fila oculta", 0, false, 0, false, false, true},
    {"filtro activo", 1, false, 0, false, false, false, true},
    {"nodo contraido", 0, false, 0, false, false, false, false, true},
};

enum class Forma { Nativo, Binario, Flujo, Csv, CsvScript, Fijo, Xml, Libro };

struct FormaDeFichero {
    const char* nombre;
    Forma forma;
    bool borraVacias; // a cell the file leaves empty is emptied by the load
    bool borraFijas;  // fixed cells outside the save range come back empty
};

const FormaDeFichero kFormas[] = {
    {"texto nativo", Forma::Nativo, false, false},
    {"binario", Forma::Binario, true, true},
    {"flujo", Forma::Flujo, false, false},
    {"CSV", Forma::Csv, true, false},
    {"CSV script", Forma::CsvScript, true, false},
    {"ancho fijo", Forma::Fijo, true, false},
    {"XML", Forma::Xml, true, false},
    {"libro", Forma::Libro, false, false},
};

class IdaYVuelta : public FicherosRejilla {
protected:
    // The cells the form carries, and what a cell's characters read back as.
    static std::vector<CeldaHostil> Celdas(Forma F) {
        switch (F) {
        case Forma::Fijo:
            return {{u"uno", false},    {u"dos tres", false}, {u"\u00E1\u00F1", false},
                    {u"a;b,c", false},  {u"\"x\"", false},    {u"\u03A9\u0408", true},
                    {u"x\u010Dy", true}};
        case Forma::Xml:
        case Forma::Libro:
            return CeldasHostiles(false);
        default:
            return CeldasHostiles();
        }
    }
    static std::u16string Leido(Forma F, const std::u16string& T) {
        return F == Forma::Libro ? LineasConLF(T) : T;
    }

    // A grid of the make-up: Filas data rows; fixed, footer and right cells named, the data
    // cells from Texto (column 4 alternating "si" and "no" for the filter).
    Rejilla* Construir(const Hechura& H, int Filas,
                       const std::function<CeldaHostil(int, int)>& Texto) {
        const int cols = 1 + kDatosC + 1 + H.derechas;
        const int rows = 1 + Filas + H.pies;
        Rejilla* g = Nueva(cols, rows);
        g->SetMultilinecells(true);
        g->SetFixedCols(1);
        g->SetFixedRows(1);
        g->SetFixedFooters(H.pies);
        g->SetFixedRightCols(H.derechas);
        g->SetStoreFixedCells(H.fijasGuardadas);
        // The floating footer shown at the last row makes that row a footer row.
        if (H.flotante) g->GetFloatingFooter()->SetVisible(true);
        const int pies = g->GetFixedFooters();
        // The fixed and footer cells are named by their place among their kind, the same in
        // grids of any number of rows.
        for (int c = 0; c < cols; ++c)
            g->SetCells(c, 0, "T" + AnsiString(c));
        for (int r = 1; r < rows; ++r) {
            const AnsiString fila = r < rows - pies ? AnsiString(r) : "pie" + AnsiString(rows - r);
            g->SetCells(0, r, "F" + fila);
            for (int c = cols - H.derechas; c < cols; ++c)
                g->SetCells(c, r, "D" + fila);
        }
        for (int r = rows - pies; r < rows; ++r)
            for (int c = 1; c < cols - H.derechas; ++c)
                g->SetCells(c, r, "total" + AnsiString(c));
        for (int r = 1; r < rows - pies; ++r) {
            for (int c = 1; c <= kDatosC; ++c)
                PonerCelda(g, c, r, Texto(c, r));
            g->SetCells(1 + kDatosC, r, r % 3 == 0 ? "no" : "si");
        }
        if (H.columnaOculta) g->HideColumn(2);
        if (H.filaOculta) g->HideRow(4);
        if (H.filtro) {
            TFilterData* f = g->GetFilter()->Add();
            f->SetColumn(1 + kDatosC);
            f->SetCondition("si");
            g->SetFilterActive(true);
        }
        if (H.nodo) {
            g->AddNode(2, 3);
            g->ContractNode(2);
        }
        return g;
    }

    void Escribir(Forma F, Rejilla* G, TMemoryStream& Flujo, TIntList& Anchos) {
        switch (F) {
        case Forma::Nativo:
            G->SaveToFile(Ruta("f.txt"));
            break;
        case Forma::Binario:
            G->SaveToBinFile(Ruta("f.bin"));
            break;
        case Forma::Flujo:
            G->SaveToStream(&Flujo);
            break;
        case Forma::Csv:
            G->SaveToCSV(Ruta("f.csv"));
            break;
        case Forma::CsvScript:
            G->SetJavaStyleCSV(true);
            G->SaveToCSV(Ruta("f.csv"));
            break;
        case Forma::Fijo:
            G->SaveToFixed(Ruta("f.fix"), &Anchos);
            break;
        case Forma::Xml:
            G->SaveToXML(Ruta("f.xml"), "lista", "fila", nullptr);
            break;
        case Forma::Libro:
            // A new workbook each time: a save into one that exists keeps its other cells.
            std::remove(Ruta("f.xlsx").c_str());
            G->SaveToXLS(Ruta("f.xlsx"), false);
            break;
        }
    }

    void Leer(Forma F, Rejilla* G, TMemoryStream& Flujo, const TIntList& Anchos) {
        switch (F) {
        case Forma::Nativo:
            G->LoadFromFile(Ruta("f.txt"));
            break;
        case Forma::Binario:
            G->LoadFromBinFile(Ruta("f.bin"));
            break;
        case Forma::Flujo:
            Flujo.SetPosition(0);
            G->LoadFromStream(&Flujo);
            break;
        case Forma::Csv:
            G->LoadFromCSV(Ruta("f.csv"));
            break;
        case Forma::CsvScript:
            G->SetJavaStyleCSV(true);
            G->LoadFromCSV(Ruta("f.csv"));
            break;
        case Forma::Fijo: {
            TIntList posiciones(0, 0);
            int p = 1;
            posiciones.Add(p);
            for (int i = 0; i < Anchos.GetCount(); ++i)
                posiciones.Add(p += Anchos.GetItems(i));
            G->LoadFromFixed(Ruta("f.fix"), &posiciones);
            break;
        }
        case Forma::Xml:
            G->LoadFromXML(Ruta("f.xml"));
            break;
        case Forma::Libro:
            G->LoadXLS(Ruta("f.xlsx"), "");
            break;
        }
    }
};

TEST_F(IdaYVuelta, CadaFormaConCadaHechura) {
    for (const FormaDeFichero& forma : kFormas) {
        const std::vector<CeldaHostil> celdas = Celdas(forma.forma);
        const int n = static_cast<int>(celdas.size());
        // Every hostile cell once, some cells empty.
        const auto texto = [&](int c, int r) -> CeldaHostil {
            const int i = (r - 1) * kDatosC + (c - 1);
            if (i % 7 == 3) return {u"", false};
            return celdas[static_cast<size_t>(i % n)];
        };
        const auto otro = [](int c, int r) -> CeldaHostil {
            return {
                WideString(AnsiString("otro " + std::to_string(c) + "," + std::to_string(r))).str(),
                false};
        };
        for (const Hechura& hechura : kHechuras) {
            SCOPED_TRACE(std::string(forma.nombre) + " / " + hechura.nombre);
            Rejilla* g = Construir(hechura, kDatosR, texto);
            TMemoryStream flujo;
            TIntList anchos(0, 0);
            Escribir(forma.forma, g, flujo, anchos);
            for (bool ocupada : {false, true}) {
                SCOPED_TRACE(ocupada ? "rejilla con otros datos" : "rejilla nueva");
                Rejilla* h = ocupada ? Construir(hechura, kDatosR + 4, otro)
                                     : Construir(hechura, kDatosR, [](int, int) {
                                           return CeldaHostil{u"", false};
                                       });
                Leer(forma.forma, h, flujo, anchos);
                ASSERT_EQ(h->GetRowCount(), g->GetRowCount());
                ASSERT_EQ(h->GetColCount(), g->GetColCount());
                ASSERT_EQ(h->TotalColCount(), g->TotalColCount());
                const int fijaR = hechura.fijasGuardadas ? 0 : 1;
                for (int r = 0; r < g->GetRowCount(); ++r)
                    for (int c = 0; c < g->TotalColCount(); ++c) {
                        if (g->IsHiddenColumn(c)) continue;
                        const bool datos = r >= 1 && r < g->GetRowCount() - g->GetFixedFooters() &&
                                           c >= 1 && c <= kDatosC;
                        std::u16string esperado = TextoDeCelda(g, c, r);
                        if (datos) esperado = Leido(forma.forma, esperado);
                        // The cell the other grid held there, at the same real row.
                        if (datos && esperado.empty() && ocupada && !forma.borraVacias)
                            esperado = otro(c, g->RemapRowInv(r)).texto;
                        const bool fija = r < fijaR || (c < 1 && !hechura.fijasGuardadas);
                        if (fija && forma.borraFijas) esperado = u"";
                        EXPECT_EQ(TextoDeCelda(h, c, r), esperado) << c << "," << r;
                    }
            }
        }
    }
}

} // namespace
