// Rich-text cells on paper: laid out as the screen lays them (fonts, sizes, colours, styles,
// raised text, lines wrapped in the cell), scaled with the page, the rows as tall as their
// lines; printed into a PDF read back with the poppler tools, and a preview looked at.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/rich_text.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "plataforma/gui/painting/rich_layout.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/services/printers.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/pdf_prueba.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/controles/grid/vista_previa_prueba.h"
#include "tests/plataforma/gui/canvas_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

TRichFormat Formato(int MediosPuntos, bool Negrita = false, bool Cursiva = false,
                    bool Subrayado = false, int32_t Color = -1, int Elevado = 0) {
    TRichFormat f;
    f.HalfPoints = MediosPuntos;
    f.Bold = Negrita;
    f.Italic = Cursiva;
    f.Underline = Subrayado;
    f.Color = Color;
    f.Offset = Elevado;
    return f;
}

// Two paragraphs of mixed fonts, sizes, colours and raised text, that wrap in a narrow cell.
AnsiString FichaDelMuro() {
    TRichDocument d;
    d.Paragraphs.push_back({{{"Muro", Formato(24, true)},
                             {" de fachada ", Formato(20)},
                             {"ventilada", Formato(20, false, true, false, clRed)},
                             {" con aislamiento", Formato(20)}}});
    d.Paragraphs.push_back({{{"U = 0,35 W/m", Formato(20)},
                             {"2", Formato(20, false, false, false, -1, 6)},
                             {"K según ", Formato(20)},
                             {"ensayo", Formato(28, false, false, true, clBlue)}}});
    return WriteRtf(d);
}

// A piece of text drawn by TextRect, where it lies from the top-left corner of the rectangle
// it is kept in, and the font it is drawn in.
struct Trozo {
    std::string texto;
    int x, y;
    std::string fuente;
    int tamano;
    bool negrita;
    COLORREF color;
    bool operator==(const Trozo&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Trozo& t) {
    return o << "\"" << t.texto << "\" en " << t.x << "," << t.y << " " << t.fuente << " "
             << t.tamano << (t.negrita ? " negrita " : " ") << std::hex << t.color << std::dec;
}

// The pieces drawn in the rectangle of the piece that starts with Primera.
std::vector<Trozo> Trozos(const TCanvasRecorder& Registro, const std::string& Primera) {
    const std::vector<TCanvasCall> llamadas = Registro.Calls("TextRect");
    std::vector<int> caja;
    for (const TCanvasCall& k : llamadas)
        if (k.Text.str().rfind(Primera, 0) == 0) {
            caja.assign(k.Args.begin(), k.Args.begin() + 4);
            break;
        }
    std::vector<Trozo> out;
    if (caja.empty()) return out;
    for (const TCanvasCall& k : llamadas)
        if (std::equal(caja.begin(), caja.end(), k.Args.begin()))
            out.push_back({k.Text.str(), k.Args[4] - caja[0], k.Args[5] - caja[1],
                           k.FontFamily.str(), k.FontPixelSize, k.FontBold, k.TextColor});
    return out;
}

class ImpresionEnriquecida : public testing::Test {
protected:
    VentanaPrueba ventana;
    Rejilla* g = new Rejilla(&ventana, &ventana);

    void SetUp() override {
        g->SetColCount(3);
        g->SetRowCount(5);
        g->SetCells(1, 0, "Elemento");
        g->SetCells(2, 0, "Ficha");
        for (int r = 1; r < 5; ++r) {
            g->SetCells(0, r, AnsiString(std::to_string(r)));
            g->SetCells(1, r, AnsiString("Llano" + std::to_string(r)));
        }
        g->GetFont()->SetColor(clBlack);
        g->SetColWidths(1, 100);
        g->SetColWidths(2, 154);
    }
};

// On paper at the page's size and at half of it, the rich cell shows the very pieces the
// screen shows in a cell as wide: the same texts broken into the same lines, at the same
// places, in the same fonts, sizes and colours (in units of a screen pixel at the page's
// scale); the row keeps every line.
TEST_F(ImpresionEnriquecida, LasLineasYFuentesDeLaPantalla) {
    const AnsiString ficha = FichaDelMuro();
    g->SetCellEx(2, 3, ficha);
    // The screen: a column whose cell, less the offsets, is 4 pixels narrower than the column
    // and breaks the same lines as a rectangle as wide as the column, so that the paper's
    // rounding of widths plays no part; found in the fonts that draw the text.
    auto enPantalla = [&](int ancho) {
        TRecordingCanvas c(400, 300);
        c.GetFont()->Assign(g->GetFont());
        g->RTFPaint(2, 3, &c, Rect(0, 0, ancho, 300));
        return Trozos(c.Recorder(), "Muro");
    };
    std::vector<Trozo> pantalla;
    for (int ancho = 154; ancho > 100 && pantalla.empty(); --ancho)
        if (enPantalla(ancho) == enPantalla(ancho - 4)) {
            pantalla = enPantalla(ancho);
            g->SetColWidths(2, ancho);
        }
    ASSERT_GE(pantalla.size(), 6u);
    std::set<int> lineas;
    for (const Trozo& t : pantalla)
        lineas.insert(t.y);
    ASSERT_GE(lineas.size(), 4u);

    TPrintSettings* s = g->GetPrintSettings();
    // The columns as wide on paper as on the screen, less the offsets.
    s->SetNoAutoSize(true);
    s->SetFitToPage(fpCustom);
    for (double escala : {1.0, 0.5}) {
        g->OnFitToPage = [escala](TObject*, double& Scale, bool& Allow) {
            Scale = escala;
            Allow = true;
        };
        // A page wider than the columns, so that the custom fit is asked for.
        TRecordingCanvas c(600, 400);
        g->SetPreviewPage(1);
        g->PrintPreview(&c, TRect(0, 0, 600, 400));
        EXPECT_EQ(Trozos(c.Recorder(), "Muro"), pantalla) << escala;
        // No RTF source on paper.
        for (const TCanvasCall& k : c.Recorder().Calls("TextRect"))
            EXPECT_EQ(k.Text.str().find_first_of("\\{}"), std::string::npos) << k.Text.str();
    }
}

// Columns sized to their cells: a rich cell's column takes its widest paragraph, which keeps
// its line on paper at whatever scale the page is fitted to, as the screen lays it in a
// cell wide enough.
TEST_F(ImpresionEnriquecida, SuColumnaTomaElParrafoMasAncho) {
    g->SetCellEx(2, 3, FichaDelMuro());
    TRecordingCanvas pantalla(2000, 300);
    pantalla.GetFont()->Assign(g->GetFont());
    g->RTFPaint(2, 3, &pantalla, Rect(0, 0, 2000, 300));
    const std::vector<Trozo> enDosLineas = Trozos(pantalla.Recorder(), "Muro");
    ASSERT_EQ(enDosLineas.size(), 8u);
    EXPECT_EQ(enDosLineas[4].x, 0);
    EXPECT_GT(enDosLineas[4].y, enDosLineas[3].y);
    g->GetPrintSettings()->SetFitToPage(fpAlways);
    for (int ancho = 200; ancho <= 700; ancho += 23) {
        TRecordingCanvas c(ancho, 400);
        g->SetPreviewPage(1);
        g->PrintPreview(&c, TRect(0, 0, ancho, 400));
        EXPECT_EQ(Trozos(c.Recorder(), "Muro"), enDosLineas) << ancho;
    }
}

// Rows of rich cells on paper are as tall as the screen lays their lines, at the page's size
// and at half of it.
TEST_F(ImpresionEnriquecida, LaFilaMideSusLineas) {
    g->SetCellEx(2, 3, FichaDelMuro());
    TRichDocument plano;
    plano.Paragraphs.push_back({{{"Muro de fachada", Formato(20)}}});
    g->SetCellEx(2, 2, WriteRtf(plano));
    TPrintSettings* s = g->GetPrintSettings();
    s->SetNoAutoSize(true);
    s->SetFitToPage(fpCustom);
    double escala = 1;
    g->OnFitToPage = [&](TObject*, double& Scale, bool& Allow) {
        Scale = escala;
        Allow = true;
    };
    auto alturas = [&] {
        std::vector<int> a(5, 0);
        g->OnPrintSetRowHeight = [&](TObject*, int ARow, int& Height) {
            a[static_cast<size_t>(ARow)] = Height;
        };
        TBitmap hoja;
        hoja.SetSize(600, 400);
        g->SetPreviewPage(1);
        g->PrintPreview(hoja.GetCanvas(), TRect(0, 0, 600, 400));
        g->OnPrintSetRowHeight = nullptr;
        return a;
    };
    const std::vector<int> entera = alturas();
    escala = 0.5;
    const std::vector<int> mitad = alturas();
    for (int fila : {2, 3}) {
        // The screen's lines of the cell, in tenths of a millimetre.
        TRecordingCanvas c(400, 300);
        c.GetFont()->Assign(g->GetFont());
        TFormatRange r;
        r.Canvas = &c;
        r.Rc = PixelsToTwips(&c, Rect(0, 0, 150, 3000));
        FormatRichRange(RichDocumentOf(g->GetCellEx(2, fila)), r, false);
        const double alto = TwipsToPixels(&c, r.Rc).Height() * 254.0 / 96;
        EXPECT_NEAR(entera[fila], alto, 3) << fila;
        EXPECT_NEAR(mitad[fila], alto / 2, 3) << fila;
    }
    EXPECT_GT(entera[3], 3 * entera[2]);
}

class ImpresionEnriquecidaPDF : public ImpresionEnriquecida {
protected:
    CarpetaTemporal carpeta;
    AnsiString pdf = carpeta.Ruta() + "enriquecida.pdf";
    void SetUp() override {
        ImpresionEnriquecida::SetUp();
        Printer()->SetOutputFile(pdf);
        // A cell of styled words at 10 points and one word at 20, and a long text that
        // wraps in its column.
        TRichDocument estilos;
        estilos.Paragraphs.push_back({{{"Grande", Formato(40)},
                                       {" normal ", Formato(20)},
                                       {"Negrita", Formato(20, true)},
                                       {" ", Formato(20)},
                                       {"Cursiva", Formato(20, false, true)},
                                       {" ", Formato(20)},
                                       {"Rojo", Formato(20, false, false, false, clRed)}}});
        g->SetCellEx(2, 1, WriteRtf(estilos));
        TRichDocument largo;
        largo.Paragraphs.push_back({{{"Fachada ventilada con aislamiento exterior de lana "
                                      "mineral y placas cerámicas sobre montantes de aluminio",
                                      Formato(20)}}});
        g->SetCellEx(2, 3, WriteRtf(largo));
        g->GetFont()->SetSize(10);
        g->GetPrintSettings()->SetNoAutoSize(true);
        g->SetColWidths(2, 330);
    }
    void TearDown() override { Printer()->SetOutputFile(""); }
};

TEST_F(ImpresionEnriquecidaPDF, ConSusFormatosPartidaYALaEscalaDeLaHoja) {
    struct Hoja {
        std::vector<PalabraPDF> palabras;
        std::string fuentes, png;
    };
    auto imprimir = [&](double escala, const std::string& captura) {
        g->GetPrintSettings()->SetFitToPage(escala == 1.0 ? fpNever : fpCustom);
        g->OnFitToPage = [escala](TObject*, double& Scale, bool& Allow) {
            Scale = escala;
            Allow = true;
        };
        g->Print();
        return Hoja{PalabrasPDF(pdf), FuentesPDF(pdf), PaginaPNG(pdf, 1, captura)};
    };
    const Hoja entera = imprimir(1.0, "rejilla_impresa_enriquecida");
    // The columns fill the sheet: the custom fit is asked for any scale.
    g->SetColWidths(1, 400);
    const Hoja mitad = imprimir(0.5, "rejilla_impresa_enriquecida_mitad");
    g->SetColWidths(1, 100);

    for (const Hoja* h : {&entera, &mitad}) {
        const auto& p = h->palabras;
        for (const PalabraPDF& w : p) {
            EXPECT_EQ(w.texto.find_first_of("\\{}"), std::string::npos) << w.texto;
            EXPECT_EQ(w.texto.find("rtf"), std::string::npos) << w.texto;
        }
        const PalabraPDF* grande = BuscarPalabra(p, "Grande");
        const PalabraPDF* normal = BuscarPalabra(p, "normal");
        const PalabraPDF* llano = BuscarPalabra(p, "Llano1");
        ASSERT_NE(grande, nullptr);
        ASSERT_NE(normal, nullptr);
        ASSERT_NE(llano, nullptr);
        // Twice the size; 10 points as tall as the plain cells' 10 points.
        const auto alto = [](const PalabraPDF* w) { return w->yMax - w->yMin; };
        EXPECT_NEAR(alto(grande) / alto(normal), 2.0, 0.2);
        EXPECT_NEAR(alto(normal) / alto(llano), 1.0, 0.12);
        // The words of the styled cell on one line, in order.
        const PalabraPDF* antes = grande;
        for (const char* t : {"normal", "Negrita", "Cursiva", "Rojo"}) {
            const PalabraPDF* w = BuscarPalabra(p, t);
            ASSERT_NE(w, nullptr) << t;
            EXPECT_GT(w->xMin, antes->xMax) << t;
            EXPECT_NEAR(w->yMax, normal->yMax, 1.0) << t;
            antes = w;
        }
        // The long text wrapped in its column, every word there, the next row below it.
        const PalabraPDF* ficha = BuscarPalabra(p, "Ficha");
        ASSERT_NE(ficha, nullptr);
        std::set<int> lineas;
        double ultima = 0;
        for (const char* t : {"Fachada", "ventilada", "aislamiento", "exterior", "lana", "mineral",
                              "placas", "cerámicas", "montantes", "aluminio"}) {
            const PalabraPDF* w = BuscarPalabra(p, t);
            ASSERT_NE(w, nullptr) << t;
            EXPECT_GE(w->xMin, ficha->xMin - 1) << t;
            EXPECT_LT(w->xMax, ficha->xMin + 330 * 0.75 * (h == &mitad ? 0.5 : 1.0)) << t;
            lineas.insert(static_cast<int>(w->yMin));
            ultima = std::max(ultima, w->yMax);
        }
        EXPECT_GE(lineas.size(), 3u);
        const PalabraPDF* siguiente = BuscarPalabra(p, "Llano4");
        ASSERT_NE(siguiente, nullptr);
        EXPECT_GT(siguiente->yMin, ultima);
        // The bold and italic runs in faces of their own.
        EXPECT_NE(h->fuentes.find("Bold"), std::string::npos) << h->fuentes;
        EXPECT_TRUE(h->fuentes.find("Oblique") != std::string::npos ||
                    h->fuentes.find("Italic") != std::string::npos)
            << h->fuentes;
    }
    // Half the size on the page scaled by half.
    EXPECT_NEAR((BuscarPalabra(mitad.palabras, "Grande")->yMax -
                 BuscarPalabra(mitad.palabras, "Grande")->yMin) /
                    (BuscarPalabra(entera.palabras, "Grande")->yMax -
                     BuscarPalabra(entera.palabras, "Grande")->yMin),
                0.5, 0.08);
    // The red word in red, the others black.
    for (const Hoja* h : {&entera, &mitad}) {
        ASSERT_FALSE(h->png.empty());
        const QImage pagina(QString::fromStdString(h->png));
        ASSERT_FALSE(pagina.isNull());
        auto tinta = [&](const std::string& texto) {
            const PalabraPDF* w = BuscarPalabra(h->palabras, texto);
            std::vector<QColor> out;
            const double k = 100.0 / 72.0;
            for (int y = int(w->yMin * k); y <= int(w->yMax * k); ++y)
                for (int x = int(w->xMin * k); x <= int(w->xMax * k); ++x) {
                    const QColor c = pagina.pixelColor(x, y);
                    if (c.lightness() < 170) out.push_back(c);
                }
            return out;
        };
        const auto rojo = tinta("Rojo");
        const auto negrita = tinta("Negrita");
        ASSERT_FALSE(rojo.empty());
        ASSERT_FALSE(negrita.empty());
        EXPECT_TRUE(std::all_of(rojo.begin(), rojo.end(), [](const QColor& c) {
            return c.red() > 150 && c.green() < 90 && c.blue() < 90;
        }));
        EXPECT_TRUE(std::all_of(negrita.begin(), negrita.end(), [](const QColor& c) {
            return std::abs(c.red() - c.green()) < 30 && std::abs(c.green() - c.blue()) < 30;
        }));
    }
}

// The print preview, captured for the eye: the rich cells with their fonts and colours,
// wrapped in their column, and red ink only inside the page.
TEST_F(ImpresionEnriquecida, CapturaDeLaVistaPrevia) {
    ventana.SetBounds(0, 0, 680, 500);
    g->SetVisible(false);
    g->SetCellEx(2, 3, FichaDelMuro());
    TRichDocument estilos;
    estilos.Paragraphs.push_back({{{"Grande", Formato(32, true)},
                                   {" normal ", Formato(20)},
                                   {"Rojo", Formato(20, false, true, false, clRed)}}});
    g->SetCellEx(2, 1, WriteRtf(estilos));
    g->GetPrintSettings()->SetNoAutoSize(true);
    g->GetPrintSettings()->SetTitle(ppTopCenter);
    g->GetPrintSettings()->SetTitleText("Fichas de cerramientos");
    auto* vista = new VistaPrevia(&ventana, g);
    ventana.Show();
    EXPECT_FALSE(SaveCapture(vista, "rejilla_vista_enriquecida").IsEmpty());
    // The rich column on the second page, its red and blue runs there.
    TCanvas* p2 = vista->paginas[1].GetCanvas();
    int rojo = 0, azul = 0;
    for (int y = 0; y < 440; ++y)
        for (int x = 0; x < 310; ++x) {
            const COLORREF c = ColorToRGB(p2->GetPixels(x, y));
            if (GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100) ++rojo;
            if (GetBValue(c) > 150 && GetRValue(c) < 100 && GetGValue(c) < 100) ++azul;
        }
    EXPECT_GT(rojo, 10);
    EXPECT_GT(azul, 10);
}

} // namespace
