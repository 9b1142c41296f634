// Búsquedas de palabras clave, números y listas de LeerBDL sobre textos pequeños.

#include "comunes/LeerBDL.h"
#include "comunes/Util.h"

#include "plataforma/base/c_format.h"
#include "tests/comun/separador_regional.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<LeerBDL> Lector(const std::string& texto,
                                LeerBDL::Forma forma = LeerBDL::Forma::Comprimida) {
    return std::make_unique<LeerBDL>(LeerBDL::EnMemoria{}, texto, forma);
}

// El valor de LeerCadena, o "<ausente>".
std::string Cadena(const LeerBDL& lector, const char* clave) {
    AnsiString valor = "<sin tocar>";
    if (lector.LeerCadena(clave, valor) != 0) {
        EXPECT_EQ(valor, "<sin tocar>");
        return "<ausente>";
    }
    return valor.str();
}

TEST(LeerBDL, ComprimeBlancosYFinesDeLinea) {
    EXPECT_EQ(Lector("a  b\r\n    c\nd")->Texto(), "a b \n c \n d");
    EXPECT_EQ(Lector("x\r\n\r\ny")->Texto(), "x \n  \n y");
    EXPECT_EQ(Lector("\tT\t=  1")->Texto(), "\tT\t= 1"); // los tabuladores no se tocan
    // Con sangría el texto se trata en su sitio; sin ella crece y sigue en otro.
    EXPECT_EQ(Lector("    THICKNESS         =      0.0123456\r\n    CONDUCTIVITY = 1\r\n")->Texto(),
              " THICKNESS = 0.0123456 \n CONDUCTIVITY = 1 \n ");
    EXPECT_EQ(Lector("abcdefghij\nklmnopqrst\n\nuvwxyz0123456789  Á\n")->Texto(),
              "abcdefghij \n klmnopqrst \n  \n uvwxyz0123456789 Á \n ");
    // Miles de líneas cortas sin sangría crecen más que el margen del texto: sigue aparte.
    std::string cortas, esperado;
    for (int i = 0; i < 5000; ++i) {
        cortas += std::to_string(i % 10) + "\n";
        esperado += std::to_string(i % 10) + " \n ";
    }
    EXPECT_EQ(Lector(cortas)->Texto(), esperado);
    EXPECT_EQ(Lector("\"Muro\" = LAYERS\n..", LeerBDL::Forma::Literal)->Texto(),
              "\"Muro\" = LAYERS\n..");
    EXPECT_EQ(Lector("a  b\r\n    c\n", LeerBDL::Forma::Literal)->Texto(), "a  b\n    c\n");
}

struct CasoClave {
    const char* texto;
    const char* clave;
    const char* valor; // "<ausente>" si no se encuentra
};

// Dónde empieza y acaba una palabra clave, comillas y comentarios.
const CasoClave kClaves[] = {
    // Empieza donde empieza una palabra.
    {"SPACE-TYPE = A\nTYPE = B", "TYPE ", "B"},
    {"GLASS-TYPE = A", "TYPE ", "<ausente>"},
    {"KEY=g", "KEY", "g"},
    {"\tKEY\t= h", "KEY", "h"},
    {"SETBACK-WIDTH = 1\n    WIDTH = 2", " WIDTH ", "2"}, // clave que empieza en blanco
    {"X-WIDTH = 1", " WIDTH ", "<ausente>"},
    // Acaba donde acaba una palabra.
    {"DATOS = Datos\\\nDAT = Dat\\", "DAT", "Dat\\"},
    {"DATOS = Datos\\", "DAT", "<ausente>"},
    {"V10 = 3\nV1 = 4", "V1", "4"},
    {"LIB=a", "LIB", "a"},
    {"KEYS = 1\nXKEY = 2\nKE", "KEY", "<ausente>"}, // el texto acaba a media clave
    {"CAMBIO  = SI\nCAMBIOS = NO", "CAMBIO ", "SI"},
    {"TYPE = PROPERTIES", "TYPE =", "PROPERTIES"}, // clave con su propio "="
    // El blanco final de la clave vale también por un tabulador del texto.
    {"NAME\t= \"x\"", "NAME ", "\"x\""},
    {"TYPE\t=\tB", "TYPE ", "B"},
    {"SETBACK-WIDTH = 1\n    WIDTH\t= 2", " WIDTH ", "2"},
    {"VAPOUR-DIFFUSIVITY-FACTOR\t= 7", "VAPOUR-DIFFUSIVITY-FACTOR ", "7"},
    {"VAPOUR-DIFFUSIVITY-FACTORS\t= 7", "VAPOUR-DIFFUSIVITY-FACTOR ", "<ausente>"},
    {"NAMEX\t= y", "NAME ", "<ausente>"},
    {"NAME=\t\"z\"", "NAME ", "<ausente>"},
    // Dentro de un texto entre comillas de su línea no está.
    {"NAME = \"caja X = 1\"\nX = 2", "X", "2"},
    {"\"Caja X 1\" = MATERIAL\nGROUP = \"X\"", "X", "<ausente>"},
    {"NAME = \"sin cierre X = 1\nX = 3", "X", "3"}, // las comillas no pasan de línea
    {"A = \"x\" X = 5", "X", "5"},                  // tras cerrarse, sí
    // En un comentario se encuentra, también tras una comilla suelta.
    {"$ comentario KEY = c", "KEY", "c"},
    {"$ una \" suelta KEY = e", "KEY", "e"},
    {"$ una \" suelta\nKEY = d", "KEY", "d"},
    {"   $ \"a\" \"b KEY = f", "KEY", "f"},
    // Valores.
    {"NAME = \"Ladrillo macizo\"", "NAME ", "\"Ladrillo macizo\""},
    {"NAME =   Ladrillo macizo", "NAME ", "Ladrillo"},
    {"GROUP = \"Fábricas\"", "GROUP ", "\"Fábricas\""},
    {"NAME = \"sin cierre\nGROUP = x", "NAME ", "\"sin cierre"},
    {"NAME = \"sin cierre\rGROUP = x", "NAME ", "\"sin cierre"},
    {"NAME = \"dos \"\" comillas\"", "NAME ", "\"dos \""},
    {"NAME = ab\tcd", "NAME ", "ab"},
    {"NAME =\t\"a\tb\"  ", "NAME ", "\"a\tb\""},
    {"NAME = ab\rcd", "NAME ", "ab"},
    {"NAME =\nGROUP = x", "NAME ", ""},
    {"NAME = ", "NAME ", ""},
    {"NAME \nsin igual", "NAME ", "<ausente>"},
    {"", "NAME ", "<ausente>"},
    {"NAME = x", "", "<ausente>"},
};

TEST(LeerBDL, PalabraClaveSoloComoPalabraYFueraDeComillas) {
    for (const CasoClave& caso : kClaves) {
        for (LeerBDL::Forma forma : {LeerBDL::Forma::Comprimida, LeerBDL::Forma::Literal}) {
            EXPECT_EQ(Cadena(*Lector(caso.texto, forma), caso.clave), caso.valor)
                << "\"" << caso.clave << "\" en: " << caso.texto;
        }
    }
}

TEST(LeerBDL, ValorIgualConCualquierSangriaYBlancos) {
    const char* textos[] = {
        "THICKNESS = 0.25\nNAME = \"a b\"",
        "    THICKNESS         =           0.25\n    NAME          = \"a b\"",
        "THICKNESS=0.25\nNAME=\"a b\"",
        "\t\tTHICKNESS\t=\t0.25\r\n  NAME   =    \"a b\"   ",
    };
    for (const char* texto : textos) {
        for (LeerBDL::Forma forma : {LeerBDL::Forma::Comprimida, LeerBDL::Forma::Literal}) {
            auto lector = Lector(texto, forma);
            float v = 0;
            EXPECT_EQ(lector->LeerReal("THICKNESS", v), 0) << texto;
            EXPECT_EQ(v, 0.25f);
            EXPECT_EQ(Cadena(*lector, "NAME"), "\"a b\"");
        }
    }
}

struct CasoNumero {
    const char* valor;
    bool leido;
    float esperado;
};

const CasoNumero kReales[] = {
    {"0.5", true, 0.5f},    {"   -12.75", true, -12.75f},
    {"+3", true, 3.0f},     {"1e-7", true, 1e-7f},
    {".5", true, 0.5f},     {"7.", true, 7.0f},
    {"2.5abc", true, 2.5f}, // como "%f": lo que se puede leer
    {"0,5", true, 0.0f},    // el fichero usa el punto, sea cual sea la región
    {"1e-50", true, 0.0f},  // demasiado pequeño: 0
    {"abc", false, 0},      {"", false, 0},
    {"inf", false, 0},      {"-inf", false, 0},
    {"infinity", false, 0}, {"nan", false, 0},
    {"NAN", false, 0},      {"1e39", false, 0}, // no cabe en un float
    {"-1e400", false, 0},   {"+-1", false, 0},
    {"-", false, 0},
};

TEST(LeerBDL, RealNoLeidoInfinitoONaNCuentaComoAusente) {
    for (char region : {'.', ','}) {
        SeparadorRegional separador(region);
        for (const CasoNumero& caso : kReales) {
            auto lector = Lector(std::string("KEY = ") + caso.valor + "\nOTRA = 1");
            float v = 42.0f;
            int r = lector->LeerReal("KEY", v);
            EXPECT_EQ(r, caso.leido ? 0 : -1) << caso.valor;
            EXPECT_EQ(v, caso.leido ? caso.esperado : 42.0f) << caso.valor;
        }
    }
    float v = 42.0f;
    EXPECT_EQ(Lector("OTRA = 1")->LeerReal("KEY", v), -1);
    EXPECT_EQ(Lector("KEY 1")->LeerReal("KEY", v), -1);
    EXPECT_EQ(v, 42.0f);
}

TEST(LeerBDL, RealSinPerdidaAlLeer) {
    const float valores[] = {1e-7f,
                             0.1f,
                             3.4028235e38f,
                             1.17549435e-38f,
                             1.0f / 3.0f,
                             123456.789f,
                             -2.5e-30f,
                             16777215.0f,
                             std::numeric_limits<float>::denorm_min(),
                             0.0f,
                             -0.0f};
    for (char region : {'.', ','}) {
        SeparadorRegional separador(region);
        for (float valor : valores) {
            std::string texto = "    THICKNESS = " + FormatoC("%.9g", static_cast<double>(valor));
            float leido = 42.0f;
            ASSERT_EQ(Lector(texto)->LeerReal("THICKNESS ", leido), 0) << texto;
            EXPECT_EQ(std::memcmp(&leido, &valor, sizeof valor), 0) << texto << " -> " << leido;
        }
    }
    // "%14.7g" da el float más cercano al texto escrito.
    float leido = 0;
    ASSERT_EQ(Lector("X = " + FormatoC("%14.7g", 0.1))->LeerReal("X", leido), 0);
    EXPECT_EQ(leido, 0.1f);
}

TEST(LeerBDL, Enteros) {
    struct Caso {
        const char* valor;
        int resultado;
        int esperado;
    };
    const Caso casos[] = {
        {"12", 0, 12},
        {" -7", 0, -7},
        {"+5", 0, 5},
        {"12.9", 0, 12},
        {"2147483647", 0, 2147483647},
        {"99999999999", -1, 42},
        {"abc", -1, 42},
        {"", -1, 42},
        {"- 3", -1, 42},
    };
    for (const Caso& caso : casos) {
        int v = 42;
        EXPECT_EQ(Lector(std::string("TYPE = ") + caso.valor)->LeerEntero("TYPE ", v),
                  caso.resultado)
            << caso.valor;
        EXPECT_EQ(v, caso.esperado) << caso.valor;
    }
}

TEST(LeerBDL, ListasDeReales) {
    struct Caso {
        const char* texto;
        int resultado;
        std::vector<float> valores;
    };
    const Caso casos[] = {
        {"THICKNESS = (      0.115, 0.07,0.02)", 3, {0.115f, 0.07f, 0.02f}},
        {"THICKNESS = (0.1)", 1, {0.1f}},
        {"THICKNESS = ()", 0, {}},
        {"THICKNESS = (   )", 0, {}},
        {"THICKNESS = (1, abc, 3)", 3, {1.0f, 0.0f, 3.0f}}, // uno ilegible no mueve a los demás
        {"THICKNESS = (1, inf)", 2, {1.0f, 0.0f}},
        {"COEFF = (0.1, 0.2, 0.3, 0.4)\nTHICKNESS = (5,\n 6)", 2, {5.0f, 6.0f}},
        {"THICKNESS = 0.1", -1, {9.0f}},
        {"THICKNESS = (0.1, 0.2", -1, {9.0f}},
        {"OTRA = (1)", -1, {9.0f}},
    };
    for (const Caso& caso : casos) {
        std::vector<float> valores{9.0f};
        EXPECT_EQ(Lector(caso.texto)->LeerListaReales("THICKNESS ", valores), caso.resultado)
            << caso.texto;
        EXPECT_EQ(valores, caso.valores) << caso.texto;
    }
}

TEST(LeerBDL, ListasDeCadenas) {
    struct Caso {
        const char* texto;
        int resultado;
        std::vector<std::string> valores;
    };
    const Caso casos[] = {
        {"MATERIAL = (\"a\", \"b\")", 2, {"\"a\"", "\"b\""}},
        {"MATERIAL = (\"Ladrillo\",\n \"Ladrillo hueco\",\n \"Lad\")\nNAME = \"x\"",
         3,
         {"\"Ladrillo\"", "\"Ladrillo hueco\"", "\"Lad\""}},
        {"MATERIAL = (\"a, b\", \"c (d)\" )", 2, {"\"a, b\"", "\"c (d)\""}},
        {"MATERIAL = (\"Cerámica\")", 1, {"\"Cerámica\""}},
        // Una lista vacía no se lleva los textos de después.
        {"MATERIAL = ()\nNAME = \"x\"\nGROUP = \"y\")", 0, {}},
        {"MATERIAL = (   )", 0, {}},
        // Sin ")" acaba en lo primero que no es un texto entre comillas.
        {"MATERIAL = (\"a\", \"b\"\nGROUP = \"x\"", 2, {"\"a\"", "\"b\""}},
        {"MATERIAL = (\"a\", \"sin cierre\nGROUP = \"x\"", 1, {"\"a\""}},
        {"MATERIAL = \"a\"", -1, {"previo"}},
        {"NAME = (\"a\")", -1, {"previo"}},
    };
    for (const Caso& caso : casos) {
        std::vector<AnsiString> valores{"previo"};
        EXPECT_EQ(Lector(caso.texto)->LeerListaCadenas("MATERIAL ", valores), caso.resultado)
            << caso.texto;
        std::vector<std::string> leidos;
        for (const AnsiString& v : valores)
            leidos.push_back(v.str());
        EXPECT_EQ(leidos, caso.valores) << caso.texto;
    }
}

TEST(LeerBDL, ParesDeUnPoligono) {
    auto lector = Lector("\"P1\" = POLYGON\n    V1  =( 1, 2 )\n    V2  =( 3.5, -4 )\n"
                         "    V3  =( 0, 1e-7 )\n    V4  =( abc, 5 )\n    ..\n");
    EXPECT_EQ(lector->ContarPares(), 4);
    std::vector<std::pair<float, float>> pares{{9, 9}};
    EXPECT_EQ(lector->LeerPares(4, pares), 4);
    using P = std::pair<float, float>;
    EXPECT_EQ(pares, (std::vector<P>{{1.0f, 2.0f}, {3.5f, -4.0f}, {0.0f, 1e-7f}, {0.0f, 5.0f}}));
    // Pedir más de los que hay da los que hay.
    EXPECT_EQ(lector->LeerPares(10, pares), 4);

    auto sinV1 = Lector("\"P1\" = POLYGON\n    V10 =( 1, 2 )\n");
    EXPECT_EQ(sinV1->ContarPares(), 0);
    EXPECT_EQ(sinV1->LeerPares(1, pares), -1);
    EXPECT_EQ(pares.size(), 4u);
}

TEST(LeerBDL, BuscarEsLiteralYCuentaDesdeUno) {
    auto lector = Lector("abc DATOS abc", LeerBDL::Forma::Literal);
    EXPECT_EQ(lector->Buscar("abc"), 1u);
    EXPECT_EQ(lector->Buscar("abc", 2), 11u);
    EXPECT_EQ(lector->Buscar("DAT"), 5u); // aquí no se miran las palabras
    EXPECT_EQ(lector->Buscar("zz"), 0u);
    EXPECT_EQ(lector->Buscar("abc", 12), 0u);
    EXPECT_EQ(lector->Buscar("abc", 100), 0u);
    EXPECT_EQ(lector->Buscar(""), 0u);
}

} // namespace

namespace {

// Lo que leen las cuatro lecturas de una clave, en texto: el resultado y el valor de cada una.
// La fuente es el lector (la clave, su texto) o sus campos de una pasada (su puesto).
template <class Fuente, class Clave> std::string Lecturas(const Fuente& fuente, Clave clave) {
    float real = -1;
    AnsiString cadena = "-";
    std::vector<float> reales{-1};
    std::vector<AnsiString> cadenas{"-"};
    std::string s = std::to_string(fuente.LeerReal(clave, real)) + " " + std::to_string(real);
    s += "|" + std::to_string(fuente.LeerCadena(clave, cadena)) + " " + cadena.str();
    s += "|" + std::to_string(fuente.LeerListaReales(clave, reales)) + " " +
         std::to_string(reales.size()) + " " + std::to_string(reales.empty() ? 0 : reales[0]);
    s += "|" + std::to_string(fuente.LeerListaCadenas(clave, cadenas)) + " " +
         std::to_string(cadenas.size()) + " " + (cadenas.empty() ? "" : cadenas.back().str());
    return s;
}

} // namespace

TEST(LeerBDL, CamposDeUnaPasadaComoCadaClaveSuelta) {
    // Los casos de dónde está una palabra clave, todos en un juego con otras claves.
    for (const CasoClave& caso : kClaves) {
        const ClavesBDL claves{"NAME", caso.clave, "TYPE ", " WIDTH ", "X"};
        for (LeerBDL::Forma forma : {LeerBDL::Forma::Comprimida, LeerBDL::Forma::Literal}) {
            auto lector = Lector(caso.texto, forma);
            const CamposBDL campos(*lector, claves);
            AnsiString valor = "<sin tocar>";
            const std::string leido =
                campos.LeerCadena(1, valor) == 0 ? valor.str() : std::string("<ausente>");
            EXPECT_EQ(leido, caso.valor) << "\"" << caso.clave << "\" en: " << caso.texto;
        }
    }

    // Textos al azar de piezas de registro: palabras clave y sus vecinas, comillas,
    // comentarios, blancos, fines de línea, listas y números.
    const char* piezas[] = {"TYPE",
                            "TYPE ",
                            "GLASS-TYPE",
                            "NAME",
                            "NAME_DUMVAT",
                            "THICKNESS",
                            "THICKNESS_MAX",
                            "V1",
                            "V10",
                            "WIDTH",
                            "X",
                            " ",
                            "  ",
                            "\t",
                            "\n",
                            "\r\n",
                            "\r",
                            "\"",
                            "$",
                            "=",
                            " = ",
                            "(",
                            ")",
                            ",",
                            "0.25",
                            "-3e2",
                            "abc",
                            "..",
                            "\"a b\"",
                            "(\"m1\", \"m2\")",
                            "( 1, 2.5,x)",
                            "PROPERTIES",
                            "VAPOUR-DIFFUSIVITY-FACTOR",
                            "VAPOUR-DIFFUSIVITY-FACTORS",
                            "VAPOUR-DIFFUSIVITY-F"};
    const std::vector<std::string_view> sueltas = {"TYPE ",
                                                   "TYPE",
                                                   "NAME",
                                                   "NAME_DUMVAT",
                                                   "THICKNESS",
                                                   "THICKNESS_MAX",
                                                   "V1",
                                                   " WIDTH ",
                                                   "X",
                                                   "=",
                                                   "TYPE =",
                                                   "\"",
                                                   "$",
                                                   "abc",
                                                   "",
                                                   "\nNAME",
                                                   "VAPOUR-DIFFUSIVITY-FACTOR",
                                                   "VAPOUR-DIFFUSIVITY-FACTOR "};
    const ClavesBDL claves(sueltas);
    uint32_t semilla = 12345;
    auto azar = [&semilla](uint32_t n) {
        semilla = semilla * 1664525u + 1013904223u;
        return (semilla >> 8) % n;
    };
    for (int prueba = 0; prueba < 3000; ++prueba) {
        std::string texto;
        const uint32_t cuantas = azar(40);
        for (uint32_t i = 0; i < cuantas; ++i)
            texto += piezas[azar(std::size(piezas))];
        for (LeerBDL::Forma forma : {LeerBDL::Forma::Comprimida, LeerBDL::Forma::Literal}) {
            auto lector = Lector(texto, forma);
            const CamposBDL campos(*lector, claves);
            for (size_t k = 0; k < sueltas.size(); ++k) {
                ASSERT_EQ(Lecturas(campos, k),
                          Lecturas(*lector, AnsiString(std::string(sueltas[k]))))
                    << "\"" << sueltas[k] << "\" en: " << lector->Texto();
                // El texto sin comillas, como LeerCadena y QuitarComillas.
                AnsiString cadena = "-";
                const bool hay =
                    lector->LeerCadena(AnsiString(std::string(sueltas[k])), cadena) == 0;
                QuitarComillas(cadena);
                std::string_view sinComillas = "-";
                ASSERT_EQ(campos.Texto(k, sinComillas), hay);
                ASSERT_EQ(std::string(sinComillas), cadena.str()) << lector->Texto();
                // Los textos de la lista sin comillas, como LeerListaCadenas y QuitarComillas.
                std::vector<AnsiString> lista;
                const int cuantos =
                    lector->LeerListaCadenas(AnsiString(std::string(sueltas[k])), lista);
                std::vector<std::string_view> textos{"-"};
                ASSERT_EQ(campos.ListaTextos(k, textos), cuantos);
                if (cuantos < 0) continue;
                ASSERT_EQ(textos.size(), lista.size());
                for (size_t j = 0; j < lista.size(); ++j) {
                    QuitarComillas(lista[j]);
                    ASSERT_EQ(std::string(textos[j]), lista[j].str()) << lector->Texto();
                }
            }
        }
    }
}
