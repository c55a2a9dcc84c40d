#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <optional>

struct sqlite3_stmt;

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

    // Prepares statement (Jet dialect) and runs it with the text parameters
    // bound by name (":p_x"). The rows are counted with countStatement, the
    // same records without their ordering, which SQLite counts without
    // computing the columns; empty: with statement itself. False with error()
    // set when the database or the statement fails.
    bool open(const QString &statement, const QList<std::pair<QString, QString>> &parameters = {},
              const QString &countStatement = {});

    qint64 count() const { return m_count; }
    QSqlQuery &rows() { return m_rows; }

    // The same rows as SQLite's own UTF-8 text, for long lists that go
    // straight into a file: call instead of rows().next(); text() is null
    // for NULL and valid until the next call. False at the end or on a
    // failure (error() set).
    bool nextText();
    const char *text(int column) const;
    QString error() const { return m_error; }

private:
    bool fail(const QString &error);

    QString m_connectionName;
    QSqlDatabase m_db;
    QSqlQuery m_rows;
    QString m_sql;
    sqlite3_stmt *m_text = nullptr;
    qint64 m_count = 0;
    QString m_error;
};

// The lines of a condition file, or nullopt with *error set.
std::optional<QStringList> readConditionLines(const QString &file, QString *error);

} // namespace kvam
