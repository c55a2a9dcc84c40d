#include "reports/gui/untReport.h"

#include "app/Progress.h"
#include "edit/gui/UnitCodeEdit.h"
#include "platform/Ui.h"
#include "reports/office/XlsxWorkbook.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace kvam {

SummaryReportForm::SummaryReportForm(ReviewFlag flag, const QSqlDatabase &db, QWidget *parent)
    : QDialog(parent), m_flag(flag), m_db(db), m_edtGZDW(new QLineEdit(this)), m_cbbList(new QComboBox(this)),
      m_btnQuery(new QPushButton(QStringLiteral("查  询"), this)),
      m_btnExportToExcel(new QPushButton(QStringLiteral("输出至Excel"), this)),
      m_DBGridReport(new QTableView(this)), m_qryReport(new QStandardItemModel(this))
{
    setObjectName(flag == ReviewFlag::Psbz ? QStringLiteral("frmReport") : QStringLiteral("frmReport2"));
    setWindowTitle(QStringLiteral("报表统计"));
    resize(760, 520);

    m_edtGZDW->setObjectName(QStringLiteral("edtGZDW"));
    m_edtGZDW->setMaxLength(16);
    m_unitEntry = new UnitCodeEdit(
        m_edtGZDW, unitCodeEntry(flag == ReviewFlag::Psbz ? UnitEntryForm::Report : UnitEntryForm::Report2));
    m_unitEntry->setParent(this);
    m_cbbList->setObjectName(QStringLiteral("cbbList"));
    m_cbbList->setEditable(false);
    m_cbbList->addItems(SummaryStatisticNames(flag));
    m_cbbList->setCurrentIndex(-1);
    m_cbbList->setMinimumWidth(360);
    m_btnQuery->setObjectName(QStringLiteral("btnQuery"));
    m_btnExportToExcel->setObjectName(QStringLiteral("btnExportToExcel"));
    for (QPushButton *button : {m_btnQuery, m_btnExportToExcel})
        button->setAutoDefault(false);
    m_DBGridReport->setObjectName(QStringLiteral("DBGridReport"));
    m_DBGridReport->setModel(m_qryReport);
    m_DBGridReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_DBGridReport->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("请输入主管单位编码"), this));
    top->addWidget(m_edtGZDW, 1);
    top->addWidget(new QLabel(QStringLiteral("请选择统计方式"), this));
    top->addWidget(m_cbbList, 2);
    layout->addLayout(top);
    layout->addWidget(m_DBGridReport, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_btnQuery);
    bottom->addWidget(m_btnExportToExcel);
    bottom->addStretch();
    layout->addLayout(bottom);

    connect(m_btnQuery, &QPushButton::clicked, this, &SummaryReportForm::btnQueryClick);
    connect(m_btnExportToExcel, &QPushButton::clicked, this, &SummaryReportForm::btnExportToExcelClick);
}

void SummaryReportForm::btnQueryClick()
{
    const int m = m_cbbList->currentIndex();
    if (m < 0)
        return;
    const UnitCodeEntry &entry = m_unitEntry->entry();
    RunSummary(m_db, m, m_flag, entry.EnteredUnitLevel, entry.EnteredUnitCode, m_result);
    showResult();
}

void SummaryReportForm::showResult()
{
    m_qryReport->clear();
    QStringList labels;
    for (const SummaryColumn &column : m_result.columns)
        labels << column.label;
    m_qryReport->setHorizontalHeaderLabels(labels);
    for (const QVariantList &values : m_result.rows) {
        QList<QStandardItem *> items;
        for (const QVariant &value : values)
            items << new QStandardItem(value.toString());
        m_qryReport->appendRow(items);
    }
    // Widths are given in characters.
    const int character = m_DBGridReport->fontMetrics().averageCharWidth();
    for (int c = 0; c < m_result.columns.size(); ++c)
        m_DBGridReport->setColumnWidth(c, m_result.columns.at(c).width * character);
}

void SummaryReportForm::btnExportToExcelClick()
{
    showMessage(QStringLiteral("本机必须装有微软Office电子表格软件！"), QStringLiteral("提示"), MsgIcon::Warning);
    XlsxWorkbook book(QStringLiteral("上报基本信息"));
    if (!book.isOpen()) {
        showMessage(QStringLiteral("无法生成电子表格文件"), QStringLiteral("错误"), MsgIcon::Error);
        return;
    }
    const bool written = WriteSummaryWorkbook(book, m_edtGZDW->text() + m_cbbList->currentText(), m_result);
    ShowProgress(-1, QString());
    if (!written || !book.makeVisible())
        showMessage(QStringLiteral("导出报表时出错，请重新导出!"), QStringLiteral("错误"), MsgIcon::Error);
}

} // namespace kvam
