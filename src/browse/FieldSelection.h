#pragma once

#include <QList>
#include <QString>

// The choice of the main grid's visible columns.
namespace kvam {

struct GridColumn {
    QString name;    // the result column's name
    QString caption; // its caption; the name where the caption is empty
    bool visible = true;
};

struct FieldItem {
    QString text;
    bool ticked = false;
};

// The items offered: every column but the four that are always hidden, in
// order, ticked when visible.
QList<FieldItem> fieldItemsOf(const QList<GridColumn> &columns);

// Each column whose caption equals an item's text takes that item's tick;
// of two items with the same text the last decides.
void applyFieldItems(QList<GridColumn> &columns, const QList<FieldItem> &items);

} // namespace kvam
