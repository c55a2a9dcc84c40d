#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "cli/TsvOutput.h"
#include "data/Database.h"
#include "reports/SummaryStatistics.h"

namespace kvam::cli {

namespace {

const QString connectionName = QStringLiteral("cli-stats");

int usageError()
{
    QString text = QStringLiteral("usage: kvam-cli [--dir DIR] stats --flag psbz|shbz --statistic M [--unit CODE]\n");
    const QStringList names = SummaryStatisticNames(ReviewFlag::Psbz);
    for (qsizetype m = 0; m < names.size(); ++m)
        text += QStringLiteral("  M = %1: %2\n").arg(m).arg(names.at(m));
    err(text);
    return WrongUsage;
}

int printStatistic(int m, ReviewFlag flag, const QString &unit)
{
    OpenOptions readOnly;
    readOnly.readOnly = true;
    QString error;
    QSqlDatabase db = openSqlite(connectionName, DataSourceOf(ConnectionString), readOnly, &error);
    if (!db.isOpen()) {
        err(QStringLiteral("kvam-cli: cannot open %1: %2\n").arg(DataSourceOf(ConnectionString), error));
        return Failed;
    }
    const std::optional<int> level = UnitLevelOf(db, unit);
    if (!level) {
        err(QStringLiteral("kvam-cli: no work unit has the code %1\n").arg(unit));
        return Failed;
    }
    QSqlQuery rows(db);
    if (!OpenSummary(rows, m, flag, *level, unit))
        return Failed;
    QStringList header;
    for (const SummaryColumn &c : SummaryColumns(m, flag))
        header << c.label;
    // The workbook export (--xlsx) writes this same result.
    printTsv(header, rows);
    return Done;
}

int stats(Arguments &args)
{
    const std::optional<QString> flagText = args.option(QStringLiteral("--flag"));
    const std::optional<QString> statistic = args.option(QStringLiteral("--statistic"));
    const QString unit = args.option(QStringLiteral("--unit")).value_or(QString());
    bool ok = false;
    const int m = statistic ? statistic->toInt(&ok) : -1;
    if (!flagText || (*flagText != QLatin1String("psbz") && *flagText != QLatin1String("shbz")) || !ok || m < 0 ||
        m > 4 || !args.rest().isEmpty())
        return usageError();
    const ReviewFlag flag = *flagText == QLatin1String("psbz") ? ReviewFlag::Psbz : ReviewFlag::Shbz;
    const int result = printStatistic(m, flag, unit);
    closeSqlite(connectionName);
    return result;
}

const Command command("stats", "stats --flag psbz|shbz --statistic 0-4 [--unit CODE]", stats);

} // namespace

} // namespace kvam::cli
