#pragma once

#include "edit/PersonRecord.h"
#include "edit/RecordCheck.h"

#include <QDate>

namespace kvam {

// What the application details wizard shows: seven names and a date.
struct ApplicationDetails {
    QString zg;   // 申报资格
    QString dj;   // 申报等级
    QString zy;   // 申报专业
    QString jsfs; // 晋升方式
    QString jsj;  // 计算机成绩
    QString wy;   // 外语成绩
    QString jszg; // 现任技术资格
    QDate zgsj;   // 获得时间
};

// The seven names must be filled, in the wizard's order.
RecordCheck checkApplicationDetails(const ApplicationDetails &details);

// Looks up the level, promotion and the two results again from their names
// and takes the date. (The two qualifications and the field applied for were
// written when they were picked.)
RecordCheck takeApplicationDetails(const ApplicationDetails &details, TGrxx &grxx);

} // namespace kvam
