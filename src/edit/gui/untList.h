#pragma once

#include "app/gui/TaggedDialog.h"
#include "data/CodeCache.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kvam {

// The code picker: offers one code table, chosen by the pick kind in its tag,
// as a flat list or as a tree of which only leaves answer. The answer goes
// into SelectedName and SelectedCode (and, for some kinds, into CurGrxx or a
// multi-pick queue); Cancel leaves everything as it was.
class TfrmSelection : public TaggedDialog {
    Q_OBJECT
public:
    explicit TfrmSelection(QWidget *parent = nullptr);

    void FormShow();
    void InitList(const TCodeArray &rows);
    void InitTree(const TCodeArray &rows);
    void btnOKClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTreeWidget *m_lvCode;
    QTreeWidget *m_tvCode;
    QPushButton *m_btnOK;
    QPushButton *m_btnCancel;
    const TCodeArray *m_treeRows = nullptr;
};

} // namespace kvam
