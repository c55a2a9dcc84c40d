#include "ReportFixture.h"
#include "app/untGlobal.h"
#include "reports/Roster.h"
#include "reports/gui/ReportActions.h"
#include "support/OfficeReading.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace kvam;
using namespace kvam::test;

namespace {

const QString title = QStringLiteral("申报评审[高级][副高级][中级][初级]专业职务任职资格人员登记情况表");

XmlElement body(const QString &file) { return parseXml(zipEntry(file, "word/document.xml")).child("w:body"); }

QString cellText(const XmlElement &tc)
{
    QStringList paragraphs;
    for (const XmlElement &p : tc.childrenNamed("w:p"))
        paragraphs << p.allText();
    return paragraphs.join(u'\n');
}

// The texts of a table, row by row.
QList<QStringList> tableTexts(const XmlElement &tbl)
{
    QList<QStringList> rows;
    for (const XmlElement &tr : tbl.childrenNamed("w:tr")) {
        QStringList cells;
        for (const XmlElement &tc : tr.childrenNamed("w:tc"))
            cells << cellText(tc);
        rows << cells;
    }
    return rows;
}

XmlElement cell(const XmlElement &tbl, int row, int column)
{
    return tbl.childrenNamed("w:tr").value(row - 1).childrenNamed("w:tc").value(column - 1);
}

QString alignmentOf(const XmlElement &p) { return p.child("w:pPr").child("w:jc").attribute("w:val"); }
QString verticalOf(const XmlElement &tc) { return tc.child("w:tcPr").child("w:vAlign").attribute("w:val"); }
// The underline of a cell's text runs ("" when none is written).
QString underlineOf(const XmlElement &tc)
{
    return tc.all("w:r").value(0).child("w:rPr").child("w:u").attribute("w:val");
}

} // namespace

class TestRoster : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statementPieces();
    void noPassingRecordLeavesHeadingRow();
    void passedRecordsInCodeOrder();
    void pageFooterAndLayoutRows();
    void listCells();
    void cancelKeepsRowsAndSignature();
    void unreadableRowsGiveNoDocument();
    void actionAsksFirst_data();
    void actionAsksFirst();
    void pythonDocxReadsIt();

private:
    QTemporaryDir m_out;
};

void TestRoster::statementPieces()
{
    const QStringList lines = rosterStatement({"(1=1)"}).split("\r\n");
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QStringLiteral("Select"));
    QCOMPARE(rosterColumns().size(), 20);
    QVERIFY(lines[1].contains(QStringLiteral("((SELECT z_mc FROM T_DM_GRJBXX00_GZDW WHERE z_bm = z_yijzgbm) || "
                                             "(SELECT z_mc FROM T_DM_GRJBXX00_GZDW WHERE z_bm = z_gzdw)) as z_gzdw,")));
    QCOMPARE(lines.mid(2, 3), (QStringList{"FROM grjbxx00", " where 1=1 and z_shbz=1 and ", "(1=1)"}));
    QVERIFY(lines[5].startsWith(" order by "));
}

void TestRoster::noPassingRecordLeavesHeadingRow()
{
    TestAppDir dir;
    TestUi ui;
    TestProgress progress;
    QVERIFY(addApplicant(dir, "1", "甲", {{"z_shbz", 0}}));
    dir.writeCondition({"(1=1)"});
    const QString file = m_out.filePath("empty.docx");
    QCOMPARE(buildRoster(QueryConFile, file), ReportEnd::Finished);
    QVERIFY(ui.messages().isEmpty());
    const QList<XmlElement> tables = body(file).childrenNamed("w:tbl");
    QCOMPARE(tables.size(), 3);
    QCOMPARE(tableTexts(tables[0]).value(0).value(2), QStringLiteral("共0人"));
    QCOMPARE(tableTexts(tables[1]).size(), 1);
    QCOMPARE(tableTexts(tables[1])[0].size(), 21);
    QCOMPARE(tableTexts(tables[1])[0][0], QStringLiteral("序号"));
    QVERIFY(progress.shown().isEmpty());
}

void TestRoster::passedRecordsInCodeOrder()
{
    TestAppDir dir;
    TestUi ui;
    TestProgress progress;
    // By name the series would sort 卫生 (02) before 工程 (01) and 高等学校 (03).
    QVERIFY(addApplicant(dir, "1", "丙", {{"z_sbxl", "03"}}));
    QVERIFY(addApplicant(dir, "2", "甲", {{"z_sbxl", "01"}, {"z_sbdj", 3}}));
    QVERIFY(addApplicant(dir, "3", "乙", {{"z_sbxl", "02"}}));
    QVERIFY(addApplicant(dir, "4", "丁", {{"z_sbxl", "01"}, {"z_sbdj", 1}}));
    QVERIFY(addApplicant(dir, "5", "未审", {{"z_shbz", 0}}));
    QVERIFY(addApplicant(dir, "6", "空审", {{"z_shbz", QVariant()}}));
    QVERIFY(addApplicant(dir, "7", "他选", {{"z_bz", "另一批"}}));
    dir.writeCondition({"(z_bz = \"备注\")"});
    const QString file = m_out.filePath("order.docx");
    QCOMPARE(buildRoster(QueryConFile, file), ReportEnd::Finished);
    const QList<XmlElement> tables = body(file).childrenNamed("w:tbl");
    QCOMPARE(tableTexts(tables[0]).value(0).value(2), QStringLiteral("共4人"));
    QStringList listed;
    for (const QStringList &row : tableTexts(tables[1]).mid(1))
        listed << row.value(0) + row.value(1) + row.value(12);
    QCOMPARE(listed, (QStringList{"1丁工程技术人员", "2甲工程技术人员", "3乙卫生技术人员", "4丙高等学校教师"}));
    QCOMPARE(progress.shown(), (QList<int>{25, 50, 75, 100}));
    QCOMPARE(progress.calls().first().caption, QStringLiteral("正在生成人员情况表,请等待"));
    QVERIFY(progress.closed());
}

void TestRoster::pageFooterAndLayoutRows()
{
    TestAppDir dir;
    TestUi ui;
    TestProgress progress;
    for (const char *zjhm : {"1", "2", "3"})
        QVERIFY(addApplicant(dir, zjhm, "某人"));
    dir.writeCondition({"(1=1)"});
    const QString file = m_out.filePath("layout.docx");
    QCOMPARE(buildRoster(QueryConFile, file), ReportEnd::Finished);
    QCOMPARE(progress.shown(), (QList<int>{33, 67, 100}));

    const XmlElement b = body(file);
    const XmlElement pgSz = b.child("w:sectPr").child("w:pgSz");
    QCOMPARE((QStringList{pgSz.attribute("w:w"), pgSz.attribute("w:h"), pgSz.attribute("w:orient")}),
             (QStringList{"23811", "16838", "landscape"}));
    const XmlElement pgMar = b.child("w:sectPr").child("w:pgMar");
    QCOMPARE((QStringList{pgMar.attribute("w:left"), pgMar.attribute("w:right"), pgMar.attribute("w:top"),
                          pgMar.attribute("w:bottom")}),
             (QStringList{"1134", "1134", "1701", "1701"}));

    const XmlElement footer = parseXml(zipEntry(file, "word/footer1.xml")).child("w:p");
    QCOMPARE(alignmentOf(footer), QStringLiteral("center"));
    QString content;
    for (const XmlElement &r : footer.childrenNamed("w:r")) {
        content += r.child("w:t").text;
        if (!r.child("w:instrText").name.isEmpty())
            content += u'{' + r.child("w:instrText").text.trimmed().section(u' ', 0, 0) + u'}';
    }
    QCOMPARE(content, QStringLiteral("第{PAGE}1页/共{NUMPAGES}1页"));

    QStringList blocks;
    for (const XmlElement &e : b.children)
        blocks << e.name;
    QCOMPARE(blocks, QStringList({"w:p", "w:tbl", "w:p", "w:tbl", "w:p", "w:tbl", "w:p", "w:sectPr"}));
    const XmlElement heading = b.child("w:p");
    QCOMPARE(heading.allText(), title);
    QCOMPARE(alignmentOf(heading), QStringLiteral("center"));
    const XmlElement titleFormat = heading.child("w:r").child("w:rPr");
    QCOMPARE(titleFormat.child("w:rFonts").attribute("w:eastAsia"), QStringLiteral("宋体"));
    QCOMPARE(titleFormat.child("w:sz").attribute("w:val"), QStringLiteral("28"));
    QVERIFY(!titleFormat.child("w:b").name.isEmpty());

    const QList<XmlElement> tables = b.childrenNamed("w:tbl");
    const QString s21(21, u' '), s23(23, u' '), s17(17, u' ');
    struct Expected {
        int table, column;
        QString text, alignment, underline;
    };
    const QList<Expected> layout = {
        {0, 1, "设区市、厅(局):" + s21, "left", "single"},
        {0, 2, "送交" + s23 + "评委会", "left", "single"},
        {0, 3, "共3人", "center", "none"},
        {2, 1, "设区市、厅(局)职改办签字(盖章):" + s21, "left", "single"},
        {2, 2, "省职改办意见" + s23, "left", "single"},
        {2, 3, "填表时间" + s17, "center", "single"},
    };
    for (const Expected &e : layout) {
        const XmlElement tc = cell(tables[e.table], 1, e.column);
        QCOMPARE(cellText(tc), e.text);
        QCOMPARE(alignmentOf(tc.child("w:p")), e.alignment);
        QCOMPARE(underlineOf(tc), e.underline);
        QCOMPARE(tc.all("w:sz").value(0).attribute("w:val"), QStringLiteral("24"));
        QVERIFY(tables[e.table].child("w:tblPr").child("w:tblBorders").name.isEmpty());
    }
}

void TestRoster::listCells()
{
    TestAppDir dir;
    TestUi ui;
    TestProgress progress;
    QVERIFY(loadDisplayNames(dir, {"z_cszy"}));
    QVERIFY(addApplicant(dir, "1", "  张三 "));
    // The top-level unit has no name: the joined unit cell is empty.
    QVERIFY(addApplicant(dir, "2", "李四", {{"z_yijzgbm", "9999000000000000"}, {"z_xrjszgsj", QVariant()}}));
    dir.writeCondition({"(1=1)"});
    const QString file = m_out.filePath("cells.docx");
    QCOMPARE(buildRoster(QueryConFile, file), ReportEnd::Finished);
    const XmlElement list = body(file).childrenNamed("w:tbl").value(1);
    const QList<QStringList> rows = tableTexts(list);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[1],
             (QStringList{"1",          "张三",           "1970-01-02",   "博士研究生毕业", "1992-07-01",
                          "经济学类",   "硕士研究生毕业", "1995-07-01",   "经济学",         "省教育厅河西师范学院",
                          "1992-08-01", "机械工程",       "工程技术人员", "高级工程师",     "副高级",
                          "机械工程",   "正常晋升",       "合格",         "合格",           "工程师",
                          "1998-12-31"}));
    QCOMPARE(rows[2][9], QString());
    QCOMPARE(rows[2][1], QStringLiteral("李四"));
    QCOMPARE(rows[2][20], QString());

    const XmlElement borders = list.child("w:tblPr").child("w:tblBorders");
    QCOMPARE(borders.children.size(), 6);
    for (const XmlElement &border : borders.children)
        QCOMPARE(border.attribute("w:val"), QStringLiteral("single"));
    for (int r = 1; r <= 3; ++r) {
        QCOMPARE(verticalOf(cell(list, r, 1)), QString());
        for (int c = 1; c <= 21; ++c) {
            QCOMPARE(alignmentOf(cell(list, r, c).child("w:p")), QStringLiteral("center"));
            if (c > 1)
                QCOMPARE(verticalOf(cell(list, r, c)), QStringLiteral("center"));
        }
    }
    QCOMPARE(cell(list, 2, 2).all("w:sz").value(0).attribute("w:val"), QStringLiteral("16"));
}

void TestRoster::cancelKeepsRowsAndSignature()
{
    TestAppDir dir;
    TestUi ui;
    TestDocumentOpener opener;
    TestProgress progress;
    progress.cancelBeforeUpdate(1);
    for (const char *zjhm : {"1", "2", "3"})
        QVERIFY(addApplicant(dir, zjhm, "某人"));
    dir.writeCondition({"(1=1)"});
    ui.queueAnswer(MsgAnswer::Ok);
    QCOMPARE(buildRoster(QueryConFile), ReportEnd::Cancelled);
    QCOMPARE(ui.last().text, QStringLiteral("数据尚未完全导出，确认中止吗?"));
    QCOMPARE(ui.last().icon, MsgIcon::Question);
    QVERIFY(progress.closed());
    QCOMPARE(opener.opened().size(), 1);
    const QList<XmlElement> tables = body(opener.opened().first()).childrenNamed("w:tbl");
    QCOMPARE(tables.size(), 3);
    QCOMPARE(tableTexts(tables[0])[0][2], QStringLiteral("共3人"));
    const QList<QStringList> rows = tableTexts(tables[1]);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[1][0], QStringLiteral("1"));
    QCOMPARE(rows[2], QStringList(21, QString()));
    QCOMPARE(rows[3], QStringList(21, QString()));
    QCOMPARE(tableTexts(tables[2])[0][1], QStringLiteral("省职改办意见") + QString(23, u' '));
}

void TestRoster::unreadableRowsGiveNoDocument()
{
    TestAppDir dir;
    TestUi ui;
    TestDocumentOpener opener;
    TestProgress progress;
    dir.writeCondition({"(no_such_column = 1)"});
    QCOMPARE(buildRoster(QueryConFile), ReportEnd::Failed);
    QCOMPARE(ui.texts(), QStringList{"无法获得数据"});
    QCOMPARE(ui.last().icon, MsgIcon::Error);
    QVERIFY(opener.opened().isEmpty());
    QFile log(AppDir + "/error.log");
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("no_such_column"));
}

void TestRoster::actionAsksFirst_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<int>("opened");
    QTest::newRow("no") << MsgAnswer::No << 0;
    QTest::newRow("yes") << MsgAnswer::Yes << 1;
}

void TestRoster::actionAsksFirst()
{
    QFETCH(MsgAnswer, answer);
    QFETCH(int, opened);
    TestAppDir dir;
    TestUi ui;
    TestDocumentOpener opener;
    TestProgress progress;
    QVERIFY(addApplicant(dir, "1", "甲"));
    dir.writeCondition({"(1=1)"});
    ui.queueAnswer(answer);
    runTrans();
    QCOMPARE(ui.messages().size(), 1);
    QCOMPARE(ui.last().text, QStringLiteral("在根据当前查询生成基本情况表？"));
    QCOMPARE(ui.last().caption, QStringLiteral("选择"));
    QCOMPARE(ui.last().icon, MsgIcon::None);
    QCOMPARE(ui.last().buttons, MsgButtons::YesNo);
    QCOMPARE(opener.opened().size(), opened);
    if (opened) {
        QVERIFY(opener.opened().first().startsWith(AppDir + "/temp/"));
        QVERIFY(opener.opened().first().endsWith(".docx"));
    }
}

void TestRoster::pythonDocxReadsIt()
{
    if (!hasPythonModule("docx"))
        QSKIP("python3-docx is not installed");
    TestAppDir dir;
    TestUi ui;
    TestProgress progress;
    QVERIFY(addApplicant(dir, "1", "甲"));
    QVERIFY(addApplicant(dir, "2", "乙"));
    dir.writeCondition({"(1=1)"});
    const QString file = m_out.filePath("python.docx");
    QCOMPARE(buildRoster(QueryConFile, file), ReportEnd::Finished);
    const QJsonObject read = runPythonJson(QStringLiteral(R"(
import json, sys, docx
d = docx.Document(sys.argv[1])
s = d.sections[0]
t = d.tables[1]
print(json.dumps({
    "title": [d.paragraphs[0].text, int(d.paragraphs[0].alignment), d.paragraphs[0].runs[0].bold],
    "tables": [[len(x.rows), len(x.columns)] for x in d.tables],
    "first": [c.text for c in t.rows[1].cells][:3],
    "vertical": int(t.cell(1, 1).vertical_alignment),
    "page": [s.page_width.twips, s.page_height.twips, int(s.orientation)],
    "footer": s.footer.paragraphs[0].text}, ensure_ascii=False))
)"),
                                           {file})
                                 .object();
    QCOMPARE(read["title"].toArray(), QJsonArray({title, 1, true}));
    QCOMPARE(read["tables"].toArray(), QJsonArray({QJsonArray{1, 3}, QJsonArray{3, 21}, QJsonArray{1, 3}}));
    QCOMPARE(read["first"].toArray(), QJsonArray({"1", "甲", "1970-01-02"}));
    QCOMPARE(read["vertical"].toInt(), 1);
    QCOMPARE(read["page"].toArray(), QJsonArray({23811, 16838, 1}));
    QCOMPARE(read["footer"].toString(), QStringLiteral("第1页/共1页"));
}

QTEST_MAIN(TestRoster)
#include "tst_roster.moc"
