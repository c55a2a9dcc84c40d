#include "app/BackgroundTask.h"

#include <QTest>
#include <stdexcept>

using namespace kvam;

class TestBackgroundTask : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statusesArriveInOrderAndTheWaitEnds();
    void aJobThatEndsAtOnceStillEndsTheWait();
    void anEscapedFailureReachesTheWaitingThread();
};

void TestBackgroundTask::statusesArriveInOrderAndTheWaitEnds()
{
    RecordingTaskRunner runner;
    TaskRunner *previous = setTaskRunner(&runner);
    Qt::HANDLE workerThread = nullptr;
    runInBackground([&](TaskReporter &r) {
        workerThread = QThread::currentThreadId();
        for (int i = 0; i < 50; ++i)
            r.setStatus(QString::number(i));
    });
    setTaskRunner(previous);
    QVERIFY(workerThread != QThread::currentThreadId());
    QCOMPARE(runner.statuses().size(), 50);
    QCOMPARE(runner.statuses().first(), QStringLiteral("0"));
    QCOMPARE(runner.statuses().last(), QStringLiteral("49"));
}

void TestBackgroundTask::aJobThatEndsAtOnceStillEndsTheWait()
{
    for (int i = 0; i < 20; ++i)
        runInBackground([](TaskReporter &) {});
}

void TestBackgroundTask::anEscapedFailureReachesTheWaitingThread()
{
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             runInBackground([](TaskReporter &) { throw std::runtime_error("x"); }));
}

QTEST_GUILESS_MAIN(TestBackgroundTask)
#include "tst_backgroundtask.moc"
