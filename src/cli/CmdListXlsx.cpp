#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "cli/ProgramData.h"
#include "reports/RecordListExport.h"

#include <QFileInfo>

namespace kvam::cli {

namespace {

int listXlsx(Arguments &args)
{
    const QString conditionFile = args.option(QStringLiteral("--condition-file")).value_or(QueryConFile);
    const QStringList rest = args.rest();
    if (rest.size() != 1 || !args.unknownOptions().isEmpty()) {
        err(QStringLiteral("usage: kvam-cli [--dir DIR] list-xlsx [--condition-file F] OUT.xlsx\n"));
        return WrongUsage;
    }
    if (!loadDisplayNames())
        return Failed;
    const ReportEnd end =
        exportRecordList(QFileInfo(conditionFile).absoluteFilePath(), QFileInfo(rest.first()).absoluteFilePath());
    return end == ReportEnd::Failed ? Failed : Done;
}

const Command command("list-xlsx", "list-xlsx [--condition-file F] OUT.xlsx", listXlsx);

} // namespace

} // namespace kvam::cli
