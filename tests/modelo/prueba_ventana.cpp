// Ventanas: registro "WINDOW" con el de su marco, claves, copia, comprobación y colocación
// sobre el muro.

#include "comunes/Fabrica.h"
#include "comunes/FicheroLog.h"
#include "comunes/Hueco.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "modelo/Edificio.h"
#include "modelo/Paredes.h"
#include "modelo/Ventana.h"
#include "tests/comun/pruebas.h"
#include "tests/comunes/registros_prueba.h"
#include "tests/modelo/bases_prueba.h"
#include "tests/modelo/modelo_completo.h"
#include "tests/modelo/modelo_prueba.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/string_list.h"

namespace {

// Un espacio de 5 x 4 con su muro sur (de (0,0) a (5,0), 2.7 de alto).
const std::string kMuro = kPlantaYLocal + LineasCRLF({

                                              "\"P\" = FLOOR",
                                              "      POLYGON = \"Planta\"",
                                              "      SPACE-HEIGHT = 2.7",
                                              "      ..",
                                              "\"E\" = SPACE",
                                              "      POLYGON = \"Local\"",
                                              "      SPACE-TYPE = \"R\"",
                                              "      ..",
                                              "\"Sur\" = EXTERIOR-WALL",
                                              "      CONSTRUCTION = \"Muro tipo\"",
                                              "      LOCATION = SPACE-V1",
                                              "      ..",
                                          });

class PruebaVentana : public PruebaModelo {
protected:
    void SetUp() override {
        PruebaModelo::SetUp();
        PrepararBasesDelPrograma();
    }
    Ventana* Leida(std::initializer_list<std::string> lineas) {
        std::string texto = kMuro + "\"V\" = WINDOW\r\n";
        for (const std::string& linea : lineas)
            texto += "    " + linea + "\r\n";
        texto += "    ..\r\n";
        LeerModelo(texto, edificio);
        return dynamic_cast<Ventana*>(edificio.BuscarPorNombre("V"));
    }

    Edificio edificio{"Edificio"};
};

TEST_F(PruebaVentana, SeColocaSobreSuMuro) {
    Ventana* ventana =
        Leida({"X = 1", "Y = 0.9", "HEIGHT = 1.2", "WIDTH = 1.5", "GAP = \"Ventana tipo\""});
    ASSERT_NE(ventana, nullptr);
    EXPECT_FALSE(ventana->ColocacionPendiente());
    const Coordenadas& e = ventana->Esquinas();
    ASSERT_EQ(e.NumeroPuntos(), 4);
    const float esperadas[4][3] = {{1, 0, 0.9f}, {2.5f, 0, 0.9f}, {2.5f, 0, 2.1f}, {1, 0, 2.1f}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(e.X(i), esperadas[i][0], 1e-4) << i;
        EXPECT_NEAR(e.Y(i), esperadas[i][1], 1e-4) << i;
        EXPECT_NEAR(e.Z(i), esperadas[i][2], 1e-4) << i;
    }
    float area = 0;
    ventana->ObtenerReal("Area", area);
    EXPECT_NEAR(area, 1.8f, 1e-4);
    TStringList fila;
    ventana->FilaInforme(fila);
    ASSERT_EQ(fila.GetCount(), 6);
    EXPECT_EQ(fila.GetStrings(1), "Vidrio doble");
    EXPECT_EQ(fila.GetStrings(3), "E");
    EXPECT_EQ(fila.GetStrings(5), "180");
}

TEST_F(PruebaVentana, SinTresVerticesDelMuroNoSeColoca) {
    // Un muro sin anchura ni lado no tiene vértices.
    std::string texto = kMuro;
    texto.replace(texto.find("LOCATION = SPACE-V1"), 19, "X = 1");
    LeerModelo(texto + LineasCRLF({"\"V\" = WINDOW", "    HEIGHT = 1", "    WIDTH = 1", "    .."}),
               edificio);
    auto* ventana = dynamic_cast<Ventana*>(edificio.BuscarPorNombre("V"));
    ASSERT_NE(ventana, nullptr);
    EXPECT_TRUE(ventana->ColocacionPendiente());
    EXPECT_EQ(ventana->Esquinas().NumeroPuntos(), 0);
}

TEST_F(PruebaVentana, RegistroConSuMarco) {
    Ventana* ventana =
        Leida({"X = 1", "HEIGHT = 1", "WIDTH = 1", "GAP = \"Ventana tipo\"", "LAMAS-WIDTH = 0.2"});
    ASSERT_NE(ventana, nullptr);
    float anchura = -1;
    ventana->ObtenerReal("Anchura", anchura);
    EXPECT_EQ(anchura, 1.0f) << "LAMAS-WIDTH no es WIDTH";
    const std::string escrito = RegistroDe(*ventana);
    EXPECT_EQ(escrito.substr(0, escrito.find("GLASS-TYPE")),
              LineasCRLF({
                  "                  \"V\" = WINDOW",
                  "                        X              = " + Numero14g("1"),
                  "                        Y              = " + Numero14g("0"),
                  "                        SETBACK        = " + Numero14g("0"),
                  "                        HEIGHT         = " + Numero14g("1"),
                  "                        WIDTH          = " + Numero14g("1"),
                  "                        GAP            = \"Ventana tipo\"",
                  "                        COEFF = ( 1.000000, 1.000000, 1.000000, 1.000000)",
              }) + "                        ");
    // 20 % de marco en una ventana de 1 x 1: (4 - raíz(16 - 3.2)) / 8.
    EXPECT_NE(escrito.find("GLASS-TYPE     = \"Vidrio doble\"\r\n \"Marco PVC\" = NAME-FRAME\r\n"),
              std::string::npos);
    EXPECT_NE(escrito.find("FRAME-WIDTH   =     0.05278641"), std::string::npos);
    EXPECT_NE(escrito.find("INF-COEF       = " + Numero14g("50")), std::string::npos);
    EXPECT_EQ(escrito.find("LAMAS"), std::string::npos) << "sin lamas no se escriben";
    // El marco de la base de datos no cambia.
    float anchoMarco = 0;
    bdMarcos::Instancia(LISTA_PROGRAMA)
        ->BuscarPorNombre("Marco PVC")
        ->ObtenerReal("frameWidth", anchoMarco);
    EXPECT_FLOAT_EQ(anchoMarco, 0.1f);
}

TEST_F(PruebaVentana, ConLamasSinRetranqueo) {
    Ventana* ventana = Leida({"SETBACK = 0.2", "GAP = \"Ventana tipo\"",
                              "POSITION-LAMAS = INTERIOR", "LAMAS-ANGLE = 30"});
    const std::string escrito = RegistroDe(*ventana);
    EXPECT_NE(escrito.find("SETBACK        = " + Numero14g("0") + "\r\n"), std::string::npos);
    EXPECT_NE(escrito.find("                        POSITION-LAMAS      = INTERIOR\r\n"
                           "                        LAMAS-WIDTH         = " +
                           Numero14g("0")),
              std::string::npos);
    EXPECT_NE(escrito.find("LAMAS-ANGLE         = " + Numero14g("30")), std::string::npos);
    // Para el programa hermano: el retranqueo, sin GAP, COEFF ni lamas.
    const std::string variante = Escrito([&](FileWriter& f) { ventana->Exportar(f); });
    EXPECT_NE(variante.find("SETBACK        = " + Numero14g("0.2")), std::string::npos);
    for (const char* ausente : {"GAP", "COEFF", "LAMAS"})
        EXPECT_EQ(variante.find(ausente), std::string::npos) << ausente;
}

// Un hueco que contesta lo que se le ponga, como puede traerlo un fichero.
class HuecoDePrueba : public ObjetoBase {
public:
    explicit HuecoDePrueba(const AnsiString& nombre) : ObjetoBase(nombre) { tipo = TIPO_HUECO; }
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override {
        if (clave == "Acristalamiento") valor = "Otro";
        if (clave == "Marco") valor = "Sin marco";
    }
    void ObtenerReal(const AnsiString& clave, float& valor) const override {
        if (clave == "Porcentaje") valor = 150;
        if (clave == "ConductanciaM") valor = 2.5f;
        if (clave == "Absortividad") valor = 0.4f;
    }
};

TEST_F(PruebaVentana, HuecoOtroYPorcentajeFueraDeRango) {
    Fabrica::Sustitucion sustitucion(TIPO_HUECO, [](const AnsiString& nombre) {
        return std::unique_ptr<ObjetoBase>(new HuecoDePrueba(nombre));
    });
    bdHuecos::Instancia(LISTA_PROGRAMA)->CrearHijo("Raro", TIPO_HUECO);
    Ventana* ventana = Leida({"HEIGHT = 1", "WIDTH = 1", "GAP = \"Raro\""});
    ASSERT_NE(ventana, nullptr);
    const std::string escrito = RegistroDe(*ventana);
    EXPECT_NE(escrito.find("GLASS-TYPE     = \"Otro_Raro\""), std::string::npos);
    // El marco que no está en la base se escribe aparte, con el porcentaje llevado a 100.
    EXPECT_NE(escrito.find(" \"Sin marco_Raro\" = NAME-FRAME"), std::string::npos);
    EXPECT_NE(escrito.find("FRAME-WIDTH   = " + Numero14g("0.5")), std::string::npos) << escrito;
    EXPECT_NE(escrito.find("FRAME-CONDUCT = " + Numero14g("2.5")), std::string::npos);
    EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("VENTANA   =mal"), 0) << "sin vidrio";
}

TEST_F(PruebaVentana, HuecoQueNoExisteOSinHueco) {
    Ventana* ventana = Leida({"GAP = \"No existe\""});
    Guion().AnswerMessageBox(IDOK);
    const std::string escrito = RegistroDe(*ventana);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_NE(Guion().ShownBoxes()[0].text.Pos("No existe"), 0);
    EXPECT_EQ(escrito.find("GLASS-TYPE"), std::string::npos);
    EXPECT_EQ(escrito.find("INF-COEF"), std::string::npos);
    EXPECT_NE(escrito.find("OVERHANG-A"), std::string::npos);
    EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("VENTANA   =mal"), 0);

    FicheroLog::Instancia()->Inicializar();
    ventana->AsignarPropiedad("Hueco", "Ninguno");
    Guion().AnswerMessageBox(IDOK);
    RegistroDe(*ventana);
    ASSERT_EQ(Guion().ShownBoxes().size(), 2u);
    EXPECT_EQ(Guion().ShownBoxes()[1].text, "La ventana V no tiene acristalamiento.\n");
    EXPECT_EQ(FicheroLog::Instancia()->Texto().Pos("VENTANA   =mal"), 0);
}

TEST_F(PruebaVentana, TecleadosYCopia) {
    ComprobarTecleados([] { return std::make_unique<Ventana>("V"); },
                       {
                           {"Angulo lama", "400", 45.0f, ESTADO_RECHAZADO, true},
                           {"longLB", "-5", -5.0f, ESTADO_USUARIO, false},
                           {"longLA", "-5", 0.0f, ESTADO_RECHAZADO, true},
                           {"TransmisividadVerano", "2", 1.0f, ESTADO_RECHAZADO, true},
                           {"Ancho lama", "200", 0.1f, ESTADO_RECHAZADO, true},
                           {"X", "3.5", 3.5f, ESTADO_USUARIO, false},
                       });
    Ventana* leida = Leida({"X = 2", "COEFF = ( 0.5, 0.6, 0.7, 0.8 )", "OVERHANG-A = 0.4",
                            "POSITION-LAMAS = EXTERIOR"});
    Ventana copia("C");
    copia.CopiarDe(*leida);
    float valor = 0;
    copia.ObtenerReal("TransmisividadVerano", valor);
    EXPECT_FLOAT_EQ(valor, 0.6f);
    copia.ObtenerReal("longOA", valor);
    EXPECT_FLOAT_EQ(valor, 0.4f);
    AnsiString texto;
    copia.ValorPropiedad("Tipo lama", texto);
    EXPECT_EQ(texto, "EXTERIOR");
    struct Caso {
        const char* clave;
        EstadoValor estado;
    };
    for (const Caso& caso :
         {Caso{"X", ESTADO_COPIADO}, Caso{"longOA", ESTADO_COPIADO}, Caso{"Hueco", ESTADO_COPIADO},
          Caso{"Tipo lama", ESTADO_COPIADO}, Caso{"TransmisividadVerano", ESTADO_DEFECTO},
          Caso{"ConductanciaInvierno", ESTADO_DEFECTO}}) {
        EstadoValor estado = ESTADO_USUARIO;
        copia.ObtenerEstado(caso.clave, estado);
        EXPECT_EQ(estado, caso.estado) << caso.clave;
    }
    leida->ValorPropiedad("Angulo lama", texto);
    EXPECT_EQ(texto, "0.00");
    leida->ValorPropiedad("ConductanciaInvierno", texto);
    EXPECT_EQ(texto, "0.7");
}

TEST_F(PruebaVentana, ElRegistroDelMarcoNoCierraElDeLaVentana) {
    Ventana* ventana = Leida({"GAP = \"Ventana tipo\"", "OVERHANG-W = 1.25", "RIGHT-FIN-D = 0.5"});
    const std::string escrito = RegistroDe(*ventana);
    // Leído de un fichero con otros registros detrás.
    const std::string fichero = escrito + LineasCRLF({"\"Otra\" = WINDOW", "    X = 9", "    .."});
    LeerBDL fuente(LeerBDL::EnMemoria{}, fichero);
    size_t desde = 1;
    auto registro = Ventana::ExtraerRegistro(fuente, "V", desde);
    ASSERT_NE(registro, nullptr);
    Ventana releida("V");
    releida.Leer(registro.get());
    float valor = 0;
    releida.ObtenerReal("longOW", valor);
    EXPECT_FLOAT_EQ(valor, 1.25f);
    releida.ObtenerReal("longRD", valor);
    EXPECT_FLOAT_EQ(valor, 0.5f);
    auto otra = Ventana::ExtraerRegistro(fuente, "Otra", desde);
    ASSERT_NE(otra, nullptr);
    Ventana segunda("Otra");
    segunda.Leer(otra.get());
    segunda.ObtenerReal("X", valor);
    EXPECT_FLOAT_EQ(valor, 9.0f);
    // Una que no está, o sin cerrar.
    EXPECT_EQ(Ventana::ExtraerRegistro(fuente, "Nada", desde), nullptr);
    LeerBDL sinCerrar(LeerBDL::EnMemoria{}, LineasCRLF({"\"A\" = WINDOW", "    X = 1"}));
    size_t inicio = 1;
    EXPECT_EQ(Ventana::ExtraerRegistro(sinCerrar, "A", inicio), nullptr);
}

} // namespace
