#include "SampleDatabase.h"

#include "ApplicantGenerator.h"
#include "SampleCsv.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <sqlite3.h>

namespace kvam {

namespace {

bool exec(QSqlQuery &query, const QString &sql, QString *error)
{
    if (query.exec(sql))
        return true;
    *error = query.lastError().text();
    return false;
}

// Loads one CSV of the sample data into the table of the same columns.
bool loadTable(QSqlDatabase &db, const QString &table, const CsvTable &csv, QString *error)
{
    if (csv.header.isEmpty()) {
        *error = QStringLiteral("sample data for %1 is missing").arg(table);
        return false;
    }
    QStringList marks;
    for (qsizetype i = 0; i < csv.header.size(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, csv.header.join(QLatin1Char(',')), marks.join(QLatin1Char(','))))) {
        *error = insert.lastError().text();
        return false;
    }
    for (const QStringList &row : csv.rows) {
        for (qsizetype i = 0; i < csv.header.size(); ++i) {
            const QString value = row.value(i);
            const QString column = csv.header.at(i).toLower();
            if (column == QLatin1String("z_dj") || column == QLatin1String("z_sfky"))
                insert.bindValue(static_cast<int>(i), value.isEmpty() ? QVariant() : QVariant(value.toInt()));
            else
                insert.bindValue(static_cast<int>(i), value);
        }
        if (!insert.exec()) {
            *error = QStringLiteral("%1: %2").arg(table, insert.lastError().text());
            return false;
        }
    }
    return true;
}

bool fill(QSqlDatabase &db, const SampleOptions &options, QString *error)
{
    QSqlQuery query(db);
    if (!exec(query, QStringLiteral("PRAGMA journal_mode=OFF"), error)
        || !exec(query, QStringLiteral("PRAGMA synchronous=OFF"), error)
        || !exec(query, QStringLiteral("PRAGMA cache_size=-262144"), error)
        || !exec(query, QStringLiteral("BEGIN"), error))
        return false;
    if (!schema::create(db, error))
        return false;
    QStringList tables = schema::codeTables();
    tables += schema::statusTables();
    tables << QStringLiteral("TABLEFIELD_NAME") << QStringLiteral("T_DMBLIST");
    for (const QString &table : tables) {
        if (!loadTable(db, table, sampleCsv(table + QStringLiteral(".csv")), error))
            return false;
    }
    ApplicantGenerator generator(options.seed);
    if (!generator.insert(sqliteHandle(db), options.applicants, error))
        return false;
    return exec(query, QStringLiteral("COMMIT"), error);
}

} // namespace

bool createSampleDatabase(const QString &file, const SampleOptions &options, QString *error)
{
    const QFileInfo target(file);
    if (!QDir().mkpath(target.absolutePath())) {
        *error = QStringLiteral("cannot create %1").arg(target.absolutePath());
        return false;
    }
    const QString partial = target.absoluteFilePath() + QStringLiteral(".part");
    QFile::remove(partial);
    const QString connection = QStringLiteral("sample-") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok;
    {
        OpenOptions open;
        open.create = true;
        QSqlDatabase db = openSqlite(connection, partial, open, error);
        ok = db.isOpen() && fill(db, options, error);
        if (ok) {
            QSqlQuery query(db);
            ok = exec(query, QStringLiteral("PRAGMA journal_mode=DELETE"), error);
        }
    }
    closeSqlite(connection);
    if (ok) {
        QFile::remove(target.absoluteFilePath());
        ok = QFile::rename(partial, target.absoluteFilePath());
        if (!ok)
            *error = QStringLiteral("cannot write %1").arg(target.absoluteFilePath());
    }
    if (!ok)
        QFile::remove(partial);
    return ok;
}

} // namespace kvam
