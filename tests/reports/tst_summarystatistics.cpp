#include "reports/SummaryStatistics.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QProcess>
#include <QSet>
#include <QSqlRecord>
#include <QTest>
#include <memory>

using namespace kvam;

Q_DECLARE_METATYPE(kvam::ReviewFlag)

namespace {

using Rows = QList<QStringList>;

// The whole result, NULL as "<null>".
Rows resultOf(QSqlQuery &query)
{
    Rows rows;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
        rows << row;
    }
    return rows;
}

QStringList labelsOf(int m, ReviewFlag flag)
{
    QStringList labels;
    for (const SummaryColumn &c : SummaryColumns(m, flag))
        labels << c.label;
    return labels;
}

} // namespace

class TestSummaryStatistics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void levelOneUnitCountsItsRecordsByTheNextLevel();
    void noUnitCountsEveryRecordByFirstLevelUnit();
    void statisticFourHasNoUnitColumn();
    void everyStatisticAtEveryLevel_data();
    void everyStatisticAtEveryLevel();
    void unitLevels_data();
    void unitLevels();
    void quotesInTheUnitCodeAreJustText_data();
    void quotesInTheUnitCodeAreJustText();
    void aStatementThatCannotRunIsReported();
    void cliPrintsTheResultWithItsLabels();

private:
    // A sample database with synthetic applicants, shared by the tests that
    // only read it.
    std::unique_ptr<test::TestAppDir> m_dir;
};

void TestSummaryStatistics::initTestCase()
{
    m_dir = std::make_unique<test::TestAppDir>(400, 11);
    QVERIFY(m_dir->isValid());
}

void TestSummaryStatistics::cleanupTestCase() { m_dir.reset(); }

void TestSummaryStatistics::levelOneUnitCountsItsRecordsByTheNextLevel()
{
    test::TestAppDir dir;
    test::TestUi ui;
    const QString edu = QStringLiteral("1101000000000000");
    const QString north = QStringLiteral("1101100100000000");
    const QString west = QStringLiteral("1101100200000000");
    int n = 0;
    auto add = [&](const QString &yij, const QString &erj, int sbdj, const QVariant &psbz) {
        QSqlQuery q(dir.db());
        q.prepare(QStringLiteral("insert into grjbxx00 (z_zjhm, z_yijzgbm, z_erjzgbm, z_sbdj, z_psbz) "
                                 "values (:p_id, :p_yij, :p_erj, :p_sbdj, :p_psbz)"));
        q.bindValue(QStringLiteral(":p_id"), QStringLiteral("id%1").arg(++n));
        q.bindValue(QStringLiteral(":p_yij"), yij);
        q.bindValue(QStringLiteral(":p_erj"), erj);
        q.bindValue(QStringLiteral(":p_sbdj"), sbdj);
        q.bindValue(QStringLiteral(":p_psbz"), psbz);
        QVERIFY(q.exec());
    };
    add(edu, north, 2, 1);
    add(edu, north, 2, 1);
    add(edu, QString(), 2, 1);
    add(edu, QString(), 2, 1);
    add(edu, north, 3, 0);
    add(edu, west, 1, 1);
    add(edu, west, 1, QVariant());
    add(QStringLiteral("1102000000000000"), QStringLiteral("1102100100000000"), 2, 1);

    QSqlQuery query(dir.db());
    QVERIFY(OpenSummary(query, 0, ReviewFlag::Psbz, 1, edu));
    const QString null = QStringLiteral("<null>");
    const Rows expected = {
        {QStringLiteral("河西师范学院"), QStringLiteral("正高级"), null, QStringLiteral("1")},
        {QStringLiteral("北岭大学"), QStringLiteral("中级"), QStringLiteral("评审未通过"), QStringLiteral("1")},
        {QStringLiteral("河西师范学院"), QStringLiteral("正高级"), QStringLiteral("评审通过"), QStringLiteral("1")},
        {null, QStringLiteral("副高级"), QStringLiteral("评审通过"), QStringLiteral("2")},
        {QStringLiteral("北岭大学"), QStringLiteral("副高级"), QStringLiteral("评审通过"), QStringLiteral("2")},
        {QStringLiteral("合计"), QString(), QString(), QStringLiteral("7")},
    };
    QCOMPARE(resultOf(query), expected);
    QVERIFY(ui.messages().isEmpty());
}

void TestSummaryStatistics::noUnitCountsEveryRecordByFirstLevelUnit()
{
    QSqlQuery query(m_dir->db());
    QVERIFY(OpenSummary(query, 0, ReviewFlag::Psbz, *UnitLevelOf(m_dir->db(), QString()), QString()));
    QCOMPARE(labelsOf(0, ReviewFlag::Psbz), QStringList({QStringLiteral("下辖单位名称"), QStringLiteral("申报级别"),
                                                         QStringLiteral("是否通过"), QStringLiteral("人数")}));
    const Rows rows = resultOf(query);
    QCOMPARE(rows.last().first(), QStringLiteral("合计"));
    QCOMPARE(rows.last().last().toInt(), 400);
    QSet<QString> firstLevel;
    QSqlQuery units(m_dir->db());
    QVERIFY(units.exec(QStringLiteral("select z_mc from t_dm_grjbxx00_gzdw where z_dj = 1")));
    while (units.next())
        firstLevel << units.value(0).toString();
    for (qsizetype i = 0; i + 1 < rows.size(); ++i)
        QVERIFY2(firstLevel.contains(rows.at(i).first()), qPrintable(rows.at(i).join(QLatin1Char(' '))));
}

void TestSummaryStatistics::statisticFourHasNoUnitColumn()
{
    QCOMPARE(labelsOf(4, ReviewFlag::Shbz), QStringList({QStringLiteral("申报等级"), QStringLiteral("申报系列"),
                                                         QStringLiteral("是否通过"), QStringLiteral("人数")}));
    QCOMPARE(SummaryColumns(4, ReviewFlag::Shbz).at(1).width, 50);
    QSqlQuery query(m_dir->db());
    QVERIFY(OpenSummary(query, 4, ReviewFlag::Shbz, 2, QStringLiteral("1101100100000000")));
    const Rows rows = resultOf(query);
    QVERIFY(rows.size() > 1);
    for (const QStringList &row : rows)
        QCOMPARE(row.size(), 4);
    QSet<QString> levels;
    QSqlQuery names(m_dir->db());
    QVERIFY(names.exec(QStringLiteral("select z_mc from t_dm_grjbxx00_sbjb")));
    while (names.next())
        levels << names.value(0).toString();
    for (qsizetype i = 0; i + 1 < rows.size(); ++i)
        QVERIFY(levels.contains(rows.at(i).first()));
}

void TestSummaryStatistics::everyStatisticAtEveryLevel_data()
{
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("level");
    QTest::addColumn<ReviewFlag>("flag");
    for (int m = 0; m <= 4; ++m) {
        for (int level = 0; level <= 4; ++level) {
            for (ReviewFlag flag : {ReviewFlag::Psbz, ReviewFlag::Shbz}) {
                QTest::addRow("m%d L%d %s", m, level, flag == ReviewFlag::Psbz ? "psbz" : "shbz") << m << level << flag;
            }
        }
    }
}

// Counted without the statement: the admitted records, their distinct keys
// and, for the statistics by way of promotion, the names of their ways.
void TestSummaryStatistics::everyStatisticAtEveryLevel()
{
    QFETCH(int, m);
    QFETCH(int, level);
    QFETCH(ReviewFlag, flag);
    const char *groupBy[] = {"z_yijzgbm", "z_erjzgbm", "z_sanjzgbm", "z_sijzgbm", "z_sijzgbm"};
    const char *filterBy[] = {"", "z_yijzgbm", "z_erjzgbm", "z_sanjzgbm", "z_sijzgbm"};
    const char *keysOf[] = {"", ",z_jsfs", ",z_jsfs,z_dwxz", ",z_sbxl", ",z_sbxl"};
    const QString f = flag == ReviewFlag::Psbz ? QStringLiteral("z_psbz") : QStringLiteral("z_shbz");

    // The busiest unit of the level.
    QString unit;
    QString where;
    if (level > 0) {
        const QString w = QString::fromLatin1(filterBy[level]);
        unit = m_dir
                   ->scalar(QStringLiteral("select %1 from grjbxx00 where %1 <> '' group by %1 "
                                           "order by count(*) desc, %1 limit 1")
                                .arg(w))
                   .toString();
        QVERIFY(!unit.isEmpty());
        QCOMPARE(UnitLevelOf(m_dir->db(), unit), std::optional<int>(level));
        where = QStringLiteral(" where %1 = '%2'").arg(w, unit);
    }
    const int admitted = m_dir->scalar(QStringLiteral("select count(*) from grjbxx00") + where).toInt();
    const QString keys = f + QStringLiteral(",z_sbdj") + QString::fromLatin1(keysOf[m]) +
                         (m < 4 ? QLatin1Char(',') + QString::fromLatin1(groupBy[level]) : QString());
    const int groups =
        m_dir->scalar(QStringLiteral("select count(*) from (select distinct %1 from grjbxx00%2)").arg(keys, where))
            .toInt();

    QSqlQuery query(m_dir->db());
    QVERIFY(OpenSummary(query, m, flag, level, unit));
    const Rows rows = resultOf(query);
    const qsizetype columns = SummaryColumns(m, flag).size();
    QCOMPARE(rows.size(), groups + 1);
    int sum = 0;
    for (qsizetype i = 0; i + 1 < rows.size(); ++i) {
        QCOMPARE(rows.at(i).size(), columns);
        sum += rows.at(i).last().toInt();
    }
    QStringList total = {QStringLiteral("合计")};
    for (qsizetype i = 2; i < columns; ++i)
        total << QString();
    total << QString::number(admitted);
    QCOMPARE(rows.last(), total);
    QCOMPARE(sum, admitted);

    if (m == 1 || m == 2) {
        QSet<QString> expected;
        QSqlQuery ways(m_dir->db());
        QVERIFY(ways.exec(QStringLiteral("select distinct j.z_mc from grjbxx00 g join t_dm_grjbxx00_jsfs j "
                                         "on cast(j.z_bm as integer) = g.z_jsfs") +
                          where.replace(QStringLiteral(" where "), QStringLiteral(" where g."))));
        while (ways.next())
            expected << ways.value(0).toString();
        QSet<QString> shown;
        const int column = m < 4 ? 2 : 1;
        for (qsizetype i = 0; i + 1 < rows.size(); ++i)
            shown << rows.at(i).at(column);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(shown, expected);
    }
}

void TestSummaryStatistics::unitLevels_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("level"); // -1: no such unit
    QTest::newRow("nothing entered") << QString() << 0;
    QTest::newRow("all units") << QStringLiteral("0000000000000000") << 0;
    QTest::newRow("level 3") << QStringLiteral("1101100120010000") << 3;
    QTest::newRow("unknown") << QStringLiteral("9999000000000000") << -1;
}

void TestSummaryStatistics::unitLevels()
{
    QFETCH(QString, code);
    QFETCH(int, level);
    QCOMPARE(UnitLevelOf(m_dir->db(), code), level < 0 ? std::nullopt : std::optional<int>(level));
}

void TestSummaryStatistics::quotesInTheUnitCodeAreJustText_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("double quote") << QStringLiteral("1101000000000000\" or \"1\"=\"1");
    QTest::newRow("single quote") << QStringLiteral("1101000000000000' or '1'='1");
}

void TestSummaryStatistics::quotesInTheUnitCodeAreJustText()
{
    QFETCH(QString, code);
    test::TestUi ui;
    QSqlQuery query(m_dir->db());
    QVERIFY(OpenSummary(query, 2, ReviewFlag::Psbz, 1, code));
    QCOMPARE(resultOf(query),
             Rows({{QStringLiteral("合计"), QString(), QString(), QString(), QString(), QStringLiteral("0")}}));
    QVERIFY(ui.messages().isEmpty());
}

void TestSummaryStatistics::aStatementThatCannotRunIsReported()
{
    test::TestAppDir dir;
    test::TestUi ui;
    QSqlQuery query(dir.db());
    QVERIFY(!OpenSummary(query, 0, ReviewFlag::Shbz, 5, QString()));
    QCOMPARE(ui.last().text, QStringLiteral("无法汇总统计"));
    QCOMPARE(ui.last().caption, QStringLiteral("错误"));
    dir.exec(QStringLiteral("drop table t_dm_grjbxx00_sbjb"));
    QVERIFY(!OpenSummary(query, 0, ReviewFlag::Shbz, 0, QString()));
    QCOMPARE(ui.messages().size(), 2);
    QVERIFY(!query.isActive());
}

void TestSummaryStatistics::cliPrintsTheResultWithItsLabels()
{
    auto run = [&](const QStringList &args, QStringList *lines = nullptr) {
        QProcess p;
        p.start(QStringLiteral(KVAM_APP_DIR "/kvam-cli"),
                QStringList{QStringLiteral("--dir"), m_dir->path(), QStringLiteral("stats")} + args);
        p.waitForFinished(60000);
        if (lines)
            *lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return p.exitCode();
    };
    QStringList lines;
    QCOMPARE(run({QStringLiteral("--flag"), QStringLiteral("shbz"), QStringLiteral("--statistic"), QStringLiteral("3"),
                  QStringLiteral("--unit"), QStringLiteral("1101000000000000")},
                 &lines),
             0);
    QCOMPARE(lines.first(), labelsOf(3, ReviewFlag::Shbz).join(QLatin1Char('\t')));
    const int admitted =
        m_dir->scalar(QStringLiteral("select count(*) from grjbxx00 where z_yijzgbm = '1101000000000000'")).toInt();
    QCOMPARE(lines.last(), QStringLiteral("合计\t\t\t\t%1").arg(admitted));
    QCOMPARE(
        run({QStringLiteral("--flag"), QStringLiteral("zkbz"), QStringLiteral("--statistic"), QStringLiteral("0")}), 2);
    QCOMPARE(run({QStringLiteral("--flag"), QStringLiteral("psbz"), QStringLiteral("--statistic"), QStringLiteral("0"),
                  QStringLiteral("--unit"), QStringLiteral("9999000000000000")}),
             1);
}

QTEST_GUILESS_MAIN(TestSummaryStatistics)
#include "tst_summarystatistics.moc"
