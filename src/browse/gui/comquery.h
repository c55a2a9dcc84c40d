#pragma once

#include "app/gui/TaggedDialog.h"
#include "browse/QueryCondition.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kvam {

// The query condition builder: the user composes the condition row by row
// (NOT, field, operator, value, connector) in a grid with five editors laid
// over the editing row. "确 定" writes querycon.sql and sets the tag to 1.
// Created once and shown again for every query; each showing starts empty.
class TfrmQueryTj : public TaggedDialog {
    Q_OBJECT
public:
    explicit TfrmQueryTj(QWidget *parent = nullptr);

    void FormShow();
    void StringGrid1Click();
    void ComboBox_zdmExit();
    void ComboBox_ljClick();
    void Edit_value1Click();
    void BitBtn1Click();
    void BitBtn2Click();

    // The grid's condition rows, top to bottom.
    QList<QueryConditionRow> rows() const;
    int editingRow() const { return m_editingRow; }
    bool editorsShown() const { return m_editorsShown; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setRows(const QList<QueryConditionRow> &rows);
    void appendRow(const QueryConditionRow &row);
    void clearEditors();
    void placeEditors();
    void showEditors();
    void hideEditors();
    void commitEditors(bool connectorAsTyped = false);
    void loadEditors();
    void moveEditorsToCurrentRow();
    void setCurrentRow(int row);
    void deleteCurrentRow();
    void purgeRows();
    void moveRow(int from, int to);

    QTableWidget *m_grid;
    QCheckBox *m_not;
    QComboBox *m_field;
    QComboBox *m_op;
    QLineEdit *m_value;
    QComboBox *m_connector;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    int m_editingRow = 0;
    bool m_editorsShown = false;
    // Set while the form itself changes the grid, so that its own changes of
    // the current cell do not count as the user's clicks.
    bool m_updating = false;
};

} // namespace kvam
