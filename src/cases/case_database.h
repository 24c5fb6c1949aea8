#pragma once

#include <QString>

namespace mivo {

// Where the cases are kept: a SQLite file (the default, in the user's data folder) or an
// office's PostgreSQL server named by a libpq connection string or service name. A password
// is never part of it: libpq reads it from the user's ~/.pgpass or service file.
struct CaseDatabase {
    enum class Kind { Sqlite, Postgres };
    Kind kind = Kind::Sqlite;
    QString target; // the file's path, or the connection string
    QString error;  // why the setting cannot be used, for the user; empty when it can

    bool ok() const { return error.isEmpty(); }

    // A --database argument: a connection string ("host=... dbname=...", "service=office")
    // when it holds '=', else a SQLite file.
    static CaseDatabase fromArgument(const QString& argument);
    // The program's settings: cases/postgresql (a connection string or a service name) when
    // set, else the SQLite file in the data folder.
    static CaseDatabase fromSettings();
    // cases.sqlite in the window program's data folder, whichever program asks.
    static QString defaultSqliteFile();
};

// Whether the program keeps what is typed (settings: cases/keep, on unless set to false).
bool keepingEnabled();
void setKeepingEnabled(bool keep);

} // namespace mivo
