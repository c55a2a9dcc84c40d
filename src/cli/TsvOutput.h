#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace kvam::cli {

// One field of a TSV line: NULL as an empty field, a tab or line break
// inside the value as \t, \n (\r).
QString tsvField(const QVariant &value);
QString tsvLine(const QStringList &fields);

// Writes the header line and every remaining row of an active query to
// standard output.
void printTsv(const QStringList &header, QSqlQuery &rows);

} // namespace kvam::cli
