#include "platform/GbkText.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <iconv.h>

namespace kvam {

namespace {

// One conversion with iconv; an unconvertible character becomes '?' (GBK)
// or U+FFFD (UTF-8) rather than ending the text.
QByteArray convert(const char *to, const char *from, const QByteArray &input, const QByteArray &replacement)
{
    const bool fromUtf8 = qstrcmp(from, "UTF-8") == 0;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    out.reserve(input.size() * 2 + 16);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char buffer[4096];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip the offending character and mark the spot.
            out.append(replacement);
            ++in;
            --inLeft;
            if (fromUtf8) {
                while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
                    ++in;
                    --inLeft;
                }
            }
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

QByteArray toGbk(const QString &text)
{
    return convert("GBK", "UTF-8", text.toUtf8(), QByteArrayLiteral("?"));
}

QString fromGbk(const QByteArray &bytes)
{
    return QString::fromUtf8(convert("UTF-8", "GBK", bytes, QByteArrayLiteral("\xEF\xBF\xBD")));
}

int gbkLength(const QString &text)
{
    return static_cast<int>(toGbk(text).size());
}

bool writeGbkLines(const QString &path, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += toGbk(line);
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool appendGbkText(const QString &path, const QString &text, QString *error)
{
    QFile file(path);
    const QByteArray bytes = toGbk(text);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QStringList readGbkLines(const QString &path, bool *ok)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    const QString text = fromGbk(file.readAll());
    if (ok)
        *ok = true;
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << text.mid(start, i - start);
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

} // namespace kvam
