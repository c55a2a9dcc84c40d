#include "exchange/TExportThread.h"

#include "app/untGlobal.h"

namespace kvam {

TExportThread::TExportThread(const QString &packageFile, bool whole, const QString &conditionFile,
                             TaskReporter &reporter, ExportOutcome &outcome)
    : TWorkerThread(
          [packageFile, whole, conditionFile, &outcome](TaskReporter &) {
              outcome = exportPackage(packageFile, whole, conditionFile);
              if (!outcome.ok)
                  LogError(outcome.message, outcome.errorText);
          },
          reporter)
{
    start();
}

ExportOutcome runExport(const QString &packageFile, bool whole, const QString &conditionFile)
{
    ExportOutcome outcome;
    taskRunner().run([&](TaskReporter &reporter) {
        return new TExportThread(packageFile, whole, conditionFile, reporter, outcome);
    });
    return outcome;
}

} // namespace kvam
