#pragma once

#include <QString>

namespace kvam {

// Writes a code package: a SQLite file holding the fifteen code tables of
// databaseFile with their six columns, rows in code order. The file is
// written under a temporary name and renamed when complete, so a failure
// never leaves a partial package under packageFile. Returns false with
// *error on failure.
bool WriteCodePackage(const QString &databaseFile, const QString &packageFile, QString *error);

} // namespace kvam
