#include "reports/office/DocxParts.h"

#include "reports/office/PaperSize.h"

#include <QBuffer>
#include <QDateTime>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace kvam::docx {

namespace {

const QString wordNamespace = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString relationshipNamespace =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

int twips(double points) { return int(std::lround(points * 20.0)); }

const QString &alignmentName(qint8 alignment)
{
    static const QString names[] = {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")};
    return names[alignment];
}

// XML 1.0 has no place for most control characters; text from the database
// may hold them, and one would make the whole document unreadable.
bool isXmlCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 0x20 ? u != 0xFFFE && u != 0xFFFF : u == '\t';
}

// Writes runs, paragraphs and tables with their properties.
class StoryWriter {
public:
    StoryWriter(QXmlStreamWriter &xml, const Model &model) : m_xml(xml), m_model(model) {}

    void startPart(const QString &root)
    {
        m_xml.writeStartDocument(QStringLiteral("1.0"), true);
        m_xml.writeStartElement(root);
        m_xml.writeAttribute(QStringLiteral("xmlns:w"), wordNamespace);
        m_xml.writeAttribute(QStringLiteral("xmlns:r"), relationshipNamespace);
    }

    void endPart()
    {
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
    }

    void story(const Story &story, const std::vector<Table> *tables = nullptr)
    {
        size_t nextTable = 0;
        for (size_t i = 0; i < story.paragraphs.size(); ++i) {
            while (tables && nextTable < tables->size() && (*tables)[nextTable].beforeParagraph == i)
                table((*tables)[nextTable++]);
            const Paragraph &p = story.paragraphs[i];
            const bool last = i + 1 == story.paragraphs.size();
            paragraph(p, last ? story.format : p.markFormat);
        }
    }

    void table(const Table &t)
    {
        m_xml.writeStartElement(QStringLiteral("w:tbl"));
        m_xml.writeStartElement(QStringLiteral("w:tblPr"));
        m_xml.writeEmptyElement(QStringLiteral("w:tblW"));
        m_xml.writeAttribute(QStringLiteral("w:w"), QString::number(t.columnWidth * t.columns));
        m_xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
        if (t.insideBorder || t.outsideBorder) {
            m_xml.writeStartElement(QStringLiteral("w:tblBorders"));
            border(QStringLiteral("w:top"), t.outsideBorder);
            border(QStringLiteral("w:left"), t.outsideBorder);
            border(QStringLiteral("w:bottom"), t.outsideBorder);
            border(QStringLiteral("w:right"), t.outsideBorder);
            border(QStringLiteral("w:insideH"), t.insideBorder);
            border(QStringLiteral("w:insideV"), t.insideBorder);
            m_xml.writeEndElement();
        }
        m_xml.writeEmptyElement(QStringLiteral("w:tblLayout"));
        m_xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("fixed"));
        m_xml.writeEndElement(); // tblPr

        const QString width = QString::number(t.columnWidth);
        m_xml.writeStartElement(QStringLiteral("w:tblGrid"));
        for (int c = 0; c < t.columns; ++c) {
            m_xml.writeEmptyElement(QStringLiteral("w:gridCol"));
            m_xml.writeAttribute(QStringLiteral("w:w"), width);
        }
        m_xml.writeEndElement();

        for (int r = 1; r <= t.rows; ++r) {
            m_xml.writeStartElement(QStringLiteral("w:tr"));
            for (int c = 1; c <= t.columns; ++c)
                cell(t.cell(r, c), width);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement(); // tbl
    }

    void paragraph(const Paragraph &p, int markFormat)
    {
        m_xml.writeStartElement(QStringLiteral("w:p"));
        paragraphProperties(p.alignment, markFormat);
        for (const Run &r : p.runs)
            run(r);
        m_xml.writeEndElement();
    }

private:
    void border(const QString &side, qint8 style)
    {
        m_xml.writeEmptyElement(side);
        m_xml.writeAttribute(QStringLiteral("w:val"), style ? QStringLiteral("single") : QStringLiteral("nil"));
        if (style) {
            m_xml.writeAttribute(QStringLiteral("w:sz"), QStringLiteral("4"));
            m_xml.writeAttribute(QStringLiteral("w:space"), QStringLiteral("0"));
            m_xml.writeAttribute(QStringLiteral("w:color"), QStringLiteral("auto"));
        }
    }

    void cell(const Cell &c, const QString &width)
    {
        m_xml.writeStartElement(QStringLiteral("w:tc"));
        m_xml.writeStartElement(QStringLiteral("w:tcPr"));
        m_xml.writeEmptyElement(QStringLiteral("w:tcW"));
        m_xml.writeAttribute(QStringLiteral("w:w"), width);
        m_xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
        if (c.verticalAlignment >= 0) {
            m_xml.writeEmptyElement(QStringLiteral("w:vAlign"));
            m_xml.writeAttribute(QStringLiteral("w:val"), c.verticalAlignment == 0   ? QStringLiteral("top")
                                                          : c.verticalAlignment == 1 ? QStringLiteral("center")
                                                                                     : QStringLiteral("bottom"));
        }
        m_xml.writeEndElement(); // tcPr

        // Every cell holds at least one paragraph.
        if (!c.text.contains(u'\r')) {
            cellParagraph(c, c.text);
        } else {
            for (const QString &text : c.text.split(u'\r'))
                cellParagraph(c, text);
        }
        m_xml.writeEndElement(); // tc
    }

    void cellParagraph(const Cell &c, const QString &text)
    {
        m_xml.writeStartElement(QStringLiteral("w:p"));
        paragraphProperties(c.alignment, c.format);
        if (!text.isEmpty())
            textRun(text, c.format);
        m_xml.writeEndElement();
    }

    void paragraphProperties(qint8 alignment, int markFormat)
    {
        const CharFormat &mark = m_model.formats[size_t(markFormat)];
        if (alignment < 0 && markFormat == 0)
            return;
        m_xml.writeStartElement(QStringLiteral("w:pPr"));
        if (alignment >= 0) {
            m_xml.writeEmptyElement(QStringLiteral("w:jc"));
            m_xml.writeAttribute(QStringLiteral("w:val"), alignmentName(alignment));
        }
        runProperties(mark);
        m_xml.writeEndElement();
    }

    void runProperties(const CharFormat &f)
    {
        if (f == CharFormat())
            return;
        m_xml.writeStartElement(QStringLiteral("w:rPr"));
        if (!f.fontName.isEmpty()) {
            m_xml.writeEmptyElement(QStringLiteral("w:rFonts"));
            m_xml.writeAttribute(QStringLiteral("w:ascii"), f.fontName);
            m_xml.writeAttribute(QStringLiteral("w:eastAsia"), f.fontName);
            m_xml.writeAttribute(QStringLiteral("w:hAnsi"), f.fontName);
            m_xml.writeAttribute(QStringLiteral("w:cs"), f.fontName);
        }
        if (f.bold >= 0) {
            m_xml.writeEmptyElement(QStringLiteral("w:b"));
            if (!f.bold)
                m_xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("0"));
            m_xml.writeEmptyElement(QStringLiteral("w:bCs"));
            if (!f.bold)
                m_xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("0"));
        }
        if (f.colour >= 0) {
            // The word processor numbers colours 0xBBGGRR; the file wants RRGGBB.
            const int rgb = ((f.colour & 0xFF) << 16) | (f.colour & 0xFF00) | ((f.colour >> 16) & 0xFF);
            m_xml.writeEmptyElement(QStringLiteral("w:color"));
            m_xml.writeAttribute(QStringLiteral("w:val"),
                                 QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper());
        }
        if (f.scaling > 0) {
            m_xml.writeEmptyElement(QStringLiteral("w:w"));
            m_xml.writeAttribute(QStringLiteral("w:val"), QString::number(f.scaling));
        }
        if (f.halfPoints > 0) {
            const QString size = QString::number(f.halfPoints);
            m_xml.writeEmptyElement(QStringLiteral("w:sz"));
            m_xml.writeAttribute(QStringLiteral("w:val"), size);
            m_xml.writeEmptyElement(QStringLiteral("w:szCs"));
            m_xml.writeAttribute(QStringLiteral("w:val"), size);
        }
        if (f.underline >= 0) {
            m_xml.writeEmptyElement(QStringLiteral("w:u"));
            m_xml.writeAttribute(QStringLiteral("w:val"),
                                 f.underline ? QStringLiteral("single") : QStringLiteral("none"));
        }
        m_xml.writeEndElement();
    }

    void run(const Run &r)
    {
        switch (r.kind) {
        case RunKind::Text:
            textRun(r.text, r.format);
            break;
        case RunKind::PageBreak:
            startRun(r.format);
            m_xml.writeEmptyElement(QStringLiteral("w:br"));
            m_xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("page"));
            m_xml.writeEndElement();
            break;
        case RunKind::PageNumber:
        case RunKind::TotalPages:
            field(r.kind == RunKind::PageNumber ? QStringLiteral(" PAGE \\* MERGEFORMAT ")
                                                : QStringLiteral(" NUMPAGES \\* MERGEFORMAT "),
                  r.format);
            break;
        }
    }

    void startRun(int format)
    {
        m_xml.writeStartElement(QStringLiteral("w:r"));
        runProperties(m_model.formats[size_t(format)]);
    }

    void fieldCharacter(const QString &type, int format)
    {
        startRun(format);
        m_xml.writeEmptyElement(QStringLiteral("w:fldChar"));
        m_xml.writeAttribute(QStringLiteral("w:fldCharType"), type);
        m_xml.writeEndElement();
    }

    // A complex field with "1" as its last result; readers update it.
    void field(const QString &instruction, int format)
    {
        fieldCharacter(QStringLiteral("begin"), format);
        startRun(format);
        m_xml.writeStartElement(QStringLiteral("w:instrText"));
        m_xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        m_xml.writeCharacters(instruction);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        fieldCharacter(QStringLiteral("separate"), format);
        textRun(QStringLiteral("1"), format);
        fieldCharacter(QStringLiteral("end"), format);
    }

    // Tabs become tab elements; characters XML cannot hold are left out.
    void textRun(const QString &text, int format)
    {
        startRun(format);
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c != u'\t' && isXmlCharacter(c); })) {
            writeT(text);
        } else {
            QString piece;
            for (const QChar c : text) {
                if (c == u'\t') {
                    writeT(piece);
                    piece.clear();
                    m_xml.writeEmptyElement(QStringLiteral("w:tab"));
                } else if (isXmlCharacter(c)) {
                    piece += c;
                }
            }
            writeT(piece);
        }
        m_xml.writeEndElement();
    }

    void writeT(const QString &text)
    {
        if (text.isEmpty())
            return;
        m_xml.writeStartElement(QStringLiteral("w:t"));
        m_xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        m_xml.writeCharacters(text);
        m_xml.writeEndElement();
    }

    QXmlStreamWriter &m_xml;
    const Model &m_model;
};

void sectionProperties(QXmlStreamWriter &xml, const PageSetup &page)
{
    xml.writeStartElement(QStringLiteral("w:sectPr"));
    xml.writeEmptyElement(QStringLiteral("w:footerReference"));
    xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("default"));
    xml.writeAttribute(QStringLiteral("r:id"), QStringLiteral("rIdFooter1"));

    xml.writeEmptyElement(QStringLiteral("w:pgSz"));
    xml.writeAttribute(QStringLiteral("w:w"), QString::number(twips(page.width)));
    xml.writeAttribute(QStringLiteral("w:h"), QString::number(twips(page.height)));
    if (page.orientation == 1)
        xml.writeAttribute(QStringLiteral("w:orient"), QStringLiteral("landscape"));
    if (const int code = printerCodeOf(page.width, page.height))
        xml.writeAttribute(QStringLiteral("w:code"), QString::number(code));

    xml.writeEmptyElement(QStringLiteral("w:pgMar"));
    xml.writeAttribute(QStringLiteral("w:top"), QString::number(twips(page.top)));
    xml.writeAttribute(QStringLiteral("w:right"), QString::number(twips(page.right)));
    xml.writeAttribute(QStringLiteral("w:bottom"), QString::number(twips(page.bottom)));
    xml.writeAttribute(QStringLiteral("w:left"), QString::number(twips(page.left)));
    // Header and footer distances as the word processor sets them for Chinese pages.
    xml.writeAttribute(QStringLiteral("w:header"), QStringLiteral("851"));
    xml.writeAttribute(QStringLiteral("w:footer"), QStringLiteral("992"));
    xml.writeAttribute(QStringLiteral("w:gutter"), QStringLiteral("0"));
    xml.writeEndElement();
}

} // namespace

bool writeDocumentPart(const Model &model, QIODevice *device)
{
    QXmlStreamWriter xml(device);
    StoryWriter writer(xml, model);
    writer.startPart(QStringLiteral("w:document"));
    xml.writeStartElement(QStringLiteral("w:body"));
    writer.story(model.body, &model.tables);
    sectionProperties(xml, model.page);
    xml.writeEndElement(); // body
    writer.endPart();
    return !xml.hasError();
}

QByteArray footerPart(const Model &model)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StoryWriter writer(xml, model);
    writer.startPart(QStringLiteral("w:ftr"));
    writer.story(model.footer);
    writer.endPart();
    return bytes;
}

QByteArray settingsPart(const Model &model)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("w:settings"));
    xml.writeAttribute(QStringLiteral("xmlns:w"), wordNamespace);
    xml.writeEmptyElement(QStringLiteral("w:zoom"));
    xml.writeAttribute(QStringLiteral("w:percent"), QStringLiteral("100"));
    if (!model.proofingWhileTyping) {
        xml.writeEmptyElement(QStringLiteral("w:hideSpellingErrors"));
        xml.writeEmptyElement(QStringLiteral("w:hideGrammaticalErrors"));
    }
    xml.writeEmptyElement(QStringLiteral("w:defaultTabStop"));
    xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("420"));
    xml.writeEmptyElement(QStringLiteral("w:characterSpacingControl"));
    xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("compressPunctuation"));
    xml.writeStartElement(QStringLiteral("w:compat"));
    xml.writeEmptyElement(QStringLiteral("w:compatSetting"));
    xml.writeAttribute(QStringLiteral("w:name"), QStringLiteral("compatibilityMode"));
    xml.writeAttribute(QStringLiteral("w:uri"), QStringLiteral("http://schemas.microsoft.com/office/word"));
    xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("15"));
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("w:themeFontLang"));
    xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("en-US"));
    xml.writeAttribute(QStringLiteral("w:eastAsia"), QStringLiteral("zh-CN"));
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray corePropertiesPart()
{
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("cp:coreProperties"));
    xml.writeAttribute(QStringLiteral("xmlns:cp"),
                       QStringLiteral("http://schemas.openxmlformats.org/package/2006/metadata/core-properties"));
    xml.writeAttribute(QStringLiteral("xmlns:dc"), QStringLiteral("http://purl.org/dc/elements/1.1/"));
    xml.writeAttribute(QStringLiteral("xmlns:dcterms"), QStringLiteral("http://purl.org/dc/terms/"));
    xml.writeAttribute(QStringLiteral("xmlns:xsi"), QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"));
    xml.writeTextElement(QStringLiteral("dc:creator"), QStringLiteral("kvam"));
    for (const QString &name : {QStringLiteral("dcterms:created"), QStringLiteral("dcterms:modified")}) {
        xml.writeStartElement(name);
        xml.writeAttribute(QStringLiteral("xsi:type"), QStringLiteral("dcterms:W3CDTF"));
        xml.writeCharacters(now);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace kvam::docx
