// The PDF document as the reports use it, read back with the poppler tools: Windows-1252
// texts, page size and pages, text widths, images at their pixel size, and files that
// cannot be created.

#include "plataforma/pdf/pdf.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/pdf_prueba.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class PruebaPDF : public testing::Test {
protected:
    AnsiString Ruta(const char* nombre) const { return carpeta.Ruta() + nombre; }
    CarpetaTemporal carpeta;
};

TEST_F(PruebaPDF, TextosWindows1252EnLasFuentesEstandar) {
    const AnsiString ruta = Ruta("textos.pdf");
    PDF pdf;
    ASSERT_EQ(pdf.OpenFile(ruta), 1);
    pdf.SetInfo("Author", "Autoría propia");
    pdf.BeginPage(595, 842);
    const int normal = pdf.FindFont("Helvetica", "winansi", 0);
    const int negrita = pdf.FindFont("Helvetica-Bold", "winansi", 0);
    ASSERT_GE(normal, 0);
    ASSERT_GE(negrita, 0);
    EXPECT_NE(normal, negrita);
    EXPECT_EQ(pdf.FindFont("Helvetica", "winansi", 0), normal); // the same handle again
    pdf.SetFont(normal, 12);
    EXPECT_FLOAT_EQ(pdf.GetFontSize(), 12);
    pdf.ShowXY("Calefacción, Refrigeración: 25 € (m³/hm², W/m²K) Año", 72, 700);
    pdf.SetFont(negrita, 10);
    pdf.ShowXY("Justificación «Región» C:\\obras\\(1)", 72, 680);
    ASSERT_TRUE(pdf.Close());

    const std::string texto = TextoPDF(ruta);
    EXPECT_NE(texto.find("Calefacción, Refrigeración: 25 € (m³/hm², W/m²K) Año"), std::string::npos)
        << texto;
    EXPECT_NE(texto.find("Justificación «Región» C:\\obras\\(1)"), std::string::npos) << texto;
    const std::string info = InfoPDF(ruta);
    EXPECT_NE(info.find("Autoría propia"), std::string::npos) << info;
}

TEST_F(PruebaPDF, CerrarCompletaLaPaginaAbierta) {
    const AnsiString ruta = Ruta("paginas.pdf");
    PDF pdf;
    ASSERT_EQ(pdf.OpenFile(ruta), 1);
    // Nothing is written until the document is complete.
    EXPECT_FALSE(FileExists(ruta));
    const int fuente = pdf.FindFont("Helvetica", "winansi", 0);
    pdf.BeginPage(595, 842);
    pdf.SetFont(fuente, 12);
    pdf.ShowXY("primera", 72, 700);
    pdf.SetLineWidth(1);
    pdf.Rect(72, 72, 451, 14);
    pdf.Stroke();
    pdf.EndPage();
    pdf.BeginPage(595, 842);
    pdf.SetFont(fuente, 12);
    pdf.ShowXY("segunda", 72, 700);
    ASSERT_TRUE(pdf.Close()); // the second page is still open

    const std::string info = InfoPDF(ruta);
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       595 x 842 pts (A4)"), std::string::npos) << info;
    const std::string texto = TextoPDF(ruta);
    const size_t primera = texto.find("primera"), salto = texto.find('\f'),
                 segunda = texto.find("segunda");
    ASSERT_NE(segunda, std::string::npos) << texto;
    EXPECT_LT(primera, salto);
    EXPECT_LT(salto, segunda);
}

TEST_F(PruebaPDF, FicheroQueNoSePuedeCrear) {
    carpeta.Fichero("fichero", "no es una carpeta");
    std::filesystem::create_directory(NativePath(Ruta("carpeta")));
    for (const char* nombre : {"fichero/informe.pdf", "no_existe/informe.pdf", "carpeta", ""}) {
        SCOPED_TRACE(nombre);
        PDF pdf;
        EXPECT_EQ(pdf.OpenFile(*nombre ? Ruta(nombre) : AnsiString()), -1);
        pdf.BeginPage(595, 842);
        EXPECT_FALSE(pdf.Close());
    }
    EXPECT_TRUE(DirectoryExists(Ruta("carpeta")));
}

TEST_F(PruebaPDF, UnDocumentoSinCerrarDejaElFicheroComoEstaba) {
    const AnsiString ruta = carpeta.Fichero("viejo.pdf", "contenido anterior");
    {
        PDF pdf;
        ASSERT_EQ(pdf.OpenFile(ruta), 1);
        pdf.BeginPage(595, 842);
    }
    std::string contenido;
    ASSERT_TRUE(ReadWholeFile(ruta, contenido));
    EXPECT_EQ(contenido, "contenido anterior");
    // Nothing else is left in the folder.
    int ficheros = 0;
    for ([[maybe_unused]] const auto& e :
         std::filesystem::directory_iterator(NativePath(carpeta.Ruta())))
        ++ficheros;
    EXPECT_EQ(ficheros, 1);
}

TEST_F(PruebaPDF, UnaEscrituraQueFallaDejaElFicheroComoEstaba) {
    const AnsiString ruta = carpeta.Fichero("viejo.pdf", "contenido anterior");
    for (FileWriter::Failure fallo : {FileWriter::Failure::Write, FileWriter::Failure::Close}) {
        FileWriter::InjectFailureForTests(fallo);
        PDF pdf;
        ASSERT_EQ(pdf.OpenFile(ruta), 1);
        pdf.BeginPage(595, 842);
        EXPECT_FALSE(pdf.Close());
        std::string contenido;
        ASSERT_TRUE(ReadWholeFile(ruta, contenido));
        EXPECT_EQ(contenido, "contenido anterior");
    }
}

TEST_F(PruebaPDF, AnchoDeTextos) {
    PDF pdf;
    const int normal = pdf.FindFont("Helvetica", "winansi", 0);
    const int negrita = pdf.FindFont("Helvetica-Bold", "winansi", 0);
    // Widths of the standard fonts in thousandths: H 722, o 556/611, l 222/278, a 556,
    // é 556/556.
    EXPECT_NEAR(pdf.StringWidth("Hola", normal, 10), 20.56f, 1e-4);
    EXPECT_NEAR(pdf.StringWidth("Hola", negrita, 10), 21.67f, 1e-4);
    EXPECT_NEAR(pdf.StringWidth("é", normal, 12), 6.672f, 1e-4);
    EXPECT_EQ(pdf.StringWidth("", normal, 12), 0);
    EXPECT_EQ(pdf.StringWidth("Hola", 99, 12), 0);
    EXPECT_EQ(pdf.FindFont("NoExiste", "winansi", 0), -1);
}

TEST_F(PruebaPDF, ImagenASuTamanoEnPixelesPorLaEscala) {
    const AnsiString jpeg = Ruta("logo.jpg");
    EscribirJPEG(jpeg, 800, 360, 300); // the stated density must not count
    const AnsiString ruta = Ruta("imagen.pdf");
    PDF pdf;
    ASSERT_EQ(pdf.OpenFile(ruta), 1);
    pdf.BeginPage(595, 842);
    const int imagen = pdf.OpenJPEG(jpeg);
    ASSERT_GE(imagen, 0);
    // 800 x 360 pixels at 0.09: 72 x 32.4 points, one inch wide, so 800 pixels per inch.
    pdf.PlaceImage(imagen, 73.66f, 766.3f, 0.09f);
    pdf.CloseImage(imagen);
    pdf.PlaceImage(imagen, 0, 0, 1); // a closed handle places nothing
    EXPECT_EQ(pdf.OpenJPEG(Ruta("falta.jpg")), -1);
    EXPECT_EQ(pdf.OpenJPEG(carpeta.Fichero("falso.jpg", "no es un JPEG")), -1);
    ASSERT_TRUE(pdf.Close());

    const std::string lista = ImagenesPDF(ruta);
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi ...
    EXPECT_NE(lista.find("1     0 image     800   360  gray    1   8  jpeg   no"),
              std::string::npos)
        << lista;
    EXPECT_NE(lista.find("800   800"), std::string::npos) << lista;
    // Only one image was placed.
    EXPECT_EQ(lista.find("\n   1     1 "), std::string::npos) << lista;
}

} // namespace
