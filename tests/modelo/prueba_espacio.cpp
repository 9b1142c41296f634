// Espacios: registro "SPACE", claves, comprobación, copia y contorno sobre su planta.

#include "comunes/FicheroLog.h"
#include "modelo/Edificio.h"
#include "modelo/Espacio.h"
#include "modelo/Paredes.h"
#include "modelo/bdPoligonos.h"
#include "tests/comun/pruebas.h"
#include "tests/comunes/registros_prueba.h"
#include "tests/modelo/bases_prueba.h"
#include "tests/modelo/modelo_completo.h"
#include "tests/modelo/modelo_prueba.h"

#include "plataforma/base/file_writer.h"

namespace {

// Una planta de 10 x 8 y el polígono de 5 x 4 de sus espacios.
const std::string kPlanta = kPlantaYLocal + LineasCRLF({

                                                "\"P\" = FLOOR",
                                                "      Z = 3",
                                                "      POLYGON = \"Planta\"",
                                                "      SPACE-HEIGHT = 2.5",
                                                "      ..",
                                            });

class PruebaEspacio : public PruebaModelo {
protected:
    // La planta y un espacio con esas líneas; el espacio leído.
    Espacio* Leido(std::initializer_list<std::string> lineas) {
        std::string texto = kPlanta + "\"E\" = SPACE\r\n";
        for (const std::string& linea : lineas)
            texto += linea + "\r\n";
        texto += "            ..\r\n";
        LeerModelo(texto, edificio);
        return dynamic_cast<Espacio*>(edificio.BuscarPorNombre("E"));
    }
    std::string Registro(Espacio& espacio) { return RegistroDe(espacio); }

    Edificio edificio{"Edificio"};
};

TEST_F(PruebaEspacio, SinCoordenadasNiAltura) {
    Espacio* espacio = Leido({"POLYGON = \"Local\"", "SPACE-TYPE = \"#Oficina\""});
    ASSERT_NE(espacio, nullptr);
    for (const char* clave : {"X", "Y", "Azimuth"}) {
        AnsiString texto;
        espacio->ValorPropiedad(clave, texto);
        EXPECT_EQ(texto, "-10000000000") << clave;
        EstadoValor estado = ESTADO_FICHERO;
        espacio->ObtenerEstado(clave, estado);
        EXPECT_EQ(estado, ESTADO_DEFECTO) << clave;
    }
    float altura = 0;
    espacio->ObtenerReal("Altura", altura);
    EXPECT_FLOAT_EQ(altura, 2.5f) << "la altura de espacios de su planta";
    AnsiString condiciones;
    espacio->ValorPropiedad("CondicionesOperacionales", condiciones);
    EXPECT_EQ(condiciones, "Oficina");
    const std::string escrito = Registro(*espacio);
    EXPECT_EQ(escrito, LineasCRLF({
                           "    \"E\" = SPACE",
                           "            SHAPE             = POLYGON ",
                           "            POLYGON           = \"Local\"",
                           "            TYPE              = CONDITIONED",
                           "            SPACE-TYPE        = \"Oficina\"",
                           "            SYSTEM-CONDITIONS = \"Ninguno\"",
                           "            SPACE-CONDITIONS  = \"Ninguno\"",
                           "            FLOOR-WEIGHT      = " + Numero14g("0"),
                           "            MULTIPLIER        = 1",
                           "            PILLARS-NUMBERS   = 0",
                           "            ..",
                       }));
}

TEST_F(PruebaEspacio, FormaDelProgramaHermano) {
    Espacio* espacio = Leido({"POLYGON = \"Local\"", "X = 2", "HEIGHT = 3", "AZIMUTH = 45",
                              "LOCATION = FLOOR-V1", "SPACE-TYPE = \"R\"", "FLOOR-WEIGHT = 80"});
    ASSERT_NE(espacio, nullptr);
    EXPECT_EQ(Escrito([&](FileWriter& f) { espacio->Exportar(f); }),
              LineasCRLF({
                  "    \"E\" = SPACE",
                  "            X                 = " + Numero14g("2"),
                  "            AZIMUTH           = " + Numero14g("45"),
                  "            POLYGON           = \"Local\"",
                  "            LOCATION          = FLOOR-V1  ",
                  "            FLOOR-WEIGHT      = " + Numero14g("80"),
                  "            ..",
              }));
}

TEST_F(PruebaEspacio, TiposYOrigen) {
    struct Caso {
        const char* leido;
        const char* tipo;
        const char* escrito;
    };
    for (const Caso& caso : {Caso{"CONDITIONED", "HABITADO", "CONDITIONED"},
                             Caso{"UNCONDITIONED", "NO HABITADO", "UNCONDITIONED"},
                             Caso{"UNHABITED", "NO HABITABLE", "UNHABITED"}}) {
        SCOPED_TRACE(caso.leido);
        bdPoligonos::Liberar();
        Edificio otro("Edificio");
        LeerModelo(kPlanta + LineasCRLF({"\"E\" = SPACE", "TYPE = " + std::string(caso.leido),
                                         "POLYGON = \"Local\"", "LOCATION = FLOOR-V2",
                                         "SPACE-TYPE = \"R\"", ".."}),
                   otro);
        ObjetoBase* espacio = otro.BuscarPorNombre("E");
        AnsiString texto;
        espacio->ValorPropiedad("TipoEspacio", texto);
        EXPECT_EQ(texto, caso.tipo);
        espacio->ValorPropiedad("Origen", texto);
        EXPECT_EQ(texto, "PLNTA-V2");
        const std::string escrito = RegistroDe(*espacio);
        EXPECT_NE(escrito.find(std::string("TYPE              = ") + caso.escrito + "\r\n"),
                  std::string::npos);
        EXPECT_NE(escrito.find("LOCATION          = FLOOR-V2  \r\n"), std::string::npos);
    }
}

TEST_F(PruebaEspacio, ContornoSobreUnLadoDeLaPlanta) {
    edificio.PonerReal("XRef", 100);
    Espacio* espacio = Leido({"POLYGON = \"Local\"", "LOCATION = FLOOR-V2", "Z = 0.5"});
    ASSERT_NE(espacio, nullptr);
    ASSERT_FALSE(espacio->ContornoDesfasado());
    const Coordenadas& contorno = espacio->Contorno();
    ASSERT_EQ(contorno.NumeroPuntos(), 4);
    // El lado V2 de la planta va de (10, 0) a (10, 8): el espacio queda a lo largo de él,
    // y la referencia del edificio se suma una vez.
    const float esperados[4][2] = {{110, 0}, {110, 5}, {106, 5}, {106, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(contorno.X(i), esperados[i][0], 1e-4) << i;
        EXPECT_NEAR(contorno.Y(i), esperados[i][1], 1e-4) << i;
        EXPECT_FLOAT_EQ(contorno.Z(i), 3.5f) << i;
    }
}

TEST_F(PruebaEspacio, OrigenMalFormadoNoDaContornoYQuedaMal) {
    PrepararBasesDelPrograma();
    for (const char* origen : {"FLOOR-Vx", "FLOOR-V9", "FLOOR-V123", "FLOOR-V"}) {
        SCOPED_TRACE(origen);
        bdPoligonos::Liberar();
        FicheroLog::Instancia()->Inicializar();
        Edificio otro("Edificio");
        LeerModelo(
            kPlanta + LineasCRLF({"\"E\" = SPACE", "POLYGON = \"Local\"",
                                  "LOCATION = " + std::string(origen), "SPACE-TYPE = \"R\"", ".."}),
            otro);
        auto* espacio = dynamic_cast<Espacio*>(otro.BuscarPorNombre("E"));
        ASSERT_NE(espacio, nullptr);
        EXPECT_EQ(espacio->Contorno().NumeroPuntos(), 0);
        RegistroDe(*espacio);
        EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("ESPACIO   =mal"), 0);
    }
}

TEST_F(PruebaEspacio, ComprobacionAvisa) {
    Espacio* sinCondiciones = Leido({"POLYGON = \"Local\""});
    Guion().AnswerMessageBox(IDOK);
    RegistroDe(*sinCondiciones);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_NE(Guion().ShownBoxes()[0].text.Pos("Ninguno"), 0);
    EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("ESPACIO   =mal"), 0);

    FicheroLog::Instancia()->Inicializar();
    sinCondiciones->AsignarPropiedad("Poligono", "No existe");
    Guion().AnswerMessageBox(IDOK);
    RegistroDe(*sinCondiciones);
    ASSERT_EQ(Guion().ShownBoxes().size(), 2u);
    EXPECT_NE(Guion().ShownBoxes()[1].text.Pos("No existe"), 0);
    EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("ESPACIO   =mal"), 0);
}

TEST_F(PruebaEspacio, ValoresTecleados) {
    Espacio* espacio = Leido({"POLYGON = \"Local\""});
    ComprobarTecleados([] { return std::make_unique<Espacio>("E"); },
                       {
                           {"Altura", "150", 3.0f, ESTADO_RECHAZADO, true},
                           {"Altura", "2.8", 2.8f, ESTADO_USUARIO, false},
                           {"Repetidor", "0", 1.0f, ESTADO_RECHAZADO, true},
                           {"Repetidor", "12", 12.0f, ESTADO_USUARIO, false},
                           {"X", "-6000", 0.0f, ESTADO_RECHAZADO, true},
                           {"Azimuth", "-90", -90.0f, ESTADO_USUARIO, false},
                       });
    espacio->AsignarPropiedad("Condicion", "Oficina");
    AnsiString texto;
    espacio->ValorPropiedad("SistemaCondiciones", texto);
    EXPECT_EQ(texto, "Oficina_AC") << "habitado";
    espacio->AsignarPropiedad("TipoEspacio", "NO HABITADO");
    espacio->ValorPropiedad("SistemaCondiciones", texto);
    EXPECT_EQ(texto, "Oficina_NOAC");
    espacio->AsignarPropiedad("TipoEspacio", "NO HABITABLE");
    espacio->ValorPropiedad("SistemaCondiciones", texto);
    EXPECT_EQ(texto, "Oficina_NOAC") << "sin cambio";
    espacio->AsignarPropiedad("TipoEspacio", "HABITADO");
    espacio->AsignarPropiedad("Condicion", "Residencial");
    espacio->ValorPropiedad("SistemaCondiciones", texto);
    EXPECT_EQ(texto, "Residencial_AC");
    EstadoValor estado = ESTADO_USUARIO;
    espacio->ObtenerEstado("Condicion", estado);
    EXPECT_EQ(estado, ESTADO_DEFECTO);
    EXPECT_NE(RegistroDe(*espacio).find("SPACE-CONDITIONS  = \"Residencial_SPC\""),
              std::string::npos);
}

TEST_F(PruebaEspacio, CopiaConSusMuros) {
    PrepararBasesDelPrograma();
    Espacio* original = Leido({"POLYGON = \"Local\"", "HEIGHT = 3.1", "SPACE-TYPE = \"R\""});
    original->CrearHijoNumerado("Sur", TIPO_MURO_EXTERIOR, false);
    original->CrearHijoNumerado("Patio", TIPO_MURO_INTERIOR, false);
    original->Hijo(0)->AsignarPropiedad("Absortividad", "0.8");
    auto* planta = static_cast<Contenedor*>(original->ObtenerDueno());
    planta->CrearHijo("Copia", TIPO_ESPACIO);
    auto* copia = dynamic_cast<Espacio*>(planta->BuscarPorNombre("Copia"));
    ASSERT_NE(copia, nullptr);
    copia->CopiarDe(*original);
    float altura = 0;
    copia->ObtenerReal("Altura", altura);
    EXPECT_FLOAT_EQ(altura, 3.1f);
    ASSERT_EQ(copia->NumeroHijos(), 2);
    // Los nombres de los muros ya están en la planta: los de la copia se numeran.
    EXPECT_NE(copia->Hijo(0)->ObtenerNombre(), "Sur");
    EXPECT_EQ(copia->Hijo(0)->ObtenerTipo(), TIPO_MURO_EXTERIOR);
    EXPECT_EQ(copia->Hijo(1)->ObtenerTipo(), TIPO_MURO_INTERIOR);
    float absortividad = 0;
    copia->Hijo(0)->ObtenerReal("Absortividad", absortividad);
    EXPECT_FLOAT_EQ(absortividad, 0.8f);
}

} // namespace
