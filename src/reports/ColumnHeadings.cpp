#include "reports/ColumnHeadings.h"

#include "data/Hashes.h"

namespace kvam {

QStringList columnHeadings(const QStringList &columns)
{
    QStringList headings;
    headings.reserve(columns.size());
    for (const QString &column : columns)
        headings << DisplayNames.Get(QStringLiteral("grjbxx00") + column);
    return headings;
}

QString codeNameItem(const QString &column, const QString &table)
{
    return QStringLiteral("(SELECT z_mc FROM %1 WHERE z_bm = %2) as %2").arg(table, column);
}

} // namespace kvam
