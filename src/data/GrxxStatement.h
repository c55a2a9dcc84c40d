#pragma once

#include <QString>
#include <QStringList>

// The main record query: a fixed select list over grjbxx00 followed by the
// lines of the query condition file.
namespace kvam {

// The 80 lines in front of the condition, blanks included (Jet dialect).
const QStringList &GrxxSelectLines();

// The query text in the Jet dialect: the fixed lines, then the lines of
// conditionFile. Fails with *error when the file cannot be read or holds no
// condition.
bool GrxxQueryText(const QString &conditionFile, QString &text, QString *error = nullptr);

// The columns that the grid keeps hidden: the remark and the three raw flags.
const QStringList &GrxxHiddenColumns();

} // namespace kvam
