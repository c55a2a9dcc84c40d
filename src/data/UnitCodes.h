#pragma once

#include <QString>

namespace kvam {

// The four supervising-unit codes of a record, derived from its work unit.
struct SupervisingUnits {
    QString yijzgbm;
    QString erjzgbm;
    QString sanjzgbm;
    QString sijzgbm;
};

// By the position of the first "0000" anywhere in the code (not group by
// group): 5 is a level-1 unit, 9 level 2, 13 level 3, anything else level 4.
SupervisingUnits deriveSupervisingUnits(const QString &workUnit);

} // namespace kvam
