#include "data/CodeCacheLoad.h"

#include "data/CodeCache.h"
#include "platform/SqlDialect.h"

#include <QSqlError>
#include <QSqlQuery>

namespace kvam {

namespace {

struct CodeQuery {
    TCodeArray *array;
    const char *firstLine;
    bool fiveColumns;
};

// In this order; a failure leaves the later arrays unread.
const CodeQuery codeQueries[] = {
    {&codeZYJSZG, "select z_bm,z_pym,z_mc,z_sjbm,z_dj from T_DM_GRJBXX00_ZYJSZG", true},
    {&codeZYJSXL, "select z_bm,z_pym,z_mc,z_sjbm,z_dj from T_DM_GRJBXX00_ZYJSXL where z_dj=1 ", true},
    {&codeSBJB, "select z_bm,z_pym,z_mc,z_sjbm,z_dj from T_DM_GRJBXX00_SBJB", true},
    {&codeCSZY, "select z_bm,z_pym,z_mc,z_sjbm,z_dj from T_DM_GRJBXX00_CSZY", true},
    {&codeJSFS, "select z_bm,z_pym,z_mc,z_sjbm,z_dj from T_DM_GRJBXX00_JSFS", true},
    {&codeZCCJ, "select z_bm,z_pym,z_mc,z_sjbm,z_dj from T_DM_GRJBXX00_ZCCJ", true},
    {&codeMZ, "select z_bm,z_pym,z_mc from T_DM_GRJBXX00_MZ ", false},
    {&codeZZMM, "select z_bm,z_pym,z_mc from T_DM_GRJBXX00_ZZMM", false},
    {&codeZJLX, "select z_bm,z_pym,z_mc from T_DM_GRJBXX00_ZJLX", false},
    {&codeXL, "select z_bm,z_pym,z_mc from T_DM_GRJBXX00_XL", false},
    {&codeXW, "select z_bm,z_pym,z_mc from T_DM_GRJBXX00_XW", false},
    {&codeSXZY, "select z_bm,z_pym,z_mc,z_sjbm,z_dj from T_DM_GRJBXX00_SXZY", true},
    {&codeGZDW, "select z_bm,z_pym,z_mc,z_sjbm,z_dj from T_DM_GRJBXX00_GZDW", true},
    {&codeDWXZ, "select z_bm,z_pym,z_mc from T_DM_GRJBXX00_DWXZ", false},
};

// z_dj as an integer; an empty value is 0, anything else that is no whole
// number is a failure.
bool readLevel(const QVariant &value, int &level)
{
    const QString text = value.toString().trimmed();
    if (text.isEmpty()) {
        level = 0;
        return true;
    }
    bool ok = false;
    level = text.toInt(&ok);
    return ok;
}

bool load(const QSqlDatabase &db, const CodeQuery &code, QString *error)
{
    const QString text = QString::fromLatin1(code.firstLine) + QStringLiteral("\n order by z_bm");
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(jetToSqlite(text))) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    QList<TCodeStructure> rows;
    while (query.next()) {
        TCodeStructure row;
        row.bm = query.value(0).toString().trimmed();
        row.pym = query.value(1).toString().trimmed();
        row.mc = query.value(2).toString().trimmed();
        if (code.fiveColumns) {
            row.sjbm = query.value(3).toString().trimmed();
            if (!readLevel(query.value(4), row.dj)) {
                // What was read so far stays, as with any failure part-way.
                code.array->assign(rows);
                if (error)
                    *error = QStringLiteral("z_dj of %1 is no whole number: %2")
                                 .arg(row.bm, query.value(4).toString());
                return false;
            }
        }
        rows << row;
    }
    if (query.lastError().isValid()) {
        code.array->assign(rows);
        if (error)
            *error = query.lastError().text();
        return false;
    }
    code.array->assign(std::move(rows));
    return true;
}

} // namespace

bool LoadCodeCache(const QSqlDatabase &db, QString *error)
{
    for (const CodeQuery &code : codeQueries) {
        if (!load(db, code, error))
            return false;
    }
    return true;
}

} // namespace kvam
