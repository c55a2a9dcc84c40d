#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

namespace kvam {

// One prepared statement on a connection's native handle, for the loops that
// copy rows between two databases value by value (a value keeps its storage
// class: an integer stays an integer, a blob a blob, NULL stays NULL).
// The statement is finalized when the object goes.
class SqliteStatement {
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3 *db, const QString &sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    // The connection's last error message.
    QString error() const;

    // SQLite's result code of the next step: SQLITE_ROW, SQLITE_DONE or an error.
    int step();
    // Ready for the next run with new bindings.
    void reset();

    // Parameters count from 1.
    void bindValue(int parameter, sqlite3_value *value);
    void bindText(int parameter, const QByteArray &utf8);

    int columnCount() const;
    QString columnName(int column) const;
    sqlite3_value *value(int column) const;
    bool isNull(int column) const;
    // The column as UTF-8 text ("" for NULL).
    QByteArray text(int column) const;
    qint64 integer(int column) const;

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace kvam
