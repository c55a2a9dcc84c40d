#include "browse/gui/FlagDotDelegate.h"

#include <QPainter>

namespace kvam {

FlagDotDelegate::FlagDotDelegate(FlagsOfRow flagsOfRow, QObject *parent)
    : QStyledItemDelegate(parent), m_flagsOfRow(std::move(flagsOfRow))
{
}

void FlagDotDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QAbstractItemModel *model = index.model();
    if (model && model->headerData(index.column(), Qt::Horizontal).toString() == QStringLiteral("标志"))
        drawFlagDots(*painter, option.rect, m_flagsOfRow(index.row()));
}

} // namespace kvam
