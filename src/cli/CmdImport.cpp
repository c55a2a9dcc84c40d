#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleUi.h"
#include "exchange/PackageRuns.h"

#include <QFileInfo>

#include <csignal>

namespace kvam::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

// Ctrl+C is the wait window's Esc: the running package stops after its
// current record and keeps what it merged; no later package starts.
// A second Ctrl+C ends the process at once (the database stays whole).
extern "C" void onInterrupt(int)
{
    interrupted = 1;
    ContinueFlag.store(0);
}

class InterruptStops {
public:
    InterruptStops()
    {
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
    }
    ~InterruptStops() { sigaction(SIGINT, &m_previous, nullptr); }

private:
    struct sigaction m_previous {};
};

int importCommand(Arguments &args)
{
    const bool allRecords = args.flag(QStringLiteral("--all-records"));
    const bool updateStatus = args.flag(QStringLiteral("--update-status"));
    const QStringList packages = args.rest();
    if (packages.isEmpty() || !args.unknownOptions().isEmpty()) {
        err(QStringLiteral("usage: kvam-cli [--dir DIR] import [--all-records] [--update-status] PACKAGE.ps...\n"));
        return WrongUsage;
    }
    ImportRejected = allRecords;
    ImportUpdateStatus = updateStatus;
    // The only question of an import is whether to stop after Ctrl+C.
    consoleUi().answerAll(MsgAnswer::Yes);

    QList<ImportedPackage> done;
    {
        InterruptStops stops;
        for (const QString &package : packages) {
            if (interrupted)
                break;
            done += importPackages({QFileInfo(package).absoluteFilePath()});
            const ImportedPackage &last = done.last();
            const QString name = QFileInfo(last.file).fileName();
            for (const QString &line : last.outcome.summary)
                out(name + QStringLiteral(": ") + line + QLatin1Char('\n'));
            if (!last.outcome.logFile.isEmpty())
                out(name + QStringLiteral(": 导入日志 ") + last.outcome.logFile + QLatin1Char('\n'));
        }
    }
    const int notStarted = static_cast<int>(packages.size() - done.size());
    show(importClosingMessage(done, notStarted));
    bool ok = notStarted == 0;
    for (const ImportedPackage &p : done)
        ok = ok && p.outcome.ok && !p.outcome.stopped;
    return ok ? Done : Failed;
}

const Command command("import", "import [--all-records] [--update-status] PACKAGE.ps...", importCommand);

} // namespace

} // namespace kvam::cli
