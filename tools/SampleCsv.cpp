#include "SampleCsv.h"

#include <QFile>

namespace kvam {

CsvTable parseCsv(const QString &text)
{
    QList<QStringList> records;
    QStringList fields;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (any || !field.isEmpty()) {
                fields << field;
                records << fields;
            }
            fields.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        fields << field;
        records << fields;
    }
    CsvTable table;
    if (!records.isEmpty())
        table.header = records.takeFirst();
    table.rows = records;
    return table;
}

CsvTable sampleCsv(const QString &fileName)
{
    QFile file(QStringLiteral(":/sample/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseCsv(QString::fromUtf8(file.readAll()));
}

} // namespace kvam
