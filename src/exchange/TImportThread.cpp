#include "exchange/TImportThread.h"

#include "app/untGlobal.h"

namespace kvam {

TImportThread::TImportThread(const QString &packageFile, TaskReporter &reporter, ImportOutcome &outcome)
    : TWorkerThread(
          [packageFile, options = ImportOptions{ImportRejected, ImportUpdateStatus}, &outcome](TaskReporter &r) {
              outcome = importPackage(packageFile, options, r);
              if (!outcome.ok) {
                  ContinueFlag = 0;
                  LogError(outcome.message, outcome.errorText);
              }
          },
          reporter)
{
    start();
}

} // namespace kvam
