// TRegistry: the read-only registry stand-in over an INI-style file of key paths.

#include "plataforma/base/registry.h"
#include "plataforma/base/string_list.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/variable_entorno.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Subclaves(const TRegistry& registro) {
    TStringList lista;
    lista.Add("lo que hubiera");
    registro.GetKeyNames(lista);
    std::vector<std::string> nombres;
    for (int i = 0; i < lista.GetCount(); ++i)
        nombres.push_back(lista.GetStrings(i).str());
    return nombres;
}

const char* const kRegistro =
    "; registro de pruebas\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Tirnel]\n"
    "App=C:\\Brastow\\Tirnel\\\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Ostrel\\Opciones]\n" // implies key Ostrel
    "Nivel=3\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Ostrel]\n"
    "App=\"C:\\Brastow\\Ostrel\\\"\n"
    "[HKLM\\software\\BRASTOW\\Morvask]\n" // abbreviated root, other case
    "App=/opt/morvask/\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Aa\\\\]\n" // stray separators
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
    "Folders]\n"
    "Personal=C:\\Users\\ana\\Mis documentos\n";

class Registry : public testing::Test {
protected:
    AnsiString Escribir(const std::string& contenido) {
        return carpeta.Fichero("registro.ini", contenido);
    }

    CarpetaTemporal carpeta;
    VariableEntorno fichero{"QUENBAR_REGISTRO", (carpeta.Ruta() + "registro.ini").c_str()};
    VariableEntorno documentos{"XDG_DOCUMENTS_DIR", "/home/ana/Documentos/"};
};

TEST_F(Registry, AbreClavesRelativasYAbsolutas) {
    Escribir(kRegistro);
    TRegistry registro;
    EXPECT_EQ(registro.GetRootKey(), HKEY_CURRENT_USER);
    registro.SetRootKey(HKEY_LOCAL_MACHINE);

    // Relative keys go one below the other.
    ASSERT_TRUE(registro.OpenKeyReadOnly("SOFTWARE"));
    ASSERT_TRUE(registro.OpenKeyReadOnly("brastow"));
    ASSERT_TRUE(registro.OpenKeyReadOnly("Ostrel"));
    EXPECT_EQ(registro.GetCurrentPath().str(), "SOFTWARE\\brastow\\Ostrel");
    EXPECT_EQ(registro.ReadString("app").str(), "C:\\Brastow\\Ostrel\\");
    EXPECT_TRUE(registro.KeyExists("Opciones"));

    // A key that is not there leaves the open key as it was.
    EXPECT_FALSE(registro.OpenKeyReadOnly("Falta"));
    EXPECT_EQ(registro.GetCurrentPath().str(), "SOFTWARE\\brastow\\Ostrel");

    // A leading "\" starts from the root.
    ASSERT_TRUE(registro.OpenKeyReadOnly("\\SOFTWARE\\Brastow\\Morvask"));
    EXPECT_EQ(registro.ReadString("App").str(), "/opt/morvask/");
    EXPECT_TRUE(registro.KeyExists("\\SOFTWARE\\Brastow\\Tirnel"));
    EXPECT_FALSE(registro.KeyExists("Tirnel")); // relative to Morvask

    // Changing the root closes the key; the other root has its own keys.
    registro.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_FALSE(registro.HasCurrentKey());
    EXPECT_FALSE(registro.OpenKeyReadOnly("SOFTWARE\\Brastow"));
}

TEST_F(Registry, ListaLasSubclavesEnElOrdenDelFichero) {
    Escribir(kRegistro);
    TRegistry registro;
    registro.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registro.OpenKeyReadOnly("SOFTWARE\\Brastow"));
    // Not sorted; a key named by a deeper section counts once; spelled as the file does.
    EXPECT_EQ(Subclaves(registro), (std::vector<std::string>{"Tirnel", "Ostrel", "Morvask", "Aa"}));

    ASSERT_TRUE(registro.OpenKeyReadOnly("Aa"));
    EXPECT_TRUE(Subclaves(registro).empty());
    registro.CloseKey();
    EXPECT_EQ(Subclaves(registro), (std::vector<std::string>{"SOFTWARE"})); // the root's
}

TEST_F(Registry, ValoresQueFaltan) {
    Escribir(kRegistro);
    TRegistry registro;
    registro.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registro.ReadString("App").str(), ""); // no key open
    EXPECT_FALSE(registro.ValueExists("App"));
    ASSERT_TRUE(registro.OpenKeyReadOnly("SOFTWARE\\Brastow\\Ostrel"));
    EXPECT_TRUE(registro.ValueExists("APP"));
    EXPECT_FALSE(registro.ValueExists("Install_Dir"));
    EXPECT_EQ(registro.ReadString("Install_Dir").str(), "");
}

TEST_F(Registry, SinFicheroElRegistroEstaVacioSalvoLosDocumentos) {
    // QUENBAR_REGISTRO names a file that is not there.
    TRegistry registro;
    registro.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registro.OpenKeyReadOnly("SOFTWARE"));
    EXPECT_TRUE(Subclaves(registro).empty());

    // The user's documents folder is always there, as on Windows.
    registro.SetRootKey(HKEY_CURRENT_USER);
    for (const char* clave :
         {"SOFTWARE", "Microsoft", "Windows", "CurrentVersion", "Explorer", "Shell Folders"})
        ASSERT_TRUE(registro.OpenKeyReadOnly(clave)) << clave;
    EXPECT_EQ(registro.ReadString("Personal").str(), "/home/ana/Documentos");
}

TEST_F(Registry, ElFicheroManda) {
    Escribir(kRegistro);
    TRegistry registro;
    ASSERT_TRUE(registro.OpenKeyReadOnly(
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"));
    EXPECT_EQ(registro.ReadString("Personal").str(), "C:\\Users\\ana\\Mis documentos");
}

TEST_F(Registry, TextoUtf8OWindows1252) {
    struct Caso {
        std::string valor; // bytes in the file
        std::string leido; // Windows-1252 bytes read
    } casos[] = {
        {"/opt/Energ\xC3\xAD"
         "a/",
         "/opt/Energía/"}, // UTF-8, as this system's files are
        {"/opt/Energ\xED"
         "a/",
         "/opt/Energía/"}, // Windows-1252 is kept as it is
    };
    for (const Caso& caso : casos) {
        // A UTF-8 byte order mark, as some editors save, hides nothing.
        Escribir("\xEF\xBB\xBF[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Tirnel]\nApp=" + caso.valor +
                 "\n");
        TRegistry conMarca;
        conMarca.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(conMarca.OpenKeyReadOnly("SOFTWARE\\Brastow\\Tirnel"));
        EXPECT_EQ(conMarca.ReadString("App").str(), caso.leido);

        Escribir("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Tirnel]\nApp=" + caso.valor + "\n");
        TRegistry registro;
        registro.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(registro.OpenKeyReadOnly("SOFTWARE\\Brastow\\Tirnel"));
        EXPECT_EQ(registro.ReadString("App").str(), caso.leido);
    }
}

TEST(RegistryFichero, VariableCarpetaDeAjustesOCasa) {
    {
        VariableEntorno fichero("QUENBAR_REGISTRO", "/otro/registro.ini");
        EXPECT_EQ(TRegistry::FileName().str(), "/otro/registro.ini");
    }
    VariableEntorno sinFichero("QUENBAR_REGISTRO", nullptr);
    VariableEntorno casa("HOME", "/home/ana");
    {
        VariableEntorno ajustes("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(TRegistry::FileName().str(), "/cfg/quenbar/registro.ini");
    }
    {
        VariableEntorno relativa("XDG_CONFIG_HOME", "cfg"); // relative: ignored
        EXPECT_EQ(TRegistry::FileName().str(), "/home/ana/.config/quenbar/registro.ini");
    }
}

} // namespace
