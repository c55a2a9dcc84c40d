#include "data/CodeCache.h"

namespace kvam {

TCodeArray codeZYJSZG;
TCodeArray codeZYJSXL;
TCodeArray codeSBJB;
TCodeArray codeCSZY;
TCodeArray codeJSFS;
TCodeArray codeZCCJ;
TCodeArray codeMZ;
TCodeArray codeZZMM;
TCodeArray codeZJLX;
TCodeArray codeXL;
TCodeArray codeXW;
TCodeArray codeSXZY;
TCodeArray codeGZDW;
TCodeArray codeDWXZ;

TCodeArray::TCodeArray(QList<TCodeStructure> rows) { assign(std::move(rows)); }

void TCodeArray::assign(QList<TCodeStructure> rows)
{
    m_rows = std::move(rows);
    m_byCode.clear();
    m_byName.clear();
    m_byCode.reserve(m_rows.size());
    m_byName.reserve(m_rows.size());
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        // The first row keeps its place: later duplicates never answer.
        if (!m_byCode.contains(m_rows.at(i).bm))
            m_byCode.insert(m_rows.at(i).bm, i);
        if (!m_byName.contains(m_rows.at(i).mc))
            m_byName.insert(m_rows.at(i).mc, i);
    }
}

qsizetype TCodeArray::indexOfCode(const QString &code) const { return m_byCode.value(code, -1); }

qsizetype TCodeArray::indexOfName(const QString &name) const { return m_byName.value(name, -1); }

QString GetCodeName(const QString &code, const TCodeArray &table)
{
    const qsizetype i = table.indexOfCode(code);
    return i < 0 ? QString() : table.at(i).mc;
}

QString GetCodeNameByInt(int number, const TCodeArray &table)
{
    return GetCodeName(QString::number(number), table);
}

QString GetCodeByName(const QString &name, const TCodeArray &table)
{
    const qsizetype i = table.indexOfName(name);
    return i < 0 ? QStringLiteral("-1") : table.at(i).bm;
}

} // namespace kvam
