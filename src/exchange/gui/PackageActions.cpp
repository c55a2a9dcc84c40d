#include "exchange/gui/PackageActions.h"

#include "app/untGlobal.h"
#include "exchange/PackageRuns.h"
#include "exchange/TExportThread.h"
#include "exchange/gui/untImportFileSelect.h"
#include "platform/Ui.h"

namespace kvam {

void acExportExecute(const DataModuleStep &closeAllDataSet, const DataModuleStep &setUpAgain)
{
    const QString question =
        ExportAll ? QStringLiteral("您是否确认要导出所有数据？") : QStringLiteral("您是否确认要导出查询所列举数据？");
    if (!askYesNo(question))
        return;
    const QString file = ui().saveFileName(QStringLiteral("导出文件(*.ps)|*.ps"), QStringLiteral("ps"));
    if (file.isEmpty())
        return;
    closeAllDataSet();
    const ExportOutcome outcome = runExport(file, ExportAll, QueryConFile);
    setUpAgain();
    show(exportClosingMessage(outcome));
}

void acImportExecute(QWidget *parent, const DataModuleStep &closeAllDataSet, const DataModuleStep &setUpAgain)
{
    QStringList files;
    {
        TfrmImportFileSelect chooser(parent);
        chooser.exec();
        if (chooser.cancelled())
            return;
        files = chooser.selectedFiles();
    }
    if (files.isEmpty()) {
        showMessage(QStringLiteral("您并为选择任何需要导入的数据!"), QStringLiteral("提示"), MsgIcon::Warning);
        return;
    }
    closeAllDataSet();
    const QList<ImportedPackage> packages = importPackages(files);
    setUpAgain();
    show(importClosingMessage(packages));
}

} // namespace kvam
