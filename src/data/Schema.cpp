#include "data/Schema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace kvam::schema {

namespace {

// Column, declared type. Integer codes are INTEGER so that a TEXT code column
// compares with them numerically; dates are 'yyyy-MM-dd' text.
struct Column {
    const char *name;
    const char *type;
};

const Column applicant[] = {
    {"z_xm", "TEXT"},          {"z_xb", "INTEGER"},       {"z_mz", "INTEGER"},
    {"z_zzmm", "INTEGER"},     {"z_zjlx", "INTEGER"},     {"z_zjhm", "TEXT"},
    {"z_csrq", "TEXT"},        {"z_grzp", "BLOB"},        {"z_zjzp", "BLOB"},
    {"z_first_xl", "INTEGER"}, {"z_first_xw", "INTEGER"}, {"z_first_bysj", "TEXT"},
    {"z_first_byyx", "TEXT"},  {"z_first_sxzy", "TEXT"},  {"z_first_zshm", "TEXT"},
    {"z_last_xl", "INTEGER"},  {"z_last_xw", "INTEGER"},  {"z_last_bysj", "TEXT"},
    {"z_last_byyx", "TEXT"},   {"z_last_sxzy", "TEXT"},   {"z_last_zshm", "TEXT"},
    {"z_gzdw", "TEXT"},        {"z_cjgzsj", "TEXT"},      {"z_yijzgbm", "TEXT"},
    {"z_erjzgbm", "TEXT"},     {"z_sanjzgbm", "TEXT"},    {"z_sijzgbm", "TEXT"},
    {"z_dwxz", "INTEGER"},     {"z_cszy", "TEXT"},        {"z_dh1", "TEXT"},
    {"z_dh2", "TEXT"},         {"z_dh3", "TEXT"},         {"z_dh4", "TEXT"},
    {"z_bz", "TEXT"},          {"z_sbxl", "TEXT"},        {"z_sbzg", "TEXT"},
    {"z_sbdj", "INTEGER"},     {"z_sbzy", "TEXT"},        {"z_jsfs", "INTEGER"},
    {"z_jsjcj", "INTEGER"},    {"z_wycj", "INTEGER"},     {"z_xrjszg", "TEXT"},
    {"z_xrjszgsj", "TEXT"},    {"z_shbz", "INTEGER"},     {"z_psbz", "INTEGER"},
    {"z_zkbz", "INTEGER"},
};

QStringList makeApplicantColumns()
{
    QStringList names;
    for (const Column &c : applicant)
        names << QString::fromLatin1(c.name);
    return names;
}

QStringList createStatements()
{
    QStringList statements;

    QStringList columns;
    for (const Column &c : applicant) {
        QString line = QString::fromLatin1(c.name) + QLatin1Char(' ') + QString::fromLatin1(c.type);
        if (qstrcmp(c.name, "z_zjhm") == 0)
            line += QStringLiteral(" NOT NULL PRIMARY KEY CHECK (length(trim(z_zjhm)) > 0)");
        columns << line;
    }
    statements << QStringLiteral("CREATE TABLE grjbxx00 (\n  ") + columns.join(QStringLiteral(",\n  "))
                      + QStringLiteral("\n)");
    // The summary reports group and filter by the supervising units.
    for (const char *c : {"z_yijzgbm", "z_erjzgbm", "z_sanjzgbm", "z_sijzgbm"}) {
        const QString name = QString::fromLatin1(c);
        statements << QStringLiteral("CREATE INDEX ix_grjbxx00_%1 ON grjbxx00 (%1)").arg(name);
    }

    for (const QString &table : codeTables()) {
        statements << QStringLiteral("CREATE TABLE %1 (z_bm TEXT NOT NULL, z_mc TEXT, z_pym TEXT, "
                                     "z_sjbm TEXT, z_dj INTEGER, z_sfky INTEGER)")
                          .arg(table);
        statements << QStringLiteral("CREATE UNIQUE INDEX ix_%1_bm ON %1 (z_bm)").arg(table);
    }
    for (const QString &table : statusTables()) {
        statements << QStringLiteral("CREATE TABLE %1 (z_bm TEXT NOT NULL, z_mc TEXT)").arg(table);
        statements << QStringLiteral("CREATE UNIQUE INDEX ix_%1_bm ON %1 (z_bm)").arg(table);
    }
    statements << QStringLiteral("CREATE TABLE TABLEFIELD_NAME (z_tablename TEXT, z_fieldname TEXT, "
                                 "z_displayname TEXT)");
    statements << QStringLiteral("CREATE TABLE T_DMBLIST (Z_DMBTABLENAME TEXT, Z_DMBTABLEMC TEXT)");
    return statements;
}

} // namespace

const QStringList &applicantColumns()
{
    static const QStringList names = makeApplicantColumns();
    return names;
}

const QStringList &codeTables()
{
    static const QStringList tables = {
        QStringLiteral("T_DM_GRJBXX00_ZCCJ"),   QStringLiteral("T_DM_GRJBXX00_CSZY"),
        QStringLiteral("T_DM_GRJBXX00_DWXZ"),   QStringLiteral("T_DM_GRJBXX00_GZDW"),
        QStringLiteral("T_DM_GRJBXX00_MZ"),     QStringLiteral("T_DM_GRJBXX00_SXZY"),
        QStringLiteral("T_DM_GRJBXX00_XB"),     QStringLiteral("T_DM_GRJBXX00_XL"),
        QStringLiteral("T_DM_GRJBXX00_XW"),     QStringLiteral("T_DM_GRJBXX00_ZJLX"),
        QStringLiteral("T_DM_GRJBXX00_ZZMM"),   QStringLiteral("T_DM_GRJBXX00_ZYJSZG"),
        QStringLiteral("T_DM_GRJBXX00_ZYJSXL"), QStringLiteral("T_DM_GRJBXX00_JSFS"),
        QStringLiteral("T_DM_GRJBXX00_SBJB"),
    };
    return tables;
}

const QStringList &statusTables()
{
    static const QStringList tables = {QStringLiteral("T_DM_GRJBXX00_SHBZ"),
                                       QStringLiteral("T_DM_GRJBXX00_PSBZ"),
                                       QStringLiteral("T_DM_GRJBXX00_ZKBZ")};
    return tables;
}

const QStringList &codeColumns()
{
    static const QStringList columns = {QStringLiteral("z_bm"),   QStringLiteral("z_mc"),
                                        QStringLiteral("z_pym"),  QStringLiteral("z_sjbm"),
                                        QStringLiteral("z_dj"),   QStringLiteral("z_sfky")};
    return columns;
}

bool create(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    for (const QString &statement : createStatements()) {
        if (!query.exec(statement)) {
            if (error)
                *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace kvam::schema
