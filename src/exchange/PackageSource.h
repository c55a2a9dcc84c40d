#pragma once

#include "exchange/SqliteStatement.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

namespace kvam {

// The 43 columns an import copies into every merged record, in order.
const QStringList &importedColumns();

// The applicants of an unpacked package database, opened read-only with
// SQLite's defensive settings: nothing in the file can run code or write.
class PackageSource {
public:
    enum class Failure { None, NotDatabase, NoApplicantTable, MissingColumns, ReadFailed };

    PackageSource() = default;
    ~PackageSource();
    PackageSource(const PackageSource &) = delete;
    PackageSource &operator=(const PackageSource &) = delete;

    // Opens file and prepares "select * from grjbxx00 " (+ " where z_shbz = 1"
    // unless allRecords). The table must be a real table with the 43 columns
    // and z_shbz, z_psbz; z_zkbz counts only when spelled exactly so.
    Failure open(const QString &file, bool allRecords);
    void close();

    // The missing columns after Failure::MissingColumns; SQLite's words otherwise.
    QStringList missingColumns() const { return m_missing; }
    QString error() const { return m_error; }

    // The number of records the walk will deliver.
    qint64 count() const { return m_count; }
    bool hasZkbz() const { return m_zkbz >= 0; }

    // Moves to the next record: true on a record; false at the end or on a
    // read error (then failed() is true).
    bool next();
    bool failed() const { return m_failed; }

    // Column i of importedColumns() of the current record.
    sqlite3_value *copied(int i) const;
    sqlite3_value *shbz() const;
    sqlite3_value *psbz() const;
    sqlite3_value *zkbz() const;
    bool numberIsEmpty() const;
    QByteArray number() const;
    // The list entry of the record: z_zjhm + "-" + z_xm.
    QString entry() const;

private:
    QString m_connection;
    std::unique_ptr<SqliteStatement> m_rows;
    std::array<int, 43> m_columns{};
    int m_zjhm = -1, m_xm = -1, m_shbz = -1, m_psbz = -1, m_zkbz = -1;
    qint64 m_count = 0;
    bool m_failed = false;
    QStringList m_missing;
    QString m_error;
};

} // namespace kvam
