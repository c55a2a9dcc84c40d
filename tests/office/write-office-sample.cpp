// Writes sample documents in the shapes the reports give them (a roster, two
// notices, a statistics workbook) for libreoffice-check.sh to convert and for
// people to look at. Not a test itself.
#include "reports/office/DocxDocument.h"
#include "reports/office/XlsxWorkbook.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

using namespace kvam;
using Align = DocxDocument::Alignment;

namespace {

float cm(float centimetres) { return DocxDocument::centimetresToPoints(centimetres); }

bool report(bool ok, const QString &what, const QString &error)
{
    if (!ok)
        std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(error));
    return ok;
}

bool writeRoster(const QString &file)
{
    DocxDocument doc;
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
    doc.typeText(QStringLiteral("申报评审[高级][副高级][中级][初级]专业职务任职资格人员登记情况表\r"));
    doc.setParagraphAlignment(1, Align::Centre);

    const int rows = 120;
    doc.setFontSize(12);
    doc.setBold(false);
    const int head = doc.addTable(1, 3);
    const QStringList headTexts = {QStringLiteral("设区市、厅(局):") + QString(21, u' '),
                                   QStringLiteral("送交") + QString(23, u' ') + QStringLiteral("评委会"),
                                   QStringLiteral("共%1人").arg(rows)};
    for (int c = 1; c <= 3; ++c) {
        doc.setCellAlignment(head, 1, c, c == 3 ? Align::Centre : Align::Left);
        doc.setCellUnderline(head, 1, c, c == 3 ? 0 : 1);
        doc.setCellText(head, 1, c, headTexts[c - 1]);
    }

    doc.typeParagraph();
    doc.setFontSize(8);
    const QStringList headings = {"姓名",     "出生日期",   "第一学历", "毕业时间", "所学专业",
                                  "最高学历", "毕业时间",   "所学专业", "工作单位", "参加工作时间",
                                  "从事专业", "申报系列",   "申报资格", "申报级别", "申报专业",
                                  "晋升方式", "计算机成绩", "外语成绩", "现任资格", "任职时间"};
    const int list = doc.addTable(rows + 1, int(headings.size()) + 1);
    doc.setTableBorders(list, DocxDocument::Border::Single, DocxDocument::Border::Single);
    doc.setTableAlignment(list, Align::Centre);
    doc.setCellText(list, 1, 1, QStringLiteral("序号"));
    for (int i = 0; i < headings.size(); ++i) {
        doc.setCellVerticalAlignment(list, 1, i + 2, DocxDocument::VerticalAlignment::Centre);
        doc.setCellText(list, 1, i + 2, headings[i]);
    }
    const QStringList values = {"张三",       "1970-01-02", "大学本科",
                                "1992-07-01", "土木工程",   "硕士研究生",
                                "2001-07-01", "结构工程",   "某某市建设局某某设计院",
                                "1992-08-01", "建筑设计",   "工程系列",
                                "高级工程师", "高级",       "土木建筑",
                                "正常晋升",   "合格",       "78",
                                "工程师",     "1998-12-31"};
    for (int k = 1; k <= rows; ++k) {
        doc.setCellText(list, k + 1, 1, QString::number(k));
        for (int i = 0; i < values.size(); ++i) {
            doc.setCellVerticalAlignment(list, k + 1, i + 2, DocxDocument::VerticalAlignment::Centre);
            doc.setCellText(list, k + 1, i + 2, values[i]);
        }
    }

    doc.typeParagraph();
    doc.setFontSize(12);
    const int signature = doc.addTable(1, 3);
    const QStringList signatureTexts = {QStringLiteral("设区市、厅(局)职改办签字(盖章):") + QString(21, u' '),
                                        QStringLiteral("省职改办意见") + QString(23, u' '),
                                        QStringLiteral("填表时间") + QString(17, u' ')};
    for (int c = 1; c <= 3; ++c) {
        doc.setCellAlignment(signature, 1, c, c == 3 ? Align::Centre : Align::Left);
        doc.setCellUnderline(signature, 1, c, 1);
        doc.setCellText(signature, 1, c, signatureTexts[c - 1]);
    }
    return report(doc.saveAs(file), file, doc.errorString());
}

void typeAligned(DocxDocument &doc, const QString &text, Align alignment)
{
    doc.typeText(text + u'\r');
    doc.setParagraphAlignment(doc.paragraphCount() - 1, alignment);
}

void typePieces(DocxDocument &doc, const QStringList &pieces)
{
    // Fixed texts black, values red, one after the other.
    for (int i = 0; i < pieces.size(); ++i) {
        doc.setColour(i % 2 ? DocxDocument::Red : DocxDocument::Black);
        doc.typeText(pieces[i]);
    }
    doc.typeParagraph();
}

bool writeNotices(const QString &file)
{
    DocxDocument doc;
    doc.setProofingWhileTyping(false);
    doc.setPaperSize(2);
    doc.setOrientation(DocxDocument::Orientation::Portrait);
    doc.setLeftMargin(cm(2));
    doc.setRightMargin(cm(2));
    doc.setTopMargin(cm(3));
    doc.setBottomMargin(cm(3));
    doc.setFontName(QStringLiteral("宋体"));
    for (const QString &unit : {QStringLiteral("某某市第一中学"), QStringLiteral("某某市人民医院")}) {
        doc.setFontSize(100);
        doc.setBold(true);
        doc.setScaling(33);
        typeAligned(doc, QStringLiteral("[#1文件标头]"), Align::Centre);
        doc.setFontSize(24);
        doc.setUnderline(1);
        doc.setScaling(100);
        typeAligned(doc, QStringLiteral("[#2发文文号]"), Align::Centre);
        doc.setUnderline(0);
        typePieces(doc, {"关于", "王五", "等", "3", "名同志", "中小学教师", "专业技术职务任职资格的通知"});
        doc.setParagraphAlignment(doc.paragraphCount() - 1, Align::Centre);
        doc.setFontSize(18);
        doc.setColour(DocxDocument::Red);
        typeAligned(doc, unit + u':', Align::Left);
        typePieces(doc, {"", "王五", "等", "3", "名同志参加XXXX年XX月XX日进行的Norvale省", "中小学教师",
                         "评审委员会通过评审，取得", "中小学教师", "专业技术职务任职资格，具体名单如下："});
        doc.setColour(DocxDocument::Black);
        doc.typeText(QStringLiteral("高级(2名):\r张三、李四。\r中级(1名):\r王五。\r"));
        typeAligned(doc, QStringLiteral("[#3发文单位]"), Align::Right);
        typeAligned(doc, QStringLiteral("[#4发文日期]"), Align::Right);
        doc.insertPageBreak();
    }
    return report(doc.saveAs(file), file, doc.errorString());
}

bool writeStatistics(const QString &file)
{
    XlsxWorkbook book(QStringLiteral("上报基本信息"));
    const QStringList labels = {"下辖单位名称", "申报级别", "是否通过", "人数"};
    const QList<double> widths = {50, 25, 25, 25};
    bool ok = book.mergeAndCentre(1, 1, 2, 4) &&
              book.setValue(1, 1, QStringLiteral("某某市按单位按申报级别统计评审通过人数"));
    for (int c = 1; c <= 4; ++c)
        ok = ok && book.setColumnWidth(c, widths[c - 1]) && book.setValue(3, c, labels[c - 1]);
    const QList<QVariantList> rows = {{"某某市第一中学", "高级", "通过", 12},
                                      {"某某市人民医院", "中级", "通过", 30},
                                      {"110101199001011234", "11010119900101123X", QVariant(), 0},
                                      {"合计", "", "", 42}};
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 1; c <= 4; ++c)
            ok = ok && book.setNumberFormat(r + 4, c, QStringLiteral("@")) && book.setValue(r + 4, c, rows[r][c - 1]);
    return report(ok && book.saveAs(file), file, book.errorString());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: write-office-sample OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const bool ok = writeRoster(out.filePath(QStringLiteral("roster.docx"))) &&
                    writeNotices(out.filePath(QStringLiteral("notices.docx"))) &&
                    writeStatistics(out.filePath(QStringLiteral("statistics.xlsx")));
    return ok ? 0 : 1;
}
