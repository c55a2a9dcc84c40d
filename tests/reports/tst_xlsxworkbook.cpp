#include "reports/office/XlsxWorkbook.h"
#include "support/OfficeReading.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace kvam;
using namespace kvam::test;

Q_DECLARE_METATYPE(XlsxWorkbook::Mode)

namespace {

const QString sheetName = QStringLiteral("上报基本信息");

// A cell as the file holds it: its text, whether it is stored as text, and
// the number format of its style.
struct StoredCell {
    QString value;
    bool isText = false;
    int numberFormatId = 0;
    QString horizontal, vertical;
};

XmlElement part(const QString &file, const QString &name) { return parseXml(zipEntry(file, name)); }

// Our own reading of the worksheet XML, independent of libxlsxwriter.
QHash<QString, StoredCell> readCells(const QString &file)
{
    QStringList shared;
    for (const XmlElement &si : part(file, "xl/sharedStrings.xml").all("si"))
        shared << si.allText();
    const QList<XmlElement> xfs = part(file, "xl/styles.xml").child("cellXfs").childrenNamed("xf");

    QHash<QString, StoredCell> cells;
    for (const XmlElement &c : part(file, "xl/worksheets/sheet1.xml").all("c")) {
        StoredCell cell;
        const QString type = c.attribute("t");
        const QString v = c.child("v").text;
        cell.isText = type == "s" || type == "inlineStr" || type == "str";
        cell.value = type == "s" ? shared.value(v.toInt()) : type == "inlineStr" ? c.child("is").allText() : v;
        const XmlElement xf = xfs.value(c.attributes.value("s", "0").toInt());
        cell.numberFormatId = xf.attribute("numFmtId").toInt();
        cell.horizontal = xf.child("alignment").attribute("horizontal");
        cell.vertical = xf.child("alignment").attribute("vertical");
        cells.insert(c.attribute("r"), cell);
    }
    return cells;
}

// The workbook of a statistics export in small: a merged title over two rows
// (one in constant-memory mode, where rows go to disk in order), widths,
// headings, and text cells.
bool writeSample(XlsxWorkbook &book, int titleRows)
{
    bool ok = book.mergeAndCentre(1, 1, titleRows, 4) && book.setValue(1, 1, QStringLiteral("某某市按申报级别统计"));
    ok = ok && book.setColumnWidth(1, 50) && book.setColumnWidth(2, 25);
    const QStringList headings = {"姓名", "证件号码", "人数", "备注"};
    for (int c = 0; c < headings.size(); ++c)
        ok = ok && book.setValue(3, c + 1, headings[c]);
    const QVariantList row4 = {QStringLiteral("张三"), QStringLiteral("110101199001011234"), 42, QVariant()};
    const QVariantList row5 = {QStringLiteral("李四"), QStringLiteral("11010119900101123X"), 7,
                               QVariant(QMetaType::fromType<QString>())};
    for (int c = 0; c < 4; ++c) {
        // Row 4 leaves its count a number; row 5 has every cell "@".
        if (c != 2)
            ok = ok && book.setNumberFormat(4, c + 1, QStringLiteral("@"));
        ok = ok && book.setValue(4, c + 1, row4[c]);
    }
    for (int c = 0; c < 4; ++c)
        ok = ok && book.setNumberFormat(5, c + 1, QStringLiteral("@")) && book.setValue(5, c + 1, row5[c]);
    return ok;
}

} // namespace

class TestXlsxWorkbook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsBackAsWritten_data();
    void readsBackAsWritten();
    void openpyxlReadsTheSame_data();
    void openpyxlReadsTheSame();
    void formatsWaitForTheirValues();
    void constantMemoryKeepsRowOrder();
    void refusesWhatCannotBeWritten();
    void failedSaveLeavesNothing();
    void makeVisibleWritesUnderTempAndOpens();

private:
    QTemporaryDir m_dir;
};

void TestXlsxWorkbook::readsBackAsWritten_data()
{
    QTest::addColumn<XlsxWorkbook::Mode>("mode");
    QTest::addColumn<int>("titleRows");
    QTest::newRow("standard") << XlsxWorkbook::Mode::Standard << 2;
    QTest::newRow("constant memory") << XlsxWorkbook::Mode::ConstantMemory << 1;
}

void TestXlsxWorkbook::readsBackAsWritten()
{
    QFETCH(XlsxWorkbook::Mode, mode);
    QFETCH(int, titleRows);
    const QString file = m_dir.filePath(QStringLiteral("own-%1.xlsx").arg(QTest::currentDataTag()));
    XlsxWorkbook book(sheetName, mode);
    QVERIFY2(writeSample(book, titleRows), qPrintable(book.errorString()));
    QVERIFY2(book.saveAs(file), qPrintable(book.errorString()));

    const QList<XmlElement> sheets = part(file, "xl/workbook.xml").all("sheet");
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(sheets[0].attribute("name"), sheetName);

    const QHash<QString, StoredCell> cells = readCells(file);
    QCOMPARE(cells["A1"].value, QStringLiteral("某某市按申报级别统计"));
    QCOMPARE(cells["A1"].horizontal, QStringLiteral("center"));
    QCOMPARE(cells["A1"].vertical, QStringLiteral("center"));
    QCOMPARE(cells["B3"].value, QStringLiteral("证件号码"));
    QCOMPARE(cells["B3"].numberFormatId, 0);
    // "@" is number format 49; its values stay text, digit for digit.
    for (const char *ref : {"A4", "B4", "A5", "B5", "C5"}) {
        QVERIFY2(cells[ref].isText, ref);
        QCOMPARE(cells[ref].numberFormatId, 49);
    }
    QCOMPARE(cells["B4"].value, QStringLiteral("110101199001011234"));
    QCOMPARE(cells["B5"].value, QStringLiteral("11010119900101123X"));
    QCOMPARE(cells["C5"].value, QStringLiteral("7"));
    QVERIFY(!cells["C4"].isText);
    QCOMPARE(cells["C4"].value, QStringLiteral("42"));
    // Null: an empty cell, formatted when a format was asked for.
    QVERIFY(cells["D4"].value.isEmpty());
    QCOMPARE(cells["D5"].numberFormatId, 49);
    QVERIFY(cells["D5"].value.isEmpty());

    const XmlElement sheet = part(file, "xl/worksheets/sheet1.xml");
    const QList<XmlElement> merges = sheet.all("mergeCell");
    QCOMPARE(merges.size(), 1);
    QCOMPARE(merges[0].attribute("ref"), titleRows == 2 ? QStringLiteral("A1:D2") : "A1:D1");
    const QList<XmlElement> cols = sheet.all("col");
    QCOMPARE(cols.size(), 2);
    // The file stores the width with the padding the spreadsheet adds.
    QVERIFY(qAbs(cols[0].attribute("width").toDouble() - 50) < 1);
    QVERIFY(qAbs(cols[1].attribute("width").toDouble() - 25) < 1);
}

void TestXlsxWorkbook::openpyxlReadsTheSame_data() { readsBackAsWritten_data(); }

void TestXlsxWorkbook::openpyxlReadsTheSame()
{
    if (!hasPythonModule("openpyxl"))
        QSKIP("python3-openpyxl is not installed");
    QFETCH(XlsxWorkbook::Mode, mode);
    QFETCH(int, titleRows);
    const QString file = m_dir.filePath(QStringLiteral("openpyxl-%1.xlsx").arg(QTest::currentDataTag()));
    XlsxWorkbook book(sheetName, mode);
    QVERIFY(writeSample(book, titleRows));
    QVERIFY2(book.saveAs(file), qPrintable(book.errorString()));

    const QJsonObject read = runPythonJson(QStringLiteral(R"(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
cells = {}
for row in ws.iter_rows(min_row=1, max_row=5, max_col=4):
    for c in row:
        cells[c.coordinate] = [c.value, c.data_type, c.number_format]
print(json.dumps({"sheets": wb.sheetnames, "cells": cells,
                  "merged": [str(r) for r in ws.merged_cells.ranges],
                  "align": [ws["A1"].alignment.horizontal, ws["A1"].alignment.vertical],
                  "widths": [ws.column_dimensions["A"].width, ws.column_dimensions["B"].width]}))
)"),
                                           {file})
                                 .object();
    QCOMPARE(read["sheets"].toArray(), QJsonArray({sheetName}));
    const QJsonObject cells = read["cells"].toObject();
    auto cell = [&](const char *ref) { return cells[ref].toArray(); };
    QCOMPARE(cell("B4"), QJsonArray({"110101199001011234", "s", "@"}));
    QCOMPARE(cell("B5"), QJsonArray({"11010119900101123X", "s", "@"}));
    QCOMPARE(cell("C5"), QJsonArray({"7", "s", "@"}));
    QCOMPARE(cell("C4")[0].toInt(), 42);
    QCOMPARE(cell("C4")[1].toString(), QStringLiteral("n"));
    QVERIFY(cell("D4")[0].isNull());
    QVERIFY(cell("D5")[0].isNull());
    QCOMPARE(cell("A3")[0].toString(), QStringLiteral("姓名"));
    QCOMPARE(read["merged"].toArray(), QJsonArray({titleRows == 2 ? "A1:D2" : "A1:D1"}));
    QCOMPARE(read["align"].toArray(), QJsonArray({"center", "center"}));
    QVERIFY(qAbs(read["widths"].toArray()[0].toDouble() - 50) < 1);
    QVERIFY(qAbs(read["widths"].toArray()[1].toDouble() - 25) < 1);
}

void TestXlsxWorkbook::formatsWaitForTheirValues()
{
    // A format applies to the next value of its cell, however many cells
    // were given formats in between.
    XlsxWorkbook book(sheetName);
    for (int c = 1; c <= 3; ++c)
        QVERIFY(book.setNumberFormat(1, c, QStringLiteral("@")));
    QVERIFY(book.setNumberFormat(1, 2, QStringLiteral("0.00")));
    for (int c = 1; c <= 3; ++c)
        QVERIFY(book.setValue(1, c, c));
    QVERIFY(book.setValue(2, 1, 4));
    QVERIFY(book.setNumberFormat(2, 2, QStringLiteral("@")));
    QVERIFY(book.setValue(2, 2, 5));
    QVERIFY(book.setValue(2, 2, 6)); // the format went with the 5

    const QString file = m_dir.filePath(QStringLiteral("ahead.xlsx"));
    QVERIFY(book.saveAs(file));
    const QHash<QString, StoredCell> cells = readCells(file);
    QVERIFY(cells["A1"].isText && cells["C1"].isText);
    QVERIFY(!cells["B1"].isText);
    QCOMPARE(cells["B1"].numberFormatId, 164); // the first format of the workbook's own
    QCOMPARE(cells["C1"].value, QStringLiteral("3"));
    QVERIFY(!cells["A2"].isText);
    QVERIFY(!cells["B2"].isText);
    QCOMPARE(cells["B2"].value, QStringLiteral("6"));
}

void TestXlsxWorkbook::constantMemoryKeepsRowOrder()
{
    XlsxWorkbook book(sheetName, XlsxWorkbook::Mode::ConstantMemory);
    QVERIFY(book.setValue(2, 1, QStringLiteral("a")));
    QVERIFY(book.setValue(2, 3, QStringLiteral("b"))); // the same row is still open
    QVERIFY(book.setValue(3, 1, QStringLiteral("c")));
    QVERIFY(!book.setValue(2, 2, QStringLiteral("lost")));
    QVERIFY2(book.errorString().contains("row 2"), qPrintable(book.errorString()));
    // A multi-row merge sends its first row to disk: its title cannot follow.
    QVERIFY(book.mergeAndCentre(4, 1, 5, 2));
    QVERIFY(!book.setValue(4, 1, QStringLiteral("title")));

    const QString file = m_dir.filePath(QStringLiteral("order.xlsx"));
    QVERIFY(book.saveAs(file));
    const QHash<QString, StoredCell> cells = readCells(file);
    QCOMPARE(cells["A2"].value, QStringLiteral("a"));
    QCOMPARE(cells["C2"].value, QStringLiteral("b"));
    QCOMPARE(cells["A3"].value, QStringLiteral("c"));
    QVERIFY(!cells.contains("B2"));
}

void TestXlsxWorkbook::refusesWhatCannotBeWritten()
{
    XlsxWorkbook badName(QStringLiteral("a/b"));
    QVERIFY(!badName.isOpen());
    QVERIFY(!badName.errorString().isEmpty());
    QVERIFY(!badName.setValue(1, 1, 1));
    QVERIFY(!badName.saveAs(m_dir.filePath("bad-name.xlsx")));
    QVERIFY(!QFile::exists(m_dir.filePath("bad-name.xlsx")));

    XlsxWorkbook book(sheetName);
    QVERIFY(!book.setValue(0, 1, 1));
    QVERIFY(!book.setValue(1, 16385, 1));
    QVERIFY(!book.setValue(1, 1, QString(40000, QLatin1Char('x'))));
    QVERIFY(book.mergeAndCentre(1, 1, 2, 3));
    QVERIFY(!book.mergeAndCentre(2, 3, 4, 4)); // overlaps (1,1)-(2,3)
    QVERIFY(book.errorString().contains("overlaps"));
    QVERIFY(book.saveAs(m_dir.filePath("once.xlsx")));
    QVERIFY(!book.saveAs(m_dir.filePath("twice.xlsx")));
    QVERIFY(!book.setValue(1, 1, 1));
    QVERIFY(book.errorString().contains("written already"));
}

void TestXlsxWorkbook::failedSaveLeavesNothing()
{
    const QString missingFolder = m_dir.filePath(QStringLiteral("missing/book.xlsx"));
    XlsxWorkbook book(sheetName);
    QVERIFY(book.setValue(1, 1, QStringLiteral("x")));
    QVERIFY(!book.saveAs(missingFolder));
    QVERIFY2(book.errorString().contains(missingFolder), qPrintable(book.errorString()));
    QVERIFY(!QFile::exists(missingFolder));

    // Saving over an older file replaces it whole.
    const QString existing = m_dir.filePath(QStringLiteral("existing.xlsx"));
    QFile old(existing);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an older file");
    old.close();
    XlsxWorkbook replacement(sheetName);
    QVERIFY(replacement.setValue(1, 1, QStringLiteral("new")));
    QVERIFY(replacement.saveAs(existing));
    QCOMPARE(readCells(existing)["A1"].value, QStringLiteral("new"));
}

void TestXlsxWorkbook::makeVisibleWritesUnderTempAndOpens()
{
    TestAppDir app;
    QVERIFY(app.isValid());
    TestDocumentOpener opener;
    for (int i = 0; i < 2; ++i) {
        XlsxWorkbook book(sheetName);
        QVERIFY(book.setValue(1, 1, i));
        QVERIFY2(book.makeVisible(), qPrintable(book.errorString()));
    }
    const QStringList opened = opener.opened();
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[0] != opened[1]);
    for (const QString &path : opened) {
        QVERIFY2(path.startsWith(app.file("temp/")) && path.endsWith(".xlsx"), qPrintable(path));
        QVERIFY(zipEntries(path).contains("xl/worksheets/sheet1.xml"));
    }
}

QTEST_GUILESS_MAIN(TestXlsxWorkbook)
#include "tst_xlsxworkbook.moc"
