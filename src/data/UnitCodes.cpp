#include "data/UnitCodes.h"

namespace kvam {

SupervisingUnits deriveSupervisingUnits(const QString &code)
{
    const qsizetype p = code.indexOf(QStringLiteral("0000")) + 1;
    const QString level1 = code.left(4) + QStringLiteral("000000000000");
    const QString level2 = code.left(8) + QStringLiteral("00000000");
    const QString level3 = code.left(12) + QStringLiteral("0000");
    switch (p) {
    case 5: return {code, {}, {}, {}};
    case 9: return {level1, code, {}, {}};
    case 13: return {level1, level2, code, {}};
    default: return {level1, level2, level3, code};
    }
}

} // namespace kvam
