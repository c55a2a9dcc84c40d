#pragma once

#include "exchange/SqliteStatement.h"

#include <QString>
#include <memory>

namespace kvam {

class PackageSource;

// Writes package records into grjbxx00 of the main database on a connection
// of its own. Records are matched by the exact identity number and written
// in transactions of at most BatchSize records: a crash or kill at any moment
// leaves the database as of its last commit, never with half a record.
class ApplicantMerger {
public:
    static constexpr int BatchSize = 1000;

    enum class Result { Updated, Added, Failed };

    ApplicantMerger() = default;
    ~ApplicantMerger();
    ApplicantMerger(const ApplicantMerger &) = delete;
    ApplicantMerger &operator=(const ApplicantMerger &) = delete;

    // Opens the database file.
    bool connect(const QString &databaseFile);
    // Prepares the statements for a source with or without z_zkbz.
    // updateStatus: an updated record takes its three flags from the source
    // (a new record always does).
    bool prepare(bool updateStatus, bool withZkbz);
    void close();
    QString error() const { return m_error; }

    // Stores the current record of source. Failed: nothing of it is stored.
    Result merge(const PackageSource &source);
    // True when the records merged since the last commit are lost: the
    // database rolled the transaction back by itself (disk full, I/O error).
    bool transactionLost() const { return m_lost; }
    // Records merged since the last commit.
    int pending() const { return m_pending; }
    // Commits when a batch is full; commit() always.
    bool commitIfFull();
    bool commit();

private:
    bool begin();
    Result fail(SqliteStatement &statement);
    bool exec(const char *sql);

    QString m_connection;
    sqlite3 *m_db = nullptr;
    std::unique_ptr<SqliteStatement> m_find, m_update, m_insert;
    bool m_withZkbz = false;
    bool m_updateStatus = false;
    bool m_inTransaction = false;
    bool m_lost = false;
    int m_pending = 0;
    QString m_error;
};

} // namespace kvam
