#pragma once

#include <QMainWindow>

class QAction;
class QCheckBox;
class QModelIndex;
class QPushButton;
class QStatusBar;
class QTableView;
class QTextEdit;

namespace kvam {

class StatusRadioGroup;
class TfrmPersonInfoAddon;
class TfrmQueryTj;

// The main window: the hub from which every function is reached. Each action
// is delegated to the subsystem that owns it.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // programFile names the program whose directory holds the data.
    explicit TfrmMain(const QString &programFile = QString(), QWidget *parent = nullptr);

    // The two forms created at start-up after the data module.
    void useForms(TfrmQueryTj *queryBuilder, TfrmPersonInfoAddon *wizard);

    // Caption, legend and the three status choices.
    void FormShow();
    // Asks the exit question; true when the window may close.
    bool FormCloseQuery();
    void actExitExecute();
    void mmAboutClick();
    void acHelpExecute();

    void btnQueryClick();
    void btnAddNewClick();
    void btnDeleteClick();
    void btnSaveOKClick();
    void btnFieldSelectionClick();
    void DBGridEhGRXXCellClick(const QModelIndex &index);
    void acExportExecute();
    void acImportExecute();
    void acUpgradeCodeExecute();
    void acExportToExcelExecute();
    void acTransExecute();
    void acAnnounceExecute();
    void acReportByTypeExecute();
    void acReportByType2Execute();

    QAction *action(const QString &objectName) const;
    QTableView *grid() const { return m_grid; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(const QString &programFile);
    void buildLayout();
    void buildActions();
    void buildMenu();
    QAction *addAction(const char *name, const QString &caption);

    // Opens the records with the condition file and shows their count.
    void refresh();
    void showRecordCount();
    void fillStatusGroups();
    // The current row's flags into the groups; a pending change of the row
    // left is written first.
    void currentRowChanged(int row, int previous);
    bool writeFlags(int row);
    void recolourStatusGroups();
    void selectAllRows();
    QList<int> selectedRows() const;
    int selectedRowCount() const;

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
    TfrmQueryTj *m_queryBuilder = nullptr;
    TfrmPersonInfoAddon *m_wizard = nullptr;
    bool m_shown = false;
    bool m_flagsPending = false;
    bool m_skipExitQuestion = false;
};

} // namespace kvam
