// Row filtering of the advanced grid: the conditions and how they combine, the rows hidden
// and shown again in their order, the fixed and footer rows, the progress reported.

#include "controles/grid/kav_grid.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Rows 1..6 of data between the fixed row 0 and the footer row 7. Column 3 is hidden; the
// display hook shows column 4 with "vista" in front of what it stores.
class Filtro : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new Rejilla(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 400, 300);
        g->SetColCountEx(5);
        g->SetRowCountEx(8);
        g->SetFixedFooters(1);
        const char* filas[][5] = {
            {"clave", "nombre", "valor", "oculta", "vista"},
            {"r1", "Alba", "5", "si", "1"},
            {"r2", "alberto", "12", "no", "2"},
            {"r3", "Bruno", "30", "si", "3"},
            {"r4", "carla", "-1", "no", "4"},
            {"r5", "$12", "8", "si", "5"},
            {"r6", "7 kg", "x", "no", "6"},
            {"pie", "", "", "", ""},
        };
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 5; ++c)
                g->SetCells(c, r, filas[r][c]);
        g->HideColumn(3);
        g->OnGetDisplText = [](TObject*, int ACol, int, AnsiString& Value) {
            if (ACol == 4) Value = "vista" + Value;
        };
    }
    // The keys of the shown rows.
    std::string Visibles() { return TextosColumna(g, 0, 0, g->GetRowCount() - 1, " "); }

    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

struct Condicion {
    int columna;
    const char* patron;
    TFilterOperation op = foSHORT;
    bool mayusculas = true;
    const char* prefijo = "";
    const char* sufijo = "";
    TFilterCells datos = fcVirtual;
};

struct Caso {
    const char* nombre;
    std::vector<Condicion> condiciones;
    const char* quedan; // the data rows that stay shown
};

TEST_F(Filtro, TablaDeCondiciones) {
    const Caso casos[] = {
        {"comodin con mayusculas", {{1, "Al*"}}, "r1"},
        {"comodin sin mayusculas", {{1, "al*", foSHORT, false}}, "r1 r2"},
        {"un caracter cualquiera", {{1, "?runo"}}, "r3"},
        {"termina en", {{1, "*a"}}, "r1 r4"},
        {"numerico, no como texto", {{2, "<8"}}, "r1 r4"},
        {"prefijo quitado", {{1, "12", foSHORT, true, "$"}}, "r5"},
        {"sufijo quitado", {{1, "7", foSHORT, true, "", " kg"}}, "r6"},
        {"prefijo que no esta", {{1, "Alba", foSHORT, true, "$"}}, "r1"},
        {"corto: el primero que falla para", {{2, "<8"}, {1, "c*"}}, "r4"},
        {"ninguno y o", {{1, "Bruno", foNONE}, {1, "carla", foOR}}, "r3 r4"},
        {"ninguno y y", {{2, "<8", foNONE}, {1, "A*", foAND}}, "r1"},
        {"o exclusivo con la columna oculta", {{2, "<8", foNONE}, {3, "si", foXOR}}, "r3 r4 r5"},
        {"un fallo con ninguno no para", {{1, "zzz", foNONE}, {1, "*", foOR}}, "r1 r2 r3 r4 r5 r6"},
        {"columna oculta", {{3, "si"}}, "r1 r3 r5"},
        {"mas alla de las columnas: texto vacio", {{40, "*"}}, "r1 r2 r3 r4 r5 r6"},
        {"mas alla de las columnas: nada que encaje", {{40, "?*"}}, ""},
        {"columna negativa: no encaja", {{-1, "*", foNONE}, {1, "Bruno", foOR}}, "r3"},
        {"texto mostrado", {{4, "vista3"}}, "r3"},
        {"texto guardado", {{4, "vista3", foSHORT, true, "", "", fcNormal}}, ""},
        {"texto guardado, sin la vista", {{4, "3", foSHORT, true, "", "", fcNormal}}, "r3"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        g->GetFilter()->Clear();
        for (const Condicion& c : caso.condiciones) {
            TFilterData* f = g->GetFilter()->Add();
            f->SetColumn(c.columna);
            f->SetCondition(c.patron);
            f->SetOperation(c.op);
            f->SetCaseSensitive(c.mayusculas);
            f->SetPrefix(c.prefijo);
            f->SetSuffix(c.sufijo);
            f->SetData(c.datos);
        }
        ASSERT_NO_THROW(g->SetFilterActive(true));
        EXPECT_TRUE(g->GetFilterActive());
        const std::string quedan = caso.quedan;
        EXPECT_EQ(Visibles(), "clave " + (quedan.empty() ? "" : quedan + " ") + "pie");
        g->SetFilterActive(false);
        EXPECT_EQ(Visibles(), "clave r1 r2 r3 r4 r5 r6 pie");
        EXPECT_EQ(g->GetFixedRows(), 1);
    }
}

// Rows edited while the filter hides others come back in their places with the edits; the
// progress runs from the first row to 100.
TEST_F(Filtro, ActivarEditarYQuitar) {
    std::vector<int> progreso;
    g->OnFilterProgress = [&](TObject*, int p) { progreso.push_back(p); };
    TFilterData* f = g->GetFilter()->Add();
    f->SetColumn(3);
    f->SetCondition("no");
    g->SetFilterActive(true);
    EXPECT_EQ(Visibles(), "clave r2 r4 r6 pie");
    EXPECT_EQ(progreso, (std::vector<int>{17, 33, 50, 67, 83, 100, 100}));
    g->SetCells(1, 2, "editada");          // shown row 2 is r4
    g->SetCellsEx(1, 3, "oculta editada"); // real row 3 (r3) is hidden
    g->SetFilterActive(true);              // already on: nothing changes
    EXPECT_EQ(Visibles(), "clave r2 r4 r6 pie");
    g->SetFilterActive(false);
    EXPECT_FALSE(g->GetFilterActive());
    EXPECT_EQ(Visibles(), "clave r1 r2 r3 r4 r5 r6 pie");
    EXPECT_EQ(TextosColumna(g, 1, 1, 6, "|"), "Alba|alberto|oculta editada|editada|$12|7 kg");
    EXPECT_EQ(g->NumHiddenRows(), 0);
}

// Every normal row failing with two fixed rows and no footer: the fixed rows come back.
TEST_F(Filtro, TodasFallanYVuelvenLasFijas) {
    g->SetFixedFooters(0);
    g->SetFixedRows(2);
    g->GetFilter()->Add()->SetCondition("ninguna");
    g->SetFilterActive(true);
    EXPECT_EQ(g->GetCells(0, 0), "clave");
    EXPECT_EQ(g->GetCells(0, 1), "r1");
    EXPECT_LT(g->GetRowCount(), 8);
    g->SetFilterActive(false);
    EXPECT_EQ(g->GetFixedRows(), 2);
    EXPECT_EQ(Visibles(), "clave r1 r2 r3 r4 r5 r6 pie");
}

} // namespace
