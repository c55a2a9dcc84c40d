#include "ReportFixture.h"
#include "support/OfficeReading.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace kvam;
using namespace kvam::test;

namespace {

struct Run {
    int exitCode = -1;
    QString err;
};

Run cli(const QString &dir, const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(KVAM_APP_DIR "/kvam-cli"), QStringList{"--dir", dir} + args);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

QStringList paragraphTexts(const QString &file)
{
    QStringList texts;
    for (const XmlElement &p : parseXml(zipEntry(file, "word/document.xml")).child("w:body").childrenNamed("w:p"))
        texts << p.allText();
    return texts;
}

} // namespace

class TestReportCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void listAndRosterOfTheCondition_data();
    void listAndRosterOfTheCondition();
    void noticeTicksInListOrder();
    void wrongUsage_data();
    void wrongUsage();
    void unknownSupervisingUnit();

private:
    std::unique_ptr<TestAppDir> m_dir;
    QTemporaryDir m_out;
};

void TestReportCli::initTestCase()
{
    m_dir = std::make_unique<TestAppDir>();
    QVERIFY(addApplicant(*m_dir, "1", "甲"));
    QVERIFY(addApplicant(*m_dir, "2", "乙", {{"z_bz", "另一批"}}));
    QVERIFY(addApplicant(*m_dir, "3", "丙", {{"z_erjzgbm", "1101100100000000"}, {"z_sbdj", 3}}));
    m_dir->writeCondition({"(z_bz = \"另一批\")"});
}

void TestReportCli::listAndRosterOfTheCondition_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("conditionFile");
    QTest::addColumn<QString>("listed");
    QTest::newRow("list, the program's condition") << "list-xlsx"
                                                   << ""
                                                   << "乙";
    QTest::newRow("list, a condition file") << "list-xlsx"
                                            << "mine.sql"
                                            << "甲";
    QTest::newRow("roster, the program's condition") << "roster"
                                                     << ""
                                                     << "乙";
    QTest::newRow("roster, a condition file") << "roster"
                                              << "mine.sql"
                                              << "甲";
}

void TestReportCli::listAndRosterOfTheCondition()
{
    QFETCH(QString, command);
    QFETCH(QString, conditionFile);
    QFETCH(QString, listed);
    QStringList args{command};
    if (!conditionFile.isEmpty()) {
        QFile f(m_out.filePath(conditionFile));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("(z_xm = \"\xbc\xd7\")\r\n") > 0); // 甲 in GBK
        args << "--condition-file" << f.fileName();
    }
    const QString out = m_out.filePath(command == "roster" ? "out.docx" : "out.xlsx");
    QFile::remove(out);
    const Run run = cli(m_dir->path(), args << out);
    QCOMPARE(run.exitCode, 0);
    if (command == "roster") {
        const QString text =
            parseXml(zipEntry(out, "word/document.xml")).all("w:tbl").value(1).all("w:tr").value(1).allText();
        QCOMPARE(text.left(2), "1" + listed);
    } else {
        const QList<XmlElement> rows = parseXml(zipEntry(out, "xl/worksheets/sheet1.xml")).all("row");
        QCOMPARE(rows.size(), 2);
        // The constant-memory workbook keeps its texts in the cells.
        QCOMPARE(rows[1].child("c").allText(), listed);
    }
    // Nothing is left under temp/ for kvam-cli.
    QVERIFY(QDir(m_dir->file("temp")).isEmpty());
}

void TestReportCli::noticeTicksInListOrder()
{
    const QString out = m_out.filePath("notice.docx");
    // Asked for in another order, ticked in the order the lists offer.
    const Run run = cli(m_dir->path(), {"notice", "--unit", "1101000000000000", "--units",
                                        "1101100200000000,1101100100000000", "--series", "01", "--levels", "3,2", out});
    QCOMPARE(run.exitCode, 0);
    QStringList seen;
    for (const QString &line : paragraphTexts(out)) {
        if (line.startsWith(QStringLiteral("关于")) || line.contains(QStringLiteral("名):")))
            seen << line;
    }
    QCOMPARE(seen, (QStringList{"关于丙等1名同志工程技术人员专业技术职务任职资格的通知",
                                "副高级(0名):", "中级(1名):", "关于乙等2名同志工程技术人员专业技术职务任职资格的通知",
                                "副高级(2名):", "中级(0名):"}));
}

void TestReportCli::wrongUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("list without output") << QStringList{"list-xlsx"};
    QTest::newRow("roster with an unknown option") << QStringList{"roster", "--all", "x.docx"};
    QTest::newRow("notice without unit") << QStringList{"notice", "x.docx"};
    QTest::newRow("notice, a unit not offered")
        << QStringList{"notice", "--unit", "1101000000000000", "--units", "1101100120010000", "x.docx"};
    QTest::newRow("notice, a level not offered")
        << QStringList{"notice", "--unit", "1101000000000000", "--levels", "9", "x.docx"};
}

void TestReportCli::wrongUsage()
{
    QFETCH(QStringList, args);
    const Run run = cli(m_dir->path(), args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("usage:"), qPrintable(run.err));
    QVERIFY(!QFile::exists(m_dir->file("x.docx")));
}

void TestReportCli::unknownSupervisingUnit()
{
    const Run run = cli(m_dir->path(), {"notice", "--unit", "9999000000000000", m_out.filePath("none.docx")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("错误: 以下情况导致输入错误:")), qPrintable(run.err));
    QVERIFY(!QFile::exists(m_out.filePath("none.docx")));
}

QTEST_MAIN(TestReportCli)
#include "tst_reportcli.moc"
