#pragma once

#include "data/CodeCache.h"
#include "platform/Ui.h"

#include <QString>

namespace kvam {

// The outcome of one check of the record being saved: empty when it passed,
// otherwise the message to show and the control (by its name) that gets
// the focus.
struct RecordCheck {
    QString message;
    QString caption = QStringLiteral("错误");
    MsgIcon icon = MsgIcon::Error;
    QString focus;

    bool ok() const { return message.isEmpty(); }
};

// Fails when text is empty after trimming: "您未正确填写" + label + "信息，请检查后填写".
RecordCheck requireText(const QString &text, const QString &label, const QString &focus = {});

// The integer code of the name shown for label (-1 when the name is not in
// table). A code that is no decimal number is a fault of the code table and
// fails with a message naming the field.
RecordCheck integerCode(const QString &name, const TCodeArray &table, const QString &label, int &code,
                        const QString &focus = {});

} // namespace kvam
