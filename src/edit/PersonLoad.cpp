#include "edit/PersonLoad.h"

#include "edit/PhotoImage.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace kvam {

namespace {

void readPhoto(const QVariant &value, QByteArray &photo, bool &hasPhoto)
{
    const QByteArray blob = value.toByteArray();
    hasPhoto = isStoredPhoto(blob);
    photo = hasPhoto ? blob : QByteArray();
}

} // namespace

bool loadPersonRecord(QSqlDatabase db, const QString &zjhm, TGrxx &grxx, QString *error)
{
    grxx.z_zjhm.clear();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("select * from grjbxx00 where z_zjhm=:p_zjhm"))) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    query.bindValue(QStringLiteral(":p_zjhm"), zjhm.isNull() ? QStringLiteral("") : zjhm);
    if (!query.exec()) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    if (!query.next())
        return true;

    const QSqlRecord row = query.record();
    auto text = [&](const char *column) { return row.value(QString::fromLatin1(column)).toString(); };
    auto number = [&](const char *column) { return row.value(QString::fromLatin1(column)).toInt(); };
    grxx.z_xm = text("z_xm");
    grxx.z_xb = number("z_xb");
    grxx.z_mz = number("z_mz");
    grxx.z_zzmm = number("z_zzmm");
    grxx.z_zjlx = number("z_zjlx");
    grxx.z_zjhm = text("z_zjhm");
    grxx.z_csrq = text("z_csrq");
    readPhoto(row.value(QStringLiteral("z_grzp")), grxx.PersonalPhoto, grxx.HasPersonalPhoto);
    readPhoto(row.value(QStringLiteral("z_zjzp")), grxx.CertificatePhoto, grxx.HasCertificatePhoto);
    grxx.z_first_xl = number("z_first_xl");
    grxx.z_first_xw = number("z_first_xw");
    grxx.z_first_bysj = text("z_first_bysj");
    grxx.z_first_byyx = text("z_first_byyx");
    grxx.z_first_sxzy = text("z_first_sxzy");
    grxx.z_first_zshm = text("z_first_zshm");
    grxx.z_last_xl = number("z_last_xl");
    grxx.z_last_xw = number("z_last_xw");
    grxx.z_last_bysj = text("z_last_bysj");
    grxx.z_last_byyx = text("z_last_byyx");
    grxx.z_last_sxzy = text("z_last_sxzy");
    grxx.z_last_zshm = text("z_last_zshm");
    grxx.z_gzdw = text("z_gzdw");
    grxx.z_cjgzsj = text("z_cjgzsj");
    grxx.z_yijzgbm = text("z_yijzgbm");
    grxx.z_erjzgbm = text("z_erjzgbm");
    grxx.z_sanjzgbm = text("z_sanjzgbm");
    grxx.z_sijzgbm = text("z_sijzgbm");
    grxx.z_dwxz = number("z_dwxz");
    grxx.z_cszy = text("z_cszy");
    grxx.z_dh1 = text("z_dh1");
    grxx.z_dh2 = text("z_dh2");
    grxx.z_dh3 = text("z_dh3");
    grxx.z_dh4 = text("z_dh4");
    grxx.z_bz = text("z_bz");
    grxx.z_sbxl = text("z_sbxl");
    grxx.z_sbzg = text("z_sbzg");
    grxx.z_sbdj = number("z_sbdj");
    grxx.z_sbzy = text("z_sbzy");
    grxx.z_jsfs = number("z_jsfs");
    grxx.z_jsjcj = number("z_jsjcj");
    grxx.z_wycj = number("z_wycj");
    grxx.z_xrjszg = text("z_xrjszg");
    grxx.z_xrjszgsj = text("z_xrjszgsj");
    return true;
}

} // namespace kvam
