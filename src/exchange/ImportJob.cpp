#include "exchange/ImportJob.h"

#include "app/BackgroundTask.h"
#include "app/untGlobal.h"
#include "exchange/ApplicantMerger.h"
#include "exchange/ExportJob.h"
#include "exchange/PackageArchive.h"
#include "exchange/PackageSource.h"
#include "platform/Ui.h"

#include <QFileInfo>

namespace kvam {

namespace {

// One package's log, counters and lists. Records merged since the last
// commit wait in the pending lists: only a commit makes them updated or added.
class ImportLog {
public:
    ImportLog(ImportOutcome &outcome, QStringList &lines) : m_outcome(outcome), m_lines(lines) { m_lines.clear(); }

    void add(const QString &line) { m_lines << line; }
    void fail(const QString &reason, const QString &errorText)
    {
        if (m_outcome.message.isEmpty()) {
            m_outcome.message = QStringLiteral("导入信息时出错：") + reason;
            m_outcome.errorText = errorText;
        }
        m_lines << QStringLiteral("导入信息时出错：") + reason;
    }

    void pendingUpdate(const QString &entry) { m_pendingUpdated << entry; }
    void pendingAdd(const QString &entry) { m_pendingAdded << entry; }
    void refuse(const QString &entry)
    {
        m_refused << entry;
        ++m_outcome.failed;
    }
    void committed()
    {
        m_updated += m_pendingUpdated;
        m_added += m_pendingAdded;
        m_outcome.updated += static_cast<int>(m_pendingUpdated.size());
        m_outcome.added += static_cast<int>(m_pendingAdded.size());
        m_pendingUpdated.clear();
        m_pendingAdded.clear();
    }
    // The database dropped the records of the open transaction.
    void lost()
    {
        for (const QString &entry : m_pendingUpdated + m_pendingAdded)
            refuse(entry);
        m_pendingUpdated.clear();
        m_pendingAdded.clear();
    }

    void summarize()
    {
        QStringList &summary = m_outcome.summary;
        if (m_outcome.failed > 0)
            summary << QStringLiteral("未能正确导入人员%1名.").arg(m_outcome.failed);
        if (m_outcome.updated > 0)
            summary << QStringLiteral("共更新人员%1名.").arg(m_outcome.updated);
        if (m_outcome.added > 0)
            summary << QStringLiteral("共新增人员%1名.").arg(m_outcome.added);
        m_lines += summary;
        if (m_outcome.failed > 0)
            m_lines << QStringLiteral("未导入人员信息如下：") << m_refused;
        if (m_outcome.updated > 0)
            m_lines << QStringLiteral("更新人员信息如下：") << m_updated;
        if (m_outcome.added > 0)
            m_lines << QStringLiteral("新增人员信息如下：") << m_added;
    }

private:
    ImportOutcome &m_outcome;
    QStringList &m_lines;
    QStringList m_pendingUpdated, m_pendingAdded;
    QStringList m_refused, m_updated, m_added;
};

QString sourceFailureText(PackageSource::Failure failure, const PackageSource &source)
{
    switch (failure) {
    case PackageSource::Failure::None:
        return {};
    case PackageSource::Failure::NotDatabase:
        return QStringLiteral("中的kvam.mdb不是有效的数据文件");
    case PackageSource::Failure::NoApplicantTable:
        return QStringLiteral("中的数据文件没有个人基本信息表grjbxx00");
    case PackageSource::Failure::MissingColumns:
        return QStringLiteral("中的个人基本信息表缺少字段") + source.missingColumns().join(QStringLiteral("、"));
    case PackageSource::Failure::ReadFailed:
        return QStringLiteral("中的个人基本信息无法读取");
    }
    return {};
}

// Steps 5 and 6: connect, walk the source, merge. Returns when the package
// is done, stopped or failed; the log says which.
void merge(const QString &packageFile, const QString &name, const ImportOptions &options, TaskReporter &reporter,
           ImportOutcome &outcome, ImportLog &log)
{
    const QString package = QStringLiteral("文件[") + name + QLatin1Char(']');
    log.add(QStringLiteral("关闭数据文件成功！"));
    ApplicantMerger merger;
    if (!merger.connect(DataSourceOf(ConnectionString))) {
        log.fail(QStringLiteral("链接数据库失败"), merger.error());
        return;
    }
    PackageSource source;
    const PackageSource::Failure opened = source.open(workingCopyFile(), options.importRejected);
    if (opened != PackageSource::Failure::None) {
        log.fail(package + sourceFailureText(opened, source),
                 source.error().isEmpty() ? source.missingColumns().join(QLatin1Char(',')) : source.error());
        return;
    }
    log.add(QStringLiteral("连接个人基本信息源数据文件成功！"));
    if (!merger.prepare(options.updateStatus, source.hasZkbz())) {
        log.fail(QStringLiteral("无法打开个人基本信息表"), merger.error());
        return;
    }
    log.add(QStringLiteral("打开个人基本信息数据文件成功！"));

    const QString progress = QStringLiteral("正在从文件") + packageFile + QStringLiteral("中导入%1/") +
                             QString::number(source.count()) + QStringLiteral("条个人信息;");
    int row = 0;
    bool saved = true;
    while (source.next()) {
        if (ContinueFlag.load() != 1) {
            if (askYesNo(QStringLiteral("是否确认要退出程序"))) {
                outcome.stopped = true;
                break;
            }
            ContinueFlag = 1;
        }
        reporter.setStatus(progress.arg(++row));
        if (source.numberIsEmpty()) {
            log.refuse(source.entry());
            continue;
        }
        switch (merger.merge(source)) {
        case ApplicantMerger::Result::Updated:
            log.pendingUpdate(source.entry());
            break;
        case ApplicantMerger::Result::Added:
            log.pendingAdd(source.entry());
            break;
        case ApplicantMerger::Result::Failed:
            log.refuse(source.entry());
            break;
        }
        if (merger.transactionLost() || !merger.commitIfFull()) {
            saved = false;
            break;
        }
        if (merger.pending() == 0)
            log.committed();
    }
    const bool readFailed = source.failed();
    if (saved && merger.commit()) {
        log.committed();
    } else {
        log.lost();
        log.fail(package + QStringLiteral("中的人员信息未能保存到数据库"), merger.error());
    }
    if (readFailed)
        log.fail(package + QStringLiteral("中的个人基本信息读取出错"), source.error());
    log.summarize();
}

} // namespace

ImportOutcome importPackage(const QString &packageFile, const ImportOptions &options, TaskReporter &reporter)
{
    ImportOutcome outcome;
    ImportLog log(outcome, ImportLogLines);
    const QString name = QFileInfo(packageFile).fileName();

    const QString copy = workingCopyFile();
    QString detail;
    const UnpackFailure unpacked =
        removeDatabaseFile(copy) ? extractPackageDatabase(packageFile, copy, &detail) : UnpackFailure::WriteFailed;
    if (unpacked != UnpackFailure::None) {
        log.fail(QStringLiteral("文件[") + name + QLatin1Char(']') + unpackFailureText(unpacked), detail);
    } else {
        log.add(QStringLiteral("解压缩文件") + packageFile + QStringLiteral("成功"));
        merge(packageFile, name, options, reporter, outcome, log);
    }

    QString error;
    outcome.logFile = WriteImportLog(name, ImportLogLines, &error);
    if (outcome.logFile.isEmpty() && outcome.message.isEmpty()) {
        outcome.message = QStringLiteral("导入信息时出错：文件[") + name + QStringLiteral("]的导入日志无法写入log目录");
        outcome.errorText = error;
    }
    outcome.ok = outcome.message.isEmpty();
    return outcome;
}

} // namespace kvam
