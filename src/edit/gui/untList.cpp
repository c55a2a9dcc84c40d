#include "edit/gui/untList.h"

#include "app/untGlobal.h"
#include "edit/CodeTree.h"
#include "edit/PickKinds.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvam {

namespace {

constexpr int RowRole = Qt::UserRole;

void addNodes(QTreeWidgetItem *parent, QTreeWidget *tree, const TCodeArray &rows, const QList<CodeTreeNode> &nodes)
{
    for (const CodeTreeNode &node : nodes) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, rows.at(node.row).mc);
        item->setData(0, RowRole, node.row);
        addNodes(item, tree, rows, node.children);
    }
}

} // namespace

TfrmSelection::TfrmSelection(QWidget *parent) : TaggedDialog(parent)
{
    setObjectName(QStringLiteral("frmSelection"));
    setWindowTitle(QStringLiteral("请选择"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(255, 306);

    m_lvCode = new QTreeWidget(this);
    m_lvCode->setObjectName(QStringLiteral("lvCode"));
    // The name shows; the code and the mnemonic ride along as hidden columns.
    m_lvCode->setColumnCount(3);
    m_lvCode->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("bm"), QStringLiteral("pym")});
    m_lvCode->setColumnHidden(1, true);
    m_lvCode->setColumnHidden(2, true);
    m_lvCode->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_lvCode->setRootIsDecorated(false);
    m_lvCode->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvCode->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvCode->setStyleSheet(QStringLiteral("QTreeWidget::item { border-bottom: 1px solid #d0d0d0; }"));

    m_tvCode = new QTreeWidget(this);
    m_tvCode->setObjectName(QStringLiteral("tvCode"));
    m_tvCode->setHeaderHidden(true);
    m_tvCode->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_btnOK = new QPushButton(QStringLiteral("确定"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnCancel = new QPushButton(QStringLiteral("取消"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton *button : {m_btnOK, m_btnCancel})
        button->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_lvCode);
    layout->addWidget(m_tvCode);
    layout->addLayout(buttons);

    connect(m_btnOK, &QPushButton::clicked, this, &TfrmSelection::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfrmSelection::btnCancelClick);
    connect(m_lvCode, &QTreeWidget::itemDoubleClicked, this, &TfrmSelection::btnOKClick);
    connect(m_tvCode, &QTreeWidget::itemDoubleClicked, this, &TfrmSelection::btnOKClick);
    m_lvCode->installEventFilter(this);
    m_tvCode->installEventFilter(this);
}

void TfrmSelection::showEvent(QShowEvent *event)
{
    TaggedDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmSelection::FormShow()
{
    const PickKind kind = pickKind(tag());
    if (!kind.rows)
        return;
    if (kind.tree)
        InitTree(*kind.rows);
    else
        InitList(*kind.rows);
}

void TfrmSelection::InitList(const TCodeArray &rows)
{
    m_tvCode->hide();
    m_lvCode->show();
    m_lvCode->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const TCodeStructure &row : rows)
        items << new QTreeWidgetItem(QStringList{row.mc, row.bm, row.pym});
    m_lvCode->addTopLevelItems(items);
    m_lvCode->clearSelection();
    m_lvCode->setFocus();
}

void TfrmSelection::InitTree(const TCodeArray &rows)
{
    m_lvCode->hide();
    m_tvCode->show();
    m_tvCode->clear();
    m_treeRows = &rows;
    addNodes(nullptr, m_tvCode, rows, buildCodeTree(rows));
    m_tvCode->collapseAll();
    m_tvCode->clearSelection();
    m_tvCode->setFocus();
}

void TfrmSelection::btnOKClick()
{
    if (m_lvCode->isVisible()) {
        const QList<QTreeWidgetItem *> selected = m_lvCode->selectedItems();
        if (!selected.isEmpty()) {
            SelectedName = selected.first()->text(0);
            SelectedCode = selected.first()->text(1);
        }
    } else if (m_treeRows) {
        const QList<QTreeWidgetItem *> selected = m_tvCode->selectedItems();
        if (!selected.isEmpty()) {
            QTreeWidgetItem *node = selected.first();
            // Only leaves answer.
            if (node->childCount() > 0)
                return;
            const TCodeStructure &row = m_treeRows->at(node->data(0, RowRole).toLongLong());
            SelectedName = node->text(0);
            SelectedCode = row.bm;
            applyPick(tag(), row);
        }
    }
    if (!SelectedName.isEmpty())
        accept();
}

void TfrmSelection::btnCancelClick() { reject(); }

bool TfrmSelection::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_lvCode || watched == m_tvCode) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnOKClick();
            return true;
        }
    }
    return TaggedDialog::eventFilter(watched, event);
}

} // namespace kvam
