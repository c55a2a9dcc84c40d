#include "edit/gui/PersonEditing.h"

#include "app/untGlobal.h"
#include "edit/PersonLoad.h"
#include "edit/gui/untGrxx.h"

#include <QWidget>

namespace kvam {

bool editCurrentRecord(QWidget *mainWindow, QSqlDatabase db, TfrmPersonInfoAddon &wizard,
                       const std::optional<QString> &currentZjhm)
{
    if (mainWindow)
        mainWindow->showMinimized();
    QString error;
    if (!loadPersonRecord(db, currentZjhm.value_or(QString()), CurGrxx, &error))
        LogError(QStringLiteral("读取个人信息失败!"), error);
    int tag = 0;
    {
        TfrmGrxx editor(db, wizard);
        editor.setTag(0);
        editor.exec();
        tag = editor.tag();
    }
    if (mainWindow)
        mainWindow->showNormal();
    return tag == 1 && currentZjhm.has_value();
}

} // namespace kvam
