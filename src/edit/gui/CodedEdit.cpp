#include "edit/gui/CodedEdit.h"

#include "app/gui/FormRoutines.h"
#include "app/untGlobal.h"
#include "edit/gui/untList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace kvam {

namespace {

class CodedEditFilter : public QObject {
public:
    CodedEditFilter(QLineEdit *edit, int kind) : QObject(edit), m_edit(edit), m_kind(kind) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!m_edit->isEnabled())
            return false;
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                EditComponentKeyPress(m_edit, EnterKey, m_kind);
                return true;
            }
            // Only keys that type a character count; Tab keeps moving on.
            const QString text = key->text();
            if (text.isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
                return false;
            EditComponentKeyPress(m_edit, text.at(0).unicode(), m_kind);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
            && m_edit->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
            EditComponentKeyPress(m_edit, ClickKey, m_kind);
            return false;
        }
        return false;
    }

private:
    QLineEdit *m_edit;
    int m_kind;
};

} // namespace

QPoint pickerPosition(const QWidget *requester) { return requester->mapToGlobal(QPoint(0, requester->height())); }

void EditComponentKeyPress(QLineEdit *edit, int key, int kind)
{
    SelectedName = edit->text();
    const QPoint position = pickerPosition(edit);
    if (key == EnterKey && !edit->text().isEmpty()) {
        // As the Tab key would.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(edit->window(), &tab);
    } else {
        ShowModalAt<TfrmSelection>(position, kind, edit->window());
    }
    edit->setText(SelectedName);
}

void attachCodedEdit(QLineEdit *edit, int kind)
{
    edit->setReadOnly(true);
    edit->installEventFilter(new CodedEditFilter(edit, kind));
}

} // namespace kvam
