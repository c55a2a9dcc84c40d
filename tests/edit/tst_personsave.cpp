#include "edit/PersonLoad.h"
#include "edit/PersonSave.h"
#include "edit/PersonFixture.h"
#include "support/CodeTables.h"
#include "support/TestAppDir.h"

#include <QSqlQuery>
#include <QTest>

using namespace kvam;

class TestPersonSave : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void newRecordIsInsertedWhole();
    void duplicateNumberWritesNothing();
    void existingRecordIsUpdatedByItsOldNumber();
    void updateThatFindsNoRowIsAFailure();
    void checksStopAtTheFirstFault_data();
    void checksStopAtTheFirstFault();
    void identityCardLength_data();
    void identityCardLength();
    void birthDateFromIdNumber_data();
    void birthDateFromIdNumber();
    void storedPhotos_data();
    void storedPhotos();
    void noPictureIsStoredEmptyAndReadAsNone();

private:
    PersonSave save(int editMode, const PersonEntry &entry, const ApplicationDetails &details = test::sampleDetails());
    QVariant column(const QString &zjhm, const char *column);

    test::TestAppDir *m_dir = nullptr;
    QString m_existing;
    QString m_oldZjhm;
    TGrxx m_grxx;
};

void TestPersonSave::initTestCase()
{
    m_dir = new test::TestAppDir(3);
    QVERIFY(m_dir->isValid());
    QVERIFY(test::loadCodeTables(m_dir->db()));
    m_existing = m_dir->scalar(QStringLiteral("select z_zjhm from grjbxx00 order by z_zjhm limit 1")).toString();
}

void TestPersonSave::init()
{
    m_grxx = TGrxx{};
    test::presetPickedCodes(m_grxx);
    m_oldZjhm.clear();
}

PersonSave TestPersonSave::save(int editMode, const PersonEntry &entry, const ApplicationDetails &details)
{
    return savePersonRecord(m_dir->db(), details, entry, editMode, m_oldZjhm, m_grxx);
}

QVariant TestPersonSave::column(const QString &zjhm, const char *column)
{
    return m_dir->scalar(QStringLiteral("select %1 from grjbxx00 where z_zjhm = '%2'")
                             .arg(QString::fromLatin1(column), zjhm));
}

void TestPersonSave::newRecordIsInsertedWhole()
{
    PersonEntry entry = test::sampleEntry();
    entry.zjhm = QStringLiteral("110101198001010011");
    const PersonSave result = save(0, entry);
    QVERIFY2(result.check.ok(), qPrintable(result.check.message));
    QCOMPARE(result.write.outcome, PersonWrite::Written);

    const QString id = entry.zjhm;
    const std::pair<const char *, QVariant> expected[] = {
        {"z_xm", "李四"},           {"z_xb", 2},                  {"z_mz", 3},
        {"z_zjlx", 1},             {"z_csrq", "1980-01-01"},     {"z_zzmm", 13},
        {"z_first_xl", 21},        {"z_first_xw", 4},            {"z_first_bysj", "2002-07-01"},
        {"z_first_sxzy", "080904K"}, {"z_last_xl", 14},          {"z_last_zshm", "B002"},
        {"z_gzdw", "1101100120010000"}, {"z_yijzgbm", "1101000000000000"},
        {"z_erjzgbm", "1101100100000000"}, {"z_sanjzgbm", "1101100120010000"}, {"z_sijzgbm", ""},
        {"z_cjgzsj", "2005-08-01"}, {"z_dwxz", 1},               {"z_cszy", "010102"},
        {"z_dh3", ""},              {"z_bz", "第一行\n第二行 "},  {"z_sbxl", "01"},
        {"z_sbzg", "0102"},         {"z_sbdj", 2},               {"z_sbzy", "010101"},
        {"z_jsfs", 1},              {"z_jsjcj", 1},              {"z_wycj", 3},
        {"z_xrjszg", "0103"},       {"z_xrjszgsj", "2015-03-01"}, {"typeof(z_sbdj)", "integer"},
        {"typeof(z_grzp)", "blob"},
    };
    for (const auto &[name, value] : expected)
        QCOMPARE(column(id, name).toString(), value.toString());
    QCOMPARE(column(id, "z_grzp").toByteArray(), entry.personalPhoto);
    QCOMPARE(column(id, "z_zjzp").toByteArray(), entry.certificatePhoto);
    // The review flags stay unset.
    QCOMPARE(column(id, "coalesce(z_shbz, z_psbz, z_zkbz, 'unset')").toString(), QStringLiteral("unset"));
}

void TestPersonSave::duplicateNumberWritesNothing()
{
    const QVariant before = column(m_existing, "z_xm");
    PersonEntry entry = test::sampleEntry();
    entry.zjhm = m_existing;
    const PersonSave result = save(0, entry);
    QCOMPARE(result.check.message, QStringLiteral("您添加的证件号码已存在，请检查后填写"));
    QCOMPARE(result.check.focus, QStringLiteral("edtZJHM"));
    QCOMPARE(result.write.outcome, PersonWrite::Duplicate);
    QCOMPARE(column(m_existing, "z_xm"), before);
    QCOMPARE(m_dir->scalar(QStringLiteral("select count(*) from grjbxx00 where z_zjhm = '%1'").arg(m_existing)).toInt(), 1);
}

void TestPersonSave::existingRecordIsUpdatedByItsOldNumber()
{
    PersonEntry entry = test::sampleEntry();
    entry.zjhm = QStringLiteral("110101198001010099");
    const QString original = m_dir->scalar(QStringLiteral("select z_zjhm from grjbxx00 order by z_zjhm desc")).toString();
    m_oldZjhm = original;
    const PersonSave result = save(1, entry);
    QVERIFY2(result.check.ok(), qPrintable(result.check.message));
    QCOMPARE(result.write.outcome, PersonWrite::Written);
    QCOMPARE(m_oldZjhm, entry.zjhm);
    QVERIFY(!column(original, "z_xm").isValid());
    QCOMPARE(column(entry.zjhm, "z_xm").toString(), QStringLiteral("李四"));

    // A number that another row has is refused by the table.
    m_oldZjhm = entry.zjhm;
    entry.zjhm = m_existing;
    const PersonSave clash = save(1, entry);
    QCOMPARE(clash.write.outcome, PersonWrite::Failed);
    QCOMPARE(clash.logMessage, QStringLiteral("不能更新个人基本情况"));
    QCOMPARE(column(QStringLiteral("110101198001010099"), "z_xm").toString(), QStringLiteral("李四"));
}

void TestPersonSave::updateThatFindsNoRowIsAFailure()
{
    const int before = m_dir->scalar(QStringLiteral("select count(*) from grjbxx00")).toInt();
    m_oldZjhm.clear(); // 修改 on an editor that held no record
    PersonEntry entry = test::sampleEntry();
    entry.zjhm = QStringLiteral("110101198001010088");
    const PersonSave result = save(1, entry);
    QCOMPARE(result.write.outcome, PersonWrite::Failed);
    QCOMPARE(result.logMessage, QStringLiteral("不能更新个人基本情况"));
    QVERIFY(m_oldZjhm.isEmpty());
    QCOMPARE(m_dir->scalar(QStringLiteral("select count(*) from grjbxx00")).toInt(), before);

    QCOMPARE(save(7, entry).write.outcome, PersonWrite::NotWritten);
}

void TestPersonSave::checksStopAtTheFirstFault_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("reopenWizard");
    auto required = [](const char *label) {
        return QStringLiteral("您未正确填写") + QString::fromUtf8(label) + QStringLiteral("信息，请检查后填写");
    };
    QTest::newRow("wizard field") << "jsjcj" << "" << required("计算机成绩") << "" << true;
    QTest::newRow("name of blanks") << "xm" << "  " << required("姓名") << "edtXM" << false;
    QTest::newRow("ethnic group") << "mz" << "" << required("民族") << "edtMZ" << false;
    QTest::newRow("political status") << "zzmm" << "" << required("政治面貌") << "edtZZMM" << false;
    QTest::newRow("first subject") << "firstSxzy" << "" << required("第一学历所学专业") << "edtfirstSXZY" << false;
    QTest::newRow("highest degree") << "lastXw" << "" << required("最高学历学位") << "edtLastXW" << false;
    QTest::newRow("work unit") << "gzdw" << "" << required("工作单位") << "edtGZDW" << false;
    // A typed text that was never confirmed would save another unit's code.
    QTest::newRow("unconfirmed work unit") << "gzdw" << "1101100100000000" << required("工作单位") << "edtGZDW" << false;
    QTest::newRow("mobile") << "dh2" << "" << required("手机") << "edtDH2" << false;
    QTest::newRow("too large a picture") << "personalPhoto" << "301x400"
                                         << "您选择的个人图片的大小超过300*400,请重新选择" << "" << false;
    QTest::newRow("too high a certificate") << "certificatePhoto" << "300x401"
                                            << "您选择的证件图片的大小超过300*400,请重新选择" << "" << false;
    QTest::newRow("code that is no number") << "mz" << "怪族" << "民族的代码“A1”不是数字，请检查代码表后再保存"
                                            << "edtMZ" << false;
}

void TestPersonSave::checksStopAtTheFirstFault()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(bool, reopenWizard);
    const TCodeArray mz = codeMZ;
    QList<TCodeStructure> faulty = mz.rows();
    faulty << TCodeStructure{"A1", "GZ", "怪族", "", 0};
    codeMZ.assign(faulty);

    PersonEntry entry = test::sampleEntry();
    ApplicationDetails details = test::sampleDetails();
    const int w = value.section(QLatin1Char('x'), 0, 0).toInt(), h = value.section(QLatin1Char('x'), 1, 1).toInt();
    QString *texts[] = {&entry.xm, &entry.mz, &entry.zzmm, &entry.firstSxzy, &entry.lastXw, &entry.gzdw, &entry.dh2,
                        &details.jsj};
    const char *names[] = {"xm", "mz", "zzmm", "firstSxzy", "lastXw", "gzdw", "dh2", "jsjcj"};
    for (int i = 0; i < 8; ++i) {
        if (field == QLatin1String(names[i]))
            *texts[i] = value;
    }
    if (field == QStringLiteral("personalPhoto"))
        entry.personalPhoto = test::jpegOfSize(w, h);
    if (field == QStringLiteral("certificatePhoto"))
        entry.certificatePhoto = test::jpegOfSize(w, h);
    entry.zjhm = QStringLiteral("110101198001010022");
    entry.dh3.clear(); // the second numbers may stay empty
    entry.dh4.clear();

    const PersonSave result = save(0, entry, details);
    codeMZ = mz;
    QCOMPARE(result.check.message, message);
    QCOMPARE(result.check.focus, focus);
    QCOMPARE(result.reopenWizard, reopenWizard);
    QCOMPARE(result.check.caption, field.endsWith(QStringLiteral("Photo")) ? QStringLiteral("提示") : QStringLiteral("错误"));
    QVERIFY(!column(entry.zjhm, "z_xm").isValid());
}

void TestPersonSave::identityCardLength_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("身份证 of 17") << "身份证" << "11010119800101123" << false;
    QTest::newRow("护照 of 17") << "护照" << "11010119800101123" << true;
    QTest::newRow("身份证 of 15, blanks trimmed") << "身份证" << " 110101800101123 " << true;
    QTest::newRow("身份证 of 18") << "身份证" << "11010119800101123X" << true;
}

void TestPersonSave::identityCardLength()
{
    QFETCH(QString, type);
    QFETCH(QString, number);
    QFETCH(bool, accepted);
    PersonEntry entry = test::sampleEntry();
    entry.zjlx = type;
    entry.zjhm = number;
    const PersonSave result = save(0, entry);
    QCOMPARE(result.check.ok(), accepted);
    QCOMPARE(column(number.trimmed(), "count(*)").toInt(), accepted ? 1 : 0);
    if (!accepted) {
        QCOMPARE(result.check.message, QStringLiteral("您未正确填写证件号码信息，请检查后填写"));
        QCOMPARE(result.check.focus, QStringLiteral("edtZJHM"));
    }
}

void TestPersonSave::birthDateFromIdNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("date");
    QTest::newRow("15 characters") << "110101800101123" << "1980-01-01";
    QTest::newRow("18 characters") << " 11010119800101123X" << "1980-01-01";
    QTest::newRow("17 characters") << "11010119800101123" << "";
    QTest::newRow("characters are not checked") << "110101ab0101123" << "19ab-01-01";
}

void TestPersonSave::birthDateFromIdNumber()
{
    QFETCH(QString, number);
    QFETCH(QString, date);
    QCOMPARE(kvam::birthDateFromIdNumber(number), date);
}

void TestPersonSave::storedPhotos_data()
{
    QTest::addColumn<QByteArray>("blob");
    QTest::addColumn<bool>("photo");
    const QByteArray jpeg = test::jpegOfSize(30, 40);
    QVERIFY(jpeg.size() > 101);
    QTest::newRow("none") << QByteArray() << false;
    QTest::newRow("100 bytes") << jpeg.left(100) << false;
    QTest::newRow("101 bytes of no image") << QByteArray(101, 'x') << false;
    QTest::newRow("a JPEG image") << jpeg << true;
}

void TestPersonSave::storedPhotos()
{
    QFETCH(QByteArray, blob);
    QFETCH(bool, photo);
    QSqlQuery update(m_dir->db());
    QVERIFY(update.prepare(QStringLiteral("update grjbxx00 set z_grzp = :p, z_zjzp = :p2 where z_zjhm = :z")));
    update.bindValue(QStringLiteral(":p"), blob);
    update.bindValue(QStringLiteral(":p2"), test::jpegOfSize(10, 10));
    update.bindValue(QStringLiteral(":z"), m_existing);
    QVERIFY(update.exec());

    m_grxx.PersonalPhoto = QByteArray("previous person's");
    m_grxx.HasPersonalPhoto = true;
    QVERIFY(loadPersonRecord(m_dir->db(), m_existing, m_grxx));
    QCOMPARE(m_grxx.z_zjhm, m_existing);
    QCOMPARE(m_grxx.HasPersonalPhoto, photo);
    QCOMPARE(m_grxx.PersonalPhoto, photo ? blob : QByteArray());
    QVERIFY(m_grxx.HasCertificatePhoto);
    QCOMPARE(m_grxx.z_gzdw, column(m_existing, "z_gzdw").toString());
    QCOMPARE(m_grxx.z_sbdj, column(m_existing, "z_sbdj").toInt());

    // No row: the number is cleared, nothing else is read.
    QVERIFY(loadPersonRecord(m_dir->db(), QStringLiteral("nobody"), m_grxx));
    QVERIFY(m_grxx.z_zjhm.isEmpty());
    QCOMPARE(m_grxx.z_gzdw, column(m_existing, "z_gzdw").toString());
}

void TestPersonSave::noPictureIsStoredEmptyAndReadAsNone()
{
    PersonEntry entry = test::sampleEntry();
    entry.zjhm = QStringLiteral("110101198001010033");
    entry.personalPhoto.clear();
    m_grxx.PersonalPhoto = test::jpegOfSize(50, 50);
    m_grxx.HasPersonalPhoto = true;
    QVERIFY(save(0, entry).check.ok());
    QCOMPARE(column(entry.zjhm, "length(z_grzp)").toInt(), 0);
    QVERIFY(!m_grxx.HasPersonalPhoto);
    TGrxx read;
    QVERIFY(loadPersonRecord(m_dir->db(), entry.zjhm, read));
    QVERIFY(!read.HasPersonalPhoto);
    QVERIFY(read.HasCertificatePhoto);
}

QTEST_GUILESS_MAIN(TestPersonSave)
#include "tst_personsave.moc"
