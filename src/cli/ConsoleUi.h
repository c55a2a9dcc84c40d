#pragma once

#include "platform/Ui.h"

#include <QQueue>

namespace kvam::cli {

// The Ui of kvam-cli: every message goes to standard error as "caption: text".
// A question is answered from the answers a command's flags gave, in order;
// one that no flag answers refuses the command (exit code 2).
class ConsoleUi : public Ui {
public:
    void answerNext(MsgAnswer answer) { m_answers.enqueue(answer); }
    // Answers every question with answer (a command's "--yes").
    void answerAll(MsgAnswer answer) { m_always = answer; m_hasAlways = true; }

    MsgAnswer message(const QString &text, const QString &caption, MsgIcon icon,
                      MsgButtons buttons) override;
    QString openFileName(const QString &filter) override;
    QString saveFileName(const QString &filter, const QString &defaultSuffix) override;
    void beep() override {}

private:
    QQueue<MsgAnswer> m_answers;
    MsgAnswer m_always = MsgAnswer::No;
    bool m_hasAlways = false;
};

ConsoleUi &consoleUi();

} // namespace kvam::cli
