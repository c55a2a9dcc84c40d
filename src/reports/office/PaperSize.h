#pragma once

// The paper sizes a page setup may name, by the word processor's own codes.
namespace kvam::docx {

struct PaperSize {
    int code;        // the word processor's paper-size list (2 Letter, 6 A3, 7 A4 …)
    int printerCode; // the printer driver's number, stored in the document
    double width;    // points, portrait
    double height;
};

// nullptr for a code not in the list.
const PaperSize *paperSizeByCode(int code);
// The printer code of the paper a page of this size is printed on, or 0.
int printerCodeOf(double width, double height);

} // namespace kvam::docx
