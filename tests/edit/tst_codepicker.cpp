#include "app/gui/FormRoutines.h"
#include "app/untGlobal.h"
#include "data/CodeCache.h"
#include "edit/PersonRecord.h"
#include "edit/PickKinds.h"
#include "edit/gui/CodedEdit.h"
#include "edit/gui/untList.h"
#include "support/ModalDriver.h"
#include "support/TestUi.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace kvam;

class TestCodePicker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void listKinds_data();
    void listKinds();
    void treeKindsWriteTheirCode_data();
    void treeKindsWriteTheirCode();
    void treeHasFourLevelsAndOnlyLeavesAnswer();
    void eleventhQualificationIsDropped();
    void cancelLeavesEverythingUnchanged();
    void codedEditKeys();
};

static QTreeWidget *view(QDialog *d, const char *name) { return d->findChild<QTreeWidget *>(QString::fromLatin1(name)); }
static void clickOk(QDialog *d) { d->findChild<QPushButton *>(QStringLiteral("btnOK"))->click(); }

// Opens the picker for kind and drives it.
static bool pick(int kind, const std::function<void(QDialog *)> &drive)
{
    return test::driveModal([kind]() { ShowModalAt<TfrmSelection>(QPoint(100, 100), kind); }, drive);
}

// A widget double-click in QTest carries no press; the view wants one first.
static void doubleClick(QTreeWidget *view, QTreeWidgetItem *item)
{
    const QPoint at = view->visualItemRect(item).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

static QTreeWidgetItem *findNode(QTreeWidget *tree, const QString &text)
{
    const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void TestCodePicker::init()
{
    CurGrxx = TGrxx{};
    SelectedName.clear();
    SelectedCode.clear();
    clearSlots(PickedZYJSZG);
    clearSlots(PickedCSZY);
    const QList<TCodeStructure> flat = {{"1", "HZ", "汉族", "", 1}, {"2", "MGZ", "蒙古族", "", 1}};
    for (TCodeArray *a : {&codeMZ, &codeZZMM, &codeZJLX, &codeXL, &codeXW, &codeDWXZ, &codeSBJB, &codeJSFS,
                          &codeZCCJ, &codeZYJSXL})
        a->assign(flat);
    codeZYJSZG.assign({{"01", "GC", "工程技术人员", "", 1}, {"0101", "ZG", "正高级工程师", "01", 2},
                       {"0102", "GJ", "高级工程师", "01", 2}});
    // Five levels, a root without children, an orphan, a child whose level
    // is not 2.
    const QList<TCodeStructure> tree = {
        {"01", "", "工程", "", 1},           {"0101", "", "机械", "01", 2},
        {"010101", "", "设计", "0101", 3},   {"01010101", "", "模具", "010101", 4},
        {"0101010101", "", "冲压", "01010101", 5}, {"0102", "", "电气", "01", 0},
        {"02", "", "卫生", "", 1},           {"9901", "", "孤儿", "99", 2},
    };
    codeCSZY.assign(tree);
    codeSXZY.assign(tree);
}

void TestCodePicker::listKinds_data()
{
    QTest::addColumn<int>("kind");
    for (int kind : {1, 2, 3, 4, 5, 8, 21, 22, 23, 24})
        QTest::newRow(qPrintable(QString::number(kind))) << kind;
}

void TestCodePicker::listKinds()
{
    QFETCH(int, kind);
    QVERIFY(pick(kind, [](QDialog *d) {
        QTreeWidget *list = view(d, "lvCode");
        QVERIFY(list->isVisible());
        QVERIFY(!view(d, "tvCode")->isVisible());
        QCOMPARE(list->topLevelItemCount(), 2);
        QTreeWidgetItem *item = list->topLevelItem(1);
        QCOMPARE(item->text(0), QStringLiteral("蒙古族"));
        QCOMPARE(item->text(1), QStringLiteral("2"));
        QCOMPARE(item->text(2), QStringLiteral("MGZ"));
        QVERIFY(list->isColumnHidden(1) && list->isColumnHidden(2));
        QVERIFY(list->selectedItems().isEmpty());
        // Nothing chosen and nothing preset: the picker stays.
        clickOk(d);
        QVERIFY(d->isVisible());
        list->setCurrentItem(item);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!d->isVisible());
    }));
    QCOMPARE(SelectedName, QStringLiteral("蒙古族"));
    QCOMPARE(SelectedCode, QStringLiteral("2"));
    QVERIFY(CurGrxx.z_sbzg.isEmpty() && PickedZYJSZG[0].isEmpty());

    // Double-click answers as OK does.
    QVERIFY(pick(kind, [](QDialog *d) {
        QTreeWidget *list = view(d, "lvCode");
        doubleClick(list, list->topLevelItem(0));
        QVERIFY(!d->isVisible());
    }));
    QCOMPARE(SelectedCode, QStringLiteral("1"));
}

void TestCodePicker::treeKindsWriteTheirCode_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("leaf");
    QTest::addColumn<QString>("code");
    QTest::newRow("6 first subject") << 6 << "模具" << "01010101";
    QTest::newRow("9 field of work") << 9 << "电气" << "0102";
    QTest::newRow("10 qualification") << 10 << "高级工程师" << "0102";
    QTest::newRow("106 highest subject") << 106 << "卫生" << "02";
    QTest::newRow("109 speciality") << 109 << "模具" << "01010101";
    QTest::newRow("110 present qualification") << 110 << "正高级工程师" << "0101";
    QTest::newRow("1109 speciality queue") << 1109 << "电气" << "0102";
    QTest::newRow("1110 qualification queue") << 1110 << "高级工程师" << "0102";
}

void TestCodePicker::treeKindsWriteTheirCode()
{
    QFETCH(int, kind);
    QFETCH(QString, leaf);
    QFETCH(QString, code);
    QVERIFY(pick(kind, [&](QDialog *d) {
        QTreeWidget *tree = view(d, "tvCode");
        QVERIFY(tree->isVisible() && !view(d, "lvCode")->isVisible());
        tree->setCurrentItem(findNode(tree, leaf));
        clickOk(d);
        QVERIFY(!d->isVisible());
    }));
    QCOMPARE(SelectedName, leaf);
    QCOMPARE(SelectedCode, code);
    const QString written[] = {CurGrxx.z_first_sxzy, CurGrxx.z_cszy,  CurGrxx.z_sbzg, CurGrxx.z_last_sxzy,
                               CurGrxx.z_sbzy,       CurGrxx.z_xrjszg, PickedCSZY[0], PickedZYJSZG[0]};
    const int kinds[] = {6, 9, 10, 106, 109, 110, 1109, 1110};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(written[i], kinds[i] == kind ? code : QString());
    // The qualification brings its series along.
    QCOMPARE(CurGrxx.z_sbxl, kind == 10 ? QStringLiteral("01") : QString());
}

void TestCodePicker::treeHasFourLevelsAndOnlyLeavesAnswer()
{
    QVERIFY(pick(9, [](QDialog *d) {
        QTreeWidget *tree = view(d, "tvCode");
        QCOMPARE(tree->topLevelItemCount(), 2);
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("工程"));
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(root->child(1)->text(0), QStringLiteral("电气"));
        QTreeWidgetItem *fourth = root->child(0)->child(0)->child(0);
        QCOMPARE(fourth->text(0), QStringLiteral("模具"));
        QCOMPARE(fourth->childCount(), 0);
        QVERIFY(!findNode(tree, QStringLiteral("孤儿")));
        QVERIFY(!root->isExpanded());

        // A node with children gives no answer, by OK or by double-click.
        tree->setCurrentItem(root->child(0));
        clickOk(d);
        QVERIFY(d->isVisible());
        tree->expandAll();
        doubleClick(tree, root);
        QVERIFY(d->isVisible());
        QVERIFY(SelectedName.isEmpty());
        tree->setCurrentItem(tree->topLevelItem(1));
        QTest::keyClick(tree, Qt::Key_Enter);
        QVERIFY(!d->isVisible());
    }));
    QCOMPARE(SelectedCode, QStringLiteral("02"));
}

void TestCodePicker::eleventhQualificationIsDropped()
{
    for (int i = 0; i < 11; ++i) {
        const char *leaf = i < 10 ? "正高级工程师" : "高级工程师";
        QVERIFY(pick(1110, [leaf](QDialog *d) {
            QTreeWidget *tree = view(d, "tvCode");
            tree->setCurrentItem(findNode(tree, QString::fromUtf8(leaf)));
            clickOk(d);
        }));
    }
    for (const QString &slot : PickedZYJSZG)
        QCOMPARE(slot, QStringLiteral("0101"));
    QCOMPARE(SelectedCode, QStringLiteral("0102"));
}

void TestCodePicker::cancelLeavesEverythingUnchanged()
{
    QDialog form;
    auto *edit = new QLineEdit(&form);
    attachCodedEdit(edit, 10);
    edit->setText(QStringLiteral("正高级工程师"));
    CurGrxx.z_sbzg = QStringLiteral("0101");
    CurGrxx.z_sbxl = QStringLiteral("01");
    form.show();
    for (bool byFrame : {false, true}) {
        QVERIFY(test::driveModal([&]() { QTest::mouseClick(edit, Qt::LeftButton); }, [&](QDialog *d) {
            QTreeWidget *tree = view(d, "tvCode");
            tree->setCurrentItem(findNode(tree, QStringLiteral("高级工程师")));
            if (byFrame)
                d->close();
            else
                d->findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
        }));
        QCOMPARE(edit->text(), QStringLiteral("正高级工程师"));
        QCOMPARE(CurGrxx.z_sbzg, QStringLiteral("0101"));
        QCOMPARE(CurGrxx.z_sbxl, QStringLiteral("01"));
    }
    // OK without a choice closes: the edit already held a name.
    QVERIFY(test::driveModal([&]() { QTest::mouseClick(edit, Qt::LeftButton); }, [](QDialog *d) {
        clickOk(d);
        QVERIFY(!d->isVisible());
    }));
    QCOMPARE(edit->text(), QStringLiteral("正高级工程师"));
}

void TestCodePicker::codedEditKeys()
{
    QDialog form;
    auto *layout = new QVBoxLayout(&form);
    auto *coded = new QLineEdit(&form);
    auto *next = new QLineEdit(&form);
    layout->addWidget(coded);
    layout->addWidget(next);
    attachCodedEdit(coded, 1);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(coded->isReadOnly());

    // Enter on an empty edit opens the picker.
    coded->setFocus();
    QVERIFY(test::driveModal([&]() { QTest::keyClick(coded, Qt::Key_Return); }, [](QDialog *d) {
        view(d, "lvCode")->setCurrentItem(view(d, "lvCode")->topLevelItem(0));
        clickOk(d);
    }));
    QCOMPARE(coded->text(), QStringLiteral("汉族"));

    // Enter on a filled edit moves on without opening anything.
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    coded->setFocus();
    QVERIFY(!test::driveModal([&]() { QTest::keyClick(coded, Qt::Key_Return); }, [](QDialog *) {}, 200));
    QVERIFY(next->hasFocus());

    // A typed letter opens the picker and never reaches the text.
    coded->setFocus();
    QVERIFY(test::driveModal([&]() { QTest::keyClick(coded, Qt::Key_A); },
                             [](QDialog *d) { d->findChild<QPushButton *>(QStringLiteral("btnCancel"))->click(); }));
    QCOMPARE(coded->text(), QStringLiteral("汉族"));
}

QTEST_MAIN(TestCodePicker)
#include "tst_codepicker.moc"
