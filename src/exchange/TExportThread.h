#pragma once

#include "app/BackgroundTask.h"
#include "exchange/ExportJob.h"

namespace kvam {

// The export worker: writes the package to packageFile, the whole database
// or the selection of conditionFile (the program passes ExportAll and
// QueryConFile); reports a failure with LogError. Starts at once and frees
// itself; outcome must live until the reporter is closed.
class TExportThread : public TWorkerThread {
    Q_OBJECT
public:
    TExportThread(const QString &packageFile, bool whole, const QString &conditionFile, TaskReporter &reporter,
                  ExportOutcome &outcome);
};

// Runs one export through the installed task runner and returns its outcome.
ExportOutcome runExport(const QString &packageFile, bool whole, const QString &conditionFile);

} // namespace kvam
