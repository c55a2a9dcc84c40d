#pragma once

#include <QHashFunctions>
#include <QString>
#include <vector>

// What a DocxDocument holds until it is written: compact, so that a table of
// many thousand rows stays cheap, and addressed by index, so that every edit
// costs the same however long the document already is.
namespace kvam::docx {

// Character properties; a member at its "not set" value is not written and
// the text keeps what the style gives it.
struct CharFormat {
    QString fontName;     // empty: not set
    int halfPoints = 0;   // 0: not set
    qint8 bold = -1;      // -1 not set
    qint8 underline = -1; // -1 not set, 0 none, 1 single
    int scaling = 0;      // percent; 0 not set
    int colour = -1;      // the word processor's colour number, 0xBBGGRR; -1 not set

    bool operator==(const CharFormat &) const = default;
};

inline size_t qHash(const CharFormat &f, size_t seed = 0)
{
    return qHashMulti(seed, f.fontName, f.halfPoints, f.bold, f.underline, f.scaling, f.colour);
}

enum class RunKind : quint8 { Text, PageNumber, TotalPages, PageBreak };

struct Run {
    QString text;
    int format = 0; // index into Model::formats
    RunKind kind = RunKind::Text;
};

// Alignment values: -1 not set, 0 left, 1 centre, 2 right.
struct Paragraph {
    std::vector<Run> runs;
    int markFormat = 0; // the format of its paragraph mark
    qint8 alignment = -1;
};

struct Cell {
    QString text; // a carriage return separates the cell's paragraphs
    int format = 0;
    qint8 alignment = -1;
    qint8 verticalAlignment = -1; // -1 not set, 0 top, 1 centre, 3 bottom
};

struct Table {
    int rows = 0;
    int columns = 0;
    int columnWidth = 0;        // twips, the same for every column
    size_t beforeParagraph = 0; // index of the body paragraph after the table
    qint8 insideBorder = 0;     // 0 none, 1 single
    qint8 outsideBorder = 0;
    std::vector<Cell> cells; // row by row

    Cell &cell(int row, int column) { return cells[size_t(row - 1) * size_t(columns) + size_t(column - 1)]; }
    const Cell &cell(int row, int column) const
    {
        return cells[size_t(row - 1) * size_t(columns) + size_t(column - 1)];
    }
};

// The main text or the footer. Typing always goes into the last paragraph.
struct Story {
    std::vector<Paragraph> paragraphs = std::vector<Paragraph>(1);
    int format = 0; // the insertion point's character format
};

// Lengths in points.
struct PageSetup {
    double width = 595.3; // A4
    double height = 841.9;
    int orientation = 0; // 0 portrait, 1 landscape
    double left = 90.0;
    double right = 90.0;
    double top = 72.0;
    double bottom = 72.0;
};

struct Model {
    std::vector<CharFormat> formats = std::vector<CharFormat>(1); // 0: nothing set
    Story body;
    Story footer;
    std::vector<Table> tables; // in document order
    PageSetup page;
    bool proofingWhileTyping = true;
};

} // namespace kvam::docx
