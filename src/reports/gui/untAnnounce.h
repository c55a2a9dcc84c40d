#pragma once

#include "reports/Notices.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kvam {

class UnitCodeEdit;

// 发文通知选项: the supervising unit, then the units, levels and series to
// write qualification notices for.
class TfrmAnnounce : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAnnounce(QWidget *parent = nullptr);

    void FormShow();
    void chkSelectAllUnitClick();
    void chkSelectAllLevelClick();
    void chkSelectAllSerieClick();
    void btnExportClick();

    // The ticked entries, in list order, and the confirmed unit's level.
    NoticeSelection selection() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_edtGZDW;
    QListWidget *m_chklbUnit;
    QListWidget *m_chklbLevel;
    QListWidget *m_chklbSeries;
    QCheckBox *m_chkSelectAllUnit;
    QCheckBox *m_chkSelectAllLevel;
    QCheckBox *m_chkSelectAllSerie;
    QPushButton *m_btnExport;
    UnitCodeEdit *m_unitEdit;
    QStringList m_levelCodes;
    QStringList m_seriesCodes;
};

} // namespace kvam
