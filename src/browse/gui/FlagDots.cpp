#include "browse/gui/FlagDots.h"

#include <QPainter>
#include <cmath>

namespace kvam {

QColor reviewColour() { return QColor(0, 0, 255); }
QColor evaluationColour() { return QColor(255, 0, 0); }
QColor withheldColour() { return QColor(0, 128, 0); }

int roundHalfToEven(double value) { return static_cast<int>(std::nearbyint(value)); }

QRect leftDotBox(const QRect &cell)
{
    const int h = cell.height();
    return QRect(QPoint(cell.left(), cell.top()), QPoint(cell.left() + h, cell.top() + h));
}

QRect middleDotBox(const QRect &cell)
{
    const int w = cell.width();
    const int h = cell.height();
    const int r1 = roundHalfToEven((w - h) / 2.0);
    const int r2 = roundHalfToEven((w + h) / 2.0);
    return QRect(QPoint(cell.left() + r1, cell.top()), QPoint(cell.left() + r2, cell.top() + h));
}

QRect rightDotBox(const QRect &cell)
{
    const int h = cell.height();
    const int right = cell.left() + cell.width();
    return QRect(QPoint(right - h, cell.top()), QPoint(right, cell.top() + h));
}

void drawFlagDots(QPainter &painter, const QRect &cell, const FlagValues &flags)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    auto dot = [&painter](const QRect &box, const QColor &colour) {
        painter.setPen(colour);
        painter.setBrush(colour);
        // The box's corners are inclusive points, as the original drawing took them.
        painter.drawEllipse(QRectF(box.left(), box.top(), box.width() - 1, box.height() - 1));
    };
    if (flags.shbz != QLatin1String("1"))
        dot(leftDotBox(cell), reviewColour());
    if (flags.psbz != QLatin1String("1"))
        dot(middleDotBox(cell), evaluationColour());
    if (flags.zkbz != QLatin1String("1"))
        dot(rightDotBox(cell), withheldColour());
    painter.restore();
}

} // namespace kvam
