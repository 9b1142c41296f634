// Un modelo entero (plantas, espacios, los cuatro tipos de muro, ventanas, sombras,
// polígonos, líneas y planos): escrito, leído y vuelto a escribir da el mismo fichero.

#include "comunes/FicheroLog.h"
#include "modelo/Edificio.h"
#include "modelo/Espacio.h"
#include "modelo/Paredes.h"
#include "modelo/Sombras.h"
#include "modelo/Ventana.h"
#include "modelo/bdPlanos.h"
#include "modelo/bdPoligonos.h"
#include "tests/comunes/registros_prueba.h"
#include "tests/modelo/bases_prueba.h"
#include "tests/modelo/modelo_completo.h"
#include "tests/modelo/modelo_prueba.h"

#include "plataforma/base/file_writer.h"

namespace {

const std::string kModelo = LineasCRLF({
    "\"Planta\" = POLYGON",
    "    V1   =( 0, 0 )",
    "    V2   =( 10, 0 )",
    "    V3   =( 10, 8 )",
    "    V4   =( 0, 8 )",
    "    ..",
    "\"Salon\" = POLYGON",
    "    V1   =( 0, 0 )",
    "    V2   =( 5, 0 )",
    "    V3   =( 5, 4 )",
    "    V4   =( 0, 4 )",
    "    ..",
    "\"Frontal\" = POLYGON",
    "    V1   =( 0, 0 )",
    "    V2   =( 2, 0 )",
    "    V3   =( 1, 1.5 )",
    "    ..",
    "\"Baja\" = FLOOR",
    "      POLYGON       =  \"Planta\"",
    "      FLOOR-HEIGHT  = 3",
    "      SPACE-HEIGHT  = 2.7",
    "      ..",
    "    \"Salon\" = SPACE",
    "            POLYGON           = \"Salon\"",
    "            TYPE              = CONDITIONED",
    "            LOCATION          = FLOOR-V1  ",
    "            SPACE-TYPE        = \"#Residencial\"",
    "            SYSTEM-CONDITIONS = \"Residencial_AC\"",
    "            SPACE-CONDITIONS  = \"Residencial_SPC\"",
    "            ..",
    "            \"Fachada sur\" = EXTERIOR-WALL",
    "                  ABSORPTANCE   = 0.4",
    "                  CONSTRUCTION  = \"Muro tipo\"  ",
    "                  LOCATION      = SPACE-V1  ",
    "                      ..",
    "                  \"V1\" = WINDOW",
    "                        X              = 1",
    "                        Y              = 0.9",
    "                        HEIGHT         = 1.2",
    "                        WIDTH          = 1.5",
    "                        GAP            = \"Ventana tipo\"",
    "                        OVERHANG-A     = 0.3",
    "                        ..",
    "                  \"V2\" = WINDOW",
    "                        X              = 3",
    "                        HEIGHT         = 1",
    "                        WIDTH          = 1",
    "                        GAP            = \"Ventana tipo\"",
    "                        COEFF = ( 0.5, 0.6, 0.7, 0.8)",
    "                        POSITION-LAMAS      = EXTERIOR",
    "                        LAMAS-WIDTH         = 0.05",
    "                        ..",
    "            \"Tabique\" = INTERIOR-WALL",
    "                  INT-WALL-TYPE = ADIABATIC  ",
    "                  NEXT-TO       = \"Cocina\"  ",
    "                  CONSTRUCTION  = \"Muro tipo\"  ",
    "                  LOCATION      = SPACE-V2  ",
    "                      ..",
    "            \"Solera\" = UNDERGROUND-WALL",
    "                  Z-GROUND      = 0.5",
    "                  CONSTRUCTION  = \"Muro tipo\"  ",
    "                  LOCATION      = BOTTOM  ",
    "                      ..",
    "            \"Cubierta\" = EXTERIOR-WALL",
    "                  CONSTRUCTION  = \"Muro tipo\"  ",
    "                  LOCATION      = TOP  ",
    "                      ..",
    "            \"Muro Trombe\" = TROMBE-WALL",
    "                  GLASS-TYPE    = \"Vidrio doble\"",
    "                  TYPE-TROMBE   = OUT-IN",
    "                  CONSTRUCTION  = \"Muro tipo\"  ",
    "                  LOCATION      = SPACE-V3  ",
    "                      ..",
    "            \"Hastial\" = EXTERIOR-WALL",
    "                  CONSTRUCTION  = \"Muro tipo\"  ",
    "                  LOCATION      = SPACE-V4  ",
    "                  POLYGON       = \"Frontal\"",
    "                      ..",
    "\"Alta\" = FLOOR",
    "      Z             =  3",
    "      POLYGON       =  \"Planta\"",
    "      FLOOR-HEIGHT  = 3",
    "      SPACE-HEIGHT  = 2.5",
    "      MULTIPLIER    = 2",
    "      ..",
    "    \"Cocina\" = SPACE",
    "            X                 = 5",
    "            POLYGON           = \"Salon\"",
    "            TYPE              = UNCONDITIONED",
    "            SPACE-TYPE        = \"Residencial\"",
    "            FLOOR-WEIGHT      = 120",
    "            PILLARS-NUMBERS   = 4",
    "            AREA              = 20",
    "            ..",
    "            \"Muro libre\" = EXTERIOR-WALL",
    "                  CONSTRUCTION  = \"Muro tipo\"  ",
    "                  X             = 1",
    "                  Y             = 2",
    "                  AZIMUTH       = 90",
    "                   WIDTH         =  3",
    "                      ..",
    "\"Alero\" = FIXED-SHADE",
    "      X = 1",
    "      HEIGHT = 0.5",
    "      WIDTH = 4",
    "      TILT = 0",
    "    ..",
    "\"Eje\" = AUX-LINE",
    "           TYPE = 1",
    "           X1   = 10",
    "           OWNERF = \"Fachada sur\"",
    "           OWNERS = \"Salon\"",
    "           ..",
    "\"Fondo\" = PLANE",
    "    PLANE_TYPE = DXF",
    "    FILE = \"planta.dxf\"",
    "    UNIT = 0.001",
    "    ACADLAYER = (\"Muros\",",
    "\"Cotas\")",
    "    FIRST = TRUE",
    "      ..",
});

std::string Escrito(Edificio& edificio) {
    return ::Escrito([&](FileWriter& fichero) { EscribirModelo(fichero, edificio); });
}

using PruebaModeloCompleto = PruebaModelo;

TEST_F(PruebaModeloCompleto, EscritoLeidoYEscritoDaLoMismo) {
    PrepararBasesDelPrograma();
    Edificio original("Edificio");
    EXPECT_EQ(LeerModelo(kModelo, original), 19);
    const std::string primera = Escrito(original);
    EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("bien"), 0);
    EXPECT_EQ(FicheroLog::Instancia()->Texto().Pos("mal"), 0)
        << FicheroLog::Instancia()->Texto().c_str();

    // Otra vez desde listas vacías.
    bdPoligonos::Liberar();
    Sombras::Liberar();
    bdPlanos::Liberar();
    Edificio copia("Edificio");
    EXPECT_EQ(LeerModelo(primera, copia), 19);
    EXPECT_EQ(Escrito(copia), primera);

    // Lo leído está donde debe y con sus vértices.
    auto* salon = dynamic_cast<Espacio*>(copia.BuscarPorNombre("Salon"));
    ASSERT_NE(salon, nullptr);
    EXPECT_EQ(salon->ObtenerDueno(), copia.BuscarPorNombre("Baja"));
    EXPECT_EQ(salon->NumeroHijos(), 6);
    EXPECT_EQ(salon->Contorno().NumeroPuntos(), 4);
    auto* fachada = dynamic_cast<ParedExterior*>(copia.BuscarPorNombre("Fachada sur"));
    ASSERT_NE(fachada, nullptr);
    EXPECT_EQ(fachada->Vertices().NumeroPuntos(), 4);
    EXPECT_EQ(fachada->NumeroHijos(), 2);
    auto* ventana = dynamic_cast<Ventana*>(copia.BuscarPorNombre("V1"));
    ASSERT_NE(ventana, nullptr);
    EXPECT_FALSE(ventana->ColocacionPendiente());
    float sobresale = 0;
    ventana->ObtenerReal("longOA", sobresale);
    EXPECT_FLOAT_EQ(sobresale, 0.3f) << "lo que va tras el registro del marco se lee";
    EXPECT_NE(dynamic_cast<ParedTrombe*>(copia.BuscarPorNombre("Muro Trombe")), nullptr);
    EXPECT_EQ(dynamic_cast<Muro*>(copia.BuscarPorNombre("Hastial"))->Vertices().NumeroPuntos(), 3);
    EXPECT_EQ(dynamic_cast<Muro*>(copia.BuscarPorNombre("Muro libre"))->Vertices().NumeroPuntos(),
              4);
}

TEST_F(PruebaModeloCompleto, LasDosFabricasDanElMismoModelo) {
    PrepararBasesDelPrograma();
    Edificio numerada("Edificio");
    LeerModelo(kModelo, numerada, FabricaLectura::Numerada);
    const std::string primera = Escrito(numerada);
    bdPoligonos::Liberar();
    Sombras::Liberar();
    bdPlanos::Liberar();
    Edificio unica("Edificio");
    LeerModelo(kModelo, unica, FabricaLectura::Unica);
    EXPECT_EQ(Escrito(unica), primera);
}

} // namespace
