#include "reports/Roster.h"

#include "app/Progress.h"
#include "app/untGlobal.h"
#include "reports/ReportColumns.h"
#include "reports/ReportProgress.h"
#include "reports/ReportQuery.h"
#include "reports/office/DocxDocument.h"

#include <QSqlError>
#include <optional>

namespace kvam {

namespace {

using Align = DocxDocument::Alignment;

const ReportColumn outputColumns[] = {
    {"z_xm"},
    {"z_csrq"},
    {"z_first_xl", "T_DM_GRJBXX00_XL"},
    {"z_first_bysj"},
    {"z_first_sxzy", "T_DM_GRJBXX00_SXZY"},
    {"z_last_xl", "T_DM_GRJBXX00_XL"},
    {"z_last_bysj"},
    {"z_last_sxzy", "T_DM_GRJBXX00_SXZY"},
    // The top-level unit's name, then the unit's own: NULL, and so an empty
    // cell, when either is missing.
    {"z_gzdw", nullptr,
     "((SELECT z_mc FROM T_DM_GRJBXX00_GZDW WHERE z_bm = z_yijzgbm) || "
     "(SELECT z_mc FROM T_DM_GRJBXX00_GZDW WHERE z_bm = z_gzdw))"},
    {"z_cjgzsj"},
    {"z_cszy", "T_DM_GRJBXX00_CSZY"},
    {"z_sbxl", "T_DM_GRJBXX00_ZYJSZG"},
    {"z_sbzg", "T_DM_GRJBXX00_ZYJSZG"},
    {"z_sbdj", "T_DM_GRJBXX00_SBJB"},
    {"z_sbzy", "T_DM_GRJBXX00_CSZY"},
    {"z_jsfs", "T_DM_GRJBXX00_JSFS"},
    {"z_jsjcj", "T_DM_GRJBXX00_ZCCJ"},
    {"z_wycj", "T_DM_GRJBXX00_ZCCJ"},
    {"z_xrjszg", "T_DM_GRJBXX00_ZYJSZG"},
    {"z_xrjszgsj"},
};

constexpr int columnCount = int(std::size(outputColumns));
static_assert(columnCount == 20);

const QString connectionName = QStringLiteral("kvam-roster");
const QString font = QStringLiteral("宋体");
const QString progressCaption = QStringLiteral("正在生成人员情况表,请等待");

QString spaces(int n) { return QString(n, u' '); }

void setCharacterFormat(DocxDocument &doc, double points, bool bold)
{
    doc.setFontName(font);
    doc.setFontSize(points);
    doc.setBold(bold);
}

struct LayoutCell {
    Align alignment;
    int underline; // -1: not set
    QString text;
};

bool fillLayoutRow(DocxDocument &doc, int table, const LayoutCell (&cells)[3])
{
    bool ok = true;
    for (int c = 0; c < 3; ++c) {
        ok = ok && doc.setCellAlignment(table, 1, c + 1, cells[c].alignment);
        if (cells[c].underline >= 0)
            ok = ok && doc.setCellUnderline(table, 1, c + 1, cells[c].underline);
        ok = ok && doc.setCellText(table, 1, c + 1, cells[c].text);
    }
    return ok;
}

void setUpPage(DocxDocument &doc)
{
    doc.setProofingWhileTyping(false);
    doc.setPageWidth(DocxDocument::centimetresToPoints(29.7f));
    doc.setPageHeight(DocxDocument::centimetresToPoints(42));
    doc.setOrientation(DocxDocument::Orientation::Landscape);
    doc.setLeftMargin(DocxDocument::centimetresToPoints(2));
    doc.setRightMargin(DocxDocument::centimetresToPoints(2));
    doc.setTopMargin(DocxDocument::centimetresToPoints(3));
    doc.setBottomMargin(DocxDocument::centimetresToPoints(3));

    doc.setView(DocxDocument::View::Footer);
    doc.setParagraphAlignment(1, Align::Centre);
    doc.typeText(QStringLiteral("第"));
    doc.insertField(DocxDocument::Field::PageNumber);
    doc.typeText(QStringLiteral("页/共"));
    doc.insertField(DocxDocument::Field::TotalPages);
    doc.typeText(QStringLiteral("页"));
    doc.setView(DocxDocument::View::MainText);
}

// Title, header row and the list's heading row; the number of the list table,
// or 0 on failure.
int writeHead(DocxDocument &doc, qint64 count)
{
    setCharacterFormat(doc, 14, true);
    doc.typeText(QStringLiteral("申报评审[高级][副高级][中级][初级]专业职务任职资格人员登记情况表\r"));
    bool ok = doc.setParagraphAlignment(1, Align::Centre);

    setCharacterFormat(doc, 12, false);
    const int header = doc.addTable(1, 3);
    ok = ok && header != 0 &&
         fillLayoutRow(doc, header,
                       {{Align::Left, 1, QStringLiteral("设区市、厅(局):") + spaces(21)},
                        {Align::Left, 1, QStringLiteral("送交") + spaces(23) + QStringLiteral("评委会")},
                        {Align::Centre, 0, QStringLiteral("共%1人").arg(count)}});

    doc.typeParagraph();
    setCharacterFormat(doc, 8, false);
    const int list = ok ? doc.addTable(int(count) + 1, columnCount + 1) : 0;
    ok = list != 0 && doc.setTableBorders(list, DocxDocument::Border::Single, DocxDocument::Border::Single) &&
         doc.setTableAlignment(list, Align::Centre) && doc.setCellText(list, 1, 1, QStringLiteral("序号"));
    const QStringList headings = columnHeadings(rosterColumns());
    for (int i = 0; ok && i < columnCount; ++i) {
        ok = doc.setCellVerticalAlignment(list, 1, i + 2, DocxDocument::VerticalAlignment::Centre) &&
             doc.setCellText(list, 1, i + 2, headings.at(i));
    }
    return ok ? list : 0;
}

bool writeSignatureRow(DocxDocument &doc)
{
    doc.typeParagraph();
    setCharacterFormat(doc, 12, false);
    const int signature = doc.addTable(1, 3);
    return signature != 0 &&
           fillLayoutRow(doc, signature,
                         {{Align::Left, 1, QStringLiteral("设区市、厅(局)职改办签字(盖章):") + spaces(21)},
                          {Align::Left, 1, QStringLiteral("省职改办意见") + spaces(23)},
                          {Align::Centre, 1, QStringLiteral("填表时间") + spaces(17)}});
}

// The rows of the list; false with *error set on a failure.
bool writeRows(DocxDocument &doc, int list, ReportQuery &query, bool *cancelled, QString *error)
{
    QSqlQuery &rows = query.rows();
    for (int k = 1; rows.next(); ++k) {
        // More rows than counted would not fit the table.
        bool ok = k <= query.count() && doc.setCellText(list, k + 1, 1, QString::number(k));
        for (int i = 0; ok && i < columnCount; ++i) {
            ok = doc.setCellVerticalAlignment(list, k + 1, i + 2, DocxDocument::VerticalAlignment::Centre) &&
                 doc.setCellText(list, k + 1, i + 2, rows.value(i).toString());
        }
        if (!ok) {
            *error = doc.errorString();
            return false;
        }
        if (reportStopRequested(NearestPercent(k, query.count()), progressCaption)) {
            *cancelled = true;
            return true;
        }
    }
    if (rows.lastError().isValid()) {
        *error = rows.lastError().text();
        return false;
    }
    return true;
}

} // namespace

const QStringList &rosterColumns()
{
    static const QStringList columns = reportColumnNames(outputColumns);
    return columns;
}

namespace {

// The roster's records without their order, for counting them.
QString rosterSelection(const QStringList &conditionLines, const QString &orderBy = {})
{
    return reportStatement(outputColumns, QStringLiteral(" where 1=1 and z_shbz=1 and "), conditionLines, orderBy);
}

} // namespace

QString rosterStatement(const QStringList &conditionLines)
{
    // Qualified, since a bare name in ORDER BY would mean the output column of
    // that name, which holds the code's name rather than the code.
    return rosterSelection(conditionLines, QStringLiteral(" order by grjbxx00.z_sbxl,grjbxx00.z_sbzg,grjbxx00.z_sbdj,"
                                                          "grjbxx00.z_sbzy,grjbxx00.z_gzdw "));
}

ReportEnd buildRoster(const QString &conditionFile, const QString &savePath)
{
    QString error;
    const std::optional<QStringList> condition = readConditionLines(conditionFile, &error);
    ReportQuery query(connectionName);
    if (!condition || !query.open(rosterStatement(*condition), {}, rosterSelection(*condition))) {
        LogError(QStringLiteral("无法获得数据"), condition ? query.error() : error);
        return ReportEnd::Failed;
    }

    DocxDocument doc;
    setUpPage(doc);
    const int list = writeHead(doc, query.count());
    bool cancelled = false;
    bool ok = list != 0 && writeRows(doc, list, query, &cancelled, &error);
    ShowProgress(-1, QString());
    if (list == 0)
        error = doc.errorString();
    if (ok && !writeSignatureRow(doc)) {
        ok = false;
        error = doc.errorString();
    }
    if (ok && !deliverDocument(doc, savePath)) {
        ok = false;
        error = doc.errorString();
    }
    if (!ok) {
        LogError(QStringLiteral("无法生成人员情况登记表，请重启计算机后重试!"), error);
        return ReportEnd::Failed;
    }
    return cancelled ? ReportEnd::Cancelled : ReportEnd::Finished;
}

} // namespace kvam
