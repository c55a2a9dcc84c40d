#pragma once

#include "edit/ApplicationDetails.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace kvam {

// The two-page wizard of the application details: what is applied for, then
// the results and the present qualification. Created once and shown again
// each time the editor starts a new record (mode 0, empty) or changes one
// (mode 1, filled from CurGrxx). Picks of 申报资格, 申报专业 and 现任技术资格
// reach CurGrxx at once; the rest when the wizard completes.
class TfrmPersonInfoAddon : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPersonInfoAddon(QWidget *parent = nullptr);

    int AddonMode = 0;
    int CurrentPage = 0;

    void FormShow();
    void btnNextStepClick();
    void btnPreStepClick();

    // What the seven edits and the date show now.
    ApplicationDetails details() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showPage(int page);
    void fillEdits();

    QLabel *m_pnlWarning;
    QStackedWidget *m_pages;
    QLineEdit *m_edtZG, *m_edtDJ, *m_edtZY, *m_edtJSFS, *m_edtJSJ, *m_edtWY, *m_edtJSZG;
    QDateEdit *m_mskZGSJ;
    QPushButton *m_btnPreStep, *m_btnNextStep;
};

} // namespace kvam
