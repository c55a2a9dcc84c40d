#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>

// Process-wide settings and the small routines that many forms share.
namespace kvam {

// Set once by InitGlobals.
extern QString AppDir;
extern QString ConnectionString;
extern QString QueryConFile;
extern bool ExportAll;
extern QDate DefaultDate;

// 1 = go on, 0 = the user asked the running background task to stop.
extern std::atomic<int> ContinueFlag;

// The import chooser's two options and the lines of the running import's log.
extern bool ImportUpdateStatus;
extern bool ImportRejected;
extern QStringList ImportLogLines;

// A field the query condition builder offers.
struct TQueryField {
    QString FieldName;
    int FieldType = 0; // 0 whole number, 1 text, 2 real number, 3 date, 4 Boolean
    QString DisplayName;
};
extern TQueryField QueryFields[16];
extern int QueryFieldCount;

// The answer of the last code pick, and the codes of the multi-pick kinds.
extern QString SelectedName;
extern QString SelectedCode;
extern QString PickedZYJSZG[10];
extern QString PickedCSZY[10];

// The program directory of a program file: everything before its last path
// separator, searched from the second-to-last character.
QString AppDirOf(const QString &programFile);
// The value after "Data Source=" in a connection string: the database file.
QString DataSourceOf(const QString &connectionString);
QString ConnectionStringFor(const QString &databaseFile, bool shareDenyNone = true);

// Derives every path from the running program's file.
void InitGlobals();
void InitGlobals(const QString &programFile);
// Creates temp/ and log/ under AppDir when they are missing.
bool CreateWorkingDirectories();

// Appends message and the error's own text to error.log, then shows message.
// A log that cannot be written does not stop the message.
void LogError(const QString &message, const QString &errorText);

// Writes the import log of a package into log/. A log of the same name written
// earlier is kept: the new one gets a numeric suffix. Returns the path written,
// or an empty text (and *error) when the log cannot be written.
QString WriteImportLog(const QString &packageName, const QStringList &lines, QString *error = nullptr);

// True when text is no date; otherwise date holds it (today for an empty text).
bool IsInvalidDate(const QString &text, QDate &date);

// The condition file then selects nothing.
bool ResetQueryCondition();

// Column widths in pixels: the larger of the title's and the first row's
// trimmed text, counted in GBK bytes, times 10.
QList<int> AutoFitWidths(const QStringList &titles, const QStringList &firstRow);

} // namespace kvam
