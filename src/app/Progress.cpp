#include "app/Progress.h"

namespace kvam {

namespace {

class QuietDisplay : public ProgressDisplay {
public:
    bool showProgress(int, const QString &) override { return false; }
};

QuietDisplay quietDisplay;
ProgressDisplay *installedDisplay = &quietDisplay;

} // namespace

bool ShowProgress(int percent, const QString &caption) { return installedDisplay->showProgress(percent, caption); }

ProgressDisplay &progressDisplay() { return *installedDisplay; }

ProgressDisplay *setProgressDisplay(ProgressDisplay *display)
{
    ProgressDisplay *previous = installedDisplay;
    installedDisplay = display ? display : &quietDisplay;
    return previous;
}

int NearestPercent(qint64 done, qint64 total)
{
    if (total == 0)
        return 0;
    // Exact in integers: 100·done / total, halves to even.
    const qint64 numerator = done * 100;
    qint64 quotient = numerator / total;
    const qint64 twiceRemainder = 2 * (numerator % total);
    if (twiceRemainder > total || (twiceRemainder == total && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

bool RecordingProgressDisplay::showProgress(int percent, const QString &caption)
{
    if (percent == -1) {
        m_closed = true;
        m_calls.append({percent, caption, false});
        return false;
    }
    ++m_updates;
    const bool cancelled = m_cancelAt.contains(m_updates);
    if (!cancelled)
        m_closed = false;
    m_calls.append({percent, caption, cancelled});
    return cancelled;
}

QList<int> RecordingProgressDisplay::shown() const
{
    QList<int> result;
    for (const Call &c : m_calls) {
        if (c.percent != -1 && !c.cancelled)
            result << c.percent;
    }
    return result;
}

} // namespace kvam
