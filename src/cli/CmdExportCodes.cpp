#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "exchange/CodePackage.h"

namespace kvam::cli {

namespace {

int exportCodes(Arguments &args)
{
    const QStringList rest = args.rest();
    if (rest.size() != 1 || !args.unknownOptions().isEmpty()) {
        err(QStringLiteral("usage: kvam-cli [--dir DIR] export-codes OUT.psc\n"));
        return WrongUsage;
    }
    QString error;
    if (!WriteCodePackage(DataSourceOf(ConnectionString), rest.first(), &error)) {
        err(QStringLiteral("kvam-cli: cannot write %1: %2\n").arg(rest.first(), error));
        return Failed;
    }
    out(QStringLiteral("%1: code package written\n").arg(rest.first()));
    return Done;
}

const Command command("export-codes", "export-codes OUT.psc", exportCodes);

} // namespace

} // namespace kvam::cli
