// TIniFile: reading the Windows INI format, writing changes together, atomically, merged
// into the file as it is then.

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/base/string_list.h"
#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Contenido(const AnsiString& ruta) {
    std::string texto;
    EXPECT_TRUE(ReadWholeFile(ruta, texto)) << ruta.c_str();
    return texto;
}

std::vector<std::string> Lista(const TStrings& lista) {
    std::vector<std::string> cadenas;
    for (int i = 0; i < lista.GetCount(); ++i)
        cadenas.push_back(lista.GetStrings(i).str());
    return cadenas;
}

const char* const kFichero = "; ajustes de la rejilla\r\n"
                             "huerfana=fuera de seccion\r\n"
                             "[Rejilla]\r\n"
                             "  Ancho = 120  \r\n"
                             "Titulo=\"  con blancos  \"\r\n"
                             "Simple='sola'\r\n"
                             "Ruta=C:\\Datos\\Lib\\\r\n"
                             "Vacia=\r\n"
                             "Igual=a=b\r\n"
                             "# comentario=no es clave\r\n"
                             "Ancho=999\r\n"
                             "sin igual\r\n"
                             "\r\n"
                             "[Otra]\n" // a line ending in LF alone
                             "Valor=LF\n"
                             "[REJILLA]\r\n"
                             "Tarde=segunda cabecera\r\n";

TEST(IniFile, LeeElFormatoDeWindows) {
    CarpetaTemporal carpeta;
    TIniFile ini(carpeta.Fichero("a.ini", kFichero));

    struct Caso {
        const char* seccion;
        const char* clave;
        const char* esperado;
    } casos[] = {
        {"Rejilla", "Ancho", "120"},              // blanks around name and value
        {"rejilla", "ANCHO", "120"},              // no case in names; first of two wins
        {"Rejilla", "Titulo", "  con blancos  "}, // quotes keep the blanks inside
        {"Rejilla", "Simple", "sola"},
        {"Rejilla", "Ruta", "C:\\Datos\\Lib\\"},
        {"Rejilla", "Vacia", ""}, // present and empty: not the default
        {"Rejilla", "Igual", "a=b"},
        {"Rejilla", "# comentario", "(defecto)"}, // comment lines hold no keys
        {"Rejilla", "sin igual", "(defecto)"},
        {"Rejilla", "Tarde", "segunda cabecera"}, // a section named twice is one
        {"Otra", "Valor", "LF"},
        {"", "huerfana", "(defecto)"}, // keys before any section do not count
        {"Falta", "Ancho", "(defecto)"},
        {"Rejilla", "Falta", "(defecto)"},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(ini.ReadString(caso.seccion, caso.clave, "(defecto)").str(), caso.esperado)
            << caso.seccion << "/" << caso.clave;

    EXPECT_TRUE(ini.ValueExists("REJILLA", "vacia"));
    EXPECT_FALSE(ini.ValueExists("Rejilla", "sin igual"));
    EXPECT_TRUE(ini.SectionExists("otra"));
    EXPECT_FALSE(ini.SectionExists("Falta"));

    TStringList lista;
    ini.ReadSections(lista);
    EXPECT_EQ(Lista(lista), (std::vector<std::string>{"Rejilla", "Otra"}));
    ini.ReadSection("rejilla", lista);
    EXPECT_EQ(Lista(lista), (std::vector<std::string>{"Ancho", "Titulo", "Simple", "Ruta", "Vacia",
                                                      "Igual", "Tarde"}));
    ini.ReadSectionValues("Otra", lista);
    EXPECT_EQ(Lista(lista), (std::vector<std::string>{"Valor=LF"}));
    ini.ReadSection("Falta", lista);
    EXPECT_EQ(lista.GetCount(), 0);
}

// A UTF-8 byte order mark at the start is not part of the first line's key, and a file saved
// with it keeps it.
TEST(IniFile, LaMarcaUtf8NoEsconeLaPrimeraClave) {
    CarpetaTemporal carpeta;
    for (const char* texto : {"\xEF\xBB\xBF[Rutas]\r\nLIB=Lib\r\n",
                              "\xEF\xBB\xBFLIB=fuera\r\n[Rutas]\r\nLIB=Lib\r\n"}) {
        const AnsiString ruta = carpeta.Fichero("marca.ini", texto);
        {
            TIniFile ini(ruta);
            EXPECT_EQ(ini.ReadString("Rutas", "LIB", "falta").str(), "Lib");
            ini.WriteString("Rutas", "TMP", "Tmp");
        }
        EXPECT_EQ(Contenido(ruta), std::string(texto) + "TMP=Tmp\r\n");
    }
}

TEST(IniFile, EnterosYLogicos) {
    CarpetaTemporal carpeta;
    TIniFile ini(carpeta.Fichero("n.ini", "[N]\n"
                                          "dec=42\nneg= -7\nhex=0x1F\ndolar=$ff\ntodo=$FFFFFFFF\n"
                                          "texto=abc\nvacio=\ngrande=99999999999\nmedio=12abc\n"
                                          "cero=0\n"));
    struct Caso {
        const char* clave;
        int esperado;
    } casos[] = {{"dec", 42},   {"neg", -7},   {"hex", 31},   {"dolar", 255},
                 {"todo", -1},  {"texto", -5}, {"vacio", -5}, {"grande", -5},
                 {"medio", -5}, {"falta", -5}, {"cero", 0}};
    for (const Caso& caso : casos)
        EXPECT_EQ(ini.ReadInteger("N", caso.clave, -5), caso.esperado) << caso.clave;

    EXPECT_TRUE(ini.ReadBool("N", "dec", false));
    EXPECT_FALSE(ini.ReadBool("N", "cero", true));
    EXPECT_TRUE(ini.ReadBool("N", "texto", true)); // not a number: the default
    EXPECT_FALSE(ini.ReadBool("N", "falta", false));
}

TEST(IniFile, EscribeEnFormatoDeWindowsYConservaLoDemas) {
    CarpetaTemporal carpeta;
    // The folder does not exist yet: it is created with the file.
    AnsiString ruta = carpeta.Ruta() + "ajustes/grid.ini";
    {
        TIniFile ini(ruta);
        ini.WriteString("Rejilla", "Ancho", "120");
        // Kept in memory until written: read at once, the file not yet made.
        EXPECT_EQ(ini.ReadString("Rejilla", "Ancho", "").str(), "120");
        EXPECT_FALSE(FileExists(ruta));
        ini.UpdateFile();
        EXPECT_EQ(Contenido(ruta), "[Rejilla]\r\nAncho=120\r\n");
        ini.WriteInteger("Columnas", "Cuenta", -3);
        ini.WriteBool("Columnas", "Visible", true);
    }
    // The destruction writes what is pending.
    EXPECT_EQ(Contenido(ruta),
              "[Rejilla]\r\nAncho=120\r\n\r\n[Columnas]\r\nCuenta=-3\r\nVisible=1\r\n");

    // Comments, blank lines, spacing and quotes of untouched lines stay as they were.
    AnsiString editado = carpeta.Fichero("editado.ini", "; cabecera\r\n"
                                                        "[A]\r\n"
                                                        "  uno = \"1\"\r\n"
                                                        "dos=2\r\n"
                                                        "\r\n"
                                                        "[B]\n"
                                                        "tres=3\n");
    TIniFile ini(editado);
    ini.WriteString("a", "DOS", "22");   // the existing key keeps its spelling
    ini.WriteString("A", "cuatro", "4"); // after the last key, before the blank line
    ini.WriteString("A", "uno", "1");    // same value: nothing changes
    ini.UpdateFile();
    EXPECT_EQ(Contenido(editado), "; cabecera\r\n"
                                  "[A]\r\n"
                                  "  uno = \"1\"\r\n"
                                  "dos=22\r\n"
                                  "cuatro=4\r\n"
                                  "\r\n"
                                  "[B]\r\n"
                                  "tres=3\r\n");

    ini.DeleteKey("A", "uno");
    ini.EraseSection("b");
    ini.UpdateFile();
    EXPECT_EQ(Contenido(editado), "; cabecera\r\n[A]\r\ndos=22\r\ncuatro=4\r\n\r\n");
    EXPECT_FALSE(ini.SectionExists("B"));

    // What was written reads back the same in a new object.
    TIniFile otra(editado);
    EXPECT_EQ(otra.ReadString("A", "dos", "").str(), "22");
    EXPECT_EQ(otra.ReadInteger("A", "cuatro", 0), 4);
    EXPECT_FALSE(otra.ValueExists("A", "uno"));
}

TEST(IniFile, UnaSeccionSinClavesExiste) {
    CarpetaTemporal carpeta;
    TIniFile ini(carpeta.Fichero("s.ini", "[Vacia]\r\n[Llena]\r\nx=1\r\n"));
    EXPECT_TRUE(ini.SectionExists("vacia"));
    TStringList lista;
    ini.ReadSections(lista);
    EXPECT_EQ(Lista(lista), (std::vector<std::string>{"Vacia", "Llena"}));
}

TEST(IniFile, UnFicheroQueNoSePuedeEscribirAvisaYNoSeEstropea) {
    CarpetaTemporal carpeta;
    AnsiString ruta = carpeta.Fichero("f.ini", "[A]\r\nx=1\r\n");
    TIniFile ini(ruta);

    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    ini.WriteString("A", "x", "2");
    EXPECT_THROW(ini.UpdateFile(), EIniFileException);
    EXPECT_EQ(Contenido(ruta), "[A]\r\nx=1\r\n");
    // The change stays in memory and goes out with the next write.
    EXPECT_EQ(ini.ReadString("A", "x", "").str(), "2");
    ini.UpdateFile();
    EXPECT_EQ(Contenido(ruta), "[A]\r\nx=2\r\n");

    // A write that changes nothing does not touch the file (the failure stays armed).
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    EXPECT_NO_THROW(ini.WriteString("a", "X", "2"));
    EXPECT_NO_THROW(ini.EraseSection("Falta"));
    EXPECT_NO_THROW(ini.UpdateFile());
    FileWriter::InjectFailureForTests(FileWriter::Failure::None);
}

TEST(IniFile, UnFicheroQueNoExisteEstaVacio) {
    CarpetaTemporal carpeta;
    TIniFile ini(carpeta.Ruta() + "no-existe.ini");
    EXPECT_EQ(ini.ReadString("A", "x", "d").str(), "d");
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_FALSE(FileExists(carpeta.Ruta() + "no-existe.ini")); // reading creates nothing
}

} // namespace
