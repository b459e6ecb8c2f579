#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// The photo pane of the open recipe, without its widgets: the picture shown,
// the folder's photos to page through, and the main photo "写真.jpg" with
// whether the user changed it. Paging only shows another photo; the main
// photo is written back only after a drop, load, paste or remove of it, and
// an unchanged photo keeps its bytes.
class TPhotoPane final {
public:
    QImage Picture;            // what the pane shows (null: nothing)
    QStringList PictureNames;  // base names of the folder's ".jpg" files, "写真" first
    int PictureIndex = -1;     // shown name; 0 with two or more photos, else -1
    bool MainPhotoChanged = false;

    static QString MainPhotoName();  // "写真.jpg"

    // Empties the pane and the photo list.
    void Clear();

    // Shows "写真.jpg" of the folder (when there) and lists the folder's
    // photos. Throws TSaporiaError when the main photo cannot be read.
    void LoadFolder(const QString& recipePath);

    // Puts a picture file into the pane as the new main photo: ".bmp" is
    // converted to JPEG, ".jpg"/".jpeg" are taken as they are; any other
    // extension leaves the pane unchanged (returns false). Throws when the
    // file cannot be read as a picture, leaving the pane unchanged.
    bool LoadPictureFile(const QString& path);

    // A pasted image becomes the main photo, as JPEG.
    void SetPicture(const QImage& image);

    // Empties the pane. Only when the main photo is shown is it removed.
    void Remove();

    // Shows the previous (-1) or next (+1) photo of the folder.
    void Page(const QString& recipePath, int step);
    bool PagingVisible() const { return PictureNames.size() >= 2; }
    QString PagingCaption() const;  // "n/m"
    bool PrevEnabled() const { return PictureIndex != 0; }
    bool NextEnabled() const { return PictureIndex != PictureNames.size() - 1; }

    // Writes the main photo when it changed: the new JPEG, or deletes
    // "写真.jpg" when it was removed. Throws TSaporiaError on failure.
    void Save(const QString& recipePath);

    const QByteArray& MainPhotoBytes() const { return MainBytes; }

private:
    QByteArray MainBytes;     // bytes for "写真.jpg"; empty: none
    bool ShownIsMain = true;  // the pane shows the main photo (or its place)
};
