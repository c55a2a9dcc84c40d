#include "exchange/ExportJob.h"

#include "app/untGlobal.h"
#include "data/Database.h"
#include "exchange/PackageArchive.h"
#include "platform/GbkText.h"
#include "platform/SqlDialect.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace kvam {

namespace {

const QString copyFailed = QStringLiteral("无法由查询导出数据");
const QString packFailed = QStringLiteral("导出个人信息时出错");

ExportOutcome failure(const QString &message, const QString &errorText) { return {false, message, errorText}; }

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo x(a), y(b);
    const QString cx = x.canonicalFilePath(), cy = y.canonicalFilePath();
    if (!cx.isEmpty() && !cy.isEmpty())
        return cx == cy;
    return x.absoluteFilePath() == y.absoluteFilePath();
}

// SQLite writes the snapshot: committed data only, a hot journal rolled back
// first (hence a read-write connection, though nothing is written).
bool snapshot(const QString &databaseFile, const QString &copyFile, QString *error)
{
    const QString name = QStringLiteral("kvam-export-main");
    bool ok = false;
    {
        QSqlDatabase db = openSqlite(name, databaseFile, {}, error);
        if (db.isOpen()) {
            QSqlQuery vacuum(db);
            vacuum.prepare(QStringLiteral("VACUUM INTO :target"));
            vacuum.bindValue(QStringLiteral(":target"), copyFile);
            ok = vacuum.exec();
            if (!ok)
                *error = vacuum.lastError().text();
        }
    }
    closeSqlite(name);
    return ok;
}

bool execAll(QSqlDatabase &db, const QStringList &statements, QString *error)
{
    QSqlQuery query(db);
    for (const QString &statement : statements) {
        if (!query.exec(statement)) {
            *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

// The package travels as a plain rollback-journal database, and a filtered
// one without the freed pages of the deleted rows.
bool prepareCopy(const QString &copyFile, bool whole, const QString &conditionFile, QString *error)
{
    QStringList statements{QStringLiteral("PRAGMA journal_mode=DELETE")};
    if (!whole) {
        bool read = false;
        const QStringList condition = readGbkLines(conditionFile, &read);
        if (!read) {
            *error = QStringLiteral("cannot read %1").arg(conditionFile);
            return false;
        }
        QString sql = QStringLiteral("delete from grjbxx00 where 1=1 and not \r\n");
        for (const QString &line : condition)
            sql += line + QStringLiteral("\r\n");
        statements << jetToSqlite(sql) << QStringLiteral("VACUUM");
    }
    const QString name = QStringLiteral("kvam-export-copy");
    bool ok = false;
    {
        QSqlDatabase db = openSqlite(name, copyFile, {}, error);
        ok = db.isOpen() && execAll(db, statements, error);
    }
    closeSqlite(name);
    return ok;
}

} // namespace

QString workingCopyFile() { return AppDir + QStringLiteral("/temp/kvam.mdb"); }

bool removeDatabaseFile(const QString &file)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(file + QLatin1String(suffix));
    return !QFileInfo::exists(file) || QFile::remove(file);
}

ExportOutcome exportPackage(const QString &packageFile, bool whole, const QString &conditionFile)
{
    const QString database = DataSourceOf(ConnectionString);
    const QString copy = workingCopyFile();
    const QString failedCopy = whole ? packFailed : copyFailed;
    if (sameFile(packageFile, database) || sameFile(packageFile, copy))
        return failure(packFailed, QStringLiteral("%1 is the database itself").arg(packageFile));

    QString error;
    if (!removeDatabaseFile(copy))
        return failure(failedCopy, QStringLiteral("cannot remove %1").arg(copy));
    if (!snapshot(database, copy, &error) || !prepareCopy(copy, whole, conditionFile, &error))
        return failure(failedCopy, error);
    if (!writePackage(packageFile, copy, &error))
        return failure(packFailed, error);
    return {true, {}, {}};
}

} // namespace kvam
