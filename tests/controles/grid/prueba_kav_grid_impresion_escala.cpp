// Pages scaled to fit: what a cell holds besides its plain text (markup with sizes of its
// own, check boxes, pictures, progress bars, nodes and their tree lines) comes out at the
// scale of the text; wrapped texts keep every line; the header keeps its size on every page.

#include "controles/grid/kav_grid.h"
#include "controles/grid/print/print_layout.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/recording_canvas.h"
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

#include <map>
#include <string>
#include <vector>

namespace {

const char* kMateriales[] = {"Ladrillo", "Mortero", "Lana mineral", "Yeso", "Hormigón"};

// A list of materials whose column 4 holds a check box, markup with a size of its own, a
// progress bar, a picture and a long note; rows 12 to 15 are nodes, with their tree lines
// in blue. Texts and print texts at 8 points, graphics printed.
void Catalogo(Rejilla* g, int Filas) {
    g->SetColCount(5);
    g->SetRowCount(Filas);
    g->SetCells(1, 0, "Material");
    g->SetCells(2, 0, "Espesor (m)");
    g->SetCells(3, 0, "Lambda");
    g->SetCells(4, 0, "Notas");
    for (int r = 1; r < Filas; ++r) {
        g->SetCells(0, r, AnsiString(std::to_string(r)));
        g->SetCells(1, r, kMateriales[r % 5]);
        g->SetCells(2, r, AnsiString("0," + std::to_string(10 + r)));
        g->SetCells(3, r, AnsiString("0," + std::to_string(300 + 7 * r)));
    }
    g->SetCells(4, 2, "Nota larga sobre el material que obliga a reducir la hoja entera");
    g->AddCheckBox(4, 5, true, false);
    g->SetCells(4, 7, "<b>Ver</b> <font size=\"16\" color=\"clRed\">UNE</font> <i>ap.</i>");
    g->SetCells(4, 9, "60");
    g->AddProgress(4, 9, clLime, clWhite);
    TBitmap* dibujo = g->CreateBitmap(4, 11, false, haBeforeText, vaTop);
    dibujo->SetSize(40, 40);
    dibujo->GetCanvas()->GetBrush()->SetColor(clFuchsia);
    dibujo->GetCanvas()->FillRect(Rect(0, 0, 40, 40));
    g->AddNode(12, 4);
    g->AddNode(13, 2);
    g->GetCellNode()->SetShowTree(true);
    g->GetCellNode()->SetTreeColor(clBlue);
    g->GetFont()->SetSize(8);
    TPrintSettings* s = g->GetPrintSettings();
    s->SetPrintGraphics(true);
    s->SetTitle(ppTopCenter);
    s->SetTitleText("Catálogo de materiales");
    s->SetPageNr(ppBottomRight);
    s->SetRepeatFixedRows(true);
    s->SetHeaderSize(40);
    s->SetFooterSize(40);
    s->GetFont()->SetSize(8);
}

// The height of every row in a calculation pass on an A4 sheet.
std::vector<int> Alturas(Rejilla* g) {
    std::vector<int> alturas(static_cast<size_t>(g->GetRowCount()), 0);
    g->OnPrintSetRowHeight = [&](TObject*, int ARow, int& Height) {
        alturas[static_cast<size_t>(ARow)] = Height;
    };
    TBitmap hoja;
    hoja.SetSize(10, 10);
    TPrintLayout& l = g->PrintLayout();
    l.PrintRange = {0, 0, g->GetColCount() - 1, g->GetRowCount() - 1};
    l.PageRect = TRect(0, 0, 2100, 2970);
    g->BuildPages(hoja.GetCanvas(), prCalcPrint, -1, false);
    g->OnPrintSetRowHeight = nullptr;
    return alturas;
}

TEST(ImpresionAjustada, CadaFilaMideALaEscalaDeLaHoja) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    Catalogo(g, 16);
    const std::vector<int> enteras = Alturas(g);
    // Half the size: every row, whatever its cell holds, half as tall.
    g->GetPrintSettings()->SetFitToPage(fpCustom);
    g->OnFitToPage = [](TObject*, double& Scale, bool& Allow) {
        Scale = 0.5;
        Allow = true;
    };
    const std::vector<int> mitad = Alturas(g);
    for (int r : {1, 5, 7, 9, 11, 12, 13, 14}) {
        ASSERT_GT(enteras[r], 0) << r;
        EXPECT_NEAR(mitad[r] / static_cast<double>(enteras[r]), 0.5, 0.08)
            << "fila " << r << ": " << enteras[r] << " -> " << mitad[r];
    }
    // The picture and the markup's own size make their rows taller than a line of text.
    EXPECT_GT(enteras[11], 2 * enteras[1]);
    EXPECT_GT(enteras[7], enteras[1] * 5 / 4);
}

// Every cell's lines drawn inside its cell: the lines of one cell share its rectangle and
// step down by a line height; k lines need k line heights. A text that fitted its column
// before the page was scaled is not wrapped after: the columns are as wide as their widest
// text, so only the long merged cell wraps. Preview pages of many widths scale the same texts
// by many factors.
TEST(ImpresionAjustada, LasLineasDeCadaCeldaCabenEnSuFila) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    const char* textos[] = {"Lana mineral",    "Poliestireno extruido", "Ladrillo perforado",
                            "Hormigón armado", "Mortero de cemento",    "Yeso laminado"};
    g->SetColCount(4);
    g->SetRowCount(13);
    for (int r = 0; r < 13; ++r)
        for (int c = 0; c < 4; ++c)
            g->SetCells(c, r, textos[(r + c) % 6]);
    g->MergeCells(0, 12, 2, 1);
    g->SetCells(0, 12, "Celda unida con un texto largo que no cabe en las dos columnas");
    g->GetPrintSettings()->SetFitToPage(fpAlways);
    int celdas = 0, unidas = 0;
    for (int ancho = 150; ancho <= 450; ancho += 7) {
        TRecordingCanvas c(ancho, 500);
        g->SetPreviewPage(1);
        g->PrintPreview(&c, TRect(0, 0, ancho, 500));
        struct Lineas {
            std::vector<int> ys;
            std::string primera;
        };
        std::map<std::vector<int>, Lineas> celda; // by rectangle
        for (const TCanvasCall& k : c.Recorder().Calls("TextRect", true)) {
            Lineas& l = celda[{k.Args[0], k.Args[1], k.Args[2], k.Args[3]}];
            if (l.ys.empty()) l.primera = k.Text.str();
            l.ys.push_back(k.Args[5]);
        }
        for (const auto& [r, l] : celda) {
            ++celdas;
            if (l.primera.rfind("Celda", 0) != 0) {
                EXPECT_EQ(l.ys.size(), 1u) << ancho << ": " << l.primera;
                continue;
            }
            ++unidas;
            ASSERT_GE(l.ys.size(), 2u) << ancho;
            const int paso = l.ys[0] - l.ys[1];
            EXPECT_GE(r[1] - r[3], static_cast<int>(l.ys.size()) * paso)
                << ancho << ": " << l.ys.size() << " lines in " << r[1] - r[3];
        }
    }
    EXPECT_GT(celdas, 1000);
    EXPECT_GT(unidas, 30);
}

// A text beside a check box, a picture or a node glyph fits the width its column was given
// for it, on one line, at the page's size and scaled.
TEST(ImpresionAjustada, ElTextoJuntoAUnGraficoCabeEnSuColumna) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    g->SetColCount(3);
    g->SetRowCount(6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 3; ++c)
            g->SetCells(c, r, "ab");
    g->SetCells(0, 2, "Cubierta ajardinada");
    g->AddNode(2, 2);
    g->SetCells(1, 3, "Forjado unidireccional");
    g->AddCheckBox(1, 3, true, false);
    g->SetCells(2, 4, "Fachada ventilada");
    TBitmap* dibujo = g->CreateBitmap(2, 4, false, haBeforeText, vaTop);
    dibujo->SetSize(16, 16);
    g->GetPrintSettings()->SetPrintGraphics(true);
    for (TFitToPage ajuste : {fpNever, fpAlways}) {
        g->GetPrintSettings()->SetFitToPage(ajuste);
        // A page as wide as the three columns at their size, and one a third as wide.
        const int ancho = ajuste == fpNever ? 800 : 270;
        TRecordingCanvas c(ancho, 400);
        g->SetPreviewPage(1);
        g->PrintPreview(&c, TRect(0, 0, ancho, 400));
        EXPECT_EQ(g->PrintLayout().PageCount, 1);
        std::map<std::string, int> lineas;
        for (const TCanvasCall& k : c.Recorder().Calls("TextRect", true))
            ++lineas[k.Text.str()];
        for (const char* t : {"Cubierta ajardinada", "Forjado unidireccional", "Fachada ventilada"})
            EXPECT_EQ(lineas[t], 1) << t << " " << ajuste;
    }
}

class ImpresionAjustadaPDF : public testing::Test {
protected:
    VentanaPrueba ventana;
    Rejilla* g = new Rejilla(&ventana, &ventana);
    CarpetaTemporal carpeta;
    AnsiString pdf = carpeta.Ruta() + "ajustada.pdf";
    void SetUp() override { Printer()->SetOutputFile(pdf); }
    void TearDown() override { Printer()->SetOutputFile(""); }
};

TEST_F(ImpresionAjustadaPDF, LaMarcaElArbolYLaCabeceraALaEscalaDeLaHoja) {
    Catalogo(g, 120);
    // A note so long that the columns shrink to about half their width.
    g->SetCells(4, 2,
                "Nota larga sobre el material que obliga a reducir la hoja entera, con "
                "datos de ensayo, fabricante, norma de referencia, observaciones del "
                "laboratorio y condiciones de puesta en obra");
    g->GetPrintSettings()->SetFitToPage(fpShrink);
    double escala = 1;
    g->OnFitToPage = [&](TObject*, double& Scale, bool&) { escala = Scale; };
    g->GetPrintSettings()->SetFitToPage(fpCustom);
    g->Print();
    ASSERT_LT(escala, 0.75);
    ASSERT_GT(escala, 0.3);
    const std::vector<PalabraPDF> palabras = PalabrasPDF(pdf);
    // The markup's own size scaled as its base text: twice the height of the bold word.
    const PalabraPDF* ver = BuscarPalabra(palabras, "Ver", 1);
    const PalabraPDF* une = BuscarPalabra(palabras, "UNE", 1);
    ASSERT_NE(ver, nullptr);
    ASSERT_NE(une, nullptr);
    const double proporcion = (une->yMax - une->yMin) / (ver->yMax - ver->yMin);
    EXPECT_NEAR(proporcion, 2.0, 0.35);
    // The title as tall on every page (the rows' scale is not the header's).
    const PalabraPDF* t1 = BuscarPalabra(palabras, "Catálogo", 1);
    const PalabraPDF* t2 = BuscarPalabra(palabras, "Catálogo", 2);
    ASSERT_NE(t1, nullptr);
    ASSERT_NE(t2, nullptr);
    EXPECT_NEAR(t2->yMax - t2->yMin, t1->yMax - t1->yMin, 0.2);
    // The tree lines in their colour, in column 0 between the node rows; the picture there.
    const std::string png = PaginaPNG(pdf, 1, "rejilla_impresa_ajustada");
    ASSERT_FALSE(png.empty());
    const QImage pagina(QString::fromStdString(png));
    const PalabraPDF* f12 = BuscarPalabra(palabras, "12", 1);
    const PalabraPDF* f16 = BuscarPalabra(palabras, "16", 1);
    const PalabraPDF* material = BuscarPalabra(palabras, "Material", 1);
    ASSERT_NE(f12, nullptr);
    ASSERT_NE(f16, nullptr);
    ASSERT_NE(material, nullptr);
    const double k = 100.0 / 72.0;
    int azul = 0, fucsia = 0;
    for (int y = 0; y < pagina.height(); ++y)
        for (int x = 0; x < pagina.width(); ++x) {
            const QColor p = pagina.pixelColor(x, y);
            if (p.blue() > 180 && p.red() < 90 && p.green() < 90) {
                ++azul;
                EXPECT_LT(x, material->xMin * k) << x << "," << y;
                EXPECT_GT(y, f12->yMin * k - 8) << x << "," << y;
                EXPECT_LT(y, f16->yMin * k) << x << "," << y;
            }
            if (p.red() > 200 && p.blue() > 200 && p.green() < 60) ++fucsia;
        }
    EXPECT_GT(azul, 20);
    // 40 pixels of the screen at the page's scale, at 100 dots per inch.
    const double lado = 40 * escala * 100 / 96;
    EXPECT_NEAR(fucsia, lado * lado, lado * lado * 0.35);
}

// Node boxes on a page scaled down by many factors: the minus of an open node and the plus
// of a closed one stay readable in their box while the box takes a few pixels (here down to
// about 3); at full size the box is drawn as on screen.
TEST(ImpresionAjustada, ElSignoDelNodoSeVeATodaEscala) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    g->SetColCount(3);
    g->SetRowCount(14);
    for (int r = 0; r < 14; ++r)
        for (int c = 0; c < 3; ++c)
            g->SetCells(c, r, AnsiString(std::to_string(r)));
    g->AddNode(2, 3);
    g->AddNode(8, 3);
    g->ContractNode(8);
    TPrintSettings* s = g->GetPrintSettings();
    s->SetPrintGraphics(true);
    s->SetBorders(pbNoborder);
    s->SetFitToPage(fpCustom);
    double escala = 1;
    g->OnFitToPage = [&](TObject*, double& Scale, bool& Allow) {
        Scale = escala;
        Allow = true;
    };
    TCellNode* n = g->GetCellNode();
    n->SetShowTree(false);
    n->SetColor(clYellow);
    n->SetNodeColor(clBlack);
    // What marks each look's box: the frame of the XP box, the ground of the flat one.
    const std::pair<TNodeType, TColor> tipos[] = {{cnXP, static_cast<TColor>(0x996633)},
                                                  {cnFlat, clYellow}};
    for (const auto& [tipo, caja] : tipos) {
        n->SetNodeType(tipo);
        for (double e : {1.0, 0.9, 0.75, 0.66, 0.6, 0.55, 0.5, 0.45, 0.4, 0.36}) {
            escala = e;
            TBitmap hoja;
            hoja.SetSize(400, 300);
            TCanvas* c = hoja.GetCanvas();
            c->GetBrush()->SetColor(clWhite);
            c->FillRect(Rect(0, 0, 400, 300));
            g->SetPreviewPage(1);
            g->PrintPreview(c, Rect(0, 0, 400, 300));
            const std::string donde = std::to_string(tipo) + " a " + std::to_string(e);
            // The two boxes, the open one above the closed one.
            const TRect todo = Extent(c, Rect(0, 0, 400, 300), caja);
            ASSERT_GT(todo.Width(), 0) << donde;
            const int mitad = (todo.Top + todo.Bottom) / 2;
            for (const bool cerrado : {false, true}) {
                const TRect zona = cerrado ? Rect(todo.Left, mitad, todo.Right, todo.Bottom)
                                           : Rect(todo.Left, todo.Top, todo.Right, mitad);
                TRect dentro = Extent(c, zona, caja);
                ASSERT_GT(dentro.Width(), 0) << donde;
                // Inside the XP frame; the flat ground is inside its frame already.
                if (tipo == cnXP)
                    dentro =
                        Rect(dentro.Left + 1, dentro.Top + 1, dentro.Right - 1, dentro.Bottom - 1);
                const TRect signo = Extent(c, dentro, clBlack);
                const int tinta = Count(c, dentro, clBlack);
                ASSERT_GT(signo.Width(), 0) << donde << (cerrado ? " cerrado" : " abierto");
                if (!cerrado) {
                    // A bar one pixel high, wider than high.
                    EXPECT_EQ(signo.Height(), 1) << donde;
                    EXPECT_GE(signo.Width(), 3) << donde;
                } else {
                    // Two bars crossing: as high as wide, not a filled square.
                    EXPECT_GE(signo.Height(), 3) << donde;
                    EXPECT_EQ(signo.Height(), signo.Width()) << donde;
                    EXPECT_EQ(tinta, 2 * signo.Width() - 1) << donde;
                }
            }
        }
    }
}

TEST(ImpresionAjustada, CapturaDeLaHojaReducida) {
    VentanaPrueba ventana;
    ventana.SetBounds(0, 0, 680, 500);
    auto* g = new Rejilla(&ventana, &ventana);
    g->SetVisible(false);
    Catalogo(g, 40);
    g->GetPrintSettings()->SetFitToPage(fpShrink);
    auto* vista = new VistaPrevia(&ventana, g);
    ventana.Show();
    EXPECT_FALSE(SaveCapture(vista, "rejilla_vista_ajustada").IsEmpty());
    TCanvas* p1 = vista->paginas[0].GetCanvas();
    const TRect hoja = Rect(0, 0, 310, 440);
    // The tree lines and the progress bar on page 1.
    EXPECT_GT(Count(p1, hoja, clBlue), 20);
    const TRect barra = Extent(p1, hoja, clLime);
    EXPECT_GT(barra.Width(), 20);
    EXPECT_GE(barra.Height(), 3);
}

} // namespace
