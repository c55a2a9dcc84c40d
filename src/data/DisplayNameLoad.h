#pragma once

#include <QSqlDatabase>
#include <QString>

namespace kvam {

class THash;

// Fills names from TABLEFIELD_NAME: key = trimmed table name + trimmed column
// name, value = trimmed caption; a later row replaces an earlier one.
bool LoadDisplayNames(const QSqlDatabase &db, THash &names, QString *error = nullptr);

} // namespace kvam
