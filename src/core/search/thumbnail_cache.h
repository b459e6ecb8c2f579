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

// What a decode found of one version of a photo.
enum class TPhotoVerdict : unsigned char { Unknown, Unreadable, Readable };

// Decoded thumbnails by photo path, each valid for one stamp, shared by every
// thread that builds or shows them, and what is known of each photo seen:
// readable or not. A photo known unreadable is left out of a refill without
// being read again; one known readable is decoded again only when shown.
//
// The pictures are bounded: DefaultBudget (16 MB) holds about 1,500
// thumbnails of 4:3 photos (60 x 45 pixels, about 11 KB each), some 180
// screens of the strip. Past the budget the least recently used pictures are
// dropped (their verdicts stay) and decoded again when they come into view.
// The verdicts are outside the budget: about 100 bytes per photo, plus its path.
class TThumbnailCache final {
public:
    static constexpr qint64 DefaultBudget = 16LL * 1024 * 1024;

    explicit TThumbnailCache(qint64 budgetBytes = DefaultBudget) : Budget(budgetBytes) {}
    TThumbnailCache(const TThumbnailCache&) = delete;
    TThumbnailCache& operator=(const TThumbnailCache&) = delete;

    // The picture kept for this version of the photo, or a null image when it
    // is known unreadable; nothing when no picture is kept (never decoded,
    // dropped past the budget, or made from another version).
    std::optional<QImage> Find(const QString& path, TPhotoStamp stamp);
    // What is known of this version of the photo; the pictures' order is left as it is.
    TPhotoVerdict Verdict(const QString& path, TPhotoStamp stamp);
    // Records a decode: a null image marks the photo unreadable. A decode
    // ahead of the view past the budget goes to Remember instead, so it
    // pushes no picture in view out.
    void Insert(const QString& path, TPhotoStamp stamp, const QImage& image);
    // Records a verdict alone; a picture kept for another version goes.
    void Remember(const QString& path, TPhotoStamp stamp, bool readable);
    // Drops every picture and keeps the verdicts.
    void DropPictures();
    void Clear();

    // The pictures kept: their memory and their number.
    qint64 Bytes() const;
    int Count() const;
    qint64 BudgetBytes() const { return Budget; }
    // True when further pictures would push others out.
    bool NearlyFull() const;

    // The memory a picture is charged with.
    static qint64 CostOf(const QString& path, const QImage& image);

private:
    struct TEntry {
        QString Path;
        QImage Image;
        qint64 Cost = 0;
    };
    using TList = std::list<TEntry>;  // most recently used first
    struct TVerdict {
        TPhotoStamp Stamp;
        bool Readable = false;
        std::optional<TList::iterator> Picture;
    };

    // The verdict for this version; a verdict for another one is forgotten.
    TVerdict* VerdictLocked(const QString& path, TPhotoStamp stamp);
    void DropPictureLocked(TVerdict& verdict);

    const qint64 Budget;
    mutable QMutex Mutex;
    TList Entries;
    QHash<QString, TVerdict> Verdicts;
    qint64 Used = 0;
};
