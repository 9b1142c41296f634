// Queries on a SQLite file made by the sqlite3 program, through the ODBC driver manager and
// the SQLite driver: field names, each kind of value, nulls, and the failures with the
// driver's own message; desktop databases that cannot be read, and a missing driver.

#include "plataforma/base/cp1252.h"
#include "plataforma/base/files.h"
#include "plataforma/office/odbc_query.h"
#include "plataforma/office/office_error.h"
#include "tests/plataforma/office/libros_prueba.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

class Consulta : public FicherosOficina {
protected:
    void SetUp() override {
        PrepararOdbc();
        Sqlite("muros.db",
               std::string("CREATE TABLE muros (nombre TEXT, u REAL, capas INTEGER, alta DATE,"
                           " nota TEXT);"
                           "INSERT INTO muros VALUES ('Fachada ñ', 0.45, 3, '2020-01-31', NULL);"
                           "INSERT INTO muros VALUES ('Medianera', 1.5, 2, NULL, '');"
                           "INSERT INTO muros VALUES ('Cubierta', NULL, NULL, NULL, 'larga " +
                           std::string(10000, 'x') + "');"));
    }
};

TEST_F(Consulta, CamposYRegistros) {
    OdbcQuery q(Ruta("muros.db"), "SELECT * FROM muros");
    ASSERT_EQ(q.FieldCount(), 5);
    EXPECT_EQ(q.FieldName(0), "nombre");
    EXPECT_EQ(q.FieldName(4), "nota");
    // The SQLite driver reports no count for a query (0); others give the count or -1.
    EXPECT_TRUE(q.RecordCount() <= 0 || q.RecordCount() == 3) << q.RecordCount();
    std::vector<AnsiString> f;
    ASSERT_TRUE(q.Next(f));
    EXPECT_EQ(f, (std::vector<AnsiString>{"Fachada ñ", "0,45", "3", "31/01/2020", ""}));
    ASSERT_TRUE(q.Next(f));
    EXPECT_EQ(f, (std::vector<AnsiString>{"Medianera", "1,5", "2", "", ""}));
    ASSERT_TRUE(q.Next(f));
    EXPECT_EQ(f[0], "Cubierta");
    EXPECT_EQ(f[1], "");
    EXPECT_EQ(f[4], "larga " + AnsiString(std::string(10000, 'x')));
    EXPECT_FALSE(q.Next(f));
}

TEST_F(Consulta, FallosConElMensajeDelControlador) {
    const std::pair<const char*, const char*> casos[] = {
        {"SELECT * FROM tabla_que_no_hay", "no such table"},
        {"SELEC mal", "syntax error"},
    };
    for (const auto& [sql, mensaje] : casos) {
        try {
            OdbcQuery q(Ruta("muros.db"), sql);
            ADD_FAILURE() << sql;
        } catch (const EOfficeError& e) {
            EXPECT_NE(e.Message.str().find(mensaje), std::string::npos) << e.Message.c_str();
        }
    }
    EXPECT_THROW(OdbcQuery(Ruta("no_existe.db"), "SELECT 1"), EOfficeError);
    EXPECT_FALSE(FileExists(Ruta("no_existe.db")));
}

namespace {

// The first page of a desktop database that holds nothing more: its signature, then zeros.
std::string BaseDeEscritorioVacia() {
    return std::string("\0\1\0\0Standard Jet DB\0", 20) + std::string(4096 - 20, '\0');
}

std::string Listado(const std::string& Carpeta) {
    std::string s;
    for (const auto& e : std::filesystem::directory_iterator(Carpeta))
        s += e.path().filename().string() + " " + std::to_string(e.file_size()) + "\n";
    return s;
}

} // namespace

// Desktop databases go to their own driver. A file of neither kind never reaches a driver;
// one with the desktop signature that the driver cannot read fails with its message. The
// files and their folder stay as they were: nothing is created beside them.
TEST_F(Consulta, BasesDeEscritorioQueNoSeLeen) {
    const struct {
        const char* nombre;
        std::string bytes;
        const char* mensaje;
    } casos[] = {
        {"texto.mdb", "no es una base", "no es una base de datos"},
        {"vacia.mdb", "", "no es una base de datos"},
        {"casi.mdb", std::string("\0\1\0\0Standard Jet", 15), "no es una base de datos"},
        {"sin_tablas.mdb", BaseDeEscritorioVacia(), "La consulta falla"},
    };
    for (const auto& c : casos)
        std::ofstream(Ruta(c.nombre).c_str(), std::ios::binary) << c.bytes;
    const std::string antes = Listado(carpeta.Ruta().str());
    for (const auto& c : casos) {
        try {
            OdbcQuery q(Ruta(c.nombre), "SELECT * FROM muros");
            ADD_FAILURE() << c.nombre;
        } catch (const EOfficeError& e) {
            EXPECT_NE(e.Message.str().find(c.mensaje), std::string::npos)
                << c.nombre << ": " << e.Message.c_str();
        }
        EXPECT_EQ(Bytes(c.nombre), c.bytes) << c.nombre;
    }
    EXPECT_EQ(Listado(carpeta.Ruta().str()), antes);
}

// Without the desktop databases' driver the message names it and its package. In a process
// of its own: the driver manager keeps the drivers it read first.
TEST(ConsultaSinControlador, NombraElControladorYSuPaquete) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::string mensaje = "sin error";
            {
                CarpetaTemporal c;
                OdbcinstDePrueba(c.Ruta().str(), false);
                ::setenv("ODBCSYSINI", c.Ruta().c_str(), 1);
                try {
                    OdbcQuery q(c.Fichero("b.mdb", BaseDeEscritorioVacia()), "SELECT 1");
                } catch (const EOfficeError& e) {
                    mensaje = e.Message.str();
                }
            }
            std::fputs(mensaje.c_str(), stderr);
            std::exit(0);
        },
        testing::ExitedWithCode(0),
        "No se puede abrir la base de datos .*b\\.mdb: falta el controlador ODBC \"MDBTools\" "
        "\\(paquete odbc-mdbtools\\)");
}
