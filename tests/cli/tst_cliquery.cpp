#include "support/TestAppDir.h"

#include <QProcess>
#include <QTest>

using namespace kvam;

class TestCliQuery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsTheRecordQueryAsTsv();
    void failsWithTheProgramsMessage();

private:
    static QProcess *run(const test::TestAppDir &dir, const QStringList &args);
};

QProcess *TestCliQuery::run(const test::TestAppDir &dir, const QStringList &args)
{
    auto *p = new QProcess;
    p->start(QStringLiteral(KVAM_APP_DIR "/kvam-cli"), QStringList{QStringLiteral("--dir"), dir.path(),
                                                                   QStringLiteral("query")} + args);
    p->waitForFinished(60000);
    return p;
}

void TestCliQuery::printsTheRecordQueryAsTsv()
{
    test::TestAppDir dir(4);
    dir.exec(QStringLiteral("update grjbxx00 set z_bz = 'a' || char(9) || 'b' || char(13, 10) || 'c', z_dh3 = null "
                            "where rowid = 2"));
    const QString zjhm = dir.scalar(QStringLiteral("select z_zjhm from grjbxx00 where rowid = 2")).toString();
    dir.writeCondition({QStringLiteral("(z_zjhm = \"") + zjhm + QStringLiteral("\")")});
    std::unique_ptr<QProcess> p(run(dir, {}));
    QCOMPARE(p->exitCode(), 0);
    const QStringList lines = QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3); // header, one row, the final line end
    const QStringList header = lines.at(0).split(QLatin1Char('\t'));
    QCOMPARE(header.size(), 45);
    QCOMPARE(header.at(1), QStringLiteral("z_xm"));
    const QStringList row = lines.at(1).split(QLatin1Char('\t'));
    QCOMPARE(row.size(), 45);
    QCOMPARE(row.at(header.indexOf(QStringLiteral("z_zjhm"))), zjhm);
    QCOMPARE(row.at(header.indexOf(QStringLiteral("z_bz"))), QStringLiteral("a\\tb\\r\\nc"));
    QCOMPARE(row.at(header.indexOf(QStringLiteral("z_dh3"))), QString());
    QCOMPARE(row.at(header.indexOf(QStringLiteral("z_zjlx"))), QStringLiteral("身份证"));

    std::unique_ptr<QProcess> captioned(run(dir, {QStringLiteral("--captions")}));
    const QStringList titles = QString::fromUtf8(captioned->readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0)
                                   .split(QLatin1Char('\t'));
    QCOMPARE(titles.at(0), QStringLiteral("标志"));
    QCOMPARE(titles.at(1), QStringLiteral("姓名"));
    QCOMPARE(titles.at(44), QStringLiteral("暂扣状态"));
}

void TestCliQuery::failsWithTheProgramsMessage()
{
    test::TestAppDir dir(1);
    std::unique_ptr<QProcess> p(run(dir, {QStringLiteral("--condition-file"), dir.file(QStringLiteral("none.sql"))}));
    QCOMPARE(p->exitCode(), 1);
    QVERIFY(QString::fromUtf8(p->readAllStandardError())
                .contains(QStringLiteral("错误: 打开个人基本情况信息时出错，请重新启动程序！")));
    dir.writeCondition({QStringLiteral("(no_such_column = 1)")});
    std::unique_ptr<QProcess> q(run(dir, {}));
    QCOMPARE(q->exitCode(), 1);
}

QTEST_GUILESS_MAIN(TestCliQuery)
#include "tst_cliquery.moc"
