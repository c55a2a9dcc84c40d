#include "cli/CliCommand.h"

#include <QMap>
#include <cstdio>

namespace kvam::cli {

namespace {

struct Entry {
    QString usage;
    Handler handler;
};

QMap<QString, Entry> &registry()
{
    static QMap<QString, Entry> commands;
    return commands;
}

} // namespace

bool Arguments::flag(const QString &name) { return m_args.removeAll(name) > 0; }

std::optional<QString> Arguments::option(const QString &name)
{
    const qsizetype i = m_args.indexOf(name);
    if (i < 0 || i + 1 >= m_args.size())
        return std::nullopt;
    const QString value = m_args.at(i + 1);
    m_args.remove(i, 2);
    return value;
}

QStringList Arguments::unknownOptions() const
{
    QStringList unknown;
    for (const QString &a : m_args) {
        if (a.startsWith(QStringLiteral("--")))
            unknown << a;
    }
    return unknown;
}

Command::Command(const char *name, const char *usage, Handler handler)
{
    registry().insert(QString::fromUtf8(name), {QString::fromUtf8(usage), std::move(handler)});
}

int run(const QString &name, Arguments &args)
{
    const auto it = registry().constFind(name);
    if (it == registry().constEnd()) {
        err(QStringLiteral("kvam-cli: unknown command %1\n").arg(name) + usage());
        return WrongUsage;
    }
    return it->handler(args);
}

QString usage()
{
    QString text = QStringLiteral("usage: kvam-cli [--dir DIR] COMMAND ...\n");
    for (auto it = registry().constBegin(); it != registry().constEnd(); ++it)
        text += QStringLiteral("  ") + it->usage + QLatin1Char('\n');
    return text;
}

void out(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

void err(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

} // namespace kvam::cli
