#include "PackageFixture.h"
#include "data/Schema.h"
#include "support/TestAppDir.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace kvam;

// kvam-cli export and import as a separate process, down to a kill in the
// middle of a merge.
class TestPackageCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportThenImportReportsEachPackage();
    void killedMergeLeavesWholeRecords();

private:
    static QString cli() { return QStringLiteral(KVAM_APP_DIR "/kvam-cli"); }
};

void TestPackageCli::exportThenImportReportsEachPackage()
{
    QTemporaryDir work;
    const QString package = work.filePath("office.ps");
    {
        test::TestAppDir office;
        QVERIFY(test::insertPeople(office.db(), {{"1", "甲"}, {"2", "乙"}}));
        office.writeCondition({"(z_xm = \"甲\")"});
        QProcess cli;
        cli.start(TestPackageCli::cli(), {"--dir", office.path(), "export", package});
        QVERIFY(cli.waitForFinished());
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(cli.readAllStandardError()), QStringLiteral("提示: 数据已成功导出\n"));
    }
    QFile bad(work.filePath("bad.ps"));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("x") == 1);
    bad.close();

    test::TestAppDir dir;
    QProcess cli;
    cli.start(TestPackageCli::cli(), {"--dir", dir.path(), "import", package, bad.fileName()});
    QVERIFY(cli.waitForFinished());
    QCOMPARE(cli.exitCode(), 1);
    const QStringList out = QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    // The failed package has its log too: the line that says why.
    QCOMPARE(out.size(), 3);
    QCOMPARE(out.at(0), QStringLiteral("office.ps: 共新增人员1名."));
    QVERIFY(out.at(1).startsWith(QStringLiteral("office.ps: 导入日志 ") + dir.file("log/")));
    QVERIFY(out.at(2).startsWith(QStringLiteral("bad.ps: 导入日志 ")));
    QVERIFY(QString::fromUtf8(cli.readAllStandardError())
                .contains(QStringLiteral("错误: 数据未能全部导入：\n文件[bad.ps]不是有效的数据包(ZIP)文件")));
    QCOMPARE(test::valuesOf(dir.db(), "1", "z_xm"), QStringList{"甲"});
    QCOMPARE(dir.scalar("select count(*) from grjbxx00").toInt(), 1);
}

// A merge killed at any moment leaves the main database whole: it passes
// SQLite's integrity check and every record is either as it was or as the
// package has it, never half of each.
void TestPackageCli::killedMergeLeavesWholeRecords()
{
    QTemporaryDir work;
    const QString source = work.filePath("office.db");
    const QString package = work.filePath("office.ps");
    QString error;
    QVERIFY2(createSampleDatabase(source, {50000, 99}, &error), qPrintable(error));
    QVERIFY2(writePackage(package, source, &error), qPrintable(error));
    test::TestAppDir dir(1000, 1);
    const QString before = work.filePath("before.db");
    QVERIFY(QFile::copy(dir.databaseFile(), before));
    const int initial = dir.scalar("select count(*) from grjbxx00").toInt();

    QProcess cli;
    cli.start(TestPackageCli::cli(), {"--dir", dir.path(), "import", "--all-records", "--update-status", package});
    QVERIFY(cli.waitForStarted());
    // Killed once the first batch is in.
    QTRY_VERIFY_WITH_TIMEOUT(
        dir.scalar("select count(*) from grjbxx00").toInt() > initial || cli.state() == QProcess::NotRunning, 60000);
    cli.kill();
    QVERIFY(cli.waitForFinished());
    QCOMPARE(cli.exitStatus(), QProcess::CrashExit);

    QSqlDatabase db = dir.db();
    QCOMPARE(dir.scalar("pragma integrity_check").toString(), QStringLiteral("ok"));
    const int merged = dir.scalar("select count(*) from grjbxx00").toInt() - initial;
    QVERIFY(merged > 0);
    QVERIFY(merged < 50000);

    dir.exec(QStringLiteral("attach '%1' as pkg").arg(source));
    dir.exec(QStringLiteral("attach '%1' as old").arg(before));
    QStringList same;
    for (const QString &c : schema::applicantColumns())
        same << QStringLiteral("x.%1 IS m.%1").arg(c);
    const QString whole = same.join(" AND ");
    const QString broken =
        QStringLiteral("select count(*) from main.grjbxx00 m where not exists "
                       "(select 1 from pkg.grjbxx00 x where x.z_zjhm = m.z_zjhm and %1) "
                       "and not exists (select 1 from old.grjbxx00 x where x.z_zjhm = m.z_zjhm and %1)")
            .arg(whole);
    QCOMPARE(dir.scalar(broken).toInt(), 0);
    // Nobody who was there is lost.
    QCOMPARE(dir.scalar("select count(*) from old.grjbxx00 o where not exists "
                        "(select 1 from main.grjbxx00 m where m.z_zjhm = o.z_zjhm)")
                 .toInt(),
             0);
}

QTEST_GUILESS_MAIN(TestPackageCli)
#include "tst_packagecli.moc"
