#pragma once

#include <QMainWindow>

class QAction;
class QCheckBox;
class QPushButton;
class QStatusBar;
class QTableView;
class QTextEdit;

namespace kvam {

class StatusRadioGroup;

// The main window: the hub from which every function is reached. Each action
// is delegated to the subsystem that owns it.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);

    // Caption, legend and the three status choices.
    void FormShow();
    // Asks the exit question; true when the window may close.
    bool FormCloseQuery();
    void actExitExecute();
    void mmAboutClick();
    void acHelpExecute();

    QAction *action(const QString &objectName) const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void buildLayout();
    void buildActions();
    void buildMenu();
    QAction *addAction(const char *name, const QString &caption);

    QPushButton *m_btnAddNew = nullptr;
    QPushButton *m_btnDelete = nullptr;
    QPushButton *m_btnQuery = nullptr;
    QCheckBox *m_chkQueryAll = nullptr;
    QPushButton *m_btnFieldSelection = nullptr;
    QTextEdit *m_rdtHint = nullptr;
    QPushButton *m_btnSaveOK = nullptr;
    StatusRadioGroup *m_DBrgZGSC = nullptr;
    StatusRadioGroup *m_DBrgZGPS = nullptr;
    StatusRadioGroup *m_DBrgZK = nullptr;
    QTableView *m_grid = nullptr;
    bool m_shown = false;
};

} // namespace kvam
