// Sombras fijas: registro, vértices y el contenedor compartido.

#include "modelo/Sombra.h"
#include "modelo/Sombras.h"
#include "tests/comunes/registros_prueba.h"
#include "tests/modelo/modelo_prueba.h"

#include <cmath>

namespace {

using PruebaSombra = PruebaModelo;

Sombra* ComoSombra(const std::unique_ptr<ObjetoBase>& objeto) {
    return dynamic_cast<Sombra*>(objeto.get());
}

TEST_F(PruebaSombra, LeidaSinInclinacionEstaDePie) {
    auto leida = LeidoDe(
        LineasCRLF({"\"Voladizo\" = FIXED-SHADE", "      X = 2", "      Y = 1", "      Z = 3",
                    "      HEIGHT = 2.5", "      WIDTH = 4", "      AZIMUTH = 90", "    .."}),
        "FIXED-SHADE ", TIPO_SOMBRA);
    Sombra* sombra = ComoSombra(leida);
    ASSERT_NE(sombra, nullptr);
    EXPECT_FALSE(sombra->PrimerCalculo());
    float inclinacion = 0;
    sombra->ObtenerReal("Inclinación", inclinacion);
    EXPECT_FLOAT_EQ(inclinacion, 90.0f);
    const Coordenadas& v = sombra->Vertices();
    ASSERT_EQ(v.NumeroPuntos(), 4);
    // La base va de P0 a P1: con azimuth 90, x - 4 cos 90 e y + 4 sin 90.
    EXPECT_FLOAT_EQ(v.X(0), 2.0f);
    EXPECT_FLOAT_EQ(v.Y(0), 1.0f);
    EXPECT_FLOAT_EQ(v.Z(0), 3.0f);
    EXPECT_NEAR(v.X(1), 2.0f, 1e-5);
    EXPECT_NEAR(v.Y(1), 5.0f, 1e-5);
    EXPECT_FLOAT_EQ(v.Z(1), 3.0f);
    // De pie: el borde de arriba está 2.5 por encima de la base, justo sobre ella.
    EXPECT_NEAR(v.Z(2), 5.5f, 1e-5);
    EXPECT_NEAR(v.Z(3), 5.5f, 1e-5);
    EXPECT_NEAR(v.X(3), v.X(0), 1e-5);
    EXPECT_NEAR(v.Y(3), v.Y(0), 1e-5);
    EXPECT_NEAR(v.X(2), v.X(1), 1e-5);
    EXPECT_NEAR(v.Y(2), v.Y(1), 1e-5);
}

TEST_F(PruebaSombra, InclinadaYSinAnchura) {
    auto leida = LeidoDe(LineasCRLF({"\"S\" = FIXED-SHADE", "      X = 0", "      HEIGHT = 2",
                                     "      TILT = 30", "    .."}),
                         "FIXED-SHADE ", TIPO_SOMBRA);
    Sombra* sombra = ComoSombra(leida);
    ASSERT_NE(sombra, nullptr);
    const Coordenadas& v = sombra->Vertices();
    // Sin anchura P0 = P1 y P2 = P3.
    EXPECT_EQ(v.X(0), v.X(1));
    EXPECT_EQ(v.Y(0), v.Y(1));
    EXPECT_EQ(v.X(2), v.X(3));
    EXPECT_EQ(v.Y(2), v.Y(3));
    EXPECT_EQ(v.Z(2), v.Z(3));
    // Inclinada 30 grados con azimuth 0: se echa 2 cos 30 hacia -Y y sube 2 sin 30.
    EXPECT_NEAR(v.Y(3), -2.0 * std::cos(3.14159265 / 6), 1e-5);
    EXPECT_NEAR(v.Z(3), 1.0, 1e-5);
}

TEST_F(PruebaSombra, EscribeSiempreLosSieteValores) {
    Sombra sombra("Alero");
    EXPECT_TRUE(sombra.PrimerCalculo());
    const std::string escrito = ComprobarIdaYVuelta(sombra, "FIXED-SHADE ", TIPO_SOMBRA);
    EXPECT_EQ(escrito, LineasCRLF({
                           "\"Alero\" = FIXED-SHADE",
                           "      X = 0.000000",
                           "      Y = 0.000000",
                           "      Z = 0.000000",
                           "      HEIGHT = 0.000000",
                           "      WIDTH = 0.000000",
                           "      TILT = 90.000000",
                           "      AZIMUTH = 0.000000",
                           "    ..",
                       }));
}

TEST_F(PruebaSombra, ClavesCopiaYContenedor) {
    EXPECT_EQ(Sombras::Existente(), nullptr);
    auto leida = LeidoDe(LineasCRLF({"\"A\" = FIXED-SHADE", "      X = 1.5", "      Y = 2",
                                     "      Z = 3", "      HEIGHT = 4", "      WIDTH = 5",
                                     "      TILT = 60", "      AZIMUTH = 45.5", "    .."}),
                         "FIXED-SHADE ", TIPO_SOMBRA);
    ASSERT_NE(leida, nullptr);
    // La sombra crea el contenedor compartido al nacer.
    ASSERT_NE(Sombras::Existente(), nullptr);
    EXPECT_EQ(Sombras::Instancia()->ObtenerNombre(), "Sombras");
    AnsiString texto;
    leida->ValorPropiedad("Azimuth", texto);
    EXPECT_EQ(texto, "45.5");
    leida->ValorPropiedad("Nombre", texto);
    EXPECT_EQ(texto, "A");

    Sombra copia("B");
    copia.CopiarDe(*leida);
    const char* claves[] = {"X", "Y", "Z", "Altura", "Anchura", "Inclinación", "Azimuth"};
    for (const char* clave : claves) {
        float original = -1, copiado = -2;
        leida->ObtenerReal(clave, original);
        copia.ObtenerReal(clave, copiado);
        EXPECT_EQ(original, copiado) << clave;
    }
    ComprobarIdaYVuelta(*leida, "FIXED-SHADE ", TIPO_SOMBRA);

    // Soltar una sombra del contenedor no la borra.
    Sombras* sombras = Sombras::Instancia();
    sombras->AnadirHijo(&copia);
    sombras->QuitarHijo(&copia);
    sombras->QuitarHijo(nullptr);
    EXPECT_EQ(copia.ObtenerDueno(), nullptr);
    EXPECT_EQ(sombras->NumeroHijos(), 0);
}

} // namespace
