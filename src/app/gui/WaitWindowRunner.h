#pragma once

#include "app/BackgroundTask.h"

namespace kvam {

// Runs each worker behind a fresh wait window, shown modally until the
// worker closes it.
class WaitWindowRunner : public TaskRunner {
public:
    void run(const std::function<TWorkerThread *(TaskReporter &)> &startWorker) override;
};

} // namespace kvam
