#include "data/UnitCodes.h"

#include <QTest>

using namespace kvam;

class TestUnitCodes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void derivesByTheFirstFourZeros_data();
    void derivesByTheFirstFourZeros();
};

void TestUnitCodes::derivesByTheFirstFourZeros_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("units");
    QTest::newRow("level 1") << "1101000000000000" << QStringList{"1101000000000000", "", "", ""};
    QTest::newRow("level 2") << "1101100100000000"
                             << QStringList{"1101000000000000", "1101100100000000", "", ""};
    QTest::newRow("level 3") << "1101100120010000"
                             << QStringList{"1101000000000000", "1101100100000000", "1101100120010000", ""};
    QTest::newRow("level 4, no 0000 at all")
        << "1101100120013001"
        << QStringList{"1101000000000000", "1101100100000000", "1101100120010000", "1101100120013001"};
    // Two significant digits: the first 0000 starts at position 3, so the code
    // is filed as level 4 and every level holds the code itself.
    QTest::newRow("first 0000 at position 3")
        << "1100000000000000"
        << QStringList{"1100000000000000", "1100000000000000", "1100000000000000", "1100000000000000"};
    QTest::newRow("old code, first 0000 at position 2")
        << "1000000000000000"
        << QStringList{"1000000000000000", "1000000000000000", "1000000000000000", "1000000000000000"};
}

void TestUnitCodes::derivesByTheFirstFourZeros()
{
    QFETCH(QString, code);
    QFETCH(QStringList, units);
    const SupervisingUnits s = deriveSupervisingUnits(code);
    QCOMPARE(QStringList({s.yijzgbm, s.erjzgbm, s.sanjzgbm, s.sijzgbm}), units);
}

QTEST_GUILESS_MAIN(TestUnitCodes)
#include "tst_unitcodes.moc"
