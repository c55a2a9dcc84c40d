#pragma once

#include "app/Progress.h"

namespace kvam::cli {

// The progress of a document or spreadsheet as a percentage on standard
// error. There is no Cancel button: it never answers "cancelled".
class TerminalProgress : public ProgressDisplay {
public:
    bool showProgress(int percent, const QString &caption) override;

private:
    int m_last = -1;
};

} // namespace kvam::cli
