#pragma once

#include <QString>
#include <QThread>
#include <exception>
#include <functional>

// Work that runs on a worker thread while the program waits for it: behind
// the wait window in the desktop program, behind a progress line in kvam-cli,
// and behind a recording reporter in tests. Only one worker runs at a time.
namespace kvam {

// What a worker may ask of whoever waits for it. Called from the worker
// thread; implementations carry the requests out in the order made. Questions
// go through the Ui seam (it is safe to call from a worker) and the cancel
// request is ContinueFlag.
class TaskReporter {
public:
    virtual ~TaskReporter() = default;
    // The status line of the wait window ("正在初始化程序----------------").
    virtual void setStatus(const QString &text) = 0;
    // The worker's last request: the wait ends. A close made before the wait
    // window is up must still end the wait.
    virtual void close() = 0;

    // An exception the job let escape, set by the worker before it closes;
    // the runner rethrows it on the waiting thread.
    std::exception_ptr failure;
};

using Job = std::function<void(TaskReporter &)>;

// A worker: runs its job once on its own thread, then closes the reporter as
// its last action, whatever happened, and frees itself. The named workers
// (TInitAllCodeThread, TExportThread, …) derive from it; the constructor
// starts the thread at once.
class TWorkerThread : public QThread {
    Q_OBJECT
public:
    TWorkerThread(Job job, TaskReporter &reporter);

protected:
    void run() override;

private:
    Job m_job;
    TaskReporter &m_reporter;
};

// Runs one worker and returns when it has closed its reporter. startWorker
// constructs the named worker with the reporter the runner provides.
class TaskRunner {
public:
    virtual ~TaskRunner() = default;
    virtual void run(const std::function<TWorkerThread *(TaskReporter &)> &startWorker) = 0;
};

// The runner the program uses now; a waiting runner without any window until
// the desktop program or kvam-cli installs its own.
TaskRunner &taskRunner();
TaskRunner *setTaskRunner(TaskRunner *runner);

// Waits in a local event loop and keeps the status texts it was given.
class RecordingTaskRunner : public TaskRunner {
public:
    void run(const std::function<TWorkerThread *(TaskReporter &)> &startWorker) override;
    QStringList statuses() const;

private:
    QStringList m_statuses;
};

// Runs job as a plain TWorkerThread through the installed runner.
void runInBackground(const Job &job);

} // namespace kvam
