#pragma once

#include <QHash>
#include <QList>
#include <QString>

// The code tables in memory: read once at start-up, only read afterwards.
namespace kvam {

// One cached code-table row; texts trimmed.
struct TCodeStructure {
    QString bm;
    QString pym;
    QString mc;
    QString sjbm;
    int dj = 0;
};

// The rows of one code table in ascending z_bm order, with indexes built once
// so that every lookup is constant-time and still answers the first match.
class TCodeArray {
public:
    TCodeArray() = default;
    explicit TCodeArray(QList<TCodeStructure> rows);

    void assign(QList<TCodeStructure> rows);
    void clear() { assign({}); }

    qsizetype size() const { return m_rows.size(); }
    qsizetype length() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const TCodeStructure &operator[](qsizetype i) const { return m_rows.at(i); }
    const TCodeStructure &at(qsizetype i) const { return m_rows.at(i); }
    const QList<TCodeStructure> &rows() const { return m_rows; }
    QList<TCodeStructure>::const_iterator begin() const { return m_rows.cbegin(); }
    QList<TCodeStructure>::const_iterator end() const { return m_rows.cend(); }

    // Index of the first row whose bm equals code exactly, or -1.
    qsizetype indexOfCode(const QString &code) const;
    // Index of the first row whose mc equals name exactly, or -1.
    qsizetype indexOfName(const QString &name) const;

private:
    QList<TCodeStructure> m_rows;
    QHash<QString, qsizetype> m_byCode;
    QHash<QString, qsizetype> m_byName;
};

extern TCodeArray codeZYJSZG;
extern TCodeArray codeZYJSXL;
extern TCodeArray codeSBJB;
extern TCodeArray codeCSZY;
extern TCodeArray codeJSFS;
extern TCodeArray codeZCCJ;
extern TCodeArray codeMZ;
extern TCodeArray codeZZMM;
extern TCodeArray codeZJLX;
extern TCodeArray codeXL;
extern TCodeArray codeXW;
extern TCodeArray codeSXZY;
extern TCodeArray codeGZDW;
extern TCodeArray codeDWXZ;

// The name of the first row whose trimmed code equals code (not trimmed
// itself), or an empty text.
QString GetCodeName(const QString &code, const TCodeArray &table);
// The same with the decimal text of number ("7", never "07").
QString GetCodeNameByInt(int number, const TCodeArray &table);
// The code of the first row whose name equals name, or "-1".
QString GetCodeByName(const QString &name, const TCodeArray &table);

} // namespace kvam
