#include "app/ProgramDate.h"

#include <QRegularExpression>

namespace kvam {

QString formatProgramDate(const QDate &date) { return date.toString(ProgramDateFormat); }

QDate parseProgramDate(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,4})-(\\d{1,2})-(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return {};
    int year = m.captured(1).toInt();
    if (m.capturedLength(1) <= 2) {
        const int current = QDate::currentDate().year();
        year += current / 100 * 100;
        if (year > current + 49)
            year -= 100;
        else if (year < current - 50)
            year += 100;
    }
    if (year < 1)
        return {};
    return QDate(year, m.captured(2).toInt(), m.captured(3).toInt());
}

} // namespace kvam
