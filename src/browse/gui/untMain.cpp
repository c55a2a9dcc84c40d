#include "browse/gui/untMain.h"

#include "app/untGlobal.h"
#include "platform/Ui.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>

namespace kvam {

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    FormCreate();
    setWindowTitle(QStringLiteral("评审版 V1.0 build081014"));
    resize(791, 518);
    buildMenu();
}

void TfrmMain::FormCreate()
{
    InitGlobals();
    CreateWorkingDirectories();
}

void TfrmMain::buildMenu()
{
    m_actExit = new QAction(QStringLiteral("退出"), this);
    m_actExit->setObjectName(QStringLiteral("actExit"));
    connect(m_actExit, &QAction::triggered, this, &TfrmMain::actExitExecute);

    QMenu *file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->setObjectName(QStringLiteral("mmFile"));
    QAction *exit = file->addAction(m_actExit->text());
    exit->setObjectName(QStringLiteral("mmExit"));
    connect(exit, &QAction::triggered, m_actExit, &QAction::trigger);
}

bool TfrmMain::FormCloseQuery()
{
    return askYesNo(QStringLiteral("是否确认要退出程序"), QStringLiteral("选择"));
}

void TfrmMain::actExitExecute() { close(); }

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

} // namespace kvam
