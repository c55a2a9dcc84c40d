#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kvam;

class TestSingleInstance : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void secondStartExitsAtOnce();
};

void TestSingleInstance::secondStartExitsAtOnce()
{
    // A program directory of its own, so a program running elsewhere does not count.
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("kvam"));
    QVERIFY(QFile::copy(QStringLiteral(KVAM_APP_DIR "/kvam"), program));
    QProcess init;
    init.start(QStringLiteral(KVAM_APP_DIR "/kvam-cli"), {QStringLiteral("--dir"), dir.path(), QStringLiteral("init")});
    QVERIFY(init.waitForFinished(60000));
    QCOMPARE(init.exitCode(), 0);

    QProcess first;
    first.start(program, {});
    QVERIFY(first.waitForStarted());
    const QString lock = SingleInstance::lockPathFor(QStringLiteral("kvamIns"), dir.path());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 20000);

    QProcess second;
    second.start(program, {});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
