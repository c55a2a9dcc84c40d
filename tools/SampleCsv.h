#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kvam {

// One sample CSV file: its header and rows, fields unquoted.
struct CsvTable {
    QStringList header;
    QList<QStringList> rows;
};

CsvTable parseCsv(const QString &text);
// A file of the embedded sample data, by its file name ("T_DM_GRJBXX00_MZ.csv").
CsvTable sampleCsv(const QString &fileName);

} // namespace kvam
