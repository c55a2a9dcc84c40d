#include "exchange/SqliteStatement.h"

#include <QByteArray>

#include <sqlite3.h>

namespace kvam {

SqliteStatement::SqliteStatement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_stmt); }

QString SqliteStatement::error() const { return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString(); }

int SqliteStatement::step() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_MISUSE; }

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void SqliteStatement::bindValue(int parameter, sqlite3_value *value) { sqlite3_bind_value(m_stmt, parameter, value); }

void SqliteStatement::bindText(int parameter, const QByteArray &utf8)
{
    sqlite3_bind_text(m_stmt, parameter, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

int SqliteStatement::columnCount() const { return sqlite3_column_count(m_stmt); }

QString SqliteStatement::columnName(int column) const { return QString::fromUtf8(sqlite3_column_name(m_stmt, column)); }

sqlite3_value *SqliteStatement::value(int column) const { return sqlite3_column_value(m_stmt, column); }

bool SqliteStatement::isNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }

QByteArray SqliteStatement::text(int column) const
{
    // Read from a copy: converting the column itself could change the type
    // that a later bindValue() of it copies.
    sqlite3_value *copy = sqlite3_value_dup(sqlite3_column_value(m_stmt, column));
    const auto *data = reinterpret_cast<const char *>(sqlite3_value_text(copy));
    const QByteArray result = data ? QByteArray(data, sqlite3_value_bytes(copy)) : QByteArray("");
    sqlite3_value_free(copy);
    return result;
}

qint64 SqliteStatement::integer(int column) const { return sqlite3_column_int64(m_stmt, column); }

} // namespace kvam
