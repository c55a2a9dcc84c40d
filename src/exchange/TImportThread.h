#pragma once

#include "app/BackgroundTask.h"
#include "exchange/ImportJob.h"

namespace kvam {

// The import worker of one package, with the options ImportRejected and
// ImportUpdateStatus as they are at construction. Reports a failure with
// LogError. Starts at once and frees itself; outcome must live until the
// reporter is closed.
class TImportThread : public TWorkerThread {
    Q_OBJECT
public:
    TImportThread(const QString &packageFile, TaskReporter &reporter, ImportOutcome &outcome);
};

} // namespace kvam
