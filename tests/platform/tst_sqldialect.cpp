#include "data/Database.h"
#include "platform/SqlDialect.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace kvam;

class TestSqlDialect : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void converts_data();
    void converts();
    void convertedTextRunsOnSqlite();
    void unconvertedDoubleQuotesFailLoudly();
};

void TestSqlDialect::converts_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("double-quoted literal") << R"(select " ", z_xm from t)" << R"(select ' ', z_xm from t)";
    QTest::newRow("doubled quote inside") << R"(z_xm = "a""b")" << R"(z_xm = 'a"b')";
    QTest::newRow("single quote inside a double-quoted literal")
        << R"(z_xm = "O'Neil")" << R"(z_xm = 'O''Neil')";
    QTest::newRow("single-quoted literal untouched")
        << R"(z_xm = 'say "hi" #2001-07-07#')" << R"(z_xm = 'say "hi" #2001-07-07#')";
    QTest::newRow("escaped single quote untouched") << R"(z_xm = 'it''s "x"')" << R"(z_xm = 'it''s "x"')";
    QTest::newRow("date literal") << "(z_csrq >= #2001-07-07#)" << "(z_csrq >= '2001-07-07')";
    QTest::newRow("date literal padded") << "z_csrq = #2001-7-7#" << "z_csrq = '2001-07-07'";
    QTest::newRow("date literal m/d/y") << "z_csrq = #7/17/2001#" << "z_csrq = '2001-07-17'";
    QTest::newRow("hash that is no date") << "a # b" << "a # b";
    QTest::newRow("identifiers untouched") << "select [z_xm], `z_mz` from grjbxx00" << "select [z_xm], `z_mz` from grjbxx00";
    QTest::newRow("chinese text intact") << QString::fromUtf8(R"( (z_xm LIKE "%张三%") AND 1=1)")
                                         << QString::fromUtf8(R"( (z_xm LIKE '%张三%') AND 1=1)");
    QTest::newRow("comment untouched") << "select 1 -- it's \"x\"\n, \"y\"" << "select 1 -- it's \"x\"\n, 'y'";
    QTest::newRow("unterminated left as it is") << R"(z_xm = "abc)" << R"(z_xm = "abc)";
    QTest::newRow("multi-line condition") << "(\n (z_xm = \"a\") AND \n (z_zjhm LIKE \"%1%\")\n)"
                                          << "(\n (z_xm = 'a') AND \n (z_zjhm LIKE '%1%')\n)";
}

void TestSqlDialect::converts()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(jetToSqlite(jet), sqlite);
}

void TestSqlDialect::convertedTextRunsOnSqlite()
{
    QTemporaryDir dir;
    QString error;
    QSqlDatabase db = openSqlite(QStringLiteral("dialect"), dir.filePath(QStringLiteral("t.db")),
                                 {.create = true}, &error);
    QVERIFY2(db.isOpen(), qPrintable(error));
    {
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("create table t (x text, d text)")));
        QVERIFY(q.exec(QStringLiteral("insert into t values ('a\"b', '2001-07-07'), ('x', '1999-01-01')")));
        QVERIFY2(q.exec(jetToSqlite(QStringLiteral(R"(select count(*) from t where x = "a""b" and d >= #2001-7-7#)"))),
                 qPrintable(q.lastError().text()));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 1);
        // A double-quoted text that is also a column name is still a literal.
        QVERIFY(q.exec(jetToSqlite(QStringLiteral(R"(select count(*) from t where x = "x")"))));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 1);
    }
    db = QSqlDatabase();
    closeSqlite(QStringLiteral("dialect"));
}

void TestSqlDialect::unconvertedDoubleQuotesFailLoudly()
{
    QTemporaryDir dir;
    QSqlDatabase db = openSqlite(QStringLiteral("dqs"), dir.filePath(QStringLiteral("t.db")), {.create = true});
    QVERIFY(db.isOpen());
    {
        QSqlQuery q(db);
        QVERIFY(!q.exec(QStringLiteral(R"(select "no such column")")));
    }
    db = QSqlDatabase();
    closeSqlite(QStringLiteral("dqs"));
}

QTEST_GUILESS_MAIN(TestSqlDialect)
#include "tst_sqldialect.moc"
