#include "reports/office/PaperSize.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace kvam::docx {

namespace {

constexpr double mm = 72.0 / 25.4;

// Where two codes share a size, the first one is the size's printer code.
constexpr PaperSize papers[] = {
    {2, 1, 612, 792},             // Letter
    {3, 2, 612, 792},             // Letter small
    {7, 9, 210 * mm, 297 * mm},   // A4
    {8, 10, 210 * mm, 297 * mm},  // A4 small
    {6, 8, 297 * mm, 420 * mm},   // A3
    {9, 11, 148 * mm, 210 * mm},  // A5
    {10, 12, 257 * mm, 364 * mm}, // B4 (JIS)
    {11, 13, 182 * mm, 257 * mm}, // B5 (JIS)
    {4, 5, 612, 1008},            // Legal
    {5, 7, 522, 756},             // Executive
    {0, 16, 720, 1008},           // 10 x 14 in
    {1, 17, 792, 1224},           // 11 x 17 in
};

} // namespace

const PaperSize *paperSizeByCode(int code)
{
    const auto found =
        std::find_if(std::begin(papers), std::end(papers), [code](const PaperSize &p) { return p.code == code; });
    return found == std::end(papers) ? nullptr : found;
}

int printerCodeOf(double width, double height)
{
    const double shorter = std::min(width, height);
    const double longer = std::max(width, height);
    for (const PaperSize &p : papers) {
        if (std::abs(p.width - shorter) < 1.0 && std::abs(p.height - longer) < 1.0)
            return p.printerCode;
    }
    return 0;
}

} // namespace kvam::docx
