#pragma once

#include "app/BackgroundTask.h"

namespace kvam {

class TDataM;

// Loads the code-table cache at start-up, behind the wait window.
class TInitAllCodeThread : public TWorkerThread {
    Q_OBJECT
public:
    TInitAllCodeThread(TDataM &dataModule, TaskReporter &reporter);
};

} // namespace kvam
