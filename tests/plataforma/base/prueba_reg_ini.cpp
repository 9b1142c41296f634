// TRegIniFile / TRegistryIniFile: writable per-user stores in the Windows INI format, apart
// from the read-only registry; and the same round trips through the common TCustomIniFile.

#include "plataforma/base/files.h"
#include "plataforma/base/reg_ini_file.h"
#include "plataforma/base/registry.h"
#include "plataforma/base/string_list.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/variable_entorno.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lista(const TStrings& lista) {
    std::vector<std::string> cadenas;
    for (int i = 0; i < lista.GetCount(); ++i)
        cadenas.push_back(lista.GetStrings(i).str());
    return cadenas;
}

class RegIni : public testing::Test {
protected:
    CarpetaTemporal carpeta;
    AnsiString almacen = carpeta.Ruta() + "sub/usuario.ini"; // the folder is made on write
    VariableEntorno variable{"QUENBAR_REGISTRO_USUARIO", almacen.c_str()};
    AnsiString registro = carpeta.Fichero("registro.ini", "");
    VariableEntorno variableRegistro{"QUENBAR_REGISTRO", registro.c_str()};

    std::string Contenido() const {
        std::string texto;
        EXPECT_TRUE(ReadWholeFile(almacen, texto));
        return texto;
    }
};

TEST_F(RegIni, EscribeSubclavesComoSeccionesDelFicheroDelUsuario) {
    TRegIniFile ini("\\Software\\Kav\\\\Rejilla\\");
    ini.WriteString("Columnas", "Ancho1", "120");
    ini.WriteInteger("Columnas\\Orden", "Col0", 3);
    ini.WriteBool("", "Visible", true);
    EXPECT_EQ(TRegIniFile::StoreFileName(), almacen);
    EXPECT_EQ(Contenido(), "[HKEY_CURRENT_USER\\Software\\Kav\\Rejilla\\Columnas]\r\n"
                           "Ancho1=120\r\n"
                           "\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Kav\\Rejilla\\Columnas\\Orden]\r\n"
                           "Col0=3\r\n"
                           "\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Kav\\Rejilla]\r\n"
                           "Visible=1\r\n");
}

TEST_F(RegIni, LosNombresNoDistinguenMayusculasYLaLecturaVeLoQueEscribeOtroObjeto) {
    TRegIniFile a("Software\\Kav\\Lista");
    TRegistryIniFile b("SOFTWARE\\kav\\LISTA");
    a.WriteString("Historia", "Item1", "Información");
    b.WriteString("HISTORIA", "item2", "segundo");
    // Each write reads the file afresh: neither undoes the other's.
    EXPECT_EQ(b.ReadString("historia", "ITEM1", "?"), "Información");
    EXPECT_EQ(a.ReadString("Historia", "Item2", "?"), "segundo");
    EXPECT_EQ(a.ReadString("Historia", "Item3", "por defecto"), "por defecto");
    EXPECT_TRUE(a.ValueExists("historia", "ITEM2"));
    EXPECT_FALSE(a.ValueExists("Historia", "Item3"));
    EXPECT_TRUE(b.SectionExists("Historia"));
    EXPECT_FALSE(b.SectionExists("Otra"));
    EXPECT_EQ(b.GetRegIniFile(), &b);
}

TEST_F(RegIni, EnumeraSubclavesYValores) {
    TRegIniFile ini("Software\\Kav\\Rejilla");
    ini.WriteString("Columnas", "Ancho1", "120");
    ini.WriteString("Columnas", "Ancho2", "80");
    ini.WriteString("Columnas\\Orden", "Col0", "1");
    ini.WriteString("Impresion", "Titulo", "Informe");
    TRegIniFile("Software\\Kav\\RejillaBis").WriteString("Otra", "x", "1"); // a key alike
    TStringList lista;
    lista.Add("lo que hubiera");
    ini.ReadSections(lista);
    EXPECT_EQ(Lista(lista), (std::vector<std::string>{"Columnas", "Impresion"}));
    ini.ReadSection("Columnas", lista);
    EXPECT_EQ(Lista(lista), (std::vector<std::string>{"Ancho1", "Ancho2"}));
    ini.ReadSectionValues("Columnas", lista);
    EXPECT_EQ(Lista(lista), (std::vector<std::string>{"Ancho1=120", "Ancho2=80"}));
}

TEST_F(RegIni, BorrarUnaSubclaveBorraLasQueCuelganDeEllaYNadaMas) {
    TRegIniFile ini("Software\\Kav\\Rejilla");
    ini.WriteString("Columnas", "Ancho1", "120");
    ini.WriteString("Columnas\\Orden", "Col0", "1");
    ini.WriteString("ColumnasExtra", "Ancho1", "7");
    ini.WriteString("Impresion", "Titulo", "Informe");
    ini.DeleteKey("Impresion", "Titulo");
    ini.EraseSection("columnas");
    TStringList lista;
    ini.ReadSections(lista);
    EXPECT_EQ(Lista(lista), (std::vector<std::string>{"ColumnasExtra", "Impresion"}));
    EXPECT_EQ(ini.ReadString("Columnas\\Orden", "Col0", "borrado"), "borrado");
    EXPECT_EQ(ini.ReadString("ColumnasExtra", "Ancho1", ""), "7");
    EXPECT_FALSE(ini.ValueExists("Impresion", "Titulo"));
}

TEST_F(RegIni, ElRegistroDeSoloLecturaNoVeLosAjustesDelUsuario) {
    TRegIniFile("Software\\Kav").WriteString("Ajustes", "Valor", "1");
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKeyReadOnly("\\Software\\Kav\\Ajustes"));
    std::string texto;
    ASSERT_TRUE(ReadWholeFile(registro, texto));
    EXPECT_EQ(texto, "");
}

TEST_F(RegIni, UnAlmacenQueNoSePuedeEscribirLanzaYNoInventaValores) {
    // A file where a folder should be: no one can write below it, root included.
    AnsiString fichero = carpeta.Fichero("fichero", "x");
    VariableEntorno bloqueado("QUENBAR_REGISTRO_USUARIO", (fichero + "/u.ini").c_str());
    TRegIniFile ini("Software\\Kav");
    EXPECT_THROW(ini.WriteString("A", "b", "c"), EIniFileException);
    EXPECT_EQ(ini.ReadString("A", "b", "nada"), "nada");
}

// The same round trip through both stores, as a persistence routine sees them.
TEST_F(RegIni, IdaYVueltaPorLaInterfazComun) {
    std::unique_ptr<TCustomIniFile> almacenes[] = {
        std::make_unique<TIniFile>(carpeta.Ruta() + "ajustes.ini"),
        std::make_unique<TRegistryIniFile>("Software\\Kav\\Edit"),
    };
    for (auto& ini : almacenes) {
        SCOPED_TRACE(ini->GetFileName().c_str());
        ini->WriteString("Persist", "edNombre", "con blancos");
        ini->WriteInteger("Persist", "LOOKUPCOUNT", -12);
        ini->WriteBool("Persist", "Activo", true);
        ini->WriteString("Persist", "Hex", "$1F");
        ini->WriteString("Persist", "Basura", "12abc");
        EXPECT_EQ(ini->ReadString("persist", "EDNOMBRE", ""), "con blancos");
        EXPECT_EQ(ini->ReadInteger("Persist", "LookupCount", 0), -12);
        EXPECT_TRUE(ini->ReadBool("Persist", "Activo", false));
        EXPECT_EQ(ini->ReadInteger("Persist", "Hex", 0), 31);
        EXPECT_EQ(ini->ReadInteger("Persist", "Basura", 5), 5);
        EXPECT_EQ(ini->ReadInteger("Persist", "Falta", 7), 7);
        ini->EraseSection("Persist");
        EXPECT_FALSE(ini->SectionExists("Persist"));
    }
}

} // namespace
