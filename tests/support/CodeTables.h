#pragma once

#include <QSqlDatabase>

namespace kvam::test {

// Fills the fourteen cached code arrays from the code tables of db, with the
// program's own queries. Returns false when a table cannot be read.
bool loadCodeTables(QSqlDatabase db);

} // namespace kvam::test
