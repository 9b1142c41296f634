// El bloque de un hueco en el informe de huecos, leído del PDF: sus filas en orden con la
// transmitancia y el factor solar del hueco entero, la variante regional, el modo de
// calificación, un hueco de librería y uno que no se usa.

#include "comunes/DocumentoPDFOstrel.h"
#include "comunes/Hueco.h"
#include "comunes/Idioma.h"
#include "comunes/RegistroElementos.h"
#include "comunes/Version.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"

#include "plataforma/base/files.h"
#include "tests/comun/pdf_prueba.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/instalacion_prueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class PruebaHuecoInforme : public InstalacionDePrueba {
protected:
    PruebaHuecoInforme() : InstalacionDePrueba("LIB = \"Lib\\\"\n") {}
    void SetUp() override {
        InstalacionDePrueba::SetUp();
        RegistrarElementos();
        // Las partes del caso de referencia en las bases del programa: Ug 2.8, g 0.75;
        // Uf 5.7, alfa 0.6; y un hueco de 20 % de marco que las usa.
        bdLibreria* vidrios = bdAcristalamientos::Instancia(LISTA_PROGRAMA);
        ObjetoBase* vidrio =
            vidrios->BuscarPorNombre(vidrios->CrearHijo("Doble", TIPO_ACRISTALAMIENTO));
        vidrio->PonerReal("Factor solar", 0.75f);
        vidrio->PonerReal("Conductancia", 2.8f);
        bdLibreria* marcos = bdMarcos::Instancia(LISTA_PROGRAMA);
        ObjetoBase* marco = marcos->BuscarPorNombre(marcos->CrearHijo("Aluminio", TIPO_MARCO));
        marco->PonerReal("frameConduct", 5.7f);
        marco->PonerReal("frameAbs", 0.6f);
        bdLibreria* huecos = bdHuecos::Instancia(LISTA_PROGRAMA);
        hueco =
            dynamic_cast<Hueco*>(huecos->BuscarPorNombre(huecos->CrearHijo("Ventana", TIPO_HUECO)));
        ASSERT_NE(hueco, nullptr);
        hueco->AsignarPropiedad("Acristalamiento", "Doble");
        hueco->AsignarPropiedad("Marco", "Aluminio");
        hueco->AsignarPropiedad("Porcentaje", "20");
        hueco->PonerLogico("Utilizado", true);
    }
    void TearDown() override {
        bdHuecos::Instancia(LISTA_PROGRAMA)->Liberar();
        bdAcristalamientos::Instancia(LISTA_PROGRAMA)->Liberar();
        bdMarcos::Instancia(LISTA_PROGRAMA)->Liberar();
        Version::Instancia()->FijarModoParaPruebas(0);
        InstalacionDePrueba::TearDown();
    }

    // El informe de una página con el bloque del hueco; devuelve las líneas de su texto.
    std::vector<std::string> Informe(const char* nombre, float* bajada = nullptr) {
        ruta = carpeta.Ruta() + nombre;
        DocumentoPDFOstrel documento(DocumentoPDFOstrel::Disposicion::Huecos);
        EXPECT_TRUE(documento.Abrir(ruta));
        documento.NuevaPagina();
        const float y = documento.GetY();
        hueco->Informe(documento);
        if (bajada != nullptr)
            *bajada = (y - documento.GetY()) / (0.8f * DocumentoPDFOstrel::kUnidad);
        EXPECT_TRUE(documento.Cerrar());
        return LineasPDF(ruta);
    }

    Hueco* hueco = nullptr;
    AnsiString ruta;
    SeparadorRegional separador{'.'};
};

// Las filas del bloque, en orden, entre la cabecera y el pie.
std::vector<std::string> Bloque(const std::vector<std::string>& lineas) {
    std::vector<std::string> bloque;
    bool dentro = false;
    for (const std::string& l : lineas) {
        if (l.rfind("Nombre", 0) == 0) dentro = true;
        if (l.rfind("Fecha:", 0) == 0) dentro = false;
        if (dentro) bloque.push_back(l);
    }
    return bloque;
}

TEST_F(PruebaHuecoInforme, CasoDeReferencia) {
    ForceDirectories(carpeta.Ruta() + "Lib");
    std::filesystem::copy_file(QUENBAR_DATOS "/Lib/logo.jpg",
                               NativePath(carpeta.Ruta()) + "Lib/logo.jpg");
    float bajada = 0;
    const std::vector<std::string> lineas = Informe("hueco.pdf", &bajada);
    EXPECT_EQ(Bloque(lineas), (std::vector<std::string>{
                                  "Nombre Ventana", "Acristalamiento Doble", "Marco Aluminio",
                                  "% Hueco 20.00", "Permeabilidad m³/hm² a 100Pa 50.00",
                                  "U (W/m²K) 3.38", "Factor solar 0.63", "Justificación SI"}));
    // Ocho filas y una línea más.
    EXPECT_NEAR(bajada, 9, 1e-3);
    EXPECT_FALSE(PaginaPNG(ruta, 1, "informe_hueco").empty());
}

TEST_F(PruebaHuecoInforme, VarianteRegionalModoDeCalificacionYLibreria) {
    Idioma::Instancia()->FijarCodigoParaPruebas(2);
    EXPECT_EQ(
        Bloque(Informe("regional.pdf")),
        (std::vector<std::string>{"Nombre Ventana", "Acristalamiento Doble", "Marco Aluminio",
                                  "% de Marco con respecto a Vano Total 20.00", "U (W/m²K) 3.38"}));

    Idioma::Instancia()->FijarCodigoParaPruebas(0);
    Version::Instancia()->FijarModoParaPruebas(4);
    std::vector<std::string> bloque = Bloque(Informe("modo4.pdf"));
    ASSERT_FALSE(bloque.empty());
    EXPECT_EQ(bloque.back(), "Factor solar 0.63");

    Version::Instancia()->FijarModoParaPruebas(0);
    hueco->MarcarLibreria();
    bloque = Bloque(Informe("libreria.pdf"));
    ASSERT_FALSE(bloque.empty());
    EXPECT_EQ(bloque.back(), "Justificación --");
}

TEST_F(PruebaHuecoInforme, UnHuecoQueNoSeUsaNoEscribeNada) {
    hueco->PonerLogico("Utilizado", false);
    float bajada = -1;
    EXPECT_TRUE(Bloque(Informe("nada.pdf", &bajada)).empty());
    EXPECT_EQ(bajada, 0);
}

} // namespace
