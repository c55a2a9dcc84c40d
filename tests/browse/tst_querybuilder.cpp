#include "app/untGlobal.h"
#include "browse/gui/QueryDesign.h"
#include "browse/gui/comquery.h"
#include "data/CodeCache.h"
#include "platform/GbkText.h"
#include "support/ModalDriver.h"
#include "support/TestUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace kvam;

class TestQueryBuilder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void confirmWritesTheConditionFile();
    void connectorAddsARowAndEscapeEditsRows();
    void failedBuildStaysOpen();
    void valuePickerQueuesQualifications();
    void cancelSelectsNothing();

private:
    QTemporaryDir m_dir;
    TfrmQueryTj *m_builder = nullptr;
};

static QComboBox *combo(QDialog *d, const char *name) { return d->findChild<QComboBox *>(QString::fromLatin1(name)); }

static void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Fills the editing row as the user would: field and operator from their
// lists, a typed value.
static void fillRow(QDialog *d, const char *field, const char *op, const QString &value)
{
    combo(d, "ComboBox_zdm")->setCurrentText(QString::fromUtf8(field));
    combo(d, "ComboBox_ysf")->setCurrentText(QString::fromUtf8(op));
    auto *edit = d->findChild<QLineEdit *>(QStringLiteral("Edit_value1"));
    edit->clear();
    typeText(edit, value);
}

static void chooseConnector(QDialog *d, const char *connector)
{
    QComboBox *lj = combo(d, "ComboBox_lj");
    lj->setCurrentText(QString::fromLatin1(connector));
    QTest::keyClick(lj->lineEdit(), Qt::Key_Return);
}

static void confirm(QDialog *d) { d->findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click(); }

void TestQueryBuilder::init()
{
    InitGlobals(m_dir.path() + QStringLiteral("/kvam"));
    codeZYJSZG.assign({{"01", "GC", "工程技术人员", "", 1}, {"0101", "ZG", "正高级工程师", "01", 2},
                       {"0102", "GJ", "高级工程师", "01", 2}});
    if (!m_builder)
        m_builder = new TfrmQueryTj;
}

void TestQueryBuilder::confirmWritesTheConditionFile()
{
    test::TestUi ui;
    writeGbkLines(QueryConFile, {QStringLiteral("old")});
    bool refresh = false;
    QVERIFY(test::driveModal([&]() { refresh = customiseQueryCondition(*m_builder); },
                             [&](QDialog *d) {
                                 QVERIFY(!QFile::exists(QueryConFile));
                                 QCOMPARE(combo(d, "ComboBox_zdm")->count(), 11);
                                 QVERIFY(!combo(d, "ComboBox_lj")->isEnabled());
                                 fillRow(d, "姓名", "LIKE", QStringLiteral("张"));
                                 QVERIFY(combo(d, "ComboBox_lj")->isEnabled());
                                 confirm(d);
                             }));
    QVERIFY(refresh);
    QCOMPARE(m_builder->tag(), 1);
    QCOMPARE(readGbkLines(QueryConFile), (QStringList{"(", " (z_xm LIKE \"%张%\")", ")"}));
}

void TestQueryBuilder::connectorAddsARowAndEscapeEditsRows()
{
    test::TestUi ui;
    QVERIFY(test::driveModal([&]() { customiseQueryCondition(*m_builder); }, [&](QDialog *d) {
        auto *grid = d->findChild<QTableWidget *>(QStringLiteral("StringGrid1"));
        auto *notBox = d->findChild<QCheckBox *>(QStringLiteral("CheckBox_not"));
        notBox->setChecked(true);
        fillRow(d, "姓名", "=", QStringLiteral("a"));
        chooseConnector(d, "OR");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(m_builder->editingRow(), 1);
        QCOMPARE(m_builder->rows().at(0).notCell, QStringLiteral("NOT"));
        QCOMPARE(m_builder->rows().at(0).connector, QStringLiteral("OR"));

        // A connector needs a field and an operator first.
        chooseConnector(d, "AND");
        QCOMPARE(grid->rowCount(), 2);

        // Back on row 1 the tick is cleared again.
        grid->setCurrentCell(0, 1);
        QCOMPARE(m_builder->editingRow(), 0);
        QVERIFY(notBox->isChecked());
        notBox->setChecked(false);
        chooseConnector(d, "AND");
        grid->setCurrentCell(1, 1);
        QVERIFY(m_builder->rows().at(0).notCell.isEmpty());

        // Two rows without an operator, then Escape: both go.
        fillRow(d, "证件号码", "", QStringLiteral("x"));
        chooseConnector(d, "AND"); // refused: no operator
        combo(d, "ComboBox_ysf")->setCurrentText(QStringLiteral("="));
        chooseConnector(d, "AND");
        fillRow(d, "证件号码", "", QStringLiteral("y"));
        grid->item(1, 2)->setText(QString());
        QCOMPARE(grid->rowCount(), 3);
        QTest::keyClick(combo(d, "ComboBox_zdm")->lineEdit(), Qt::Key_Escape);
        QVERIFY(d->isVisible());
        QVERIFY(!m_builder->editorsShown());
        QCOMPARE(grid->rowCount(), 1);

        // Escape in the grid deletes the current row; the last one stays.
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Escape);
        QCOMPARE(grid->rowCount(), 1);
        QVERIFY(m_builder->rows().at(0).field.isEmpty());
        QVERIFY(d->isVisible());
        d->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    }));
}

void TestQueryBuilder::failedBuildStaysOpen()
{
    test::TestUi ui;
    QVERIFY(test::driveModal([&]() { customiseQueryCondition(*m_builder); }, [&](QDialog *d) {
        fillRow(d, "姓名", "=", QStringLiteral("a"));
        combo(d, "ComboBox_lj")->setCurrentText(QString());
        chooseConnector(d, "AND");
        fillRow(d, "申报等级", "LIKE", QStringLiteral("中级"));
        confirm(d);
        QVERIFY(d->isVisible());
        QCOMPARE(m_builder->tag(), 0);
        QCOMPARE(ui.last().text, QStringLiteral("表中第 2 行字段\"申报等级\"为整型,不能用\"LIKE\"操作符"));
        QCOMPARE(ui.last().caption, QStringLiteral("错误提示"));
        QVERIFY(!QFile::exists(QueryConFile));
        QVERIFY(!m_builder->editorsShown());

        // Corrected, the build goes through and the empty connector shows AND.
        auto *grid = d->findChild<QTableWidget *>(QStringLiteral("StringGrid1"));
        grid->item(0, 4)->setText(QString());
        grid->item(1, 2)->setText(QStringLiteral("="));
        confirm(d);
        QVERIFY(!d->isVisible());
        QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("AND"));
    }));
    QCOMPARE(m_builder->tag(), 1);
    QCOMPARE(readGbkLines(QueryConFile).at(1), QStringLiteral(" (z_xm = \"a\") AND "));
}

void TestQueryBuilder::valuePickerQueuesQualifications()
{
    test::TestUi ui;
    auto pickLeaf = [](QDialog *picker) {
        auto *tree = picker->findChild<QTreeWidget *>(QStringLiteral("tvCode"));
        tree->setCurrentItem(tree->topLevelItem(0)->child(1));
        picker->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    };
    QVERIFY(test::driveModal([&]() { customiseQueryCondition(*m_builder); }, [&](QDialog *d) {
        fillRow(d, "申报资格", "=", QString());
        auto *value = d->findChild<QLineEdit *>(QStringLiteral("Edit_value1"));
        for (int i = 0; i < 2; ++i)
            QVERIFY(test::driveModal([&]() { QTest::mouseClick(value, Qt::LeftButton); }, pickLeaf));
        QCOMPARE(value->text(), QStringLiteral("高级工程师"));
        QCOMPARE(PickedZYJSZG[0], QStringLiteral("0102"));
        QCOMPARE(PickedZYJSZG[1], QStringLiteral("0102"));
        // Other fields take typed values: a click opens nothing.
        fillRow(d, "姓名", "=", QStringLiteral("b"));
        QVERIFY(!test::driveModal([&]() { QTest::mouseClick(value, Qt::LeftButton); }, [](QDialog *) {}, 200));
        d->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    }));
    // The next showing starts with empty queues.
    QVERIFY(test::driveModal([&]() { customiseQueryCondition(*m_builder); }, [&](QDialog *d) {
        QVERIFY(PickedZYJSZG[0].isEmpty() && PickedZYJSZG[1].isEmpty());
        QCOMPARE(m_builder->rows().size(), 1);
        d->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    }));
}

void TestQueryBuilder::cancelSelectsNothing()
{
    test::TestUi ui;
    bool refresh = true;
    QVERIFY(test::driveModal([&]() { refresh = customiseQueryCondition(*m_builder); }, [&](QDialog *d) {
        fillRow(d, "姓名", "=", QStringLiteral("a"));
        // Neither Escape nor the window's own close ends the builder.
        QTest::keyClick(d->findChild<QLineEdit *>(QStringLiteral("Edit_value1")), Qt::Key_Escape);
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        d->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    }));
    QVERIFY(!refresh);
    QCOMPARE(m_builder->tag(), 0);
    QCOMPARE(readGbkLines(QueryConFile), QStringList{"1=0"});
}

QTEST_MAIN(TestQueryBuilder)
#include "tst_querybuilder.moc"
