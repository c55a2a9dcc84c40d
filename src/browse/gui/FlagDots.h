#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace kvam {

// The three review flags of a record as coloured dots in the "标志" cell:
// blue at the left when the qualification review has not passed, red in the
// middle when the evaluation has not passed, green at the right when the
// record is withheld. Any value other than "1" counts, an empty one too.
struct FlagValues {
    QString shbz;
    QString psbz;
    QString zkbz;
};

QColor reviewColour();
QColor evaluationColour();
QColor withheldColour();

// The squares the three dots fill, for a cell: side h = the cell's height.
QRect leftDotBox(const QRect &cell);
QRect middleDotBox(const QRect &cell);
QRect rightDotBox(const QRect &cell);

void drawFlagDots(QPainter &painter, const QRect &cell, const FlagValues &flags);

// Round to the nearest integer, an exact half to the even one.
int roundHalfToEven(double value);

} // namespace kvam
