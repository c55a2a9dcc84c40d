#include "SampleDatabase.h"
#include "app/untGlobal.h"
#include "cli/CliCommand.h"

#include <QFileInfo>

namespace kvam::cli {

namespace {

int init(Arguments &args)
{
    const bool force = args.flag(QStringLiteral("--force"));
    SampleOptions options;
    bool ok = true;
    if (const auto n = args.option(QStringLiteral("--applicants")))
        options.applicants = n->toInt(&ok);
    if (ok) {
        if (const auto s = args.option(QStringLiteral("--seed")))
            options.seed = s->toULongLong(&ok);
    }
    if (!ok || options.applicants < 0 || !args.rest().isEmpty()) {
        err(QStringLiteral("usage: kvam-cli [--dir DIR] init [--applicants N] [--seed S] [--force]\n"));
        return WrongUsage;
    }

    const QString file = DataSourceOf(ConnectionString);
    if (QFileInfo::exists(file) && !force) {
        err(QStringLiteral("kvam-cli: %1 already exists; --force replaces it\n").arg(file));
        return Failed;
    }
    if (!CreateWorkingDirectories()) {
        err(QStringLiteral("kvam-cli: cannot create temp/ and log/ in %1\n").arg(AppDir));
        return Failed;
    }
    QString error;
    if (!createSampleDatabase(file, options, &error)) {
        err(QStringLiteral("kvam-cli: cannot create %1: %2\n").arg(file, error));
        return Failed;
    }
    out(QStringLiteral("%1: %2 applicants\n").arg(file).arg(options.applicants));
    return Done;
}

const Command command("init", "init [--applicants N] [--seed S] [--force]", init);

} // namespace

} // namespace kvam::cli
