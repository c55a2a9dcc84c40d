#pragma once

#include <QSqlDatabase>
#include <QString>

// Replacing the fifteen code tables of the main database from a code package.
namespace kvam {

struct CodeUpgradeResult {
    bool upgraded = false;
    // On failure: the program's message ("导入代码信息时出错" or "更新失败")
    // and what went wrong, naming the table and the code.
    QString message;
    QString error;
};

// The working copy of a code package: AppDir/temp/code.mdb.
QString CodePackageCopyFile();

// Copies packageFile to the working copy and upgrades the main database
// (DataSourceOf(ConnectionString)) from it: the fifteen tables change
// together in one transaction, or not at all. Uses connections of its own
// on the calling thread and closes them before it returns.
CodeUpgradeResult UpgradeCodeTables(const QString &packageFile);

// Makes table of target hold exactly the codes of the same table of package:
// codes the package lacks are removed, codes on both sides take the package's
// five other columns, codes only in the package are added. Codes match
// exactly. Returns false with *error (naming the table, and the code when a
// row fails) and leaves the rollback to the caller.
bool CopyCodeTable(QSqlDatabase &package, QSqlDatabase &target, const QString &table, QString *error);

// The upgrade as the program runs it: on a TUpgradeCodeThread through the
// task runner, then, when refused, LogError with the message and a notice
// that the codes were not changed. True when the tables were upgraded.
bool UpgradeCodes(const QString &packageFile);

} // namespace kvam
