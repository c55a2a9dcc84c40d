#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleUi.h"
#include "cli/TerminalProgress.h"
#include "cli/TerminalTaskRunner.h"
#include "platform/DocumentOpener.h"

#include <QCoreApplication>
#include <QDir>

using namespace kvam;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    QString dir;
    if (args.size() >= 2 && args.first() == QLatin1String("--dir")) {
        dir = QDir(args.at(1)).absolutePath();
        args.remove(0, 2);
    }
    if (args.isEmpty() || args.first() == QLatin1String("--help")) {
        cli::err(cli::usage());
        return args.isEmpty() ? cli::WrongUsage : cli::Done;
    }
    if (dir.isEmpty())
        InitGlobals();
    else
        InitGlobals(dir + QStringLiteral("/kvam-cli"));

    setUi(&cli::consoleUi());
    RecordingDocumentOpener opener; // nothing is opened: output files stay where the command says
    setDocumentOpener(&opener);
    cli::TerminalTaskRunner runner;
    setTaskRunner(&runner);
    cli::TerminalProgress progress;
    setProgressDisplay(&progress);

    const QString command = args.takeFirst();
    cli::Arguments arguments(args);
    try {
        return cli::run(command, arguments);
    } catch (const cli::Refused &refused) {
        cli::err(
            QStringLiteral("kvam-cli: a question needs an answer that no option gave: %1\n").arg(refused.question));
        return cli::WrongUsage;
    }
}
