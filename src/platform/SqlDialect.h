#pragma once

#include <QString>

namespace kvam {

// The program's SQL is written in the Jet dialect; SQLite reads it after this
// conversion: "text" becomes 'text' (a doubled "" inside is one quote),
// #yyyy-mm-dd# (or #m/d/yyyy#) becomes 'yyyy-MM-dd'. Single-quoted literals,
// [bracketed] and `quoted` identifiers and comments pass unchanged.
QString jetToSqlite(const QString &sql);

} // namespace kvam
