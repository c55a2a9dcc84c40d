#include "cli/ConsoleUi.h"

#include "cli/CliCommand.h"

namespace kvam::cli {

MsgAnswer ConsoleUi::message(const QString &text, const QString &caption, MsgIcon, MsgButtons buttons)
{
    err(caption + QStringLiteral(": ") + text + QLatin1Char('\n'));
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    if (m_hasAlways)
        return m_always;
    throw Refused{text};
}

QString ConsoleUi::openFileName(const QString &filter) { throw Refused{filter}; }

QString ConsoleUi::saveFileName(const QString &filter, const QString &) { throw Refused{filter}; }

ConsoleUi &consoleUi()
{
    static ConsoleUi instance;
    return instance;
}

} // namespace kvam::cli
