#pragma once

#include <QSqlDatabase>
#include <QString>

namespace kvam {

// Fills the fourteen cached code arrays from the code tables of db, each from
// its own query, in a fixed order. Stops at the first table that cannot be
// read (that array may be left partly filled) and returns false with *error.
bool LoadCodeCache(const QSqlDatabase &db, QString *error = nullptr);

} // namespace kvam
