#include "exchange/gui/untCodeList.h"

#include "app/untGlobal.h"
#include "data/Database.h"
#include "exchange/CodeUpgrade.h"
#include "platform/Ui.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace kvam {

TfrmCodeList::TfrmCodeList(TCodeListHooks hooks, QWidget *parent)
    : QDialog(parent), m_hooks(std::move(hooks)),
      m_connection(QStringLiteral("code-list-%1").arg(reinterpret_cast<quintptr>(this), 0, 16))
{
    setObjectName(QStringLiteral("frmCodeList"));
    setWindowTitle(QStringLiteral("查看代码"));

    m_cbbTable = new QComboBox(this);
    m_cbbTable->setObjectName(QStringLiteral("cbbTable"));
    m_cbbTable->setMinimumWidth(220);
    connect(m_cbbTable, &QComboBox::activated, this, &TfrmCodeList::cbbTableCloseUp);

    m_btnImportCode = new QPushButton(QStringLiteral("导入代码"), this);
    m_btnImportCode->setObjectName(QStringLiteral("btnImportCode"));
    m_btnImportCode->setAutoDefault(false);
    connect(m_btnImportCode, &QPushButton::clicked, this, &TfrmCodeList::btnImportCodeClick);

    m_tbCodeTable = new QStandardItemModel(this);
    m_dbgCodeTable = new QTableView(this);
    m_dbgCodeTable->setObjectName(QStringLiteral("dbgCodeTable"));
    m_dbgCodeTable->setModel(m_tbCodeTable);
    m_dbgCodeTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_dbgCodeTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_dbgCodeTable->verticalHeader()->setDefaultSectionSize(22);
    m_dbgCodeTable->verticalHeader()->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(m_cbbTable);
    top->addStretch();
    top->addWidget(m_btnImportCode);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_dbgCodeTable);
    setFixedSize(560, 440);
}

TfrmCodeList::~TfrmCodeList() { closeConnection(); }

void TfrmCodeList::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
    FormShow();
}

bool TfrmCodeList::openConnection()
{
    if (QSqlDatabase::contains(m_connection))
        return true;
    QString error;
    OpenOptions readOnly;
    readOnly.readOnly = true;
    if (openSqlite(m_connection, DataSourceOf(ConnectionString), readOnly, &error).isOpen())
        return true;
    LogError(QStringLiteral("无法初始化代码表！"), error);
    return false;
}

void TfrmCodeList::closeConnection() { closeSqlite(m_connection); }

void TfrmCodeList::FormShow()
{
    m_cbbTable->clear();
    if (!openConnection())
        return;
    QSqlQuery list(QSqlDatabase::database(m_connection));
    if (!list.exec(QStringLiteral("select Z_DMBTABLENAME, Z_DMBTABLEMC from T_DMBLIST order by rowid"))) {
        LogError(QStringLiteral("无法初始化代码表！"), list.lastError().text());
        return;
    }
    while (list.next())
        m_cbbTable->addItem(list.value(1).toString(), list.value(0).toString());
    m_cbbTable->setCurrentIndex(-1);
}

void TfrmCodeList::cbbTableCloseUp()
{
    m_tbCodeTable->clear();
    const QString table = m_cbbTable->currentData().toString();
    if (table.isEmpty() || !openConnection())
        return;
    // The name comes from the database: quoted, it can only name a table.
    const QString quoted =
        QLatin1Char('"') + QString(table).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    QSqlQuery rows(QSqlDatabase::database(m_connection));
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("select * from %1 order by z_bm").arg(quoted))) {
        LogError(QStringLiteral("无法初始化代码表！"), rows.lastError().text());
        return;
    }
    // The rows are copied, so the grid holds nothing of the connection,
    // which an upgrade closes.
    const QSqlRecord fields = rows.record();
    QStringList titles;
    for (int i = 0; i < fields.count(); ++i)
        titles << fields.fieldName(i);
    static const char *const labels[] = {"编码", "名称", "注记码", "上级编码", "等级", "是否可选"};
    for (int i = 0; i < 6 && i < titles.size(); ++i)
        titles[i] = QString::fromUtf8(labels[i]);
    m_tbCodeTable->setHorizontalHeaderLabels(titles);
    while (rows.next()) {
        QList<QStandardItem *> items;
        for (int i = 0; i < fields.count(); ++i) {
            auto *item = new QStandardItem(rows.value(i).toString());
            item->setEditable(false);
            items << item;
        }
        m_tbCodeTable->appendRow(items);
    }
    static const int widths[] = {40, 120, 60, 80, 80, 80};
    for (int i = 0; i < 6 && i < titles.size(); ++i)
        m_dbgCodeTable->setColumnWidth(i, widths[i]);
}

void TfrmCodeList::btnImportCodeClick()
{
    const QString package = ui().openFileName(QStringLiteral("代码文件(*.psc)|*.psc"));
    if (package.isEmpty())
        return;
    const QString shownTable = m_cbbTable->currentData().toString();
    closeConnection();
    if (m_hooks.CloseAllDataSet)
        m_hooks.CloseAllDataSet();

    if (UpgradeCodes(package)) {
        showMessage(QStringLiteral("您必须重新启动程序以使代码生效，点击确定关闭程序！"), QStringLiteral("提示"),
                    MsgIcon::Warning);
        if (m_hooks.EndProgram)
            m_hooks.EndProgram();
        accept();
        return;
    }

    // Refused: nothing changed, so the program goes on where it was.
    if (m_hooks.Reconnect)
        m_hooks.Reconnect();
    FormShow();
    m_cbbTable->setCurrentIndex(m_cbbTable->findData(shownTable));
    cbbTableCloseUp();
}

} // namespace kvam
