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
    // The list node, the hash slot and the two copies of the path count too,
    // or a cache of many broken photos would look free.
    constexpr qint64 overhead = 128;
    return overhead + 2 * path.size() * qint64(sizeof(QChar)) + image.sizeInBytes();
}

std::optional<QImage> TThumbnailCache::Find(const QString& path, TPhotoStamp stamp) {
    const QMutexLocker lock(&Mutex);
    const auto found = Index.constFind(path);
    if (found == Index.cend())
        return std::nullopt;
    const TList::iterator it = found.value();
    if (it->Stamp != stamp) {
        EraseLocked(it);  // the photo changed: the old picture is of no use
        return std::nullopt;
    }
    Entries.splice(Entries.begin(), Entries, it);
    return it->Image;
}

void TThumbnailCache::Insert(const QString& path, TPhotoStamp stamp, const QImage& image) {
    const qint64 cost = CostOf(path, image);
    const QMutexLocker lock(&Mutex);
    if (const auto found = Index.constFind(path); found != Index.cend())
        EraseLocked(found.value());
    if (cost > Budget)
        return;
    while (Used + cost > Budget && !Entries.empty())
        EraseLocked(std::prev(Entries.end()));
    Entries.push_front({path, stamp, image, cost});
    Index.insert(path, Entries.begin());
    Used += cost;
}

void TThumbnailCache::Clear() {
    const QMutexLocker lock(&Mutex);
    Entries.clear();
    Index.clear();
    Used = 0;
}

qint64 TThumbnailCache::Bytes() const {
    const QMutexLocker lock(&Mutex);
    return Used;
}

int TThumbnailCache::Count() const {
    const QMutexLocker lock(&Mutex);
    return static_cast<int>(Index.size());
}

bool TThumbnailCache::NearlyFull() const {
    const QMutexLocker lock(&Mutex);
    return Used >= Budget - Budget / 8;
}

void TThumbnailCache::EraseLocked(TList::iterator it) {
    Used -= it->Cost;
    Index.remove(it->Path);
    Entries.erase(it);
}
