#include "cli/ProgramData.h"

#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "data/CodeCacheLoad.h"
#include "data/Database.h"
#include "data/DisplayNameLoad.h"
#include "data/Hashes.h"

#include <functional>

namespace kvam::cli {

namespace {

bool readDatabase(const QString &what, const std::function<bool(const QSqlDatabase &, QString *)> &read)
{
    const QString name = QStringLiteral("cli-program-data");
    OpenOptions readOnly;
    readOnly.readOnly = true;
    QString error;
    bool ok = false;
    {
        QSqlDatabase db = openSqlite(name, DataSourceOf(ConnectionString), readOnly, &error);
        ok = db.isOpen() && read(db, &error);
    }
    closeSqlite(name);
    if (!ok)
        err(QStringLiteral("kvam-cli: cannot read %1: %2\n").arg(what, error));
    return ok;
}

} // namespace

bool loadDisplayNames()
{
    return readDatabase(QStringLiteral("the display names"), [](const QSqlDatabase &db, QString *error) {
        DisplayNames = THash();
        return LoadDisplayNames(db, DisplayNames, error);
    });
}

bool loadCodeCache()
{
    return readDatabase(QStringLiteral("the code tables"),
                        [](const QSqlDatabase &db, QString *error) { return LoadCodeCache(db, error); });
}

} // namespace kvam::cli
