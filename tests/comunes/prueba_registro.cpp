// Registro: lo que cada programa lee del registro y cómo lo da por nombre de clave.

#include "comunes/ModoPrograma.h"
#include "comunes/Registro.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/variable_entorno.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

const char* const kDocumentos =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
    "Folders]\nPersonal=C:\\Users\\ana\\Documentos\n";
const char* const kNuevaVersion = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dumvat-GT]\n"
                                  "Install_Dir=C:\\DumvatGT\n";
const char* const kFabricante = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Morvask]\n"
                                "App=C:\\Brastow\\Morvask\\\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Dumvat]\n"
                                "App=C:\\Brastow\\Dumvat\\\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Otro]\n"
                                "App=C:\\Brastow\\Otro\\\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\tirnel]\n" // otro caso
                                "App=C:\\Brastow\\Tirnel\\\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Ostrel]\n"
                                "App=C:\\Brastow\\Ostrel\\\n";

struct Esperado {
    const char* ostrel;
    const char* tirnel;
    const char* dumvat;
    const char* morvask;
    const char* documentos; // "(sin tocar)" cuando la clave no vale en ese programa
    int ostrelInstalado, tirnelInstalado, dumvatInstalado, morvaskInstalado;
    int nuevaVersion; // -1: la clave no vale en ese programa
};

struct Caso {
    const char* nombre;
    std::string registro;
    Programa programa;
    Esperado esperado;
};

void PrintTo(const Caso& caso, std::ostream* os) {
    *os << caso.nombre;
}

class PruebaRegistro : public testing::TestWithParam<Caso> {
protected:
    void SetUp() override { Registro::LiberarParaPruebas(); }
    void TearDown() override {
        Registro::LiberarParaPruebas();
        FijarModoPrograma(Programa::Vornak);
    }

    CarpetaTemporal carpeta;
    VariableEntorno fichero{"QUENBAR_REGISTRO", (carpeta.Ruta() + "registro.ini").c_str()};
    VariableEntorno documentos{"XDG_DOCUMENTS_DIR", "/home/ana/Documentos"};
};

TEST_P(PruebaRegistro, RutasEIndicadores) {
    const Caso& caso = GetParam();
    if (!caso.registro.empty()) carpeta.Fichero("registro.ini", caso.registro);
    FijarModoPrograma(caso.programa);
    const Registro* registro = Registro::Instancia();

    auto ruta = [&](const char* clave) {
        AnsiString valor = "(sin tocar)";
        registro->Ruta(clave, valor);
        return valor.str();
    };
    auto instalado = [&](const char* clave) {
        unsigned char valor = 0xAA;
        registro->Instalado(clave, valor);
        return valor == 0xAA ? -1 : int(valor);
    };
    const Esperado& e = caso.esperado;
    EXPECT_EQ(ruta("Quenbar"), e.ostrel);
    EXPECT_EQ(ruta("Tirnel"), e.tirnel);
    EXPECT_EQ(ruta("Dumvat"), e.dumvat);
    EXPECT_EQ(ruta("Morvask"), e.morvask);
    EXPECT_EQ(ruta("MisDocumentos"), e.documentos);
    EXPECT_EQ(ruta("Ostrel"), "(sin tocar)"); // solo se pregunta por "Quenbar"
    EXPECT_EQ(instalado("Quenbar"), e.ostrelInstalado);
    EXPECT_EQ(instalado("Tirnel"), e.tirnelInstalado);
    EXPECT_EQ(instalado("Dumvat"), e.dumvatInstalado);
    EXPECT_EQ(instalado("Morvask"), e.morvaskInstalado);
    EXPECT_EQ(instalado("NuevaVersionDumvat"), e.nuevaVersion);
    EXPECT_EQ(instalado("Otro"), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, PruebaRegistro,
    testing::Values(
        // "tirnel" no es "Tirnel": los nombres de subclave se comparan tal cual.
        Caso{"Vornak",
             std::string(kDocumentos) + kFabricante,
             Programa::Vornak,
             {"C:\\Brastow\\Ostrel\\", "", "C:\\Brastow\\Dumvat\\", "C:\\Brastow\\Morvask\\",
              "C:\\Users\\ana\\Documentos", 1, 0, 1, 1, 0}},
        // La edición nueva manda sobre la subclave "Dumvat", con "\" tras su carpeta.
        Caso{"VornakNuevaVersion",
             std::string(kNuevaVersion) + kFabricante,
             Programa::Vornak,
             {"C:\\Brastow\\Ostrel\\", "", "C:\\DumvatGT\\", "C:\\Brastow\\Morvask\\",
              "/home/ana/Documentos", 1, 0, 1, 1, 1}},
        Caso{"VornakSoloNuevaVersion",
             kNuevaVersion,
             Programa::Vornak,
             {"", "", "C:\\DumvatGT\\", "", "/home/ana/Documentos", 0, 0, 1, 0, 1}},
        // Pelusta no mira la edición nueva ni los documentos.
        Caso{"Pelusta",
             std::string(kDocumentos) + kNuevaVersion + kFabricante,
             Programa::Pelusta,
             {"C:\\Brastow\\Ostrel\\", "", "C:\\Brastow\\Dumvat\\", "C:\\Brastow\\Morvask\\",
              "(sin tocar)", 1, 0, 1, 1, -1}},
        // Sin clave del fabricante, o sin fichero: todo vacío y a 0.
        Caso{"SinFabricante",
             kDocumentos,
             Programa::Vornak,
             {"", "", "", "", "C:\\Users\\ana\\Documentos", 0, 0, 0, 0, 0}},
        Caso{"SinFichero",
             "",
             Programa::Vornak,
             {"", "", "", "", "/home/ana/Documentos", 0, 0, 0, 0, 0}},
        Caso{"PelustaSinFichero",
             "",
             Programa::Pelusta,
             {"", "", "", "", "(sin tocar)", 0, 0, 0, 0, -1}},
        // Una subclave sin "App" está instalada, sin ruta.
        Caso{"SinApp",
             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Morvask]\nOtro=1\n",
             Programa::Pelusta,
             {"", "", "", "", "(sin tocar)", 0, 0, 0, 1, -1}}),
    [](const testing::TestParamInfo<Caso>& info) { return info.param.nombre; });

TEST(PruebaRegistroVida, SeLeeUnaSolaVez) {
    CarpetaTemporal carpeta;
    VariableEntorno fichero("QUENBAR_REGISTRO", (carpeta.Ruta() + "registro.ini").c_str());
    Registro::LiberarParaPruebas();
    carpeta.Fichero("registro.ini", kFabricante);
    Registro* registro = Registro::Instancia();
    carpeta.Fichero("registro.ini", "");
    EXPECT_EQ(Registro::Instancia(), registro);
    AnsiString ruta;
    registro->Ruta("Quenbar", ruta);
    EXPECT_EQ(ruta.str(), "C:\\Brastow\\Ostrel\\");
    Registro::LiberarParaPruebas();
}

} // namespace
