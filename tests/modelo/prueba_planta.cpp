// Plantas: registro "FLOOR", polígono, contorno en coordenadas del edificio; y los
// contenedores de resultados.

#include "comunes/Idioma.h"
#include "modelo/Edificio.h"
#include "modelo/Planta.h"
#include "modelo/Poligono.h"
#include "modelo/Resultados.h"
#include "modelo/bdPoligonos.h"
#include "tests/comunes/registros_prueba.h"
#include "tests/modelo/modelo_prueba.h"

#include "plataforma/base/file_writer.h"

namespace {

class PruebaPlanta : public PruebaModelo {
protected:
    // Un polígono de la lista compartida leído de su registro.
    void PonerPoligono(const AnsiString& nombre, const std::string& vertices) {
        bdPoligonos::Instancia()->CrearHijo(nombre, TIPO_POLIGONO);
        RegistroLeido registro = PrimerRegistro(
            "\"" + nombre.str() + "\" = POLYGON\r\n" + vertices + "    ..\r\n", "POLYGON ");
        bdPoligonos::Instancia()->Buscar(nombre)->Leer(registro.registro.get());
    }
    // La planta creada en el edificio y leída del registro.
    Planta* Leida(Contenedor& dueno, const std::string& registro) {
        RegistroLeido leido = PrimerRegistro(registro, "FLOOR ");
        dueno.CrearHijo(leido.nombre, TIPO_PLANTA);
        auto* planta = dynamic_cast<Planta*>(dueno.BuscarPorNombre(leido.nombre));
        EXPECT_NE(planta, nullptr);
        if (planta) planta->Leer(leido.registro.get());
        return planta;
    }
};

const std::string kCuadrado = "    V1 =( 0, 0 )\r\n    V2 =( 1, 0 )\r\n    V3 =( 1, 1 )\r\n"
                              "    V4 =( 0, 1 )\r\n";

TEST_F(PruebaPlanta, SinPoligonoNiValores) {
    Edificio edificio("Edificio");
    Planta* planta = Leida(edificio, LineasCRLF({"\"P1\" = FLOOR", "      .."}));
    ASSERT_NE(planta, nullptr);
    AnsiString poligono;
    planta->ValorPropiedad("Poligono", poligono);
    EXPECT_EQ(poligono, "DEFECTO POLIGONO");
    EXPECT_FALSE(planta->PoligonoDefinido());
    EXPECT_EQ(planta->Contorno().NumeroPuntos(), 0);
    // Ni posición ni multiplicador: sus líneas no se escriben; la altura de espacios sí.
    const std::string escrito = ComprobarIdaYVuelta(*planta, "FLOOR ", TIPO_PLANTA);
    EXPECT_EQ(escrito, LineasCRLF({
                           "\"P1\" = FLOOR",
                           "      POLYGON       =  \"DEFECTO POLIGONO\"",
                           "      FLOOR-HEIGHT  = " + Numero14g("0"),
                           "      SPACE-HEIGHT  = " + Numero14g("0"),
                           "      SHAPE         =  \"POLYGON\"",
                           "      ..",
                       }));
    // Con un polígono de ese nombre sí tiene contorno.
    PonerPoligono("DEFECTO POLIGONO", kCuadrado);
    EXPECT_TRUE(planta->PoligonoDefinido());
}

TEST_F(PruebaPlanta, SoloLasCoordenadasDadas) {
    struct Caso {
        const char* linea;
        const char* escrita;
    };
    const Caso casos[] = {
        {"      X = 2.5", "      X             = "},
        {"      Y = 2.5", "      Y             = "},
        {"      AZIMUTH = 2.5", "      AZIMUTH       = "},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.linea);
        Edificio edificio("Edificio");
        Planta* planta = Leida(edificio, LineasCRLF({"\"P\" = FLOOR", caso.linea, "      .."}));
        const std::string escrito = ComprobarIdaYVuelta(*planta, "FLOOR ", TIPO_PLANTA);
        EXPECT_NE(escrito.find(caso.escrita + Numero14g("2.5") + "\r\n"), std::string::npos);
        for (const Caso& otro : casos)
            if (&otro != &caso) {
                EXPECT_EQ(escrito.find(otro.escrita), std::string::npos);
            }
    }
}

TEST_F(PruebaPlanta, RegistroCompletoYExportado) {
    PonerPoligono("Planta tipo", kCuadrado);
    Edificio edificio("Edificio");
    Planta* planta = Leida(edificio, LineasCRLF({
                                         "\"P2\" = FLOOR",
                                         "      X             =            10",
                                         "      Z             =  3",
                                         "      POLYGON       =  \"Planta tipo\"",
                                         "      FLOOR-HEIGHT  = 3.2",
                                         "      SPACE-HEIGHT  = 2.7",
                                         "      MULTIPLIER    = 4",
                                         "      ..",
                                     }));
    ASSERT_NE(planta, nullptr);
    float valor = 0;
    planta->ObtenerReal("Multiplicador", valor);
    EXPECT_EQ(valor, 4.0f);
    EXPECT_FLOAT_EQ(planta->ValorReal("alturaEspacios"), 2.7f);
    AnsiString texto;
    // Como texto general de un float, con sus 15 cifras.
    planta->ValorPropiedad("AlturaPlanta", texto);
    EXPECT_EQ(texto, "3.20000004768372");
    planta->ValorPropiedad("Multiplicador", texto);
    EXPECT_EQ(texto, "4");
    const std::string escrito = ComprobarIdaYVuelta(*planta, "FLOOR ", TIPO_PLANTA);
    EXPECT_EQ(escrito, LineasCRLF({
                           "\"P2\" = FLOOR",
                           "      X             = " + Numero14g("10"),
                           "      Z             =  " + Numero14g("3"),
                           "      POLYGON       =  \"Planta tipo\"",
                           "      FLOOR-HEIGHT  = " + Numero14g("3.2"),
                           "      SPACE-HEIGHT  = " + Numero14g("2.7"),
                           "      MULTIPLIER    = 4",
                           "      SHAPE         =  \"POLYGON\"",
                           "      ..",
                       }));
    EXPECT_EQ(Escrito([&](FileWriter& f) { planta->Exportar(f); }),
              LineasCRLF({
                  "\"P2\" = FLOOR",
                  "      X             = " + Numero14g("10"),
                  "      Z             =  " + Numero14g("3"),
                  "      POLYGON       =  \"Planta tipo\"",
                  "      FLOOR-HEIGHT  = " + Numero14g("3.2"),
                  "      MULTIPLIER    = 4",
                  "      ..",
              }));
}

TEST_F(PruebaPlanta, ContornoEnCoordenadasDelEdificio) {
    PonerPoligono("Cuadrado", kCuadrado);
    struct Caso {
        const char* que;
        float azimuthPlanta, azimuthEdificio, xRef, yRef;
        // El vértice (1, 0) del polígono, en el edificio.
        float x, y;
    };
    const Caso casos[] = {
        {"sin giros", 0, 0, 0, 0, 11, 0},
        {"referencia", 0, 0, 100, 200, 111, 200},
        // a = 90: x1 = X + y, y1 = Y - x.
        {"planta girada", 90, 0, 100, 200, 110, 199},
        // b = 90: x2 = y1, y2 = -x1.
        {"edificio girado", 0, 90, 0, 0, 0, -11},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        Edificio edificio("Edificio");
        edificio.PonerReal("Azimuth", caso.azimuthEdificio);
        edificio.PonerReal("XRef", caso.xRef);
        edificio.PonerReal("YRef", caso.yRef);
        Planta* planta =
            Leida(edificio, LineasCRLF({"\"P\" = FLOOR", "      X = 10", "      Z = 3",
                                        "      AZIMUTH = " + std::to_string(caso.azimuthPlanta),
                                        "      POLYGON = \"Cuadrado\"", "      .."}));
        const Coordenadas& contorno = planta->Contorno();
        ASSERT_EQ(contorno.NumeroPuntos(), 4);
        EXPECT_NEAR(contorno.X(1), caso.x, 1e-4);
        EXPECT_NEAR(contorno.Y(1), caso.y, 1e-4);
        EXPECT_EQ(contorno.Z(1), 3.0f);
    }
    // Una planta sin dueño toma 0 para el edificio.
    Planta suelta("Suelta");
    RegistroLeido registro =
        PrimerRegistro(LineasCRLF({"\"Suelta\" = FLOOR", "      Y = 5",
                                   "      POLYGON = \"Cuadrado\"", "      .."}),
                       "FLOOR ");
    suelta.Leer(registro.registro.get());
    ASSERT_EQ(suelta.Contorno().NumeroPuntos(), 4);
    EXPECT_FLOAT_EQ(suelta.Contorno().Y(2), 6.0f);
}

TEST_F(PruebaPlanta, PoligonoDefinidoYCopia) {
    Edificio edificio("Edificio");
    edificio.CrearHijo("P", TIPO_PLANTA);
    auto* planta = dynamic_cast<Planta*>(edificio.Hijo(0));
    ASSERT_NE(planta, nullptr);
    EXPECT_FALSE(planta->PoligonoDefinido()) << "\"Ninguno\"";
    Planta* conNombre = Leida(edificio, LineasCRLF({"\"Q\" = FLOOR", "      POLYGON = \"Vacio\"",
                                                    "      FLOOR-HEIGHT = 3", "      .."}));
    EXPECT_FALSE(conNombre->PoligonoDefinido()) << "no está en la lista";
    bdPoligonos::Instancia()->CrearHijo("Vacio", TIPO_POLIGONO);
    EXPECT_FALSE(conNombre->PoligonoDefinido()) << "sin vértices";
    bdPoligonos::Instancia()->Buscar("Vacio")->Leer(
        PrimerRegistro("\"Vacio\" = POLYGON\r\n" + kCuadrado + "    ..\r\n", "POLYGON ")
            .registro.get());
    EXPECT_TRUE(conNombre->PoligonoDefinido());
    EXPECT_TRUE(conNombre->AlQuitar());

    planta->CopiarDe(*conNombre);
    AnsiString texto;
    planta->ValorPropiedad("Poligono", texto);
    EXPECT_EQ(texto, "Vacio");
    planta->ValorPropiedad("AlturaPlanta", texto);
    EXPECT_EQ(texto, "3");
}

// Una planta copiada escribe el mismo registro que su original (salvo el nombre): su azimut
// y su multiplicador se copian con su estado, y lo que el original no daba sigue sin darse.
TEST_F(PruebaPlanta, CopiaEscribeLoMismoQueSuOriginal) {
    Edificio edificio("Edificio");
    PonerPoligono("Cuadrado", kCuadrado);
    auto sinNombre = [](const std::string& registro) {
        return registro.substr(registro.find('\n'));
    };
    const struct {
        const char* que;
        std::vector<std::string> lineas;
    } casos[] = {
        {"girada y repetida",
         {"      POLYGON = \"Cuadrado\"", "      AZIMUTH = 20", "      MULTIPLIER = 3",
          "      FLOOR-HEIGHT = 3.2", "      SPACE-HEIGHT = 2.9"}},
        {"sin azimut ni multiplicador", {"      POLYGON = \"Cuadrado\"", "      FLOOR-HEIGHT = 3"}},
    };
    int n = 0;
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.que);
        const std::string nombre = "O" + std::to_string(n++);
        std::vector<std::string> lineas = {"\"" + nombre + "\" = FLOOR"};
        lineas.insert(lineas.end(), caso.lineas.begin(), caso.lineas.end());
        lineas.push_back("      ..");
        std::string texto;
        for (const std::string& linea : lineas)
            texto += linea + "\r\n";
        Planta* original = Leida(edificio, texto);
        ASSERT_NE(original, nullptr);
        edificio.CrearHijo("C" + nombre, TIPO_PLANTA);
        auto* copia = dynamic_cast<Planta*>(edificio.BuscarPorNombre(("C" + nombre).c_str()));
        ASSERT_NE(copia, nullptr);
        copia->CopiarDe(*original);
        const std::string escrito = RegistroDe(*original);
        EXPECT_EQ(sinNombre(RegistroDe(*copia)), sinNombre(escrito));
        EXPECT_EQ(escrito.find("AZIMUTH") != std::string::npos, caso.lineas.size() > 2);
    }
}

// Un hijo que avisa al morir.
class Testigo : public ObjetoBase {
public:
    Testigo(const AnsiString& nombre, bool& muerto) : ObjetoBase(nombre), muerto(muerto) {}
    ~Testigo() override { muerto = true; }

private:
    bool& muerto;
};

TEST_F(PruebaPlanta, AlBorrarseBorraSusHijos) {
    bool muerto = false;
    bool movido = false;
    auto* quedaFuera = new Testigo("Movido", movido);
    {
        Edificio edificio("Edificio");
        edificio.CrearHijo("P", TIPO_PLANTA);
        auto* planta = static_cast<Contenedor*>(edificio.Hijo(0));
        planta->AnadirHijo(new Testigo("Espacio", muerto));
        planta->AnadirHijo(quedaFuera);
        // Lo que se saca antes deja de ser suyo.
        planta->QuitarHijo(quedaFuera);
    }
    EXPECT_TRUE(muerto);
    EXPECT_FALSE(movido);
    delete quedaFuera;
    EXPECT_TRUE(movido);
}

// Un resultado de espacio con su área y sus valores.
class ResultadoDePrueba : public ObjetoBase {
public:
    ResultadoDePrueba(const AnsiString& nombre, float area, float calefaccion, float refrigeracion)
        : ObjetoBase(nombre), area(area), calefaccion(calefaccion), refrigeracion(refrigeracion) {}
    void ObtenerReal(const AnsiString& clave, float& valor) const override {
        if (clave == "Area") valor = area;
        if (clave == "Calefacción P") valor = calefaccion;
        if (clave == "Refrigeración P") valor = refrigeracion;
    }

private:
    float area, calefaccion, refrigeracion;
};

TEST_F(PruebaPlanta, TotalesDePlanta) {
    ResPlantaNorvia totales("P1");
    AnsiString texto;
    totales.FilasResultadoP();
    totales.ValorPropiedad("Calefacción P", texto);
    EXPECT_EQ(texto, "0.00") << "sin área";
    totales.AnadirHijo(new ResultadoDePrueba("E1", 10, 30, 5));
    totales.AnadirHijo(new ResultadoDePrueba("E2", 30, 10, 1));
    // Dos veces: las sumas empiezan de cero en cada llamada.
    totales.FilasResultadoP();
    totales.FilasResultadoP();
    EXPECT_FLOAT_EQ(totales.Area(), 40.0f);
    totales.ValorPropiedad("Calefacción P", texto);
    EXPECT_EQ(texto, "15.00");
    totales.ValorPropiedad("Refrigeración P", texto);
    EXPECT_EQ(texto, "2.00");
    totales.FilasResultadoO();
    totales.ValorPropiedad("Calefacción O", texto);
    EXPECT_EQ(texto, "0.00");
    totales.ValorPropiedad("Calefacción P", texto);
    EXPECT_EQ(texto, "15.00") << "cada juego guarda lo suyo";
}

TEST_F(PruebaPlanta, ResultadosPorCodigoDeIdioma) {
    for (unsigned char codigo : {0, 1, 2}) {
        SCOPED_TRACE(static_cast<int>(codigo));
        Idioma::Instancia()->FijarCodigoParaPruebas(codigo);
        Edificio edificio("Edificio");
        edificio.CrearResultado(TIPO_PLANTA);
        edificio.CrearResultado(TIPO_ESPACIO);
        edificio.CrearResultado(TIPO_SOMBRA);
        ASSERT_EQ(edificio.NumeroHijos(), 2);
        const bool norvia = codigo == 2;
        EXPECT_EQ(dynamic_cast<ResPlantaNorvia*>(edificio.Hijo(0)) != nullptr, norvia);
        EXPECT_EQ(dynamic_cast<ResPlanta*>(edificio.Hijo(0)) != nullptr, !norvia);
        EXPECT_EQ(dynamic_cast<ResEspacioNorvia*>(edificio.Hijo(1)) != nullptr, norvia);
        EXPECT_EQ(dynamic_cast<ResEspacio*>(edificio.Hijo(1)) != nullptr, !norvia);
        EXPECT_EQ(edificio.Hijo(0)->ObtenerNombre(), "Edificio");
    }
}

} // namespace
