#pragma once

#include "reports/SummaryStatistics.h"

#include <QList>
#include <QVariantList>

namespace kvam {

class XlsxWorkbook;

// A statistic as it was last opened: its columns and rows, total row last.
struct SummaryResult {
    QList<SummaryColumn> columns;
    QList<QVariantList> rows;

    bool isEmpty() const { return columns.isEmpty(); }
};

// Opens statistic m for the unit and keeps its rows; false (after the
// "无法汇总统计" report) when it cannot be opened.
bool RunSummary(const QSqlDatabase &db, int m, ReviewFlag flag, int level, const QString &unitCode,
                SummaryResult &result);

// Fills book: the title merged and centred over rows 1 and 2, the headings
// and widths in row 3, the rows as text from row 4, the progress after each
// row. A press of Cancel asks whether to stop; stopping keeps the rows
// written. False when a cell cannot be written (the rows before it stay).
bool WriteSummaryWorkbook(XlsxWorkbook &book, const QString &title, const SummaryResult &result);

} // namespace kvam
