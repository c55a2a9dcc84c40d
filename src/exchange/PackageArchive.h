#pragma once

#include <QString>
#include <QtGlobal>

// The ZIP file of a data package (*.ps): one entry, kvam.mdb, holding the
// database file. Packages come from other offices, so reading trusts nothing
// in them: only the database entry is taken, by its base name, into one file
// the caller names, and its size is capped before it can fill the disk.
namespace kvam {

// The one entry of a data package.
inline constexpr char PackageEntryName[] = "kvam.mdb";

// Writes packageFile as a standard ZIP with the one entry kvam.mdb holding
// databaseFile, deflated at level 9. The archive is built under a temporary
// name beside packageFile and renamed at the end, so packageFile is either the
// old file or the complete new package, never a half-written one.
bool writePackage(const QString &packageFile, const QString &databaseFile, QString *error = nullptr);

// Why a package could not be unpacked.
enum class UnpackFailure {
    None,
    NotZip,      // not a ZIP archive at all
    Damaged,     // a ZIP, but truncated, inconsistent or failing its checks
    NoDatabase,  // no entry named kvam.mdb
    Ambiguous,   // more than one entry named kvam.mdb
    Encrypted,   // the entry needs a password
    TooLarge,    // declared or actual size beyond the limit
    NoSpace,     // the entry does not fit on the disk
    WriteFailed, // the target file could not be written
};

// The largest database a package may unpack to: 4 GiB, and no more than 200
// times the package (but at least 16 MiB, so small packages of small
// databases always fit). Real databases deflate far less than 200 to 1.
qint64 unpackLimit(qint64 packageSize);

// Extracts the entry whose base name (after the last '/' or '\', compared
// without regard to case) is kvam.mdb to targetFile. Nothing else of the
// archive is written anywhere. The data goes to a temporary name beside
// targetFile first, so a refused or broken entry leaves no targetFile.
// *detail gets the library's own words for the log.
UnpackFailure extractPackageDatabase(const QString &packageFile, const QString &targetFile, QString *detail = nullptr);

// The reason in the system's words, following the package's name:
// "文件[a.ps]" + unpackFailureText(…).
QString unpackFailureText(UnpackFailure failure);

} // namespace kvam
