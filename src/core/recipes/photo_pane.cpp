#include "core/recipes/photo_pane.h"

#include <QFileInfo>

#include "core/platform/picture_codec.h"
#include "core/recipes/recipe_folder.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"

void TPhotoPane::Clear() {
    Picture = QImage();
    PictureIndex = -1;
    PictureCount = 0;
    ShownIsMain = true;
}

void TPhotoPane::Show(const TRecipeContent& content) {
    Clear();
    Picture = content.PhotoImage;
    PictureCount = int(content.PictureNames.size());
    PictureIndex = PictureCount >= 2 ? 0 : -1;
}

bool TPhotoPane::LoadPictureFile(TRecipeContent& content, const QString& path) {
    const std::optional<TPhotoFile> file = ReadPictureFile(path);
    if (!file)
        return false;
    content.Photo = file->Jpeg;
    content.PhotoImage = file->Image;
    content.PhotoChanged = true;
    Picture = file->Image;
    ShownIsMain = true;
    return true;
}

void TPhotoPane::SetPicture(TRecipeContent& content, const QImage& image) {
    QByteArray bytes = EncodeJpegImage(image);
    const QImage decoded = DecodePictureBytes(bytes, PhotoFileName);
    content.Photo = std::move(bytes);
    content.PhotoImage = decoded;
    content.PhotoChanged = true;
    Picture = decoded;
    ShownIsMain = true;
}

void TPhotoPane::Remove(TRecipeContent& content) {
    Picture = QImage();
    if (ShownIsMain) {
        content.Photo.clear();
        content.PhotoImage = QImage();
        content.PhotoChanged = true;
    }
}

void TPhotoPane::Page(const TRecipeContent& content, const QString& recipePath, int step) {
    PictureCount = int(content.PictureNames.size());
    if (PictureCount == 0)
        return;
    PictureIndex = qBound(0, PictureIndex + step, PictureCount - 1);
    ShownIsMain = content.PictureNames[PictureIndex] == PhotoBaseName;
    if (ShownIsMain && (content.PhotoChanged || !content.Photo.isEmpty())) {
        // The main photo as it stands now, changed or not.
        Picture = content.PhotoImage;
        return;
    }
    const QString file = PictureIndex < content.PictureFiles.size()
                             ? content.PictureFiles[PictureIndex]
                             : content.PictureNames[PictureIndex] + QStringLiteral(".jpg");
    const QString path = WithTrailingSlash(recipePath) + file;
    try {
        Picture = DecodePictureBytes(ReadFileBytes(path), path);
    } catch (const TSaporiaError&) {
        Picture = QImage();  // gone or broken since the load: the pane shows nothing
    }
}

QString TPhotoPane::PagingCaption() const { return QStringLiteral("%1/%2").arg(PictureIndex + 1).arg(PictureCount); }
