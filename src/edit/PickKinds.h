#pragma once

#include "data/CodeCache.h"

namespace kvam {

// What the code picker offers for a pick kind: the cached array and whether
// it is shown as a tree (only leaves answer) or as a flat list.
struct PickKind {
    const TCodeArray *rows = nullptr;
    bool tree = false;
};

// The kind's array and view; rows is null for a kind no caller requests.
PickKind pickKind(int kind);

// What OK does for the kind besides SelectedName and SelectedCode: writes the
// code into CurGrxx (kind 10 also the parent series) or into the first empty
// slot of a multi-pick queue.
void applyPick(int kind, const TCodeStructure &row);

// Stores code in the first empty of the ten slots; false when all are full.
bool storeInFirstEmptySlot(QString (&slots)[10], const QString &code);
// The first non-empty slot's code, emptying that slot; empty when none is left.
QString takeFirstFilledSlot(QString (&slots)[10]);
void clearSlots(QString (&slots)[10]);

} // namespace kvam
