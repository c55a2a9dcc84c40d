#include "platform/SqlDialect.h"

#include <QDate>
#include <QRegularExpression>

namespace kvam {

namespace {

// Copies a span that ends at the first `close` after `from` (inclusive), or
// the rest of the text. Returns the index after the span.
qsizetype copyUntil(const QString &sql, qsizetype from, QChar close, QString &out)
{
    const qsizetype end = sql.indexOf(close, from);
    const qsizetype stop = end < 0 ? sql.size() : end + 1;
    out += QStringView(sql).mid(from - 1, stop - from + 1);
    return stop;
}

QString dateLiteral(const QString &inner)
{
    static const QRegularExpression iso(QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})\\s*$"));
    static const QRegularExpression us(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
    QDate date;
    if (const auto m = iso.match(inner); m.hasMatch())
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    else if (const auto u = us.match(inner); u.hasMatch())
        date = QDate(u.captured(3).toInt(), u.captured(1).toInt(), u.captured(2).toInt());
    if (!date.isValid())
        return {};
    return QLatin1Char('\'') + date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
}

} // namespace

QString jetToSqlite(const QString &sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            // Single-quoted literal, '' inside stays as it is.
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == QLatin1Char('\'')) {
                    if (j + 1 < n && sql.at(j + 1) == QLatin1Char('\'')) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            out += QStringView(sql).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('"')) {
            QString text;
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (sql.at(j) == QLatin1Char('"')) {
                    if (j + 1 < n && sql.at(j + 1) == QLatin1Char('"')) {
                        text += QLatin1Char('"');
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                text += sql.at(j);
                ++j;
            }
            if (!closed) {
                // Left as it is: SQLite then refuses the statement loudly.
                out += QStringView(sql).mid(i);
                break;
            }
            text.replace(QLatin1Char('\''), QStringLiteral("''"));
            out += QLatin1Char('\'') + text + QLatin1Char('\'');
            i = j;
        } else if (c == QLatin1Char('#')) {
            const qsizetype end = sql.indexOf(QLatin1Char('#'), i + 1);
            const QString literal = end < 0 ? QString() : dateLiteral(sql.mid(i + 1, end - i - 1));
            if (literal.isEmpty()) {
                out += c;
                ++i;
            } else {
                out += literal;
                i = end + 1;
            }
        } else if (c == QLatin1Char('[')) {
            i = copyUntil(sql, i + 1, QLatin1Char(']'), out);
        } else if (c == QLatin1Char('`')) {
            i = copyUntil(sql, i + 1, QLatin1Char('`'), out);
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            i = copyUntil(sql, i + 1, QLatin1Char('\n'), out);
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            out += QStringView(sql).mid(i, stop - i);
            i = stop;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace kvam
