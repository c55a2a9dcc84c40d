#include "reports/ReportProgress.h"

#include "app/Progress.h"
#include "platform/Ui.h"

namespace kvam {

bool reportStopRequested(int percent, const QString &caption)
{
    if (!ShowProgress(percent, caption))
        return false;
    return ui().message(QStringLiteral("数据尚未完全导出，确认中止吗?"), QStringLiteral("提示"), MsgIcon::Question,
                        MsgButtons::OkCancel) == MsgAnswer::Ok;
}

} // namespace kvam
