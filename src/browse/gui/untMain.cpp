#include "browse/gui/untMain.h"

#include "app/gui/FormRoutines.h"
#include "app/untGlobal.h"
#include "browse/gui/FlagDotDelegate.h"
#include "browse/gui/QueryDesign.h"
#include "browse/gui/StatusRadioGroup.h"
#include "browse/gui/untAbout.h"
#include "browse/gui/untMainGridFieldSelection.h"
#include "data/GrxxQueryModel.h"
#include "data/untDataM.h"
#include "edit/gui/PersonEditing.h"
#include "exchange/gui/PackageActions.h"
#include "exchange/gui/untCodeList.h"
#include "platform/DocumentOpener.h"
#include "platform/GbkText.h"
#include "platform/Ui.h"
#include "reports/gui/ReportActions.h"
#include "reports/gui/untReport.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSqlError>
#include <QSqlQuery>
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

TfrmMain::TfrmMain(const QString &programFile, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    FormCreate(programFile);
    buildLayout();
    buildActions();
    buildMenu();
    resize(791, 518);
}

void TfrmMain::FormCreate(const QString &programFile)
{
    if (programFile.isEmpty())
        InitGlobals();
    else
        InitGlobals(programFile);
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

    connect(m_btnAddNew, &QPushButton::clicked, this, &TfrmMain::btnAddNewClick);
    connect(m_btnDelete, &QPushButton::clicked, this, &TfrmMain::btnDeleteClick);
    connect(m_btnQuery, &QPushButton::clicked, this, &TfrmMain::btnQueryClick);
    connect(m_btnFieldSelection, &QPushButton::clicked, this, &TfrmMain::btnFieldSelectionClick);
    connect(m_btnSaveOK, &QPushButton::clicked, this, &TfrmMain::btnSaveOKClick);
    connect(m_grid, &QTableView::clicked, this, &TfrmMain::DBGridEhGRXXCellClick);
    m_grid->installEventFilter(this);
    for (StatusRadioGroup *group : {m_DBrgZGSC, m_DBrgZGPS, m_DBrgZK})
        connect(group, &StatusRadioGroup::chosen, this, [this]() { m_flagsPending = true; });
}

void TfrmMain::useForms(TfrmQueryTj *queryBuilder, TfrmPersonInfoAddon *wizard)
{
    m_queryBuilder = queryBuilder;
    m_wizard = wizard;
    // The grid shows the data module's record query for the whole run.
    GrxxQueryModel *model = DataM->qryGrxx();
    m_grid->setModel(model);
    m_grid->setItemDelegate(new FlagDotDelegate(
        [model](int row) {
            auto flag = [&](const char *name) {
                return model->value(row, model->columnIndex(QString::fromLatin1(name))).toString();
            };
            return FlagValues{flag("z_shbz"), flag("z_psbz"), flag("z_zkbz")};
        },
        m_grid));
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                currentRowChanged(current.row(), previous.row());
            });
    connect(model, &QAbstractItemModel::modelReset, this, [this]() {
        m_flagsPending = false;
        showRecordCount();
    });
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
    connect(action(QStringLiteral("acImport")), &QAction::triggered, this, &TfrmMain::acImportExecute);
    connect(action(QStringLiteral("acExport")), &QAction::triggered, this, &TfrmMain::acExportExecute);
    connect(action(QStringLiteral("acUpgradeCode")), &QAction::triggered, this, &TfrmMain::acUpgradeCodeExecute);
    connect(action(QStringLiteral("acReportByType")), &QAction::triggered, this, &TfrmMain::acReportByTypeExecute);
    connect(action(QStringLiteral("acReportByType2")), &QAction::triggered, this, &TfrmMain::acReportByType2Execute);
    connect(action(QStringLiteral("acExportToExcel")), &QAction::triggered, this, &TfrmMain::acExportToExcelExecute);
    connect(action(QStringLiteral("acTrans")), &QAction::triggered, this, &TfrmMain::acTransExecute);
    connect(action(QStringLiteral("acAnnounce")), &QAction::triggered, this, &TfrmMain::acAnnounceExecute);
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
    fillStatusGroups();
}

void TfrmMain::fillStatusGroups()
{
    const QPair<StatusRadioGroup *, QString> groups[] = {{m_DBrgZGSC, QStringLiteral("T_DM_GRJBXX00_SHBZ")},
                                                         {m_DBrgZGPS, QStringLiteral("T_DM_GRJBXX00_PSBZ")},
                                                         {m_DBrgZK, QStringLiteral("T_DM_GRJBXX00_ZKBZ")}};
    for (const auto &[group, table] : groups) {
        QSqlQuery query = DataM->qryOperator();
        if (!query.exec(QStringLiteral(" select z_bm, z_mc from %1 order by z_bm desc ").arg(table))) {
            LogError(QStringLiteral("初始化界面失败！"), query.lastError().text());
            return;
        }
        QList<QPair<QString, QString>> items;
        while (query.next())
            items.append({query.value(0).toString().trimmed(), query.value(1).toString().trimmed()});
        group->setItems(items);
    }
    currentRowChanged(m_grid->currentIndex().row(), -1);
}

void TfrmMain::btnQueryClick()
{
    if (m_chkQueryAll->isChecked()) {
        QString error;
        if (!writeGbkLines(QueryConFile, {QStringLiteral(" 1=1 ")}, &error)) {
            LogError(QStringLiteral("无法打开数据表，请重新定制查询"), error);
            return;
        }
        refresh();
    } else if (m_queryBuilder && customiseQueryCondition(*m_queryBuilder)) {
        refresh();
    }
    m_grid->setColumnWidth(0, 60);
}

void TfrmMain::refresh()
{
    GrxxQueryModel *model = DataM->qryGrxx();
    if (!DataM->OpenGrxxTable()) {
        LogError(QStringLiteral("无法打开数据表，请重新定制查询"), QStringLiteral("the record query did not open"));
        return;
    }
    for (int c = 0; c < model->columnCount(); ++c)
        m_grid->setColumnHidden(c, model->isColumnHidden(c));
    AutoFitColumns(m_grid);
    if (model->rowCount() > 0)
        m_grid->setCurrentIndex(model->index(0, 0));
    showRecordCount();
}

void TfrmMain::showRecordCount()
{
    const GrxxQueryModel *model = DataM ? DataM->qryGrxx() : nullptr;
    if (!model || !model->isOpen()) {
        statusBar()->clearMessage();
        return;
    }
    statusBar()->showMessage(QStringLiteral("   目前共有") + QString::number(model->rowCount())
                             + QStringLiteral("条记录"));
}

void TfrmMain::currentRowChanged(int row, int previous)
{
    if (m_flagsPending && previous >= 0)
        writeFlags(previous);
    m_flagsPending = false;
    const GrxxQueryModel *model = DataM->qryGrxx();
    auto flag = [&](const char *name) {
        return row < 0 ? QString() : model->value(row, model->columnIndex(QString::fromLatin1(name))).toString();
    };
    m_DBrgZGSC->setValue(flag("z_shbz"));
    m_DBrgZGPS->setValue(flag("z_psbz"));
    m_DBrgZK->setValue(flag("z_zkbz"));
}

bool TfrmMain::writeFlags(int row)
{
    QString error;
    if (!DataM->qryGrxx()->setFlags(row, m_DBrgZGSC->value(), m_DBrgZGPS->value(), m_DBrgZK->value(), &error)) {
        LogError(QStringLiteral("更新出错"), error);
        return false;
    }
    m_flagsPending = false;
    return true;
}

void TfrmMain::btnSaveOKClick()
{
    const int row = m_grid->currentIndex().row();
    if (!DataM->isGrxxOpen() || row < 0) {
        LogError(QStringLiteral("更新出错"), QStringLiteral("no record is open"));
        return;
    }
    if (writeFlags(row))
        recolourStatusGroups();
}

void TfrmMain::DBGridEhGRXXCellClick(const QModelIndex &) { recolourStatusGroups(); }

void TfrmMain::recolourStatusGroups()
{
    const QPair<StatusRadioGroup *, QColor> groups[] = {{m_DBrgZGSC, Blue}, {m_DBrgZGPS, Red}, {m_DBrgZK, Green}};
    for (const auto &[group, colour] : groups)
        group->setTextColor(group->value() == QLatin1String("1") ? QColor(Qt::black) : colour);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::SelectAll)) {
        selectAllRows();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::selectAllRows()
{
    const QAbstractItemModel *model = m_grid->model();
    if (!model || model->rowCount() == 0)
        return;
    // One range, however many rows: never a walk over them.
    m_grid->setCurrentIndex(model->index(0, 0));
    m_grid->selectAll();
}

QList<int> TfrmMain::selectedRows() const
{
    QList<int> rows;
    if (!m_grid->selectionModel())
        return rows;
    for (const QItemSelectionRange &range : m_grid->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows << row;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int TfrmMain::selectedRowCount() const { return static_cast<int>(selectedRows().size()); }

void TfrmMain::btnDeleteClick()
{
    const QList<int> rows = selectedRows();
    if (ui().message(QStringLiteral("确认要删除当前") + QString::number(rows.size()) + QStringLiteral("条记录？"),
                     QStringLiteral("选择"), MsgIcon::None, MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    if (rows.isEmpty())
        return;
    QString error;
    if (!DataM->qryGrxx()->deleteRows(rows, &error)) {
        close();
        LogError(QStringLiteral("删除时出错"), error);
        return;
    }
    showRecordCount();
}

void TfrmMain::btnFieldSelectionClick()
{
    const GrxxQueryModel *model = DataM->qryGrxx();
    if (!DataM->isGrxxOpen()) {
        showMessage(QStringLiteral("请先查询定制，返回数据后在进行显示选择"), QStringLiteral("提示"), MsgIcon::Warning);
        return;
    }
    QList<GridColumn> columns;
    for (int c = 0; c < model->columnCount(); ++c)
        columns.append({model->columnName(c), model->headerData(c, Qt::Horizontal).toString(), !m_grid->isColumnHidden(c)});
    TfrmMainGridFieldSelection selection(columns, this);
    if (selection.exec() != QDialog::Accepted)
        return;
    const QList<GridColumn> chosen = selection.columns();
    for (int c = 0; c < chosen.size(); ++c)
        m_grid->setColumnHidden(c, !chosen.at(c).visible);
}

void TfrmMain::btnAddNewClick()
{
    std::optional<QString> current;
    if (DataM->isGrxxOpen())
        current = DataM->qryGrxx()->zjhm(m_grid->currentIndex().row());
    if (m_wizard && editCurrentRecord(this, DataM->ADOConnection(), *m_wizard, current))
        refresh();
}

void TfrmMain::acExportExecute()
{
    kvam::acExportExecute([]() { DataM->CloseAllDataSet(); },
                          [this]() {
                              DataM->reconnect();
                              FormShow();
                          });
}

void TfrmMain::acImportExecute()
{
    kvam::acImportExecute(this, []() { DataM->CloseAllDataSet(); },
                          [this]() {
                              DataM->reconnect();
                              FormShow();
                          });
}

void TfrmMain::acExportToExcelExecute() { runExportToExcel(); }

void TfrmMain::acTransExecute() { runTrans(); }

void TfrmMain::acAnnounceExecute() { runAnnounce(this); }

void TfrmMain::acReportByTypeExecute()
{
    TfrmReport form(DataM->ADOConnection(), this);
    form.exec();
}

void TfrmMain::acReportByType2Execute()
{
    TfrmReport2 form(DataM->ADOConnection(), this);
    form.exec();
}

void TfrmMain::acUpgradeCodeExecute()
{
    bool upgraded = false;
    TfrmCodeList viewer({[]() { DataM->CloseAllDataSet(); },
                         [this]() {
                             DataM->reconnect();
                             FormShow();
                         },
                         [&upgraded]() { upgraded = true; }},
                        this);
    viewer.exec();
    if (upgraded) {
        m_skipExitQuestion = true;
        close();
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
    if (m_skipExitQuestion || FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

} // namespace kvam
