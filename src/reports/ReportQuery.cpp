#include "reports/ReportQuery.h"

#include "app/untGlobal.h"
#include "data/Database.h"
#include "platform/GbkText.h"
#include "platform/SqlDialect.h"

#include <QSqlError>

namespace kvam {

ReportQuery::ReportQuery(const QString &connectionName) : m_connectionName(connectionName) {}

ReportQuery::~ReportQuery()
{
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

bool ReportQuery::open(const QString &statement) { return open(statement, {}); }

bool ReportQuery::open(const QString &statement, const QList<std::pair<QString, QString>> &parameters)
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
    QSqlQuery counting(m_db);
    QSqlQuery rows(m_db);
    rows.setForwardOnly(true);
    if (!counting.prepare(QStringLiteral("select count(*) from (") + sql + QStringLiteral(")")))
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
