#pragma once

#include <functional>
#include <vector>

#include <QImage>
#include <QRect>
#include <QString>

#include "core/recipes/cook_item.h"
#include "core/search/thumbnail_cache.h"

// The photo strip beside the recipe list: one small picture per listed
// recipe that had "写真.jpg" when it was scanned, in array order.

inline constexpr int ThumbnailSide = 60;

struct TThumbnail {
    int Record = -1;  // index into the record array
    QString Name;
    QImage Image;  // as decoded; drawn into ThumbnailRect
};

// The main photo decoded at the smallest libjpeg scale that still covers the
// thumbnail (a smaller photo at its own size). Null when the file is missing
// or not a readable JPEG.
QImage LoadThumbnailImage(const QString& photoPath);

// The thumbnail as the strip keeps it: the scaled decode fitted into the
// ThumbnailSide square (aspect kept), so it is drawn without scaling and costs
// a fifth of the decoded picture's memory. Null as LoadThumbnailImage.
QImage MakeThumbnailImage(const QString& photoPath);

// The thumbnail of this version of the photo: the cache's (a null image when
// known unreadable), else decoded now with `decoded` set. Records nothing.
QImage FindOrMakeThumbnail(TThumbnailCache& cache, const QString& photoPath, TPhotoStamp stamp, bool& decoded);

// MakeThumbnailImage through the cache: a photo whose picture is kept, or
// known unreadable, and unchanged since is not read again. Safe on any thread.
QImage CachedThumbnailImage(TThumbnailCache& cache, const QString& photoPath);

// The record's main photo: "写真.jpg" in any letter case; empty when the
// record's name leads outside the data folder.
QString ThumbnailPhotoPath(const QString& dataRoot, const TCookItem& item);

// Where a picture of `size` is drawn in the ThumbnailSide square: scaled to
// fit with its aspect kept (small pictures enlarged), centred.
QRect ThumbnailRect(QSize size);

// Thumbnails of the records that pass the list filter and carry the photo
// mark. A missing or broken photo is skipped; the rest are still built.
// `progress` is called with the record index on odd indexes.
std::vector<TThumbnail> BuildThumbnailList(const TCookItems& items, const QString& groupText,
                                           const QString& dataRoot,
                                           const std::function<void(int)>& progress = {});

// One place on the strip before its picture is decoded.
struct TThumbnailSlot {
    int Record = -1;
    QString Name;
    QString Path;
    TPhotoStamp Stamp;
    bool Cached = false;  // known readable: decoded before, its picture perhaps dropped since
    bool Checked = true;  // false: taken over from the strip shown, not stat'ed since
};

// The strip shown before a refill: its places and the data folder they lead into.
struct TShownThumbnails {
    QString DataRoot;
    std::vector<TThumbnailSlot> Slots;  // in record order
};

// The strip of BuildThumbnailList without decoding: one stat per photo, and
// photos the cache knows to be unreadable left out at once. A photo first
// seen unreadable drops out when its decode reports it. A place of `shown`
// for the same record and data folder is taken over unchecked, without a stat:
// its photo is checked when it comes into view (CheckThumbnailSlots).
std::vector<TThumbnailSlot> PlanThumbnails(const TCookItems& items, const QString& groupText, const QString& dataRoot,
                                           TThumbnailCache& cache, const TShownThumbnails& shown = {});

// Stats the unchecked slots from `first` on until `last` places are checked:
// a photo gone since leaves the list (the next slot moves up and is checked
// too), a changed one gets its new stamp and is no longer counted as cached.
void CheckThumbnailSlots(std::vector<TThumbnailSlot>& places, int first, int last, TThumbnailCache& cache);
