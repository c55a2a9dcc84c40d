#pragma once

#include "data/CodeCache.h"
#include "edit/ApplicationDetails.h"
#include "edit/PersonEntry.h"

#include <QBuffer>
#include <QImage>

// A complete new applicant in the sample code tables, as the editor and the
// wizard would show it, with the codes its picks wrote into the record.
namespace kvam::test {

inline QByteArray jpegOfSize(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

inline ApplicationDetails sampleDetails()
{
    return {QStringLiteral("高级工程师"), QStringLiteral("副高级"), QStringLiteral("机械设计制造"),
            QStringLiteral("正常晋升"),  QStringLiteral("合格"),   QStringLiteral("免试"),
            QStringLiteral("工程师"),    QDate(2015, 3, 1)};
}

inline PersonEntry sampleEntry()
{
    PersonEntry e;
    e.xm = QStringLiteral(" 李四 ");
    e.xbIndex = 1;
    e.mz = QStringLiteral("回族");
    e.zjlx = QStringLiteral("身份证");
    e.zjhm = QStringLiteral("110101198001011234");
    e.csrq = QDate(1980, 1, 1);
    e.zzmm = QStringLiteral("群众");
    e.personalPhoto = jpegOfSize(300, 400);
    e.certificatePhoto = jpegOfSize(120, 80);
    e.firstXl = QStringLiteral("大学本科毕业");
    e.firstXw = QStringLiteral("学士学位");
    e.firstBysj = QDate(2002, 7, 1);
    e.firstSxzy = QStringLiteral("信息安全");
    e.firstByyx = QStringLiteral("北岭大学");
    e.firstZshm = QStringLiteral("A001");
    e.lastXl = QStringLiteral("硕士研究生毕业");
    e.lastXw = QStringLiteral("硕士学位");
    e.lastBysj = QDate(2005, 7, 1);
    e.lastSxzy = QStringLiteral("信息安全");
    e.lastByyx = QStringLiteral("河西大学");
    e.lastZshm = QStringLiteral("B002");
    e.gzdw = QStringLiteral("计算机科学与技术学院");
    e.cjgzsj = QDate(2005, 8, 1);
    e.dwxz = QStringLiteral("机关");
    e.cszy = QStringLiteral("机电一体化");
    e.dh1 = QStringLiteral("08711234567");
    e.dh2 = QStringLiteral("13900000000");
    e.bz = QStringLiteral("第一行\n第二行 ");
    return e;
}

// The codes the picks and the unit entry wrote for sampleEntry().
inline void presetPickedCodes(TGrxx &grxx)
{
    grxx.z_sbzg = QStringLiteral("0102");
    grxx.z_sbxl = QStringLiteral("01");
    grxx.z_sbzy = QStringLiteral("010101");
    grxx.z_xrjszg = QStringLiteral("0103");
    grxx.z_gzdw = QStringLiteral("1101100120010000");
}

} // namespace kvam::test
