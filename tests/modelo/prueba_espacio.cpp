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

#include <string>
#include <vector>

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

// Las líneas de geometría de un registro, sin sangría, en orden.
std::vector<std::string> Geometria(const std::string& registro) {
    std::vector<std::string> lineas;
    size_t inicio = 0;
    while (inicio < registro.size()) {
        size_t fin = registro.find('\n', inicio);
        if (fin == std::string::npos) fin = registro.size();
        std::string linea = registro.substr(inicio, fin - inicio);
        inicio = fin + 1;
        const size_t texto = linea.find_first_not_of(' ');
        if (texto == std::string::npos) continue;
        linea = linea.substr(texto);
        for (const char* clave :
             {"X ", "Y ", "Z ", "HEIGHT ", "WIDTH ", "AZIMUTH ", "TILT ", "POLYGON ", "LOCATION "})
            if (linea.rfind(clave, 0) == 0) lineas.push_back(linea);
    }
    return lineas;
}

// Un espacio copiado, con sus muros, escribe la misma geometría que su original: lo que el
// original daba (polígono, altura, coordenadas, el azimut y la anchura del muro) se escribe
// en la copia, y lo que no daba (el azimut del espacio) tampoco se escribe, ni como 0 ni
// como -1e10.
TEST_F(PruebaEspacio, CopiaEscribeLaMismaGeometria) {
    PrepararBasesDelPrograma();
    LeerModelo(kPlanta + LineasCRLF({
                             "\"E\" = SPACE",
                             "      POLYGON = \"Local\"",
                             "      X = 2",
                             "      Y = 1.5",
                             "      HEIGHT = 3.1",
                             "      SPACE-TYPE = \"R\"",
                             "      ..",
                             "\"Libre\" = EXTERIOR-WALL",
                             "      X = 1",
                             "      Y = 0.5",
                             "      AZIMUTH = 200",
                             "      TILT = 80",
                             "      HEIGHT = 2.5",
                             "      WIDTH = 4",
                             "      CONSTRUCTION = \"Muro tipo\"",
                             "      ..",
                         }),
               edificio);
    auto* original = dynamic_cast<Espacio*>(edificio.BuscarPorNombre("E"));
    ASSERT_NE(original, nullptr);
    ASSERT_EQ(original->NumeroHijos(), 1);
    auto* planta = static_cast<Contenedor*>(original->ObtenerDueno());
    planta->CrearHijo("Copia", TIPO_ESPACIO);
    auto* copia = dynamic_cast<Espacio*>(planta->BuscarPorNombre("Copia"));
    ASSERT_NE(copia, nullptr);
    copia->CopiarDe(*original);

    const std::vector<std::string> espacio = Geometria(RegistroDe(*original));
    EXPECT_EQ(espacio.size(), 4u) << "X, Y, HEIGHT y POLYGON";
    EXPECT_EQ(Geometria(RegistroDe(*copia)), espacio);
    ASSERT_EQ(copia->NumeroHijos(), 1);
    const std::vector<std::string> muro = Geometria(RegistroDe(*original->Hijo(0)));
    EXPECT_EQ(muro.size(), 6u) << "X, Y, AZIMUTH, TILT, HEIGHT y WIDTH";
    EXPECT_EQ(Geometria(RegistroDe(*copia->Hijo(0))), muro);

    // Los valores dados quedan copiados; los que no se dieron, por defecto.
    const struct {
        ObjetoBase* objeto;
        const char* clave;
        EstadoValor estado;
    } estados[] = {
        {copia, "X", ESTADO_COPIADO},
        {copia, "Altura", ESTADO_COPIADO},
        {copia, "Poligono", ESTADO_COPIADO},
        {copia, "Azimuth", ESTADO_DEFECTO},
        {copia->Hijo(0), "Azimuth", ESTADO_COPIADO},
        {copia->Hijo(0), "Anchura", ESTADO_COPIADO},
        {copia->Hijo(0), "Z", ESTADO_DEFECTO},
    };
    for (const auto& e : estados) {
        EstadoValor estado = ESTADO_USUARIO;
        e.objeto->ObtenerEstado(e.clave, estado);
        EXPECT_EQ(estado, e.estado) << e.objeto->ObtenerNombre().c_str() << " " << e.clave;
    }
}

// Un espacio colocado por coordenadas, sin vértice de referencia, coincide con sus muros: el
// contorno lleva la colocación de la planta (su giro y su X, Y) como la llevan ellos.
TEST_F(PruebaEspacio, ContornoPorCoordenadasCoincideConSusMuros) {
    PrepararBasesDelPrograma();
    edificio.PonerReal("Azimuth", 30);
    edificio.PonerReal("XRef", 100);
    edificio.PonerReal("YRef", 50);
    std::vector<std::string> lineas = {
        "\"P\" = FLOOR",
        "      X = 3",
        "      Y = 4",
        "      AZIMUTH = 20",
        "      POLYGON = \"Planta\"",
        "      SPACE-HEIGHT = 2.5",
        "      ..",
        "\"E\" = SPACE",
        "      POLYGON = \"Local\"",
        "      X = 0",
        "      Y = 0",
        "      AZIMUTH = 0",
        "      SPACE-TYPE = \"R\"",
        "      ..",
    };
    for (int lado = 1; lado <= 4; ++lado)
        for (const std::string& linea :
             {"\"M" + std::to_string(lado) + "\" = EXTERIOR-WALL",
              "      LOCATION = SPACE-V" + std::to_string(lado),
              std::string("      CONSTRUCTION = \"Muro tipo\""), std::string("      ..")})
            lineas.push_back(linea);
    std::string texto = kPlantaYLocal;
    for (const std::string& linea : lineas)
        texto += linea + "\r\n";
    LeerModelo(texto, edificio);
    auto* espacio = dynamic_cast<Espacio*>(edificio.BuscarPorNombre("E"));
    ASSERT_NE(espacio, nullptr);
    const Coordenadas& contorno = espacio->Contorno();
    ASSERT_EQ(contorno.NumeroPuntos(), 4);
    // A mano: (0, 0) va a (3, 4) con la planta; girado 30 grados con el edificio da
    // (3 cos 30 + 4 sen 30, -3 sen 30 + 4 cos 30) = (4.598, 1.964); más la referencia.
    EXPECT_NEAR(contorno.X(0), 104.598f, 1e-3);
    EXPECT_NEAR(contorno.Y(0), 51.964f, 1e-3);
    // (5, 0): girado 20 con la planta, (4.698, -1.710) + (3, 4) = (7.698, 2.290); girado 30
    // con el edificio, (7.812, -1.866); más la referencia.
    EXPECT_NEAR(contorno.X(1), 107.812f, 1e-3);
    EXPECT_NEAR(contorno.Y(1), 48.134f, 1e-3);
    for (int lado = 1; lado <= 4; ++lado) {
        SCOPED_TRACE(lado);
        auto* muro =
            dynamic_cast<Muro*>(edificio.BuscarPorNombre(("M" + std::to_string(lado)).c_str()));
        ASSERT_NE(muro, nullptr);
        ASSERT_EQ(muro->Vertices().NumeroPuntos(), 4);
        // El muro del lado i va del vértice i al siguiente del contorno.
        EXPECT_NEAR(muro->Vertices().X(0), contorno.X(lado - 1), 1e-3);
        EXPECT_NEAR(muro->Vertices().Y(0), contorno.Y(lado - 1), 1e-3);
        EXPECT_NEAR(muro->Vertices().X(1), contorno.X(lado % 4), 1e-3);
        EXPECT_NEAR(muro->Vertices().Y(1), contorno.Y(lado % 4), 1e-3);
    }
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
