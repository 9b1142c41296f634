// The grid printed into a PDF file and read back with the poppler tools: the pages the
// layout says, every cell's text on its page, the header and footer, the orientation, a
// range of pages, and a print whose range is cancelled leaving no file.

#include "controles/grid/kav_grid.h"
#include "controles/grid/print/print_layout.h"
#include "plataforma/gui/services/printers.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/pdf_prueba.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class RejillaAvisos : public Rejilla {
public:
    using Rejilla::Rejilla;
    std::vector<int> estados;
    void ExportNotification(int AState, int) override {
        if (AState == esExportStart || AState == esExportDone) estados.push_back(AState);
    }
};

class ImpresionPDF : public testing::Test {
protected:
    VentanaPrueba ventana;
    RejillaAvisos* g = new RejillaAvisos(&ventana, &ventana);
    CarpetaTemporal carpeta;
    AnsiString pdf = carpeta.Ruta() + "rejilla.pdf";
    // The first row of each page after the first, as the printed pages end.
    std::vector<int> cortes;
    int total = 0;

    void SetUp() override {
        Printer()->SetOutputFile(pdf);
        g->SetColCount(4);
        g->SetRowCount(260);
        g->SetFixedRows(1);
        for (int c = 0; c < 4; ++c)
            g->SetCells(c, 0, AnsiString("Columna" + std::to_string(c)));
        for (int r = 1; r < 260; ++r)
            for (int c = 0; c < 4; ++c)
                g->SetCells(c, r, AnsiString("c" + std::to_string(c) + "f" + std::to_string(r)));
        TPrintSettings* s = g->GetPrintSettings();
        s->SetTitle(ppTopCenter);
        s->SetTitleText("Materiales");
        s->SetPageNr(ppBottomRight);
        s->SetPagePrefix("Hoja");
        s->SetRepeatFixedRows(true);
        s->SetJobName("Listado de materiales");
        g->OnPrintStart = [this](TObject*, int NrOfPages, int&, int&) { total = NrOfPages; };
        g->OnPrintPageDone = [this](TObject*, TCanvas*, int LastRow, int, int, int, int) {
            cortes.push_back(LastRow);
        };
    }
    void TearDown() override { Printer()->SetOutputFile(""); }

    // The page (from 1) of the PDF that holds the word; 0 when none.
    static int PaginaDe(const std::vector<PalabraPDF>& p, const std::string& palabra) {
        const PalabraPDF* w = BuscarPalabra(p, palabra);
        return w ? w->pagina : 0;
    }
};

TEST_F(ImpresionPDF, CadaCeldaEnLaPaginaQueDiceLaPaginacion) {
    g->Print();
    EXPECT_FALSE(Printer()->GetPrinting());
    EXPECT_EQ(g->estados, (std::vector<int>{esExportStart, esExportDone}));
    ASSERT_GT(total, 2);
    ASSERT_EQ(static_cast<int>(cortes.size()), total);
    const std::string info = InfoPDF(pdf);
    EXPECT_NE(info.find("Pages:           " + std::to_string(total)), std::string::npos) << info;
    EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Listado de materiales"), std::string::npos) << info;

    const std::vector<PalabraPDF> palabras = PalabrasPDF(pdf);
    int pagina = 1;
    for (int r = 1; r < 260; ++r) {
        while (pagina <= total && r >= cortes[static_cast<size_t>(pagina) - 1])
            ++pagina;
        for (int c = 0; c < 4; ++c) {
            const std::string texto = "c" + std::to_string(c) + "f" + std::to_string(r);
            EXPECT_EQ(PaginaDe(palabras, texto), pagina) << texto;
        }
    }
    // Every page opens with the fixed row and the title, and closes with its number.
    for (int p = 1; p <= total; ++p) {
        EXPECT_NE(BuscarPalabra(palabras, "Columna2", p), nullptr) << p;
        EXPECT_NE(BuscarPalabra(palabras, "Materiales", p), nullptr) << p;
        const std::string numero = std::to_string(p) + "/" + std::to_string(total);
        const PalabraPDF* n = BuscarPalabra(palabras, numero, p);
        ASSERT_NE(n, nullptr) << numero;
        // At the foot of the sheet, to the right.
        EXPECT_GT(n->yMin, 842 * 0.85) << numero;
        EXPECT_GT(n->xMin, 595 * 0.6) << numero;
        EXPECT_NE(BuscarPalabra(palabras, "Hoja", p), nullptr) << p;
    }
    // The title above the first row.
    const PalabraPDF* titulo = BuscarPalabra(palabras, "Materiales", 1);
    const PalabraPDF* primera = BuscarPalabra(palabras, "c0f1", 1);
    ASSERT_NE(titulo, nullptr);
    ASSERT_NE(primera, nullptr);
    EXPECT_LT(titulo->yMax, primera->yMin);
    PaginaPNG(pdf, 1, "rejilla_impresa_pagina1");
}

TEST_F(ImpresionPDF, LaMarcaSeImprimeConSuEstiloYSinEtiquetas) {
    g->SetRowCount(3);
    g->SetCells(1, 1,
                "<b>Negrita</b> normal <font color=\"clRed\">Rojo</font> <i>Cursiva</i> "
                "<a href=\"http://ejemplo.es\">Enlace</a>");
    g->Print();
    const std::string png = PaginaPNG(pdf, 1, "rejilla_impresa_marca");
    const std::vector<PalabraPDF> palabras = PalabrasPDF(pdf);
    for (const PalabraPDF& w : palabras)
        EXPECT_EQ(w.texto.find_first_of("<>"), std::string::npos) << w.texto;
    // One line, the words in their order, in the cell's column.
    const std::vector<std::string> orden = {"Negrita", "normal", "Rojo", "Cursiva", "Enlace"};
    const PalabraPDF* anterior = nullptr;
    const PalabraPDF* columna = BuscarPalabra(palabras, "Columna1", 1);
    const PalabraPDF* siguiente = BuscarPalabra(palabras, "Columna2", 1);
    ASSERT_NE(columna, nullptr);
    ASSERT_NE(siguiente, nullptr);
    for (const std::string& texto : orden) {
        const PalabraPDF* w = BuscarPalabra(palabras, texto, 1);
        ASSERT_NE(w, nullptr) << texto;
        EXPECT_GE(w->xMin, columna->xMin - 1) << texto;
        EXPECT_LT(w->xMax, siguiente->xMin) << texto;
        if (anterior) {
            EXPECT_GT(w->xMin, anterior->xMax) << texto;
            EXPECT_NEAR(w->yMax, anterior->yMax, 1.5) << texto;
        }
        anterior = w;
    }
    // The bold and the italic words are set in their own faces.
    const std::string fuentes = FuentesPDF(pdf);
    EXPECT_NE(fuentes.find("Bold"), std::string::npos) << fuentes;
    EXPECT_TRUE(fuentes.find("Oblique") != std::string::npos ||
                fuentes.find("Italic") != std::string::npos)
        << fuentes;
    // Red where the red word is, the anchor in the grid's link colour, black elsewhere.
    ASSERT_FALSE(png.empty());
    const QImage pagina(QString::fromStdString(png));
    ASSERT_FALSE(pagina.isNull());
    auto colores = [&](const std::string& texto) {
        const PalabraPDF* w = BuscarPalabra(palabras, texto, 1);
        std::vector<QColor> tinta;
        const double k = 100.0 / 72.0;
        for (int y = int(w->yMin * k); y <= int(w->yMax * k); ++y)
            for (int x = int(w->xMin * k); x <= int(w->xMax * k); ++x) {
                const QColor p = pagina.pixelColor(x, y);
                if (p.lightness() < 160) tinta.push_back(p);
            }
        return tinta;
    };
    auto tono = [](const std::vector<QColor>& tinta, auto cumple) {
        return !tinta.empty() && std::all_of(tinta.begin(), tinta.end(), cumple);
    };
    const QColor enlace = QColor::fromRgb(ColorToRGB(g->GetURLColor()) & 0xFF,
                                          (ColorToRGB(g->GetURLColor()) >> 8) & 0xFF,
                                          (ColorToRGB(g->GetURLColor()) >> 16) & 0xFF);
    EXPECT_TRUE(tono(colores("Rojo"), [](const QColor& p) {
        return p.red() > 150 && p.green() < 90 && p.blue() < 90;
    }));
    EXPECT_TRUE(tono(colores("Negrita"), [](const QColor& p) {
        return std::abs(p.red() - p.green()) < 30 && std::abs(p.green() - p.blue()) < 30;
    }));
    EXPECT_TRUE(tono(colores("Enlace"), [&](const QColor& p) {
        return std::abs(p.red() - enlace.red()) < 90 && std::abs(p.green() - enlace.green()) < 90 &&
               std::abs(p.blue() - enlace.blue()) < 90;
    }));
}

TEST_F(ImpresionPDF, ApaisadaYUnRangoDePaginas) {
    g->GetPrintSettings()->SetOrientation(poLandscape);
    g->OnPrintStart = [this](TObject*, int NrOfPages, int& FromPage, int& ToPage) {
        total = NrOfPages;
        FromPage = 2;
        ToPage = 3;
    };
    g->Print();
    ASSERT_GT(total, 3);
    const std::string info = InfoPDF(pdf);
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;
    const std::vector<PalabraPDF> palabras = PalabrasPDF(pdf);
    // The document's pages 2 and 3 on its two sheets, numbered as in the whole document.
    const int primeraDeLa2 = cortes[0], primeraDeLa4 = cortes[2];
    EXPECT_EQ(PaginaDe(palabras, "c0f" + std::to_string(primeraDeLa2)), 1);
    EXPECT_EQ(PaginaDe(palabras, "c0f" + std::to_string(primeraDeLa4 - 1)), 2);
    EXPECT_EQ(PaginaDe(palabras, "c0f1"), 0);
    EXPECT_EQ(PaginaDe(palabras, "c0f" + std::to_string(primeraDeLa4)), 0);
    EXPECT_NE(BuscarPalabra(palabras, "2/" + std::to_string(total), 1), nullptr);
    EXPECT_NE(BuscarPalabra(palabras, "3/" + std::to_string(total), 2), nullptr);
    g->GetPrintSettings()->SetOrientation(poPortrait);
}

TEST_F(ImpresionPDF, UnRangoVacioInvertidoOFueraDelDocumentoNoDejaDocumento) {
    for (const auto& [desde, hasta] : {std::pair{0, 0}, {3, 2}, {1, 0}, {900, 999}}) {
        g->estados.clear();
        cortes.clear();
        g->OnPrintStart = [&](TObject*, int, int& FromPage, int& ToPage) {
            FromPage = desde;
            ToPage = hasta;
        };
        g->Print();
        EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf.str()))) << desde << "-" << hasta;
        EXPECT_FALSE(Printer()->GetPrinting());
        EXPECT_TRUE(cortes.empty()); // nothing drawn
        EXPECT_EQ(g->estados, (std::vector<int>{esExportStart, esExportDone}));
    }
    // The printer serves the next print.
    g->OnPrintStart = nullptr;
    g->PrintSelection();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(pdf.str())));
}

} // namespace
