#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <optional>

// The summary statistics of the two report windows: counts of applicants by
// subordinate unit, level and one further aspect, with a total row.
namespace kvam {

// The review flag counted: z_psbz (evaluation) or z_shbz (qualification review).
enum class ReviewFlag { Psbz, Shbz };

struct SummaryColumn {
    QString alias;
    QString label;
    int width = 0; // in characters
};

// The five statistics (index 0 to 4) in the texts of the window of flag.
QStringList SummaryStatisticNames(ReviewFlag flag);

// The result columns of statistic m; empty for an m outside 0 to 4.
QList<SummaryColumn> SummaryColumns(int m, ReviewFlag flag);

// The level of a unit as the report windows take it: 0 for no unit or
// "0000000000000000", else the z_dj of the unit's row in the work-unit
// table; nullopt when no row has the code.
std::optional<int> UnitLevelOf(const QSqlDatabase &db, const QString &unitCode);

// The statement of statistic m at unit level L: one row per group in the
// order of flag, level, the statistic's keys and subordinate unit, then the
// total row "合计". The unit code is the parameter :p_unit (levels 1 to 4).
// Empty when m or L is out of range.
QString SummaryStatement(int m, ReviewFlag flag, int level);

// Runs statistic m on query's connection with unitCode bound. On failure,
// LogError with "无法汇总统计" and false.
bool OpenSummary(QSqlQuery &query, int m, ReviewFlag flag, int level, const QString &unitCode);

} // namespace kvam
