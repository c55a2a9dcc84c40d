#include "app/gui/FormRoutines.h"

#include "app/untGlobal.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>

namespace kvam {

void placeOnScreen(QWidget *form, const QPoint &screenPos)
{
    form->adjustSize();
    QPoint pos = screenPos;
    if (const QScreen *screen = QGuiApplication::screenAt(screenPos)) {
        const QRect area = screen->availableGeometry();
        pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() - form->width())));
        pos.setY(std::clamp(pos.y(), area.top(), std::max(area.top(), area.bottom() - form->height())));
    }
    form->move(pos);
}

void AutoFitColumns(QTableView *grid)
{
    const QAbstractItemModel *model = grid->model();
    if (!model)
        return;
    QStringList titles, firstRow;
    for (int c = 0; c < model->columnCount(); ++c) {
        titles << model->headerData(c, Qt::Horizontal).toString();
        firstRow << (model->rowCount() > 0 ? model->index(0, c).data().toString() : QString());
    }
    const QList<int> widths = AutoFitWidths(titles, firstRow);
    for (int c = 0; c < static_cast<int>(widths.size()); ++c)
        grid->setColumnWidth(c, widths.at(c));
}

} // namespace kvam
