#pragma once

#include "platform/Ui.h"

namespace kvam {

// Message boxes and file dialogs of the desktop program. Calls from a worker
// thread are carried out on the main thread while the worker waits.
class QtUi : public Ui {
public:
    MsgAnswer message(const QString &text, const QString &caption, MsgIcon icon,
                      MsgButtons buttons) override;
    QString openFileName(const QString &filter) override;
    QString saveFileName(const QString &filter, const QString &defaultSuffix) override;
    void beep() override;
};

} // namespace kvam
