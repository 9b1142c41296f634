#pragma once
// What the workbook and document tests share: a folder of their own, the regional settings
// fixed (comma decimals, day/month/year dates) and Python to make and read the files.

#include "plataforma/base/cp1252.h"
#include "plataforma/base/regional.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/python_prueba.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The ODBC driver manager reads the drivers from an odbcinst.ini of the tests' own, which
// names the SQLite driver only: no system registration is needed. The manager keeps the
// first folder it is given for the life of the process, so it is set once.
inline void PrepararOdbc() {
    static const bool hecho = [] {
        const std::string carpeta = "/tmp/quenbar-odbc-" + std::to_string(getpid());
        std::filesystem::create_directories(carpeta);
        std::string driver;
        for (const char* c : {"/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so",
                              "/usr/lib/aarch64-linux-gnu/odbc/libsqlite3odbc.so",
                              "/usr/lib/odbc/libsqlite3odbc.so"})
            if (std::filesystem::exists(c)) driver = c;
        std::ofstream(carpeta + "/odbcinst.ini") << "[SQLite3]\nDriver=" << driver << "\n";
        ::setenv("ODBCSYSINI", carpeta.c_str(), 1);
        std::atexit(
            [] { std::filesystem::remove_all("/tmp/quenbar-odbc-" + std::to_string(getpid())); });
        return true;
    }();
    (void)hecho;
}

// The regional settings that the expected texts use (comma decimals, day/month/year dates,
// hours:minutes:seconds), and the earlier ones put back at the end.
class RegionalDePrueba {
public:
    RegionalDePrueba()
        : decimal_(GetDecimalSeparator()), separadorFecha_(GetDateSeparator()),
          separadorHora_(GetTimeSeparator()), fecha_(GetShortDateFormat()),
          hora_(GetLongTimeFormat()) {
        SetDecimalSeparator(',');
        SetShortDateFormat("dd/MM/yyyy");
        SetLongTimeFormat("hh:nn:ss");
        SetDateSeparator('/');
        SetTimeSeparator(':');
    }
    ~RegionalDePrueba() {
        SetDecimalSeparator(decimal_);
        SetShortDateFormat(fecha_);
        SetLongTimeFormat(hora_);
        SetDateSeparator(separadorFecha_);
        SetTimeSeparator(separadorHora_);
    }
    RegionalDePrueba(const RegionalDePrueba&) = delete;
    RegionalDePrueba& operator=(const RegionalDePrueba&) = delete;

private:
    char decimal_, separadorFecha_, separadorHora_;
    AnsiString fecha_, hora_;
};

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

    RegionalDePrueba regional;
    CarpetaTemporal carpeta;
};
