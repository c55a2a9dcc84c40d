#pragma once

#include <QList>
#include <QString>

// The progress of a long loop on the main thread (spreadsheets and
// documents): the desktop program shows its progress dialog, kvam-cli a
// percentage on standard error, tests record the calls.
namespace kvam {

class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    // percent -1 closes the display and answers false. Otherwise: true once
    // when Cancel was pressed since the last update (nothing is shown then);
    // else shows percent and caption and answers false.
    virtual bool showProgress(int percent, const QString &caption) = 0;
};

// Through the installed display.
bool ShowProgress(int percent, const QString &caption);

ProgressDisplay &progressDisplay();
// Installs display (not owned); returns the one it replaces.
ProgressDisplay *setProgressDisplay(ProgressDisplay *display);

// The integer nearest to done × 100 / total; an exact half goes to the even
// integer. 0 when total is 0.
int NearestPercent(qint64 done, qint64 total);

// Records every call; can act as if Cancel had been pressed before a chosen
// call (counted from 1, the closing call -1 not counted).
class RecordingProgressDisplay : public ProgressDisplay {
public:
    struct Call {
        int percent;
        QString caption;
        bool cancelled;
    };

    void cancelBeforeUpdate(int updateNumber) { m_cancelAt << updateNumber; }
    bool showProgress(int percent, const QString &caption) override;

    QList<Call> calls() const { return m_calls; }
    // The percentages shown, in order (cancelled updates and closes left out).
    QList<int> shown() const;
    bool closed() const { return m_closed; }

private:
    QList<Call> m_calls;
    QList<int> m_cancelAt;
    int m_updates = 0;
    bool m_closed = false;
};

} // namespace kvam
