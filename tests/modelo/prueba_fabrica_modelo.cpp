// Las fábricas de Contenedor crean los objetos del modelo por su código de tipo, con los
// nombres únicos que les tocan.

#include "comunes/Fabrica.h"
#include "modelo/Edificio.h"
#include "modelo/Espacio.h"
#include "modelo/Linea.h"
#include "modelo/Paredes.h"
#include "modelo/Plano.h"
#include "modelo/Planta.h"
#include "modelo/Poligono.h"
#include "modelo/Sombra.h"
#include "modelo/Ventana.h"
#include "tests/modelo/modelo_prueba.h"

#include <functional>

namespace {

using PruebaFabrica = PruebaModelo;

TEST_F(PruebaFabrica, CadaTipoPorSuCodigo) {
    struct Caso {
        TipoObjeto tipo;
        std::function<bool(ObjetoBase*)> esDeSuClase;
    };
    const Caso casos[] = {
        {TIPO_PLANTA, [](ObjetoBase* o) { return dynamic_cast<Planta*>(o) != nullptr; }},
        {TIPO_ESPACIO, [](ObjetoBase* o) { return dynamic_cast<Espacio*>(o) != nullptr; }},
        {TIPO_MURO_EXTERIOR,
         [](ObjetoBase* o) { return dynamic_cast<ParedExterior*>(o) != nullptr; }},
        {TIPO_VENTANA, [](ObjetoBase* o) { return dynamic_cast<Ventana*>(o) != nullptr; }},
        {TIPO_MURO_INTERIOR,
         [](ObjetoBase* o) { return dynamic_cast<ParedInterior*>(o) != nullptr; }},
        {TIPO_MURO_TERRENO,
         [](ObjetoBase* o) { return dynamic_cast<ParedContactoTerreno*>(o) != nullptr; }},
        {TIPO_SOMBRA, [](ObjetoBase* o) { return dynamic_cast<Sombra*>(o) != nullptr; }},
        {TIPO_POLIGONO, [](ObjetoBase* o) { return dynamic_cast<Poligono*>(o) != nullptr; }},
        {TIPO_LINEA, [](ObjetoBase* o) { return dynamic_cast<Linea*>(o) != nullptr; }},
        {TIPO_PLANO, [](ObjetoBase* o) { return dynamic_cast<Plano*>(o) != nullptr; }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(static_cast<int>(caso.tipo));
        for (bool numerado : {false, true}) {
            Edificio edificio("Edificio");
            const AnsiString nombre = numerado
                                          ? edificio.CrearHijoNumerado("Objeto", caso.tipo, false)
                                          : edificio.CrearHijo("Objeto", caso.tipo);
            EXPECT_EQ(nombre, "Objeto");
            ASSERT_EQ(edificio.NumeroHijos(), 1);
            ObjetoBase* hijo = edificio.Hijo(0);
            EXPECT_TRUE(caso.esDeSuClase(hijo));
            EXPECT_EQ(hijo->ObtenerTipo(), caso.tipo);
            EXPECT_EQ(hijo->ObtenerNombre(), "Objeto");
            EXPECT_EQ(hijo->ObtenerDueno(), &edificio);
        }
    }
}

TEST_F(PruebaFabrica, ElMuroTrombeSoloPorCrearHijo) {
    Edificio edificio("Edificio");
    EXPECT_EQ(edificio.CrearHijoNumerado("T", TIPO_MURO_TROMBE, false), "T");
    EXPECT_EQ(edificio.NumeroHijos(), 0);
    EXPECT_EQ(edificio.CrearHijo("T", TIPO_MURO_TROMBE), "T");
    ASSERT_EQ(edificio.NumeroHijos(), 1);
    EXPECT_NE(dynamic_cast<ParedTrombe*>(edificio.Hijo(0)), nullptr);
    EXPECT_EQ(edificio.Hijo(0)->ObtenerTipo(), TIPO_MURO_TROMBE);
}

TEST_F(PruebaFabrica, AmbitoDeLosNombres) {
    Edificio edificio("Edificio");
    edificio.CrearHijo("P1", TIPO_PLANTA);
    edificio.CrearHijo("P2", TIPO_PLANTA);
    auto* p1 = static_cast<Contenedor*>(edificio.Hijo(0));
    auto* p2 = static_cast<Contenedor*>(edificio.Hijo(1));
    p1->CrearHijo("Salon", TIPO_ESPACIO);
    auto* salon = static_cast<Contenedor*>(p1->Hijo(0));
    salon->CrearHijo("Sur", TIPO_MURO_EXTERIOR);
    auto* sur = static_cast<Contenedor*>(salon->Hijo(0));
    sur->CrearHijo("V1", TIPO_VENTANA);
    // Un espacio creado en una planta mira en el dueño de la planta: todo el edificio.
    EXPECT_EQ(p2->CrearHijo("Salon", TIPO_ESPACIO).Pos("Salon_"), 1);
    // Un muro creado en un espacio mira en el dueño de la planta: todo el edificio.
    p1->CrearHijo("Cocina", TIPO_ESPACIO);
    auto* cocina = static_cast<Contenedor*>(p1->BuscarPorNombre("Cocina"));
    EXPECT_EQ(cocina->CrearHijo("Sur", TIPO_MURO_INTERIOR).Pos("Sur_"), 1);
    auto* otro = static_cast<Contenedor*>(p2->Hijo(0));
    EXPECT_EQ(otro->CrearHijo("Sur", TIPO_MURO_TERRENO).Pos("Sur_"), 1);
    // Una ventana creada en un muro mira en la planta: en otra planta el nombre está libre.
    auto* tabique = static_cast<Contenedor*>(cocina->Hijo(0));
    EXPECT_EQ(tabique->CrearHijo("V1", TIPO_VENTANA).Pos("V1_"), 1);
    auto* muroP2 = static_cast<Contenedor*>(otro->Hijo(0));
    EXPECT_EQ(muroP2->CrearHijo("V1", TIPO_VENTANA), "V1");
}

TEST_F(PruebaFabrica, TiposSinClase) {
    Edificio edificio("Edificio");
    EXPECT_EQ(edificio.ObtenerTipo(), TIPO_EDIFICIO);
    for (TipoObjeto tipo : {TipoObjeto{0}, TipoObjeto{8}, TipoObjeto{36}, TipoObjeto{64}}) {
        EXPECT_EQ(edificio.CrearHijo("X", tipo), "X");
        EXPECT_EQ(edificio.CrearHijoNumerado("X", tipo, false), "X");
    }
    EXPECT_EQ(edificio.NumeroHijos(), 0);
}

TEST_F(PruebaFabrica, NombresDePlantas) {
    Edificio edificio("Edificio");
    // Vacío: el nombre del edificio, que ya está ocupado por él mismo.
    EXPECT_EQ(edificio.CrearHijo("", TIPO_PLANTA), "Edificio_1");
    EXPECT_EQ(edificio.CrearHijo("Planta", TIPO_PLANTA), "Planta");
    EXPECT_EQ(edificio.CrearHijo("Planta", TIPO_PLANTA), "Planta_2");
    // Un nombre ya usado dentro de una planta también está ocupado para otra planta.
    auto* planta = static_cast<Contenedor*>(edificio.BuscarPorNombre("Planta"));
    planta->CrearHijo("Eje", TIPO_LINEA);
    EXPECT_EQ(edificio.CrearHijo("Eje", TIPO_PLANTA), "Eje_3");
    // Numeradas por tipo, como las cargan los lectores.
    EXPECT_EQ(edificio.CrearHijoNumerado("Planta", TIPO_PLANTA, false), "Planta1");
    EXPECT_EQ(edificio.CrearHijoNumerado("Nueva", TIPO_PLANTA, true), "Nueva2");
    EXPECT_EQ(edificio.NumeroHijos(), 6);
}

TEST_F(PruebaFabrica, CadaObjetoTieneSuCodigo) {
    Edificio edificio("Edificio");
    edificio.CrearHijo("A", TIPO_PLANTA);
    edificio.CrearHijo("B", TIPO_PLANTA);
    edificio.CrearHijo("S", TIPO_SOMBRA);
    const int a = static_cast<Planta*>(edificio.Hijo(0))->Codigo();
    const int b = static_cast<Planta*>(edificio.Hijo(1))->Codigo();
    const int s = static_cast<Sombra*>(edificio.Hijo(2))->Codigo();
    EXPECT_LT(a, b);
    EXPECT_LT(b, s);
}

TEST_F(PruebaFabrica, EdificioContestaSuReferencia) {
    Edificio edificio("Edificio");
    for (const char* clave : {"Azimuth", "XRef", "YRef"}) {
        float valor = -1;
        edificio.ObtenerReal(clave, valor);
        EXPECT_EQ(valor, 0.0f) << clave;
        edificio.PonerReal(clave, 12.5f);
        EXPECT_EQ(edificio.ValorReal(clave), 12.5f) << clave;
    }
}

} // namespace
