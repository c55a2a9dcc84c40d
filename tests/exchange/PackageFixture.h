#pragma once

// Small packages for the exchange tests: a database of the sample code
// tables and a few applicants, zipped as the program zips it.

#include "SampleDatabase.h"
#include "app/BackgroundTask.h"
#include "app/untGlobal.h"
#include "data/Database.h"
#include "exchange/ImportJob.h"
#include "exchange/PackageArchive.h"
#include "platform/GbkText.h"

#include <QFile>
#include <QMutex>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <functional>

namespace kvam::test {

struct Person {
    QString zjhm;
    QString xm;
    QVariant shbz = 1;
    QVariant psbz = 1;
    QVariant zkbz = 1;
    QVariant bz = QStringLiteral("备注");
    QVariant csrq = QStringLiteral("1980-01-01");
};

inline bool execOrWarn(QSqlQuery &query, const QString &sql)
{
    if (query.exec(sql))
        return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return false;
}

// Inserts people into grjbxx00, filling only the columns the table has.
inline bool insertPeople(QSqlDatabase db, const QList<Person> &people)
{
    const QSqlRecord columns = db.record(QStringLiteral("grjbxx00"));
    QSqlQuery insert(db);
    for (const Person &p : people) {
        const QList<std::pair<QString, QVariant>> values = {
            {QStringLiteral("z_zjhm"), p.zjhm.isNull() ? QVariant() : QVariant(p.zjhm)},
            {QStringLiteral("z_xm"), p.xm},
            {QStringLiteral("z_shbz"), p.shbz},
            {QStringLiteral("z_psbz"), p.psbz},
            {QStringLiteral("z_zkbz"), p.zkbz},
            {QStringLiteral("z_bz"), p.bz},
            {QStringLiteral("z_csrq"), p.csrq},
        };
        QStringList names, marks;
        for (const auto &[name, value] : values) {
            if (columns.contains(name)) {
                names << name;
                marks << QStringLiteral("?");
            }
        }
        insert.prepare(QStringLiteral("INSERT INTO grjbxx00 (%1) VALUES (%2)")
                           .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        int i = 0;
        for (const auto &[name, value] : values) {
            if (columns.contains(name))
                insert.bindValue(i++, value);
        }
        if (!insert.exec()) {
            qWarning("insert %s: %s", qPrintable(p.zjhm), qPrintable(insert.lastError().text()));
            return false;
        }
    }
    return true;
}

// SQL that turns grjbxx00 of a package into a table without a key, so that
// it may hold what no database of ours holds (two rows of one number, NULL).
inline const QStringList &withoutKey()
{
    static const QStringList sql = {QStringLiteral("CREATE TABLE t AS SELECT * FROM grjbxx00"),
                                    QStringLiteral("DROP TABLE grjbxx00"),
                                    QStringLiteral("ALTER TABLE t RENAME TO grjbxx00")};
    return sql;
}

// A package database: the sample code tables, then alter, then the people,
// then alterAfter.
inline bool makePackageDatabase(const QString &file, const QList<Person> &people, const QStringList &alter = {},
                                const QStringList &alterAfter = {})
{
    QString error;
    QFile::remove(file);
    if (!createSampleDatabase(file, {0, 1}, &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    const QString name = QStringLiteral("fixture-package");
    bool ok = false;
    {
        QSqlDatabase db = openSqlite(name, file, {}, &error);
        QSqlQuery query(db);
        ok = db.isOpen();
        for (const QString &sql : alter)
            ok = ok && execOrWarn(query, sql);
        ok = ok && insertPeople(db, people);
        for (const QString &sql : alterAfter)
            ok = ok && execOrWarn(query, sql);
    }
    closeSqlite(name);
    return ok;
}

inline bool makePackage(const QString &packageFile, const QList<Person> &people, const QStringList &alter = {})
{
    const QString db = packageFile + QStringLiteral(".db");
    QString error;
    const bool ok = makePackageDatabase(db, people, alter) && writePackage(packageFile, db, &error);
    QFile::remove(db);
    return ok;
}

// Records what a worker reports; onStatus runs on the reporting thread.
class Reporter : public TaskReporter {
public:
    std::function<void(const QString &)> onStatus;

    void setStatus(const QString &text) override
    {
        {
            QMutexLocker lock(&m_mutex);
            m_statuses << text;
        }
        if (onStatus)
            onStatus(text);
    }
    void close() override {}
    QStringList statuses()
    {
        QMutexLocker lock(&m_mutex);
        return m_statuses;
    }

private:
    QMutex m_mutex;
    QStringList m_statuses;
};

// One package merged on this thread, as a worker would merge it.
inline ImportOutcome runImport(const QString &package, const ImportOptions &options = {}, Reporter *reporter = nullptr)
{
    Reporter fallback;
    ContinueFlag = 1;
    return importPackage(package, options, reporter ? *reporter : fallback);
}

inline QStringList logOf(const ImportOutcome &outcome) { return readGbkLines(outcome.logFile); }

// The values of columns for one person as text, NULL as "NULL"; an empty
// list when the person is not there.
inline QStringList valuesOf(QSqlDatabase db, const QString &zjhm, const QString &columns)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT %1 FROM grjbxx00 WHERE z_zjhm = ?").arg(columns));
    query.addBindValue(zjhm);
    QStringList values;
    if (query.exec() && query.next()) {
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
    }
    return values;
}

// Every applicant as one text, to see that nothing changed.
inline QString contentOf(QSqlDatabase db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT count(*) || ':' || group_concat(z_zjhm || '|' || ifnull(z_xm, '') || '|' "
                                   "|| ifnull(z_bz, '') || '|' || ifnull(z_shbz, ''), ';') "
                                   "FROM (SELECT * FROM grjbxx00 ORDER BY z_zjhm)")) ||
        !query.next())
        return {};
    return query.value(0).toString();
}

} // namespace kvam::test
