#include "IdNumber.h"
#include "SampleDatabase.h"
#include "data/Database.h"
#include "data/UnitCodes.h"
#include "support/TestAppDir.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace kvam;

class TestSampleDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void applicantsLookReal();
    void everyCodedFieldDecodes_data();
    void everyCodedFieldDecodes();
    void sameSeedSameDatabase();
    void keyRefusesDuplicatesAndEmptyNumbers_data();
    void keyRefusesDuplicatesAndEmptyNumbers();
    void codeTablesHaveTheirColumnsInOrder();
    void initRefusesToOverwrite();

private:
    static QByteArray digestOf(const QString &file);
};

void TestSampleDatabase::applicantsLookReal()
{
    test::TestAppDir dir(400, 7);
    QVERIFY(dir.isValid());
    QSqlQuery q(dir.db());
    QVERIFY(q.exec(QStringLiteral("select z_zjhm, z_csrq, z_xb, z_zjlx, z_gzdw, z_yijzgbm, z_erjzgbm, "
                                  "z_sanjzgbm, z_sijzgbm, z_dh1, z_dh2 from grjbxx00")));
    int rows = 0;
    while (q.next()) {
        ++rows;
        const QString id = q.value(0).toString();
        QVERIFY2(hasValidIdCheck(id), qPrintable(id));
        QCOMPARE(id.mid(6, 8), q.value(1).toString().remove(QLatin1Char('-')));
        QCOMPARE((id.at(16).digitValue() % 2 == 1) ? 1 : 2, q.value(2).toInt());
        QCOMPARE(q.value(3).toInt(), 1);
        const SupervisingUnits s = deriveSupervisingUnits(q.value(4).toString());
        QCOMPARE(QStringList({q.value(5).toString(), q.value(6).toString(), q.value(7).toString(),
                              q.value(8).toString()}),
                 QStringList({s.yijzgbm, s.erjzgbm, s.sanjzgbm, s.sijzgbm}));
        for (int phone : {9, 10}) {
            const QString number = q.value(phone).toString();
            QVERIFY(!number.isEmpty());
            QVERIFY(std::all_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); }));
        }
    }
    QCOMPARE(rows, 400);
    QCOMPARE(dir.scalar(QStringLiteral("select count(distinct z_zjhm) from grjbxx00")).toInt(), 400);
    // Flags: mostly passed, some not, a few unset.
    for (const char *flag : {"z_shbz", "z_psbz", "z_zkbz"}) {
        const QString f = QString::fromLatin1(flag);
        QVERIFY(dir.scalar(QStringLiteral("select count(*) from grjbxx00 where %1 = 1").arg(f)).toInt() > 280);
        QVERIFY(dir.scalar(QStringLiteral("select count(*) from grjbxx00 where %1 = 0").arg(f)).toInt() > 0);
        QVERIFY(dir.scalar(QStringLiteral("select count(*) from grjbxx00 where %1 is null").arg(f)).toInt() > 0);
    }
    // A few photos, each a JPEG of more than 100 bytes.
    QVERIFY(dir.scalar(QStringLiteral("select count(*) from grjbxx00 where length(z_grzp) > 100 "
                                      "and hex(substr(z_grzp, 1, 2)) = 'FFD8'")).toInt() > 0);
}

void TestSampleDatabase::everyCodedFieldDecodes_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("table");
    const char *pairs[][2] = {
        {"z_xb", "XB"},           {"z_mz", "MZ"},           {"z_zzmm", "ZZMM"},       {"z_zjlx", "ZJLX"},
        {"z_first_xl", "XL"},     {"z_first_xw", "XW"},     {"z_first_sxzy", "SXZY"}, {"z_last_xl", "XL"},
        {"z_last_xw", "XW"},      {"z_last_sxzy", "SXZY"},  {"z_gzdw", "GZDW"},       {"z_yijzgbm", "GZDW"},
        {"z_erjzgbm", "GZDW"},    {"z_sanjzgbm", "GZDW"},   {"z_sijzgbm", "GZDW"},    {"z_dwxz", "DWXZ"},
        {"z_cszy", "CSZY"},       {"z_sbxl", "ZYJSZG"},     {"z_sbzg", "ZYJSZG"},     {"z_sbdj", "SBJB"},
        {"z_sbzy", "CSZY"},       {"z_jsfs", "JSFS"},       {"z_jsjcj", "ZCCJ"},      {"z_wycj", "ZCCJ"},
        {"z_xrjszg", "ZYJSZG"},   {"z_shbz", "SHBZ"},       {"z_psbz", "PSBZ"},       {"z_zkbz", "ZKBZ"},
    };
    for (const auto &p : pairs)
        QTest::newRow(p[0]) << QString::fromLatin1(p[0]) << QStringLiteral("T_DM_GRJBXX00_") + QLatin1String(p[1]);
}

void TestSampleDatabase::everyCodedFieldDecodes()
{
    QFETCH(QString, column);
    QFETCH(QString, table);
    static test::TestAppDir dir(300, 3);
    QVERIFY(dir.isValid());
    // Empty supervising units (a unit of a higher level) and unset flags are
    // no codes; everything else must have its row.
    const int undecoded = dir.scalar(QStringLiteral("select count(*) from grjbxx00 where %1 is not null and %1 <> '' "
                                                    "and (select z_mc from %2 where z_bm = %1) is null")
                                         .arg(column, table)).toInt();
    QCOMPARE(undecoded, 0);
    if (column == QLatin1String("z_sbxl")) {
        QCOMPARE(dir.scalar(QStringLiteral("select count(*) from grjbxx00 where z_sbxl <> "
                                           "(select z_sjbm from T_DM_GRJBXX00_ZYJSZG where z_bm = z_sbzg)")).toInt(), 0);
    }
}

QByteArray TestSampleDatabase::digestOf(const QString &file)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    {
        QSqlDatabase db = openSqlite(QStringLiteral("digest"), file, {.readOnly = true});
        QSqlQuery q(db);
        q.exec(QStringLiteral("select * from grjbxx00 order by rowid"));
        while (q.next()) {
            for (int i = 0; i < q.record().count(); ++i)
                hash.addData(q.value(i).toByteArray() + '\x1f');
        }
    }
    closeSqlite(QStringLiteral("digest"));
    return hash.result();
}

void TestSampleDatabase::sameSeedSameDatabase()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(createSampleDatabase(dir.filePath(QStringLiteral("a.mdb")), {200, 42}, &error));
    QVERIFY(createSampleDatabase(dir.filePath(QStringLiteral("b.mdb")), {200, 42}, &error));
    QVERIFY(createSampleDatabase(dir.filePath(QStringLiteral("c.mdb")), {200, 43}, &error));
    QCOMPARE(digestOf(dir.filePath(QStringLiteral("a.mdb"))), digestOf(dir.filePath(QStringLiteral("b.mdb"))));
    QVERIFY(digestOf(dir.filePath(QStringLiteral("a.mdb"))) != digestOf(dir.filePath(QStringLiteral("c.mdb"))));
}

void TestSampleDatabase::keyRefusesDuplicatesAndEmptyNumbers_data()
{
    QTest::addColumn<QString>("number");
    QTest::newRow("duplicate") << "EXISTING";
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("missing") << QString();
}

void TestSampleDatabase::keyRefusesDuplicatesAndEmptyNumbers()
{
    QFETCH(QString, number);
    test::TestAppDir dir(3);
    QVERIFY(dir.isValid());
    const QString existing = dir.scalar(QStringLiteral("select z_zjhm from grjbxx00 limit 1")).toString();
    QSqlQuery q(dir.db());
    QVERIFY(q.prepare(QStringLiteral("insert into grjbxx00 (z_zjhm, z_xm) values (:n, 'x')")));
    q.bindValue(QStringLiteral(":n"), number == QLatin1String("EXISTING") ? QVariant(existing)
                                      : number.isNull()                    ? QVariant()
                                                                           : QVariant(number));
    QVERIFY(!q.exec());
    QCOMPARE(dir.scalar(QStringLiteral("select count(*) from grjbxx00")).toInt(), 3);
}

void TestSampleDatabase::codeTablesHaveTheirColumnsInOrder()
{
    test::TestAppDir dir;
    QVERIFY(dir.isValid());
    QSqlQuery q(dir.db());
    QVERIFY(q.exec(QStringLiteral("select name from pragma_table_info('T_DM_GRJBXX00_GZDW') order by cid")));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    QCOMPARE(names, QStringList({"z_bm", "z_mc", "z_pym", "z_sjbm", "z_dj", "z_sfky"}));
    QCOMPARE(dir.scalar(QStringLiteral("select count(*) from T_DM_GRJBXX00_GZDW")).toInt(), 237);
    QCOMPARE(dir.scalar(QStringLiteral("select count(*) from TABLEFIELD_NAME")).toInt(), 46);
    QCOMPARE(dir.scalar(QStringLiteral("select count(*) from T_DMBLIST")).toInt(), 18);
    // Leading zeros and suffix letters survive: codes are text.
    QCOMPARE(dir.scalar(QStringLiteral("select z_mc from T_DM_GRJBXX00_SXZY where z_bm = '080904K'")).toString(),
             QStringLiteral("信息安全"));
}

void TestSampleDatabase::initRefusesToOverwrite()
{
    QTemporaryDir dir;
    const QString cli = QStringLiteral(KVAM_APP_DIR "/kvam-cli");
    auto run = [&](const QStringList &args) {
        QProcess p;
        p.start(cli, QStringList{QStringLiteral("--dir"), dir.path(), QStringLiteral("init")} + args);
        p.waitForFinished(60000);
        return p.exitCode();
    };
    QCOMPARE(run({QStringLiteral("--applicants"), QStringLiteral("5")}), 0);
    const QString db = dir.filePath(QStringLiteral("data/kvam.mdb"));
    QVERIFY(QFile::exists(db));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("temp"))));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("log"))));
    const QByteArray before = digestOf(db);
    QCOMPARE(run({QStringLiteral("--applicants"), QStringLiteral("9")}), 1);
    QCOMPARE(digestOf(db), before);
    QCOMPARE(run({QStringLiteral("--applicants"), QStringLiteral("9"), QStringLiteral("--force")}), 0);
    QVERIFY(digestOf(db) != before);
    QCOMPARE(run({QStringLiteral("--applicants"), QStringLiteral("x")}), 2);
}

QTEST_GUILESS_MAIN(TestSampleDatabase)
#include "tst_sampledatabase.moc"
