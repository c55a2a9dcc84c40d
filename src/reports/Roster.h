#pragma once

#include "reports/ReportProgress.h"

#include <QString>
#include <QStringList>

// The applicant roster an office sends on with its applicants: everyone the
// current condition selects who passed the qualification review, in a table
// of an A3 landscape document between a header row and a signature row.
namespace kvam {

// The 20 output columns, in table order.
const QStringList &rosterColumns();

// The statement over the lines of a condition file (Jet dialect), one piece a
// line. The rows come in the order of the stored codes of series,
// qualification, level, speciality and work unit.
QString rosterStatement(const QStringList &conditionLines);

// Builds the roster of the condition in conditionFile with progress after
// each row; savePath empty shows it to the user (under temp/), otherwise it is
// written there. Failures go to LogError: "无法获得数据" when the rows cannot be
// read (no document), "无法生成人员情况登记表，请重启计算机后重试!" later. Stopping
// at the cancel question keeps the rows written and still finishes the
// document.
ReportEnd buildRoster(const QString &conditionFile, const QString &savePath = {});

} // namespace kvam
