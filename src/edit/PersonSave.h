#pragma once

#include "edit/ApplicationDetails.h"
#include "edit/PersonEntry.h"
#include "edit/PersonWriter.h"

namespace kvam {

struct PersonSave {
    // A failed check (a duplicate number included): nothing was written.
    RecordCheck check;
    // The failed check was one of the wizard's fields: show the wizard again.
    bool reopenWizard = false;
    PersonWrite write;
    // For a failed write: the text for LogError.
    QString logMessage;
};

// The whole save of the person editor: the wizard's details, the editor's
// fields, then the write. grxx takes the values as the checks pass.
PersonSave savePersonRecord(QSqlDatabase db, const ApplicationDetails &details, const PersonEntry &entry,
                            int editMode, QString &oldZjhm, TGrxx &grxx);

} // namespace kvam
