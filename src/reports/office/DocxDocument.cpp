#include "reports/office/DocxDocument.h"

#include "reports/office/DocxPackage.h"
#include "reports/office/OfficeOutput.h"
#include "reports/office/PaperSize.h"

#include <QTemporaryDir>
#include <cmath>

namespace kvam {

using namespace docx;

namespace {

// Word's limit; more columns than that no reader lays out.
constexpr int MaxColumns = 63;

int twips(double points) { return int(std::lround(points * 20.0)); }

} // namespace

DocxDocument::DocxDocument() { m_formatIndex.insert(m_model.formats.front(), 0); }

bool DocxDocument::fail(const QString &text)
{
    m_error = text;
    return false;
}

void DocxDocument::setOrientation(Orientation orientation)
{
    PageSetup &page = m_model.page;
    page.orientation = int(orientation);
    if ((orientation == Orientation::Landscape) == (page.width < page.height))
        std::swap(page.width, page.height);
}

bool DocxDocument::setPaperSize(int code)
{
    const PaperSize *paper = paperSizeByCode(code);
    if (!paper)
        return fail(QStringLiteral("paper size %1 is not known").arg(code));
    m_model.page.width = paper->width;
    m_model.page.height = paper->height;
    setOrientation(Orientation(m_model.page.orientation));
    return true;
}

int DocxDocument::intern(const CharFormat &format)
{
    const auto known = m_formatIndex.constFind(format);
    if (known != m_formatIndex.constEnd())
        return *known;
    m_model.formats.push_back(format);
    const int index = int(m_model.formats.size()) - 1;
    m_formatIndex.insert(format, index);
    return index;
}

template <typename Change> void DocxDocument::changeFormat(Change change)
{
    CharFormat format = m_model.formats[size_t(story().format)];
    change(format);
    story().format = intern(format);
}

void DocxDocument::setFontName(const QString &name)
{
    changeFormat([&](CharFormat &f) { f.fontName = name; });
}

void DocxDocument::setFontSize(double points)
{
    changeFormat([&](CharFormat &f) { f.halfPoints = std::max(1, int(std::lround(points * 2.0))); });
}

void DocxDocument::setBold(bool bold)
{
    changeFormat([&](CharFormat &f) { f.bold = bold ? 1 : 0; });
}

void DocxDocument::setUnderline(int underline)
{
    changeFormat([&](CharFormat &f) { f.underline = underline ? 1 : 0; });
}

void DocxDocument::setScaling(int percent)
{
    // The range the format allows.
    changeFormat([&](CharFormat &f) { f.scaling = std::clamp(percent, 1, 600); });
}

void DocxDocument::setColour(int colour)
{
    // Negative numbers are the word processor's "automatic" colour.
    changeFormat([&](CharFormat &f) { f.colour = colour < 0 ? -1 : colour & 0xFFFFFF; });
}

void DocxDocument::endParagraph()
{
    Story &s = story();
    Paragraph &ended = s.paragraphs.back();
    ended.markFormat = s.format;
    const qint8 alignment = ended.alignment;
    s.paragraphs.emplace_back().alignment = alignment;
}

void DocxDocument::appendRun(RunKind kind, const QString &text)
{
    Story &s = story();
    std::vector<Run> &runs = s.paragraphs.back().runs;
    if (kind == RunKind::Text && !runs.empty() && runs.back().kind == RunKind::Text && runs.back().format == s.format)
        runs.back().text += text;
    else
        runs.push_back({text, s.format, kind});
}

void DocxDocument::typeText(const QString &text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] != u'\r' && text[i] != u'\n')
            continue;
        if (i > start)
            appendRun(RunKind::Text, text.mid(start, i - start));
        if (!end) {
            endParagraph();
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        }
        start = i + 1;
    }
}

void DocxDocument::insertField(Field field)
{
    appendRun(field == Field::PageNumber ? RunKind::PageNumber : RunKind::TotalPages);
}

bool DocxDocument::insertPageBreak()
{
    if (m_view != View::MainText)
        return fail(QStringLiteral("a page break belongs in the main text"));
    appendRun(RunKind::PageBreak);
    return true;
}

bool DocxDocument::setParagraphAlignment(int paragraph, Alignment alignment)
{
    if (paragraph < 1 || paragraph > paragraphCount())
        return fail(QStringLiteral("there is no paragraph %1 (of %2)").arg(paragraph).arg(paragraphCount()));
    story().paragraphs[size_t(paragraph - 1)].alignment = qint8(alignment);
    return true;
}

int DocxDocument::addTable(int rows, int columns)
{
    if (m_view != View::MainText) {
        fail(QStringLiteral("a table belongs in the main text"));
        return 0;
    }
    if (rows < 1 || columns < 1 || columns > MaxColumns) {
        fail(QStringLiteral("a table of %1 rows and %2 columns cannot be made").arg(rows).arg(columns));
        return 0;
    }
    const PageSetup &page = m_model.page;
    const int textWidth = twips(page.width - page.left - page.right);
    if (textWidth < columns * 20) {
        fail(QStringLiteral("the page leaves no room for %1 columns").arg(columns));
        return 0;
    }
    // Like the word processor: a table goes in front of an empty paragraph,
    // and ends a paragraph that holds something.
    if (!m_model.body.paragraphs.back().runs.empty())
        endParagraph();
    const Paragraph &current = m_model.body.paragraphs.back();

    Table &table = m_model.tables.emplace_back();
    table.rows = rows;
    table.columns = columns;
    table.columnWidth = textWidth / columns;
    table.beforeParagraph = m_model.body.paragraphs.size() - 1;
    table.cells.assign(size_t(rows) * size_t(columns), Cell{{}, m_model.body.format, current.alignment, -1});
    return tableCount();
}

bool DocxDocument::setTableBorders(int table, Border inside, Border outside)
{
    if (table < 1 || table > tableCount())
        return fail(QStringLiteral("there is no table %1").arg(table));
    Table &t = m_model.tables[size_t(table - 1)];
    t.insideBorder = qint8(inside);
    t.outsideBorder = qint8(outside);
    return true;
}

bool DocxDocument::setTableAlignment(int table, Alignment alignment)
{
    if (table < 1 || table > tableCount())
        return fail(QStringLiteral("there is no table %1").arg(table));
    for (Cell &c : m_model.tables[size_t(table - 1)].cells)
        c.alignment = qint8(alignment);
    return true;
}

Cell *DocxDocument::cell(int table, int row, int column)
{
    if (table < 1 || table > tableCount()) {
        fail(QStringLiteral("there is no table %1").arg(table));
        return nullptr;
    }
    Table &t = m_model.tables[size_t(table - 1)];
    if (row < 1 || row > t.rows || column < 1 || column > t.columns) {
        fail(QStringLiteral("table %1 has no cell (%2, %3)").arg(table).arg(row).arg(column));
        return nullptr;
    }
    return &t.cell(row, column);
}

bool DocxDocument::setCellText(int table, int row, int column, const QString &text)
{
    Cell *c = cell(table, row, column);
    if (c)
        c->text = text;
    return c;
}

bool DocxDocument::appendCellText(int table, int row, int column, const QString &text)
{
    Cell *c = cell(table, row, column);
    if (c)
        c->text += text;
    return c;
}

bool DocxDocument::setCellAlignment(int table, int row, int column, Alignment alignment)
{
    Cell *c = cell(table, row, column);
    if (c)
        c->alignment = qint8(alignment);
    return c;
}

bool DocxDocument::setCellUnderline(int table, int row, int column, int underline)
{
    Cell *c = cell(table, row, column);
    if (c) {
        CharFormat format = m_model.formats[size_t(c->format)];
        format.underline = underline ? 1 : 0;
        c->format = intern(format);
    }
    return c;
}

bool DocxDocument::setCellVerticalAlignment(int table, int row, int column, VerticalAlignment alignment)
{
    Cell *c = cell(table, row, column);
    if (c)
        c->verticalAlignment = qint8(alignment);
    return c;
}

QString DocxDocument::stage(const QTemporaryDir &staging)
{
    if (!staging.isValid()) {
        fail(QStringLiteral("cannot create a staging folder: %1").arg(staging.errorString()));
        return {};
    }
    const QString staged = staging.filePath(QStringLiteral("document.docx"));
    QString error;
    if (!writeDocxPackage(m_model, staged, &error)) {
        fail(error);
        return {};
    }
    return staged;
}

bool DocxDocument::saveAs(const QString &path)
{
    const QTemporaryDir staging;
    const QString staged = stage(staging);
    return !staged.isEmpty() && publishDocument(staged, path, &m_error);
}

bool DocxDocument::makeVisible()
{
    const QTemporaryDir staging;
    const QString staged = stage(staging);
    return !staged.isEmpty() && showDocument(staged, QStringLiteral(".docx"), &m_error);
}

} // namespace kvam
