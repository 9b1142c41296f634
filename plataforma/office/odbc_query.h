#pragma once
// OdbcQuery: a query on a database file through ODBC. The driver is chosen by the file's
// first bytes: a SQLite file through the driver registered as "SQLite3" (its "Database="
// key), a desktop database (.mdb) through "MDBTools" ("DBQ="); any other file is refused
// before a driver sees it. Failures raise EOfficeError with the driver's own message, and
// name the missing driver and its package when the driver manager has none of that name.

#include "plataforma/base/ansi_string.h"

#include <memory>
#include <string>
#include <vector>

class OdbcQuery {
public:
    // Connects and runs the query. EOfficeError when the file does not exist (no driver gets
    // the chance to create it) or is no database, or when the connection or the query fails.
    OdbcQuery(const AnsiString& FileName, const AnsiString& Sql);
    ~OdbcQuery();
    OdbcQuery(const OdbcQuery&) = delete;
    OdbcQuery& operator=(const OdbcQuery&) = delete;

    int FieldCount() const { return static_cast<int>(names_.size()); }
    const AnsiString& FieldName(int Index) const { return names_.at(static_cast<size_t>(Index)); }
    // As the driver reports it; -1 when it does not know.
    long long RecordCount() const { return recordCount_; }
    // The next record's fields as text (a null as ""); false after the last record.
    // Floating-point fields as the class library's float-to-text gives them, dates and times
    // in the regional patterns, everything else as the driver writes it.
    bool Next(std::vector<AnsiString>& Fields);

    // The connection string for a database file; EOfficeError when it is of neither kind.
    static std::string ConnectionString(const AnsiString& FileName);

private:
    struct Handles;
    [[noreturn]] void Fail(short HandleType, void* Handle, const AnsiString& What) const;

    std::unique_ptr<Handles> h_;
    std::vector<AnsiString> names_;
    std::vector<short> types_;
    long long recordCount_ = -1;
};
