#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <optional>

namespace kvam {

// The rows of a report, read on a connection of its own to the database
// file of ConnectionString. The rows are counted on the same snapshot as they
// are read, so a progress reckoned from the count ends at 100. The connection
// closes with the object.
class ReportQuery {
public:
    explicit ReportQuery(const QString &connectionName);
    ~ReportQuery();
    ReportQuery(const ReportQuery &) = delete;
    ReportQuery &operator=(const ReportQuery &) = delete;

    // Runs statement (Jet dialect). False with error() set when the database
    // or the statement fails.
    bool open(const QString &statement);
    // Prepares statement (Jet dialect) and runs it with the text parameters
    // bound by name (":p_x").
    bool open(const QString &statement, const QList<std::pair<QString, QString>> &parameters);

    qint64 count() const { return m_count; }
    QSqlQuery &rows() { return m_rows; }
    QString error() const { return m_error; }

private:
    bool fail(const QString &error);

    QString m_connectionName;
    QSqlDatabase m_db;
    QSqlQuery m_rows;
    qint64 m_count = 0;
    QString m_error;
};

// The lines of a condition file, or nullopt with *error set.
std::optional<QStringList> readConditionLines(const QString &file, QString *error);

} // namespace kvam
