#include "reports/office/DocxDocument.h"
#include "support/OfficeReading.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace kvam;
using namespace kvam::test;
using Align = DocxDocument::Alignment;

namespace {

float cm(float centimetres) { return DocxDocument::centimetresToPoints(centimetres); }

XmlElement part(const QString &file, const QString &name) { return parseXml(zipEntry(file, name)); }

// A run as the file holds it, one field a property: text|font|size|bold|underline|scaling|colour.
QString describeRun(const XmlElement &r)
{
    const XmlElement p = r.child("w:rPr");
    const XmlElement fonts = p.child("w:rFonts");
    const XmlElement b = p.child("w:b");
    const QString bold = b.name.isEmpty() ? QString() : b.attributes.value("w:val", "1");
    // Latin and East Asian text share the font.
    const QString font = fonts.attribute("w:ascii") == fonts.attribute("w:eastAsia") ? fonts.attribute("w:ascii")
                                                                                     : QStringLiteral("mixed");
    return QStringList{r.child("w:t").text,
                       font,
                       p.child("w:sz").attribute("w:val"),
                       bold,
                       p.child("w:u").attribute("w:val"),
                       p.child("w:w").attribute("w:val"),
                       p.child("w:color").attribute("w:val")}
        .join(u'|');
}

QStringList describeRuns(const XmlElement &paragraph)
{
    QStringList runs;
    for (const XmlElement &r : paragraph.childrenNamed("w:r")) {
        if (!r.child("w:t").name.isEmpty())
            runs << describeRun(r);
    }
    return runs;
}

QString alignmentOf(const XmlElement &paragraph) { return paragraph.child("w:pPr").child("w:jc").attribute("w:val"); }

// Every operation the roster and the notices use, once.
void writeSample(DocxDocument &doc)
{
    doc.setProofingWhileTyping(false);
    doc.setPageWidth(cm(29.7));
    doc.setPageHeight(cm(42));
    doc.setOrientation(DocxDocument::Orientation::Landscape);
    doc.setLeftMargin(cm(2));
    doc.setRightMargin(cm(2));
    doc.setTopMargin(cm(3));
    doc.setBottomMargin(cm(3));

    doc.setView(DocxDocument::View::Footer);
    doc.setParagraphAlignment(1, Align::Centre);
    doc.typeText(QStringLiteral("第"));
    doc.insertField(DocxDocument::Field::PageNumber);
    doc.typeText(QStringLiteral("页/共"));
    doc.insertField(DocxDocument::Field::TotalPages);
    doc.typeText(QStringLiteral("页"));
    doc.setView(DocxDocument::View::MainText);

    doc.setFontName(QStringLiteral("宋体"));
    doc.setFontSize(14);
    doc.setBold(true);
    doc.typeText(QStringLiteral("标题\r"));
    doc.setParagraphAlignment(1, Align::Centre);
    doc.setFontSize(100);
    doc.setScaling(33);
    doc.typeText(QStringLiteral("[#1文件标头]\r"));
    doc.setParagraphAlignment(doc.paragraphCount() - 1, Align::Centre);
    doc.setFontSize(18);
    doc.setScaling(100);
    doc.setUnderline(1);
    doc.typeText(QStringLiteral("下划线\r"));
    doc.setUnderline(0);
    doc.setColour(DocxDocument::Black);
    doc.typeText(QStringLiteral("关于"));
    doc.setColour(DocxDocument::Red);
    doc.typeText(QStringLiteral("张三"));
    doc.setColour(DocxDocument::Black);
    doc.typeText(QStringLiteral("等\r"));
    doc.setParagraphAlignment(doc.paragraphCount() - 1, Align::Right);
    doc.insertPageBreak();

    doc.setFontSize(8);
    doc.setBold(false);
    const int list = doc.addTable(2, 3);
    doc.setTableBorders(list, DocxDocument::Border::Single, DocxDocument::Border::Single);
    doc.setTableAlignment(list, Align::Centre);
    doc.setCellText(list, 1, 1, QStringLiteral("序号"));
    doc.setCellVerticalAlignment(list, 1, 2, DocxDocument::VerticalAlignment::Centre);
    doc.setCellText(list, 1, 2, QStringLiteral("姓名"));
    doc.appendCellText(list, 1, 2, QStringLiteral("甲"));
    doc.setCellAlignment(list, 2, 3, Align::Left);
    doc.setCellUnderline(list, 2, 3, 1);
    doc.setCellText(list, 2, 3, QStringLiteral("  空格  "));
    doc.typeParagraph();
    const int signature = doc.addTable(1, 2);
    doc.setCellText(signature, 1, 1, QStringLiteral("第二表"));
}

} // namespace

class TestDocxDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void packageIsComplete();
    void runsKeepTheirFormat_data();
    void runsKeepTheirFormat();
    void blocksAndParagraphAlignment();
    void tablesWithBordersAndCells();
    void footerHoldsPageFields();
    void pageSetup_data();
    void pageSetup();
    void pythonDocxReadsIt();
    void paragraphsFollowTheWordProcessor();
    void refusesWhatItCannotDo();
    void textXmlCannotHoldIsLeftOut();
    void makeVisibleWritesUnderTempAndOpens();

private:
    QTemporaryDir m_dir;
    QString m_sample;
    XmlElement m_body;
};

void TestDocxDocument::initTestCase()
{
    m_sample = m_dir.filePath(QStringLiteral("sample.docx"));
    DocxDocument doc;
    writeSample(doc);
    QCOMPARE(doc.paragraphCount(), 7);
    QCOMPARE(doc.tableCount(), 2);
    QVERIFY2(doc.saveAs(m_sample), qPrintable(doc.errorString()));
    m_body = part(m_sample, "word/document.xml").child("w:body");
    QVERIFY(!m_body.name.isEmpty());
}

void TestDocxDocument::packageIsComplete()
{
    const QStringList entries = zipEntries(m_sample);
    QCOMPARE(entries.value(0), QStringLiteral("[Content_Types].xml"));
    // Every part has its content type, every relationship its target.
    const XmlElement types = part(m_sample, "[Content_Types].xml");
    for (const XmlElement &o : types.childrenNamed("Override"))
        QVERIFY2(entries.contains(o.attribute("PartName").mid(1)), qPrintable(o.attribute("PartName")));
    for (const QString &entry : entries) {
        if (entry.endsWith(".xml") && entry != "[Content_Types].xml")
            QVERIFY2(!part(m_sample, entry).name.isEmpty(), qPrintable(entry));
    }
    for (const auto &[rels, folder] :
         {std::pair{"_rels/.rels", ""}, std::pair{"word/_rels/document.xml.rels", "word/"}})
        for (const XmlElement &r : part(m_sample, rels).childrenNamed("Relationship"))
            QVERIFY2(entries.contains(folder + r.attribute("Target")), qPrintable(r.attribute("Target")));

    const XmlElement settings = part(m_sample, "word/settings.xml");
    QVERIFY(!settings.child("w:hideSpellingErrors").name.isEmpty());
    QVERIFY(!settings.child("w:hideGrammaticalErrors").name.isEmpty());
    const XmlElement lang = part(m_sample, "word/styles.xml").all("w:lang").value(0);
    QCOMPARE(lang.attribute("w:eastAsia"), QStringLiteral("zh-CN"));
}

void TestDocxDocument::runsKeepTheirFormat_data()
{
    QTest::addColumn<int>("paragraph");
    QTest::addColumn<QStringList>("runs");
    // text|font|half points|bold|underline|scaling|colour
    QTest::newRow("title") << 0 << QStringList{"标题|宋体|28|1|||"};
    QTest::newRow("scaled") << 1 << QStringList{"[#1文件标头]|宋体|200|1||33|"};
    QTest::newRow("underlined") << 2 << QStringList{"下划线|宋体|36|1|single|100|"};
    QTest::newRow("red and black") << 3
                                   << QStringList{"关于|宋体|36|1|none|100|000000", "张三|宋体|36|1|none|100|FF0000",
                                                  "等|宋体|36|1|none|100|000000"};
}

void TestDocxDocument::runsKeepTheirFormat()
{
    QFETCH(int, paragraph);
    QFETCH(QStringList, runs);
    QCOMPARE(describeRuns(m_body.childrenNamed("w:p").value(paragraph)), runs);
}

void TestDocxDocument::blocksAndParagraphAlignment()
{
    QStringList blocks;
    for (const XmlElement &e : m_body.children)
        blocks << e.name;
    QCOMPARE(blocks, QStringList({"w:p", "w:p", "w:p", "w:p", "w:p", "w:tbl", "w:p", "w:tbl", "w:p", "w:sectPr"}));
    const QList<XmlElement> ps = m_body.childrenNamed("w:p");
    QCOMPARE(alignmentOf(ps[0]), QStringLiteral("center"));
    QCOMPARE(alignmentOf(ps[1]), QStringLiteral("center"));
    QCOMPARE(alignmentOf(ps[2]), QString()); // not set: the next paragraph starts as the last one did
    QCOMPARE(alignmentOf(ps[3]), QStringLiteral("right"));
    QCOMPARE(ps[4].child("w:r").child("w:br").attribute("w:type"), QStringLiteral("page"));
}

void TestDocxDocument::tablesWithBordersAndCells()
{
    const QList<XmlElement> tables = m_body.childrenNamed("w:tbl");
    const XmlElement list = tables[0];
    const XmlElement borders = list.child("w:tblPr").child("w:tblBorders");
    QCOMPARE(borders.children.size(), 6);
    for (const XmlElement &b : borders.children)
        QCOMPARE(b.attribute("w:val"), QStringLiteral("single"));
    QCOMPARE(list.child("w:tblPr").child("w:tblLayout").attribute("w:type"), QStringLiteral("fixed"));
    // Equal columns over the text width: 42 cm less two margins of 2 cm.
    const QList<XmlElement> grid = list.child("w:tblGrid").childrenNamed("w:gridCol");
    QCOMPARE(grid.size(), 3);
    for (const XmlElement &g : grid)
        QCOMPARE(g.attribute("w:w").toInt(), (23811 - 2 * 1134) / 3);

    const QList<XmlElement> rows = list.childrenNamed("w:tr");
    QCOMPARE(rows.size(), 2);
    auto cell = [&](int r, int c) { return rows[r - 1].childrenNamed("w:tc")[c - 1]; };
    QCOMPARE(describeRuns(cell(1, 1).child("w:p")), QStringList{"序号|宋体|16|0|none|100|000000"});
    QCOMPARE(cell(1, 2).child("w:p").allText(), QStringLiteral("姓名甲"));
    QCOMPARE(cell(1, 2).child("w:tcPr").child("w:vAlign").attribute("w:val"), QStringLiteral("center"));
    QVERIFY(cell(1, 1).child("w:tcPr").child("w:vAlign").name.isEmpty());
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(alignmentOf(cell(r, c).child("w:p")), r == 2 && c == 3 ? "left" : "center");
    QCOMPARE(describeRuns(cell(2, 3).child("w:p")), QStringList{"  空格  |宋体|16|0|single|100|000000"});
    QVERIFY(cell(2, 2).child("w:p").childrenNamed("w:r").isEmpty());

    const XmlElement signature = tables[1];
    QVERIFY(signature.child("w:tblPr").child("w:tblBorders").name.isEmpty());
    QCOMPARE(signature.all("w:tc").size(), 2);
    QCOMPARE(signature.all("w:tc")[0].allText(), QStringLiteral("第二表"));
}

void TestDocxDocument::footerHoldsPageFields()
{
    const XmlElement sectPr = m_body.child("w:sectPr");
    const QString id = sectPr.child("w:footerReference").attribute("r:id");
    bool found = false;
    for (const XmlElement &r : part(m_sample, "word/_rels/document.xml.rels").childrenNamed("Relationship"))
        found = found || (r.attribute("Id") == id && r.attribute("Target") == "footer1.xml");
    QVERIFY(found);

    const XmlElement paragraph = part(m_sample, "word/footer1.xml").child("w:p");
    QCOMPARE(alignmentOf(paragraph), QStringLiteral("center"));
    QString content;
    for (const XmlElement &r : paragraph.childrenNamed("w:r")) {
        content += r.child("w:t").text;
        if (!r.child("w:instrText").name.isEmpty())
            content += u'{' + r.child("w:instrText").text.trimmed() + u'}';
    }
    QCOMPARE(content, QStringLiteral("第{PAGE \\* MERGEFORMAT}1页/共{NUMPAGES \\* MERGEFORMAT}1页"));
}

void TestDocxDocument::pageSetup_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("size"); // w:w, w:h, w:orient, w:code
    QTest::newRow("A3 by size, then landscape") << "w29.7 h42 L" << QStringList{"23811", "16838", "landscape", "8"};
    QTest::newRow("Letter, portrait") << "p2 P" << QStringList{"12240", "15840", "", "1"};
    QTest::newRow("landscape, then A4") << "L p7" << QStringList{"16838", "11906", "landscape", "9"};
    QTest::newRow("portrait turns a wide page") << "w42 h29.7 P" << QStringList{"16838", "23811", "", "8"};
    QTest::newRow("a size of no paper") << "w20 h20" << QStringList{"11339", "11339", "", ""};
}

void TestDocxDocument::pageSetup()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, size);
    DocxDocument doc;
    for (const QString &step : steps.split(u' ')) {
        const float value = step.mid(1).toFloat();
        switch (step[0].unicode()) {
        case 'w':
            doc.setPageWidth(cm(value));
            break;
        case 'h':
            doc.setPageHeight(cm(value));
            break;
        case 'p':
            QVERIFY(doc.setPaperSize(int(value)));
            break;
        case 'L':
            doc.setOrientation(DocxDocument::Orientation::Landscape);
            break;
        case 'P':
            doc.setOrientation(DocxDocument::Orientation::Portrait);
            break;
        }
    }
    const QString file = m_dir.filePath(QStringLiteral("page.docx"));
    QVERIFY(doc.saveAs(file));
    const XmlElement pgSz = part(file, "word/document.xml").all("w:pgSz").value(0);
    QCOMPARE((QStringList{pgSz.attribute("w:w"), pgSz.attribute("w:h"), pgSz.attribute("w:orient"),
                          pgSz.attribute("w:code")}),
             size);
}

void TestDocxDocument::pythonDocxReadsIt()
{
    if (!hasPythonModule("docx"))
        QSKIP("python3-docx is not installed");
    const QJsonObject read = runPythonJson(QStringLiteral(R"(
import json, sys, docx
d = docx.Document(sys.argv[1])
s = d.sections[0]
def run(r):
    return [r.text, r.font.name, r.font.size.pt if r.font.size else None, r.bold, r.underline,
            str(r.font.color.rgb) if r.font.color.rgb is not None else None]
print(json.dumps({
    "paragraphs": [[p.text, int(p.alignment) if p.alignment is not None else None] for p in d.paragraphs],
    "runs": [run(r) for r in d.paragraphs[3].runs],
    "tables": [[[c.text for c in row.cells] for row in t.rows] for t in d.tables],
    "vertical": int(d.tables[0].cell(0, 1).vertical_alignment),
    "page": [s.page_width.twips, s.page_height.twips, int(s.orientation), s.left_margin.twips, s.top_margin.twips],
    "footer": s.footer.paragraphs[0].text}, ensure_ascii=False))
)"),
                                           {m_sample})
                                 .object();
    QCOMPARE(read["paragraphs"].toArray(),
             QJsonArray({QJsonArray{"标题", 1}, QJsonArray{"[#1文件标头]", 1}, QJsonArray{"下划线", QJsonValue()},
                         QJsonArray{"关于张三等", 2}, QJsonArray{"\n", QJsonValue()}, QJsonArray{"", QJsonValue()},
                         QJsonArray{"", QJsonValue()}}));
    QCOMPARE(read["runs"].toArray()[1].toArray(), QJsonArray({"张三", "宋体", 18, true, false, "FF0000"}));
    QCOMPARE(read["tables"].toArray(),
             QJsonArray({QJsonArray{QJsonArray{"序号", "姓名甲", ""}, QJsonArray{"", "", "  空格  "}},
                         QJsonArray{QJsonArray{"第二表", ""}}}));
    QCOMPARE(read["vertical"].toInt(), 1);
    QCOMPARE(read["page"].toArray(), QJsonArray({23811, 16838, 1, 1134, 1701}));
    QCOMPARE(read["footer"].toString(), QStringLiteral("第1页/共1页"));
}

void TestDocxDocument::paragraphsFollowTheWordProcessor()
{
    DocxDocument doc;
    QCOMPARE(doc.paragraphCount(), 1);
    doc.typeText(QStringLiteral("a\r\nb\r"));
    QCOMPARE(doc.paragraphCount(), 3); // CR LF is one break; typing goes on in the third
    // The current paragraph's alignment carries over to the next one.
    QVERIFY(doc.setParagraphAlignment(3, Align::Right));
    doc.typeText(QStringLiteral("c\nd"));
    QVERIFY(!doc.setParagraphAlignment(5, Align::Left));
    QVERIFY(!doc.setParagraphAlignment(0, Align::Left));

    const QString file = m_dir.filePath(QStringLiteral("paragraphs.docx"));
    QVERIFY(doc.saveAs(file));
    QStringList seen;
    for (const XmlElement &p : part(file, "word/document.xml").all("w:p"))
        seen << p.allText() + u'/' + alignmentOf(p);
    QCOMPARE(seen, QStringList({"a/", "b/", "c/right", "d/right"}));
}

void TestDocxDocument::refusesWhatItCannotDo()
{
    DocxDocument doc;
    QVERIFY(!doc.setPaperSize(99));
    QCOMPARE(doc.addTable(0, 3), 0);
    QCOMPARE(doc.addTable(1, 64), 0);
    doc.setView(DocxDocument::View::Footer);
    QCOMPARE(doc.addTable(1, 1), 0);
    QVERIFY(!doc.insertPageBreak());
    doc.setView(DocxDocument::View::MainText);
    QCOMPARE(doc.addTable(2, 2), 1);
    QVERIFY(!doc.setCellText(1, 3, 1, QStringLiteral("x")));
    QVERIFY2(doc.errorString().contains("(3, 1)"), qPrintable(doc.errorString()));
    QVERIFY(!doc.setCellText(2, 1, 1, QStringLiteral("x")));
    QVERIFY(!doc.setTableBorders(0, DocxDocument::Border::Single, DocxDocument::Border::Single));
    // A save into a folder that is not there fails and leaves nothing.
    const QString missing = m_dir.filePath(QStringLiteral("missing/doc.docx"));
    QVERIFY(!doc.saveAs(missing));
    QVERIFY(doc.errorString().contains(missing));
    QVERIFY(!QFile::exists(missing));
}

void TestDocxDocument::textXmlCannotHoldIsLeftOut()
{
    DocxDocument doc;
    doc.typeText(QStringLiteral("a\x01"
                                "b\tc"));
    const int table = doc.addTable(1, 1);
    doc.setCellText(table, 1, 1, QStringLiteral("x\x0By\rz"));
    const QString file = m_dir.filePath(QStringLiteral("control.docx"));
    QVERIFY(doc.saveAs(file));
    const XmlElement body = part(file, "word/document.xml").child("w:body");
    QVERIFY(!body.name.isEmpty());
    QCOMPARE(body.child("w:p").allText(), QStringLiteral("abc"));
    QCOMPARE(body.child("w:p").all("w:tab").size(), 1);
    QStringList cellParagraphs;
    for (const XmlElement &p : body.all("w:tc").value(0).childrenNamed("w:p"))
        cellParagraphs << p.allText();
    QCOMPARE(cellParagraphs, QStringList({"xy", "z"}));
}

void TestDocxDocument::makeVisibleWritesUnderTempAndOpens()
{
    TestAppDir app;
    QVERIFY(app.isValid());
    TestDocumentOpener opener;
    DocxDocument doc;
    doc.typeText(QStringLiteral("通知"));
    QVERIFY2(doc.makeVisible(), qPrintable(doc.errorString()));
    QCOMPARE(opener.opened().size(), 1);
    const QString path = opener.opened().front();
    QVERIFY2(path.startsWith(app.file("temp/")) && path.endsWith(".docx"), qPrintable(path));
    QCOMPARE(part(path, "word/document.xml").child("w:body").child("w:p").allText(), QStringLiteral("通知"));
}

QTEST_GUILESS_MAIN(TestDocxDocument)
#include "tst_docxdocument.moc"
