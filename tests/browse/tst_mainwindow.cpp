#include "browse/gui/FlagDots.h"
#include "browse/gui/StatusRadioGroup.h"
#include "browse/gui/comquery.h"
#include "browse/gui/untMain.h"
#include "data/GrxxQueryModel.h"
#include "data/untDataM.h"
#include "edit/gui/untPersonInfoAddon.h"
#include "support/ModalDriver.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <memory>

using namespace kvam;

// A main window on a program directory of five applicants, the data module
// created as at start-up.
struct MainWindowFixture {
    test::TestAppDir dir{5};
    std::unique_ptr<TfrmMain> window;
    TDataM dataModule;
    std::unique_ptr<TfrmQueryTj> builder;
    std::unique_ptr<TfrmPersonInfoAddon> wizard;

    MainWindowFixture()
    {
        window = std::make_unique<TfrmMain>(dir.programFile());
        DataM = &dataModule;
        dataModule.DataModuleCreate();
        builder = std::make_unique<TfrmQueryTj>(window.get());
        wizard = std::make_unique<TfrmPersonInfoAddon>(window.get());
        window->useForms(builder.get(), wizard.get());
        window->show();
    }
    ~MainWindowFixture()
    {
        builder.reset();
        wizard.reset();
        window.reset();
        DataM = nullptr;
    }

    template <class T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    void queryAll()
    {
        child<QCheckBox>("chkQueryAll")->setChecked(true);
        window->btnQueryClick();
    }
    QTableView *grid() const { return window->grid(); }
    GrxxQueryModel *model() const { return DataM->qryGrxx(); }
    int rowOf(const QString &zjhm) const
    {
        for (int r = 0; r < model()->rowCount(); ++r) {
            if (model()->zjhm(r) == zjhm)
                return r;
        }
        return -1;
    }
};

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutAndStatusChoices();
    void queryAllShowsEveryRecordAndItsCount();
    void dotsOfTheFlagColumn();
    void savingFlagsWritesAndRecolours();
    void movingToAnotherRowWritesAPendingChange();
    void deleteAsksAndRemovesExactlyTheSelection();
    void ctrlASelectsEveryRow();
    void closingAsksFirst();
    void fieldSelection();
    void helpAndAbout();
};

void TestMainWindow::layoutAndStatusChoices()
{
    test::TestUi ui;
    MainWindowFixture f;
    QCOMPARE(f.window->windowTitle(), QStringLiteral("评审版 V1.0 build081014"));
    QCOMPARE(f.child<QPushButton>("btnAddNew")->text(), QStringLiteral("编  辑"));
    QCOMPARE(f.child<QPushButton>("btnSaveOK")->text(), QStringLiteral("确认修改"));
    auto *review = f.child<StatusRadioGroup>("DBrgZGSC");
    QCOMPARE(review->itemCount(), 2);
    // Descending z_bm: 1 first; thirty pixels a button below the title.
    const QList<QAbstractButton *> buttons = review->findChildren<QAbstractButton *>();
    QCOMPARE(buttons.first()->text(), QStringLiteral("资格审查通过"));
    QVERIFY(review->height() >= 60);
    for (QAbstractButton *button : buttons)
        QVERIFY(button->isVisible());
    QVERIFY(ui.messages().isEmpty());
}

void TestMainWindow::queryAllShowsEveryRecordAndItsCount()
{
    test::TestUi ui;
    MainWindowFixture f;
    f.queryAll();
    QCOMPARE(f.model()->rowCount(), 5);
    QCOMPARE(f.window->statusBar()->currentMessage(), QStringLiteral("   目前共有5条记录"));
    QCOMPARE(f.grid()->columnWidth(0), 60);
    QVERIFY(f.grid()->isColumnHidden(f.model()->columnIndex(QStringLiteral("z_shbz"))));
    QCOMPARE(f.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("标志"));
    QVERIFY(ui.messages().isEmpty());
}

void TestMainWindow::dotsOfTheFlagColumn()
{
    test::TestUi ui;
    MainWindowFixture f;
    f.dir.exec(QStringLiteral("update grjbxx00 set z_shbz = 1, z_psbz = 0, z_zkbz = 1"));
    f.dir.exec(QStringLiteral("update grjbxx00 set z_shbz = null, z_psbz = null, z_zkbz = null where rowid = 1"));
    f.queryAll();
    const QImage image = f.grid()->viewport()->grab().toImage();
    auto dotsOfRow = [&](int row) {
        const QRect cell = f.grid()->visualRect(f.model()->index(row, 0));
        const QRect boxes[3] = {leftDotBox(cell), middleDotBox(cell), rightDotBox(cell)};
        const QColor colours[3] = {reviewColour(), evaluationColour(), withheldColour()};
        QList<bool> dots;
        for (int i = 0; i < 3; ++i)
            dots << (image.pixelColor(boxes[i].center() * image.devicePixelRatio()) == colours[i]);
        return dots;
    };
    const int unset = f.rowOf(f.dir.scalar(QStringLiteral("select z_zjhm from grjbxx00 where rowid = 1")).toString());
    QCOMPARE(dotsOfRow(unset), QList<bool>({true, true, true}));
    QCOMPARE(dotsOfRow(unset == 0 ? 1 : 0), QList<bool>({false, true, false}));
}

void TestMainWindow::savingFlagsWritesAndRecolours()
{
    test::TestUi ui;
    MainWindowFixture f;
    f.dir.exec(QStringLiteral("update grjbxx00 set z_shbz = 1, z_psbz = 1, z_zkbz = 1"));
    f.queryAll();
    f.grid()->setCurrentIndex(f.model()->index(2, 1));
    const QString zjhm = f.model()->zjhm(2);
    f.child<QAbstractButton>("DBrgZGPS_0")->click();
    f.window->btnSaveOKClick();
    QCOMPARE(f.dir.scalar(QStringLiteral("select z_psbz from grjbxx00 where z_zjhm = '%1'").arg(zjhm)).toInt(), 0);
    QCOMPARE(f.child<StatusRadioGroup>("DBrgZGPS")->textColor(), QColor(255, 0, 0));
    QCOMPARE(f.child<StatusRadioGroup>("DBrgZGSC")->textColor(), QColor(Qt::black));
    QVERIFY(ui.messages().isEmpty());

    // Without records the save has nothing to write.
    f.dataModule.CloseAllDataSet();
    f.window->btnSaveOKClick();
    QCOMPARE(ui.last().text, QStringLiteral("更新出错"));
}

void TestMainWindow::movingToAnotherRowWritesAPendingChange()
{
    test::TestUi ui;
    MainWindowFixture f;
    f.dir.exec(QStringLiteral("update grjbxx00 set z_shbz = 1, z_psbz = 1, z_zkbz = 1"));
    f.queryAll();
    f.grid()->setCurrentIndex(f.model()->index(1, 1));
    const QString zjhm = f.model()->zjhm(1);
    f.child<QAbstractButton>("DBrgZK_0")->click();
    QCOMPARE(f.dir.scalar(QStringLiteral("select z_zkbz from grjbxx00 where z_zjhm = '%1'").arg(zjhm)).toInt(), 1);
    f.grid()->setCurrentIndex(f.model()->index(3, 1));
    QCOMPARE(f.dir.scalar(QStringLiteral("select z_zkbz from grjbxx00 where z_zjhm = '%1'").arg(zjhm)).toInt(), 0);
    QCOMPARE(f.child<StatusRadioGroup>("DBrgZK")->value(), QStringLiteral("1"));
}

void TestMainWindow::deleteAsksAndRemovesExactlyTheSelection()
{
    test::TestUi ui;
    MainWindowFixture f;
    f.queryAll();
    f.grid()->clearSelection();
    ui.queueAnswer(MsgAnswer::Yes);
    f.window->btnDeleteClick();
    QCOMPARE(ui.last().text, QStringLiteral("确认要删除当前0条记录？"));
    QCOMPARE(ui.last().caption, QStringLiteral("选择"));
    QCOMPARE(f.dir.scalar(QStringLiteral("select count(*) from grjbxx00")).toInt(), 5);

    const QString first = f.model()->zjhm(1);
    const QString second = f.model()->zjhm(3);
    f.grid()->selectRow(1);
    f.grid()->selectionModel()->select(f.model()->index(3, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ui.queueAnswer(MsgAnswer::No);
    f.window->btnDeleteClick();
    QCOMPARE(ui.last().text, QStringLiteral("确认要删除当前2条记录？"));
    QCOMPARE(f.dir.scalar(QStringLiteral("select count(*) from grjbxx00")).toInt(), 5);

    ui.queueAnswer(MsgAnswer::Yes);
    f.window->btnDeleteClick();
    QCOMPARE(f.dir.scalar(QStringLiteral("select count(*) from grjbxx00")).toInt(), 3);
    QCOMPARE(f.dir.scalar(QStringLiteral("select count(*) from grjbxx00 where z_zjhm in ('%1', '%2')")
                              .arg(first, second)).toInt(), 0);
    QCOMPARE(f.model()->rowCount(), 3);
    QCOMPARE(f.window->statusBar()->currentMessage(), QStringLiteral("   目前共有3条记录"));
}

void TestMainWindow::ctrlASelectsEveryRow()
{
    test::TestUi ui;
    MainWindowFixture f;
    f.queryAll();
    f.grid()->setFocus();
    QTest::keyClick(f.grid(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.grid()->selectionModel()->selectedRows().size(), 5);
    QCOMPARE(f.grid()->currentIndex().row(), 0);
    ui.queueAnswer(MsgAnswer::No);
    f.window->btnDeleteClick();
    QCOMPARE(ui.last().text, QStringLiteral("确认要删除当前5条记录？"));
}

void TestMainWindow::closingAsksFirst()
{
    test::TestUi ui;
    MainWindowFixture f;
    ui.queueAnswer(MsgAnswer::No);
    QVERIFY(!f.window->close());
    QVERIFY(f.window->isVisible());
    QCOMPARE(ui.last().text, QStringLiteral("是否确认要退出程序"));
    QCOMPARE(ui.last().caption, QStringLiteral("选择"));
    QCOMPARE(ui.last().buttons, MsgButtons::YesNo);
    ui.queueAnswer(MsgAnswer::Yes);
    QVERIFY(f.window->close());
}

void TestMainWindow::fieldSelection()
{
    test::TestUi ui;
    MainWindowFixture f;
    f.window->btnFieldSelectionClick();
    QCOMPARE(ui.last().text, QStringLiteral("请先查询定制，返回数据后在进行显示选择"));
    QCOMPARE(ui.last().icon, MsgIcon::Warning);

    f.queryAll();
    const int name = f.model()->columnIndex(QStringLiteral("z_xm"));
    QVERIFY(test::driveModal([&]() { f.window->btnFieldSelectionClick(); },
                       [&](QDialog *dialog) {
                           auto *list = dialog->findChild<QListWidget *>(QStringLiteral("chklbField"));
                           QCOMPARE(list->count(), 41);
                           QCOMPARE(list->item(0)->text(), QStringLiteral("标志"));
                           list->item(name)->setCheckState(Qt::Unchecked);
                           dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
                       }));
    QVERIFY(f.grid()->isColumnHidden(name));
    QVERIFY(!f.grid()->isColumnHidden(name + 1));
    // Closing by the frame changes nothing.
    QVERIFY(test::driveModal([&]() { f.window->btnFieldSelectionClick(); }, [](QDialog *dialog) { dialog->reject(); }));
    QVERIFY(f.grid()->isColumnHidden(name));
    f.queryAll();
    QVERIFY(!f.grid()->isColumnHidden(name));
}

void TestMainWindow::helpAndAbout()
{
    test::TestUi ui;
    test::TestDocumentOpener opener;
    MainWindowFixture f;
    f.window->action(QStringLiteral("acHelp"))->trigger();
    QCOMPARE(opener.opened(), QStringList{f.dir.file(QStringLiteral("qorn.chm"))});
    QString version;
    QVERIFY(test::driveModal([&]() { f.window->mmAboutClick(); },
                             [&](QDialog *about) {
                                 version = about->findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
                             }));
    QCOMPARE(version, QStringLiteral("评审版 V1.0 build081014"));
    for (QAction *a : f.window->findChildren<QAction *>())
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
