// The printer printing into a PDF file, read back with the poppler tools: pages, paper,
// orientation, title and text on the page it was drawn on; a dropped document leaves no
// file; the printer's errors.

#include "tests/plataforma/gui/canvas_prueba.h"

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/services/printers.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/pdf_prueba.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinterInfo>

namespace {

bool Existe(const AnsiString& ruta) {
    return QFile::exists(QString::fromStdString(ruta.c_str()));
}

TEST(Impresora, ImprimePaginasEnUnPDFConSuPapelYOrientacion) {
    struct Caso {
        TPrinterOrientation orientacion;
        const char* tamano;
        int ancho, alto; // device units at 96 per inch
    };
    for (const Caso& c : {Caso{poPortrait, "595 x 842 pts (A4)", 793, 1123},
                          Caso{poLandscape, "842 x 595 pts (A4)", 1123, 793}}) {
        CarpetaTemporal carpeta;
        const AnsiString pdf = carpeta.Ruta() + "hoja.pdf";
        TPrinter impresora;
        impresora.SetOrientation(c.orientacion);
        // The page before the document is the one the document gets.
        EXPECT_EQ(impresora.GetPageWidth(), c.ancho);
        EXPECT_EQ(impresora.GetPageHeight(), c.alto);
        impresora.SetOutputFile(pdf);
        impresora.SetTitle("Listado de elementos");
        impresora.SetOrientation(c.orientacion);
        impresora.BeginDoc();
        EXPECT_TRUE(impresora.GetPrinting());
        EXPECT_EQ(impresora.GetPageNumber(), 1);
        EXPECT_EQ(impresora.GetPageWidth(), c.ancho);
        EXPECT_EQ(impresora.GetPageHeight(), c.alto);
        EXPECT_THROW(impresora.SetOrientation(poPortrait), EPrinter);
        EXPECT_THROW(impresora.BeginDoc(), EPrinter);
        TCanvas* lienzo = impresora.GetCanvas();
        EXPECT_EQ(GetDeviceCaps(lienzo->GetHandle(), HORZRES), c.ancho);
        EXPECT_EQ(GetDeviceCaps(lienzo->GetHandle(), LOGPIXELSX), 96);
        lienzo->GetFont()->SetSize(12);
        lienzo->Rectangle(48, 48, c.ancho - 48, c.alto - 48);
        lienzo->TextOut(96, 96, "Primera hoja");
        impresora.NewPage();
        EXPECT_EQ(impresora.GetPageNumber(), 2);
        lienzo->TextOut(96, c.alto - 144, "Segunda hoja");
        // In tenths of a millimetre, y up: an inch right and two inches down.
        EXPECT_EQ(DeviceCapabilities(lienzo->GetHandle(), DC_ORIENTATION), 90);
        // The font's height too: 4.2 mm is 12 points.
        SetMapMode(lienzo->GetHandle(), MM_LOMETRIC);
        lienzo->GetFont()->SetHeight(-42);
        lienzo->TextOut(254, -508, "Metrica");
        impresora.EndDoc();
        EXPECT_FALSE(impresora.GetPrinting());
        EXPECT_THROW(impresora.GetCanvas()->GetHandle(), EInvalidOperation);

        const std::string info = InfoPDF(pdf);
        EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
        EXPECT_NE(info.find(c.tamano), std::string::npos) << info;
        EXPECT_NE(info.find("Listado de elementos"), std::string::npos) << info;
        const std::vector<PalabraPDF> palabras = PalabrasPDF(pdf);
        const PalabraPDF* primera = BuscarPalabra(palabras, "Primera", 1);
        const PalabraPDF* segunda = BuscarPalabra(palabras, "Segunda", 2);
        ASSERT_NE(primera, nullptr);
        ASSERT_NE(segunda, nullptr);
        EXPECT_EQ(BuscarPalabra(palabras, "Segunda", 1), nullptr);
        // 96 device units are an inch, 72 points: the text starts an inch from the left.
        EXPECT_NEAR(primera->xMin, 72, 3);
        EXPECT_NEAR(primera->yMin, 72, 6);
        EXPECT_GT(segunda->yMin, c.alto * 0.75 - 120);
        const PalabraPDF* metrica = BuscarPalabra(palabras, "Metrica", 2);
        ASSERT_NE(metrica, nullptr);
        EXPECT_NEAR(metrica->xMin, 72, 3);
        EXPECT_NEAR(metrica->yMin, 144, 6);
        EXPECT_NEAR(metrica->yMax - metrica->yMin, 12 * 1.15, 4);
        // 12 points high, whatever the device.
        EXPECT_NEAR(primera->yMax - primera->yMin, 12 * 1.15, 4);
        // The text shows on the page, over the frame's white inside.
        const PaginaGris gris = PaginaEnGris(pdf, 1);
        const double medioY = gris.alto - (primera->yMin + primera->yMax) / 2;
        EXPECT_LT(gris.Oscuro((primera->xMin + primera->xMax) / 2, medioY, 4), 128);
        if (c.orientacion == poPortrait) PaginaPNG(pdf, 1, "impresora_pagina");
    }
}

TEST(Impresora, AbortarNoDejaArchivoYLosErroresSonDeLaImpresora) {
    CarpetaTemporal carpeta;
    const AnsiString pdf = carpeta.Ruta() + "abortado.pdf";
    TPrinter impresora;
    EXPECT_THROW(impresora.EndDoc(), EPrinter);
    EXPECT_THROW(impresora.NewPage(), EPrinter);
    EXPECT_THROW(impresora.Abort(), EPrinter);
    impresora.SetOutputFile(pdf);
    impresora.BeginDoc();
    impresora.GetCanvas()->TextOut(10, 10, "Nada");
    impresora.Abort();
    EXPECT_TRUE(impresora.GetAborted());
    EXPECT_FALSE(impresora.GetPrinting());
    EXPECT_FALSE(Existe(pdf));
    // The printer serves the next document.
    impresora.BeginDoc();
    EXPECT_FALSE(impresora.GetAborted());
    impresora.EndDoc();
    EXPECT_TRUE(Existe(pdf));

    impresora.SetOutputFile(carpeta.Ruta() + "no/existe/x.pdf");
    EXPECT_THROW(impresora.BeginDoc(), EPrinter);
    EXPECT_FALSE(impresora.GetPrinting());
}

TEST(Impresora, SinImpresoraNiArchivoNoEmpiezaElDocumento) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    TPrinter impresora;
    try {
        impresora.BeginDoc();
        FAIL() << "BeginDoc began without a printer";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message, AnsiString("There is no default printer currently selected"));
    }
    EXPECT_FALSE(impresora.GetPrinting());
}

} // namespace
