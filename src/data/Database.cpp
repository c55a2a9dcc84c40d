#include "data/Database.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>

namespace kvam {

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

namespace {

// Opens and sets up the named connection; the reason when it fails.
QString setUp(const QString &connectionName, const QString &file, const OpenOptions &options)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    if (!db.isValid())
        return QStringLiteral("SQLite driver not available");

    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    const char *mode = options.readOnly ? "ro" : (options.create ? "rwc" : "rw");
    url.setQuery(QStringLiteral("mode=") + QLatin1String(mode));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    QString connectOptions = QStringLiteral("QSQLITE_OPEN_URI");
    if (options.readOnly)
        connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(connectOptions);
    if (!db.open())
        return db.lastError().text();

    sqlite3 *handle = sqliteHandle(db);
    if (!handle)
        return QStringLiteral("no SQLite handle");
    sqlite3_db_config(handle, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(handle, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    if (options.untrusted) {
        sqlite3_db_config(handle, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(handle, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        sqlite3_db_config(handle, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    }

    // SQLite reads the file only on first use: make a foreign file fail now.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return probe.lastError().text();
    return {};
}

} // namespace

QSqlDatabase openSqlite(const QString &connectionName, const QString &file, const OpenOptions &options,
                        QString *error)
{
    closeSqlite(connectionName);
    // Set up in a scope of its own: a failed connection is removed only once
    // nothing refers to it any more.
    const QString why = setUp(connectionName, file, options);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        closeSqlite(connectionName);
        return QSqlDatabase();
    }
    return QSqlDatabase::database(connectionName, false);
}

void closeSqlite(const QString &connectionName)
{
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

} // namespace kvam
