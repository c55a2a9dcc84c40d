#include "reports/office/XlsxWorkbook.h"

#include "reports/office/OfficeOutput.h"

#include <QFile>
#include <xlsxwriter.h>

namespace kvam {

namespace {

constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;
// A double holds every integer up to 2^53 exactly; larger ones go in as text.
constexpr qint64 ExactIntegerLimit = qint64(1) << 53;

QString libraryError(lxw_error error) { return QString::fromUtf8(lxw_strerror(error)); }

// A number the sheet stores without losing a digit.
bool isExactNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    case QMetaType::LongLong:
        return qAbs(value.toLongLong()) < ExactIntegerLimit;
    case QMetaType::ULongLong:
        return value.toULongLong() < quint64(ExactIntegerLimit);
    default:
        return false;
    }
}

} // namespace

XlsxWorkbook::XlsxWorkbook(const QString &sheetName, Mode mode) : m_mode(mode)
{
    if (!m_staging.isValid()) {
        fail(QStringLiteral("cannot create a staging folder: %1").arg(m_staging.errorString()));
        return;
    }
    m_stagedFile = QFile::encodeName(m_staging.filePath(QStringLiteral("book.xlsx")));
    m_tmpdir = QFile::encodeName(m_staging.path());
    lxw_workbook_options options{};
    options.constant_memory = mode == Mode::ConstantMemory;
    options.tmpdir = m_tmpdir.data();
    m_book = workbook_new_opt(m_stagedFile.constData(), &options);
    if (!m_book) {
        fail(QStringLiteral("cannot create a workbook"));
        return;
    }
    const QByteArray name = sheetName.toUtf8();
    if (const lxw_error error = workbook_validate_sheet_name(m_book, name.constData())) {
        fail(QStringLiteral("worksheet name \"%1\": %2").arg(sheetName, libraryError(error)));
        return;
    }
    m_sheet = workbook_add_worksheet(m_book, name.constData());
    if (!m_sheet)
        fail(QStringLiteral("cannot add the worksheet \"%1\"").arg(sheetName));
}

XlsxWorkbook::~XlsxWorkbook()
{
    if (m_book)
        lxw_workbook_free(m_book);
}

bool XlsxWorkbook::fail(const QString &text)
{
    m_error = text;
    return false;
}

bool XlsxWorkbook::isWritable()
{
    // A workbook that could not be created keeps the reason in m_error.
    if (!m_sheet)
        return m_written ? fail(QStringLiteral("the workbook has been written already")) : false;
    return true;
}

bool XlsxWorkbook::reach(int row, int column)
{
    if (!isWritable())
        return false;
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        return fail(QStringLiteral("cell (%1, %2) is outside the worksheet").arg(row).arg(column));
    if (m_mode == Mode::ConstantMemory) {
        if (row < m_currentRow)
            return fail(QStringLiteral("row %1 has gone to disk already: rows are written in order").arg(row));
        if (row > m_currentRow) {
            m_currentRow = row;
            m_pendingCell = 0;
            m_pendingFormats.clear();
        }
    }
    return true;
}

lxw_format *XlsxWorkbook::formatOf(int numberFormat, bool centred)
{
    if (numberFormat < 0 && !centred)
        return nullptr;
    const size_t id = size_t(numberFormat + 1) * 2 + (centred ? 1 : 0);
    if (id < m_formats.size() && m_formats[id])
        return m_formats[id];
    lxw_format *format = workbook_add_format(m_book);
    // "@" is the spreadsheet's built-in text format, number 49.
    if (numberFormat >= 0 && m_numberFormats[numberFormat] == QLatin1String("@"))
        format_set_num_format_index(format, 49);
    else if (numberFormat >= 0)
        format_set_num_format(format, m_numberFormats[numberFormat].toUtf8().constData());
    if (centred) {
        format_set_align(format, LXW_ALIGN_CENTER);
        format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    }
    if (id >= m_formats.size())
        m_formats.resize(id + 1, nullptr);
    m_formats[id] = format;
    return format;
}

bool XlsxWorkbook::setNumberFormat(int row, int column, const QString &format)
{
    if (!reach(row, column))
        return false;
    auto known = m_numberFormatIndex.constFind(format);
    if (known == m_numberFormatIndex.constEnd()) {
        m_numberFormats.push_back(format);
        known = m_numberFormatIndex.insert(format, int(m_numberFormats.size()) - 1);
    }
    const quint64 cell = key(row, column);
    if (m_pendingCell && m_pendingCell != cell)
        m_pendingFormats.insert(m_pendingCell, m_pendingFormat);
    if (!m_pendingFormats.isEmpty())
        m_pendingFormats.remove(cell);
    m_pendingCell = cell;
    m_pendingFormat = *known;
    return true;
}

int XlsxWorkbook::takePendingFormat(quint64 cell)
{
    if (m_pendingCell == cell) {
        m_pendingCell = 0;
        return m_pendingFormat;
    }
    if (m_pendingFormats.isEmpty())
        return -1;
    const auto pending = m_pendingFormats.constFind(cell);
    if (pending == m_pendingFormats.constEnd())
        return -1;
    const int format = *pending;
    m_pendingFormats.erase(pending);
    return format;
}

const char *XlsxWorkbook::utf8(const QVariant &value)
{
    const QString text = value.toString();
    m_text.resize(m_encoder.requiredSpace(text.size()) + 1);
    char *end = m_encoder.appendToBuffer(m_text.data(), text);
    *end = '\0';
    return m_text.constData();
}

lxw_format *XlsxWorkbook::cellFormat(int row, int column, int *numberFormat)
{
    *numberFormat = takePendingFormat(key(row, column));
    bool centred = false;
    for (const Range &merge : m_merges)
        centred = centred || (merge.firstRow == row && merge.firstColumn == column);
    return formatOf(*numberFormat, centred);
}

bool XlsxWorkbook::setText(int row, int column, const char *utf8)
{
    if (!reach(row, column))
        return false;
    int numberFormat = -1;
    lxw_format *format = cellFormat(row, column, &numberFormat);
    const lxw_row_t r = lxw_row_t(row - 1);
    const lxw_col_t c = lxw_col_t(column - 1);
    lxw_error error = LXW_NO_ERROR;
    if (utf8)
        error = worksheet_write_string(m_sheet, r, c, utf8, format);
    else if (format)
        error = worksheet_write_blank(m_sheet, r, c, format);
    if (error)
        return fail(QStringLiteral("cell (%1, %2): %3").arg(row).arg(column).arg(libraryError(error)));
    return true;
}

bool XlsxWorkbook::setValue(int row, int column, const QVariant &value)
{
    if (!reach(row, column))
        return false;
    int numberFormat = -1;
    lxw_format *format = cellFormat(row, column, &numberFormat);
    const bool asText = numberFormat >= 0 && m_numberFormats[numberFormat] == QLatin1String("@");
    const lxw_row_t r = lxw_row_t(row - 1);
    const lxw_col_t c = lxw_col_t(column - 1);

    lxw_error error = LXW_NO_ERROR;
    if (value.isNull()) {
        if (format)
            error = worksheet_write_blank(m_sheet, r, c, format);
    } else if (!asText && value.typeId() == QMetaType::Bool) {
        error = worksheet_write_boolean(m_sheet, r, c, value.toBool(), format);
    } else if (!asText && isExactNumber(value)) {
        error = worksheet_write_number(m_sheet, r, c, value.toDouble(), format);
    } else {
        error = worksheet_write_string(m_sheet, r, c, utf8(value), format);
    }
    if (error)
        return fail(QStringLiteral("cell (%1, %2): %3").arg(row).arg(column).arg(libraryError(error)));
    return true;
}

bool XlsxWorkbook::mergeAndCentre(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    if (firstRow > lastRow)
        std::swap(firstRow, lastRow);
    if (firstColumn > lastColumn)
        std::swap(firstColumn, lastColumn);
    if (!isWritable())
        return false;
    for (const Range &m : m_merges) {
        if (firstRow <= m.lastRow && m.firstRow <= lastRow && firstColumn <= m.lastColumn &&
            m.firstColumn <= lastColumn)
            return fail(QStringLiteral("the range (%1, %2)-(%3, %4) overlaps a merged range")
                            .arg(firstRow)
                            .arg(firstColumn)
                            .arg(lastRow)
                            .arg(lastColumn));
    }
    if (!reach(firstRow, firstColumn) || !reach(lastRow, lastColumn))
        return false;
    m_merges.push_back({firstRow, firstColumn, lastRow, lastColumn});
    lxw_format *format = formatOf(-1, true);
    const lxw_error error =
        firstRow == lastRow && firstColumn == lastColumn
            ? worksheet_write_blank(m_sheet, lxw_row_t(firstRow - 1), lxw_col_t(firstColumn - 1), format)
            : worksheet_merge_range(m_sheet, lxw_row_t(firstRow - 1), lxw_col_t(firstColumn - 1),
                                    lxw_row_t(lastRow - 1), lxw_col_t(lastColumn - 1), "", format);
    if (error)
        return fail(QStringLiteral("cannot merge the range: %1").arg(libraryError(error)));
    return true;
}

bool XlsxWorkbook::setColumnWidth(int column, double width)
{
    if (!isWritable())
        return false;
    if (column < 1 || column > MaxColumns)
        return fail(QStringLiteral("column %1 is outside the worksheet").arg(column));
    const lxw_col_t c = lxw_col_t(column - 1);
    if (const lxw_error error = worksheet_set_column(m_sheet, c, c, width, nullptr))
        return fail(QStringLiteral("column %1: %2").arg(column).arg(libraryError(error)));
    return true;
}

bool XlsxWorkbook::close()
{
    if (!isWritable())
        return false;
    const lxw_error error = workbook_close(m_book);
    m_book = nullptr;
    m_sheet = nullptr;
    m_written = true;
    if (error)
        return fail(QStringLiteral("cannot write the workbook: %1").arg(libraryError(error)));
    return true;
}

bool XlsxWorkbook::saveAs(const QString &path)
{
    return close() && publishDocument(QFile::decodeName(m_stagedFile), path, &m_error);
}

bool XlsxWorkbook::makeVisible()
{
    return close() && showDocument(QFile::decodeName(m_stagedFile), QStringLiteral(".xlsx"), &m_error);
}

} // namespace kvam
