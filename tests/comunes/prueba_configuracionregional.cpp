#include "comunes/Configuracionregional.h"

#include "tests/comun/separador_regional.h"

#include <gtest/gtest.h>

namespace {

struct CasoSeparador {
    char regional;
    const char* entrada;
    const char* salida;
};

const CasoSeparador kCasos[] = {
    {',', "12.5", "12,5"}, {',', "1.000.5", "1,000,5"}, {',', "12,5", "12,5"}, {',', "abc", "abc"},
    {'.', "12,5", "12.5"}, {'.', "1,000,5", "1.000.5"}, {'.', "12.5", "12.5"}, {'.', "abc", "abc"},
    {'.', "", ""},         {',', "-0.5e-3", "-0,5e-3"},
};

TEST(AdaptarSeparadorDecimal, CambiaSoloElSeparadorAlDeLaRegion) {
    for (const CasoSeparador& caso : kCasos) {
        SeparadorRegional region(caso.regional);
        AnsiString texto = caso.entrada;
        EXPECT_TRUE(AdaptarSeparadorDecimal(texto));
        EXPECT_EQ(texto.str(), caso.salida) << caso.regional << " " << caso.entrada;

        std::string cadena = caso.entrada;
        AdaptarSeparadorDecimal(cadena);
        EXPECT_EQ(cadena, caso.salida);
    }
}

TEST(AdaptarSeparadorDecimal, LeeLaRegionEnCadaLlamada) {
    AnsiString texto = "3.25";
    {
        SeparadorRegional coma(',');
        AdaptarSeparadorDecimal(texto);
        EXPECT_EQ(texto, "3,25");
    }
    SeparadorRegional punto('.');
    AdaptarSeparadorDecimal(texto);
    EXPECT_EQ(texto, "3.25");
}

} // namespace
