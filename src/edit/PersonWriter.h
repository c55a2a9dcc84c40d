#pragma once

#include "edit/PersonRecord.h"

#include <QSqlDatabase>

namespace kvam {

struct PersonWrite {
    enum Outcome {
        Written,
        Duplicate,  // a new record whose identity number exists: nothing written
        Failed,     // the database refused, or the update found no row
        NotWritten, // neither a new nor an existing record
    };
    Outcome outcome = NotWritten;
    QString errorText;
};

// Writes grxx to grjbxx00: editMode 0 inserts after checking that the
// identity number is new, 1 updates the row stored under oldZjhm (which then
// becomes the new number). Every value is a bound parameter: texts as text,
// codes as integers, dates as 'yyyy-MM-dd' text, photos as their JPEG bytes
// (no bytes for none). The review flags are left unset.
PersonWrite writePersonRecord(QSqlDatabase db, const TGrxx &grxx, int editMode, QString &oldZjhm);

} // namespace kvam
