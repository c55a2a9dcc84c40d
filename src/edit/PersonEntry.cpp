#include "edit/PersonEntry.h"

#include "app/ProgramDate.h"
#include "data/UnitCodes.h"
#include "edit/PhotoImage.h"
#include "platform/GbkText.h"

namespace kvam {

namespace {

// A picture within 300 by 400 pixels goes into the record; none clears it.
RecordCheck takePhoto(const QByteArray &bytes, const QString &tooLarge, QByteArray &photo, bool &hasPhoto)
{
    if (!bytes.isEmpty()) {
        const QSize size = photoSize(bytes);
        if (size.width() > 300 || size.height() > 400)
            return {tooLarge, QStringLiteral("提示"), MsgIcon::Question, {}};
    }
    photo = bytes;
    hasPhoto = !bytes.isEmpty();
    return {};
}

struct Education {
    const QString &xl, &xw;
    const QDate &bysj;
    const QString &sxzy, &byyx, &zshm;
};

struct EducationFields {
    int &xl, &xw;
    QString &bysj, &sxzy, &byyx, &zshm;
};

RecordCheck takeEducation(const Education &e, EducationFields f, const QString &prefix, const QString &controls)
{
    auto focus = [&](const char *name) { return QStringLiteral("edt") + controls + QString::fromLatin1(name); };
    RecordCheck check = requireText(e.xl, prefix, focus("XL"));
    if (check.ok())
        check = integerCode(e.xl, codeXL, prefix, f.xl, focus("XL"));
    if (check.ok())
        check = requireText(e.xw, prefix + QStringLiteral("学位"), focus("XW"));
    if (check.ok())
        check = integerCode(e.xw, codeXW, prefix + QStringLiteral("学位"), f.xw, focus("XW"));
    if (!check.ok())
        return check;
    f.bysj = formatProgramDate(e.bysj);
    // The first education's subject edit is spelled edtfirstSXZY.
    const QString sxzyControl = controls == QStringLiteral("First") ? QStringLiteral("edtfirstSXZY") : focus("SXZY");
    check = requireText(e.sxzy, prefix + QStringLiteral("所学专业"), sxzyControl);
    if (!check.ok())
        return check;
    f.sxzy = GetCodeByName(e.sxzy, codeSXZY);
    check = requireText(e.byyx, prefix + QStringLiteral("毕业院校"), focus("BYYX"));
    if (!check.ok())
        return check;
    f.byyx = e.byyx.trimmed();
    check = requireText(e.zshm, prefix + QStringLiteral("证书号码"), focus("ZSHM"));
    if (!check.ok())
        return check;
    f.zshm = e.zshm.trimmed();
    return {};
}

} // namespace

bool isIdentityCard(const QString &documentTypeName) { return documentTypeName == QStringLiteral("身份证"); }

QString birthDateFromIdNumber(const QString &number)
{
    const QString n = number.trimmed();
    if (n.size() == 15)
        return QStringLiteral("19") + n.mid(6, 2) + QLatin1Char('-') + n.mid(8, 2) + QLatin1Char('-') + n.mid(10, 2);
    if (n.size() == 18)
        return n.mid(6, 4) + QLatin1Char('-') + n.mid(10, 2) + QLatin1Char('-') + n.mid(12, 2);
    return {};
}

RecordCheck takePersonEntry(const PersonEntry &e, TGrxx &grxx)
{
    RecordCheck check = requireText(e.xm, QStringLiteral("姓名"), QStringLiteral("edtXM"));
    if (!check.ok())
        return check;
    grxx.z_xm = e.xm.trimmed();
    grxx.z_xb = e.xbIndex + 1;

    check = requireText(e.mz, QStringLiteral("民族"), QStringLiteral("edtMZ"));
    if (check.ok())
        check = integerCode(e.mz, codeMZ, QStringLiteral("民族"), grxx.z_mz, QStringLiteral("edtMZ"));
    if (check.ok())
        check = requireText(e.zjlx, QStringLiteral("证件类型"), QStringLiteral("edtZJLX"));
    if (check.ok())
        check = integerCode(e.zjlx, codeZJLX, QStringLiteral("证件类型"), grxx.z_zjlx, QStringLiteral("edtZJLX"));
    if (check.ok())
        check = requireText(e.zjhm, QStringLiteral("证件号码"), QStringLiteral("edtZJHM"));
    if (!check.ok())
        return check;
    if (isIdentityCard(e.zjlx)) {
        const int length = gbkLength(e.zjhm.trimmed());
        if (length != 15 && length != 18)
            return {QStringLiteral("您未正确填写证件号码信息，请检查后填写"), QStringLiteral("错误"), MsgIcon::Error,
                    QStringLiteral("edtZJHM")};
    }
    grxx.z_zjhm = e.zjhm.trimmed();
    grxx.z_csrq = formatProgramDate(e.csrq);

    check = requireText(e.zzmm, QStringLiteral("政治面貌"), QStringLiteral("edtZZMM"));
    if (check.ok())
        check = integerCode(e.zzmm, codeZZMM, QStringLiteral("政治面貌"), grxx.z_zzmm, QStringLiteral("edtZZMM"));
    if (check.ok())
        check = takePhoto(e.personalPhoto, QStringLiteral("您选择的个人图片的大小超过300*400,请重新选择"),
                          grxx.PersonalPhoto, grxx.HasPersonalPhoto);
    if (check.ok())
        check = takePhoto(e.certificatePhoto, QStringLiteral("您选择的证件图片的大小超过300*400,请重新选择"),
                          grxx.CertificatePhoto, grxx.HasCertificatePhoto);
    if (check.ok())
        check = takeEducation({e.firstXl, e.firstXw, e.firstBysj, e.firstSxzy, e.firstByyx, e.firstZshm},
                              {grxx.z_first_xl, grxx.z_first_xw, grxx.z_first_bysj, grxx.z_first_sxzy,
                               grxx.z_first_byyx, grxx.z_first_zshm},
                              QStringLiteral("第一学历"), QStringLiteral("First"));
    if (check.ok())
        check = takeEducation({e.lastXl, e.lastXw, e.lastBysj, e.lastSxzy, e.lastByyx, e.lastZshm},
                              {grxx.z_last_xl, grxx.z_last_xw, grxx.z_last_bysj, grxx.z_last_sxzy,
                               grxx.z_last_byyx, grxx.z_last_zshm},
                              QStringLiteral("最高学历"), QStringLiteral("Last"));
    if (!check.ok())
        return check;

    // The edit shows the confirmed unit's name; a text that is not that name
    // was typed and never confirmed, and would save another unit's code.
    check = requireText(e.gzdw, QStringLiteral("工作单位"), QStringLiteral("edtGZDW"));
    if (check.ok() && e.gzdw != GetCodeName(grxx.z_gzdw, codeGZDW))
        check = requireText(QString(), QStringLiteral("工作单位"), QStringLiteral("edtGZDW"));
    if (!check.ok())
        return check;
    const SupervisingUnits units = deriveSupervisingUnits(grxx.z_gzdw);
    grxx.z_yijzgbm = units.yijzgbm;
    grxx.z_erjzgbm = units.erjzgbm;
    grxx.z_sanjzgbm = units.sanjzgbm;
    grxx.z_sijzgbm = units.sijzgbm;
    grxx.z_cjgzsj = formatProgramDate(e.cjgzsj);

    check = requireText(e.dwxz, QStringLiteral("单位性质"), QStringLiteral("edtDWXZ"));
    if (check.ok())
        check = integerCode(e.dwxz, codeDWXZ, QStringLiteral("单位性质"), grxx.z_dwxz, QStringLiteral("edtDWXZ"));
    if (check.ok())
        check = requireText(e.cszy, QStringLiteral("从事专业"), QStringLiteral("edtCSZY"));
    if (!check.ok())
        return check;
    grxx.z_cszy = GetCodeByName(e.cszy, codeCSZY);

    check = requireText(e.dh1, QStringLiteral("固定电话"), QStringLiteral("edtDH1"));
    if (!check.ok())
        return check;
    grxx.z_dh1 = e.dh1.trimmed();
    check = requireText(e.dh2, QStringLiteral("手机"), QStringLiteral("edtDH2"));
    if (!check.ok())
        return check;
    grxx.z_dh2 = e.dh2.trimmed();
    grxx.z_dh3 = e.dh3.trimmed();
    grxx.z_dh4 = e.dh4.trimmed();
    grxx.z_bz = e.bz;
    return {};
}

} // namespace kvam
