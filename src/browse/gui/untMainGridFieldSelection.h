#pragma once

#include "browse/FieldSelection.h"

#include <QDialog>

class QListWidget;

namespace kvam {

// Lets the user tick the columns the main grid shows. Only 确定 applies the
// ticks; closing the window by its frame changes nothing.
class TfrmMainGridFieldSelection : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMainGridFieldSelection(const QList<GridColumn> &columns, QWidget *parent = nullptr);

    // The columns with the visibility chosen (unchanged unless 确定 was pressed).
    QList<GridColumn> columns() const { return m_columns; }

    void btnOkClick();

private:
    void FormShow();

    QList<GridColumn> m_columns;
    QListWidget *m_chklbField;
};

} // namespace kvam
