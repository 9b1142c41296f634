// Column widths and column order of the advanced grid kept in an INI file: round trips after
// sizing and moving columns, a store without the grid's key, and stores cut short, written
// for another grid or edited by hand.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/ini_file.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class Ajustes : public ::testing::Test {
protected:
    void SetUp() override {
        carpeta = std::filesystem::temp_directory_path() /
                  ("ajustes_rejilla_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(carpeta);
        archivo = (carpeta / "rejilla.ini").string();
        ventana = std::make_unique<VentanaPrueba>();
    }
    void TearDown() override {
        ventana.reset();
        std::filesystem::remove_all(carpeta);
    }
    // Four columns, row 0 naming each column by its first place.
    Rejilla* Nueva(bool ConClave = true) {
        auto* g = new Rejilla(ventana.get(), ventana.get());
        g->SetColCountEx(4);
        g->SetRowCountEx(2);
        for (int c = 0; c < 4; ++c)
            g->SetCells(c, 0, "c" + AnsiString(c));
        if (ConClave) {
            g->GetColumnSize()->SetLocation(clIniFile);
            g->GetColumnSize()->SetKey(archivo.c_str());
            g->GetColumnSize()->SetSection("Rejilla");
        }
        return g;
    }
    std::vector<int> Anchos(Rejilla* g) {
        std::vector<int> v;
        for (int c = 0; c < g->GetColCount(); ++c)
            v.push_back(g->GetColWidths(c));
        return v;
    }
    // Row 0 of every column, by shown place.
    static std::string TextosColumnaFila(Rejilla* g) {
        std::string s;
        for (int c = 0; c < g->GetColCount(); ++c)
            s += (c ? " " : "") + g->GetCells(c, 0).str();
        return s;
    }
    void Escribir(const std::string& Texto) { std::ofstream(archivo) << Texto; }
    std::filesystem::path carpeta;
    std::string archivo;
    std::unique_ptr<VentanaPrueba> ventana;
};

TEST_F(Ajustes, AnchosIdaYVuelta) {
    Rejilla* a = Nueva();
    a->SetColWidths(0, 31);
    a->SetColWidths(2, 117);
    a->SaveColSizes();
    EXPECT_EQ(TIniFile(archivo.c_str()).ReadString("Rejilla", "Col2", ""), "117");

    Rejilla* b = Nueva();
    ASSERT_NE(Anchos(b), Anchos(a));
    b->LoadColSizes();
    EXPECT_EQ(Anchos(b), Anchos(a));
}

TEST_F(Ajustes, OrdenDeColumnasIdaYVuelta) {
    Rejilla* a = Nueva();
    a->MoveColumn(0, 2); // c1 c2 c0 c3
    a->MoveColumn(3, 1); // c1 c3 c2 c0
    ASSERT_EQ(TextosColumnaFila(a), "c1 c3 c2 c0");
    a->SaveColPositions();

    Rejilla* b = Nueva();
    b->LoadColPositions();
    EXPECT_EQ(TextosColumnaFila(b), "c1 c3 c2 c0");
    EXPECT_EQ(b->GetColumnOrder(), a->GetColumnOrder());
    // And the loaded order is the one saved next.
    b->SaveColPositions();
    Rejilla* c = Nueva();
    c->LoadColPositions();
    EXPECT_EQ(TextosColumnaFila(c), "c1 c3 c2 c0");
}

TEST_F(Ajustes, SinClaveOSeccionNoSeLeeNiEscribe) {
    Rejilla* g = Nueva(false);
    g->GetColumnSize()->SetLocation(clIniFile);
    g->GetColumnSize()->SetKey(archivo.c_str()); // no section
    g->SaveColSizes();
    g->MoveColumn(0, 3);
    g->SaveColPositions();
    EXPECT_FALSE(std::filesystem::exists(archivo));
    Escribir("[]\nCol0=5\nPos0=3\nPos1=2\nPos2=1\nPos3=0\n");
    const std::vector<int> antes = Anchos(g);
    g->LoadColSizes();
    g->LoadColPositions();
    EXPECT_EQ(Anchos(g), antes);
    EXPECT_EQ(TextosColumnaFila(g), "c1 c2 c3 c0");
}

TEST_F(Ajustes, AlmacenMentirosoOCortado) {
    struct Caso {
        const char* nombre;
        const char* texto;
        std::vector<int> anchos; // -1: unchanged
        const char* orden;
    };
    const std::vector<Caso> casos = {
        {"vacío", "", {-1, -1, -1, -1}, "c0 c1 c2 c3"},
        {"cortado",
         "[Rejilla]\nCol0=40\nCol1=41\nPos0=3\nPos1=2\n",
         {40, 41, -1, -1},
         "c0 c1 c2 c3"},
        {"de otra rejilla",
         "[Rejilla]\nPos0=5\nPos1=0\nPos2=1\nPos3=2\n",
         {-1, -1, -1, -1},
         "c0 c1 c2 c3"},
        {"repetido",
         "[Rejilla]\nPos0=1\nPos1=1\nPos2=2\nPos3=3\n",
         {-1, -1, -1, -1},
         "c0 c1 c2 c3"},
        {"a mano",
         "[Rejilla]\nCol0=ancho\nCol1=-7\nCol2=0\nCol3=0x20\nPos0=3\nPos1=x\nPos2=1\nPos3=0\n",
         {-1, -1, 0, 32},
         "c0 c1 c2 c3"},
        {"bueno", "[Rejilla]\nPos0=3\nPos1=2\nPos2=1\nPos3=0\n", {-1, -1, -1, -1}, "c3 c2 c1 c0"},
    };
    for (const Caso& c : casos) {
        Escribir(c.texto);
        Rejilla* g = Nueva();
        std::vector<int> esperado = Anchos(g);
        for (size_t i = 0; i < esperado.size(); ++i)
            if (c.anchos[i] >= 0) esperado[i] = c.anchos[i];
        g->LoadColSizes();
        g->LoadColPositions();
        EXPECT_EQ(Anchos(g), esperado) << c.nombre;
        EXPECT_EQ(TextosColumnaFila(g), c.orden) << c.nombre;
    }
}

TEST_F(Ajustes, ElDestructorGuardaYLaCargaLosLee) {
    Rejilla* a = Nueva();
    a->GetColumnSize()->SetSave(true);
    a->SetColWidths(1, 99);
    delete a;
    EXPECT_EQ(TIniFile(archivo.c_str()).ReadInteger("Rejilla", "Col1", 0), 99);

    Rejilla* b = Nueva();
    b->GetColumnSize()->SetSave(true);
    b->Loaded();
    EXPECT_EQ(b->GetColWidths(1), 99);
}

// The settings that differ from a new grid's, written and read into another grid.
TEST_F(Ajustes, AjustesDeImpresionIdaYVuelta) {
    Rejilla* a = Nueva(false);
    TPrintSettings* p = a->GetPrintSettings();
    p->SetColumnSpacing(7);
    p->SetCentered(false);
    p->SetRepeatFixedRows(true);
    p->SetUseDisplayFont(false);
    p->SetBorders(pbAroundVertical);
    p->SetBorderStyle(psDashDot);
    p->SetDate(ppBottomRight);
    p->SetTitle(ppTopCenter);
    p->SetDateFormat("yyyy-mm-dd");
    p->SetTitleText("Muros = 3");
    p->SetLeftSize(250);
    p->SetFitToPage(fpShrink);
    p->GetFont()->SetName("Courier");
    p->GetFont()->SetSize(14);
    p->GetFont()->SetStyle({fsBold, fsStrikeOut});
    p->GetHeaderFont()->SetColor(static_cast<TColor>(0x123456));
    p->SetPagePrefix("Pág.");
    p->SetOrientation(poLandscape);
    p->GetTitleLines()->SetText("primera\nsegunda\n");
    a->SavePrintSettings(archivo.c_str(), "Impresión");

    const TIniFile ini(archivo.c_str());
    EXPECT_EQ(ini.ReadString("Impresión", "Centered", ""), "N");
    EXPECT_EQ(ini.ReadString("Impresión", "FontStyle", ""), "9");
    EXPECT_EQ(ini.ReadString("Impresión", "Borders", ""), "6");

    Rejilla* b = Nueva(false);
    b->LoadPrintSettings(archivo.c_str(), "Impresión");
    TPrintSettings* q = b->GetPrintSettings();
    EXPECT_EQ(q->GetColumnSpacing(), 7);
    EXPECT_FALSE(q->GetCentered());
    EXPECT_TRUE(q->GetRepeatFixedRows());
    EXPECT_FALSE(q->GetUseDisplayFont());
    EXPECT_EQ(q->GetBorders(), pbAroundVertical);
    EXPECT_EQ(q->GetBorderStyle(), psDashDot);
    EXPECT_EQ(q->GetDate(), ppBottomRight);
    EXPECT_EQ(q->GetTitle(), ppTopCenter);
    EXPECT_EQ(q->GetDateFormat(), "yyyy-mm-dd");
    EXPECT_EQ(q->GetTitleText(), "Muros = 3");
    EXPECT_EQ(q->GetLeftSize(), 250);
    EXPECT_EQ(q->GetFitToPage(), fpShrink);
    EXPECT_EQ(q->GetFont()->GetName(), "Courier");
    EXPECT_EQ(q->GetFont()->GetSize(), 14);
    EXPECT_EQ(q->GetFont()->GetStyle(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(q->GetHeaderFont()->GetColor(), static_cast<TColor>(0x123456));
    EXPECT_EQ(q->GetPagePrefix(), "Pág.");
    EXPECT_EQ(q->GetOrientation(), poLandscape);
    ASSERT_EQ(q->GetTitleLines()->GetCount(), 2);
    EXPECT_EQ(q->GetTitleLines()->GetText(), p->GetTitleLines()->GetText());
}

// Missing, unreadable and out-of-range values keep what the grid had; a print position out
// of range means none; a style read back adds to the font's own.
TEST_F(Ajustes, AjustesDeImpresionIlegibles) {
    Escribir("[P]\nColumnSpacing=mucho\nCentered=quizá\nBorders=12\nOrientation=2\n"
             "Date=9\nFontSize=\nFontStyle=2\nRowSpacing=33\n");
    Rejilla* g = Nueva(false);
    TPrintSettings* p = g->GetPrintSettings();
    p->SetColumnSpacing(5);
    p->SetCentered(true);
    p->SetBorders(pbDouble);
    p->SetOrientation(poLandscape);
    p->SetDate(ppTopLeft);
    p->SetTitle(ppTopRight);
    p->SetDateFormat("dd");
    p->GetFont()->SetSize(12);
    p->GetFont()->SetStyle({fsBold});
    g->LoadPrintSettings(archivo.c_str(), "P");
    EXPECT_EQ(p->GetColumnSpacing(), 5);
    EXPECT_TRUE(p->GetCentered());
    EXPECT_EQ(p->GetBorders(), pbDouble);
    EXPECT_EQ(p->GetOrientation(), poLandscape);
    EXPECT_EQ(p->GetDate(), ppNone);
    EXPECT_EQ(p->GetTitle(), ppTopRight);
    EXPECT_EQ(p->GetDateFormat(), "dd");
    EXPECT_EQ(p->GetFont()->GetSize(), 12);
    EXPECT_EQ(p->GetFont()->GetStyle(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(p->GetRowSpacing(), 33);
}

} // namespace
