#pragma once

#include "exchange/ExportJob.h"
#include "exchange/ImportJob.h"
#include "platform/Ui.h"

#include <QList>

namespace kvam {

struct ImportedPackage {
    QString file;
    ImportOutcome outcome;
};

// Imports the packages one after another, in the order given, each by its
// own TImportThread through the installed task runner; ContinueFlag is 1 as
// each starts, so a stop ends only its own package.
QList<ImportedPackage> importPackages(const QStringList &files);

// The message that ends a run: the system's success text only when every
// step succeeded, otherwise one message that names what did not.
struct ClosingMessage {
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::Warning;
};
// notStarted: packages left out because the user stopped the run.
ClosingMessage importClosingMessage(const QList<ImportedPackage> &packages, int notStarted = 0);
ClosingMessage exportClosingMessage(const ExportOutcome &outcome);

void show(const ClosingMessage &message);

} // namespace kvam
