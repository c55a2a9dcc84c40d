#pragma once

#include "reports/ReportProgress.h"

#include <QList>
#include <QString>

// The qualification notices: one page per chosen unit and series, naming
// level by level the applicants of that unit and series who passed all three
// reviews. Letterhead, number, issuer and date are placeholders for the
// clerk; every value from the data is red for checking.
namespace kvam {

// A ticked entry of one of the notice form's lists.
struct NoticeItem {
    QString code;
    QString name;
};

struct NoticeSelection {
    // The level of the supervising unit whose children are the units.
    int unitLevel = 0;
    QList<NoticeItem> units;
    QList<NoticeItem> series;
    QList<NoticeItem> levels;
};

// What one notice says about its unit and series.
struct NoticeNames {
    qint64 count = 0;  // n: names over all levels
    QString first;     // F: the first name of the last level that found any
    QString levelList; // L: per level its heading line and its names line
};

// The name query of a unit whose supervising unit has unitLevel, with the
// text parameters :p_dwbm, :p_psxl and :p_sbdj. Below level 3 there is no
// unit column, and no unit line.
QString noticeNameStatement(int unitLevel);

// Runs the name query for each level in order. A level whose query fails
// goes to LogError as "进行数据组合时错误" and adds nothing.
NoticeNames gatherNoticeNames(const NoticeItem &unit, const NoticeItem &series, const QList<NoticeItem> &levels,
                              int unitLevel);

// Builds one notice per unit and series (units outside, series inside) with
// progress after each; savePath empty shows the document to the user (under
// temp/), otherwise it is written there. Stopping at the cancel question keeps
// the notices written. Other failures: "无法生成任职资格通知" through LogError.
ReportEnd buildNotices(const NoticeSelection &selection, const QString &savePath = {});

} // namespace kvam
