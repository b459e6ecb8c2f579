#include "core/search/thumbnails.h"

#include "core/common/parallel_chunks.h"
#include "core/search/class_tree.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"

QString ThumbnailPhotoPath(const QString& dataRoot, const TCookItem& item) {
    try {
        return ExistingPathIgnoringCase(RecipeFolderPath(dataRoot, item), PhotoFileName);
    } catch (const TSaporiaError&) {
        return {};
    }
}

// Only a regular file is read, so a FIFO never blocks the pane.
QImage LoadThumbnailImage(const QString& photoPath) {
    try {
        return DecodeJpegScaled(ReadFileBytes(photoPath), QSize(ThumbnailSide, ThumbnailSide));
    } catch (const TSaporiaError&) {
        return {};
    }
}

QRect ThumbnailRect(QSize size) {
    if (size.isEmpty())
        return {};
    const QSize fitted = size.scaled(ThumbnailSide, ThumbnailSide, Qt::KeepAspectRatio);
    return QRect(QPoint((ThumbnailSide - fitted.width()) / 2, (ThumbnailSide - fitted.height()) / 2), fitted);
}

std::vector<TThumbnail> BuildThumbnailList(const TCookItems& items, const QString& groupText,
                                           const QString& dataRoot, const std::function<void(int)>& progress) {
    std::vector<TThumbnail> thumbnails;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (progress && i % 2 == 1)
            progress(i);
        const TCookItem& item = items[i];
        if (!PassesListFilter(item, groupText) || item.PhotoMark != PhotoMarkPresent)
            continue;
        QImage image = LoadThumbnailImage(ThumbnailPhotoPath(dataRoot, item));
        if (image.isNull())
            continue;
        thumbnails.push_back({i, item.Name, std::move(image)});
    }
    return thumbnails;
}

QImage MakeThumbnailImage(const QString& photoPath) {
    const QImage decoded = LoadThumbnailImage(photoPath);
    if (decoded.isNull())
        return {};
    const QSize fitted = ThumbnailRect(decoded.size()).size();
    if (fitted == decoded.size())
        return decoded;
    return decoded.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage FindOrMakeThumbnail(TThumbnailCache& cache, const QString& photoPath, TPhotoStamp stamp, bool& decoded) {
    decoded = false;
    if (std::optional<QImage> cached = cache.Find(photoPath, stamp))
        return *cached;
    decoded = true;
    return MakeThumbnailImage(photoPath);
}

QImage CachedThumbnailImage(TThumbnailCache& cache, const QString& photoPath) {
    // Stamped before reading: a photo changed while it is decoded keeps a
    // stamp that no longer matches, so it is decoded again next time.
    const TPhotoStamp stamp = PhotoStampOf(photoPath);
    if (!stamp.Exists())
        return {};
    bool decoded = false;
    QImage image = FindOrMakeThumbnail(cache, photoPath, stamp, decoded);
    if (decoded)
        cache.Insert(photoPath, stamp, image);
    return image;
}

namespace {

// Whether a place is shown, and whether its photo is known readable: one
// known unreadable is left out.
bool Judge(TThumbnailSlot& slot, TThumbnailCache& cache) {
    const TPhotoVerdict verdict = cache.Verdict(slot.Path, slot.Stamp);
    slot.Cached = verdict == TPhotoVerdict::Readable;
    return verdict != TPhotoVerdict::Unreadable;
}

// Whether a place with a fresh stamp is shown.
bool Showable(TThumbnailSlot& slot, TThumbnailCache& cache) {
    slot.Cached = false;
    return slot.Stamp.Exists() && Judge(slot, cache);
}

// A place of the strip shown, taken over as it was: the stat waits until it is in view.
bool TakeOver(TThumbnailSlot& slot, const TThumbnailSlot& old, TThumbnailCache& cache) {
    slot.Path = old.Path;
    slot.Stamp = old.Stamp;
    slot.Checked = false;
    return Judge(slot, cache);
}

// One place: the photo's path and stamp, and what the cache knows of it.
// False when the record has no photo to show.
bool PlanPlace(TThumbnailSlot& slot, const TCookItem& item, const QString& dataRoot, TThumbnailCache& cache) {
    try {
        // The exact name first: listing the folder costs far more than a stat.
        const QString folder = RecipeFolderPath(dataRoot, item);
        slot.Path = folder + PhotoFileName;
        slot.Stamp = PhotoStampOf(slot.Path);
        if (!slot.Stamp.Exists()) {
            slot.Path = ExistingPathIgnoringCase(folder, PhotoFileName);
            slot.Stamp = PhotoStampOf(slot.Path);
        }
    } catch (const TSaporiaError&) {
        return false;
    }
    return Showable(slot, cache);
}

}  // namespace

std::vector<TThumbnailSlot> PlanThumbnails(const TCookItems& items, const QString& groupText, const QString& dataRoot,
                                           TThumbnailCache& cache, const TShownThumbnails& shown) {
    std::vector<TThumbnailSlot> candidates;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const TCookItem& item = items[i];
        if (PassesListFilter(item, groupText) && item.PhotoMark == PhotoMarkPresent)
            candidates.push_back({i, item.Name, {}, {}, false});
    }
    // Both lists are in record order: one walk pairs each place with its old
    // one, taken over here at the cost of a cache lookup.
    std::vector<char> kept(candidates.size(), 0);
    std::vector<size_t> fresh;
    const bool sameRoot = shown.DataRoot == dataRoot;
    auto it = shown.Slots.cbegin();
    for (size_t k = 0; k < candidates.size(); ++k) {
        while (sameRoot && it != shown.Slots.cend() && it->Record < candidates[k].Record)
            ++it;
        if (sameRoot && it != shown.Slots.cend() && it->Record == candidates[k].Record &&
            it->Name == candidates[k].Name && !it->Path.isEmpty())
            kept[k] = TakeOver(candidates[k], *it, cache) ? 1 : 0;
        else
            fresh.push_back(k);
    }
    // A stat per new photo: thousands of them go to the worker threads in
    // chunks; each place is written only by its own chunk, so the order stays.
    auto planRange = [&](size_t begin, size_t end) {
        for (size_t f = begin; f < end; ++f) {
            const size_t k = fresh[f];
            kept[k] = PlanPlace(candidates[k], items[candidates[k].Record], dataRoot, cache) ? 1 : 0;
        }
    };
    ForEachChunk(fresh.size(), 128, 0, planRange);
    std::vector<TThumbnailSlot> places;
    places.reserve(candidates.size());
    for (size_t k = 0; k < candidates.size(); ++k)
        if (kept[k])
            places.push_back(std::move(candidates[k]));
    return places;
}

void CheckThumbnailSlots(std::vector<TThumbnailSlot>& places, int first, int last, TThumbnailCache& cache) {
    for (int k = std::max(0, first); k <= last && k < static_cast<int>(places.size());) {
        TThumbnailSlot& slot = places[static_cast<size_t>(k)];
        if (!slot.Checked) {
            slot.Checked = true;
            slot.Stamp = PhotoStampOf(slot.Path);
            if (!Showable(slot, cache)) {
                places.erase(places.begin() + k);
                continue;
            }
        }
        ++k;
    }
}
