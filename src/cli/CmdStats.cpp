#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "cli/TsvOutput.h"
#include "data/Database.h"
#include "reports/SummaryWorkbook.h"
#include "reports/office/XlsxWorkbook.h"

#include <QSqlQuery>

namespace kvam::cli {

namespace {

const QString connectionName = QStringLiteral("cli-stats");

int usageError()
{
    QString text = QStringLiteral(
        "usage: kvam-cli [--dir DIR] stats --flag psbz|shbz --statistic M [--unit CODE] [--xlsx OUT.xlsx]\n");
    const QStringList names = SummaryStatisticNames(ReviewFlag::Psbz);
    for (qsizetype m = 0; m < names.size(); ++m)
        text += QStringLiteral("  M = %1: %2\n").arg(m).arg(names.at(m));
    err(text);
    return WrongUsage;
}

// The workbook's title as the window shows it: the confirmed unit's name
// (nothing without a unit) followed by the statistic's text.
QString titleOf(const QSqlDatabase &db, int m, ReviewFlag flag, const QString &unit)
{
    QString name;
    if (!unit.isEmpty()) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("select z_mc from T_DM_GRJBXX00_GZDW where z_bm = :bm"));
        query.bindValue(QStringLiteral(":bm"), unit);
        if (query.exec() && query.next())
            name = query.value(0).toString().trimmed();
    }
    return name + SummaryStatisticNames(flag).value(m);
}

int printStatistic(int m, ReviewFlag flag, const QString &unit, const QString &workbook)
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
    SummaryResult result;
    if (!RunSummary(db, m, flag, *level, unit, result))
        return Failed;
    QStringList header;
    for (const SummaryColumn &c : result.columns)
        header << c.label;
    QString text = tsvLine(header);
    for (const QVariantList &row : result.rows) {
        QStringList fields;
        for (const QVariant &value : row)
            fields << (value.isNull() ? QString() : value.toString());
        text += tsvLine(fields);
    }
    out(text);
    if (!workbook.isEmpty()) {
        XlsxWorkbook book(QStringLiteral("上报基本信息"));
        if (!WriteSummaryWorkbook(book, titleOf(db, m, flag, unit), result) || !book.saveAs(workbook)) {
            err(QStringLiteral("错误: 导出报表时出错，请重新导出!\n") + book.errorString() + QLatin1Char('\n'));
            return Failed;
        }
    }
    return Done;
}

int stats(Arguments &args)
{
    const std::optional<QString> flagText = args.option(QStringLiteral("--flag"));
    const std::optional<QString> statistic = args.option(QStringLiteral("--statistic"));
    const QString unit = args.option(QStringLiteral("--unit")).value_or(QString());
    const QString workbook = args.option(QStringLiteral("--xlsx")).value_or(QString());
    bool ok = false;
    const int m = statistic ? statistic->toInt(&ok) : -1;
    if (!flagText || (*flagText != QLatin1String("psbz") && *flagText != QLatin1String("shbz")) || !ok || m < 0 ||
        m > 4 || !args.rest().isEmpty())
        return usageError();
    const ReviewFlag flag = *flagText == QLatin1String("psbz") ? ReviewFlag::Psbz : ReviewFlag::Shbz;
    const int result = printStatistic(m, flag, unit, workbook);
    closeSqlite(connectionName);
    return result;
}

const Command command("stats", "stats --flag psbz|shbz --statistic 0-4 [--unit CODE] [--xlsx OUT.xlsx]", stats);

} // namespace

} // namespace kvam::cli
