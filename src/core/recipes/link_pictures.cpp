#include "core/recipes/link_pictures.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/platform/picture_codec.h"
#include "core/recipes/recipe_folder.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

namespace {

bool IsReservedOrControl(QChar c) {
    static const QString reserved = QStringLiteral("\\/:*?\"<>|");
    const char16_t u = c.unicode();
    return reserved.contains(c) || u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || u == 0x2028 ||
           u == 0x2029;
}


bool IsJpgName(const QString& name) { return name.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive); }

int JpgCount(const QString& folder) {
    int count = 0;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (IsJpgName(name))
            ++count;
    return count;
}

// Makes the folder for one link and removes it again when the link fails and
// the folder was made for it, so a failed copy leaves no empty "LinkPic".
class TLinkFolder final {
public:
    explicit TLinkFolder(const QString& recipePath) : Path(LinkFolderPath(recipePath)) {
        if (QFileInfo(Path).isDir())
            return;
        QDir().mkpath(Path);
        if (!QFileInfo(Path).isDir())
            throw TSaporiaError(QStringLiteral("フォルダの作成に失敗しました.\r\nFolderPath=") +
                                QDir::toNativeSeparators(Path));
        Made = true;
    }
    ~TLinkFolder() {
        if (Made && !Done)
            QDir().rmdir(Path);
    }
    TLinkFolder(const TLinkFolder&) = delete;
    TLinkFolder& operator=(const TLinkFolder&) = delete;
    void Keep() { Done = true; }

private:
    QString Path;
    bool Made = false;
    bool Done = false;
};

}  // namespace

QString LinkWordOfSelection(const QString& selection) {
    const QString word = Trim(selection);
    if (word.isEmpty())
        return {};
    // A line break anywhere refuses the selection; other control characters
    // only inside the word (a trailing tab is trimmed off).
    for (const QChar c : selection)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == 0x2028 || c.unicode() == 0x2029 ||
            (c.unicode() >= 0x20 && IsReservedOrControl(c)))
            return {};
    for (const QChar c : word)
        if (IsReservedOrControl(c))
            return {};
    return word;
}

QString LinkFolderPath(const QString& recipePath) {
    return recipePath + ExistingNameIgnoringCase(recipePath, LinkPicFolderName);
}

QString LinkPicturePath(const QString& recipePath, const QString& word) {
    const QString folder = LinkFolderPath(recipePath);
    return folder + QLatin1Char('/') + ExistingNameIgnoringCase(folder, word + QStringLiteral(".jpg"));
}

QList<TLinkPicture> LinkedPictures(const QString& recipePath) {
    QList<TLinkPicture> links;
    const QString folder = LinkFolderPath(recipePath);
    if (!QFileInfo(folder).isDir())
        return links;
    // Directories are listed too, as the folder listing does; a ".jpg"
    // directory simply has no picture to show.
    QStringList names = SortedEntries(folder, {}, false);
    names += SortedEntries(folder, {}, true);
    for (const QString& name : names) {
        if (!IsJpgName(name) || name.size() == 4)
            continue;
        links.append(TLinkPicture{name.left(name.size() - 4), folder + QLatin1Char('/') + name});
    }
    std::sort(links.begin(), links.end(),
              [](const TLinkPicture& a, const TLinkPicture& b) { return LessIgnoringCase(a.Word, b.Word); });
    return links;
}

void LinkPictureFromFile(const QString& recipePath, const QString& word, const QString& sourcePath) {
    TLinkFolder linkFolder(recipePath);
    const QString target = LinkPicturePath(recipePath, word);
    const QString failure = QStringLiteral("ファイルのコピーに失敗しました.\r\nFromFilePath=") +
                            QDir::toNativeSeparators(sourcePath) + QStringLiteral("\r\nToFilePath=") +
                            QDir::toNativeSeparators(target);
    const QFileInfo source(sourcePath);
    const QFileInfo existing(target);
    if (source.isFile() && existing.exists() && source.canonicalFilePath() == existing.canonicalFilePath())
        return;  // the picture is already the word's link
    try {
        if (!source.isFile())
            throw TSaporiaError(failure);
        // The whole file is read before the target is touched, and written
        // through a temporary file, so a failure leaves the old link whole.
        WriteFileAtomic(target, ReadFileBytes(sourcePath));
        linkFolder.Keep();
    } catch (const TSaporiaError&) {
        throw TSaporiaError(failure);
    }
}

void LinkPictureFromImage(const QString& recipePath, const QString& word, const QImage& image) {
    TLinkFolder linkFolder(recipePath);
    const QByteArray bytes = EncodeJpegImage(image);
    WriteFileAtomic(LinkPicturePath(recipePath, word), bytes);
    linkFolder.Keep();
}

void DeleteLinkPicture(const QString& recipePath, const QString& path, bool deleteFile) {
    const QString folder = LinkFolderPath(recipePath);
    if (QFileInfo(folder).isSymLink())
        return;  // deleting never follows a link out of the recipe folder
    const QFileInfo info(path);
    // Only a file directly inside the recipe's link folder is deleted.
    if (deleteFile && QFileInfo(info.absolutePath()).absoluteFilePath() == QFileInfo(folder).absoluteFilePath() &&
        (info.isFile() || info.isSymLink()))
        QFile::remove(path);
    // The folder goes with the last picture; anything else kept in it keeps
    // the folder too.
    if (QFileInfo(folder).isDir() && JpgCount(folder) == 0)
        QDir().rmdir(folder);
}

void DeleteAllLinkPictures(const QString& recipePath) {
    const QString folder = LinkFolderPath(recipePath);
    if (QFileInfo(folder).isDir() && !DeleteFolderFiles(folder))
        throw TSaporiaError(QStringLiteral("リンク画像を削除できません.\r\nFolderPath=") +
                            QDir::toNativeSeparators(folder));
}

bool DeleteFolderFiles(const QString& folder) {
    const QFileInfo folderInfo(folder);
    if (folderInfo.isSymLink() || !folderInfo.isDir())
        return true;
    bool allRemoved = true;
    QDir dir(folder);
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry.isFile() || entry.isSymLink())
            allRemoved = QFile::remove(entry.absoluteFilePath()) && allRemoved;  // a link is removed, not followed
    }
    QDir().rmdir(folder);
    return allRemoved;
}
