#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QVariant>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace kvam {

// A new spreadsheet workbook with one worksheet, named at creation and
// therefore the first sheet, written with libxlsxwriter. Rows and columns
// count from 1. Every operation returns false and sets errorString() when it
// fails; the cells written before stay. The file is written once, by saveAs()
// or makeVisible(); libxlsxwriter writes nothing before that, so that is where
// an unwritable disk shows.
class XlsxWorkbook {
public:
    enum class Mode {
        Standard,
        // Each row goes to disk once a later row is touched, so memory stays
        // flat however long the list: rows must be written in ascending order,
        // and a cell of an earlier row fails.
        ConstantMemory,
    };

    explicit XlsxWorkbook(const QString &sheetName, Mode mode = Mode::Standard);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook &) = delete;
    XlsxWorkbook &operator=(const XlsxWorkbook &) = delete;

    // False when the workbook could not be created (for example a sheet name
    // the format refuses) or has been written already.
    bool isOpen() const { return m_sheet != nullptr; }
    QString errorString() const { return m_error; }

    // Text is written unchanged; numbers and Booleans as such, unless the cell
    // has the text format "@", which keeps every value as its text. A null or
    // invalid value leaves the cell empty (keeping its format).
    bool setValue(int row, int column, const QVariant &value);
    // UTF-8 text written as text, whatever the cell's format; a null pointer
    // leaves the cell empty. For long lists read straight from the database.
    bool setText(int row, int column, const char *utf8);
    // A number format in the spreadsheet's own notation ("@" is text) for the
    // value written next into the cell: set it before the value.
    bool setNumberFormat(int row, int column, const QString &format);
    // Merges the range and centres it both ways; a value written afterwards
    // into its first cell is centred in the range. Ranges may not overlap.
    bool mergeAndCentre(int firstRow, int firstColumn, int lastRow, int lastColumn);
    // Width in characters, as the spreadsheet counts them.
    bool setColumnWidth(int column, double width);

    // Writes the workbook to path, replacing a file there only once the whole
    // workbook is written.
    bool saveAs(const QString &path);
    // Writes the workbook under AppDir/temp/ with a new name and opens it for
    // the user.
    bool makeVisible();

private:
    struct Range {
        int firstRow, firstColumn, lastRow, lastColumn;
    };

    bool fail(const QString &text);
    bool isWritable();
    bool reach(int row, int column);
    // The format of the value written now into the cell, and its pending
    // number format (-1 when none).
    lxw_format *cellFormat(int row, int column, int *numberFormat);
    int takePendingFormat(quint64 cell);
    lxw_format *formatOf(int numberFormat, bool centred);
    const char *utf8(const QVariant &value);
    bool close();
    static quint64 key(int row, int column) { return (quint64(row) << 32) | quint32(column); }

    QTemporaryDir m_staging;
    QByteArray m_stagedFile;
    QByteArray m_tmpdir;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    Mode m_mode;
    bool m_written = false;
    int m_currentRow = 0; // ConstantMemory: the row libxlsxwriter still holds

    // Number formats waiting for their cell's value. Callers set a format
    // right before the value, so one slot serves nearly always; the hash
    // holds the rest.
    quint64 m_pendingCell = 0;
    int m_pendingFormat = -1;
    QHash<quint64, int> m_pendingFormats;
    QHash<QString, int> m_numberFormatIndex;
    std::vector<QString> m_numberFormats;
    std::vector<lxw_format *> m_formats; // by (number format + 1) * 2 + centred
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    QByteArray m_text; // the value being written, as UTF-8
    std::vector<Range> m_merges;
    QString m_error;
};

} // namespace kvam
