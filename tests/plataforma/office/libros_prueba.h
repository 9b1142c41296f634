#pragma once
// What the workbook, document and query tests share: a folder of their own, the regional
// settings fixed (comma decimals, day/month/year dates), Python to make and read the files,
// SQLite files and the ODBC drivers.

#include "plataforma/base/cp1252.h"
#include "tests/comun/ajustes_regionales.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/python_prueba.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

// An odbcinst.ini in Folder naming the drivers of the file kinds (SQLite files, and desktop
// databases unless WithDesktop is false) by their Debian libraries.
inline void OdbcinstDePrueba(const std::string& Folder, bool WithDesktop = true) {
    std::filesystem::create_directories(Folder);
    std::ofstream ini(Folder + "/odbcinst.ini");
    const std::pair<const char*, const char*> drivers[] = {{"SQLite3", "libsqlite3odbc.so"},
                                                           {"MDBTools", "libmdbodbc.so"}};
    for (const auto& [name, library] : drivers) {
        if (!WithDesktop && std::string(name) == "MDBTools") continue;
        std::string path = library;
        for (const char* lib : {"/usr/lib/x86_64-linux-gnu/odbc/",
                                "/usr/lib/aarch64-linux-gnu/odbc/", "/usr/lib/odbc/"})
            if (std::filesystem::exists(lib + path)) path = lib + path;
        ini << "[" << name << "]\nDriver=" << path << "\n";
    }
}

// The ODBC driver manager reads the drivers from an odbcinst.ini of the tests' own: no
// system registration is needed. The manager keeps what it read first for the life of the
// process, so it is set once.
inline void PrepararOdbc() {
    static const bool hecho = [] {
        const std::string carpeta = "/tmp/quenbar-odbc-" + std::to_string(getpid());
        OdbcinstDePrueba(carpeta);
        ::setenv("ODBCSYSINI", carpeta.c_str(), 1);
        std::atexit(
            [] { std::filesystem::remove_all("/tmp/quenbar-odbc-" + std::to_string(getpid())); });
        return true;
    }();
    (void)hecho;
}

// Runs SQL on a SQLite file through the sqlite3 program (the text goes to it as UTF-8).
inline void SqliteDePrueba(const std::string& Base, const std::string& Sql) {
    const std::string guion = Base + ".sql";
    std::ofstream(guion) << cp1252::ToUtf8(Sql);
    const std::string orden = "sqlite3 '" + Base + "' < '" + guion + "'";
    ASSERT_EQ(std::system(orden.c_str()), 0) << orden;
}

class FicherosOficina : public ::testing::Test {
protected:
    std::string Python(const std::string& Programa) {
        return PythonDePrueba(carpeta.Ruta().str(), Programa);
    }
    void Sqlite(const char* Base, const std::string& Sql) { SqliteDePrueba(Ruta(Base).str(), Sql); }
    AnsiString Ruta(const char* Nombre) const { return carpeta.Ruta() + Nombre; }
    std::string Bytes(const char* Nombre) const {
        std::ifstream f(Ruta(Nombre).c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

    // The regional settings of the expected texts: comma decimals, day/month/year dates.
    AjustesRegionales regional{',', '.'};
    CarpetaTemporal carpeta;
};
