#pragma once

#include "app/BackgroundTask.h"
#include "exchange/CodeUpgrade.h"

namespace kvam {

// The worker of a code upgrade. It starts on construction, leaves the outcome
// in result before it closes the reporter, and frees itself.
class TUpgradeCodeThread : public TWorkerThread {
public:
    TUpgradeCodeThread(const QString &packageFile, CodeUpgradeResult &result, TaskReporter &reporter);
};

} // namespace kvam
