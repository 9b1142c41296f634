// Cambios: las cuatro marcas y cómo se tocan entre sí, su registro a la cabeza de un
// fichero ".BDC" (escrito y leído) y la ida y vuelta del registro.

#include "comunes/Cambios.h"
#include "comunes/LeerBDL.h"
#include "tests/comunes/registros_prueba.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Marcas {
    bool cambios, calculado, cambiosDumvat, calculadoDumvat;
    bool operator==(const Marcas&) const = default;
};

Marcas MarcasDe(const Cambios& c) {
    return {c.ValorIndicador("Cambios"), c.ValorIndicador("Calculado"),
            c.ValorIndicador("Cambios Dumvat"), c.ValorIndicador("Calculado Dumvat")};
}

void Poner(Cambios& c, const Marcas& m) {
    c.Reiniciar();
    // "Cambios" primero: ponerlo a cierto borraría "Calculado".
    c.PonerLogico("Cambios", m.cambios);
    c.PonerLogico("Calculado", m.calculado);
    c.PonerLogico("Cambios Dumvat", m.cambiosDumvat);
    c.PonerLogico("Calculado Dumvat", m.calculadoDumvat);
}

std::ostream& operator<<(std::ostream& os, const Marcas& m) {
    return os << "{" << m.cambios << m.calculado << m.cambiosDumvat << m.calculadoDumvat << "}";
}

class PruebaCambios : public testing::Test {
protected:
    void TearDown() override { Cambios::Liberar(); }
    Cambios& cambios = *Cambios::Instancia();
};

TEST_F(PruebaCambios, UnCambioBorraElCalculoSoloEnSuPar) {
    EXPECT_EQ(cambios.ObtenerNombre(), AnsiString("Cambios"));
    EXPECT_EQ(MarcasDe(cambios), (Marcas{false, false, false, false}));

    cambios.PonerLogico("Calculado", true);
    cambios.PonerLogico("Calculado Dumvat", true);
    cambios.PonerLogico("Cambios Dumvat", true);
    EXPECT_EQ(MarcasDe(cambios), (Marcas{false, true, true, true}));
    cambios.PonerLogico("Cambios", true);
    EXPECT_EQ(MarcasDe(cambios), (Marcas{true, false, true, true}));
    // Quitar el cambio no devuelve el cálculo.
    cambios.PonerLogico("Cambios", false);
    EXPECT_EQ(MarcasDe(cambios), (Marcas{false, false, true, true}));

    // Otras claves, ni se ponen ni se leen.
    cambios.PonerLogico("cambios", true);
    cambios.PonerLogico("Utilizado", true);
    EXPECT_EQ(MarcasDe(cambios), (Marcas{false, false, true, true}));
    EXPECT_FALSE(cambios.ValorIndicador("Otra"));
    bool logico = true;
    cambios.ObtenerLogico("Calculado Dumvat", logico);
    EXPECT_TRUE(logico);
    cambios.ObtenerLogico("Calculado", logico);
    EXPECT_FALSE(logico);

    cambios.Reiniciar();
    EXPECT_EQ(MarcasDe(cambios), (Marcas{false, false, false, false}));

    // Es único hasta que se libera; el siguiente empieza de cero.
    cambios.PonerLogico("Cambios", true);
    EXPECT_EQ(Cambios::Instancia(), &cambios);
    Cambios::Liberar();
    EXPECT_EQ(MarcasDe(*Cambios::Instancia()), (Marcas{false, false, false, false}));
}

TEST_F(PruebaCambios, ElRegistroDiceNoSoloSinCambiosYCalculado) {
    struct Caso {
        Marcas marcas;
        const char* cambio;
        const char* dumvat;
    } casos[] = {
        {{false, false, false, false}, "SI", "SI"}, {{false, true, false, true}, "NO", "NO"},
        {{true, true, false, true}, "SI", "NO"},    {{false, true, true, true}, "NO", "SI"},
        {{true, false, false, false}, "SI", "SI"},
    };
    for (const Caso& caso : casos) {
        Poner(cambios, caso.marcas);
        // "Calculado" puesto tras "Cambios": el caso {true, true} es posible.
        ASSERT_EQ(MarcasDe(cambios), caso.marcas);
        EXPECT_EQ(Escrito([&](FileWriter& f) { cambios.Escribir(f); }),
                  LineasCRLF({"$", std::string("CAMBIO = ") + caso.cambio,
                              std::string("CAMBIO-DUMVAT = ") + caso.dumvat}))
            << caso.marcas;
    }
}

TEST_F(PruebaCambios, LaLecturaDeCadaPar) {
    struct Caso {
        const char* texto;
        Marcas antes;
        Marcas despues;
    } casos[] = {
        // SI cambia sin tocar el cálculo; lo demás, sin cambios y calculado.
        {"$\nCAMBIO = SI\nCAMBIO-DUMVAT = NO\n",
         {false, true, true, false},
         {true, true, false, true}},
        {"$\nCAMBIO = NO\nCAMBIO-DUMVAT = SI\n",
         {true, false, false, false},
         {false, true, true, false}},
        {"CAMBIO = \"SI\"\nCAMBIO-DUMVAT = \"SI\"\n",
         {false, false, false, true},
         {true, false, true, true}},
        {"CAMBIO = si\nCAMBIO-DUMVAT = X\n",
         {true, false, true, false},
         {false, true, false, true}},
        // Sin CAMBIO-DUMVAT decide CAMBIO, también para el par del programa hermano.
        {"CAMBIO = SI\n", {false, false, false, false}, {true, false, true, false}},
        {"CAMBIO = NO\n", {true, false, true, false}, {false, true, false, true}},
        // Sin nada: sin cambios y calculado; CAMBIO-DUMVAT no se toma por CAMBIO.
        {"TEMPLARY = USER\n", {true, false, true, false}, {false, true, false, true}},
        {"CAMBIO-DUMVAT = SI\n", {true, false, false, false}, {false, true, true, false}},
        // Un CAMBIO dentro de un nombre no cuenta.
        {"\"CAMBIO = SI\" = MATERIAL\nCAMBIO = NO\n",
         {true, false, true, false},
         {false, true, false, true}},
    };
    for (const Caso& caso : casos) {
        Poner(cambios, caso.antes);
        LeerBDL lector(LeerBDL::EnMemoria{}, caso.texto);
        cambios.Leer(&lector);
        EXPECT_EQ(MarcasDe(cambios), caso.despues) << caso.texto;
    }
    Poner(cambios, {true, false, true, false});
    cambios.Leer(nullptr);
    EXPECT_EQ(MarcasDe(cambios), (Marcas{true, false, true, false}));
}

TEST_F(PruebaCambios, IdaYVueltaDelRegistro) {
    for (int bits = 0; bits < 16; ++bits) {
        Marcas marcas{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
        Poner(cambios, marcas);
        std::string primera = Escrito([&](FileWriter& f) { cambios.Escribir(f); });
        cambios.Reiniciar();
        LeerBDL lector(LeerBDL::EnMemoria{}, primera + "\"M\" = MATERIAL\n ..\n");
        cambios.Leer(&lector);
        EXPECT_EQ(Escrito([&](FileWriter& f) { cambios.Escribir(f); }), primera) << marcas;
        // Lo que dice NO vuelve como sin cambios y calculado.
        if (primera.find("CAMBIO = NO") != std::string::npos) {
            EXPECT_FALSE(cambios.ValorIndicador("Cambios"));
            EXPECT_TRUE(cambios.ValorIndicador("Calculado"));
        }
    }
}

} // namespace
