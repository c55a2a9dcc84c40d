#pragma once

#include "edit/PersonRecord.h"

#include <QSqlDatabase>

namespace kvam {

// Reads the applicant with the identity number zjhm into grxx: z_zjhm is
// cleared first and the columns are copied only when the row exists, so a
// missing row leaves an empty z_zjhm. Photos of 100 bytes or fewer, or that
// are no JPEG image, count as none. False, with *error, when the database
// fails; the fields read before the failure keep their new values.
bool loadPersonRecord(QSqlDatabase db, const QString &zjhm, TGrxx &grxx, QString *error = nullptr);

} // namespace kvam
