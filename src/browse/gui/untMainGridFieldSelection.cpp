#include "browse/gui/untMainGridFieldSelection.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvam {

TfrmMainGridFieldSelection::TfrmMainGridFieldSelection(const QList<GridColumn> &columns, QWidget *parent)
    : QDialog(parent), m_columns(columns), m_chklbField(new QListWidget(this))
{
    setObjectName(QStringLiteral("frmMainGridFieldSelection"));
    setWindowTitle(QStringLiteral("请选择查看内容"));
    m_chklbField->setObjectName(QStringLiteral("chklbField"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_chklbField, 1);
    auto *panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    auto *bottom = new QHBoxLayout(panel1);
    auto *btnOk = new QPushButton(QStringLiteral("确定"), panel1);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setAutoDefault(false);
    bottom->addStretch();
    bottom->addWidget(btnOk);
    bottom->addStretch();
    layout->addWidget(panel1);
    connect(btnOk, &QPushButton::clicked, this, &TfrmMainGridFieldSelection::btnOkClick);
    resize(260, 420);
    FormShow();
}

void TfrmMainGridFieldSelection::FormShow()
{
    m_chklbField->clear();
    for (const FieldItem &item : fieldItemsOf(m_columns)) {
        auto *row = new QListWidgetItem(item.text, m_chklbField);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        row->setCheckState(item.ticked ? Qt::Checked : Qt::Unchecked);
        row->setSizeHint(QSize(0, 18));
    }
}

void TfrmMainGridFieldSelection::btnOkClick()
{
    QList<FieldItem> items;
    for (int i = 0; i < m_chklbField->count(); ++i) {
        const QListWidgetItem *row = m_chklbField->item(i);
        items.append({row->text(), row->checkState() == Qt::Checked});
    }
    applyFieldItems(m_columns, items);
    accept();
}

} // namespace kvam
