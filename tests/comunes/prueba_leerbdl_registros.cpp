// Registros de LeerBDL: recorrido, recorte con valores por defecto, ficheros, textos rotos
// y entradas de librería.

#include "comunes/LeerBDL.h"
#include "comunes/PrepararBDL.h"

#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Forma = LeerBDL::Forma;

std::unique_ptr<LeerBDL> Lector(const std::string& texto, Forma forma = Forma::Comprimida) {
    return std::make_unique<LeerBDL>(LeerBDL::EnMemoria{}, texto, forma);
}

std::string ConFinDeLinea(const std::string& texto, const std::string& fin) {
    std::string r;
    for (char c : texto) {
        if (c == '\n')
            r += fin;
        else
            r += c;
    }
    return r;
}

// Una base de datos pequeña como la escriben los programas, con algo de desorden.
const std::string kBase = R"($++++++++++++++++++++++++++++++
$           MATERIALES
$++++++++++++++++++++++++++++++
$ Comentario con "comilla suelta y TYPE = COMENTARIO
"Ladrillo" = MATERIAL
    TYPE              = PROPERTIES
    THICKNESS         =            0.1
    THICKNESS_CHANGE         = YES
    CONDUCTIVITY      =           0.85
    DENSITY=1800
    NAME          = "Ladrillo macizo, cerámico"
    GROUP         = "Fábricas"
    IMAGE          = "..\Imagenes\a.jpg"
    NAME_DUMVAT   = "LADR"
    ..
"Ladrillo hueco" = MATERIAL
    TYPE              = PROPERTIES
    THICKNESS         =           0.07
    CONDUCTIVITY      =           0.32
    NAME          = "Ladrillo hueco"
    ..
"Lad"   =   MATERIAL
    TYPE               = RESISTANCE
    RESISTANCE         =           0.18
..
SET-DEFAULT FOR MATERIAL
    DENSITY = 1200
    CONDUCTIVITY = 9.99
    VAPOUR-DIFFUSIVITY-FACTOR = 10
    ..
"Muro" = LAYERS
    GROUP = "Fachadas"
    MATERIAL = ("Ladrillo",
 "Ladrillo hueco",
 "Lad")
    THICKNESS = (      0.115, 0.07, 0.02)
    ..
"Mal"=MATERIAL
    THICKNESS = 5
    ..
)";

struct ValorReal {
    const char* tipo;
    const char* nombre;
    const char* clave;
    int resultado;
    float valor;
};

const ValorReal kReales[] = {
    {"MATERIAL ", "\"Ladrillo\"", "THICKNESS ", 0, 0.1f},
    {"MATERIAL ", "\"Ladrillo\"", "CONDUCTIVITY ", 0, 0.85f}, // el registro gana al bloque
    {"MATERIAL ", "\"Ladrillo\"", "DENSITY", 0, 1800.0f},
    {"MATERIAL ", "\"Ladrillo\"", "VAPOUR-DIFFUSIVITY-FACTOR ", 0, 10.0f}, // del bloque
    {"MATERIAL ", "\"Ladrillo hueco\"", "THICKNESS ", 0, 0.07f},
    {"MATERIAL ", "\"Ladrillo hueco\"", "DENSITY ", 0, 1200.0f},
    {"MATERIAL ", "\"Ladrillo hueco\"", "CONDUCTIVITY ", 0, 0.32f},
    {"MATERIAL", "Lad", "RESISTANCE ", 0, 0.18f},
    {"MATERIAL ", "\"Lad\"", "THICKNESS ", -1, 0.0f},
    {"LAYERS ", "\"Muro\"", "DENSITY ", -1, 0.0f}, // el bloque es de otro tipo
};

struct ValorTexto {
    const char* tipo;
    const char* nombre;
    const char* clave;
    const char* valor;
};

const ValorTexto kTextos[] = {
    {"MATERIAL ", "\"Ladrillo\"", "TYPE ", "PROPERTIES"},
    {"MATERIAL ", "\"Ladrillo\"", "THICKNESS_CHANGE ", "YES"},
    {"MATERIAL ", "\"Ladrillo\"", "NAME ", "\"Ladrillo macizo, cerámico\""},
    {"MATERIAL ", "\"Ladrillo\"", "GROUP ", "\"Fábricas\""},
    {"MATERIAL ", "\"Ladrillo\"", "IMAGE ", "\"..\\Imagenes\\a.jpg\""},
    {"MATERIAL ", "\"Ladrillo\"", "NAME_DUMVAT ", "\"LADR\""}, // tras el ".." del valor
    {"MATERIAL ", "\"Ladrillo hueco\"", "NAME ", "\"Ladrillo hueco\""},
    {"MATERIAL ", "\"Lad\"", "TYPE ", "RESISTANCE"},
    {"LAYERS ", "\"Muro\"", "GROUP ", "\"Fachadas\""},
};

// Lo mismo con LF o CR LF, comprimido o literal.
class BaseDeDatos : public testing::TestWithParam<std::tuple<const char*, Forma>> {
protected:
    BaseDeDatos()
        : lector_(Lector(ConFinDeLinea(kBase, std::get<0>(GetParam())), std::get<1>(GetParam()))) {}
    std::unique_ptr<LeerBDL> Extraer(const char* tipo, const char* nombre) {
        bool encontrado = false;
        auto registro = LeerBDL::ExtraerObjeto(*lector_, tipo, nombre, encontrado);
        EXPECT_TRUE(encontrado) << nombre;
        EXPECT_TRUE(registro->TieneTexto()) << nombre;
        return registro;
    }
    std::unique_ptr<LeerBDL> lector_;
};

TEST_P(BaseDeDatos, CuentaYRecorreLasCabeceras) {
    EXPECT_EQ(lector_->ContarObjetos("MATERIAL "), 3); // "Mal"=MATERIAL no es cabecera
    EXPECT_EQ(lector_->ContarObjetos("MATERIAL"), 3);
    EXPECT_EQ(lector_->ContarObjetos("LAYERS "), 1);
    EXPECT_EQ(lector_->ContarObjetos("GLASS-TYPE "), 0);
    EXPECT_EQ(lector_->ContarObjetos("MATERIA"), 0);

    lector_->Reiniciar();
    EXPECT_EQ(lector_->SiguienteObjeto("MATERIAL "), "Ladrillo");
    EXPECT_EQ(lector_->SiguienteObjeto("LAYERS "), "Muro"); // cada tipo desde el cursor
    EXPECT_EQ(lector_->SiguienteObjeto("MATERIAL "), "");
    lector_->Reiniciar();
    std::vector<std::string> nombres;
    for (int i = 0; i < lector_->ContarObjetos("MATERIAL "); ++i)
        nombres.push_back(lector_->SiguienteObjeto("MATERIAL ").str());
    EXPECT_EQ(nombres, (std::vector<std::string>{"Ladrillo", "Ladrillo hueco", "Lad"}));
    EXPECT_EQ(lector_->SiguienteObjeto("MATERIAL "), "");
}

TEST_P(BaseDeDatos, CadaRegistroLeeSusValoresYLosDeSuBloquePorDefecto) {
    for (const ValorReal& caso : kReales) {
        auto registro = Extraer(caso.tipo, caso.nombre);
        float v = 0.0f;
        EXPECT_EQ(registro->LeerReal(caso.clave, v), caso.resultado)
            << caso.nombre << " " << caso.clave;
        EXPECT_EQ(v, caso.valor) << caso.nombre << " " << caso.clave;
    }
    for (const ValorTexto& caso : kTextos) {
        AnsiString v;
        EXPECT_EQ(Extraer(caso.tipo, caso.nombre)->LeerCadena(caso.clave, v), 0);
        EXPECT_EQ(v.str(), caso.valor) << caso.nombre << " " << caso.clave;
    }
    auto muro = Extraer("LAYERS ", "\"Muro\"");
    std::vector<AnsiString> materiales;
    EXPECT_EQ(muro->LeerListaCadenas("MATERIAL ", materiales), 3);
    std::vector<float> espesores;
    EXPECT_EQ(muro->LeerListaReales("THICKNESS ", espesores), 3);
    EXPECT_EQ(espesores, (std::vector<float>{0.115f, 0.07f, 0.02f}));
}

TEST_P(BaseDeDatos, UnaClaveDeUnComentarioSeEncuentra) {
    AnsiString v;
    EXPECT_EQ(lector_->LeerCadena("TYPE ", v), 0);
    EXPECT_EQ(v, "COMENTARIO");
}

TEST_P(BaseDeDatos, NombresDesconocidosOSinCabeceraNoSeEncuentran) {
    for (const char* nombre :
         {"\"Ladr\"", "\"Ladrillo macizo, cerámico\"", "\"Mal\"", "\"Fábricas\"", "\"\""}) {
        bool encontrado = true;
        auto registro = LeerBDL::ExtraerObjeto(*lector_, "MATERIAL ", nombre, encontrado);
        EXPECT_FALSE(encontrado) << nombre;
        EXPECT_FALSE(registro->TieneTexto());
        float v = 1.0f;
        EXPECT_EQ(registro->LeerReal("THICKNESS ", v), -1);
    }
    bool encontrado = true;
    LeerBDL::ExtraerObjeto(*lector_, "LAYERS ", "\"Ladrillo\"", encontrado);
    EXPECT_FALSE(encontrado);
}

INSTANTIATE_TEST_SUITE_P(FinesYFormas, BaseDeDatos,
                         testing::Combine(testing::Values("\n", "\r\n"),
                                          testing::Values(Forma::Comprimida, Forma::Literal)));

struct CasoCabecera {
    const char* texto;
    int cuenta;
};

TEST(LeerBDL, SoloCuentanLasCabecerasBienFormadas) {
    const CasoCabecera casos[] = {
        {"\"a\" = MATERIAL\n..", 1},
        {"\"a\" = MATERIAL", 1},
        {"   \"a b, c\"    =    MATERIAL   $ nota\n..", 1},
        {"\"\" = MATERIAL\n..", 1},
        {"\"a\"=MATERIAL\n..", 0},
        {"\"a\" =MATERIAL\n..", 0},
        {"\"a\"= MATERIAL\n..", 0},
        {"\"a\" = = MATERIAL\n..", 0},
        {"\"a\" = MATERIALES\n..", 0},
        {"\"a = MATERIAL\n..", 0},
        {"$ \"a\" = MATERIAL\n..", 0},
        {"NAME = \"a\" = MATERIAL\n..", 0},
        {"SET-DEFAULT FOR MATERIAL\n..", 0},
        {"\"a\" = MATERIAL\r\n..\r\n\"b\" = MATERIAL\r\n..\r\n", 2},
        // Un tabulador vale por un blanco junto al "=" y tras el tipo.
        {"\"a\"\t= MATERIAL\n..", 1},
        {"\"a\" =\tMATERIAL\n..", 1},
        {"\t\"a\" \t=\t MATERIAL\t$ nota\n..", 1},
        {"\"a\"\t=MATERIAL\n..", 0},
        {"SET-DEFAULT\tFOR\tMATERIAL\n..", 0},
    };
    for (const CasoCabecera& caso : casos) {
        for (Forma forma : {Forma::Comprimida, Forma::Literal})
            EXPECT_EQ(Lector(caso.texto, forma)->ContarObjetos("MATERIAL "), caso.cuenta)
                << caso.texto;
    }
}

// Valor de THICKNESS del registro recortado, o -1 si no se encuentra.
float Espesor(const LeerBDL& fuente, const char* nombre) {
    bool encontrado = false;
    auto registro = LeerBDL::ExtraerObjeto(fuente, "MATERIAL ", nombre, encontrado);
    if (!encontrado) return -1.0f;
    float v = -2.0f;
    registro->LeerReal("THICKNESS ", v);
    return v;
}

// Las líneas acaban en LF, en CR LF o en un CR suelto, en cualquier puesto del texto: cada
// cabecera y cada ".." se encuentran igual.
TEST(LeerBDL, LineasAcabadasEnCualquierFinYEnCualquierPuesto) {
    for (const char* fin : {"\n", "\r", "\r\n"}) {
        for (size_t relleno = 0; relleno < 17; ++relleno) {
            const std::string f = fin;
            const std::string texto = "$" + std::string(relleno, 'x') + f + "\"a\" = MATERIAL" + f +
                                      "  THICKNESS = 0.5" + f + ".." + f + "\"b\" = MATERIAL" + f +
                                      "  THICKNESS = 0.25" + f + "  .." + f;
            for (Forma forma : {Forma::Comprimida, Forma::Literal}) {
                const auto lector = Lector(texto.c_str(), forma);
                EXPECT_EQ(lector->ContarObjetos("MATERIAL "), 2) << relleno;
                EXPECT_EQ(Espesor(*lector, "a"), 0.5f) << relleno;
                EXPECT_EQ(Espesor(*lector, "b"), 0.25f) << relleno;
            }
        }
    }
}

TEST(LeerBDL, UnRegistroAcabaEnUnPuntoPuntoSoloEnSuLinea) {
    struct Caso {
        const char* texto;
        float espesor;
    };
    const Caso casos[] = {
        {"\"A\" = MATERIAL\n IMAGE = ..\\Imagenes\\a.jpg\n THICKNESS = 1\n..\n", 1.0f},
        {"\"A\" = MATERIAL\n NOTE = \"..\"\n THICKNESS = 2\n  ..  \n", 2.0f},
        {"\"A\" = MATERIAL\n THICKNESS = 3\n\t..", 3.0f}, // al final, sin fin de línea
        {"\"A\" = MATERIAL\n THICKNESS = 4\n..\n THICKNESS = 5\n", 4.0f},
        {"\"A\" = MATERIAL\n THICKNESS = 6\n...\n", -1.0f}, // "..." no cierra
        {"\"A\" = MATERIAL\n THICKNESS = 7\n", -1.0f},      // truncado
        {"\"A\" = MATERIAL\n THICKNESS = 8", -1.0f},
        {"\"A\" = MATERIAL", -1.0f},
        // Sin "..", antes de otro registro: no se encuentra, y el otro sí.
        {"\"A\" = MATERIAL\n THICKNESS = 9\n\"B\" = MATERIAL\n THICKNESS = 10\n..\n", -1.0f},
        {"\"A\" = MATERIAL\n THICKNESS = 11\nSET-DEFAULT FOR MATERIAL\n DENSITY = 1\n..\n", -1.0f},
    };
    for (const Caso& caso : casos) {
        for (Forma forma : {Forma::Comprimida, Forma::Literal})
            EXPECT_EQ(Espesor(*Lector(caso.texto, forma), "\"A\""), caso.espesor) << caso.texto;
    }
    auto lector = Lector(casos[8].texto);
    EXPECT_EQ(lector->ContarObjetos("MATERIAL "), 2);
    EXPECT_EQ(Espesor(*lector, "\"B\""), 10.0f);
}

TEST(LeerBDL, BloquePorDefectoSinPuntoPuntoNoSeUsa) {
    auto lector = Lector("\"A\" = MATERIAL\n THICKNESS = 1\n..\n"
                         "SET-DEFAULT FOR MATERIAL\n DENSITY = 5\n"
                         "\"B\" = MATERIAL\n THICKNESS = 2\n..\n");
    for (const char* nombre : {"\"A\"", "\"B\""}) {
        bool encontrado = false;
        auto registro = LeerBDL::ExtraerObjeto(*lector, "MATERIAL ", nombre, encontrado);
        EXPECT_TRUE(encontrado);
        float v = 0;
        EXPECT_EQ(registro->LeerReal("DENSITY ", v), -1) << nombre;
    }
    EXPECT_EQ(Espesor(*lector, "\"B\""), 2.0f);
}

TEST(LeerBDL, NombresRepetidosLeenCadaUnoSuRegistroAlRecorrer) {
    auto lector = Lector("\"Ladrillo\" = MATERIAL\n THICKNESS = 1\n..\n"
                         "\"Otro\" = MATERIAL\n THICKNESS = 2\n..\n"
                         "\"Ladrillo\" = MATERIAL\n THICKNESS = 3\n..\n"
                         "\"Ladrillo\" = LAYERS\n THICKNESS = 4\n..\n"
                         "\"Ladrillo\" = MATERIAL\n THICKNESS = 5\n..\n");
    const int n = lector->ContarObjetos("MATERIAL ");
    ASSERT_EQ(n, 4);
    lector->Reiniciar();
    std::vector<float> leidos;
    for (int i = 0; i < n; ++i) {
        AnsiString nombre = lector->SiguienteObjeto("MATERIAL ");
        leidos.push_back(Espesor(*lector, ("\"" + nombre + "\"").c_str()));
    }
    EXPECT_EQ(leidos, (std::vector<float>{1, 2, 3, 5}));

    // Sin recorrido, el primero; un nombre distinto del alcanzado, también el primero.
    lector->Reiniciar();
    EXPECT_EQ(Espesor(*lector, "\"Ladrillo\""), 1.0f);
    lector->SiguienteObjeto("MATERIAL ");
    lector->SiguienteObjeto("MATERIAL ");
    EXPECT_EQ(Espesor(*lector, "\"Ladrillo\""), 1.0f);
    lector->SiguienteObjeto("LAYERS ");
    EXPECT_EQ(Espesor(*lector, "\"Ladrillo\""), 1.0f);
}

// One reader reused for every record (as a base's load does) is each time what a new one
// cut from the same place is: its text, its own walk and index, and empty when the record
// cannot be cut, whatever the previous record left in it.
TEST(LeerBDL, UnRegistroReutilizadoQuedaComoUnoNuevo) {
    auto lector = Lector("SET-DEFAULT FOR MATERIAL\n DENSITY = 7\n..\n"
                         "\"Ladrillo\" = MATERIAL\n THICKNESS = 1\n..\n"
                         "\"Otro\" = MATERIAL\n THICKNESS = 2 CONDUCTIVITY = 0.5\n..\n"
                         "\"Ladrillo\" = MATERIAL\n THICKNESS = 3\n..\n"
                         "\"Muro\" = LAYERS\n MATERIAL = ( \"Otro\" )\n..\n"
                         "\"Abierto\" = MATERIAL\n THICKNESS = 4\n"
                         "\"Corto\" = MATERIAL\n..\n");
    LeerBDL registro(LeerBDL::EnMemoria{}, "\"Previo\" = MATERIAL\n THICKNESS = 9\n..\n");
    struct Paso {
        const char* tipo;
        const char* nombre; // nullptr: el siguiente del recorrido
    } pasos[] = {{"MATERIAL ", nullptr}, {"MATERIAL ", nullptr}, {"MATERIAL ", "Nadie"},
                 {"MATERIAL ", nullptr}, {"LAYERS ", nullptr},   {"MATERIAL ", nullptr},
                 {"MATERIAL ", nullptr}, {"GAP ", "Muro"},       {"MATERIAL ", "\"Otro\""}};
    lector->Reiniciar();
    for (const Paso& paso : pasos) {
        const AnsiString nombre =
            paso.nombre != nullptr ? AnsiString(paso.nombre) : lector->SiguienteObjeto(paso.tipo);
        bool encontrado = false;
        const auto nuevo = LeerBDL::ExtraerObjeto(*lector, paso.tipo, nombre, encontrado);
        ASSERT_EQ(LeerBDL::ExtraerObjetoEn(*lector, paso.tipo, nombre, registro), encontrado)
            << nombre.c_str();
        ASSERT_EQ(registro.Texto(), nuevo->Texto()) << nombre.c_str();
        // Su recorrido y su índice son los del registro nuevo; se dejan gastados.
        EXPECT_EQ(registro.ContarObjetos("MATERIAL "), nuevo->ContarObjetos("MATERIAL "));
        EXPECT_EQ(registro.SiguienteObjeto(paso.tipo), nuevo->SiguienteObjeto(paso.tipo));
        float a = -1, b = -1;
        EXPECT_EQ(registro.LeerReal("DENSITY ", a), nuevo->LeerReal("DENSITY ", b));
        EXPECT_EQ(a, b);
    }
}

TEST(LeerBDL, NombreQueEmpiezaOtroNoSeConfunde) {
    auto lector = Lector("\"Ladrillo hueco\" = MATERIAL\n THICKNESS = 1\n..\n"
                         "\"Ladrillo\" = MATERIAL\n THICKNESS = 2\n..\n"
                         "\"Lad\" = MATERIAL\n THICKNESS = 3\n..\n"
                         "\"Ladrillo hueco doble\" = MATERIAL\n THICKNESS = 4\n..\n"
                         "\"Cerámica, 1/2 pie\" = MATERIAL\n THICKNESS = 5\n..\n");
    EXPECT_EQ(Espesor(*lector, "\"Ladrillo\""), 2.0f);
    EXPECT_EQ(Espesor(*lector, "\"Lad\""), 3.0f);
    EXPECT_EQ(Espesor(*lector, "\"Ladrillo hueco\""), 1.0f);
    EXPECT_EQ(Espesor(*lector, "\"Ladrillo hueco doble\""), 4.0f);
    EXPECT_EQ(Espesor(*lector, "\"Cerámica, 1/2 pie\""), 5.0f);
    EXPECT_EQ(Espesor(*lector, "\"Ceramica, 1/2 pie\""), -1.0f);
    EXPECT_EQ(Espesor(*lector, "\"La\""), -1.0f);
}

TEST(LeerBDL, FicherosCRLFyLFDanLoMismo) {
    CarpetaTemporal carpeta;
    const std::string lf = carpeta.Fichero("lf.bdc", kBase).str();
    const std::string crlf = carpeta.Fichero("crlf.BDC", ConFinDeLinea(kBase, "\r\n")).str();
    for (Forma forma : {Forma::Comprimida, Forma::Literal}) {
        LeerBDL a(lf.c_str(), forma), b(crlf.c_str(), forma);
        ASSERT_TRUE(a.TieneTexto());
        EXPECT_EQ(a.Texto(), b.Texto());
        EXPECT_EQ(a.Texto(), Lector(kBase, forma)->Texto());
        EXPECT_EQ(b.ContarObjetos("MATERIAL "), 3);
    }
}

// A file whose treated text is megabytes shorter than it (deep indentation): read from the
// file it gives the same text as from memory, to its last record.
TEST(LeerBDL, UnFicheroQueEncogeMuchoSeLeeEntero) {
    std::string texto;
    const std::string sangria(200, ' ');
    for (int i = 0; i < 8000; ++i)
        texto += "\"M" + std::to_string(i) + "\" = MATERIAL\n" + sangria +
                 "THICKNESS = " + std::to_string(i) + "\n" + sangria + "..\n";
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Fichero("sangrado.bdc", texto).str();
    LeerBDL lector(ruta.c_str());
    EXPECT_LT(lector.Texto().size() + (2u << 20), texto.size());
    EXPECT_EQ(lector.Texto(), Lector(texto)->Texto());
    EXPECT_EQ(lector.ContarObjetos("MATERIAL "), 8000);
    EXPECT_EQ(Espesor(lector, "M7999"), 7999.0f);
}

// Read from a file, the text is treated piece by piece as it arrives, and its record index
// made from each piece while it is in the cache: whatever falls on the edge between two
// pieces (a CR LF, a blank run, a header, a closing "..", a quoted name, a run of blanks longer
// than a piece) gives the same text, records, values and unreadable records as the whole text
// treated and indexed at once; also a file whose treated text outgrows the file (short lines
// without indentation), where the text moves while it is read.
TEST(LeerBDL, UnFicheroSeTrataPorPiezasComoEntero) {
    CarpetaTemporal carpeta;
    int caso = 0;
    auto comprobar = [&](const std::string& texto) {
        const AnsiString ruta = carpeta.Fichero("caso" + std::to_string(++caso) + ".bdc", texto);
        for (Forma forma : {Forma::Comprimida, Forma::Literal}) {
            LeerBDL lector(ruta, forma);
            ASSERT_EQ(lector.Texto(), Lector(texto, forma)->Texto())
                << "caso " << caso << " forma " << static_cast<int>(forma);
        }
        LeerBDL lector(ruta);
        const auto entero = Lector(texto);
        const std::vector<std::string_view> tipos = {"MATERIAL ", "LAYERS "};
        const auto ilegibles = lector.RegistrosIlegibles(tipos);
        const auto esperados = entero->RegistrosIlegibles(tipos);
        ASSERT_EQ(ilegibles.size(), esperados.size()) << "caso " << caso;
        for (size_t k = 0; k < ilegibles.size(); ++k) {
            EXPECT_EQ(ilegibles[k].motivo, esperados[k].motivo) << "caso " << caso;
            EXPECT_EQ(ilegibles[k].nombre, esperados[k].nombre) << "caso " << caso;
            EXPECT_EQ(ilegibles[k].linea, esperados[k].linea) << "caso " << caso;
        }
        for (std::string_view tipo : tipos) {
            const AnsiString clase(tipo);
            const int cuantos = lector.ContarObjetos(clase);
            ASSERT_EQ(cuantos, entero->ContarObjetos(clase)) << "caso " << caso;
            lector.Reiniciar();
            entero->Reiniciar();
            for (int k = 0; k < cuantos; ++k) {
                const AnsiString nombre = lector.SiguienteObjeto(clase);
                ASSERT_EQ(nombre, entero->SiguienteObjeto(clase)) << "caso " << caso;
                bool a = false, b = false;
                ASSERT_EQ(LeerBDL::ExtraerObjeto(lector, clase, nombre, a)->Texto(),
                          LeerBDL::ExtraerObjeto(*entero, clase, nombre, b)->Texto())
                    << "caso " << caso << " " << nombre.c_str();
                ASSERT_EQ(a, b);
            }
        }
    };

    const std::string registro = "\"M\" = MATERIAL\r\n    THICKNESS = 2\r\n    ..\r\n";
    const std::string bordes[] = {"\r\n",
                                  "\n\r\n\r",
                                  "   \r\n   ",
                                  "\t  \t",
                                  "\"Borde\" = MATERIAL\r\n    THICKNESS = 7\r\n    ..\r\n",
                                  "\"Abierto\" = MATERIAL\r\n  SET-DEFAULT FOR MATERIAL\r\n",
                                  "    NAME = \"a  b\"\r\n  ..\r\n\"x\"\r\n..\r\n",
                                  std::string(kPiezaBDL + 10, ' ') + "\r\n",
                                  std::string(3 * kPiezaBDL, '\n')};
    for (const std::string& borde : bordes)
        for (size_t antes :
             {size_t{0}, size_t{1}, size_t{2}, std::min(borde.size() / 2, kPiezaBDL / 4),
              std::min(borde.size(), kPiezaBDL / 2)}) {
            // El borde empieza "antes" bytes antes del final de la primera pieza.
            std::string texto;
            while (texto.size() + registro.size() + 8 + antes < kPiezaBDL)
                texto += registro;
            // Un comentario hasta el borde.
            texto += "$" + std::string(kPiezaBDL - antes - texto.size() - 3, 'x') + "\r\n";
            texto += borde;
            for (int i = 0; i < 100; ++i)
                texto += registro;
            ASSERT_NO_FATAL_FAILURE(comprobar(texto));
        }
    // Tratado, más largo que el fichero: cada fin de línea gana dos blancos.
    std::string crece;
    for (int i = 0; crece.size() < 3 * kPiezaBDL; ++i)
        crece += "\"M" + std::to_string(i) + "\" = MATERIAL\nA\nB\nC\n..\n";
    ASSERT_NO_FATAL_FAILURE(comprobar(crece));
    EXPECT_GT(Lector(crece)->Texto().size(), crece.size() + 64);
}

// Lo devuelto: las páginas enteras anteriores al primer registro de los tipos por leer y a
// su bloque por defecto se leen como ceros; desde ahí el texto, esos registros y sus
// valores por defecto se leen como antes.
TEST(LeerBDL, SoltarDevuelveLoAnteriorALosTiposPendientes) {
    std::string texto;
    for (int i = 0; i < 60000; ++i)
        texto += "\"M" + std::to_string(i) + "\" = MATERIAL\n THICKNESS = " + std::to_string(i) +
                 "\n ..\n";
    texto += "SET-DEFAULT FOR LAYERS\n GROUP = \"Otro\"\n ..\n";
    for (int i = 0; i < 500; ++i)
        texto += "\"Tarde" + std::to_string(i) + "\" = MATERIAL\n THICKNESS = 7\n ..\n";
    texto += "\"Muro\" = LAYERS\n MATERIAL = ( \"M1\" )\n ..\n"
             "\"Hueco\" = GAP\n ..\n";
    CarpetaTemporal carpeta;
    const AnsiString ruta = carpeta.Fichero("larga.bdc", texto);
    const std::string entero = Lector(texto)->Texto();
    struct Caso {
        std::vector<std::string_view> tipos;
        std::string_view desde; // lo que queda entero, desde su primera aparición
    } casos[] = {
        {{"LAYERS "}, "SET-DEFAULT"},
        {{"GAP", "LAYERS"}, "SET-DEFAULT"},
        {{"GAP "}, "\"Hueco\""},
        {{"MATERIAL "}, "\"M0\""},
        {{"BRIDGE "}, ""}, // nada que leer: todo
    };
    for (const Caso& caso : casos) {
        LeerBDL lector(ruta);
        ASSERT_EQ(lector.Texto(), entero);
        bool encontrado = false;
        const std::string muro =
            LeerBDL::ExtraerObjeto(lector, "LAYERS ", "Muro", encontrado)->Texto();
        lector.SoltarAnterioresA(caso.tipos);
        const std::string& t = lector.Texto();
        const size_t limite = caso.desde.empty() ? t.size() : entero.find(caso.desde);
        EXPECT_TRUE(t.compare(limite, std::string::npos, entero, limite) == 0) << caso.desde;
        size_t ceros = 0;
        for (size_t i = 0; i < limite; ++i) {
            if (t[i] == '\0')
                ++ceros;
            else
                ASSERT_EQ(t[i], entero[i]) << i;
        }
        // Páginas enteras, y solo pasado un mega.
        const size_t pagina = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        if (limite > (1u << 20) + 2 * pagina)
            EXPECT_GE(ceros, limite - 2 * pagina) << caso.desde;
        else
            EXPECT_EQ(ceros, 0u) << caso.desde;
        if (limite <= entero.find("SET-DEFAULT")) {
            lector.Reiniciar();
            EXPECT_EQ(lector.SiguienteObjeto("LAYERS "), AnsiString("Muro"));
            EXPECT_EQ(LeerBDL::ExtraerObjeto(lector, "LAYERS ", "Muro", encontrado)->Texto(), muro);
        }
    }
}

TEST(LeerBDL, FicheroVacioOInexistenteNoTieneNada) {
    CarpetaTemporal carpeta;
    const std::string vacio = carpeta.Fichero("vacio.bdc", "").str();
    for (const std::string& ruta : {vacio, (carpeta.Ruta() + "no-existe.bdc").str()}) {
        for (Forma forma : {Forma::Comprimida, Forma::Literal}) {
            LeerBDL lector(ruta.c_str(), forma);
            EXPECT_FALSE(lector.TieneTexto());
            float f = 1;
            int e = 1;
            AnsiString s = "x";
            std::vector<float> reales{1};
            std::vector<AnsiString> cadenas{"x"};
            EXPECT_EQ(lector.LeerReal("THICKNESS ", f), -1);
            EXPECT_EQ(lector.LeerEntero("TYPE ", e), -1);
            EXPECT_EQ(lector.LeerCadena("NAME ", s), -1);
            EXPECT_EQ(lector.LeerListaReales("THICKNESS ", reales), -1);
            EXPECT_EQ(lector.LeerListaCadenas("MATERIAL ", cadenas), -1);
            EXPECT_EQ(lector.ContarObjetos("MATERIAL "), 0);
            EXPECT_EQ(lector.ContarPares(), 0);
            EXPECT_EQ(lector.Buscar("a"), 0u);
            lector.Reiniciar();
            EXPECT_EQ(lector.SiguienteObjeto("MATERIAL "), "");
            bool encontrado = true;
            LeerBDL::ExtraerObjeto(lector, "MATERIAL ", "\"a\"", encontrado);
            EXPECT_FALSE(encontrado);
            EXPECT_EQ(f, 1.0f);
            EXPECT_EQ(s, "x");
        }
    }
}

TEST(LeerBDL, BytesCualesquieraNoRompenNada) {
    const std::string conocido = "\n\"Conocido\" = MATERIAL\n THICKNESS = 0.25\n..\n";
    for (unsigned semilla = 1; semilla <= 8; ++semilla) {
        std::mt19937 azar(semilla);
        std::uniform_int_distribution<int> byte(0, 255);
        std::string basura;
        for (int i = 0; i < 64 * 1024; ++i)
            basura.push_back(static_cast<char>(byte(azar)));
        basura[100] = '\0';
        const std::string texto = basura.substr(0, 32 * 1024) + conocido + basura.substr(32 * 1024);
        for (Forma forma : {Forma::Comprimida, Forma::Literal}) {
            auto lector = Lector(texto, forma);
            float f;
            int e;
            AnsiString s;
            std::vector<float> reales;
            std::vector<AnsiString> cadenas;
            std::vector<std::pair<float, float>> pares;
            lector->LeerReal("THICKNESS ", f);
            lector->LeerEntero("TYPE ", e);
            lector->LeerCadena("NAME ", s);
            lector->LeerListaReales("THICKNESS ", reales);
            lector->LeerListaCadenas("MATERIAL ", cadenas);
            lector->LeerPares(lector->ContarPares(), pares);
            const int n = lector->ContarObjetos("MATERIAL ");
            EXPECT_GE(n, 1);
            lector->Reiniciar();
            bool visto = false;
            for (int i = 0; i < n; ++i)
                visto |= lector->SiguienteObjeto("MATERIAL ") == "Conocido";
            EXPECT_TRUE(visto);
            EXPECT_EQ(Espesor(*lector, "\"Conocido\""), 0.25f) << semilla;
        }
    }
}

TEST(LeerBDL, LineasDeVariosMegas) {
    const std::string largo(6 << 20, 'a');
    std::string comillas;
    for (int i = 0; i < 300000; ++i)
        comillas += "\" KEY = 1\" ";
    const std::string texto = "\"Enorme\" = MATERIAL\n NOTE = " + largo + "\n TEXTO = " + comillas +
                              "KEY = 7\n NAME = \"" + largo + "\"\n THICKNESS = 0.5\n..\n";
    for (Forma forma : {Forma::Comprimida, Forma::Literal}) {
        auto lector = Lector(texto, forma);
        bool encontrado = false;
        auto registro = LeerBDL::ExtraerObjeto(*lector, "MATERIAL ", "\"Enorme\"", encontrado);
        ASSERT_TRUE(encontrado);
        float v = 0;
        EXPECT_EQ(registro->LeerReal("KEY", v), 0);
        EXPECT_EQ(v, 7.0f); // las 300000 anteriores están entre comillas
        EXPECT_EQ(registro->LeerReal("THICKNESS ", v), 0);
        EXPECT_EQ(v, 0.5f);
        AnsiString s;
        EXPECT_EQ(registro->LeerCadena("NOTE ", s), 0);
        EXPECT_EQ(s.str(), largo);
        EXPECT_EQ(registro->LeerCadena("NAME ", s), 0);
        EXPECT_EQ(s.Length(), static_cast<int>(largo.size()) + 2);
    }
}

// Una línea de entrada con sus claves en las columnas 16, 48 y 64.
std::string LineaEntrada(const std::string& k1, const std::string& k2, const std::string& k3) {
    std::string linea = "$LIBRARY-ENTRY";
    linea.resize(15, ' ');
    linea += k1;
    linea.resize(47, ' ');
    linea += k2;
    linea.resize(63, ' ');
    linea += k3;
    return linea + "\r\n";
}

TEST(LeerBDL, EntradaDeLibreria) {
    const std::string datos =
        "$ Datos de librería\r\n" + LineaEntrada("2000", "GLASS-TYPE-CODE", "SIMPLE") +
        "    SHDCOF = 0.86\r\n    ..\r\n" + LineaEntrada("20", "GLASS-TYPE-CODE", "DOBLE") +
        "    SHDCOF = 0.70\r\n    FILMS-COND = (8.3, 0.1, 25)\r\n..\r\n" +
        LineaEntrada("2001", "GLASS-TYPE-CODE", "DOBLE BAJO E") + "    SHDCOF = 0.55\r\n" +
        LineaEntrada("3000", "OTRA COSA", "SIMPLE") + "    SHDCOF = 0.1\r\n..\r\n";
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Fichero("Libreria.dat", datos).str();

    struct Caso {
        const char* k1;
        const char* k2;
        const char* k3;
        float shdcof; // -1 si no hay entrada
    };
    const Caso casos[] = {
        {"2000", "GLASS-TYPE-CODE", "SIMPLE", 0.86f},
        {"20", "GLASS-TYPE-CODE", "*", 0.70f}, // "20" no es "2000"
        {"2001", "GLASS-TYPE-CODE", "DOBLE BAJO E", 0.55f},
        {"2000", "GLASS-TYPE-CODE", "DOBLE", -1.0f},
        {"2000", "OTRA COSA", "*", -1.0f},
        {"3000", "OTRA COSA", "*", 0.1f},
        {"200", "GLASS-TYPE-CODE", "*", -1.0f},
    };
    for (const Caso& caso : casos) {
        LeerBDL entrada(ruta.c_str(), caso.k1, caso.k2, caso.k3);
        float v = -1.0f;
        entrada.LeerReal("SHDCOF", v);
        EXPECT_EQ(v, caso.shdcof) << caso.k1 << "/" << caso.k3;
        EXPECT_EQ(entrada.TieneTexto(), caso.shdcof >= 0) << caso.k1 << "/" << caso.k3;
    }
    // La entrada va de su línea a su "..", incluidos; sin "..", hasta la siguiente.
    LeerBDL doble(ruta.c_str(), "20", "GLASS-TYPE-CODE", "DOBLE");
    std::string linea = LineaEntrada("20", "GLASS-TYPE-CODE", "DOBLE");
    linea.resize(linea.size() - 2); // sin CR LF
    EXPECT_EQ(doble.Texto(), linea + "\n    SHDCOF = 0.70\n    FILMS-COND = (8.3, 0.1, 25)\n..\n");
    std::vector<float> films;
    EXPECT_EQ(doble.LeerListaReales("FILMS-COND", films), 3);
    LeerBDL bajoE(ruta.c_str(), "2001", "GLASS-TYPE-CODE", "*");
    EXPECT_EQ(bajoE.Buscar("3000"), 0u);

    // Recorrido de las entradas de una segunda clave sobre el fichero entero.
    LeerBDL todo(ruta.c_str(), Forma::Literal);
    EXPECT_EQ(todo.ContarEntradas("GLASS-TYPE-CODE"), 3);
    EXPECT_EQ(todo.ContarEntradas("OTRA COSA"), 1);
    todo.Reiniciar();
    std::vector<std::string> campos;
    AnsiString a, b, c;
    while (todo.SiguienteEntrada("GLASS-TYPE-CODE", a, b, c) == 0)
        campos.push_back(a.str() + "|" + b.str() + "|" + c.str());
    EXPECT_EQ(campos,
              (std::vector<std::string>{"2000|GLASS-TYPE-CODE|SIMPLE", "20|GLASS-TYPE-CODE|DOBLE",
                                        "2001|GLASS-TYPE-CODE|DOBLE BAJO E"}));

    LeerBDL ninguno((carpeta.Ruta() + "no-existe.dat").c_str(), "2000", "GLASS-TYPE-CODE", "*");
    EXPECT_FALSE(ninguno.TieneTexto());
}

} // namespace
