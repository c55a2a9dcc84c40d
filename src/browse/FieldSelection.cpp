#include "browse/FieldSelection.h"

#include <QStringList>

namespace kvam {

namespace {

bool alwaysHidden(const QString &name)
{
    static const QStringList hidden = {QStringLiteral("z_bz"), QStringLiteral("z_shbz"), QStringLiteral("z_zkbz"),
                                       QStringLiteral("z_psbz")};
    return hidden.contains(name);
}

} // namespace

QList<FieldItem> fieldItemsOf(const QList<GridColumn> &columns)
{
    QList<FieldItem> items;
    for (const GridColumn &c : columns) {
        if (!alwaysHidden(c.name))
            items.append({c.caption, c.visible});
    }
    return items;
}

void applyFieldItems(QList<GridColumn> &columns, const QList<FieldItem> &items)
{
    for (GridColumn &c : columns) {
        for (const FieldItem &item : items) {
            if (item.text == c.caption)
                c.visible = item.ticked;
        }
    }
}

} // namespace kvam
