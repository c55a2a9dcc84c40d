#include "browse/QueryCondition.h"

#include "app/untGlobal.h"
#include "data/CodeCache.h"
#include "edit/PickKinds.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace kvam {

namespace {

const QChar Q = QLatin1Char('"');

const TQueryField *fieldByDisplayName(const QString &name)
{
    for (int i = 0; i < QueryFieldCount; ++i) {
        if (QueryFields[i].DisplayName == name)
            return &QueryFields[i];
    }
    return nullptr;
}

// A text between double quotes; a quote inside is doubled so that it stays
// part of the literal.
QString quoted(const QString &text)
{
    QString inner = text;
    inner.replace(Q, QStringLiteral("\"\""));
    return Q + inner + Q;
}

QString likeError(int rowNumber, const QString &displayName, const QString &typeName)
{
    return QStringLiteral("表中第 ") + QString::number(rowNumber) + QStringLiteral(" 行字段") + Q + displayName + Q
         + QStringLiteral("为") + typeName + QStringLiteral(",不能用") + Q + QStringLiteral("LIKE") + Q
         + QStringLiteral("操作符");
}

ConditionBuild failure(const QString &message, const QString &caption, MsgIcon icon)
{
    ConditionBuild build;
    build.error = message;
    build.caption = caption;
    build.icon = icon;
    return build;
}

int digitValue(QChar c, int base)
{
    int v = -1;
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        v = c.unicode() - '0';
    else if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        v = c.unicode() - 'a' + 10;
    else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        v = c.unicode() - 'A' + 10;
    return v < base ? v : -1;
}

} // namespace

const QStringList &queryOperators()
{
    static const QStringList ops = {QStringLiteral("="),  QStringLiteral(">"),  QStringLiteral("<"),
                                    QStringLiteral(">="), QStringLiteral("<="), QStringLiteral("<>"),
                                    QStringLiteral("LIKE")};
    return ops;
}

void fillQueryFields()
{
    struct Entry {
        const char *field;
        int type;
        const char *display;
    };
    static const Entry entries[] = {
        {"z_xm", 1, "姓名"},           {"z_zjhm", 1, "证件号码"},     {"z_csrq", 3, "出生日期"},
        {"z_yijzgbm", 1, "一级主管单位"}, {"z_erjzgbm", 1, "二级主管单位"}, {"z_sanjzgbm", 1, "三级主管单位"},
        {"z_gzdw", 1, "工作单位"},       {"z_sbxl", 1, "申报系列"},     {"z_sbzg", 1, "申报资格"},
        {"z_sbdj", 0, "申报等级"},       {"z_sbzy", 1, "申报专业"},
    };
    int i = 0;
    for (const Entry &e : entries) {
        QueryFields[i].FieldName = QString::fromUtf8(e.field);
        QueryFields[i].FieldType = e.type;
        QueryFields[i].DisplayName = QString::fromUtf8(e.display);
        ++i;
    }
    QueryFieldCount = i;
}

void deleteConditionRow(QList<QueryConditionRow> &rows, qsizetype r)
{
    if (r < 0 || r >= rows.size())
        return;
    if (rows.size() > 1)
        rows.removeAt(r);
    else
        rows[r] = {};
}

void purgeIncompleteRows(QList<QueryConditionRow> &rows)
{
    qsizetype r = 0;
    while (r < rows.size()) {
        if (rows.at(r).isComplete()) {
            ++r;
        } else if (rows.size() > 1) {
            rows.removeAt(r); // the row moving up is examined next
        } else {
            rows[r] = {};
            break;
        }
    }
}

ConditionBuild buildConditionLines(QList<QueryConditionRow> &rows)
{
    QStringList body;
    // The connector of the last line written; it is kept only when another
    // row follows in the condition, so it never dangles at the end.
    QString pendingConnector;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QueryConditionRow &row = rows[r];
        const int rowNumber = static_cast<int>(r) + 1;
        QString line = row.notCell;
        const TQueryField *field = fieldByDisplayName(row.field);
        const QString op = queryOperators().contains(row.op) ? row.op : QString();
        if (!field || op.isEmpty())
            continue;
        const bool like = op == QStringLiteral("LIKE");
        const QString head = QStringLiteral(" (") + field->FieldName + QLatin1Char(' ') + op;
        switch (field->FieldType) {
        case 0:
            if (like)
                return failure(likeError(rowNumber, field->DisplayName, QStringLiteral("整型")),
                               QStringLiteral("错误提示"), MsgIcon::Error);
            if (field->DisplayName == QStringLiteral("申报等级"))
                line += head + GetCodeByName(row.value, codeSBJB) + QLatin1Char(')');
            else
                line += head + QLatin1Char(' ') + QString::number(readWholeNumber(row.value.trimmed()))
                      + QLatin1Char(')');
            break;
        case 4:
            if (like)
                return failure(likeError(rowNumber, field->DisplayName, QStringLiteral("整型")),
                               QStringLiteral("错误提示"), MsgIcon::Error);
            line += head + (readWholeNumber(row.value.trimmed()) != 0 ? QStringLiteral(" True)")
                                                                       : QStringLiteral(" False)"));
            break;
        case 2:
            if (like)
                return failure(likeError(rowNumber, field->DisplayName, QStringLiteral("实型")),
                               QStringLiteral("错误提示"), MsgIcon::Error);
            line += head + QString::asprintf(" %5.2f", readRealNumber(row.value.trimmed())) + QLatin1Char(')');
            break;
        case 1:
            if (like) {
                line += head + QLatin1Char(' ') + quoted(QLatin1Char('%') + row.value + QLatin1Char('%'))
                      + QLatin1Char(')');
            } else {
                QString v;
                if (field->DisplayName == QStringLiteral("申报系列"))
                    v = GetCodeByName(row.value, codeZYJSXL);
                else if (field->DisplayName == QStringLiteral("申报资格"))
                    v = takeFirstFilledSlot(PickedZYJSZG);
                else if (field->DisplayName == QStringLiteral("申报专业"))
                    v = takeFirstFilledSlot(PickedCSZY);
                else
                    v = row.value;
                line += head + QLatin1Char(' ') + quoted(v) + QLatin1Char(')');
            }
            break;
        case 3: {
            if (like)
                return failure(likeError(rowNumber, field->DisplayName, QStringLiteral("日期型")),
                               QStringLiteral("错误提示"), MsgIcon::Error);
            QDate date;
            if (IsInvalidDate(row.value, date))
                return failure(QStringLiteral("日期格式错误，请按照正确的日期格式如：2001-07-07或2001/07/07输入！"),
                               QStringLiteral("系统提示"), MsgIcon::Question);
            line += head + QStringLiteral(" #") + date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("#)");
            break;
        }
        default:
            continue;
        }
        if (!body.isEmpty())
            body.last() += pendingConnector;
        pendingConnector.clear();
        if (r != rows.size() - 1) {
            if (row.connector.isEmpty())
                row.connector = QStringLiteral("AND");
            pendingConnector = QLatin1Char(' ') + row.connector + QLatin1Char(' ');
        }
        body << line;
    }

    ConditionBuild build;
    build.lines << QStringLiteral("(");
    if (body.isEmpty())
        build.lines << QStringLiteral("1=1");
    build.lines << body << QStringLiteral(")");
    return build;
}

qint32 readWholeNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < text.size() && text.at(i) == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text.at(i) == QLatin1Char('0')
               && (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const int d = digitValue(text.at(i), base);
        const qint64 next = value * base + (d < 0 ? 0 : d);
        // A digit that would leave the 32-bit range ends the number too.
        if (d < 0 || next > std::numeric_limits<qint32>::max())
            break;
        value = next;
    }
    return static_cast<qint32>(negative ? -value : value);
}

double readRealNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return 0;
    const double value = m.captured(0).toDouble();
    return std::isfinite(value) ? value : 0;
}

} // namespace kvam
