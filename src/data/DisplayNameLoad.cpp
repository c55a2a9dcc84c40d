#include "data/DisplayNameLoad.h"

#include "data/Hashes.h"

#include <QSqlError>
#include <QSqlQuery>

namespace kvam {

bool LoadDisplayNames(const QSqlDatabase &db, THash &names, QString *error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select z_tablename,z_fieldname,z_displayname from TABLEFIELD_NAME"))) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    while (query.next()) {
        names.Add(query.value(0).toString().trimmed() + query.value(1).toString().trimmed(),
                  query.value(2).toString().trimmed());
    }
    return true;
}

} // namespace kvam
