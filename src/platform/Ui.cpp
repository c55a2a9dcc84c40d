#include "platform/Ui.h"

#include <QStringList>
#include <cstdio>

namespace kvam {

namespace {

// Until something is installed, messages go to standard error and every
// question is answered with its negative button, so nothing waits forever.
class StderrUi : public Ui {
public:
    MsgAnswer message(const QString &text, const QString &caption, MsgIcon, MsgButtons buttons) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        switch (buttons) {
        case MsgButtons::Ok: return MsgAnswer::Ok;
        case MsgButtons::OkCancel: return MsgAnswer::Cancel;
        case MsgButtons::YesNo: return MsgAnswer::No;
        }
        return MsgAnswer::Cancel;
    }
    QString openFileName(const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    void beep() override {}
};

StderrUi fallbackUi;
Ui *installed = &fallbackUi;

} // namespace

Ui &ui() { return *installed; }

Ui *setUi(Ui *next)
{
    Ui *previous = installed;
    installed = next ? next : &fallbackUi;
    return previous;
}

void showMessage(const QString &text, const QString &caption, MsgIcon icon)
{
    ui().message(text, caption, icon, MsgButtons::Ok);
}

bool askYesNo(const QString &text, const QString &caption, MsgIcon icon)
{
    return ui().message(text, caption, icon, MsgButtons::YesNo) == MsgAnswer::Yes;
}

QStringList qtFiltersOf(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString name = parts.at(i);
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren > 0)
            name = name.left(paren);
        result << name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

} // namespace kvam
