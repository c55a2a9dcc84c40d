#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

namespace kvam {

struct OpenOptions {
    bool readOnly = false;
    // Create the file when it is missing (only the sample database builder).
    bool create = false;
    // A file that came from outside (a package): SQLite's defensive settings,
    // no trusted schema, no extensions.
    bool untrusted = false;
};

// Opens a named SQLite connection to file. Double-quoted strings are switched
// off, so a statement that skipped the dialect function fails loudly. A file
// that is missing (unless create) or is no SQLite database fails here, with
// *error set, and leaves no connection behind.
QSqlDatabase openSqlite(const QString &connectionName, const QString &file, const OpenOptions &options = {},
                        QString *error = nullptr);

// Closes and forgets a named connection; harmless when it does not exist.
void closeSqlite(const QString &connectionName);

// The connection's sqlite3 handle, or null.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

} // namespace kvam
