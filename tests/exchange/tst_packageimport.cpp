#include "PackageFixture.h"
#include "exchange/PackageRuns.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QDir>
#include <QTemporaryDir>

using namespace kvam;
using test::Person;

// Merging packages into the main database: matching, flags, counters,
// lists and logs, stops, and more than one package.
class TestPackageImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void updatedRecordKeepsOrTakesFlags_data();
    void updatedRecordKeepsOrTakesFlags();
    void newRecordTakesFlagsFromSource_data();
    void newRecordTakesFlagsFromSource();
    void valuesTravelUnchanged();
    void onlyPassedRecordsUnlessAllAsked_data();
    void onlyPassedRecordsUnlessAllAsked();
    void twoRecordsOfOneNumberAddThenUpdate();
    void numbersMatchExactlyAndEmptyOnesAreRefused();
    void recordThatCannotBeStoredCountsOnlyAsNotImported();
    void packageWithoutAdmittedRecordsLogsConnectionsOnly();
    void stopAfterSomeRecords_data();
    void stopAfterSomeRecords();
    void packagesMergeInOrderEachWithItsLog();
    void failedPackageIsReportedAndTheNextGoesOn();

private:
    QString package(const QString &name) const { return m_packages.filePath(name); }

    QTemporaryDir m_packages;
};

void TestPackageImport::init()
{
    ImportRejected = false;
    ImportUpdateStatus = false;
}

void TestPackageImport::updatedRecordKeepsOrTakesFlags_data()
{
    QTest::addColumn<bool>("updateStatus");
    QTest::addColumn<QString>("alter");
    QTest::addColumn<QStringList>("flags");

    const QString oldPackage = "ALTER TABLE grjbxx00 DROP COLUMN z_zkbz";
    QTest::newRow("kept") << false << QString() << QStringList{"1", "1", "1"};
    QTest::newRow("kept, old package") << false << oldPackage << QStringList{"1", "1", "1"};
    QTest::newRow("taken") << true << QString() << QStringList{"1", "0", "0"};
    QTest::newRow("taken, old package keeps zkbz") << true << oldPackage << QStringList{"1", "0", "1"};
    QTest::newRow("taken, Z_ZKBZ is not z_zkbz")
        << true << "ALTER TABLE grjbxx00 RENAME COLUMN z_zkbz TO Z_ZKBZ" << QStringList{"1", "0", "1"};
}

void TestPackageImport::updatedRecordKeepsOrTakesFlags()
{
    QFETCH(bool, updateStatus);
    QFETCH(QString, alter);
    QFETCH(QStringList, flags);

    test::TestAppDir dir;
    QVERIFY(test::insertPeople(dir.db(), {{"110101198001010011", "旧名", 1, 1, 1, "旧备注", "1980-01-01"}}));
    QVERIFY(test::makePackage(package("p.ps"), {{"110101198001010011", "新名", 1, 0, 0, "新备注", QVariant()}},
                              alter.isEmpty() ? QStringList{} : QStringList{alter}));

    const ImportOutcome outcome = test::runImport(package("p.ps"), {false, updateStatus});
    QVERIFY(outcome.ok);
    QCOMPARE(outcome.updated, 1);
    QCOMPARE(outcome.added, 0);
    QCOMPARE(test::valuesOf(dir.db(), "110101198001010011", "z_shbz, z_psbz, z_zkbz"), flags);
    // Every copied column takes the source's value, NULL included.
    QCOMPARE(test::valuesOf(dir.db(), "110101198001010011", "z_xm, z_bz, z_csrq"),
             (QStringList{"新名", "新备注", "NULL"}));
}

void TestPackageImport::newRecordTakesFlagsFromSource_data()
{
    QTest::addColumn<bool>("updateStatus");
    QTest::addColumn<bool>("sourceHasZkbz");
    QTest::addColumn<QStringList>("flags");

    QTest::newRow("update status off") << false << true << QStringList{"1", "0", "0"};
    QTest::newRow("update status on") << true << true << QStringList{"1", "0", "0"};
    QTest::newRow("old package: zkbz unset") << false << false << QStringList{"1", "0", "NULL"};
}

void TestPackageImport::newRecordTakesFlagsFromSource()
{
    QFETCH(bool, updateStatus);
    QFETCH(bool, sourceHasZkbz);
    QFETCH(QStringList, flags);

    test::TestAppDir dir;
    QStringList alter;
    if (!sourceHasZkbz)
        alter << QStringLiteral("ALTER TABLE grjbxx00 DROP COLUMN z_zkbz");
    QVERIFY(test::makePackage(package("p.ps"), {{"110101198001010011", "新人", 1, 0, 0}}, alter));

    const ImportOutcome outcome = test::runImport(package("p.ps"), {false, updateStatus});
    QVERIFY(outcome.ok);
    QCOMPARE(outcome.added, 1);
    QCOMPARE(test::valuesOf(dir.db(), "110101198001010011", "z_shbz, z_psbz, z_zkbz"), flags);
}

void TestPackageImport::valuesTravelUnchanged()
{
    test::TestAppDir dir;
    const QStringList alter{"UPDATE grjbxx00 SET z_grzp = X'00FF0D0A00', z_xb = 2, z_jsjcj = 3.5, z_dh1 = '0931'"};
    QVERIFY(test::makePackageDatabase(package("p.db"), {{"1", "甲"}}, {}, alter));
    QVERIFY(writePackage(package("p.ps"), package("p.db")));
    QVERIFY(test::runImport(package("p.ps")).ok);
    const QString values = "typeof(z_grzp), hex(z_grzp), typeof(z_xb), z_xb, typeof(z_jsjcj), z_jsjcj, z_dh1, "
                           "typeof(z_zjzp)";
    QCOMPARE(test::valuesOf(dir.db(), "1", values),
             (QStringList{"blob", "00FF0D0A00", "integer", "2", "real", "3.5", "0931", "null"}));
}

void TestPackageImport::onlyPassedRecordsUnlessAllAsked_data()
{
    QTest::addColumn<bool>("importRejected");
    QTest::addColumn<QStringList>("added");

    QTest::newRow("passed only") << false << QStringList{"1-甲"};
    QTest::newRow("all records") << true << QStringList{"1-甲", "2-乙", "3-丙"};
}

void TestPackageImport::onlyPassedRecordsUnlessAllAsked()
{
    QFETCH(bool, importRejected);
    QFETCH(QStringList, added);

    test::TestAppDir dir;
    QVERIFY(test::makePackage(package("p.ps"), {{"1", "甲", 1}, {"2", "乙", 0}, {"3", "丙", QVariant()}}));
    const ImportOutcome outcome = test::runImport(package("p.ps"), {importRejected, false});
    QVERIFY(outcome.ok);
    const QStringList log = test::logOf(outcome);
    QCOMPARE(log.mid(log.indexOf("新增人员信息如下：") + 1), added);
    QCOMPARE(dir.scalar("select count(*) from grjbxx00").toInt(), added.size());
}

void TestPackageImport::twoRecordsOfOneNumberAddThenUpdate()
{
    test::TestAppDir dir;
    QVERIFY(test::makePackage(package("p.ps"), {{"7", "先"}, {"7", "后"}}, test::withoutKey()));
    const ImportOutcome outcome = test::runImport(package("p.ps"));
    QVERIFY(outcome.ok);
    QCOMPARE(outcome.added, 1);
    QCOMPARE(outcome.updated, 1);
    QCOMPARE(test::valuesOf(dir.db(), "7", "z_xm"), QStringList{"后"});
    QCOMPARE(test::logOf(outcome).mid(4), (QStringList{"共更新人员1名.", "共新增人员1名.", "更新人员信息如下：", "7-后",
                                                       "新增人员信息如下：", "7-先"}));
}

void TestPackageImport::numbersMatchExactlyAndEmptyOnesAreRefused()
{
    test::TestAppDir dir;
    QVERIFY(test::insertPeople(dir.db(), {{"110101198001010011", "本人"}}));
    // A shortened number, an empty one, a missing one and blanks.
    QVERIFY(test::makePackage(package("p.ps"),
                              {{"1101011980", "短号"}, {"", "空号"}, {QString(), "无号"}, {"  ", "空格"}},
                              test::withoutKey()));
    const ImportOutcome outcome = test::runImport(package("p.ps"));
    QVERIFY(outcome.ok);
    QCOMPARE(outcome.updated, 0);
    QCOMPARE(outcome.added, 1);
    QCOMPARE(outcome.failed, 3);
    QCOMPARE(test::valuesOf(dir.db(), "110101198001010011", "z_xm"), QStringList{"本人"});
    QCOMPARE(test::valuesOf(dir.db(), "1101011980", "z_xm"), QStringList{"短号"});
    QCOMPARE(dir.scalar("select count(*) from grjbxx00").toInt(), 2);
    QCOMPARE(test::logOf(outcome).mid(4),
             (QStringList{"未能正确导入人员3名.", "共新增人员1名.", "未导入人员信息如下：", "-空号", "-无号", "  -空格",
                          "新增人员信息如下：", "1101011980-短号"}));
}

void TestPackageImport::recordThatCannotBeStoredCountsOnlyAsNotImported()
{
    test::TestAppDir dir;
    QVERIFY(test::insertPeople(dir.db(), {{"1", "甲", 1, 1, 1, "原"}, {"2", "乙", 1, 1, 1, "原"}}));
    // A value the database refuses for an existing record.
    dir.exec("CREATE TRIGGER refuse BEFORE UPDATE ON grjbxx00 WHEN NEW.z_bz = '坏' "
             "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    QVERIFY(test::makePackage(package("p.ps"), {{"1", "甲", 1, 1, 1, "坏"}, {"2", "乙", 1, 1, 1, "好"}}));

    const ImportOutcome outcome = test::runImport(package("p.ps"));
    QVERIFY(outcome.ok);
    QCOMPARE(outcome.failed, 1);
    QCOMPARE(outcome.updated, 1);
    QCOMPARE(test::valuesOf(dir.db(), "1", "z_bz"), QStringList{"原"});
    QCOMPARE(test::valuesOf(dir.db(), "2", "z_bz"), QStringList{"好"});
    QCOMPARE(test::logOf(outcome).mid(4), (QStringList{"未能正确导入人员1名.", "共更新人员1名.", "未导入人员信息如下：",
                                                       "1-甲", "更新人员信息如下：", "2-乙"}));
}

void TestPackageImport::packageWithoutAdmittedRecordsLogsConnectionsOnly()
{
    test::TestAppDir dir;
    QVERIFY(test::makePackage(package("空.ps"), {{"1", "甲", 0}}));
    const ImportOutcome outcome = test::runImport(package("空.ps"));
    QVERIFY(outcome.ok);
    QVERIFY(outcome.summary.isEmpty());
    QCOMPARE(test::logOf(outcome), (QStringList{"解压缩文件" + package("空.ps") + "成功", "关闭数据文件成功！",
                                                "连接个人基本信息源数据文件成功！", "打开个人基本信息数据文件成功！"}));
    QCOMPARE(QFileInfo(outcome.logFile).dir(), QDir(dir.file("log")));
    QVERIFY(QFileInfo(outcome.logFile).fileName().endsWith("文件[空.ps]的导入日志.log"));
}

void TestPackageImport::stopAfterSomeRecords_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<int>("merged");

    QTest::newRow("yes stops") << MsgAnswer::Yes << 2;
    QTest::newRow("no goes on") << MsgAnswer::No << 5;
}

void TestPackageImport::stopAfterSomeRecords()
{
    QFETCH(MsgAnswer, answer);
    QFETCH(int, merged);

    test::TestAppDir dir;
    test::TestUi ui;
    QVERIFY(test::makePackage(package("p.ps"), {{"1", "一"}, {"2", "二"}, {"3", "三"}, {"4", "四"}, {"5", "五"}}));
    const QString progress = "正在从文件" + package("p.ps") + "中导入%1/5条个人信息;";
    test::Reporter reporter;
    // Esc pressed while the second record is merged.
    reporter.onStatus = [&](const QString &text) {
        if (text == progress.arg(2))
            ContinueFlag = 0;
    };
    ui.queueAnswer(answer);
    const ImportOutcome outcome = test::runImport(package("p.ps"), {}, &reporter);

    QVERIFY(outcome.ok);
    QCOMPARE(outcome.stopped, answer == MsgAnswer::Yes);
    QCOMPARE(ui.texts(), QStringList{"是否确认要退出程序"});
    QCOMPARE(ui.last().caption, QStringLiteral("选择"));
    QCOMPARE(ContinueFlag.load(), answer == MsgAnswer::Yes ? 0 : 1);
    QCOMPARE(reporter.statuses().size(), merged);
    QCOMPARE(reporter.statuses().first(), progress.arg(1));
    QCOMPARE(outcome.added, merged);
    QCOMPARE(dir.scalar("select count(*) from grjbxx00").toInt(), merged);
    QCOMPARE(test::logOf(outcome).at(4), QStringLiteral("共新增人员%1名.").arg(merged));
}

void TestPackageImport::packagesMergeInOrderEachWithItsLog()
{
    test::TestAppDir dir;
    test::TestUi ui;
    QVERIFY(test::makePackage(package("a.ps"), {{"1", "先到"}, {"2", "甲"}}));
    QVERIFY(test::makePackage(package("b.ps"), {{"1", "后到"}}));

    const QList<ImportedPackage> done = importPackages({package("a.ps"), package("b.ps")});
    QCOMPARE(done.size(), 2);
    QCOMPARE(test::valuesOf(dir.db(), "1", "z_xm"), QStringList{"后到"});
    QCOMPARE(done.at(0).outcome.summary, QStringList{"共新增人员2名."});
    QCOMPARE(done.at(1).outcome.summary, QStringList{"共更新人员1名."});
    const QStringList logs = QDir(dir.file("log")).entryList(QDir::Files, QDir::Name);
    QCOMPARE(logs.size(), 2);
    QVERIFY(logs.at(0).endsWith("文件[a.ps]的导入日志.log"));
    QVERIFY(logs.at(1).endsWith("文件[b.ps]的导入日志.log"));
    const ClosingMessage closing = importClosingMessage(done);
    QCOMPARE(closing.text, QStringLiteral("数据已成功导入，请到安装目录下log子目录中查看更新日志！"));
    QCOMPARE(closing.caption, QStringLiteral("提示"));
    QVERIFY(ui.texts().isEmpty());
}

void TestPackageImport::failedPackageIsReportedAndTheNextGoesOn()
{
    test::TestAppDir dir;
    test::TestUi ui;
    QFile bad(package("bad.ps"));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("no archive") > 0);
    bad.close();
    QVERIFY(test::makePackage(package("good.ps"), {{"1", "甲"}, {"  ", "空格"}}, test::withoutKey()));

    const QList<ImportedPackage> done = importPackages({package("bad.ps"), package("good.ps")});
    QCOMPARE(done.size(), 2);
    QVERIFY(!done.at(0).outcome.ok);
    QVERIFY(done.at(1).outcome.ok);
    QCOMPARE(dir.scalar("select count(*) from grjbxx00").toInt(), 1);
    const QString why = "导入信息时出错：文件[bad.ps]不是有效的数据包(ZIP)文件";
    QCOMPARE(ui.texts(), QStringList{why});
    QCOMPARE(ui.last().caption, QStringLiteral("错误"));
    QCOMPARE(test::logOf(done.at(0).outcome), QStringList{why});
    QVERIFY(readGbkLines(dir.file("error.log")).join("\n").contains(why));

    const ClosingMessage closing = importClosingMessage(done);
    QCOMPARE(closing.text, QStringLiteral("数据未能全部导入：\n文件[bad.ps]不是有效的数据包(ZIP)文件\n"
                                          "文件[good.ps]中有1名人员未能正确导入\n"
                                          "请到安装目录下log子目录中查看更新日志！"));
    QCOMPARE(closing.caption, QStringLiteral("错误"));
}

QTEST_GUILESS_MAIN(TestPackageImport)
#include "tst_packageimport.moc"
