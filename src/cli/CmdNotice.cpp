#include "cli/CliCommand.h"
#include "cli/ProgramData.h"
#include "data/CodeCache.h"
#include "edit/UnitCodeEntry.h"
#include "platform/Ui.h"
#include "reports/Notices.h"

#include <QFileInfo>

namespace kvam::cli {

namespace {

const char *const usageText = "notice --unit CODE [--units LIST] [--series LIST] [--levels LIST] OUT.docx";

int usageError(const QString &why = {})
{
    if (!why.isEmpty())
        err(QStringLiteral("kvam-cli: %1\n").arg(why));
    err(QStringLiteral("usage: kvam-cli [--dir DIR] %1\n"
                       "  LIST: codes separated by commas, or all (the default)\n")
            .arg(QString::fromUtf8(usageText)));
    return WrongUsage;
}

// The entries of offered whose codes list names, in the order offered; every
// code must be offered.
std::optional<QList<NoticeItem>> tick(const QList<NoticeItem> &offered, const QString &list, const QString &what,
                                      QString *error)
{
    if (list == QLatin1String("all"))
        return offered;
    const QStringList codes = list.split(u',', Qt::SkipEmptyParts);
    for (const QString &code : codes) {
        if (std::none_of(offered.begin(), offered.end(), [&](const NoticeItem &i) { return i.code == code; })) {
            *error = QStringLiteral("%1 is not one of the %2 offered").arg(code, what);
            return std::nullopt;
        }
    }
    QList<NoticeItem> ticked;
    for (const NoticeItem &item : offered) {
        if (codes.contains(item.code))
            ticked << item;
    }
    return ticked;
}

int notice(Arguments &args)
{
    const std::optional<QString> unit = args.option(QStringLiteral("--unit"));
    const QString units = args.option(QStringLiteral("--units")).value_or(QStringLiteral("all"));
    const QString series = args.option(QStringLiteral("--series")).value_or(QStringLiteral("all"));
    const QString levels = args.option(QStringLiteral("--levels")).value_or(QStringLiteral("all"));
    const QStringList rest = args.rest();
    if (!unit || rest.size() != 1 || !args.unknownOptions().isEmpty())
        return usageError();
    if (!loadCodeCache())
        return Failed;

    UnitCodeEntry entry(UnitEntryForm::Notice);
    if (entry.submit(*unit).lookup == UnitCodeEntry::Lookup::NotFound) {
        showMessage(UnitCodeEntry::notFoundMessage(), QStringLiteral("错误"), MsgIcon::Error);
        return Failed;
    }
    entry.confirm(*unit);

    QList<NoticeItem> offeredUnits, offeredLevels, offeredSeries;
    for (qsizetype i = 0; i < entry.ChildUnitCodes.size(); ++i)
        offeredUnits << NoticeItem{entry.ChildUnitCodes.at(i), entry.ChildUnitNames.value(i)};
    for (const TCodeStructure &level : codeSBJB)
        offeredLevels << NoticeItem{level.bm, level.mc};
    for (const TCodeStructure &s : codeZYJSXL) {
        if (s.dj == 1)
            offeredSeries << NoticeItem{s.bm, s.mc};
    }

    QString error;
    NoticeSelection selection;
    selection.unitLevel = entry.EnteredUnitLevel;
    const auto tickedUnits = tick(offeredUnits, units, QStringLiteral("units"), &error);
    const auto tickedSeries =
        tickedUnits ? tick(offeredSeries, series, QStringLiteral("series"), &error) : std::nullopt;
    const auto tickedLevels =
        tickedSeries ? tick(offeredLevels, levels, QStringLiteral("levels"), &error) : std::nullopt;
    if (!tickedLevels)
        return usageError(error);
    selection.units = *tickedUnits;
    selection.series = *tickedSeries;
    selection.levels = *tickedLevels;
    return buildNotices(selection, QFileInfo(rest.first()).absoluteFilePath()) == ReportEnd::Failed ? Failed : Done;
}

const Command command("notice", usageText, notice);

} // namespace

} // namespace kvam::cli
