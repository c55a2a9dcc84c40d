#pragma once

#include <QDate>
#include <QString>

// The program's one date format, "yyyy-MM-dd", used for every date it formats
// or parses and for every date stored as text in the database.
namespace kvam {

inline const QString ProgramDateFormat = QStringLiteral("yyyy-MM-dd");

QString formatProgramDate(const QDate &date);

// Year, month and day separated by "-"; month and day may lack their leading
// zero, and a year of one or two digits is taken within 50 years of today.
// An invalid QDate when the text is no such date.
QDate parseProgramDate(const QString &text);

} // namespace kvam
