// Directorios: las carpetas de "config.ini", las rutas que se construyen con ellas y lo que
// se copia del registro.

#include "comunes/Directorios.h"
#include "comunes/ModoPrograma.h"
#include "comunes/Registro.h"
#include "plataforma/base/files.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/variable_entorno.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kRegistro = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dumvat-GT]\n"
                              "Install_Dir=C:\\DumvatGT\n"
                              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Tirnel]\n"
                              "App=C:\\Tirnel\\\n"
                              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brastow\\Ostrel]\n"
                              "App=C:\\Ostrel\\\n";

class PruebaDirectorios : public testing::Test {
protected:
    void SetUp() override {
        carpeta.Fichero("registro.ini", kRegistro);
        Directorios::FijarCarpetaAplicacion(aplicacion);
        Registro::LiberarParaPruebas();
        Directorios::Liberar();
    }
    void TearDown() override {
        Directorios::Liberar();
        Directorios::FijarCarpetaAplicacion("");
        Registro::LiberarParaPruebas();
        FijarModoPrograma(Programa::Vornak);
        SetCurrentDir(actual);
    }
    void Configuracion(const std::string& texto) { carpeta.Fichero("app/config.ini", texto); }

    AnsiString actual = GetCurrentDir();
    CarpetaTemporal carpeta;
    AnsiString aplicacion = carpeta.Ruta() + "app/";
    VariableEntorno registro{"QUENBAR_REGISTRO", (carpeta.Ruta() + "registro.ini").c_str()};
    VariableEntorno cache{"XDG_CACHE_HOME", (carpeta.Ruta() + "cache").c_str()};
    VariableEntorno documentos{"XDG_DOCUMENTS_DIR", "/home/ana/Documentos"};
};

TEST_F(PruebaDirectorios, LeeLasClavesDeConfigIni) {
    Configuracion("$ carpetas\r\n"
                  "DATOS = \"Otra\\\"\r\n" // empieza por DAT, pero es otra palabra
                  "PER = \"Per\\\"\r\n"
                  "MET = Meteo\\\r\n" // sin comillas
                  "TMP = \"Tmp\\\"\r\n"
                  "RES = \"Resultados\\\"\r\n"
                  "LIB=\"Lib\\\"\r\n" // sin blancos alrededor del "="
                  "EXE = \"Exe\\\"\r\n"
                  "DAT = \"Datos\\\"\r\n"
                  "IMG = \"Imagenes\\\"\r\n"
                  "DOC = \"Mis Documentos\\\"\r\n"
                  "BIN = \"\"\r\n" // vacía
                  "IMT = \"Imt\\\"\r\n"
                  "PLA = \"Pla\\\"\r\n");
    const Directorios* directorios = Directorios::Instancia();
    EXPECT_TRUE(directorios->Encontrado());
    EXPECT_EQ(directorios->CarpetaAplicacion(), aplicacion);

    struct Caso {
        const char* clave;
        const char* valor;
    } casos[] = {{"PER", "Per\\"},
                 {"MET", "Meteo\\"},
                 {"TMP", "Tmp\\"},
                 {"RES", "Resultados\\"},
                 {"LIB", "Lib\\"},
                 {"EXE", "Exe\\"},
                 {"DAT", "Datos\\"},
                 {"IMG", "Imagenes\\"},
                 {"FOT", ""}, // falta
                 {"DOC", "Mis Documentos\\"},
                 {"BIN", ""},
                 {"IMT", "Imt\\"},
                 {"PLA", "Pla\\"},
                 {"PER ", "Per\\"},
                 {"XYZ", ""}};
    for (const Caso& caso : casos)
        EXPECT_EQ(directorios->Carpeta(caso.clave).str(), caso.valor) << caso.clave;

    // Nada se añade entre carpeta y fichero.
    EXPECT_EQ(directorios->RutaDatos("x.cte"), aplicacion + "Datos\\x.cte");
    EXPECT_EQ(directorios->RutaLibreria("BDCATALOGO.BDC"), aplicacion + "Lib\\BDCATALOGO.BDC");
    EXPECT_EQ(directorios->RutaImagen("Materiales\\"), aplicacion + "Imagenes\\Materiales\\");
    EXPECT_EQ(directorios->RutaResultados("p.cl"), aplicacion + "Resultados\\p.cl");
    EXPECT_EQ(directorios->RutaDocumentos(""), aplicacion + "Mis Documentos\\");
    EXPECT_EQ(directorios->RutaTemporal("EdifDumvat.log"), aplicacion + "Tmp\\EdifDumvat.log");
}

// Un "config.ini" guardado con la marca de orden de bytes de UTF-8 no pierde su primera clave.
TEST_F(PruebaDirectorios, LaMarcaUtf8NoEsconeLaPrimeraClave) {
    Configuracion("\xEF\xBB\xBFLIB = \"Lib\\\"\r\nTMP = \"Tmp\\\"\r\n");
    const Directorios* directorios = Directorios::Instancia();
    EXPECT_EQ(directorios->Carpeta("LIB").str(), "Lib\\");
    EXPECT_EQ(directorios->Carpeta("TMP").str(), "Tmp\\");
}

TEST_F(PruebaDirectorios, LasRutasConBarraInvertidaLleganAlFichero) {
    Configuracion("LIB = \"Lib\\Catalogos\\\"\n");
    carpeta.Fichero("app/Lib/Catalogos/BDCATALOGO.BDC", "x");
    const Directorios* directorios = Directorios::Instancia();
    AnsiString primera = directorios->RutaLibreria("BDCATALOGO.BDC");
    AnsiString segunda = directorios->RutaLibreria("otro.bdc");
    // Cada ruta es un valor propio: la segunda no pisa la primera.
    EXPECT_EQ(primera, aplicacion + "Lib\\Catalogos\\BDCATALOGO.BDC");
    EXPECT_TRUE(FileExists(primera));
    EXPECT_TRUE(FileExists(directorios->RutaLibreria("bdcatalogo.bdc")));
    EXPECT_FALSE(FileExists(segunda));
}

TEST_F(PruebaDirectorios, LaCarpetaDeLaAplicacionPasaASerLaActual) {
    Configuracion("");
    Directorios::Instancia();
    EXPECT_EQ(GetCurrentDir(), aplicacion);
}

TEST_F(PruebaDirectorios, SinConfigIniNoSeLeeElRegistro) {
    carpeta.Fichero("app/otro.ini", "LIB = \"Lib\\\"\n");
    const Directorios* directorios = Directorios::Instancia();
    EXPECT_FALSE(directorios->Encontrado());
    EXPECT_EQ(directorios->RutaLibreria("a.bdc"), aplicacion + "a.bdc");
    EXPECT_EQ(directorios->RutaDatos("x.cte"), aplicacion + "x.cte");
    EXPECT_EQ(directorios->RutaTemporal("EdifDumvat.log"), aplicacion + "EdifDumvat.log");
    EXPECT_EQ(directorios->RutaPrograma("Tirnel").str(), "");
    EXPECT_EQ(directorios->MisDocumentos().str(), "");
    EXPECT_FALSE(directorios->NuevaVersionDumvat());
}

TEST_F(PruebaDirectorios, CopiaLoQueDiceElRegistro) {
    struct Caso {
        Programa programa;
        const char* documentos;
        bool nueva;
    } casos[] = {{Programa::Vornak, "/home/ana/Documentos", true}, {Programa::Pelusta, "", false}};
    Configuracion("LIB = \"Lib\\\"\n");
    for (const Caso& caso : casos) {
        FijarModoPrograma(caso.programa);
        Registro::LiberarParaPruebas();
        Directorios::Liberar();
        const Directorios* directorios = Directorios::Instancia();
        EXPECT_EQ(directorios->RutaPrograma("Tirnel").str(), "C:\\Tirnel\\");
        EXPECT_EQ(directorios->RutaPrograma("Quenbar").str(), "C:\\Ostrel\\");
        EXPECT_EQ(directorios->RutaPrograma("Dumvat").str(), caso.nueva ? "C:\\DumvatGT\\" : "");
        EXPECT_EQ(directorios->RutaPrograma("Morvask").str(), "");
        EXPECT_EQ(directorios->MisDocumentos().str(), caso.documentos);
        EXPECT_EQ(directorios->NuevaVersionDumvat(), caso.nueva);
    }
}

TEST_F(PruebaDirectorios, SinCarpetaTemporalEscribibleUsaLaCache) {
    // "bloqueo" es un fichero: la carpeta TMP no puede existir debajo.
    carpeta.Fichero("app/bloqueo", "");
    Configuracion("TMP = \"bloqueo\\tmp\\\"\nLIB = \"Lib\\\"\n");
    const Directorios* directorios = Directorios::Instancia();
    AnsiString cache = carpeta.Ruta() + "cache/quenbar/";
    EXPECT_EQ(directorios->RutaTemporal("EdifDumvat.log"), cache + "EdifDumvat.log");
    EXPECT_TRUE(DirectoryExists(cache));
    EXPECT_EQ(directorios->RutaLibreria("a"), aplicacion + "Lib\\a"); // las demás, igual
}

TEST_F(PruebaDirectorios, LaCarpetaTemporalQueFaltaSeCrea) {
    Configuracion("TMP = \"Tmp\\\"\n");
    const Directorios* directorios = Directorios::Instancia();
    EXPECT_EQ(directorios->RutaTemporal("a.log"), aplicacion + "Tmp\\a.log");
    EXPECT_TRUE(DirectoryExists(aplicacion + "Tmp\\"));
}

} // namespace
