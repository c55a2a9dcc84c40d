#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files for people and for the program itself (querycon.sql, error.log,
// import logs) are GBK with CRLF line ends. Conversion goes through iconv.
namespace kvam {

QByteArray toGbk(const QString &text);
QString fromGbk(const QByteArray &bytes);
// Length in GBK bytes: an ASCII character counts 1, a Chinese character 2.
int gbkLength(const QString &text);

// Writes the lines, each followed by CR LF, replacing the file.
bool writeGbkLines(const QString &path, const QStringList &lines, QString *error = nullptr);
// Appends text as it stands (the caller supplies its line ends); creates the file.
bool appendGbkText(const QString &path, const QString &text, QString *error = nullptr);
// The lines of a text file; CR LF, LF or a lone CR end a line. ok is false when
// the file cannot be read.
QStringList readGbkLines(const QString &path, bool *ok = nullptr);

} // namespace kvam
