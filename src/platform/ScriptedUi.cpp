#include "platform/ScriptedUi.h"

#include <QStringList>

namespace kvam {

void ScriptedUi::queueAnswer(MsgAnswer answer)
{
    QMutexLocker lock(&m_mutex);
    m_answers.enqueue(answer);
}

void ScriptedUi::queueFileName(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    m_fileNames.enqueue(path);
}

MsgAnswer ScriptedUi::message(const QString &text, const QString &caption, MsgIcon icon,
                              MsgButtons buttons)
{
    QMutexLocker lock(&m_mutex);
    m_messages.append({text, caption, icon, buttons});
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    lock.unlock();
    if (onUnexpected)
        onUnexpected(QStringLiteral("unexpected question [%1] %2").arg(caption, text));
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
}

QString ScriptedUi::nextFileName(const QString &what)
{
    QMutexLocker lock(&m_mutex);
    if (!m_fileNames.isEmpty())
        return m_fileNames.dequeue();
    lock.unlock();
    if (onUnexpected)
        onUnexpected(QStringLiteral("unexpected file chooser ") + what);
    return {};
}

QString ScriptedUi::openFileName(const QString &filter) { return nextFileName(filter); }

QString ScriptedUi::saveFileName(const QString &filter, const QString &) { return nextFileName(filter); }

void ScriptedUi::beep()
{
    QMutexLocker lock(&m_mutex);
    ++m_beeps;
}

QList<ScriptedUi::Message> ScriptedUi::messages() const
{
    QMutexLocker lock(&m_mutex);
    return m_messages;
}

QStringList ScriptedUi::texts() const
{
    QMutexLocker lock(&m_mutex);
    QStringList result;
    for (const Message &m : m_messages)
        result << m.text;
    return result;
}

int ScriptedUi::beeps() const
{
    QMutexLocker lock(&m_mutex);
    return m_beeps;
}

int ScriptedUi::pendingAnswers() const
{
    QMutexLocker lock(&m_mutex);
    return m_answers.size() + m_fileNames.size();
}

void ScriptedUi::clear()
{
    QMutexLocker lock(&m_mutex);
    m_messages.clear();
    m_answers.clear();
    m_fileNames.clear();
    m_beeps = 0;
}

} // namespace kvam
