#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace kvam::cli {

// Exit codes of kvam-cli.
enum ExitCode { Done = 0, Failed = 1, WrongUsage = 2 };

// The arguments of one command, taken one by one; whatever is left over at
// the end is wrong usage.
class Arguments {
public:
    explicit Arguments(QStringList args) : m_args(std::move(args)) {}

    bool flag(const QString &name);
    std::optional<QString> option(const QString &name);
    QStringList rest() const { return m_args; }
    QStringList unknownOptions() const;

private:
    QStringList m_args;
};

using Handler = std::function<int(Arguments &)>;

// Each command file registers itself with a static Command object.
struct Command {
    Command(const char *name, const char *usage, Handler handler);
};

int run(const QString &name, Arguments &args);
QString usage();

// Writes to standard output / standard error as UTF-8.
void out(const QString &text);
void err(const QString &text);

// Thrown when a question needs an answer that no flag gave: exit code 2.
struct Refused {
    QString question;
};

} // namespace kvam::cli
