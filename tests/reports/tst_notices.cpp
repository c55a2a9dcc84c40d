#include "ReportFixture.h"
#include "app/untGlobal.h"
#include "data/CodeCache.h"
#include "edit/UnitCodeEntry.h"
#include "reports/Notices.h"
#include "reports/gui/untAnnounce.h"
#include "support/CodeTables.h"
#include "support/OfficeReading.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace kvam;
using namespace kvam::test;

namespace {

const NoticeItem hexi{"1101100200000000", "河西师范学院"};
const NoticeItem beiling{"1101100100000000", "北岭大学"};
const NoticeItem engineering{"01", "工程技术人员"};
const NoticeItem health{"02", "卫生技术人员"};
const NoticeItem teachers{"03", "高等学校教师"};
const NoticeItem deputySenior{"2", "副高级"};
const NoticeItem intermediate{"3", "中级"};
// The supervising unit of hexi and beiling is of level 1: its children are
// found by z_erjzgbm.
constexpr int provinceOffice = 1;

QList<XmlElement> paragraphs(const QString &file)
{
    return parseXml(zipEntry(file, "word/document.xml")).child("w:body").childrenNamed("w:p");
}

QStringList texts(const QList<XmlElement> &ps)
{
    QStringList lines;
    for (const XmlElement &p : ps)
        lines << p.allText();
    return lines;
}

QString alignmentOf(const XmlElement &p) { return p.child("w:pPr").child("w:jc").attribute("w:val"); }

// text|font|half points|bold|underline|scaling|colour of each text run.
QStringList describeRuns(const XmlElement &p)
{
    QStringList runs;
    for (const XmlElement &r : p.childrenNamed("w:r")) {
        if (r.child("w:t").name.isEmpty())
            continue;
        const XmlElement pr = r.child("w:rPr");
        const XmlElement b = pr.child("w:b");
        runs << QStringList{r.child("w:t").text,
                            pr.child("w:rFonts").attribute("w:eastAsia"),
                            pr.child("w:sz").attribute("w:val"),
                            b.name.isEmpty() ? QString() : b.attributes.value("w:val", "1"),
                            pr.child("w:u").attribute("w:val"),
                            pr.child("w:w").attribute("w:val"),
                            pr.child("w:color").attribute("w:val")}
                    .join(u'|');
    }
    return runs;
}

NoticeSelection select(QList<NoticeItem> units, QList<NoticeItem> series, QList<NoticeItem> levels,
                       int unitLevel = provinceOffice)
{
    return {unitLevel, std::move(units), std::move(series), std::move(levels)};
}

int pageBreaks(const QString &file)
{
    int breaks = 0;
    for (const XmlElement &br : parseXml(zipEntry(file, "word/document.xml")).all("w:br"))
        breaks += br.attribute("w:type") == "page";
    return breaks;
}

} // namespace

class TestNotices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void levelsGiveCountFirstNameAndList();
    void noticeParagraphs();
    void nobodyQualified();
    void noticePerUnitAndSeries();
    void noUnitOrSeriesGivesEmptyDocument();
    void unitWithoutColumnFailsEachLevel();
    void cancelKeepsNoticesWritten();
    void form();
    void pythonDocxReadsIt();

private:
    std::unique_ptr<TestAppDir> m_dir;
    QTemporaryDir m_out;
};

void TestNotices::init()
{
    m_dir = std::make_unique<TestAppDir>();
    TestAppDir &dir = *m_dir;
    QVERIFY(addApplicant(dir, "1", "王二"));
    QVERIFY(addApplicant(dir, "2", "王一"));
    QVERIFY(addApplicant(dir, "3", "李三", {{"z_sbdj", 3}}));
    // Not named: a flag not 1, another unit, another series.
    QVERIFY(addApplicant(dir, "4", "审否", {{"z_shbz", 0}}));
    QVERIFY(addApplicant(dir, "5", "评否", {{"z_psbz", 0}}));
    QVERIFY(addApplicant(dir, "6", "扣否", {{"z_zkbz", QVariant()}}));
    QVERIFY(addApplicant(dir, "7", "北岭", {{"z_erjzgbm", beiling.code}}));
    QVERIFY(addApplicant(dir, "8", "卫生", {{"z_sbxl", health.code}}));
}

void TestNotices::levelsGiveCountFirstNameAndList()
{
    TestUi ui;
    const NoticeNames names = gatherNoticeNames(hexi, engineering, {deputySenior, intermediate}, provinceOffice);
    QCOMPARE(names.count, 3);
    QCOMPARE(names.first, QStringLiteral("李三"));
    QCOMPARE(names.levelList, QStringLiteral("副高级(2名):\r王一、王二。\r中级(1名):\r李三。\r"));
    QVERIFY(ui.messages().isEmpty());

    const NoticeNames other = gatherNoticeNames(beiling, engineering, {intermediate, deputySenior}, provinceOffice);
    QCOMPARE(other.count, 1);
    QCOMPARE(other.first, QStringLiteral("北岭"));
    QCOMPARE(other.levelList, QStringLiteral("中级(0名):\r\r副高级(1名):\r北岭。\r"));
}

void TestNotices::noticeParagraphs()
{
    TestUi ui;
    TestProgress progress;
    const QString file = m_out.filePath("one.docx");
    QCOMPARE(buildNotices(select({hexi}, {engineering}, {deputySenior, intermediate}), file), ReportEnd::Finished);
    const QList<XmlElement> ps = paragraphs(file);
    QCOMPARE(texts(ps),
             (QStringList{"[#1文件标头]", "[#2发文文号]", "关于李三等3名同志工程技术人员专业技术职务任职资格的通知",
                          "河西师范学院:",
                          "李三等3名同志参加XXXX年XX月XX日进行的Norvale省工程技术人员评审委员会通过评审，"
                          "取得工程技术人员专业技术职务任职资格，具体名单如下：",
                          "副高级(2名):", "王一、王二。", "中级(1名):", "李三。", "[#3发文单位]", "[#4发文日期]", ""}));
    QStringList alignments;
    for (const XmlElement &p : ps)
        alignments << alignmentOf(p);
    // Paragraphs the notice leaves alone keep the alignment before them.
    QCOMPARE(alignments, (QStringList{"center", "center", "center", "left", "", "", "", "", "", "right", "right", ""}));
    QCOMPARE(pageBreaks(file), 1);

    // text|font|half points|bold|underline|scaling|colour
    const QString black = QStringLiteral("000000"), red = QStringLiteral("FF0000");
    QCOMPARE(describeRuns(ps[0]), QStringList{"[#1文件标头]|宋体|200|1||33|"});
    QCOMPARE(describeRuns(ps[1]), QStringList{"[#2发文文号]|宋体|48|1|single|100|"});
    auto pieces = [&](const QStringList &texts, int size, bool firstRed) {
        QStringList runs;
        for (int i = 0; i < texts.size(); ++i)
            runs << QStringLiteral("%1|宋体|%2|1|none|100|%3")
                        .arg(texts[i])
                        .arg(size)
                        .arg((i % 2 == 0) == firstRed ? red : black);
        return runs;
    };
    QCOMPARE(describeRuns(ps[2]),
             pieces({"关于", "李三", "等", "3", "名同志", "工程技术人员", "专业技术职务任职资格的通知"}, 48, false));
    QCOMPARE(describeRuns(ps[3]), QStringList{"河西师范学院:|宋体|36|1|none|100|" + red});
    QCOMPARE(describeRuns(ps[4]),
             pieces({"李三", "等", "3", "名同志参加XXXX年XX月XX日进行的Norvale省", "工程技术人员",
                     "评审委员会通过评审，取得", "工程技术人员", "专业技术职务任职资格，具体名单如下："},
                    36, true));
    for (int i = 5; i <= 10; ++i)
        QCOMPARE(describeRuns(ps[i]), QStringList{ps[i].allText() + "|宋体|36|1|none|100|" + black});

    const XmlElement page = parseXml(zipEntry(file, "word/document.xml")).all("w:sectPr").value(0);
    const XmlElement pgSz = page.child("w:pgSz");
    QCOMPARE((QStringList{pgSz.attribute("w:w"), pgSz.attribute("w:h"), pgSz.attribute("w:orient")}),
             (QStringList{"12240", "15840", ""}));
    const XmlElement pgMar = page.child("w:pgMar");
    QCOMPARE((QStringList{pgMar.attribute("w:left"), pgMar.attribute("w:right"), pgMar.attribute("w:top"),
                          pgMar.attribute("w:bottom")}),
             (QStringList{"1134", "1134", "1701", "1701"}));
    const XmlElement settings = parseXml(zipEntry(file, "word/settings.xml"));
    QVERIFY(!settings.child("w:hideSpellingErrors").name.isEmpty());
    QVERIFY(!settings.child("w:hideGrammaticalErrors").name.isEmpty());
}

void TestNotices::nobodyQualified()
{
    TestUi ui;
    TestProgress progress;
    const QString file = m_out.filePath("nobody.docx");
    QCOMPARE(buildNotices(select({hexi}, {teachers}, {deputySenior, intermediate}), file), ReportEnd::Finished);
    const QStringList lines = texts(paragraphs(file));
    QCOMPARE(lines.value(2), QStringLiteral("关于等0名同志高等学校教师专业技术职务任职资格的通知"));
    QCOMPARE(lines.mid(5, 4), (QStringList{"副高级(0名):", "", "中级(0名):", ""}));
    QCOMPARE(lines.value(9), QStringLiteral("[#3发文单位]"));
}

void TestNotices::noticePerUnitAndSeries()
{
    TestUi ui;
    TestProgress progress;
    const QString file = m_out.filePath("six.docx");
    QCOMPARE(buildNotices(select({hexi, beiling}, {engineering, health, teachers}, {deputySenior}), file),
             ReportEnd::Finished);
    QCOMPARE(progress.shown(), (QList<int>{17, 33, 50, 67, 83, 100}));
    QCOMPARE(progress.calls().first().caption, QStringLiteral("正在生成任职资格通知,请等待"));
    QVERIFY(progress.closed());
    QCOMPARE(pageBreaks(file), 6);
    QStringList titles;
    for (const QString &line : texts(paragraphs(file))) {
        if (line.startsWith(QStringLiteral("关于")) || (line.endsWith(u':') && !line.contains(QStringLiteral("名)"))))
            titles << line;
    }
    QCOMPARE(titles, (QStringList{"关于王一等2名同志工程技术人员专业技术职务任职资格的通知",
                                  "河西师范学院:", "关于卫生等1名同志卫生技术人员专业技术职务任职资格的通知",
                                  "河西师范学院:", "关于等0名同志高等学校教师专业技术职务任职资格的通知",
                                  "河西师范学院:", "关于北岭等1名同志工程技术人员专业技术职务任职资格的通知",
                                  "北岭大学:", "关于等0名同志卫生技术人员专业技术职务任职资格的通知",
                                  "北岭大学:", "关于等0名同志高等学校教师专业技术职务任职资格的通知", "北岭大学:"}));
    // The document ends on the empty page after the last break.
    QCOMPARE(paragraphs(file).last().allText(), QString());
}

void TestNotices::noUnitOrSeriesGivesEmptyDocument()
{
    TestUi ui;
    TestDocumentOpener opener;
    TestProgress progress;
    QCOMPARE(buildNotices(select({}, {engineering}, {deputySenior})), ReportEnd::Finished);
    QVERIFY(progress.shown().isEmpty());
    QCOMPARE(opener.opened().size(), 1);
    QCOMPARE(texts(paragraphs(opener.opened().first())), QStringList{""});
    QVERIFY(ui.messages().isEmpty());
}

void TestNotices::unitWithoutColumnFailsEachLevel()
{
    TestUi ui;
    TestProgress progress;
    const QString file = m_out.filePath("level4.docx");
    QCOMPARE(buildNotices(select({hexi}, {engineering}, {deputySenior, intermediate}, 4), file), ReportEnd::Finished);
    QCOMPARE(ui.texts(), (QStringList{"进行数据组合时错误", "进行数据组合时错误"}));
    QCOMPARE(texts(paragraphs(file)).value(2), QStringLiteral("关于等0名同志工程技术人员专业技术职务任职资格的通知"));
    QCOMPARE(texts(paragraphs(file)).value(5), QStringLiteral("[#3发文单位]"));
}

void TestNotices::cancelKeepsNoticesWritten()
{
    TestUi ui;
    TestDocumentOpener opener;
    TestProgress progress;
    progress.cancelBeforeUpdate(1);
    ui.queueAnswer(MsgAnswer::Ok);
    QCOMPARE(buildNotices(select({hexi, beiling}, {engineering}, {deputySenior})), ReportEnd::Cancelled);
    QCOMPARE(ui.texts(), QStringList{"数据尚未完全导出，确认中止吗?"});
    QVERIFY(progress.closed());
    QCOMPARE(opener.opened().size(), 1);
    QCOMPARE(pageBreaks(opener.opened().first()), 1);
}

void TestNotices::form()
{
    TestUi ui;
    TestDocumentOpener opener;
    TestProgress progress;
    QVERIFY(loadCodeTables(m_dir->db()));
    unitCodeEntry(UnitEntryForm::Notice) = UnitCodeEntry(UnitEntryForm::Notice);
    TfrmAnnounce form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("发文通知选项"));
    auto *levels = form.findChild<QListWidget *>("chklbLevel");
    auto *series = form.findChild<QListWidget *>("chklbSeries");
    auto *units = form.findChild<QListWidget *>("chklbUnit");
    auto *edit = form.findChild<QLineEdit *>("edtGZDW");
    QVERIFY(levels && series && units && edit);
    QCOMPARE(edit->maxLength(), 16);
    QCOMPARE(form.findChild<QPushButton *>("btnExport")->text(), QStringLiteral("生成通知"));
    QCOMPARE(levels->count(), int(codeSBJB.size()));
    QCOMPARE(levels->item(1)->text(), QStringLiteral("副高级"));
    QCOMPARE(series->item(0)->text(), QStringLiteral("工程技术人员"));
    QCOMPARE(units->count(), 0);

    edit->setText("1101000000000000");
    ui.queueAnswer(MsgAnswer::Yes);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(units->item(0)->text(), QStringLiteral("北岭大学"));
    QCOMPARE(units->item(1)->text(), QStringLiteral("河西师范学院"));

    for (const char *name : {"chkSelectAllUnit", "chkSelectAllLevel"}) {
        auto *box = form.findChild<QCheckBox *>(name);
        QCOMPARE(box->text(), QStringLiteral("全选"));
        box->click();
    }
    series->item(2)->setCheckState(Qt::Checked);
    series->item(0)->setCheckState(Qt::Checked);
    const NoticeSelection chosen = form.selection();
    QCOMPARE(chosen.unitLevel, 1);
    QCOMPARE(chosen.units.size(), units->count());
    QCOMPARE(chosen.units[1].code, hexi.code);
    QCOMPARE(chosen.units[1].name, hexi.name);
    QCOMPARE(chosen.levels.size(), levels->count());
    QCOMPARE(chosen.series.size(), 2);
    QCOMPARE(chosen.series[0].code, QStringLiteral("01"));
    QCOMPARE(chosen.series[1].code, QStringLiteral("03"));
    form.findChild<QCheckBox *>("chkSelectAllUnit")->click();
    QVERIFY(form.selection().units.isEmpty());

    units->item(1)->setCheckState(Qt::Checked);
    QTest::mouseClick(form.findChild<QPushButton *>("btnExport"), Qt::LeftButton);
    QCOMPARE(opener.opened().size(), 1);
    QCOMPARE(texts(paragraphs(opener.opened().first())).value(3), QStringLiteral("河西师范学院:"));
    QCOMPARE(progress.shown(), (QList<int>{50, 100}));
}

void TestNotices::pythonDocxReadsIt()
{
    if (!hasPythonModule("docx"))
        QSKIP("python3-docx is not installed");
    TestUi ui;
    TestProgress progress;
    const QString file = m_out.filePath("python.docx");
    QCOMPARE(buildNotices(select({hexi}, {engineering}, {deputySenior, intermediate}), file), ReportEnd::Finished);
    const QJsonObject read = runPythonJson(QStringLiteral(R"(
import json, sys, docx
d = docx.Document(sys.argv[1])
s = d.sections[0]
def colour(r):
    return str(r.font.color.rgb) if r.font.color.rgb is not None else None
print(json.dumps({
    "texts": [p.text for p in d.paragraphs][2:5],
    "red": [r.text for p in d.paragraphs for r in p.runs if colour(r) == "FF0000"],
    "scaled": d.paragraphs[0].runs[0].font.size.pt,
    "page": [s.page_width.twips, s.page_height.twips, int(s.orientation)]}, ensure_ascii=False))
)"),
                                           {file})
                                 .object();
    QCOMPARE(read["texts"].toArray()[1].toString(), QStringLiteral("河西师范学院:"));
    QCOMPARE(read["red"].toArray(),
             QJsonArray({"李三", "3", "工程技术人员", "河西师范学院:", "李三", "3", "工程技术人员", "工程技术人员"}));
    QCOMPARE(read["scaled"].toDouble(), 100.0);
    QCOMPARE(read["page"].toArray(), QJsonArray({12240, 15840, 0}));
}

QTEST_MAIN(TestNotices)
#include "tst_notices.moc"
