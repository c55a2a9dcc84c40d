#pragma once

#include "reports/ReportProgress.h"

#include <QString>
#include <QStringList>

// The record list: every applicant the current condition selects, one row
// each, with the names of their codes, in a new workbook.
namespace kvam {

// The 44 output columns, in sheet order.
const QStringList &recordListColumns();

// The statement over the lines of a condition file (Jet dialect, as the file
// holds them), one piece a line.
QString recordListStatement(const QStringList &conditionLines);

// Writes the workbook of the condition in conditionFile, showing progress
// after each record; savePath empty shows it to the user (under temp/),
// otherwise it is written there. A failure goes to LogError with the record
// and heading it stopped at; the rows written so far are still shown, but no
// file is written to savePath.
ReportEnd exportRecordList(const QString &conditionFile, const QString &savePath = {});

} // namespace kvam
