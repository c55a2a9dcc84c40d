#pragma once

#include <QString>
#include <QtGlobal>

// A map from text keys to text values with separate chaining; the program's
// one instance holds the captions of the record columns.
namespace kvam {

struct THashEntry {
    THashEntry *Next = nullptr;
    quint32 Hash = 0;
    QString Key;
    QString Value;
    qint32 Tag = 0;
};

class THash {
public:
    THash();
    ~THash();
    THash(const THash &) = delete;
    THash &operator=(const THash &) = delete;
    // Takes the other map's entries; the other is left empty as if created.
    THash &operator=(THash &&other) noexcept;

    // Over the key's GBK bytes: h := h * 33 + b, then h + (h >> 5).
    static quint32 HashOf(const QString &key);

    void Store(const QString &key, const QString &value, bool setValue, qint32 tag, bool setTag);
    void Add(const QString &key, const QString &value) { Store(key, value, true, 0, false); }
    // The value of key, or an empty text.
    QString Get(const QString &key) const;
    // Multiplies the number of buckets by 2 to the power shift.
    void Grow(int shift);

    THashEntry **Buckets = nullptr;
    qint32 Mask = 7;
    qint32 Count = 0;
    qint32 MaxBuckets = -1;

private:
    void release();
};

// Table name followed by column name (grjbxx00z_xm) -> the column's caption.
extern THash DisplayNames;

} // namespace kvam
