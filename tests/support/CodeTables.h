#pragma once

#include <QSqlDatabase>

namespace kvam::test {

// Fills the fourteen cached code arrays from the code tables of db, as the
// program does at start-up. Returns false when a table cannot be read.
bool loadCodeTables(QSqlDatabase db);

} // namespace kvam::test
