#include "data/CodeCache.h"
#include "edit/PersonRecord.h"
#include "edit/UnitCodeEntry.h"
#include "edit/gui/UnitCodeEdit.h"
#include "support/TestUi.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>

using namespace kvam;

Q_DECLARE_METATYPE(UnitEntryForm)

namespace {

// A form with the unit edit, a second edit to move to, and a check list.
struct UnitForm {
    QDialog dialog;
    QLineEdit *unit = new QLineEdit(&dialog);
    QLineEdit *other = new QLineEdit(&dialog);
    QListWidget *list = new QListWidget(&dialog);
    UnitCodeEdit *entry;

    explicit UnitForm(UnitEntryForm form)
    {
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(unit);
        layout->addWidget(other);
        layout->addWidget(list);
        entry = new UnitCodeEdit(unit, unitCodeEntry(form), form == UnitEntryForm::Notice ? list : nullptr);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        unit->setFocus();
    }
    void type(const QString &text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, unit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
};

} // namespace

class TestUnitEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void unknownCodeKeepsTheFocus();
    void confirmedCodeShowsItsName();
    void anotherKeyLooksTheNameUp();
    void levelAndChildren_data();
    void levelAndChildren();
};

void TestUnitEntry::init()
{
    for (UnitEntryForm f : {UnitEntryForm::Editor, UnitEntryForm::Report, UnitEntryForm::Report2,
                            UnitEntryForm::Notice})
        unitCodeEntry(f) = UnitCodeEntry(f);
    CurGrxx.z_gzdw.clear();
    codeGZDW.assign({
        {"0000000000000000", "", "全省所有单位", "", 7},
        {"1101000000000000", "", "省教育厅", "", 1},
        {"1101100100000000", "", "北岭大学", "1101000000000000", 2},
        {"1101100200000000", "", "河西学院", "1101000000000000", 2},
        {"1101100220010000", "", "文学院", "1101100200000000", 3},
        {"2101000000000000", "", "北岭市", "0000000000000000", 1},
    });
}

void TestUnitEntry::unknownCodeKeepsTheFocus()
{
    test::TestUi ui;
    UnitForm form(UnitEntryForm::Editor);
    form.type(QStringLiteral("1101999900000000"));
    QTest::keyClick(form.unit, Qt::Key_Return);
    QCOMPARE(ui.last().text, QStringLiteral("以下情况导致输入错误:\n1、代码库中没有您输入的单位代码！\n"
                                            "2、您输入的工作单位编码有误！\n请速和相关单位联系更新代码或检查后重新输入！"));
    QCOMPARE(ui.last().caption, QStringLiteral("错误"));
    QCOMPARE(ui.last().icon, MsgIcon::Error);
    QVERIFY(!form.entry->entry().UnitConfirmed);

    // Leaving the edit tells it again and brings the focus back; so does an
    // empty edit.
    for (const QString &text : {QStringLiteral("1101999900000000"), QString()}) {
        form.unit->setText(text);
        ui.clear();
        form.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(ui.messages().size(), 1);
        QCoreApplication::processEvents();
        QVERIFY(form.unit->hasFocus());
    }
    QVERIFY(CurGrxx.z_gzdw.isEmpty());
}

void TestUnitEntry::confirmedCodeShowsItsName()
{
    test::TestUi ui;
    UnitForm form(UnitEntryForm::Editor);
    form.type(QStringLiteral("1101100100000000"));
    ui.queueAnswer(MsgAnswer::No);
    QTest::keyClick(form.unit, Qt::Key_Return);
    QCOMPARE(ui.last().text, QStringLiteral("您选择的单位是“北岭大学”，是否正确？"));
    QCOMPARE(ui.last().caption, QStringLiteral("选择"));
    QCOMPARE(ui.last().buttons, MsgButtons::YesNo);
    QCOMPARE(form.unit->text(), QStringLiteral("1101100100000000"));
    QVERIFY(CurGrxx.z_gzdw.isEmpty());

    ui.queueAnswer(MsgAnswer::Yes);
    form.other->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QVERIFY(form.other->hasFocus());
    QCOMPARE(form.unit->text(), QStringLiteral("北岭大学"));
    QCOMPARE(CurGrxx.z_gzdw, QStringLiteral("1101100100000000"));
    QVERIFY(form.entry->entry().UnitConfirmed);

    // A confirmed unit is not looked up again.
    ui.clear();
    form.unit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.unit, Qt::Key_Return);
    form.other->setFocus(Qt::TabFocusReason);
    QVERIFY(ui.messages().isEmpty());
    // Each form keeps its own state.
    QVERIFY(!unitCodeEntry(UnitEntryForm::Report).UnitConfirmed);
}

void TestUnitEntry::anotherKeyLooksTheNameUp()
{
    test::TestUi ui;
    UnitForm form(UnitEntryForm::Editor);
    form.type(QStringLiteral("1101000000000000"));
    ui.queueAnswer(MsgAnswer::Yes);
    QTest::keyClick(form.unit, Qt::Key_Return);
    QCOMPARE(form.unit->text(), QStringLiteral("省教育厅"));
    QTest::keyClick(form.unit, Qt::Key_End);
    QVERIFY(form.entry->entry().UnitConfirmed); // no character typed
    form.type(QStringLiteral("局"));
    QVERIFY(!form.entry->entry().UnitConfirmed);
    ui.clear();
    QTest::keyClick(form.unit, Qt::Key_Return);
    QCOMPARE(ui.messages().size(), 1);
    QCOMPARE(ui.last().caption, QStringLiteral("错误"));
    QCOMPARE(CurGrxx.z_gzdw, QStringLiteral("1101000000000000"));
}

void TestUnitEntry::levelAndChildren_data()
{
    QTest::addColumn<UnitEntryForm>("form");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("level");
    QTest::addColumn<QStringList>("children");
    QTest::newRow("report, all units") << UnitEntryForm::Report << "0000000000000000" << 0 << QStringList{};
    QTest::newRow("report 2, all units") << UnitEntryForm::Report2 << "0000000000000000" << 0 << QStringList{};
    QTest::newRow("report, a unit") << UnitEntryForm::Report << "1101100200000000" << 2 << QStringList{};
    QTest::newRow("notice, all units") << UnitEntryForm::Notice << "0000000000000000" << 7
                                       << QStringList{"北岭市"};
    QTest::newRow("notice, a unit") << UnitEntryForm::Notice << "1101000000000000" << 1
                                    << QStringList{"北岭大学", "河西学院"};
}

void TestUnitEntry::levelAndChildren()
{
    QFETCH(UnitEntryForm, form);
    QFETCH(QString, code);
    QFETCH(int, level);
    QFETCH(QStringList, children);
    test::TestUi ui;
    UnitForm f(form);
    UnitCodeEntry &state = f.entry->entry();
    state.EnteredUnitLevel = 3;

    // No: the code is noted, nothing else changes.
    f.type(code);
    ui.queueAnswer(MsgAnswer::No);
    QTest::keyClick(f.unit, Qt::Key_Return);
    QCOMPARE(state.EnteredUnitCode, code);
    QCOMPARE(state.EnteredUnitLevel, 3);

    ui.queueAnswer(MsgAnswer::Yes);
    QTest::keyClick(f.unit, Qt::Key_Return);
    QCOMPARE(state.EnteredUnitLevel, level);
    QCOMPARE(CurGrxx.z_gzdw, code);
    QCOMPARE(state.ChildUnitNames, children);
    QCOMPARE(state.ChildUnitCodes.size(), children.size());
    QCOMPARE(f.list->count(), static_cast<int>(children.size()));
    for (int i = 0; i < f.list->count(); ++i) {
        QCOMPARE(f.list->item(i)->text(), children.at(i));
        QCOMPARE(f.list->item(i)->checkState(), Qt::Unchecked);
        QCOMPARE(codeGZDW.at(codeGZDW.indexOfCode(state.ChildUnitCodes.at(i))).mc, children.at(i));
    }
}

QTEST_MAIN(TestUnitEntry)
#include "tst_unitentry.moc"
