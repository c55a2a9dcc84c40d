#include "PackageFixture.h"
#include "support/TestAppDir.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QUuid>

#include <zip.h>

using namespace kvam;

// Packages from other offices are untrusted: whatever a package holds, it
// ends with a message and a log line saying why, the main database stays as
// it was and nothing is written outside temp/.
class TestHostilePackages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void refusedWithoutHarm_data();
    void refusedWithoutHarm();
    void databaseEntryIsTakenByItsBaseName();

private:
    using Entries = QList<std::pair<QByteArray, QByteArray>>;
    QString writeZip(const QString &name, const Entries &entries, int level = 9);
    QString writeFile(const QString &name, const QByteArray &bytes);
    QByteArray packageDatabase(const QStringList &alter = {});

    QTemporaryDir m_packages;
    QString m_outsideDir;
};

void TestHostilePackages::initTestCase()
{
    m_outsideDir = QDir::tempPath() + "/kvam-outside-" + QUuid::createUuid().toString(QUuid::Id128);
}

QString TestHostilePackages::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_packages.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

// A ZIP with the entries as given, names and all.
QString TestHostilePackages::writeZip(const QString &name, const Entries &entries, int level)
{
    const QString file = m_packages.filePath(name);
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(file).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    for (const auto &[entry, data] : entries) {
        zip_source_t *source = zip_source_buffer(archive, data.constData(), static_cast<zip_uint64_t>(data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, entry.constData(), source, ZIP_FL_ENC_RAW);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                 static_cast<zip_uint32_t>(level));
    }
    if (zip_close(archive) != 0)
        qWarning("zip_close: %s", zip_strerror(archive));
    return file;
}

// A database that would merge one person if it got that far.
QByteArray TestHostilePackages::packageDatabase(const QStringList &alter)
{
    const QString file = m_packages.filePath("source.db");
    if (!test::makePackageDatabase(file, {{"900000000000000001", "不该进来"}}, {}, alter)) {
        qWarning("cannot make %s", qPrintable(file));
        return {};
    }
    QFile db(file);
    db.open(QIODevice::ReadOnly);
    return db.readAll();
}

void TestHostilePackages::refusedWithoutHarm_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("unpacked");

    const QString notZip = "不是有效的数据包(ZIP)文件";
    const QString damaged = "不完整或已损坏，无法解压缩";
    const QString noDatabase = "中没有数据文件kvam.mdb";
    const QString noTable = "中的数据文件没有个人基本信息表grjbxx00";
    const QByteArray database = packageDatabase();

    QTest::newRow("not a ZIP") << writeFile("text.ps", "这不是数据包") << notZip << false;
    QTest::newRow("empty file") << writeFile("empty.ps", "") << notZip << false;

    const QString whole = writeZip("whole.ps", {{"kvam.mdb", database}});
    QFile wholeFile(whole);
    wholeFile.open(QIODevice::ReadOnly);
    const QByteArray zipped = wholeFile.readAll();
    QTest::newRow("truncated") << writeFile("truncated.ps", zipped.left(zipped.size() / 2)) << damaged << false;

    // The sizes in both headers claim 1000 bytes: the data itself is counted.
    QByteArray understated = zipped;
    const auto patch = [&](const char *signature, int offset) {
        const qsizetype at = understated.indexOf(QByteArray(signature, 4));
        const char small[4] = {char(0xe8), char(0x03), 0, 0};
        understated.replace(at + offset, 4, QByteArray(small, 4));
    };
    patch("PK\x03\x04", 22);
    patch("PK\x01\x02", 24);
    QTest::newRow("header understates the size") << writeFile("understated.ps", understated) << damaged << false;

    QTest::newRow("no kvam.mdb") << writeZip("nodb.ps", {{"readme.txt", "x"}}) << noDatabase << false;
    QTest::newRow("traversal names") << writeZip("traversal.ps", {{"../../outside.txt", "x"},
                                                                  {"..\\..\\outside.txt", "x"},
                                                                  {QFile::encodeName(m_outsideDir) + "/abs.txt", "x"},
                                                                  {"../../kvam.mdb/../outside.txt", "x"}})
                                     << noDatabase << false;
    QTest::newRow("two databases") << writeZip("two.ps", {{"kvam.mdb", database}, {"sub/KVAM.MDB", database}})
                                   << "中有多个数据文件kvam.mdb" << false;
    QTest::newRow("oversized") << writeZip("bomb.ps", {{"kvam.mdb", QByteArray(20 << 20, '\0')}}, 1)
                               << "中的数据文件解压后超过大小上限" << false;

    QTest::newRow("not SQLite") << writeZip("text-db.ps", {{"kvam.mdb", QByteArray(8192, 'x')}})
                                << "中的kvam.mdb不是有效的数据文件" << true;
    QTest::newRow("no grjbxx00") << writeZip("notable.ps", {{"kvam.mdb", packageDatabase({"DROP TABLE grjbxx00"})}})
                                 << noTable << true;
    QTest::newRow("grjbxx00 is a view")
        << writeZip("view.ps", {{"kvam.mdb", packageDatabase({"ALTER TABLE grjbxx00 RENAME TO g",
                                                              "CREATE VIEW grjbxx00 AS SELECT * FROM g"})}})
        << noTable << true;
    QTest::newRow("missing column") << writeZip(
                                           "nocolumn.ps",
                                           {{"kvam.mdb", packageDatabase({"ALTER TABLE grjbxx00 DROP COLUMN z_bz"})}})
                                    << "中的个人基本信息表缺少字段z_bz" << true;
}

void TestHostilePackages::refusedWithoutHarm()
{
    QFETCH(QString, package);
    QFETCH(QString, reason);
    QFETCH(bool, unpacked);

    test::TestAppDir dir(20);
    const QString before = test::contentOf(dir.db());
    const auto filesOutsideTemp = [&]() {
        QStringList files;
        for (const QString &root : {dir.path(), m_packages.path()}) {
            QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                if (!file.startsWith(dir.file("temp/")) && !file.startsWith(dir.file("log/")))
                    files << file;
            }
        }
        return files;
    };
    const QStringList outside = filesOutsideTemp();

    const ImportOutcome outcome = test::runImport(package);

    const QString message = "导入信息时出错：文件[" + QFileInfo(package).fileName() + "]" + reason;
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.message, message);
    const QStringList expectedLog =
        unpacked ? QStringList{"解压缩文件" + package + "成功", "关闭数据文件成功！", message} : QStringList{message};
    QCOMPARE(test::logOf(outcome), expectedLog);
    QCOMPARE(test::contentOf(dir.db()), before);
    QCOMPARE(filesOutsideTemp(), outside);
    QVERIFY(!QFileInfo::exists(QFileInfo(dir.path()).dir().filePath("outside.txt")));
    QVERIFY(!QFileInfo::exists(m_outsideDir));
    const QStringList inTemp = QDir(dir.file("temp")).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(inTemp, unpacked ? QStringList{"kvam.mdb"} : QStringList{});
}

void TestHostilePackages::databaseEntryIsTakenByItsBaseName()
{
    test::TestAppDir dir;
    const QString package = writeZip("nested.ps", {{"../../kvam.mdb", packageDatabase()}});
    const ImportOutcome outcome = test::runImport(package, {true, false});
    QVERIFY(outcome.ok);
    QCOMPARE(outcome.added, 1);
    QVERIFY(QFileInfo::exists(dir.file("temp/kvam.mdb")));
    QVERIFY(!QFileInfo::exists(QFileInfo(dir.path()).dir().filePath("kvam.mdb")));
}

QTEST_GUILESS_MAIN(TestHostilePackages)
#include "tst_hostilepackages.moc"
