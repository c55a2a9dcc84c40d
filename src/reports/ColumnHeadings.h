#pragma once

#include <QString>
#include <QStringList>

namespace kvam {

// The heading of each output column of an applicant report: its display name
// under "grjbxx00" followed by the column name, empty when there is none.
QStringList columnHeadings(const QStringList &columns);

// "(SELECT z_mc FROM table WHERE z_bm = column) as column": the name of a
// code, NULL when the code has no row in its table.
QString codeNameItem(const QString &column, const QString &table);

} // namespace kvam
