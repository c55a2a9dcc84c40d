#include "browse/gui/FlagDots.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace kvam;

class TestFlagDots : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paintsTheDotsOfUnpassedFlags_data();
    void paintsTheDotsOfUnpassedFlags();
    void middleBoxRoundsHalvesToEven();
};

void TestFlagDots::paintsTheDotsOfUnpassedFlags_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QList<bool>>("dots");
    QTest::newRow("only the evaluation failed") << QStringList{"1", "0", "1"} << QList<bool>{false, true, false};
    QTest::newRow("flags unset") << QStringList{"", "", ""} << QList<bool>{true, true, true};
    QTest::newRow("all passed") << QStringList{"1", "1", "1"} << QList<bool>{false, false, false};
    QTest::newRow("review failed, withheld") << QStringList{"0", "1", "0"} << QList<bool>{true, false, true};
}

void TestFlagDots::paintsTheDotsOfUnpassedFlags()
{
    QFETCH(QStringList, flags);
    QFETCH(QList<bool>, dots);
    const QRect cell(0, 0, 60, 20);
    QImage image(cell.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        drawFlagDots(painter, cell, {flags.at(0), flags.at(1), flags.at(2)});
    }
    const QRect boxes[3] = {leftDotBox(cell), middleDotBox(cell), rightDotBox(cell)};
    const QColor colours[3] = {reviewColour(), evaluationColour(), withheldColour()};
    for (int i = 0; i < 3; ++i) {
        const QPoint centre(boxes[i].left() + cell.height() / 2, cell.height() / 2);
        const QColor found = image.pixelColor(centre);
        QCOMPARE(found == colours[i], dots.at(i));
        if (!dots.at(i))
            QCOMPARE(found, QColor(Qt::white));
    }
}

void TestFlagDots::middleBoxRoundsHalvesToEven()
{
    // (61 - 20) / 2 = 20.5 and (61 + 20) / 2 = 40.5 both go to the even integer.
    const QRect box = middleDotBox(QRect(100, 5, 61, 20));
    QCOMPARE(box.left(), 120);
    QCOMPARE(box.right(), 140);
    QCOMPARE(roundHalfToEven(21.5), 22);
}

QTEST_MAIN(TestFlagDots)
#include "tst_flagdots.moc"
