#pragma once

#include <functional>

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include "core/exchange/html_writer.h"

class TExportFolder;

// The shown list as small linked pages for a handheld's browser: one page
// and one thumbnail per recipe ("0000.html", "0000.jpg", ...) and an index.

inline const QString HandheldFolderPrefix = QStringLiteral("PSP_COOK_");
inline constexpr int HandheldThumbnailSide = 100;

struct THandheldRow {
    QString Name;
    QString Kind;
    QString Amount;
    QString Folder;  // the recipe's folder, ending with "/"
};

// The page number of row `i`: "0000", "0001", ...
QString HandheldPageNumber(int i);

// The thumbnail of a photo of `photo` size: the longer side 100 pixels, the
// other scaled and truncated, never below 1.
QSize HandheldThumbnailSize(QSize photo);

// The photo drawn over the whole thumbnail, as JPEG. Decodes at the smallest
// scale that still covers the thumbnail. Throws TSaporiaError for a photo that
// is not a readable JPEG.
QByteArray HandheldThumbnail(const QByteArray& photoJpeg);

// Page of row `i` of `count`, with the texts as lines.
THtmlWriter HandheldPage(int i, int count, const THandheldRow& row, const QStringList& ingredients,
                         const QStringList& method, const QStringList& comment, bool withThumbnail);

// The index page of the rows.
THtmlWriter HandheldIndex(const QList<THandheldRow>& rows);

// Writes every page, thumbnail and the index into `folder`, calling
// `progress` (on this thread) with the row number of each odd row; the
// caller keeps or discards them. The rows are read and written on `workers`
// threads (0: one per core, 1: this thread); the files and bytes are those
// of one thread, and so is the failure: the first in list order. A photo
// that cannot be read or decoded throws TSaporiaError naming its recipe, a
// text that cannot be read or a thumbnail or index that cannot be written
// TSaporiaError, a page that cannot be written THtmlSaveError; either way no
// index is written.
void ExportHandheld(TExportFolder& folder, const QList<THandheldRow>& rows,
                    const std::function<void(int)>& progress = {}, int workers = 0);
// The same into `exportFolder`, which exists; a failed export leaves it as it was.
void ExportHandheld(const QString& exportFolder, const QList<THandheldRow>& rows,
                    const std::function<void(int)>& progress = {}, int workers = 0);
