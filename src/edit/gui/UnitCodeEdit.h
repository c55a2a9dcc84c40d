#pragma once

#include "edit/UnitCodeEntry.h"

#include <QObject>

class QLineEdit;
class QListWidget;

namespace kvam {

// Attaches the work-unit code entry to a form's edtGZDW: Enter, or leaving
// the edit, looks the typed code up, tells the user when it is unknown, asks
// to confirm a known one and then shows its name. The focus stays in the edit
// until a known code is confirmed. On the notice form the confirmed unit's
// direct children fill checkList, unticked.
class UnitCodeEdit : public QObject {
    Q_OBJECT
public:
    UnitCodeEdit(QLineEdit *edit, UnitCodeEntry &entry, QListWidget *checkList = nullptr);

    UnitCodeEntry &entry() { return m_entry; }

    // edtGZDWKeyPress with Enter; edtGZDWExit runs the same.
    void submit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keepFocus();

    QLineEdit *m_edit;
    UnitCodeEntry &m_entry;
    QListWidget *m_checkList;
    bool m_busy = false;
};

} // namespace kvam
