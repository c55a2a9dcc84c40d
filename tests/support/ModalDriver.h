#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

namespace kvam::test {

// Drives a modal dialog that a trigger opens with exec(): once the dialog is
// up, drive() runs on it; whatever happens, the dialog is closed afterwards,
// so a failed check never leaves a modal loop hanging. Returns false when no
// modal dialog appeared within timeoutMs.
bool driveModal(const std::function<void()> &trigger, const std::function<void(QDialog *)> &drive,
                int timeoutMs = 5000);

} // namespace kvam::test
