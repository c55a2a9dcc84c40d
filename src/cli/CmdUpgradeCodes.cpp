#include "cli/CliCommand.h"
#include "exchange/CodeUpgrade.h"

namespace kvam::cli {

namespace {

// The messages of a refused upgrade go to standard error through the Ui.
int upgradeCodes(Arguments &args)
{
    const QStringList rest = args.rest();
    if (rest.size() != 1 || !args.unknownOptions().isEmpty()) {
        err(QStringLiteral("usage: kvam-cli [--dir DIR] upgrade-codes PACKAGE.psc\n"));
        return WrongUsage;
    }
    if (!UpgradeCodes(rest.first()))
        return Failed;
    out(QStringLiteral("%1: code tables upgraded\n").arg(rest.first()));
    return Done;
}

const Command command("upgrade-codes", "upgrade-codes PACKAGE.psc", upgradeCodes);

} // namespace

} // namespace kvam::cli
