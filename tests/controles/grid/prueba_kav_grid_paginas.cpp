// The grid's page builder: grids of several shapes on sheets of both orientations with the
// print options, against a plain model of the pages (bands of columns, rows into pages);
// the calculation pass against the drawing pass; column offsets, fit to page, the events,
// overwide columns and overtall rows; header and footer texts; preview and a page drawn on
// a caller's canvas.

#include "controles/grid/kav_grid.h"
#include "controles/grid/print/print_layout.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "plataforma/gui/services/capture.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/controles/grid/vista_previa_prueba.h"
#include "tests/plataforma/gui/canvas_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

// The text height of "gh" in a font mapped to tenths of a millimetre, as a page measures.
int AlturaTexto(TFont* Font) {
    TRecordingCanvas c(10, 10);
    SetMapMode(c.GetHandle(), MM_LOMETRIC);
    c.SetFont(Font);
    c.GetFont()->SetHeight(-static_cast<int>(Font->GetSize() * 254.0 / 72.0));
    return c.TextHeight("gh");
}

struct Forma {
    int filas, cols, fijasF, fijasC;
};

struct Opciones {
    const char* nombre;
    bool repFilas = false, repCols = false, soloSeleccion = false, centrado = true;
    TFitToPage ajuste = fpNever;
};

// What the model says: the first row of every page after the first of a band (and the end
// of the rows closing each band), band after band; the number of pages.
struct Paginas {
    std::vector<int> cortes;
    int total = 0;
};

constexpr int kAncho = 300, kAlto = 60; // every column and row, in tenths of a millimetre
const TGridRect kSeleccion{2, 5, 7, 60};

Paginas Modelo(const Forma& f, const Opciones& o, int ancho, int alto, int hueco, int pie) {
    auto colImpresa = [&](int c) {
        return !o.soloSeleccion || (c >= kSeleccion.Left && c <= kSeleccion.Right);
    };
    auto filaImpresa = [&](int r) {
        return !o.soloSeleccion || (r >= kSeleccion.Top && r <= kSeleccion.Bottom);
    };
    int impresas = 0;
    for (int c = 0; c < f.cols; ++c)
        impresas += colImpresa(c) ? 1 : 0;
    int w = kAncho;
    if (o.ajuste != fpNever && impresas > 0) {
        double escala = ancho / static_cast<double>(impresas * kAncho);
        if (o.ajuste == fpShrink) escala = std::min(escala, 1.0);
        w = static_cast<int>(kAncho * escala);
    }
    // Bands of columns.
    int bandas = 0;
    for (int primera = 0; primera < f.cols;) {
        const bool fijas = o.repCols && primera > 0 && f.fijasC > 0 && primera >= f.fijasC;
        int x = fijas ? f.fijasC * w : 0, c = primera;
        for (; c < f.cols; ++c) {
            const int suma = colImpresa(c) ? w : 0;
            if (x + suma > ancho && c > primera) break;
            x += suma;
        }
        ++bandas;
        primera = c;
    }
    // Rows into pages: a page takes the next row while what it holds and that row's height
    // stay within the sheet less the footer.
    const int d = kAlto + kAlto / 8 + 2 * hueco;
    const int util = alto - pie;
    std::vector<int> filas;
    for (int r = 0; r < f.filas; ++r)
        if (filaImpresa(r)) filas.push_back(r);
    std::vector<int> cortes;
    int paginas = 0;
    size_t i = 0;
    do {
        int usado = 0;
        if (paginas > 0 && o.repFilas && f.fijasF > 0) usado += f.fijasF * d;
        if (i < filas.size()) {
            usado += d;
            ++i;
        }
        while (i < filas.size() && usado + kAlto <= util) {
            usado += d;
            ++i;
        }
        ++paginas;
        cortes.push_back(i < filas.size() ? filas[i] : f.filas);
    } while (i < filas.size());
    Paginas p;
    for (int b = 0; b < bandas; ++b)
        p.cortes.insert(p.cortes.end(), cortes.begin(), cortes.end());
    p.total = bandas * paginas;
    return p;
}

class Paginacion : public testing::Test {
protected:
    VentanaPrueba ventana;
    Rejilla* g = new Rejilla(&ventana, &ventana);
    TBitmap hoja;
    void SetUp() override { hoja.SetSize(400, 300); }
    void Preparar(const Forma& f, const Opciones& o) {
        g->SetColCount(f.cols);
        g->SetRowCount(f.filas);
        g->SetFixedRows(std::min(f.fijasF, f.filas - 1));
        g->SetFixedCols(std::min(f.fijasC, f.cols - 1));
        for (int r = 0; r < f.filas; ++r)
            for (int c = 0; c < f.cols; ++c)
                g->SetCells(c, r, AnsiString(std::to_string(c) + ":" + std::to_string(r)));
        TPrintSettings* s = g->GetPrintSettings();
        s->SetUseFixedWidth(true);
        s->SetFixedWidth(kAncho);
        s->SetUseFixedHeight(true);
        s->SetFixedHeight(kAlto);
        s->SetRepeatFixedRows(o.repFilas);
        s->SetRepeatFixedCols(o.repCols);
        s->SetCentered(o.centrado);
        s->SetFitToPage(o.ajuste);
        if (o.soloSeleccion) g->SetSelection(kSeleccion);
    }
};

TEST_F(Paginacion, TablaDeFormasHojasYOpcionesContraElModelo) {
    const Forma formas[] = {{1, 1, 0, 0}, {40, 3, 1, 1}, {200, 12, 1, 1}, {97, 25, 2, 2}};
    const Opciones opciones[] = {
        {"nada"},
        {"filas fijas", true},
        {"columnas fijas", false, true},
        {"filas y columnas fijas", true, true},
        {"ajustar", false, false, false, true, fpAlways},
        {"encoger", true, true, false, true, fpShrink},
        {"solo seleccion", true, true, true},
        {"sin centrar", false, true, false, false},
    };
    struct Hoja {
        const char* nombre;
        int ancho, alto;
    };
    const Hoja hojas[] = {{"vertical", 2100, 2970}, {"apaisada", 2970, 2100}};
    const int hueco = AlturaTexto(g->GetPrintSettings()->GetFont()) / 8;
    const int pie = hueco + AlturaTexto(g->GetPrintSettings()->GetFooterFont());

    for (const Forma& f : formas)
        for (const Opciones& o : opciones)
            for (const Hoja& h : hojas) {
                if (o.soloSeleccion && (f.filas <= kSeleccion.Bottom || f.cols <= kSeleccion.Right))
                    continue;
                Preparar(f, o);
                const std::string caso = std::to_string(f.filas) + "x" + std::to_string(f.cols) +
                                         " " + o.nombre + " " + h.nombre;
                TPrintLayout& l = g->PrintLayout();
                l.PrintRange = {0, 0, f.cols - 1, f.filas - 1};
                l.PageRect = TRect(0, 0, h.ancho, h.alto);
                TCanvas* c = hoja.GetCanvas();
                const int contadas = g->BuildPages(c, prCalcPrint, -1, o.soloSeleccion);
                EXPECT_EQ(contadas, Modelo(f, o, h.ancho, h.alto, hueco, pie).total) << caso;

                // A preview: its sheet is a rectangle in device units, which the build
                // turns into tenths of a millimetre; counting and drawing agree.
                const TRect dispositivo(0, 0, h.ancho * 96 / 254, h.alto * 96 / 254);
                l.PageRect = dispositivo;
                const int previstas = g->BuildPages(c, prCalcPreview, -1, o.soloSeleccion);
                const int anchoPrevio = l.PageRect.Right - l.PageRect.Left;
                const int altoPrevio = l.PageRect.Top - l.PageRect.Bottom;
                const Paginas m = Modelo(f, o, anchoPrevio, altoPrevio, hueco, pie);
                EXPECT_EQ(previstas, m.total) << caso;

                std::vector<int> cortes;
                std::set<int> anunciadas;
                g->OnPrintPageDone = [&](TObject*, TCanvas*, int LastRow, int, int, int, int) {
                    cortes.push_back(LastRow);
                };
                g->OnPrintPage = [&](TObject*, TCanvas*, int PageNr, int, int) {
                    anunciadas.insert(PageNr);
                };
                l.PageRect = dispositivo;
                l.FromPage = 1;
                l.ToPage = 1000;
                EXPECT_EQ(g->BuildPages(c, prPreview, previstas, o.soloSeleccion), previstas)
                    << caso;
                EXPECT_EQ(cortes, m.cortes) << caso;
                EXPECT_EQ(static_cast<int>(anunciadas.size()), previstas) << caso;
                EXPECT_EQ(*anunciadas.rbegin(), previstas) << caso;
                g->OnPrintPageDone = nullptr;
                g->OnPrintPage = nullptr;
            }
}

} // namespace

namespace {

// A grid of Filas x Cols with fixed sizes on paper, columns of Ancho and rows of Alto.
void Rellenar(Rejilla* g, int Filas, int Cols, int Ancho, int Alto) {
    g->SetColCount(Cols);
    g->SetRowCount(Filas);
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    for (int r = 0; r < Filas; ++r)
        for (int c = 0; c < Cols; ++c)
            g->SetCells(c, r, AnsiString("c" + std::to_string(c) + "f" + std::to_string(r)));
    TPrintSettings* s = g->GetPrintSettings();
    s->SetUseFixedWidth(true);
    s->SetFixedWidth(Ancho);
    s->SetUseFixedHeight(true);
    s->SetFixedHeight(Alto);
}

// Counts pages for a sheet of Ancho x Alto tenths of a millimetre.
int Contar(Rejilla* g, TCanvas* c, int Ancho, int Alto) {
    TPrintLayout& l = g->PrintLayout();
    l.PrintRange = {0, 0, g->GetColCount() - 1, g->GetRowCount() - 1};
    l.PageRect = TRect(0, 0, Ancho, Alto);
    return g->BuildPages(c, prCalcPrint, -1, false);
}

TEST_F(Paginacion, DesplazamientosCentradosConMargenYColumnasFijasRepetidas) {
    Rellenar(g, 3, 5, 300, 60);
    TCanvas* c = hoja.GetCanvas();
    // One band of 1500 centred on 2100: it starts at 300.
    EXPECT_EQ(Contar(g, c, 2100, 2970), 1);
    for (int k = 0; k <= 5; ++k)
        EXPECT_EQ(g->GetPrintColOffset(k), 300 + 300 * k) << k;
    EXPECT_EQ(g->GetPrintColWidth(4), 300);
    // Not centred: from the left margin.
    g->GetPrintSettings()->SetCentered(false);
    g->GetPrintSettings()->SetLeftSize(100);
    Contar(g, c, 2100, 2970);
    EXPECT_EQ(g->GetPrintColOffset(0), 100);
    EXPECT_EQ(g->GetPrintColOffset(5), 1600);

    // Twelve columns, the first fixed and repeated: the second band (7 to 11) opens with
    // column 0; 1800 wide, centred by 150.
    Rellenar(g, 3, 12, 300, 60);
    g->SetFixedCols(1);
    g->GetPrintSettings()->SetCentered(true);
    g->GetPrintSettings()->SetRepeatFixedCols(true);
    EXPECT_EQ(Contar(g, c, 2100, 2970), 2);
    EXPECT_EQ(g->GetPrintColOffset(0), 150);
    EXPECT_EQ(g->GetPrintColOffset(7), 450);
    EXPECT_EQ(g->GetPrintColOffset(12), 1950);
}

TEST_F(Paginacion, AjusteALaPaginaYAnchosDelUsuario) {
    TCanvas* c = hoja.GetCanvas();
    TPrintSettings* s = g->GetPrintSettings();
    struct Caso {
        TFitToPage ajuste;
        int cols, ancho; // each column's width after the build
    };
    for (const Caso& k : {Caso{fpShrink, 2, 300}, Caso{fpGrow, 2, 1050}, Caso{fpAlways, 2, 1050},
                          Caso{fpShrink, 14, 150}, Caso{fpGrow, 14, 300}, Caso{fpNever, 14, 300}}) {
        Rellenar(g, 2, k.cols, 300, 60);
        s->SetFitToPage(k.ajuste);
        Contar(g, c, 2100, 2970);
        EXPECT_EQ(g->GetPrintColWidth(0), k.ancho) << k.ajuste << " " << k.cols;
    }
    // fpCustom asks; refused, the widths stay.
    Rellenar(g, 2, 2, 300, 60);
    s->SetFitToPage(fpCustom);
    double pedida = 0;
    bool permitir = false;
    g->OnFitToPage = [&](TObject*, double& Scale, bool& Allow) {
        pedida = Scale;
        Allow = permitir;
    };
    Contar(g, c, 2100, 2970);
    EXPECT_DOUBLE_EQ(pedida, 3.5);
    EXPECT_EQ(g->GetPrintColWidth(1), 300);
    permitir = true;
    Contar(g, c, 2100, 2970);
    EXPECT_EQ(g->GetPrintColWidth(1), 1050);
    // Columns all 0 wide keep the scale: nothing is asked.
    pedida = 0;
    s->SetFixedWidth(0);
    Contar(g, c, 2100, 2970);
    EXPECT_EQ(pedida, 0);
    EXPECT_EQ(g->GetPrintColWidth(1), 0);
    g->OnFitToPage = nullptr;
    // The program's own widths, then the bands follow them.
    s->SetFitToPage(fpNever);
    s->SetFixedWidth(300);
    g->OnPrintSetColumnWidth = [](TObject*, int ACol, int& Width) {
        if (ACol == 1) Width = 2000;
    };
    EXPECT_EQ(Contar(g, c, 2100, 2970), 2);
    EXPECT_EQ(g->GetPrintColWidth(1), 2000);
    g->OnPrintSetColumnWidth = nullptr;
}

TEST_F(Paginacion, ColumnaMasAnchaYFilaMasAltaQueLaHojaTerminan) {
    TCanvas* c = hoja.GetCanvas();
    // Each column wider than the sheet is a band of its own.
    Rellenar(g, 4, 3, 3000, 60);
    EXPECT_EQ(Contar(g, c, 2100, 2970), 3);
    // Each row taller than the sheet is a page of its own.
    Rellenar(g, 3, 2, 300, 4000);
    EXPECT_EQ(Contar(g, c, 2100, 2970), 3);
    // One band, then a second after a column that alone takes the sheet.
    Rellenar(g, 1, 3, 300, 60);
    g->OnPrintSetColumnWidth = [](TObject*, int ACol, int& Width) {
        if (ACol == 1) Width = 5000;
    };
    EXPECT_EQ(Contar(g, c, 2100, 2970), 3);
    g->OnPrintSetColumnWidth = nullptr;
}

class RejillaAvisos : public Rejilla {
public:
    using Rejilla::Rejilla;
    std::vector<std::pair<int, int>> avisos;
    void ExportNotification(int AState, int ARow) override { avisos.push_back({AState, ARow}); }
};

TEST(PaginacionEventos, SaltosForzadosCancelacionYPasadasDeCalculo) {
    VentanaPrueba ventana;
    auto* g = new RejillaAvisos(&ventana, &ventana);
    Rellenar(g, 10, 2, 300, 60);
    TBitmap hoja;
    hoja.SetSize(100, 100);
    TCanvas* c = hoja.GetCanvas();
    int paginasAnunciadas = 0, terminadas = 0, nuevas = 0;
    g->OnPrintPage = [&](TObject*, TCanvas*, int, int, int) { ++paginasAnunciadas; };
    g->OnPrintPageDone = [&](TObject*, TCanvas*, int, int, int, int, int) { ++terminadas; };
    g->OnPrintNewPage = [&](TObject*, int ARow, bool& NewPage) {
        ++nuevas;
        NewPage = ARow == 3 || ARow == 7; // after rows 2 and 6
    };
    // The calculation pass: no page events, but the forced breaks count.
    EXPECT_EQ(Contar(g, c, 2100, 2970), 3);
    EXPECT_EQ(paginasAnunciadas, 0);
    EXPECT_EQ(terminadas, 0);
    EXPECT_EQ(nuevas, 10);
    // Every row visited once, reported as a row of the whole grid.
    ASSERT_EQ(g->avisos.size(), 10u);
    EXPECT_EQ(g->avisos[0], std::make_pair(int(esExportNewRow), 0));
    EXPECT_EQ(g->avisos[9], std::make_pair(int(esExportNewRow), 9));

    // Cancelled at the end of the second page: two pages, rows 7 on never visited.
    g->avisos.clear();
    g->OnPrintCancel = [&](TObject*, int PageNr, bool& Cancel) { Cancel = PageNr == 2; };
    TPrintLayout& l = g->PrintLayout();
    l.PrintRange = {0, 2, 1, 9};
    l.PageRect = TRect(0, 0, 400, 300);
    l.FromPage = 1;
    l.ToPage = 9;
    EXPECT_EQ(g->BuildPages(c, prPreview, 3, false), 2);
    EXPECT_EQ(terminadas, 2);
    ASSERT_FALSE(g->avisos.empty());
    EXPECT_EQ(g->avisos.back(), std::make_pair(int(esExportSelRow), 6)); // part of the grid
}

// Every page of the whole grid drawn as a preview of 300 x 300 on C.
void DibujarVistaPrevia(Rejilla* g, TRecordingCanvas& c, int PageCount) {
    TPrintLayout& l = g->PrintLayout();
    l.PrintRange = {0, 0, g->GetColCount() - 1, g->GetRowCount() - 1};
    l.PageRect = TRect(0, 0, 300, 300);
    l.FromPage = 1;
    l.ToPage = 99;
    g->BuildPages(&c, prPreview, PageCount, false);
}

// The texts drawn with TextOut: the header and footer (cells are drawn with TextRect).
std::vector<std::string> TextosSueltos(TRecordingCanvas& c) {
    std::vector<std::string> out;
    for (const TCanvasCall& k : c.Recorder().Calls("TextOut", true))
        out.push_back(k.Text.str());
    return out;
}

bool Alguno(const std::vector<std::string>& textos, const std::string& patron) {
    return std::any_of(textos.begin(), textos.end(),
                       [&](const std::string& t) { return t.find(patron) != std::string::npos; });
}

TEST(PaginacionCabeceras, HoraFechaNumerosDePaginaYBandas) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    Rellenar(g, 4, 2, 300, 60);
    TPrintSettings* s = g->GetPrintSettings();
    std::vector<TCanvasCall> llamadas;
    auto dibujar = [&](int PageCount) {
        TRecordingCanvas c(300, 300);
        DibujarVistaPrevia(g, c, PageCount);
        llamadas = c.Recorder().Calls("TextOut");
        return TextosSueltos(c);
    };
    auto coincide = [](const std::string& t, const std::string& forma) {
        if (t.size() != forma.size()) return false;
        for (size_t i = 0; i < t.size(); ++i)
            if (forma[i] == '9' ? !std::isdigit(static_cast<unsigned char>(t[i]))
                                : t[i] != forma[i])
                return false;
        return true;
    };
    s->SetTime(ppTopLeft);
    s->SetDate(ppTopLeft);
    std::vector<std::string> t = dibujar(-1);
    ASSERT_FALSE(t.empty());
    EXPECT_TRUE(coincide(t[0], "99/99/9999 99:99 ")) << t[0];
    s->SetTime(ppTopRight);
    s->SetDate(ppTopRight);
    t = dibujar(-1);
    ASSERT_FALSE(t.empty());
    EXPECT_TRUE(coincide(t[0], " 99:99 99/99/9999")) << t[0];
    s->SetTime(ppNone);
    s->SetDate(ppNone);

    // Page numbers: "1/7", with offsets "11/17"; alone without a total.
    s->SetPageNr(ppBottomRight);
    EXPECT_TRUE(Alguno(dibujar(7), " 1/7 ")) << dibujar(7)[0];
    s->SetPageNumberOffset(10);
    s->SetMaxPagesOffset(10);
    EXPECT_TRUE(Alguno(dibujar(7), " 11/17 "));
    EXPECT_FALSE(Alguno(dibujar(-1), "/"));
    s->SetPageNumberOffset(0);
    s->SetMaxPagesOffset(0);

    // Wider than a sheet (300 = 79 device pixels of a 300 x 300 preview is 794 tenths):
    // page within the band, "-", band, whatever the separator.
    Rellenar(g, 30, 4, 300, 60);
    t = dibujar(6);
    for (const char* n : {" 1-1 ", " 2-1 ", " 1-2 ", " 2-2 "})
        EXPECT_TRUE(Alguno(t, n)) << n;
    EXPECT_FALSE(Alguno(t, "/"));

    // The title and its further lines in the footer.
    s->SetPageNr(ppNone);
    s->SetTitle(ppBottomCenter);
    s->SetTitleText("Listado");
    t = dibujar(-1);
    EXPECT_TRUE(Alguno(t, " Listado"));
    s->GetTitleLines()->Add("Primera");
    s->GetTitleLines()->Add("Segunda");
    t = dibujar(-1);
    // The title text first, the first line after it on the same line.
    EXPECT_TRUE(Alguno(t, " Listado Primera"));
    EXPECT_TRUE(Alguno(t, "Segunda"));
    EXPECT_FALSE(Alguno(t, "Listado Segunda"));
    s->SetTitleText("");
    EXPECT_TRUE(Alguno(dibujar(-1), " Primera"));
    // Markup title lines are drawn as markup: their tags style the text and never show.
    s->GetTitleLines()->Clear();
    s->GetTitleLines()->Add("<b>Obra</b> <font color=\"clRed\">nueva</font>");
    dibujar(-1);
    t.clear();
    for (const TCanvasCall& k : llamadas)
        t.push_back(k.Text.str());
    EXPECT_FALSE(Alguno(t, "<")) << ::testing::PrintToString(t);
    auto llamada = [&](const std::string& texto) {
        for (const TCanvasCall& k : llamadas)
            if (k.Text.str().find(texto) != std::string::npos) return k;
        ADD_FAILURE() << texto << " no dibujado: " << ::testing::PrintToString(t);
        return TCanvasCall();
    };
    const TCanvasCall obra = llamada("Obra"), nueva = llamada("nueva");
    EXPECT_TRUE(obra.FontBold);
    EXPECT_FALSE(nueva.FontBold);
    EXPECT_EQ(nueva.TextColor, RGB(255, 0, 0));
    EXPECT_EQ(obra.TextColor, RGB(0, 0, 0));
    // Same line, one after the other, at the title font's size on paper.
    ASSERT_EQ(obra.Args.size(), 2u);
    ASSERT_EQ(nueva.Args.size(), 2u);
    EXPECT_GT(nueva.Args[0], obra.Args[0]);
    EXPECT_NEAR(nueva.Args[1], obra.Args[1], 1);
    EXPECT_EQ(obra.FontPixelSize, nueva.FontPixelSize);
}

// The page border closes half a line gap under the last row, whichever border draws it.
TEST(PaginacionBordes, ElBordeCierraMedioHuecoBajoLaUltimaFila) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    Rellenar(g, 3, 2, 300, 60);
    TPrintSettings* s = g->GetPrintSettings();
    const int hueco = AlturaTexto(s->GetFont()) / 8;
    ASSERT_GT(hueco / 2, 0);
    std::vector<int> finales;
    g->OnPrintPageDone = [&](TObject*, TCanvas*, int, int y, int, int, int) {
        finales.push_back(y);
    };
    for (TPrintBorders borde : {pbAround, pbHorizontal, pbDouble}) {
        SCOPED_TRACE(borde);
        s->SetBorders(borde);
        finales.clear();
        TRecordingCanvas c(300, 300);
        DibujarVistaPrevia(g, c, -1);
        ASSERT_EQ(finales.size(), 1u);
        const bool rectangulo = borde == pbAround;
        std::vector<int> abajo;
        for (const TCanvasCall& k : c.Recorder().Calls(rectangulo ? "Rectangle" : "LineTo"))
            if (k.PenWidth == (borde == pbDouble ? 10 : 2) && k.Args.size() >= 2)
                abajo.push_back(rectangulo ? k.Args[3] : k.Args[1]);
        // The border is drawn last, after the rows' own lines.
        ASSERT_FALSE(abajo.empty());
        EXPECT_EQ(abajo.back(), finales[0] + hueco / 2);
    }
}

TEST(PaginacionVistaPrevia, PaginaFueraDeCuentaYUnaSolaPaginaEnElLienzo) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    Rellenar(g, 60, 2, 300, 60);
    TRecordingCanvas c(300, 400);
    // A fresh grid previews page 1; page 2 shows other rows; page 9 nothing at all.
    g->PrintPreview(&c, TRect(0, 0, 300, 400));
    const int paginas = g->PrintLayout().PageCount;
    EXPECT_GT(paginas, 2);
    auto textos = [&] {
        std::set<std::string> s;
        for (const TCanvasCall& k : c.Recorder().Calls("TextRect", true))
            s.insert(k.Text.str());
        return s;
    };
    EXPECT_TRUE(textos().count("c0f0"));
    c.Recorder().Clear();
    g->SetPreviewPage(2);
    g->PrintPreview(&c, TRect(0, 0, 300, 400));
    EXPECT_FALSE(textos().count("c0f0"));
    EXPECT_FALSE(textos().empty());
    c.Recorder().Clear();
    g->SetPreviewPage(paginas + 1);
    g->PrintPreview(&c, TRect(0, 0, 300, 400));
    EXPECT_EQ(c.Recorder().Count("TextRect") + c.Recorder().Count("TextOut") +
                  c.Recorder().Count("Rectangle") + c.Recorder().Count("LineTo"),
              0);

    // PrintDrawRect: page 1 only, inside the rectangle, whatever the preview page was.
    TRecordingCanvas d(400, 400);
    d.GetBrush()->SetColor(clWhite);
    int anunciadas = 0;
    g->OnPrintPage = [&](TObject*, TCanvas*, int, int, int) { ++anunciadas; };
    g->PrintDrawRect(&d, TRect(50, 20, 350, 380), TGridRect{0, 0, 1, 59});
    g->OnPrintPage = nullptr;
    EXPECT_EQ(anunciadas, 1);
    std::set<std::string> dibujados;
    for (const TCanvasCall& k : d.Recorder().Calls("TextRect", true))
        dibujados.insert(k.Text.str());
    EXPECT_TRUE(dibujados.count("c1f0"));
    EXPECT_FALSE(dibujados.count("c1f59"));
    SetMapMode(d.GetHandle(), MM_TEXT);
    // Nothing outside the rectangle: its left strip and bottom strip stay white.
    for (int y = 0; y < 400; y += 3)
        for (int x = 0; x < 50; x += 3)
            ASSERT_EQ(d.GetPixels(x, y), clWhite) << x << "," << y;
    for (int x = 0; x < 400; x += 3)
        ASSERT_EQ(d.GetPixels(x, 390), clWhite) << x;
    EXPECT_EQ(g->PrintLayout().FromPage, 1);
    EXPECT_EQ(GetMapMode(d.GetHandle()), MM_TEXT);
}

} // namespace

namespace {

// A wide cell prints its own characters, measured as they are drawn, never the bytes the
// cell keeps them in.
TEST(PaginacionCeldasAnchas, SeImprimenSusCaracteres) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    Rellenar(g, 2, 2, 300, 60);
    g->GetPrintSettings()->SetUseFixedWidth(false);
    g->SetCells(0, 1, "Omega ano");
    g->SetWideCells(1, 1, WideString(u"\u03A9mega a\u00F1o"));
    TRecordingCanvas c(300, 300);
    DibujarVistaPrevia(g, c, -1);
    std::vector<std::string> textos, anchos;
    for (const char* nombre : {"TextRect", "TextOut", "ExtTextOut"})
        for (const TCanvasCall& k : c.Recorder().Calls(nombre))
            (std::string(nombre) == "ExtTextOut" ? anchos : textos).push_back(k.Text.str());
    EXPECT_FALSE(Alguno(textos, "|\\")) << ::testing::PrintToString(textos);
    EXPECT_FALSE(Alguno(anchos, "|\\")) << ::testing::PrintToString(anchos);
    EXPECT_TRUE(Alguno(anchos, "mega a\xF1o")) << ::testing::PrintToString(anchos);
    // Its column as wide as the one holding nearly the same text in 8 bits.
    const int ocho = g->GetPrintColWidth(0), ancha = g->GetPrintColWidth(1);
    EXPECT_LT(std::abs(ancha - ocho), ocho / 5) << ocho << " " << ancha;
}

TEST(PaginacionVistaPrevia, CapturaDeDosPaginas) {
    VentanaPrueba ventana;
    ventana.SetBounds(0, 0, 680, 500);
    auto* g = new Rejilla(&ventana, &ventana);
    g->SetVisible(false);
    g->SetColCount(5);
    g->SetRowCount(60);
    const char* materiales[] = {"Ladrillo", "Mortero", "Lana mineral", "Yeso", "Hormigón"};
    g->SetCells(1, 0, "Material");
    g->SetCells(2, 0, "Espesor (m)");
    g->SetCells(3, 0, "Lambda");
    g->SetCells(4, 0, "Notas");
    for (int r = 1; r < 60; ++r) {
        g->SetCells(0, r, AnsiString(std::to_string(r)));
        g->SetCells(1, r, materiales[r % 5]);
        g->SetCells(2, r, AnsiString("0," + std::to_string(10 + r)));
        g->SetCells(3, r, AnsiString("0," + std::to_string(300 + 7 * r)));
    }
    g->SetCells(4, 3, "Dos líneas\r\nde nota");
    g->SetMultilinecells(true);
    g->AddCheckBox(4, 5, true, false);
    g->AddCheckBox(4, 6, false, false);
    g->SetColors(2, 7, clYellow);
    g->AddRotated(4, 9, 90, "Girado");
    g->SetCells(4, 11, "<b>Ver</b> <font color=\"clRed\">UNE</font> <i>ap.</i>");
    g->SetCells(4, 13, "60");
    g->AddProgress(4, 13, clLime, clWhite);
    g->AddNode(15, 3);
    g->SetWideCells(1, 17, WideString(u"\u0391\u03BB\u03C6\u03B1 \u2192 \u03A9"));
    g->GetFont()->SetSize(7);
    TPrintSettings* s = g->GetPrintSettings();
    s->SetPrintGraphics(true);
    s->SetTitle(ppTopCenter);
    s->SetTitleText("Catálogo de materiales");
    s->SetPageNr(ppBottomRight);
    s->SetDate(ppBottomLeft);
    s->SetRepeatFixedRows(true);
    s->SetBorders(pbDouble);
    s->SetHeaderSize(40);
    s->SetFooterSize(40);
    s->GetFont()->SetSize(7);
    auto* vista = new VistaPrevia(&ventana, g);
    ventana.Show();
    EXPECT_FALSE(SaveCapture(vista, "rejilla_vista_previa").IsEmpty());
    // Both pages drew: dark text on each bitmap, and page 2 differs from page 1.
    const std::vector<TColor> a = Snapshot(vista->paginas[0].GetCanvas(), Rect(0, 0, 310, 440));
    const std::vector<TColor> b = Snapshot(vista->paginas[1].GetCanvas(), Rect(0, 0, 310, 440));
    EXPECT_GT(std::count(a.begin(), a.end(), clBlack), 500);
    EXPECT_GT(std::count(b.begin(), b.end(), clBlack), 500);
    EXPECT_NE(a, b);
    // The markup cell is drawn in its colour, the progress bar in its own.
    EXPECT_GT(std::count(a.begin(), a.end(), clRed), 10);
    EXPECT_GT(std::count(a.begin(), a.end(), clLime), 60);
}

} // namespace

namespace {

TEST(PaginacionAlturas, LaFilaMideSuCeldaMasAltaAUnaYOtraEscala) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    g->SetColCount(3);
    g->SetRowCount(4);
    g->SetMultilinecells(true);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            g->SetCells(c, r, "texto");
    g->SetCells(1, 2, "una\r\ndos\r\ntres");
    g->MergeCells(0, 3, 3, 1); // merged across columns: it still counts for the row
    g->SetCells(0, 3, "a\r\nb");
    TBitmap hoja;
    hoja.SetSize(10, 10);
    std::vector<int> alturas;
    g->OnPrintSetRowHeight = [&](TObject*, int ARow, int& Height) {
        if (static_cast<size_t>(ARow) >= alturas.size()) alturas.resize(ARow + 1, 0);
        alturas[ARow] = Height;
    };
    // At scale 1.0, and at the larger scale of a sheet the columns are fitted to.
    for (TFitToPage ajuste : {fpNever, fpAlways}) {
        alturas.clear();
        g->GetPrintSettings()->SetFitToPage(ajuste);
        EXPECT_EQ(Contar(g, hoja.GetCanvas(), 2100, 2970), 1);
        ASSERT_EQ(alturas.size(), 4u);
        EXPECT_GT(alturas[0], 0);
        EXPECT_EQ(alturas[1], alturas[0]) << ajuste;
        EXPECT_EQ(alturas[2], 3 * alturas[0]) << ajuste;
        EXPECT_EQ(alturas[3], 2 * alturas[0]) << ajuste;
    }
}

} // namespace

namespace {

TEST(PaginacionSeleccion, FilasYColumnasDisjuntasSoloLasMarcadas) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    Rellenar(g, 12, 5, 300, 60);
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    g->GetMouseActions()->SetDisjunctColSelect(true);
    g->SetRowSelect(3, true);
    g->SetRowSelect(7, true);
    g->SetColSelect(1, true);
    g->SetColSelect(4, true);
    TRecordingCanvas c(300, 400);
    g->SetPreviewPage(1);
    g->PrintPreviewSelectedRows(&c, TRect(0, 0, 300, 400));
    std::set<std::string> dibujados;
    for (const TCanvasCall& k : c.Recorder().Calls("TextRect", true))
        dibujados.insert(k.Text.str());
    EXPECT_EQ(dibujados, (std::set<std::string>{"c1f3", "c4f3", "c1f7", "c4f7"}));
    // The two printed columns side by side, centred on the preview's page.
    const int pagina = g->PrintLayout().PageRect.Right - g->PrintLayout().PageRect.Left;
    EXPECT_EQ(g->GetPrintColOffset(1), (pagina - 600) / 2);
    EXPECT_EQ(g->GetPrintColOffset(4), g->GetPrintColOffset(1) + 300);
}

} // namespace

namespace {

// Three title lines at each footer position: every one lies on the sheet (its top below
// the top edge, its bottom above the bottom edge), one under the other in order, the last
// where a footer text sits when the title has one line.
TEST(PaginacionPie, LasLineasDelTituloEnElPieCabenEnLaHoja) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    Rellenar(g, 4, 2, 300, 60);
    TPrintSettings* s = g->GetPrintSettings();
    s->SetPageNr(ppNone);
    for (TPrintPosition pos : {ppBottomLeft, ppBottomCenter, ppBottomRight}) {
        SCOPED_TRACE(pos);
        s->SetTitle(pos);
        s->GetTitleLines()->Clear();
        s->GetTitleLines()->Add("Solo");
        TRecordingCanvas uno(300, 300);
        DibujarVistaPrevia(g, uno, -1);
        int ySolo = 0;
        for (const TCanvasCall& k : uno.Recorder().Calls("TextOut"))
            if (k.Text.str().find("Solo") != std::string::npos) ySolo = k.Args[1];
        s->GetTitleLines()->Clear();
        for (const char* t : {"Primera", "Segunda", "Tercera"})
            s->GetTitleLines()->Add(t);
        TRecordingCanvas c(300, 300);
        DibujarVistaPrevia(g, c, -1);
        const TRect hoja = g->PrintLayout().PageRect; // logical, y negative downwards
        std::vector<int> ys;
        for (const char* t : {"Primera", "Segunda", "Tercera"})
            for (const TCanvasCall& k : c.Recorder().Calls("TextOut"))
                if (k.Text.str().find(t) != std::string::npos) ys.push_back(k.Args[1]);
        ASSERT_EQ(ys.size(), 3u);
        const int paso = ys[0] - ys[1];
        EXPECT_GT(paso, 0);
        EXPECT_EQ(ys[1] - ys[2], paso);
        EXPECT_EQ(ys[2], ySolo);
        for (int y : ys) {
            EXPECT_LE(y, hoja.Top);
            EXPECT_GE(y - paso, hoja.Bottom);
        }
    }
}

// Fit to page with only the selected columns printed: the spacing of those columns only is
// taken from the page, so that two wide columns of ten shrink into one band and two narrow
// ones grow to fill it.
TEST(PaginacionAjuste, SoloLasColumnasSeleccionadasLlenanLaHoja) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    g->SetColCount(10);
    g->SetRowCount(3);
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    TPrintSettings* s = g->GetPrintSettings();
    s->SetColumnSpacing(40);
    s->SetLeftSize(100);
    s->SetRightSize(100);
    const int espacio = 40 + 20, hueco = 2100 - 200;
    struct Caso {
        const char* texto;
        TFitToPage ajuste;
    } casos[] = {
        {"Un texto muy largo que no cabe dos veces en el ancho de una hoja A4 vertical", fpAlways},
        {"Un texto muy largo que no cabe dos veces en el ancho de una hoja A4 vertical", fpShrink},
        {"corto", fpAlways},
        {"corto", fpGrow},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.texto) + " " + std::to_string(caso.ajuste));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 10; ++c)
                g->SetCells(c, r, c == 2 || c == 3 ? caso.texto : "x");
        g->SetSelection(TGridRect{2, 0, 3, 2});
        s->SetFitToPage(caso.ajuste);
        TBitmap hoja;
        hoja.SetSize(10, 10);
        TPrintLayout& l = g->PrintLayout();
        l.PrintRange = {0, 0, 9, 2};
        l.PageRect = TRect(0, 0, 2100, 2970);
        EXPECT_EQ(g->BuildPages(hoja.GetCanvas(), prCalcPrint, -1, true), 1);
        const int ancho = l.GetPrintColWidth(2) + l.GetPrintColWidth(3) + 2 * espacio;
        EXPECT_LE(ancho, hueco);
        EXPECT_GE(ancho, hueco - 2);
    }
}

} // namespace

namespace {

// Forty columns whose spacing alone is wider than the sheet: fitting to the page (always, or
// shrinking) shrinks the spacing with the columns and prints them in one band that fills
// the width between the margins; growing leaves them as they are, over several bands.
TEST(PaginacionAjuste, ElEspacioEntreColumnasMayorQueLaHojaTambienSeAjusta) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    const int columnas = 40;
    g->SetColCount(columnas);
    g->SetRowCount(3);
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < columnas; ++c)
            g->SetCells(c, r, "celda " + AnsiString(c));
    TPrintSettings* s = g->GetPrintSettings();
    s->SetColumnSpacing(40); // 60 per column: 2400, more than the 1900 between the margins
    s->SetLeftSize(100);
    s->SetRightSize(100);
    s->SetCentered(false);
    const int hueco = 2100 - 200;
    for (TFitToPage ajuste : {fpAlways, fpShrink, fpGrow}) {
        SCOPED_TRACE(ajuste);
        s->SetFitToPage(ajuste);
        TBitmap hoja;
        hoja.SetSize(10, 10);
        TPrintLayout& l = g->PrintLayout();
        l.PrintRange = {0, 0, columnas - 1, 2};
        l.PageRect = TRect(0, 0, 2100, 2970);
        const int paginas = g->BuildPages(hoja.GetCanvas(), prCalcPrint, -1, false);
        if (ajuste == fpGrow) {
            EXPECT_GT(paginas, 1);
            continue;
        }
        EXPECT_EQ(paginas, 1);
        for (int c = 0; c < columnas; ++c)
            EXPECT_GT(l.GetPrintColWidth(c), 0) << c;
        const int ancho = l.GetPrintColOffset(columnas) - l.GetPrintColOffset(0);
        EXPECT_LE(ancho, hueco);
        EXPECT_GE(ancho, hueco - 2 * columnas);
    }
}

} // namespace
