#include "app/untGlobal.h"
#include "edit/PersonRecord.h"
#include "edit/gui/untPersonInfoAddon.h"
#include "support/CodeTables.h"
#include "support/ModalDriver.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

using namespace kvam;

class TestWizard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void newModeStartsEmptyAndPagesTurn();
    void completionChecksEveryField();
    void editModeFillsAndCompletes();
    void picksWriteTheirCodesAtOnce();

private:
    bool show(int mode, const std::function<void(QDialog *)> &drive);

    test::TestAppDir *m_dir = nullptr;
    TfrmPersonInfoAddon *m_wizard = nullptr;
};

static QLineEdit *edit(QDialog *d, const char *name) { return d->findChild<QLineEdit *>(QString::fromLatin1(name)); }
static void next(QDialog *d) { d->findChild<QPushButton *>(QStringLiteral("btnNextStep"))->click(); }
static int page(QDialog *d) { return d->findChild<QStackedWidget *>()->currentIndex(); }
static QString warning(QDialog *d) { return d->findChild<QLabel *>(QStringLiteral("pnlWarning"))->text(); }

void TestWizard::initTestCase()
{
    m_dir = new test::TestAppDir(1);
    QVERIFY(test::loadCodeTables(m_dir->db()));
    m_wizard = new TfrmPersonInfoAddon;
}

void TestWizard::cleanupTestCase()
{
    delete m_wizard;
    delete m_dir;
}

bool TestWizard::show(int mode, const std::function<void(QDialog *)> &drive)
{
    m_wizard->AddonMode = mode;
    return test::driveModal([this]() { m_wizard->exec(); }, drive);
}

void TestWizard::newModeStartsEmptyAndPagesTurn()
{
    test::TestUi ui;
    CurGrxx.z_sbzg = QStringLiteral("0102");
    CurGrxx.z_xrjszgsj = QStringLiteral("2010-01-01");
    QVERIFY(show(1, [](QDialog *d) { QVERIFY(!edit(d, "edtZG")->text().isEmpty()); }));
    QVERIFY(show(0, [](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("请填写以下信息"));
        for (const char *name : {"edtZG", "edtDJ", "edtZY", "edtJSFS", "edtJSJ", "edtWY", "edtJSZG"}) {
            QVERIFY(edit(d, name)->text().isEmpty());
            QVERIFY(edit(d, name)->isReadOnly());
        }
        QCOMPARE(d->findChild<QDateEdit *>(QStringLiteral("mskZGSJ"))->date(), QDate(2000, 1, 1));
        auto *back = d->findChild<QPushButton *>(QStringLiteral("btnPreStep"));
        QCOMPARE(page(d), 0);
        QCOMPARE(warning(d), QStringLiteral("请选择申报种类!!!"));
        QVERIFY(back->isHidden());
        next(d);
        QCOMPARE(page(d), 1);
        QCOMPARE(warning(d), QStringLiteral("请正确选择成绩，舞弊者取消评审资格!!!"));
        QVERIFY(!back->isHidden());
        back->click();
        QCOMPARE(page(d), 0);
        QVERIFY(back->isHidden());
        next(d);
    }));
    QVERIFY(ui.messages().isEmpty());
    // Every showing starts on the first page.
    QVERIFY(show(0, [](QDialog *d) { QCOMPARE(page(d), 0); }));
}

void TestWizard::completionChecksEveryField()
{
    test::TestUi ui;
    QVERIFY(show(0, [&](QDialog *d) {
        next(d);
        next(d);
        QVERIFY(d->isVisible());
        QCOMPARE(page(d), 1);
        QCOMPARE(ui.last().text, QStringLiteral("您未正确填写申报资格信息，请检查后填写"));
        QCOMPARE(ui.last().caption, QStringLiteral("错误"));
        const std::pair<const char *, const char *> fields[] = {
            {"edtZG", "高级工程师"}, {"edtDJ", "中级"},     {"edtZY", "机电一体化"}, {"edtJSFS", "正常晋升"},
            {"edtJSJ", "合格"},      {"edtWY", "合格"}};
        const char *labels[] = {"申报等级", "申报专业", "晋升方式", "计算机成绩", "外语成绩", "现任技术资格"};
        for (int i = 0; i < 6; ++i) {
            edit(d, fields[i].first)->setText(QString::fromUtf8(fields[i].second));
            next(d);
            QCOMPARE(ui.last().text, QStringLiteral("您未正确填写") + QString::fromUtf8(labels[i])
                                         + QStringLiteral("信息，请检查后填写"));
            QVERIFY(d->isVisible());
        }
    }));
}

void TestWizard::editModeFillsAndCompletes()
{
    test::TestUi ui;
    CurGrxx.z_sbzg = QStringLiteral("0102");
    CurGrxx.z_sbdj = 3;
    CurGrxx.z_sbzy = QStringLiteral("010102");
    CurGrxx.z_jsfs = 2;
    CurGrxx.z_jsjcj = 1;
    CurGrxx.z_wycj = 3;
    CurGrxx.z_xrjszg = QStringLiteral("0103");
    CurGrxx.z_xrjszgsj = QStringLiteral("2012-05-01");
    QVERIFY(show(1, [](QDialog *d) {
        const std::pair<const char *, const char *> shown[] = {
            {"edtZG", "高级工程师"}, {"edtDJ", "中级"}, {"edtZY", "机电一体化"}, {"edtJSFS", "破格晋升"},
            {"edtJSJ", "合格"},      {"edtWY", "免试"}, {"edtJSZG", "工程师"}};
        for (const auto &[name, text] : shown)
            QCOMPARE(edit(d, name)->text(), QString::fromUtf8(text));
        QCOMPARE(d->findChild<QDateEdit *>(QStringLiteral("mskZGSJ"))->date(), QDate(2012, 5, 1));
        // Another level and result, as the picker would put them.
        edit(d, "edtDJ")->setText(QStringLiteral("正高级"));
        edit(d, "edtWY")->setText(QStringLiteral("缺考"));
        d->findChild<QDateEdit *>(QStringLiteral("mskZGSJ"))->setDate(QDate(2013, 6, 1));
        next(d);
        next(d);
        QVERIFY(!d->isVisible());
    }));
    QVERIFY(ui.messages().isEmpty());
    QCOMPARE(CurGrxx.z_sbdj, 1);
    QCOMPARE(CurGrxx.z_jsfs, 2);
    QCOMPARE(CurGrxx.z_wycj, 4);
    QCOMPARE(CurGrxx.z_xrjszgsj, QStringLiteral("2013-06-01"));

    // A stored date that is no date is reported.
    CurGrxx.z_xrjszgsj = QStringLiteral("2013-13-01");
    QVERIFY(show(1, [](QDialog *) {}));
    QCOMPARE(ui.last().text, QStringLiteral("初始化个人信息编辑界面出错"));
}

void TestWizard::picksWriteTheirCodesAtOnce()
{
    test::TestUi ui;
    CurGrxx.z_sbzg.clear();
    CurGrxx.z_sbxl.clear();
    QVERIFY(show(0, [](QDialog *d) {
        QLineEdit *zg = edit(d, "edtZG");
        zg->setFocus();
        // A typed letter opens the picker; it never reaches the edit.
        QVERIFY(test::driveModal([&]() { QTest::keyClick(zg, Qt::Key_G); }, [](QDialog *picker) {
            auto *tree = picker->findChild<QTreeWidget *>(QStringLiteral("tvCode"));
            QTreeWidgetItem *series = tree->topLevelItem(1);
            QCOMPARE(series->text(0), QStringLiteral("卫生技术人员"));
            tree->setCurrentItem(series->child(0));
            picker->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        }));
        QCOMPARE(zg->text(), QStringLiteral("主任医师"));
        QCOMPARE(CurGrxx.z_sbzg, QStringLiteral("0201"));
        QCOMPARE(CurGrxx.z_sbxl, QStringLiteral("02"));
    }));
    // Closing the wizard keeps the pick.
    QCOMPARE(CurGrxx.z_sbzg, QStringLiteral("0201"));
}

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
