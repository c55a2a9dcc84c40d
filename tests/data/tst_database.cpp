#include "data/Database.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace kvam;

class TestDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileIsNotCreated();
    void foreignFileIsRefused();
    void readOnlyRefusesWrites();
};

void TestDatabase::missingFileIsNotCreated()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/kvam.mdb"));
    QString error;
    QVERIFY(!openSqlite(QStringLiteral("missing"), path, {}, &error).isValid());
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("missing")));
}

void TestDatabase::foreignFileIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("not-a-db.mdb"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    QString error;
    QVERIFY(!openSqlite(QStringLiteral("foreign"), path, {.untrusted = true}, &error).isValid());
    QVERIFY(!error.isEmpty());
}

void TestDatabase::readOnlyRefusesWrites()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.db"));
    {
        QSqlDatabase db = openSqlite(QStringLiteral("rw"), path, {.create = true});
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("create table t (x)")));
    }
    closeSqlite(QStringLiteral("rw"));
    {
        QSqlDatabase db = openSqlite(QStringLiteral("ro"), path, {.readOnly = true, .untrusted = true});
        QVERIFY(db.isOpen());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("select count(*) from t")));
        QVERIFY(!q.exec(QStringLiteral("insert into t values (1)")));
    }
    closeSqlite(QStringLiteral("ro"));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
