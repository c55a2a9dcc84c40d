#include "cli/TsvOutput.h"

#include "cli/CliCommand.h"

#include <QSqlRecord>

namespace kvam::cli {

QString tsvField(const QVariant &value)
{
    if (value.isNull())
        return {};
    QString text = value.toString();
    text.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return text;
}

QString tsvLine(const QStringList &fields)
{
    QStringList escaped;
    for (const QString &f : fields)
        escaped << tsvField(f);
    return escaped.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

void printTsv(const QStringList &header, QSqlQuery &rows)
{
    QString text = tsvLine(header);
    const int columns = rows.record().count();
    while (rows.next()) {
        for (int i = 0; i < columns; ++i) {
            if (i)
                text += QLatin1Char('\t');
            text += tsvField(rows.value(i));
        }
        text += QLatin1Char('\n');
        // Rows stream out: a large result is never held whole.
        if (text.size() > 1 << 16) {
            out(text);
            text.clear();
        }
    }
    out(text);
}

} // namespace kvam::cli
