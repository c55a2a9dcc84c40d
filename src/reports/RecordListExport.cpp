#include "reports/RecordListExport.h"

#include "app/Progress.h"
#include "app/untGlobal.h"
#include "reports/ReportColumns.h"
#include "reports/ReportProgress.h"
#include "reports/ReportQuery.h"
#include "reports/office/XlsxWorkbook.h"

#include <QSqlError>
#include <QSqlQuery>
#include <optional>

namespace kvam {

namespace {

const ReportColumn outputColumns[] = {
    {"z_xm"},
    {"z_shbz", "T_DM_GRJBXX00_shbz"},
    {"z_psbz", "T_DM_GRJBXX00_psbz"},
    {"z_zkbz", "T_DM_GRJBXX00_zkbz"},
    {"z_sbxl", "T_DM_GRJBXX00_ZYJSZG"},
    {"z_sbzg", "T_DM_GRJBXX00_ZYJSZG"},
    {"z_sbdj", "T_DM_GRJBXX00_SBJB"},
    {"z_sbzy", "T_DM_GRJBXX00_CSZY"},
    {"z_jsfs", "T_DM_GRJBXX00_JSFS"},
    {"z_jsjcj", "T_DM_GRJBXX00_ZCCJ"},
    {"z_wycj", "T_DM_GRJBXX00_ZCCJ"},
    {"z_xrjszg", "T_DM_GRJBXX00_ZYJSZG"},
    {"z_xrjszgsj"},
    {"z_xb", "T_DM_GRJBXX00_XB"},
    {"z_mz", "T_DM_GRJBXX00_MZ"},
    {"z_zzmm", "T_DM_GRJBXX00_ZZMM"},
    {"z_zjlx", "T_DM_GRJBXX00_ZJLX"},
    {"z_zjhm"},
    {"z_csrq"},
    {"z_first_xl", "T_DM_GRJBXX00_XL"},
    {"z_first_xw", "T_DM_GRJBXX00_XW"},
    {"z_first_bysj"},
    {"z_first_byyx"},
    {"z_first_sxzy", "T_DM_GRJBXX00_SXZY"},
    {"z_first_zshm"},
    {"z_last_xl", "T_DM_GRJBXX00_XL"},
    {"z_last_xw", "T_DM_GRJBXX00_XW"},
    {"z_last_bysj"},
    {"z_last_byyx"},
    {"z_last_sxzy", "T_DM_GRJBXX00_SXZY"},
    {"z_last_zshm"},
    {"z_gzdw", "T_DM_GRJBXX00_GZDW"},
    {"z_cjgzsj"},
    {"z_yijzgbm", "T_DM_GRJBXX00_GZDW"},
    {"z_erjzgbm", "T_DM_GRJBXX00_GZDW"},
    {"z_sanjzgbm", "T_DM_GRJBXX00_GZDW"},
    {"z_sijzgbm", "T_DM_GRJBXX00_GZDW"},
    {"z_dwxz", "T_DM_GRJBXX00_DWXZ"},
    {"z_cszy", "T_DM_GRJBXX00_CSZY"},
    {"z_dh1"},
    {"z_dh2"},
    {"z_dh3"},
    {"z_dh4"},
    {"z_bz"},
};

constexpr int columnCount = int(std::size(outputColumns));
static_assert(columnCount == 44);

const QString connectionName = QStringLiteral("kvam-record-list");
const QString sheetName = QStringLiteral("上报基本信息");
const QString progressCaption = QStringLiteral("正在导出全部剩余数据,请等待");

// The record list's records without their order, for counting them.
QString recordListSelection(const QStringList &conditionLines, const QString &orderBy = {})
{
    return reportStatement(outputColumns, QStringLiteral(" where 1=1 and "), conditionLines, orderBy);
}

// Where the export stands, for the failure text: the record and heading of
// the cell being written.
struct Position {
    QString zjhm;
    QString xm;
    QString heading;
    bool atCell = false;

    QString failureText() const
    {
        if (!atCell)
            return {};
        return QStringLiteral("证件号码为:") + zjhm + QLatin1Char('\n') + QStringLiteral("姓名为:") + xm +
               QLatin1Char('\n') + QStringLiteral("在\"") + heading + QStringLiteral("\"处存在错误。");
    }
};

// Writes the heading row and a row per record; false with *error set on a
// failure, position telling where it stopped.
bool writeRecordList(XlsxWorkbook &book, const QString &conditionFile, Position *position, bool *cancelled,
                     QString *error)
{
    const std::optional<QStringList> condition = readConditionLines(conditionFile, error);
    if (!condition)
        return false;
    ReportQuery query(connectionName);
    if (!query.open(recordListStatement(*condition), {}, recordListSelection(*condition))) {
        *error = query.error();
        return false;
    }
    const QStringList headings = columnHeadings(recordListColumns());
    for (int i = 0; i < columnCount; ++i) {
        if (!book.setValue(1, i + 1, headings.at(i))) {
            *error = book.errorString();
            return false;
        }
    }
    const QString text = QStringLiteral("@");
    const int zjhmField = int(recordListColumns().indexOf(QLatin1String("z_zjhm")));
    qint64 done = 0;
    for (int row = 2; query.nextText(); ++row) {
        position->zjhm = QString::fromUtf8(query.text(zjhmField));
        position->xm = QString::fromUtf8(query.text(0));
        position->atCell = true;
        for (int j = 0; j < columnCount; ++j) {
            position->heading = headings.at(j);
            if (!book.setNumberFormat(row, j + 1, text) || !book.setText(row, j + 1, query.text(j))) {
                *error = book.errorString();
                return false;
            }
        }
        ++done;
        if (reportStopRequested(NearestPercent(done, query.count()), progressCaption)) {
            *cancelled = true;
            return true;
        }
    }
    if (!query.error().isEmpty()) {
        *error = query.error();
        return false;
    }
    return true;
}

} // namespace

const QStringList &recordListColumns()
{
    static const QStringList columns = reportColumnNames(outputColumns);
    return columns;
}

QString recordListStatement(const QStringList &conditionLines)
{
    return recordListSelection(conditionLines, QStringLiteral(" order by z_zjhm "));
}

ReportEnd exportRecordList(const QString &conditionFile, const QString &savePath)
{
    XlsxWorkbook book(sheetName, XlsxWorkbook::Mode::ConstantMemory);
    bool cancelled = false;
    QString error;
    Position position;
    bool ok = false;
    if (book.isOpen())
        ok = writeRecordList(book, conditionFile, &position, &cancelled, &error);
    else
        error = book.errorString();
    ShowProgress(-1, QString());

    const QString failureEnd = QStringLiteral("导致生成电子表格时出错，数据未完全导出，请重新导出!");
    if (!ok) {
        LogError(position.failureText() + QLatin1Char('\n') + failureEnd, error);
        // The rows written so far are still shown; a file asked for by name
        // is not written half.
        if (book.isOpen() && savePath.isEmpty())
            book.makeVisible();
        return ReportEnd::Failed;
    }
    if (!deliverDocument(book, savePath)) {
        LogError(QLatin1Char('\n') + failureEnd, book.errorString());
        return ReportEnd::Failed;
    }
    return cancelled ? ReportEnd::Cancelled : ReportEnd::Finished;
}

} // namespace kvam
