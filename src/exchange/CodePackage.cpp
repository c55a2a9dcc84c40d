#include "exchange/CodePackage.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace kvam {

namespace {

const QString sourceConnection = QStringLiteral("code-package-source");
const QString packageConnection = QStringLiteral("code-package-target");

bool copyTable(QSqlDatabase &source, QSqlDatabase &package, const QString &table, QString *error)
{
    auto failed = [&](const QSqlQuery &q) {
        *error = QStringLiteral("%1: %2").arg(table, q.lastError().text());
        return false;
    };
    const QString columns = schema::codeColumns().join(QLatin1Char(','));
    QSqlQuery create(package);
    if (!create.exec(QStringLiteral("create table %1 (z_bm TEXT NOT NULL, z_mc TEXT, z_pym TEXT, z_sjbm TEXT, "
                                    "z_dj INTEGER, z_sfky INTEGER)")
                         .arg(table)) ||
        !create.exec(QStringLiteral("create unique index ix_%1_bm on %1 (z_bm)").arg(table)))
        return failed(create);
    QSqlQuery insert(package);
    if (!insert.prepare(QStringLiteral("insert into %1 (%2) values (?,?,?,?,?,?)").arg(table, columns)))
        return failed(insert);
    QSqlQuery rows(source);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("select %1 from %2 order by z_bm").arg(columns, table)))
        return failed(rows);
    while (rows.next()) {
        for (int i = 0; i < 6; ++i)
            insert.bindValue(i, rows.value(i));
        if (!insert.exec())
            return failed(insert);
    }
    return !rows.lastError().isValid() || failed(rows);
}

bool fill(QSqlDatabase &source, QSqlDatabase &package, QString *error)
{
    if (!package.transaction()) {
        *error = package.lastError().text();
        return false;
    }
    for (const QString &table : schema::codeTables()) {
        if (!copyTable(source, package, table, error))
            return false;
    }
    if (!package.commit()) {
        *error = package.lastError().text();
        return false;
    }
    return true;
}

} // namespace

bool WriteCodePackage(const QString &databaseFile, const QString &packageFile, QString *error)
{
    if (QFileInfo(packageFile).canonicalFilePath() == QFileInfo(databaseFile).canonicalFilePath() &&
        QFileInfo::exists(packageFile)) {
        *error = QStringLiteral("%1 is the database itself").arg(packageFile);
        return false;
    }
    const QString partial = QFileInfo(packageFile).absoluteFilePath() + QStringLiteral(".part");
    QFile::remove(partial);
    bool ok = false;
    {
        OpenOptions readOnly;
        readOnly.readOnly = true;
        QSqlDatabase source = openSqlite(sourceConnection, databaseFile, readOnly, error);
        OpenOptions create;
        create.create = true;
        QSqlDatabase package = source.isOpen() ? openSqlite(packageConnection, partial, create, error) : QSqlDatabase();
        ok = package.isOpen() && fill(source, package, error);
    }
    closeSqlite(packageConnection);
    closeSqlite(sourceConnection);
    if (ok) {
        QFile::remove(packageFile);
        ok = QFile::rename(partial, packageFile);
        if (!ok)
            *error = QStringLiteral("cannot write %1").arg(packageFile);
    }
    if (!ok)
        QFile::remove(partial);
    return ok;
}

} // namespace kvam
