#include "platform/gui/QtUi.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>

namespace kvam {

namespace {

// Over the modal window when there is one (the wait window stays on top).
QWidget *dialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

template <typename Result, typename Fn>
Result onMainThread(Fn fn)
{
    if (QThread::currentThread() == qApp->thread())
        return fn();
    Result result{};
    QMetaObject::invokeMethod(qApp, fn, Qt::BlockingQueuedConnection, &result);
    return result;
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MsgAnswer QtUi::message(const QString &text, const QString &caption, MsgIcon icon, MsgButtons buttons)
{
    return onMainThread<MsgAnswer>([=]() {
        QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, dialogParent());
        switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Ok: return MsgAnswer::Ok;
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        default: return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
        }
    });
}

QString QtUi::openFileName(const QString &filter)
{
    return onMainThread<QString>([=]() {
        QFileDialog dialog(dialogParent());
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(qtFiltersOf(filter));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    });
}

QString QtUi::saveFileName(const QString &filter, const QString &defaultSuffix)
{
    return onMainThread<QString>([=]() {
        QFileDialog dialog(dialogParent());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(qtFiltersOf(filter));
        dialog.setDefaultSuffix(defaultSuffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    });
}

void QtUi::beep() { QApplication::beep(); }

} // namespace kvam
