#include "support/TestAppDir.h"

#include "SampleDatabase.h"
#include "app/untGlobal.h"
#include "data/Database.h"
#include "platform/GbkText.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

namespace kvam::test {

TestAppDir::TestAppDir(int applicants, quint64 seed)
    : m_connection(QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::Id128))
{
    InitGlobals(m_dir.path() + QStringLiteral("/kvam"));
    QString error;
    m_valid = m_dir.isValid() && CreateWorkingDirectories()
           && createSampleDatabase(databaseFile(), {applicants, seed}, &error);
    if (!m_valid)
        qWarning("TestAppDir: %s", qPrintable(error));
}

TestAppDir::~TestAppDir() { closeSqlite(m_connection); }

QString TestAppDir::file(const QString &relative) const { return m_dir.filePath(relative); }

QSqlDatabase TestAppDir::db()
{
    if (QSqlDatabase::contains(m_connection))
        return QSqlDatabase::database(m_connection);
    QString error;
    QSqlDatabase db = openSqlite(m_connection, databaseFile(), {}, &error);
    if (!db.isOpen())
        qWarning("TestAppDir: %s", qPrintable(error));
    return db;
}

void TestAppDir::exec(const QString &sql)
{
    QSqlQuery query(db());
    if (!query.exec(sql))
        QTest::qFail(qPrintable(QStringLiteral("%1: %2").arg(sql, query.lastError().text())), __FILE__, __LINE__);
}

QVariant TestAppDir::scalar(const QString &sql)
{
    QSqlQuery query(db());
    if (!query.exec(sql) || !query.next())
        return {};
    return query.value(0);
}

void TestAppDir::writeCondition(const QStringList &lines) { writeGbkLines(QueryConFile, lines); }

} // namespace kvam::test
