#include "core/search/thumbnail_cache.h"

#include <sys/stat.h>

#include <QFile>
#include <QMutexLocker>

TPhotoStamp PhotoStampOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return {static_cast<qint64>(st.st_size), static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

qint64 TThumbnailCache::CostOf(const QString& path, const QImage& image) {
    // The list node and the path's copy count too.
    constexpr qint64 overhead = 128;
    return overhead + path.size() * qint64(sizeof(QChar)) + image.sizeInBytes();
}

TThumbnailCache::TVerdict* TThumbnailCache::VerdictLocked(const QString& path, TPhotoStamp stamp) {
    const auto found = Verdicts.find(path);
    if (found == Verdicts.end())
        return nullptr;
    if (found->Stamp != stamp) {
        DropPictureLocked(*found);  // the photo changed: what was known of it is of no use
        Verdicts.erase(found);
        return nullptr;
    }
    return &*found;
}

std::optional<QImage> TThumbnailCache::Find(const QString& path, TPhotoStamp stamp) {
    const QMutexLocker lock(&Mutex);
    TVerdict* verdict = VerdictLocked(path, stamp);
    if (!verdict)
        return std::nullopt;
    if (!verdict->Readable)
        return QImage();
    if (!verdict->Picture)
        return std::nullopt;
    const TList::iterator it = *verdict->Picture;
    Entries.splice(Entries.begin(), Entries, it);
    return it->Image;
}

TPhotoVerdict TThumbnailCache::Verdict(const QString& path, TPhotoStamp stamp) {
    const QMutexLocker lock(&Mutex);
    const TVerdict* verdict = VerdictLocked(path, stamp);
    if (!verdict)
        return TPhotoVerdict::Unknown;
    return verdict->Readable ? TPhotoVerdict::Readable : TPhotoVerdict::Unreadable;
}

void TThumbnailCache::Insert(const QString& path, TPhotoStamp stamp, const QImage& image) {
    const qint64 cost = CostOf(path, image);
    const QMutexLocker lock(&Mutex);
    TVerdict& verdict = Verdicts[path];
    DropPictureLocked(verdict);
    verdict.Stamp = stamp;
    verdict.Readable = !image.isNull();
    if (!verdict.Readable || cost > Budget)
        return;
    while (Used + cost > Budget && !Entries.empty())
        DropPictureLocked(Verdicts[Entries.back().Path]);
    Entries.push_front({path, image, cost});
    verdict.Picture = Entries.begin();
    Used += cost;
}

void TThumbnailCache::Remember(const QString& path, TPhotoStamp stamp, bool readable) {
    const QMutexLocker lock(&Mutex);
    TVerdict& verdict = Verdicts[path];
    if (verdict.Stamp != stamp || verdict.Readable != readable)
        DropPictureLocked(verdict);
    verdict.Stamp = stamp;
    verdict.Readable = readable;
}

void TThumbnailCache::DropPictureLocked(TVerdict& verdict) {
    if (!verdict.Picture)
        return;
    Used -= (*verdict.Picture)->Cost;
    Entries.erase(*verdict.Picture);
    verdict.Picture.reset();
}

void TThumbnailCache::DropPictures() {
    const QMutexLocker lock(&Mutex);
    for (TVerdict& verdict : Verdicts)
        verdict.Picture.reset();
    Entries.clear();
    Used = 0;
}

void TThumbnailCache::Clear() {
    const QMutexLocker lock(&Mutex);
    Entries.clear();
    Verdicts.clear();
    Used = 0;
}

qint64 TThumbnailCache::Bytes() const {
    const QMutexLocker lock(&Mutex);
    return Used;
}

int TThumbnailCache::Count() const {
    const QMutexLocker lock(&Mutex);
    return static_cast<int>(Entries.size());
}

bool TThumbnailCache::NearlyFull() const {
    const QMutexLocker lock(&Mutex);
    return Used >= Budget - Budget / 8;
}
