#include "plataforma/office/odbc_query.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/dates.h"
#include "plataforma/base/files.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/office/office_error.h"
#include "plataforma/office/value_text.h"

#include <sql.h>
#include <sqlext.h>

#include <strings.h>

#include <fstream>

struct OdbcQuery::Handles {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    bool connected = false;
    ~Handles() {
        if (stmt) SQLFreeHandle(SQL_HANDLE_STMT, stmt);
        if (connected) SQLDisconnect(dbc);
        if (dbc) SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        if (env) SQLFreeHandle(SQL_HANDLE_ENV, env);
    }
};

namespace {

bool Ok(SQLRETURN R) {
    return R == SQL_SUCCESS || R == SQL_SUCCESS_WITH_INFO;
}

// A value of a connection string, in braces when it holds what would end it.
std::string Value(const std::string& Text) {
    if (Text.find_first_of(";{}") == std::string::npos) return Text;
    std::string out = "{";
    for (char c : Text)
        out += c == '}' ? std::string("}}") : std::string(1, c);
    return out + "}";
}

bool IsFloating(short Type) {
    return Type == SQL_FLOAT || Type == SQL_REAL || Type == SQL_DOUBLE || Type == SQL_NUMERIC ||
           Type == SQL_DECIMAL;
}

bool IsDateTime(short Type) {
    return Type == SQL_TYPE_DATE || Type == SQL_TYPE_TIME || Type == SQL_TYPE_TIMESTAMP ||
           Type == SQL_DATE || Type == SQL_TIME || Type == SQL_TIMESTAMP;
}

// The driver for a file of one kind: its registered name, the connection string's key for
// the file and what follows it, and the package that installs it.
struct Driver {
    const char* name;
    const char* fileKey;
    const char* rest;
    const char* package;
};
const Driver kSqlite = {"SQLite3", "Database", ";NoCreat=1", "libsqliteodbc"};
const Driver kDesktop = {"MDBTools", "DBQ", "", "odbc-mdbtools"};

// The driver that reads the file, by its first bytes; null for a file of neither kind.
const Driver* DriverFor(const std::string& Path) {
    char head[20] = {};
    std::ifstream(Path, std::ios::binary).read(head, sizeof head);
    const std::string h(head, sizeof head);
    if (h.compare(0, 16, std::string("SQLite format 3\0", 16)) == 0) return &kSqlite;
    if (h.compare(0, 4, std::string("\0\1\0\0", 4)) == 0 &&
        (h.compare(4, 16, std::string("Standard Jet DB\0", 16)) == 0 ||
         h.compare(4, 16, std::string("Standard ACE DB\0", 16)) == 0))
        return &kDesktop;
    return nullptr;
}

// Whether the driver manager has a driver of that name registered.
bool Registered(SQLHENV Env, const char* Name) {
    SQLCHAR name[256], attributes[1024];
    SQLSMALLINT nameLength = 0, attributesLength = 0;
    for (SQLUSMALLINT direction = SQL_FETCH_FIRST;
         Ok(SQLDrivers(Env, direction, name, sizeof name, &nameLength, attributes,
                       sizeof attributes, &attributesLength));
         direction = SQL_FETCH_NEXT)
        if (strcasecmp(reinterpret_cast<const char*>(name), Name) == 0) return true;
    return false;
}

} // namespace

std::string OdbcQuery::ConnectionString(const AnsiString& FileName) {
    const std::string path = NativePath(FileName);
    const Driver* driver = DriverFor(path);
    if (!driver) throw EOfficeError("El fichero " + FileName + " no es una base de datos");
    return std::string("Driver=") + driver->name + ";" + driver->fileKey + "=" + Value(path) +
           driver->rest;
}

void OdbcQuery::Fail(short HandleType, void* Handle, const AnsiString& What) const {
    AnsiString message = What;
    SQLCHAR state[6], text[1024];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT i = 1; Handle && SQLGetDiagRec(HandleType, Handle, i, state, &native, text,
                                                    sizeof text, &length) == SQL_SUCCESS;
         ++i) {
        message += i == 1 ? ": " : "; ";
        message += AnsiString(cp1252::FromUtf8(reinterpret_cast<const char*>(text)));
    }
    throw EOfficeError(message);
}

OdbcQuery::OdbcQuery(const AnsiString& FileName, const AnsiString& Sql)
    : h_(std::make_unique<Handles>()) {
    if (!FileExists(FileName)) throw EOfficeError("No se encuentra la base de datos " + FileName);
    if (!Ok(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h_->env)))
        throw EOfficeError("No se puede iniciar el acceso a bases de datos (ODBC)");
    SQLSetEnvAttr(h_->env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!Ok(SQLAllocHandle(SQL_HANDLE_DBC, h_->env, &h_->dbc)))
        Fail(SQL_HANDLE_ENV, h_->env, "No se puede iniciar el acceso a bases de datos (ODBC)");
    std::string connection = ConnectionString(FileName);
    if (!Ok(SQLDriverConnect(h_->dbc, nullptr, reinterpret_cast<SQLCHAR*>(connection.data()),
                             SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT))) {
        AnsiString what = "No se puede abrir la base de datos " + FileName;
        const Driver* driver = DriverFor(NativePath(FileName));
        if (driver && !Registered(h_->env, driver->name))
            what += ": falta el controlador ODBC \"" + AnsiString(driver->name) + "\" (paquete " +
                    driver->package + ")";
        Fail(SQL_HANDLE_DBC, h_->dbc, what);
    }
    h_->connected = true;
    if (!Ok(SQLAllocHandle(SQL_HANDLE_STMT, h_->dbc, &h_->stmt)))
        Fail(SQL_HANDLE_DBC, h_->dbc, "No se puede preparar la consulta");
    std::string sql = cp1252::ToUtf8(Sql.str());
    if (!Ok(SQLExecDirect(h_->stmt, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS)))
        Fail(SQL_HANDLE_STMT, h_->stmt, "La consulta falla");
    SQLSMALLINT n = 0;
    SQLNumResultCols(h_->stmt, &n);
    for (SQLSMALLINT i = 1; i <= n; ++i) {
        SQLWCHAR name[512] = {};
        SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        if (!Ok(SQLDescribeColW(h_->stmt, i, name, 511, &length, &type, &size, &digits, &nullable)))
            Fail(SQL_HANDLE_STMT, h_->stmt, "La consulta falla");
        std::u16string text;
        for (SQLSMALLINT k = 0; k < length && k < 511; ++k)
            text += static_cast<char16_t>(name[k]);
        names_.push_back(AnsiString(WideString(text)));
        types_.push_back(type);
    }
    SQLLEN rows = -1;
    if (Ok(SQLRowCount(h_->stmt, &rows))) recordCount_ = rows;
}

OdbcQuery::~OdbcQuery() = default;

bool OdbcQuery::Next(std::vector<AnsiString>& Fields) {
    const SQLRETURN r = SQLFetch(h_->stmt);
    if (r == SQL_NO_DATA) return false;
    if (!Ok(r)) Fail(SQL_HANDLE_STMT, h_->stmt, "La consulta falla");
    Fields.assign(names_.size(), AnsiString());
    for (size_t i = 0; i < names_.size(); ++i) {
        const SQLUSMALLINT column = static_cast<SQLUSMALLINT>(i + 1);
        SQLLEN indicator = 0;
        if (IsFloating(types_[i])) {
            double d = 0;
            if (!Ok(SQLGetData(h_->stmt, column, SQL_C_DOUBLE, &d, 0, &indicator)))
                Fail(SQL_HANDLE_STMT, h_->stmt, "La consulta falla");
            if (indicator != SQL_NULL_DATA) Fields[i] = FloatToStr(d);
        } else if (IsDateTime(types_[i])) {
            SQL_TIMESTAMP_STRUCT t = {};
            if (!Ok(SQLGetData(h_->stmt, column, SQL_C_TYPE_TIMESTAMP, &t, sizeof t, &indicator)))
                Fail(SQL_HANDLE_STMT, h_->stmt, "La consulta falla");
            TDateTime date = 0;
            if (indicator != SQL_NULL_DATA &&
                (types_[i] == SQL_TYPE_TIME || types_[i] == SQL_TIME ||
                 TryEncodeDate(t.year, t.month, t.day, date)))
                Fields[i] = value_text::DateTime(date + (t.hour * 3600 + t.minute * 60 + t.second) /
                                                            86400.0);
        } else {
            // Text in pieces: a long field arrives over several calls.
            std::u16string text;
            SQLWCHAR piece[4096];
            for (;;) {
                const SQLRETURN g =
                    SQLGetData(h_->stmt, column, SQL_C_WCHAR, piece, sizeof piece, &indicator);
                if (g == SQL_NO_DATA || indicator == SQL_NULL_DATA) break;
                if (!Ok(g)) Fail(SQL_HANDLE_STMT, h_->stmt, "La consulta falla");
                const size_t room = sizeof piece / sizeof piece[0] - 1;
                const size_t got = indicator == SQL_NO_TOTAL ||
                                           static_cast<size_t>(indicator) / sizeof(SQLWCHAR) > room
                                       ? room
                                       : static_cast<size_t>(indicator) / sizeof(SQLWCHAR);
                for (size_t k = 0; k < got; ++k)
                    text += static_cast<char16_t>(piece[k]);
                if (g == SQL_SUCCESS) break;
            }
            Fields[i] = AnsiString(WideString(text));
        }
    }
    return true;
}
