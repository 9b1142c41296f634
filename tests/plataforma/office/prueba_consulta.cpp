// Queries on a SQLite file made by the sqlite3 program, through the ODBC driver manager and
// the SQLite driver: field names, each kind of value, nulls, and the failures with the
// driver's own message.

#include "plataforma/base/cp1252.h"
#include "plataforma/base/files.h"
#include "plataforma/office/odbc_query.h"
#include "plataforma/office/office_error.h"
#include "tests/plataforma/office/libros_prueba.h"

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
    std::ofstream(Ruta("otra.mdb").c_str()) << "no es una base";
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
    // A desktop database's driver is not registered here: the manager says so.
    try {
        OdbcQuery q(Ruta("otra.mdb"), "SELECT * FROM t");
        ADD_FAILURE();
    } catch (const EOfficeError& e) {
        EXPECT_NE(e.Message.str().find("No se puede abrir la base de datos"), std::string::npos)
            << e.Message.c_str();
        EXPECT_NE(e.Message.str().find("MDBTools"), std::string::npos) << e.Message.c_str();
    }
    EXPECT_THROW(OdbcQuery(Ruta("no_existe.db"), "SELECT 1"), EOfficeError);
    EXPECT_FALSE(FileExists(Ruta("no_existe.db")));
}
