// La página de los informes en PDF, leída con las herramientas de poppler: la cabecera de
// cada disposición con su logotipo, sus títulos y sus etiquetas; el salto de página con la
// cabecera entera y el número; los textos recortados a su celda y alineados; el logotipo que
// falta; el fichero que no se puede crear.

#include "comunes/DocumentoPDFOstrel.h"
#include "comunes/Idioma.h"
#include "comunes/Version.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/string_list.h"
#include "tests/comun/pdf_prueba.h"
#include "tests/comun/pruebas.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/instalacion_prueba.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Disposicion = DocumentoPDFOstrel::Disposicion;
constexpr double u = DocumentoPDFOstrel::kUnidad;
constexpr double m = DocumentoPDFOstrel::kMargen;
constexpr double W = DocumentoPDFOstrel::kAnchoUtil;

// Una imagen colocada: su ancho en píxeles y sus píxeles por pulgada (72 / escala).
struct Colocada {
    int ancho;
    int ppp;
};
std::vector<Colocada> Colocadas(const AnsiString& pdf) {
    std::vector<Colocada> imagenes;
    std::istringstream lista(ImagenesPDF(pdf));
    std::string linea;
    while (std::getline(lista, linea)) {
        std::istringstream campos(linea);
        std::vector<std::string> c;
        for (std::string campo; campos >> campo;)
            c.push_back(campo);
        // page num type width height color comp bpc enc interp object ID x-ppi ...
        if (c.size() >= 13 && c[2] == "image")
            imagenes.push_back({std::stoi(c[3]), std::stoi(c[12])});
    }
    return imagenes;
}

// Los logotipos de la carpeta de librería se distinguen por su ancho.
constexpr int kLogo = 100, kLogoNorvia = 120, kLogoDumvat = 140;

class PruebaDocumentoPDF : public InstalacionDePrueba {
protected:
    PruebaDocumentoPDF() : InstalacionDePrueba("LIB = \"Lib\\\"\n") {}
    void SetUp() override {
        InstalacionDePrueba::SetUp();
        ForceDirectories(carpeta.Ruta() + "Lib");
    }
    void TearDown() override {
        Version::Instancia()->FijarModoParaPruebas(0);
        InstalacionDePrueba::TearDown();
    }
    void Logotipos() {
        EscribirJPEG(carpeta.Ruta() + "Lib/logo.jpg", kLogo, 40);
        EscribirJPEG(carpeta.Ruta() + "Lib/logoNorvia.jpg", kLogoNorvia, 40);
        EscribirJPEG(carpeta.Ruta() + "Lib/logoDumvat.jpg", kLogoDumvat, 40);
    }
    AnsiString Ruta(const char* nombre) const { return carpeta.Ruta() + nombre; }
    static void Fila(DocumentoPDFOstrel& d, std::vector<std::vector<const char*>> celdas,
                     bool deHuecos = false) {
        TStringList textos, anchos, estilos;
        for (const auto& c : celdas) {
            textos.Add(c[0]);
            anchos.Add(c[1]);
            estilos.Add(c[2]);
        }
        if (deHuecos)
            d.Tabla(textos, anchos, estilos);
        else
            d.FilaTabla(textos, anchos, estilos);
    }
    SeparadorRegional separador{'.'};
};

TEST_F(PruebaDocumentoPDF, CabeceraDeCadaDisposicion) {
    Logotipos();
    struct Caso {
        Disposicion disposicion;
        unsigned char idioma, modo;
        std::vector<std::string> estan, faltan;
        int logo;
        int ppp;            // 72 / escala
        double xOpcion = 0; // dónde empieza el primer título de tres
        const char* titulo = "Opción";
    };
    const double x = m + 1.4 * u - 38; // la x de referencia del logotipo
    const Caso casos[] = {
        {Disposicion::Promedio,
         0,
         0,
         {"HE-1", "Opción", "General", "Proyecto", "Localidad", "Comunidad",
          "Fecha:", "Ref:", "Página:"},
         {"Ciudad", "Región", "Comuna", "Calificación"},
         kLogo,
         800,
         m + 1.4 * u},
        {Disposicion::Promedio,
         2,
         0,
         {"HE-1", "Ciudad", "Región"},
         {"Localidad", "Comunidad", "Comuna"},
         kLogoNorvia,
         800,
         m + 1.4 * u},
        {Disposicion::Promedio,
         0,
         4,
         {"Calificación", "Energética"},
         {"HE-1", "Opción"},
         kLogoDumvat,
         800,
         m + 1.4 * u,
         "Calificación"},
        {Disposicion::Promedio, 0, 1, {"Localidad"}, {"HE-1", "Calificación"}, kLogo, 800},
        {Disposicion::Huecos,
         0,
         0,
         {"HE-1", "Opción", "General", "Localidad", "Comunidad"},
         {"Comuna"},
         kLogo,
         655,
         x + 14},
        {Disposicion::Huecos,
         2,
         0,
         {"Comuna", "Región"},
         {"HE-1", "Opción", "Ciudad", "Localidad"},
         kLogoNorvia,
         720},
        {Disposicion::Huecos,
         2,
         4,
         {"Calificación", "Energética", "Comuna"},
         {"HE-1"},
         kLogoNorvia,
         720,
         x + 4,
         "Calificación"},
        {Disposicion::Huecos,
         0,
         4,
         {"Calificación", "Energética"},
         {"HE-1"},
         kLogoDumvat,
         655,
         x + 4,
         "Calificación"},
    };
    int n = 0;
    for (const Caso& caso : casos) {
        SCOPED_TRACE(n);
        Idioma::Instancia()->FijarCodigoParaPruebas(caso.idioma);
        Version::Instancia()->FijarModoParaPruebas(caso.modo);
        const AnsiString ruta = Ruta(("cabecera" + std::to_string(n++) + ".pdf").c_str());
        DocumentoPDFOstrel documento(caso.disposicion);
        ASSERT_TRUE(documento.Abrir(ruta));
        documento.NuevaPagina();
        ASSERT_TRUE(documento.Cerrar());

        const std::vector<PalabraPDF> palabras = PalabrasPDF(ruta);
        for (const std::string& p : caso.estan)
            EXPECT_NE(BuscarPalabra(palabras, p), nullptr) << p;
        for (const std::string& p : caso.faltan)
            EXPECT_EQ(BuscarPalabra(palabras, p), nullptr) << p;
        if (caso.xOpcion != 0) {
            const PalabraPDF* titulo = BuscarPalabra(palabras, caso.titulo);
            ASSERT_NE(titulo, nullptr);
            EXPECT_NEAR(titulo->xMin, caso.xOpcion, 0.5);
        }
        const PalabraPDF* pagina = BuscarPalabra(palabras, "Página:");
        ASSERT_NE(pagina, nullptr);
        EXPECT_NEAR(pagina->xMin, 595 - m - 1.7 * u, 0.5);
        EXPECT_NE(TextoPDF(ruta).find("Página: 1"), std::string::npos);

        const std::vector<Colocada> imagenes = Colocadas(ruta);
        ASSERT_EQ(imagenes.size(), 1u);
        EXPECT_EQ(imagenes[0].ancho, caso.logo);
        EXPECT_NEAR(imagenes[0].ppp, caso.ppp, 1);
    }
}

TEST_F(PruebaDocumentoPDF, DatosDeLaCabeceraYDelPie) {
    const AnsiString ruta = Ruta("datos.pdf");
    DocumentoPDFOstrel documento;
    documento.PonerDatosCabecera("Viviendas Sur", "01/02/2026", "Ávila", "Castilla", "R-7");
    ASSERT_TRUE(documento.Abrir(ruta));
    documento.NuevaPagina();
    ASSERT_TRUE(documento.Cerrar());
    const std::string texto = TextoPDF(ruta, true);
    for (const char* esperado :
         {"Viviendas Sur", "Ávila", "Castilla", "Fecha: 01/02/2026", "Ref: R-7", "Página: 1"})
        EXPECT_NE(texto.find(esperado), std::string::npos) << esperado << "\n" << texto;
    const std::vector<PalabraPDF> palabras = PalabrasPDF(ruta);
    const PalabraPDF* proyecto = BuscarPalabra(palabras, "Proyecto");
    const PalabraPDF* dato = BuscarPalabra(palabras, "Viviendas");
    ASSERT_NE(proyecto, nullptr);
    ASSERT_NE(dato, nullptr);
    EXPECT_NEAR(dato->xMin - proyecto->xMin, 1.7 * u, 0.5);
    EXPECT_NEAR(dato->yMax - proyecto->yMax, 0.4 * u, 0.5); // 0.4 unidades más abajo
}

TEST_F(PruebaDocumentoPDF, SaltoDePaginaConCabeceraYNumero) {
    Logotipos();
    const AnsiString ruta = Ruta("saltos.pdf");
    DocumentoPDFOstrel documento;
    ASSERT_TRUE(documento.Abrir(ruta));
    documento.NuevaPagina();
    EXPECT_NEAR(documento.GetY(), 842 - 4.8 * u, 1e-3);
    // Sin párrafo, la primera fila va en 842 - 4.8u y cada una baja 0.8u: caben las que
    // quedan por encima del límite inferior de 5.5u, 25 filas.
    for (int i = 0; i < 30; ++i) {
        char texto[8];
        std::snprintf(texto, sizeof texto, "F%02d", i);
        Fila(documento, {{texto, "1", ""}});
    }
    EXPECT_EQ(documento.GetContadorPaginas(), 3);
    ASSERT_TRUE(documento.Cerrar());

    const std::vector<PalabraPDF> palabras = PalabrasPDF(ruta);
    ASSERT_NE(BuscarPalabra(palabras, "F24", 1), nullptr);
    ASSERT_NE(BuscarPalabra(palabras, "F25", 2), nullptr);
    for (const char* p : {"Proyecto", "Localidad", "Comunidad", "HE-1", "Página:"})
        EXPECT_NE(BuscarPalabra(palabras, p, 2), nullptr) << p;
    // La primera fila de la página nueva sigue bajo la cabecera, donde empezó la primera.
    EXPECT_NEAR(BuscarPalabra(palabras, "F25")->yMax, BuscarPalabra(palabras, "F00")->yMax, 0.01);
    const std::string texto = TextoPDF(ruta);
    const size_t salto = texto.find('\f');
    EXPECT_NE(texto.find("Página: 1"), std::string::npos);
    EXPECT_GT(texto.find("Página: 2"), salto);
    EXPECT_EQ(Colocadas(ruta).size(), 2u); // el logotipo en las dos páginas
    EXPECT_NE(InfoPDF(ruta).find("Pages:           2"), std::string::npos);
}

TEST_F(PruebaDocumentoPDF, TextosRecortadosYAlineadosEnSuCelda) {
    const AnsiString ruta = Ruta("celdas.pdf");
    DocumentoPDFOstrel documento(Disposicion::Huecos);
    ASSERT_TRUE(documento.Abrir(ruta));
    documento.NuevaPagina();
    // Celdas de W/4 = 112.76 puntos. A 12 puntos "M" mide 10 e "i" 2.664 (3.336 en negrita):
    // once "M" y una "i" caben a la izquierda (112.66), pero no en negrita; recortando, a la
    // izquierda el texto debe dejar 2 puntos libres y pierde la "i".
    Fila(documento, {{"MMMMMMMMMMMi", "0.25", "Black"},
                     {"", "0.25", ""},
                     {"MMMMMMMMMMMiM", "0.25", ""},
                     {"", "0.25", ""}});
    Fila(documento, {{"", "0.75", ""}, {"MMMMMMMMMMMi", "0.25", ""}});
    // A 8 puntos "M" mide 6.664: a la derecha caben 16.
    Fila(documento,
         {{"Centro", "0.25", "Normal-cnt"},
          {"MMMMMMMMMMMMMMMMMMMM", "0.25", "Normal-dch"},
          {"Negrita", "0.25", "Black-Izq"},
          {"Otro", "0.25", "estilo cualquiera"}},
         true);
    // Una celda sin ancho; el ancho vale también con coma decimal.
    Fila(documento, {{"Nada", "0", ""}, {"Izq", "0,25", ""}});
    documento.Estilo("Invisible", m, m + W, 300, "Justificado");
    ASSERT_TRUE(documento.Cerrar());

    const std::vector<PalabraPDF> p = PalabrasPDF(ruta);
    auto palabra = [&](const std::string& texto, int cual = 0) -> const PalabraPDF& {
        for (const PalabraPDF& x : p)
            if (x.texto == texto && cual-- == 0) return x;
        ADD_FAILURE() << "falta " << texto;
        static const PalabraPDF ninguna{};
        return ninguna;
    };
    const double c = W / 4;
    // Centrada y recortada: once "M".
    EXPECT_NEAR((palabra("MMMMMMMMMMM").xMin + palabra("MMMMMMMMMMM").xMax) / 2, m + c / 2, 0.1);
    // A la izquierda, a 0.1u del borde: recortada, y entera cuando cabe.
    EXPECT_NEAR(palabra("MMMMMMMMMMM", 1).xMin, m + 2 * c + 0.1 * u, 0.1);
    EXPECT_NEAR(palabra("MMMMMMMMMMMi").xMin, m + 3 * c + 0.1 * u, 0.1);
    // Tabla de huecos: centrada, a la derecha recortada a 16 "M" y a 0.2u del borde derecho,
    // negrita a la izquierda y un estilo desconocido a la izquierda.
    EXPECT_NEAR((palabra("Centro").xMin + palabra("Centro").xMax) / 2, m + c / 2, 0.1);
    EXPECT_NEAR(palabra("MMMMMMMMMMMMMMMM").xMax, m + 2 * c - 0.2 * u, 0.1);
    EXPECT_NEAR(palabra("Negrita").xMin, m + 2 * c + 0.1 * u, 0.1);
    EXPECT_NEAR(palabra("Otro").xMin, m + 3 * c + 0.1 * u, 0.1);
    EXPECT_LT(palabra("Negrita").yMax - palabra("Negrita").yMin, 10); // letra de 8 puntos
    EXPECT_GT(palabra("Izq").yMax - palabra("Izq").yMin, 10);         // letra de 12 puntos
    EXPECT_NEAR(palabra("Izq").xMin, m + 0.1 * u, 0.1);
    for (const char* nunca : {"Nada", "Invisible", "MMMMMMMMMMMMMMMMM", "MMMMMMMMMMMiM"})
        EXPECT_EQ(BuscarPalabra(p, nunca), nullptr) << nunca;
}

TEST_F(PruebaDocumentoPDF, RayasYMarcosDondeVan) {
    const AnsiString ruta = Ruta("raya.pdf");
    DocumentoPDFOstrel documento(Disposicion::Huecos);
    ASSERT_TRUE(documento.Abrir(ruta));
    documento.NuevaPagina();
    const float y = documento.GetY();
    // La raya va a la altura del borde de arriba de la fila, con medio centímetro libre a
    // cada lado; no mueve la línea.
    documento.LineaHorizontal();
    EXPECT_FLOAT_EQ(documento.GetY(), y);
    documento.Avanzar();
    const float paso = 0.8f * DocumentoPDFOstrel::kUnidad;
    EXPECT_FLOAT_EQ(documento.GetY(), y - paso);
    // Una fila de dos celdas, 0.4 y 0.6 del ancho útil, una línea más abajo.
    Fila(documento, {{"A", "0.4", "Black-Izq"}, {"B", "0.6", "Normal"}}, true);
    ASSERT_TRUE(documento.Cerrar());

    const PaginaGris pagina = PaginaEnGris(ruta, 1);
    ASSERT_EQ(pagina.ancho, 595);
    ASSERT_EQ(pagina.alto, 842);
    const double raya = y + paso - 0.2 * u;
    EXPECT_LT(pagina.Oscuro(m + 0.5 * u + 3, raya), 128);
    EXPECT_LT(pagina.Oscuro(595 - m - 0.5 * u - 3, raya), 128);
    EXPECT_GT(pagina.Oscuro(m + 0.5 * u - 4, raya), 200);
    EXPECT_GT(pagina.Oscuro(595 - m - 0.5 * u + 4, raya), 200);
    // El marco de la fila, de m a m + W entre y - 0.2u y y + 0.6u, y la raya entre celdas.
    const double fila = y - paso;
    EXPECT_LT(pagina.Oscuro(m, fila), 128);
    EXPECT_LT(pagina.Oscuro(m + W, fila), 128);
    EXPECT_LT(pagina.Oscuro(m + 0.4 * W, fila), 128);
    EXPECT_LT(pagina.Oscuro(m + 0.2 * W, fila - 0.2 * u), 128);
    EXPECT_LT(pagina.Oscuro(m + 0.2 * W, fila + 0.6 * u), 128);
    EXPECT_GT(pagina.Oscuro(m + 0.3 * W, fila + 0.3 * u, 2), 200);
    EXPECT_GT(pagina.Oscuro(m - 4, fila), 200);
    // La cabecera: la banda de m a m + W con su borde de abajo en 842 - 3.2u, y el pie.
    EXPECT_LT(pagina.Oscuro(m + W / 2, 842 - 3.2 * u), 128);
    EXPECT_LT(pagina.Oscuro(m + W / 2, 842 - 1.5 * u), 128);
    EXPECT_LT(pagina.Oscuro(m + W / 2, 2.1 * u), 128);
    EXPECT_LT(pagina.Oscuro(m + W / 2, 2.6 * u), 128);
}

TEST_F(PruebaDocumentoPDF, SinLogotipoNiLogotipoLegible) {
    for (bool roto : {false, true}) {
        SCOPED_TRACE(roto);
        if (roto) carpeta.Fichero("Lib/logo.jpg", "no es un JPEG");
        const AnsiString ruta = Ruta(roto ? "roto.pdf" : "sin.pdf");
        DocumentoPDFOstrel documento;
        ASSERT_TRUE(documento.Abrir(ruta));
        documento.NuevaPagina();
        ASSERT_TRUE(documento.Cerrar());
        EXPECT_TRUE(Colocadas(ruta).empty());
        EXPECT_NE(TextoPDF(ruta).find("Página: 1"), std::string::npos);
    }
}

// Lo que no se puede crear ni escribir se dice con el texto de siempre y, detrás, el motivo
// del sistema; un fichero que ya estaba queda como estaba.
TEST_F(PruebaDocumentoPDF, FicheroQueNoSePuedeCrearNiEscribir) {
    carpeta.Fichero("fichero", "no es una carpeta");
    carpeta.Fichero("Documentos/previo.pdf", "el de antes");
    const struct {
        const char* nombre;
        FileWriter::Failure fallo; // en el primer fichero que se escriba
        bool abre;
        const char* motivo;
    } casos[] = {
        {"fichero/informe.pdf", FileWriter::Failure::None, false,
         "una parte de la ruta no es una carpeta"},
        {"no_esta/informe.pdf", FileWriter::Failure::None, false,
         "la carpeta o el fichero no existe"},
        {"Lib", FileWriter::Failure::None, false, "es una carpeta"},
        {"Documentos/previo.pdf", FileWriter::Failure::Close, true, "error de entrada/salida"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Guion().Reset();
        Guion().AnswerMessageBox(IDOK);
        FileWriter::InjectFailureForTests(c.fallo);
        DocumentoPDFOstrel documento;
        const bool abierto = documento.Abrir(Ruta(c.nombre));
        ASSERT_EQ(abierto, c.abre);
        if (abierto) {
            documento.NuevaPagina();
            EXPECT_FALSE(documento.Cerrar());
        }
        ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
        const auto& caja = Guion().ShownBoxes()[0];
        const std::string texto = caja.text.str();
        const std::string siempre =
            "No se puede crear la documentación. Puede ser que el fichero ya este abierto\n";
        EXPECT_EQ(texto.substr(0, siempre.size()), siempre);
        EXPECT_NE(texto.find(c.motivo, siempre.size()), std::string::npos) << texto;
        EXPECT_EQ(caja.caption, AnsiString("Información"));
        EXPECT_EQ(caja.flags & MB_ICONMASK, unsigned(MB_ICONINFORMATION));
    }
    std::string previo;
    ASSERT_TRUE(ReadWholeFile(Ruta("Documentos/previo.pdf"), previo));
    EXPECT_EQ(previo, "el de antes");
}

} // namespace
