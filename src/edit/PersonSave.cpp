#include "edit/PersonSave.h"

namespace kvam {

PersonSave savePersonRecord(QSqlDatabase db, const ApplicationDetails &details, const PersonEntry &entry,
                            int editMode, QString &oldZjhm, TGrxx &grxx)
{
    PersonSave save;
    save.check = checkApplicationDetails(details);
    if (!save.check.ok()) {
        save.reopenWizard = true;
        return save;
    }
    save.check = takeApplicationDetails(details, grxx);
    if (save.check.ok())
        save.check = takePersonEntry(entry, grxx);
    if (!save.check.ok())
        return save;

    save.write = writePersonRecord(db, grxx, editMode, oldZjhm);
    switch (save.write.outcome) {
    case PersonWrite::Duplicate:
        save.check = {QStringLiteral("您添加的证件号码已存在，请检查后填写"), QStringLiteral("错误"), MsgIcon::Error,
                      QStringLiteral("edtZJHM")};
        break;
    case PersonWrite::Failed:
        save.logMessage = editMode == 0 ? QStringLiteral("不能存储当前信息") : QStringLiteral("不能更新个人基本情况");
        break;
    default:
        break;
    }
    return save;
}

} // namespace kvam
