#include "reports/Notices.h"

#include "app/Progress.h"
#include "app/untGlobal.h"
#include "reports/ReportQuery.h"
#include "reports/office/DocxDocument.h"

#include <QSqlError>

namespace kvam {

namespace {

using Align = DocxDocument::Alignment;

const QString connectionName = QStringLiteral("kvam-notice");
const QString progressCaption = QStringLiteral("正在生成任职资格通知,请等待");

const char *const unitColumns[] = {"z_yijzgbm", "z_erjzgbm", "z_sanjzgbm", "z_sijzgbm"};

bool hasUnitColumn(int unitLevel) { return unitLevel >= 0 && unitLevel < int(std::size(unitColumns)); }

// Appends one level's lines to names; false with *error set on a failure.
bool gatherLevel(ReportQuery &query, const QString &statement, const QList<std::pair<QString, QString>> &parameters,
                 const QString &levelName, NoticeNames &names, QString *error)
{
    if (statement.isEmpty()) {
        *error = QStringLiteral("a unit of this level has no unit column to select by");
        return false;
    }
    if (!query.open(statement, parameters)) {
        *error = query.error();
        return false;
    }
    QSqlQuery &rows = query.rows();
    names.levelList += levelName + u'(' + QString::number(query.count()) + QStringLiteral("名):\r");
    for (qint64 row = 1; rows.next(); ++row) {
        const QString name = rows.value(0).toString();
        if (row == 1)
            names.first = name;
        ++names.count;
        names.levelList += name + (row == query.count() ? QStringLiteral("。") : QStringLiteral("、"));
    }
    names.levelList += u'\r';
    if (rows.lastError().isValid()) {
        *error = rows.lastError().text();
        return false;
    }
    return true;
}

void typeAligned(DocxDocument &doc, const QString &text, Align alignment)
{
    doc.typeText(text + u'\r');
    doc.setParagraphAlignment(doc.paragraphCount() - 1, alignment);
}

// Fixed texts black and values red, alternately, starting with the colour
// given.
void typePieces(DocxDocument &doc, const QStringList &pieces, bool firstRed)
{
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        doc.setColour((i % 2 == 0) == firstRed ? DocxDocument::Red : DocxDocument::Black);
        doc.typeText(pieces.at(i));
    }
    doc.typeParagraph();
}

void setCharacterFormat(DocxDocument &doc, double points)
{
    doc.setFontName(QStringLiteral("宋体"));
    doc.setFontSize(points);
    doc.setBold(true);
}

void typeNotice(DocxDocument &doc, const QString &unit, const QString &series, const NoticeNames &names)
{
    const QString n = QString::number(names.count);
    setCharacterFormat(doc, 100);
    doc.setScaling(33);
    typeAligned(doc, QStringLiteral("[#1文件标头]"), Align::Centre);

    setCharacterFormat(doc, 24);
    doc.setUnderline(1);
    doc.setScaling(100);
    typeAligned(doc, QStringLiteral("[#2发文文号]"), Align::Centre);

    setCharacterFormat(doc, 24);
    doc.setUnderline(0);
    typePieces(doc,
               {QStringLiteral("关于"), names.first, QStringLiteral("等"), n, QStringLiteral("名同志"), series,
                QStringLiteral("专业技术职务任职资格的通知")},
               false);
    doc.setParagraphAlignment(doc.paragraphCount() - 1, Align::Centre);

    setCharacterFormat(doc, 18);
    doc.setColour(DocxDocument::Red);
    typeAligned(doc, unit + u':', Align::Left);

    setCharacterFormat(doc, 18);
    typePieces(doc,
               {names.first, QStringLiteral("等"), n, QStringLiteral("名同志参加XXXX年XX月XX日进行的Norvale省"), series,
                QStringLiteral("评审委员会通过评审，取得"), series,
                QStringLiteral("专业技术职务任职资格，具体名单如下：")},
               true);

    setCharacterFormat(doc, 18);
    doc.setColour(DocxDocument::Black);
    doc.typeText(names.levelList);

    setCharacterFormat(doc, 18);
    doc.setColour(DocxDocument::Black);
    typeAligned(doc, QStringLiteral("[#3发文单位]"), Align::Right);
    setCharacterFormat(doc, 18);
    doc.setColour(DocxDocument::Black);
    typeAligned(doc, QStringLiteral("[#4发文日期]"), Align::Right);
}

void setUpPage(DocxDocument &doc)
{
    doc.setProofingWhileTyping(false);
    doc.setPaperSize(2);
    doc.setOrientation(DocxDocument::Orientation::Portrait);
    doc.setLeftMargin(DocxDocument::centimetresToPoints(2));
    doc.setRightMargin(DocxDocument::centimetresToPoints(2));
    doc.setTopMargin(DocxDocument::centimetresToPoints(3));
    doc.setBottomMargin(DocxDocument::centimetresToPoints(3));
}

} // namespace

QString noticeNameStatement(int unitLevel)
{
    QStringList lines{QStringLiteral("select z_xm from grjbxx00 "),
                      QStringLiteral(" where z_shbz=1 and z_psbz=1 and z_zkbz=1 ")};
    if (hasUnitColumn(unitLevel))
        lines << QStringLiteral(" and %1 = :p_dwbm").arg(QString::fromLatin1(unitColumns[unitLevel]));
    lines << QStringLiteral(" and z_sbxl = :p_psxl") << QStringLiteral(" and z_sbdj = :p_sbdj")
          << QStringLiteral(" order by z_xm");
    return lines.join(QStringLiteral("\r\n"));
}

NoticeNames gatherNoticeNames(const NoticeItem &unit, const NoticeItem &series, const QList<NoticeItem> &levels,
                              int unitLevel)
{
    // Without a unit column the query would name the applicants of every
    // unit: each level fails instead.
    const QString statement = hasUnitColumn(unitLevel) ? noticeNameStatement(unitLevel) : QString();
    NoticeNames names;
    ReportQuery query(connectionName);
    for (const NoticeItem &level : levels) {
        NoticeNames gathered = names;
        QString error;
        if (gatherLevel(query, statement,
                        {{QStringLiteral(":p_dwbm"), unit.code},
                         {QStringLiteral(":p_psxl"), series.code},
                         {QStringLiteral(":p_sbdj"), level.code}},
                        level.name, gathered, &error))
            names = gathered;
        else
            LogError(QStringLiteral("进行数据组合时错误"), error);
    }
    return names;
}

ReportEnd buildNotices(const NoticeSelection &selection, const QString &savePath)
{
    DocxDocument doc;
    setUpPage(doc);
    const qint64 total = qint64(selection.units.size()) * selection.series.size();
    qint64 step = 0;
    bool cancelled = false;
    bool ok = true;
    for (const NoticeItem &unit : selection.units) {
        for (const NoticeItem &series : selection.series) {
            ++step;
            const NoticeNames names = gatherNoticeNames(unit, series, selection.levels, selection.unitLevel);
            typeNotice(doc, unit.name, series.name, names);
            ok = doc.insertPageBreak();
            if (!ok || reportStopRequested(NearestPercent(step, total), progressCaption)) {
                cancelled = ok;
                break;
            }
        }
        if (!ok || cancelled)
            break;
    }
    ShowProgress(-1, QString());
    if (!ok || !deliverDocument(doc, savePath)) {
        LogError(QStringLiteral("无法生成任职资格通知"), doc.errorString());
        return ReportEnd::Failed;
    }
    return cancelled ? ReportEnd::Cancelled : ReportEnd::Finished;
}

} // namespace kvam
