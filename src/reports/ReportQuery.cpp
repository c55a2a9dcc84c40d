#include "reports/ReportQuery.h"

#include "app/untGlobal.h"
#include "data/Database.h"
#include "platform/GbkText.h"
#include "platform/SqlDialect.h"

#include <QSqlError>
#include <sqlite3.h>

namespace kvam {

ReportQuery::ReportQuery(const QString &connectionName) : m_connectionName(connectionName) {}

ReportQuery::~ReportQuery()
{
    sqlite3_finalize(m_text);
    m_rows = QSqlQuery();
    if (m_db.isOpen())
        m_db.rollback();
    m_db = QSqlDatabase();
    closeSqlite(m_connectionName);
}

bool ReportQuery::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool ReportQuery::open(const QString &statement, const QList<std::pair<QString, QString>> &parameters,
                       const QString &countStatement)
{
    if (!m_db.isOpen()) {
        OpenOptions readOnly;
        readOnly.readOnly = true;
        m_db = openSqlite(m_connectionName, DataSourceOf(ConnectionString), readOnly, &m_error);
        if (!m_db.isOpen())
            return false;
    } else {
        m_rows = QSqlQuery();
        m_db.rollback();
    }
    if (!m_db.transaction())
        return fail(m_db.lastError().text());
    const QString sql = jetToSqlite(statement);
    m_sql = sql;
    QSqlQuery counting(m_db);
    QSqlQuery rows(m_db);
    rows.setForwardOnly(true);
    const QString counted = countStatement.isEmpty() ? sql : jetToSqlite(countStatement);
    if (!counting.prepare(QStringLiteral("select count(*) from (") + counted + QStringLiteral(")")))
        return fail(counting.lastError().text());
    if (!rows.prepare(sql))
        return fail(rows.lastError().text());
    for (const auto &[name, value] : parameters) {
        counting.bindValue(name, value);
        rows.bindValue(name, value);
    }
    if (!counting.exec() || !counting.next())
        return fail(counting.lastError().text());
    m_count = counting.value(0).toLongLong();
    if (!rows.exec())
        return fail(rows.lastError().text());
    m_rows = std::move(rows);
    return true;
}

bool ReportQuery::nextText()
{
    if (!m_text) {
        // The parameters stay those of rows(): only statements without any
        // are read this way.
        sqlite3 *handle = sqliteHandle(m_db);
        const QByteArray sql = m_sql.toUtf8();
        if (!handle || sqlite3_prepare_v2(handle, sql.constData(), int(sql.size()), &m_text, nullptr) != SQLITE_OK)
            return fail(handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QStringLiteral("no connection"));
    }
    const int rc = sqlite3_step(m_text);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_text))));
    return false;
}

const char *ReportQuery::text(int column) const
{
    return reinterpret_cast<const char *>(sqlite3_column_text(m_text, column));
}

std::optional<QStringList> readConditionLines(const QString &file, QString *error)
{
    bool read = false;
    QStringList lines = readGbkLines(file, &read);
    if (!read) {
        *error = QStringLiteral("cannot read %1").arg(file);
        return std::nullopt;
    }
    return lines;
}

} // namespace kvam
