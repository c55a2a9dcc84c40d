#include "support/CodeTables.h"

#include "data/CodeCache.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace kvam::test {

namespace {

bool load(QSqlDatabase db, TCodeArray &array, const QString &select)
{
    QSqlQuery query(db);
    if (!query.exec(select + QStringLiteral(" order by z_bm")))
        return false;
    const bool fiveColumns = query.record().count() == 5;
    QList<TCodeStructure> rows;
    while (query.next()) {
        TCodeStructure row;
        row.bm = query.value(0).toString().trimmed();
        row.pym = query.value(1).toString().trimmed();
        row.mc = query.value(2).toString().trimmed();
        if (fiveColumns) {
            row.sjbm = query.value(3).toString().trimmed();
            row.dj = query.value(4).toInt();
        }
        rows << row;
    }
    array.assign(rows);
    return true;
}

} // namespace

bool loadCodeTables(QSqlDatabase db)
{
    const QString five = QStringLiteral("select z_bm,z_pym,z_mc,z_sjbm,z_dj from T_DM_GRJBXX00_");
    const QString three = QStringLiteral("select z_bm,z_pym,z_mc from T_DM_GRJBXX00_");
    return load(db, codeZYJSZG, five + QStringLiteral("ZYJSZG"))
        && load(db, codeZYJSXL, five + QStringLiteral("ZYJSXL where z_dj=1 "))
        && load(db, codeSBJB, five + QStringLiteral("SBJB")) && load(db, codeCSZY, five + QStringLiteral("CSZY"))
        && load(db, codeJSFS, five + QStringLiteral("JSFS")) && load(db, codeZCCJ, five + QStringLiteral("ZCCJ"))
        && load(db, codeMZ, three + QStringLiteral("MZ ")) && load(db, codeZZMM, three + QStringLiteral("ZZMM"))
        && load(db, codeZJLX, three + QStringLiteral("ZJLX")) && load(db, codeXL, three + QStringLiteral("XL"))
        && load(db, codeXW, three + QStringLiteral("XW")) && load(db, codeSXZY, five + QStringLiteral("SXZY"))
        && load(db, codeGZDW, five + QStringLiteral("GZDW")) && load(db, codeDWXZ, three + QStringLiteral("DWXZ"));
}

} // namespace kvam::test
