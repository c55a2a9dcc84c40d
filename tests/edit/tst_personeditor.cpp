#include "app/untGlobal.h"
#include "edit/PersonFixture.h"
#include "edit/PersonRecord.h"
#include "edit/UnitCodeEntry.h"
#include "edit/gui/PersonEditing.h"
#include "edit/gui/PhotoBox.h"
#include "edit/gui/untGrxx.h"
#include "edit/gui/untPersonInfoAddon.h"
#include "support/CodeTables.h"
#include "support/ModalDriver.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>

using namespace kvam;

class TestPersonEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void openChangeSave();
    void newRecordIsSavedThroughTheForm();
    void refusedSavesKeepSaveEnabled();
    void afterNewTheUnitNameStaysUnconfirmed();
    void birthDateFromTheNumber_data();
    void birthDateFromTheNumber();
    void highestEducationSameAsFirst();
    void badStoredDateDoesNotStopTheFilling();
    void keyFilters();

private:
    // Opens the editor as the main window does and drives it.
    bool openEditor(const std::optional<QString> &zjhm, const std::function<void(TfrmGrxx *)> &drive,
                    bool *refresh = nullptr);
    QString writePicture(const char *name, int width, int height);

    test::TestAppDir *m_dir = nullptr;
    TfrmPersonInfoAddon *m_wizard = nullptr;
    QString m_existing;
};

template <class T = QLineEdit>
static T *child(QWidget *form, const char *name)
{
    return form->findChild<T *>(QString::fromLatin1(name));
}

static void click(QWidget *form, const char *button) { child<QPushButton>(form, button)->click(); }

static void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Closes the wizard when it comes up, optionally after a look at it.
static auto closeWizard(const std::function<void(QDialog *)> &look = {})
{
    return [look](QDialog *wizard) {
        if (look)
            look(wizard);
        wizard->reject();
    };
}

// Clicks a button of the editor that shows the wizard, drives the wizard,
// and makes the editor the active window again, as the desktop would.
static bool throughWizard(QWidget *editor, const char *button, const std::function<void(QDialog *)> &drive)
{
    const bool shown = test::driveModal([&]() { click(editor, button); }, drive);
    editor->activateWindow();
    return QTest::qWaitForWindowActive(editor) && shown;
}

void TestPersonEditor::initTestCase()
{
    m_dir = new test::TestAppDir(3);
    QVERIFY(m_dir->isValid());
    QVERIFY(test::loadCodeTables(m_dir->db()));
    m_existing = m_dir->scalar(QStringLiteral("select z_zjhm from grjbxx00 order by z_zjhm limit 1")).toString();
    m_wizard = new TfrmPersonInfoAddon;
}

void TestPersonEditor::cleanupTestCase()
{
    delete m_wizard;
    delete m_dir;
}

void TestPersonEditor::init() { CurGrxx = TGrxx{}; }

bool TestPersonEditor::openEditor(const std::optional<QString> &zjhm, const std::function<void(TfrmGrxx *)> &drive,
                                  bool *refresh)
{
    bool result = false;
    const bool shown = test::driveModal([&]() { result = editCurrentRecord(nullptr, m_dir->db(), *m_wizard, zjhm); },
                                        [&](QDialog *d) {
                                            auto *editor = qobject_cast<TfrmGrxx *>(d);
                                            QVERIFY(editor);
                                            d->activateWindow();
                                            QVERIFY(QTest::qWaitForWindowActive(d));
                                            drive(editor);
                                        });
    if (refresh)
        *refresh = result;
    return shown;
}

QString TestPersonEditor::writePicture(const char *name, int width, int height)
{
    const QString path = m_dir->file(QStringLiteral("temp/") + QString::fromLatin1(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(test::jpegOfSize(width, height));
    return path;
}

void TestPersonEditor::openChangeSave()
{
    test::TestUi ui;
    QSqlQuery photo(m_dir->db());
    QVERIFY(photo.prepare(QStringLiteral("update grjbxx00 set z_grzp = :p where z_zjhm = :z")));
    photo.bindValue(QStringLiteral(":p"), test::jpegOfSize(90, 120));
    photo.bindValue(QStringLiteral(":z"), m_existing);
    QVERIFY(photo.exec());
    const QString before = QStringLiteral(
        "select z_xb||z_mz||z_csrq||hex(z_grzp)||z_first_bysj||z_last_sxzy||z_gzdw||z_cjgzsj||z_bz||z_sbzg||z_sbdj||"
        "z_xrjszgsj from grjbxx00 where z_zjhm = '%1'")
                               .arg(m_existing);
    const QString unchanged = m_dir->scalar(before).toString();

    bool refresh = false;
    QVERIFY(openEditor(m_existing, [&](TfrmGrxx *editor) {
        QCOMPARE(editor->windowTitle(), QStringLiteral("个人信息编辑"));
        QCOMPARE(editor->EditMode, 1);
        QCOMPARE(child(editor, "edtXM")->text(), m_dir->scalar(QStringLiteral("select z_xm from grjbxx00 where z_zjhm = '%1'").arg(m_existing)).toString());
        QCOMPARE(child(editor, "edtGZDW")->text(), GetCodeName(CurGrxx.z_gzdw, codeGZDW));
        QVERIFY(!child<PhotoBox>(editor, "imgGRZP")->isEmpty());
        QVERIFY(!child(editor, "edtXM")->isEnabled());
        QVERIFY(!child<QPushButton>(editor, "btnSave")->isEnabled());

        QVERIFY(throughWizard(editor, "btnEdit", closeWizard([](QDialog *wizard) {
            QVERIFY(!child(wizard, "edtZG")->text().isEmpty());
        })));
        QVERIFY(child(editor, "edtXM")->isEnabled());
        QVERIFY(!child<QPushButton>(editor, "btnEdit")->isEnabled());
        child(editor, "edtXM")->clear();
        typeText(child(editor, "edtXM"), QStringLiteral("赵六"));
        click(editor, "btnSave");
        QCOMPARE(editor->tag(), 1);
        QVERIFY(!child(editor, "edtXM")->isEnabled());
        QVERIFY(!child<QPushButton>(editor, "btnSave")->isEnabled());
        QVERIFY(child<QPushButton>(editor, "btnEdit")->isEnabled());
        QVERIFY(child<QPushButton>(editor, "btnAddNew")->isEnabled());
        editor->reject();
    }, &refresh));
    QVERIFY2(ui.messages().isEmpty(), qPrintable(ui.texts().join(QLatin1Char('|'))));
    QVERIFY(refresh);
    QCOMPARE(m_dir->scalar(QStringLiteral("select z_xm from grjbxx00 where z_zjhm = '%1'").arg(m_existing)).toString(),
             QStringLiteral("赵六"));
    QCOMPARE(m_dir->scalar(before).toString(), unchanged);

    // With the record query closed nothing is read and the grid is not
    // refreshed.
    QVERIFY(openEditor(std::nullopt, [](TfrmGrxx *editor) {
        QCOMPARE(editor->EditMode, 0);
        QVERIFY(child(editor, "edtXM")->text().isEmpty());
        QCOMPARE(child<QDateEdit>(editor, "mskCSRQ")->date(), DefaultDate);
    }, &refresh));
    QVERIFY(!refresh);
}

void TestPersonEditor::newRecordIsSavedThroughTheForm()
{
    test::TestUi ui;
    const PersonEntry e = test::sampleEntry();
    const QString zjhm = QStringLiteral("110101198001010044");
    QVERIFY(openEditor(QString(), [&](TfrmGrxx *editor) {
        QVERIFY(throughWizard(editor, "btnAddNew", [&](QDialog *wizard) {
            const ApplicationDetails d = test::sampleDetails();
            const std::pair<const char *, QString> texts[] = {{"edtZG", d.zg},     {"edtDJ", d.dj},   {"edtZY", d.zy},
                                                              {"edtJSFS", d.jsfs}, {"edtJSJ", d.jsj}, {"edtWY", d.wy},
                                                              {"edtJSZG", d.jszg}};
            for (const auto &[name, text] : texts)
                child(wizard, name)->setText(text);
            child<QDateEdit>(wizard, "mskZGSJ")->setDate(d.zgsj);
            test::presetPickedCodes(CurGrxx);
            click(wizard, "btnNextStep");
            click(wizard, "btnNextStep");
            QVERIFY(!wizard->isVisible());
        }));
        QCOMPARE(editor->EditMode, 0);
        // What the pickers would have put into the coded edits.
        const std::pair<const char *, QString> texts[] = {
            {"edtMZ", e.mz},           {"edtZJLX", e.zjlx},         {"edtZZMM", e.zzmm},
            {"edtFirstXL", e.firstXl}, {"edtFirstXW", e.firstXw},   {"edtfirstSXZY", e.firstSxzy},
            {"edtLastXL", e.lastXl},   {"edtLastXW", e.lastXw},     {"edtLastSXZY", e.lastSxzy},
            {"edtDWXZ", e.dwxz},       {"edtCSZY", e.cszy},         {"edtFirstBYYX", e.firstByyx},
            {"edtFirstZSHM", e.firstZshm}, {"edtLastBYYX", e.lastByyx}, {"edtLastZSHM", e.lastZshm}};
        for (const auto &[name, text] : texts)
            child(editor, name)->setText(text);
        typeText(child(editor, "edtXM"), QStringLiteral("钱七"));
        child<QRadioButton>(editor, "rdgXB_1")->setChecked(true);
        child(editor, "edtZJHM")->setFocus();
        QTest::keyClicks(child(editor, "edtZJHM"), zjhm);
        child(editor, "edtDH1")->setFocus();
        QCOMPARE(child<QDateEdit>(editor, "mskCSRQ")->date(), QDate(1980, 1, 1));
        QTest::keyClicks(child(editor, "edtDH1"), QStringLiteral("08711234567"));
        QTest::keyClicks(child(editor, "edtDH2"), QStringLiteral("13900000000"));
        child<QPlainTextEdit>(editor, "memBZ")->setPlainText(e.bz);

        QLineEdit *unit = child(editor, "edtGZDW");
        unit->setFocus();
        unit->clear();
        QTest::keyClicks(unit, QStringLiteral("1101100120010000"));
        ui.queueAnswer(MsgAnswer::Yes);
        QTest::keyClick(unit, Qt::Key_Return);
        QCOMPARE(unit->text(), QStringLiteral("计算机科学与技术学院"));

        // Only the certificate photo: the personal one stays empty.
        ui.queueFileName(writePicture("id.jpg", 200, 150));
        QTest::mouseDClick(child<PhotoBox>(editor, "imgZJZP"), Qt::LeftButton);
        QVERIFY(!child<PhotoBox>(editor, "imgZJZP")->isEmpty());
        click(editor, "btnSave");
        QCOMPARE(editor->tag(), 1);
        QCOMPARE(editor->OldZjhm, QString());
    }));
    QCOMPARE(ui.texts(), QStringList{UnitCodeEntry::confirmQuestion(QStringLiteral("计算机科学与技术学院"))});
    const QString row = m_dir->scalar(QStringLiteral(
        "select z_xm||'|'||z_xb||'|'||z_csrq||'|'||z_yijzgbm||'|'||z_erjzgbm||'|'||z_sanjzgbm||'|'||z_sijzgbm||'|'||"
        "length(z_grzp)||'|'||z_sbzg||'|'||z_wycj||'|'||coalesce(z_shbz,z_psbz,z_zkbz,'unset') from grjbxx00 where "
        "z_zjhm = '%1'").arg(zjhm)).toString();
    QCOMPARE(row, QStringLiteral("钱七|2|1980-01-01|1101000000000000|1101100100000000|1101100120010000||0|0102|3|unset"));
    QVERIFY(m_dir->scalar(QStringLiteral("select length(z_zjzp) from grjbxx00 where z_zjhm = '%1'").arg(zjhm)).toInt() > 100);

    // Opened again: no personal photo, the certificate one.
    QVERIFY(openEditor(zjhm, [](TfrmGrxx *editor) {
        QVERIFY(child<PhotoBox>(editor, "imgGRZP")->isEmpty());
        QVERIFY(!child<PhotoBox>(editor, "imgZJZP")->isEmpty());
        QCOMPARE(child<QPlainTextEdit>(editor, "memBZ")->toPlainText(), test::sampleEntry().bz);
    }));
}

void TestPersonEditor::refusedSavesKeepSaveEnabled()
{
    test::TestUi ui;
    const int rows = m_dir->scalar(QStringLiteral("select count(*) from grjbxx00")).toInt();
    const QString stored = m_dir->scalar(QStringLiteral("select hex(z_grzp) from grjbxx00 where z_zjhm = '%1'").arg(m_existing)).toString();
    QVERIFY(openEditor(m_existing, [&](TfrmGrxx *editor) {
        auto *save = child<QPushButton>(editor, "btnSave");
        QVERIFY(throughWizard(editor, "btnEdit", closeWizard()));
        // A file that is no picture is refused when chosen.
        QFile text(m_dir->file(QStringLiteral("temp/notes.jpg")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture");
        text.close();
        ui.queueFileName(text.fileName());
        QTest::mouseDClick(child<PhotoBox>(editor, "imgGRZP"), Qt::LeftButton);
        QCOMPARE(ui.last().caption, QStringLiteral("提示"));
        // A picture one pixel too wide is refused on save.
        ui.queueFileName(writePicture("big.jpg", 301, 400));
        QTest::mouseDClick(child<PhotoBox>(editor, "imgGRZP"), Qt::LeftButton);
        save->click();
        QCOMPARE(ui.last().text, QStringLiteral("您选择的个人图片的大小超过300*400,请重新选择"));
        QCOMPARE(ui.last().caption, QStringLiteral("提示"));
        QVERIFY(save->isEnabled());
        QVERIFY(child(editor, "edtXM")->isEnabled());
        QCOMPARE(editor->tag(), 0);
    }));
    QCOMPARE(m_dir->scalar(QStringLiteral("select hex(z_grzp) from grjbxx00 where z_zjhm = '%1'").arg(m_existing)).toString(), stored);

    // A new record with the wizard closed at once: saving reopens it, empty.
    QVERIFY(openEditor(m_existing, [&](TfrmGrxx *editor) {
        auto *save = child<QPushButton>(editor, "btnSave");
        QVERIFY(throughWizard(editor, "btnAddNew", closeWizard()));
        QVERIFY(child(editor, "edtXM")->text().isEmpty());
        QVERIFY(throughWizard(editor, "btnSave", closeWizard([&](QDialog *wizard) {
            QCOMPARE(ui.last().text, QStringLiteral("您未正确填写申报资格信息，请检查后填写"));
            QVERIFY(child(wizard, "edtZG")->text().isEmpty());
            QCOMPARE(child<QDateEdit>(wizard, "mskZGSJ")->date(), DefaultDate);
        })));
        QVERIFY(save->isEnabled());
        QCOMPARE(editor->tag(), 0);
    }));
    QCOMPARE(m_dir->scalar(QStringLiteral("select count(*) from grjbxx00")).toInt(), rows);
}

void TestPersonEditor::afterNewTheUnitNameStaysUnconfirmed()
{
    test::TestUi ui;
    QVERIFY(openEditor(m_existing, [&](TfrmGrxx *editor) {
        QLineEdit *unit = child(editor, "edtGZDW");
        const QString name = unit->text();
        QVERIFY(!name.isEmpty());
        QVERIFY(throughWizard(editor, "btnAddNew", closeWizard()));
        QCOMPARE(unit->text(), name);
        QVERIFY(!unitCodeEntry(UnitEntryForm::Editor).UnitConfirmed);
        unit->setFocus(Qt::TabFocusReason);
        ui.clear();
        child(editor, "edtDWXZ")->setFocus(Qt::TabFocusReason);
        QCOMPARE(ui.texts(), QStringList{UnitCodeEntry::notFoundMessage()});
        QCoreApplication::processEvents();
        QVERIFY(unit->hasFocus());
    }));
}

void TestPersonEditor::birthDateFromTheNumber_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("reported");
    QTest::newRow("15 characters") << "身份证" << "110101800101123" << QDate(1980, 1, 1) << false;
    QTest::newRow("18 characters") << "身份证" << "11010119800101123X" << QDate(1980, 1, 1) << false;
    QTest::newRow("impossible date") << "身份证" << "11010119801301123X" << QDate(2000, 1, 1) << true;
    QTest::newRow("17 characters") << "身份证" << "11010119800101123" << QDate(2000, 1, 1) << true;
    QTest::newRow("another document") << "护照" << "110101800101123" << QDate(2000, 1, 1) << false;
}

void TestPersonEditor::birthDateFromTheNumber()
{
    QFETCH(QString, type);
    QFETCH(QString, number);
    QFETCH(QDate, date);
    QFETCH(bool, reported);
    test::TestUi ui;
    QVERIFY(openEditor(std::nullopt, [&](TfrmGrxx *editor) {
        QVERIFY(throughWizard(editor, "btnAddNew", closeWizard()));
        child(editor, "edtZJLX")->setText(type);
        child(editor, "edtZJHM")->setFocus();
        QTest::keyClicks(child(editor, "edtZJHM"), number);
        child(editor, "edtZZMM")->setFocus(Qt::TabFocusReason);
        QCOMPARE(child<QDateEdit>(editor, "mskCSRQ")->date(), date);
    }));
    QCOMPARE(ui.texts(), reported ? QStringList{"您输入的证件号码不能生成生日信息，请检查！"} : QStringList{});
}

void TestPersonEditor::highestEducationSameAsFirst()
{
    QVERIFY(openEditor(m_existing, [](TfrmGrxx *editor) {
        QVERIFY(throughWizard(editor, "btnEdit", closeWizard()));
        child(editor, "edtFirstZSHM")->setText(QStringLiteral("Z-1"));
        child<QDateEdit>(editor, "mskFirstBYSJ")->setDate(QDate(1999, 7, 1));
        auto *same = child<QCheckBox>(editor, "chkSameAsAbove");
        same->click();
        for (const char *name : {"XL", "XW", "SXZY", "BYYX", "ZSHM"}) {
            const QByteArray first = QByteArray(qstrcmp(name, "SXZY") == 0 ? "edtfirst" : "edtFirst") + name;
            QCOMPARE(child(editor, (QByteArray("edtLast") + name).constData())->text(),
                     child(editor, first.constData())->text());
        }
        QCOMPARE(child(editor, "edtLastZSHM")->text(), QStringLiteral("Z-1"));
        QCOMPARE(child<QDateEdit>(editor, "mskLastBYSJ")->date(), QDate(1999, 7, 1));
        same->click();
        for (const char *name : {"edtLastXL", "edtLastXW", "edtLastSXZY", "edtLastBYYX", "edtLastZSHM"})
            QVERIFY(child(editor, name)->text().isEmpty());
        QCOMPARE(child<QDateEdit>(editor, "mskLastBYSJ")->date(), QDate(2000, 1, 1));
    }));
}

void TestPersonEditor::badStoredDateDoesNotStopTheFilling()
{
    test::TestUi ui;
    const QString other = m_dir->scalar(QStringLiteral("select z_zjhm from grjbxx00 order by z_zjhm desc")).toString();
    m_dir->exec(QStringLiteral("update grjbxx00 set z_first_bysj = '', z_bz = 'after' where z_zjhm = '%1'").arg(other));
    CurGrxx.z_bz = QStringLiteral("previous person");
    QVERIFY(openEditor(other, [](TfrmGrxx *editor) {
        QCOMPARE(child<QPlainTextEdit>(editor, "memBZ")->toPlainText(), QStringLiteral("after"));
        QCOMPARE(child<QDateEdit>(editor, "mskFirstBYSJ")->date(), DefaultDate);
    }));
    QCOMPARE(ui.texts(), QStringList{"初始化个人信息编辑界面出错"});
}

void TestPersonEditor::keyFilters()
{
    test::TestUi ui;
    QVERIFY(openEditor(std::nullopt, [&](TfrmGrxx *editor) {
        QVERIFY(throughWizard(editor, "btnAddNew", closeWizard()));
        for (const char *name : {"edtDH1", "edtDH2", "edtDH3", "edtDH4"}) {
            QLineEdit *phone = child(editor, name);
            phone->setFocus();
            QTest::keyClicks(phone, QStringLiteral("12a3"));
            QTest::keyClick(phone, Qt::Key_Backspace);
            QCOMPARE(phone->text(), QStringLiteral("12"));
        }
        QCOMPARE(ui.beeps(), 4);
        QLineEdit *name = child(editor, "edtXM");
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("a b"));
        QCOMPARE(name->text(), QStringLiteral("ab"));
        QCOMPARE(name->maxLength(), 8);
        QCOMPARE(child(editor, "edtZJHM")->maxLength(), 18);
        QCOMPARE(child(editor, "edtFirstBYYX")->maxLength(), 50);
        QCOMPARE(child(editor, "edtLastZSHM")->maxLength(), 30);
        QCOMPARE(child(editor, "edtDH3")->maxLength(), 15);
        // Escape does not close the editor.
        QTest::keyClick(name, Qt::Key_Escape);
        QVERIFY(editor->isVisible());
    }));
}

QTEST_MAIN(TestPersonEditor)
#include "tst_personeditor.moc"
