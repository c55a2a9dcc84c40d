#include "edit/ApplicationDetails.h"

#include "app/ProgramDate.h"

namespace kvam {

RecordCheck checkApplicationDetails(const ApplicationDetails &d)
{
    const std::pair<const QString &, const char *> fields[] = {
        {d.zg, "申报资格"},   {d.dj, "申报等级"}, {d.zy, "申报专业"},     {d.jsfs, "晋升方式"},
        {d.jsj, "计算机成绩"}, {d.wy, "外语成绩"}, {d.jszg, "现任技术资格"},
    };
    for (const auto &[text, label] : fields) {
        const RecordCheck check = requireText(text, QString::fromUtf8(label));
        if (!check.ok())
            return check;
    }
    return {};
}

RecordCheck takeApplicationDetails(const ApplicationDetails &d, TGrxx &grxx)
{
    RecordCheck check = integerCode(d.dj, codeSBJB, QStringLiteral("申报等级"), grxx.z_sbdj);
    if (check.ok())
        check = integerCode(d.jsfs, codeJSFS, QStringLiteral("晋升方式"), grxx.z_jsfs);
    if (check.ok())
        check = integerCode(d.jsj, codeZCCJ, QStringLiteral("计算机成绩"), grxx.z_jsjcj);
    if (check.ok())
        check = integerCode(d.wy, codeZCCJ, QStringLiteral("外语成绩"), grxx.z_wycj);
    if (check.ok())
        grxx.z_xrjszgsj = formatProgramDate(d.zgsj);
    return check;
}

} // namespace kvam
