#include "edit/CodeTree.h"

#include <QHash>

namespace kvam {

namespace {

using ChildIndex = QHash<QString, QList<qsizetype>>;

// The children of the row with code bm, down to the given number of levels.
QList<CodeTreeNode> childrenOf(const TCodeArray &rows, const ChildIndex &byParent, const QString &bm, int levels)
{
    QList<CodeTreeNode> nodes;
    if (levels == 0)
        return nodes;
    for (qsizetype i : byParent.value(bm))
        nodes.append({i, childrenOf(rows, byParent, rows.at(i).bm, levels - 1)});
    return nodes;
}

} // namespace

QList<CodeTreeNode> buildCodeTree(const TCodeArray &rows)
{
    // One pass collects the children of every code in array order: the same
    // answer as scanning the whole array for each node, without the square.
    ChildIndex byParent;
    for (qsizetype i = 0; i < rows.size(); ++i)
        byParent[rows.at(i).sjbm].append(i);

    QList<CodeTreeNode> roots;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).dj == 1)
            roots.append({i, childrenOf(rows, byParent, rows.at(i).bm, 3)});
    }
    return roots;
}

} // namespace kvam
