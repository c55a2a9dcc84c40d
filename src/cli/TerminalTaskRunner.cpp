#include "cli/TerminalTaskRunner.h"

#include "app/untGlobal.h"
#include "cli/CliCommand.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QPointer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace kvam::cli {

namespace {

extern "C" void askToStop(int) { ContinueFlag = 0; }

// Status texts go out at most a few times a second: a worker that reports
// every record must not spend its time writing to the terminal.
class TerminalReporter : public TaskReporter {
public:
    explicit TerminalReporter(QEventLoop &loop) : m_loop(loop), m_tty(isatty(fileno(stderr))) {}

    void setStatus(const QString &text) override
    {
        QMutexLocker lock(&m_mutex);
        m_last = text;
        if (m_clock.isValid() && m_clock.elapsed() < 200)
            return;
        m_clock.start();
        write(text);
    }

    void close() override
    {
        {
            QMutexLocker lock(&m_mutex);
            if (m_clock.isValid() && m_written != m_last)
                write(m_last);
            if (m_tty && m_clock.isValid())
                err(QStringLiteral("\n"));
        }
        QMetaObject::invokeMethod(&m_loop, "quit", Qt::QueuedConnection);
    }

private:
    void write(const QString &text)
    {
        m_written = text;
        err(m_tty ? QStringLiteral("\r\033[K") + text : text + QLatin1Char('\n'));
    }

    QEventLoop &m_loop;
    const bool m_tty;
    QMutex m_mutex;
    QElapsedTimer m_clock;
    QString m_last;
    QString m_written;
};

} // namespace

void TerminalTaskRunner::run(const std::function<TWorkerThread *(TaskReporter &)> &startWorker)
{
    QEventLoop loop;
    TerminalReporter reporter(loop);
    ContinueFlag = 1;
    struct sigaction stop = {};
    stop.sa_handler = askToStop;
    // A second Ctrl+C ends the program at once.
    stop.sa_flags = SA_RESETHAND;
    struct sigaction previous = {};
    sigaction(SIGINT, &stop, &previous);
    QPointer<TWorkerThread> worker = startWorker(reporter);
    loop.exec();
    if (worker)
        worker->wait();
    sigaction(SIGINT, &previous, nullptr);
    if (reporter.failure)
        std::rethrow_exception(reporter.failure);
}

} // namespace kvam::cli
