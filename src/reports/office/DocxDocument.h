#pragma once

#include "reports/office/DocxModel.h"

#include <QHash>
#include <QString>

class QTemporaryDir;

namespace kvam {

// A new word-processor document, written as .docx by our own writer. It
// offers what the program's reports do with a word processor: page setup, a
// footer with page fields, text typed at the insertion point with its
// character format, paragraph alignment, page breaks and tables.
//
// The insertion point is always at the end of the current view (main text or
// footer). Paragraphs, tables, rows and columns count from 1. Operations that
// can fail return false and set errorString(); nothing already typed is lost.
class DocxDocument {
public:
    enum class View { MainText, Footer };
    enum class Orientation { Portrait = 0, Landscape = 1 };
    enum class Alignment { Left = 0, Centre = 1, Right = 2 };
    enum class VerticalAlignment { Top = 0, Centre = 1, Bottom = 3 };
    enum class Field { PageNumber, TotalPages };
    enum class Border { None = 0, Single = 1 };

    // The word processor's colour numbers (0xBBGGRR).
    static constexpr int Black = 0;
    static constexpr int Red = 255;

    DocxDocument();

    QString errorString() const { return m_error; }

    // Switches the spelling and grammar marks while typing on or off.
    void setProofingWhileTyping(bool on) { m_model.proofingWhileTyping = on; }

    // Page setup, lengths in points. Landscape makes the page wider than
    // high, swapping width and height when needed; a paper size code (the
    // word processor's list: 2 Letter, 6 A3, 7 A4, 9 A5 …) sets both.
    static float centimetresToPoints(float centimetres) { return centimetres * 72.0f / 2.54f; }
    void setPageWidth(double points) { m_model.page.width = points; }
    void setPageHeight(double points) { m_model.page.height = points; }
    void setOrientation(Orientation orientation);
    bool setPaperSize(int code);
    void setLeftMargin(double points) { m_model.page.left = points; }
    void setRightMargin(double points) { m_model.page.right = points; }
    void setTopMargin(double points) { m_model.page.top = points; }
    void setBottomMargin(double points) { m_model.page.bottom = points; }

    // Where typing goes: the main text or the footer of every page.
    void setView(View view) { m_view = view; }

    // The insertion point's character format, for the text typed next. The
    // font name is set for East Asian and Latin text alike. Underline: 0 none,
    // 1 single. Scaling in percent of the normal character width.
    void setFontName(const QString &name);
    void setFontSize(double points);
    void setBold(bool bold);
    void setUnderline(int underline);
    void setScaling(int percent);
    void setColour(int colour);

    // A carriage return (or a line feed) ends the paragraph; the next one
    // starts with the ended paragraph's alignment.
    void typeText(const QString &text);
    void typeParagraph() { typeText(QStringLiteral("\r")); }
    void insertField(Field field);
    bool insertPageBreak();

    // Paragraphs of the current view, not counting those inside tables. After
    // typing a text that ends in a carriage return, the paragraph just typed
    // is paragraphCount() - 1.
    int paragraphCount() const { return int(story().paragraphs.size()); }
    bool setParagraphAlignment(int paragraph, Alignment alignment);

    // A table at the insertion point of the main text, its columns sharing
    // the text width equally; the cells take the insertion point's character
    // format and typing goes on after the table. Returns the table's number,
    // or 0 on failure.
    int addTable(int rows, int columns);
    int tableCount() const { return int(m_model.tables.size()); }
    bool setTableBorders(int table, Border inside, Border outside);
    // Aligns every paragraph of the table.
    bool setTableAlignment(int table, Alignment alignment);

    // A carriage return in the text starts a new paragraph in the cell.
    bool setCellText(int table, int row, int column, const QString &text);
    bool appendCellText(int table, int row, int column, const QString &text);
    bool setCellAlignment(int table, int row, int column, Alignment alignment);
    bool setCellUnderline(int table, int row, int column, int underline);
    bool setCellVerticalAlignment(int table, int row, int column, VerticalAlignment alignment);

    // Writes the document to path, replacing a file there only once the
    // whole document is written. The document stays editable.
    bool saveAs(const QString &path);
    // Writes it under AppDir/temp/ with a new name and opens it for the user.
    bool makeVisible();

private:
    docx::Story &story() { return m_view == View::MainText ? m_model.body : m_model.footer; }
    const docx::Story &story() const { return m_view == View::MainText ? m_model.body : m_model.footer; }
    template <typename Change> void changeFormat(Change change);
    int intern(const docx::CharFormat &format);
    void endParagraph();
    void appendRun(docx::RunKind kind, const QString &text = {});
    docx::Cell *cell(int table, int row, int column);
    bool fail(const QString &text);
    // Writes the package into staging; returns its path, or empty on failure.
    QString stage(const QTemporaryDir &staging);

    docx::Model m_model;
    QHash<docx::CharFormat, int> m_formatIndex;
    View m_view = View::MainText;
    QString m_error;
};

} // namespace kvam
