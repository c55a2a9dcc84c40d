#include "app/untGlobal.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "exchange/CodePackage.h"
#include "exchange/CodeUpgrade.h"
#include "platform/GbkText.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace kvam;

namespace {

// Every row of every table of a database file, in key order: equal texts
// mean nothing changed.
QString dumpDatabase(const QString &file)
{
    QString dump;
    {
        QSqlDatabase db = openSqlite(QStringLiteral("dump"), file, {});
        QSqlQuery tables(db);
        tables.exec(QStringLiteral("select name from sqlite_master where type = 'table' order by name"));
        while (tables.next()) {
            const QString table = tables.value(0).toString();
            dump += QStringLiteral("== %1\n").arg(table);
            QSqlQuery rows(db);
            rows.exec(QStringLiteral("select * from %1 order by rowid").arg(table));
            while (rows.next()) {
                for (int i = 0; i < rows.record().count(); ++i) {
                    const QVariant v = rows.value(i);
                    dump += (v.isNull()                            ? QStringLiteral("<null>")
                             : v.typeId() == QMetaType::QByteArray ? QString::fromLatin1(v.toByteArray().toHex())
                                                                   : v.toString()) +
                            QLatin1Char('|');
                }
                dump += QLatin1Char('\n');
            }
        }
    }
    closeSqlite(QStringLiteral("dump"));
    return dump;
}

// The six columns of every row of a table, in code order.
QList<QStringList> codeRows(const QString &file, const QString &table)
{
    QList<QStringList> rows;
    {
        QSqlDatabase db = openSqlite(QStringLiteral("rows"), file, {});
        QSqlQuery q(db);
        q.exec(QStringLiteral("select z_bm, z_mc, z_pym, z_sjbm, z_dj, z_sfky from %1 order by z_bm").arg(table));
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < 6; ++i)
                row << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
            rows << row;
        }
    }
    closeSqlite(QStringLiteral("rows"));
    return rows;
}

// Runs statements on a package file.
void alter(const QString &file, const QStringList &statements)
{
    {
        QSqlDatabase db = openSqlite(QStringLiteral("alter"), file, {});
        QSqlQuery q(db);
        for (const QString &sql : statements) {
            if (!q.exec(sql))
                QTest::qFail(qPrintable(sql + QStringLiteral(": ") + q.lastError().text()), __FILE__, __LINE__);
        }
    }
    closeSqlite(QStringLiteral("alter"));
}

int runCli(const QString &dir, const QStringList &args, QString *errors = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(KVAM_APP_DIR "/kvam-cli"), QStringList{QStringLiteral("--dir"), dir} + args);
    p.waitForFinished(60000);
    if (errors)
        *errors = QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}

} // namespace

class TestCodeUpgrade : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void upgradeLeavesEachTableHoldingThePackagesCodes();
    void upsertMatchesCodesExactly();
    void refusedPackageChangesNothing_data();
    void refusedPackageChangesNothing();
    void exportThenUpgradeThroughTheCliIsANoOp();

private:
    // A package written from the fixture's own database.
    static QString packageOf(test::TestAppDir &dir);
};

QString TestCodeUpgrade::packageOf(test::TestAppDir &dir)
{
    const QString package = dir.file(QStringLiteral("codes.psc"));
    QString error;
    if (!WriteCodePackage(dir.databaseFile(), package, &error))
        QTest::qFail(qPrintable(error), __FILE__, __LINE__);
    return package;
}

void TestCodeUpgrade::upgradeLeavesEachTableHoldingThePackagesCodes()
{
    test::TestAppDir dir(60);
    test::TestUi ui;
    const QString package = packageOf(dir);
    const int womenBefore = dir.scalar(QStringLiteral("select count(*) from grjbxx00 where z_xb = 2")).toInt();
    QVERIFY(womenBefore > 0);
    alter(package, {
                       // A code records still use.
                       QStringLiteral("delete from T_DM_GRJBXX00_XB where z_bm = '2'"),
                       // A code on both sides, every other column changed.
                       QStringLiteral("update T_DM_GRJBXX00_JSFS set z_mc = '择优晋升', z_pym = 'ZYJS', z_sjbm = '9', "
                                      "z_dj = 2, z_sfky = 0 where z_bm = '2'"),
                       // A code only in the package.
                       QStringLiteral("insert into T_DM_GRJBXX00_SBJB values ('5', '员级', 'YJ', '', 1, 1)"),
                       // Tables a code package never replaces.
                       QStringLiteral("create table T_DMBLIST (Z_DMBTABLENAME TEXT, Z_DMBTABLEMC TEXT)"),
                       QStringLiteral("create table T_DM_GRJBXX00_PSBZ (z_bm TEXT, z_mc TEXT)"),
                       QStringLiteral("insert into T_DM_GRJBXX00_PSBZ values ('7', 'x')"),
                   });
    QString before = dumpDatabase(dir.databaseFile());
    dir.db().close();

    QVERIFY(UpgradeCodes(package));
    QVERIFY2(ui.messages().isEmpty(), qPrintable(ui.texts().join(QLatin1Char('\n'))));

    // What the next start reads.
    for (const QString &table : schema::codeTables())
        QCOMPARE(codeRows(dir.databaseFile(), table), codeRows(package, table));
    QCOMPARE(codeRows(dir.databaseFile(), QStringLiteral("T_DM_GRJBXX00_JSFS")).at(1),
             QStringList({QStringLiteral("2"), QStringLiteral("择优晋升"), QStringLiteral("ZYJS"), QStringLiteral("9"),
                          QStringLiteral("2"), QStringLiteral("0")}));
    QCOMPARE(dir.scalar(QStringLiteral("select count(*) from T_DM_GRJBXX00_XB where z_bm = '2'")).toInt(), 0);
    QCOMPARE(dir.scalar(QStringLiteral("select z_mc from T_DM_GRJBXX00_SBJB where z_bm = '5'")).toString(),
             QStringLiteral("员级"));

    // Everything but the fifteen tables as it was, the records included.
    auto withoutCodeTables = [](QString dump) {
        for (const QString &table : schema::codeTables()) {
            const qsizetype from = dump.indexOf(QStringLiteral("== %1\n").arg(table));
            const qsizetype to = dump.indexOf(QStringLiteral("== "), from + 3);
            dump.remove(from, (to < 0 ? dump.size() : to) - from);
        }
        return dump;
    };
    QCOMPARE(withoutCodeTables(dumpDatabase(dir.databaseFile())), withoutCodeTables(before));
    QCOMPARE(dir.scalar(QStringLiteral("select count(*) from grjbxx00 where z_xb = 2")).toInt(), womenBefore);
}

void TestCodeUpgrade::upsertMatchesCodesExactly()
{
    test::TestAppDir dir;
    test::TestUi ui;
    const QString package = packageOf(dir);
    // The longer code comes first and the shorter one is new: a prefix match
    // would take the longer code's row for the shorter one.
    alter(package, {
                       QStringLiteral("delete from T_DM_GRJBXX00_CSZY where z_bm in ('01', '0101')"),
                       QStringLiteral("insert into T_DM_GRJBXX00_CSZY values ('0101', '机械工程', 'JXGC', '01', 2, 1)"),
                       QStringLiteral("insert into T_DM_GRJBXX00_CSZY values ('01', '工程技术', 'GCJS', '', 1, 1)"),
                   });
    dir.exec(QStringLiteral("delete from T_DM_GRJBXX00_CSZY where z_bm = '01'"));
    dir.db().close();

    QVERIFY(UpgradeCodes(package));
    QCOMPARE(dir.scalar(QStringLiteral("select z_mc from T_DM_GRJBXX00_CSZY where z_bm = '0101'")).toString(),
             QStringLiteral("机械工程"));
    QCOMPARE(dir.scalar(QStringLiteral("select z_mc from T_DM_GRJBXX00_CSZY where z_bm = '01'")).toString(),
             QStringLiteral("工程技术"));
    QCOMPARE(codeRows(dir.databaseFile(), QStringLiteral("T_DM_GRJBXX00_CSZY")),
             codeRows(package, QStringLiteral("T_DM_GRJBXX00_CSZY")));
}

void TestCodeUpgrade::refusedPackageChangesNothing_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<bool>("garbage");
    QTest::addColumn<QString>("named");

    QTest::newRow("last table missing") << QStringList{QStringLiteral("drop table T_DM_GRJBXX00_SBJB")} << false
                                        << QStringLiteral("T_DM_GRJBXX00_SBJB");
    QTest::newRow("column missing") << QStringList{QStringLiteral("alter table T_DM_GRJBXX00_GZDW drop column z_sfky")}
                                    << false << QStringLiteral("z_sfky");
    QTest::newRow("row without a code")
        << QStringList{QStringLiteral("drop table T_DM_GRJBXX00_JSFS"),
                       QStringLiteral("create table T_DM_GRJBXX00_JSFS (z_bm, z_mc, z_pym, z_sjbm, z_dj, z_sfky)"),
                       QStringLiteral("insert into T_DM_GRJBXX00_JSFS values ('1', '正常晋升', 'ZCJS', '', 1, 1)"),
                       QStringLiteral("insert into T_DM_GRJBXX00_JSFS values (null, '无', 'W', '', 1, 1)")}
        << false << QStringLiteral("T_DM_GRJBXX00_JSFS");
    QTest::newRow("no database") << QStringList{} << true << QStringLiteral("codes.psc");
}

void TestCodeUpgrade::refusedPackageChangesNothing()
{
    QFETCH(QStringList, statements);
    QFETCH(bool, garbage);
    QFETCH(QString, named);

    test::TestAppDir dir(30);
    test::TestUi ui;
    const QString package = packageOf(dir);
    // The first table upgraded differs, so a half-done upgrade would show.
    alter(package, QStringList{QStringLiteral("delete from T_DM_GRJBXX00_ZCCJ where z_bm = '1'"),
                               QStringLiteral("update T_DM_GRJBXX00_CSZY set z_mc = 'x'")} +
                       statements);
    if (garbage) {
        QFile f(package);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("PK\x03\x04 not a database at all");
    }
    const QString before = dumpDatabase(dir.databaseFile());
    dir.db().close();

    ContinueFlag = 1;
    QVERIFY(!UpgradeCodes(package));
    QCOMPARE(dumpDatabase(dir.databaseFile()), before);
    QCOMPARE(ContinueFlag.load(), 0);
    const auto messages = ui.messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0).text, QStringLiteral("更新失败"));
    QCOMPARE(messages.at(0).caption, QStringLiteral("错误"));
    QVERIFY(messages.at(1).text.startsWith(QStringLiteral("代码未作任何更改。")));
    QVERIFY2(messages.at(1).text.contains(named), qPrintable(messages.at(1).text));
    QCOMPARE(messages.at(1).caption, QStringLiteral("提示"));
    QVERIFY(readGbkLines(dir.file(QStringLiteral("error.log"))).join(QLatin1Char('\n')).contains(named));
}

void TestCodeUpgrade::exportThenUpgradeThroughTheCliIsANoOp()
{
    test::TestAppDir dir(20);
    dir.db().close();
    const QString package = dir.file(QStringLiteral("out.psc"));
    QCOMPARE(runCli(dir.path(), {QStringLiteral("export-codes"), package}), 0);
    const QString before = dumpDatabase(dir.databaseFile());
    QCOMPARE(runCli(dir.path(), {QStringLiteral("upgrade-codes"), package}), 0);
    QCOMPARE(dumpDatabase(dir.databaseFile()), before);

    alter(package, {QStringLiteral("drop table T_DM_GRJBXX00_XW")});
    QString errors;
    QCOMPARE(runCli(dir.path(), {QStringLiteral("upgrade-codes"), package}, &errors), 1);
    QVERIFY2(errors.contains(QStringLiteral("错误: 更新失败")), qPrintable(errors));
    QVERIFY2(errors.contains(QStringLiteral("T_DM_GRJBXX00_XW")), qPrintable(errors));
    QCOMPARE(dumpDatabase(dir.databaseFile()), before);
    QVERIFY(!QFile::exists(package + QStringLiteral(".part")));
}

QTEST_GUILESS_MAIN(TestCodeUpgrade)
#include "tst_codeupgrade.moc"
