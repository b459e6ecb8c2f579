#pragma once

#include <list>
#include <optional>

#include <QHash>
#include <QImage>
#include <QMutex>
#include <QString>

// What identifies one version of a photo file: its size and modification
// time. A photo replaced or touched gets a new stamp, so its old thumbnail is
// never shown for it.
struct TPhotoStamp {
    qint64 Size = -1;  // -1: missing, or not a regular file
    qint64 ModifiedNs = 0;
    bool Exists() const { return Size >= 0; }
    bool operator==(const TPhotoStamp&) const = default;
};

// One stat of the file; follows a symbolic link, as reading it would.
TPhotoStamp PhotoStampOf(const QString& path);

// Decoded thumbnails by photo path, each valid for one stamp, shared by every
// thread that builds or shows them. A null image records a file that is not a
// readable photo, so a refill skips it without reading it again.
//
// Memory is bounded: DefaultBudget (64 MB) holds about 6,000 thumbnails of
// 4:3 photos (60 x 45 pixels, about 11 KB each), so the strip of a 10,000
// recipe collection with a photo for every third recipe stays whole in it.
// Past the budget the least recently used thumbnails are dropped and decoded
// again when shown.
class TThumbnailCache final {
public:
    static constexpr qint64 DefaultBudget = 64LL * 1024 * 1024;

    explicit TThumbnailCache(qint64 budgetBytes = DefaultBudget) : Budget(budgetBytes) {}
    TThumbnailCache(const TThumbnailCache&) = delete;
    TThumbnailCache& operator=(const TThumbnailCache&) = delete;

    // The thumbnail stored for this version of the photo (a null image when
    // it is known unreadable); nothing when none is stored or it was made from
    // another version.
    std::optional<QImage> Find(const QString& path, TPhotoStamp stamp);
    void Insert(const QString& path, TPhotoStamp stamp, const QImage& image);
    void Clear();

    qint64 Bytes() const;
    int Count() const;
    qint64 BudgetBytes() const { return Budget; }
    // True when further thumbnails would push others out.
    bool NearlyFull() const;

    // The memory an entry is charged with.
    static qint64 CostOf(const QString& path, const QImage& image);

private:
    struct TEntry {
        QString Path;
        TPhotoStamp Stamp;
        QImage Image;
        qint64 Cost = 0;
    };
    using TList = std::list<TEntry>;  // most recently used first

    void EraseLocked(TList::iterator it);

    const qint64 Budget;
    mutable QMutex Mutex;
    TList Entries;
    QHash<QString, TList::iterator> Index;
    qint64 Used = 0;
};
