#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace kvam {

// What the viewer asks of the main window around a code upgrade.
struct TCodeListHooks {
    // Before the upgrade: every dataset and the main connection closed.
    std::function<void()> CloseAllDataSet;
    // After a refused upgrade: the main connection open again.
    std::function<void()> Reconnect;
    // After a successful upgrade: the program ends without the exit question.
    std::function<void()> EndProgram;
};

// The code viewer: any code table of T_DMBLIST in a read-only grid, and the
// upgrade of the code tables from a code package.
class TfrmCodeList : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCodeList(TCodeListHooks hooks = {}, QWidget *parent = nullptr);
    ~TfrmCodeList() override;

    void FormShow();
    void cbbTableCloseUp();
    void btnImportCodeClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool openConnection();
    void closeConnection();

    TCodeListHooks m_hooks;
    // The viewer reads the main database through a read-only connection of
    // its own, closed before an upgrade.
    QString m_connection;
    QComboBox *m_cbbTable = nullptr;
    QPushButton *m_btnImportCode = nullptr;
    QTableView *m_dbgCodeTable = nullptr;
    QStandardItemModel *m_tbCodeTable = nullptr;
};

} // namespace kvam
