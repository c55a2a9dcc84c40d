#include "reports/SummaryStatistics.h"

#include "app/untGlobal.h"
#include "platform/SqlDialect.h"

#include <QSqlError>

namespace kvam {

namespace {

QString flagName(ReviewFlag flag) { return flag == ReviewFlag::Psbz ? QStringLiteral("psbz") : QStringLiteral("shbz"); }

// The grouping column G and the filter column W of each unit level.
const char *const groupColumns[] = {"z_yijzgbm", "z_erjzgbm", "z_sanjzgbm", "z_sijzgbm", "z_sijzgbm"};
const char *const filterColumns[] = {nullptr, "z_yijzgbm", "z_erjzgbm", "z_sanjzgbm", "z_sijzgbm"};

QString nameOf(const QString &table, const QString &column, const QString &alias)
{
    return QStringLiteral("(select z_mc from t_dm_grjbxx00_%1 where z_bm=%2) as %3").arg(table, column, alias);
}

} // namespace

QStringList SummaryStatisticNames(ReviewFlag flag)
{
    const QString passed = flag == ReviewFlag::Psbz ? QStringLiteral("评审通过") : QStringLiteral("资格审查通过");
    return {
        QStringLiteral("按单位按申报级别统计%1人数").arg(passed),
        QStringLiteral("按单位按申报级别、晋升方式统计%1人数").arg(passed),
        QStringLiteral("按单位按申报级别、晋升方式、单位性质统计%1人数").arg(passed),
        QStringLiteral("按申报级别分申报系列统计%1人数").arg(passed),
        QStringLiteral("按申报级别分申报系列统计%1人数(不分下级单位)").arg(passed),
    };
}

QList<SummaryColumn> SummaryColumns(int m, ReviewFlag flag)
{
    if (m < 0 || m > 4)
        return {};
    const SummaryColumn unit{QStringLiteral("dwmc"), QStringLiteral("下辖单位名称"), 50};
    const SummaryColumn series{QStringLiteral("sbxl"), QStringLiteral("申报系列"), m == 4 ? 50 : 25};
    QList<SummaryColumn> columns;
    if (m < 4)
        columns << unit;
    columns << SummaryColumn{QStringLiteral("sbjb"), m == 4 ? QStringLiteral("申报等级") : QStringLiteral("申报级别"),
                             25};
    if (m == 1 || m == 2)
        columns << SummaryColumn{QStringLiteral("jsfs"), QStringLiteral("晋升方式"), 25};
    if (m == 2)
        columns << SummaryColumn{QStringLiteral("dwxz"), QStringLiteral("单位性质"), 25};
    if (m >= 3)
        columns << series;
    columns << SummaryColumn{flagName(flag), QStringLiteral("是否通过"), 25}
            << SummaryColumn{QStringLiteral("sbrs"), QStringLiteral("人数"), 25};
    return columns;
}

std::optional<int> UnitLevelOf(const QSqlDatabase &db, const QString &unitCode)
{
    if (unitCode.isEmpty() || unitCode == QLatin1String("0000000000000000"))
        return 0;
    // The first row in code order whose trimmed code matches, as the cached
    // work-unit table finds it.
    QSqlQuery query(db);
    query.prepare(QStringLiteral("select z_dj from t_dm_grjbxx00_gzdw where trim(z_bm) = :p_bm order by z_bm limit 1"));
    query.bindValue(QStringLiteral(":p_bm"), unitCode);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toInt();
}

QString SummaryStatement(int m, ReviewFlag flag, int level)
{
    if (m < 0 || m > 4 || level < 0 || level > 4)
        return {};
    const QString f = flagName(flag);
    const QString g = QString::fromLatin1(groupColumns[level]);
    const QString filter =
        level == 0 ? QString() : QStringLiteral("where %1=:p_unit").arg(QString::fromLatin1(filterColumns[level]));

    QStringList names;
    QStringList keys = {QStringLiteral("z_") + f, QStringLiteral("z_sbdj")};
    if (m < 4)
        names << nameOf(QStringLiteral("gzdw"), g, QStringLiteral("dwmc"));
    names << nameOf(QStringLiteral("sbjb"), QStringLiteral("z_sbdj"), QStringLiteral("sbjb"));
    if (m == 1 || m == 2) {
        names << nameOf(QStringLiteral("jsfs"), QStringLiteral("z_jsfs"), QStringLiteral("jsfs"));
        keys << QStringLiteral("z_jsfs");
    }
    if (m == 2) {
        names << nameOf(QStringLiteral("dwxz"), QStringLiteral("z_dwxz"), QStringLiteral("dwxz"));
        keys << QStringLiteral("z_dwxz");
    }
    if (m >= 3) {
        names << nameOf(QStringLiteral("zyjszg"), QStringLiteral("z_sbxl"), QStringLiteral("sbxl"));
        keys << QStringLiteral("z_sbxl");
    }
    names << nameOf(f, QStringLiteral("z_") + f, f);
    if (m < 4)
        keys << g;
    const QString keyList = keys.join(QLatin1Char(','));

    QStringList aliases;
    for (const SummaryColumn &c : SummaryColumns(m, flag))
        aliases << c.alias;

    // SQLite takes no ORDER BY inside the first part of a UNION ALL: the
    // grouped rows carry their place in that order, the total row comes last.
    QStringList lines;
    lines << QStringLiteral("select ") + aliases.join(QLatin1Char(',')) + QStringLiteral(" from (");
    lines << QStringLiteral("select") << QLatin1Char(' ') + names.first();
    for (qsizetype i = 1; i < names.size(); ++i)
        lines << QLatin1Char(',') + names.at(i);
    lines << QStringLiteral(", count(*) as sbrs") << QStringLiteral(", 0 as sort_part")
          << QStringLiteral(", row_number() over (order by %1) as sort_row").arg(keyList);
    lines << QStringLiteral("from grjbxx00");
    if (!filter.isEmpty())
        lines << filter;
    lines << QStringLiteral(" group by ") + keyList;
    lines << QStringLiteral("union all") << QStringLiteral("select") << QStringLiteral("\"合计\"");
    for (qsizetype i = 2; i < aliases.size(); ++i)
        lines << QStringLiteral(",\"\"");
    lines << QStringLiteral(", count(*)") << QStringLiteral(", 1") << QStringLiteral(", 0");
    lines << QStringLiteral("from grjbxx00");
    if (!filter.isEmpty())
        lines << filter;
    lines << QStringLiteral(") order by sort_part, sort_row");
    return jetToSqlite(lines.join(QLatin1Char('\n')));
}

bool OpenSummary(QSqlQuery &query, int m, ReviewFlag flag, int level, const QString &unitCode)
{
    const QString sql = SummaryStatement(m, flag, level);
    QString error;
    if (sql.isEmpty()) {
        error = QStringLiteral("statistic %1 at unit level %2 does not exist").arg(m).arg(level);
    } else if (!query.prepare(sql)) {
        error = query.lastError().text();
    } else {
        if (level > 0)
            query.bindValue(QStringLiteral(":p_unit"), unitCode);
        if (query.exec())
            return true;
        error = query.lastError().text();
    }
    query.finish();
    LogError(QStringLiteral("无法汇总统计"), error);
    return false;
}

} // namespace kvam
