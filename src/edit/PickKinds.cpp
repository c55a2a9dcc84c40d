#include "edit/PickKinds.h"

#include "app/untGlobal.h"
#include "edit/PersonRecord.h"

namespace kvam {

PickKind pickKind(int kind)
{
    switch (kind) {
    case 1: return {&codeMZ, false};
    case 2: return {&codeZZMM, false};
    case 3: return {&codeZJLX, false};
    case 4: return {&codeXL, false};
    case 5: return {&codeXW, false};
    case 6: return {&codeSXZY, true};
    case 8: return {&codeDWXZ, false};
    case 9: return {&codeCSZY, true};
    case 10: return {&codeZYJSZG, true};
    case 21: return {&codeSBJB, false};
    case 22: return {&codeJSFS, false};
    case 23: return {&codeZCCJ, false};
    case 24: return {&codeZYJSXL, false};
    case 106: return {&codeSXZY, true};
    case 109: return {&codeCSZY, true};
    case 110: return {&codeZYJSZG, true};
    case 1109: return {&codeCSZY, true};
    case 1110: return {&codeZYJSZG, true};
    default: return {};
    }
}

void applyPick(int kind, const TCodeStructure &row)
{
    switch (kind) {
    case 6: CurGrxx.z_first_sxzy = row.bm; break;
    case 9: CurGrxx.z_cszy = row.bm; break;
    case 10:
        CurGrxx.z_sbzg = row.bm;
        CurGrxx.z_sbxl = row.sjbm;
        break;
    case 106: CurGrxx.z_last_sxzy = row.bm; break;
    case 109: CurGrxx.z_sbzy = row.bm; break;
    case 110: CurGrxx.z_xrjszg = row.bm; break;
    case 1109: storeInFirstEmptySlot(PickedCSZY, row.bm); break;
    case 1110: storeInFirstEmptySlot(PickedZYJSZG, row.bm); break;
    default: break;
    }
}

bool storeInFirstEmptySlot(QString (&slots)[10], const QString &code)
{
    for (QString &slot : slots) {
        if (slot.isEmpty()) {
            slot = code;
            return true;
        }
    }
    return false;
}

QString takeFirstFilledSlot(QString (&slots)[10])
{
    for (QString &slot : slots) {
        if (!slot.isEmpty()) {
            QString code = slot;
            slot.clear();
            return code;
        }
    }
    return {};
}

void clearSlots(QString (&slots)[10])
{
    for (QString &slot : slots)
        slot.clear();
}

} // namespace kvam
