#include "app/untGlobal.h"
#include "browse/QueryCondition.h"
#include "data/CodeCache.h"
#include "platform/SqlDialect.h"
#include "support/TestAppDir.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace kvam;

using Rows = QList<QueryConditionRow>;
Q_DECLARE_METATYPE(QueryConditionRow)

class TestQueryCondition : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void buildsLines_data();
    void buildsLines();
    void likeOnANonTextFieldIsRefused_data();
    void likeOnANonTextFieldIsRefused();
    void picksAreConsumedInOrder();
    void quotesInValuesStayInsideTheLiteral();
    void purgeRemovesEveryIncompleteRow();
    void readsWholeNumbersLeniently_data();
    void readsWholeNumbersLeniently();
};

static QueryConditionRow row(const char *field, const char *op, const char *value, const char *connector = "",
                             bool negated = false)
{
    return {negated ? QStringLiteral("NOT") : QString(), QString::fromUtf8(field), QString::fromUtf8(op),
            QString::fromUtf8(value), QString::fromUtf8(connector)};
}

void TestQueryCondition::init()
{
    fillQueryFields();
    // Two more fields of the value types the main window does not offer.
    QueryFields[11] = {QStringLiteral("z_real"), 2, QStringLiteral("实数")};
    QueryFields[12] = {QStringLiteral("z_flag"), 4, QStringLiteral("标志")};
    QueryFields[13] = {QStringLiteral("z_count"), 0, QStringLiteral("数量")};
    QueryFieldCount = 14;
    codeSBJB.assign({{"1", "ZGJ", "正高级", "", 1}, {"3", "ZJ", "中级", "", 1}});
    codeZYJSXL.assign({{"01", "GC", "工程技术人员", "", 1}});
    for (QString &slot : PickedZYJSZG)
        slot.clear();
    for (QString &slot : PickedCSZY)
        slot.clear();
}

void TestQueryCondition::buildsLines_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("connectorsAfter");
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));

    QTest::newRow("text LIKE") << Rows{row("姓名", "LIKE", "张")}
                               << QStringList{"(", " (z_xm LIKE \"%张%\")", ")"} << QStringList{""};
    QTest::newRow("NOT before the parenthesis") << Rows{row("姓名", "=", "王五", "", true)}
                                                << QStringList{"(", "NOT (z_xm = \"王五\")", ")"} << QStringList{""};
    QTest::newRow("connectors; the last row's never written")
        << Rows{row("姓名", "=", "a", "AND"), row("证件号码", "<>", "b", "OR"), row("工作单位", "=", "c", "AND")}
        << QStringList{"(", " (z_xm = \"a\") AND ", " (z_zjhm <> \"b\") OR ", " (z_gzdw = \"c\")", ")"}
        << QStringList{"AND", "OR", "AND"};
    QTest::newRow("empty connector on a non-last row is AND")
        << Rows{row("姓名", "=", "a"), row("姓名", "=", "b")}
        << QStringList{"(", " (z_xm = \"a\") AND ", " (z_xm = \"b\")", ")"} << QStringList{"AND", ""};
    QTest::newRow("empty date is today") << Rows{row("出生日期", "=", "")}
                                         << QStringList{"(", " (z_csrq = #" + today + "#)", ")"} << QStringList{""};
    QTest::newRow("date") << Rows{row("出生日期", ">=", "1980/1/2")}
                          << QStringList{"(", " (z_csrq >= #1980-01-02#)", ")"} << QStringList{""};
    QTest::newRow("level by name, no space before the code")
        << Rows{row("申报等级", "=", "中级", "OR"), row("申报等级", "<>", "特级")}
        << QStringList{"(", " (z_sbdj =3) OR ", " (z_sbdj <>-1)", ")"} << QStringList{"OR", ""};
    QTest::newRow("series by name") << Rows{row("申报系列", "=", "工程技术人员")}
                                    << QStringList{"(", " (z_sbxl = \"01\")", ")"} << QStringList{""};
    QTest::newRow("whole number read leniently") << Rows{row("数量", ">", " 12abc")}
                                                 << QStringList{"(", " (z_count > 12)", ")"} << QStringList{""};
    QTest::newRow("real number") << Rows{row("实数", "<", "3.14159")}
                                 << QStringList{"(", " (z_real <  3.14)", ")"} << QStringList{""};
    QTest::newRow("Boolean") << Rows{row("标志", "=", "2", "AND"), row("标志", "=", "x")}
                             << QStringList{"(", " (z_flag = True) AND ", " (z_flag = False)", ")"}
                             << QStringList{"AND", ""};
    QTest::newRow("unknown field or operator adds nothing, no dangling connector")
        << Rows{row("姓名", "=", "a", "AND"), row("年龄", "=", "1", "AND"), row("姓名", "==", "b")}
        << QStringList{"(", " (z_xm = \"a\")", ")"} << QStringList{"AND", "AND", ""};
    QTest::newRow("no usable row selects everything")
        << Rows{row("", "", "")} << QStringList{"(", "1=1", ")"} << QStringList{""};
}

void TestQueryCondition::buildsLines()
{
    QFETCH(Rows, rows);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, connectorsAfter);
    const ConditionBuild build = buildConditionLines(rows);
    QVERIFY2(build.ok(), qPrintable(build.error));
    QCOMPARE(build.lines, lines);
    QStringList connectors;
    for (const QueryConditionRow &r : rows)
        connectors << r.connector;
    QCOMPARE(connectors, connectorsAfter);
}

void TestQueryCondition::likeOnANonTextFieldIsRefused_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    const Rows text{row("姓名", "=", "a")};
    QTest::newRow("whole number") << Rows{text.first(), row("申报等级", "LIKE", "中级")}
                                  << "表中第 2 行字段\"申报等级\"为整型,不能用\"LIKE\"操作符" << "错误提示";
    QTest::newRow("Boolean") << Rows{row("标志", "LIKE", "1")} << "表中第 1 行字段\"标志\"为整型,不能用\"LIKE\"操作符"
                             << "错误提示";
    QTest::newRow("real") << Rows{text.first(), text.first(), row("实数", "LIKE", "1")}
                          << "表中第 3 行字段\"实数\"为实型,不能用\"LIKE\"操作符" << "错误提示";
    QTest::newRow("date") << Rows{row("出生日期", "LIKE", "1")} << "表中第 1 行字段\"出生日期\"为日期型,不能用\"LIKE\"操作符"
                          << "错误提示";
    QTest::newRow("no date") << Rows{row("出生日期", "=", "2001-13-01")}
                             << "日期格式错误，请按照正确的日期格式如：2001-07-07或2001/07/07输入！" << "系统提示";
}

void TestQueryCondition::likeOnANonTextFieldIsRefused()
{
    QFETCH(Rows, rows);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    const ConditionBuild build = buildConditionLines(rows);
    QVERIFY(!build.ok());
    QVERIFY(build.lines.isEmpty());
    QCOMPARE(build.error, message);
    QCOMPARE(build.caption, caption);
    QCOMPARE(build.icon, caption == QStringLiteral("系统提示") ? MsgIcon::Question : MsgIcon::Error);
}

void TestQueryCondition::picksAreConsumedInOrder()
{
    // Two picks while editing the first row, one for the second.
    PickedZYJSZG[0] = QStringLiteral("0101");
    PickedZYJSZG[1] = QStringLiteral("0102");
    PickedZYJSZG[2] = QStringLiteral("0203");
    PickedCSZY[0] = QStringLiteral("0104");
    Rows rows{row("申报资格", "=", "高级工程师"), row("申报资格", "=", "主治医师"), row("申报专业", "=", "软件")};
    ConditionBuild build = buildConditionLines(rows);
    QCOMPARE(build.lines, (QStringList{"(", " (z_sbzg = \"0101\") AND ", " (z_sbzg = \"0102\") AND ",
                                       " (z_sbzy = \"0104\")", ")"}));
    QCOMPARE(PickedZYJSZG[2], QStringLiteral("0203"));
    QVERIFY(PickedZYJSZG[0].isEmpty() && PickedZYJSZG[1].isEmpty() && PickedCSZY[0].isEmpty());

    // With the queue empty the code is empty; a failed build keeps what it took.
    rows = {row("申报资格", "=", "x"), row("申报资格", "=", "y"), row("出生日期", "LIKE", "1")};
    build = buildConditionLines(rows);
    QVERIFY(!build.ok());
    QVERIFY(PickedZYJSZG[2].isEmpty());
}

void TestQueryCondition::quotesInValuesStayInsideTheLiteral()
{
    test::TestAppDir dir(3);
    QVERIFY(dir.isValid());
    dir.exec(QStringLiteral("update grjbxx00 set z_xm = 'x'"));
    for (const char *value : {"张\"", "\"1\"=\"1", "\" or 1=1 or \""}) {
        Rows rows{row("姓名", "=", value, "OR"), row("姓名", "LIKE", value)};
        const ConditionBuild build = buildConditionLines(rows);
        QVERIFY(build.ok());
        QSqlQuery query(dir.db());
        const QString sql = jetToSqlite(QStringLiteral("select count(*) from grjbxx00 where 1=1 and \n")
                                        + build.lines.join(QLatin1Char('\n')));
        QVERIFY2(query.exec(sql) && query.next(), qPrintable(sql + query.lastError().text()));
        QCOMPARE(query.value(0).toInt(), 0);
    }
    // A name with a quote in it is found as it is.
    dir.exec(QStringLiteral("update grjbxx00 set z_xm = '张\"' where rowid = 1"));
    Rows rows{row("姓名", "=", "张\"")};
    const ConditionBuild build = buildConditionLines(rows);
    QCOMPARE(build.lines.at(1), QStringLiteral(" (z_xm = \"张\"\"\")"));
    QSqlQuery query(dir.db());
    QVERIFY(query.exec(jetToSqlite(QStringLiteral("select count(*) from grjbxx00 where 1=1 and not ")
                                   + build.lines.join(QLatin1Char('\n'))))
            && query.next());
    QCOMPARE(query.value(0).toInt(), 2);
}

void TestQueryCondition::purgeRemovesEveryIncompleteRow()
{
    Rows rows{row("姓名", "=", "a"), row("", "=", "b"), row("姓名", "", "c"), row("证件号码", "=", "d")};
    purgeIncompleteRows(rows);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(1).value, QStringLiteral("d"));

    rows = {row("", "", "x", "AND")};
    purgeIncompleteRows(rows);
    QCOMPARE(rows.size(), 1);
    QVERIFY(rows.at(0).value.isEmpty() && rows.at(0).connector.isEmpty());

    rows = {row("姓名", "=", "a"), row("姓名", "=", "b")};
    deleteConditionRow(rows, 0);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).value, QStringLiteral("b"));
    deleteConditionRow(rows, 0);
    QCOMPARE(rows.size(), 1);
    QVERIFY(rows.at(0).field.isEmpty());
}

void TestQueryCondition::readsWholeNumbersLeniently_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("digits") << "42" << 42;
    QTest::newRow("blanks, sign, trailing letters") << "  -17kg" << -17;
    QTest::newRow("plus") << "+5" << 5;
    QTest::newRow("dollar hex") << "$1F" << 31;
    QTest::newRow("0x hex") << "0x1fz" << 31;
    QTest::newRow("nothing readable") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("stops before leaving 32 bits") << "99999999999" << 999999999;
}

void TestQueryCondition::readsWholeNumbersLeniently()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(readWholeNumber(text), number);
}

QTEST_GUILESS_MAIN(TestQueryCondition)
#include "tst_querycondition.moc"
