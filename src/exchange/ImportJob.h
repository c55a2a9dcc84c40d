#pragma once

#include <QString>
#include <QStringList>

namespace kvam {

class TaskReporter;

struct ImportOptions {
    bool importRejected = false; // read every source record, not only z_shbz = 1
    bool updateStatus = false;   // an updated record takes its flags from the source
};

struct ImportOutcome {
    // The package was merged (or stopped on request) and its log written.
    bool ok = false;
    bool stopped = false;
    int updated = 0;
    int added = 0;
    int failed = 0;
    // Why not ok, in the system's words, and in the failing library's own.
    QString message;
    QString errorText;
    // The summary lines of the log, and the log file written.
    QStringList summary;
    QString logFile;
};

// Merges one data package into the database behind ConnectionString:
// unpacks kvam.mdb into temp/, walks its applicants (all, or those whose
// qualification review passed), updates the record of the same identity
// number or adds a new one, and writes the package's import log from
// ImportLogLines. Reports progress through reporter and asks whether to stop
// when ContinueFlag is not 1; a stop keeps what was merged. Shows nothing
// else: the caller reports a failure.
ImportOutcome importPackage(const QString &packageFile, const ImportOptions &options, TaskReporter &reporter);

} // namespace kvam
