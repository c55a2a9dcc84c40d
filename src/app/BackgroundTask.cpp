#include "app/BackgroundTask.h"

#include "app/untGlobal.h"

#include <QEventLoop>
#include <QMutex>
#include <QPointer>
#include <QStringList>

namespace kvam {

TWorkerThread::TWorkerThread(Job job, TaskReporter &reporter) : m_job(std::move(job)), m_reporter(reporter)
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void TWorkerThread::run()
{
    try {
        m_job(m_reporter);
    } catch (...) {
        m_reporter.failure = std::current_exception();
    }
    m_reporter.close();
}

namespace {

// Status texts and the close request, handed from the worker to the thread
// that waits, in order.
class RecordingReporter : public TaskReporter {
public:
    explicit RecordingReporter(QEventLoop &loop) : m_loop(loop) {}

    void setStatus(const QString &text) override
    {
        QMutexLocker lock(&m_mutex);
        m_statuses << text;
    }
    void close() override
    {
        {
            QMutexLocker lock(&m_mutex);
            m_closed = true;
        }
        QMetaObject::invokeMethod(&m_loop, "quit", Qt::QueuedConnection);
    }
    bool closed()
    {
        QMutexLocker lock(&m_mutex);
        return m_closed;
    }
    QStringList statuses()
    {
        QMutexLocker lock(&m_mutex);
        return m_statuses;
    }

private:
    QEventLoop &m_loop;
    QMutex m_mutex;
    QStringList m_statuses;
    bool m_closed = false;
};

RecordingTaskRunner fallbackRunner;
TaskRunner *installedRunner = &fallbackRunner;

} // namespace

void RecordingTaskRunner::run(const std::function<TWorkerThread *(TaskReporter &)> &startWorker)
{
    QEventLoop loop;
    RecordingReporter reporter(loop);
    ContinueFlag = 1;
    QPointer<TWorkerThread> worker = startWorker(reporter);
    if (!reporter.closed())
        loop.exec();
    // The close is the worker's last request; let it end before the reporter goes.
    if (worker)
        worker->wait();
    m_statuses += reporter.statuses();
    if (reporter.failure)
        std::rethrow_exception(reporter.failure);
}

QStringList RecordingTaskRunner::statuses() const { return m_statuses; }

TaskRunner &taskRunner() { return *installedRunner; }

TaskRunner *setTaskRunner(TaskRunner *runner)
{
    TaskRunner *previous = installedRunner;
    installedRunner = runner ? runner : &fallbackRunner;
    return previous;
}

void runInBackground(const Job &job)
{
    taskRunner().run([&](TaskReporter &reporter) {
        auto *worker = new TWorkerThread(job, reporter);
        worker->start();
        return worker;
    });
}

} // namespace kvam
