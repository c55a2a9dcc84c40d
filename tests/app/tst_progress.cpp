#include "app/Progress.h"

#include <QTest>

using namespace kvam;

class TestProgress : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nearestPercent_data();
    void nearestPercent();
};

void TestProgress::nearestPercent_data()
{
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<int>("percent");
    QTest::newRow("a third") << qint64(1) << qint64(3) << 33;
    QTest::newRow("two thirds") << qint64(2) << qint64(3) << 67;
    QTest::newRow("half of one percent goes to even (2.5)") << qint64(1) << qint64(40) << 2;
    QTest::newRow("3.5 goes to even 4") << qint64(7) << qint64(200) << 4;
    QTest::newRow("one of six") << qint64(1) << qint64(6) << 17;
    QTest::newRow("five of six") << qint64(5) << qint64(6) << 83;
    QTest::newRow("all") << qint64(5) << qint64(5) << 100;
    QTest::newRow("nothing to do") << qint64(0) << qint64(0) << 0;
}

void TestProgress::nearestPercent()
{
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QFETCH(int, percent);
    QCOMPARE(NearestPercent(done, total), percent);
}

QTEST_GUILESS_MAIN(TestProgress)
#include "tst_progress.moc"
