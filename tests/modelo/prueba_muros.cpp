// Muros: la parte común del registro, el cálculo de vértices y los cuatro tipos.

#include "comunes/FicheroLog.h"
#include "comunes/GestorBD.h"
#include "comunes/bdCerramientos.h"
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

#include <cmath>
#include <memory>

namespace {

// Una planta con un espacio de 5 x 4 en su origen, de 2.7 de alto, y un polígono de doce
// vértices.
const std::string kEspacio = kPlantaYLocal + LineasCRLF({

                                                 "\"Doce\" = POLYGON",
                                                 "    V1 =( 0, 0 )",
                                                 "    V2 =( 1, 0 )",
                                                 "    V3 =( 2, 0 )",
                                                 "    V4 =( 3, 0 )",
                                                 "    V5 =( 4, 0 )",
                                                 "    V6 =( 4, 1 )",
                                                 "    V7 =( 4, 2 )",
                                                 "    V8 =( 3, 2 )",
                                                 "    V9 =( 2, 2 )",
                                                 "    V10 =( 1, 2 )",
                                                 "    V11 =( 0, 2 )",
                                                 "    V12 =( 0, 1 )",
                                                 "    ..",
                                                 "\"Lejos\" = POLYGON",
                                                 "    V1 =( 0, 0 )",
                                                 "    V2 =( 2500, 0 )",
                                                 "    V3 =( 0, 1 )",
                                                 "    ..",
                                                 "\"P\" = FLOOR",
                                                 "      POLYGON = \"Planta\"",
                                                 "      SPACE-HEIGHT = 2.7",
                                                 "      ..",
                                                 "\"E\" = SPACE",
                                                 "      POLYGON = \"Local\"",
                                                 "      SPACE-TYPE = \"R\"",
                                                 "      ..",
                                                 "\"E12\" = SPACE",
                                                 "      POLYGON = \"Doce\"",
                                                 "      SPACE-TYPE = \"R\"",
                                                 "      ..",
                                             });

class PruebaMuro : public PruebaModelo {
protected:
    void SetUp() override {
        PruebaModelo::SetUp();
        PrepararBasesDelPrograma();
    }
    // El muro del registro, leído en el espacio (por defecto "E").
    Muro* Leido(const std::string& registro, const char* espacio = "E") {
        std::string texto = kEspacio;
        // El muro va tras el espacio que se pide.
        if (std::string(espacio) == "E") {
            const size_t tras = texto.find("\"E12\" = SPACE");
            texto.insert(tras, registro);
        } else {
            texto += registro;
        }
        LeerModelo(texto, edificio);
        CabeceraEnTexto(registro);
        return dynamic_cast<Muro*>(edificio.BuscarPorNombre(nombre));
    }
    void CabeceraEnTexto(const std::string& registro) {
        const size_t a = registro.find('"') + 1;
        nombre = registro.substr(a, registro.find('"', a) - a);
    }

    Edificio edificio{"Edificio"};
    std::string nombre;
};

std::string Muro_(const char* tipo, std::initializer_list<std::string> lineas) {
    std::string texto = std::string("\"M\" = ") + tipo + "\r\n";
    for (const std::string& linea : lineas)
        texto += "    " + linea + "\r\n";
    return texto + "    CONSTRUCTION = \"Muro tipo\"\r\n    ..\r\n";
}

TEST_F(PruebaMuro, TechoSinInclinacion) {
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = TOP"}));
    ASSERT_NE(muro, nullptr);
    float inclinacion = -1;
    muro->ObtenerReal("Inclinación", inclinacion);
    EXPECT_EQ(inclinacion, 0.0f);
    const std::string escrito = RegistroDe(*muro);
    EXPECT_EQ(escrito.find("TILT"), std::string::npos);
    EXPECT_NE(escrito.find("                  LOCATION      = TOP  \r\n"), std::string::npos);
    // El techo: el polígono del espacio a la altura del espacio.
    const Coordenadas& v = muro->Vertices();
    ASSERT_EQ(v.NumeroPuntos(), 4);
    EXPECT_FLOAT_EQ(v.Z(2), 2.7f);
    EXPECT_FLOAT_EQ(v.Y(2), 4.0f);
}

TEST_F(PruebaMuro, SueloDelEspacioAlReves) {
    Muro* muro = Leido(Muro_("UNDERGROUND-WALL", {"LOCATION = BOTTOM", "Z-GROUND = 1.5"}));
    ASSERT_NE(muro, nullptr);
    const Coordenadas& v = muro->Vertices();
    ASSERT_EQ(v.NumeroPuntos(), 4);
    // El primero queda; los demás, de atrás adelante.
    const float esperados[4][2] = {{0, 0}, {0, 4}, {5, 4}, {5, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(v.X(i), esperados[i][0], 1e-5) << i;
        EXPECT_NEAR(v.Y(i), esperados[i][1], 1e-5) << i;
        EXPECT_NEAR(v.Z(i), 0.0f, 1e-5) << i;
    }
    // La profundidad que se pregunta se calcula sin cambiar la leída.
    AnsiString texto;
    muro->ValorPropiedad("Profundidad", texto);
    EXPECT_EQ(texto, "0.0");
    float profundidad = 0;
    muro->ObtenerReal("Profundidad", profundidad);
    EXPECT_FLOAT_EQ(profundidad, 1.5f);
    EXPECT_NE(RegistroDe(*muro).find("Z-GROUND      =            1.5"), std::string::npos);
}

TEST_F(PruebaMuro, FormaDelProgramaHermano) {
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V1", "TILT = 80"}));
    ASSERT_NE(muro, nullptr);
    EXPECT_EQ(Escrito([&](FileWriter& f) { muro->Exportar(f); }),
              LineasCRLF({
                  "                  CONSTRUCTION  = \"Muro tipo-C\"  ",
                  "                  TILT          = " + Numero14g("80"),
                  "                  LOCATION      = SPACE-V1  ",
                  "                      ..",
              }));
}

TEST_F(PruebaMuro, ProfundidadSinVertices) {
    ParedContactoTerreno muro("T");
    AnsiString texto;
    muro.ValorPropiedad("Profundidad", texto);
    EXPECT_EQ(texto, "1000.0");
}

TEST_F(PruebaMuro, LadoDeDoceVertices) {
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V12"}), "E12");
    ASSERT_NE(muro, nullptr);
    AnsiString origen;
    muro->ValorPropiedad("Origen", origen);
    EXPECT_EQ(origen, "ESPCO-V12");
    // El lado 12 va de (0, 1) a (0, 0): hacia -Y, de largo 1.
    const Coordenadas& v = muro->Vertices();
    ASSERT_EQ(v.NumeroPuntos(), 4);
    EXPECT_NEAR(v.X(0), 0.0f, 1e-5);
    EXPECT_NEAR(v.Y(0), 1.0f, 1e-5);
    EXPECT_NEAR(v.Y(1), 0.0f, 1e-5);
    EXPECT_NEAR(v.Z(2), 2.7f, 1e-5);
    EXPECT_NE(RegistroDe(*muro).find("LOCATION      = SPACE-V12  \r\n"), std::string::npos);
}

TEST_F(PruebaMuro, LadoSinAzimuthNiAnchura) {
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V2"}));
    ASSERT_NE(muro, nullptr);
    const Coordenadas& v = muro->Vertices();
    ASSERT_EQ(v.NumeroPuntos(), 4);
    // El lado V2 del espacio: de (5, 0) a (5, 4), vertical, con la altura del espacio.
    const float esperados[4][3] = {{5, 0, 0}, {5, 4, 0}, {5, 4, 2.7f}, {5, 0, 2.7f}};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR((k == 0   ? v.X(i)
                         : k == 1 ? v.Y(i)
                                  : v.Z(i)),
                        esperados[i][k], 1e-4)
                << i << "," << k;
    EXPECT_EQ(v.Orientacion(), "90");
}

TEST_F(PruebaMuro, ConAzimuthYSinAnchuraNoTieneVertices) {
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V2", "AZIMUTH = 90"}));
    ASSERT_NE(muro, nullptr);
    EXPECT_EQ(muro->Vertices().NumeroPuntos(), 0);
}

TEST_F(PruebaMuro, PoligonoYAlturaSoloEscribePoligono) {
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V1", "POLYGON = \"Local\"",
                                               "HEIGHT = 2", "WIDTH = 3"}));
    ASSERT_NE(muro, nullptr);
    const std::string escrito = RegistroDe(*muro);
    EXPECT_NE(escrito.find("POLYGON       = \"Local\""), std::string::npos);
    EXPECT_EQ(escrito.find("HEIGHT"), std::string::npos);
    EXPECT_EQ(escrito.find("WIDTH"), std::string::npos);
}

TEST_F(PruebaMuro, SinAlturaTomaLaDelEspacio) {
    for (const char* altura : {"HEIGHT = 0", "X = 0"}) {
        SCOPED_TRACE(altura);
        bdPoligonos::Liberar();
        Edificio otro("Edificio");
        LeerModelo(kEspacio.substr(0, kEspacio.find("\"E12\" = SPACE")) +
                       Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V1", altura}),
                   otro);
        float valor = 0;
        otro.BuscarPorNombre("M")->ObtenerReal("Altura", valor);
        EXPECT_FLOAT_EQ(valor, 2.7f);
    }
}

TEST_F(PruebaMuro, VerticeLejanoAvisa) {
    Guion().AnswerMessageBox(IDOK);
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V1", "POLYGON = \"Lejos\""}));
    ASSERT_NE(muro, nullptr);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text, "Coordenadas erróneas");
    EXPECT_EQ(Guion().ShownBoxes()[0].caption, "Error");
    EXPECT_EQ(muro->Vertices().NumeroPuntos(), 0);
    EXPECT_TRUE(muro->PrimerCalculo());
}

TEST_F(PruebaMuro, LadoMalFormadoNoDaVerticesYQuedaMal) {
    for (const char* origen : {"SPACE-Vx", "SPACE-V7", "SPACE-V123", "SPACE-V", "SP"}) {
        SCOPED_TRACE(origen);
        bdPoligonos::Liberar();
        FicheroLog::Instancia()->Inicializar();
        Edificio otro("Edificio");
        LeerModelo(kEspacio.substr(0, kEspacio.find("\"E12\" = SPACE")) +
                       Muro_("EXTERIOR-WALL", {std::string("LOCATION = ") + origen, "WIDTH = 2"}),
                   otro);
        auto* muro = dynamic_cast<Muro*>(otro.BuscarPorNombre("M"));
        ASSERT_NE(muro, nullptr);
        EXPECT_EQ(muro->Vertices().NumeroPuntos(), 0);
        RegistroDe(*muro);
        EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("MUROEXT   =mal"), 0);
    }
}

TEST_F(PruebaMuro, ValoresTecleados) {
    ComprobarTecleados([] { return std::make_unique<ParedExterior>("M"); },
                       {
                           {"Azimuth", "400", 0.0f, ESTADO_RECHAZADO, true},
                           {"Inclinación", "-400", 0.0f, ESTADO_RECHAZADO, true},
                           {"Altura", "150", 3.0f, ESTADO_RECHAZADO, true},
                           {"Anchura", "12.5", 12.5f, ESTADO_USUARIO, false},
                           {"Absortividad", "2", 0.3f, ESTADO_RECHAZADO, true},
                       });
    ComprobarTecleados([] { return std::make_unique<ParedTrombe>("M"); },
                       {{"Caudal aire", "20000", 0.0f, ESTADO_RECHAZADO, true}});
    ComprobarTecleados([] { return std::make_unique<ParedContactoTerreno>("M"); },
                       {{"Profundidad", "-150", 0.0f, ESTADO_RECHAZADO, true}});
    ParedInterior interior("I");
    interior.AsignarPropiedad("TipoParamento", "ADIABATIC");
    AnsiString tipo;
    interior.ValorPropiedad("TipoParamento", tipo);
    EXPECT_EQ(tipo, "ADIABATICO");
}

TEST_F(PruebaMuro, MuroInterior) {
    struct Caso {
        const char* tipo;
        const char* vecino;
        const char* escrito;
        bool conVecino;
    };
    for (const Caso& caso : {Caso{"PARTY_WALL", "\"Cocina\"", "PARTY_WALL", false},
                             Caso{"ADIABATICO", "\"Ninguno\"", "ADIABATIC", false},
                             Caso{"ADIABATIC", "\"Cocina\"", "ADIABATIC", true},
                             Caso{"STANDARD", "\"Cocina\"", "STANDARD", true}}) {
        SCOPED_TRACE(caso.tipo);
        bdPoligonos::Liberar();
        Edificio otro("Edificio");
        LeerModelo(kEspacio.substr(0, kEspacio.find("\"E12\" = SPACE")) +
                       Muro_("INTERIOR-WALL",
                             {std::string("INT-WALL-TYPE = ") + caso.tipo,
                              std::string("NEXT-TO = ") + caso.vecino, "LOCATION = SPACE-V1"}),
                   otro);
        ObjetoBase* muro = otro.BuscarPorNombre("M");
        const std::string escrito = RegistroDe(*muro);
        EXPECT_NE(escrito.find(std::string("INT-WALL-TYPE = ") + caso.escrito + "  \r\n"),
                  std::string::npos);
        EXPECT_EQ(escrito.find("NEXT-TO") != std::string::npos, caso.conVecino) << escrito;
        EXPECT_NE(escrito.find("   COMPROBAR-REQUISITOS-MINIMOS = NO\r\n"), std::string::npos);
    }
}

TEST_F(PruebaMuro, MuroTrombe) {
    Muro* muro =
        Leido(Muro_("TROMBE-WALL", {"LOCATION = SPACE-V1", "GLASS-TYPE = \"Vidrio doble\""}));
    ASSERT_NE(muro, nullptr);
    AnsiString tipo;
    muro->ValorPropiedad("Tipo trombe", tipo);
    EXPECT_EQ(tipo, "DENTRO-DENTRO");
    const std::string escrito = RegistroDe(*muro);
    EXPECT_NE(escrito.find("                  TYPE-TROMBE   = IN-IN\r\n"), std::string::npos);
    EXPECT_EQ(escrito.find("COMPROBAR-REQUISITOS-MINIMOS"), std::string::npos);
    EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("MUROTR    =bien"), 0);
    // Para el programa hermano: un muro exterior, cerrado.
    EXPECT_EQ(Escrito([&](FileWriter& f) { muro->Exportar(f); }),
              LineasCRLF({"            \"M\" = EXTERIOR-WALL", "                      .."}));
    // Sin su vidrio: aviso y "mal" bajo el muro Trombe.
    muro->AsignarPropiedad("Acristalamiento", "Otro vidrio");
    Guion().AnswerMessageBox(IDOK);
    Escrito([&](FileWriter& f) { muro->EscribirVariante(f); });
    EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("MUROTR    =mal"), 0);
}

TEST_F(PruebaMuro, RequisitosMinimosYFormasCortas) {
    ParedExterior exterior("X");
    EXPECT_EQ(Escrito([&](FileWriter& f) { exterior.EscribirVariante(f); }),
              LineasCRLF({"            \"X\" = EXTERIOR-WALL",
                          "                  ABSORPTANCE   = " + Numero14g("0.6"),
                          "   COMPROBAR-REQUISITOS-MINIMOS = YES"}));
    EXPECT_EQ(Escrito([&](FileWriter& f) { exterior.EscribirCabecera(f); }),
              LineasCRLF({"            \"X\" = EXTERIOR-WALL"}));
    ParedContactoTerreno terreno("T");
    EXPECT_NE(Escrito([&](FileWriter& f) {
                  terreno.EscribirVariante(f);
              }).find("   COMPROBAR-REQUISITOS-MINIMOS = YES"),
              std::string::npos);
}

TEST_F(PruebaMuro, SinConstruccionAvisaYQuedaMal) {
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V1"}));
    muro->AsignarPropiedad("Construcción", "Ninguno");
    Guion().AnswerMessageBox(IDOK);
    const std::string escrito = RegistroDe(*muro);
    EXPECT_EQ(escrito.find("CONSTRUCTION  ="), std::string::npos);
    EXPECT_NE(FicheroLog::Instancia()->Texto().Pos("MUROEXT   =mal"), 0);
}

// La construcción se busca en los cerramientos de la base de datos abierta más reciente
// que sigue abierta.
TEST_F(PruebaMuro, LaConstruccionSeBuscaEnLaBaseAbiertaActual) {
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V1"}));
    auto estado = [&] {
        FicheroLog::Instancia()->Inicializar();
        muro->Comprobar();
        return std::string(FicheroLog::Instancia()->Texto().c_str());
    };
    // Una base abierta sin ese cerramiento tapa la lista de prueba que sí lo tiene.
    auto primera = std::make_unique<GestorBD>("Primera", LISTA_PROGRAMA);
    Guion().AnswerMessageBox(IDOK);
    EXPECT_NE(estado().find("MUROEXT   =mal"), std::string::npos);
    primera->Cerramientos()->CrearHijo("Muro tipo", TIPO_CERRAMIENTO);
    EXPECT_NE(estado().find("MUROEXT   =bien"), std::string::npos);
    {
        GestorBD segunda("Segunda", LISTA_PROGRAMA);
        Guion().AnswerMessageBox(IDOK);
        EXPECT_NE(estado().find("MUROEXT   =mal"), std::string::npos);
    }
    EXPECT_NE(estado().find("MUROEXT   =bien"), std::string::npos);
}

TEST_F(PruebaMuro, AlBorrarseBorraSusVentanas) {
    Muro* muro = Leido(Muro_("EXTERIOR-WALL", {"LOCATION = SPACE-V1"}));
    muro->CrearHijoNumerado("V", TIPO_VENTANA, false);
    muro->CrearHijoNumerado("W", TIPO_VENTANA, false);
    ObjetoBase* fuera = muro->Hijo(1);
    muro->QuitarHijo(fuera);
    delete muro;
    EXPECT_EQ(edificio.BuscarPorNombre("V"), nullptr);
    EXPECT_EQ(fuera->ObtenerDueno(), nullptr);
    delete fuera;
}

} // namespace
