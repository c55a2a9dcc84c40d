#include "app/untGlobal.h"
#include "platform/GbkText.h"
#include "support/TestUi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kvam;

class TestGlobals : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void derivesPathsFromTheProgramFile();
    void isInvalidDate_data();
    void isInvalidDate();
    void logErrorCreatesThenAppends();
    void logErrorStillShowsWhenTheLogCannotBeWritten();
    void importLogsAreNeverReplaced();
    void resetQueryConditionSelectsNothing();
    void autoFitCountsGbkBytes();
};

static QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestGlobals::derivesPathsFromTheProgramFile()
{
    InitGlobals(QStringLiteral("/x/y/prog"));
    QCOMPARE(AppDir, QStringLiteral("/x/y"));
    QCOMPARE(ConnectionString, QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/x/y/data/kvam.mdb;"
                                              "Mode=Share Deny None;Persist Security Info=False"));
    QCOMPARE(DataSourceOf(ConnectionString), QStringLiteral("/x/y/data/kvam.mdb"));
    QCOMPARE(QueryConFile, QStringLiteral("/x/y/querycon.sql"));
    QVERIFY(ExportAll);
    QCOMPARE(DefaultDate, QDate(2000, 1, 1));
    // The search starts at the second-to-last character, so a trailing
    // separator is not the one that counts.
    QCOMPARE(AppDirOf(QStringLiteral("D:\\x\\y\\prog.exe")), QStringLiteral("D:\\x\\y"));
    QCOMPARE(AppDirOf(QStringLiteral("/x/y/")), QStringLiteral("/x"));
}

void TestGlobals::isInvalidDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("invalid");
    QTest::addColumn<QDate>("date");
    const QDate unchanged(1111, 1, 1);
    QTest::newRow("dashes") << "2008-10-14" << false << QDate(2008, 10, 14);
    QTest::newRow("eight digits") << "20081014" << false << QDate(2008, 10, 14);
    QTest::newRow("six digits with a leading zero") << "081014" << true << unchanged;
    QTest::newRow("six digits") << "991231" << false << QDate(1999, 12, 31);
    QTest::newRow("two-digit year with dashes") << "08-10-14" << false << QDate(2008, 10, 14);
    QTest::newRow("slashes read as year/month/day") << "2008/10/14" << false << QDate(2008, 10, 14);
    QTest::newRow("no leading zeros") << "2008-1-4" << false << QDate(2008, 1, 4);
    QTest::newRow("impossible day") << "2008-02-30" << true << unchanged;
    QTest::newRow("both separators") << "2008-10/14" << true << unchanged;
    QTest::newRow("words") << "yesterday" << true << unchanged;
    QTest::newRow("digits with a blank") << "2008101 4" << true << unchanged;
    QTest::newRow("month first with slashes is no date here") << "10/14/2008" << true << unchanged;
}

void TestGlobals::isInvalidDate()
{
    QFETCH(QString, text);
    QFETCH(bool, invalid);
    QFETCH(QDate, date);
    QDate result(1111, 1, 1);
    QCOMPARE(IsInvalidDate(text, result), invalid);
    QCOMPARE(result, date);

    QDate today;
    QVERIFY(!IsInvalidDate(QString(), today));
    QCOMPARE(today, QDate::currentDate());
}

void TestGlobals::logErrorCreatesThenAppends()
{
    QTemporaryDir dir;
    InitGlobals(dir.filePath(QStringLiteral("kvam")));
    test::TestUi ui;
    LogError(QStringLiteral("链接数据库失败"), QStringLiteral("unable to open"));
    LogError(QStringLiteral("更新出错"), QStringLiteral("disk I/O error"));
    QCOMPARE(readAll(dir.filePath(QStringLiteral("error.log"))),
             toGbk(QStringLiteral("链接数据库失败\r错误发生在：unable to open\r\n"
                                  "更新出错\r错误发生在：disk I/O error\r\n")));
    QCOMPARE(ui.messages().size(), 2);
    QCOMPARE(ui.last().text, QStringLiteral("更新出错"));
    QCOMPARE(ui.last().caption, QStringLiteral("错误"));
    QCOMPARE(ui.last().icon, MsgIcon::Error);
}

void TestGlobals::logErrorStillShowsWhenTheLogCannotBeWritten()
{
    InitGlobals(QStringLiteral("/nonexistent/dir/kvam"));
    test::TestUi ui;
    LogError(QStringLiteral("更新出错"), QStringLiteral("x"));
    QCOMPARE(ui.texts(), QStringList{QStringLiteral("更新出错")});
}

void TestGlobals::importLogsAreNeverReplaced()
{
    QTemporaryDir dir;
    InitGlobals(dir.filePath(QStringLiteral("kvam")));
    QVERIFY(CreateWorkingDirectories());
    const QString first = WriteImportLog(QStringLiteral("/some/where/市局.ps"), {QStringLiteral("第一次")});
    const QString second = WriteImportLog(QStringLiteral("市局.ps"), {QStringLiteral("第二次")});
    const QString day = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(first, dir.filePath(QStringLiteral("log/%1文件[市局.ps]的导入日志.log").arg(day)));
    QCOMPARE(second, dir.filePath(QStringLiteral("log/%1文件[市局.ps]的导入日志(2).log").arg(day)));
    QCOMPARE(readAll(first), toGbk(QStringLiteral("第一次\r\n")));
    QCOMPARE(readAll(second), toGbk(QStringLiteral("第二次\r\n")));

    QDir(dir.path()).rmdir(QStringLiteral("log"));
    QDir(dir.filePath(QStringLiteral("log"))).removeRecursively();
    QString error;
    QVERIFY(WriteImportLog(QStringLiteral("b.ps"), {QStringLiteral("x")}, &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

void TestGlobals::resetQueryConditionSelectsNothing()
{
    QTemporaryDir dir;
    InitGlobals(dir.filePath(QStringLiteral("kvam")));
    QVERIFY(ResetQueryCondition());
    QCOMPARE(readAll(QueryConFile), QByteArray("1=0\r\n"));
}

void TestGlobals::autoFitCountsGbkBytes()
{
    // Two Chinese characters of title, three in the first row: 6 bytes, 60 px.
    QCOMPARE(AutoFitWidths({QStringLiteral("姓名"), QStringLiteral("z_dh1"), QStringLiteral("x")},
                           {QStringLiteral("王小明"), QStringLiteral("  13912345678  ")}),
             QList<int>({60, 110, 10}));
}

QTEST_GUILESS_MAIN(TestGlobals)
#include "tst_globals.moc"
