#include "edit/gui/UnitCodeEdit.h"

#include "platform/Ui.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

namespace kvam {

UnitCodeEdit::UnitCodeEdit(QLineEdit *edit, UnitCodeEntry &entry, QListWidget *checkList)
    : QObject(edit), m_edit(edit), m_entry(entry), m_checkList(checkList)
{
    edit->installEventFilter(this);
}

bool UnitCodeEdit::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            submit();
            return true;
        }
        if (!key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
            m_entry.keyPressed();
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        // Only a move to another control of the form counts as leaving the
        // edit, not a message box or another window coming up.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && m_edit->isEnabled())
            submit();
    }
    return false;
}

void UnitCodeEdit::submit()
{
    if (m_busy)
        return;
    m_busy = true;
    const QString text = m_edit->text();
    const UnitCodeEntry::LookupResult result = m_entry.submit(text);
    if (result.lookup == UnitCodeEntry::Lookup::NotFound) {
        showMessage(UnitCodeEntry::notFoundMessage(), QStringLiteral("错误"), MsgIcon::Error);
        keepFocus();
    } else if (result.lookup == UnitCodeEntry::Lookup::Found) {
        if (askYesNo(UnitCodeEntry::confirmQuestion(result.name), QStringLiteral("选择"))) {
            m_entry.confirm(text);
            m_edit->setText(result.name);
            if (m_checkList) {
                m_checkList->clear();
                for (const QString &name : m_entry.ChildUnitNames) {
                    auto *item = new QListWidgetItem(name, m_checkList);
                    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                    item->setCheckState(Qt::Unchecked);
                }
            }
        } else {
            keepFocus();
        }
    }
    m_busy = false;
}

void UnitCodeEdit::keepFocus()
{
    // Deferred: the focus may be on its way to another control right now.
    QTimer::singleShot(0, m_edit, [this]() {
        if (!m_entry.UnitConfirmed)
            m_edit->setFocus(Qt::OtherFocusReason);
    });
}

} // namespace kvam
