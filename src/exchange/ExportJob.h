#pragma once

#include <QString>

namespace kvam {

struct ExportOutcome {
    bool ok = false;
    // The failure in the system's words ("无法由查询导出数据", "导出个人信息时出错")
    // and in the failing library's own, for error.log.
    QString message;
    QString errorText;
};

// Writes a data package of the database behind ConnectionString to
// packageFile. The database is first copied by SQLite itself into the working
// copy temp/kvam.mdb (a consistent snapshot whatever journal lies beside the
// file, without the leftovers of deleted rows); unless whole, the copy then
// loses every applicant for which the condition in conditionFile (Jet
// dialect) is true under "not", exactly as
// "delete from grjbxx00 where 1=1 and not " + the condition lines.
// A copy or filter that fails writes no package. The working copy stays.
ExportOutcome exportPackage(const QString &packageFile, bool whole, const QString &conditionFile);

// The working copy of export and import: AppDir/temp/kvam.mdb.
QString workingCopyFile();
// Removes a database file and any journal beside it.
bool removeDatabaseFile(const QString &file);

} // namespace kvam
