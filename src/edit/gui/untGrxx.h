#pragma once

#include "app/gui/TaggedDialog.h"
#include "edit/PersonEntry.h"

#include <QSqlDatabase>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kvam {

class PhotoBox;
class TfrmPersonInfoAddon;
class UnitCodeEdit;

// The person editor: shows CurGrxx, lets the user change it (修改) or enter
// a new person (新增) with the application details in the wizard, and saves
// it (保存) through the connection it was given. The tag is 1 once a save
// reached the database.
class TfrmGrxx : public TaggedDialog {
    Q_OBJECT
public:
    TfrmGrxx(QSqlDatabase db, TfrmPersonInfoAddon &wizard, QWidget *parent = nullptr);

    // 0 a new record (save inserts), 1 an existing one (save updates).
    quint8 EditMode = 0;
    // The identity number the record being edited is stored under.
    QString OldZjhm;

    void FormShow();
    void InitAllEdit(int fill);
    void SetEditComponentControlStauts(bool enabled);
    void btnAddNewClick();
    void btnEditClick();
    void btnSaveClick();
    void chkSameAsAboveClick();
    void imgGRZPDblClick();
    void imgZJZPDblClick();
    void edtZJHMExit();

    // What the controls show now.
    PersonEntry entry() const;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildForm();
    void choosePhoto(PhotoBox *box, QByteArray &photo, bool &hasPhoto);
    void setDate(QDateEdit *edit, const QString &text, QStringList &faults);

    QSqlDatabase m_db;
    TfrmPersonInfoAddon &m_wizard;
    UnitCodeEdit *m_unitEntry = nullptr;

    QLineEdit *m_edtXM, *m_edtMZ, *m_edtZJLX, *m_edtZJHM, *m_edtZZMM;
    QGroupBox *m_rdgXB;
    QButtonGroup *m_xb;
    QDateEdit *m_mskCSRQ;
    QLineEdit *m_edtFirstXL, *m_edtFirstXW, *m_edtfirstSXZY, *m_edtFirstBYYX, *m_edtFirstZSHM;
    QDateEdit *m_mskFirstBYSJ;
    QLineEdit *m_edtLastXL, *m_edtLastXW, *m_edtLastSXZY, *m_edtLastBYYX, *m_edtLastZSHM;
    QDateEdit *m_mskLastBYSJ;
    QLineEdit *m_edtGZDW;
    QDateEdit *m_mskCJGZSJ;
    QLineEdit *m_edtDWXZ, *m_edtCSZY;
    QLineEdit *m_edtDH[4];
    QPlainTextEdit *m_memBZ;
    PhotoBox *m_imgGRZP, *m_imgZJZP;
    QPushButton *m_btnAddNew, *m_btnSave, *m_btnEdit;
    QCheckBox *m_chkSameAsAbove;
};

} // namespace kvam
