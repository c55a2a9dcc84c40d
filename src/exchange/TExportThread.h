#pragma once

#include "app/BackgroundTask.h"
#include "exchange/ExportJob.h"

namespace kvam {

// The export worker: writes the package to packageFile, the whole database
// while ExportAll is set, else the selection of QueryConFile; reports a
// failure with LogError. Starts at once and frees itself; outcome must live
// until the reporter is closed.
class TExportThread : public TWorkerThread {
    Q_OBJECT
public:
    TExportThread(const QString &packageFile, TaskReporter &reporter, ExportOutcome &outcome);
    // With the condition taken from another file than QueryConFile.
    TExportThread(const QString &packageFile, bool whole, const QString &conditionFile, TaskReporter &reporter,
                  ExportOutcome &outcome);
};

// Runs one export through the installed task runner and returns its outcome.
ExportOutcome runExport(const QString &packageFile, bool whole, const QString &conditionFile);

} // namespace kvam
