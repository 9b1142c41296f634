// Idioma: los términos del dominio en cada variante de idioma.

#include "comunes/Idioma.h"

#include <gtest/gtest.h>

namespace {

class PruebaIdioma : public testing::Test {
protected:
    void TearDown() override { Idioma::Liberar(); }
};

TEST_F(PruebaIdioma, TraduceSegunLaVariante) {
    // Columnas: variante 0 (y cualquier otra), 1 inglés, 2 regional. "" = no está.
    struct Caso {
        const char* termino;
        const char* espanol;
        const char* ingles;
        const char* regional;
    } casos[] = {
        {"Ninguno", "Ninguno", "None", ""},
        {"Acondicionado", "Acondicionado", "Conditioned", ""},
        {"No acondicionado", "No acondicionado", "Unconditioned", ""},
        {"Adiabatico", "ADIABATICO", "ADIABATIC", ""},
        {"Estandar", "ESTANDAR", "STANDARD", ""},
        {"Techo", "TECHO", "TOP", ""},
        {"Suelo", "SUELO", "BOTTOM", ""},
        {"Planta", "Planta", "Floor", "Piso"},
        {"Espacio", "Espacio", "Space", ""},
        {"Residencial", "Residencial", "Residential", ""},
        {"Huecos", "Huecos", "", "Vanos"},
        {"Hueco", "Hueco", "", "Vano"},
        {"Plantas", "", "", "Pisos"},
        {"techo", "", "", ""}, // se compara con mayúsculas y minúsculas
        {"Desconocido", "", "", ""},
    };
    Idioma* idioma = Idioma::Instancia();
    EXPECT_EQ(idioma->Codigo(), 0);
    for (unsigned char codigo : {0, 1, 2, 3}) {
        idioma->FijarCodigoParaPruebas(codigo);
        for (const Caso& caso : casos) {
            const char* esperado = codigo == 1   ? caso.ingles
                                   : codigo == 2 ? caso.regional
                                                 : caso.espanol;
            EXPECT_EQ(idioma->Traducir(caso.termino).str(), esperado)
                << "código " << int(codigo) << ", " << caso.termino;
        }
    }
}

TEST_F(PruebaIdioma, LiberarVuelveAlEspanol) {
    Idioma::Instancia()->FijarCodigoParaPruebas(1);
    Idioma::Liberar();
    EXPECT_EQ(Idioma::Instancia()->Codigo(), 0);
}

} // namespace
