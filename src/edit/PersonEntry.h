#pragma once

#include "edit/PersonRecord.h"
#include "edit/RecordCheck.h"

#include <QByteArray>
#include <QDate>

namespace kvam {

// What the person editor shows: coded fields by their names, dates, the
// photos as JPEG bytes (empty when the picture is empty).
struct PersonEntry {
    QString xm;
    int xbIndex = 0; // 0 男, 1 女
    QString mz;
    QString zjlx;
    QString zjhm;
    QDate csrq;
    QString zzmm;
    QByteArray personalPhoto;
    QByteArray certificatePhoto;
    QString firstXl, firstXw;
    QDate firstBysj;
    QString firstSxzy, firstByyx, firstZshm;
    QString lastXl, lastXw;
    QDate lastBysj;
    QString lastSxzy, lastByyx, lastZshm;
    QString gzdw; // the unit's name as the edit shows it
    QDate cjgzsj;
    QString dwxz;
    QString cszy;
    QString dh1, dh2, dh3, dh4;
    QString bz;
};

// The name of the document type that switches on the identity-card rules.
bool isIdentityCard(const QString &documentTypeName);

// The birth date inside an identity number (trimmed): "19" + yymmdd of a
// 15-character number, yyyymmdd of an 18-character one, otherwise empty.
// The characters are not checked.
QString birthDateFromIdNumber(const QString &number);

// Checks the editor's fields in the order of the save and moves them into
// grxx as it goes, the codes looked up again from the shown names and the
// supervising units derived from the confirmed work unit. Stops at the
// first failure; the fields moved before it keep their new values.
RecordCheck takePersonEntry(const PersonEntry &entry, TGrxx &grxx);

} // namespace kvam
