#include "data/GrxxStatement.h"

#include "platform/GbkText.h"

namespace kvam {

const QStringList &GrxxSelectLines()
{
    static const QStringList lines = {
        QStringLiteral(" "),
        QStringLiteral("   "),
        QStringLiteral(" Select \" \", "),
        QStringLiteral("trim(z_xm) as z_xm,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("FROM T_DM_GRJBXX00_ZYJSZG"),
        QStringLiteral("WHERE z_bm = z_sbxl) AS z_sbxl,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("FROM T_DM_GRJBXX00_ZYJSZG"),
        QStringLiteral("WHERE z_bm = z_sbzg) AS z_sbzg,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral(" FROM T_DM_GRJBXX00_SBJB"),
        QStringLiteral(" WHERE z_bm = z_sbdj) AS z_sbdj,"),
        QStringLiteral("(SELECT z_mc "),
        QStringLiteral(" FROM T_DM_GRJBXX00_CSZY "),
        QStringLiteral(" WHERE z_bm = z_sbzy) AS z_sbzy, "),
        QStringLiteral("(SELECT z_mc "),
        QStringLiteral(" FROM T_DM_GRJBXX00_JSFS "),
        QStringLiteral(" WHERE z_bm = z_jsfs) AS z_jsfs, "),
        QStringLiteral("(SELECT z_mc "),
        QStringLiteral(" FROM T_DM_GRJBXX00_ZCCJ "),
        QStringLiteral(" WHERE z_bm = z_jsjcj) AS z_jsjcj, "),
        QStringLiteral("(SELECT z_mc "),
        QStringLiteral(" FROM T_DM_GRJBXX00_ZCCJ "),
        QStringLiteral(" WHERE z_bm = z_wycj) AS z_wycj, "),
        QStringLiteral("(SELECT z_mc "),
        QStringLiteral(" FROM T_DM_GRJBXX00_ZYJSZG "),
        QStringLiteral(" WHERE z_bm = z_xrjszg) AS z_xrjszg, "),
        QStringLiteral(" z_xrjszgsj,"),
        QStringLiteral("(SELECT z_mc FROM T_DM_GRJBXX00_XB WHERE z_bm = z_xb) AS z_xb,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("FROM T_DM_GRJBXX00_MZ"),
        QStringLiteral("WHERE z_bm = z_mz) AS z_mz,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("  FROM T_DM_GRJBXX00_ZZMM"),
        QStringLiteral("  WHERE z_bm = z_zzmm) AS z_zzmm,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral(" FROM T_DM_GRJBXX00_ZJLX"),
        QStringLiteral("  WHERE z_bm = z_zjlx) AS z_zjlx, z_zjhm, z_csrq,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("FROM T_DM_GRJBXX00_XL"),
        QStringLiteral("WHERE z_bm = z_first_xl) AS z_first_xl,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("FROM T_DM_GRJBXX00_XW"),
        QStringLiteral("WHERE z_bm = z_first_xw) AS z_first_xw, z_first_bysj, z_first_byyx,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("FROM T_DM_GRJBXX00_SXZY"),
        QStringLiteral("WHERE z_bm = z_first_sxzy) AS z_first_sxzy, z_first_zshm,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral(" FROM T_DM_GRJBXX00_XL"),
        QStringLiteral("WHERE z_bm = z_last_xl) AS z_last_xl,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral(" FROM T_DM_GRJBXX00_XW"),
        QStringLiteral(" WHERE z_bm = z_last_xw) AS z_last_xw, z_last_bysj, z_last_byyx,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral(" FROM T_DM_GRJBXX00_SXZY"),
        QStringLiteral(" WHERE z_bm = z_last_sxzy) AS z_last_sxzy, z_last_zshm,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("  FROM T_DM_GRJBXX00_GZDW"),
        QStringLiteral("  WHERE z_bm = z_gzdw) AS z_gzdw, z_cjgzsj,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("  FROM T_DM_GRJBXX00_GZDW"),
        QStringLiteral("  WHERE z_bm = z_yijzgbm) AS z_yijzgbm,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("  FROM T_DM_GRJBXX00_GZDW"),
        QStringLiteral("  WHERE z_bm = z_erjzgbm) AS z_erjzgbm,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("  FROM T_DM_GRJBXX00_GZDW"),
        QStringLiteral("   WHERE z_bm = z_sanjzgbm) AS z_sanjzgbm,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("  FROM T_DM_GRJBXX00_GZDW"),
        QStringLiteral("  WHERE z_bm = z_sijzgbm) AS z_sijzgbm,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("  FROM T_DM_GRJBXX00_DWXZ"),
        QStringLiteral("   WHERE z_bm = z_dwxz) AS z_dwxz,"),
        QStringLiteral("(SELECT z_mc"),
        QStringLiteral("   FROM T_DM_GRJBXX00_CSZY"),
        QStringLiteral("  WHERE z_bm = z_cszy) AS z_cszy, z_dh1, z_dh2, z_dh3, z_dh4,z_bz, z_shbz,z_psbz,z_zkbz "),
        QStringLiteral(" FROM grjbxx00 "),
        QStringLiteral(" where 1=1 and "),
    };
    return lines;
}

bool GrxxQueryText(const QString &conditionFile, QString &text, QString *error)
{
    bool ok = false;
    const QStringList condition = readGbkLines(conditionFile, &ok);
    if (!ok) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(conditionFile);
        return false;
    }
    bool empty = true;
    for (const QString &line : condition)
        empty = empty && line.trimmed().isEmpty();
    if (empty) {
        if (error)
            *error = QStringLiteral("%1 holds no condition").arg(conditionFile);
        return false;
    }
    text = (GrxxSelectLines() + condition).join(QLatin1Char('\n'));
    return true;
}

const QStringList &GrxxHiddenColumns()
{
    static const QStringList columns = {QStringLiteral("z_bz"), QStringLiteral("z_shbz"), QStringLiteral("z_psbz"),
                                        QStringLiteral("z_zkbz")};
    return columns;
}

} // namespace kvam
