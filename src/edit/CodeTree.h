#pragma once

#include "data/CodeCache.h"

#include <QList>

namespace kvam {

// One node of a code tree: the index of its row in the array and its children.
struct CodeTreeNode {
    qsizetype row = -1;
    QList<CodeTreeNode> children;
};

// The array as a tree of at most four levels, each level in array order: the
// rows with dj 1 are the roots, and below them the rows whose sjbm is the
// parent's bm (their dj is not consulted). Rows deeper than four levels, or
// whose parent chain does not reach a dj-1 row, are left out.
QList<CodeTreeNode> buildCodeTree(const TCodeArray &rows);

} // namespace kvam
