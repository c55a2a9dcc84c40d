#pragma once

#include <QMainWindow>

class QAction;

namespace kvam {

// The main window: the hub from which every function is reached.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);

    // Asks the exit question; true when the window may close.
    bool FormCloseQuery();
    void actExitExecute();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void buildMenu();

    QAction *m_actExit = nullptr;
};

} // namespace kvam
