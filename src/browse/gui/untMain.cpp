#include "browse/gui/untMain.h"

#include "app/untGlobal.h"
#include "browse/gui/StatusRadioGroup.h"
#include "browse/gui/untAbout.h"
#include "platform/DocumentOpener.h"
#include "platform/Ui.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kvam {

namespace {

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor Green(0, 128, 0);

QPushButton *makeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    FormCreate();
    buildLayout();
    buildActions();
    buildMenu();
    resize(791, 518);
}

void TfrmMain::FormCreate()
{
    InitGlobals();
    CreateWorkingDirectories();
}

void TfrmMain::buildLayout()
{
    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *panel3 = new QWidget(central);
    panel3->setObjectName(QStringLiteral("Panel3"));
    panel3->setFixedHeight(41);
    auto *top = new QHBoxLayout(panel3);
    top->setContentsMargins(8, 4, 8, 4);
    m_btnAddNew = makeButton("btnAddNew", QStringLiteral("编  辑"), panel3);
    m_btnDelete = makeButton("btnDelete", QStringLiteral("删  除"), panel3);
    m_btnQuery = makeButton("btnQuery", QStringLiteral("查询定制"), panel3);
    m_chkQueryAll = new QCheckBox(QStringLiteral("查询全部"), panel3);
    m_chkQueryAll->setObjectName(QStringLiteral("chkQueryAll"));
    m_btnFieldSelection = makeButton("btnFieldSelection", QStringLiteral("显示定制"), panel3);
    for (QWidget *w : {static_cast<QWidget *>(m_btnAddNew), static_cast<QWidget *>(m_btnDelete),
                       static_cast<QWidget *>(m_btnQuery), static_cast<QWidget *>(m_chkQueryAll),
                       static_cast<QWidget *>(m_btnFieldSelection)})
        top->addWidget(w);
    top->addStretch();
    outer->addWidget(panel3);

    auto *body = new QHBoxLayout;
    body->setSpacing(0);
    auto *panel2 = new QWidget(central);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFixedWidth(200);
    auto *left = new QVBoxLayout(panel2);
    left->setContentsMargins(4, 4, 4, 4);
    m_rdtHint = new QTextEdit(panel2);
    m_rdtHint->setObjectName(QStringLiteral("rdtHint"));
    m_rdtHint->setReadOnly(true);
    m_rdtHint->setFixedHeight(88);
    left->addWidget(m_rdtHint);
    auto *panel4 = new QWidget(panel2);
    panel4->setObjectName(QStringLiteral("Panel4"));
    panel4->setFixedHeight(44);
    auto *saveRow = new QHBoxLayout(panel4);
    m_btnSaveOK = makeButton("btnSaveOK", QStringLiteral("确认修改"), panel4);
    saveRow->addWidget(m_btnSaveOK);
    left->addWidget(panel4);
    m_DBrgZGSC = new StatusRadioGroup(QStringLiteral("资格审查状态"), panel2);
    m_DBrgZGSC->setObjectName(QStringLiteral("DBrgZGSC"));
    m_DBrgZGPS = new StatusRadioGroup(QStringLiteral("资格评审状态"), panel2);
    m_DBrgZGPS->setObjectName(QStringLiteral("DBrgZGPS"));
    m_DBrgZK = new StatusRadioGroup(QStringLiteral("暂扣状态"), panel2);
    m_DBrgZK->setObjectName(QStringLiteral("DBrgZK"));
    left->addWidget(m_DBrgZGSC);
    left->addWidget(m_DBrgZGPS);
    left->addWidget(m_DBrgZK);
    left->addStretch();
    body->addWidget(panel2);

    m_grid = new QTableView(central);
    m_grid->setObjectName(QStringLiteral("DBGridEhGRXX"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->horizontalHeader()->setSectionsMovable(false);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->setShowGrid(true);
    body->addWidget(m_grid, 1);
    outer->addLayout(body, 1);

    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
}

QAction *TfrmMain::addAction(const char *name, const QString &caption)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

void TfrmMain::buildActions()
{
    addAction("acExportToExcel", QStringLiteral("输出到excel"));
    connect(addAction("actExit", QStringLiteral("退出")), &QAction::triggered, this, &TfrmMain::actExitExecute);
    addAction("acImport", QStringLiteral("导入"));
    addAction("acExport", QStringLiteral("导出"));
    addAction("acUpgradeCode", QStringLiteral("更新代码"));
    addAction("acReportByType", QStringLiteral("评审信息汇总"));
    addAction("acReportByType2", QStringLiteral("资格审查信息汇总"));
    addAction("acTrans", QStringLiteral("生成转送表"));
    addAction("acAnnounce", QStringLiteral("生成任职资格通知"));
    connect(addAction("acHelp", QStringLiteral("帮助")), &QAction::triggered, this, &TfrmMain::acHelpExecute);
    // Actions whose functions are not wired yet stay disabled.
    for (const char *pending : {"acExportToExcel", "acImport", "acExport", "acUpgradeCode", "acReportByType",
                                "acReportByType2", "acTrans", "acAnnounce"})
        action(QString::fromLatin1(pending))->setEnabled(false);
}

QAction *TfrmMain::action(const QString &objectName) const { return findChild<QAction *>(objectName); }

void TfrmMain::buildMenu()
{
    // A menu item shows its own caption where it has one, else its action's.
    auto item = [this](QMenu *menu, const char *name, const char *actionName, const QString &caption = {}) {
        QAction *target = action(QString::fromLatin1(actionName));
        QAction *entry = menu->addAction(caption.isEmpty() ? target->text() : caption);
        entry->setObjectName(QString::fromLatin1(name));
        entry->setEnabled(target->isEnabled());
        connect(target, &QAction::changed, entry, [entry, target]() { entry->setEnabled(target->isEnabled()); });
        connect(entry, &QAction::triggered, target, &QAction::trigger);
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    item(file, "mmExportToExcel", "acExportToExcel");
    file->addSeparator();
    item(file, "mmExit", "actExit");
    QMenu *data = menuBar()->addMenu(QStringLiteral("数据(&D)"));
    item(data, "mmImport", "acImport");
    item(data, "mmExport", "acExport");
    data->addSeparator();
    item(data, "mmUpgradeCode", "acUpgradeCode", QStringLiteral("查看代码"));
    QMenu *reports = menuBar()->addMenu(QStringLiteral("报表查询(&R)"));
    item(reports, "mmReportByType", "acReportByType");
    item(reports, "N2", "acReportByType2");
    item(reports, "mmTrans", "acTrans", QStringLiteral("生成情况登记表"));
    item(reports, "mmAnnounce", "acAnnounce");
    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    QAction *about = help->addAction(QStringLiteral("关于(&A)"));
    about->setObjectName(QStringLiteral("mmAbout"));
    connect(about, &QAction::triggered, this, &TfrmMain::mmAboutClick);
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmMain::FormShow()
{
    setWindowTitle(QStringLiteral("评审版 V1.0 build081014"));
    m_rdtHint->clear();
    const QPair<QString, QColor> legend[] = {
        {QStringLiteral("审核未通过"), Blue}, {QStringLiteral("评审未通过"), Red}, {QStringLiteral("被暂扣"), Green}};
    for (const auto &[text, colour] : legend) {
        m_rdtHint->setTextColor(colour);
        m_rdtHint->append(text);
    }
}

bool TfrmMain::FormCloseQuery()
{
    return askYesNo(QStringLiteral("是否确认要退出程序"), QStringLiteral("选择"));
}

void TfrmMain::actExitExecute() { close(); }

void TfrmMain::mmAboutClick()
{
    TfrmAbout about(this);
    about.exec();
}

void TfrmMain::acHelpExecute() { documentOpener().open(AppDir + QStringLiteral("/qorn.chm")); }

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

} // namespace kvam
