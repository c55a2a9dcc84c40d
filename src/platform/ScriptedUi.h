#pragma once

#include "platform/Ui.h"

#include <QList>
#include <QMutex>
#include <QQueue>
#include <functional>

namespace kvam {

// A Ui without a screen: records every message and answers questions and file
// choosers from queues filled beforehand. Anything it was not told to expect
// goes to the unexpected handler and gets the negative answer, so nothing hangs.
class ScriptedUi : public Ui {
public:
    struct Message {
        QString text;
        QString caption;
        MsgIcon icon = MsgIcon::None;
        MsgButtons buttons = MsgButtons::Ok;
    };

    // Called with a description of a prompt nobody scripted.
    std::function<void(const QString &)> onUnexpected;

    void queueAnswer(MsgAnswer answer);
    void queueFileName(const QString &path);

    MsgAnswer message(const QString &text, const QString &caption, MsgIcon icon,
                      MsgButtons buttons) override;
    QString openFileName(const QString &filter) override;
    QString saveFileName(const QString &filter, const QString &defaultSuffix) override;
    void beep() override;

    QList<Message> messages() const;
    QStringList texts() const;
    int beeps() const;
    int pendingAnswers() const;
    void clear();

private:
    QString nextFileName(const QString &what);

    mutable QMutex m_mutex;
    QList<Message> m_messages;
    QQueue<MsgAnswer> m_answers;
    QQueue<QString> m_fileNames;
    int m_beeps = 0;
};

} // namespace kvam
