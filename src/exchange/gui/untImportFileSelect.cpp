#include "exchange/gui/untImportFileSelect.h"

#include "app/untGlobal.h"

#include <QCheckBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace kvam {

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int FolderRole = Qt::UserRole + 1;

QString defaultFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

} // namespace

TfrmImportFileSelect::TfrmImportFileSelect(QWidget *parent, const QString &startFolder) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImportFileSelect"));
    setWindowTitle(QStringLiteral("选择需要导入的文件"));
    resize(680, 440);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QDir::rootPath());

    m_tree = new QTreeView;
    m_tree->setObjectName(QStringLiteral("ShellTreeView"));
    m_tree->setModel(m_folders);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("ShellListView"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setUniformItemSizes(true);

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tree);
    splitter->addWidget(m_list);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    m_chkImportUnauthorityData = new QCheckBox(QStringLiteral("导入审查未通过的数据"));
    m_chkImportUnauthorityData->setObjectName(QStringLiteral("chkImportUnauthorityData"));
    m_chkUpdateStatus = new QCheckBox(QStringLiteral("更新审核|评审|暂扣状态"));
    m_chkUpdateStatus->setObjectName(QStringLiteral("chkUpdateStatus"));
    m_btnOk = new QPushButton(QStringLiteral("确定"));
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("取消"));
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_chkImportUnauthorityData);
    bottom->addSpacing(16);
    bottom->addWidget(m_chkUpdateStatus);
    bottom->addStretch();
    bottom->addWidget(m_btnOk);
    bottom->addWidget(m_btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    connect(m_btnOk, &QPushButton::clicked, this, &TfrmImportFileSelect::btnOkClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfrmImportFileSelect::btnCancelClick);
    connect(m_list, &QListWidget::itemActivated, this, &TfrmImportFileSelect::listItemActivated);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid())
            setFolder(m_folders->filePath(current));
    });

    // The model reads and sorts folders lazily: keep the current folder in
    // sight as rows arrive, until the user moves about the tree by hand.
    const auto follow = [this]() {
        if (m_followFolder)
            QTimer::singleShot(0, this, &TfrmImportFileSelect::showFolderInTree);
    };
    connect(m_folders, &QFileSystemModel::rowsInserted, this, follow);
    connect(m_folders, &QFileSystemModel::layoutChanged, this, follow);
    m_tree->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);

    setFolder(startFolder.isEmpty() ? defaultFolder() : startFolder);
}

void TfrmImportFileSelect::showFolderInTree()
{
    const QModelIndex index = m_folders->index(m_folder);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    if (m_tree->currentIndex() != index)
        m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool TfrmImportFileSelect::ShellListViewAddFolder(const QFileInfo &item)
{
    return item.isDir() || item.fileName().endsWith(QStringLiteral(".ps"), Qt::CaseInsensitive);
}

void TfrmImportFileSelect::setFolder(const QString &path)
{
    const QString folder = QDir(path).absolutePath();
    if (folder == m_folder)
        return;
    m_folder = folder;
    showFolderInTree();
    fillList();
}

void TfrmImportFileSelect::fillList()
{
    m_list->clear();
    static const QFileIconProvider icons;
    const QFileInfoList entries = QDir(m_folder).entryInfoList(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot,
                                                               QDir::DirsFirst | QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries) {
        if (!ShellListViewAddFolder(entry))
            continue;
        auto *item = new QListWidgetItem(icons.icon(entry), entry.fileName(), m_list);
        item->setData(PathRole, entry.absoluteFilePath());
        item->setData(FolderRole, entry.isDir());
    }
}

void TfrmImportFileSelect::listItemActivated(QListWidgetItem *item)
{
    if (item->data(FolderRole).toBool()) {
        m_followFolder = true;
        setFolder(item->data(PathRole).toString());
    }
}

QStringList TfrmImportFileSelect::selectedFiles() const
{
    QStringList files;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem *item = m_list->item(row);
        if (item->isSelected() && !item->data(FolderRole).toBool())
            files << item->data(PathRole).toString();
    }
    return files;
}

void TfrmImportFileSelect::btnOkClick()
{
    ImportRejected = m_chkImportUnauthorityData->isChecked();
    ImportUpdateStatus = m_chkUpdateStatus->isChecked();
    accept();
}

void TfrmImportFileSelect::btnCancelClick()
{
    m_cancelled = true;
    reject();
}

bool TfrmImportFileSelect::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree->viewport() && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel))
        m_followFolder = false;
    // Enter on a folder opens it; it does not confirm the dialog.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        QListWidgetItem *current = m_list->currentItem();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current && current->data(FolderRole).toBool()) {
            listItemActivated(current);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmImportFileSelect::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // Centring the current folder needs the view's real size.
    QTimer::singleShot(0, this, &TfrmImportFileSelect::showFolderInTree);
}

void TfrmImportFileSelect::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        btnCancelClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kvam
