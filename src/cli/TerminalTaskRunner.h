#pragma once

#include "app/BackgroundTask.h"

namespace kvam::cli {

// Runs each worker with its status texts as a progress line on standard
// error; Ctrl+C during the run asks the worker to stop (ContinueFlag 0).
class TerminalTaskRunner : public TaskRunner {
public:
    void run(const std::function<TWorkerThread *(TaskReporter &)> &startWorker) override;
};

} // namespace kvam::cli
