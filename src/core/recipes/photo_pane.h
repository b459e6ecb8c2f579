#pragma once

#include <QImage>
#include <QString>

struct TRecipeContent;

// The photo pane of the open recipe, without its widgets. The recipe's
// content holds the main photo "写真.jpg" and the folder's photo list; the
// pane shows one of them. Paging only shows another photo: the main photo
// changes (and Save writes it) only after a drop, load, paste or remove of
// the main photo itself, so an unchanged photo keeps its bytes.
class TPhotoPane final {
public:
    QImage Picture;         // what the pane shows (null: nothing)
    int PictureIndex = -1;  // shown entry of the photo list; 0 with two or more, else -1
    int PictureCount = 0;

    // Shows the recipe's main photo after a load.
    void Show(const TRecipeContent& content);
    void Clear();

    // Puts a picture file in as the new main photo: ".bmp" is converted to
    // JPEG, ".jpg"/".jpeg" are taken as they are; any other extension leaves
    // everything unchanged (returns false). Throws TSaporiaError when the file
    // cannot be read as a picture, leaving everything unchanged.
    bool LoadPictureFile(TRecipeContent& content, const QString& path);

    // A pasted image becomes the main photo, as JPEG.
    void SetPicture(TRecipeContent& content, const QImage& image);

    // Empties the pane; the main photo is removed only when it is the one
    // shown.
    void Remove(TRecipeContent& content);

    // Shows the previous (-1) or next (+1) photo of the folder; one that
    // cannot be read any more shows as an empty pane.
    void Page(const TRecipeContent& content, const QString& recipePath, int step);

    bool PagingVisible() const { return PictureCount >= 2; }
    QString PagingCaption() const;  // "n/m"
    bool PrevEnabled() const { return PictureIndex != 0; }
    bool NextEnabled() const { return PictureIndex != PictureCount - 1; }

private:
    bool ShownIsMain = true;  // the pane shows the main photo (or its place)
};
