#include "app/gui/WaitWindowRunner.h"

#include "app/gui/WaitU1.h"
#include "app/untGlobal.h"

#include <QMutex>
#include <QPointer>

namespace kvam {

namespace {

// Carries the worker's requests to the window on the main thread, in order.
// Status texts are coalesced: a worker that reports every record must not
// flood the event queue; the last text is the one shown.
class WaitWindowReporter : public TaskReporter {
public:
    explicit WaitWindowReporter(TWaitForm1 &form) : m_form(&form) {}

    void setStatus(const QString &text) override
    {
        QMutexLocker lock(&m_mutex);
        m_status = text;
        if (m_statusPosted)
            return;
        m_statusPosted = true;
        QMetaObject::invokeMethod(m_form, [this]() { m_form->setStatus(takeStatus()); }, Qt::QueuedConnection);
    }

    void close() override
    {
        QMetaObject::invokeMethod(m_form, [this]() { m_form->requestClose(); }, Qt::QueuedConnection);
    }

private:
    QString takeStatus()
    {
        QMutexLocker lock(&m_mutex);
        m_statusPosted = false;
        return m_status;
    }

    TWaitForm1 *m_form;
    QMutex m_mutex;
    QString m_status;
    bool m_statusPosted = false;
};

} // namespace

void WaitWindowRunner::run(const std::function<TWorkerThread *(TaskReporter &)> &startWorker)
{
    TWaitForm1 form;
    WaitWindowReporter reporter(form);
    ContinueFlag = 1;
    QPointer<TWorkerThread> worker = startWorker(reporter);
    form.exec();
    // The close is the worker's last request: let it end before the reporter goes.
    if (worker)
        worker->wait();
    if (reporter.failure)
        std::rethrow_exception(reporter.failure);
}

} // namespace kvam
