#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The tables of the database file data/kvam.mdb.
namespace kvam::schema {

// The columns of grjbxx00 in their physical order.
const QStringList &applicantColumns();
// The fifteen code tables of a code package, in the order they are upgraded.
const QStringList &codeTables();
// The three status tables of the review flags.
const QStringList &statusTables();
// The six columns of a code table, in their physical order.
const QStringList &codeColumns();

// Creates every table and index in an empty database. Returns false and sets
// *error when a statement fails.
bool create(QSqlDatabase &db, QString *error = nullptr);

} // namespace kvam::schema
