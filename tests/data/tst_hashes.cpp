#include "data/Hashes.h"

#include <QTest>

using namespace kvam;

class TestHashes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hashOfKnownKeys();
    void storesUpdatesAndKeepsCase();
    void theNinthKeyGrowsTheMapAndNothingIsLost();
};

void TestHashes::hashOfKnownKeys()
{
    QCOMPARE(THash::HashOf(QString()), 0u);
    QCOMPARE(THash::HashOf(QStringLiteral("a")), 100u); // 97 + (97 >> 5)
    // Over GBK bytes: 姓 is D0 D5.
    const quint32 h = 0xD0u * 33 + 0xD5u;
    QCOMPARE(THash::HashOf(QStringLiteral("姓")), h + (h >> 5));
}

void TestHashes::storesUpdatesAndKeepsCase()
{
    THash map;
    QCOMPARE(map.Get(QStringLiteral("a")), QString());
    QCOMPARE(map.Mask, 7);
    QCOMPARE(map.MaxBuckets, -1);
    map.Add(QStringLiteral("a"), QStringLiteral("x"));
    map.Add(QStringLiteral("a"), QStringLiteral("y"));
    QCOMPARE(map.Get(QStringLiteral("a")), QStringLiteral("y"));
    QCOMPARE(map.Count, 1);
    map.Add(QStringLiteral("A"), QStringLiteral("z"));
    QCOMPARE(map.Count, 2);
    QCOMPARE(map.Get(QStringLiteral("a")), QStringLiteral("y"));
    QCOMPARE(map.Get(QStringLiteral("A")), QStringLiteral("z"));
}

void TestHashes::theNinthKeyGrowsTheMapAndNothingIsLost()
{
    THash map;
    for (int i = 0; i < 8; ++i)
        map.Add(QStringLiteral("grjbxx00z_%1").arg(i), QString::number(i));
    QCOMPARE(map.Mask, 7);
    map.Add(QStringLiteral("grjbxx00z_8"), QStringLiteral("8"));
    QCOMPARE(map.Mask, 15);
    QCOMPARE(map.Count, 9);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(map.Get(QStringLiteral("grjbxx00z_%1").arg(i)), QString::number(i));
    // Many more: every key still answers after each growth.
    for (int i = 9; i < 2000; ++i)
        map.Add(QStringLiteral("键%1").arg(i), QString::number(i));
    QCOMPARE(map.Mask, 2047);
    for (int i = 9; i < 2000; ++i)
        QCOMPARE(map.Get(QStringLiteral("键%1").arg(i)), QString::number(i));
}

QTEST_GUILESS_MAIN(TestHashes)
#include "tst_hashes.moc"
