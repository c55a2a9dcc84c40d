#include "exchange/CodePackage.h"
#include "exchange/gui/untCodeList.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace kvam;

class TestCodeList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsTheChosenTableReadOnlyInCodeOrder();
    void aMissingTableIsReported();
    void importUpgradesAndEndsTheProgram();
    void refusedImportReconnectsAndGoesOn();
    void cancelledImportDoesNothing();

private:
    // The viewer with hooks that record the calls in order.
    struct Viewer {
        QStringList calls;
        TfrmCodeList form{TCodeListHooks{[this] { calls << QStringLiteral("close"); },
                                         [this] { calls << QStringLiteral("reconnect"); },
                                         [this] { calls << QStringLiteral("end"); }}};
        QComboBox *table() { return form.findChild<QComboBox *>(QStringLiteral("cbbTable")); }
        QTableView *grid() { return form.findChild<QTableView *>(QStringLiteral("dbgCodeTable")); }
        void choose(const QString &tableName)
        {
            table()->setCurrentIndex(table()->findData(tableName));
            Q_EMIT table()->activated(table()->currentIndex());
        }
        void import() { form.findChild<QPushButton *>(QStringLiteral("btnImportCode"))->click(); }
    };
};

void TestCodeList::showsTheChosenTableReadOnlyInCodeOrder()
{
    test::TestAppDir dir;
    test::TestUi ui;
    dir.exec(QStringLiteral("insert into T_DM_GRJBXX00_JSFS values ('0', '其他', 'QT', '', 1, 0)"));
    Viewer v;
    v.form.show();
    QCOMPARE(v.form.windowTitle(), QStringLiteral("查看代码"));
    QCOMPARE(v.table()->count(), dir.scalar(QStringLiteral("select count(*) from T_DMBLIST")).toInt());
    QCOMPARE(v.table()->itemText(0), QStringLiteral("性别代码表"));
    QCOMPARE(v.table()->itemData(0).toString(), QStringLiteral("T_DM_GRJBXX00_XB"));
    QCOMPARE(v.table()->currentIndex(), -1);

    v.choose(QStringLiteral("T_DM_GRJBXX00_JSFS"));
    QAbstractItemModel *model = v.grid()->model();
    QAbstractItemModelTester tester(model);
    QCOMPARE(model->rowCount(), dir.scalar(QStringLiteral("select count(*) from T_DM_GRJBXX00_JSFS")).toInt());
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("其他"));
    for (int r = 1; r < model->rowCount(); ++r)
        QVERIFY(model->index(r - 1, 0).data().toString() < model->index(r, 0).data().toString());
    const QStringList labels = {QStringLiteral("编码"),     QStringLiteral("名称"), QStringLiteral("注记码"),
                                QStringLiteral("上级编码"), QStringLiteral("等级"), QStringLiteral("是否可选")};
    const QList<int> widths = {40, 120, 60, 80, 80, 80};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(model->headerData(i, Qt::Horizontal).toString(), labels.at(i));
        QCOMPARE(v.grid()->columnWidth(i), widths.at(i));
    }
    QCOMPARE(v.grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!(model->flags(model->index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(ui.messages().isEmpty());
}

void TestCodeList::aMissingTableIsReported()
{
    test::TestAppDir dir;
    test::TestUi ui;
    dir.exec(QStringLiteral("insert into T_DMBLIST values ('T_DM_GRJBXX00_NONE\" or 1', '无此表')"));
    Viewer v;
    v.form.show();
    v.choose(QStringLiteral("T_DM_GRJBXX00_NONE\" or 1"));
    QCOMPARE(ui.last().text, QStringLiteral("无法初始化代码表！"));
    QCOMPARE(ui.last().caption, QStringLiteral("错误"));
    QCOMPARE(v.grid()->model()->rowCount(), 0);
}

void TestCodeList::importUpgradesAndEndsTheProgram()
{
    test::TestAppDir dir;
    test::TestUi ui;
    const QString package = dir.file(QStringLiteral("codes.psc"));
    dir.exec(QStringLiteral("insert into T_DM_GRJBXX00_XB values ('9', '未说明', 'WSM', '', 1, 1)"));
    QString error;
    QVERIFY2(WriteCodePackage(dir.databaseFile(), package, &error), qPrintable(error));
    dir.exec(QStringLiteral("delete from T_DM_GRJBXX00_XB where z_bm = '9'"));
    dir.db().close();

    Viewer v;
    v.form.show();
    v.choose(QStringLiteral("T_DM_GRJBXX00_XB"));
    ui.queueFileName(package);
    v.import();
    QCOMPARE(v.calls, QStringList({QStringLiteral("close"), QStringLiteral("end")}));
    QCOMPARE(ui.messages().size(), 1);
    QCOMPARE(ui.last().text, QStringLiteral("您必须重新启动程序以使代码生效，点击确定关闭程序！"));
    QCOMPARE(ui.last().caption, QStringLiteral("提示"));
    QCOMPARE(ui.last().icon, MsgIcon::Warning);
    QVERIFY(!v.form.isVisible());
    QCOMPARE(dir.scalar(QStringLiteral("select z_mc from T_DM_GRJBXX00_XB where z_bm = '9'")).toString(),
             QStringLiteral("未说明"));
}

void TestCodeList::refusedImportReconnectsAndGoesOn()
{
    test::TestAppDir dir;
    test::TestUi ui;
    const QString package = dir.file(QStringLiteral("bad.psc"));
    QFile f(package);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("no database");
    f.close();

    Viewer v;
    v.form.show();
    v.choose(QStringLiteral("T_DM_GRJBXX00_XB"));
    ui.queueFileName(package);
    v.import();
    QCOMPARE(v.calls, QStringList({QStringLiteral("close"), QStringLiteral("reconnect")}));
    QCOMPARE(ui.texts().first(), QStringLiteral("更新失败"));
    QVERIFY(!ui.texts().contains(QStringLiteral("您必须重新启动程序以使代码生效，点击确定关闭程序！")));
    QVERIFY(v.form.isVisible());
    QCOMPARE(v.table()->currentData().toString(), QStringLiteral("T_DM_GRJBXX00_XB"));
    QCOMPARE(v.grid()->model()->rowCount(), 2);
}

void TestCodeList::cancelledImportDoesNothing()
{
    test::TestAppDir dir;
    test::TestUi ui;
    Viewer v;
    v.form.show();
    v.choose(QStringLiteral("T_DM_GRJBXX00_XB"));
    ui.queueFileName(QString());
    v.import();
    QVERIFY(v.calls.isEmpty());
    QVERIFY(ui.messages().isEmpty());
    QCOMPARE(v.grid()->model()->rowCount(), 2);
}

QTEST_MAIN(TestCodeList)
#include "tst_codelist.moc"
