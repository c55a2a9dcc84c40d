#include "edit/PersonWriter.h"

#include "platform/SqlDialect.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace kvam {

namespace {

const QStringList insertLines = {
    QStringLiteral("insert into grjbxx00 "),
    QStringLiteral(" (z_xm,z_xb,z_mz,z_zzmm,z_zjlx,z_zjhm,z_csrq   "),
    QStringLiteral(",z_grzp,z_zjzp,z_first_xl,z_first_xw,z_first_bysj"),
    QStringLiteral(",z_first_byyx,z_first_sxzy,z_first_zshm,z_last_xl "),
    QStringLiteral(",z_last_xw,z_last_bysj,z_last_byyx,z_last_sxzy   "),
    QStringLiteral(",z_last_zshm,z_gzdw,z_cjgzsj,z_yijzgbm,z_erjzgbm "),
    QStringLiteral(",z_sanjzgbm,z_sijzgbm,z_dwxz,z_cszy,z_dh1,z_dh2 "),
    QStringLiteral(",z_dh3,z_dh4,z_bz,z_sbxl,z_sbzg,z_sbdj,z_sbzy"),
    QStringLiteral(",z_jsfs ,z_jsjcj,z_wycj,z_xrjszg,z_xrjszgsj "),
    QStringLiteral(" )"),
    QStringLiteral(" values (:p_xm,:p_xb,:p_mz,:p_zzmm,:p_zjlx,:p_zjhm "),
    QStringLiteral(",:p_csrq,:p_grzp,:p_zjzp,:p_first_xl,:p_first_xw  "),
    QStringLiteral(",:p_first_bysj,:p_first_byyx,:p_first_sxzy,:p_first_zshm"),
    QStringLiteral(",:p_last_xl,:p_last_xw,:p_last_bysj,:p_last_byyx "),
    QStringLiteral(",:p_last_sxzy,:p_last_zshm,:p_gzdw,:p_cjgzsj,:p_yijzgbm"),
    QStringLiteral(",:p_erjzgbm,:p_sanjzgbm,:p_sijzgbm,:p_dwxz,:p_cszy "),
    QStringLiteral(",:p_dh1,:p_dh2,:p_dh3,:p_dh4,:p_bz "),
    QStringLiteral(",:p_sbxl,:p_sbzg,:p_sbdj,:p_sbzy"),
    QStringLiteral(",:p_jsfs ,:p_jsjcj,:p_wycj,:p_xrjszg,:p_xrjszgsj "),
    QStringLiteral(")"),
};

const QStringList updateLines = {
    QStringLiteral("update grjbxx00 set "),       QStringLiteral("z_xm =:p_xm"),
    QStringLiteral(",z_xb =:p_xb"),               QStringLiteral(",z_mz =:p_mz"),
    QStringLiteral(",z_zzmm =:p_zzmm"),           QStringLiteral(",z_zjlx =:p_zjlx"),
    QStringLiteral(",z_zjhm=:p_zjhm"),            QStringLiteral(",z_csrq =:p_csrq"),
    QStringLiteral(",z_grzp =:p_grzp"),           QStringLiteral(",z_zjzp =:p_zjzp"),
    QStringLiteral(",z_first_xl =:p_first_xl"),   QStringLiteral(",z_first_xw =:p_first_xw"),
    QStringLiteral(",z_first_bysj =:p_first_bysj"), QStringLiteral(",z_first_byyx =:p_first_byyx"),
    QStringLiteral(",z_first_sxzy =:p_first_sxzy"), QStringLiteral(",z_first_zshm =:p_first_zshm"),
    QStringLiteral(",z_last_xl =:p_last_xl"),     QStringLiteral(",z_last_xw =:p_last_xw"),
    QStringLiteral(",z_last_bysj =:p_last_bysj"), QStringLiteral(",z_last_byyx =:p_last_byyx"),
    QStringLiteral(",z_last_sxzy =:p_last_sxzy"), QStringLiteral(",z_last_zshm =:p_last_zshm"),
    QStringLiteral(",z_gzdw =:p_gzdw"),           QStringLiteral(",z_cjgzsj =:p_cjgzsj"),
    QStringLiteral(",z_yijzgbm =:p_yijzgbm"),     QStringLiteral(",z_erjzgbm =:p_erjzgbm"),
    QStringLiteral(",z_sanjzgbm =:p_sanjzgbm"),   QStringLiteral(",z_sijzgbm =:p_sijzgbm"),
    QStringLiteral(",z_dwxz =:p_dwxz"),           QStringLiteral(",z_cszy =:p_cszy"),
    QStringLiteral(",z_dh1 =:p_dh1"),             QStringLiteral(",z_dh2 =:p_dh2"),
    QStringLiteral(",z_dh3 =:p_dh3"),             QStringLiteral(",z_dh4 =:p_dh4"),
    QStringLiteral(",z_bz =:p_bz"),               QStringLiteral(", z_sbxl = :p_sbxl "),
    QStringLiteral(", z_sbzg = :p_sbzg "),        QStringLiteral(", z_sbdj = :p_sbdj "),
    QStringLiteral(", z_sbzy = :p_sbzy "),        QStringLiteral(", z_jsfs = :p_jsfs "),
    QStringLiteral(", z_jsjcj = :p_jsjcj "),      QStringLiteral(", z_wycj = :p_wycj "),
    QStringLiteral(", z_xrjszg = :p_xrjszg "),    QStringLiteral(", z_xrjszgsj = :p_xrjszgsj "),
    QStringLiteral(" where z_zjhm=:p_oldzjhm"),
};

// An empty text is stored as an empty text, not as NULL.
QVariant text(const QString &value) { return value.isNull() ? QStringLiteral("") : value; }

// The photo's bytes; no photo is a value of no bytes.
QVariant blob(const QByteArray &photo, bool hasPhoto)
{
    return hasPhoto && !photo.isEmpty() ? photo : QByteArray("", 0);
}

void bindRecord(QSqlQuery &q, const TGrxx &g)
{
    auto t = [&q](const char *name, const QString &value) { q.bindValue(QString::fromLatin1(name), text(value)); };
    auto i = [&q](const char *name, int value) { q.bindValue(QString::fromLatin1(name), value); };
    t(":p_xm", g.z_xm);
    i(":p_xb", g.z_xb);
    i(":p_mz", g.z_mz);
    i(":p_zzmm", g.z_zzmm);
    i(":p_zjlx", g.z_zjlx);
    t(":p_zjhm", g.z_zjhm);
    t(":p_csrq", g.z_csrq);
    q.bindValue(QStringLiteral(":p_grzp"), blob(g.PersonalPhoto, g.HasPersonalPhoto));
    q.bindValue(QStringLiteral(":p_zjzp"), blob(g.CertificatePhoto, g.HasCertificatePhoto));
    i(":p_first_xl", g.z_first_xl);
    i(":p_first_xw", g.z_first_xw);
    t(":p_first_bysj", g.z_first_bysj);
    t(":p_first_byyx", g.z_first_byyx);
    t(":p_first_sxzy", g.z_first_sxzy);
    t(":p_first_zshm", g.z_first_zshm);
    i(":p_last_xl", g.z_last_xl);
    i(":p_last_xw", g.z_last_xw);
    t(":p_last_bysj", g.z_last_bysj);
    t(":p_last_byyx", g.z_last_byyx);
    t(":p_last_sxzy", g.z_last_sxzy);
    t(":p_last_zshm", g.z_last_zshm);
    t(":p_gzdw", g.z_gzdw);
    t(":p_cjgzsj", g.z_cjgzsj);
    t(":p_yijzgbm", g.z_yijzgbm);
    t(":p_erjzgbm", g.z_erjzgbm);
    t(":p_sanjzgbm", g.z_sanjzgbm);
    t(":p_sijzgbm", g.z_sijzgbm);
    i(":p_dwxz", g.z_dwxz);
    t(":p_cszy", g.z_cszy);
    t(":p_dh1", g.z_dh1);
    t(":p_dh2", g.z_dh2);
    t(":p_dh3", g.z_dh3);
    t(":p_dh4", g.z_dh4);
    t(":p_bz", g.z_bz);
    t(":p_sbxl", g.z_sbxl);
    t(":p_sbzg", g.z_sbzg);
    i(":p_sbdj", g.z_sbdj);
    t(":p_sbzy", g.z_sbzy);
    i(":p_jsfs", g.z_jsfs);
    i(":p_jsjcj", g.z_jsjcj);
    i(":p_wycj", g.z_wycj);
    t(":p_xrjszg", g.z_xrjszg);
    t(":p_xrjszgsj", g.z_xrjszgsj);
}

PersonWrite failed(const QSqlQuery &q) { return {PersonWrite::Failed, q.lastError().text()}; }

} // namespace

PersonWrite writePersonRecord(QSqlDatabase db, const TGrxx &grxx, int editMode, QString &oldZjhm)
{
    QSqlQuery q(db);
    if (editMode == 0) {
        if (!q.prepare(jetToSqlite(QStringLiteral("select z_zjhm from grjbxx00 \n where z_zjhm=:p_zjhm"))))
            return failed(q);
        q.bindValue(QStringLiteral(":p_zjhm"), text(grxx.z_zjhm));
        if (!q.exec())
            return failed(q);
        if (q.next())
            return {PersonWrite::Duplicate, {}};
        q.finish();
        if (!q.prepare(jetToSqlite(insertLines.join(QLatin1Char('\n')))))
            return failed(q);
        bindRecord(q, grxx);
        if (!q.exec())
            return failed(q);
        return {PersonWrite::Written, {}};
    }
    if (editMode == 1) {
        if (!q.prepare(jetToSqlite(updateLines.join(QLatin1Char('\n')))))
            return failed(q);
        bindRecord(q, grxx);
        q.bindValue(QStringLiteral(":p_oldzjhm"), text(oldZjhm));
        if (!q.exec())
            return failed(q);
        // An update that finds no row has stored nothing: say so.
        if (q.numRowsAffected() == 0)
            return {PersonWrite::Failed,
                    QStringLiteral("没有证件号码为“") + oldZjhm + QStringLiteral("”的记录")};
        oldZjhm = grxx.z_zjhm;
        return {PersonWrite::Written, {}};
    }
    return {PersonWrite::NotWritten, {}};
}

} // namespace kvam
