#pragma once

#include <QString>

namespace kvam {

// How a report ended: Cancelled when the user stopped it and kept what was
// written.
enum class ReportEnd { Finished, Cancelled, Failed };

// Shows the progress of a report after one more item. True when the user
// pressed Cancel and then confirmed stopping; Cancel at the question goes on.
bool reportStopRequested(int percent, const QString &caption);

// Hands a finished document to the user (savePath empty) or writes it to
// savePath (kvam-cli). Works for both office writers.
template <typename Document> bool deliverDocument(Document &document, const QString &savePath)
{
    return savePath.isEmpty() ? document.makeVisible() : document.saveAs(savePath);
}

} // namespace kvam
