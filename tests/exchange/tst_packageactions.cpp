#include "PackageFixture.h"
#include "exchange/gui/PackageActions.h"
#include "exchange/gui/untImportFileSelect.h"
#include "support/ModalDriver.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace kvam;

// The main window's 导入 and 导出 as the user meets them: the chooser, the
// questions, the steps around the worker and the closing messages.
class TestPackageActions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chooserListsFoldersAndPackages();
    void importRunsTheChosenPackagesWithTheOptions();
    void importWithNothingChosenSaysSo();
    void importCancelledDoesNothing();
    void exportAsksThenTellsHowItWent_data();
    void exportAsksThenTellsHowItWent();

private:
    // Counts the data-module steps around the worker.
    struct Steps {
        int closed = 0;
        int setUp = 0;
        DataModuleStep close()
        {
            return [this] { ++closed; };
        }
        DataModuleStep reopen()
        {
            return [this] {
                QCOMPARE(setUp, closed - 1);
                ++setUp;
            };
        }
    };
    static QListWidget *listOf(QDialog *dialog) { return dialog->findChild<QListWidget *>("ShellListView"); }
    static void select(QDialog *dialog, const QStringList &names);
    static void click(QDialog *dialog, const char *button);

    QTemporaryDir m_folder;
};

void TestPackageActions::select(QDialog *dialog, const QStringList &names)
{
    QListWidget *list = listOf(dialog);
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(names.contains(list->item(row)->text()));
}

void TestPackageActions::click(QDialog *dialog, const char *button)
{
    auto *b = dialog->findChild<QPushButton *>(QString::fromLatin1(button));
    QVERIFY(b);
    b->click();
}

void TestPackageActions::chooserListsFoldersAndPackages()
{
    QDir folder(m_folder.path());
    QVERIFY(folder.mkdir("子目录"));
    for (const char *name : {"b.ps", "A.PS", "c.txt", "d.ps.bak"}) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    TfrmImportFileSelect chooser(nullptr, folder.path());
    QCOMPARE(chooser.windowTitle(), QStringLiteral("选择需要导入的文件"));
    QStringList shown;
    for (int row = 0; row < listOf(&chooser)->count(); ++row)
        shown << listOf(&chooser)->item(row)->text();
    QCOMPARE(shown, (QStringList{"子目录", "A.PS", "b.ps"}));
    QCOMPARE(listOf(&chooser)->selectionMode(), QAbstractItemView::ExtendedSelection);
    for (const char *box : {"chkImportUnauthorityData", "chkUpdateStatus"})
        QVERIFY(!chooser.findChild<QCheckBox *>(QString::fromLatin1(box))->isChecked());
    QCOMPARE(chooser.findChild<QCheckBox *>("chkImportUnauthorityData")->text(),
             QStringLiteral("导入审查未通过的数据"));
    QCOMPARE(chooser.findChild<QCheckBox *>("chkUpdateStatus")->text(), QStringLiteral("更新审核|评审|暂扣状态"));

    // A folder is opened, never imported, and Enter on it does not confirm.
    select(&chooser, {"子目录", "b.ps"});
    QCOMPARE(chooser.selectedFiles(), QStringList{folder.filePath("b.ps")});
    chooser.show();
    listOf(&chooser)->setFocus();
    listOf(&chooser)->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QTest::keyClick(listOf(&chooser), Qt::Key_Return);
    QVERIFY(chooser.isVisible());
    QCOMPARE(chooser.folder(), folder.filePath("子目录"));
    QCOMPARE(listOf(&chooser)->count(), 0);
}

void TestPackageActions::importRunsTheChosenPackagesWithTheOptions()
{
    test::TestAppDir dir;
    test::TestUi ui;
    QVERIFY(test::insertPeople(dir.db(), {{"1", "原名", 1, 1, 1}}));
    QTemporaryDir packages;
    QVERIFY(test::makePackage(packages.filePath("1.ps"), {{"1", "一", 1, 0, 0}, {"2", "未通过", 0}}));
    QVERIFY(test::makePackage(packages.filePath("2.ps"), {{"1", "二", 1, 0, 0}}));
    ImportRejected = false;
    ImportUpdateStatus = false;
    Steps steps;

    QVERIFY(test::driveModal([&] { acImportExecute(nullptr, steps.close(), steps.reopen()); },
                             [&](QDialog *dialog) {
                                 auto *chooser = qobject_cast<TfrmImportFileSelect *>(dialog);
                                 QVERIFY(chooser);
                                 chooser->setFolder(packages.path());
                                 select(dialog, {"2.ps", "1.ps"});
                                 dialog->findChild<QCheckBox *>("chkUpdateStatus")->setChecked(true);
                                 click(dialog, "btnOk");
                             }));
    QCOMPARE(steps.closed, 1);
    QCOMPARE(steps.setUp, 1);
    QVERIFY(ImportUpdateStatus);
    QVERIFY(!ImportRejected);
    // In the list's order: the second package wins, and the flags came along.
    QCOMPARE(test::valuesOf(dir.db(), "1", "z_xm, z_psbz"), (QStringList{"二", "0"}));
    QCOMPARE(dir.scalar("select count(*) from grjbxx00").toInt(), 1);
    QCOMPARE(ui.texts(), QStringList{"数据已成功导入，请到安装目录下log子目录中查看更新日志！"});
    QCOMPARE(ui.last().caption, QStringLiteral("提示"));
}

void TestPackageActions::importWithNothingChosenSaysSo()
{
    test::TestAppDir dir;
    test::TestUi ui;
    Steps steps;
    QVERIFY(test::driveModal([&] { acImportExecute(nullptr, steps.close(), steps.reopen()); },
                             [&](QDialog *dialog) { click(dialog, "btnOk"); }));
    QCOMPARE(ui.texts(), QStringList{"您并为选择任何需要导入的数据!"});
    QCOMPARE(ui.last().caption, QStringLiteral("提示"));
    QCOMPARE(steps.closed, 0);
}

void TestPackageActions::importCancelledDoesNothing()
{
    test::TestAppDir dir;
    test::TestUi ui;
    QTemporaryDir packages;
    QVERIFY(test::makePackage(packages.filePath("1.ps"), {{"1", "一"}}));
    ImportUpdateStatus = false;
    Steps steps;
    QVERIFY(test::driveModal([&] { acImportExecute(nullptr, steps.close(), steps.reopen()); },
                             [&](QDialog *dialog) {
                                 qobject_cast<TfrmImportFileSelect *>(dialog)->setFolder(packages.path());
                                 select(dialog, {"1.ps"});
                                 dialog->findChild<QCheckBox *>("chkUpdateStatus")->setChecked(true);
                                 click(dialog, "btnCancel");
                             }));
    QVERIFY(ui.texts().isEmpty());
    QCOMPARE(steps.closed, 0);
    QVERIFY(!ImportUpdateStatus);
    QCOMPARE(dir.scalar("select count(*) from grjbxx00").toInt(), 0);
}

void TestPackageActions::exportAsksThenTellsHowItWent_data()
{
    QTest::addColumn<bool>("exportAll");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("written");

    const QString all = "您是否确认要导出所有数据？";
    const QString selection = "您是否确认要导出查询所列举数据？";
    const QStringList asked{"选择", "提示"};
    QTest::newRow("whole database") << true << "1=0" << MsgAnswer::Yes << QStringList{all, "数据已成功导出"} << asked
                                    << true;
    QTest::newRow("selection") << false << " 1=1 " << MsgAnswer::Yes << QStringList{selection, "数据已成功导出"}
                               << asked << true;
    QTest::newRow("answered no") << false << " 1=1 " << MsgAnswer::No << QStringList{selection} << QStringList{"选择"}
                                 << false;
    QTest::newRow("filter fails") << false << "(z_nosuch = 1)" << MsgAnswer::Yes
                                  << QStringList{selection, "无法由查询导出数据",
                                                 "数据未能导出：无法由查询导出数据，没有生成导出文件"}
                                  << QStringList{"选择", "错误", "错误"} << false;
}

void TestPackageActions::exportAsksThenTellsHowItWent()
{
    QFETCH(bool, exportAll);
    QFETCH(QString, condition);
    QFETCH(MsgAnswer, answer);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, captions);
    QFETCH(bool, written);

    test::TestAppDir dir(3);
    test::TestUi ui;
    dir.writeCondition({condition});
    ExportAll = exportAll;
    const QString target = m_folder.filePath("导出.ps");
    QFile::remove(target);
    ui.queueAnswer(answer);
    if (answer == MsgAnswer::Yes)
        ui.queueFileName(target);
    Steps steps;

    acExportExecute(steps.close(), steps.reopen());

    QCOMPARE(ui.texts(), messages);
    QStringList shownCaptions;
    for (const auto &m : ui.messages())
        shownCaptions << m.caption;
    QCOMPARE(shownCaptions, captions);
    QCOMPARE(ui.messages().first().buttons, MsgButtons::YesNo);
    QCOMPARE(steps.setUp, answer == MsgAnswer::Yes ? 1 : 0);
    QCOMPARE(QFileInfo::exists(target), written);
    QCOMPARE(ui.pendingAnswers(), 0);
}

QTEST_MAIN(TestPackageActions)
#include "tst_packageactions.moc"
