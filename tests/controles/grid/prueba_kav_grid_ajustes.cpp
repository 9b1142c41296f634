// Column widths and column order of the advanced grid kept in an INI file or the per-user
// store: round trips after sizing and moving columns, a store without the grid's key, and
// stores cut short, written for another grid or edited by hand. Print settings and the
// visual-properties file: round trips, unreadable values, a file that cannot be read and a
// save that fails.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/base/reg_ini_file.h"
#include "tests/comun/variable_entorno.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
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
    std::string Leer() const {
        std::ostringstream s;
        s << std::ifstream(archivo).rdbuf();
        return s.str();
    }
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

// Widths are kept by real column, as the order is: a hidden column's width is saved, and
// widths and order loaded in either order give every column its own width.
TEST_F(Ajustes, AnchosYOrdenEnCualquierOrdenPorColumnaReal) {
    Rejilla* a = Nueva();
    for (int c = 0; c < 4; ++c)
        a->SetColWidths(c, 40 + 10 * c); // c0 40, c1 50, c2 60, c3 70
    a->MoveColumn(0, 2);                 // c1 c2 c0 c3
    a->HideColumn(3);                    // the last real column: c3, 70 wide
    a->SaveColSizes();
    a->SaveColPositions();
    const TIniFile ini(archivo.c_str());
    EXPECT_EQ(ini.ReadString("Rejilla", "Col3", ""), "70");
    // The real columns after the move: c1 c2 c0 c3.
    EXPECT_EQ(ini.ReadString("Rejilla", "Col0", ""), "50");
    EXPECT_EQ(ini.ReadString("Rejilla", "Col2", ""), "40");
    for (bool anchosPrimero : {true, false}) {
        SCOPED_TRACE(anchosPrimero);
        Rejilla* b = Nueva();
        if (anchosPrimero) b->LoadColSizes();
        b->LoadColPositions();
        if (!anchosPrimero) b->LoadColSizes();
        ASSERT_EQ(TextosColumnaFila(b), "c1 c2 c0 c3");
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(b->GetColWidths(c), 40 + 10 * std::stoi(b->GetCells(c, 0).str().substr(1)))
                << c;
    }
    // A grid with no hidden or moved columns writes what it always wrote.
    Rejilla* c = Nueva();
    c->SetColWidths(1, 77);
    c->SaveColSizes();
    EXPECT_EQ(TIniFile(archivo.c_str()).ReadString("Rejilla", "Col1", ""), "77");
}

// Inserting and removing columns keeps the recorded order one entry per column, on its
// column: ResetColumnOrder still puts the columns back, and the order saved loads again.
TEST_F(Ajustes, ColumnasNuevasOQuitadasEnElOrdenGuardado) {
    Rejilla* a = Nueva();
    a->MoveColumn(0, 3); // c1 c2 c3 c0
    a->InsertCols(1, 1); // c1 n c2 c3 c0
    a->SetCells(1, 0, "n");
    a->ResetColumnOrder();
    EXPECT_EQ(TextosColumnaFila(a), "c0 c1 n c2 c3");
    a->MoveColumn(4, 0); // c3 c0 c1 n c2
    a->RemoveCols(3, 1); // c3 c0 c1 c2
    ASSERT_EQ(TextosColumnaFila(a), "c3 c0 c1 c2");
    a->SaveColPositions();
    EXPECT_EQ(TIniFile(archivo.c_str()).ReadString("Rejilla", "Pos4", "no"), "no");
    Rejilla* b = Nueva();
    b->LoadColPositions();
    EXPECT_EQ(TextosColumnaFila(b), "c3 c0 c1 c2");
    a->ResetColumnOrder();
    EXPECT_EQ(TextosColumnaFila(a), "c0 c1 c2 c3");
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

TEST_F(Ajustes, AnchosYOrdenEnElAlmacenDelUsuario) {
    const std::string almacen = (carpeta / "registro-usuario.ini").string();
    VariableEntorno variable{"QUENBAR_REGISTRO_USUARIO", almacen.c_str()};
    auto nueva = [&] {
        Rejilla* g = Nueva(false);
        g->GetColumnSize()->SetLocation(clRegistry);
        g->GetColumnSize()->SetKey("Software\\Pruebas\\Rejilla");
        g->GetColumnSize()->SetSection("Columnas");
        return g;
    };
    Rejilla* a = nueva();
    a->SetColWidths(1, 93);
    a->SetColumnOrder();
    a->MoveColumn(0, 3);
    a->SaveColSizes();
    a->SaveColPositions();
    EXPECT_EQ(TRegIniFile("Software\\Pruebas\\Rejilla").ReadString("Columnas", "Col0", ""), "93");
    // Nothing goes to an INI file of that name.
    EXPECT_FALSE(std::filesystem::exists("Software\\Pruebas\\Rejilla"));

    Rejilla* b = nueva();
    b->LoadColPositions();
    b->LoadColSizes();
    EXPECT_EQ(TextosColumnaFila(b), TextosColumnaFila(a));
    EXPECT_EQ(Anchos(b), Anchos(a));
}

// A grid whose every visual property differs from a new grid's.
void CambiarAspecto(TKavStringGrid* g) {
    g->SetColor(clMoneyGreen);
    g->SetHintColor(TColor(0x123456));
    g->SetSelectionColor(clNavy);
    g->SetSelectionColorTo(clTeal);
    g->SetSelectionTextColor(clYellow);
    g->SetURLColor(clMaroon);
    g->SetURLShow(!g->GetURLShow());
    g->SetScrollColor(clSilver);
    g->SetActiveRowColor(clAqua);
    g->SetActiveRowShow(!g->GetActiveRowShow());
    g->SetActiveCellShow(!g->GetActiveCellShow());
    auto fuente = [](TFont* f, TColor Color, TFontStyles Estilo, int Tamano, const char* Nombre) {
        f->SetColor(Color);
        f->SetStyle(Estilo);
        f->SetSize(Tamano);
        f->SetName(Nombre);
    };
    fuente(g->GetFont(), clRed, {fsBold, fsStrikeOut}, 13, "DejaVu Serif");
    g->SetActiveCellColor(clLime);
    g->SetActiveCellColorTo(clFuchsia);
    fuente(g->GetActiveCellFont(), clBlue, {fsItalic}, 15, "DejaVu Sans Mono");
    fuente(g->GetFixedFont(), clNavy, {fsUnderline}, 7, "DejaVu Sans");
    g->GetBalloon()->SetBackgroundColor(clInfoBk);
    g->GetBalloon()->SetTextColor(clBlue);
    g->GetBalloon()->SetTransparency(40);
    g->GetBands()->SetPrimaryColor(clCream);
    g->GetBands()->SetSecondaryColor(clSkyBlue);
    g->GetBands()->SetActive(true);
    g->GetSortSettings()->SetIndexColor(clOlive);
    g->GetFloatingFooter()->SetColor(clGray);
    TControlLook* l = g->GetControlLook();
    l->SetCheckSize(19);
    l->SetColor(clPurple);
    l->SetCommentColor(clGreen);
    l->SetControlStyle(csGlyph);
    l->SetFixedGradientFrom(clWhite);
    l->SetFixedGradientTo(clBtnShadow);
    l->SetRadioSize(12);
    l->SetFlatButton(true);
    l->SetProgressBorderColor(clBlack);
    l->SetProgressXP(true);
    g->SetLook(glListView);
    g->GetSearchFooter()->SetColor(clBtnFace);
    g->GetSearchFooter()->SetColorTo(clNone);
    g->SetGridLineColor(clDkGray);
    TGrouping* gr = g->GetGrouping();
    gr->SetHeaderColor(TColor(1));
    gr->SetHeaderColorTo(TColor(2));
    gr->SetHeaderTextColor(TColor(3));
    gr->SetHeaderUnderline(true);
    gr->SetHeaderLineColor(TColor(4));
    gr->SetHeaderLineWidth(5);
    gr->SetSummaryColor(TColor(6));
    gr->SetSummaryColorTo(TColor(7));
    gr->SetSummaryTextColor(TColor(8));
    gr->SetSummaryLine(true);
    gr->SetSummaryLineColor(TColor(9));
    gr->SetSummaryLineWidth(3);
    TBackGround* bg = g->GetBackGround();
    bg->SetTop(4);
    bg->SetLeft(6);
    bg->SetDisplay(bdGradientVert);
    bg->SetCells(bcAll);
    bg->SetColor(clRed);
    bg->SetColorTo(clBlue);
}

TEST_F(Ajustes, AspectoIdaYVuelta) {
    Rejilla* a = Nueva(false);
    const std::string nuevo = (carpeta / "nuevo.txt").string();
    a->SaveVisualProps(nuevo.c_str());
    CambiarAspecto(a);
    a->SaveVisualProps(archivo.c_str());
    const std::string texto = Leer();
    // Every line changed, in the file's order and forms.
    std::ifstream f(nuevo);
    std::string antes((std::istreambuf_iterator<char>(f)), {});
    EXPECT_EQ(std::count(texto.begin(), texto.end(), '\n'), 65);
    EXPECT_EQ(texto.substr(0, 44), "Color=clMoneyGreen\r\nHintColor=$00123456\r\nSel");
    EXPECT_NE(texto.find("\r\nFont.Color=clRed\r\nFont.Style=fsBold,fsStrikeOut\r\n"
                         "Font.Size=13\r\nFont.Name=DejaVu Serif\r\n"),
              std::string::npos);
    EXPECT_NE(texto.find("\r\nLook=glListView\r\n"), std::string::npos);
    EXPECT_NE(texto.find("\r\nURLShow=true\r\n"), std::string::npos);
    EXPECT_TRUE(texto.ends_with("BackGround.Color=clRed\r\nBackGround.ColorTo=clBlue\r\n"));
    std::istringstream la(antes), lb(texto);
    int distintas = 0;
    for (std::string x, y; std::getline(la, x) && std::getline(lb, y);) {
        EXPECT_EQ(x.substr(0, x.find('=')), y.substr(0, y.find('=')));
        distintas += x != y;
    }
    EXPECT_EQ(distintas, 65);

    // Read into a new grid, it writes the same file back.
    Rejilla* b = Nueva(false);
    b->LoadVisualProps(archivo.c_str());
    EXPECT_EQ(b->GetFont()->GetStyle(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(b->GetControlLook()->GetControlStyle(), csGlyph);
    EXPECT_EQ(b->GetBalloon()->GetTransparency(), 40);
    EXPECT_EQ(b->GetSearchFooter()->GetColorTo(), clNone);
    const std::string otro = (carpeta / "otro.txt").string();
    b->SaveVisualProps(otro.c_str());
    std::ifstream fo(otro);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(fo)), {}), texto);
}

TEST_F(Ajustes, AspectoIlegibleOMinusculas) {
    // Names in any case; what is missing or does not read leaves the property.
    Escribir("color=clRed\nballoon.backgroundcolor=clLime\nHintColor=clNoExiste\n"
             "URLShow=quizá\nActiveCellShow=FALSE\nControlLook.CheckSize=muchos\n"
             "ControlLook.ControlStyle=csNada\nlook=GLSOFT\nFont.Style=fsBold,fsNada\n"
             "Font.Size=\nFixedFont.Style=fsItalic\nBalloon.Transparency=300\n"
             "BackGround.Display=bdFixed\nBands.Active");
    Rejilla* g = Nueva(false);
    g->SetHintColor(clAqua);
    g->SetURLShow(true);
    g->SetActiveCellShow(true);
    g->GetFont()->SetStyle({fsItalic});
    g->GetFont()->SetSize(11);
    g->GetBalloon()->SetTransparency(9);
    g->GetBands()->SetActive(true);
    const TGridControlStyle estilo = g->GetControlLook()->GetControlStyle();
    const int casilla = g->GetControlLook()->GetCheckSize();
    g->LoadVisualProps(archivo.c_str());
    EXPECT_EQ(g->GetColor(), clRed);
    EXPECT_EQ(g->GetBalloon()->GetBackgroundColor(), clLime);
    EXPECT_EQ(g->GetHintColor(), clAqua);
    EXPECT_TRUE(g->GetURLShow());
    EXPECT_FALSE(g->GetActiveCellShow());
    EXPECT_EQ(g->GetControlLook()->GetCheckSize(), casilla);
    EXPECT_EQ(g->GetControlLook()->GetControlStyle(), estilo);
    EXPECT_EQ(g->GetLook(), glSoft);
    EXPECT_EQ(g->GetFont()->GetStyle(), (TFontStyles{fsItalic}));
    EXPECT_EQ(g->GetFont()->GetSize(), 11);
    EXPECT_EQ(g->GetFixedFont()->GetStyle(), (TFontStyles{fsItalic}));
    EXPECT_EQ(g->GetBalloon()->GetTransparency(), 9);
    EXPECT_EQ(g->GetBackGround()->GetDisplay(), bdFixed);
    EXPECT_TRUE(g->GetBands()->GetActive());
}

TEST_F(Ajustes, AspectoSinFicheroOGuardadoFallido) {
    Rejilla* g = Nueva(false);
    const std::string falta = (carpeta / "falta.txt").string();
    try {
        g->LoadVisualProps(falta.c_str());
        ADD_FAILURE() << "sin excepción";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, ("Cannot open file " + falta).c_str());
    }
    // A save that fails keeps the old file whole.
    Escribir("Color=clRed\n");
    for (FileWriter::Failure fallo : {FileWriter::Failure::Write, FileWriter::Failure::Close}) {
        FileWriter::InjectFailureForTests(fallo);
        try {
            g->SaveVisualProps(archivo.c_str());
            ADD_FAILURE() << "sin excepción";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, ("Cannot Create " + archivo).c_str());
        }
        EXPECT_EQ(Leer(), "Color=clRed\n");
    }
    const std::string sinCarpeta = (carpeta / "no" / "hay.txt").string();
    EXPECT_THROW(g->SaveVisualProps(sinCarpeta.c_str()), EKavGridError);
}

} // namespace
