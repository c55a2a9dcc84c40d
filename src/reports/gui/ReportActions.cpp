#include "reports/gui/ReportActions.h"

#include "app/untGlobal.h"
#include "platform/Ui.h"
#include "reports/RecordListExport.h"
#include "reports/Roster.h"
#include "reports/gui/untAnnounce.h"

namespace kvam {

void runExportToExcel()
{
    showMessage(QStringLiteral("本机必须装有微软Office电子表格软件！"), QStringLiteral("提示"), MsgIcon::Warning);
    exportRecordList(QueryConFile);
}

void runTrans()
{
    if (!askYesNo(QStringLiteral("在根据当前查询生成基本情况表？"), QStringLiteral("选择"), MsgIcon::None))
        return;
    buildRoster(QueryConFile);
}

void runAnnounce(QWidget *parent)
{
    TfrmAnnounce form(parent);
    form.exec();
}

} // namespace kvam
