#include "cli/TerminalProgress.h"

#include "cli/CliCommand.h"

#include <cstdio>
#include <unistd.h>

namespace kvam::cli {

bool TerminalProgress::showProgress(int percent, const QString &caption)
{
    const bool tty = isatty(fileno(stderr));
    if (percent == -1) {
        if (tty && m_last >= 0)
            err(QStringLiteral("\n"));
        m_last = -1;
        return false;
    }
    if (percent != m_last)
        err((tty ? QStringLiteral("\r\033[K") : QString()) + caption + QStringLiteral(" %1%").arg(percent) +
            (tty ? QString() : QStringLiteral("\n")));
    m_last = percent;
    return false;
}

} // namespace kvam::cli
