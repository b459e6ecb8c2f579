#include "mainwindow/photo_pane.h"

#include <QFile>
#include <QFileInfo>

#include "mainwindow/picture_codec.h"
#include "platform/file_io.h"
#include "platform/saporia_error.h"

namespace {

const QString MainBaseName = QStringLiteral("写真");

}  // namespace

QString TPhotoPane::MainPhotoName() { return MainBaseName + QStringLiteral(".jpg"); }

void TPhotoPane::Clear() {
    Picture = QImage();
    MainBytes.clear();
    PictureNames.clear();
    PictureIndex = -1;
    MainPhotoChanged = false;
    ShownIsMain = true;
}

void TPhotoPane::LoadFolder(const QString& recipePath) {
    Clear();
    for (const QString& name : SortedEntries(recipePath, {}, false))
        if (name.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive) && name.size() > 4)
            PictureNames.append(name.left(name.size() - 4));
    if (PictureNames.size() >= 2) {
        PictureIndex = 0;
        const qsizetype main = PictureNames.indexOf(MainBaseName);
        if (main > 0)
            PictureNames.move(main, 0);
    }
    const QString mainPath = recipePath + ExistingNameIgnoringCase(recipePath, MainPhotoName());
    if (QFileInfo(mainPath).isFile()) {
        const QByteArray bytes = ReadFileBytes(mainPath);
        Picture = DecodePictureBytes(bytes, mainPath);
        MainBytes = bytes;
    }
}

bool TPhotoPane::LoadPictureFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("bmp")) {
        const QImage image = DecodePictureBytes(ReadFileBytes(path), path);
        SetPicture(image);
        return true;
    }
    if (suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg")) {
        const QByteArray bytes = ReadFileBytes(path);
        Picture = DecodePictureBytes(bytes, path);
        MainBytes = bytes;
        MainPhotoChanged = true;
        ShownIsMain = true;
        return true;
    }
    return false;
}

void TPhotoPane::SetPicture(const QImage& image) {
    QByteArray bytes = EncodeJpegImage(image);
    Picture = DecodePictureBytes(bytes, MainPhotoName());
    MainBytes = std::move(bytes);
    MainPhotoChanged = true;
    ShownIsMain = true;
}

void TPhotoPane::Remove() {
    Picture = QImage();
    if (ShownIsMain) {
        MainBytes.clear();
        MainPhotoChanged = true;
    }
}

void TPhotoPane::Page(const QString& recipePath, int step) {
    if (PictureNames.isEmpty())
        return;
    PictureIndex = qBound(0, PictureIndex + step, int(PictureNames.size() - 1));
    const QString name = PictureNames[PictureIndex];
    ShownIsMain = name == MainBaseName;
    if (ShownIsMain && (MainPhotoChanged || !MainBytes.isEmpty())) {
        // The main photo as it stands now, changed or not.
        Picture = MainBytes.isEmpty() ? QImage() : DecodePictureBytes(MainBytes, MainPhotoName());
        return;
    }
    const QString path = recipePath + ExistingNameIgnoringCase(recipePath, name + QStringLiteral(".jpg"));
    Picture = DecodePictureBytes(ReadFileBytes(path), path);
}

QString TPhotoPane::PagingCaption() const {
    return QStringLiteral("%1/%2").arg(PictureIndex + 1).arg(PictureNames.size());
}

void TPhotoPane::Save(const QString& recipePath) {
    if (!MainPhotoChanged)
        return;
    const QString path = recipePath + ExistingNameIgnoringCase(recipePath, MainPhotoName());
    if (MainBytes.isEmpty()) {
        QFile::remove(path);  // a failed deletion is ignored
    } else {
        WriteFileAtomic(path, MainBytes);
    }
    MainPhotoChanged = false;
}
