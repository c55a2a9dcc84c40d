#include "reports/ReportColumns.h"

#include "data/Hashes.h"

namespace kvam {

namespace {

QString selectItem(const ReportColumn &c)
{
    const QString column = QString::fromLatin1(c.column);
    if (c.expression)
        return QString::fromLatin1(c.expression) + QStringLiteral(" as ") + column;
    if (c.codeTable)
        return QStringLiteral("(SELECT z_mc FROM %1 WHERE z_bm = %2) as %2")
            .arg(QString::fromLatin1(c.codeTable), column);
    if (column == QLatin1String("z_xm"))
        return QStringLiteral("trim(z_xm) as z_xm");
    return column;
}

} // namespace

QStringList reportColumnNames(std::span<const ReportColumn> columns)
{
    QStringList names;
    for (const ReportColumn &c : columns)
        names << QString::fromLatin1(c.column);
    return names;
}

QString reportStatement(std::span<const ReportColumn> columns, const QString &where, const QStringList &conditionLines,
                        const QString &orderBy)
{
    QStringList items;
    for (const ReportColumn &c : columns)
        items << selectItem(c);
    QStringList lines{QStringLiteral("Select"), items.join(QLatin1Char(',')), QStringLiteral("FROM grjbxx00"), where};
    lines << conditionLines << orderBy;
    return lines.join(QStringLiteral("\r\n"));
}

QStringList columnHeadings(const QStringList &columns)
{
    QStringList headings;
    headings.reserve(columns.size());
    for (const QString &column : columns)
        headings << DisplayNames.Get(QStringLiteral("grjbxx00") + column);
    return headings;
}

} // namespace kvam
