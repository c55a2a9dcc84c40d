#include "support/ModalDriver.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>

namespace kvam::test {

bool driveModal(const std::function<void()> &trigger, const std::function<void(QDialog *)> &drive, int timeoutMs)
{
    bool appeared = false;
    const QDeadlineTimer deadline(timeoutMs);
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&]() {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (deadline.hasExpired())
                poll.stop();
            return;
        }
        poll.stop();
        appeared = true;
        QPointer<QDialog> guard(dialog);
        drive(dialog);
        // Close whatever the drive left open, failed or not.
        if (guard && guard->isVisible())
            guard->reject();
    });
    poll.start();
    trigger();
    poll.stop();
    return appeared;
}

} // namespace kvam::test
