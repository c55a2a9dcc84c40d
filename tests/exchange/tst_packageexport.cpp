#include "PackageFixture.h"
#include "data/Schema.h"
#include "exchange/ExportJob.h"
#include "support/TestAppDir.h"

#include <QTemporaryDir>

#include <zip.h>

using namespace kvam;

// Writing packages: the whole database or the selection, always one entry
// kvam.mdb, never a package that holds more than the selection.
class TestPackageExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void packageHoldsOneDeflatedEntry_data();
    void packageHoldsOneDeflatedEntry();
    void filteredPackageHoldsTheSelection_data();
    void filteredPackageHoldsTheSelection();
    void failedExportWritesNoPackage_data();
    void failedExportWritesNoPackage();

private:
    struct Entry {
        QString name;
        int method = -1;
    };
    static QList<Entry> entriesOf(const QString &package);
    // The package's database, unpacked as an import would.
    QString unpack(const QString &package);
    static QStringList column(QSqlDatabase db, const QString &sql);

    QTemporaryDir m_out;
};

QList<TestPackageExport::Entry> TestPackageExport::entriesOf(const QString &package)
{
    QList<Entry> entries;
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(package).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        entries << Entry{QString::fromUtf8(stat.name), stat.comp_method};
    }
    zip_discard(archive);
    return entries;
}

QString TestPackageExport::unpack(const QString &package)
{
    const QString file = m_out.filePath("unpacked.db");
    QFile::remove(file);
    return extractPackageDatabase(package, file) == UnpackFailure::None ? file : QString();
}

QStringList TestPackageExport::column(QSqlDatabase db, const QString &sql)
{
    QSqlQuery query(db);
    QStringList values;
    if (!query.exec(sql))
        values << query.lastError().text();
    while (query.next())
        values << query.value(0).toString();
    return values;
}

void TestPackageExport::packageHoldsOneDeflatedEntry_data()
{
    QTest::addColumn<bool>("whole");
    QTest::addColumn<QString>("name");

    QTest::newRow("whole database") << true << "全部.ps";
    QTest::newRow("selection") << false << "查询.ps";
    QTest::newRow("name without extension") << true << "package";
    QTest::newRow("name of the entry") << false << "kvam.mdb";
}

void TestPackageExport::packageHoldsOneDeflatedEntry()
{
    QFETCH(bool, whole);
    QFETCH(QString, name);

    test::TestAppDir dir(30);
    dir.writeCondition({" 1=1 "});
    const QString target = m_out.filePath(name);
    // An archive already there with other entries is replaced, not updated.
    {
        zip_t *old = zip_open(QFile::encodeName(target).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
        for (const char *entry : {"kvam.mdb", "other.txt"})
            zip_file_add(old, entry, zip_source_buffer(old, "x", 1, 0), 0);
        QCOMPARE(zip_close(old), 0);
        QCOMPARE(entriesOf(target).size(), 2);
    }

    // Twice in one run, the second over the first.
    for (int run = 0; run < 2; ++run) {
        const ExportOutcome outcome = exportPackage(target, whole, QueryConFile);
        QVERIFY2(outcome.ok, qPrintable(outcome.errorText));
        const QList<Entry> entries = entriesOf(target);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first().name, QStringLiteral("kvam.mdb"));
        QCOMPARE(entries.first().method, ZIP_CM_DEFLATE);
    }
    const QString db = unpack(target);
    QVERIFY(!db.isEmpty());
    QSqlDatabase package = openSqlite("export-check", db, {.readOnly = true});
    QCOMPARE(column(package, "select count(*) from grjbxx00"), QStringList{"30"});
    for (const QString &table : schema::codeTables() + schema::statusTables()) {
        const QString count = "select count(*) from " + table;
        QCOMPARE(column(package, count), column(dir.db(), count));
    }
    QCOMPARE(column(package, "select z_zjhm from grjbxx00 order by z_zjhm"),
             column(dir.db(), "select z_zjhm from grjbxx00 order by z_zjhm"));
    package = {};
    closeSqlite("export-check");
    QVERIFY(!QFileInfo::exists(QFileInfo(target).absolutePath() + "/." + name + ".part"));
}

void TestPackageExport::filteredPackageHoldsTheSelection_data()
{
    QTest::addColumn<QStringList>("condition");
    QTest::addColumn<QStringList>("kept");

    QTest::newRow("NULL condition travels") << QStringList{"(z_xb = 1)"} << QStringList{"1", "3"};
    QTest::newRow("everything") << QStringList{" 1=1 "} << QStringList{"1", "2", "3"};
    QTest::newRow("1=0") << QStringList{"1=0"} << QStringList{};
    QTest::newRow("1=2") << QStringList{"1=2"} << QStringList{};
    QTest::newRow("two lines, Jet text") << QStringList{"(z_xm = \"甲\"", " or z_xb = 2) and z_xb <> 9"}
                                         << QStringList{"1", "2", "3"};
}

void TestPackageExport::filteredPackageHoldsTheSelection()
{
    QFETCH(QStringList, condition);
    QFETCH(QStringList, kept);

    test::TestAppDir dir;
    QVERIFY(test::insertPeople(dir.db(), {{"1", "甲"}, {"2", "乙"}, {"3", "丙"}}));
    dir.exec("update grjbxx00 set z_xb = 1 where z_zjhm = '1'");
    dir.exec("update grjbxx00 set z_xb = 2, z_bz = '乙的备注只在主库' where z_zjhm = '2'");
    dir.writeCondition(condition);

    const QString target = m_out.filePath("selection.ps");
    const ExportOutcome outcome = exportPackage(target, false, QueryConFile);
    QVERIFY2(outcome.ok, qPrintable(outcome.errorText));
    const QString db = unpack(target);
    QVERIFY(!db.isEmpty());
    {
        QSqlDatabase package = openSqlite("export-check", db, {.readOnly = true});
        QCOMPARE(column(package, "select z_zjhm from grjbxx00 order by z_zjhm"), kept);
        const QString codes = "select count(*) from T_DM_GRJBXX00_GZDW";
        QCOMPARE(column(package, codes), column(dir.db(), codes));
    }
    closeSqlite("export-check");
    // A person left out leaves nothing of himself in the file.
    QFile file(db);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().contains(QStringLiteral("乙的备注只在主库").toUtf8()), kept.contains("2"));
}

void TestPackageExport::failedExportWritesNoPackage_data()
{
    QTest::addColumn<QStringList>("condition");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown column") << QStringList{"(z_nosuch = 1)"} << "out.ps"
                                    << "无法由查询导出数据";
    QTest::newRow("no condition") << QStringList{} << "out.ps"
                                  << "无法由查询导出数据";
    QTest::newRow("second statement") << QStringList{"1=1; drop table T_DM_GRJBXX00_XB"} << "out.ps"
                                      << "无法由查询导出数据";
    QTest::newRow("onto the database") << QStringList{" 1=1 "} << "data/kvam.mdb"
                                       << "导出个人信息时出错";
}

void TestPackageExport::failedExportWritesNoPackage()
{
    QFETCH(QStringList, condition);
    QFETCH(QString, target);
    QFETCH(QString, message);

    test::TestAppDir dir(5);
    dir.writeCondition(condition);
    const QString before = test::contentOf(dir.db());
    const QString file = target.startsWith("data/") ? dir.file(target) : m_out.filePath(target);
    if (!target.startsWith("data/")) {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("older package") > 0);
    }
    const QByteArray targetBefore = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    const ExportOutcome outcome = exportPackage(file, false, QueryConFile);
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.message, message);
    QFile after(file);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), targetBefore);
    QCOMPARE(test::contentOf(dir.db()), before);
    QCOMPARE(dir.scalar("select count(*) from T_DM_GRJBXX00_XB"), QVariant(2));
}

QTEST_GUILESS_MAIN(TestPackageExport)
#include "tst_packageexport.moc"
