#include "app/untGlobal.h"
#include "data/CodeCache.h"
#include "data/GrxxQueryModel.h"
#include "data/Hashes.h"
#include "data/untDataM.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTest>

using namespace kvam;

class TestDataModule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void displayNamesAreTrimmedAndTheLaterRowWins();
    void missingDatabaseReportsEveryStepAndEnds();
    void emptyConditionGivesAllColumnsCaptioned();
    void conditionLinesFollowTheFixedText();
    void conditionFileMissingOrEmptyFails_data();
    void conditionFileMissingOrEmptyFails();
    void codeCacheLoads();
    void cacheLookups();
    void modelCountsPagesAndWrites();
    void closingFreesTheDatabase();
};

void TestDataModule::displayNamesAreTrimmedAndTheLaterRowWins()
{
    test::TestUi ui;
    test::TestAppDir dir;
    dir.exec(QStringLiteral("insert into TABLEFIELD_NAME values ('  grjbxx00 ', ' z_extra  ', '  额外  ')"));
    dir.exec(QStringLiteral("insert into TABLEFIELD_NAME values ('grjbxx00', 'z_xm', '姓名（新）')"));
    TDataM dm;
    dm.DataModuleCreate();
    QVERIFY(!dm.terminationRequested());
    QCOMPARE(DisplayNames.Get(QStringLiteral("grjbxx00z_extra")), QStringLiteral("额外"));
    QCOMPARE(DisplayNames.Get(QStringLiteral("grjbxx00z_xm")), QStringLiteral("姓名（新）"));
    QCOMPARE(DisplayNames.Get(QStringLiteral("grjbxx00z_nothing")), QString());
    QVERIFY(ui.messages().isEmpty());
}

void TestDataModule::missingDatabaseReportsEveryStepAndEnds()
{
    test::TestUi ui;
    test::TestAppDir dir;
    QVERIFY(QFile::remove(dir.databaseFile()));
    TDataM dm;
    dm.DataModuleCreate();
    QVERIFY(dm.terminationRequested());
    QCOMPARE(ui.texts(), QStringList({QStringLiteral("链接数据库失败"), QStringLiteral("无法打开数据表字段名称表"),
                                      QStringLiteral("初始化代码信息时出错，请重新启动程序")}));
    QVERIFY(!QFile::exists(dir.databaseFile()));
}

void TestDataModule::emptyConditionGivesAllColumnsCaptioned()
{
    test::TestUi ui;
    test::TestAppDir dir(3);
    TDataM dm;
    dm.DataModuleCreate();
    dir.writeCondition({QStringLiteral("1=0")});
    ExportAll = true;
    QVERIFY(dm.OpenGrxxTable());
    QVERIFY(!ExportAll);
    const GrxxQueryModel *model = dm.qryGrxx();
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(model->columnCount(), 45);
    QCOMPARE(model->caption(0), QStringLiteral("标志"));
    QCOMPARE(model->columnName(1), QStringLiteral("z_xm"));
    QCOMPARE(model->caption(1), QStringLiteral("姓名"));
    QCOMPARE(model->columnName(44), QStringLiteral("z_zkbz"));
    for (int c = 1; c < 45; ++c)
        QVERIFY2(!model->caption(c).isEmpty(), qPrintable(model->columnName(c)));
    QCOMPARE(model->isColumnHidden(model->columnIndex(QStringLiteral("z_bz"))), true);
    QCOMPARE(model->isColumnHidden(model->columnIndex(QStringLiteral("z_psbz"))), true);
    QCOMPARE(model->isColumnHidden(1), false);
    QCOMPARE(dm.grxxLines().size(), 81);
    QCOMPARE(dm.grxxLines().at(2), QStringLiteral(" Select \" \", "));
    QCOMPARE(dm.grxxLines().at(79), QStringLiteral(" where 1=1 and "));
    QVERIFY(ui.messages().isEmpty());
}

void TestDataModule::conditionLinesFollowTheFixedText()
{
    test::TestUi ui;
    test::TestAppDir dir(20);
    TDataM dm;
    dm.DataModuleCreate();
    const QString a = dir.scalar(QStringLiteral("select z_xm from grjbxx00 where rowid = 3")).toString();
    dir.writeCondition({QStringLiteral("( (z_xm LIKE \"%") + a + QStringLiteral("%\") OR"),
                        QStringLiteral(" (z_zjhm = \"nobody\"))")});
    QVERIFY(dm.OpenGrxxTable());
    QCOMPARE(dm.grxxLines().mid(80), QStringList({QStringLiteral("( (z_xm LIKE \"%") + a + QStringLiteral("%\") OR"),
                                                  QStringLiteral(" (z_zjhm = \"nobody\"))")}));
    const int expected = dir.scalar(QStringLiteral("select count(*) from grjbxx00 where z_xm like '%%1%'").arg(a)).toInt();
    QVERIFY(expected >= 1);
    QCOMPARE(dm.qryGrxx()->rowCount(), expected);
    QVERIFY(dm.qryGrxx()->value(0, 1).toString().contains(a));
}

void TestDataModule::conditionFileMissingOrEmptyFails_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("missing") << false << QStringList();
    QTest::newRow("no condition") << true << QStringList{QString()};
    QTest::newRow("builder's empty parentheses") << true << QStringList{"(", ")"};
}

void TestDataModule::conditionFileMissingOrEmptyFails()
{
    QFETCH(bool, write);
    QFETCH(QStringList, lines);
    test::TestUi ui;
    test::TestAppDir dir(2);
    TDataM dm;
    dm.DataModuleCreate();
    if (write)
        dir.writeCondition(lines);
    ExportAll = true;
    QVERIFY(!dm.OpenGrxxTable());
    QVERIFY(!dm.isGrxxOpen());
    QVERIFY(ExportAll);
    QCOMPARE(ui.texts(), QStringList{QStringLiteral("打开个人基本情况信息时出错，请重新启动程序！")});
    QCOMPARE(ui.last().caption, QStringLiteral("错误"));
}

void TestDataModule::codeCacheLoads()
{
    test::TestUi ui;
    test::TestAppDir dir;
    dir.exec(QStringLiteral("update T_DM_GRJBXX00_MZ set z_bm = '7  ', z_mc = ' 朝鲜族 ' where z_bm = '7'"));
    dir.exec(QStringLiteral("update T_DM_GRJBXX00_CSZY set z_dj = null where z_bm = '0101'"));
    TDataM dm;
    dm.DataModuleCreate();
    QVERIFY(!dm.terminationRequested());
    QCOMPARE(codeGZDW.size(), 237);
    QCOMPARE(codeZYJSXL.size(), 13);
    for (const TCodeStructure &row : codeZYJSXL)
        QCOMPARE(row.dj, 1);
    const qsizetype i = codeCSZY.indexOfCode(QStringLiteral("0101"));
    QVERIFY(i >= 0);
    QCOMPARE(codeCSZY.at(i).dj, 0);
    QCOMPARE(codeCSZY.at(i).sjbm, QStringLiteral("01"));
    // Rows come in ascending z_bm order, texts trimmed.
    QCOMPARE(codeGZDW.at(0).bm, QStringLiteral("0000000000000000"));
    QCOMPARE(GetCodeNameByInt(7, codeMZ), QStringLiteral("朝鲜族"));
    QCOMPARE(codeMZ.at(codeMZ.indexOfCode(QStringLiteral("7"))).mc, QStringLiteral("朝鲜族"));
}

void TestDataModule::cacheLookups()
{
    TCodeArray table({{QStringLiteral("07"), {}, QStringLiteral("零七"), {}, 1},
                      {QStringLiteral("1"), {}, QStringLiteral("同名"), {}, 1},
                      {QStringLiteral("2"), {}, QStringLiteral("同名"), {}, 1},
                      {QStringLiteral("7"), {}, QStringLiteral("七"), {}, 1}});
    QCOMPARE(GetCodeNameByInt(7, table), QStringLiteral("七"));
    QCOMPARE(GetCodeName(QStringLiteral("07"), table), QStringLiteral("零七"));
    QCOMPARE(GetCodeName(QStringLiteral("7 "), table), QString()); // the code itself is not trimmed
    QCOMPARE(GetCodeByName(QStringLiteral("同名"), table), QStringLiteral("1"));
    QCOMPARE(GetCodeByName(QStringLiteral("没有"), table), QStringLiteral("-1"));
    QCOMPARE(GetCodeName(QStringLiteral("1"), TCodeArray()), QString());
    QCOMPARE(GetCodeByName(QStringLiteral("七"), TCodeArray()), QStringLiteral("-1"));
}

void TestDataModule::modelCountsPagesAndWrites()
{
    test::TestUi ui;
    test::TestAppDir dir(700);
    TDataM dm;
    dm.DataModuleCreate();
    dir.writeCondition({QStringLiteral(" 1=1 ")});
    QVERIFY(dm.OpenGrxxTable());
    GrxxQueryModel *model = dm.qryGrxx();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model->rowCount(), 700);
    const int name = model->columnIndex(QStringLiteral("z_xm"));
    const int number = model->columnIndex(QStringLiteral("z_zjhm"));
    // Rows on the last page and on the first agree with the database.
    for (int row : {699, 0, 300, 511, 512}) {
        const QString zjhm = model->value(row, number).toString();
        QCOMPARE(zjhm, model->zjhm(row));
        QCOMPARE(model->value(row, name).toString(),
                 dir.scalar(QStringLiteral("select trim(z_xm) from grjbxx00 where z_zjhm = '%1'").arg(zjhm)).toString());
    }
    // Names, not codes.
    const int unit = model->columnIndex(QStringLiteral("z_gzdw"));
    QCOMPARE(model->value(5, unit).toString(),
             dir.scalar(QStringLiteral("select (select z_mc from T_DM_GRJBXX00_GZDW where z_bm = g.z_gzdw) "
                                       "from grjbxx00 g where z_zjhm = '%1'").arg(model->zjhm(5))).toString());

    QVERIFY(model->setFlags(600, QStringLiteral("0"), QStringLiteral("1"), QString()));
    const QString changed = model->zjhm(600);
    QCOMPARE(dir.scalar(QStringLiteral("select quote(z_shbz) || quote(z_psbz) || quote(z_zkbz) from grjbxx00 "
                                       "where z_zjhm = '%1'").arg(changed)).toString(), QStringLiteral("01NULL"));
    QCOMPARE(model->value(600, model->columnIndex(QStringLiteral("z_shbz"))).toInt(), 0);

    const QString gone = model->zjhm(10);
    const QString kept = model->zjhm(11);
    QVERIFY(model->deleteRows({10, 650, 10}));
    QCOMPARE(model->rowCount(), 698);
    QCOMPARE(model->zjhm(10), kept);
    QCOMPARE(dir.scalar(QStringLiteral("select count(*) from grjbxx00")).toInt(), 698);
    QCOMPARE(dir.scalar(QStringLiteral("select count(*) from grjbxx00 where z_zjhm = '%1'").arg(gone)).toInt(), 0);
}

void TestDataModule::closingFreesTheDatabase()
{
    test::TestUi ui;
    test::TestAppDir dir(2);
    TDataM dm;
    dm.DataModuleCreate();
    dir.writeCondition({QStringLiteral(" 1=1 ")});
    QVERIFY(dm.OpenGrxxTable());
    dm.CloseAllDataSet();
    QVERIFY(!dm.connected());
    QVERIFY(!dm.isGrxxOpen());
    QCOMPARE(dm.qryGrxx()->rowCount(), 0);
    QVERIFY(dm.reconnect());
    QVERIFY(dm.OpenGrxxTable());
    QCOMPARE(dm.qryGrxx()->rowCount(), 2);
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
