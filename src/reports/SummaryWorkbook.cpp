#include "reports/SummaryWorkbook.h"

#include "app/Progress.h"
#include "platform/Ui.h"
#include "reports/office/XlsxWorkbook.h"

#include <QSqlRecord>

namespace kvam {

bool RunSummary(const QSqlDatabase &db, int m, ReviewFlag flag, int level, const QString &unitCode,
                SummaryResult &result)
{
    result = {};
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!OpenSummary(query, m, flag, level, unitCode))
        return false;
    const int columns = query.record().count();
    while (query.next()) {
        QVariantList row;
        for (int c = 0; c < columns; ++c)
            row << query.value(c);
        result.rows << row;
    }
    result.columns = SummaryColumns(m, flag);
    return true;
}

bool WriteSummaryWorkbook(XlsxWorkbook &book, const QString &title, const SummaryResult &result)
{
    const int columns = static_cast<int>(result.columns.size());
    if (columns == 0 || !book.mergeAndCentre(1, 1, 2, columns) || !book.setValue(1, 1, title))
        return false;
    for (int j = 1; j <= columns; ++j) {
        const SummaryColumn &column = result.columns.at(j - 1);
        if (!book.setColumnWidth(j, column.width) || !book.setValue(3, j, column.label))
            return false;
    }
    const qint64 total = result.rows.size();
    int row = 4;
    qint64 done = 0;
    for (const QVariantList &values : result.rows) {
        for (int j = 1; j <= columns; ++j) {
            if (!book.setNumberFormat(row, j, QStringLiteral("@")) || !book.setValue(row, j, values.value(j - 1)))
                return false;
        }
        ++row;
        ++done;
        if (ShowProgress(NearestPercent(done, total), QStringLiteral("正在导出全部剩余数据,请等待"))
            && ui().message(QStringLiteral("数据尚未完全导出，确认中止吗?"), QStringLiteral("提示"), MsgIcon::Question,
                            MsgButtons::OkCancel)
                   == MsgAnswer::Ok)
            break;
    }
    return true;
}

} // namespace kvam
