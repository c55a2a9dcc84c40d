#include "reports/office/OfficeOutput.h"

#include "app/untGlobal.h"
#include "platform/DocumentOpener.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace kvam {

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool publishDocument(const QString &staged, const QString &path, QString *error)
{
    QFile in(staged);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("cannot read %1: %2").arg(staged, in.errorString()));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size())
            return fail(error, QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
    }
    if (in.error() != QFile::NoError)
        return fail(error, QStringLiteral("cannot read %1: %2").arg(staged, in.errorString()));
    if (!out.commit())
        return fail(error, QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
    return true;
}

bool showDocument(const QString &staged, const QString &suffix, QString *error)
{
    if (AppDir.isEmpty())
        return fail(error, QStringLiteral("the program directory is not known"));
    QDir temp(AppDir + QStringLiteral("/temp"));
    if (!temp.mkpath(QStringLiteral(".")))
        return fail(error, QStringLiteral("cannot create %1").arg(temp.path()));

    // A name nobody used: the time, then a counter. QSaveFile cannot refuse an
    // existing name, so the check and the publish run close together.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path;
    for (int n = 1; path.isEmpty() || QFile::exists(path); ++n)
        path = temp.filePath(QStringLiteral("kvam-%1-%2%3").arg(stamp).arg(n).arg(suffix));
    if (!publishDocument(staged, path, error))
        return false;
    if (!documentOpener().open(path))
        return fail(error, QStringLiteral("cannot open %1").arg(path));
    return true;
}

} // namespace kvam
