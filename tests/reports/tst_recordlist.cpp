#include "ReportFixture.h"
#include "app/untGlobal.h"
#include "platform/GbkText.h"
#include "reports/RecordListExport.h"
#include "reports/gui/ReportActions.h"
#include "support/OfficeReading.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace kvam;
using namespace kvam::test;

namespace {

const QString progressCaption = QStringLiteral("正在导出全部剩余数据,请等待");
const QString failureEnd = QStringLiteral("导致生成电子表格时出错，数据未完全导出，请重新导出!");

// The workbook as our own reading of its XML finds it: the sheet names, the
// first sheet's rows (an empty text for an empty cell) and the cells that are
// not text cells of the format "@".
struct Sheet {
    QStringList sheetNames;
    QList<QStringList> rows;
    QStringList notText;
};

int columnOf(const QString &reference)
{
    int column = 0;
    for (QChar c : reference) {
        if (!c.isLetter())
            break;
        column = column * 26 + (c.unicode() - 'A' + 1);
    }
    return column;
}

Sheet readSheet(const QString &file)
{
    Sheet sheet;
    for (const XmlElement &s : parseXml(zipEntry(file, "xl/workbook.xml")).all("sheet"))
        sheet.sheetNames << s.attribute("name");
    QStringList shared;
    for (const XmlElement &si : parseXml(zipEntry(file, "xl/sharedStrings.xml")).all("si"))
        shared << si.allText();
    const QList<XmlElement> xfs = parseXml(zipEntry(file, "xl/styles.xml")).child("cellXfs").childrenNamed("xf");
    for (const XmlElement &row : parseXml(zipEntry(file, "xl/worksheets/sheet1.xml")).all("row")) {
        const int r = row.attribute("r").toInt();
        while (sheet.rows.size() < r)
            sheet.rows << QStringList();
        QStringList &cells = sheet.rows[r - 1];
        for (const XmlElement &c : row.childrenNamed("c")) {
            const int column = columnOf(c.attribute("r"));
            while (cells.size() < column)
                cells << QString();
            const QString type = c.attribute("t");
            const QString v = c.child("v").text;
            cells[column - 1] = type == "s"           ? shared.value(v.toInt())
                                : type == "inlineStr" ? c.child("is").allText()
                                                      : v;
            const bool textCell = type == "s" || type == "inlineStr" || (type.isEmpty() && v.isEmpty());
            const int format = xfs.value(c.attributes.value("s", "0").toInt()).attribute("numFmtId").toInt();
            if (r > 1 && (!textCell || format != 49))
                sheet.notText << c.attribute("r");
        }
    }
    return sheet;
}

// The same through openpyxl: names, rows (None as an empty text) and the
// data cells that are not text of the format "@".
Sheet readWithOpenpyxl(const QString &file)
{
    const QString script = QStringLiteral(R"(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
rows, odd = [], []
for row in ws.iter_rows():
    rows.append(["" if c.value is None else c.value for c in row])
    for c in row:
        if c.row > 1 and (c.number_format != "@" or (c.value is not None and c.data_type != "s")):
            odd.append(c.coordinate)
print(json.dumps({"names": wb.sheetnames, "rows": rows, "odd": odd}))
)");
    const QJsonObject o = runPythonJson(script, {file}).object();
    Sheet sheet;
    for (const QJsonValue &n : o["names"].toArray())
        sheet.sheetNames << n.toString();
    for (const QJsonValue &row : o["rows"].toArray()) {
        QStringList cells;
        for (const QJsonValue &c : row.toArray())
            cells << (c.isString() ? c.toString() : QStringLiteral("<%1>").arg(c.toVariant().toString()));
        sheet.rows << cells;
    }
    for (const QJsonValue &c : o["odd"].toArray())
        sheet.notText << c.toString();
    return sheet;
}

QStringList trimmedRow(QStringList row, int columns = 44)
{
    while (row.size() < columns)
        row << QString();
    return row;
}

} // namespace

class TestRecordList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statementPieces();
    void cellsHoldNamesAndTextVerbatim();
    void progressPerRecord_data();
    void progressPerRecord();
    void cancelQuestion_data();
    void cancelQuestion();
    void failingCellNamesRecordAndHeading();
    void failingStatementIsLogged();
    void actionShowsNoticeThenWorkbook();

private:
    QTemporaryDir m_out;
};

void TestRecordList::statementPieces()
{
    const QStringList lines = recordListStatement({"(z_xm = \"甲\")", "and (1=1)"}).split("\r\n");
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0], QStringLiteral("Select"));
    const QStringList items = lines[1].split(',');
    QCOMPARE(items.size(), 44);
    QCOMPARE(items[0], QStringLiteral("trim(z_xm) as z_xm"));
    QCOMPARE(items[1], QStringLiteral("(SELECT z_mc FROM T_DM_GRJBXX00_shbz WHERE z_bm = z_shbz) as z_shbz"));
    QCOMPARE(items[17], QStringLiteral("z_zjhm"));
    QCOMPARE(items[43], QStringLiteral("z_bz"));
    QCOMPARE(lines.mid(2),
             (QStringList{"FROM grjbxx00", " where 1=1 and ", "(z_xm = \"甲\")", "and (1=1)", " order by z_zjhm "}));
    QCOMPARE(recordListColumns().size(), 44);
}

void TestRecordList::cellsHoldNamesAndTextVerbatim()
{
    TestAppDir dir;
    TestUi ui;
    TestProgress progress;
    QVERIFY(loadDisplayNames(dir, {"z_dh3"}));
    QVERIFY(addApplicant(dir, "11010119900101123X", "  李四 ", {{"z_mz", 99}, {"z_dh2", "008613900000000"}}));
    QVERIFY(addApplicant(dir, "110101199001011234", "张三"));
    QVERIFY(addApplicant(dir, "990000000000000001", "不选", {{"z_bz", "另一批"}}));
    dir.writeCondition({"(z_bz = \"备注\")"});
    const QString file = m_out.filePath("cells.xlsx");
    QCOMPARE(exportRecordList(QueryConFile, file), ReportEnd::Finished);
    QVERIFY(ui.messages().isEmpty());

    const Sheet sheet = readSheet(file);
    QCOMPARE(sheet.sheetNames.value(0), QStringLiteral("上报基本信息"));
    QCOMPARE(sheet.rows.size(), 3);
    // The display names, and an empty heading where there is none.
    QCOMPARE(trimmedRow(sheet.rows[0]), (QStringList{"姓名",
                                                     "资格审查状态",
                                                     "资格评审状态",
                                                     "暂扣状态",
                                                     "申报系列",
                                                     "申报资格",
                                                     "申报等级",
                                                     "申报专业",
                                                     "晋升方式",
                                                     "计算机成绩",
                                                     "外语成绩",
                                                     "现任技术资格",
                                                     "获得时间",
                                                     "性别",
                                                     "民族",
                                                     "政治面貌",
                                                     "证件类型",
                                                     "证件号码",
                                                     "出生日期",
                                                     "第一学历",
                                                     "第一学历学位",
                                                     "第一学历毕业时间",
                                                     "第一学历毕业院校",
                                                     "第一学历所学专业",
                                                     "第一学历证书号码",
                                                     "最高学历",
                                                     "最高学历学位",
                                                     "最高学历毕业时间",
                                                     "最高学历毕业院校",
                                                     "最高学历所学专业",
                                                     "最高学历证书号码",
                                                     "工作单位",
                                                     "参加工作时间",
                                                     "一级主管单位",
                                                     "二级主管单位",
                                                     "三级主管单位",
                                                     "四级主管单位",
                                                     "单位性质",
                                                     "从事专业",
                                                     "固定电话",
                                                     "手机",
                                                     "",
                                                     "备用手机",
                                                     "备注"}));
    // In identity-number order; names for codes, stored texts as they are.
    const QStringList second = trimmedRow(sheet.rows[2]);
    QCOMPARE(second.mid(0, 12), (QStringList{"李四", "资格审查通过", "评审通过", "未暂扣", "工程技术人员", "高级工程师",
                                             "副高级", "机械工程", "正常晋升", "合格", "合格", "工程师"}));
    QCOMPARE(second.mid(12, 7),
             (QStringList{"1998-12-31", "男", "", "中国共产党党员", "身份证", "11010119900101123X", "1970-01-02"}));
    QCOMPARE(second.mid(31, 13),
             (QStringList{"河西师范学院", "1992-08-01", "省教育厅", "河西师范学院", "", "", "事业单位", "机械工程",
                          "0571-88000001", "008613900000000", "", "", "备注"}));
    QCOMPARE(trimmedRow(sheet.rows[1]).value(17), QStringLiteral("110101199001011234"));
    QVERIFY2(sheet.notText.isEmpty(), qPrintable(sheet.notText.join(' ')));
    QCOMPARE(progress.shown(), (QList<int>{50, 100}));
    QCOMPARE(progress.calls().first().caption, progressCaption);
    QVERIFY(progress.closed());

    if (!hasPythonModule("openpyxl"))
        QSKIP("python3-openpyxl is not installed");
    const Sheet theirs = readWithOpenpyxl(file);
    QCOMPARE(theirs.sheetNames.value(0), sheet.sheetNames.value(0));
    QVERIFY2(theirs.notText.isEmpty(), qPrintable(theirs.notText.join(' ')));
    QCOMPARE(theirs.rows.size(), 3);
    for (int r = 0; r < 3; ++r)
        QCOMPARE(trimmedRow(theirs.rows[r]), trimmedRow(sheet.rows[r]));
}

void TestRecordList::progressPerRecord_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("nothing selected") << 3 << "(z_xm = \"无此人\")" << QList<int>{};
    QTest::newRow("the fixed condition 1=0") << 2 << "1=0" << QList<int>{};
    QTest::newRow("five records") << 5 << "(1=1)" << QList<int>{20, 40, 60, 80, 100};
    QTest::newRow("eight records, halves to even") << 8 << "(1=1)" << QList<int>{12, 25, 38, 50, 62, 75, 88, 100};
}

void TestRecordList::progressPerRecord()
{
    QFETCH(int, records);
    QFETCH(QString, condition);
    QFETCH(QList<int>, shown);
    TestAppDir dir;
    TestUi ui;
    TestProgress progress;
    QVERIFY(loadDisplayNames(dir));
    for (int i = 0; i < records; ++i)
        QVERIFY(addApplicant(dir, QStringLiteral("1101011990010100%1").arg(i, 2, 10, QChar('0')), "某人"));
    dir.writeCondition({condition});
    const QString file = m_out.filePath("progress.xlsx");
    QCOMPARE(exportRecordList(QueryConFile, file), ReportEnd::Finished);
    QCOMPARE(progress.shown(), shown);
    QCOMPARE(readSheet(file).rows.size(), 1 + shown.size());
}

void TestRecordList::cancelQuestion_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<int>("rows");
    QTest::addColumn<ReportEnd>("end");
    QTest::newRow("OK stops") << MsgAnswer::Ok << 2 << ReportEnd::Cancelled;
    QTest::newRow("Cancel goes on") << MsgAnswer::Cancel << 4 << ReportEnd::Finished;
}

void TestRecordList::cancelQuestion()
{
    QFETCH(MsgAnswer, answer);
    QFETCH(int, rows);
    QFETCH(ReportEnd, end);
    TestAppDir dir;
    TestUi ui;
    TestDocumentOpener opener;
    TestProgress progress;
    progress.cancelBeforeUpdate(1);
    for (const char *zjhm : {"1", "2", "3"})
        QVERIFY(addApplicant(dir, zjhm, "某人"));
    dir.writeCondition({"(1=1)"});
    ui.queueAnswer(answer);
    QCOMPARE(exportRecordList(QueryConFile), end);
    QCOMPARE(ui.messages().size(), 1);
    QCOMPARE(ui.last().text, QStringLiteral("数据尚未完全导出，确认中止吗?"));
    QCOMPARE(ui.last().caption, QStringLiteral("提示"));
    QCOMPARE(ui.last().icon, MsgIcon::Question);
    QCOMPARE(ui.last().buttons, MsgButtons::OkCancel);
    // The rows written are shown either way.
    QCOMPARE(opener.opened().size(), 1);
    QCOMPARE(readSheet(opener.opened().first()).rows.size(), rows);
}

void TestRecordList::failingCellNamesRecordAndHeading()
{
    TestAppDir dir;
    TestUi ui;
    TestDocumentOpener opener;
    TestProgress progress;
    QVERIFY(loadDisplayNames(dir));
    QVERIFY(addApplicant(dir, "1", "甲"));
    // Longer than a spreadsheet cell may hold.
    QVERIFY(addApplicant(dir, "2", "乙", {{"z_bz", QString(40000, u'长')}}));
    QVERIFY(addApplicant(dir, "3", "丙"));
    dir.writeCondition({"(1=1)"});
    QCOMPARE(exportRecordList(QueryConFile), ReportEnd::Failed);
    const QString text = QStringLiteral("证件号码为:2\n姓名为:乙\n在\"备注\"处存在错误。\n") + failureEnd;
    QCOMPARE(ui.texts(), QStringList{text});
    QCOMPARE(ui.last().icon, MsgIcon::Error);
    QVERIFY(fromGbk([&] {
                QFile log(AppDir + "/error.log");
                return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
            }())
                .startsWith(text));
    QVERIFY(progress.closed());
    QCOMPARE(progress.shown(), QList<int>{33});
    // What was written before is still shown.
    QCOMPARE(opener.opened().size(), 1);
    const Sheet sheet = readSheet(opener.opened().first());
    QCOMPARE(sheet.rows.value(1).value(0), QStringLiteral("甲"));
    QCOMPARE(sheet.rows.value(2).value(0), QStringLiteral("乙"));
    QCOMPARE(sheet.rows.size(), 3);
}

void TestRecordList::failingStatementIsLogged()
{
    TestAppDir dir;
    TestUi ui;
    TestProgress progress;
    dir.writeCondition({"(no_such_column = 1)"});
    const QString file = m_out.filePath("refused.xlsx");
    QCOMPARE(exportRecordList(QueryConFile, file), ReportEnd::Failed);
    QCOMPARE(ui.texts(), QStringList{u'\n' + failureEnd});
    QVERIFY(progress.shown().isEmpty());
    // A file asked for by name is not written half.
    QVERIFY(!QFile::exists(file));
}

void TestRecordList::actionShowsNoticeThenWorkbook()
{
    TestAppDir dir;
    TestUi ui;
    TestDocumentOpener opener;
    TestProgress progress;
    QVERIFY(addApplicant(dir, "1", "甲"));
    dir.writeCondition({"(1=1)"});
    runExportToExcel();
    QCOMPARE(ui.messages().size(), 1);
    QCOMPARE(ui.last().text, QStringLiteral("本机必须装有微软Office电子表格软件！"));
    QCOMPARE(ui.last().caption, QStringLiteral("提示"));
    QCOMPARE(ui.last().icon, MsgIcon::Warning);
    QCOMPARE(opener.opened().size(), 1);
    QVERIFY(opener.opened().first().startsWith(AppDir + "/temp/"));
    QVERIFY(opener.opened().first().endsWith(".xlsx"));
    QCOMPARE(readSheet(opener.opened().first()).rows.size(), 2);
}

QTEST_MAIN(TestRecordList)
#include "tst_recordlist.moc"
