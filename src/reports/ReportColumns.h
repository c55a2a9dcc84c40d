#pragma once

#include <QString>
#include <QStringList>
#include <span>

// The output columns of the applicant reports and the statement that reads
// them from grjbxx00.
namespace kvam {

struct ReportColumn {
    const char *column;               // the output column's name (its alias)
    const char *codeTable = nullptr;  // the name of the code in this table
    const char *expression = nullptr; // or this select item; else the column
};

QStringList reportColumnNames(std::span<const ReportColumn> columns);

// "Select", the select items, "FROM grjbxx00", where, the condition lines and
// orderBy, one piece a line (Jet dialect). z_xm is trimmed; a code's name is
// NULL when the code has no row in its table.
QString reportStatement(std::span<const ReportColumn> columns, const QString &where, const QStringList &conditionLines,
                        const QString &orderBy);

// The heading of each output column: its display name under "grjbxx00"
// followed by the column name, empty when there is none.
QStringList columnHeadings(const QStringList &columns);

} // namespace kvam
