#pragma once

#include "browse/gui/FlagDots.h"

#include <QStyledItemDelegate>
#include <functional>

namespace kvam {

// Paints the grid's cells as usual, then the review dots into every cell of
// the column captioned "标志".
class FlagDotDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using FlagsOfRow = std::function<FlagValues(int row)>;

    FlagDotDelegate(FlagsOfRow flagsOfRow, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    FlagsOfRow m_flagsOfRow;
};

} // namespace kvam
