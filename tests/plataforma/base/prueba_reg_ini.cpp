// TRegIniFile / TRegistryIniFile: writable per-user stores in the Windows INI format, apart
// from the read-only registry; and the same round trips through the common TCustomIniFile.

#include "plataforma/base/files.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/base/reg_ini_file.h"
#include "plataforma/base/registry.h"
#include "plataforma/base/string_list.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/variable_entorno.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <set>
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
    ini.UpdateFile();
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
    // Each store writes its own changes into the file as it is then, and reads the file
    // again when it changed: neither undoes the other's.
    a.UpdateFile();
    b.UpdateFile();
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
    ini.WriteString("A", "b", "c");
    EXPECT_THROW(ini.UpdateFile(), EIniFileException);
    EXPECT_EQ(TRegIniFile("Software\\Kav").ReadString("A", "b", "nada"), "nada");
}

// Two stores on one file, and another program that edits it, in a seeded random sequence of
// writes, deletions, erased subkeys and updates: after each step both stores read what a
// plain model says (the file as last written, with each store's unwritten changes on top), and
// the file holds what the model's file holds. Neither store undoes a key it did not change.
TEST_F(RegIni, DosAlmacenesYOtroProgramaNoSeDeshacenEntreSi) {
    using Clave = std::pair<std::string, std::string>;
    // The values, and the subkeys that exist (a subkey stays when its last value goes).
    struct Mapa : std::map<Clave, std::string> {
        std::set<std::string> secciones;
    };
    struct Cambio {
        int tipo; // 0 poner, 1 borrar la clave, 2 borrar la subclave
        Clave clave;
        std::string valor;
    };
    auto aplicar = [](Mapa& m, const Cambio& c) {
        if (c.tipo == 0) {
            m[c.clave] = c.valor;
            m.secciones.insert(c.clave.first);
        } else if (c.tipo == 1) {
            m.erase(c.clave);
        } else {
            std::erase_if(m, [&](const auto& e) { return e.first.first == c.clave.first; });
            m.secciones.erase(c.clave.first);
        }
    };
    Mapa fichero;
    std::vector<Cambio> pendientes[2];
    auto vista = [&](int i) {
        Mapa m = fichero;
        for (const Cambio& c : pendientes[i])
            aplicar(m, c);
        return m;
    };
    TRegIniFile almacenes[2] = {TRegIniFile("Software\\Kav"), TRegIniFile("Software\\Kav")};
    const char* secciones[] = {"A", "B", "C"};
    std::mt19937 azar(74);
    for (int paso = 0; paso < 600; ++paso) {
        SCOPED_TRACE(paso);
        const int i = static_cast<int>(azar() % 2);
        const Clave clave{secciones[azar() % 3], "k" + std::to_string(azar() % 4)};
        const int accion = static_cast<int>(azar() % 10);
        if (accion < 5) {
            const std::string valor = std::to_string(azar() % 5);
            const Mapa antes = vista(i);
            const auto it = antes.find(clave);
            if (it == antes.end() || it->second != valor)
                pendientes[i].push_back({0, clave, valor});
            almacenes[i].WriteString(clave.first.c_str(), clave.second.c_str(), valor.c_str());
        } else if (accion < 7) {
            if (vista(i).count(clave)) pendientes[i].push_back({1, clave, ""});
            almacenes[i].DeleteKey(clave.first.c_str(), clave.second.c_str());
        } else if (accion == 7) {
            if (vista(i).secciones.count(clave.first)) pendientes[i].push_back({2, clave, ""});
            almacenes[i].EraseSection(clave.first.c_str());
        } else if (accion == 8) {
            almacenes[i].UpdateFile();
            for (const Cambio& c : pendientes[i])
                aplicar(fichero, c);
            pendientes[i].clear();
        } else {
            // Another program writes the file whole, one key changed.
            const std::string valor = "otro" + std::to_string(azar() % 3);
            TIniFile otro(almacen);
            otro.WriteString(("HKEY_CURRENT_USER\\Software\\Kav\\" + clave.first).c_str(),
                             clave.second.c_str(), valor.c_str());
            otro.UpdateFile();
            aplicar(fichero, {0, clave, valor});
        }
        for (int j = 0; j < 2; ++j) {
            const Mapa esperado = vista(j);
            for (const char* seccion : secciones)
                for (int k = 0; k < 4; ++k) {
                    const Clave c{seccion, "k" + std::to_string(k)};
                    const auto it = esperado.find(c);
                    ASSERT_EQ(almacenes[j].ReadString(seccion, c.second.c_str(), "-").str(),
                              it == esperado.end() ? "-" : it->second)
                        << "almacén " << j << " " << seccion << "\\" << c.second;
                }
        }
    }
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
