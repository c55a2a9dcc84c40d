#include "exchange/PackageRuns.h"

#include "app/untGlobal.h"
#include "exchange/TImportThread.h"

#include <QFileInfo>

namespace kvam {

QList<ImportedPackage> importPackages(const QStringList &files)
{
    QList<ImportedPackage> done;
    for (const QString &file : files) {
        ImportedPackage package{file, {}};
        ContinueFlag = 1;
        taskRunner().run([&](TaskReporter &reporter) { return new TImportThread(file, reporter, package.outcome); });
        done << package;
    }
    return done;
}

ClosingMessage importClosingMessage(const QList<ImportedPackage> &packages, int notStarted)
{
    const QString seeLogs = QStringLiteral("请到安装目录下log子目录中查看更新日志！");
    QStringList problems;
    bool failed = false;
    bool logged = false;
    for (const ImportedPackage &p : packages) {
        const QString package = QStringLiteral("文件[") + QFileInfo(p.file).fileName() + QLatin1Char(']');
        const ImportOutcome &o = p.outcome;
        logged = logged || !o.logFile.isEmpty();
        if (!o.ok) {
            failed = true;
            QString reason = o.message;
            reason.remove(QStringLiteral("导入信息时出错："));
            problems << (reason.startsWith(package) ? reason : package + QStringLiteral("：") + reason);
            continue;
        }
        if (o.stopped)
            problems << package + QStringLiteral("的导入已中止，已导入%1名人员").arg(o.updated + o.added);
        if (o.failed > 0)
            problems << package + QStringLiteral("中有%1名人员未能正确导入").arg(o.failed);
    }
    if (notStarted > 0)
        problems << QStringLiteral("其余%1个文件未导入").arg(notStarted);
    if (problems.isEmpty())
        return {QStringLiteral("数据已成功导入，") + seeLogs, QStringLiteral("提示"), MsgIcon::Warning};
    QString text = QStringLiteral("数据未能全部导入：\n") + problems.join(QLatin1Char('\n'));
    if (logged)
        text += QLatin1Char('\n') + seeLogs;
    if (failed)
        return {text, QStringLiteral("错误"), MsgIcon::Error};
    return {text, QStringLiteral("提示"), MsgIcon::Warning};
}

ClosingMessage exportClosingMessage(const ExportOutcome &outcome)
{
    if (outcome.ok)
        return {QStringLiteral("数据已成功导出"), QStringLiteral("提示"), MsgIcon::Warning};
    return {QStringLiteral("数据未能导出：") + outcome.message + QStringLiteral("，没有生成导出文件"),
            QStringLiteral("错误"), MsgIcon::Error};
}

void show(const ClosingMessage &message) { showMessage(message.text, message.caption, message.icon); }

} // namespace kvam
