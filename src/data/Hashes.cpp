#include "data/Hashes.h"

#include "platform/GbkText.h"

#include <algorithm>
#include <utility>

namespace kvam {

THash DisplayNames;

THash::THash() : Buckets(new THashEntry *[8]()) {}

THash::~THash() { release(); }

THash &THash::operator=(THash &&other) noexcept
{
    if (this != &other) {
        release();
        Buckets = std::exchange(other.Buckets, new THashEntry *[8]());
        Mask = std::exchange(other.Mask, 7);
        Count = std::exchange(other.Count, 0);
        MaxBuckets = std::exchange(other.MaxBuckets, -1);
    }
    return *this;
}

void THash::release()
{
    if (!Buckets)
        return;
    for (qint32 i = 0; i <= Mask; ++i) {
        THashEntry *e = Buckets[i];
        while (e) {
            THashEntry *next = e->Next;
            delete e;
            e = next;
        }
    }
    delete[] Buckets;
    Buckets = nullptr;
}

quint32 THash::HashOf(const QString &key)
{
    quint32 h = 0;
    for (const char c : toGbk(key))
        h = h * 33 + static_cast<unsigned char>(c);
    return h + (h >> 5);
}

void THash::Store(const QString &key, const QString &value, bool setValue, qint32 tag, bool setTag)
{
    // Tested on every store, also one that only updates.
    if (Count > Mask)
        Grow(1);
    const quint32 h = HashOf(key);
    THashEntry *&head = Buckets[h & static_cast<quint32>(Mask)];
    for (THashEntry *e = head; e; e = e->Next) {
        if (e->Hash == h && e->Key == key) {
            if (setValue)
                e->Value = value;
            if (setTag)
                e->Tag = tag;
            return;
        }
    }
    auto *entry = new THashEntry;
    entry->Next = head;
    entry->Hash = h;
    entry->Key = key;
    if (setValue)
        entry->Value = value;
    if (setTag)
        entry->Tag = tag;
    head = entry;
    ++Count;
}

QString THash::Get(const QString &key) const
{
    const quint32 h = HashOf(key);
    for (const THashEntry *e = Buckets[h & static_cast<quint32>(Mask)]; e; e = e->Next) {
        if (e->Hash == h && e->Key == key)
            return e->Value;
    }
    return {};
}

void THash::Grow(int shift)
{
    const qint32 n = Mask + 1;
    const qint64 m = qint64(n) << shift;
    if ((MaxBuckets != -1 && m > MaxBuckets) || m > (qint64(1) << 30))
        return;
    auto **buckets = new THashEntry *[m]();
    std::copy(Buckets, Buckets + n, buckets);
    delete[] Buckets;
    Buckets = buckets;
    Mask = static_cast<qint32>(m - 1);
    // Moved entries land only in the new slots, which the walk never visits.
    for (qint32 i = 0; i < n; ++i) {
        THashEntry **link = &Buckets[i];
        while (THashEntry *e = *link) {
            const qint32 slot = static_cast<qint32>(e->Hash & static_cast<quint32>(Mask));
            if (slot != i) {
                *link = e->Next;
                e->Next = Buckets[slot];
                Buckets[slot] = e;
            } else {
                link = &e->Next;
            }
        }
    }
}

} // namespace kvam
