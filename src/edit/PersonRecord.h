#pragma once

#include <QByteArray>
#include <QString>

namespace kvam {

// The applicant being edited. It travels from the database into the editor,
// the wizard and the code picker write picked codes into it, and the save
// writes it back. Never cleared as a whole: a field a step does not write
// keeps the previous person's value. Dates are 'yyyy-MM-dd' text.
struct TGrxx {
    QString z_sbxl;
    QString z_sbzg;
    int z_sbdj = 0;
    QString z_sbzy;
    int z_jsfs = 0;
    int z_jsjcj = 0;
    int z_wycj = 0;
    QString z_xrjszg;
    QString z_xrjszgsj;
    QString z_xm;
    int z_xb = 0;
    int z_mz = 0;
    int z_zzmm = 0;
    int z_zjlx = 0;
    QString z_zjhm;
    QString z_csrq;
    // The JPEG bytes of the photos, as they are stored in z_grzp and z_zjzp.
    QByteArray PersonalPhoto;
    bool HasPersonalPhoto = false;
    QByteArray CertificatePhoto;
    bool HasCertificatePhoto = false;
    int z_first_xl = 0;
    int z_first_xw = 0;
    QString z_first_bysj;
    QString z_first_byyx;
    QString z_first_sxzy;
    QString z_first_zshm;
    int z_last_xl = 0;
    int z_last_xw = 0;
    QString z_last_bysj;
    QString z_last_byyx;
    QString z_last_sxzy;
    QString z_last_zshm;
    QString z_gzdw;
    QString z_cjgzsj;
    QString z_yijzgbm;
    QString z_erjzgbm;
    QString z_sanjzgbm;
    QString z_sijzgbm;
    int z_dwxz = 0;
    QString z_cszy;
    QString z_dh1;
    QString z_dh2;
    QString z_dh3;
    QString z_dh4;
    QString z_bz;
};

extern TGrxx CurGrxx;

} // namespace kvam
