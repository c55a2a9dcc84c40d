#include "platform/GbkText.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kvam;

class TestGbkText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesGbkWithCrLf();
    void readsEveryLineEnd();
    void countsGbkBytes();
    void appendsAndCreates();
};

static QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestGbkText::writesGbkWithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    QVERIFY(writeGbkLines(path, {QStringLiteral("(z_xm LIKE \"%张%\")"), QStringLiteral("1=0")}));
    // 张 is D5 C5 in GBK.
    QCOMPARE(readAll(path), QByteArray("(z_xm LIKE \"%\xD5\xC5%\")\r\n1=0\r\n"));
    bool ok = false;
    QCOMPARE(readGbkLines(path, &ok), QStringList({QStringLiteral("(z_xm LIKE \"%张%\")"), QStringLiteral("1=0")}));
    QVERIFY(ok);
}

void TestGbkText::readsEveryLineEnd()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("a\r\nb\nc\rd");
    f.close();
    QCOMPARE(readGbkLines(path), QStringList({"a", "b", "c", "d"}));
    bool ok = true;
    QVERIFY(readGbkLines(dir.filePath(QStringLiteral("missing")), &ok).isEmpty());
    QVERIFY(!ok);
}

void TestGbkText::countsGbkBytes()
{
    QCOMPARE(gbkLength(QString()), 0);
    QCOMPARE(gbkLength(QStringLiteral("ab")), 2);
    QCOMPARE(gbkLength(QStringLiteral("姓名")), 4);
    QCOMPARE(gbkLength(QStringLiteral("z_xm姓名")), 8);
    QCOMPARE(fromGbk(toGbk(QStringLiteral("审核未通过"))), QStringLiteral("审核未通过"));
}

void TestGbkText::appendsAndCreates()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.log"));
    QVERIFY(appendGbkText(path, QStringLiteral("一\r\n")));
    QVERIFY(appendGbkText(path, QStringLiteral("二\r\n")));
    QCOMPARE(readAll(path), toGbk(QStringLiteral("一\r\n二\r\n")));
    QVERIFY(!appendGbkText(dir.filePath(QStringLiteral("no/such/dir/x.log")), QStringLiteral("x")));
}

QTEST_GUILESS_MAIN(TestGbkText)
#include "tst_gbktext.moc"
