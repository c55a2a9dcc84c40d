#pragma once

#include <QDialog>
#include <QFileInfo>

class QCheckBox;
class QFileSystemModel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeView;

namespace kvam {

// The import chooser: a folder tree beside the folders and data packages of
// the chosen folder, several selectable, and the two import options.
class TfrmImportFileSelect : public QDialog {
    Q_OBJECT
public:
    // Opens on startFolder, or on the desktop (else the home folder).
    explicit TfrmImportFileSelect(QWidget *parent = nullptr, const QString &startFolder = {});

    void setFolder(const QString &path);
    QString folder() const { return m_folder; }
    // The selected packages as full paths, in the list's order.
    QStringList selectedFiles() const;
    // True only after 取消 (or Esc); closing the window otherwise counts as OK.
    bool cancelled() const { return m_cancelled; }

    // Whether the list shows an item: a folder, or a file ending in ".ps"
    // in any letter case.
    static bool ShellListViewAddFolder(const QFileInfo &item);

    void btnOkClick();
    void btnCancelClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillList();
    void showFolderInTree();
    void listItemActivated(QListWidgetItem *item);

    QFileSystemModel *m_folders = nullptr;
    QTreeView *m_tree = nullptr;
    QListWidget *m_list = nullptr;
    QCheckBox *m_chkImportUnauthorityData = nullptr;
    QCheckBox *m_chkUpdateStatus = nullptr;
    QPushButton *m_btnOk = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QString m_folder;
    bool m_cancelled = false;
    bool m_followFolder = true;
};

} // namespace kvam
