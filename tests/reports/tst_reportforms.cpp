#include "app/Progress.h"
#include "reports/gui/untReport.h"
#include "support/CodeTables.h"
#include "support/OfficeReading.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

using namespace kvam;

class TestReportForms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void noStatisticChosenChangesNothing();
    void aConfirmedUnitIsCountedAndEachFormKeepsItsOwn();
    void exportWritesTitleHeadingsAndRows();
    void exportStopsWhenCancelIsConfirmed();

private:
    static void enterUnit(SummaryReportForm &form, test::TestUi &ui, const QString &code);
    std::unique_ptr<test::TestAppDir> m_dir;
    QSqlDatabase m_db;
};

void TestReportForms::initTestCase()
{
    m_dir = std::make_unique<test::TestAppDir>(300);
    QVERIFY(m_dir->isValid());
    m_db = m_dir->db();
    QVERIFY(test::loadCodeTables(m_db));
}

void TestReportForms::enterUnit(SummaryReportForm &form, test::TestUi &ui, const QString &code)
{
    auto *edit = form.findChild<QLineEdit *>(QStringLiteral("edtGZDW"));
    edit->setFocus();
    edit->setText(code);
    ui.queueAnswer(MsgAnswer::Yes);
    QTest::keyClick(edit, Qt::Key_Return);
}

void TestReportForms::noStatisticChosenChangesNothing()
{
    test::TestUi ui;
    TfrmReport form(m_db);
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("报表统计"));
    auto *list = form.findChild<QComboBox *>(QStringLiteral("cbbList"));
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->count(), 5);
    QCOMPARE(list->itemText(0), QStringLiteral("按单位按申报级别统计评审通过人数"));
    form.findChild<QPushButton *>(QStringLiteral("btnQuery"))->click();
    QVERIFY(form.result().isEmpty());
    QVERIFY(ui.messages().isEmpty());
    TfrmReport2 second(m_db);
    QCOMPARE(second.findChild<QComboBox *>(QStringLiteral("cbbList"))->itemText(0),
             QStringLiteral("按单位按申报级别统计资格审查通过人数"));
}

void TestReportForms::aConfirmedUnitIsCountedAndEachFormKeepsItsOwn()
{
    test::TestUi ui;
    const QString unit = QStringLiteral("1101000000000000");
    {
        TfrmReport form(m_db);
        form.show();
        enterUnit(form, ui, unit);
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("edtGZDW"))->text(), QStringLiteral("省教育厅"));
        form.findChild<QComboBox *>(QStringLiteral("cbbList"))->setCurrentIndex(0);
        form.btnQueryClick();
        const SummaryResult &result = form.result();
        QVERIFY(result.rows.size() >= 2);
        QCOMPARE(result.rows.last().at(0).toString(), QStringLiteral("合计"));
        QCOMPARE(result.rows.last().last().toInt(),
                 m_dir->scalar(QStringLiteral("select count(*) from grjbxx00 where z_yijzgbm = '%1'").arg(unit)).toInt());
        auto *grid = form.findChild<QTableView *>(QStringLiteral("DBGridReport"));
        QCOMPARE(grid->model()->rowCount(), result.rows.size());
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("下辖单位名称"));
    }
    // Reopened, the window keeps its unit; the other window has none of it.
    TfrmReport again(m_db);
    again.findChild<QComboBox *>(QStringLiteral("cbbList"))->setCurrentIndex(0);
    again.btnQueryClick();
    QCOMPARE(again.result().rows.last().last().toInt(),
             m_dir->scalar(QStringLiteral("select count(*) from grjbxx00 where z_yijzgbm = '%1'").arg(unit)).toInt());
    TfrmReport2 other(m_db);
    other.findChild<QComboBox *>(QStringLiteral("cbbList"))->setCurrentIndex(0);
    other.btnQueryClick();
    QCOMPARE(other.result().rows.last().last().toInt(), 300);
}

void TestReportForms::exportWritesTitleHeadingsAndRows()
{
    if (!test::hasPythonModule(QStringLiteral("openpyxl")))
        QSKIP("python3-openpyxl is not installed");
    test::TestUi ui;
    test::TestDocumentOpener opener;
    RecordingProgressDisplay progress;
    ProgressDisplay *previous = setProgressDisplay(&progress);
    TfrmReport2 form(m_db);
    form.show();
    form.findChild<QComboBox *>(QStringLiteral("cbbList"))->setCurrentIndex(3);
    form.btnQueryClick();
    const qsizetype r = form.result().rows.size();
    form.btnExportToExcelClick();
    setProgressDisplay(previous);
    QCOMPARE(ui.texts().first(), QStringLiteral("本机必须装有微软Office电子表格软件！"));
    QCOMPARE(opener.opened().size(), 1);
    QCOMPARE(progress.shown().last(), 100);
    QVERIFY(progress.closed());

    const QJsonObject book = test::runPythonJson(QStringLiteral(R"(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
print(json.dumps({"title": ws.title, "merged": [str(m) for m in ws.merged_cells.ranges],
  "a1": ws["A1"].value, "row3": [c.value for c in ws[3]], "rows": ws.max_row,
  "last": [c.value for c in ws[ws.max_row]], "width": ws.column_dimensions["A"].width,
  "format": ws["B4"].number_format}, ensure_ascii=False))
)"), {opener.opened().first()}).object();
    QCOMPARE(book.value("title").toString(), QStringLiteral("上报基本信息"));
    QCOMPARE(book.value("merged").toArray().first().toString(), QStringLiteral("A1:E2"));
    QCOMPARE(book.value("a1").toString(), QStringLiteral("按申报级别分申报系列统计资格审查通过人数"));
    QCOMPARE(book.value("row3").toArray().at(2).toString(), QStringLiteral("申报系列"));
    QCOMPARE(book.value("rows").toInt(), int(r) + 3);
    QCOMPARE(book.value("last").toArray().first().toString(), QStringLiteral("合计"));
    QCOMPARE(book.value("last").toArray().last().toString(), QStringLiteral("300"));
    QCOMPARE(book.value("format").toString(), QStringLiteral("@"));
}

void TestReportForms::exportStopsWhenCancelIsConfirmed()
{
    test::TestUi ui;
    test::TestDocumentOpener opener;
    RecordingProgressDisplay progress;
    progress.cancelBeforeUpdate(2);
    ProgressDisplay *previous = setProgressDisplay(&progress);
    TfrmReport form(m_db);
    form.findChild<QComboBox *>(QStringLiteral("cbbList"))->setCurrentIndex(0);
    form.btnQueryClick();
    ui.queueAnswer(MsgAnswer::Ok);
    form.btnExportToExcelClick();
    setProgressDisplay(previous);
    QCOMPARE(ui.last().text, QStringLiteral("数据尚未完全导出，确认中止吗?"));
    QCOMPARE(progress.calls().size(), 3); // one shown, one cancelled, the close
    QCOMPARE(opener.opened().size(), 1);

    // Without a result, the export reports its failure.
    TfrmReport empty(m_db);
    empty.btnExportToExcelClick();
    QCOMPARE(ui.last().text, QStringLiteral("导出报表时出错，请重新导出!"));
}

QTEST_MAIN(TestReportForms)
#include "tst_reportforms.moc"
