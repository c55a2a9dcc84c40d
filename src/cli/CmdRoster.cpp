#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "cli/ProgramData.h"
#include "reports/Roster.h"

#include <QFileInfo>

namespace kvam::cli {

namespace {

int roster(Arguments &args)
{
    const QString conditionFile = args.option(QStringLiteral("--condition-file")).value_or(QueryConFile);
    const QStringList rest = args.rest();
    if (rest.size() != 1 || !args.unknownOptions().isEmpty()) {
        err(QStringLiteral("usage: kvam-cli [--dir DIR] roster [--condition-file F] OUT.docx\n"));
        return WrongUsage;
    }
    if (!loadDisplayNames())
        return Failed;
    const ReportEnd end =
        buildRoster(QFileInfo(conditionFile).absoluteFilePath(), QFileInfo(rest.first()).absoluteFilePath());
    return end == ReportEnd::Failed ? Failed : Done;
}

const Command command("roster", "roster [--condition-file F] OUT.docx", roster);

} // namespace

} // namespace kvam::cli
