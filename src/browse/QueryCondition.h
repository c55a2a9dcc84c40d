#pragma once

#include "platform/Ui.h"

#include <QList>
#include <QString>
#include <QStringList>

// The query condition: rows of NOT, field, operator, value and connector,
// turned into the lines of querycon.sql (Jet dialect).
namespace kvam {

struct QueryConditionRow {
    QString notCell; // "NOT" or empty
    QString field;   // a DisplayName
    QString op;
    QString value;
    QString connector;

    bool isComplete() const { return !field.isEmpty() && !op.isEmpty(); }
};

// The seven operators the builder offers, in its order.
const QStringList &queryOperators();

// The eleven fields the main window offers to the builder; sets QueryFields
// and QueryFieldCount.
void fillQueryFields();

// Deletes row r: later rows move up; the last row stays (emptied) when it is
// the only one.
void deleteConditionRow(QList<QueryConditionRow> &rows, qsizetype r);
// Deletes every row without a field or an operator.
void purgeIncompleteRows(QList<QueryConditionRow> &rows);

// The result of building: the lines to write, or the message to show.
struct ConditionBuild {
    QStringList lines;
    QString error;
    QString caption;
    MsgIcon icon = MsgIcon::None;

    bool ok() const { return error.isEmpty(); }
};

// Builds the condition from the rows, by each field's type in QueryFields.
// Rows without a known field or operator add nothing. A non-last row with
// an empty connector gets "AND" (written back into rows). Each 申报资格 or
// 申报专业 row consumes one picked code from PickedZYJSZG or PickedCSZY.
// Text values are written with their double quotes doubled, so no value can
// change the statement; a build with no usable row selects every record.
ConditionBuild buildConditionLines(QList<QueryConditionRow> &rows);

// Whole numbers as the builder reads them: leading blanks, an optional sign,
// decimal digits, or hexadecimal after "$" or "0x"; reading stops at the
// first character that does not fit; 0 when nothing was read.
qint32 readWholeNumber(const QString &text);
// The longest leading well-formed number (sign, digits, point, exponent), or 0.
double readRealNumber(const QString &text);

} // namespace kvam
