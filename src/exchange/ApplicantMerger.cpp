#include "exchange/ApplicantMerger.h"

#include "data/Database.h"
#include "exchange/PackageSource.h"

#include <QStringList>

#include <sqlite3.h>

namespace kvam {

namespace {

QString marks(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("?");
    return list.join(QLatin1Char(','));
}

const QStringList flagColumns{QStringLiteral("z_shbz"), QStringLiteral("z_psbz"), QStringLiteral("z_zkbz")};

} // namespace

ApplicantMerger::~ApplicantMerger() { close(); }

void ApplicantMerger::close()
{
    if (m_inTransaction)
        exec("ROLLBACK");
    m_inTransaction = false;
    m_find.reset();
    m_update.reset();
    m_insert.reset();
    m_db = nullptr;
    if (!m_connection.isEmpty())
        closeSqlite(m_connection);
    m_connection.clear();
}

bool ApplicantMerger::exec(const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    m_error = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
    sqlite3_free(message);
    return false;
}

bool ApplicantMerger::connect(const QString &databaseFile)
{
    close();
    m_connection = QStringLiteral("kvam-import-main");
    m_lost = false;
    m_pending = 0;
    QSqlDatabase db = openSqlite(m_connection, databaseFile, {}, &m_error);
    if (!db.isOpen())
        return false;
    m_db = sqliteHandle(db);
    // The index pages of a large table stay in memory between lookups.
    return exec("PRAGMA cache_size=-65536");
}

bool ApplicantMerger::prepare(bool updateStatus, bool withZkbz)
{
    m_withZkbz = withZkbz;
    m_updateStatus = updateStatus;

    const QStringList &columns = importedColumns();
    QStringList flags = flagColumns.mid(0, withZkbz ? 3 : 2);

    QStringList sets;
    for (const QString &c : columns) {
        if (c != QLatin1String("z_zjhm")) // the key stays: it matched exactly
            sets << c + QStringLiteral("=?");
    }
    if (updateStatus) {
        for (const QString &c : flags)
            sets << c + QStringLiteral("=?");
    }
    m_find = std::make_unique<SqliteStatement>(m_db, QStringLiteral("SELECT 1 FROM grjbxx00 WHERE z_zjhm = ?"));
    m_update = std::make_unique<SqliteStatement>(
        m_db, QStringLiteral("UPDATE grjbxx00 SET %1 WHERE z_zjhm = ?").arg(sets.join(QLatin1Char(','))));
    const QStringList inserted = columns + flags;
    m_insert = std::make_unique<SqliteStatement>(
        m_db, QStringLiteral("INSERT INTO grjbxx00 (%1) VALUES (%2)")
                  .arg(inserted.join(QLatin1Char(',')), marks(static_cast<int>(inserted.size()))));
    for (const auto *statement : {m_find.get(), m_update.get(), m_insert.get()}) {
        if (!statement->isValid()) {
            m_error = statement->error();
            return false;
        }
    }
    return true;
}

bool ApplicantMerger::begin()
{
    if (m_inTransaction)
        return true;
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    m_inTransaction = true;
    return true;
}

ApplicantMerger::Result ApplicantMerger::fail(SqliteStatement &statement)
{
    m_error = statement.error();
    statement.reset();
    // Some errors make SQLite roll the whole transaction back.
    if (m_inTransaction && sqlite3_get_autocommit(m_db)) {
        m_inTransaction = false;
        m_lost = true;
    }
    return Result::Failed;
}

ApplicantMerger::Result ApplicantMerger::merge(const PackageSource &source)
{
    if (!begin()) {
        m_lost = true;
        return Result::Failed;
    }
    const QByteArray number = source.number();
    m_find->bindText(1, number);
    const int found = m_find->step();
    if (found != SQLITE_ROW && found != SQLITE_DONE)
        return fail(*m_find);
    m_find->reset();

    const int count = static_cast<int>(importedColumns().size());
    SqliteStatement &statement = found == SQLITE_ROW ? *m_update : *m_insert;
    int p = 1;
    if (found == SQLITE_ROW) {
        for (int i = 0; i < count; ++i) {
            if (importedColumns().at(i) != QLatin1String("z_zjhm"))
                statement.bindValue(p++, source.copied(i));
        }
    } else {
        for (int i = 0; i < count; ++i)
            statement.bindValue(p++, source.copied(i));
    }
    if (found != SQLITE_ROW || m_updateStatus) {
        statement.bindValue(p++, source.shbz());
        statement.bindValue(p++, source.psbz());
        if (m_withZkbz)
            statement.bindValue(p++, source.zkbz());
    }
    if (found == SQLITE_ROW)
        statement.bindText(p, number);
    if (statement.step() != SQLITE_DONE)
        return fail(statement);
    statement.reset();
    ++m_pending;
    return found == SQLITE_ROW ? Result::Updated : Result::Added;
}

bool ApplicantMerger::commitIfFull() { return m_pending < BatchSize || commit(); }

bool ApplicantMerger::commit()
{
    if (!m_inTransaction)
        return !m_lost;
    m_inTransaction = false;
    if (exec("COMMIT")) {
        m_pending = 0;
        return true;
    }
    const QString why = m_error;
    if (!sqlite3_get_autocommit(m_db))
        exec("ROLLBACK");
    m_error = why;
    m_lost = true;
    return false;
}

} // namespace kvam
