#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "exchange/PackageRuns.h"
#include "exchange/TExportThread.h"

#include <QFileInfo>

namespace kvam::cli {

namespace {

int exportCommand(Arguments &args)
{
    const bool whole = args.flag(QStringLiteral("--whole"));
    const QString conditionFile = args.option(QStringLiteral("--condition-file")).value_or(QueryConFile);
    const QStringList rest = args.rest();
    if (rest.size() != 1 || !args.unknownOptions().isEmpty()) {
        err(QStringLiteral("usage: kvam-cli [--dir DIR] export [--whole] [--condition-file F] OUT.ps\n"));
        return WrongUsage;
    }
    const ExportOutcome outcome =
        runExport(QFileInfo(rest.first()).absoluteFilePath(), whole, QFileInfo(conditionFile).absoluteFilePath());
    show(exportClosingMessage(outcome));
    return outcome.ok ? Done : Failed;
}

const Command command("export", "export [--whole] [--condition-file F] OUT.ps", exportCommand);

} // namespace

} // namespace kvam::cli
