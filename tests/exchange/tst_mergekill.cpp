#include "PackageFixture.h"
#include "data/Schema.h"
#include "support/TestAppDir.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace kvam;

// A merge killed at any moment leaves the main database whole: it passes
// SQLite's integrity check and every record is either as it was or as the
// package has it, never half of each.
class TestMergeKill : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void killedMergeLeavesWholeRecords();
};

void TestMergeKill::killedMergeLeavesWholeRecords()
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
    cli.start(QStringLiteral(KVAM_APP_DIR "/kvam-cli"),
              {"--dir", dir.path(), "import", "--all-records", "--update-status", package});
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

QTEST_GUILESS_MAIN(TestMergeKill)
#include "tst_mergekill.moc"
