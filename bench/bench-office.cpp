// Writes the benchmark's cells through our office writers or straight through
// libxlsxwriter, and prints "wall-seconds cpu-seconds peak-resident-MB". bench-office.sh runs
// it beside the Python writers, which make the same texts.
//   bench-office xlsx-ours|xlsx-raw|docx-ours ROWS COLUMNS OUT
#include "reports/office/DocxDocument.h"
#include "reports/office/XlsxWorkbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <xlsxwriter.h>

using namespace kvam;

namespace {

const char *const names[] = {"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九", "吴十"};

// The text of cell (row, column), both from 0, as UTF-8; kept in step with
// cell() in bench-office.sh.
const char *cellText(long row, int column, char *buffer, size_t size)
{
    switch (column % 4) {
    case 0:
        std::snprintf(buffer, size, "%018ld", 110101197001010000L + row);
        break;
    case 1:
        std::snprintf(buffer, size, "%s", names[(row + column) % 8]);
        break;
    case 2:
        std::snprintf(buffer, size, "19%02ld-%02ld-%02ld", 70 + row % 30, 1 + row % 12, 1 + row % 28);
        break;
    default:
        std::snprintf(buffer, size, "某某市第%ld中学", column + row % 50);
        break;
    }
    return buffer;
}

bool xlsxOurs(long rows, int columns, const QString &out)
{
    XlsxWorkbook book(QStringLiteral("上报基本信息"), XlsxWorkbook::Mode::ConstantMemory);
    const QString text = QStringLiteral("@");
    char buffer[64];
    for (long r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            // What a query hands over: a QVariant holding a QString.
            const QVariant value(QString::fromUtf8(cellText(r, c, buffer, sizeof buffer)));
            if (!book.setNumberFormat(int(r + 1), c + 1, text) || !book.setValue(int(r + 1), c + 1, value))
                return false;
        }
    }
    if (!book.saveAs(out)) {
        std::fprintf(stderr, "%s\n", qPrintable(book.errorString()));
        return false;
    }
    return true;
}

bool xlsxRaw(long rows, int columns, const QString &out)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(out.toLocal8Bit().constData(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "上报基本信息");
    lxw_format *text = workbook_add_format(book);
    format_set_num_format_index(text, 49);
    char buffer[64];
    for (long r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), cellText(r, c, buffer, sizeof buffer), text);
    }
    return workbook_close(book) == LXW_NO_ERROR;
}

// The roster's list table: A3 landscape, 8 pt, single borders, every cell
// vertically centred.
bool docxOurs(long rows, int columns, const QString &out)
{
    DocxDocument doc;
    doc.setPageWidth(DocxDocument::centimetresToPoints(29.7f));
    doc.setPageHeight(DocxDocument::centimetresToPoints(42.0f));
    doc.setOrientation(DocxDocument::Orientation::Landscape);
    doc.setFontName(QStringLiteral("宋体"));
    doc.setFontSize(8);
    const int table = doc.addTable(int(rows), columns);
    doc.setTableBorders(table, DocxDocument::Border::Single, DocxDocument::Border::Single);
    doc.setTableAlignment(table, DocxDocument::Alignment::Centre);
    char buffer[64];
    for (long r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            doc.setCellVerticalAlignment(table, int(r + 1), c + 1, DocxDocument::VerticalAlignment::Centre);
            doc.setCellText(table, int(r + 1), c + 1, QString::fromUtf8(cellText(r, c, buffer, sizeof buffer)));
        }
    }
    if (!doc.saveAs(out)) {
        std::fprintf(stderr, "%s\n", qPrintable(doc.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench-office xlsx-ours|xlsx-raw|docx-ours ROWS COLUMNS OUT\n");
        return 2;
    }
    const long rows = std::atol(argv[2]);
    const int columns = std::atoi(argv[3]);
    const QString out = QString::fromLocal8Bit(argv[4]);
    QElapsedTimer timer;
    timer.start();
    bool ok = false;
    if (!std::strcmp(argv[1], "xlsx-ours"))
        ok = xlsxOurs(rows, columns, out);
    else if (!std::strcmp(argv[1], "xlsx-raw"))
        ok = xlsxRaw(rows, columns, out);
    else if (!std::strcmp(argv[1], "docx-ours"))
        ok = docxOurs(rows, columns, out);
    if (!ok)
        return 1;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("%.3f %.3f %.1f\n", double(timer.nsecsElapsed()) / 1e9, cpu, double(usage.ru_maxrss) / 1024.0);
    return 0;
}
