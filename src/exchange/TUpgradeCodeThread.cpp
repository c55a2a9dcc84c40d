#include "exchange/TUpgradeCodeThread.h"

#include "app/untGlobal.h"

namespace kvam {

TUpgradeCodeThread::TUpgradeCodeThread(const QString &packageFile, CodeUpgradeResult &result, TaskReporter &reporter)
    : TWorkerThread(
          [packageFile, &result](TaskReporter &) {
              result = UpgradeCodeTables(packageFile);
              if (!result.upgraded)
                  ContinueFlag = 0;
          },
          reporter)
{
    start();
}

} // namespace kvam
