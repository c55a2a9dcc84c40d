#include "edit/gui/MonthYearPicker.h"

#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>

namespace kvam {

QDateEdit *makeMonthYearPicker(QWidget *parent, const QString &name, const QString &panelName, QFrame **panel)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(panelName);
    frame->setFixedSize(120, 28);
    auto *layout = new QHBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *edit = new QDateEdit(frame);
    edit->setObjectName(name);
    edit->setDisplayFormat(QStringLiteral("yyyy年M月"));
    edit->setCurrentSection(QDateTimeEdit::MonthSection);
    layout->addWidget(edit);
    if (panel)
        *panel = frame;
    return edit;
}

} // namespace kvam
